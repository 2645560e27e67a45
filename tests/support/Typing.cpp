#include "Typing.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

void Type(QWidget *box, const QString &text)
{
    box->setFocus(Qt::MouseFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
    else if (auto *combo = qobject_cast<QComboBox *>(box))
        combo->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        // Key codes exist for ASCII only; other characters come as key text.
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void TabAway()
{
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key_Tab);
}
