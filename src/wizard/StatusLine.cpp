#include "wizard/StatusLine.h"

#include <QAccessible>

CStatusLine::CStatusLine(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    // The line keeps its room while empty, so the page does not move when
    // it speaks.
    setMinimumHeight(fontMetrics().height());
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

void CStatusLine::Say(const QString &text)
{
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
    clear();
    setAccessibleName(QString());
}

QString CopiedToMenuMessage(bool bToSub)
{
    return bToSub ? QStringLiteral("Copied to the sub menu.") : QStringLiteral("Copied to the main menu.");
}
