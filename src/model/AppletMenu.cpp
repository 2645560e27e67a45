#include "model/AppletMenu.h"

CAppletMenu::CAppletMenu(int nCount)
{
    SetItemCount(nCount, 1);
    m_nCurrent = m_items.empty() ? -1 : 0;
}

CAppletMenu::~CAppletMenu() = default;

void CAppletMenu::AppendDefaultItem()
{
    auto item = std::make_unique<CAppletMenuItem>();
    item->m_strLabel = QStringLiteral("item%1").arg(m_items.size() + 1);
    m_items.push_back(std::move(item));
}

int CAppletMenu::SetItemCount(int nCount, int bKeep)
{
    if (bKeep) {
        while (GetCount() < nCount)
            AppendDefaultItem();
        while (GetCount() > nCount && !m_items.empty())
            m_items.pop_back();
    } else {
        m_items.clear();
        for (int i = 0; i < nCount; ++i)
            AppendDefaultItem();
    }
    // Never raised; shrinking below the current item makes the last one current.
    if (m_nCurrent + 1 > nCount)
        m_nCurrent = nCount > 0 ? nCount - 1 : -1;
    return 1;
}

CAppletMenuItem *CAppletMenu::GetItem(int nIndex) const
{
    return m_items[static_cast<size_t>(nIndex)].get();
}

CAppletMenu *CAppletMenu::GetSubMenu(int nIndex)
{
    CAppletMenuItem *item = GetItem(nIndex);
    return item ? item->GetSubMenu() : nullptr;
}

int CAppletMenu::DeleteSubMenu(int nIndex)
{
    CAppletMenuItem *item = GetItem(nIndex);
    return item ? item->DeleteSubMenu() : 0;
}

std::unique_ptr<CAppletMenu> CAppletMenu::Clone() const
{
    auto copy = std::make_unique<CAppletMenu>(0);
    for (const auto &item : m_items) {
        auto c = std::make_unique<CAppletMenuItem>(item->m_strLabel, item->m_strImage,
                                                   item->m_strTarget, item->m_strLink);
        if (item->m_pSubMenu)
            c->m_pSubMenu = item->m_pSubMenu->Clone();
        copy->m_items.push_back(std::move(c));
    }
    copy->m_nCurrent = m_nCurrent;
    return copy;
}
