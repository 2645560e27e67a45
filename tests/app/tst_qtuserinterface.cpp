#include "app/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The real message boxes, answered by keys sent while they are open.
class TestQtUserInterface : public QObject {
    Q_OBJECT
private slots:
    void escape_data();
    void escape();
};

void TestQtUserInterface::escape_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("afterEscape"); // what the box gives after Escape (then Yes if still open)
    // Yes/No wants an answer: Escape is ignored.
    QTest::newRow("Yes/No") << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Yes);
    // With Cancel, Escape cancels.
    QTest::newRow("Yes/No/Cancel") << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                   << int(QMessageBox::Cancel);
    QTest::newRow("OK") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
}

void TestQtUserInterface::escape()
{
    QFETCH(int, buttons);
    QFETCH(int, afterEscape);
    CQtUserInterface ui;
    bool focusShown = false;
    QTimer::singleShot(0, this, [&] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        focusShown = box->testAttribute(Qt::WA_KeyboardFocusChange);
        QTest::keyClick(box, Qt::Key_Escape);
        // Still open: the user answers.
        if (QApplication::activeModalWidget() == box)
            qobject_cast<QMessageBox *>(box)->button(QMessageBox::Yes)->click();
    });
    const auto answer = ui.MessageBox(nullptr, QStringLiteral("Save?"), QMessageBox::StandardButtons(buttons));
    QCOMPARE(int(answer), afterEscape);
    QVERIFY(focusShown);
}

QTEST_MAIN(TestQtUserInterface)
#include "tst_qtuserinterface.moc"
