#include "MenuFixture.h"

void MakeFlatMenu(CAppletParameters &p)
{
    p.m_appBKColor = kApplet;
    p.m_xPos = 10;
    p.m_yPos = 10;
    p.m_mmBKColor = kMainMenu;
    p.m_mmWidth = 80;
    p.m_mmHeight = 20;
    p.m_mmItemGap = 4;
    p.m_smBKColor = kSubMenu;
    p.m_smWidth = 60;
    p.m_smHeight = 16;
    p.m_smItemGap = 2;
    for (int state = 1; state <= 3; ++state)
        for (bool sub : {false, true}) {
            CItemStyle s = ItemStyleFields(p, sub, state);
            *s.pBKColor = sub ? kSub[state] : kMain[state];
            *s.pFRColor = 0xffffff;
            *s.pFillStyle = 1;
            *s.pFontSize = 1;
        }
    for (auto &item : p.m_pMainMenu->m_items)
        item->m_strLabel.clear();
}
