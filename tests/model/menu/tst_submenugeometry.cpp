#include "model/menu/SubMenuGeometry.h"

#include <QtTest>

class TestSubMenuGeometry : public QObject {
    Q_OBJECT
private slots:
    void opensOverItsItem_data();
    void opensOverItsItem();
    void opensFlushBesideItsItem_data();
    void opensFlushBesideItsItem();
};

void TestSubMenuGeometry::opensOverItsItem_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("index");
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("y");

    // Main menu at (10, 20) throughout.
    QTest::newRow("first item, down") << false << 100 << 20 << 2 << 0 << qint64(60) << qint64(35);
    QTest::newRow("second item, down") << false << 100 << 20 << 2 << 1 << qint64(60) << qint64(57);
    QTest::newRow("fractions dropped") << false << 101 << 23 << 3 << 2 << qint64(60) << qint64(89);
    QTest::newRow("third item, across") << true << 75 << 27 << 5 << 2 << qint64(207) << qint64(40);
    QTest::newRow("no gap, across") << true << 40 << 8 << 0 << 3 << qint64(150) << qint64(26);
    // A hand-edited file may hold negative sizes: the divisions still drop
    // the fraction, towards zero.
    QTest::newRow("negative size") << false << -7 << -5 << 0 << 1 << qint64(7) << qint64(12);
}

void TestSubMenuGeometry::opensOverItsItem()
{
    QFETCH(bool, horizontal);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, gap);
    QFETCH(int, index);
    QFETCH(qint64, x);
    QFETCH(qint64, y);

    CMainMenuGeometry menu;
    menu.x = 10;
    menu.y = 20;
    menu.width = width;
    menu.height = height;
    menu.gap = gap;
    menu.horizontal = horizontal;
    const CMenuPoint origin = menu.SubMenuOrigin(index);
    QCOMPARE(origin.x, x);
    QCOMPARE(origin.y, y);
}

void TestSubMenuGeometry::opensFlushBesideItsItem_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("index");
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("y");
    // Main menu at (10, 20), items 101 x 23, gap 3: below an item across,
    // to the right of an item down, touching it.
    QTest::newRow("first item, down") << false << 0 << qint64(111) << qint64(20);
    QTest::newRow("third item, down") << false << 2 << qint64(111) << qint64(72);
    QTest::newRow("first item, across") << true << 0 << qint64(10) << qint64(43);
    QTest::newRow("third item, across") << true << 2 << qint64(218) << qint64(43);
}

void TestSubMenuGeometry::opensFlushBesideItsItem()
{
    QFETCH(bool, horizontal);
    QFETCH(int, index);
    QFETCH(qint64, x);
    QFETCH(qint64, y);
    CMainMenuGeometry menu;
    menu.x = 10;
    menu.y = 20;
    menu.width = 101;
    menu.height = 23;
    menu.gap = 3;
    menu.horizontal = horizontal;
    menu.flush = true;
    const CMenuPoint origin = menu.SubMenuOrigin(index);
    QCOMPARE(origin.x, x);
    QCOMPARE(origin.y, y);
}

QTEST_APPLESS_MAIN(TestSubMenuGeometry)
#include "tst_submenugeometry.moc"
