#include "ProgramRun.h"
#include "TestFiles.h"

#include <QtTest>

// vantrel-gen import: a page's lost project brought back from the page, and
// the other commands working on it.
class TestGenImport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void savedPagesComeBackWhole_data();
    void savedPagesComeBackWhole();
    void neverOverAProject_data();
    void neverOverAProject();
    void sitePageAtDepth();
    void refused_data();
    void refused();
    void helpTellsOfIt();

private:
    QTemporaryDir m_dir;
};

namespace {

const QString kGen = QStringLiteral(VANTREL_BIN_DIR "/vantrel-gen");

CRun Gen(const QStringList &args)
{
    return RunProgram(kGen, args);
}

} // namespace

void TestGenImport::initTestCase()
{
    QVERIFY(QFileInfo(kGen).isExecutable());
}

void TestGenImport::savedPagesComeBackWhole_data()
{
    QTest::addColumn<int>("nTemplate");
    QTest::addColumn<QString>("form");
    const CRun list = Gen({"templates"});
    QCOMPARE(list.exitCode, 0);
    for (int n = 0; n < list.out.count('\n'); ++n) {
        QTest::newRow(qPrintable(QStringLiteral("template %1, today's page").arg(n))) << n << "--modern";
        QTest::newRow(qPrintable(QStringLiteral("template %1, classic page").arg(n))) << n << "--classic";
    }
}

// A page saved, its project lost, imported: 'html' writes the same page
// and 'save' the same project file.
void TestGenImport::savedPagesComeBackWhole()
{
    QFETCH(int, nTemplate);
    QFETCH(QString, form);
    const QString folder = m_dir.filePath(QStringLiteral("whole%1%2").arg(nTemplate).arg(form));
    QVERIFY(QDir().mkpath(folder));
    const QString page = folder + "/menu.htm";
    QCOMPARE(Gen({"save", "--template", QString::number(nTemplate), form, page}).exitCode, 0);
    const QByteArray pageBytes = ReadFileBytes(page);
    const QByteArray projectBytes = ReadFileBytes(folder + "/menu.qdx");
    QVERIFY(QFile::remove(folder + "/menu.qdx"));

    const CRun imported = Gen({"import", page});
    QCOMPARE(imported.exitCode, 0);
    QVERIFY2(imported.err.isEmpty(), imported.err.constData());
    QCOMPARE(imported.out, "Read the menu of " + page.toUtf8() + " into " + folder.toUtf8() + "/menu.qdx.\n");
    // An applet page carries none of today's look (only the script reads
    // it): from one the project comes back without its [Looks] section.
    QByteArray expected = projectBytes;
    if (form == QLatin1String("--classic")) {
        const qsizetype start = expected.indexOf("\r\n\r\n[Looks]\r\n");
        if (start >= 0) {
            const qsizetype next = expected.indexOf("\r\n\r\n[", start + 4);
            expected.remove(start + 2, (next < 0 ? expected.size() : next + 2) - (start + 2));
        }
    }
    QCOMPARE(ReadFileBytes(folder + "/menu.qdx"), expected);
    const CRun html = Gen({"html", folder + "/menu.qdx"});
    QCOMPARE(html.exitCode, 0);
    QCOMPARE(html.out, pageBytes);
}

void TestGenImport::neverOverAProject_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("a project file") << "file";
    QTest::newRow("a link to a project file elsewhere") << "link";
    QTest::newRow("a dangling link") << "dangling";
}

// A project file (or anything) at the project's name stays as it is without
// --force; with --force a file is replaced and a link never followed.
void TestGenImport::neverOverAProject()
{
    QFETCH(QString, what);
    QTemporaryDir dir;
    const QString page = dir.filePath("menu.htm");
    const QString project = dir.filePath("menu.qdx");
    const QString elsewhere = dir.filePath("elsewhere.qdx");
    QCOMPARE(Gen({"save", "--template", "1", page}).exitCode, 0);
    const QByteArray saved = ReadFileBytes(project);
    QVERIFY(QFile::remove(project));
    const QByteArray kept = "[General]\r\nm_HTMLTitle=Work of an afternoon\r\n";
    if (what == "file") {
        QVERIFY(WriteFileBytes(project, kept));
    } else {
        QVERIFY(WriteFileBytes(elsewhere, kept));
        QVERIFY(QFile::link(what == "link" ? elsewhere : dir.filePath("none.qdx"), project));
    }

    const CRun refused = Gen({"import", page});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains("is there already; nothing was written (run again with --force"),
             refused.err.constData());
    QCOMPARE(what == "file" ? ReadFileBytes(project) : QFile::symLinkTarget(project).toUtf8(),
             what == "file" ? kept : (what == "link" ? elsewhere : dir.filePath("none.qdx")).toUtf8());

    const CRun forced = Gen({"import", page, "--force"});
    if (what == "file") {
        QCOMPARE(forced.exitCode, 0);
        QCOMPARE(ReadFileBytes(project), saved);
    } else {
        QCOMPARE(forced.exitCode, 1);
        QVERIFY2(forced.err.contains("is a symbolic link"), forced.err.constData());
        QVERIFY(QFileInfo(project).isSymLink());
    }
    QCOMPARE(ReadFileBytes(elsewhere), what == "file" ? QByteArray() : kept);
}

// A site page two folders down: the project goes into the site folder and
// lists the pages that carry the menu; 'site' finds them all up to date and
// 'save' makes the site's own page.
void TestGenImport::sitePageAtDepth()
{
    QTemporaryDir dir;
    const QDir site(dir.path());
    const QByteArray author = "<html>\n<head><title>Mine</title></head>\n<body>\n<p>text</p>\n</body>\n</html>\n";
    for (const char *page : {"index.html", "a/b/deep.html", "a/side.htm", "plain.html"})
        QVERIFY(WriteFileBytes(site.filePath(page), author));
    QCOMPARE(Gen({"save", "--template", "2", site.filePath("first.htm")}).exitCode, 0);
    const CRun put = Gen({"site", site.filePath("first.qdx"), site.filePath("index.html"), site.filePath("a/b/deep.html"),
                          site.filePath("a/side.htm")});
    QCOMPARE(put.exitCode, 0);
    const QByteArray deep = ReadFileBytes(site.filePath("a/b/deep.html"));
    QVERIFY(deep.contains("../../glidebar.js"));
    QVERIFY(QFile::remove(site.filePath("first.qdx")));
    QVERIFY(QFile::remove(site.filePath("first.htm")));

    const CRun imported = Gen({"import", site.filePath("a/b/deep.html")});
    QCOMPARE(imported.exitCode, 0);
    QCOMPARE(imported.out, "Read the menu of " + site.filePath("a/b/deep.html").toUtf8() + " into "
                               + site.filePath("menu.qdx").toUtf8() + ". It lists 3 site pages.\n");
    const QByteArray project = ReadFileBytes(site.filePath("menu.qdx"));
    QVERIFY(project.contains("Page1=a/b/deep.html\r\n"));
    QVERIFY(project.contains("Page2=a/side.htm\r\n"));
    QVERIFY(project.contains("Page3=index.html\r\n"));
    QVERIFY(!project.contains("plain.html"));

    const CRun dry = Gen({"site", site.filePath("menu.qdx"), "--dry-run"});
    QCOMPARE(dry.exitCode, 0);
    QCOMPARE(dry.out.count("up to date"), 3);
    QCOMPARE(Gen({"site", site.filePath("menu.qdx")}).exitCode, 0);
    QCOMPARE(ReadFileBytes(site.filePath("a/b/deep.html")), deep);
    QCOMPARE(Gen({"save", site.filePath("menu.qdx"), site.filePath("menu.htm")}).exitCode, 0);
    QVERIFY(ReadFileBytes(site.filePath("menu.htm")).contains("<applet code=\"Glidebar.class\""));

    // A project named elsewhere lists no site pages, and says why.
    QVERIFY(QDir().mkpath(site.filePath("other")));
    const CRun elsewhere = Gen({"import", site.filePath("a/b/deep.html"), site.filePath("other/m.qdx")});
    QCOMPARE(elsewhere.exitCode, 0);
    QVERIFY2(elsewhere.err.contains("is not in the site folder"), elsewhere.err.constData());
    QVERIFY(!ReadFileBytes(site.filePath("other/m.qdx")).contains("Site Pages"));
}

void TestGenImport::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no page") << QStringList{"import"} << 2 << "'import' takes PAGE.htm [PROJECT.qdx]";
    QTest::newRow("three names") << QStringList{"import", "@PAGE@", "a.qdx", "b.qdx"} << 2
                                 << "'import' takes PAGE.htm [PROJECT.qdx]";
    QTest::newRow("a project not named .qdx") << QStringList{"import", "@PAGE@", "@PAGE@"} << 2
                                              << "the project file needs a name ending in .qdx";
    QTest::newRow("an option of another command") << QStringList{"import", "@PAGE@", "--modern"} << 2
                                                  << "no option but --force";
    QTest::newRow("--force elsewhere") << QStringList{"html", "x.qdx", "--force"} << 2
                                       << "--force is only for 'import' and 'site'";
    QTest::newRow("a page that is not there") << QStringList{"import", "/nonexistent/page.htm"} << 2
                                              << "no such page: /nonexistent/page.htm";
    QTest::newRow("a page without the menu") << QStringList{"import", "@PLAIN@"} << 2
                                             << "carries no Glidebar menu (no applet of Glidebar.class)";
    QTest::newRow("a folder") << QStringList{"import", "@DIR@"} << 2 << "folder.htm: is a folder";
    QTest::newRow("a folder that is not there") << QStringList{"import", "@PAGE@", "/nonexistent/x.qdx"} << 1
                                                << "the folder /nonexistent does not exist";
}

void TestGenImport::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString page = dir.filePath("menu.htm");
    QCOMPARE(Gen({"save", "--template", "0", page}).exitCode, 0);
    QVERIFY(QFile::remove(dir.filePath("menu.qdx")));
    QVERIFY(WriteFileBytes(dir.filePath("plain.htm"), "<html><body>no menu</body></html>"));
    QVERIFY(QDir().mkpath(dir.filePath("folder.htm")));
    args.replaceInStrings("@PAGE@", page);
    args.replaceInStrings("@PLAIN@", dir.filePath("plain.htm"));
    args.replaceInStrings("@DIR@", dir.filePath("folder.htm"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const CRun run = Gen(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
    // Nothing was written.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestGenImport::helpTellsOfIt()
{
    const CRun help = Gen({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("vantrel-gen import PAGE.htm [PROJECT.qdx]"));
    QVERIFY(help.out.contains("--force         'import': replace PROJECT.qdx when it is there"));
    QVERIFY(help.out.contains("'import' reads the menu back from a page"));
}

QTEST_MAIN(TestGenImport)
#include "tst_genimport.moc"
