#include "render/SmallMenuLayout.h"

#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"

#include <algorithm>

CSmallMenuLayout::CSmallMenuLayout(const CAppletParameters &params, int menuWidth, bool bShown, int nSection)
    : m_bShown(bShown)
{
    const int width = std::max(menuWidth, 2 * kLeastTarget);
    const int mainHeight = std::max(kLeastTarget, params.m_mmHeight);
    const int subHeight = std::max(kLeastTarget, params.m_smHeight);
    int y = 0;
    m_rows.push_back({ERow::Toggle, -1, -1, QRect(0, 0, width, mainHeight)});
    y += mainHeight;
    const CAppletMenu &menu = *params.m_pMainMenu;
    const int count = bShown ? menu.GetCount() : 0;
    for (int i = 0; i < count; ++i) {
        const CAppletMenu *sub = menu.GetItem(i)->m_pSubMenu.get();
        const bool hasSub = sub && sub->GetCount() > 0;
        if (!hasSub) {
            m_rows.push_back({ERow::Item, i, -1, QRect(0, y, width, mainHeight)});
        } else {
            m_rows.push_back({ERow::Item, i, -1, QRect(0, y, width - mainHeight, mainHeight)});
            m_rows.push_back(
                {ERow::Disclosure, i, -1, QRect(width - mainHeight, y, mainHeight, mainHeight)});
        }
        y += mainHeight;
        if (hasSub && i == nSection) {
            m_nSection = i;
            for (int k = 0; k < sub->GetCount(); ++k) {
                m_rows.push_back({ERow::SubItem, i, k, QRect(kIndent, y, width - kIndent, subHeight)});
                y += subHeight;
            }
        }
    }
    m_rect = QRect(0, 0, width, y);
}

const CSmallMenuLayout::CRow *CSmallMenuLayout::RowAt(const QPoint &pt) const
{
    for (const CRow &row : m_rows)
        if (row.rect.contains(pt))
            return &row;
    return nullptr;
}
