#include "TestApp.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/widgets/StatusLine.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The menu style page driven through the sheet.
class TestMenuStylePage : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheMainMenu();
    void exchangeOrderDecidesWhatIsRead();
    void switchingWithoutChangesKeepsBothMenus();
    void editsGoToTheShownMenu();
    void failedCheckDuringSwitchKeepsTheShownMenu();
    void clickingTheShownMenuDoesNothing();
    void colourReachesConfigurationOnSwitch();
    void returnsToTheMenuLastShown();
    void shownValuesForPreview();
    void copyIsConfirmed_data();
    void copyIsConfirmed();
    void todaysLookGoesToTheShownMenu();
    void todaysLookControlsAreNamed_data();
    void todaysLookControlsAreNamed();
    void todaysLookRanges_data();
    void todaysLookRanges();
};

namespace {

// Both menus' seven fields, main menu first.
QList<int> MenuFields(CAppletParameters &p)
{
    QList<int> values;
    for (bool sub : {false, true}) {
        const CMenuStyle f = MenuStyleFields(p, sub);
        values << *f.pBKColor << *f.pBKStyle << *f.pMenuAlign << *f.pWidth << *f.pHeight
               << *f.pItemGap << *f.pBorderThick;
    }
    return values;
}

struct Fixture {
    Fixture()
    {
        CAppletParameters &p = t.app.m_params;
        p.m_mmBKColor = 0x0000FF;
        p.m_mmBKStyle = 1;
        p.m_mmMenuAlign = 0;
        p.m_mmWidth = 100;
        p.m_mmHeight = 20;
        p.m_mmItemGap = 2;
        p.m_mmBorderThick = 1;
        p.m_smBKColor = 0x00FF00;
        p.m_smBKStyle = 3;
        p.m_smMenuAlign = 1;
        p.m_smWidth = 140;
        p.m_smHeight = 18;
        p.m_smItemGap = 0;
        p.m_smBorderThick = 3;
        t.OpenSheetAt(&CMenuWizardSheet::m_pageMenuStyle);
    }
    CMenuWizardSheet &sheet() { return *t.sheet; }
    CMenuStylePage &page() { return t.sheet->m_pageMenuStyle; }
    CAppletParameters &params() { return t.app.m_params; }
    QLineEdit *edit(const char *id) { return Control<QLineEdit>(&page(), id); }
    QRadioButton *radio(const char *id) { return Control<QRadioButton>(&page(), id); }
    QRadioButton *mainMenu() { return radio("1044"); }
    QRadioButton *subMenu() { return radio("1013"); }

    CTestApp t;
};

} // namespace

void TestMenuStylePage::opensOnTheMainMenu()
{
    Fixture f;
    QVERIFY(f.mainMenu()->isChecked());
    QVERIFY(!f.subMenu()->isChecked());
    QCOMPARE(f.page().m_nMenu, 0);
    QCOMPARE(Control<CColorButton>(&f.page(), "1015")->Color(), 0x0000FF);
    QVERIFY(f.radio("1053")->isChecked());
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("100"));
    QCOMPARE(f.edit("1028")->text(), QStringLiteral("20"));
    QCOMPARE(f.edit("1029")->text(), QStringLiteral("2"));
    QCOMPARE(f.edit("1030")->text(), QStringLiteral("1"));
    QCOMPARE(Control<QComboBox>(&f.page(), "1064")->currentText(),
             QStringLiteral("Transparent Background with Border"));
}

void TestMenuStylePage::exchangeOrderDecidesWhatIsRead()
{
    // Read in the order gap, border, height, width, arrangement, background
    // style, menu: a failure stops the reading there.
    Fixture f;
    f.edit("1029")->setText(QStringLiteral("5"));
    f.edit("1030")->setText(QStringLiteral("6"));
    f.edit("1028")->setText(QStringLiteral("0"));
    f.edit("1027")->setText(QStringLiteral("0"));
    f.radio("1012")->setChecked(true);
    Control<QComboBox>(&f.page(), "1064")->setCurrentIndex(2);
    f.sheet().NextButton()->click();
    QCOMPARE(f.t.ui->MessageTexts(),
             QStringList{QStringLiteral("Please enter an integer between 1 and 480.")});
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    QCOMPARE(f.params().m_mmItemGap, 5);
    QCOMPARE(f.params().m_mmBorderThick, 6);
    QCOMPARE(f.params().m_mmHeight, 0);
    QCOMPARE(f.params().m_mmWidth, 100);
    QCOMPARE(f.params().m_mmMenuAlign, 0);
    QCOMPARE(f.params().m_mmBKStyle, 1);
}

void TestMenuStylePage::switchingWithoutChangesKeepsBothMenus()
{
    Fixture f;
    const QList<int> before = MenuFields(f.params());
    f.subMenu()->click();
    QCOMPARE(f.page().m_nMenu, 1);
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("140"));
    QCOMPARE(Control<CColorButton>(&f.page(), "1015")->Color(), 0x00FF00);
    QVERIFY(f.radio("1012")->isChecked());
    QCOMPARE(Control<QComboBox>(&f.page(), "1064")->currentIndex(), 3);
    f.mainMenu()->click();
    QCOMPARE(f.page().m_nMenu, 0);
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("100"));
    QCOMPARE(MenuFields(f.params()), before);
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestMenuStylePage::editsGoToTheShownMenu()
{
    Fixture f;
    f.subMenu()->click();
    f.edit("1027")->setText(QStringLiteral("200"));
    f.radio("1053")->setChecked(true);
    f.mainMenu()->click();
    QCOMPARE(f.params().m_smWidth, 200);
    QCOMPARE(f.params().m_smMenuAlign, 0);
    QCOMPARE(f.params().m_mmWidth, 100);
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("100"));

    // Leaving with Next stores the shown menu without a switch.
    f.edit("1028")->setText(QStringLiteral("33"));
    f.sheet().NextButton()->click();
    QCOMPARE(f.params().m_mmHeight, 33);
    QCOMPARE(f.params().m_smHeight, 18);
}

void TestMenuStylePage::failedCheckDuringSwitchKeepsTheShownMenu()
{
    Fixture f;
    f.sheet().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.sheet()));
    f.edit("1027")->setText(QStringLiteral("641"));
    f.subMenu()->click();
    QCOMPARE(f.t.ui->MessageTexts(),
             QStringList{QStringLiteral("Please enter an integer between 1 and 640.")});
    // No switch: the main menu stays shown, holding the refused number.
    QCOMPARE(f.page().m_nMenu, 0);
    QVERIFY(f.mainMenu()->isChecked());
    QVERIFY(!f.subMenu()->isChecked());
    QCOMPARE(f.params().m_mmWidth, 641);
    QCOMPARE(f.params().m_smWidth, 140);
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("641"));
    QVERIFY(f.edit("1027")->hasFocus());
    QCOMPARE(f.edit("1027")->selectedText(), QStringLiteral("641"));

    // An empty box is refused the same way and stays empty for typing.
    f.edit("1027")->clear();
    f.subMenu()->click();
    QCOMPARE(f.t.ui->MessageTexts().last(), QStringLiteral("Please enter an integer."));
    QCOMPARE(f.page().m_nMenu, 0);
    QCOMPARE(f.edit("1027")->text(), QString());

    // Values the check did not reach before it stopped are not undone.
    f.edit("1027")->setText(QStringLiteral("90"));
    f.radio("1012")->setChecked(true);
    f.edit("1029")->setText(QStringLiteral("999"));
    f.subMenu()->click();
    QCOMPARE(f.t.ui->messages.size(), 3);
    QCOMPARE(f.page().m_nMenu, 0);
    QVERIFY(f.mainMenu()->isChecked());
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("90"));
    QVERIFY(f.radio("1012")->isChecked());

    f.edit("1029")->setText(QStringLiteral("3"));
    f.subMenu()->click();
    QCOMPARE(f.page().m_nMenu, 1);
    QCOMPARE(f.params().m_mmWidth, 90);
    QCOMPARE(f.params().m_mmMenuAlign, 1);
    QCOMPARE(f.params().m_mmItemGap, 3);
    QCOMPARE(f.t.ui->messages.size(), 3);
}

void TestMenuStylePage::clickingTheShownMenuDoesNothing()
{
    Fixture f;
    QSignalSpy stored(&f.sheet(), &CMenuWizardSheet::ConfigurationStored);
    f.edit("1027")->setText(QStringLiteral("300"));
    f.mainMenu()->click();
    QCOMPARE(stored.count(), 0);
    QCOMPARE(f.params().m_mmWidth, 100);
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("300"));
}

void TestMenuStylePage::colourReachesConfigurationOnSwitch()
{
    Fixture f;
    auto *swatch = Control<CColorButton>(&f.page(), "1015");
    f.t.ui->colorAnswers = {-1, 0x808080};
    swatch->click();
    QCOMPARE(swatch->Color(), 0x0000FF);
    swatch->click();
    QCOMPARE(f.t.ui->colorRequests, (QList<int>{0x0000FF, 0x0000FF}));
    QCOMPARE(swatch->Color(), 0x808080);
    QCOMPARE(f.params().m_mmBKColor, 0x0000FF);
    f.subMenu()->click();
    QCOMPARE(f.params().m_mmBKColor, 0x808080);
    QCOMPARE(f.params().m_smBKColor, 0x00FF00);
    QCOMPARE(swatch->Color(), 0x00FF00);
}

void TestMenuStylePage::returnsToTheMenuLastShown()
{
    Fixture f;
    f.subMenu()->click();
    f.sheet().NextButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageItemStyle);
    f.params().m_smWidth = 222; // as a load meanwhile would
    f.sheet().BackButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    QVERIFY(f.subMenu()->isChecked());
    QCOMPARE(f.edit("1027")->text(), QStringLiteral("222"));
}

void TestMenuStylePage::shownValuesForPreview()
{
    Fixture f;
    f.subMenu()->click();
    QSignalSpy edited(&f.page(), &CWizardPage::ValuesEdited);
    f.edit("1027")->setText(QStringLiteral("321"));
    f.edit("1028")->clear();
    f.radio("1053")->click();
    QVERIFY(edited.count() >= 3);

    CAppletParameters copy;
    copy.CopyFrom(f.params());
    f.page().ApplyShownValues(copy);
    QCOMPARE(copy.m_smWidth, 321);
    QCOMPARE(copy.m_smHeight, 18); // an empty box is skipped
    QCOMPARE(copy.m_smMenuAlign, 0);
    QCOMPARE(copy.m_mmWidth, 100);
    QCOMPARE(f.params().m_smWidth, 140);
}

void TestMenuStylePage::copyIsConfirmed_data()
{
    QTest::addColumn<bool>("sub"); // the sub menu shown
    QTest::addColumn<QString>("said");
    QTest::newRow("main menu shown") << false << "Copied to the sub menu.";
    QTest::newRow("sub menu shown") << true << "Copied to the main menu.";
}

void TestMenuStylePage::copyIsConfirmed()
{
    QFETCH(bool, sub);
    QFETCH(QString, said);
    Fixture f;
    if (sub)
        f.subMenu()->click();
    auto *status = f.page().findChild<CStatusLine *>(QStringLiteral("statusLine"));
    QVERIFY(status);
    QVERIFY(status->text().isEmpty());
    QSignalSpy heard(status, &CStatusLine::Announced);
    Control<QPushButton>(&f.page(), "copyToMenu")->click();
    QCOMPARE(status->text(), said);
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), said);
    QCOMPARE(heard.size(), 1);
    QCOMPARE(MenuFields(f.params()).mid(0, 7), MenuFields(f.params()).mid(7));
    // Showing the other menu ends it.
    (sub ? f.mainMenu() : f.subMenu())->click();
    QVERIFY(status->text().isEmpty());
}

// Today's look is per menu, like the rest: shown and stored for the menu
// on show; a label room of 2 is the classic one, stored as 0; arrows are
// the main menu's to set, fading in the sub menus'.
void TestMenuStylePage::todaysLookGoesToTheShownMenu()
{
    Fixture f;
    f.params().m_smItemRadius = 5;
    f.params().m_smShadow = 2;
    f.params().m_smFadeIn = 1;
    f.page().OnSetActive();
    QCOMPARE(f.edit("itemRadius")->text(), QStringLiteral("0"));
    QCOMPARE(f.edit("labelInset")->text(), QStringLiteral("2"));
    QCOMPARE(Control<QComboBox>(&f.page(), "shadow")->currentText(), QStringLiteral("None"));
    auto *arrows = Control<QCheckBox>(&f.page(), "arrows");
    auto *fade = Control<QCheckBox>(&f.page(), "fadeIn");
    QVERIFY(arrows->isEnabled() && !fade->isEnabled());
    f.edit("panelRadius")->setText(QStringLiteral("9"));
    f.edit("labelInset")->setText(QStringLiteral("12"));
    arrows->click();

    f.subMenu()->click();
    QCOMPARE(f.params().m_mmPanelRadius, 9);
    QCOMPARE(f.params().m_mmLabelInset, 12);
    QCOMPARE(f.params().m_mmArrows, 1);
    QCOMPARE(f.params().m_smPanelRadius, 0);
    QCOMPARE(f.edit("itemRadius")->text(), QStringLiteral("5"));
    QCOMPARE(Control<QComboBox>(&f.page(), "shadow")->currentText(), QStringLiteral("Strong"));
    QVERIFY(fade->isChecked() && fade->isEnabled() && !arrows->isEnabled());
    f.edit("labelInset")->setText(QStringLiteral("2"));
    Control<QComboBox>(&f.page(), "shadow")->setCurrentIndex(1);
    f.sheet().NextButton()->click();
    QCOMPARE(f.params().m_smLabelInset, 0);
    QCOMPARE(f.params().m_smShadow, 1);
    QCOMPARE(f.params().m_smItemRadius, 5);
    QCOMPARE(f.params().m_mmItemRadius, 0);
}

void TestMenuStylePage::todaysLookControlsAreNamed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");
    QTest::newRow("item corners") << "itemRadius" << "Item Corners";
    QTest::newRow("menu corners") << "panelRadius" << "Menu Corners";
    QTest::newRow("label room") << "labelInset" << "Label Room";
    QTest::newRow("shadow") << "shadow" << "Shadow";
    QTest::newRow("arrows") << "arrows" << "Arrows on items with a sub menu";
    QTest::newRow("fading in") << "fadeIn" << "Fade in when opened";
}

// What a screen reader says of each control, and the keyboard reaches it.
void TestMenuStylePage::todaysLookControlsAreNamed()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    Fixture f;
    f.subMenu()->click(); // fading in is for sub menus
    QWidget *control = f.page().findChild<QWidget *>(id);
    QVERIFY(control);
    // The name given to it, else what the accessibility layer derives (a
    // list box's derived name is its entry: it is named by its label).
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    QVERIFY(iface);
    QCOMPARE(control->accessibleName().isEmpty() ? iface->text(QAccessible::Name) : control->accessibleName(), name);
    QVERIFY(control->focusPolicy() & Qt::TabFocus);
    QVERIFY(control->isVisibleTo(&f.sheet()));
}

void TestMenuStylePage::todaysLookRanges_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: taken
    const QString corners = QStringLiteral("Please enter an integer between 0 and 16.");
    QTest::newRow("item corners 16") << "itemRadius" << "16" << QString();
    QTest::newRow("item corners 17") << "itemRadius" << "17" << corners;
    QTest::newRow("menu corners 0") << "panelRadius" << "0" << QString();
    QTest::newRow("menu corners empty") << "panelRadius" << "" << "Please enter an integer.";
    QTest::newRow("label room 1") << "labelInset" << "1" << "Please enter an integer between 2 and 24.";
    QTest::newRow("label room 24") << "labelInset" << "24" << QString();
    QTest::newRow("label room 25") << "labelInset" << "25" << "Please enter an integer between 2 and 24.";
}

void TestMenuStylePage::todaysLookRanges()
{
    QFETCH(QString, id);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Fixture f;
    f.edit(qPrintable(id))->setText(text);
    f.sheet().NextButton()->click();
    QCOMPARE(f.t.ui->MessageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.sheet().GetActivePage() == &f.page(), !message.isEmpty());
    // A refusal keeps the user on the menu shown.
    if (!message.isEmpty()) {
        f.subMenu()->click();
        QVERIFY(f.mainMenu()->isChecked());
    }
}

QTEST_MAIN(TestMenuStylePage)
#include "tst_menustylepage.moc"
