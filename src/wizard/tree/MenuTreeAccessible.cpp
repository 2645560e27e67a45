#include "wizard/tree/MenuTreeAccessible.h"

#include <QAccessible>
#include <QByteArray>
#include <QWidget>
#include <QScopedValueRollback>

namespace {

// The view's own accessible object with the focus action added; everything
// else is passed on to it. The wrapper is what the accessibility cache hands
// out for the view, so the rows find it as their parent.
class CFocusableTreeAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit CFocusableTreeAccessible(QAccessibleInterface *inner)
        : m_inner(inner), m_innerId(QAccessible::uniqueId(inner))
    {
    }
    // Deleted with the view (or when the cache goes); the wrapped object goes
    // with it unless the cache has deleted it already.
    ~CFocusableTreeAccessible() override { QAccessible::deleteAccessibleInterface(m_innerId); }

    bool isValid() const override { return m_inner->isValid(); }
    QObject *object() const override { return m_inner->object(); }
    QWindow *window() const override { return m_inner->window(); }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override
    {
        return m_inner->relations(match);
    }
    QAccessibleInterface *focusChild() const override { return m_inner->focusChild(); }
    QAccessibleInterface *childAt(int x, int y) const override { return m_inner->childAt(x, y); }
    QAccessibleInterface *parent() const override { return m_inner->parent(); }
    QAccessibleInterface *child(int index) const override { return m_inner->child(index); }
    int childCount() const override { return m_inner->childCount(); }
    int indexOfChild(const QAccessibleInterface *child) const override { return m_inner->indexOfChild(child); }
    QString text(QAccessible::Text t) const override { return m_inner->text(t); }
    void setText(QAccessible::Text t, const QString &text) override { m_inner->setText(t, text); }
    QRect rect() const override { return m_inner->rect(); }
    QAccessible::Role role() const override { return m_inner->role(); }
    QAccessible::State state() const override { return m_inner->state(); }
    QColor foregroundColor() const override { return m_inner->foregroundColor(); }
    QColor backgroundColor() const override { return m_inner->backgroundColor(); }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        return m_inner->interface_cast(type);
    }
    void virtual_hook(int id, void *data) override { m_inner->virtual_hook(id, data); }

    QStringList actionNames() const override
    {
        const QWidget *view = View();
        if (!view || !view->isEnabled() || view->focusPolicy() == Qt::NoFocus)
            return {};
        return {setFocusAction()};
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == setFocusAction() && actionNames().contains(actionName))
            View()->setFocus(Qt::OtherFocusReason);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QWidget *View() const { return qobject_cast<QWidget *>(m_inner->object()); }

    QAccessibleInterface *const m_inner;
    const QAccessible::Id m_innerId;
};

// Set while the view's own accessible object is made, so that the factory
// below stands aside and the usual one makes it.
bool g_bMakingInner = false;
// The class of view the wrapper is made for.
QByteArray g_viewClass;

QAccessibleInterface *MenuTreeFactory(const QString &className, QObject *object)
{
    if (g_bMakingInner || !object || className != QLatin1String(g_viewClass))
        return nullptr;
    QAccessibleInterface *inner = nullptr;
    {
        const QScopedValueRollback<bool> making(g_bMakingInner, true);
        inner = QAccessible::queryAccessibleInterface(object);
    }
    return inner ? new CFocusableTreeAccessible(inner) : nullptr;
}

} // namespace

void GiveMenuTreeFocusAction(QWidget &view)
{
    static const bool installed = [&view] {
        g_viewClass = view.metaObject()->className();
        QAccessible::installFactory(MenuTreeFactory);
        return true;
    }();
    Q_UNUSED(installed);
    // An accessible object made while the view's base classes were being
    // built has none of it: it is dropped, and the next request makes the
    // wrapped one.
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&view);
    if (iface && !iface->actionInterface()) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
        QAccessible::queryAccessibleInterface(&view);
    }
}
