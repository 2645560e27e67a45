#include "TestApp.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QtTest>

// The welcome page in a real sheet; dialogs and launches answered by the
// scripted seam, settings read back as a new start would.
class TestWelcomePage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void onlyNextEvenAfterComingBack();
    void viewSample_data();
    void viewSample();
    void options_data();
    void options();
    void aboutShowsAboutBox();
};

namespace {

enum class Action { ChooseDefault, ChooseUser, ChangeThenCancel };

void Seed(int useDefault, const QString &path)
{
    auto s = OpenUserSettings();
    s->clear();
    s->setValue(QStringLiteral("Web Browser/Use Default"), useDefault);
    s->setValue(QStringLiteral("Web Browser/Specify Browser"), path);
}

} // namespace

void TestWelcomePage::init()
{
    QStandardPaths::setTestModeEnabled(true);
    OpenUserSettings()->clear();
}

void TestWelcomePage::onlyNextEvenAfterComingBack()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    for (int round = 0; round < 2; ++round) {
        QCOMPARE(sheet.GetActiveIndex(), 0);
        QCOMPARE(sheet.WizardButtons(), int(PSWIZB_NEXT));
        QVERIFY(!sheet.BackButton()->isEnabled());
        QVERIFY(sheet.NextButton()->isEnabled());
        QVERIFY(!sheet.FinishButton()->isVisible());
        sheet.NextButton()->click();
        QCOMPARE(sheet.GetActiveIndex(), 1);
        sheet.BackButton()->click();
    }
    for (const char *id : {"1003", "1001", "1002"})
        QVERIFY2(Control<QPushButton>(&sheet.m_pageWelcome, id), id);
}

void TestWelcomePage::viewSample_data()
{
    QTest::addColumn<int>("useDefault");
    QTest::addColumn<QString>("browser");

    QTest::newRow("default browser") << 1 << QString();
    QTest::newRow("user browser") << 0 << QStringLiteral("/opt/my browser/run");
    // No viewer rule for the sample: the viewer gets the full path too.
    QTest::newRow("applet viewer") << 0 << QStringLiteral("/opt/jdk/bin/appletviewer");
}

void TestWelcomePage::viewSample()
{
    QFETCH(int, useDefault);
    QFETCH(QString, browser);

    CTestApp t;
    t.app.m_strAppDir = QStringLiteral("/opt/Program Files/Vantrel");
    t.app.m_bUseDefaultBrowser = useDefault;
    t.app.m_strBrowserPath = browser;
    CMenuWizardSheet &sheet = t.OpenSheet();
    Control<QPushButton>(&sheet.m_pageWelcome, "1003")->click();

    const QString sample = QStringLiteral("/opt/Program Files/Vantrel/Sample/Samples.html");
    if (useDefault) {
        QCOMPARE(t.ui->openedDocuments, QStringList{sample});
        QVERIFY(t.ui->launches.isEmpty());
    } else {
        QVERIFY(t.ui->openedDocuments.isEmpty());
        QCOMPARE(t.ui->launches.size(), 1);
        QCOMPARE(t.ui->launches[0].program, browser);
        QCOMPARE(t.ui->launches[0].arguments, QStringList{sample});
        QCOMPARE(t.ui->launches[0].workingDirectory, QString());
    }
}

void TestWelcomePage::options_data()
{
    QTest::addColumn<int>("seedDefault");
    QTest::addColumn<QString>("seedPath");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("useDefault");
    QTest::addColumn<QString>("browserPath");

    QTest::newRow("user browser confirmed")
        << 1 << QString() << int(Action::ChooseUser) << 0 << QStringLiteral("/opt/my browser/run");
    // A path still typed in the box is not kept with the default browser.
    QTest::newRow("default confirmed with path in box")
        << 0 << QStringLiteral("/usr/bin/old") << int(Action::ChooseDefault) << 1 << QString();
    QTest::newRow("cancel after changing to user")
        << 1 << QString() << int(Action::ChangeThenCancel) << 1 << QString();
    QTest::newRow("cancel after changing to default")
        << 0 << QStringLiteral("/usr/bin/old") << int(Action::ChangeThenCancel) << 0
        << QStringLiteral("/usr/bin/old");
}

void TestWelcomePage::options()
{
    QFETCH(int, seedDefault);
    QFETCH(QString, seedPath);
    QFETCH(int, action);
    QFETCH(int, useDefault);
    QFETCH(QString, browserPath);

    Seed(seedDefault, seedPath);
    CTestApp t;
    t.app.ReadSettings();
    t.ui->dialogHandlers << [action](QDialog &d) {
        auto &dlg = static_cast<COptionsDlg &>(d);
        auto *def = Control<QRadioButton>(&dlg, "1009");
        auto *user = Control<QRadioButton>(&dlg, "1010");
        auto *box = Control<QLineEdit>(&dlg, "1006");
        switch (Action(action)) {
        case Action::ChooseUser:
            user->click();
            box->setText(QStringLiteral("/opt/my browser/run"));
            Control<QPushButton>(&dlg, "1")->click();
            break;
        case Action::ChooseDefault:
            def->click();
            Control<QPushButton>(&dlg, "1")->click();
            break;
        case Action::ChangeThenCancel:
            (def->isChecked() ? static_cast<QAbstractButton *>(user) : def)->click();
            box->setText(QStringLiteral("/opt/other/run"));
            Control<QPushButton>(&dlg, "2")->click();
            break;
        }
    };
    CMenuWizardSheet &sheet = t.OpenSheet();
    Control<QPushButton>(&sheet.m_pageWelcome, "1001")->click();

    QCOMPARE(t.ui->dialogsShown, QStringList{QStringLiteral("131")});
    QVERIFY(t.ui->dialogHandlers.isEmpty());
    QCOMPARE(t.app.m_bUseDefaultBrowser, useDefault);
    if (useDefault == 0)
        QCOMPARE(t.app.m_strBrowserPath, browserPath);

    // What the next start reads.
    t.app.m_bUseDefaultBrowser = -1;
    t.app.m_strBrowserPath = QStringLiteral("junk");
    t.app.ReadSettings();
    QCOMPARE(t.app.m_bUseDefaultBrowser, useDefault);
    QCOMPARE(t.app.m_strBrowserPath, browserPath);
    auto s = OpenUserSettings();
    QCOMPARE(s->value(QStringLiteral("Web Browser/Specify Browser")).toString(), browserPath);
}

void TestWelcomePage::aboutShowsAboutBox()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    Control<QPushButton>(&sheet.m_pageWelcome, "1002")->click();
    QCOMPARE(t.ui->dialogsShown, QStringList{QStringLiteral("100")});
}

QTEST_MAIN(TestWelcomePage)
#include "tst_welcomepage.moc"
