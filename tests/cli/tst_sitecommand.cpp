#include "TestFiles.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"
#include "store/site/SitePageText.h"
#include "store/project/StoredConfig.h"
#include "store/ini/IniFile.h"
#include "ProgramRun.h"

#include <QtTest>

namespace {

// vantrel-gen copied into a program folder of the test's own, with the
// files a save copies beside it.
QString g_gen;

CRun RunGen(const QStringList &args, const QString &workDir)
{
    return RunProgram(g_gen, args, workDir);
}

// A site: site.qdx (a menu whose item links "about.html"), and pages.
void MakeSite(const QString &dir, bool listPages)
{
    CAppletParameters p;
    p.m_ModernPage = 1;
    p.m_mmWidth = 80;
    p.m_mmHeight = 20;
    p.m_pMainMenu->SetItemCount(2, 0);
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("About");
    p.m_pMainMenu->GetItem(0)->m_strLink = QStringLiteral("about.html");
    p.m_pMainMenu->GetItem(1)->m_strLabel = QStringLiteral("Missing picture");
    p.m_pMainMenu->GetItem(1)->m_strImage = QDir(dir).filePath("nowhere.gif");
    WriteFileBytes(QDir(dir).filePath("about.html"), "<html>\n<body>\n<p>about</p>\n</body>\n</html>\n");
    WriteFileBytes(QDir(dir).filePath("products/a.html"), "<html><head></head>\r\n<body>\r\n<p>a</p>\r\n");
    WriteFileBytes(QDir(dir).filePath("products/old/b.html"),
                   QByteArray("<body>\n") + kMenuMarkerBegin + "\nold\n" + kMenuMarkerEnd + "\n");
    WriteFileBytes(QDir(dir).filePath("plain.txt"), "no place for a menu\n");
    if (listPages) {
        for (const char *page : {"about.html", "products/a.html", "products/old/b.html"}) {
            CSitePage listed;
            listed.strPath = QLatin1String(page);
            p.m_SitePages.append(listed);
        }
    }
    WriteFileBytes(QDir(dir).filePath("site.qdx"), ProjectIniFor(p).ToBytes());
}

// Every file below dir with its bytes.
QMap<QString, QByteArray> Snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), ReadFileBytes(path));
    }
    return files;
}

} // namespace

class TestSiteCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void dryRunListsStatesAndWritesNothing();
    void updatesListedPagesAndJoinsNamedOnes();
    void refusals_data();
    void refusals();
    void dryRunAgreesWithTheRealRun_data();
    void dryRunAgreesWithTheRealRun();
    void removeRestoresThePages();
    void linksToMissingFilesAreWarnings();
    void helpTellsOfSite();

private:
    QTemporaryDir m_programDir;
};

void TestSiteCommand::initTestCase()
{
    const QDir bin(QStringLiteral(VANTREL_BIN_DIR));
    const QDir dir(m_programDir.path());
    QVERIFY(QFile::copy(bin.filePath("vantrel-gen"), dir.filePath("vantrel-gen")));
    QVERIFY(QFile::copy(bin.filePath("Glidebar.class"), dir.filePath("Glidebar.class")));
    QVERIFY(WriteFileBytes(dir.filePath("glidebar.js"), "// menu script\n"));
    g_gen = dir.filePath("vantrel-gen");
}

void TestSiteCommand::dryRunListsStatesAndWritesNothing()
{
    QTemporaryDir dir;
    MakeSite(dir.path(), true);
    const auto before = Snapshot(dir.path());
    // A page the real run would refuse fails the dry run too.
    const CRun run = RunGen({"site", "--dry-run", "site.qdx", "plain.txt"}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QByteArray("plain.txt: no place found (no menu markers and no <body> tag)\n"));
    const CRun listed = RunGen({"site", "site.qdx", "--dry-run"}, dir.path());
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.out, QByteArray("about.html: menu will be added\n"
                                    "products/a.html: menu will be added\n"
                                    "products/old/b.html: menu will be updated\n"));
    QCOMPARE(Snapshot(dir.path()), before);
}

void TestSiteCommand::updatesListedPagesAndJoinsNamedOnes()
{
    QTemporaryDir dir;
    MakeSite(dir.path(), false);
    // Named pages (from another folder, by relative and absolute name) join
    // the project's list.
    QVERIFY(QDir(dir.path()).mkpath("elsewhere"));
    CRun run = RunGen({"site", "../site.qdx", "../products/a.html", dir.filePath("products/old/b.html")},
                      dir.filePath("elsewhere"));
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Updated 2 pages, 0 up to date.\n"));
    // A missing picture is told once, not once per page.
    QCOMPARE(run.err.count("Can't find item image file:"), 1);
    const QByteArray a = ReadFileBytes(dir.filePath("products/a.html"));
    QVERIFY(a.contains("<script src=\"../glidebar.js\"></script>\r\n"));
    QVERIFY(a.contains("<a href=\"../about.html\">About</a>"));
    QVERIFY(ReadFileBytes(dir.filePath("products/old/b.html")).contains("<a href=\"../../about.html\">About</a>"));
    QCOMPARE(ReadFileBytes(dir.filePath("about.html")), QByteArray("<html>\n<body>\n<p>about</p>\n</body>\n</html>\n"));
    QCOMPARE(ReadFileBytes(dir.filePath("glidebar.js")), QByteArray("// menu script\n"));
    QVERIFY(QFile::exists(dir.filePath("Glidebar.class")));

    CIniFile ini;
    QVERIFY(ini.Load(dir.filePath("site.qdx")));
    QCOMPARE(ini.Value("Site Pages", "Page1"), QString("products/a.html"));
    QCOMPARE(ini.Value("Site Pages", "Page2"), QString("products/old/b.html"));
    QVERIFY(!ini.Contains("Site Pages", "Page3"));

    // With no page named, the listed ones are updated again.
    // Nothing changed since: both are up to date, and left as they are.
    run = RunGen({"site", "site.qdx", "--dry-run"}, dir.path());
    QCOMPARE(run.out, QByteArray("products/a.html: up to date\nproducts/old/b.html: up to date\n"));
    run = RunGen({"site", "site.qdx"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Updated 0 pages, 2 up to date.\n"));
    QCOMPARE(ReadFileBytes(dir.filePath("products/a.html")), a);
}

void TestSiteCommand::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("listPages");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no project") << QStringList{"site"} << true << 2 << "'site' takes PROJECT.qdx [PAGE...]";
    QTest::newRow("unknown option") << QStringList{"site", "--fast", "site.qdx"} << true << 2
                                    << "unknown option --fast for 'site'";
    QTest::newRow("missing project") << QStringList{"site", "none.qdx"} << true << 2 << "no such project file: none.qdx";
    QTest::newRow("not a project") << QStringList{"site", "plain.txt"} << true << 2
                                   << "plain.txt is not a project file";
    QTest::newRow("no pages listed or named") << QStringList{"site", "site.qdx"} << false << 2
                                              << "site.qdx lists no site pages";
    QTest::newRow("page outside the site") << QStringList{"site", "site.qdx", "/etc/hostname"} << true << 2
                                           << "/etc/hostname: not in the site folder";
    QTest::newRow("page without a place") << QStringList{"site", "site.qdx", "about.html", "plain.txt"} << true << 1
                                          << "Save as file failed!\n";
    QTest::newRow("missing page") << QStringList{"site", "site.qdx", "gone.html"} << true << 1 << "gone.html: no such file";
}

void TestSiteCommand::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(bool, listPages);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    MakeSite(dir.path(), listPages);
    const auto before = Snapshot(dir.path());
    const CRun run = RunGen(args, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
    QCOMPARE(Snapshot(dir.path()), before);
}

void TestSiteCommand::dryRunAgreesWithTheRealRun_data()
{
    QTest::addColumn<QByteArray>("page"); // products/a.html as it is before the run
    QTest::addColumn<bool>("edited");     // its menu edited by hand after an update
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("dryRun");  // the dry run's line for the page
    QTest::addColumn<QString>("refusal"); // the real run's message; empty: it updates
    const QByteArray B = kMenuMarkerBegin;
    const QByteArray E = kMenuMarkerEnd;
    QTest::newRow("page to add") << QByteArray("<body>\n") << false << 0 << "menu will be added" << QString();
    QTest::newRow("missing page") << QByteArray() << false << 1 << "no such file" << "a.html: no such file";
    QTest::newRow("no place") << QByteArray("<p>x</p>\n") << false << 1
                              << "no place found (no menu markers and no <body> tag)"
                              << "a.html: no place found";
    QTest::newRow("body only in a script") << QByteArray("<script>w('<body>')</script>\n") << false << 1
                                           << "no place found (no menu markers and no <body> tag)"
                                           << "a.html: no place found";
    QTest::newRow("doubled markers") << "<body>" + B + E + B + E << false << 1
                                     << "has more than one pair of menu markers; keep one pair to add the menu"
                                     << "a.html: has more than one pair of menu markers";
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE<\0b\0o\0d\0y\0>\0", 14) << false << 1
                            << "is UTF-16; save it as UTF-8 to add the menu"
                            << "a.html: is UTF-16; save it as UTF-8 to add the menu";
    const QString handEdited = "the menu was changed by hand since the last update; run again with --force to replace it";
    QTest::newRow("menu edited by hand") << QByteArray("<body>\n") << true << 1 << handEdited
                                         << "a.html: " + handEdited;
}

void TestSiteCommand::dryRunAgreesWithTheRealRun()
{
    QFETCH(QByteArray, page);
    QFETCH(bool, edited);
    QFETCH(int, exitCode);
    QFETCH(QString, dryRun);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    MakeSite(dir.path(), true);
    const QString a = dir.filePath("products/a.html");
    if (edited) {
        QVERIFY(WriteFileBytes(a, page));
        QCOMPARE(RunGen({"site", "site.qdx"}, dir.path()).exitCode, 0);
        QVERIFY(WriteFileBytes(a, ReadFileBytes(a).replace("</ul>", "<li>mine</li></ul>")));
    } else if (page.isEmpty()) {
        QVERIFY(QFile::remove(a));
    } else {
        QVERIFY(WriteFileBytes(a, page));
    }
    const auto before = Snapshot(dir.path());
    const CRun dry = RunGen({"site", "--dry-run", "site.qdx"}, dir.path());
    QCOMPARE(dry.exitCode, exitCode);
    QVERIFY2(dry.out.contains(("products/a.html: " + dryRun + "\n").toUtf8()), dry.out.constData());
    QCOMPARE(Snapshot(dir.path()), before);

    const CRun run = RunGen({"site", "site.qdx"}, dir.path());
    QCOMPARE(run.exitCode, exitCode);
    if (refusal.isEmpty()) {
        QCOMPARE(run.out, QByteArray("Updated 3 pages, 0 up to date.\n"));
        return;
    }
    QVERIFY2(QString::fromUtf8(run.err).contains(refusal), run.err.constData());
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(Snapshot(dir.path()), before);
    if (edited) {
        // Told to, it replaces the hand-edited menu.
        const CRun forced = RunGen({"site", "--force", "site.qdx"}, dir.path());
        QCOMPARE(forced.exitCode, 0);
        QVERIFY(!ReadFileBytes(a).contains("<li>mine</li>"));
    }
}

void TestSiteCommand::removeRestoresThePages()
{
    QTemporaryDir dir;
    MakeSite(dir.path(), true);
    const QByteArray about = ReadFileBytes(dir.filePath("about.html"));
    const QByteArray a = ReadFileBytes(dir.filePath("products/a.html"));
    QCOMPARE(RunGen({"site", "site.qdx"}, dir.path()).exitCode, 0);
    QCOMPARE(RunGen({"site", "site.qdx"}, dir.path()).exitCode, 0);
    QVERIFY(ReadFileBytes(dir.filePath("products/a.html")) != a);

    // The dry run tells and writes nothing.
    auto before = Snapshot(dir.path());
    CRun run = RunGen({"site", "site.qdx", "--dry-run", "--remove", "about.html", "--remove=products/a.html"},
                      dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("about.html: menu will be taken out\nproducts/a.html: menu will be taken out\n"));
    QCOMPARE(Snapshot(dir.path()), before);

    run = RunGen({"site", "site.qdx", "--remove", "about.html", "--remove=products/a.html"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("Removed 2 pages from the list, took the menu out of 2.\n"));
    QCOMPARE(ReadFileBytes(dir.filePath("about.html")), about);
    QCOMPARE(ReadFileBytes(dir.filePath("products/a.html")), a);
    CIniFile ini;
    QVERIFY(ini.Load(dir.filePath("site.qdx")));
    QCOMPARE(ini.Value("Site Pages", "Page1"), QString("products/old/b.html"));
    QVERIFY(!ini.Contains("Site Pages", "Page2"));

    // A page no longer listed is refused, nothing written.
    before = Snapshot(dir.path());
    run = RunGen({"site", "site.qdx", "--remove", "about.html"}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("about.html: not a site page of site.qdx"), run.err.constData());
    QCOMPARE(Snapshot(dir.path()), before);
    run = RunGen({"site", "site.qdx", "about.html", "--remove", "products/old/b.html"}, dir.path());
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(Snapshot(dir.path()), before);
}

void TestSiteCommand::linksToMissingFilesAreWarnings()
{
    QTemporaryDir dir;
    MakeSite(dir.path(), true);
    // The page a menu item links to was renamed.
    QVERIFY(QFile::rename(dir.filePath("about.html"), dir.filePath("about-us.html")));
    CAppletParameters p;
    p.LoadProject(dir.filePath("site.qdx"));
    p.m_SitePages.removeFirst();
    QVERIFY(WriteFileBytes(dir.filePath("site.qdx"), ProjectIniFor(p).ToBytes()));
    const QByteArray warning = "Warning: the menu links to about.html, which is not in the site folder\n";

    const CRun dry = RunGen({"site", "site.qdx", "--dry-run"}, dir.path());
    QCOMPARE(dry.exitCode, 0);
    QCOMPARE(dry.err.count(warning), 1);
    const CRun run = RunGen({"site", "site.qdx"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err.count(warning), 1);
    QCOMPARE(run.out, QByteArray("Updated 2 pages, 0 up to date.\n"));
    QVERIFY(ReadFileBytes(dir.filePath("products/a.html")).contains("<a href=\"../about.html\">About</a>"));
}

void TestSiteCommand::helpTellsOfSite()
{
    const CRun run = RunGen({"site", "--help"}, m_programDir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains("vantrel-gen site PROJECT.qdx [PAGE...]"));
    QVERIFY(run.out.contains("--dry-run"));
    QVERIFY(run.out.indexOf("--force") < run.out.indexOf("Exit status:"));
    QVERIFY(run.out.indexOf("--remove PAGE") < run.out.indexOf("Exit status:"));
}

QTEST_APPLESS_MAIN(TestSiteCommand)
#include "tst_sitecommand.moc"
