#include "MenuFixture.h"
#include "model/config/AppletParameters.h"
#include "render/Contrast.h"

#include <QtTest>

namespace {

// The configuration stores colours with red in the lowest byte; the tables
// here write them as #RRGGBB.
int Rgb(quint32 rrggbb)
{
    return int(((rrggbb >> 16) & 0xff) | (rrggbb & 0xff00) | ((rrggbb & 0xff) << 16));
}

// Size list indexes: 3 is 16 px, 4 18 px, 5 20 px, 7 24 px.
constexpr int k16px = 3, k18px = 4, k20px = 5, k24px = 7;
constexpr int kPlain = 0, kBold = 1, kItalic = 2;

} // namespace

class TestContrast : public QObject {
    Q_OBJECT
private slots:
    void ratio_data();
    void ratio();
    void textContrast_data();
    void textContrast();
    void colorUnderItems_data();
    void colorUnderItems();
    void storedLookUsesItsMenusBackground();
    void formatsWithoutRoundingUp_data();
    void formatsWithoutRoundingUp();
    void lowContrastLooks_data();
    void lowContrastLooks();
    void largeTextOfTodaysType_data();
    void largeTextOfTodaysType();
};

void TestContrast::ratio_data()
{
    QTest::addColumn<quint32>("a");
    QTest::addColumn<quint32>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("black on white") << 0x000000u << 0xffffffu << 21.0;
    QTest::newRow("white on black") << 0xffffffu << 0x000000u << 21.0;
    QTest::newRow("equal colours") << 0x3366ccu << 0x3366ccu << 1.0;
    QTest::newRow("#777777 on white") << 0x777777u << 0xffffffu << 4.478;
    QTest::newRow("#767676 on white") << 0x767676u << 0xffffffu << 4.542;
    QTest::newRow("red on white") << 0xff0000u << 0xffffffu << 3.998;
    QTest::newRow("blue on white") << 0x0000ffu << 0xffffffu << 8.592;
    // Green weighs most, blue least: channel order matters.
    QTest::newRow("#336699 on black") << 0x336699u << 0x000000u << 3.501;
    QTest::newRow("#996633 on black") << 0x996633u << 0x000000u << 4.303;
    // Below 0.04045 the linear part of the curve.
    QTest::newRow("#0a0a0a on black") << 0x0a0a0au << 0x000000u << 1.061;
}

void TestContrast::ratio()
{
    QFETCH(quint32, a);
    QFETCH(quint32, b);
    QFETCH(double, expected);
    QVERIFY2(qAbs(ContrastRatio(Rgb(a), Rgb(b)) - expected) < 0.0015,
             qPrintable(QString::number(ContrastRatio(Rgb(a), Rgb(b)), 'f', 4)));
}

void TestContrast::textContrast_data()
{
    QTest::addColumn<quint32>("bk");
    QTest::addColumn<quint32>("fr");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("fontStyle");
    QTest::addColumn<quint32>("under"); // what a transparent item shows
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("required");

    const quint32 grey = 0x777777, white = 0xffffff, black = 0x000000, red = 0xff0000;
    // Plain fills.
    QTest::newRow("flat, just below AA") << white << grey << 1 << k16px << kPlain << black << 4.478 << 4.5;
    QTest::newRow("flat, black on grey") << grey << black << 1 << k16px << kPlain << white << 4.689 << 4.5;
    QTest::newRow("flat, 24 px is large") << white << grey << 1 << k24px << kPlain << black << 4.478 << 3.0;
    QTest::newRow("flat, italic 24 px is large") << white << grey << 1 << k24px << kItalic << black << 4.478 << 3.0;
    QTest::newRow("flat, bold 20 px is large") << white << grey << 1 << k20px << kBold << black << 4.478 << 3.0;
    QTest::newRow("flat, bold 18 px is not") << white << grey << 1 << k18px << kBold << black << 4.478 << 4.5;
    QTest::newRow("flat, plain 20 px is not") << white << grey << 1 << k20px << kPlain << black << 4.478 << 4.5;
    // Transparent: the colour under the item, never the item's own.
    QTest::newRow("none over white") << black << grey << 0 << k16px << kPlain << white << 4.478 << 4.5;
    QTest::newRow("none over black") << white << white << 0 << k16px << kPlain << black << 21.0 << 4.5;
    QTest::newRow("fill out of range is none") << black << black << 12 << k16px << kPlain << white << 21.0 << 4.5;
    // Shades: the worst end, whichever side and direction.
    QTest::newRow("h black to grey, white text") << grey << white << 2 << k16px << kPlain << white << 4.478 << 4.5;
    QTest::newRow("h grey to black, white text") << grey << white << 4 << k16px << kPlain << white << 4.478 << 4.5;
    QTest::newRow("v black to grey, white text") << grey << white << 6 << k16px << kPlain << white << 4.478 << 4.5;
    QTest::newRow("v grey to black, white text") << grey << white << 8 << k16px << kPlain << white << 4.478 << 4.5;
    QTest::newRow("h white to grey, black text") << grey << black << 3 << k16px << kPlain << black << 4.689 << 4.5;
    QTest::newRow("h grey to white, black text") << grey << black << 5 << k16px << kPlain << black << 4.689 << 4.5;
    QTest::newRow("v white to grey, black text") << grey << black << 7 << k16px << kPlain << black << 4.689 << 4.5;
    QTest::newRow("v grey to white, black text") << grey << black << 9 << k16px << kPlain << black << 4.689 << 4.5;
    QTest::newRow("shade to the text's colour") << grey << white << 5 << k16px << kPlain << black << 1.0 << 4.5;
    QTest::newRow("text between the ends") << white << grey << 8 << k16px << kPlain << white << 1.0 << 4.5;
    QTest::newRow("red to black, white text") << red << white << 8 << k16px << kPlain << black << 3.998 << 4.5;
    QTest::newRow("red to white, black text") << red << black << 9 << k16px << kPlain << white << 5.252 << 4.5;
}

void TestContrast::textContrast()
{
    QFETCH(quint32, bk);
    QFETCH(quint32, fr);
    QFETCH(int, fill);
    QFETCH(int, fontSize);
    QFETCH(int, fontStyle);
    QFETCH(quint32, under);
    QFETCH(double, ratio);
    QFETCH(double, required);
    CContrastLook look;
    look.bkColor = Rgb(bk);
    look.frColor = Rgb(fr);
    look.fill = fill;
    look.fontSize = fontSize;
    look.fontStyle = fontStyle;
    const CTextContrast c = TextContrast(look, Rgb(under));
    QVERIFY2(qAbs(c.ratio - ratio) < 0.0015, qPrintable(QString::number(c.ratio, 'f', 4)));
    QCOMPARE(c.required, required);
    QCOMPARE(c.Passes(), c.ratio >= required);
}

void TestContrast::colorUnderItems_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("bkStyle");
    QTest::addColumn<int>("expected");
    QTest::newRow("main, transparent") << false << 0 << kApplet;
    QTest::newRow("main, transparent with border") << false << 1 << kApplet;
    QTest::newRow("main, filled") << false << 2 << kMainMenu;
    QTest::newRow("main, filled with border") << false << 3 << kMainMenu;
    QTest::newRow("sub, transparent") << true << 0 << kApplet;
    QTest::newRow("sub, filled") << true << 2 << kSubMenu;
    QTest::newRow("sub, filled with border") << true << 3 << kSubMenu;
}

void TestContrast::colorUnderItems()
{
    QFETCH(bool, sub);
    QFETCH(int, bkStyle);
    QFETCH(int, expected);
    CAppletParameters p;
    MakeFlatMenu(p);
    (sub ? p.m_smBKStyle : p.m_mmBKStyle) = bkStyle;
    // The other menu's style never counts.
    (sub ? p.m_mmBKStyle : p.m_smBKStyle) = bkStyle >= 2 ? 0 : 2;
    QCOMPARE(ColorUnderItems(p, sub), expected);
}

void TestContrast::storedLookUsesItsMenusBackground()
{
    // Transparent white text: readable over a black applet, not over the
    // white menu box once the box is filled.
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_appBKColor = 0x000000;
    p.m_mmBKColor = 0xffffff;
    p.m_mmBKStyle = 0;
    p.m_miItemFillStyle2 = 0;
    p.m_miFRColor2 = 0xffffff;
    p.m_miFontSize2 = k16px;
    QCOMPARE(ItemTextContrast(p, false, 2).ratio, 21.0);
    p.m_mmBKStyle = 3;
    QCOMPARE(ItemTextContrast(p, false, 2).ratio, 1.0);
    // The sub items' state 2 is its own look.
    p.m_siItemFillStyle2 = 1;
    p.m_siBKColor2 = 0x000000;
    p.m_siFRColor2 = Rgb(0x777777);
    QVERIFY(qAbs(ItemTextContrast(p, true, 2).ratio - 4.689) < 0.0015);
}

void TestContrast::formatsWithoutRoundingUp_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QString>("text");
    QTest::newRow("21") << 21.0 << "21:1";
    QTest::newRow("1") << 1.0 << "1:1";
    QTest::newRow("4.5") << 4.5 << "4.5:1";
    QTest::newRow("4.478 is not 4.5") << 4.478 << "4.4:1";
    QTest::newRow("2.999 is not 3") << 2.999 << "2.9:1";
    QTest::newRow("12.55") << 12.55 << "12.5:1";
    QTest::newRow("4.8 exactly") << 4.8 << "4.8:1";
}

void TestContrast::formatsWithoutRoundingUp()
{
    QFETCH(double, ratio);
    QFETCH(QString, text);
    QCOMPARE(FormatRatio(ratio), text);
}

void TestContrast::lowContrastLooks_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QStringList>("expected"); // "main 2", "sub 3", ...
    QTest::newRow("main and sub items") << "A(a b) B" << QStringList{"main 2", "sub 1", "sub 3"};
    QTest::newRow("no sub menus: sub looks unseen") << "A B" << QStringList{"main 2"};
}

void TestContrast::lowContrastLooks()
{
    QFETCH(QString, tree);
    QFETCH(QStringList, expected);
    CAppletParameters p;
    MakeFlatMenu(p);
    // Everything black on white, then three looks made unreadable.
    for (bool sub : {false, true}) {
        for (int state = 1; state <= 3; ++state) {
            const CItemStyle s = ItemStyleFields(p, sub, state);
            *s.pBKColor = 0xffffff;
            *s.pFRColor = 0x000000;
            *s.pFillStyle = 1;
        }
    }
    p.m_miFRColor2 = Rgb(0x999999);
    p.m_siItemFillStyle1 = 8; // white to black under black text: ratio 1
    p.m_siBKColor3 = Rgb(0x222222);
    BuildMenu(*p.m_pMainMenu, tree);
    QStringList found;
    for (const CLowContrastLook &low : LowContrastLooks(p)) {
        found << QStringLiteral("%1 %2").arg(low.bSub ? "sub" : "main").arg(low.nState);
        QVERIFY(!low.contrast.Passes());
    }
    QCOMPARE(found, expected);
}

// Today's size and weight decide what is large text, as the page shows
// them: Semibold is not bold to the checkers; an applet page shows the
// applet's nearest values.
void TestContrast::largeTextOfTodaysType_data()
{
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("modern");
    QTest::addColumn<double>("required");
    QTest::newRow("23 px") << 23 << 0 << 1 << 4.5;
    QTest::newRow("25 px") << 25 << 0 << 1 << 3.0;
    QTest::newRow("19 px Semibold") << 19 << 600 << 1 << 4.5;
    QTest::newRow("19 px Bold") << 19 << 700 << 1 << 3.0;
    QTest::newRow("18 px Bold") << 18 << 700 << 1 << 4.5;
    QTest::newRow("19 px Semibold on an applet page: 20 px Bold") << 19 << 600 << 0 << 3.0;
    QTest::newRow("23 px on an applet page: 24 px") << 23 << 0 << 0 << 3.0;
}

void TestContrast::largeTextOfTodaysType()
{
    QFETCH(int, px);
    QFETCH(int, weight);
    QFETCH(int, modern);
    QFETCH(double, required);
    CAppletParameters p;
    p.m_ModernPage = modern;
    p.m_siBKColor2 = 0xffffff;
    p.m_siFRColor2 = 0x777777;
    p.m_siItemFillStyle2 = 1;
    p.m_siFontSize2 = 1; // 12 px, which today's size replaces
    p.m_siFontPx2 = px;
    p.m_siFontWeight2 = weight;
    QCOMPARE(ItemTextContrast(p, true, 2).required, required);
}

QTEST_APPLESS_MAIN(TestContrast)
#include "tst_contrast.moc"
