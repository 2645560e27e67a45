#include "model/config/AppletParameters.h"
#include "render/Contrast.h"
#include "store/project/TemplateLibrary.h"

#include <QtTest>

// Every shipped template is readable and easy to hit as it comes: its item
// text reaches WCAG AA in every state of main and sub items (at the worst
// point of a shaded fill), and its items are at least 24 CSS px each way,
// the smallest target size WCAG 2.2 AA allows without spacing.

namespace {

const QString kLibrary = QStringLiteral(VANTREL_SOURCE_DIR "/res/Vantrel.qdx");
const char *const kStates[3] = {"Normal", "Mouse Move", "Mouse Click"};
constexpr int kMinTarget = 24;

} // namespace

class TestTemplateContrast : public QObject {
    Q_OBJECT
private slots:
    void textReachesAA_data();
    void textReachesAA();
    void targetsAreLargeEnough_data();
    void targetsAreLargeEnough();
};

void TestTemplateContrast::textReachesAA_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("state");
    const QStringList names = ListTemplates(kLibrary);
    QVERIFY2(names.size() > 1, "the template library was not found");
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names[i].section(QLatin1Char(':'), 0, 0);
        for (bool sub : {false, true})
            for (int state = 1; state <= 3; ++state)
                QTest::addRow("%s, %s items, %s", qPrintable(name), sub ? "sub" : "main", kStates[state - 1])
                    << i << sub << state;
    }
}

void TestTemplateContrast::textReachesAA()
{
    QFETCH(int, index);
    QFETCH(bool, sub);
    QFETCH(int, state);
    CAppletParameters p;
    p.LoadTemplate(index, kLibrary);
    const CTextContrast c = ItemTextContrast(p, sub, state);
    QVERIFY2(c.Passes(), qPrintable(QStringLiteral("%1, needs %2").arg(c.ratio, 0, 'f', 2).arg(c.required)));
}

void TestTemplateContrast::targetsAreLargeEnough_data()
{
    QTest::addColumn<int>("index");
    const QStringList names = ListTemplates(kLibrary);
    QVERIFY2(names.size() > 1, "the template library was not found");
    for (int i = 0; i < names.size(); ++i)
        QTest::addRow("%s", qPrintable(names[i].section(QLatin1Char(':'), 0, 0))) << i;
}

void TestTemplateContrast::targetsAreLargeEnough()
{
    QFETCH(int, index);
    CAppletParameters p;
    p.LoadTemplate(index, kLibrary);
    QCOMPARE_GE(p.m_mmWidth, kMinTarget);
    QCOMPARE_GE(p.m_mmHeight, kMinTarget);
    QCOMPARE_GE(p.m_smWidth, kMinTarget);
    QCOMPARE_GE(p.m_smHeight, kMinTarget);
}

QTEST_APPLESS_MAIN(TestTemplateContrast)
#include "tst_templatecontrast.moc"
