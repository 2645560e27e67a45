#include "wizard/preview/WindowPlacement.h"

#include <QtTest>

// Where the live preview opens beside the wizard.
class TestWindowPlacement : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
};

void TestWindowPlacement::placement_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::addColumn<QRect>("wizard");
    QTest::addColumn<QSize>("preview");
    QTest::addColumn<QPoint>("at");

    const QRect full(0, 0, 1920, 1080);
    QTest::newRow("room on the right") << full << QRect(100, 100, 800, 600) << QSize(400, 300) << QPoint(908, 100);
    QTest::newRow("room on the left only") << full << QRect(1000, 100, 800, 600) << QSize(400, 300)
                                           << QPoint(592, 100);
    // A wide menu beside a wide wizard: below it, where the screen is free.
    QTest::newRow("room below only") << full << QRect(300, 50, 1400, 600) << QSize(700, 300) << QPoint(300, 658);
    QTest::newRow("room above only") << full << QRect(300, 480, 1400, 560) << QSize(700, 300) << QPoint(300, 172);
    QTest::newRow("beside, raised to stay on the screen")
        << full << QRect(100, 700, 800, 300) << QSize(400, 500) << QPoint(908, 580);
    QTest::newRow("below, moved left to stay on the screen")
        << full << QRect(1500, 50, 400, 600) << QSize(1500, 300) << QPoint(420, 658);
    QTest::newRow("room only without the gap")
        << QRect(0, 0, 1024, 768) << QRect(0, 0, 700, 500) << QSize(324, 300) << QPoint(700, 0);
    // No room anywhere: the bottom right corner covers least of the wizard.
    QTest::newRow("covers least") << QRect(0, 0, 1024, 768) << QRect(100, 100, 800, 560) << QSize(400, 300)
                                  << QPoint(624, 468);
    QTest::newRow("covers least: the free side that is widest")
        << QRect(0, 0, 1024, 768) << QRect(0, 0, 900, 700) << QSize(300, 300) << QPoint(724, 468);
    QTest::newRow("larger than the screen") << QRect(0, 0, 800, 600) << QRect(0, 0, 400, 300) << QSize(1000, 700)
                                            << QPoint(0, 0);
    QTest::newRow("a second screen") << QRect(1920, 0, 1280, 1024) << QRect(2000, 100, 600, 400) << QSize(300, 200)
                                     << QPoint(2608, 100);
    QTest::newRow("wizard partly off the screen")
        << full << QRect(-300, 200, 800, 600) << QSize(400, 300) << QPoint(508, 200);
}

void TestWindowPlacement::placement()
{
    QFETCH(QRect, screen);
    QFETCH(QRect, wizard);
    QFETCH(QSize, preview);
    QFETCH(QPoint, at);
    const QPoint placed = PlaceBeside(screen, wizard, preview);
    QCOMPARE(placed, at);
    // Always on the screen as far as it fits.
    const QRect window(placed, preview);
    if (preview.width() <= screen.width() && preview.height() <= screen.height())
        QVERIFY(screen.contains(window));
}

QTEST_APPLESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
