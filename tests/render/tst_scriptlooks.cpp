#include "model/config/LookValues.h"
#include "render/MenuRenderer.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

// The page script draws today's look by the rules the pictures follow: its
// copies of the shadows, the arrow's size and gap, the classic label room
// and the fading say what the program's say.
class TestScriptLooks : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void shadows();
    void arrows_data();
    void arrows();
    void labelRoomAndFading();

private:
    // The text of `const NAME = ...;` in glidebar.js.
    QString Constant(const char *name);
    QString m_script;
};

void TestScriptLooks::initTestCase()
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/res/glidebar.js"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    m_script = QString::fromUtf8(file.readAll());
}

QString TestScriptLooks::Constant(const char *name)
{
    const QRegularExpression re(QStringLiteral(R"(\n  const %1 = ([^;\n]*);)").arg(QLatin1String(name)));
    const QRegularExpressionMatch m = re.match(m_script);
    return m.hasMatch() ? m.captured(1) : QString();
}

void TestScriptLooks::shadows()
{
    QString expected;
    for (const Look::CShadow &s : Look::kShadows)
        expected += QStringLiteral("[%1, %2, %3], ").arg(s.dy).arg(s.blur).arg(s.alpha);
    expected.chop(2);
    QCOMPARE(Constant("SHADOWS"), QLatin1Char('[') + expected + QLatin1Char(']'));
}

void TestScriptLooks::arrows_data()
{
    QTest::addColumn<int>("px");
    for (int px : {9, 12, 13, 16, 20, 24, 37, 72})
        QTest::addRow("%d px", px) << px;
}

// The script's arrow (a = max(least, floor(px * tenths / 10)), 2a by a,
// gap before it) is the pictures' at every size.
void TestScriptLooks::arrows()
{
    QFETCH(int, px);
    static const QRegularExpression rule(QStringLiteral(R"(^\{ tenths: (\d+), least: (\d+), gap: (\d+) \}$)"));
    const QRegularExpressionMatch m = rule.match(Constant("ARROW"));
    QVERIFY2(m.hasMatch(), qPrintable(Constant("ARROW")));
    const int a = std::max(m.captured(2).toInt(), px * m.captured(1).toInt() / 10);
    QCOMPARE(CMenuRenderer::ArrowSize(px, true), QSize(2 * a, a));
    QCOMPARE(CMenuRenderer::ArrowSize(px, false), QSize(a, 2 * a));
    QCOMPARE(m.captured(3).toInt(), CMenuRenderer::kArrowGap);
}

void TestScriptLooks::labelRoomAndFading()
{
    QCOMPARE(Constant("CLASSIC_INSET"), QString::number(Look::kClassicInset));
    // Sub menus fade in within 150 ms.
    bool ok = false;
    const int fade = Constant("FADE_MS").toInt(&ok);
    QVERIFY(ok && fade > 0 && fade <= 150);
}

QTEST_APPLESS_MAIN(TestScriptLooks)
#include "tst_scriptlooks.moc"
