#include "TestApp.h"

#include <QSettings>
#include <QtTest>

class TestWizardApp : public QObject {
    Q_OBJECT
private slots:
    void init();
    void absentSettingsGiveDefaults();
    void storedBrowserIsReadBack();
    void defaultBrowserWritesEmptyPath();
    void appFilePathUsesPlatformSeparators();
    void runWizardSetsSheetOnlyWhileRunning();
    void runWizardOpensTheGivenPage();
    void programIconIsBuiltIn();
};

void TestWizardApp::init()
{
    QStandardPaths::setTestModeEnabled(true);
    OpenUserSettings()->clear();
}

void TestWizardApp::absentSettingsGiveDefaults()
{
    CTestApp t;
    t.app.m_bUseDefaultBrowser = 0;
    t.app.m_strBrowserPath = QStringLiteral("x");
    t.app.ReadSettings();
    QCOMPARE(t.app.m_bUseDefaultBrowser, 1);
    QCOMPARE(t.app.m_strBrowserPath, QString());

    // A choice that is not a number counts as missing too.
    OpenUserSettings()->setValue(QStringLiteral("Web Browser/Use Default"), QStringLiteral("true"));
    t.app.m_bUseDefaultBrowser = 0;
    t.app.ReadSettings();
    QCOMPARE(t.app.m_bUseDefaultBrowser, 1);
}

void TestWizardApp::storedBrowserIsReadBack()
{
    {
        auto s = OpenUserSettings();
        s->beginGroup(QStringLiteral("Web Browser"));
        s->setValue(QStringLiteral("Use Default"), 0);
        s->setValue(QStringLiteral("Specify Browser"), QStringLiteral("/opt/my browser/run"));
    }
    CTestApp t;
    t.app.ReadSettings();
    QCOMPARE(t.app.m_bUseDefaultBrowser, 0);
    QCOMPARE(t.app.m_strBrowserPath, QStringLiteral("/opt/my browser/run"));
    // The settings live in the per-user store under the organisation name.
    QVERIFY(OpenUserSettings()->fileName().contains(QStringLiteral("Kestrune")));
}

void TestWizardApp::defaultBrowserWritesEmptyPath()
{
    CTestApp t;
    t.app.m_bUseDefaultBrowser = 1;
    t.app.m_strBrowserPath = QStringLiteral("/usr/bin/stale");
    t.app.WriteBrowserSettings();
    auto s = OpenUserSettings();
    QCOMPARE(s->value(QStringLiteral("Web Browser/Use Default")).toInt(), 1);
    QCOMPARE(s->value(QStringLiteral("Web Browser/Specify Browser")).toString(), QString());
}

void TestWizardApp::appFilePathUsesPlatformSeparators()
{
    CTestApp t;
    t.app.m_strAppDir = QStringLiteral("/opt/vantrel");
    QCOMPARE(t.app.AppFilePath(QStringLiteral("Sample\\Samples.html")),
             QStringLiteral("/opt/vantrel/Sample/Samples.html"));
    QCOMPARE(t.app.TemplateLibraryPath(), QStringLiteral("/opt/vantrel/Vantrel.qdx"));
}

void TestWizardApp::runWizardSetsSheetOnlyWhileRunning()
{
    CTestApp t;
    CMenuWizardSheet *seen = nullptr;
    // Closes the sheet as soon as its modal loop runs.
    QTimer::singleShot(0, [&] {
        seen = t.app.m_pWizardSheet;
        QVERIFY(seen);
        QCOMPARE(seen->GetActiveIndex(), 0);
        seen->reject();
    });
    CMenuWizardSheet::RunModal(t.app);
    QVERIFY(seen);
    QVERIFY(!t.app.m_pWizardSheet);
}

void TestWizardApp::runWizardOpensTheGivenPage()
{
    CTestApp t;
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("menu.htm"));
    QVERIFY(WriteFileBytes(page, "<html></html>"));
    QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("menu.qdx")), "[General]\r\nm_HTMLTitle=Reopened\r\n"));
    int shown = -1;
    QTimer::singleShot(0, [&] {
        shown = t.app.m_pWizardSheet->GetActiveIndex();
        t.app.m_pWizardSheet->reject();
    });
    CMenuWizardSheet::RunModal(t.app, page);
    // The page after the template page, with the page's project loaded.
    QCOMPARE(shown, 2);
    QCOMPARE(t.app.m_params.m_HTMLTitle, QStringLiteral("Reopened"));
    QCOMPARE(t.app.m_params.m_strHTMLPath, page);
}

void TestWizardApp::programIconIsBuiltIn()
{
    CWizardApp app;
    const QImage icon(QStringLiteral(":/vantrel/icon.png"));
    QVERIFY(!icon.isNull());
    QVERIFY(!QImage(QStringLiteral(":/vantrel/icon@2x.png")).isNull());
    QCOMPARE(icon.size() * 2, QImage(QStringLiteral(":/vantrel/icon@2x.png")).size());
}

QTEST_MAIN(TestWizardApp)
#include "tst_wizardapp.moc"
