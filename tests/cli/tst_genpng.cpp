#include "TestFiles.h"
#include "model/config/AppletParameters.h"
#include "render/MenuRenderer.h"
#include "render/SmallMenuLayout.h"
#include "ProgramRun.h"

#include <QProcess>
#include <QtTest>

// vantrel-gen png: the menu's picture from a template or a project file.
class TestGenPng : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsTheSamePictureAsTheRenderer_data();
    void drawsTheSamePictureAsTheRenderer();
    void projectFileGivesTheSamePicture();
    void widthDrawsWhatAPageThatWideShows();
    void currentPage_data();
    void currentPage();
    void badArguments_data();
    void badArguments();
    void unwritableOutputExitsWithOne();
    void todaysLookAndThePagesFont_data();
    void todaysLookAndThePagesFont();

private:
    QTemporaryDir m_dir;
    QString m_library;
};

namespace {

// Runs the built command without a display, a chosen platform or a runtime
// folder, as cron or a container would.
CRun RunGen(const QStringList &args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return RunProgram(QStringLiteral(VANTREL_BIN_DIR "/vantrel-gen"), args, QString(), env);
}

// Template 0 has no sub menu; template 1 has a horizontal main menu whose
// items 0 and 2 own sub menus, shaded raised items and labels.
const char kLibrary[] =
    "[TEMPLATE]\r\nTemplateKey=Plain,Tree,Today,Own font\r\n"
    "[Plain]\r\nDescription=Plain\r\nm_appBKColor=16777215\r\nm_mmWidth=100\r\nm_mmHeight=20\r\n"
    "m_miBKColor1=255\r\nm_miItemFillStyle1=1\r\n"
    "[Tree]\r\nDescription=Tree\r\nm_appBKColor=15790320\r\nm_xPos=4\r\nm_yPos=4\r\n"
    "m_mmMenuAlign=1\r\nm_mmWidth=90\r\nm_mmHeight=24\r\nm_mmItemGap=2\r\nm_mmBorderThick=2\r\n"
    "m_smWidth=110\r\nm_smHeight=20\r\nm_smBKStyle=3\r\nm_smBKColor=16777215\r\n"
    "m_miBKColor1=10040115\r\nm_miFRColor1=16777215\r\nm_miItemBorderStyle1=1\r\n"
    "m_miItemFillStyle1=6\r\nm_miFontName1=1\r\nm_miFontSize1=1\r\nm_miAlign1=4\r\n"
    "m_miBKColor2=65280\r\nm_miItemFillStyle2=1\r\n"
    "m_siBKColor1=13421772\r\nm_siItemFillStyle1=1\r\nm_siFontSize1=1\r\n"
    "Relation=3,3,2,3,0-1,2-2,\r\n"
    "I0-0=Home,,_top,index.htm\r\nI0-1=Shop,,,shop.htm\r\nI0-2=Help,,,help.htm\r\n"
    "I1-0=One,,,one.htm\r\nI1-1=Two,,,two.htm\r\n"
    "I2-0=FAQ,,,faq.htm\r\nI2-1=Mail,,,mail.htm\r\nI2-2=Phone,,,phone.htm\r\n"
    // Template 2: Tree with today's look; template 3: Plain whose Mouse
    // Move look takes the page's own font.
    "[Today]\r\nDescription=Today\r\nm_appBKColor=15790320\r\nm_xPos=4\r\nm_yPos=4\r\n"
    "m_mmMenuAlign=1\r\nm_mmWidth=90\r\nm_mmHeight=24\r\nm_mmItemGap=2\r\n"
    "m_smWidth=110\r\nm_smHeight=20\r\nm_smBKStyle=3\r\nm_smBKColor=16777215\r\n"
    "m_miBKColor1=10040115\r\nm_miFRColor1=16777215\r\nm_miItemFillStyle1=1\r\n"
    "Relation=3,3,2,3,0-1,2-2,\r\n"
    "I0-0=Home,,_top,index.htm\r\nI0-1=Shop,,,shop.htm\r\nI0-2=Help,,,help.htm\r\n"
    "I1-0=One,,,one.htm\r\nI1-1=Two,,,two.htm\r\n"
    "I2-0=FAQ,,,faq.htm\r\nI2-1=Mail,,,mail.htm\r\nI2-2=Phone,,,phone.htm\r\n"
    "[Today Looks]\r\nm_mmItemRadius=6\r\nm_mmArrows=1\r\nm_mmLabelInset=8\r\nm_smShadow=2\r\n"
    "m_smPanelRadius=6\r\nm_miFontFamily1=1\r\nm_miFontPx1=15\r\nm_miFontWeight1=600\r\n"
    "[Own font]\r\nDescription=Own font\r\nm_mmWidth=100\r\nm_mmHeight=20\r\n"
    "[Own font Looks]\r\nm_miFontFamily2=2\r\n";

} // namespace

void TestGenPng::initTestCase()
{
    QVERIFY(QFileInfo(VANTREL_BIN_DIR "/vantrel-gen").isExecutable());
    m_library = m_dir.filePath("lib.qdx");
    QVERIFY(WriteFileBytes(m_library, kLibrary));
}

void TestGenPng::drawsTheSamePictureAsTheRenderer_data()
{
    QTest::addColumn<int>("nTemplate");
    QTest::addColumn<int>("open"); // -1: no --open
    QTest::newRow("plain") << 0 << -1;
    QTest::newRow("tree") << 1 << -1;
    QTest::newRow("tree, first sub menu open") << 1 << 0;
    QTest::newRow("tree, last sub menu open") << 1 << 2;
}

void TestGenPng::drawsTheSamePictureAsTheRenderer()
{
    QFETCH(int, nTemplate);
    QFETCH(int, open);
    const QString out = m_dir.filePath(QStringLiteral("t%1_%2.png").arg(nTemplate).arg(open));
    QStringList args{"png", "--library", m_library, "--template", QString::number(nTemplate), out};
    if (open >= 0)
        args << "--open" << QString::number(open);
    const CRun run = RunGen(args);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.isEmpty(), run.err.constData()); // nothing but what helps

    CAppletParameters params;
    params.LoadTemplate(nTemplate, m_library);
    CRenderState state;
    state.nOpenSubMenu = open;
    const QImage expected = CMenuRenderer().RenderImage(params, state);
    const QImage written(out);
    // The applet's box and the open sub menu, which floats beyond it.
    QCOMPARE(written.size(), CMenuLayout(params).DrawingRect(open).size());
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), expected);
    if (open >= 0) {
        // Open is not closed: the sub menu shows.
        state.nOpenSubMenu = -1;
        QVERIFY(written.convertToFormat(QImage::Format_RGB32) != CMenuRenderer().RenderImage(params, state));
    }
}

void TestGenPng::projectFileGivesTheSamePicture()
{
    // A project follows its page's choice: a page for today's browsers opens
    // the sub menu beside its item, a classic one over it, in the applet's
    // whole box.
    QVERIFY(QDir().mkpath(m_dir.filePath("site")));
    const QString fromTemplate = m_dir.filePath("template.png");
    QCOMPARE(RunGen({"png", "--template=1", "--library=" + m_library, "--open", "2", fromTemplate}).exitCode, 0);
    CAppletParameters params;
    params.LoadTemplate(1, m_library);
    for (const char *choice : {"--modern", "--classic"}) {
        const QString page = m_dir.filePath(QStringLiteral("site/menu%1.htm").arg(QLatin1String(choice)));
        QCOMPARE(RunGen({"save", choice, "--library", m_library, "--template", "1", page}).exitCode, 0);
        const QString fromProject = m_dir.filePath(QStringLiteral("project%1.png").arg(QLatin1String(choice)));
        QCOMPARE(RunGen({"png", QString(page).replace(".htm", ".qdx"), fromProject, "--open=2"}).exitCode, 0);
        if (QLatin1String(choice) == QLatin1String("--modern")) {
            QCOMPARE(QImage(fromProject), QImage(fromTemplate));
        } else {
            QCOMPARE(QImage(fromProject).size(), params.GetAppletRect().size());
            QVERIFY(QImage(fromProject).size() != QImage(fromTemplate).size());
        }
    }
}

void TestGenPng::widthDrawsWhatAPageThatWideShows()
{
    CAppletParameters params;
    params.LoadTemplate(1, m_library);
    auto draw = [&](const QString &name, const QStringList &extra) {
        const QString out = m_dir.filePath(name);
        const CRun run = RunGen(QStringList{"png", "--library", m_library, "--template", "1", out} + extra);
        return run.exitCode == 0 && run.err.isEmpty() ? QImage(out).convertToFormat(QImage::Format_RGB32) : QImage();
    };
    // A page narrower than the menu's box: the small-screen form, closed,
    // and with the list and main item 0's sub items shown.
    const int room = 120 - 2 * CSmallMenuLayout::kPageMargin;
    QVERIFY(CMenuLayout::NeedsSmallForm(params, 120));
    const QImage closed = draw("w120.png", {"--width", "120"});
    QCOMPARE(closed, CMenuRenderer().RenderSmallImage(params, CSmallMenuLayout(params, room, false, -1)));
    QCOMPARE(closed.width(), room);
    const QImage opened = draw("w120-0.png", {"--width", "120", "--open", "0"});
    QCOMPARE(opened, CMenuRenderer().RenderSmallImage(params, CSmallMenuLayout(params, room, true, 0)));
    QVERIFY(opened.height() > closed.height());
    // Opened at an item without a sub menu: the list alone.
    QCOMPARE(draw("w120-1.png", {"--width", "120", "--open", "1"}),
             CMenuRenderer().RenderSmallImage(params, CSmallMenuLayout(params, room, true, -1)));
    // A page with room for the box: the menu as without a width.
    QCOMPARE(draw("w4000.png", {"--width", "4000", "--open", "0"}), draw("plain-0.png", {"--open", "0"}));
}

void TestGenPng::currentPage_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("open");  // -1: no --open
    QTest::addColumn<int>("width"); // 0: no --width
    QTest::addColumn<int>("nMain"); // the item that links to the page
    QTest::addColumn<int>("nSub");
    QTest::newRow("main item") << "shop.htm" << -1 << 0 << 1 << -1;
    QTest::newRow("sub item, its menu closed: the owner shows") << "two.htm" << -1 << 0 << 0 << 1;
    QTest::newRow("sub item, its menu open") << "two.htm" << 0 << 0 << 0 << 1;
    QTest::newRow("sub item, another menu open") << "two.htm" << 2 << 0 << 0 << 1;
    QTest::newRow("sub item, small form, its section open") << "./faq.htm" << 2 << 120 << 2 << 0;
}

// --current PAGE: the item that links to PAGE, and the main item owning its
// sub menu, in their Mouse Click look, as the page script shows them there.
void TestGenPng::currentPage()
{
    QFETCH(QString, page);
    QFETCH(int, open);
    QFETCH(int, width);
    QFETCH(int, nMain);
    QFETCH(int, nSub);
    const QString out = m_dir.filePath(QStringLiteral("current-%1.png").arg(QTest::currentDataTag()).replace(' ', '_'));
    QStringList args{"png", "--library", m_library, "--template", "1", out, "--current", page};
    if (open >= 0)
        args << "--open" << QString::number(open);
    if (width > 0)
        args << "--width" << QString::number(width);
    const CRun run = RunGen(args);
    QVERIFY2(run.exitCode == 0, run.err.constData());
    QVERIFY2(run.err.isEmpty(), run.err.constData());

    CAppletParameters params;
    params.LoadTemplate(1, m_library);
    CRenderState state;
    state.nOpenSubMenu = open;
    QImage plain;
    QImage expected;
    if (width > 0) {
        const CSmallMenuLayout layout(params, CSmallMenuLayout::MenuWidth(width), open >= 0, open);
        plain = CMenuRenderer().RenderSmallImage(params, layout);
        expected = CMenuRenderer().RenderSmallImage(params, layout, {CItemRef{nMain, nSub}});
    } else {
        plain = CMenuRenderer().RenderImage(params, state);
        state.current = {CItemRef{nMain, nSub}};
        expected = CMenuRenderer().RenderImage(params, state);
    }
    const QImage written = QImage(out).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(written, expected);
    QVERIFY(written != plain);
}

void TestGenPng::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no output") << QStringList{"png", "--template", "1"} << "takes OUT.png";
    QTest::newRow("no project") << QStringList{"png", "out.png"} << "takes PROJECT.qdx OUT.png";
    QTest::newRow("open not a number") << QStringList{"png", "--template", "1", "o.png", "--open", "x"}
                                       << "--open needs a main item number from 0 to 2";
    QTest::newRow("open past the end") << QStringList{"png", "--template", "1", "o.png", "--open", "3"}
                                       << "--open needs a main item number";
    QTest::newRow("open without sub menu") << QStringList{"png", "--template", "1", "o.png", "--open", "1"}
                                           << "main item 1 has no sub menu";
    QTest::newRow("open without sub menu, the page wide enough")
        << QStringList{"png", "--template", "1", "o.png", "--open", "1", "--width", "4000"}
        << "main item 1 has no sub menu";
    QTest::newRow("open for html") << QStringList{"html", "--template", "1", "--open", "0"}
                                   << "--open is only for 'png'";
    QTest::newRow("width not a number") << QStringList{"png", "--template", "1", "o.png", "--width", "wide"}
                                        << "--width needs a page width from 17 to 8192 pixels";
    QTest::newRow("width all margin") << QStringList{"png", "--template", "1", "o.png", "--width", "16"}
                                      << "--width needs a page width";
    QTest::newRow("width for html") << QStringList{"html", "--template", "1", "--width", "360"}
                                    << "--width is only for 'png'";
    QTest::newRow("current for html") << QStringList{"html", "--template", "1", "--current", "one.htm"}
                                      << "--current is only for 'png'";
    QTest::newRow("current names no item's page")
        << QStringList{"png", "--template", "1", "o.png", "--current", "nowhere.htm"}
        << "no item of the menu links to nowhere.htm";
}

void TestGenPng::badArguments()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    args << "--library" << m_library;
    const CRun run = RunGen(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message.toUtf8()), run.err.constData());
    const bool content = message.contains("has no sub menu") || message.contains("no item of the menu links");
    QCOMPARE(run.err.contains("Try 'vantrel-gen --help'."), !content);
    QVERIFY2(!run.err.contains("Usage:"), run.err.constData());
    QVERIFY(!QFile::exists("o.png"));
}

void TestGenPng::unwritableOutputExitsWithOne()
{
    QVERIFY(WriteFileBytes(m_dir.filePath("plainfile"), "x"));
    const CRun run = RunGen({"png", "--library", m_library, "--template", "0", m_dir.filePath("plainfile/x.png")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("cannot write"), run.err.constData());
}

void TestGenPng::todaysLookAndThePagesFont_data()
{
    QTest::addColumn<int>("nTemplate");
    QTest::addColumn<int>("open");
    QTest::addColumn<QByteArray>("said");
    QTest::newRow("today's look, closed") << 2 << -1 << QByteArray();
    QTest::newRow("today's look, a sub menu open") << 2 << 2 << QByteArray();
    QTest::newRow("the page's font")
        << 3 << -1 << QByteArray("vantrel-gen: note: the page's own font is drawn in System UI\n");
}

// A template of today's look is drawn as the renderer draws it, the room
// of its sub menu's shadow included; a look that takes the page's own font
// is drawn in System UI, and the command says so.
void TestGenPng::todaysLookAndThePagesFont()
{
    QFETCH(int, nTemplate);
    QFETCH(int, open);
    QFETCH(QByteArray, said);
    const QString out = m_dir.filePath(QStringLiteral("today%1_%2.png").arg(nTemplate).arg(open));
    QStringList args{"png", "--library", m_library, "--template", QString::number(nTemplate), out};
    if (open >= 0)
        args << "--open" << QString::number(open);
    const CRun run = RunGen(args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, said);
    CAppletParameters params;
    params.LoadTemplate(nTemplate, m_library);
    CRenderState state;
    state.nOpenSubMenu = open;
    const QImage written(out);
    QCOMPARE(written.convertToFormat(QImage::Format_RGB32), CMenuRenderer().RenderImage(params, state));
    const CMenuLayout layout(params);
    QCOMPARE(written.size(), layout.DrawingRect(open).size());
    if (open >= 0)
        QVERIFY(written.height() > (layout.AppletRect() | layout.SubMenuRect(open)).height());
}

QTEST_MAIN(TestGenPng)
#include "tst_genpng.moc"
