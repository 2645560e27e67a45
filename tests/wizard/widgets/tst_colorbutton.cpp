#include "TestApp.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/controls/PageControls.h"

#include <QImage>
#include <QLabel>
#include <QtTest>

// The swatch's drawing and its colour chooser.
class TestColorButton : public QObject {
    Q_OBJECT
private slots:
    void drawsFillAndFrame_data();
    void drawsFillAndFrame();
    void disabledDrawsNothing();
    void chooserConfirmsOrCancels();
    void accessibleNameFromBuddy();
};

static QColor At(const QImage &img, int x, int y)
{
    return img.pixelColor(x, y);
}

void TestColorButton::drawsFillAndFrame_data()
{
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QColor>("topLeftEdges");
    QTest::newRow("raised") << false << QColor(Qt::white);
    QTest::newRow("pressed") << true << QColor(Qt::black);
}

void TestColorButton::drawsFillAndFrame()
{
    QFETCH(bool, pressed);
    QFETCH(QColor, topLeftEdges);
    CColorButton button;
    button.resize(60, 30);
    button.SetColor(0x0080FF); // red 255, green 128, blue 0
    button.setDown(pressed);
    const QImage img = button.grab().toImage();
    QCOMPARE(img.size(), QSize(60, 30));

    // The colour fills the rectangle inset by 5 pixels.
    const QColor fill(255, 128, 0);
    QCOMPARE(At(img, 30, 15), fill);
    QCOMPARE(At(img, 6, 6), fill);
    QCOMPARE(At(img, 53, 23), fill);
    // Between the frame and the fill lies neither.
    QVERIFY(At(img, 3, 15) != fill);
    QVERIFY(At(img, 56, 15) != fill);

    // A 2-pixel frame on the outer edges.
    for (int i : {0, 1}) {
        QCOMPARE(At(img, 30, i), topLeftEdges);      // top
        QCOMPARE(At(img, i, 15), topLeftEdges);      // left
        QCOMPARE(At(img, 59 - i, 15), QColor(Qt::black)); // right
        QCOMPARE(At(img, 30, 29 - i), QColor(Qt::black)); // bottom
    }
    QVERIFY(At(img, 30, 2) != topLeftEdges);
    QVERIFY(At(img, 57, 15) != QColor(Qt::black));
}

void TestColorButton::disabledDrawsNothing()
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(10, 20, 30));
    parent.setPalette(pal);
    parent.resize(60, 30);
    auto *button = new CColorButton(&parent);
    button->setGeometry(0, 0, 60, 30);
    button->SetColor(0x0000FF);
    button->setEnabled(false);
    const QImage img = parent.grab().toImage();
    for (const QPoint p : {QPoint(30, 15), QPoint(0, 0), QPoint(59, 29), QPoint(30, 0)})
        QCOMPARE(At(img, p.x(), p.y()), QColor(10, 20, 30));
}

void TestColorButton::chooserConfirmsOrCancels()
{
    CTestApp t;
    CColorButton button(*t.ui);
    QSignalSpy chosen(&button, &CColorButton::ColorChosen);
    button.SetColor(0x123456);

    t.ui->colorAnswers = {-1};
    QVERIFY(!button.ChooseColor(nullptr));
    QCOMPARE(button.Color(), 0x123456);
    QCOMPARE(chosen.count(), 0);

    t.ui->colorAnswers = {0xABCDEF};
    QVERIFY(button.ChooseColor(nullptr));
    QCOMPARE(button.Color(), 0xABCDEF);
    QCOMPARE(chosen.count(), 1);
    // Each time the chooser opened on the swatch's colour.
    QCOMPARE(t.ui->colorRequests, (QList<int>{0x123456, 0x123456}));
}

void TestColorButton::accessibleNameFromBuddy()
{
    QWidget page;
    auto *label = new QLabel(QStringLiteral("&Background Color:"), &page);
    auto *button = new CColorButton(&page);
    SetBuddy(label, button);
    QCOMPARE(label->buddy(), button);
    QCOMPARE(button->accessibleName(), QStringLiteral("Background Color"));
}

QTEST_MAIN(TestColorButton)
#include "tst_colorbutton.moc"
