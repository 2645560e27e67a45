#include "TestApp.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/dialogs/ItemFontDialog.h"
#include "wizard/widgets/StatusLine.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// Both item style pages driven through the sheet; every case runs on the
// main-menu items' page and on the sub-menu items' page.
class TestItemStylePage : public QObject {
    Q_OBJECT
private slots:
    void opensOnNormal_data() { pages(); }
    void opensOnNormal();
    void switchingStoresIntoTheStateShown_data() { pages(); }
    void switchingStoresIntoTheStateShown();
    void switchingWithoutChangesKeepsEveryState_data() { pages(); }
    void switchingWithoutChangesKeepsEveryState();
    void alignmentIsImageTimesThreePlusText_data() { pages(); }
    void alignmentIsImageTimesThreePlusText();
    void fontDialog_data() { pages(); }
    void fontDialog();
    void indexOutsideAListShowsNothing_data() { pages(); }
    void indexOutsideAListShowsNothing();
    void pagesKeepSeparateFields();
    void shownValuesForPreview_data() { pages(); }
    void shownValuesForPreview();
    void copiesAreConfirmed_data();
    void copiesAreConfirmed();
    void todaysFontInTheDialog_data() { pages(); }
    void todaysFontInTheDialog();
    void refusedFontSizeKeepsTheDialogOpen();

private:
    void pages();
};

namespace {

// One family's 24 fields (states 1 to 3).
QList<int> ItemFields(CAppletParameters &p, bool sub)
{
    QList<int> values;
    for (int state = 1; state <= 3; ++state) {
        const CItemStyle f = ItemStyleFields(p, sub, state);
        values << *f.pBKColor << *f.pFRColor << *f.pBorderStyle << *f.pFillStyle << *f.pFontName
               << *f.pFontSize << *f.pFontStyle << *f.pAlign;
    }
    return values;
}

struct Fixture {
    explicit Fixture(bool sub) : bSub(sub)
    {
        // Distinct values in every field of both families.
        for (bool s : {false, true}) {
            for (int state = 1; state <= 3; ++state) {
                const CItemStyle f = ItemStyleFields(t.app.m_params, s, state);
                const int base = (s ? 100 : 0) + state * 10;
                *f.pBKColor = 0x010000 * base;
                *f.pFRColor = 0x000100 * base;
                *f.pBorderStyle = state - 1;
                *f.pFillStyle = state + (s ? 3 : 0);
                *f.pFontName = state - 1;
                *f.pFontSize = state + (s ? 5 : 0);
                *f.pFontStyle = 3 - state;
                *f.pAlign = state + (s ? 2 : 0);
            }
        }
        if (bSub)
            t.OpenSheetAt(&CMenuWizardSheet::m_pageSubItemStyle);
        else
            t.OpenSheetAt(&CMenuWizardSheet::m_pageItemStyle);
    }
    CMenuWizardSheet &sheet() { return *t.sheet; }
    CItemStylePageBase &page()
    {
        return bSub ? static_cast<CItemStylePageBase &>(t.sheet->m_pageSubItemStyle)
                    : static_cast<CItemStylePageBase &>(t.sheet->m_pageItemStyle);
    }
    CAppletParameters &params() { return t.app.m_params; }
    CItemStyle fields(int state) { return ItemStyleFields(t.app.m_params, bSub, state); }
    QRadioButton *radio(const char *id) { return Control<QRadioButton>(&page(), id); }
    QComboBox *list(const char *id) { return Control<QComboBox>(&page(), id); }
    CColorButton *swatch(const char *id) { return Control<CColorButton>(&page(), id); }

    CTestApp t;
    bool bSub;
};

} // namespace

void TestItemStylePage::pages()
{
    QTest::addColumn<bool>("sub");
    QTest::newRow("main items") << false;
    QTest::newRow("sub items") << true;
}

void TestItemStylePage::opensOnNormal()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    QCOMPARE(f.page().IsSub(), sub);
    QCOMPARE(f.page().m_staticTitle->text(),
             sub ? QStringLiteral("Set Sub Menu Item Style") : QStringLiteral("Set Main Menu Item Style"));
    QVERIFY(f.radio("1032")->isChecked());
    QCOMPARE(f.swatch("1046")->Color(), *f.fields(1).pBKColor);
    QCOMPARE(f.swatch("1016")->Color(), *f.fields(1).pFRColor);
    QVERIFY(f.radio("1048")->isChecked());
    QCOMPARE(f.list("1045")->count(), 10);
    QCOMPARE(f.list("1045")->currentIndex(), *f.fields(1).pFillStyle);
    QCOMPARE(f.list("1045")->itemText(9),
             QStringLiteral("Vertical Shade Effect (Background Color to White)"));
}

void TestItemStylePage::switchingStoresIntoTheStateShown()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    const int moveColour = *f.fields(2).pBKColor;
    f.t.ui->colorAnswers = {0xABCDEF};
    f.swatch("1046")->click();
    f.radio("1013")->click(); // Sunken
    f.radio("1068")->click(); // Mouse Move
    QCOMPARE(f.page().m_nState, 1);
    QCOMPARE(f.swatch("1046")->Color(), moveColour);
    QVERIFY(f.radio("1012")->isChecked()); // state 2 has Raised
    QCOMPARE(*f.fields(1).pBKColor, 0xABCDEF);
    QCOMPARE(*f.fields(1).pBorderStyle, 2);
    QCOMPARE(*f.fields(2).pBKColor, moveColour);

    f.radio("1032")->click();
    QCOMPARE(f.swatch("1046")->Color(), 0xABCDEF);
    QVERIFY(f.radio("1013")->isChecked());

    // Next right after a change stores it into the state shown.
    f.list("1045")->setCurrentIndex(9);
    f.sheet().NextButton()->click();
    QCOMPARE(*f.fields(1).pFillStyle, 9);
    QCOMPARE(*f.fields(2).pFillStyle, sub ? 5 : 2);

    // Coming back shows the state last shown.
    f.sheet().BackButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    QVERIFY(f.radio("1032")->isChecked());
}

void TestItemStylePage::switchingWithoutChangesKeepsEveryState()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    const QList<int> before = ItemFields(f.params(), sub);
    QSignalSpy stored(&f.sheet(), &CMenuWizardSheet::ConfigurationStored);
    f.radio("1032")->click(); // already shown: nothing happens
    QCOMPARE(stored.count(), 0);
    for (const char *id : {"1068", "1010", "1032", "1010", "1068"}) {
        f.radio(id)->click();
        QCOMPARE(ItemFields(f.params(), sub), before);
    }
    QCOMPARE(f.page().m_nState, 1);
    QCOMPARE(f.swatch("1016")->Color(), *f.fields(2).pFRColor);
}

void TestItemStylePage::alignmentIsImageTimesThreePlusText()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    *f.fields(3).pAlign = 5;
    f.radio("1010")->click();
    QCOMPARE(f.list("1072")->currentText(), QStringLiteral("Center"));
    QCOMPARE(f.list("1036")->currentText(), QStringLiteral("Right"));
    f.list("1072")->setCurrentIndex(2);
    f.list("1036")->setCurrentIndex(0);
    f.sheet().NextButton()->click();
    QCOMPARE(*f.fields(3).pAlign, 6);
}

void TestItemStylePage::fontDialog()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    const CItemStyle normal = f.fields(1);
    const int name = *normal.pFontName, size = *normal.pFontSize, style = *normal.pFontStyle;
    QPushButton *font = Control<QPushButton>(&f.page(), "1069");

    // The dialog shows the state's font; Cancel changes nothing.
    int shownName = -2, shownSize = -2, shownStyle = -2;
    QString caption;
    f.t.ui->dialogHandlers << [&](QDialog &d) {
        auto &dlg = static_cast<CItemFontDialog &>(d);
        caption = dlg.windowTitle();
        shownName = Control<QComboBox>(&dlg, "1033")->currentIndex();
        shownSize = Control<QComboBox>(&dlg, "1047")->currentIndex();
        // The applet's style as weight and slant: Bold, Italic or Plain.
        const int weight = Control<QComboBox>(&dlg, "fontWeight")->currentIndex();
        const bool italic = Control<QCheckBox>(&dlg, "fontItalic")->isChecked();
        shownStyle = weight == 3 && !italic ? 1 : weight == 0 && italic ? 2 : weight == 0 ? 0 : -1;
        Control<QComboBox>(&dlg, "1033")->setCurrentIndex(2);
        Control<QPushButton>(&dlg, "2")->click();
    };
    font->click();
    QCOMPARE(f.t.ui->dialogsShown, QStringList{QStringLiteral("139")});
    QCOMPARE(caption, QStringLiteral("Font"));
    QCOMPARE(shownName, name);
    QCOMPARE(shownSize, size);
    QCOMPARE(shownStyle, style);
    f.sheet().NextButton()->click();
    QCOMPARE(*normal.pFontName, name);
    QCOMPARE(*normal.pFontSize, size);
    QCOMPARE(*normal.pFontStyle, style);

    // OK with Helvetica, 12, Bold: stored at the next switch.
    f.sheet().BackButton()->click();
    f.t.ui->dialogHandlers << [](QDialog &dlg) {
        Control<QComboBox>(&dlg, "1033")->setCurrentText(QStringLiteral("Helvetica"));
        Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("12"));
        Control<QComboBox>(&dlg, "fontWeight")->setCurrentText(QStringLiteral("Bold"));
        Control<QCheckBox>(&dlg, "fontItalic")->setChecked(false);
        Control<QPushButton>(&dlg, "1")->click();
    };
    font->click();
    QCOMPARE(*normal.pFontName, name);
    f.radio("1068")->click();
    QCOMPARE(*normal.pFontName, 1);
    QCOMPARE(*normal.pFontSize, 1);
    QCOMPARE(*normal.pFontStyle, 1);
    QCOMPARE(*f.fields(2).pFontSize, sub ? 7 : 2);
}

void TestItemStylePage::indexOutsideAListShowsNothing()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    *f.fields(2).pFillStyle = 12;
    *f.fields(2).pBorderStyle = 7;
    f.radio("1068")->click();
    QCOMPARE(f.list("1045")->currentIndex(), -1);
    QVERIFY(!f.radio("1048")->isChecked() && !f.radio("1012")->isChecked()
            && !f.radio("1013")->isChecked());
    f.radio("1032")->click();
    QCOMPARE(*f.fields(2).pFillStyle, -1);
    QCOMPARE(*f.fields(2).pBorderStyle, -1);
}

void TestItemStylePage::pagesKeepSeparateFields()
{
    Fixture f(false);
    const QList<int> subBefore = ItemFields(f.params(), true);
    // Edit every state on the main-menu items' page.
    f.t.ui->colorAnswers = {1, 2, 3, 4, 5, 6};
    for (const char *state : {"1032", "1068", "1010"}) {
        f.radio(state)->click();
        f.swatch("1046")->click();
        f.swatch("1016")->click();
        f.list("1045")->setCurrentIndex(8);
        f.radio("1013")->click();
    }
    f.sheet().NextButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageSubItemStyle);
    QCOMPARE(ItemFields(f.params(), true), subBefore);
    QCOMPARE(f.params().m_miFRColor3, 6);

    // And the other way round.
    const QList<int> mainBefore = ItemFields(f.params(), false);
    f.bSub = true;
    f.t.ui->colorAnswers = {7};
    f.swatch("1046")->click();
    f.radio("1010")->click();
    f.list("1072")->setCurrentIndex(0);
    f.sheet().BackButton()->click();
    QCOMPARE(ItemFields(f.params(), false), mainBefore);
    QCOMPARE(f.params().m_siBKColor1, 7);
}

void TestItemStylePage::shownValuesForPreview()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    f.radio("1068")->click();
    QSignalSpy edited(&f.page(), &CWizardPage::ValuesEdited);
    f.t.ui->colorAnswers = {0x445566};
    f.swatch("1016")->click();
    f.list("1072")->setCurrentIndex(2);
    f.list("1036")->setCurrentIndex(0);
    f.t.ui->dialogHandlers << [](QDialog &dlg) {
        Control<QComboBox>(&dlg, "fontWeight")->setCurrentText(QStringLiteral("Regular"));
        Control<QCheckBox>(&dlg, "fontItalic")->setChecked(true);
        Control<QPushButton>(&dlg, "1")->click();
    };
    Control<QPushButton>(&f.page(), "1069")->click();
    QVERIFY(edited.count() >= 4);

    const QList<int> stored = ItemFields(f.params(), sub);
    CAppletParameters copy;
    copy.CopyFrom(f.params());
    f.page().ApplyShownValues(copy);
    const CItemStyle shown = ItemStyleFields(copy, sub, 2);
    QCOMPARE(*shown.pFRColor, 0x445566);
    QCOMPARE(*shown.pAlign, 6);
    QCOMPARE(*shown.pFontStyle, 2);
    QCOMPARE(*ItemStyleFields(copy, sub, 1).pFRColor, *f.fields(1).pFRColor);
    QCOMPARE(ItemFields(copy, !sub), ItemFields(f.params(), !sub));
    QCOMPARE(ItemFields(f.params(), sub), stored);
}

void TestItemStylePage::copiesAreConfirmed_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("said");
    QTest::newRow("main items, to the other states") << false << "copyToStates" << "Copied to the other states.";
    QTest::newRow("main items, to the sub menu") << false << "copyToMenu" << "Copied to the sub menu.";
    QTest::newRow("sub items, to the other states") << true << "copyToStates" << "Copied to the other states.";
    QTest::newRow("sub items, to the main menu") << true << "copyToMenu" << "Copied to the main menu.";
}

// A copy is confirmed on the page and to screen readers, a second one too;
// an edit or coming back to the page ends the confirmation.
void TestItemStylePage::copiesAreConfirmed()
{
    QFETCH(bool, sub);
    QFETCH(QString, button);
    QFETCH(QString, said);
    Fixture f(sub);
    auto *status = f.page().findChild<CStatusLine *>(QStringLiteral("statusLine"));
    QVERIFY(status);
    QVERIFY(status->text().isEmpty());
    QSignalSpy heard(status, &CStatusLine::Announced);

    auto *copy = f.page().findChild<QPushButton *>(button);
    copy->click();
    QCOMPARE(status->text(), said);
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), said);
    QCOMPARE(heard.size(), 1);
    QCOMPARE(heard.last().at(0).toString(), said);
    copy->click();
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard.last().at(0).toString(), said);

    f.list("1045")->setCurrentIndex((f.list("1045")->currentIndex() + 1) % 10);
    QVERIFY(status->text().isEmpty());
    copy->click();
    QCOMPARE(status->text(), said);
    f.sheet().SetActivePage(&f.sheet().m_pageHTML);
    f.sheet().SetActivePage(&f.page());
    QVERIFY(status->text().isEmpty());
}

// The font dialog shows and sets today's type: System UI and the page's
// font, any size of 9 to 72 pixels, the four weights and italic; the page
// says which font the state has, and that pictures show the page's font as
// System UI.
void TestItemStylePage::todaysFontInTheDialog()
{
    QFETCH(bool, sub);
    Fixture f(sub);
    f.params().m_ModernPage = 1;
    const CItemStyle move = f.fields(2);
    *move.pFontFamily = 1;
    *move.pFontPx = 15;
    *move.pFontWeight = 600;
    *move.pFontItalic = 1;
    f.radio("1068")->click();
    QLabel *line = Control<QLabel>(&f.page(), "fontLine");
    QCOMPARE(line->text(), QStringLiteral("System UI, 15 px, Semibold Italic"));
    QCOMPARE(Control<QPushButton>(&f.page(), "1069")->accessibleDescription(),
             QStringLiteral("Now System UI, 15 px, Semibold Italic"));

    QStringList shown;
    bool noteBefore = true, noteAfter = false;
    f.t.ui->dialogHandlers << [&](QDialog &dlg) {
        shown << Control<QComboBox>(&dlg, "1033")->currentText() << Control<QComboBox>(&dlg, "1047")->currentText()
              << Control<QComboBox>(&dlg, "fontWeight")->currentText()
              << (Control<QCheckBox>(&dlg, "fontItalic")->isChecked() ? "italic" : "upright");
        QLabel *note = Control<QLabel>(&dlg, "pageFontNote");
        noteBefore = note->isVisibleTo(&dlg);
        Control<QComboBox>(&dlg, "1033")->setCurrentText(QStringLiteral("Page's font"));
        noteAfter = note->isVisibleTo(&dlg);
        Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("30"));
        Control<QComboBox>(&dlg, "fontWeight")->setCurrentText(QStringLiteral("Medium"));
        Control<QPushButton>(&dlg, "1")->click();
    };
    Control<QPushButton>(&f.page(), "1069")->click();
    QCOMPARE(shown, (QStringList{"System UI", "15", "Semibold", "italic"}));
    QVERIFY(!noteBefore);
    QVERIFY(noteAfter);
    QCOMPARE(line->text(), QStringLiteral("Page's font, 30 px, Medium Italic (shown here as System UI)"));
    f.sheet().NextButton()->click();
    // The applet is given the nearest it holds: Helvetica, 28, Italic.
    QCOMPARE((QList<int>{*move.pFontName, *move.pFontSize, *move.pFontStyle, *move.pFontFamily, *move.pFontWeight,
                         *move.pFontItalic, *move.pFontPx}),
             (QList<int>{1, 9, 2, 2, 500, 1, 30}));

    // On a page for the applet alone the line says what that page shows.
    f.params().m_ModernPage = 0;
    f.sheet().BackButton()->click();
    QCOMPARE(line->text(), QStringLiteral("Page's font, 30 px, Medium Italic (shown here as System UI); "
                                          "a page for the applet alone shows Helvetica, 28 px, Regular Italic"));
}

void TestItemStylePage::refusedFontSizeKeepsTheDialogOpen()
{
    Fixture f(false);
    const int size = *f.fields(1).pFontSize;
    bool stayed = false;
    f.t.ui->dialogHandlers << [&](QDialog &dlg) {
        Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("8"));
        Control<QPushButton>(&dlg, "1")->click();
        stayed = dlg.result() != QDialog::Accepted;
        Control<QPushButton>(&dlg, "2")->click();
    };
    Control<QPushButton>(&f.page(), "1069")->click();
    QVERIFY(stayed);
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{QStringLiteral("Please enter an integer between 9 and 72.")});
    f.sheet().NextButton()->click();
    QCOMPARE(*f.fields(1).pFontSize, size);
    QCOMPARE(*f.fields(1).pFontPx, 0);
}

QTEST_MAIN(TestItemStylePage)
#include "tst_itemstylepage.moc"
