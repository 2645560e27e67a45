#pragma once

#include <QTreeWidget>

class CAppletMenu;

// The item page's picture of the menu tree: the main items at the top level
// in order, each sub menu's items under their main item. The view never
// changes the menu itself: keys and drops reach the page as requests, and the
// page rebuilds the view from the menu afterwards.
//
// Keys while the view has the focus: Insert, Delete, Ctrl+Up, Ctrl+Down.
// A node can be dragged within its own level: a main item among the main
// items, a sub item within its sub menu or into another sub menu (onto a
// sub item, or onto a main item that has a sub menu, which appends it).
class CMenuTreeView : public QTreeWidget {
    Q_OBJECT
public:
    // A node by its place: main item nMain, and item nSub of its sub menu
    // (-1 for the main item itself).
    struct Node {
        int nMain = -1;
        int nSub = -1;
        bool IsValid() const { return nMain >= 0; }
        bool IsSub() const { return nSub >= 0; }
        bool operator==(const Node &o) const { return nMain == o.nMain && nSub == o.nSub; }
    };

    explicit CMenuTreeView(QWidget *parent = nullptr);

    // Replaces every node with the menu's items, all expanded.
    void Rebuild(const CAppletMenu &mainMenu);
    void SetLabel(Node node, const QString &strLabel);
    Node NodeOf(const QTreeWidgetItem *item) const;
    QTreeWidgetItem *ItemOf(Node node) const;
    Node CurrentNode() const { return NodeOf(currentItem()); }

    // Where the selected node would go when dropped at pos (viewport
    // coordinates): the place it would then have, counted after it has
    // left its old one. Invalid when the drop is not allowed or would
    // change nothing.
    Node DropTarget(const QPoint &pos) const;
    // What a drop of the selected node at pos does: a request for an
    // allowed drop (true), nothing otherwise.
    bool DropAt(const QPoint &pos);

signals:
    void insertRequested();
    void deleteRequested();
    void moveRequested(int nDelta);
    void dropRequested(CMenuTreeView::Node from, CMenuTreeView::Node to);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
