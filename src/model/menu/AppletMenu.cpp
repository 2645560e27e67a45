#include "model/menu/AppletMenu.h"

// --- An item ---

CAppletMenuItem::CAppletMenuItem(const QString &label, const QString &image,
                                 const QString &target, const QString &link)
    : m_strLabel(label), m_strImage(image), m_strTarget(target), m_strLink(link)
{
}

CAppletMenuItem::~CAppletMenuItem() = default;

CAppletMenu *CAppletMenuItem::GetSubMenu()
{
    if (!m_pSubMenu)
        m_pSubMenu = std::make_unique<CAppletMenu>(4);
    return m_pSubMenu.get();
}

int CAppletMenuItem::DeleteSubMenu()
{
    if (!m_pSubMenu)
        return 0;
    m_pSubMenu.reset();
    return 1;
}

// --- A menu ---

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

void CAppletMenu::ForEachItem(const std::function<void(const CAppletMenuItem &, int, int)> &visit) const
{
    for (int i = 0; i < GetCount(); ++i) {
        const CAppletMenuItem &item = *GetItem(i);
        visit(item, i, -1);
        if (item.m_pSubMenu)
            for (int j = 0; j < item.m_pSubMenu->GetCount(); ++j)
                visit(*item.m_pSubMenu->GetItem(j), i, j);
    }
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

QString CAppletMenu::NewItemLabel(int nIndex) const
{
    for (int n = nIndex + 1;; ++n) {
        const QString label = QStringLiteral("item%1").arg(n);
        bool used = false;
        for (const auto &item : m_items)
            used = used || item->m_strLabel == label;
        if (!used)
            return label;
    }
}

bool CAppletMenu::InsertNewItem(int nIndex)
{
    if (!CanInsert() || nIndex < 0 || nIndex > GetCount())
        return false;
    auto item = std::make_unique<CAppletMenuItem>(NewItemLabel(nIndex));
    m_items.insert(m_items.begin() + nIndex, std::move(item));
    if (m_nCurrent >= nIndex)
        ++m_nCurrent;
    else if (m_nCurrent < 0)
        m_nCurrent = 0;
    return true;
}

bool CAppletMenu::RemoveItem(int nIndex)
{
    if (!CanRemove() || nIndex < 0 || nIndex >= GetCount())
        return false;
    m_items.erase(m_items.begin() + nIndex);
    if (m_nCurrent > nIndex || m_nCurrent >= GetCount())
        --m_nCurrent;
    return true;
}

bool CAppletMenu::MoveItem(int nFrom, int nTo)
{
    const int count = GetCount();
    if (nFrom < 0 || nFrom >= count || nTo < 0 || nTo >= count)
        return false;
    if (nFrom == nTo)
        return true;
    auto item = std::move(m_items[static_cast<size_t>(nFrom)]);
    m_items.erase(m_items.begin() + nFrom);
    m_items.insert(m_items.begin() + nTo, std::move(item));
    // The current index follows its item.
    if (m_nCurrent == nFrom)
        m_nCurrent = nTo;
    else if (nFrom < m_nCurrent && m_nCurrent <= nTo)
        --m_nCurrent;
    else if (nTo <= m_nCurrent && m_nCurrent < nFrom)
        ++m_nCurrent;
    return true;
}

bool CAppletMenu::MoveItemToMenu(CAppletMenu &from, int nFrom, CAppletMenu &to, int nTo)
{
    if (&from == &to || !from.CanRemove() || !to.CanInsert() || nFrom < 0 || nFrom >= from.GetCount()
        || nTo < 0 || nTo > to.GetCount())
        return false;
    auto item = std::move(from.m_items[static_cast<size_t>(nFrom)]);
    from.m_items.erase(from.m_items.begin() + nFrom);
    if (from.m_nCurrent > nFrom || from.m_nCurrent >= from.GetCount())
        --from.m_nCurrent;
    to.m_items.insert(to.m_items.begin() + nTo, std::move(item));
    if (to.m_nCurrent >= nTo)
        ++to.m_nCurrent;
    else if (to.m_nCurrent < 0)
        to.m_nCurrent = 0;
    return true;
}
