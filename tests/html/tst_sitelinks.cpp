#include "TestFiles.h"
#include "html/SiteBlock.h"
#include "html/SiteLinks.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"

#include <QtTest>

namespace {

// A modern menu with links of every kind, a background image and item
// images that exist in `imageFolder`.
void MakeSiteMenu(CAppletParameters &p, const QString &imageFolder)
{
    p.m_ModernPage = 1;
    p.m_HTMLTitle = QStringLiteral("Caf\u00e9 site");
    p.m_mmWidth = 100;
    p.m_mmHeight = 20;
    p.m_smWidth = 100;
    p.m_smHeight = 20;
    p.m_appBKImagePath = QDir(imageFolder).filePath("back.gif");
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(4, 0);
    const char *links[] = {"about.html", "https://example.org/x", "products/", "#top"};
    for (int i = 0; i < 4; ++i) {
        CAppletMenuItem &item = *menu.GetItem(i);
        item.m_strLabel = QStringLiteral("Item %1").arg(i);
        item.m_strLink = QString::fromLatin1(links[i]);
        item.m_strImage = i == 0 ? QDir(imageFolder).filePath("m0.gif") : QString();
    }
    menu.GetSubMenu(2)->SetItemCount(2, 0);
    menu.GetSubMenu(2)->GetItem(0)->m_strLabel = QStringLiteral("Widget");
    menu.GetSubMenu(2)->GetItem(0)->m_strLink = QStringLiteral("products/widget.html?c=1#spec");
    menu.GetSubMenu(2)->GetItem(1)->m_strLabel = QStringLiteral("Mail");
    menu.GetSubMenu(2)->GetItem(1)->m_strLink = QStringLiteral("mailto:a@example.org");
}

} // namespace

class TestSiteLinks : public QObject {
    Q_OBJECT
private slots:
    void linkForPage_data();
    void linkForPage();
    void blockOfTheSiteFolderIsTheModernPagesBlock_data();
    void blockOfTheSiteFolderIsTheModernPagesBlock();
    void blockNamesFilesFromThePagesFolder();
};

void TestSiteLinks::linkForPage_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    // Relative links, from folders at several depths.
    QTest::newRow("file, site folder") << "about.html" << "" << "about.html";
    QTest::newRow("dot, site folder") << "./about.html" << "" << "./about.html";
    QTest::newRow("file, one down") << "about.html" << "products" << "../about.html";
    QTest::newRow("file, two down") << "about.html" << "products/tools" << "../../about.html";
    QTest::newRow("same folder") << "products/a.html" << "products" << "a.html";
    QTest::newRow("sibling folder") << "services/b.html" << "products" << "../services/b.html";
    QTest::newRow("folder below the page's") << "products/tools/t.html" << "products" << "tools/t.html";
    QTest::newRow("folder above, two down") << "products/a.html" << "products/tools" << "../a.html";
    QTest::newRow("file named like the folder") << "products" << "products" << "../products";
    QTest::newRow("the page's own folder") << "products/" << "products" << "./";
    QTest::newRow("site folder itself") << "./" << "products" << "../";
    QTest::newRow("folder with slash") << "services/" << "products" << "../services/";
    QTest::newRow("dot parts cleaned") << "./products/../about.html" << "products" << "../about.html";
    QTest::newRow("above the site") << "../other/x.html" << "products" << "../../other/x.html";
    QTest::newRow("query and fragment kept") << "products/a.html?x=../y#p/q" << "products" << "a.html?x=../y#p/q";
    QTest::newRow("query with slashes") << "search.php?q=a/b" << "products" << "../search.php?q=a/b";
    QTest::newRow("fragment of another page") << "about.html#team" << "a/b" << "../../about.html#team";
    QTest::newRow("folder with trailing slash given") << "about.html" << "products/" << "../about.html";
    // Everything else stays.
    QTest::newRow("http") << "http://example.org/a.html" << "products" << "http://example.org/a.html";
    QTest::newRow("https capitals") << "HTTPS://example.org/" << "products" << "HTTPS://example.org/";
    QTest::newRow("mailto") << "mailto:a@example.org" << "products" << "mailto:a@example.org";
    QTest::newRow("ftp") << "ftp://host/file" << "products" << "ftp://host/file";
    QTest::newRow("tel") << "tel:+123" << "products" << "tel:+123";
    QTest::newRow("scheme with plus") << "view-source+x:y" << "products" << "view-source+x:y";
    QTest::newRow("javascript") << "javascript:alert(1)" << "products" << "javascript:alert(1)";
    QTest::newRow("anchor") << "#top" << "products" << "#top";
    QTest::newRow("query of the page") << "?page=2" << "products" << "?page=2";
    QTest::newRow("root-relative") << "/about.html" << "products" << "/about.html";
    QTest::newRow("protocol-relative") << "//cdn.example.org/x" << "products" << "//cdn.example.org/x";
    QTest::newRow("backslash root") << "\\about.html" << "products" << "\\about.html";
    QTest::newRow("empty") << "" << "products" << "";
    QTest::newRow("colon after slash is a path") << "a/b:c.html" << "products" << "../a/b:c.html";
    QTest::newRow("colon after digit start is a path") << "1a:b.html" << "products" << "../1a:b.html";
}

void TestSiteLinks::linkForPage()
{
    QFETCH(QString, link);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(SiteLinkForPage(link, folder), expected);
}

void TestSiteLinks::blockOfTheSiteFolderIsTheModernPagesBlock_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestSiteLinks::blockOfTheSiteFolderIsTheModernPagesBlock()
{
    QFETCH(QByteArray, eol);
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("back.gif"), "GIF89a"));
    QVERIFY(WriteFileBytes(dir.filePath("m0.gif"), "GIF89a"));
    CAppletParameters p;
    MakeSiteMenu(p, dir.path());
    QStringList reports;
    const QByteArray block = SiteMenuBlock(p, QString(), eol, [&](const QString &m) { reports << m; });

    // The lines from the script line to "</applet>" of the page as saved,
    // with the page's own line ends.
    QByteArray page = p.GenerateHTMLBytes([](const QString &) {});
    const qsizetype from = page.indexOf("<script ");
    const qsizetype to = page.indexOf("</applet>\r\n") + 11;
    QVERIFY(from > 0 && to > from);
    QByteArray expected = "\r\n" + page.mid(from, to - from);
    expected.replace("\r\n", eol);
    QCOMPARE(block, expected);
    QVERIFY(reports.isEmpty());
    // ASCII only: a charset that keeps ASCII holds every character of it.
    for (char c : block)
        QVERIFY(uchar(c) < 0x80);
    QVERIFY(block.contains("Caf&#233; site"));
}

void TestSiteLinks::blockNamesFilesFromThePagesFolder()
{
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("back.gif"), "GIF89a"));
    QVERIFY(WriteFileBytes(dir.filePath("m0.gif"), "GIF89a"));
    CAppletParameters p;
    MakeSiteMenu(p, dir.path());
    const QString block = QString::fromUtf8(SiteMenuBlock(p, QStringLiteral("products/tools"), "\n"));

    QVERIFY(block.contains("<script src=\"../../glidebar.js\"></script>\n"));
    QVERIFY(block.contains("<applet code=\"../../Glidebar.class\" "));
    QVERIFY(block.contains("<param name=\"ApBKImg\" value=\"../../back.gif\">\n"));
    // Param lines and link list alike: relative links from the page's
    // folder, the rest as they are.
    QVERIFY(block.contains("<param name=\"I0-0\" value=\"Item 0,../../m0.gif,,../../about.html\">"));
    QVERIFY(block.contains("<param name=\"I0-1\" value=\"Item 1,,,https://example.org/x\">"));
    QVERIFY(block.contains("<param name=\"I0-2\" value=\"Item 2,,,../\">"));
    QVERIFY(block.contains("<param name=\"I0-3\" value=\"Item 3,,,#top\">"));
    QVERIFY(block.contains("<param name=\"I1-0\" value=\"Widget,,,../widget.html?c=1#spec\">"));
    QVERIFY(block.contains("<param name=\"I1-1\" value=\"Mail,,,mailto:a@example.org\">"));
    QVERIFY(block.contains("<a href=\"../../about.html\">Item 0</a>"));
    QVERIFY(block.contains("<a href=\"https://example.org/x\">Item 1</a>"));
    QVERIFY(block.contains("<a href=\"../\">Item 2</a>"));
    QVERIFY(block.contains("<a href=\"#top\">Item 3</a>"));
    QVERIFY(block.contains("<a href=\"../widget.html?c=1#spec\">Widget</a>"));
    QVERIFY(block.contains("<a href=\"mailto:a@example.org\">Mail</a>"));
    QVERIFY(!block.contains('\r'));
}

QTEST_APPLESS_MAIN(TestSiteLinks)
#include "tst_sitelinks.moc"
