#pragma once

#include "model/menu/AppletMenuItem.h"

#include <functional>
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
    // Every item of the tree in the page's order: each item of this menu,
    // then the items of its sub menu. `visit` gets the item, the index in
    // this menu and the index in the sub menu (-1 for this menu's own).
    void ForEachItem(const std::function<void(const CAppletMenuItem &, int, int)> &visit) const;
    CAppletMenu *GetSubMenu(int nIndex);
    int DeleteSubMenu(int nIndex);
    // A deep copy: items, sub menus and current indexes.
    std::unique_ptr<CAppletMenu> Clone() const;

    // Editing the menu as a list. The wizard keeps every menu between
    // kMinItems and kMaxItems items; these operations refuse (return false,
    // changing nothing) a step that would leave that range, but accept a
    // menu already outside it (a loaded file may hold more). The current
    // index keeps pointing at the same item; when that item goes, the one
    // that takes its place (or the new last one) becomes current.
    static constexpr int kMinItems = 1;
    static constexpr int kMaxItems = 20;
    bool CanInsert() const { return GetCount() < kMaxItems; }
    bool CanRemove() const { return GetCount() > kMinItems; }
    // A new empty item at nIndex (0..count), labelled "item<n>": n is its
    // 1-based position, raised until no other item of the menu has the label.
    bool InsertNewItem(int nIndex);
    // Removes the item at nIndex with its sub menu.
    bool RemoveItem(int nIndex);
    // Moves the item at nFrom so that it ends up at nTo (both 0..count-1).
    bool MoveItem(int nFrom, int nTo);
    // Moves item nFrom of `from` into `to` at nTo (0..to's count), keeping
    // the item itself; `from` and `to` are different menus.
    static bool MoveItemToMenu(CAppletMenu &from, int nFrom, CAppletMenu &to, int nTo);
    // The label InsertNewItem gives an item made at nIndex.
    QString NewItemLabel(int nIndex) const;

    std::vector<std::unique_ptr<CAppletMenuItem>> m_items;
    int m_nCurrent = -1;

private:
    void AppendDefaultItem();
};
