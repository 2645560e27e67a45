#include "TestApp.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The browser options dialog on its own, answered through the scripted seam.
class TestOptionsDlg : public QObject {
    Q_OBJECT
private slots:
    void opensOnCurrentChoice_data();
    void opensOnCurrentChoice();
    void switchingRadiosKeepsText();
    void okStoresChoice_data();
    void okStoresChoice();
    void okWithoutPathIsRefused();
    void browseFillsBox();
    void openFilterOffersAllFiles_data();
    void openFilterOffersAllFiles();
};

void TestOptionsDlg::opensOnCurrentChoice_data()
{
    QTest::addColumn<int>("useDefault");
    QTest::addColumn<QString>("storedPath");
    QTest::addColumn<bool>("userChecked");
    QTest::addColumn<QString>("shownPath");

    // A path left over with the default browser is neither used nor shown.
    QTest::newRow("default") << 1 << QStringLiteral("/usr/bin/stale") << false << QString();
    QTest::newRow("user") << 0 << QStringLiteral("/opt/my browser/run") << true
                          << QStringLiteral("/opt/my browser/run");
}

void TestOptionsDlg::opensOnCurrentChoice()
{
    QFETCH(int, useDefault);
    QFETCH(QString, storedPath);
    QFETCH(bool, userChecked);
    QFETCH(QString, shownPath);

    CTestApp t;
    t.app.m_bUseDefaultBrowser = useDefault;
    t.app.m_strBrowserPath = storedPath;
    COptionsDlg dlg(t.app);
    QCOMPARE(dlg.objectName(), QStringLiteral("131"));
    auto *def = Control<QRadioButton>(&dlg, "1009");
    auto *user = Control<QRadioButton>(&dlg, "1010");
    auto *box = Control<QLineEdit>(&dlg, "1006");
    auto *browse = Control<QPushButton>(&dlg, "1007");
    QVERIFY(def && user && box && browse);
    QCOMPARE(def->isChecked(), !userChecked);
    QCOMPARE(user->isChecked(), userChecked);
    QCOMPARE(box->text(), shownPath);
    QCOMPARE(box->isEnabled(), userChecked);
    QCOMPARE(browse->isEnabled(), userChecked);
    QCOMPARE(dlg.m_nBrowser, userChecked ? 1 : 0);
    QCOMPARE(dlg.m_nLastBrowser, dlg.m_nBrowser);
}

void TestOptionsDlg::switchingRadiosKeepsText()
{
    CTestApp t;
    COptionsDlg dlg(t.app);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto *def = Control<QRadioButton>(&dlg, "1009");
    auto *user = Control<QRadioButton>(&dlg, "1010");
    auto *box = Control<QLineEdit>(&dlg, "1006");
    auto *browse = Control<QPushButton>(&dlg, "1007");

    user->click();
    QVERIFY(box->isEnabled());
    QVERIFY(browse->isEnabled());
    QCOMPARE(dlg.focusWidget(), box);
    box->setText(QStringLiteral("/opt/b/run"));

    def->click();
    QVERIFY(!box->isEnabled());
    QVERIFY(!browse->isEnabled());
    QCOMPARE(box->text(), QStringLiteral("/opt/b/run"));
    // The radio that is already checked changes nothing.
    def->click();
    QVERIFY(!box->isEnabled());

    user->click();
    QVERIFY(box->isEnabled());
    QCOMPARE(box->text(), QStringLiteral("/opt/b/run"));
    // Nothing reaches the application before OK.
    QCOMPARE(t.app.m_bUseDefaultBrowser, 1);
    QCOMPARE(t.app.m_strBrowserPath, QString());
}

void TestOptionsDlg::okStoresChoice_data()
{
    QTest::addColumn<int>("startDefault");
    QTest::addColumn<bool>("chooseUser");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("useDefault");
    QTest::addColumn<QString>("browserPath");

    QTest::newRow("default, path typed then abandoned")
        << 1 << false << QStringLiteral("/opt/b/run") << 1 << QString();
    QTest::newRow("user browser") << 1 << true << QStringLiteral("/opt/my browser/run") << 0
                                  << QStringLiteral("/opt/my browser/run");
    // Not checked for existence: a wrong path shows when a page is opened.
    QTest::newRow("missing program accepted")
        << 1 << true << QStringLiteral("/nowhere/browser") << 0 << QStringLiteral("/nowhere/browser");
    QTest::newRow("back to default") << 0 << false << QStringLiteral("/opt/b/run") << 1 << QString();
}

void TestOptionsDlg::okStoresChoice()
{
    QFETCH(int, startDefault);
    QFETCH(bool, chooseUser);
    QFETCH(QString, typed);
    QFETCH(int, useDefault);
    QFETCH(QString, browserPath);

    CTestApp t;
    t.app.m_bUseDefaultBrowser = startDefault;
    t.app.m_strBrowserPath = startDefault ? QString() : QStringLiteral("/usr/bin/old");
    COptionsDlg dlg(t.app);
    Control<QRadioButton>(&dlg, "1010")->click();
    Control<QLineEdit>(&dlg, "1006")->setText(typed);
    if (!chooseUser)
        Control<QRadioButton>(&dlg, "1009")->click();
    Control<QPushButton>(&dlg, "1")->click();

    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(t.ui->messages.isEmpty());
    QCOMPARE(t.app.m_bUseDefaultBrowser, useDefault);
    QCOMPARE(t.app.m_strBrowserPath, browserPath);
    QCOMPARE(dlg.m_nBrowser, chooseUser ? 1 : 0);
    QCOMPARE(dlg.m_strExecFile, typed);
}

void TestOptionsDlg::okWithoutPathIsRefused()
{
    CTestApp t;
    COptionsDlg dlg(t.app);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy accepted(&dlg, &QDialog::accepted);
    Control<QRadioButton>(&dlg, "1010")->click();
    Control<QPushButton>(&dlg, "1")->click();

    QCOMPARE(t.ui->MessageTexts(),
             QStringList{QStringLiteral("You must specify the web browser's execute file!")});
    QCOMPARE(accepted.count(), 0);
    QVERIFY(dlg.isVisible());
    QVERIFY(Control<QRadioButton>(&dlg, "1010")->isChecked());
    QCOMPARE(t.app.m_bUseDefaultBrowser, 1);

    // Cancel afterwards leaves the application as it was.
    Control<QPushButton>(&dlg, "2")->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(t.app.m_bUseDefaultBrowser, 1);
    QCOMPARE(t.app.m_strBrowserPath, QString());
}

void TestOptionsDlg::browseFillsBox()
{
    CTestApp t;
    t.app.m_bUseDefaultBrowser = 0;
    t.app.m_strBrowserPath = QStringLiteral("/usr/bin/old");
    COptionsDlg dlg(t.app);
    auto *box = Control<QLineEdit>(&dlg, "1006");
    t.ui->openFileAnswers << QStringLiteral("/opt/new browser/run") << QString();

    Control<QPushButton>(&dlg, "1007")->click();
    QCOMPARE(box->text(), QStringLiteral("/opt/new browser/run"));
    QCOMPARE(t.ui->openFileRequests.size(), 1);
    QCOMPARE(t.ui->openFileRequests[0].filter, QStringLiteral("Web Browser(*.EXE) | *.EXE"));

    // A cancelled browse keeps the box as it is.
    Control<QPushButton>(&dlg, "1007")->click();
    QCOMPARE(box->text(), QStringLiteral("/opt/new browser/run"));
    QCOMPARE(t.ui->openFileRequests.size(), 2);
}

void TestOptionsDlg::openFilterOffersAllFiles_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qtFilter");

    QTest::newRow("browser") << QStringLiteral("Web Browser(*.EXE) | *.EXE")
                             << QStringLiteral("Web Browser (*.EXE)");
    QTest::newRow("pages") << QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||")
                           << QStringLiteral("HTML Files (*.htm *.html)");
}

void TestOptionsDlg::openFilterOffersAllFiles()
{
    QFETCH(QString, filter);
    QFETCH(QString, qtFilter);
#ifndef Q_OS_WIN
    // Programs here have no ".EXE", and names differ by letter case: the user
    // must be able to pick any file.
    qtFilter += QStringLiteral(";;All Files (*)");
#endif
    QCOMPARE(ToQtOpenFileFilter(filter), qtFilter);
}

QTEST_MAIN(TestOptionsDlg)
#include "tst_optionsdlg.moc"
