#pragma once

#include "model/AppletMenuItem.h"

#include <memory>
#include <vector>

// An ordered list of items, which the menu owns, and the index of the item
// the item page shows for this menu.
class CAppletMenu {
public:
    explicit CAppletMenu(int nCount = 4);
    ~CAppletMenu();
    CAppletMenu(const CAppletMenu &) = delete;
    CAppletMenu &operator=(const CAppletMenu &) = delete;

    // Keep mode (bKeep != 0) appends or drops items at the end and leaves the
    // others untouched; rebuild mode replaces every item. New items are
    // labelled "item<position>". Afterwards the current index is clamped.
    int SetItemCount(int nCount, int bKeep);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    CAppletMenuItem *GetItem(int nIndex) const;
    CAppletMenu *GetSubMenu(int nIndex);
    int DeleteSubMenu(int nIndex);
    // A deep copy: items, sub menus and current indexes.
    std::unique_ptr<CAppletMenu> Clone() const;

    std::vector<std::unique_ptr<CAppletMenuItem>> m_items;
    int m_nCurrent = -1;

private:
    void AppendDefaultItem();
};
