#include "TestApp.h"
#include "app/PreviewLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtTest>

// Previews written into the scratch folder and handed to the chosen browser,
// and the clearing of that folder.
class TestPreviewLauncher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void previewOpensInChosenBrowser_data();
    void previewOpensInChosenBrowser();
    void saveFailureIsReportedAndBrowserStillStarts();
    void readOnlyProgramFolderUsesPerUserFolder();
    void clearLeavesSubFoldersAndLinkTargets();
    void clearWithoutFolderDoesNothing();
    void linkedScratchFolderIsNeverUsed();
    void browserThatDoesNotStartIsReported_data();
    void browserThatDoesNotStartIsReported();
    void modernPreviewGetsTheScript();
};

namespace {

const QString kPage = QStringLiteral("<html><body>preview \u00e9</body></html>\r\n");

// A program folder whose path holds blanks, with the class file in it.
struct Fixture {
    Fixture()
    {
        t.app.m_strAppDir = dir.filePath(QStringLiteral("Program Files/Vantrel Wizard"));
        QDir().mkpath(t.app.m_strAppDir);
        QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/Glidebar.class"),
                    t.app.AppFilePath(QStringLiteral("Glidebar.class")));
        scratch = t.app.AppFilePath(QStringLiteral("tmp"));
    }
    QTemporaryDir dir;
    CTestApp t;
    QString scratch;
};

} // namespace

void TestPreviewLauncher::init()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestPreviewLauncher::previewOpensInChosenBrowser_data()
{
    QTest::addColumn<int>("useDefault");
    QTest::addColumn<QString>("browser");
    QTest::addColumn<bool>("viewer");

    QTest::newRow("default browser") << 1 << QString() << false;
    // One argument, whole and unquoted, blanks and all.
    QTest::newRow("user browser with blanks")
        << 0 << QStringLiteral("/opt/My Browser/bin/browse") << false;
    QTest::newRow("applet viewer, mixed case")
        << 0 << QStringLiteral("/opt/Java Kit/bin/AppletViewer") << true;
    QTest::newRow("applet viewer, windows path")
        << 0 << QStringLiteral("C:\\JDK\\BIN\\APPLETVIEWER.EXE") << true;
}

void TestPreviewLauncher::previewOpensInChosenBrowser()
{
    QFETCH(int, useDefault);
    QFETCH(QString, browser);
    QFETCH(bool, viewer);

    Fixture f;
    f.t.app.m_bUseDefaultBrowser = useDefault;
    f.t.app.m_strBrowserPath = browser;
    const QString cwd = QDir::currentPath();
    QCOMPARE(ScratchFolder(), f.scratch);

    PreviewPage(kPage);

    const QString preview = QDir(f.scratch).filePath(QStringLiteral("~Vantrel.htm"));
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(QString::fromUtf8(ReadFileBytes(preview)), kPage);
    QVERIFY(QFileInfo::exists(QDir(f.scratch).filePath(QStringLiteral("Glidebar.class"))));
    QVERIFY(QFileInfo::exists(QDir(f.scratch).filePath(QStringLiteral("~Vantrel.qdx"))));

    if (useDefault) {
        QCOMPARE(f.t.ui->openedDocuments, QStringList{preview});
        QVERIFY(f.t.ui->launches.isEmpty());
    } else {
        QVERIFY(f.t.ui->openedDocuments.isEmpty());
        QCOMPARE(f.t.ui->launches.size(), 1);
        const CScriptedUi::Launch &l = f.t.ui->launches[0];
        QCOMPARE(l.program, browser);
        if (viewer) {
            QCOMPARE(l.arguments, QStringList{QStringLiteral("~Vantrel.htm")});
            QCOMPARE(l.workingDirectory, f.scratch);
        } else {
            QCOMPARE(l.arguments, QStringList{preview});
            QCOMPARE(l.workingDirectory, QString());
        }
    }
    // The program's own working folder is left alone.
    QCOMPARE(QDir::currentPath(), cwd);
}

void TestPreviewLauncher::saveFailureIsReportedAndBrowserStillStarts()
{
    Fixture f;
    // A folder where the page should go makes the save fail.
    QVERIFY(QDir().mkpath(QDir(f.scratch).filePath(QStringLiteral("~Vantrel.htm"))));
    PreviewPage(kPage);
    QCOMPARE(f.t.ui->messages.size(), 1);
    // The reason follows on a line of its own.
    const QStringList lines = f.t.ui->MessageTexts().constFirst().split(QLatin1Char('\n'));
    QCOMPARE(lines.constFirst(), QStringLiteral("Save as file failed!"));
    QCOMPARE(lines.size(), 2);
    QVERIFY(!lines.constLast().isEmpty());
    QCOMPARE(f.t.ui->openedDocuments.size(), 1);
}

void TestPreviewLauncher::readOnlyProgramFolderUsesPerUserFolder()
{
    Fixture f;
    // No folder can be made below a regular file, whoever runs the test.
    const QString blocker = f.dir.filePath(QStringLiteral("not a folder"));
    QVERIFY(WriteFileBytes(blocker, "x"));
    f.t.app.m_strAppDir = QDir(blocker).filePath(QStringLiteral("Vantrel"));

    const QString scratch = ScratchFolder();
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY2(scratch.startsWith(cache + QLatin1Char('/')), qPrintable(scratch));
    QVERIFY(!scratch.startsWith(blocker));

    PreviewPage(kPage);
    const QString preview = QDir(scratch).filePath(QStringLiteral("~Vantrel.htm"));
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.t.ui->openedDocuments, QStringList{preview});
    QCOMPARE(QString::fromUtf8(ReadFileBytes(preview)), kPage);

    ClearScratchFolder();
    QVERIFY(!QFileInfo::exists(scratch));
}

void TestPreviewLauncher::clearLeavesSubFoldersAndLinkTargets()
{
    Fixture f;
    const QString outsideFile = f.dir.filePath(QStringLiteral("outside.txt"));
    const QString outsideDir = f.dir.filePath(QStringLiteral("outside"));
    QVERIFY(WriteFileBytes(outsideFile, "keep"));
    QVERIFY(WriteFileBytes(QDir(outsideDir).filePath(QStringLiteral("inner.txt")), "keep"));
    const QDir scratch(f.scratch);
    QVERIFY(WriteFileBytes(scratch.filePath(QStringLiteral("~Vantrel.htm")), "page"));
    QVERIFY(WriteFileBytes(scratch.filePath(QStringLiteral(".hidden")), "x"));
    QVERIFY(WriteFileBytes(scratch.filePath(QStringLiteral("sub/by hand.txt")), "mine"));
    QVERIFY(QFile::link(outsideFile, scratch.filePath(QStringLiteral("file link"))));
    QVERIFY(QFile::link(outsideDir, scratch.filePath(QStringLiteral("folder link"))));

    ClearScratchFolder();

    QCOMPARE(scratch.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("sub")});
    QCOMPARE(ReadFileBytes(scratch.filePath(QStringLiteral("sub/by hand.txt"))), QByteArray("mine"));
    QCOMPARE(ReadFileBytes(outsideFile), QByteArray("keep"));
    QCOMPARE(ReadFileBytes(QDir(outsideDir).filePath(QStringLiteral("inner.txt"))), QByteArray("keep"));

    // Without the sub-folder the folder itself goes.
    QVERIFY(QDir(scratch.filePath(QStringLiteral("sub"))).removeRecursively());
    WriteFileBytes(scratch.filePath(QStringLiteral("~Vantrel.qdx")), "x");
    ClearScratchFolder();
    QVERIFY(!QFileInfo::exists(f.scratch));
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestPreviewLauncher::clearWithoutFolderDoesNothing()
{
    Fixture f;
    const QStringList before = QDir(f.t.app.m_strAppDir).entryList(QDir::AllEntries | QDir::Hidden);
    ClearScratchFolder();
    // Finding out where the folder goes leaves nothing behind either.
    QCOMPARE(ScratchFolder(), f.scratch);
    QCOMPARE(QDir(f.t.app.m_strAppDir).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestPreviewLauncher::linkedScratchFolderIsNeverUsed()
{
    Fixture f;
    // The program folder's scratch folder is a link to a folder of the user's.
    const QString documents = f.dir.filePath(QStringLiteral("Documents"));
    QVERIFY(WriteFileBytes(QDir(documents).filePath(QStringLiteral("letter.txt")), "keep"));
    QVERIFY(QFile::link(documents, f.scratch));

    const QString scratch = ScratchFolder();
    QVERIFY2(!scratch.startsWith(f.t.app.m_strAppDir), qPrintable(scratch));
    PreviewPage(kPage);
    ClearScratchFolder();
    QCOMPARE(QDir(documents).entryList(QDir::Files), QStringList{QStringLiteral("letter.txt")});
    QCOMPARE(ReadFileBytes(QDir(documents).filePath(QStringLiteral("letter.txt"))), QByteArray("keep"));
    QVERIFY(QFileInfo(f.scratch).isSymLink());
}

void TestPreviewLauncher::browserThatDoesNotStartIsReported_data()
{
    QTest::addColumn<bool>("useDefault");
    QTest::addColumn<bool>("preview"); // a preview, else a document opened
    QTest::newRow("default browser, preview") << true << true;
    QTest::newRow("user browser, preview") << false << true;
    QTest::newRow("default browser, document") << true << false;
    QTest::newRow("user browser, document") << false << false;
}

void TestPreviewLauncher::browserThatDoesNotStartIsReported()
{
    QFETCH(bool, useDefault);
    QFETCH(bool, preview);
    Fixture f;
    f.t.app.m_bUseDefaultBrowser = useDefault ? 1 : 0;
    f.t.app.m_strBrowserPath = QStringLiteral("/opt/gone/browser");
    f.t.ui->launchesSucceed = false;
    if (preview)
        PreviewPage(kPage);
    else
        OpenInBrowser(f.t.app.AppFilePath(QStringLiteral("Glidebar.class")));
    QCOMPARE(f.t.ui->messages.size(), 1);
    const QString text = f.t.ui->messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("The web browser could not be started")), qPrintable(text));
    QCOMPARE(text.contains(QStringLiteral("/opt/gone/browser")), !useDefault);
    QVERIFY(text.contains(QStringLiteral("Options...")));

    // A browser that starts says nothing.
    f.t.ui->launchesSucceed = true;
    f.t.ui->messages.clear();
    PreviewPage(kPage);
    QVERIFY(f.t.ui->messages.isEmpty());
}

// A page for today's browsers is previewed with its script beside it; a
// program folder without the script fails the preview's save, which is
// reported, and the browser still starts.
void TestPreviewLauncher::modernPreviewGetsTheScript()
{
    Fixture f;
    f.t.app.m_params.m_ModernPage = 1;
    const QString script = f.t.app.AppFilePath(QStringLiteral("glidebar.js"));
    QVERIFY(WriteFileBytes(script, "// menu script\n"));
    PreviewPage(kPage);
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(ReadFileBytes(QDir(f.scratch).filePath(QStringLiteral("glidebar.js"))),
             QByteArray("// menu script\n"));
    ClearScratchFolder();

    QVERIFY(QFile::remove(script));
    PreviewPage(kPage);
    QCOMPARE(f.t.ui->messages.size(), 1);
    const QString message = f.t.ui->MessageTexts().constFirst();
    QVERIFY2(message.startsWith(QStringLiteral("Save as file failed!\n")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("glidebar.js")), qPrintable(message));
    QCOMPARE(f.t.ui->openedDocuments.size(), 2);
}

QTEST_MAIN(TestPreviewLauncher)
#include "tst_previewlauncher.moc"
