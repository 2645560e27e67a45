#include "model/config/AppletParameters.h"
#include "model/config/LookValues.h"
#include "render/Contrast.h"
#include "render/SmallMenuLayout.h"
#include "store/project/TemplateLibrary.h"

#include <QtTest>

// Every shipped template is readable and easy to hit as it comes: its item
// text reaches WCAG AA in every state of main and sub items (at the worst
// point of a shaded fill), and its items are at least 24 CSS px each way,
// the smallest target size WCAG 2.2 AA allows without spacing.
//
// The templates of today (those with a look beyond the applet's own) go
// further: main items at least 40 px high, every label at least 15 px in a
// face the pictures draw as the page does (not the page's own font), room
// around the label, and an arrow on the items that open a sub menu.

namespace {

const QString kLibrary = QStringLiteral(VANTREL_SOURCE_DIR "/res/Vantrel.qdx");
const char *const kStates[3] = {"Normal", "Mouse Move", "Mouse Click"};
constexpr int kMinTarget = 24;
constexpr int kTodaysMainHeight = 40;
constexpr int kTodaysLeastFont = 15;

bool IsOfToday(const CAppletParameters &p)
{
    return !MenuLookOf(MenuStyleFields(p, false)).IsClassic() || !MenuLookOf(MenuStyleFields(p, true)).IsClassic();
}

// The positions of the templates of today, with their names.
QList<QPair<int, QString>> TodaysTemplates()
{
    QList<QPair<int, QString>> found;
    const QStringList names = ListTemplates(kLibrary);
    for (int i = 0; i < names.size(); ++i) {
        CAppletParameters p;
        p.LoadTemplate(i, kLibrary);
        if (IsOfToday(p))
            found.append({i, names[i].section(QLatin1Char(':'), 0, 0)});
    }
    return found;
}

} // namespace

class TestTemplateContrast : public QObject {
    Q_OBJECT
private slots:
    void textReachesAA_data();
    void textReachesAA();
    void targetsAreLargeEnough_data();
    void targetsAreLargeEnough();
    void smallFormReachesAA_data();
    void smallFormReachesAA();
    void todaysLabels_data();
    void todaysLabels();
    void todaysMenus_data();
    void todaysMenus();
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

// On a phone the menu's items are drawn one per row over the applet's
// background, without the menus' boxes: a transparent item's text must read
// on that background too.
void TestTemplateContrast::smallFormReachesAA_data()
{
    textReachesAA_data();
}

void TestTemplateContrast::smallFormReachesAA()
{
    QFETCH(int, index);
    QFETCH(bool, sub);
    QFETCH(int, state);
    CAppletParameters p;
    p.LoadTemplate(index, kLibrary);
    const CConstItemStyle s = ItemStyleFields(std::as_const(p), sub, state);
    const CItemFont font = ShownItemFont(p, sub, state);
    CContrastLook look;
    look.bkColor = *s.pBKColor;
    look.frColor = *s.pFRColor;
    look.fill = *s.pFillStyle;
    // Labels there are never under the least size of the form.
    look.fontPx = std::max(font.px, CSmallMenuLayout::kLeastFont);
    look.fontWeight = font.weight;
    const CTextContrast c = TextContrast(look, p.m_appBKColor);
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

void TestTemplateContrast::todaysLabels_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("state");
    const QList<QPair<int, QString>> todays = TodaysTemplates();
    QVERIFY2(!todays.isEmpty(), "the library holds no template of today");
    for (const auto &[index, name] : todays)
        for (bool sub : {false, true})
            for (int state = 1; state <= 3; ++state)
                QTest::addRow("%s, %s items, %s", qPrintable(name), sub ? "sub" : "main", kStates[state - 1])
                    << index << sub << state;
}

void TestTemplateContrast::todaysLabels()
{
    QFETCH(int, index);
    QFETCH(bool, sub);
    QFETCH(int, state);
    CAppletParameters p;
    p.LoadTemplate(index, kLibrary);
    const CItemFont font = ShownItemFont(p, sub, state);
    QCOMPARE_GE(font.px, kTodaysLeastFont);
    // System UI or one of the applet's faces: the page's own font would
    // leave the template's type to whatever page carries it.
    QCOMPARE_NE(font.face, 4);
}

void TestTemplateContrast::todaysMenus_data()
{
    QTest::addColumn<int>("index");
    const QList<QPair<int, QString>> todays = TodaysTemplates();
    QVERIFY2(!todays.isEmpty(), "the library holds no template of today");
    for (const auto &[index, name] : todays)
        QTest::addRow("%s", qPrintable(name)) << index;
}

void TestTemplateContrast::todaysMenus()
{
    QFETCH(int, index);
    CAppletParameters p;
    p.LoadTemplate(index, kLibrary);
    QCOMPARE_GE(p.m_mmHeight, kTodaysMainHeight);
    bool opens = false;
    for (int i = 0; i < p.m_pMainMenu->GetCount(); ++i) {
        const CAppletMenu *subMenu = p.m_pMainMenu->GetItem(i)->m_pSubMenu.get();
        opens = opens || (subMenu && subMenu->GetCount() > 0);
    }
    const CMenuLook mainLook = ShownMenuLook(p, false);
    if (opens)
        QVERIFY2(mainLook.arrows, "items that open a sub menu carry no arrow");
    QCOMPARE_GT(mainLook.labelInset, Look::kClassicInset);
    if (opens)
        QCOMPARE_GT(ShownMenuLook(p, true).labelInset, Look::kClassicInset);
}

QTEST_APPLESS_MAIN(TestTemplateContrast)
#include "tst_templatecontrast.moc"
