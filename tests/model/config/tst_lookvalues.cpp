#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"

#include <QtTest>

// Today's look beside the applet's values: a font set through the model is
// kept as the applet's own where the applet can show it, the applet is given
// the nearest it holds, and the stored values draw what was set.
class TestLookValues : public QObject {
    Q_OBJECT
private slots:
    void fontStoredAsTheAppletsWherePossible_data();
    void fontStoredAsTheAppletsWherePossible();
    void nearestClassicSize_data();
    void nearestClassicSize();
    void storedValuesDrawnWithinTheirRanges_data();
    void storedValuesDrawnWithinTheirRanges();
    void appletPagesShowTheAppletsValuesOnly();
};

namespace {

// The seven font values of a look: the applet's name, size and style, then
// today's family, weight, italic and size.
QList<int> FontFields(const CConstItemStyle &s)
{
    return {*s.pFontName, *s.pFontSize, *s.pFontStyle, *s.pFontFamily, *s.pFontWeight, *s.pFontItalic, *s.pFontPx};
}

} // namespace

void TestLookValues::fontStoredAsTheAppletsWherePossible_data()
{
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<QList<int>>("stored"); // as FontFields
    using L = QList<int>;
    QTest::newRow("Helvetica 12 Regular") << 1 << 12 << 400 << false << L{1, 1, 0, 0, 0, 0, 0};
    QTest::newRow("TimesRoman 72 Bold") << 0 << 72 << 700 << false << L{0, 12, 1, 0, 0, 0, 0};
    QTest::newRow("Courier 9 Italic") << 2 << 9 << 400 << true << L{2, 0, 2, 0, 0, 0, 0};
    QTest::newRow("System UI") << 3 << 16 << 400 << false << L{1, 3, 0, 1, 0, 0, 0};
    QTest::newRow("page's font") << 4 << 16 << 400 << false << L{1, 3, 0, 2, 0, 0, 0};
    QTest::newRow("15 px: the applet 16") << 1 << 15 << 400 << false << L{1, 3, 0, 0, 0, 0, 15};
    QTest::newRow("13 px: between 12 and 14, the larger") << 1 << 13 << 400 << false << L{1, 2, 0, 0, 0, 0, 13};
    QTest::newRow("10 px: 9") << 1 << 10 << 400 << false << L{1, 0, 0, 0, 0, 0, 10};
    QTest::newRow("60 px: 48 and 72, the nearer 72") << 1 << 60 << 400 << false << L{1, 12, 0, 0, 0, 0, 60};
    QTest::newRow("Medium: Plain") << 1 << 12 << 500 << false << L{1, 1, 0, 0, 500, 0, 0};
    QTest::newRow("Medium italic: Italic") << 1 << 12 << 500 << true << L{1, 1, 2, 0, 500, 1, 0};
    QTest::newRow("Semibold: Bold") << 1 << 12 << 600 << false << L{1, 1, 1, 0, 600, 0, 0};
    QTest::newRow("Bold italic: Bold") << 1 << 12 << 700 << true << L{1, 1, 1, 0, 700, 1, 0};
    QTest::newRow("all of today's") << 3 << 17 << 600 << true << L{1, 4, 1, 1, 600, 1, 17};
    QTest::newRow("size beyond 72 kept to 72") << 1 << 90 << 400 << false << L{1, 12, 0, 0, 0, 0, 0};
}

void TestLookValues::fontStoredAsTheAppletsWherePossible()
{
    QFETCH(int, face);
    QFETCH(int, px);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(QList<int>, stored);
    CAppletParameters p;
    p.m_miFontWeight2 = 700; // left over from an earlier choice
    p.m_miFontPx2 = 30;
    const CItemStyle s = ItemStyleFields(p, false, 2);
    CItemFont font;
    font.face = face;
    font.px = px;
    font.weight = weight;
    font.italic = italic;
    SetItemFont(s, font);
    const CConstItemStyle c = ItemStyleFields(std::as_const(p), false, 2);
    QCOMPARE(FontFields(c), stored);
    // Drawn as set (the size within its range).
    font.px = qBound(9, px, 72);
    QCOMPARE(ItemFontOf(c), font);
    // The applet is given the classic values stored.
    const CClassicFont classic = ClassicFontOf(c);
    QCOMPARE((QList<int>{classic.name, classic.size, classic.style}), stored.mid(0, 3));
}

void TestLookValues::nearestClassicSize_data()
{
    QTest::addColumn<int>("px");
    QTest::addColumn<int>("index");
    QTest::newRow("9") << 9 << 0;
    QTest::newRow("11") << 11 << 1;
    QTest::newRow("30") << 30 << 9;
    QTest::newRow("32: between 28 and 36") << 32 << 10;
    QTest::newRow("42: between 36 and 48") << 42 << 11;
    QTest::newRow("72") << 72 << 12;
}

void TestLookValues::nearestClassicSize()
{
    QFETCH(int, px);
    QFETCH(int, index);
    QCOMPARE(NearestClassicSize(px), index);
}

void TestLookValues::storedValuesDrawnWithinTheirRanges_data()
{
    QTest::addColumn<QList<int>>("stored"); // radius, panel radius, shadow, inset, arrows, fade
    QTest::addColumn<QList<int>>("drawn");
    using L = QList<int>;
    QTest::newRow("classic") << L{0, 0, 0, 0, 0, 0} << L{0, 0, 0, 2, 0, 0};
    QTest::newRow("set") << L{6, 12, 2, 14, 1, 1} << L{6, 12, 2, 14, 1, 1};
    QTest::newRow("beyond the ranges") << L{99, -4, 7, 80, 5, -1} << L{16, 0, 0, 24, 1, 1};
    QTest::newRow("inset under 2") << L{0, 0, 0, 1, 0, 0} << L{0, 0, 0, 2, 0, 0};
}

void TestLookValues::storedValuesDrawnWithinTheirRanges()
{
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, drawn);
    CAppletParameters p;
    const CMenuStyle m = MenuStyleFields(p, true);
    int *fields[] = {m.pItemRadius, m.pPanelRadius, m.pShadow, m.pLabelInset, m.pArrows, m.pFadeIn};
    for (int i = 0; i < 6; ++i)
        *fields[i] = stored[i];
    const CMenuLook look = MenuLookOf(MenuStyleFields(std::as_const(p), true));
    QCOMPARE((QList<int>{look.itemRadius, look.panelRadius, look.shadow, look.labelInset, int(look.arrows),
                         int(look.fadeIn)}),
             drawn);
    QCOMPARE(look.IsClassic(), drawn == (QList<int>{0, 0, 0, 2, 0, 0}));
    QVERIFY(MenuLookOf(MenuStyleFields(std::as_const(p), false)).IsClassic());
}

void TestLookValues::appletPagesShowTheAppletsValuesOnly()
{
    CAppletParameters p;
    p.m_siFontSize3 = 2;
    p.m_siFontFamily3 = 1;
    p.m_siFontPx3 = 15;
    p.m_siFontWeight3 = 600;
    p.m_smItemRadius = 8;
    // An applet page: the applet's font for a look of today (System UI is
    // Helvetica, 15 px is 16, Semibold is Bold), no corners.
    CItemFont applet;
    applet.face = 1;
    applet.px = 16;
    applet.weight = 700;
    QCOMPARE(ShownItemFont(p, true, 3), applet);
    QVERIFY(ShownMenuLook(p, true).IsClassic());
    p.m_ModernPage = 1;
    CItemFont today;
    today.face = 3;
    today.px = 15;
    today.weight = 600;
    QCOMPARE(ShownItemFont(p, true, 3), today);
    QCOMPARE(ShownMenuLook(p, true).itemRadius, 8);
}

QTEST_APPLESS_MAIN(TestLookValues)
#include "tst_lookvalues.moc"
