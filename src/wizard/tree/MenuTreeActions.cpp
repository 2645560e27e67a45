#include "wizard/tree/MenuTreeActions.h"

#include "app/WizardHost.h"
#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"
#include "wizard/tree/ItemPanel.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>

namespace {

QString TooManyItemsMessage()
{
    return QStringLiteral("A menu can hold at most %1 items.").arg(CAppletMenu::kMaxItems);
}

QString LastItemMessage(bool bSub)
{
    return bSub ? QStringLiteral("A sub menu keeps at least one item. To remove the whole sub menu, "
                                 "clear \"Has SubMenu\" on its main item.")
                : QStringLiteral("The main menu keeps at least one item.");
}

} // namespace

CMenuTreeActions::CMenuTreeActions(Page &page, CWizardHost &host, bool &bBusy, CMenuTreeView &tree,
                                   CItemPanel &mainPanel, CItemPanel &subPanel, QWidget *parent)
    : QObject(parent), m_page(page), m_host(host), m_bBusy(bBusy), m_tree(tree), m_main(mainPanel),
      m_sub(subPanel), m_pDialogParent(parent)
{
    connect(&m_tree, &QTreeWidget::currentItemChanged, this, [this] { OnCurrentChanged(); });
    connect(&m_tree, &CMenuTreeView::insertRequested, this, &CMenuTreeActions::Insert);
    connect(&m_tree, &CMenuTreeView::deleteRequested, this, &CMenuTreeActions::Delete);
    connect(&m_tree, &CMenuTreeView::moveRequested, this, &CMenuTreeActions::Move);
    connect(&m_tree, &CMenuTreeView::dropRequested, this, &CMenuTreeActions::Drop);
    // A label shows in the tree as it is typed.
    connect(m_main.m_editLabel, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_tree.SetLabel({MainMenu().m_nCurrent, -1}, text);
    });
    connect(m_sub.m_editLabel, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (const CAppletMenu *sub = ShownSubMenu())
            m_tree.SetLabel({MainMenu().m_nCurrent, sub->m_nCurrent}, text);
    });
}

void CMenuTreeActions::ConnectButtons(QPushButton *insert, QPushButton *remove, QPushButton *moveUp,
                                      QPushButton *moveDown)
{
    m_btnInsert = insert;
    m_btnDelete = remove;
    m_btnMoveUp = moveUp;
    m_btnMoveDown = moveDown;
    connect(insert, &QPushButton::clicked, this, &CMenuTreeActions::Insert);
    connect(remove, &QPushButton::clicked, this, &CMenuTreeActions::Delete);
    connect(moveUp, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(moveDown, &QPushButton::clicked, this, [this] { Move(+1); });
}

QString CMenuTreeActions::RemoveSubMenuQuestion()
{
    return QStringLiteral("This Operation will destory submenu,Can you Sure?");
}

CAppletMenu &CMenuTreeActions::MainMenu() const
{
    return *m_host.Params().m_pMainMenu;
}

CAppletMenu *CMenuTreeActions::ShownSubMenu() const
{
    CAppletMenu &menu = MainMenu();
    if (menu.m_nCurrent < 0 || menu.m_nCurrent >= menu.GetCount())
        return nullptr;
    return menu.GetItem(menu.m_nCurrent)->m_pSubMenu.get();
}

bool CMenuTreeActions::SubItemShown() const
{
    return m_sub.m_editLabel->isEnabled();
}

CAppletMenu *CMenuTreeActions::MenuOf(Node node) const
{
    CAppletMenu &menu = MainMenu();
    if (node.nMain < 0 || node.nMain >= menu.GetCount())
        return nullptr;
    if (!node.IsSub())
        return &menu;
    CAppletMenu *sub = menu.GetItem(node.nMain)->m_pSubMenu.get();
    return sub && node.nSub < sub->GetCount() ? sub : nullptr;
}

template <typename Action> void CMenuTreeActions::Guarded(Action action)
{
    if (m_bBusy)
        return;
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    action();
}

template <typename Action> void CMenuTreeActions::OnSelected(Action action)
{
    Guarded([&] {
        const Node node = m_tree.CurrentNode();
        if (CAppletMenu *menu = MenuOf(node))
            action(node, *menu);
    });
}

void CMenuTreeActions::Tell(const QString &strMessage)
{
    m_host.Ui().MessageBox(m_pDialogParent, strMessage);
}

// --- The tree following the page ---

void CMenuTreeActions::Rebuild()
{
    const QScopedValueRollback<bool> sync(m_bSyncing, true);
    m_tree.Rebuild(MainMenu());
    // Labels typed but not yet stored show as typed.
    const int nMain = MainMenu().m_nCurrent;
    m_tree.SetLabel({nMain, -1}, m_main.m_editLabel->text());
    if (const CAppletMenu *sub = ShownSubMenu(); sub && SubItemShown())
        m_tree.SetLabel({nMain, sub->m_nCurrent}, m_sub.m_editLabel->text());
    SelectShown();
}

void CMenuTreeActions::Rebuild(bool bSubSelected)
{
    m_bSubSelected = bSubSelected;
    Rebuild();
}

void CMenuTreeActions::SelectShown(bool bSubSelected)
{
    m_bSubSelected = bSubSelected;
    SelectShown();
}

void CMenuTreeActions::SelectShown()
{
    const QScopedValueRollback<bool> sync(m_bSyncing, true);
    Node node{MainMenu().m_nCurrent, -1};
    const CAppletMenu *sub = ShownSubMenu();
    if (m_bSubSelected && sub && SubItemShown())
        node.nSub = sub->m_nCurrent;
    else
        m_bSubSelected = false;
    if (QTreeWidgetItem *item = m_tree.ItemOf(node)) {
        m_tree.setCurrentItem(item);
        m_tree.scrollToItem(item);
    }
    UpdateButtons();
}

void CMenuTreeActions::UpdateButtons()
{
    if (!m_btnInsert)
        return;
    const Node node = m_tree.CurrentNode();
    const CAppletMenu *menu = MenuOf(node);
    const int index = node.IsSub() ? node.nSub : node.nMain;
    m_btnInsert->setEnabled(menu);
    m_btnDelete->setEnabled(menu);
    m_btnMoveUp->setEnabled(menu && index > 0);
    m_btnMoveDown->setEnabled(menu && index + 1 < menu->GetCount());
}

// --- The page following the tree ---

void CMenuTreeActions::OnCurrentChanged()
{
    if (m_bSyncing)
        return;
    const Node node = m_tree.CurrentNode();
    CAppletMenu &menu = MainMenu();
    if (!MenuOf(node))
        return;
    const CAppletMenu *sub = ShownSubMenu();
    const bool shown = node.nMain == menu.m_nCurrent
                       && (!node.IsSub() || (sub && SubItemShown() && node.nSub == sub->m_nCurrent));
    if (shown) {
        m_bSubSelected = node.IsSub();
        UpdateButtons();
        return;
    }
    // Another item: stored and shown as Prev/Next would; a refusal keeps
    // the shown item selected.
    if (m_bBusy || !m_page.ReadShownItems(true, true)) {
        SelectShown();
        // A mouse press goes on to select the row it hit once this returns.
        QTimer::singleShot(0, this, [this] {
            if (!m_bBusy)
                SelectShown();
        });
        return;
    }
    const QScopedValueRollback<bool> busy(m_bBusy, true);
    m_page.StoreItems(true, true);
    menu.m_nCurrent = node.nMain;
    if (node.IsSub())
        MenuOf(node)->m_nCurrent = node.nSub;
    m_bSubSelected = node.IsSub();
    m_page.ShowCurrentItems(false);
    UpdateButtons();
    m_page.ChangeStored();
}

void CMenuTreeActions::ShowChangedItem(Node node, int nIndex)
{
    if (node.IsSub())
        ShowChanged(node.nMain, nIndex);
    else
        ShowChanged(nIndex, -1);
}

void CMenuTreeActions::ShowChanged(int nMain, int nSub)
{
    MainMenu().m_nCurrent = nMain;
    CAppletMenu *sub = ShownSubMenu();
    if (sub && nSub >= 0)
        sub->m_nCurrent = nSub;
    m_bSubSelected = sub && nSub >= 0;
    m_page.ShowCurrentItems(true);
    Rebuild();
    m_page.ChangeStored();
}

// --- The actions ---

void CMenuTreeActions::Insert()
{
    OnSelected([this](Node node, CAppletMenu &menu) {
        if (!menu.CanInsert()) {
            Tell(TooManyItemsMessage());
            return;
        }
        if (!m_page.ReadShownItems(true, true))
            return;
        m_page.StoreItems(true, true);
        m_page.AnnounceChange(QStringLiteral("Insert Item"));
        const int at = (node.IsSub() ? node.nSub : node.nMain) + 1;
        menu.InsertNewItem(at);
        const bool fromTree = m_tree.hasFocus();
        ShowChangedItem(node, at);
        // From the button, the new item's label is ready to be typed over;
        // the Insert key leaves the keyboard in the tree.
        if (!fromTree)
            (node.IsSub() ? m_sub : m_main).FocusLabel();
    });
}

void CMenuTreeActions::Delete()
{
    OnSelected([this](Node node, CAppletMenu &menu) {
        if (!menu.CanRemove()) {
            Tell(LastItemMessage(node.IsSub()));
            return;
        }
        // The texts of the item being deleted, and of its sub menu, are not checked.
        if (!m_page.ReadShownItems(node.IsSub(), false))
            return;
        if (!node.IsSub() && menu.GetItem(node.nMain)->m_pSubMenu
            && m_host.Ui().MessageBox(m_pDialogParent, RemoveSubMenuQuestion(), QMessageBox::Yes | QMessageBox::No)
                   != QMessageBox::Yes)
            return;
        if (node.IsSub())
            m_page.StoreItems(true, false);
        m_page.AnnounceChange(QStringLiteral("Delete Item"));
        menu.RemoveItem(node.IsSub() ? node.nSub : node.nMain);
        ShowChangedItem(node, menu.m_nCurrent);
    });
}

void CMenuTreeActions::Move(int nDelta)
{
    OnSelected([this, nDelta](Node node, CAppletMenu &menu) {
        const int index = node.IsSub() ? node.nSub : node.nMain;
        const int target = index + nDelta;
        if (target < 0 || target >= menu.GetCount())
            return;
        if (!m_page.ReadShownItems(true, true))
            return;
        m_page.StoreItems(true, true);
        m_page.AnnounceChange(nDelta < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"));
        menu.MoveItem(index, target);
        ShowChangedItem(node, target);
    });
}

void CMenuTreeActions::Drop(Node from, Node to)
{
    Guarded([&] {
        CAppletMenu *source = MenuOf(from);
        CAppletMenu &main = MainMenu();
        if (!source || from.IsSub() != to.IsSub() || to.nMain < 0 || to.nMain >= main.GetCount())
            return;
        CAppletMenu *target = to.IsSub() ? main.GetItem(to.nMain)->m_pSubMenu.get() : &main;
        if (!target)
            return;
        const bool between = source != target;
        if (between && !target->CanInsert()) {
            Tell(TooManyItemsMessage());
            return;
        }
        if (between && !source->CanRemove()) {
            Tell(LastItemMessage(true));
            return;
        }
        const int nFrom = from.IsSub() ? from.nSub : from.nMain;
        const int nTo = to.IsSub() ? to.nSub : to.nMain;
        if (nTo < 0 || nTo > target->GetCount() - (between ? 0 : 1))
            return;
        if (!m_page.ReadShownItems(true, true))
            return;
        m_page.StoreItems(true, true);
        m_page.AnnounceChange(QStringLiteral("Move Item"));
        if (between)
            CAppletMenu::MoveItemToMenu(*source, nFrom, *target, nTo);
        else
            source->MoveItem(nFrom, nTo);
        ShowChanged(to.nMain, to.nSub);
    });
}
