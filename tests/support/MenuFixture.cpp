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

void MakeFullMenu(CAppletParameters &p, int nMain, int nSub)
{
    MakeFlatMenu(p);
    p.m_HTMLTitle = QStringLiteral("Full menu");
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(0, 1);
    menu.SetItemCount(nMain, 1);
    for (int i = 0; i < nMain; ++i) {
        CAppletMenuItem *item = menu.GetItem(i);
        item->m_strLabel = QStringLiteral("Main %1").arg(i + 1);
        item->m_strLink = QStringLiteral("main%1.htm").arg(i + 1);
        item->m_strTarget = QStringLiteral("_self");
        item->m_strImage = QStringLiteral("images/main%1.gif").arg(i + 1);
        if (nSub <= 0)
            continue;
        CAppletMenu *sub = menu.GetSubMenu(i);
        sub->SetItemCount(nSub, 1);
        for (int j = 0; j < nSub; ++j) {
            CAppletMenuItem *s = sub->GetItem(j);
            s->m_strLabel = QStringLiteral("Sub %1.%2").arg(i + 1).arg(j + 1);
            s->m_strLink = QStringLiteral("page%1_%2.htm").arg(i + 1).arg(j + 1);
            s->m_strTarget = QStringLiteral("_blank");
            s->m_strImage = QStringLiteral("images/sub%1.gif").arg(j + 1);
        }
    }
}
