#include "MenuFixture.h"
#include "TestApp.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/widgets/ContrastLabel.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The contrast figure where the user chooses colours: on both item style
// pages for the state on show, following every edit, and on the finish page
// for every look below level AA.
class TestStyleContrast : public QObject {
    Q_OBJECT
private slots:
    void showsTheStoredLook_data();
    void showsTheStoredLook();
    void followsEditsBeforeTheyAreStored_data();
    void followsEditsBeforeTheyAreStored();
    void finishPageListsLooksBelowAA_data();
    void finishPageListsLooksBelowAA();
};

namespace {

constexpr int kWhite = 0xffffff, kBlack = 0x000000, kGrey = 0x777777; // #777777 on white: 4.48:1
constexpr int k16px = 3, k24px = 7;

// What the figure says, as a screen reader hears it.
QString AccessibleName(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Every look of both families: #777777 on white in 16 px, flat, a grey a
// little too light for AA.
void GreyOnWhite(CAppletParameters &p)
{
    MakeFlatMenu(p);
    for (bool sub : {false, true}) {
        for (int state = 1; state <= 3; ++state) {
            const CItemStyle s = ItemStyleFields(p, sub, state);
            *s.pBKColor = kWhite;
            *s.pFRColor = kGrey;
            *s.pFillStyle = 1;
            *s.pFontSize = k16px;
            *s.pFontStyle = 0;
        }
    }
}

struct StylePage {
    explicit StylePage(bool sub, const std::function<void(CAppletParameters &)> &setUp = {}) : bSub(sub)
    {
        GreyOnWhite(t.app.m_params);
        if (setUp)
            setUp(t.app.m_params);
        if (bSub)
            t.OpenSheetAt(&CMenuWizardSheet::m_pageSubItemStyle);
        else
            t.OpenSheetAt(&CMenuWizardSheet::m_pageItemStyle);
    }
    CItemStylePageBase &page()
    {
        return bSub ? static_cast<CItemStylePageBase &>(t.sheet->m_pageSubItemStyle)
                    : static_cast<CItemStylePageBase &>(t.sheet->m_pageItemStyle);
    }
    CContrastLabel *figure() { return Control<CContrastLabel>(&page(), "contrast"); }
    QString spoken() { return AccessibleName(figure()); }

    CTestApp t;
    bool bSub;
};

} // namespace

void TestStyleContrast::showsTheStoredLook_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("fr");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("fontStyle");
    QTest::addColumn<int>("menuBkStyle"); // of the page's own menu
    QTest::addColumn<QString>("text");

    const QString low = QStringLiteral("Contrast 4.4:1   Low contrast (needs 4.5:1)");
    for (bool sub : {false, true}) {
        const char *who = sub ? "sub" : "main";
        QTest::addRow("%s: flat, just below AA", who) << sub << 1 << kGrey << k16px << 0 << 0 << low;
        QTest::addRow("%s: black on white", who) << sub << 1 << kBlack << k16px << 0 << 0
                                                 << QStringLiteral("Contrast 21:1   AA");
        QTest::addRow("%s: 24 px needs 3:1", who) << sub << 1 << kGrey << k24px << 0 << 0
                                                  << QStringLiteral("Contrast 4.4:1   AA");
        // The white item colour lies on the shade's far end from black:
        // white text meets it.
        QTest::addRow("%s: shade to white, white text", who)
            << sub << 9 << kWhite << k16px << 0 << 0 << QStringLiteral("Contrast 1:1   Low contrast (needs 4.5:1)");
        QTest::addRow("%s: shade to black, black text", who)
            << sub << 8 << kBlack << k16px << 0 << 0 << QStringLiteral("Contrast 1:1   Low contrast (needs 4.5:1)");
        // Transparent: the applet's colour (dark blue in the fixture) when
        // the menu box is not filled, the menu's own colour when it is
        // (teal for the main menu, purple for the sub menus).
        QTest::addRow("%s: transparent over the applet", who)
            << sub << 0 << kWhite << k16px << 0 << 0 << QStringLiteral("Contrast 12.6:1   AA");
        QTest::addRow("%s: transparent over the menu", who)
            << sub << 0 << kWhite << k16px << 0 << 2
            << (sub ? QStringLiteral("Contrast 6.9:1   AA")
                    : QStringLiteral("Contrast 2.7:1   Low contrast (needs 4.5:1)"));
    }
}

void TestStyleContrast::showsTheStoredLook()
{
    QFETCH(bool, sub);
    QFETCH(int, fill);
    QFETCH(int, fr);
    QFETCH(int, fontSize);
    QFETCH(int, fontStyle);
    QFETCH(int, menuBkStyle);
    QFETCH(QString, text);
    StylePage f(sub, [&](CAppletParameters &p) {
        const CItemStyle s = ItemStyleFields(p, sub, 1);
        *s.pFillStyle = fill;
        *s.pFRColor = fr;
        *s.pFontSize = fontSize;
        *s.pFontStyle = fontStyle;
        (sub ? p.m_smBKStyle : p.m_mmBKStyle) = menuBkStyle;
        // The other menu's box never shows under these items.
        (sub ? p.m_mmBKStyle : p.m_smBKStyle) = 2;
    });
    QVERIFY(f.figure());
    QVERIFY(f.figure()->isVisible());
    QCOMPARE(f.figure()->text(), text);
    QCOMPARE(f.spoken(), QString(text).replace(QStringLiteral("   "), QStringLiteral(", ")));
}

void TestStyleContrast::followsEditsBeforeTheyAreStored_data()
{
    QTest::addColumn<bool>("sub");
    QTest::newRow("main items") << false;
    QTest::newRow("sub items") << true;
}

void TestStyleContrast::followsEditsBeforeTheyAreStored()
{
    QFETCH(bool, sub);
    StylePage f(sub, [sub](CAppletParameters &p) {
        *ItemStyleFields(p, sub, 2).pFRColor = 0x595959; // 7:1 on white
    });
    const CItemStyle normal = ItemStyleFields(f.t.app.m_params, sub, 1);
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 4.4:1, Low contrast (needs 4.5:1)"));

    // A darker text colour.
    f.t.ui->colorAnswers = {kBlack};
    Control<CColorButton>(&f.page(), "1016")->click();
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 21:1, AA"));
    QCOMPARE(*normal.pFRColor, kGrey); // not stored yet

    // A shade to black under the black text.
    Control<QComboBox>(&f.page(), "1045")->setCurrentIndex(4);
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 1:1, Low contrast (needs 4.5:1)"));

    // A mid grey behind the black text, flat again: 5.3:1.
    f.t.ui->colorAnswers = {0x808080};
    Control<CColorButton>(&f.page(), "1046")->click();
    Control<QComboBox>(&f.page(), "1045")->setCurrentIndex(1);
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 5.3:1, AA"));

    // Another state shows its own figure, and coming back the edits shown.
    Control<QRadioButton>(&f.page(), "1068")->click();
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 7:1, AA"));
    Control<QRadioButton>(&f.page(), "1032")->click();
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 5.3:1, AA"));

    // Grey text in 24 px passes at 3:1: the font dialog counts too.
    f.t.ui->colorAnswers = {kGrey, kWhite};
    Control<CColorButton>(&f.page(), "1016")->click();
    Control<CColorButton>(&f.page(), "1046")->click();
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 4.4:1, Low contrast (needs 4.5:1)"));
    f.t.ui->dialogHandlers << [](QDialog &dlg) {
        Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("24"));
        Control<QPushButton>(&dlg, "1")->click();
    };
    Control<QPushButton>(&f.page(), "1069")->click();
    QCOMPARE(f.spoken(), QStringLiteral("Contrast 4.4:1, AA"));
    QCOMPARE(f.figure()->text(), QStringLiteral("Contrast 4.4:1   AA"));
}

void TestStyleContrast::finishPageListsLooksBelowAA_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<bool>("readable"); // every look fixed first
    QTest::addColumn<QStringList>("lines");

    const QString advice = QStringLiteral(
        "Some visitors cannot read this text well: choose colours further apart on the item style pages.");
    QTest::newRow("main and sub looks")
        << "A(a b) B" << false
        << QStringList{"Low contrast: Main menu, Normal: 4.4:1 (needs 4.5:1)",
                       "Low contrast: Main menu, Mouse Click: 1:1 (needs 4.5:1)",
                       "Low contrast: Sub menus, Mouse Move: 4.4:1 (needs 4.5:1)", advice};
    // Sub-item looks that no item shows are not listed.
    QTest::newRow("no sub menus")
        << "A B" << false
        << QStringList{"Low contrast: Main menu, Normal: 4.4:1 (needs 4.5:1)",
                       "Low contrast: Main menu, Mouse Click: 1:1 (needs 4.5:1)", advice};
    QTest::newRow("all readable") << "A(a b) B" << true << QStringList{};
}

void TestStyleContrast::finishPageListsLooksBelowAA()
{
    QFETCH(QString, tree);
    QFETCH(bool, readable);
    QFETCH(QStringList, lines);
    CTestApp t;
    CAppletParameters &p = t.app.m_params;
    GreyOnWhite(p);
    BuildMenu(*p.m_pMainMenu, tree);
    for (bool sub : {false, true})
        for (int state = 1; state <= 3; ++state)
            *ItemStyleFields(p, sub, state).pFRColor = kBlack;
    if (!readable) {
        p.m_miFRColor1 = kGrey;
        p.m_miFRColor3 = kWhite;
        p.m_siFRColor2 = kGrey;
    }
    CHTMLPage &page = t.OpenSheetAt(&CMenuWizardSheet::m_pageHTML);
    QLabel *notes = Control<QLabel>(&page, "lowContrast");
    QVERIFY(notes);
    QCOMPARE(notes->isVisible(), !lines.isEmpty());
    if (!lines.isEmpty()) {
        QCOMPARE(notes->text().split(QLatin1Char('\n')), lines);
        QCOMPARE(AccessibleName(notes), notes->text());
    }

    // Back, a look fixed, and the finish page again: its line is gone.
    if (!readable) {
        p.m_miFRColor1 = kBlack;
        t.sheet->SetActivePage(&t.sheet->m_pageItem);
        t.sheet->SetActivePage(&page);
        QVERIFY(!notes->text().contains(QStringLiteral("Main menu, Normal")));
        QVERIFY(notes->text().contains(QStringLiteral("Main menu, Mouse Click")));
    }
}

QTEST_MAIN(TestStyleContrast)
#include "tst_stylecontrast.moc"
