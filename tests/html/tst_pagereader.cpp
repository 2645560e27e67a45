#include "ConfigProbes.h"
#include "MenuFixture.h"
#include "TestFiles.h"
#include "html/SiteBlock.h"
#include "html/SiteLinks.h"
#include "html/read/text/CharacterReferences.h"
#include "html/read/PageImport.h"
#include "html/read/PageReader.h"
#include "model/menu/AppletMenu.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "store/ini/IniFile.h"
#include "store/site/SitePageText.h"
#include "store/project/StoredConfig.h"
#include "store/project/TemplateLibrary.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QtTest>

#include <functional>

// Reading a menu back from the pages the writer writes (byte for byte), from
// pages hands and other programs have changed, and from hostile ones.
class TestPageReader : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void handEdited_data();
    void handEdited();
    void notes_data();
    void notes();
    void linkListWhereParamsHaveNoItems();
    void noApplet_data();
    void noApplet();
    void hostile_data();
    void hostile();
    void characterReferences_data();
    void characterReferences();
    void siteLinksBack_data();
    void siteLinksBack();
    void sitePagesCarryingTheMenu();
};

namespace {

// A look at the configuration a page read back gives.
using CCheck = std::function<bool(const CAppletParameters &)>;

const QString kLibrary = QStringLiteral(VANTREL_BIN_DIR "/Vantrel.qdx");

// A configuration made for a round trip, given the folder its pictures lie
// in (the page's own, or the site folder).
using CFixture = std::function<void(CAppletParameters &, const QDir &pictures)>;

QByteArray Gif()
{
    return QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 13);
}

// Every item of the full menu with a picture of its own in `pictures`.
void FullMenuWithPictures(CAppletParameters &p, const QDir &pictures, int nMain, int nSub)
{
    MakeFullMenu(p, nMain, nSub);
    auto place = [&](QString &path) {
        path = pictures.filePath(QFileInfo(path).fileName());
        WriteFileBytes(path, Gif());
    };
    for (auto &item : p.m_pMainMenu->m_items) {
        place(item->m_strImage);
        if (item->m_pSubMenu)
            for (auto &sub : item->m_pSubMenu->m_items)
                place(sub->m_strImage);
    }
    p.m_appBKImagePath = pictures.filePath(QStringLiteral("back.gif"));
    WriteFileBytes(p.m_appBKImagePath, Gif());
}

// Values no list holds, texts with what needs escaping, and numbers at the
// ends of their range.
void OddValues(CAppletParameters &p, const QDir &)
{
    BuildMenu(*p.m_pMainMenu, QStringLiteral("A(a b) B C(x)"));
    p.m_HTMLTitle = QStringLiteral(" <Caf\u00e9 & \"bar\"> \U0001D11E\t");
    p.m_PageLang = QStringLiteral("sr-Latn-RS");
    p.m_PageDescription = QStringLiteral("Caf\u00e9 <b>&amp;</b> \"q\" \U0001F600");
    p.m_Align = 2;
    p.m_appBKColor = 0xabcdef;
    p.m_xPos = -7;
    p.m_yPos = 2147483647;
    p.m_mmBKStyle = 7;   // no code: written empty
    p.m_mmMenuAlign = 5; // likewise
    p.m_mmWidth = -3;
    p.m_mmHeight = 1000;
    p.m_mmItemGap = -2147483647 - 1;
    p.m_smBKStyle = 3;
    p.m_smMenuAlign = 1;
    p.m_smWidth = 90;
    p.m_smHeight = 18;
    p.m_miItemFillStyle1 = 12;
    p.m_miItemBorderStyle1 = 10;
    p.m_miItemFillStyle2 = -1;
    p.m_miItemBorderStyle2 = -1;
    p.m_miItemFillStyle3 = 2147483647;
    p.m_miItemBorderStyle3 = 2147483646;
    p.m_miFontName1 = -3;
    p.m_miFontSize1 = 40;
    p.m_miFontStyle1 = 9;
    p.m_miAlign1 = 12;
    p.m_siFontName2 = 2;
    p.m_siFontSize2 = 12;
    p.m_siFontStyle2 = 2;
    p.m_siAlign2 = 8;
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.GetItem(0)->m_strLabel = QStringLiteral("Caf\u00e9 <b>&amp;</b> \"q\" \U0001F600");
    menu.GetItem(0)->m_strLink = QStringLiteral("a.htm?x=1&y=2#top");
    menu.GetItem(0)->m_strTarget = QStringLiteral("_blank");
    menu.GetItem(1)->m_strLabel.clear(); // named from its link in the list
    menu.GetItem(1)->m_strLink = QStringLiteral("about-us.html");
    menu.GetItem(2)->m_strLabel = QStringLiteral("tab\there, bell\x07 gone");
    menu.GetItem(2)->m_strLabel.remove(QLatin1Char(',')); // a comma cannot travel in an item
    menu.GetItem(2)->m_strTarget = QStringLiteral("frame 2");
    menu.GetItem(0)->m_pSubMenu->GetItem(1)->m_strLink = QStringLiteral("https://example.org/?q=a b");
    menu.GetItem(2)->m_pSubMenu->GetItem(0)->m_strLink = QStringLiteral("../up/one.html");
}

struct CNamedFixture {
    QString name;
    CFixture make;
    bool bSameProject; // the project read back is the very project written
};

// Every value of today's look set, in both menus and all six item looks.
void TodaysLook(CAppletParameters &p, const QDir &)
{
    p.LoadTemplate(0, kLibrary);
    const int menus[2][6] = {{6, 8, Look::ShadowSoft, 10, 1, 0}, {4, 12, Look::ShadowStrong, 24, 1, 1}};
    for (int sub = 0; sub < 2; ++sub) {
        const CMenuStyle m = MenuStyleFields(p, sub != 0);
        *m.pItemRadius = menus[sub][0];
        *m.pPanelRadius = menus[sub][1];
        *m.pShadow = menus[sub][2];
        *m.pLabelInset = StoredLabelInset(menus[sub][3]);
        *m.pArrows = menus[sub][4];
        *m.pFadeIn = menus[sub][5];
    }
    const CItemFont fonts[2][3] = {{{3, 15, 500, false}, {3, 15, 600, true}, {4, 16, 700, false}},
                                   {{0, 13, 400, true}, {2, 20, 500, false}, {1, 72, 700, true}}};
    for (int sub = 0; sub < 2; ++sub)
        for (int state = 1; state <= 3; ++state)
            SetItemFont(ItemStyleFields(p, sub != 0, state), fonts[sub][state - 1]);
}

// The project as a page for the applet alone keeps it: without today's look.
void ClassicLookOnly(CAppletParameters &p)
{
    for (int sub = 0; sub < 2; ++sub) {
        const CMenuStyle m = MenuStyleFields(p, sub != 0);
        *m.pItemRadius = *m.pPanelRadius = *m.pShadow = *m.pLabelInset = *m.pArrows = *m.pFadeIn = 0;
        for (int state = 1; state <= 3; ++state) {
            const CItemStyle s = ItemStyleFields(p, sub != 0, state);
            *s.pFontFamily = *s.pFontWeight = *s.pFontItalic = *s.pFontPx = 0;
        }
    }
}

QList<CNamedFixture> Fixtures()
{
    QList<CNamedFixture> fixtures;
    const QStringList templates = ListTemplates(kLibrary);
    for (int n = 0; n < templates.size(); ++n)
        fixtures.append({QStringLiteral("template %1").arg(n),
                         [n](CAppletParameters &p, const QDir &) { p.LoadTemplate(n, kLibrary); }, true});
    fixtures.append({QStringLiteral("today's look"), TodaysLook, true});
    fixtures.append({QStringLiteral("flat menu"), [](CAppletParameters &p, const QDir &) { MakeFlatMenu(p); }, true});
    fixtures.append({QStringLiteral("full menu 20 x 20 with pictures"),
                     [](CAppletParameters &p, const QDir &d) { FullMenuWithPictures(p, d, 20, 20); }, true});
    fixtures.append({QStringLiteral("three items, no sub menus"),
                     [](CAppletParameters &p, const QDir &d) { FullMenuWithPictures(p, d, 3, 0); }, true});
    fixtures.append({QStringLiteral("one item"),
                     [](CAppletParameters &p, const QDir &) { BuildMenu(*p.m_pMainMenu, QStringLiteral("Only")); },
                     true});
    // A site page names a menu of an empty title "Site menu", which is read
    // back as "Untitled".
    fixtures.append({QStringLiteral("empty title"),
                     [](CAppletParameters &p, const QDir &) {
                         BuildMenu(*p.m_pMainMenu, QStringLiteral("A(a) B"));
                         p.m_HTMLTitle.clear();
                     },
                     false});
    // Out-of-range indexes come back as -1, which writes the same page.
    fixtures.append({QStringLiteral("odd values"), OddValues, false});
    // The project files and template library of the fuzz corpus (hand-made,
    // with pictures that are not there).
    const QString corpus = QStringLiteral(VANTREL_SOURCE_DIR "/fuzz/corpus/");
    for (const QString name : {"project.qdx", "odd.qdx"})
        fixtures.append({QStringLiteral("project fixture ") + name,
                         [corpus, name](CAppletParameters &p, const QDir &) {
                             CIniFile ini;
                             QVERIFY(ini.Load(corpus + name));
                             LoadProjectFromIni(p, ini);
                         },
                         name == "odd.qdx"});
    for (int n = 0; n < 2; ++n)
        fixtures.append({QStringLiteral("template fixture %1").arg(n),
                         [corpus, n](CAppletParameters &p, const QDir &) {
                             CIniFile ini;
                             QVERIFY(ini.Load(corpus + "library.qdx"));
                             LoadTemplateFromIni(p, n, ini);
                         },
                         true});
    return fixtures;
}

enum class EWhere { ClassicPage, ModernPage, SiteFolder, SiteDepth };

struct CPageOnDisk {
    QString strPath;
    QByteArray bytes;
    QString strPageFolder; // relative to the site folder, for a site page
    QByteArray eol;
};

// An author's page, for a site block.
QByteArray AuthorPage(const QByteArray &eol)
{
    return "<!DOCTYPE html>" + eol + "<html lang=\"en\">" + eol + "<head>" + eol
           + "<meta charset=\"utf-8\"><title>Author's page</title>" + eol + "</head>" + eol + "<body>" + eol
           + "<h1>Hello</h1>" + eol + "</body>" + eol + "</html>" + eol;
}

// The text between a site page's markers.
QByteArray Block(const QByteArray &page)
{
    const CMenuPlace place = FindMenuPlace(page);
    return place.kind == CMenuPlace::Between ? page.mid(place.nBegin, place.nEnd - place.nBegin) : QByteArray();
}

// Reads the page at `path` (its bytes) into a fresh configuration.
struct CReadBack {
    bool bFound = false;
    CPageRead read;
    CAppletParameters params;
};
void ReadBack(const QByteArray &bytes, const QString &path, CReadBack &out)
{
    out.bFound = CPageReader(bytes, path).Read(out.params, &out.read);
}

QString NotesText(const CPageRead &read)
{
    return read.notes.join(QLatin1Char('\n'));
}

// A small menu of every kind of value, the page it makes (beside its
// picture), and that page read back: the start of the hand edits.
struct CSmallPage {
    explicit CSmallPage(bool modern = true)
    {
        QDir().mkpath(dir.path());
        BuildMenu(*params.m_pMainMenu, QStringLiteral("Home(News Mail) About"));
        params.m_HTMLTitle = QStringLiteral("Caf\u00e9 \u20ac5");
        params.m_PageDescription = QStringLiteral("Caf\u00e9 & tea, \"all day\"");
        params.m_Align = 1;
        params.m_ModernPage = modern ? 1 : 0;
        params.m_mmWidth = 100;
        params.m_mmHeight = 20;
        params.m_mmItemGap = 2;
        params.m_mmBKStyle = 3;
        params.m_smWidth = 120;
        params.m_smHeight = 20;
        params.m_smMenuAlign = 1;
        params.m_xPos = 10;
        params.m_yPos = 10;
        params.m_appBKColor = 0x102030;
        params.m_miItemFillStyle2 = 9;
        params.m_miItemBorderStyle2 = 2;
        params.m_miFontName1 = 2;
        params.m_miFontSize3 = 10;
        params.m_siAlign1 = 5;
        CAppletMenu &menu = *params.m_pMainMenu;
        menu.GetItem(0)->m_strLabel = QStringLiteral("Home \u00e9");
        menu.GetItem(0)->m_strLink = QStringLiteral("index.html?a=1&b=2");
        menu.GetItem(0)->m_strTarget = QStringLiteral("_self");
        menu.GetItem(0)->m_strImage = dir.filePath(QStringLiteral("home.gif"));
        WriteFileBytes(menu.GetItem(0)->m_strImage, Gif());
        menu.GetItem(1)->m_strLink = QStringLiteral("about.html");
        menu.GetItem(0)->m_pSubMenu->GetItem(0)->m_strLink = QStringLiteral("news/index.html");
        path = dir.filePath(QStringLiteral("page.htm"));
        page = params.GenerateHTMLBytes([](const QString &) {});
    }
    QTemporaryDir dir;
    CAppletParameters params;
    QString path;
    QByteArray page;
};

// A param line's value replaced: `name` as the writer writes it.
QByteArray WithParam(QByteArray page, const QByteArray &name, const QByteArray &value)
{
    const QByteArray head = "<param name=\"" + name + "\" value=\"";
    const qsizetype at = page.indexOf(head);
    if (at < 0) // a param the page does not carry: added before its first
        return page.insert(page.indexOf("\t<param "), "\t" + head + value + "\">\n");
    const qsizetype from = at + head.size();
    return page.replace(from, page.indexOf('"', from) - from, value);
}

// Every param value's letters 'e', 'o' and 'H' and its commas written as
// references in four forms, and "&#233;" as a named one.
QByteArray WithReferences(const QByteArray &page)
{
    static const QRegularExpression value(QStringLiteral("value=\"([^\"]*)\""));
    QString text = QString::fromLatin1(page);
    QString out;
    qsizetype last = 0;
    for (auto it = value.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        QString v = m.captured(1);
        v.replace(QLatin1Char('e'), QLatin1String("&#101;"));
        v.replace(QLatin1Char('o'), QLatin1String("&#x6F;"));
        v.replace(QLatin1Char(','), QLatin1String("&#44;"));
        v.replace(QLatin1Char('H'), QLatin1String("&#X48"));
        v.replace(QLatin1String("&#233;"), QLatin1String("&eacute;"));
        out += text.mid(last, m.capturedStart(1) - last) + v;
        last = m.capturedEnd(1);
    }
    out += text.mid(last);
    return out.toLatin1();
}

struct CEdit {
    const char *name;
    std::function<QByteArray(const QByteArray &)> edit;
    const char *note; // a note the read gives, empty for none
};

const QList<CEdit> &Edits()
{
    static const QList<CEdit> edits = {
        {"tags and names in upper case",
         [](QByteArray p) {
             static const QRegularExpression names(QStringLiteral("name=\"([^\"]*)\""));
             QString t = QString::fromLatin1(p);
             for (auto it = names.globalMatch(t); it.hasNext();) {
                 const auto m = it.next();
                 t.replace(m.capturedStart(1), m.capturedLength(1), m.captured(1).toUpper());
             }
             return t.toLatin1()
                 .replace("<param name", "<PARAM NAME")
                 .replace("value=", "VALUE=")
                 .replace("<applet code", "<APPLET CODE")
                 .replace("</applet>", "</APPLET>")
                 .replace("<p align", "<P ALIGN")
                 .replace("<title>", "<TITLE>")
                 .replace("</title>", "</TiTlE>")
                 .replace("<script src", "<SCRIPT SRC");
         },
         ""},
        {"single quotes", [](QByteArray p) { return p.replace('"', '\''); }, ""},
        // The first of two languages counts, as in browsers.
        {"a language that is no tag", [](QByteArray p) { return p.replace("<html", "<html lang=\"en_GB\""); },
         "The page's language \"en_GB\" is no language tag"},
        {"values without quotes",
         [](const QByteArray &p) {
             return QString::fromLatin1(p)
                 .replace(QRegularExpression(QStringLiteral("=\"([^\"\\s>]*)\"")), QStringLiteral("=\\1"))
                 .toLatin1();
         },
         ""},
        {"value before name",
         [](const QByteArray &p) {
             return QString::fromLatin1(p)
                 .replace(QRegularExpression(QStringLiteral("<param name=(\"[^\"]*\") value=(\"[^\"]*\")>")),
                          QStringLiteral("<param value=\\2 name=\\1>"))
                 .toLatin1();
         },
         ""},
        {"character references", WithReferences, ""},
        {"LF line ends", [](QByteArray p) { return p.replace("\r\n", "\n"); }, ""},
        {"CR line ends", [](QByteArray p) { return p.replace("\r\n", "\r"); }, ""},
        {"blanks and line breaks in tags",
         [](QByteArray p) {
             return p.replace("<param name=", "<param\r\n   name  =  ")
                 .replace("\" value=\"", "\"\t\tvalue =\"")
                 .replace("\">\r\n", "\" \r\n>\r\n\r\n");
         },
         ""},
        {"params in another order",
         [](const QByteArray &p) {
             QList<QByteArray> lines = p.split('\n');
             QList<QByteArray> params;
             qsizetype first = -1;
             for (qsizetype i = 0; i < lines.size(); ++i) {
                 if (lines[i].startsWith("\t<param")) {
                     if (first < 0)
                         first = i;
                     params.prepend(lines[i]);
                 }
             }
             for (qsizetype i = 0; i < params.size(); ++i)
                 lines[first + i] = params[i];
             return lines.join('\n');
         },
         ""},
        {"params of other programs",
         [](QByteArray p) {
             return p.replace("\t<param name=\"Notice\"", "\t<param name=\"Speed\" value=\"3\">\r\n<param name=\"I0-x\" "
                                                       "value=\"?\">\r\n\t<param name=\"Notice\"");
         },
         "2 params of no use to the menu are ignored: \"speed\", \"i0-x\""},
        {"a param repeated",
         [](QByteArray p) {
             return p.replace("\t<param name=\"Misc\"",
                              "\t<param name=\"mmstyle\" value=\"ffffff,01,h,1,1,1,1\">\r\n\t<param name=\"Misc\"");
         },
         "1 params repeat a name given before"},
        {"a second applet",
         [](QByteArray p) {
             return p.replace("</p>\r\n</html>",
                              "</p>\r\n<applet code=\"glidebar.class\" width=\"1\" height=\"1\"><param name=\"MMStyle\" "
                              "value=\"ffffff,01,h,1,1,1,1\"></applet>\r\n</html>");
         },
         "The page carries 1 more Glidebar applet; only the first is read"},
        {"applets that are no applets",
         [](QByteArray p) {
             return p.replace("<p align", "<!-- <applet code=\"Glidebar.class\"><param name=\"Misc\" value=\"1,1,\">"
                                          "</applet> --><script>var a = '<applet code=\"Glidebar.class\">';</script>"
                                          "<textarea><applet code=\"Glidebar.class\"></textarea><p align");
         },
         ""},
        {"the class file in a sub folder",
         [](QByteArray p) { return p.replace("code=\"Glidebar.class\"", "code=\" applets/Glidebar.class \""); }, ""},
        {"no end tag", [](QByteArray p) { return p.replace("</applet>", ""); }, ""},
        {"a byte-order mark", [](const QByteArray &p) { return "\xEF\xBB\xBF" + p; }, ""},
        {"UTF-16",
         [](const QByteArray &p) {
             const QString text = QString::fromUtf8(p);
             return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
         },
         ""},
        {"UTF-16 without its mark",
         [](const QByteArray &p) {
             const QString text = QString::fromUtf8(p);
             QByteArray big;
             for (const QChar c : text)
                 big += char(c.unicode() >> 8), big += char(c.unicode() & 0xFF);
             return big;
         },
         ""},
        {"UTF-8 text", [](QByteArray p) { return p.replace("&#233;", "\xC3\xA9").replace("&#8364;", "\xE2\x82\xAC"); }, ""},
        // A page for today's browsers declares UTF-8: these edits take its
        // charset line out, as an editor that writes another charset would.
        {"Windows-1252 text, no charset",
         [](QByteArray p) {
             return p.replace("<meta charset=\"utf-8\">\r\n", "").replace("&#233;", "\xE9").replace("&#8364;", "\x80");
         },
         ""},
        {"a charset declared",
         [](QByteArray p) {
             return p.replace("<meta charset=\"utf-8\">\r\n", "")
                 .replace("&#233;", "\xE9")
                 .replace("&#8364;", "\xA4")
                 .replace("<head>", "<head><meta charset=\"ISO-8859-15\">");
         },
         ""},
        {"NUL bytes outside the applet", [](QByteArray p) { return p.replace("<p align", QByteArray("\0\0x\0<p align", 12)); }, ""},
    };
    return edits;
}

} // namespace

Q_DECLARE_METATYPE(CCheck)

void TestPageReader::roundTrip_data()
{
    QTest::addColumn<int>("fixture");
    QTest::addColumn<int>("where");
    const QList<CNamedFixture> fixtures = Fixtures();
    QVERIFY(fixtures.size() > 5); // the shipped library was found
    for (int i = 0; i < fixtures.size(); ++i) {
        const QByteArray name = fixtures[i].name.toUtf8();
        QTest::newRow(name + ", classic page") << i << int(EWhere::ClassicPage);
        QTest::newRow(name + ", today's page") << i << int(EWhere::ModernPage);
        QTest::newRow(name + ", site page") << i << int(EWhere::SiteFolder);
        QTest::newRow(name + ", site page two folders down") << i << int(EWhere::SiteDepth);
    }
}

void TestPageReader::roundTrip()
{
    QFETCH(int, fixture);
    QFETCH(int, where);
    const CNamedFixture made = Fixtures().at(fixture);
    QTemporaryDir dir;
    const QDir site(dir.path());
    CAppletParameters p;
    made.make(p, site);

    CPageOnDisk page;
    const auto silent = [](const QString &) {};
    switch (EWhere(where)) {
    case EWhere::ClassicPage:
    case EWhere::ModernPage:
        p.m_ModernPage = EWhere(where) == EWhere::ModernPage ? 1 : 0;
        page.strPath = site.filePath(QStringLiteral("menu.htm"));
        page.bytes = p.GenerateHTMLBytes(silent);
        break;
    case EWhere::SiteFolder:
    case EWhere::SiteDepth:
        // A site page carries the menu of a page for today's browsers, its
        // links written for its folder, its lines ending as the page's own.
        p.m_ModernPage = 1;
        page.strPageFolder = EWhere(where) == EWhere::SiteDepth ? QStringLiteral("a/b") : QString();
        page.eol = EWhere(where) == EWhere::SiteDepth ? "\n" : "\r\n";
        page.strPath = site.filePath(page.strPageFolder.isEmpty() ? QStringLiteral("page.html")
                                                                  : page.strPageFolder + QStringLiteral("/page.html"));
        QVERIFY(PutMenuIntoPage(AuthorPage(page.eol), SiteMenuBlock(p, page.strPageFolder, page.eol, silent),
                                &page.bytes));
        break;
    }
    QVERIFY(WriteFileBytes(page.strPath, page.bytes));

    CReadBack back;
    ReadBack(page.bytes, page.strPath, back);
    QVERIFY(back.bFound);
    if (page.eol.isEmpty()) {
        QCOMPARE(back.read.found, CPageRead::EFound::Page);
        QCOMPARE(back.params.GenerateHTMLBytes(silent), page.bytes);
    } else {
        QCOMPARE(back.read.found, CPageRead::EFound::SitePage);
        QCOMPARE(back.read.strPageFolder, page.strPageFolder);
        QCOMPARE(QDir(back.read.strSiteFolder).canonicalPath(), site.canonicalPath());
        QCOMPARE(SiteMenuBlock(back.params, page.strPageFolder, page.eol, silent), Block(page.bytes));
        // A site page does not carry the page's alignment.
        p.m_Align = 0;
    }
    // What the page writer writes is read without a note.
    QCOMPARE(NotesText(back.read), QString());
    // A page for the applet alone does not carry today's look.
    if (EWhere(where) == EWhere::ClassicPage)
        ClassicLookOnly(p);
    if (made.bSameProject)
        QCOMPARE(QString::fromUtf8(ProjectIniFor(back.params).ToBytes()), QString::fromUtf8(ProjectIniFor(p).ToBytes()));
}

void TestPageReader::handEdited_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<bool>("modern");
    for (int i = 0; i < Edits().size(); ++i) {
        QTest::newRow(QByteArray(Edits()[i].name) + ", today's page") << i << true;
        QTest::newRow(QByteArray(Edits()[i].name) + ", classic page") << i << false;
    }
}

void TestPageReader::handEdited()
{
    QFETCH(int, edit);
    QFETCH(bool, modern);
    const CEdit &e = Edits().at(edit);
    CSmallPage small(modern);
    const QByteArray edited = e.edit(small.page);
    QVERIFY(edited != small.page);
    QVERIFY(WriteFileBytes(small.path, edited));
    CReadBack back;
    ReadBack(edited, small.path, back);
    QVERIFY(back.bFound);
    // The same menu: the page written again is the page before the edit.
    QCOMPARE(QString::fromUtf8(back.params.GenerateHTMLBytes()), QString::fromUtf8(small.page));
    if (*e.note)
        QVERIFY2(NotesText(back.read).contains(QString::fromUtf8(e.note)), qPrintable(NotesText(back.read)));
    else
        QCOMPARE(NotesText(back.read), QString());
}

void TestPageReader::notes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("note");
    QTest::addColumn<CCheck>("check");

    QTest::newRow("a width that is no number")
        << QByteArray("MMStyle") << QByteArray("000000,12,v,wide,20,2,0") << "MMStyle: the item width \"wide\" is not a number; 0 kept"
        << CCheck([](const CAppletParameters &p) { return p.m_mmWidth == 0 && p.m_mmHeight == 20 && p.m_mmBKStyle == 3; });
    QTest::newRow("a width with a unit")
        << QByteArray("MMStyle") << QByteArray("000000,12,v,100px,20,2,0") << "MMStyle: the item width \"100px\" is read as 100"
        << CCheck([](const CAppletParameters &p) { return p.m_mmWidth == 100; });
    QTest::newRow("a colour that is no colour")
        << QByteArray("ApBKColor") << QByteArray("red") << "ApBKColor: the colour \"red\" is not six hexadecimal digits; 000000 kept"
        << CCheck([](const CAppletParameters &p) { return p.m_appBKColor == 0; });
    QTest::newRow("a code no list has")
        << QByteArray("MIStyle1") << QByteArray("000000,ffffff,01,x,12,p,ll,")
        << "MIStyle1: the font \"x\" is none of t, h, c; t kept"
        << CCheck([](const CAppletParameters &p) { return p.m_miFontName1 == 0 && p.m_miFontSize1 == 1; });
    QTest::newRow("an empty code")
        << QByteArray("MIStyle1") << QByteArray("000000,ffffff,01,,12,p,,") << ""
        << CCheck([](const CAppletParameters &p) { return p.m_miFontName1 == -1 && p.m_miAlign1 == -1; });
    QTest::newRow("fill and border that are no numbers")
        << QByteArray("SIStyle2") << QByteArray("000000,ffffff,x,h,12,p,ll,")
        << "SIStyle2: the fill and border styles \"x\" are not two numbers; 0 and 1 kept"
        << CCheck([](const CAppletParameters &p) { return p.m_siItemFillStyle2 == 0 && p.m_siItemBorderStyle2 == 0; });
    QTest::newRow("fields missing")
        << QByteArray("SMStyle") << QByteArray("ff0000,02") << "SMStyle: has 2 of its 7 fields; the missing ones keep their defaults"
        << CCheck([](const CAppletParameters &p) { return p.m_smBKColor == 0xff && p.m_smBKStyle == 1 && p.m_smWidth == 0; });
    QTest::newRow("fields beyond")
        << QByteArray("ApCo") << QByteArray("1,2,3") << "ApCo: what follows its 2 fields is ignored: \"3\""
        << CCheck([](const CAppletParameters &p) { return p.m_xPos == 1 && p.m_yPos == 2; });
    QTest::newRow("today's menu look out of range")
        << QByteArray("SMLook") << QByteArray("4,99,3,1,1,0")
        << "SMLook: the menu's corners 99 is not from 0 to 16; 0 is kept"
        << CCheck([](const CAppletParameters &p) {
               return p.m_smItemRadius == 4 && p.m_smPanelRadius == 0 && p.m_smShadow == 0 && p.m_smLabelInset == 0
                      && p.m_smArrows == 1;
           });
    QTest::newRow("today's item look")
        << QByteArray("MILook2") << QByteArray("s,15,600,1") << ""
        << CCheck([](const CAppletParameters &p) {
               return p.m_miFontFamily2 == 1 && p.m_miFontPx2 == 15 && p.m_miFontWeight2 == 600 && p.m_miFontItalic2 == 1;
           });
    QTest::newRow("today's item look of an unknown face")
        << QByteArray("SILook1") << QByteArray("x,80,500,0")
        << "SILook1: the face \"x\" is none of t, h, c, s or p; the applet's font is kept"
        << CCheck([](const CAppletParameters &p) { return p.m_siFontFamily1 == 0 && p.m_siFontWeight1 == 500; });
    // What the page writer writes for a control character: U+FFFD.
    QTest::newRow("a control character")
        << QByteArray("I0-1") << QByteArray("A\x1f" "B,,,a\x01.htm") << ""
        << CCheck([](const CAppletParameters &p) {
               return p.m_pMainMenu->GetItem(1)->m_strLabel == QStringLiteral("A\uFFFDB")
                      && p.m_pMainMenu->GetItem(1)->m_strLink == QStringLiteral("a\uFFFD.htm");
           });
    QTest::newRow("a link that runs code")
        << QByteArray("I0-1") << QByteArray("About,,,  JavaScript:alert(1)")
        << "I0-1: the link \"  JavaScript:alert(1)\" runs code; it is left out"
        << CCheck([](const CAppletParameters &p) { return p.m_pMainMenu->GetItem(1)->m_strLink.isEmpty(); });
    QTest::newRow("an item of five fields")
        << QByteArray("I0-1") << QByteArray("About,,_top,a.htm?x=1,2") << "I0-1: what follows its fourth comma is dropped: \"2\""
        << CCheck([](const CAppletParameters &p) { return p.m_pMainMenu->GetItem(1)->m_strLink == "a.htm?x=1"; });
    QTest::newRow("a picture outside the page's folder")
        << QByteArray("I0-1") << QByteArray("About,../../etc/secret.gif,,")
        << "I0-1: the picture \"../../etc/secret.gif\" lies outside the page's folder; it is left out"
        << CCheck([](const CAppletParameters &p) { return p.m_pMainMenu->GetItem(1)->m_strImage.isEmpty(); });
    QTest::newRow("a picture of another site")
        << QByteArray("ApBKImg") << QByteArray("http://example.org/a.gif")
        << "ApBKImg: the picture \"http://example.org/a.gif\" is not a file beside the page; it is left out"
        << CCheck([](const CAppletParameters &p) { return p.m_appBKImagePath.isEmpty(); });
    QTest::newRow("a picture by a wildcard")
        << QByteArray("ApBKImg") << QByteArray("*.gif") << "ApBKImg: the picture \"*.gif\" has a wildcard in its name; it is left out"
        << CCheck([](const CAppletParameters &p) { return p.m_appBKImagePath.isEmpty(); });
    QTest::newRow("a picture that is missing")
        << QByteArray("ApBKImg") << QByteArray("gone.gif") << "ApBKImg: the picture \"gone.gif\" is missing"
        << CCheck([](const CAppletParameters &p) { return p.m_appBKImagePath.endsWith("/gone.gif"); });
    QTest::newRow("a picture that is no picture")
        << QByteArray("ApBKImg") << QByteArray("page.htm") << "ApBKImg: the picture \"page.htm\" is not a picture by its content"
        << CCheck([](const CAppletParameters &p) { return p.m_appBKImagePath.endsWith("/page.htm"); });
    QTest::newRow("a main menu of no items")
        << QByteArray("Misc") << QByteArray("1,0,") << "The menu has no items, which a project file cannot hold; it gets four new items"
        << CCheck([](const CAppletParameters &p) { return Describe(*p.m_pMainMenu) == "item1 item2 item3 item4"; });
    QTest::newRow("a sub menu of no items")
        << QByteArray("Misc") << QByteArray("2,2,0,0-1,")
        << "Misc: sub menu 1 of main item 0 has no items, which a project file cannot hold; it is left out"
        << CCheck([](const CAppletParameters &p) { return Describe(*p.m_pMainMenu) == QStringLiteral("Home \u00e9 About"); });
    QTest::newRow("counts of 2^31")
        << QByteArray("Misc") << QByteArray("2,2147483647,2147483647,0-1,")
        << "Misc: the main menu is given 2147483647 items; at most 200 are read"
        << CCheck([](const CAppletParameters &p) { return Describe(*p.m_pMainMenu) == QStringLiteral("Home \u00e9(News Mail) About"); });
    QTest::newRow("more items counted than the page has")
        << QByteArray("Misc") << QByteArray("2,5,2,0-1,")
        << "Misc: the main menu is given 5 items, and the page has params for the first 2"
        << CCheck([](const CAppletParameters &p) { return p.m_pMainMenu->GetCount() == 2; });
    QTest::newRow("a pair naming no item")
        << QByteArray("Misc") << QByteArray("2,2,2,7-1,")
        << "Misc: \"7-1\" names main item 7, which the menu does not have; it is ignored"
        << CCheck([](const CAppletParameters &p) { return Describe(*p.m_pMainMenu) == QStringLiteral("Home \u00e9 About"); });
    QTest::newRow("no menu table")
        << QByteArray("Misc") << QByteArray() << "Misc: \"\" counts no menus"
        << CCheck([](const CAppletParameters &p) { return Describe(*p.m_pMainMenu) == QStringLiteral("Home \u00e9 About"); });
    QTest::newRow("no paragraph alignment")
        << QByteArray("p align") << QByteArray("Middle") << "The paragraph's alignment: the code \"Middle\" is none of Center, Left, Right; Center kept"
        << CCheck([](const CAppletParameters &p) { return p.m_Align == 0; });
}

void TestPageReader::notes()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, value);
    QFETCH(QString, note);
    QFETCH(CCheck, check);
    CSmallPage small(false);
    QByteArray page = small.page;
    if (name == "p align")
        page.replace("<p align=\"Left\"", "<p align=\"" + value + "\"");
    else
        page = WithParam(page, name, value);
    QVERIFY(page != small.page);
    QVERIFY(WriteFileBytes(small.path, page));
    CReadBack back;
    ReadBack(page, small.path, back);
    QVERIFY(back.bFound);
    if (note.isEmpty())
        QCOMPARE(NotesText(back.read), QString());
    else
        QVERIFY2(NotesText(back.read).contains(note), qPrintable(NotesText(back.read)));
    QVERIFY(check(back.params));
}

// A page for today's browsers whose params give no item: the menu is its
// list of links, as far as an item can carry it.
void TestPageReader::linkListWhereParamsHaveNoItems()
{
    CSmallPage small(true);
    QByteArray page = small.page;
    static const QRegularExpression items(QStringLiteral("\t<param name=\"(I\\d+-\\d+|Misc)\"[^\n]*\n"));
    page = QString::fromLatin1(page).remove(items).toLatin1();
    const qsizetype listStart = page.indexOf("<ul>");
    const qsizetype listEnd = page.indexOf("</nav>");
    QVERIFY(listStart > 0 && listEnd > listStart);
    page.replace(listStart, listEnd - listStart,
                 "<ul><li><A HREF='a.htm' target=_top>One, <b>two</b></a><ul><li><span>Sub &amp; more</span>"
                 "<ul><li><a href=deep.htm>Deep</a></li></ul></li></ul></li>"
                 "<li><a href=\"javascript:alert(1)\">Code</a></li></ul>");
    CReadBack back;
    ReadBack(page, small.path, back);
    QVERIFY(back.bFound);
    QCOMPARE(Describe(*back.params.m_pMainMenu), QStringLiteral("One(Sub & more) Code"));
    const CAppletMenuItem &one = *back.params.m_pMainMenu->GetItem(0);
    QCOMPARE(one.m_strLink, QStringLiteral("a.htm"));
    QCOMPARE(one.m_strTarget, QStringLiteral("_top"));
    QCOMPARE(back.params.m_pMainMenu->GetItem(1)->m_strLink, QString());
    const QString notes = NotesText(back.read);
    for (const char *note : {"The applet's params give the menu no items; it is read from the page's list of links",
                             "list item 1: the label \"One, two\" holds a comma, which an item cannot carry",
                             "list item 2: the link \"javascript:alert(1)\" runs code; it is left out",
                             "The list of links has sub menus below the first level, which the menu cannot hold"})
        QVERIFY2(notes.contains(QString::fromUtf8(note)), qPrintable(notes));
    // The styles are the params' all the same.
    QCOMPARE(back.params.m_mmWidth, small.params.m_mmWidth);
}

void TestPageReader::noApplet_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("a plain page") << QByteArray("<html><body><p>Hello</p></body></html>");
    QTest::newRow("an empty file") << QByteArray();
    QTest::newRow("another applet") << QByteArray("<applet code=\"Clock.class\"><param name=\"Misc\" value=\"1,1,\"></applet>");
    QTest::newRow("the applet in a comment") << QByteArray("<!-- <applet code=\"Glidebar.class\"></applet> -->");
    QTest::newRow("the applet in a script") << QByteArray("<script>document.write('<applet code=\"Glidebar.class\">')</script>");
    QTest::newRow("the applet in a title") << QByteArray("<title><applet code=\"Glidebar.class\"></title>");
    QTest::newRow("the applet as text") << QByteArray("&lt;applet code=\"Glidebar.class\"&gt; Glidebar.class");
    QTest::newRow("a class file of another name") << QByteArray("<applet code=\"NotGlidebar.class\"></applet>");
    QTest::newRow("a picture") << PngBytes("<applet code=\"Glidebar\">");
}

void TestPageReader::noApplet()
{
    QFETCH(QByteArray, page);
    CAppletParameters p;
    MakeFlatMenu(p);
    CPageRead read;
    QVERIFY(!CPageReader(page, QStringLiteral("/nowhere/page.htm")).Read(p, &read));
    QCOMPARE(read.found, CPageRead::EFound::Nothing);
    QVERIFY(read.notes.isEmpty());
    // The defaults of an empty project, as loading one gives them.
    CAppletParameters empty;
    LoadProjectFromIni(empty, CIniFile());
    QCOMPARE(ProjectIniFor(p).ToBytes(), ProjectIniFor(empty).ToBytes());
}

void TestPageReader::hostile_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("note");
    const QByteArray head = "<applet code=\"Glidebar.class\" width=\"1\" height=\"1\">";

    QByteArray many = head;
    for (int i = 0; i < 1000000; ++i)
        many += "<param name=x value=y>";
    many += "<param name=I0-0 value=A><param name=Misc value=1,1,></applet>";
    QTest::newRow("a million params") << many << "A" << "1000000 params of no use to the menu are ignored";

    QByteArray counts = head + "<param name=Misc value=\"201,2147483647,";
    for (int k = 1; k < 201; ++k)
        counts += "2147483647,";
    for (int k = 1; k < 201; ++k)
        counts += QByteArray::number(k - 1) + '-' + QByteArray::number(k) + ',';
    counts += "\">";
    for (int m = 0; m < 201; ++m)
        for (int i = 0; i < 210; ++i)
            counts += "<param name=I" + QByteArray::number(m) + '-' + QByteArray::number(i) + " value=x>";
    counts += "</applet>";
    QTest::newRow("counts of 2^31 and every item") << counts << QString() << "at most 200 are read";

    QByteArray deep = head + "<param name=I0-2147483648 value=x><param name=I99999999999999999999-0 value=x>"
                             "<param name=I0-0 value=A><param name=Misc value=\"1,-5,\"></applet>";
    QTest::newRow("item numbers beyond any bound") << deep << "item1 item2 item3 item4" << "3 item params belong to no menu";

    QByteArray nul = head + "<param name=I0-0 value=\"A";
    nul += '\0';
    nul += "B\"><param name=Misc value=1,1,></applet>" + QByteArray(1 << 20, '\0');
    QTest::newRow("NUL bytes") << nul << QStringLiteral("A\uFFFDB") << QString();

    QByteArray big = QByteArray(20 << 20, '<') + head + "<param name=I0-0 value=A><param name=Misc value=1,1,></applet>"
                     + QByteArray(20 << 20, '&');
    QTest::newRow("40 MB of markup signs") << big << "A" << QString();

    QByteArray refs = head + "<param name=I0-0 value=\"" + QByteArray(4 << 20, '&') + QByteArray(1 << 20, 'a')
                      + "\"><param name=Misc value=1,1,></applet>";
    QTest::newRow("a value of references that are none") << refs << QString() << QString();

    QTest::newRow("an applet without params")
        << QByteArray("<applet code=\"Glidebar&#46;class\"></applet>") << "item1 item2 item3 item4"
        << "MMStyle: the page has no such param; its values keep their defaults";

    QByteArray unclosed = head + "<param name=I0-0 value=\"A><param name=Misc value=1,1,></applet>";
    QTest::newRow("a quote never closed") << unclosed << "item1 item2 item3 item4" << "has no such param";
}

void TestPageReader::hostile()
{
    QFETCH(QByteArray, page);
    QFETCH(QString, tree);
    QFETCH(QString, note);
    QTemporaryDir dir;
    CReadBack back;
    ReadBack(page, dir.filePath(QStringLiteral("page.htm")), back);
    QVERIFY(back.bFound);
    if (!tree.isEmpty())
        QCOMPARE(Describe(*back.params.m_pMainMenu), tree);
    // Every menu within the bound, whatever the page asks for.
    QVERIFY(back.params.m_pMainMenu->GetCount() <= kMaxStoredMenuItems);
    for (const auto &item : back.params.m_pMainMenu->m_items)
        QVERIFY(!item->m_pSubMenu || item->m_pSubMenu->GetCount() <= kMaxStoredMenuItems);
    QVERIFY(back.read.notes.size() <= 101);
    if (!note.isEmpty())
        QVERIFY2(NotesText(back.read).contains(note), qPrintable(NotesText(back.read).left(2000)));
}

void TestPageReader::characterReferences_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<bool>("attribute");
    QTest::addColumn<QString>("text");
    QTest::newRow("the writer's") << "&amp;&lt;&gt;&quot;&#233;&#9;&#128512;" << true << QStringLiteral("&<>\"\u00e9\t\U0001F600");
    QTest::newRow("hexadecimal") << "&#xE9;&#X20AC;" << true << QStringLiteral("\u00e9\u20ac");
    QTest::newRow("without a semicolon") << "&#233x&#x41" << true << QStringLiteral("\u00e9xA");
    QTest::newRow("no character") << "&#0;&#xD800;&#x110000;&#99999999999;" << true << QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD");
    QTest::newRow("Windows-1252 numbers") << "&#128;&#153;&#129;" << true << QStringLiteral("\u20ac\u2122\u0081");
    QTest::newRow("named") << "&eacute;&nbsp;&hellip;&NotEqualTilde;" << true << QStringLiteral("\u00e9\u00a0\u2026\u2242\u0338");
    QTest::newRow("an old name in text") << "&copy2 &notit;" << false << QStringLiteral("\u00a92 \u00acit;");
    QTest::newRow("an old name in a value") << "?a=1&copy=2&copy2&copy x" << true << QStringLiteral("?a=1&copy=2&copy2\u00a9 x");
    QTest::newRow("no reference") << "& &# &#x; &unknown; &&" << true << QStringLiteral("& &# &#x; &unknown; &&");
    QTest::newRow("line ends and NUL") << QStringLiteral("a\r\nb\rc\nd") + QChar(0) << true << QStringLiteral("a\nb\nc\nd\uFFFD");
}

void TestPageReader::characterReferences()
{
    QFETCH(QString, raw);
    QFETCH(bool, attribute);
    QFETCH(QString, text);
    QCOMPARE(DecodeHtmlText(raw, attribute ? EHtmlTextKind::Attribute : EHtmlTextKind::Text), text);
}

void TestPageReader::siteLinksBack_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("folder");
    QTest::newRow("a page beside") << "about.html" << "products";
    QTest::newRow("in the page's folder") << "products/a.html" << "products";
    QTest::newRow("a folder") << "products/" << "products";
    QTest::newRow("the page's folder itself") << "a/b/" << "a/b";
    QTest::newRow("above the site") << "../x.html?y#z" << "a/b";
    QTest::newRow("not normal") << "./a/../b/./c.htm" << "a";
    QTest::newRow("a query only") << "?x=1" << "a";
    QTest::newRow("another site") << "https://example.org/a" << "a";
    QTest::newRow("root relative") << "/a.html" << "a/b";
}

void TestPageReader::siteLinksBack()
{
    QFETCH(QString, link);
    QFETCH(QString, folder);
    const QString written = SiteLinkForPage(link, folder);
    const QString back = SiteLinkFromPage(written, folder);
    QCOMPARE(SiteLinkForPage(back, folder), written);
    QCOMPARE(SiteLinkFromPage(link, QString()), link);
}

void TestPageReader::sitePagesCarryingTheMenu()
{
    QTemporaryDir dir;
    const QDir site(dir.path());
    CAppletParameters p;
    p.LoadTemplate(2, kLibrary);
    CAppletParameters other;
    other.LoadTemplate(3, kLibrary);
    const auto put = [&](const QString &path, const CAppletParameters &menu, const QByteArray &eol) {
        const QString folder = QFileInfo(path).path() == "." ? QString() : QFileInfo(path).path();
        QByteArray page;
        QVERIFY(PutMenuIntoPage(AuthorPage(eol), SiteMenuBlock(menu, folder, eol, [](const QString &) {}), &page));
        QVERIFY(WriteFileBytes(site.filePath(path), page));
    };
    put(QStringLiteral("index.html"), p, "\r\n");
    put(QStringLiteral("a/one.htm"), p, "\n");
    put(QStringLiteral("a/b/two.HTML"), p, "\r\n");
    put(QStringLiteral("a/b/start.html"), p, "\n");
    put(QStringLiteral("a/other.html"), other, "\n");
    put(QStringLiteral(".hidden/three.html"), p, "\n");
    put(QStringLiteral("a/b/notes.txt"), p, "\n");
    QVERIFY(WriteFileBytes(site.filePath(QStringLiteral("plain.html")), AuthorPage("\n")));
    QVERIFY(QFile::link(site.filePath(QStringLiteral("index.html")), site.filePath(QStringLiteral("a/link.html"))));

    CPageImport import;
    CAppletParameters read;
    QString error;
    QVERIFY(ImportPage(site.filePath(QStringLiteral("a/b/start.html")), read, &import, &error));
    QCOMPARE(import.read.found, CPageRead::EFound::SitePage);
    QCOMPARE(import.read.strPageFolder, QStringLiteral("a/b"));
    QStringList listed;
    for (const CSitePage &page : read.m_SitePages)
        listed << page.strPath;
    QCOMPARE(listed, (QStringList{"a/b/start.html", "a/b/two.HTML", "a/one.htm", "index.html"}));
    // The project goes into the site folder, under a name no page of the
    // site has.
    QCOMPARE(import.strProjectPath, QDir(import.read.strSiteFolder).filePath(QStringLiteral("menu.qdx")));
    QVERIFY(WriteFileBytes(site.filePath(QStringLiteral("menu.html")), "<html></html>"));
    QVERIFY(ImportPage(site.filePath(QStringLiteral("a/b/start.html")), read, &import, &error));
    QCOMPARE(QFileInfo(import.strProjectPath).fileName(), QStringLiteral("menu2.qdx"));
    QCOMPARE(QFileInfo(import.strPagePath).fileName(), QStringLiteral("menu2.htm"));
    QVERIFY(import.read.notes.isEmpty());

    // A project of another name that lists the page is named: it may be
    // the one looked for.
    QVERIFY(WriteFileBytes(site.filePath(QStringLiteral("site.qdx")),
                           "[Site Pages]\r\nPage1=index.html\r\nPage2=a/b/start.html\r\n"));
    QVERIFY(ImportPage(site.filePath(QStringLiteral("a/b/start.html")), read, &import, &error));
    QCOMPARE(import.read.notes, QStringList{QStringLiteral("The project file site.qdx in the site folder lists this "
                                                           "page as a site page: it may be the project looked for")});
}

QTEST_MAIN(TestPageReader)
#include "tst_pagereader.moc"
