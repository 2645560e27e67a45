#include "MenuFixture.h"
#include "model/config/AppletParameters.h"
#include "render/MenuRenderer.h"
#include "render/SmallMenuLayout.h"

#include <QtTest>

#include <functional>

// The small-screen form's rows: the Menu button, the main items under it
// once shown (a disclosure square beside an item with a sub menu), and the
// opened item's sub items, indented.
class TestSmallMenuLayout : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void shownWhereThePageIsNarrowerThanTheBox_data();
    void shownWhereThePageIsNarrowerThanTheBox();
};

using ERow = CSmallMenuLayout::ERow;
Q_DECLARE_METATYPE(ERow)

void TestSmallMenuLayout::rows_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("mainHeight");
    QTest::addColumn<int>("row");      // index into the rows
    QTest::addColumn<ERow>("kind");
    QTest::addColumn<int>("nMain");
    QTest::addColumn<int>("nSub");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("height");   // of the whole form

    // The flat menu: four main items, a sub menu of four under item 1; a
    // form 300 wide. Rows are 44 high where the items are lower.
    QTest::newRow("closed: the button alone") << false << -1 << 20 << 0 << ERow::Toggle << -1 << -1
                                              << QRect(0, 0, 300, 44) << 44;
    QTest::newRow("shown: first item across") << true << -1 << 20 << 1 << ERow::Item << 0 << -1
                                              << QRect(0, 44, 300, 44) << 5 * 44;
    QTest::newRow("shown: an owner leaves a square") << true << -1 << 20 << 2 << ERow::Item << 1 << -1
                                                     << QRect(0, 88, 256, 44) << 5 * 44;
    QTest::newRow("shown: the disclosure square") << true << -1 << 20 << 3 << ERow::Disclosure << 1 << -1
                                                  << QRect(256, 88, 44, 44) << 5 * 44;
    QTest::newRow("section: first sub item indented") << true << 1 << 20 << 4 << ERow::SubItem << 1 << 0
                                                      << QRect(16, 132, 284, 44) << 9 * 44;
    QTest::newRow("section: the next main item below") << true << 1 << 20 << 8 << ERow::Item << 2 << -1
                                                       << QRect(0, 308, 300, 44) << 9 * 44;
    QTest::newRow("no sub menu: no section") << true << 0 << 20 << 2 << ERow::Item << 1 << -1
                                             << QRect(0, 88, 256, 44) << 5 * 44;
    QTest::newRow("items higher than a target") << true << -1 << 50 << 3 << ERow::Disclosure << 1 << -1
                                                << QRect(250, 100, 50, 50) << 5 * 50;
}

void TestSmallMenuLayout::rows()
{
    QFETCH(bool, shown);
    QFETCH(int, section);
    QFETCH(int, mainHeight);
    QFETCH(int, row);
    QFETCH(ERow, kind);
    QFETCH(int, nMain);
    QFETCH(int, nSub);
    QFETCH(QRect, rect);
    QFETCH(int, height);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_pMainMenu->GetSubMenu(1);
    p.m_mmHeight = mainHeight;
    const CSmallMenuLayout layout(p, 300, shown, section);
    QCOMPARE(layout.Rect(), QRect(0, 0, 300, height));
    QVERIFY(row < int(layout.Rows().size()));
    const CSmallMenuLayout::CRow &r = layout.Rows()[size_t(row)];
    QCOMPARE(r.kind, kind);
    QCOMPARE(r.nMain, nMain);
    QCOMPARE(r.nSub, nSub);
    QCOMPARE(r.rect, rect);
    QCOMPARE(layout.RowAt(rect.center()), &r);
    QCOMPARE(layout.Section(), section == 1 ? 1 : -1);
}

using Edit = std::function<void(CAppletParameters &)>;
Q_DECLARE_METATYPE(Edit)

void TestSmallMenuLayout::shownWhereThePageIsNarrowerThanTheBox_data()
{
    QTest::addColumn<bool>("modern");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("small");
    // The flat menu across: 4 x 80 + 3 x 4 at (10, 10), a box 352 wide, on
    // a page whose body has 8 px margins; down: a box 100 wide. Its items
    // are 20 px high with 12 px labels; made fit for a finger, 44 px high
    // with 16 px labels.
    const Edit none = [](CAppletParameters &) {};
    const Edit fingers = [](CAppletParameters &p) {
        p.m_mmHeight = 44;
        p.m_smWidth = p.m_smHeight = 44;
        for (bool sub : {false, true})
            for (int state = 1; state <= 3; ++state)
                *ItemStyleFields(p, sub, state).pFontSize = 3; // 16 px
    };
    const auto then = [fingers](const Edit &more) {
        return Edit([fingers, more](CAppletParameters &p) {
            fingers(p);
            more(p);
        });
    };
    QTest::newRow("narrower") << true << 1 << 367 << fingers << true;
    QTest::newRow("as wide") << true << 1 << 368 << fingers << false;
    QTest::newRow("down: 100 wide") << true << 0 << 115 << fingers << true;
    QTest::newRow("down, room enough") << true << 0 << 116 << fingers << false;
    QTest::newRow("classic page: never") << false << 1 << 100 << none << false;
    // Where the menu fits a phone's page, small items or labels take the
    // form there, and only there.
    QTest::newRow("small items, phone") << true << 0 << 360 << none << true;
    QTest::newRow("small items, widest phone") << true << 0 << 599 << none << true;
    QTest::newRow("small items, no phone") << true << 0 << 600 << none << false;
    QTest::newRow("fit for a finger, phone") << true << 0 << 360 << fingers << false;
    QTest::newRow("items 43 high") << true << 0 << 412 << then([](CAppletParameters &p) { p.m_mmHeight = 43; })
                                   << true;
    QTest::newRow("items 43 wide") << true << 0 << 412 << then([](CAppletParameters &p) { p.m_mmWidth = 43; })
                                   << true;
    QTest::newRow("a 14 px label on Mouse Move")
        << true << 0 << 412 << then([](CAppletParameters &p) { p.m_miFontSize2 = 2; }) << true;
    QTest::newRow("sub items 43 high")
        << true << 0 << 412 << then([](CAppletParameters &p) {
               p.m_pMainMenu->GetSubMenu(1);
               p.m_smHeight = 43;
           }) << true;
    QTest::newRow("a 12 px sub label")
        << true << 0 << 412 << then([](CAppletParameters &p) {
               p.m_pMainMenu->GetSubMenu(1);
               p.m_siFontSize3 = 1;
           }) << true;
    QTest::newRow("no sub menu: its values do not count")
        << true << 0 << 412 << then([](CAppletParameters &p) {
               p.m_smHeight = 10;
               p.m_siFontSize1 = 0;
           }) << false;
    QTest::newRow("classic page, small items: never") << false << 0 << 360 << none << false;
}

void TestSmallMenuLayout::shownWhereThePageIsNarrowerThanTheBox()
{
    QFETCH(bool, modern);
    QFETCH(int, align);
    QFETCH(int, pageWidth);
    QFETCH(Edit, edit);
    QFETCH(bool, small);
    CAppletParameters p;
    MakeFlatMenu(p);
    p.m_ModernPage = modern;
    p.m_mmMenuAlign = align;
    edit(p);
    QCOMPARE(CMenuLayout::NeedsSmallForm(p, pageWidth), small);
}

QTEST_MAIN(TestSmallMenuLayout)
#include "tst_smallmenulayout.moc"
