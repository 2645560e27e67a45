#pragma once

#include "wizard/tree/MenuTreeView.h"

#include <QObject>
#include <QString>

class CAppletMenu;
class CItemPanel;
class CWizardHost;
class QPushButton;

// What the item page's menu tree does: inserting, deleting and moving the
// selected item (keys, the buttons beside the tree, drag and drop), showing
// the item selected in the tree, and keeping the tree in step with the
// page. Each action first reads and stores the items the page shows, as
// the page's own Prev and Next do, then changes the menu and has the page
// show the result; the tree is rebuilt from the menu afterwards.
class CMenuTreeActions : public QObject {
    Q_OBJECT
public:
    using Node = CMenuTreeView::Node;

    // What the actions ask of the page that shows the items.
    class Page {
    public:
        // Reads the shown boxes with their checks: the main panel's (bMain)
        // and the sub panel's (bSub, when it shows an item). False, after
        // telling the user and focusing the box, when a check fails.
        virtual bool ReadShownItems(bool bMain, bool bSub) = 0;
        // Stores what was read into the shown main item (bMain) and the
        // shown sub item (bSub), announcing the change first when they differ.
        virtual void StoreItems(bool bMain, bool bSub) = 0;
        // Shows the menus' current items; bCount: the main menu's item
        // count as well (it changed).
        virtual void ShowCurrentItems(bool bCount) = 0;
        // Before the menu changes (strWhat names the action), and once the
        // change is in the configuration.
        virtual void AnnounceChange(const QString &strWhat) = 0;
        virtual void ChangeStored() = 0;

    protected:
        ~Page() = default;
    };

    // `bBusy` is the page's flag that one of its handlers runs: set while an
    // action runs, and no action starts while it is set. The buttons act on
    // the tree's selected node; dialogs open over `parent`.
    CMenuTreeActions(Page &page, CWizardHost &host, bool &bBusy, CMenuTreeView &tree, CItemPanel &mainPanel,
                     CItemPanel &subPanel, QWidget *parent);
    void ConnectButtons(QPushButton *insert, QPushButton *remove, QPushButton *moveUp, QPushButton *moveDown);

    // Asked before a sub menu is removed with its items.
    static QString RemoveSubMenuQuestion();

    // The tree follows the page: rebuilt from the menu, with labels typed
    // but not yet stored shown as typed, or only its selection moved to the
    // shown item. bSubSelected: the shown sub item is the node selected
    // (else the main item); without it the choice stays as it was.
    void Rebuild();
    void Rebuild(bool bSubSelected);
    void SelectShown(bool bSubSelected);

    void Insert();
    void Delete();
    void Move(int nDelta);
    void Drop(Node from, Node to);

private:
    CAppletMenu &MainMenu() const;
    // The shown main item's sub menu, if it has one.
    CAppletMenu *ShownSubMenu() const;
    // Whether the sub panel shows an item.
    bool SubItemShown() const;
    // The menu a node belongs to (the main menu or a sub menu).
    CAppletMenu *MenuOf(Node node) const;
    // Runs `action` unless another handler runs; the page is busy meanwhile.
    template <typename Action> void Guarded(Action action);
    // The same for the selected node, when there is one, with its menu.
    template <typename Action> void OnSelected(Action action);
    void Tell(const QString &strMessage);
    // Shows main item nMain (and sub item nSub of its sub menu, if given)
    // after a change of the tree, and tells the page.
    void ShowChanged(int nMain, int nSub);
    // The same for item nIndex of the menu `node` belongs to.
    void ShowChangedItem(Node node, int nIndex);
    void SelectShown();
    void UpdateButtons();
    void OnCurrentChanged();

    Page &m_page;
    CWizardHost &m_host;
    bool &m_bBusy;
    CMenuTreeView &m_tree;
    CItemPanel &m_main;
    CItemPanel &m_sub;
    QWidget *const m_pDialogParent;
    QPushButton *m_btnInsert = nullptr;
    QPushButton *m_btnDelete = nullptr;
    QPushButton *m_btnMoveUp = nullptr;
    QPushButton *m_btnMoveDown = nullptr;
    // Set while the tree's nodes or selection are changed from here.
    bool m_bSyncing = false;
    // Whether the selected node is the shown sub item (else the main item).
    bool m_bSubSelected = false;
};
