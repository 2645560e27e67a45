#include "TestFiles.h"
#include "html/SiteBlock.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"
#include "store/files/FileSet.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/SitePageKeys.h"
#include "store/site/SitePageText.h"
#include "store/site/SiteUpdate.h"
#include "store/project/StoredConfig.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kBegin(kMenuMarkerBegin);
const QByteArray kEnd(kMenuMarkerEnd);
const QByteArray kViewport(kViewportLine);

void MakeMenu(CAppletParameters &p)
{
    p.m_ModernPage = 1;
    p.m_HTMLTitle = QStringLiteral("Caf\u00e9");
    p.m_mmWidth = 90;
    p.m_mmHeight = 20;
    p.m_smWidth = 90;
    p.m_smHeight = 20;
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(3, 0);
    const char *links[] = {"index.html", "products/a.html", "https://example.org/"};
    for (int i = 0; i < 3; ++i) {
        menu.GetItem(i)->m_strLabel = QStringLiteral("Na\u00efve %1 \u20ac").arg(i);
        menu.GetItem(i)->m_strLink = QString::fromLatin1(links[i]);
    }
    menu.GetSubMenu(1)->SetItemCount(1, 0);
    menu.GetSubMenu(1)->GetItem(0)->m_strLabel = QStringLiteral("About");
    menu.GetSubMenu(1)->GetItem(0)->m_strLink = QStringLiteral("about.html#us");
}

CSiteBlockMaker BlockMaker(const CAppletParameters &p)
{
    return [&p](const QString &folder, const QByteArray &eol) {
        return SiteMenuBlock(p, folder, eol, [](const QString &) {});
    };
}

// A program folder with the files a save copies.
bool MakeAppDir(const QString &dir)
{
    return WriteFileBytes(QDir(dir).filePath("glidebar.js"), "// menu script\n")
           && WriteFileBytes(QDir(dir).filePath("Glidebar.class"), "class");
}

// One page of the fixture site, made from parts so that the page after an
// update is known without asking the code under test where things go.
struct CFixturePage {
    QString strPath;
    QByteArray eol;
    QByteArray original;
    // The page after the update, with "@MENU@" where the block goes.
    QByteArray expected;
    bool bPlace = true;
};

// Text in a charset: "caf\u00e9 \u20ac" as the charset writes it.
QByteArray Sample(const QByteArray &charset)
{
    if (charset == "latin1")
        return "caf\xe9 &euro; \xa0\xff";
    if (charset == "cp1252")
        return "caf\xe9 \x80 \x93quoted\x94";
    return "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80";
}

CFixturePage FixturePage(const QString &path, const QByteArray &charset, const QByteArray &eol,
                         const QByteArray &markers, bool bom, bool ownViewport)
{
    CFixturePage page;
    page.strPath = path;
    page.eol = eol;
    const QByteArray &E = eol;
    QByteArray meta;
    if (charset == "latin1")
        meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">";
    else if (charset == "cp1252")
        meta = "<META CHARSET='windows-1252'>";
    else if (charset == "utf8")
        meta = "<meta charset=\"utf-8\">";
    // "none": no declaration; UTF-8 text in it.
    const QByteArray text = Sample(charset == "none" ? "utf8" : charset);
    const QByteArray viewportMine = "<meta name=\"viewport\" content=\"width=600\">";

    QByteArray head = QByteArray(bom ? "\xEF\xBB\xBF" : "") + "<!DOCTYPE html>" + E + "<html lang=\"fr\">" + E
                      + "<head>" + E;
    QByteArray headRest = (meta.isEmpty() ? QByteArray() : meta + E) + (ownViewport ? viewportMine + E : QByteArray())
                          + "<title>" + text + "</title>" + E + "<!-- <body> in a comment -->" + E
                          + "<script>var s = \"<body>\";</script>" + E + "</head>" + E;
    const QByteArray body = "<body class=\"main\" data-x=\"a>b\">";
    const QByteArray content = E + "<p>" + text + "</p>" + E + "  <p>trailing blanks  </p>  " + E + "</body>" + E
                               + "</html>" + E;
    const QByteArray viewportAdded = ownViewport ? QByteArray() : kViewport + E;

    if (markers == "none") {
        page.original = head + headRest + body + content;
        page.expected = head + viewportAdded + headRest + body + kBegin + "@MENU@" + kEnd + content;
    } else if (markers == "pair") {
        const QByteArray old = E + "<p>an older menu " + text + "</p>" + E;
        page.original = head + headRest + body + E + kBegin + old + kEnd + content;
        page.expected = head + viewportAdded + headRest + body + E + kBegin + "@MENU@" + kEnd + content;
    } else if (markers == "lone") {
        // Blanks around the marker stay around the block.
        const QByteArray before = E + "<div id=\"top\">" + text + "</div>" + E + "\t" + kBegin;
        page.original = head + headRest + body + before + "  " + content;
        page.expected = head + viewportAdded + headRest + body + before + "@MENU@" + kEnd + "  " + content;
    } else { // "nobody": no body tag, no marker
        page.original = head + headRest + "<p>" + text + "</p>" + E;
        page.expected = page.original;
        page.bPlace = false;
    }
    return page;
}

// The fixture site: pages in folders down to three deep, in UTF-8,
// Latin-1, Windows-1252 and no declared charset, with CR LF and LF line
// ends, with a pair of markers, the author's marker line or none, one with a
// byte-order mark; `withNoBody` adds a page without a body tag.
QList<CFixturePage> FixtureSite(bool withNoBody)
{
    QList<CFixturePage> pages;
    const QStringList folders = {"", "products", "products/tools", "a/b/c"};
    const QList<QByteArray> charsets = {"utf8", "latin1", "cp1252", "none"};
    const QList<QByteArray> markers = {"none", "pair", "lone"};
    int n = 0;
    for (const QString &folder : folders) {
        for (const QByteArray &charset : charsets) {
            for (const QByteArray &marker : markers) {
                const QByteArray eol = n % 2 ? "\n" : "\r\n";
                const QString name = QStringLiteral("p%1-%2-%3.html").arg(n).arg(QString::fromLatin1(charset),
                                                                              QString::fromLatin1(marker));
                const QString path = folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
                pages.append(FixturePage(path, charset, eol, marker, n == 5, n % 7 == 3));
                ++n;
            }
        }
    }
    if (withNoBody)
        pages.append(FixturePage(QStringLiteral("products/nobody.htm"), "utf8", "\r\n", "nobody", false, false));
    return pages;
}

QString FolderOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

// The site in a folder: its pages and a project file site.qdx listing them.
bool WriteSite(const QString &dir, const QList<CFixturePage> &pages, CAppletParameters &p)
{
    p.m_SitePages.clear();
    for (const CFixturePage &page : pages) {
        if (!WriteFileBytes(QDir(dir).filePath(page.strPath), page.original))
            return false;
        CSitePage listed;
        listed.strPath = page.strPath;
        p.m_SitePages.append(listed);
    }
    return WriteFileBytes(QDir(dir).filePath("site.qdx"), ProjectIniFor(p).ToBytes());
}

// Every hidden file below dir: helpers of a save left behind.
QStringList HiddenFiles(const QString &dir)
{
    QStringList found;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (QFileInfo(path).fileName().startsWith(QLatin1Char('.')))
            found.append(QDir(dir).relativeFilePath(path));
    }
    return found;
}

bool UpdateSite(const QString &project, QString *pError = nullptr, QStringList pages = {})
{
    CAppletParameters p;
    p.LoadProject(project);
    CSiteUpdate site(project, p);
    QString error;
    if (!site.Choose(pages, &error)) {
        if (pError)
            *pError = error;
        return false;
    }
    site.Read();
    QTemporaryDir app;
    MakeAppDir(app.path());
    return site.Save(BlockMaker(p), app.path(), false, pError);
}

#ifdef Q_OS_UNIX
CFileSet::EStep g_killStep;
int g_killFile;
void KillAtStep(CFileSet::EStep step, int nFile)
{
    if (step == g_killStep && nFile == g_killFile)
        raise(SIGKILL);
}

#endif

// Runs the change another program makes while the save has written its
// last temp (file 12).
std::function<void()> *g_change = nullptr;
void ChangeWhileSaving(CFileSet::EStep step, int nFile)
{
    if (step == CFileSet::EStep::TempWritten && nFile == 12 && g_change)
        (*g_change)();
}

} // namespace

class TestSitePages : public QObject {
    Q_OBJECT
private slots:
    void lineEnd_data();
    void lineEnd();
    void charset_data();
    void charset();
    void placeAndState_data();
    void placeAndState();
    void markersAndBodyCountOnlyAsMarkup_data();
    void markersAndBodyCountOnlyAsMarkup();
    void markerPairs_data();
    void markerPairs();
    void wideCharsetPages_data();
    void wideCharsetPages();
    void takingTheMenuOutRestoresThePage_data();
    void takingTheMenuOutRestoresThePage();
    void fixtureSiteKeepsEveryByteOutsideTheMarkers();
    void upToDatePagesAreNotWritten();
    void removeTakesPagesOffTheListAndTheirMenusOut();
    void secondUpdateReplacesOnlyTheBlock();
    void pageWithoutPlaceStopsTheSave();
    void menuChangedByHand();
    void listInTheProjectFile();
    void projectWithoutSitePagesIsWrittenAsBefore();
    void pagesOutsideTheSiteAreRefused();
    void killedSaveLeavesAllOldOrAllNew_data();
    void killedSaveLeavesAllOldOrAllNew();
    void pageChangedBehindVantrelsBack_data();
    void pageChangedBehindVantrelsBack();
    void fullDiskWritesNothing();
};

void TestSitePages::lineEnd_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("CR LF") << QByteArray("<html>\r\n<body>\n") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("<html>\n<body>\r\n") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("<html>\r<body>\r") << QByteArray("\r");
    QTest::newRow("one line") << QByteArray("<html><body></body></html>") << QByteArray("\r\n");
    QTest::newRow("CR at the very end") << QByteArray("<body>\r") << QByteArray("\r");
}

void TestSitePages::lineEnd()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, eol);
    QCOMPARE(PageLineEnd(page), eol);
}

void TestSitePages::charset_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<bool>("keepsAscii");
    QTest::newRow("meta charset") << QByteArray("<head><meta charset=\"UTF-8\"></head>") << QByteArray("utf-8") << true;
    QTest::newRow("single quotes") << QByteArray("<meta charset='ISO-8859-1'>") << QByteArray("iso-8859-1") << true;
    QTest::newRow("unquoted") << QByteArray("<meta charset=windows-1252>") << QByteArray("windows-1252") << true;
    QTest::newRow("http-equiv") << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-15\">")
                                << QByteArray("iso-8859-15") << true;
    QTest::newRow("http-equiv in capitals") << QByteArray("<META HTTP-EQUIV=CONTENT-TYPE CONTENT='text/html;Charset=Windows-1252'>")
                                            << QByteArray("windows-1252") << true;
    QTest::newRow("none") << QByteArray("<html><head><title>x</title></head>") << QByteArray() << true;
    QTest::newRow("in a comment") << QByteArray("<!-- <meta charset=\"utf-16\"> --><body>") << QByteArray() << true;
    QTest::newRow("after the body tag") << QByteArray("<body><meta charset=\"utf-16\">") << QByteArray() << true;
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF<meta charset=\"latin1\">") << QByteArray("utf-8") << true;
    QTest::newRow("UTF-16LE mark") << QByteArray("\xFF\xFE<\0h\0", 6) << QByteArray("utf-16le") << false;
    QTest::newRow("UTF-16BE mark") << QByteArray("\xFE\xFF\0<\0h", 6) << QByteArray("utf-16be") << false;
    QTest::newRow("UTF-32BE mark") << QByteArray("\0\0\xFE\xFF\0\0\0<", 8) << QByteArray("utf-32be") << false;
    QTest::newRow("UTF-32LE mark") << QByteArray("\xFF\xFE\0\0<\0\0\0", 8) << QByteArray("utf-32le") << false;
    QTest::newRow("declared UTF-16") << QByteArray("<meta charset=\"utf-16\">") << QByteArray("utf-16") << false;
}

void TestSitePages::charset()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, charset);
    QFETCH(bool, keepsAscii);
    QCOMPARE(PageCharset(page), charset);
    QCOMPARE(PageKeepsAscii(page), keepsAscii);
}

void TestSitePages::placeAndState_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("lastMenu"); // the block Vantrel last wrote, if any
    QTest::addColumn<int>("state");
    QTest::addColumn<QByteArray>("updated"); // with [B] for the block; empty: no place
    const QByteArray V = kViewport;
    const QByteArray B = kBegin;
    const QByteArray E = kEnd;
    using S = ESitePageState;

    QTest::newRow("after body, head of its own line")
        << QByteArray("<html>\n<head>\n<title>t</title>\n</head>\n<body>\n<p>x</p>\n</body>\n")
        << QByteArray() << int(S::Add)
        << "<html>\n<head>\n" + V + "\n<title>t</title>\n</head>\n<body>" + B + "[B]" + E + "\n<p>x</p>\n</body>\n";
    QTest::newRow("head and title on one line")
        << QByteArray("<head><title>t</title></head>\r\n<body>x") << QByteArray() << int(S::Add)
        << "<head>\r\n" + V + "<title>t</title></head>\r\n<body>" + B + "[B]" + E + "x";
    QTest::newRow("no head: viewport before body")
        << QByteArray("<html>\n<body>\n") << QByteArray() << int(S::Add)
        << "<html>\n" + V + "\n<body>" + B + "[B]" + E + "\n";
    QTest::newRow("viewport of its own kept")
        << QByteArray("<head>\n<META NAME='Viewport' content='width=500'>\n</head><body>") << QByteArray() << int(S::Add)
        << "<head>\n<META NAME='Viewport' content='width=500'>\n</head><body>" + B + "[B]" + E;
    QTest::newRow("body tag in capitals, quoted >")
        << QByteArray("<BODY onload=\"f(a>b)\" class='c>d'>z") << QByteArray() << int(S::Add)
        << V + "\r\n<BODY onload=\"f(a>b)\" class='c>d'>" + B + "[B]" + E + "z";
    QTest::newRow("body in a comment and a script only")
        << QByteArray("<!-- <body> -->\n<script>document.write('<body>')</script>\n<bodyx>") << QByteArray()
        << int(S::NoPlace) << QByteArray();
    QTest::newRow("no body, no marker") << QByteArray("<p>text</p>\n") << QByteArray() << int(S::NoPlace) << QByteArray();
    // A page Vantrel saved whole, with the author's own text added: its
    // applet (and the script line before it) becomes the marked menu.
    QTest::newRow("saved page: script line and applet")
        << QByteArray("<html>\r\n<head><title>t</title></head>\n<p align=\"Center\">\r\n<script src=\"glidebar.js\">"
                      "</script>\r\n<applet code=\"Glidebar.class\" width=\"9\">\r\n\t<param name=\"a\" value=\"b\">\r\n"
                      "</applet>\r\n</p>\r\n<p>mine</p>\r\n</html>")
        << QByteArray() << int(S::Add)
        << "<html>\r\n<head>\r\n" + V + "<title>t</title></head>\n<p align=\"Center\">\r\n" + B + "[B]" + E
               + "\r\n</p>\r\n<p>mine</p>\r\n</html>";
    QTest::newRow("classic saved page: the applet alone")
        << QByteArray("<html>\n<p>\n<APPLET CODE=\"glidebar.class\">\n</Applet>\n<p>mine</p>\n")
        << QByteArray() << int(S::Add)
        << "<html>\n" + V + "\n<p>\n" + B + "[B]" + E + "\n<p>mine</p>\n";
    QTest::newRow("another applet is no place") << QByteArray("<p>\n<applet code=\"Other.class\"></applet>\n")
                                                << QByteArray() << int(S::NoPlace) << QByteArray();
    QTest::newRow("author's marker line")
        << QByteArray("<head></head><body>\n<h1>t</h1>\n  " + B + "\t\n<p>x</p>") << QByteArray() << int(S::Add)
        << "<head>\n" + V + "</head><body>\n<h1>t</h1>\n  " + B + "[B]" + E + "\t\n<p>x</p>";
    QTest::newRow("marker inside a line is not the author's")
        << QByteArray("<body>\n<p>" + B + "</p>") << QByteArray() << int(S::Add)
        << V + "\n<body>" + B + "[B]" + E + "\n<p>" + B + "</p>";
    QTest::newRow("pair, nothing known of it")
        << QByteArray("<head>\n</head>\n<body>\n" + B + "\nold\n" + E + "\n") << QByteArray() << int(S::Update)
        << "<head>\n" + V + "\n</head>\n<body>\n" + B + "[B]" + E + "\n";
    QTest::newRow("pair as last written") << QByteArray("<body>" + B + "\nold\n" + E) << QByteArray("\nold\n")
                                          << int(S::Update) << V + "\n<body>" + B + "[B]" + E;
    QTest::newRow("pair changed by hand") << QByteArray("<body>" + B + "\nold, edited\n" + E) << QByteArray("\nold\n")
                                          << int(S::ChangedSince) << V + "\n<body>" + B + "[B]" + E;
    QTest::newRow("pair without a body tag") << QByteArray("<div>" + B + "old" + E + "</div>") << QByteArray()
                                             << int(S::Update) << "<div>" + B + "[B]" + E + "</div>";
    QTest::newRow("stray begin marker above the pair")
        << QByteArray("<body>" + B + "\n<p>keep</p>\n" + B + "old" + E) << QByteArray() << int(S::Update)
        << V + "\n<body>" + B + "\n<p>keep</p>\n" + B + "[B]" + E;
    QTest::newRow("end marker before begin marker line")
        << QByteArray("<body>\n" + E + "\n" + B + "\n") << QByteArray() << int(S::Add)
        << V + "\n<body>\n" + E + "\n" + B + "[B]" + E + "\n";
    QTest::newRow("byte-order mark kept")
        << QByteArray("\xEF\xBB\xBF<head>\n</head><body>") << QByteArray() << int(S::Add)
        << "\xEF\xBB\xBF<head>\n" + V + "\n</head><body>" + B + "[B]" + E;
    QTest::newRow("UTF-16 page") << QByteArray("\xFF\xFE<\0b\0o\0d\0y\0>\0", 14) << QByteArray() << int(S::Utf16)
                                 << QByteArray();
}

void TestSitePages::placeAndState()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, lastMenu);
    QFETCH(int, state);
    QFETCH(QByteArray, updated);
    QCOMPARE(int(SitePageState(page, lastMenu.isEmpty() ? QByteArray() : ContentHash(lastMenu))), state);

    QByteArray out = "untouched";
    QByteArray hash;
    const bool placed = PutMenuIntoPage(page, "[B]", &out, &hash);
    QCOMPARE(placed, !updated.isEmpty());
    QCOMPARE(out, placed ? updated : QByteArray("untouched"));
    if (placed) {
        QCOMPARE(hash, ContentHash("[B]"));
        // Once there, the menu is updated in place and nothing else moves.
        QByteArray again;
        QVERIFY(PutMenuIntoPage(out, "[B]", &again));
        QCOMPARE(again, out);
        QCOMPARE(int(SitePageState(out, hash)), int(ESitePageState::Update));
    }
}

void TestSitePages::markersAndBodyCountOnlyAsMarkup_data()
{
    QTest::addColumn<QByteArray>("hidden"); // a marker pair and a <body> where they are no markup
    const QByteArray B = kBegin;
    const QByteArray E = kEnd;
    const QByteArray inside = B + "<body>" + E;
    QTest::newRow("script string") << "<script>var s = \"" + inside + "\";</script>";
    QTest::newRow("script comment") << "<script>/* " + B + " */ document.write('<body>'); // " + E + "\n</script>";
    QTest::newRow("style") << "<style>/* " + B + " */ p::before { content: \"<body>" + E + "\" }</style>";
    QTest::newRow("attribute") << "<div title='" + inside + "' data-b=\"" + inside + "\"></div>";
    QTest::newRow("CDATA") << "<svg><![CDATA[" + inside + "]]></svg>";
    QTest::newRow("comment inside a comment") << "<!-- old: " + B + "<!-- <body> " + E;
    QTest::newRow("declaration") << "<!DOCTYPE html \"" + B + "\">";
    for (const char *name : {"textarea", "title", "xmp", "iframe", "noembed", "noframes"})
        QTest::newRow(name) << "<" + QByteArray(name) + ">" + inside + "</" + QByteArray(name) + ">";
}

void TestSitePages::markersAndBodyCountOnlyAsMarkup()
{
    QFETCH(QByteArray, hidden);
    // Hidden alone: no place. With a real <body> after it: the menu goes
    // right after that one, and the hidden text stays as it is.
    const QByteArray alone = "<html>\n<head>\n" + hidden + "\n</head>\n<p>x</p>\n";
    QCOMPARE(int(SitePageState(alone, QByteArray())), int(ESitePageState::NoPlace));
    QCOMPARE(int(FindMenuPlace(alone).kind), int(CMenuPlace::None));

    const QByteArray body = "<body class=\"real\">";
    const QByteArray page = "<html>\n<head>\n" + hidden + "\n</head>\n" + body + "\n<p>x</p>\n";
    QCOMPARE(int(SitePageState(page, QByteArray())), int(ESitePageState::Add));
    const CMenuPlace place = FindMenuPlace(page);
    QCOMPARE(int(place.kind), int(CMenuPlace::AfterBody));
    QCOMPARE(place.nBegin, page.indexOf(body) + body.size());
    QByteArray out;
    QVERIFY(PutMenuIntoPage(page, "[B]", &out));
    QCOMPARE(out, "<html>\n<head>\n" + kViewport + "\n" + hidden + "\n</head>\n" + body + kBegin + "[B]" + kEnd
                      + "\n<p>x</p>\n");
}

void TestSitePages::markerPairs_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("state");
    const QByteArray B = kBegin;
    const QByteArray E = kEnd;
    using S = ESitePageState;
    QTest::newRow("two pairs") << "<body>" + B + "a" + E + "\n<p>x</p>\n" + B + "b" + E << int(S::Doubled);
    QTest::newRow("three pairs") << "<body>" + B + E + B + E + B + E << int(S::Doubled);
    QTest::newRow("second pair in a script") << "<body>" + B + "a" + E + "<script>'" + B + E + "'</script>"
                                             << int(S::Update);
    QTest::newRow("second pair in a comment") << "<body>" + B + "a" + E + "<!-- " + B + E + " -->" << int(S::Update);
    QTest::newRow("markers with other blanks") << QByteArray("<body><!--Vantrel menu-->a<!--\t/Vantrel menu\n-->")
                                               << int(S::Update);
    QTest::newRow("nested: one pair") << "<body>" + B + B + "a" + E + E << int(S::Update);
    QTest::newRow("stray end markers around a pair") << "<body>" + E + E + B + "a" + E + E << int(S::Update);
    QTest::newRow("stray end markers only") << "<body>\n" + E + E + "\n" << int(S::Add);
}

void TestSitePages::markerPairs()
{
    QFETCH(QByteArray, page);
    QFETCH(int, state);
    QCOMPARE(int(SitePageState(page, QByteArray())), state);
    QByteArray out = "untouched";
    QCOMPARE(PutMenuIntoPage(page, "[B]", &out), state != int(ESitePageState::Doubled));
    if (state == int(ESitePageState::Doubled)) {
        // Reported, not half updated.
        QCOMPARE(out, QByteArray("untouched"));
        QCOMPARE(SitePageStateText(ESitePageState(state)),
                 QString("has more than one pair of menu markers; keep one pair to add the menu"));
        QVERIFY(!TakeMenuOutOfPage(page, kAddedUnknown, &out));
    } else {
        // Exactly one pair holds the menu afterwards.
        QCOMPARE(int(SitePageState(out, ContentHash("[B]"))), int(ESitePageState::Update));
    }
}

void TestSitePages::wideCharsetPages_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("state");
    const QString text = QStringLiteral("<html><head><title>Caf\u00e9</title></head>\n<body>\n<p>x</p>\n</body></html>\n");
    const auto encoded = [&](QStringConverter::Encoding encoding, bool bom) {
        QStringEncoder encoder(encoding, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
        return QByteArray(encoder.encode(text));
    };
    using S = ESitePageState;
    QTest::newRow("UTF-16LE with mark") << encoded(QStringConverter::Utf16LE, true) << int(S::Utf16);
    QTest::newRow("UTF-16BE with mark") << encoded(QStringConverter::Utf16BE, true) << int(S::Utf16);
    QTest::newRow("UTF-16LE without mark") << encoded(QStringConverter::Utf16LE, false) << int(S::Utf16);
    QTest::newRow("UTF-16BE without mark") << encoded(QStringConverter::Utf16BE, false) << int(S::Utf16);
    QTest::newRow("UTF-32LE with mark") << encoded(QStringConverter::Utf32LE, true) << int(S::Utf32);
    QTest::newRow("UTF-32BE without mark") << encoded(QStringConverter::Utf32BE, false) << int(S::Utf32);
    QTest::newRow("UTF-8 with a stray zero byte")
        << encoded(QStringConverter::Utf8, false).insert(7, '\0') << int(S::Add);
}

void TestSitePages::wideCharsetPages()
{
    QFETCH(QByteArray, page);
    QFETCH(int, state);
    QCOMPARE(int(SitePageState(page, QByteArray())), state);
    QByteArray out;
    QCOMPARE(PutMenuIntoPage(page, "[B]", &out), state == int(ESitePageState::Add));
    if (state == int(ESitePageState::Utf16))
        QCOMPARE(SitePageStateText(ESitePageState::Utf16), QString("is UTF-16; save it as UTF-8 to add the menu"));

    // Through the update: refused with the cause, nothing written.
    if (state == int(ESitePageState::Add))
        return;
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("wide.html"), page));
    CAppletParameters p;
    MakeMenu(p);
    QVERIFY(WriteFileBytes(dir.filePath("site.qdx"), ProjectIniFor(p).ToBytes()));
    QString error;
    QVERIFY(!UpdateSite(dir.filePath("site.qdx"), &error, {dir.filePath("wide.html")}));
    QVERIFY2(error.contains(QStringLiteral("wide.html: is UTF-%1; save it as UTF-8 to add the menu")
                                .arg(state == int(ESitePageState::Utf16) ? 16 : 32)),
             qPrintable(error));
    QCOMPARE(ReadFileBytes(dir.filePath("wide.html")), page);
}

void TestSitePages::takingTheMenuOutRestoresThePage_data()
{
    QTest::addColumn<QByteArray>("page");
    const QByteArray B = kBegin;
    QTest::newRow("body ends its line") << QByteArray("<html>\n<head>\n<title>t</title>\n</head>\n<body>\n<p>x</p>\n");
    QTest::newRow("body mid-line, CR LF") << QByteArray("<html><head><title>t</title></head>\r\n<body><p>x</p>\r\n");
    QTest::newRow("one line, no line end") << QByteArray("<html><head></head><body><p>x</p></body></html>");
    QTest::newRow("CR line ends") << QByteArray("<html>\r<head>\r</head>\r<body>\r<p>x</p>\r");
    QTest::newRow("no head, body at line start") << QByteArray("<html>\n<body>\n<p>x</p>\n");
    QTest::newRow("no head, body mid-line") << QByteArray("<html><body>x");
    QTest::newRow("no head, html only: saved page")
        << QByteArray("<html>\n<p>\n<applet code=\"Glidebar.class\">\n</applet>\n<p>mine</p>\n");
    QTest::newRow("own viewport") << QByteArray("<head>\n<meta name=viewport content=\"width=500\">\n</head><body>\n");
    QTest::newRow("our very viewport line, the author's")
        << "<head>\n" + kViewport + "\n</head>\n<body>\n<p>x</p>\n";
    QTest::newRow("author's marker line") << "<head></head><body>\n<h1>t</h1>\n  " + B + "\t\n<p>x</p>";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF<head>\n</head><body>\n");
    QTest::newRow("body hidden in a script first")
        << QByteArray("<head><script>s='<body>'</script></head>\n<body>\n<p>x</p>");
}

void TestSitePages::takingTheMenuOutRestoresThePage()
{
    QFETCH(QByteArray, page);
    QByteArray withMenu;
    int added = 0;
    QVERIFY(PutMenuIntoPage(page, "\n[first menu]\n", &withMenu, nullptr, &added));
    QVERIFY(withMenu != page);
    // Updated again with another menu: what the first update added is
    // what is taken out.
    QByteArray updated;
    int addedAgain = -1;
    QVERIFY(PutMenuIntoPage(withMenu, "\n[second menu]\n", &updated, nullptr, &addedAgain));
    QCOMPARE(addedAgain, 0);
    QByteArray out = "untouched";
    const bool savedPage = page.contains("<applet");
    QVERIFY(TakeMenuOutOfPage(updated, added, &out));
    if (savedPage) {
        // A saved page's own applet lines were Vantrel's: they stay out.
        QCOMPARE(out, QByteArray("<html>\n") + "<p>\n<p>mine</p>\n");
    } else {
        QCOMPARE(out, page);
    }
    // A page without a menu has none to take out.
    QVERIFY(!TakeMenuOutOfPage(page, added, &out));
}

void TestSitePages::fixtureSiteKeepsEveryByteOutsideTheMarkers()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");

    // The states before the update.
    CAppletParameters loaded;
    loaded.LoadProject(project);
    QCOMPARE(loaded.m_SitePages.size(), pages.size());
    CSiteUpdate site(project, loaded);
    QVERIFY(site.Choose({}, nullptr));
    site.Read();
    QCOMPARE(site.Pages().size(), pages.size());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const bool pair = pages[i].original.contains(kEnd);
        QCOMPARE(SitePageStateText(site.Pages()[i].state),
                 QString(pair ? "menu will be updated" : "menu will be added"));
    }

    QString error;
    QVERIFY2(UpdateSite(project, &error), qPrintable(error));
    for (const CFixturePage &page : pages) {
        QByteArray expected = page.expected;
        expected.replace("@MENU@", SiteMenuBlock(p, FolderOf(page.strPath), page.eol));
        QCOMPARE(ReadFileBytes(dir.filePath(page.strPath)), expected);
    }
    // The files the block names, once, in the site folder.
    QCOMPARE(ReadFileBytes(dir.filePath("glidebar.js")), QByteArray("// menu script\n"));
    QCOMPARE(ReadFileBytes(dir.filePath("Glidebar.class")), QByteArray("class"));
    QVERIFY(!QFile::exists(dir.filePath("products/glidebar.js")));
    QCOMPARE(HiddenFiles(dir.path()), QStringList());

    // What the project file records of each page is what the page now is.
    loaded.LoadProject(project);
    QCOMPARE(loaded.m_SitePages.size(), pages.size());
    for (const CSitePage &record : loaded.m_SitePages) {
        const QString path = dir.filePath(record.strPath);
        const QByteArray bytes = ReadFileBytes(path);
        QCOMPARE(record.nSize, qint64(bytes.size()));
        QCOMPARE(record.nModified, QFileInfo(path).lastModified().toMSecsSinceEpoch());
        QCOMPARE(record.pageHash, ContentHash(bytes));
        QCOMPARE(int(SitePageState(bytes, record.menuHash)), int(ESitePageState::Update));
    }
}

void TestSitePages::upToDatePagesAreNotWritten()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false).mid(0, 6);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    QVERIFY(UpdateSite(project));

    // One page edited outside its menu (still up to date), one whose menu
    // was taken out (to be updated).
    const QByteArray edited = ReadFileBytes(dir.filePath(pages[2].strPath)) + "<!-- edited -->";
    QVERIFY(WriteFileBytes(dir.filePath(pages[2].strPath), edited));
    CAppletParameters loaded;
    loaded.LoadProject(project);
    QByteArray stripped;
    QVERIFY(TakeMenuOutOfPage(ReadFileBytes(dir.filePath(pages[3].strPath)), loaded.m_SitePages[3].nAdded,
                              &stripped));
    QVERIFY(WriteFileBytes(dir.filePath(pages[3].strPath), stripped));
    // Every page dated back: a page written again gets a new time.
    const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-2);
    for (const CFixturePage &page : pages) {
        QFile file(dir.filePath(page.strPath));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    }

    CSiteUpdate site(project, loaded);
    QVERIFY(site.Choose({}, nullptr));
    site.Read();
    QTemporaryDir app;
    QVERIFY(MakeAppDir(app.path()));
    QString error;
    QVERIFY2(site.Save(BlockMaker(loaded), app.path(), false, &error), qPrintable(error));
    QCOMPARE(site.UpdatedCount(), 1);
    QCOMPARE(site.UpToDateCount(), pages.size() - 1);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QFileInfo info(dir.filePath(pages[i].strPath));
        QCOMPARE(info.lastModified() == old, i != 3);
    }
    QCOMPARE(ReadFileBytes(dir.filePath(pages[2].strPath)), edited);
}

void TestSitePages::removeTakesPagesOffTheListAndTheirMenusOut()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false).mid(0, 6);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    QVERIFY(UpdateSite(project));
    QVERIFY(UpdateSite(project)); // a second update keeps what the first added

    CAppletParameters loaded;
    loaded.LoadProject(project);
    CSiteUpdate site(project, loaded);
    const QStringList removed = {dir.filePath(pages[0].strPath), dir.filePath(pages[2].strPath),
                                 dir.filePath(pages[4].strPath)};
    QString error;
    QVERIFY2(site.Remove(removed, true, false, &error), qPrintable(error));
    // A page without markers before: as it was. One with the author's
    // pair: the pair stays, emptied.
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QByteArray bytes = ReadFileBytes(dir.filePath(pages[i].strPath));
        if (i == 1 || i == 3 || i == 5)
            QVERIFY(bytes.contains("<applet"));
        else if (pages[i].original.contains(kEnd))
            QVERIFY2(bytes.contains(kBegin + kEnd) && !bytes.contains("<applet"), bytes.constData());
        else
            QCOMPARE(bytes, pages[i].original);
    }
    loaded.LoadProject(project);
    QStringList listed;
    for (const CSitePage &page : loaded.m_SitePages)
        listed.append(page.strPath);
    QCOMPARE(listed, QStringList({pages[1].strPath, pages[3].strPath, pages[5].strPath}));

    // A page not on the list is refused, nothing written.
    const QByteArray projectBytes = ReadFileBytes(project);
    CSiteUpdate again(project, loaded);
    QVERIFY(!again.Remove({dir.filePath(pages[0].strPath)}, true, false, &error));
    QVERIFY2(error.contains("not a site page"), qPrintable(error));
    QCOMPARE(ReadFileBytes(project), projectBytes);
}

void TestSitePages::secondUpdateReplacesOnlyTheBlock()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false).mid(0, 14);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    QVERIFY(UpdateSite(project));

    // The menu changes; the author edits a page outside the markers.
    CAppletParameters changed;
    changed.LoadProject(project);
    changed.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Start");
    QVERIFY(WriteFileBytes(project, ProjectIniFor(changed).ToBytes()));
    const QString edited = dir.filePath(pages[3].strPath);
    QVERIFY(WriteFileBytes(edited, ReadFileBytes(edited) + "<!-- edited -->"));
    QString error;
    QVERIFY2(UpdateSite(project, &error), qPrintable(error));

    for (qsizetype i = 0; i < pages.size(); ++i) {
        QByteArray expected = pages[i].expected;
        expected.replace("@MENU@", SiteMenuBlock(changed, FolderOf(pages[i].strPath), pages[i].eol));
        if (i == 3)
            expected += "<!-- edited -->";
        QCOMPARE(ReadFileBytes(dir.filePath(pages[i].strPath)), expected);
    }
}

void TestSitePages::pageWithoutPlaceStopsTheSave()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(true);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    const QByteArray projectBytes = ReadFileBytes(project);
    QString error;
    QVERIFY(!UpdateSite(project, &error));
    QVERIFY2(error.contains("nobody.htm: no place found"), qPrintable(error));
    for (const CFixturePage &page : pages)
        QCOMPARE(ReadFileBytes(dir.filePath(page.strPath)), page.original);
    QCOMPARE(ReadFileBytes(project), projectBytes);
    QVERIFY(!QFile::exists(dir.filePath("glidebar.js")));
}

void TestSitePages::menuChangedByHand()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false).mid(0, 3);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    QVERIFY(UpdateSite(project));

    // A hand edit between the markers of one page.
    const QString page = dir.filePath(pages[1].strPath);
    QByteArray bytes = ReadFileBytes(page);
    bytes.replace("</applet>", "<p>mine</p></applet>");
    QVERIFY(WriteFileBytes(page, bytes));
    const QByteArray projectBytes = ReadFileBytes(project);

    CAppletParameters loaded;
    loaded.LoadProject(project);
    CSiteUpdate site(project, loaded);
    QVERIFY(site.Choose({}, nullptr));
    site.Read();
    QCOMPARE(SitePageStateText(site.Pages()[1].state), QString("changed since the last update"));
    QCOMPARE(SitePageStateText(site.Pages()[0].state), QString("menu will be updated"));
    QTemporaryDir app;
    QVERIFY(MakeAppDir(app.path()));
    QString error;
    QVERIFY(!site.Save(BlockMaker(loaded), app.path(), false, &error));
    QVERIFY2(error.contains(pages[1].strPath + ": changed since the last update"), qPrintable(error));
    QCOMPARE(ReadFileBytes(page), bytes);
    QCOMPARE(ReadFileBytes(project), projectBytes);

    // Told to, the save replaces it.
    QVERIFY2(site.Save(BlockMaker(loaded), app.path(), true, &error), qPrintable(error));
    QVERIFY(!ReadFileBytes(page).contains("<p>mine</p>"));
}

void TestSitePages::listInTheProjectFile()
{
    CAppletParameters p;
    MakeMenu(p);
    CSitePage a;
    a.strPath = QStringLiteral("products/caf\u00e9 menu.html");
    a.nSize = 5000000000;
    a.nModified = 1700000000123;
    a.pageHash = ContentHash("a");
    a.menuHash = ContentHash("b");
    CSitePage b;
    b.strPath = QStringLiteral("index.html");
    p.m_SitePages = {a, b};
    const QByteArray bytes = ProjectIniFor(p).ToBytes();
    QVERIFY(bytes.contains("\r\n[Site Pages]\r\nPage1=products/caf\xc3\xa9 menu.html\r\nSize1=5000000000\r\n"));

    CIniFile ini;
    ini.Parse(bytes);
    CAppletParameters loaded;
    LoadProjectFromIni(loaded, ini);
    QCOMPARE(loaded.m_SitePages, p.m_SitePages);
    QCOMPARE(ProjectIniFor(loaded).ToBytes(), bytes);

    // Hand-edited: the list ends at the first gap; a malformed hash or
    // number reads as unknown.
    ini.Parse("[Site Pages]\r\nPage1=x.html\r\nSize1=big\r\nPageHash1=abc\r\nMenuHash1="
              + ContentHash("m").toUpper() + "\r\nPage3=z.html\r\n");
    const CSitePageList read = ReadSitePages(ini);
    QCOMPARE(read.size(), 1);
    QCOMPARE(read[0].strPath, QString("x.html"));
    QCOMPARE(read[0].nSize, qint64(-1));
    QCOMPARE(read[0].pageHash, QByteArray());
    QCOMPARE(read[0].menuHash, ContentHash("m"));

    // A template starts without site pages.
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("lib.qdx"), "[Templates]\r\nT=One\r\n[One]\r\nm_mmWidth=5\r\n"));
    loaded.LoadTemplate(0, dir.filePath("lib.qdx"));
    QVERIFY(loaded.m_SitePages.isEmpty());
}

void TestSitePages::projectWithoutSitePagesIsWrittenAsBefore()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QString page = dir.filePath("menu.htm");
    QVERIFY(WriteFileBytes(dir.filePath("glidebar.js"), "//"));
    QVERIFY(SavePage(page, dir.path(), p, "page", dir.path()));
    const QByteArray saved = ReadFileBytes(dir.filePath("menu.qdx"));
    QVERIFY(!saved.contains("Site Pages"));
    CAppletParameters loaded;
    loaded.LoadProject(dir.filePath("menu.qdx"));
    QVERIFY(SavePage(page, dir.path(), loaded, "page", dir.path()));
    QCOMPARE(ReadFileBytes(dir.filePath("menu.qdx")), saved);
}

void TestSitePages::pagesOutsideTheSiteAreRefused()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    QVERIFY(QDir(dir.path()).mkpath("site/sub"));
    QVERIFY(WriteFileBytes(dir.filePath("site/site.qdx"), ProjectIniFor(p).ToBytes()));
    QVERIFY(WriteFileBytes(dir.filePath("outside.html"), "<body>"));
    QVERIFY(WriteFileBytes(dir.filePath("site/sub/in.html"), "<body>"));
    CSiteUpdate site(dir.filePath("site/site.qdx"), p);
    QString error;
    QVERIFY(!site.Choose({dir.filePath("outside.html"), dir.filePath("site/sub/in.html")}, &error));
    QVERIFY2(error.contains("outside.html: not in the site folder"), qPrintable(error));
    QVERIFY(!site.Choose({dir.filePath("site/sub/../../outside.html")}, &error));
    QVERIFY(site.Choose({dir.filePath("site/sub/./in.html"), dir.filePath("site/sub/in.html")}, &error));
    QCOMPARE(site.Pages().size(), 1);
    QCOMPARE(site.Pages()[0].strPath, QString("sub/in.html"));

    // A hand-edited list naming a page above the site.
    CSitePage above;
    above.strPath = QStringLiteral("../outside.html");
    p.m_SitePages = {above};
    QVERIFY(!site.Choose({}, &error));
    QVERIFY2(error.contains("not in the site folder"), qPrintable(error));
}

void TestSitePages::killedSaveLeavesAllOldOrAllNew_data()
{
    using S = CFileSet::EStep;
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("file");
    QTest::addColumn<bool>("allNew");
    // 14 pages in four folders and the project file (15 files).
    QTest::newRow("lock taken") << int(S::Locked) << -1 << false;
    QTest::newRow("plan written") << int(S::PlanWritten) << -1 << false;
    for (int i : {0, 1, 7, 13, 14})
        QTest::addRow("temp %d written", i) << int(S::TempWritten) << i << false;
    QTest::newRow("pages checked") << int(S::Checked) << -1 << false;
    QTest::newRow("journal written, not in place") << int(S::JournalWritten) << -1 << false;
    QTest::newRow("journal in place") << int(S::Committed) << -1 << true;
    for (int i : {0, 1, 7, 13, 14})
        QTest::addRow("file %d renamed", i) << int(S::Renamed) << i << true;
    QTest::newRow("folders flushed") << int(S::Flushed) << -1 << true;
    QTest::newRow("journal removed, lock held") << int(S::Finished) << -1 << true;
}

void TestSitePages::killedSaveLeavesAllOldOrAllNew()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork");
#else
    QFETCH(int, step);
    QFETCH(int, file);
    QFETCH(bool, allNew);
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    QList<CFixturePage> pages;
    const QList<CFixturePage> site = FixtureSite(false);
    for (qsizetype i = 0; i < site.size() && pages.size() < 14; i += 3)
        pages.append(site[i]);
    QSet<QString> folders;
    for (const CFixturePage &page : pages)
        folders.insert(FolderOf(page.strPath));
    QVERIFY(folders.size() >= 3);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    const QByteArray oldProject = ReadFileBytes(project);

    g_killStep = CFileSet::EStep(step);
    g_killFile = file;
    const int status = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            CFileSet::SetStepHook(KillAtStep);
            UpdateSite(project);
            _exit(0);
        }
        int st = 0;
        waitpid(pid, &st, 0);
        return st;
    }();
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    // Whoever reads the project next finishes or undoes the save: then every
    // page is the same save's.
    RecoverInterruptedSave(project);
    for (const CFixturePage &page : pages) {
        QByteArray expected = page.original;
        if (allNew) {
            expected = page.expected;
            expected.replace("@MENU@", SiteMenuBlock(p, FolderOf(page.strPath), page.eol));
        }
        QCOMPARE(ReadFileBytes(dir.filePath(page.strPath)), expected);
    }
    CAppletParameters loaded;
    loaded.LoadProject(project);
    if (allNew) {
        for (const CSitePage &record : loaded.m_SitePages)
            QCOMPARE(record.pageHash, ContentHash(ReadFileBytes(dir.filePath(record.strPath))));
    } else {
        QCOMPARE(ReadFileBytes(project), oldProject);
    }
    QCOMPARE(HiddenFiles(dir.path()), QStringList());

    // The next update goes ahead.
    QString error;
    QVERIFY2(UpdateSite(project, &error), qPrintable(error));
    QCOMPARE(HiddenFiles(dir.path()), QStringList());
#endif
}

void TestSitePages::pageChangedBehindVantrelsBack_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("whileSaving"); // else between reading and saving
    for (bool whileSaving : {false, true}) {
        const char *when = whileSaving ? "while saving" : "after reading";
        QTest::addRow("content, same size and time, %s", when) << "content" << whileSaving;
        QTest::addRow("size, %s", when) << "size" << whileSaving;
        QTest::addRow("time only, %s", when) << "time" << whileSaving;
        QTest::addRow("removed, %s", when) << "removed" << whileSaving;
    }
}

void TestSitePages::pageChangedBehindVantrelsBack()
{
    QFETCH(QString, how);
    QFETCH(bool, whileSaving);
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    const QList<CFixturePage> pages = FixtureSite(false).mid(0, 12);
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    const QByteArray projectBytes = ReadFileBytes(project);
    const QString changed = dir.filePath(pages[4].strPath);

    CAppletParameters loaded;
    loaded.LoadProject(project);
    CSiteUpdate site(project, loaded);
    QVERIFY(site.Choose({}, nullptr));
    site.Read();

    // What another program leaves in the page.
    QByteArray theirs = pages[4].original;
    const QDateTime time = QFileInfo(changed).lastModified();
    auto change = [&] {
        if (how == "removed") {
            QFile::remove(changed);
            return;
        }
        if (how == "content")
            theirs[theirs.size() - 3] = 'X';
        else if (how == "size")
            theirs += "more";
        WriteFileBytes(changed, theirs);
        QFile f(changed);
        f.open(QIODevice::ReadWrite);
        f.setFileTime(how == "time" ? time.addSecs(-60) : time, QFileDevice::FileModificationTime);
    };

    QTemporaryDir app;
    QVERIFY(MakeAppDir(app.path()));
    QString error;
    bool saved = false;
    if (whileSaving) {
        // Changed in the same process, as the save's last temp is written.
        std::function<void()> fn = change;
        g_change = &fn;
        CFileSet::SetStepHook(ChangeWhileSaving);
        saved = site.Save(BlockMaker(loaded), app.path(), false, &error);
        CFileSet::SetStepHook(nullptr);
        g_change = nullptr;
    } else {
        change();
        saved = site.Save(BlockMaker(loaded), app.path(), false, &error);
    }
    QVERIFY(!saved);
    QVERIFY2(error.contains(QDir::toNativeSeparators(changed)) && error.contains("changed since it was read"),
             qPrintable(error));

    // Nothing of the save is written: their page is theirs, the others and
    // the project file are as they were.
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (i != 4)
            QCOMPARE(ReadFileBytes(dir.filePath(pages[i].strPath)), pages[i].original);
    QCOMPARE(QFile::exists(changed), how != "removed");
    if (how != "removed")
        QCOMPARE(ReadFileBytes(changed), theirs);
    QCOMPARE(ReadFileBytes(project), projectBytes);
    QCOMPARE(HiddenFiles(dir.path()), QStringList());
}

void TestSitePages::fullDiskWritesNothing()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    // One page grows past the file size limit (which binds even root): the
    // save fails, every page and the project file stay as they were.
    QTemporaryDir dir;
    CAppletParameters p;
    MakeMenu(p);
    QList<CFixturePage> pages = FixtureSite(false).mid(0, 10);
    pages[6].original.insert(pages[6].original.indexOf("</body>"), QByteArray(60000, 'x'));
    QVERIFY(WriteSite(dir.path(), pages, p));
    const QString project = dir.filePath("site.qdx");
    const QByteArray projectBytes = ReadFileBytes(project);
    QTemporaryDir app;
    QVERIFY(MakeAppDir(app.path()));

    CAppletParameters loaded;
    loaded.LoadProject(project);
    CSiteUpdate site(project, loaded);
    QVERIFY(site.Choose({}, nullptr));
    site.Read();
    struct rlimit old {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 50000;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    QString error;
    const bool saved = site.Save(BlockMaker(loaded), app.path(), false, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QVERIFY2(error.contains(pages[6].strPath), qPrintable(error));
    for (const CFixturePage &page : pages)
        QCOMPARE(ReadFileBytes(dir.filePath(page.strPath)), page.original);
    QCOMPARE(ReadFileBytes(project), projectBytes);
    QCOMPARE(HiddenFiles(dir.path()), QStringList());
#endif
}

QTEST_APPLESS_MAIN(TestSitePages)
#include "tst_sitepages.moc"
