#include "wizard/tree/MenuTreeView.h"

#include "model/menu/AppletMenu.h"
#include "wizard/tree/MenuTreeAccessible.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

namespace {

// The part of a row a point falls in, by the rule the view uses to draw its
// drop indicator: a thin band at the top and at the bottom, the rest "on".
enum class Where { Above, On, Below };

Where PlaceInRow(const QPoint &pos, const QRect &rect)
{
    const int margin = qBound(2, qRound(qreal(rect.height()) / 5.5), 12);
    if (pos.y() - rect.top() < margin)
        return Where::Above;
    if (rect.bottom() - pos.y() < margin)
        return Where::Below;
    return Where::On;
}

} // namespace

CMenuTreeView::CMenuTreeView(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setExpandsOnDoubleClick(false);
    GiveMenuTreeFocusAction(*this);
}

void CMenuTreeView::Rebuild(const CAppletMenu &mainMenu)
{
    clear();
    for (int i = 0; i < mainMenu.GetCount(); ++i) {
        const CAppletMenuItem *item = mainMenu.GetItem(i);
        auto *node = new QTreeWidgetItem(this, {item->m_strLabel});
        if (const CAppletMenu *sub = item->m_pSubMenu.get())
            for (int j = 0; j < sub->GetCount(); ++j)
                new QTreeWidgetItem(node, {sub->GetItem(j)->m_strLabel});
    }
    expandAll();
}

void CMenuTreeView::SetLabel(Node node, const QString &strLabel)
{
    if (QTreeWidgetItem *item = ItemOf(node))
        item->setText(0, strLabel);
}

CMenuTreeView::Node CMenuTreeView::NodeOf(const QTreeWidgetItem *item) const
{
    Node node;
    if (!item)
        return node;
    if (const QTreeWidgetItem *parent = item->parent()) {
        node.nMain = indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(parent));
        node.nSub = parent->indexOfChild(const_cast<QTreeWidgetItem *>(item));
    } else {
        node.nMain = indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item));
    }
    return node;
}

QTreeWidgetItem *CMenuTreeView::ItemOf(Node node) const
{
    QTreeWidgetItem *main = node.nMain >= 0 ? topLevelItem(node.nMain) : nullptr;
    if (!main || !node.IsSub())
        return main;
    return main->child(node.nSub);
}

CMenuTreeView::Node CMenuTreeView::DropTarget(const QPoint &pos) const
{
    const Node from = CurrentNode();
    Node to;
    if (!from.IsValid())
        return to;
    const QTreeWidgetItem *item = itemAt(pos);
    const Node at = NodeOf(item);
    if (!from.IsSub()) {
        // A main item: before or after another main item, or last when
        // dropped below every row.
        int gap = topLevelItemCount();
        if (at.IsValid()) {
            if (at.IsSub())
                return to;
            const Where where = PlaceInRow(pos, visualItemRect(item));
            gap = where == Where::Above ? at.nMain
                : where == Where::Below ? at.nMain + 1
                : at.nMain <= from.nMain ? at.nMain : at.nMain + 1;
        }
        to.nMain = gap > from.nMain ? gap - 1 : gap;
    } else {
        if (!at.IsValid())
            return to;
        to.nMain = at.nMain;
        const int count = topLevelItem(at.nMain)->childCount();
        const bool sameMenu = at.nMain == from.nMain;
        int gap = 0;
        if (at.IsSub()) {
            const Where where = PlaceInRow(pos, visualItemRect(item));
            gap = where == Where::Above ? at.nSub
                : where == Where::Below ? at.nSub + 1
                : sameMenu && at.nSub > from.nSub ? at.nSub + 1 : at.nSub;
        } else {
            // Onto a main item: the end of its sub menu; just below an
            // open one: the start of it. A main item without a sub menu
            // takes no sub items.
            if (count == 0)
                return Node();
            const Where where = PlaceInRow(pos, visualItemRect(item));
            if (where == Where::Above)
                return Node();
            gap = where == Where::Below && item->isExpanded() ? 0 : count;
        }
        to.nSub = sameMenu && gap > from.nSub ? gap - 1 : gap;
    }
    if (to == from)
        return Node();
    return to;
}

void CMenuTreeView::keyPressEvent(QKeyEvent *event)
{
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Insert) {
        emit insertRequested();
        return;
    }
    if (mods == Qt::NoModifier && event->key() == Qt::Key_Delete) {
        emit deleteRequested();
        return;
    }
    if (mods == Qt::ControlModifier && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        emit moveRequested(event->key() == Qt::Key_Up ? -1 : +1);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CMenuTreeView::startDrag(Qt::DropActions)
{
    // The view's own drag would remove the dragged row after a move; here
    // the page changes the menu and rebuilds the view instead.
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(indexes));
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void CMenuTreeView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragEnterEvent(event);
    event->acceptProposedAction();
}

void CMenuTreeView::dragMoveEvent(QDragMoveEvent *event)
{
    // The view scrolls and draws the indicator; whether the drop is allowed
    // is this view's own rule.
    QTreeWidget::dragMoveEvent(event);
    if (event->source() == this && DropTarget(event->position().toPoint()).IsValid()) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CMenuTreeView::dropEvent(QDropEvent *event)
{
    // Nothing of the drop reaches the view's own model.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    setState(QAbstractItemView::NoState);
    viewport()->update();
    if (event->source() == this)
        DropAt(event->position().toPoint());
}

bool CMenuTreeView::DropAt(const QPoint &pos)
{
    const Node to = DropTarget(pos);
    if (!to.IsValid())
        return false;
    emit dropRequested(CurrentNode(), to);
    return true;
}
