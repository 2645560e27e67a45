#include "TestApp.h"
#include "app/PreviewLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    void installedCopyUsesPerUserFolder();
    void clearLeavesSubFoldersAndLinkTargets();
    void clearWithoutFolderDoesNothing();
    void linkedScratchFolderIsNeverUsed();
    void browserThatDoesNotStartIsReported_data();
    void browserThatDoesNotStartIsReported();
    void modernPreviewGetsTheScript();
    void scratchFolderIsOwnerOnly_data();
    void scratchFolderIsOwnerOnly();
    void unsafePerUserFolderIsRefused_data();
    void unsafePerUserFolderIsRefused();
    void linksInScratchFolderAreNeverFollowed();
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

// Makes the program folder unusable for previews, so that the per-user
// folder is chosen; returns that folder, removed beforehand (a link in its
// place is removed, never followed).
QString UsePerUserFolder(Fixture &f)
{
    const QString blocker = f.dir.filePath(QStringLiteral("not a folder"));
    WriteFileBytes(blocker, "x");
    f.t.app.m_strAppDir = QDir(blocker).filePath(QStringLiteral("Vantrel"));
    const QString perUser =
        QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("tmp"));
    if (QFileInfo(perUser).isSymLink())
        QFile::remove(perUser);
    else
        QDir(perUser).removeRecursively();
    return perUser;
}

int ModeOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st {};
    if (lstat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_mode & 07777);
#else
    Q_UNUSED(path);
    return -1;
#endif
}

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
    QCOMPARE(ScratchFolder(f.t.app), f.scratch);

    PreviewPage(f.t.app, kPage);

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
    PreviewPage(f.t.app, kPage);
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

    const QString scratch = ScratchFolder(f.t.app);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY2(scratch.startsWith(cache + QLatin1Char('/')), qPrintable(scratch));
    QVERIFY(!scratch.startsWith(blocker));

    PreviewPage(f.t.app, kPage);
    const QString preview = QDir(scratch).filePath(QStringLiteral("~Vantrel.htm"));
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.t.ui->openedDocuments, QStringList{preview});
    QCOMPARE(QString::fromUtf8(ReadFileBytes(preview)), kPage);

    ClearScratchFolder(f.t.app);
    QVERIFY(!QFileInfo::exists(scratch));
}

void TestPreviewLauncher::installedCopyUsesPerUserFolder()
{
    // An installed copy's folder may be writable (root runs it): nothing is
    // written there all the same.
    Fixture f;
    QVERIFY(WriteFileBytes(f.t.app.AppFilePath(QLatin1String(kInstalledMarker)), "installed\n"));
    const QDir program(f.t.app.m_strAppDir);
    const QStringList before = program.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const QString scratch = ScratchFolder(f.t.app);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY2(scratch.startsWith(cache + QLatin1Char('/')), qPrintable(scratch));
    PreviewPage(f.t.app, kPage);
    QVERIFY(f.t.ui->messages.isEmpty());
    const QString preview = QDir(scratch).filePath(QStringLiteral("~Vantrel.htm"));
    QCOMPARE(f.t.ui->openedDocuments, QStringList{preview});
    QCOMPARE(QString::fromUtf8(ReadFileBytes(preview)), kPage);
    QCOMPARE(program.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);

    ClearScratchFolder(f.t.app);
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

    ClearScratchFolder(f.t.app);

    QCOMPARE(scratch.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("sub")});
    QCOMPARE(ReadFileBytes(scratch.filePath(QStringLiteral("sub/by hand.txt"))), QByteArray("mine"));
    QCOMPARE(ReadFileBytes(outsideFile), QByteArray("keep"));
    QCOMPARE(ReadFileBytes(QDir(outsideDir).filePath(QStringLiteral("inner.txt"))), QByteArray("keep"));

    // Without the sub-folder the folder itself goes.
    QVERIFY(QDir(scratch.filePath(QStringLiteral("sub"))).removeRecursively());
    WriteFileBytes(scratch.filePath(QStringLiteral("~Vantrel.qdx")), "x");
    ClearScratchFolder(f.t.app);
    QVERIFY(!QFileInfo::exists(f.scratch));
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestPreviewLauncher::clearWithoutFolderDoesNothing()
{
    Fixture f;
    const QStringList before = QDir(f.t.app.m_strAppDir).entryList(QDir::AllEntries | QDir::Hidden);
    ClearScratchFolder(f.t.app);
    // Finding out where the folder goes leaves nothing behind either.
    QCOMPARE(ScratchFolder(f.t.app), f.scratch);
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

    const QString scratch = ScratchFolder(f.t.app);
    QVERIFY2(!scratch.startsWith(f.t.app.m_strAppDir), qPrintable(scratch));
    PreviewPage(f.t.app, kPage);
    ClearScratchFolder(f.t.app);
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
        PreviewPage(f.t.app, kPage);
    else
        OpenInBrowser(f.t.app, f.t.app.AppFilePath(QStringLiteral("Glidebar.class")));
    QCOMPARE(f.t.ui->messages.size(), 1);
    const QString text = f.t.ui->messages[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("The web browser could not be started")), qPrintable(text));
    QCOMPARE(text.contains(QStringLiteral("/opt/gone/browser")), !useDefault);
    QVERIFY(text.contains(QStringLiteral("Options...")));

    // A browser that starts says nothing.
    f.t.ui->launchesSucceed = true;
    f.t.ui->messages.clear();
    PreviewPage(f.t.app, kPage);
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
    PreviewPage(f.t.app, kPage);
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(ReadFileBytes(QDir(f.scratch).filePath(QStringLiteral("glidebar.js"))),
             QByteArray("// menu script\n"));
    ClearScratchFolder(f.t.app);

    QVERIFY(QFile::remove(script));
    PreviewPage(f.t.app, kPage);
    QCOMPARE(f.t.ui->messages.size(), 1);
    const QString message = f.t.ui->MessageTexts().constFirst();
    QVERIFY2(message.startsWith(QStringLiteral("Save as file failed!\n")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("glidebar.js")), qPrintable(message));
    QCOMPARE(f.t.ui->openedDocuments.size(), 2);
}

void TestPreviewLauncher::scratchFolderIsOwnerOnly_data()
{
    QTest::addColumn<bool>("perUser");
    QTest::addColumn<int>("existingMode"); // -1: the folder is missing
    QTest::newRow("program folder, new") << false << -1;
    QTest::newRow("program folder, open to all") << false << 0777;
    QTest::newRow("per-user folder, new") << true << -1;
    QTest::newRow("per-user folder, readable by all") << true << 0755;
}

void TestPreviewLauncher::scratchFolderIsOwnerOnly()
{
#ifndef Q_OS_UNIX
    QSKIP("permission bits");
#else
    QFETCH(bool, perUser);
    QFETCH(int, existingMode);
    Fixture f;
    const QString scratch = perUser ? UsePerUserFolder(f) : f.scratch;
    if (existingMode >= 0) {
        QVERIFY(QDir().mkpath(scratch));
        QVERIFY(chmod(QFile::encodeName(scratch).constData(), mode_t(existingMode)) == 0);
    }
    PreviewPage(f.t.app, kPage);
    QVERIFY2(f.t.ui->messages.isEmpty(), qPrintable(f.t.ui->MessageTexts().join('|')));
    QCOMPARE(ModeOf(scratch), 0700);
    QCOMPARE(f.t.ui->openedDocuments, QStringList{QDir(scratch).filePath(QStringLiteral("~Vantrel.htm"))});
    ClearScratchFolder(f.t.app);
    QVERIFY(!QFileInfo::exists(scratch));
#endif
}

void TestPreviewLauncher::unsafePerUserFolderIsRefused_data()
{
    QTest::addColumn<bool>("link"); // else a folder of another user's
    QTest::addColumn<QString>("reason");
    QTest::newRow("a link to a folder of the user's") << true << "it is a link";
    QTest::newRow("another user's folder") << false << "it belongs to another user";
}

void TestPreviewLauncher::unsafePerUserFolderIsRefused()
{
#ifndef Q_OS_UNIX
    QSKIP("links and owners");
#else
    QFETCH(bool, link);
    QFETCH(QString, reason);
    Fixture f;
    const QString scratch = UsePerUserFolder(f);
    const QString elsewhere = f.dir.filePath(QStringLiteral("Documents"));
    QVERIFY(WriteFileBytes(QDir(elsewhere).filePath(QStringLiteral("letter.txt")), "keep"));
    QVERIFY(QDir().mkpath(QFileInfo(scratch).absolutePath()));
    const QString watched = link ? elsewhere : scratch;
    if (link) {
        QVERIFY(QFile::link(elsewhere, scratch));
    } else {
        if (geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QVERIFY(QDir().mkdir(scratch));
        QVERIFY(WriteFileBytes(QDir(scratch).filePath(QStringLiteral("letter.txt")), "keep"));
        QVERIFY(chown(QFile::encodeName(scratch).constData(), 65534, 65534) == 0);
    }

    QString refusal;
    QCOMPARE(ScratchFolder(f.t.app, &refusal), QString());
    PreviewPage(f.t.app, kPage);
    // Told as a failed save, with the reason; nothing is opened or written.
    QCOMPARE(f.t.ui->MessageTexts(),
             QStringList("Save as file failed!\nThe preview folder " + QDir::toNativeSeparators(scratch)
                         + " is not used: " + reason + "."));
    QVERIFY(f.t.ui->openedDocuments.isEmpty());
    ClearScratchFolder(f.t.app);
    QCOMPARE(QDir(watched).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("letter.txt")});
    QCOMPARE(ReadFileBytes(QDir(watched).filePath(QStringLiteral("letter.txt"))), QByteArray("keep"));
    if (link)
        QFile::remove(scratch);
    else
        QDir(scratch).removeRecursively();
#endif
}

void TestPreviewLauncher::linksInScratchFolderAreNeverFollowed()
{
#ifndef Q_OS_UNIX
    QSKIP("links");
#else
    // Links planted where the preview writes its files, where its lock goes,
    // and elsewhere in the folder: none of the files they point to changes.
    Fixture f;
    QVERIFY(QDir().mkdir(f.scratch));
    QVERIFY(chmod(QFile::encodeName(f.scratch).constData(), 0700) == 0);
    const QStringList names = {"~Vantrel.htm", "~Vantrel.qdx", "Glidebar.class", ".~Vantrel.qdx.lock",
                               ".~Vantrel.qdx.new0", "other"};
    const QDir outside(f.dir.filePath(QStringLiteral("outside")));
    QVERIFY(QDir().mkpath(outside.path()));
    for (const QString &name : names) {
        QVERIFY(WriteFileBytes(outside.filePath(name), "keep"));
        QVERIFY(QFile::link(outside.filePath(name), QDir(f.scratch).filePath(name)));
    }
    PreviewPage(f.t.app, kPage);
    QVERIFY2(f.t.ui->messages.isEmpty(), qPrintable(f.t.ui->MessageTexts().join('|')));
    for (const QString &name : names)
        QCOMPARE(ReadFileBytes(outside.filePath(name)), QByteArray("keep"));
    const QDir scratch(f.scratch);
    QCOMPARE(scratch.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList({"Glidebar.class", "~Vantrel.htm", "~Vantrel.qdx"}));
    for (const QString &name : scratch.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        QVERIFY2(!QFileInfo(scratch.filePath(name)).isSymLink(), qPrintable(name));
    QCOMPARE(QString::fromUtf8(ReadFileBytes(scratch.filePath(QStringLiteral("~Vantrel.htm")))), kPage);
#endif
}

QTEST_MAIN(TestPreviewLauncher)
#include "tst_previewlauncher.moc"
