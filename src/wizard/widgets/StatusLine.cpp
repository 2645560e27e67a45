#include "wizard/widgets/StatusLine.h"

#include <QAccessible>

CStatusLine::CStatusLine(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    // The line keeps its room while empty, so the page does not move when
    // it speaks.
    setMinimumHeight(fontMetrics().height());
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Clear();
}

void CStatusLine::Say(const QString &text)
{
    // Shown and reachable before it speaks, so that the change is told of
    // a line screen readers can see.
    setFocusPolicy(Qt::StrongFocus);
    setVisible(true);
    setText(text);
    if (accessibleName() != text) {
        // Announces the change itself.
        setAccessibleName(text);
    } else {
        // The same words again (a second save): announced all the same.
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    emit Announced(text);
}

void CStatusLine::Clear()
{
    // An empty line is no stop for the keyboard nor for screen readers: it
    // is hidden (its room kept) and takes no focus until it speaks.
    if (hasFocus())
        focusNextChild();
    clear();
    setAccessibleName(QString());
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

QString CopiedToMenuMessage(bool bToSub)
{
    return bToSub ? QStringLiteral("Copied to the sub menu.") : QStringLiteral("Copied to the main menu.");
}
