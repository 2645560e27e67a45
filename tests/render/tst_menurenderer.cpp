#include "MenuFixture.h"
#include "TestFiles.h"
#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "render/FontTable.h"
#include "render/MenuRenderer.h"

#include <QFontInfo>
#include <QPainter>
#include <QtTest>

// Declared before the first table uses it as a column type.
Q_DECLARE_METATYPE(CItemRef)

// Draws configurations into images and checks the pixels and the item boxes.
class TestMenuRenderer : public QObject {
    Q_OBJECT
private slots:
    void itemBoxesFollowOrientationSizeAndGap_data();
    void itemBoxesFollowOrientationSizeAndGap();
    void appletAreaAndMenuBackground_data();
    void appletAreaAndMenuBackground();
    void currentItemLooks_data();
    void currentItemLooks();
    void itemStateStyles_data();
    void itemStateStyles();
    void subMenuOpensBesideItsItem_data();
    void subMenuOpensBesideItsItem();
    void subMenuKeptOnThePage_data();
    void subMenuKeptOnThePage();
    void hitTesting_data();
    void hitTesting();
    void shades_data();
    void shades();
    void borders_data();
    void borders();
    void fonts_data();
    void fonts();
    void textAndImageAlignment_data();
    void textAndImageAlignment();
    void backgroundImageAndMissingImages();
    void absurdValuesDrawNothingWrong();
    void itemCorners_data();
    void itemCorners();
    void panelCorners_data();
    void panelCorners();
    void shadows_data();
    void shadows();
    void labelRoom_data();
    void labelRoom();
    void arrows_data();
    void arrows();
    void todaysType_data();
    void todaysType();
    void appletPageDrawsTheAppletsLook();
};

namespace {

QColor Rgb(int color)
{
    return CMenuRenderer::ToQColor(color);
}

void ClearSubLabels(CAppletParameters &p, int nMain)
{
    for (auto &item : p.m_pMainMenu->GetSubMenu(nMain)->m_items)
        item->m_strLabel.clear();
}

QColor Pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y);
}

bool Near(const QColor &a, const QColor &b, int tolerance = 12)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
           && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString Describe(const QColor &c)
{
    return c.name();
}

// Columns of `r` that hold a pixel of colour `ink`.
QList<int> InkColumns(const QImage &image, const QRect &r, const QColor &ink)
{
    QList<int> columns;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (Near(Pixel(image, x, y), ink, 40)) {
                columns << x;
                break;
            }
    return columns;
}

QString WriteSolidImage(const QTemporaryDir &dir, const QString &name, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    return image.save(path) ? path : QString();
}

// The flat menu on a page for today's browsers, main item 1 owning a sub
// menu of three items; every label a left-aligned "W" in white.
void MakeTodaysMenu(CAppletParameters &p)
{
    MakeFlatMenu(p);
    p.m_ModernPage = 1;
    p.m_mmWidth = 120;
    p.m_mmHeight = 28;
    p.m_smWidth = 100;
    p.m_smHeight = 24;
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.GetSubMenu(1)->SetItemCount(3, 1);
    for (auto &item : menu.m_items)
        item->m_strLabel = QStringLiteral("W");
    for (auto &item : menu.GetSubMenu(1)->m_items)
        item->m_strLabel = QStringLiteral("W");
}

// The pixels of `r` that are not `color`.
int PixelsOtherThan(const QImage &image, const QRect &r, const QColor &color, int tolerance = 8)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (!Near(Pixel(image, x, y), color, tolerance))
                ++n;
    return n;
}

int Luminance(const QColor &c)
{
    return qGray(c.rgb());
}

} // namespace

void TestMenuRenderer::itemBoxesFollowOrientationSizeAndGap_data()
{
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QRect>("third");   // box of main item 2
    QTest::addColumn<QRect>("applet");
    QTest::newRow("vertical") << 0 << 80 << 20 << 4 << QRect(10, 58, 80, 20) << QRect(0, 0, 90, 102);
    QTest::newRow("vertical no gap") << 0 << 80 << 20 << 0 << QRect(10, 50, 80, 20) << QRect(0, 0, 90, 90);
    QTest::newRow("vertical taller") << 0 << 50 << 30 << 4 << QRect(10, 78, 50, 30) << QRect(0, 0, 60, 142);
    QTest::newRow("horizontal") << 1 << 80 << 20 << 4 << QRect(178, 10, 80, 20) << QRect(0, 0, 342, 30);
    QTest::newRow("horizontal wide gap") << 1 << 40 << 20 << 30 << QRect(150, 10, 40, 20) << QRect(0, 0, 260, 30);
}

void TestMenuRenderer::itemBoxesFollowOrientationSizeAndGap()
{
    QFETCH(int, align);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, gap);
    QFETCH(QRect, third);
    QFETCH(QRect, applet);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmMenuAlign = align;
    p.m_mmWidth = width;
    p.m_mmHeight = height;
    p.m_mmItemGap = gap;
    const CMenuLayout layout(p);
    QCOMPARE(layout.ItemRect({2, -1}), third);
    QCOMPARE(layout.AppletRect(), applet);

    const QImage image = CMenuRenderer().RenderImage(p);
    QCOMPARE(image.size(), applet.size());
    // Each item's own pixels carry the Normal colour, right to its edges.
    for (int i = 0; i < 4; ++i) {
        const QRect r = layout.ItemRect({i, -1});
        QCOMPARE(Pixel(image, r.left(), r.top()), Rgb(kMain[1]));
        QCOMPARE(Pixel(image, r.right(), r.bottom()), Rgb(kMain[1]));
    }
    // Just past the third item lies the gap, or the fourth item when there is none.
    const QPoint past = align ? QPoint(third.right() + 1, third.center().y())
                              : QPoint(third.center().x(), third.bottom() + 1);
    QCOMPARE(Pixel(image, past.x(), past.y()), Rgb(gap ? kApplet : kMain[1]));
}

void TestMenuRenderer::appletAreaAndMenuBackground_data()
{
    QTest::addColumn<int>("bkStyle");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("framed");
    QTest::newRow("transparent without border") << 0 << false << false;
    QTest::newRow("transparent with border") << 1 << false << true;
    QTest::newRow("full fill without border") << 2 << true << false;
    QTest::newRow("full fill with border") << 3 << true << true;
}

void TestMenuRenderer::appletAreaAndMenuBackground()
{
    QFETCH(int, bkStyle);
    QFETCH(bool, filled);
    QFETCH(bool, framed);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmBKStyle = bkStyle;
    for (int state = 1; state <= 3; ++state)
        *ItemStyleFields(p, false, state).pFillStyle = 0; // transparent items
    p.m_pMainMenu->GetSubMenu(3); // closed, but the area leaves room for it
    const CMenuLayout layout(p);
    const QImage image = CMenuRenderer().RenderImage(p);
    const QRect box = layout.MainMenuRect();
    QCOMPARE(box, QRect(10, 10, 80, 92));

    // Outside the menu: the applet colour, to the far corner.
    QCOMPARE(image.size(), QSize(112, 169));
    QCOMPARE(Pixel(image, 0, 0), Rgb(kApplet));
    QCOMPARE(Pixel(image, image.width() - 1, image.height() - 1), Rgb(kApplet));
    // A transparent item and the gap below it show the menu box or the applet.
    const QColor inside = filled ? Rgb(kMainMenu) : Rgb(kApplet);
    QCOMPARE(Pixel(image, 50, 20), inside);
    QCOMPARE(Pixel(image, 50, 32), inside);
    // The frame lies on the box's outermost pixels, in a shade of the menu colour.
    for (const QPoint &edge : {box.topLeft(), box.bottomRight(), QPoint(box.left(), 32)}) {
        const QColor c = Pixel(image, edge.x(), edge.y());
        if (framed) {
            QVERIFY2(c != Rgb(kApplet) && c != Rgb(kMainMenu), qPrintable(Describe(c)));
            QVERIFY2(c.hue() == Rgb(kMainMenu).hue() || qAbs(c.hue() - Rgb(kMainMenu).hue()) <= 2,
                     qPrintable(Describe(c)));
        } else {
            QCOMPARE(c, inside);
        }
    }
}

void TestMenuRenderer::itemStateStyles_data()
{
    QTest::addColumn<CItemRef>("hover");
    QTest::addColumn<CItemRef>("pressed");
    QTest::addColumn<QList<int>>("states"); // of main items 0..3
    QTest::newRow("nothing") << CItemRef{} << CItemRef{} << QList<int>{1, 1, 1, 1};
    QTest::newRow("hover") << CItemRef{1, -1} << CItemRef{} << QList<int>{1, 2, 1, 1};
    QTest::newRow("pressed") << CItemRef{} << CItemRef{3, -1} << QList<int>{1, 1, 1, 3};
    QTest::newRow("pressed wins") << CItemRef{2, -1} << CItemRef{2, -1} << QList<int>{1, 1, 3, 1};
    QTest::newRow("sub item hovered") << CItemRef{0, 1} << CItemRef{} << QList<int>{1, 1, 1, 1};
}

void TestMenuRenderer::itemStateStyles()
{
    QFETCH(CItemRef, hover);
    QFETCH(CItemRef, pressed);
    QFETCH(QList<int>, states);
    CAppletParameters p;
    MakeFlatMenu(p);
    CRenderState state;
    state.hover = hover;
    state.pressed = pressed;
    const QImage image = CMenuRenderer().RenderImage(p, state);
    const CMenuLayout layout(p);
    for (int i = 0; i < 4; ++i) {
        const QPoint c = layout.ItemRect({i, -1}).center();
        QCOMPARE(Pixel(image, c.x(), c.y()), Rgb(kMain[states[i]]));
    }
}

void TestMenuRenderer::subMenuOpensBesideItsItem_data()
{
    QTest::addColumn<bool>("modern");
    QTest::addColumn<int>("mainAlign");
    QTest::addColumn<int>("subAlign");
    QTest::addColumn<int>("owner");
    QTest::addColumn<QRect>("subBox");
    QTest::addColumn<QRect>("applet");
    // Vertical: owner 1 at (10, 34, 80 x 20) -> opens at (10 + 40, 34 + 15).
    QTest::newRow("vertical") << false << 0 << 0 << 1 << QRect(50, 49, 60, 70) << QRect(0, 0, 112, 121);
    QTest::newRow("vertical, sub across") << false << 0 << 1 << 3 << QRect(50, 97, 246, 16) << QRect(0, 0, 298, 115);
    // Horizontal: owner 2 at (178, 10) -> opens at (218, 25).
    QTest::newRow("horizontal") << false << 1 << 0 << 2 << QRect(218, 25, 60, 70) << QRect(0, 0, 342, 97);
    QTest::newRow("horizontal, last item") << false << 1 << 0 << 3 << QRect(302, 25, 60, 70) << QRect(0, 0, 364, 97);
    // A page for today's browsers: flush against the item, to its right or
    // below it, and the applet's box is the main menu with its margin.
    QTest::newRow("modern, vertical") << true << 0 << 0 << 1 << QRect(90, 34, 60, 70) << QRect(0, 0, 100, 112);
    QTest::newRow("modern, vertical, sub across") << true << 0 << 1 << 3 << QRect(90, 82, 246, 16)
                                                  << QRect(0, 0, 100, 112);
    QTest::newRow("modern, horizontal") << true << 1 << 0 << 2 << QRect(178, 30, 60, 70) << QRect(0, 0, 352, 40);
    QTest::newRow("modern, horizontal, last item") << true << 1 << 0 << 3 << QRect(262, 30, 60, 70)
                                                   << QRect(0, 0, 352, 40);
}

void TestMenuRenderer::subMenuOpensBesideItsItem()
{
    QFETCH(bool, modern);
    QFETCH(int, mainAlign);
    QFETCH(int, subAlign);
    QFETCH(int, owner);
    QFETCH(QRect, subBox);
    QFETCH(QRect, applet);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmMenuAlign = mainAlign;
    p.m_smMenuAlign = subAlign;
    p.m_ModernPage = modern;
    ClearSubLabels(p, owner);
    const CMenuLayout layout(p);
    QVERIFY(layout.HasSubMenu(owner));
    QVERIFY(!layout.HasSubMenu(owner == 0 ? 1 : 0));
    QCOMPARE(layout.SubMenuRect(owner), subBox);
    QCOMPARE(layout.ItemRect({owner, 0}).topLeft(), subBox.topLeft());
    QCOMPARE(layout.AppletRect(), applet);

    const CMenuRenderer renderer;
    CRenderState state;
    const QPoint first = layout.ItemRect({owner, 0}).center();
    const QPoint last = layout.ItemRect({owner, 3}).center();
    // Closed: the sub menu is not drawn.
    QImage image = renderer.RenderImage(p, state);
    QVERIFY(Pixel(image, last.x(), last.y()) != Rgb(kSub[1]));
    QCOMPARE(image.size(), applet.size());
    // Open: it lies over the main menu, and its items take the sub-item styles.
    state.nOpenSubMenu = owner;
    state.hover = {owner, 3};
    image = renderer.RenderImage(p, state);
    // The picture holds the applet's box and the sub menu; beyond the box
    // the page shows white.
    QCOMPARE(image.size(), (applet | subBox).size());
    if (!applet.contains(subBox))
        QCOMPARE(Pixel(image, image.width() - 1, image.height() - 1), QColor(Qt::white));
    QCOMPARE(Pixel(image, first.x(), first.y()), Rgb(kSub[1]));
    QCOMPARE(Pixel(image, last.x(), last.y()), Rgb(kSub[2]));
    // Its owner stays in its own style.
    const QPoint ownerCorner = layout.ItemRect({owner, -1}).topLeft();
    QCOMPARE(Pixel(image, ownerCorner.x(), ownerCorner.y()), Rgb(kMain[1]));
}

void TestMenuRenderer::subMenuKeptOnThePage_data()
{
    QTest::addColumn<int>("mainAlign");
    QTest::addColumn<int>("subWidth");
    QTest::addColumn<int>("pageAlign"); // 0 centre, 1 left, 2 right
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("x"); // the sub menu's left, in applet coordinates
    // Down: owner 1 at (10, 34, 80 x 20), the box 100 wide, sub menus 60
    // wide open at x 90. The page's body keeps 8 pixels at each side.
    QTest::newRow("wide page") << 0 << 60 << 0 << 1200 << 90;
    QTest::newRow("just room at the left") << 0 << 60 << 1 << 158 << 90;
    QTest::newRow("no side has room: at the page's right") << 0 << 60 << 1 << 150 << 82;
    QTest::newRow("page on the right: the other side") << 0 << 60 << 2 << 300 << -50;
    // Across: owner 3 at (262, 10, 80 x 20), the sub menu below it.
    QTest::newRow("across, room") << 1 << 60 << 1 << 400 << 262;
    QTest::newRow("across, wider than the item: ends with it") << 1 << 120 << 1 << 380 << 222;
}

void TestMenuRenderer::subMenuKeptOnThePage()
{
    QFETCH(int, mainAlign);
    QFETCH(int, subWidth);
    QFETCH(int, pageAlign);
    QFETCH(int, pageWidth);
    QFETCH(int, x);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_ModernPage = 1;
    p.m_mmMenuAlign = mainAlign;
    p.m_smWidth = subWidth;
    p.m_Align = pageAlign;
    const int owner = mainAlign == 0 ? 1 : 3;
    p.m_pMainMenu->GetSubMenu(owner);
    const CMenuLayout onPage(p, pageWidth);
    QCOMPARE(onPage.SubMenuRect(owner).x(), x);
    QCOMPARE(onPage.SubMenuRect(owner).size(), CMenuLayout(p).SubMenuRect(owner).size());
    QVERIFY(onPage.DrawingRect(owner).contains(onPage.SubMenuRect(owner)));
    // The picture holds the sub menu wherever it went.
    CRenderState state;
    state.nOpenSubMenu = owner;
    const QImage image = CMenuRenderer().RenderImage(p, state, pageWidth);
    QCOMPARE(image.size(), onPage.DrawingRect(owner).size());
    const QPoint first = onPage.ItemRect({owner, 0}).center() - onPage.DrawingRect(owner).topLeft();
    QCOMPARE(Pixel(image, first.x(), first.y()), Rgb(kSub[1]));
}

void TestMenuRenderer::hitTesting_data()
{
    QTest::addColumn<int>("open");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<CItemRef>("hit");
    QTest::newRow("first item corner") << -1 << QPoint(10, 10) << CItemRef{0, -1};
    QTest::newRow("last item far corner") << -1 << QPoint(89, 101) << CItemRef{3, -1};
    QTest::newRow("gap") << -1 << QPoint(50, 31) << CItemRef{};
    QTest::newRow("left of menu") << -1 << QPoint(9, 15) << CItemRef{};
    QTest::newRow("below menu") << -1 << QPoint(50, 102) << CItemRef{};
    // The sub menu of item 1 covers parts of items 1 to 3 while open.
    QTest::newRow("under closed sub menu") << -1 << QPoint(60, 60) << CItemRef{2, -1};
    QTest::newRow("open sub menu on top") << 1 << QPoint(60, 60) << CItemRef{1, 0};
    QTest::newRow("sub item 2") << 1 << QPoint(100, 90) << CItemRef{1, 2};
    QTest::newRow("gap between sub items") << 1 << QPoint(100, 65) << CItemRef{};
    QTest::newRow("sub menu gap over a main item") << 1 << QPoint(60, 65) << CItemRef{};
    QTest::newRow("main item beside sub menu") << 1 << QPoint(20, 60) << CItemRef{2, -1};
    QTest::newRow("item without sub menu as open") << 0 << QPoint(60, 60) << CItemRef{2, -1};
}

void TestMenuRenderer::hitTesting()
{
    QFETCH(int, open);
    QFETCH(QPoint, point);
    QFETCH(CItemRef, hit);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_pMainMenu->GetSubMenu(1);
    const CItemRef got = CMenuLayout(p).HitTest(point, open);
    QVERIFY2(got == hit, qPrintable(QStringLiteral("hit %1,%2").arg(got.nMain).arg(got.nSub)));
}

void TestMenuRenderer::shades_data()
{
    QTest::addColumn<int>("fill");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QColor>("start"); // at the left or top edge
    QTest::addColumn<QColor>("end");   // at the right or bottom edge
    const QColor colour = Rgb(0x40c080);
    const QColor black(Qt::black), white(Qt::white);
    QTest::newRow("horizontal black to colour") << 2 << false << black << colour;
    QTest::newRow("horizontal white to colour") << 3 << false << white << colour;
    QTest::newRow("horizontal colour to black") << 4 << false << colour << black;
    QTest::newRow("horizontal colour to white") << 5 << false << colour << white;
    QTest::newRow("vertical black to colour") << 6 << true << black << colour;
    QTest::newRow("vertical white to colour") << 7 << true << white << colour;
    QTest::newRow("vertical colour to black") << 8 << true << colour << black;
    QTest::newRow("vertical colour to white") << 9 << true << colour << white;
}

void TestMenuRenderer::shades()
{
    QFETCH(int, fill);
    QFETCH(bool, vertical);
    QFETCH(QColor, start);
    QFETCH(QColor, end);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmHeight = 60;
    p.m_mmWidth = 120;
    p.m_miBKColor1 = 0x40c080;
    p.m_miItemFillStyle1 = fill;
    const QImage image = CMenuRenderer().RenderImage(p);
    const QRect r = CMenuLayout(p).ItemRect({0, -1});
    const QPoint a = vertical ? QPoint(r.center().x(), r.top()) : QPoint(r.left(), r.center().y());
    const QPoint b = vertical ? QPoint(r.center().x(), r.bottom()) : QPoint(r.right(), r.center().y());
    const QPoint mid = r.center();
    QVERIFY2(Near(Pixel(image, a.x(), a.y()), start), qPrintable(Describe(Pixel(image, a.x(), a.y()))));
    QVERIFY2(Near(Pixel(image, b.x(), b.y()), end), qPrintable(Describe(Pixel(image, b.x(), b.y()))));
    // Halfway is halfway between the two, and the shade does not vary across.
    const QColor m = Pixel(image, mid.x(), mid.y());
    QVERIFY2(Near(m, QColor((start.red() + end.red()) / 2, (start.green() + end.green()) / 2,
                            (start.blue() + end.blue()) / 2), 10),
             qPrintable(Describe(m)));
    const QPoint across = vertical ? QPoint(r.left(), mid.y()) : QPoint(mid.x(), r.top());
    QVERIFY(Near(Pixel(image, across.x(), across.y()), m, 4));
}

void TestMenuRenderer::borders_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("thickness");
    QTest::newRow("plain 1") << 0 << 1;
    QTest::newRow("plain 3") << 0 << 3;
    QTest::newRow("raised 1") << 1 << 1;
    QTest::newRow("raised 3") << 1 << 3;
    QTest::newRow("sunken 2") << 2 << 2;
    QTest::newRow("raised 0") << 1 << 0;
}

void TestMenuRenderer::borders()
{
    QFETCH(int, style);
    QFETCH(int, thickness);
    CAppletParameters p;
    MakeFlatMenu(p);
    const int bk = 0x806040;
    const int fr = 0x10e0f0;
    p.m_miBKColor1 = bk;
    p.m_miFRColor1 = fr;
    p.m_miItemBorderStyle1 = style;
    p.m_mmBorderThick = thickness;
    const QImage image = CMenuRenderer().RenderImage(p);
    const QRect r = CMenuLayout(p).ItemRect({1, -1});
    const QColor top = Pixel(image, r.center().x(), r.top());
    const QColor left = Pixel(image, r.left(), r.center().y());
    const QColor bottom = Pixel(image, r.center().x(), r.bottom());
    const QColor right = Pixel(image, r.right(), r.center().y());
    // The innermost border pixel, and the first pixel inside the border.
    const QColor innerTop = Pixel(image, r.center().x(), r.top() + qMax(0, thickness - 1));
    const QColor inside = Pixel(image, r.center().x(), r.top() + thickness);
    QCOMPARE(inside, Rgb(bk));
    if (thickness == 0) {
        for (const QColor &c : {top, left, bottom, right})
            QCOMPARE(c, Rgb(bk));
        return;
    }
    QCOMPARE(innerTop, top);
    if (style == 0) {
        for (const QColor &c : {top, left, bottom, right})
            QCOMPARE(c, Rgb(fr));
        return;
    }
    const int lightness = Rgb(bk).lightness();
    const QColor &lit = style == 1 ? top : bottom;
    const QColor &shaded = style == 1 ? bottom : top;
    QVERIFY2(lit.lightness() > lightness + 30, qPrintable(Describe(lit)));
    QVERIFY2(shaded.lightness() < lightness - 30, qPrintable(Describe(shaded)));
    QCOMPARE(style == 1 ? left : right, lit);
    QCOMPARE(style == 1 ? right : left, shaded);
}

void TestMenuRenderer::fonts_data()
{
    QTest::addColumn<int>("name");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("pixels");
    QTest::newRow("TimesRoman 9 plain") << 0 << 0 << 0 << 9;
    QTest::newRow("Helvetica 24 bold") << 1 << 7 << 1 << 24;
    QTest::newRow("Courier 72 italic") << 2 << 12 << 2 << 72;
    QTest::newRow("size outside the list") << 1 << 13 << 0 << 12;
}

void TestMenuRenderer::fonts()
{
    QFETCH(int, name);
    QFETCH(int, size);
    QFETCH(int, style);
    QFETCH(int, pixels);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_siFontName2 = name;
    p.m_siFontSize2 = size;
    p.m_siFontStyle2 = style;
    const QFont font = CMenuRenderer::ItemFont(p, true, 2);
    const QFontInfo info(font);
    QCOMPARE(info.pixelSize(), pixels);
    QCOMPARE(info.bold(), style == 1);
    QCOMPARE(info.italic(), style == 2);
    QCOMPARE(info.fixedPitch(), name == 2);
    const QString family = info.family();
    if (name == 0)
        QVERIFY2(family.contains("Serif") || family.contains("Roman") || family.contains("Times"),
                 qPrintable(family));
    else
        QVERIFY2(!family.contains("Serif") && !family.contains("Roman"), qPrintable(family));
    // The other states and the main items keep their own font.
    QCOMPARE(QFontInfo(CMenuRenderer::ItemFont(p, true, 1)).pixelSize(), 12);
}

void TestMenuRenderer::textAndImageAlignment_data()
{
    QTest::addColumn<int>("align");    // image * 3 + text
    QTest::addColumn<bool>("withImage");
    QTest::addColumn<QString>("textAt"); // third of the item holding the text: l, c, r
    QTest::addColumn<QString>("imageAt");
    QTest::newRow("text left") << 0 << false << "l" << "";
    QTest::newRow("text centre") << 1 << false << "c" << "";
    QTest::newRow("text right") << 2 << false << "r" << "";
    QTest::newRow("image left, text right") << 2 << true << "r" << "l";
    QTest::newRow("image right, text left") << 6 << true << "l" << "r";
    QTest::newRow("image centre, text left") << 3 << true << "l" << "c";
    QTest::newRow("image centre, text right") << 5 << true << "r" << "c";
    QTest::newRow("both centred") << 4 << true << "c" << "c";
    QTest::newRow("both right") << 8 << true << "r" << "r";
}

void TestMenuRenderer::textAndImageAlignment()
{
    QFETCH(int, align);
    QFETCH(bool, withImage);
    QFETCH(QString, textAt);
    QFETCH(QString, imageAt);
    QTemporaryDir dir;
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmWidth = 240;
    p.m_mmHeight = 24;
    p.m_miBKColor1 = 0x000000;
    p.m_miFRColor1 = 0xffffff;
    p.m_miAlign1 = align;
    CAppletMenuItem *item = p.m_pMainMenu->GetItem(0);
    item->m_strLabel = QStringLiteral("Ab");
    if (withImage)
        item->m_strImage = WriteSolidImage(dir, "dot.png", QSize(16, 16), Qt::red);
    const QImage image = CMenuRenderer().RenderImage(p);
    const QRect r = CMenuLayout(p).ItemRect({0, -1});
    auto third = [&](const QList<int> &columns) {
        if (columns.isEmpty())
            return QString();
        const int mid = (columns.first() + columns.last()) / 2 - r.left();
        return QString(QLatin1Char("lcr"[qBound(0, mid * 3 / r.width(), 2)]));
    };
    QCOMPARE(third(InkColumns(image, r, Qt::white)), textAt);
    const QList<int> red = InkColumns(image, r, Qt::red);
    QCOMPARE(third(red), imageAt);
    if (!withImage)
        return;
    QCOMPARE(red.size(), 16);
    // Text never lies under the image.
    for (int x : InkColumns(image, r, Qt::white))
        QVERIFY(!red.contains(x));
}

void TestMenuRenderer::backgroundImageAndMissingImages()
{
    QTemporaryDir dir;
    CAppletParameters p;
    MakeFlatMenu(p);
    // A 7 x 5 image tiles the whole applet area, under the menu.
    QImage tile(7, 5, QImage::Format_RGB32);
    tile.fill(Qt::yellow);
    tile.setPixelColor(0, 0, Qt::blue);
    QVERIFY(tile.save(dir.filePath("Back.PNG")));
    p.m_appBKImagePath = dir.filePath("back.png"); // found in another letter case
    const CMenuRenderer renderer;
    QImage image = renderer.RenderImage(p);
    QCOMPARE(Pixel(image, 1, 1), QColor(Qt::yellow));
    QCOMPARE(Pixel(image, 7, 5), QColor(Qt::blue));
    QCOMPARE(Pixel(image, 84, 5), QColor(Qt::blue)); // 13th tile across, 2nd down
    QCOMPARE(Pixel(image, 20, 20), Rgb(kMain[1]));

    // Missing files, an unreadable image and an empty path are drawn as nothing.
    const QImage plain = [&] {
        CAppletParameters q;
        MakeFlatMenu(q);
        q.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Home");
        return renderer.RenderImage(q);
    }();
    QVERIFY(WriteFileBytes(dir.filePath("broken.gif"), "not an image"));
    p.m_appBKImagePath = dir.filePath("nothing.png");
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Home");
    for (const QString &path : {dir.filePath("none.png"), dir.filePath("broken.gif"), QString()}) {
        p.m_pMainMenu->GetItem(0)->m_strImage = path;
        QCOMPARE(renderer.RenderImage(p), plain);
    }
}

void TestMenuRenderer::absurdValuesDrawNothingWrong()
{
    // Values a hand-edited file can hold: nothing overflows, nothing is drawn
    // outside the area, and an area too large for a picture gives none.
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_mmWidth = -5; // no room for items: only the applet colour is drawn
    QImage image = CMenuRenderer().RenderImage(p);
    QVERIFY(!image.isNull());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(Pixel(image, x, y), Rgb(kApplet));
    MakeFlatMenu(p);
    p.m_xPos = -70;
    p.m_mmBorderThick = 1000;
    p.m_miItemFillStyle1 = 42;
    p.m_miItemBorderStyle1 = 7;
    p.m_miAlign1 = 99;
    p.m_miFontName1 = -1;
    p.m_mmBKStyle = 9;
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Home");
    image = CMenuRenderer().RenderImage(p);
    QCOMPARE(image.size(), QSize(10, 102));
    // Too large for a picture.
    p.m_xPos = 5000;
    p.m_mmWidth = 3000;
    p.m_mmMenuAlign = 1;
    QVERIFY(CMenuLayout(p).AppletRect().width() > CMenuRenderer::kMaxImageSide);
    QVERIFY(CMenuRenderer().RenderImage(p).isNull());
    // Near the ends of the number range: laid out, hit-tested and drawn
    // scaled without overflowing.
    p.m_xPos = 2147483000;
    p.m_yPos = -2147483000;
    p.m_mmWidth = 2147483000;
    p.m_mmItemGap = 2147483000;
    p.m_smHeight = 2147483000;
    p.m_pMainMenu->GetSubMenu(3);
    const CMenuLayout layout(p);
    QVERIFY(layout.HitTest(QPoint(2147483000, 15), 3) == CItemRef{});
    QImage small(50, 50, QImage::Format_RGB32);
    small.fill(Qt::black);
    QPainter painter(&small);
    painter.scale(1e-6, 1e-6);
    CMenuRenderer().Draw(painter, p, CRenderState{{3, 1}, {}, 3, {}});
}

void TestMenuRenderer::currentItemLooks_data()
{
    QTest::addColumn<CItemRef>("current"); // the item linking to the page shown
    QTest::addColumn<CItemRef>("hover");
    QTest::addColumn<CItemRef>("keys");
    QTest::addColumn<CItemRef>("item");
    QTest::addColumn<int>("state");
    const CItemRef none, main0{0, -1}, main1{1, -1}, sub10{1, 0}, sub11{1, 1};
    QTest::newRow("the page's main item") << main0 << none << none << main0 << 3;
    QTest::newRow("another main item") << main0 << none << none << main1 << 1;
    QTest::newRow("the page's sub item") << sub11 << none << none << sub11 << 3;
    QTest::newRow("its owner: the current section") << sub11 << none << none << main1 << 3;
    QTest::newRow("its sibling") << sub11 << none << none << sub10 << 1;
    QTest::newRow("another owner") << sub11 << none << none << main0 << 1;
    QTest::newRow("the pointer over the section") << sub11 << main1 << none << main1 << 2;
    QTest::newRow("the keys in the section") << sub11 << none << sub10 << main1 << 2;
    QTest::newRow("no page") << none << none << none << main1 << 1;
}

// You are here: the page's item and the main item owning it rest in their
// Mouse Click look; the pointer and the keyboard still show theirs.
void TestMenuRenderer::currentItemLooks()
{
    QFETCH(CItemRef, current);
    QFETCH(CItemRef, hover);
    QFETCH(CItemRef, keys);
    QFETCH(CItemRef, item);
    QFETCH(int, state);
    CRenderState s;
    if (current.IsValid())
        s.current = {current};
    s.hover = hover;
    s.keys = keys;
    QCOMPARE(s.ItemState(item), state);
}

// Rounded items: the corner pixel shows what lies under the item, the edge
// a radius in from it the item; in every state, main items and sub items.
void TestMenuRenderer::itemCorners_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("border"); // border thickness of the menu
    QTest::newRow("main, Normal, 8") << false << 1 << 8 << 0;
    QTest::newRow("main, Mouse Move, 4, bordered") << false << 2 << 4 << 2;
    QTest::newRow("sub, Mouse Click, 6") << true << 3 << 6 << 0;
    QTest::newRow("sub, Normal, 16 on 24 px: half the height") << true << 1 << 16 << 1;
    QTest::newRow("square") << false << 1 << 0 << 0;
}

void TestMenuRenderer::itemCorners()
{
    QFETCH(bool, sub);
    QFETCH(int, state);
    QFETCH(int, radius);
    QFETCH(int, border);
    CAppletParameters p;
    MakeTodaysMenu(p);
    *MenuStyleFields(p, sub).pItemRadius = radius;
    *MenuStyleFields(p, sub).pBorderThick = border;
    const CItemRef item = sub ? CItemRef{1, 1} : CItemRef{2, -1};
    CRenderState rs;
    rs.nOpenSubMenu = 1;
    if (state == 2)
        rs.hover = item;
    if (state == 3)
        rs.pressed = item;
    const CMenuLayout layout(p);
    const QRect r = layout.ItemRect(item);
    const QRect origin = layout.DrawingRect(1);
    const QImage image = CMenuRenderer().RenderImage(p, rs);
    // What lies under the item: the same picture with the item left out.
    CAppletParameters without;
    without.CopyFrom(p);
    *MenuStyleFields(without, sub).pBorderThick = 0;
    for (int st = 1; st <= 3; ++st)
        *ItemStyleFields(without, sub, st).pFillStyle = 0;
    (sub ? without.m_pMainMenu->GetSubMenu(1)->GetItem(1) : without.m_pMainMenu->GetItem(2))->m_strLabel.clear();
    const QImage under = CMenuRenderer().RenderImage(without, rs);
    auto at = [&](const QImage &picture, int x, int y) { return Pixel(picture, x - origin.left(), y - origin.top()); };
    const QColor fill = Rgb(sub ? kSub[state] : kMain[state]);
    const QColor corner = at(image, r.left(), r.top());
    if (radius == 0) {
        QCOMPARE(corner, border ? Rgb(0xffffff) : fill);
        return;
    }
    QVERIFY2(Near(corner, at(under, r.left(), r.top()), 2), qPrintable(Describe(corner)));
    QVERIFY2(Near(at(image, r.right(), r.bottom()), at(under, r.right(), r.bottom()), 2),
             qPrintable(Describe(at(image, r.right(), r.bottom()))));
    QVERIFY(!Near(at(under, r.left(), r.top()), fill, 2));
    const int rad = std::min(radius, r.height() / 2);
    QCOMPARE(at(image, r.left() + rad, r.top() + border + 1), fill);
    QCOMPARE(at(image, r.left() + border + 1, r.top() + rad + 1), fill);
    if (border)
        QCOMPARE(at(image, r.left() + rad + 2, r.top()), Rgb(0xffffff)); // plain border in the text colour
}

// The menu's box is rounded where it is filled and where it is framed.
void TestMenuRenderer::panelCorners_data()
{
    QTest::addColumn<int>("bkStyle");
    QTest::newRow("filled") << 2;
    QTest::newRow("framed") << 1;
    QTest::newRow("filled and framed") << 3;
}

void TestMenuRenderer::panelCorners()
{
    QFETCH(int, bkStyle);
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_mmBKStyle = bkStyle;
    p.m_mmItemGap = 10;
    for (int state = 1; state <= 3; ++state)
        *ItemStyleFields(p, false, state).pFillStyle = 0; // the box shows through
    const QRect box = CMenuLayout(p).MainMenuRect();
    const QImage square = CMenuRenderer().RenderImage(p);
    p.m_mmPanelRadius = 10;
    const QImage round = CMenuRenderer().RenderImage(p);
    // Square, the box reaches its corner; rounded, the applet shows there.
    QVERIFY(!Near(Pixel(square, box.left(), box.top()), Rgb(kApplet), 2));
    QVERIFY(Near(Pixel(round, box.left(), box.top()), Rgb(kApplet), 2));
    QVERIFY(Near(Pixel(round, box.right(), box.bottom()), Rgb(kApplet), 2));
    // Away from the corners the box is drawn as before: filled in the gaps,
    // framed on its edges.
    const QPoint gap(box.center().x(), box.top() + 28 + 5);
    QCOMPARE(Pixel(round, gap.x(), gap.y()), Pixel(square, gap.x(), gap.y()));
    QCOMPARE(Pixel(round, box.center().x(), box.top()), Pixel(square, box.center().x(), box.top()));
    QCOMPARE(Pixel(round, box.left(), box.center().y()), Pixel(square, box.left(), box.center().y()));
}

// A shadow darkens the page below and beside a menu's box, never inside
// it; strong more than soft. The picture grows to show it.
void TestMenuRenderer::shadows_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("horizontal");
    QTest::newRow("sub menus, vertical main menu") << true << 0;
    QTest::newRow("sub menus, horizontal main menu") << true << 1;
    QTest::newRow("main menu") << false << 1;
}

void TestMenuRenderer::shadows()
{
    QFETCH(bool, sub);
    QFETCH(int, horizontal);
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_mmMenuAlign = horizontal;
    CRenderState rs;
    rs.nOpenSubMenu = 1;
    int darkness[3] = {};
    QImage pictures[3];
    QRect areas[3];
    for (int shadow = 0; shadow <= 2; ++shadow) {
        *MenuStyleFields(p, sub).pShadow = shadow;
        const CMenuLayout layout(p);
        const QRect box = sub ? layout.SubMenuRect(1) : layout.MainMenuRect();
        areas[shadow] = layout.DrawingRect(1);
        pictures[shadow] = CMenuRenderer().RenderImage(p, rs);
        QCOMPARE(pictures[shadow].size(), areas[shadow].size());
        // Below the box, a few pixels down (white page where the picture
        // does not reach).
        const QPoint below(box.center().x(), box.bottom() + 4);
        darkness[shadow] = areas[shadow].contains(below)
                               ? Luminance(pictures[shadow].pixelColor(below - areas[shadow].topLeft()))
                               : 255;
        if (shadow)
            QVERIFY(areas[shadow].contains(layout.ShadowRect(sub ? 1 : -1) & layout.Extent()));
        // Inside the box: the item, untouched.
        const QPoint inside = QPoint(box.left() + 1, box.bottom() - 1) - areas[shadow].topLeft();
        QCOMPARE(pictures[shadow].pixelColor(inside), Rgb(sub ? kSub[1] : kMain[1]));
    }
    QVERIFY2(darkness[1] < darkness[0] && darkness[2] < darkness[1],
             qPrintable(QStringLiteral("%1 %2 %3").arg(darkness[0]).arg(darkness[1]).arg(darkness[2])));
    QVERIFY(areas[2].contains(areas[0]) && areas[2] != areas[0]);
    // Closed, the sub menus' shadow is not drawn.
    if (sub)
        QCOMPARE(CMenuRenderer().RenderImage(p).size(), CMenuRenderer().RenderImage(p, CRenderState()).size());
}

// The label lies the label room in from the border: 2 pixels in a classic
// look.
void TestMenuRenderer::labelRoom_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("border");
    QTest::addColumn<int>("room");
    QTest::newRow("classic") << 0 << 0 << 2;
    QTest::newRow("10") << 10 << 0 << 10;
    QTest::newRow("24, bordered") << 24 << 3 << 24;
    QTest::newRow("beyond 24") << 60 << 0 << 24;
}

void TestMenuRenderer::labelRoom()
{
    QFETCH(int, stored);
    QFETCH(int, border);
    QFETCH(int, room);
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_mmBorderThick = border;
    p.m_miFRColor1 = 0xffffff;
    p.m_miBKColor1 = 0x000000;
    const QRect r = CMenuLayout(p).ItemRect({0, -1}).adjusted(border, border, -border, -border);
    // How far the label's ink lies from the border at its side (its glyph's
    // own bearing included), left and right aligned.
    auto distances = [&](const CAppletParameters &q) {
        CAppletParameters right;
        right.CopyFrom(q);
        right.m_miAlign1 = 2;
        const QList<int> left = InkColumns(CMenuRenderer().RenderImage(q), r, Qt::white);
        const QList<int> end = InkColumns(CMenuRenderer().RenderImage(right), r, Qt::white);
        return (left.isEmpty() || end.isEmpty()) ? QPoint(-1, -1)
                                                 : QPoint(left.first() - r.left(), r.right() - end.last());
    };
    const QPoint classic = distances(p);
    QVERIFY(classic.x() >= 2 && classic.y() >= 2);
    p.m_mmLabelInset = stored;
    QCOMPARE(distances(p), classic + QPoint(room - 2, room - 2));
}

// Items that open a sub menu carry an arrow in their text colour at the
// right end of their room: pointing down in a horizontal main menu, right
// in a vertical one; the label's room ends before it.
void TestMenuRenderer::arrows_data()
{
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("open");
    QTest::newRow("vertical, Normal") << 0 << 1 << false;
    QTest::newRow("horizontal, Normal") << 1 << 1 << false;
    QTest::newRow("vertical, Mouse Move, open") << 0 << 2 << true;
    QTest::newRow("horizontal, Mouse Click, open") << 1 << 3 << true;
}

void TestMenuRenderer::arrows()
{
    QFETCH(int, horizontal);
    QFETCH(int, state);
    QFETCH(bool, open);
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_mmMenuAlign = horizontal;
    p.m_mmArrows = 1;
    p.m_mmLabelInset = 6;
    const int text[4] = {0, 0xffffff, 0x00ffff, 0xff00ff};
    for (int st = 1; st <= 3; ++st) {
        *ItemStyleFields(p, false, st).pFRColor = text[st];
        *ItemStyleFields(p, false, st).pAlign = 2; // labels to the right, up to the arrow
    }
    CRenderState rs;
    if (open)
        rs.nOpenSubMenu = 1;
    if (state == 2)
        rs.hover = {1, -1};
    if (state == 3)
        rs.pressed = {1, -1};
    const CMenuLayout layout(p);
    const QPoint origin = layout.DrawingRect(rs.nOpenSubMenu).topLeft();
    const QImage image = CMenuRenderer().RenderImage(p, rs).copy(QRect(-origin, layout.Extent().size()));
    const QRect r = layout.ItemRect({1, -1});
    const QFont font = CMenuRenderer::ItemFont(p, false, state);
    const QSize size = CMenuRenderer::ArrowSize(font.pixelSize(), horizontal == 1);
    QCOMPARE(size.width() > size.height(), horizontal == 1);
    // The arrow's box, at the right end of the room, centred.
    const QRect arrow(r.right() - 6 - size.width() + 1, r.top() + (r.height() - size.height()) / 2, size.width(),
                      size.height());
    const QColor ink = Rgb(text[state]);
    int inked = 0;
    for (int y = arrow.top(); y <= arrow.bottom(); ++y)
        for (int x = arrow.left(); x <= arrow.right(); ++x)
            inked += Near(Pixel(image, x, y), ink, 40);
    QVERIFY2(inked * 4 >= size.width() * size.height(), qPrintable(QString::number(inked)));
    QCOMPARE(PixelsOtherThan(image, arrow.adjusted(-1, -2, 1, 2).intersected(QRect(arrow.left() - 1, arrow.top() - 2,
                                                                                     1, arrow.height() + 4)),
                             Rgb(state == 1 ? kMain[1] : kMain[state])),
             0);
    // The label ends before the arrow, with room between.
    const QList<int> label = InkColumns(image, r.adjusted(0, 0, -(6 + size.width()), 0), ink);
    QVERIFY(!label.isEmpty());
    QVERIFY2(label.last() <= arrow.left() - CMenuRenderer::kArrowGap, qPrintable(QString::number(label.last())));
    // An item without a sub menu has none.
    p.m_pMainMenu->GetItem(0)->m_strLabel.clear();
    const QImage unlabelled = CMenuRenderer().RenderImage(p, rs).copy(QRect(-origin, layout.Extent().size()));
    const QRect plain = layout.ItemRect({0, -1});
    const QRect none(plain.right() - 6 - size.width() + 1, arrow.top() - r.top() + plain.top(), size.width(),
                     size.height());
    QCOMPARE(PixelsOtherThan(unlabelled, none, Rgb(kMain[1])), 0);
}

// Today's type: any size of 9 to 72 pixels, System UI and the page's font
// from the System UI families, Medium and Semibold as the face a browser
// takes.
void TestMenuRenderer::todaysType_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::newRow("System UI 15") << 1 << 15 << 0 << false;
    QTest::newRow("page's font 40") << 2 << 40 << 0 << false;
    QTest::newRow("Helvetica 9 Medium") << 0 << 9 << 500 << false;
    QTest::newRow("System UI 72 Semibold italic") << 1 << 72 << 600 << true;
    QTest::newRow("Helvetica 21 Bold") << 0 << 21 << 700 << false;
}

void TestMenuRenderer::todaysType()
{
    QFETCH(int, family);
    QFETCH(int, px);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_miFontName1 = 1;
    p.m_miFontFamily1 = family;
    p.m_miFontPx1 = px;
    p.m_miFontWeight1 = weight;
    p.m_miFontItalic1 = italic;
    const QFont font = CMenuRenderer::ItemFont(p, false, 1);
    QCOMPARE(font.pixelSize(), px);
    QCOMPARE(font.italic(), italic);
    const CFontFamilies &families = family ? SystemUiFamilies() : FontFamilies(1);
    const QString installed = FirstInstalledFamily(families);
    if (installed.isEmpty())
        QSKIP("none of the families is installed");
    const QFontInfo info(font);
    QCOMPARE(info.family(), installed);
    const int wanted = weight ? weight : 400;
    QCOMPARE(font.weight(), NearestFaceWeight(installed, wanted, italic));
    // Drawn: a taller label for a larger size, more ink for a heavier face.
    p.m_mmHeight = 110;
    p.m_mmWidth = 700;
    p.m_miBKColor1 = 0;
    p.m_miFRColor1 = 0xffffff;
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Wide Hall");
    const QRect r = CMenuLayout(p).ItemRect({0, -1});
    auto inkOf = [&](const CAppletParameters &q) { return PixelsOtherThan(CMenuRenderer().RenderImage(q), r, Qt::black, 60); };
    const int ink = inkOf(p);
    p.m_miFontPx1 = px < 72 ? px + 6 : px - 6;
    QCOMPARE(inkOf(p) > ink, px < 72);
    p.m_miFontPx1 = px;
    if (font.weight() >= 600) {
        p.m_miFontWeight1 = 400;
        QVERIFY(inkOf(p) < ink);
    }
}

// A page for the applet alone shows the applet's values: today's look
// changes nothing of its picture but the nearest font the applet is given.
void TestMenuRenderer::appletPageDrawsTheAppletsLook()
{
    CAppletParameters p;
    MakeTodaysMenu(p);
    p.m_ModernPage = 0;
    CRenderState rs;
    rs.nOpenSubMenu = 1;
    const QImage before = CMenuRenderer().RenderImage(p, rs);
    for (bool sub : {false, true}) {
        const CMenuStyle m = MenuStyleFields(p, sub);
        *m.pItemRadius = 8;
        *m.pPanelRadius = 8;
        *m.pShadow = 2;
        *m.pLabelInset = 20;
        *m.pArrows = 1;
        for (int state = 1; state <= 3; ++state)
            *ItemStyleFields(p, sub, state).pFontWeight = 500; // Regular to the applet
    }
    QCOMPARE(CMenuRenderer().RenderImage(p, rs), before);
    p.m_ModernPage = 1;
    QVERIFY(CMenuRenderer().RenderImage(p, rs) != before);
}

QTEST_MAIN(TestMenuRenderer)
#include "tst_menurenderer.moc"
