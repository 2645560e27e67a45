#include "TestFiles.h"
#include "model/config/AppletParameters.h"
#include "model/text/PageLanguage.h"
#include "store/files/FileSet.h"
#include "store/project/ProjectFile.h"
#include "ProgramRun.h"

#include <QProcess>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// The description tools/make_sample.sh gives the shipped sample.
const char kSampleDescription[] = "A menu made with Vantrel from its Ocean template, "
                                  "drawn in today's browsers by glidebar.js.";

// The vantrel-gen the tests run: a copy in a program folder of the tests'
// own (see MakeProgramFolder).
QString g_gen;

CRun RunGen(const QStringList &args, const QString &program = g_gen)
{
    return RunProgram(program, args);
}

// A program folder as installed: vantrel-gen with the shipped files beside
// it and, when withScript, the menu script (the build's own when it has one,
// else a stand-in). Returns the path of its vantrel-gen.
QString MakeProgramFolder(const QString &folder, bool withScript)
{
    QDir().mkpath(folder);
    const QDir bin(QStringLiteral(VANTREL_BIN_DIR));
    const QDir dir(folder);
    for (const char *name : {"vantrel-gen", "Glidebar.class", "Vantrel.qdx"})
        QFile::copy(bin.filePath(QLatin1String(name)), dir.filePath(QLatin1String(name)));
    if (withScript && !QFile::copy(bin.filePath(QStringLiteral("glidebar.js")), dir.filePath(QStringLiteral("glidebar.js"))))
        WriteFileBytes(dir.filePath(QStringLiteral("glidebar.js")), "// menu script stand-in\n");
    return dir.filePath(QStringLiteral("vantrel-gen"));
}

// Two templates: a plain one, and one with a sub menu, odd texts and an
// image that exists only under another letter case, and one that is missing.
QByteArray Library(const QString &imageFolder)
{
    return ("[TEMPLATE]\r\nTemplateKey=Plain,Tree\r\n"
            "[Plain]\r\nDescription=A plain menu\r\nm_mmWidth=100\r\nm_mmHeight=20\r\n"
            "[Tree]\r\nDescription=Caf\xC3\xA9 & \"tree\"\r\nm_HTMLTitle=ignored\r\n"
            "m_appBKColor=16711680\r\nm_mmWidth=120\r\nm_mmHeight=24\r\nm_smWidth=90\r\n"
            "m_smHeight=18\r\nm_appBKImagePath=" + imageFolder + "/back.GIF\r\n"
            "Relation=2,3,2,1-1,\r\n"
            "I0-0=Home,,_top,index.htm\r\nI0-1=Caf\xC3\xA9 <b>,"
            + imageFolder + "/missing.gif,,a.htm?x=1&y=2\r\n"
            "I1-0=One,,,one.htm\r\nI1-1=Two,,,two.htm\r\nI0-2=Last,,,\r\n").toUtf8();
}

} // namespace

class TestVantrelGen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void listsTemplates();
    void saveThenHtmlGivesTheSameText();
    void shippedTemplatesRoundTrip();
    void badArguments_data();
    void badArguments();
    void failedSaveExitsWithOne();
    void lostOutputExitsWithOne();
    void help();
    void modernOrClassic_data();
    void modernOrClassic();
    void languageAndDescription();
    void saveFailsWithoutTheScript();
    void shippedSampleIsCurrent();
    void htmlFinishesAnInterruptedSave();

private:
    QTemporaryDir m_dir;
    QString m_library;
};

void TestVantrelGen::initTestCase()
{
    QVERIFY(QFileInfo(VANTREL_BIN_DIR "/vantrel-gen").isExecutable());
    g_gen = MakeProgramFolder(m_dir.filePath("program"), true);
    QVERIFY(QFileInfo(g_gen).isExecutable());
    QVERIFY(WriteFileBytes(m_dir.filePath("images/Back.gif"), "GIF89a"));
    m_library = m_dir.filePath("lib.qdx");
    QVERIFY(WriteFileBytes(m_library, Library(m_dir.filePath("images"))));
}

void TestVantrelGen::listsTemplates()
{
    const CRun run = RunGen({"templates", "--library", m_library});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("0  A plain menu\n1  Caf\xC3\xA9 & \"tree\"\n"));
}

void TestVantrelGen::saveThenHtmlGivesTheSameText()
{
    const QString page = m_dir.filePath("site/menu.htm");
    QVERIFY(QDir().mkpath(m_dir.filePath("site")));

    const CRun saved = RunGen({"save", "--template", "1", page, "--library", m_library});
    QCOMPARE(saved.exitCode, 0);
    QVERIFY2(saved.err.contains("missing.gif"), saved.err.constData()); // reported, not fatal
    const QByteArray pageBytes = ReadFileBytes(page);
    QVERIFY(!pageBytes.isEmpty());
    QVERIFY(QFile::exists(m_dir.filePath("site/menu.qdx")));
    QCOMPARE(ReadFileBytes(m_dir.filePath("site/Glidebar.class")),
             ReadFileBytes(VANTREL_BIN_DIR "/Glidebar.class"));
    // A template makes a new menu, which works in today's browsers.
    QCOMPARE(ReadFileBytes(m_dir.filePath("site/glidebar.js")), ReadFileBytes(m_dir.filePath("program/glidebar.js")));
    QCOMPARE(ReadFileBytes(m_dir.filePath("site/Back.gif")), QByteArray("GIF89a"));

    // The template's own text, the saved project's text and the page agree.
    const CRun fromTemplate = RunGen({"html", "--library=" + m_library, "--template=1"});
    QCOMPARE(fromTemplate.exitCode, 0);
    QCOMPARE(fromTemplate.out, pageBytes);
    const CRun fromProject = RunGen({"html", m_dir.filePath("site/menu.qdx")});
    QCOMPARE(fromProject.exitCode, 0);
    QCOMPARE(fromProject.out, pageBytes);
    QVERIFY(pageBytes.contains("Untitled"));

    // Saving the project again elsewhere gives the same page and project file.
    const QString copy = m_dir.filePath("copy/page.html");
    QVERIFY(QDir().mkpath(m_dir.filePath("copy")));
    QCOMPARE(RunGen({"save", m_dir.filePath("site/menu.qdx"), copy}).exitCode, 0);
    QCOMPARE(ReadFileBytes(copy), pageBytes);
    QCOMPARE(ReadFileBytes(m_dir.filePath("copy/page.qdx")), ReadFileBytes(m_dir.filePath("site/menu.qdx")));
}

// Every template we ship loads, saves and reopens to the same page, and
// names only images that exist (none is reported missing).
void TestVantrelGen::shippedTemplatesRoundTrip()
{
    const CRun list = RunGen({"templates"});
    QCOMPARE(list.exitCode, 0);
    const int count = list.out.count('\n');
    QVERIFY2(count >= 8, list.out.constData());
    for (int n = 0; n < count; ++n) {
        const QString folder = m_dir.filePath(QStringLiteral("shipped%1").arg(n));
        QVERIFY(QDir().mkpath(folder));
        const CRun saved = RunGen({"save", "--template", QString::number(n), folder + "/p.htm"});
        QCOMPARE(saved.exitCode, 0);
        QVERIFY2(saved.err.isEmpty(), saved.err.constData());
        const CRun reopened = RunGen({"html", folder + "/p.qdx"});
        QCOMPARE(reopened.exitCode, 0);
        QCOMPARE(reopened.out, ReadFileBytes(folder + "/p.htm"));
        QVERIFY(reopened.out.contains("<param name=\"I0-0\""));
    }
}

void TestVantrelGen::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "no command";
    QTest::newRow("unknown command") << QStringList{"print"} << "unknown command print";
    QTest::newRow("unknown option") << QStringList{"html", "--fast", "x.qdx"} << "unknown option --fast";
    QTest::newRow("missing project") << QStringList{"html", "/nonexistent/none.qdx"} << "no such project file";
    QTest::newRow("project is a folder") << QStringList{"html", "/"} << "no such project file";
    QTest::newRow("html without project") << QStringList{"html"} << "takes PROJECT.qdx";
    QTest::newRow("save without page") << QStringList{"save", "x.qdx"} << "takes PROJECT.qdx PAGE.htm";
    QTest::newRow("template and project") << QStringList{"html", "--template", "0", "x.qdx"} << "takes nothing more";
    QTest::newRow("template not a number") << QStringList{"html", "--template", "one"} << "needs a number";
    QTest::newRow("negative template") << QStringList{"html", "--template=-1"} << "needs a number";
    QTest::newRow("template past the end") << QStringList{"html", "--template", "2", "--library", "@LIB@"}
                                           << "there is no template 2";
    QTest::newRow("option without value") << QStringList{"templates", "--library"} << "--library needs a value";
    QTest::newRow("missing library") << QStringList{"templates", "--library", "/nonexistent/lib.qdx"}
                                     << "no such library file";
    QTest::newRow("templates with extra") << QStringList{"templates", "x"} << "takes no further arguments";
    // A page or a picture is no project: saving its empty configuration
    // would write over real work.
    QTest::newRow("page as project") << QStringList{"save", "@PAGE@", "@PAGE@"} << "is not a project file";
    QTest::newRow("empty page name") << QStringList{"save", "--template", "0", "--library", "@LIB@", ""}
                                     << "needs a file name";
    QTest::newRow("templates with --open") << QStringList{"templates", "--open", "1"} << "takes no further arguments";
    QTest::newRow("modern and classic") << QStringList{"html", "--template", "0", "--modern", "--classic"}
                                        << "--modern and --classic exclude each other";
    QTest::newRow("png with --modern") << QStringList{"png", "--template", "0", "--modern", "x.png"}
                                       << "only for 'html' and 'save'";
    QTest::newRow("templates with --classic") << QStringList{"templates", "--classic"}
                                              << "takes no further arguments";
    QTest::newRow("no language tag") << QStringList{"html", "--template", "0", "--lang", "en_GB"}
                                     << "--lang needs a language tag such as en or en-GB, not \"en_GB\"";
    QTest::newRow("png with --description")
        << QStringList{"png", "--template", "0", "--description", "x", "x.png"} << "only for 'html' and 'save'";
    QTest::newRow("line break in the description")
        << QStringList{"html", "--template", "0", "--description", "a\nb"} << "--description cannot hold";
}

void TestVantrelGen::badArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    args.replaceInStrings("@LIB@", m_library);
    const QString page = m_dir.filePath("kept.htm");
    QVERIFY(WriteFileBytes(page, "<html>kept</html>"));
    args.replaceInStrings("@PAGE@", page);
    const CRun run = RunGen(args);
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(ReadFileBytes(page), QByteArray("<html>kept</html>"));
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    // Only a mistake in the call points at the help; the usage text itself is not repeated.
    const bool content = message.startsWith("no such project") || message.startsWith("there is no template")
                         || message.startsWith("no such library") || message.contains("is not a project");
    QCOMPARE(run.err.contains("Try 'vantrel-gen --help'."), !content);
    QVERIFY2(!run.err.contains("Usage:"), run.err.constData());
    QCOMPARE(run.err.count('\n'), content ? 1 : 2);
    QVERIFY(run.out.isEmpty());
}

void TestVantrelGen::failedSaveExitsWithOne()
{
    // The page's folder is a regular file.
    QVERIFY(WriteFileBytes(m_dir.filePath("plainfile"), "x"));
    const CRun run = RunGen({"save", "--library", m_library, "--template", "0",
                             m_dir.filePath("plainfile/page.htm")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Save as file failed!\n"), run.err.constData());
    QVERIFY(run.err.contains("page.htm"));
    QVERIFY2(run.err.contains("plainfile is not a folder"), run.err.constData());

    // A folder that does not exist is named as such, and nothing is made.
    const QString missing = m_dir.filePath("no/such/folder");
    const CRun none = RunGen({"save", "--library", m_library, "--template", "0", missing + "/page.htm"});
    QCOMPARE(none.exitCode, 1);
    QCOMPARE(none.err, ("Save as file failed!\n" + QDir::toNativeSeparators(missing + "/page.htm")
                        + ": the folder " + QDir::toNativeSeparators(missing) + " does not exist\n").toUtf8());
    QVERIFY(!QFileInfo::exists(m_dir.filePath("no")));
}

void TestVantrelGen::lostOutputExitsWithOne()
{
#ifdef Q_OS_LINUX
    // Every write to /dev/full fails as a full disk does.
    for (const QStringList &args : {QStringList{"html", "--template", "1", "--library", m_library},
                                    QStringList{"templates", "--library", m_library}}) {
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(g_gen, args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(process.readAllStandardError().contains("could not be written"));
    }
#else
    QSKIP("needs /dev/full");
#endif
}

void TestVantrelGen::help()
{
    const CRun run = RunGen({"--help"});
    QCOMPARE(run.exitCode, 0);
    for (const char *part : {"Usage:", "html PROJECT.qdx", "save --template N PAGE.htm", "templates",
                             "--library FILE", "--modern", "--classic", "glidebar.js", "Exit status",
                             "Save as file failed!"})
        QVERIFY2(run.out.contains(part), part);
}

void TestVantrelGen::modernOrClassic_data()
{
    QTest::addColumn<QString>("source"); // "template", "old" (no key), "modern" (key = 1)
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("modern");

    QTest::newRow("template") << "template" << "" << true;
    QTest::newRow("template --classic") << "template" << "--classic" << false;
    QTest::newRow("template --modern") << "template" << "--modern" << true;
    QTest::newRow("old project") << "old" << "" << false;
    QTest::newRow("old project --modern") << "old" << "--modern" << true;
    QTest::newRow("old project --classic") << "old" << "--classic" << false;
    QTest::newRow("modern project") << "modern" << "" << true;
    QTest::newRow("modern project --classic") << "modern" << "--classic" << false;
}

// 'html' and 'save' follow the project's choice unless told otherwise; the
// two kinds of page differ only by the link list and the script line.
void TestVantrelGen::modernOrClassic()
{
    QFETCH(QString, source);
    QFETCH(QString, flag);
    QFETCH(bool, modern);

    QTemporaryDir dir;
    QStringList from;
    if (source == "template") {
        from = QStringList{"--template", "1", "--library", m_library};
    } else {
        const QByteArray project =
            "[General]\r\nm_HTMLTitle=Old \"menu\"\r\n"
            + QByteArray(source == "modern" ? "m_ModernPage=1\r\n" : "")
            + "[Main Menu Style]\r\nm_mmWidth=100\r\nm_mmHeight=20\r\n"
              "[Item]\r\nI0-0=Home,,_blank,index.htm\r\nI0-1=<script>alert(1)</script>,,,\r\n"
              "[Menu Relation]\r\nRelation=1,2,\r\n";
        QVERIFY(WriteFileBytes(dir.filePath("old/old.qdx"), project));
        from = QStringList{dir.filePath("old/old.qdx")};
    }
    const QStringList flags = flag.isEmpty() ? QStringList() : QStringList{flag};

    const CRun html = RunGen(QStringList{"html"} + from + flags);
    QCOMPARE(html.exitCode, 0);
    const CRun classic = RunGen(QStringList{"html"} + from + QStringList{"--classic"});
    QCOMPARE(classic.exitCode, 0);
    QVERIFY(classic.out.endsWith("</applet>\r\n</p>\r\n</html>"));
    QVERIFY(!classic.out.contains("glidebar"));
    if (modern) {
        const qsizetype list = html.out.indexOf("\t<nav class=\"glidebar-links\"");
        QVERIFY(list > 0);
        QVERIFY(html.out.endsWith("</ul></nav>\r\n</applet>\r\n</p>\r\n</html>"));
        QVERIFY(html.out.contains("\">\r\n<script src=\"glidebar.js\"></script>\r\n<applet code="));
        // Every classic line is there, in order, unchanged.
        QByteArray stripped = html.out;
        stripped.remove(list, stripped.indexOf("</applet>", list) - list);
        stripped.replace("<script src=\"glidebar.js\"></script>\r\n", "");
        stripped.replace("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n", "");
        // The head lines of today: the doctype, the language (the system's
        // where the project names none) and the charset.
        const QByteArray head = "<!DOCTYPE html>\r\n<html lang=\"" + SystemPageLanguage().toLatin1()
                                + "\">\r\n<meta charset=\"utf-8\">\r\n";
        QVERIFY2(stripped.startsWith(head), stripped.constData());
        stripped.replace(0, head.size(), "<html>\r\n");
        QCOMPARE(stripped, classic.out);
    } else {
        QCOMPARE(html.out, classic.out);
    }
    if (source == "old" && flag.isEmpty())
        QVERIFY(html.out.contains("&lt;script&gt;alert(1)&lt;/script&gt;,,,"));

    // 'save' writes that page, the script beside it when it needs it, and
    // the choice into the project file.
    const QString page = dir.filePath("site/menu.htm");
    QVERIFY(QDir().mkpath(dir.filePath("site")));
    const CRun saved = RunGen(QStringList{"save"} + from + QStringList{page} + flags);
    QCOMPARE(saved.exitCode, 0);
    QCOMPARE(ReadFileBytes(page), html.out);
    QCOMPARE(QFile::exists(dir.filePath("site/glidebar.js")), modern);
    const QByteArray project = ReadFileBytes(dir.filePath("site/menu.qdx"));
    QVERIFY2(modern ? project.contains("m_ModernPage=1\r\n") : !project.contains("m_ModernPage"),
             project.constData());
    // Reopened without a flag, the saved project keeps its choice.
    const CRun again = RunGen({"html", dir.filePath("site/menu.qdx")});
    QCOMPARE(again.out, html.out);
}

// --lang and --description set what a page for today's browsers says of
// itself; 'save' keeps them in the project file.
void TestVantrelGen::languageAndDescription()
{
    QTemporaryDir dir;
    const QString page = dir.filePath("menu.htm");
    const CRun saved = RunGen({"save", "--template", "1", "--library", m_library, "--lang", "fr-CA",
                               "--description", "Th\u00e9 & \"caf\u00e9\"", page});
    QCOMPARE(saved.exitCode, 0);
    const QByteArray head = "<!DOCTYPE html>\r\n<html lang=\"fr-CA\">\r\n<meta charset=\"utf-8\">\r\n"
                            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
                            "<meta name=\"description\" content=\"Th&#233; &amp; &quot;caf&#233;&quot;\">\r\n"
                            "<head><title>";
    QVERIFY2(ReadFileBytes(page).startsWith(head), ReadFileBytes(page).left(400).constData());
    const CRun again = RunGen({"html", dir.filePath("menu.qdx")});
    QCOMPARE(again.exitCode, 0);
    QCOMPARE(again.out, ReadFileBytes(page));
    // An empty description leaves its line out.
    const CRun none = RunGen({"html", dir.filePath("menu.qdx"), "--description="});
    QCOMPARE(none.exitCode, 0);
    QVERIFY(!none.out.contains("name=\"description\""));
    QVERIFY(none.out.startsWith("<!DOCTYPE html>\r\n<html lang=\"fr-CA\">\r\n"));
}

void TestVantrelGen::saveFailsWithoutTheScript()
{
    const QString gen = MakeProgramFolder(m_dir.filePath("noscript"), false);
    QVERIFY(WriteFileBytes(m_dir.filePath("ns/menu.htm"), "earlier"));
    const CRun run = RunGen({"save", "--template", "0", m_dir.filePath("ns/menu.htm")}, gen);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.startsWith("Save as file failed!\n"), run.err.constData());
    QVERIFY2(run.err.contains("glidebar.js"), run.err.constData());
    QCOMPARE(ReadFileBytes(m_dir.filePath("ns/menu.htm")), QByteArray("earlier"));
    QVERIFY(!QFile::exists(m_dir.filePath("ns/menu.qdx")));
    // A classic page needs no script.
    QCOMPARE(RunGen({"save", "--classic", "--template", "0", m_dir.filePath("ns/menu.htm")}, gen).exitCode, 0);
    QVERIFY(!ReadFileBytes(m_dir.filePath("ns/menu.htm")).contains("glidebar"));
}

// The shipped sample is the first template's page as the writer makes it
// today (tools/make_sample.sh), with its title and a few lines of its own.
void TestVantrelGen::shippedSampleIsCurrent()
{
    QByteArray sample = ReadFileBytes(VANTREL_SOURCE_DIR "/res/Sample/Samples.html");
    const qsizetype introStart = sample.indexOf("</head>\n") + 8;
    const qsizetype introEnd = sample.indexOf("<p align=");
    QVERIFY(introStart > 8 && introEnd > introStart);
    sample.remove(introStart, introEnd - introStart);

    const CRun run = RunGen({"html", "--template", "0", "--lang", "en", "--description", kSampleDescription});
    QCOMPARE(run.exitCode, 0);
    QByteArray expected = run.out;
    expected.replace("<title>Untitled</title>", "<title>Vantrel sample: the Ocean template</title>");
    expected.replace("aria-label=\"Site menu\"", "aria-label=\"Vantrel sample: the Ocean template\"");
    QCOMPARE(sample, expected);
    QVERIFY(sample.contains("<script src=\"glidebar.js\"></script>\r\n<applet code="));
}

void TestVantrelGen::htmlFinishesAnInterruptedSave()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork");
#else
    // A save killed between putting the page and the project file in place:
    // reading the project finishes it, so the text matches the page.
    QTemporaryDir dir;
    const QString page = dir.filePath("menu.htm");
    CAppletParameters p;
    p.m_HTMLTitle = "old";
    QVERIFY(SavePage(page, dir.path(), p, p.GenerateHTML(), dir.path()));
    p.m_HTMLTitle = "new";
    const QString newText = p.GenerateHTML();
    const pid_t pid = fork();
    if (pid == 0) {
        CFileSet::SetStepHook([](CFileSet::EStep step, int nFile) {
            if (step == CFileSet::EStep::Renamed && nFile == 0)
                raise(SIGKILL);
        });
        SavePage(page, dir.path(), p, newText, dir.path());
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(ReadFileBytes(page), newText.toUtf8());

    const CRun run = RunGen({"html", dir.filePath("menu.qdx")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, newText.toUtf8());
#endif
}

QTEST_GUILESS_MAIN(TestVantrelGen)
#include "tst_vantrelgen.moc"
