#include "TestApp.h"
#include "wizard/tree/ItemPanel.h"
#include "Typing.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QAccessible>
#include <QtTest>

// The item page in the real sheet, driven through its controls.
class TestItemPage : public QObject {
    Q_OBJECT
private slots:
    void singleItemDisablesBothArrows_data();
    void singleItemDisablesBothArrows();
    void raisingCountAppendsItems();
    void loweringBelowShownItemShowsNewLast();
    void loweringSubCountBelowShownSubItem();
    void countOutsideRangeIsRefusedAndRestored_data();
    void countOutsideRangeIsRefusedAndRestored();
    void countConfirmedWithoutFocusLossIsAppliedOnLeaving();
    void refusedOtherCountIsToldOnceAndKeepsTypedCount_data();
    void refusedOtherCountIsToldOnceAndKeepsTypedCount();
    void hasSubMenuOnAndOff();
    void subPanelEmptyWithoutSubMenu_data();
    void subPanelEmptyWithoutSubMenu();
    void subItemRememberedPerMainItem();
    void firstImageFillsEveryItem_data();
    void firstImageFillsEveryItem();
    void typedTargetKeptExactly();
    void leavingStoresShownItems_data();
    void leavingStoresShownItems();
    void oversizedLoadedMenus();
    void commaIsRefused_data();
    void commaIsRefused();
    void liveValuesReachACopyOnly();
    void subMenuTextsNotCheckedWhenRemoved_data();
    void subMenuTextsNotCheckedWhenRemoved();
    void loadedSubMenuOverTwentyDoesNotTrapMoves();
    void positionReachesAssistiveTechnology();
    void pictureWithoutLabelIsNamed_data();
    void pictureWithoutLabelIsNamed();
};

namespace {

const QString kRange = QStringLiteral("Please enter an integer between 1 and 20.");
const QString kComma = QStringLiteral(
    "A comma cannot be used in an item's label, link, target frame or image file name: "
    "the menu applet uses commas to separate them. Please remove it.");

// An application with its sheet open, active, and showing the item page.
struct Fixture {
    Fixture()
    {
        sheet = &t.OpenSheet();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
    }
    void Show() { sheet->SetActivePage(&sheet->m_pageItem); }
    CAppletMenu &Main() { return *t.app.m_params.m_pMainMenu; }
    CItemPage &Page() { return sheet->m_pageItem; }

    CTestApp t;
    CMenuWizardSheet *sheet = nullptr;
};

} // namespace

void TestItemPage::singleItemDisablesBothArrows_data()
{
    QTest::addColumn<bool>("sub");
    QTest::newRow("main menu") << false;
    QTest::newRow("sub menu") << true;
}

void TestItemPage::singleItemDisablesBothArrows()
{
    QFETCH(bool, sub);
    Fixture f;
    if (sub)
        f.Main().GetSubMenu(0)->SetItemCount(1, 1);
    else
        f.Main().SetItemCount(1, 1);
    f.Show();
    CItemPage &p = f.Page();
    QPushButton *prev = sub ? p.m_btnSubPrev : p.m_btnMainPrev;
    QPushButton *next = sub ? p.m_btnSubNext : p.m_btnMainNext;
    QVERIFY(!prev->isEnabled());
    QVERIFY(!next->isEnabled());
    QCOMPARE((sub ? p.m_editSubCount : p.m_editMainCount)->text(), QStringLiteral("1"));
    // The other level still moves.
    QCOMPARE((sub ? p.m_btnMainNext : p.m_btnSubNext)->isEnabled(), sub);
}

void TestItemPage::raisingCountAppendsItems()
{
    Fixture f;
    f.Main().m_nCurrent = 3;
    f.Show();
    CItemPage &p = f.Page();
    QVERIFY(!p.m_btnMainNext->isEnabled());
    Type(p.m_editMainCount, QStringLiteral("6"));
    TabAway();
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.Main().GetCount(), 6);
    QCOMPARE(f.Main().GetItem(4)->m_strLabel, QStringLiteral("item5"));
    QCOMPARE(f.Main().GetItem(5)->m_strLabel, QStringLiteral("item6"));
    QCOMPARE(f.Main().m_nCurrent, 3);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("item4"));
    QVERIFY(p.m_btnMainNext->isEnabled());
    QVERIFY(p.m_btnMainPrev->isEnabled());
}

void TestItemPage::loweringBelowShownItemShowsNewLast()
{
    Fixture f;
    f.Main().GetItem(1)->m_strLabel = QStringLiteral("Products");
    f.Main().GetSubMenu(1)->SetItemCount(3, 1);
    f.Main().GetItem(1)->m_pSubMenu->m_nCurrent = 2;
    f.Main().m_nCurrent = 3;
    f.Show();
    CItemPage &p = f.Page();
    QVERIFY(!p.m_checkHasSubMenu->isChecked());
    Type(p.m_editMainCount, QStringLiteral("2"));
    TabAway();
    QCOMPARE(f.Main().GetCount(), 2);
    QCOMPARE(f.Main().m_nCurrent, 1);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("Products"));
    QCOMPARE(p.m_staticMainPosition->text(), QStringLiteral("Current item is 2"));
    QVERIFY(!p.m_btnMainNext->isEnabled());
    QVERIFY(p.m_btnMainPrev->isEnabled());
    // The new last item's own sub menu is shown, at its own current item.
    QVERIFY(p.m_checkHasSubMenu->isChecked());
    QVERIFY(p.m_editSubLabel->isEnabled());
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("3"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item3"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 3"));
}

void TestItemPage::loweringSubCountBelowShownSubItem()
{
    Fixture f;
    f.Main().GetSubMenu(0)->m_nCurrent = 3;
    f.Show();
    CItemPage &p = f.Page();
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item4"));
    Type(p.m_editSubCount, QStringLiteral("2"));
    TabAway();
    const CAppletMenu &sub = *f.Main().GetItem(0)->m_pSubMenu;
    QCOMPARE(sub.GetCount(), 2);
    QCOMPARE(sub.m_nCurrent, 1);
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item2"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 2"));
    QVERIFY(!p.m_btnSubNext->isEnabled());
    QVERIFY(p.m_btnSubPrev->isEnabled());
    // The main menu is untouched.
    QCOMPARE(f.Main().GetCount(), 4);
    QCOMPARE(f.Main().m_nCurrent, 0);
}

void TestItemPage::countOutsideRangeIsRefusedAndRestored_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("main 0") << false << "0" << kRange;
    QTest::newRow("main 21") << false << "21" << kRange;
    QTest::newRow("main empty") << false << "" << QStringLiteral("Please enter an integer.");
    QTest::newRow("sub 0") << true << "0" << kRange;
    QTest::newRow("sub 21") << true << "21" << kRange;
}

void TestItemPage::countOutsideRangeIsRefusedAndRestored()
{
    QFETCH(bool, sub);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Fixture f;
    f.Main().GetSubMenu(0)->SetItemCount(3, 1);
    f.Show();
    CItemPage &p = f.Page();
    QLineEdit *count = sub ? p.m_editSubCount : p.m_editMainCount;
    // An edit made before the count was typed stays in its box.
    Type(p.m_editMainLabel, QStringLiteral("Home"));
    Type(count, typed);
    TabAway();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{message});
    QCOMPARE(count->text(), sub ? QStringLiteral("3") : QStringLiteral("4"));
    QCOMPARE(QApplication::focusWidget(), count);
    QCOMPARE(count->selectedText(), count->text());
    QCOMPARE(f.Main().GetCount(), 4);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), 3);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("Home"));
    // The restored count lets the user leave the box quietly the next time.
    TabAway();
    QCOMPARE(f.t.ui->messages.size(), 1);
}

void TestItemPage::countConfirmedWithoutFocusLossIsAppliedOnLeaving()
{
    // Enter in the count box presses the sheet's Next without moving the focus.
    Fixture f;
    f.Main().GetSubMenu(0);
    f.Show();
    CItemPage &p = f.Page();
    p.m_editMainCount->setText(QStringLiteral("7"));
    p.m_editSubCount->setText(QStringLiteral("2"));
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(f.Main().GetCount(), 7);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), 2);
}

void TestItemPage::refusedOtherCountIsToldOnceAndKeepsTypedCount_data()
{
    QTest::addColumn<bool>("pressEnter");
    QTest::newRow("Enter presses Next") << true;
    QTest::newRow("Tab leaves the box") << false;
}

void TestItemPage::refusedOtherCountIsToldOnceAndKeepsTypedCount()
{
    // A main count typed while the sub count is out of range: the check
    // moves the focus to the sub count, and the main count box losing it
    // must neither tell the same again nor throw away the count typed there.
    QFETCH(bool, pressEnter);
    Fixture f;
    f.Main().GetSubMenu(0)->SetItemCount(3, 1);
    f.Show();
    CItemPage &p = f.Page();
    p.m_editSubCount->setText(QStringLiteral("0"));
    Type(p.m_editMainCount, QStringLiteral("6"));
    if (pressEnter)
        QTest::keyClick(p.m_editMainCount, Qt::Key_Return);
    else
        TabAway();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kRange});
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageItem);
    QCOMPARE(QApplication::focusWidget(), p.m_editSubCount);
    QCOMPARE(p.m_editMainCount->text(), QStringLiteral("6"));
    p.m_editSubCount->setText(QStringLiteral("2"));
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.Main().GetCount(), 6);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), 2);
}

void TestItemPage::hasSubMenuOnAndOff()
{
    Fixture f;
    f.Show();
    CItemPage &p = f.Page();
    QVERIFY(!p.m_editSubCount->isEnabled());
    QVERIFY(p.m_editSubCount->text().isEmpty());

    p.m_checkHasSubMenu->click();
    CAppletMenu *sub = f.Main().GetItem(0)->m_pSubMenu.get();
    QVERIFY(sub);
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("4"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 1"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item1"));
    QVERIFY(p.m_editSubLabel->isEnabled());
    QVERIFY(!p.m_btnSubPrev->isEnabled());
    QVERIFY(p.m_btnSubNext->isEnabled());
    QCOMPARE(QApplication::focusWidget(), p.m_editSubCount);

    // Name a sub item so that keeping and discarding can be told apart.
    Type(p.m_editSubLabel, QStringLiteral("Kept"));
    p.m_btnSubNext->click();
    QCOMPARE(sub->GetItem(0)->m_strLabel, QStringLiteral("Kept"));

    f.t.ui->messageAnswers = {QMessageBox::No};
    p.m_checkHasSubMenu->click();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.t.ui->messages[0].text, QStringLiteral("This Operation will destory submenu,Can you Sure?"));
    QCOMPARE(f.t.ui->messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(p.m_checkHasSubMenu->isChecked());
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu.get(), sub);
    QCOMPARE(sub->GetItem(0)->m_strLabel, QStringLiteral("Kept"));
    QVERIFY(p.m_editSubLabel->isEnabled());

    f.t.ui->messageAnswers = {QMessageBox::Yes};
    p.m_checkHasSubMenu->click();
    QVERIFY(!p.m_checkHasSubMenu->isChecked());
    QVERIFY(!f.Main().GetItem(0)->m_pSubMenu);
    QVERIFY(!p.m_editSubLabel->isEnabled());
    QVERIFY(!p.m_btnSubPrev->isEnabled());
    QVERIFY(!p.m_btnSubNext->isEnabled());

    p.m_checkHasSubMenu->click();
    sub = f.Main().GetItem(0)->m_pSubMenu.get();
    QVERIFY(sub);
    QCOMPARE(sub->GetCount(), 4);
    QCOMPARE(sub->GetItem(0)->m_strLabel, QStringLiteral("item1"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item1"));
}

void TestItemPage::subPanelEmptyWithoutSubMenu_data()
{
    QTest::addColumn<bool>("remove");
    QTest::newRow("sub menu removed") << true;
    QTest::newRow("main item without one shown") << false;
}

void TestItemPage::subPanelEmptyWithoutSubMenu()
{
    QFETCH(bool, remove);
    Fixture f;
    CAppletMenu *sub = f.Main().GetSubMenu(0);
    sub->SetItemCount(6, 1);
    CAppletMenuItem *item = sub->GetItem(0);
    item->m_strLabel = QStringLiteral("Team");
    item->m_strLink = QStringLiteral("team.htm");
    item->m_strTarget = QStringLiteral("_blank");
    item->m_strImage = QStringLiteral("/pics/team.gif");
    f.Show();
    CItemPage &p = f.Page();
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("Team"));

    if (remove) {
        f.t.ui->messageAnswers = {QMessageBox::Yes};
        p.m_checkHasSubMenu->click();
        QVERIFY(!f.Main().GetItem(0)->m_pSubMenu);
    } else {
        p.m_btnMainNext->click();
    }
    QVERIFY(!p.m_checkHasSubMenu->isChecked());
    for (QWidget *box : std::initializer_list<QWidget *>{p.m_editSubCount, p.m_editSubLabel, p.m_editSubLink,
                                                         p.m_comboSubTarget, p.m_editSubImage}) {
        QVERIFY2(!box->isEnabled(), qPrintable(box->accessibleName()));
        const QString text = box == p.m_comboSubTarget ? p.m_comboSubTarget->currentText()
                                                       : static_cast<QLineEdit *>(box)->text();
        QVERIFY2(text.isEmpty(), qPrintable(box->accessibleName() + QStringLiteral(": ") + text));
    }
    QVERIFY(p.m_staticSubPosition->text().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(p.m_staticSubPosition)->text(QAccessible::Name),
             QStringLiteral("Sub menu: no current item"));

    // The empty panel holds nothing back: the page is left and entered again.
    f.sheet->NextButton()->click();
    QVERIFY(f.t.ui->messages.size() <= 1);
    QVERIFY(f.sheet->GetActivePage() != &p);
    f.sheet->BackButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QVERIFY(p.m_editSubLabel->text().isEmpty());
    if (!remove) {
        // Its own sub menu shows again with the main item that has it.
        p.m_btnMainPrev->click();
        QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("Team"));
        QCOMPARE(p.m_editSubCount->text(), QStringLiteral("6"));
        QCOMPARE(p.m_comboSubTarget->currentText(), QStringLiteral("_blank"));
    }
}

void TestItemPage::subItemRememberedPerMainItem()
{
    Fixture f;
    f.Main().GetSubMenu(0);
    f.Main().GetSubMenu(1);
    f.Show();
    CItemPage &p = f.Page();
    p.m_btnSubNext->click();
    p.m_btnSubNext->click();
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 3"));
    p.m_btnMainNext->click();
    QCOMPARE(p.m_staticMainPosition->text(), QStringLiteral("Current item is 2"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 1"));
    QCOMPARE(QApplication::focusWidget(), p.m_editMainLabel);
    QCOMPARE(p.m_editMainLabel->selectedText(), QStringLiteral("item2"));
    p.m_btnMainPrev->click();
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 3"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item3"));
    QVERIFY(p.m_btnSubPrev->isEnabled());
    QVERIFY(p.m_btnSubNext->isEnabled());

    // The page reopens where it was left.
    f.sheet->BackButton()->click();
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 3"));
}

void TestItemPage::firstImageFillsEveryItem_data()
{
    QTest::addColumn<bool>("sub");
    QTest::newRow("main menu") << false;
    QTest::newRow("sub menu") << true;
}

void TestItemPage::firstImageFillsEveryItem()
{
    QFETCH(bool, sub);
    Fixture f;
    f.Main().GetSubMenu(0);
    f.Show();
    CItemPage &p = f.Page();
    CAppletMenu &menu = sub ? *f.Main().GetItem(0)->m_pSubMenu : f.Main();
    QPushButton *browse = sub ? p.m_btnSubBrowse : p.m_btnMainBrowse;
    QLineEdit *image = sub ? p.m_editSubImage : p.m_editMainImage;

    f.t.ui->openFileAnswers = {QStringLiteral("/pics/a,b.gif"), QStringLiteral("/pics/bar.gif"), QString(),
                               QStringLiteral("/pics/other.jpg")};
    // A path with a comma could not reach the applet whole: it is refused.
    browse->click();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QVERIFY(f.t.ui->messages[0].text.startsWith(QStringLiteral("A comma cannot be used")));
    QVERIFY(image->text().isEmpty());
    for (const auto &item : menu.m_items)
        QVERIFY(item->m_strImage.isEmpty());

    browse->click();
    QCOMPARE(f.t.ui->openFileRequests.size(), 2);
    QCOMPARE(f.t.ui->openFileRequests[0].filter,
             QStringLiteral("Image Files(*.GIF,*.JPG.*.JPEG) | *.gif;*.jpg;*.jpeg ||"));
    QCOMPARE(image->text(), QStringLiteral("/pics/bar.gif"));
    for (const auto &item : menu.m_items)
        QCOMPARE(item->m_strImage, QStringLiteral("/pics/bar.gif"));

    // A cancelled choice changes nothing.
    (sub ? p.m_btnSubNext : p.m_btnMainNext)->click();
    browse->click();
    QCOMPARE(image->text(), QStringLiteral("/pics/bar.gif"));

    // With images already given, a choice is only the shown item's, once stored.
    browse->click();
    QCOMPARE(image->text(), QStringLiteral("/pics/other.jpg"));
    QCOMPARE(menu.GetItem(1)->m_strImage, QStringLiteral("/pics/bar.gif"));
    (sub ? p.m_btnSubNext : p.m_btnMainNext)->click();
    QCOMPARE(menu.GetItem(1)->m_strImage, QStringLiteral("/pics/other.jpg"));
    for (int i : {0, 2, 3})
        QCOMPARE(menu.GetItem(i)->m_strImage, QStringLiteral("/pics/bar.gif"));
}

void TestItemPage::typedTargetKeptExactly()
{
    Fixture f;
    f.Main().GetItem(1)->m_strTarget = QStringLiteral("_T");
    f.Show();
    CItemPage &p = f.Page();
    QComboBox *target = p.m_comboMainTarget;
    QCOMPARE(target->count(), 4);
    QCOMPARE(target->itemText(0), QStringLiteral("_self"));
    QCOMPARE(target->itemText(3), QStringLiteral("_blank"));
    QCOMPARE(target->currentText(), QString());

    // Frame names that merely begin like a list entry are kept as typed.
    Type(target, QStringLiteral("_sel"));
    p.m_btnMainNext->click();
    QCOMPARE(f.Main().GetItem(0)->m_strTarget, QStringLiteral("_sel"));
    // A stored value that begins like an entry selects the entry.
    QCOMPARE(target->currentText(), QStringLiteral("_top"));
    Type(target, QStringLiteral("Content Frame"));
    p.m_btnMainPrev->click();
    QCOMPARE(f.Main().GetItem(1)->m_strTarget, QStringLiteral("Content Frame"));
    QCOMPARE(target->count(), 4);
}

void TestItemPage::leavingStoresShownItems_data()
{
    QTest::addColumn<bool>("next");
    QTest::newRow("Next") << true;
    QTest::newRow("Back") << false;
}

void TestItemPage::leavingStoresShownItems()
{
    QFETCH(bool, next);
    Fixture f;
    f.Main().GetSubMenu(2)->m_nCurrent = 1;
    f.Main().m_nCurrent = 2;
    f.Show();
    CItemPage &p = f.Page();
    Type(p.m_editMainLabel, QStringLiteral("Contact"));
    Type(p.m_editMainLink, QStringLiteral("contact.html"));
    Type(p.m_comboMainTarget, QStringLiteral("_blank"));
    Type(p.m_editSubLabel, QStringLiteral("Mail"));
    Type(p.m_editSubLink, QStringLiteral("mailto:a@b.example"));
    QSignalSpy stored(f.sheet, &CMenuWizardSheet::ConfigurationStored);
    (next ? f.sheet->NextButton() : f.sheet->BackButton())->click();
    QCOMPARE(f.sheet->GetActivePage(), next ? static_cast<CWizardPage *>(&f.sheet->m_pageHTML)
                                            : &f.sheet->m_pageSubItemStyle);
    QVERIFY(stored.count() >= 1);
    const CAppletMenuItem *item = f.Main().GetItem(2);
    QCOMPARE(item->m_strLabel, QStringLiteral("Contact"));
    QCOMPARE(item->m_strLink, QStringLiteral("contact.html"));
    QCOMPARE(item->m_strTarget, QStringLiteral("_blank"));
    QCOMPARE(item->m_pSubMenu->GetItem(1)->m_strLabel, QStringLiteral("Mail"));
    QCOMPARE(item->m_pSubMenu->GetItem(1)->m_strLink, QStringLiteral("mailto:a@b.example"));
    QCOMPARE(f.Main().GetItem(0)->m_strLabel, QStringLiteral("item1"));
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestItemPage::oversizedLoadedMenus()
{
    // Only a hand-made file gives such menus: 25 main items, an empty sub menu.
    Fixture f;
    f.Main().SetItemCount(25, 1);
    f.Main().GetSubMenu(0)->SetItemCount(0, 1);
    f.Show();
    CItemPage &p = f.Page();
    QCOMPARE(p.m_editMainCount->text(), QStringLiteral("25"));
    QVERIFY(p.m_checkHasSubMenu->isChecked());
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("1"));

    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kRange});
    QCOMPARE(QApplication::focusWidget(), p.m_editMainCount);
    f.sheet->BackButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);

    Type(p.m_editMainCount, QStringLiteral("20"));
    TabAway();
    QCOMPARE(f.Main().GetCount(), 20);
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(f.t.ui->messages.size(), 2);
}

void TestItemPage::commaIsRefused_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("action");
    const QStringList boxes = {"1041", "1043", "1022", "1042", "1047", "1049", "1023", "1048"};
    const QStringList actions = {"main next", "sub next", "main count", "sub count", "has submenu",
                                 "sheet next", "sheet back"};
    // Every shown box is checked, and every action that stores is refused.
    for (const QString &box : boxes)
        QTest::addRow("%s, main next", qPrintable(box)) << box << actions[0];
    for (int j = 1; j < actions.size(); ++j) {
        // Unticking Has SubMenu deletes the sub panel's item: only the main
        // panel is checked then (see subMenuTextsNotCheckedWhenRemoved).
        const QString &box = actions[j] == "has submenu" ? boxes[1] : boxes[(j * 3) % boxes.size()];
        QTest::addRow("%s, %s", qPrintable(box), qPrintable(actions[j])) << box << actions[j];
    }
}

void TestItemPage::commaIsRefused()
{
    QFETCH(QString, box);
    QFETCH(QString, action);
    Fixture f;
    f.Main().GetSubMenu(0);
    f.Show();
    CItemPage &p = f.Page();
    QWidget *edit = p.findChild<QWidget *>(box);
    QVERIFY(edit);
    Type(edit, QStringLiteral("Tea, coffee"));

    if (action == "main next") {
        p.m_btnMainNext->click();
    } else if (action == "sub next") {
        p.m_btnSubNext->click();
    } else if (action == "main count" || action == "sub count") {
        QLineEdit *count = action == "main count" ? p.m_editMainCount : p.m_editSubCount;
        Type(count, QStringLiteral("6"));
        TabAway();
    } else if (action == "has submenu") {
        f.t.ui->messageAnswers = {QMessageBox::Yes};
        p.m_checkHasSubMenu->click();
    } else if (action == "sheet next") {
        f.sheet->NextButton()->click();
    } else {
        f.sheet->BackButton()->click();
    }

    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kComma});
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(f.Main().m_nCurrent, 0);
    QCOMPARE(f.Main().GetCount(), 4);
    QVERIFY(f.Main().GetItem(0)->m_pSubMenu);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->m_nCurrent, 0);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), 4);
    QVERIFY(p.m_checkHasSubMenu->isChecked());
    // A typed count is not applied, nor thrown away.
    QCOMPARE(p.m_editMainCount->text(), QLatin1String(action == "main count" ? "6" : "4"));
    QCOMPARE(p.m_editSubCount->text(), QLatin1String(action == "sub count" ? "6" : "4"));
    // Nothing was stored and nothing was cut: the text waits to be mended.
    for (const CAppletMenuItem *item : {f.Main().GetItem(0), f.Main().GetItem(0)->m_pSubMenu->GetItem(0)}) {
        QCOMPARE(item->m_strLabel, QStringLiteral("item1"));
        QVERIFY(item->m_strLink.isEmpty() && item->m_strTarget.isEmpty() && item->m_strImage.isEmpty());
    }
    const QString shown = box.startsWith("102") ? static_cast<QComboBox *>(edit)->currentText()
                                                : static_cast<QLineEdit *>(edit)->text();
    QCOMPARE(shown, QStringLiteral("Tea, coffee"));

    // Once mended, the same action goes through.
    Type(edit, QStringLiteral("Tea and coffee"));
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(f.t.ui->MessageTexts().count(kComma), 1);
    QCOMPARE(f.Main().GetCount(), action == "main count" ? 6 : 4);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), action == "sub count" ? 6 : 4);
}

void TestItemPage::liveValuesReachACopyOnly()
{
    Fixture f;
    f.Main().GetSubMenu(1)->m_nCurrent = 2;
    f.Main().m_nCurrent = 1;
    f.Show();
    CItemPage &p = f.Page();
    QSignalSpy edited(&p, &CWizardPage::ValuesEdited);
    Type(p.m_editMainLabel, QStringLiteral("About"));
    QVERIFY(edited.count() > 0);
    Type(p.m_editSubLink, QStringLiteral("team.html"));
    Type(p.m_comboSubTarget, QStringLiteral("right"));

    CAppletParameters copy;
    copy.CopyFrom(f.t.app.m_params);
    p.ApplyShownValues(copy);
    QCOMPARE(copy.m_pMainMenu->GetItem(1)->m_strLabel, QStringLiteral("About"));
    QCOMPARE(copy.m_pMainMenu->GetItem(1)->m_pSubMenu->GetItem(2)->m_strLink, QStringLiteral("team.html"));
    QCOMPARE(copy.m_pMainMenu->GetItem(1)->m_pSubMenu->GetItem(2)->m_strTarget, QStringLiteral("right"));
    QCOMPARE(copy.m_pMainMenu->GetItem(0)->m_strLabel, QStringLiteral("item1"));
    // The configuration itself is untouched until the page stores.
    QCOMPARE(f.Main().GetItem(1)->m_strLabel, QStringLiteral("item2"));
    QVERIFY(f.Main().GetItem(1)->m_pSubMenu->GetItem(2)->m_strLink.isEmpty());

    // Once another page is shown, the item page's boxes are not news.
    f.sheet->BackButton()->click();
    CAppletParameters other;
    p.ApplyShownValues(other);
    QCOMPARE(other.m_pMainMenu->GetItem(1)->m_strLabel, QStringLiteral("item2"));
}

void TestItemPage::subMenuTextsNotCheckedWhenRemoved_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("yes");
    for (const char *box : {"1047", "1049", "1023", "1048"}) {
        QTest::addRow("%s, Yes", box) << box << true;
        QTest::addRow("%s, No", box) << box << false;
    }
}

void TestItemPage::subMenuTextsNotCheckedWhenRemoved()
{
    // Unticking Has SubMenu deletes the sub panel's item: a comma there is
    // not in the way, and the question is asked.
    QFETCH(QString, box);
    QFETCH(bool, yes);
    Fixture f;
    f.Main().GetSubMenu(0);
    f.Show();
    CItemPage &p = f.Page();
    QWidget *edit = p.findChild<QWidget *>(box);
    Type(edit, QStringLiteral("Tea, coffee"));
    f.t.ui->messageAnswers = {yes ? QMessageBox::Yes : QMessageBox::No};
    p.m_checkHasSubMenu->click();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{QStringLiteral("This Operation will destory submenu,Can you Sure?")});
    QCOMPARE(bool(f.Main().GetItem(0)->m_pSubMenu), !yes);
    QCOMPARE(p.m_checkHasSubMenu->isChecked(), !yes);
    // A kept sub menu keeps its text, and the text is still checked.
    p.m_btnMainNext->click();
    if (yes) {
        QCOMPARE(f.Main().m_nCurrent, 1);
        QCOMPARE(f.t.ui->messages.size(), 1);
    } else {
        QCOMPARE(f.Main().m_nCurrent, 0);
        QCOMPARE(f.t.ui->MessageTexts().last(), kComma);
    }
}

void TestItemPage::loadedSubMenuOverTwentyDoesNotTrapMoves()
{
    // A hand-made or older project may hold up to 200 sub items.
    Fixture f;
    f.Main().GetSubMenu(0)->SetItemCount(25, 1);
    f.Main().GetSubMenu(1)->SetItemCount(22, 1);
    f.Show();
    CItemPage &p = f.Page();
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("25"));
    p.m_btnMainNext->click();
    QCOMPARE(f.Main().m_nCurrent, 1);
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("22"));
    p.m_btnSubNext->click();
    QCOMPARE(f.Main().GetItem(1)->m_pSubMenu->m_nCurrent, 1);
    p.m_btnMainNext->click();
    p.m_btnMainPrev->click();
    p.m_btnMainPrev->click();
    QCOMPARE(f.Main().m_nCurrent, 0);
    p.m_treeMenu->setCurrentItem(p.m_treeMenu->ItemOf({1, 20}));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item21"));
    QVERIFY(f.t.ui->messages.isEmpty());

    // A count the user types is still held to 1..20.
    Type(p.m_editSubCount, QStringLiteral("21"));
    TabAway();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kRange});
    QCOMPARE(p.m_editSubCount->text(), QStringLiteral("22"));
    QCOMPARE(f.Main().GetItem(1)->m_pSubMenu->GetCount(), 22);
    // Leaving the page holds the shown menus to 20, as for the main menu.
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QCOMPARE(f.t.ui->MessageTexts(), (QStringList{kRange, kRange}));
    Type(p.m_editSubCount, QStringLiteral("20"));
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(f.Main().GetItem(1)->m_pSubMenu->GetCount(), 20);
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetCount(), 25);
}

void TestItemPage::positionReachesAssistiveTechnology()
{
    Fixture f;
    f.Main().GetSubMenu(1);
    f.Show();
    CItemPage &p = f.Page();
    auto name = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    QCOMPARE(name(p.m_staticMainPosition), QStringLiteral("Main menu: Current item is 1"));
    QCOMPARE(name(p.m_staticSubPosition), QStringLiteral("Sub menu: no current item"));
    p.m_btnMainNext->click();
    QCOMPARE(name(p.m_staticMainPosition), QStringLiteral("Main menu: Current item is 2"));
    QCOMPARE(name(p.m_staticSubPosition), QStringLiteral("Sub menu: Current item is 1"));
    p.m_btnSubNext->click();
    p.m_btnSubNext->click();
    QCOMPARE(name(p.m_staticSubPosition), QStringLiteral("Sub menu: Current item is 3"));
}

QTEST_MAIN(TestItemPage)
void TestItemPage::pictureWithoutLabelIsNamed_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("image");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("note"); // empty: no note shown
    QTest::newRow("label and picture") << false << "Home" << "home.gif" << "index.html" << "";
    QTest::newRow("label alone") << false << "Home" << "" << "" << "";
    QTest::newRow("picture, link") << false << "" << "home.gif" << "about-us.html"
        << "No label: screen readers will call this item \"About us\" (from its link).";
    QTest::newRow("picture, no link") << true << "" << "pics/contact_us.gif" << ""
        << "No label: screen readers will call this item \"Contact us\" (from its picture).";
    QTest::newRow("picture, link that runs code") << false << "" << "help.gif" << "javascript:x()"
        << "No label: screen readers will call this item \"Help\" (from its picture).";
}

// The item page tells the author what a picture without a label is called.
void TestItemPage::pictureWithoutLabelIsNamed()
{
    QFETCH(bool, sub);
    QFETCH(QString, label);
    QFETCH(QString, image);
    QFETCH(QString, link);
    QFETCH(QString, note);
    Fixture f;
    f.Main().GetItem(0)->GetSubMenu();
    f.Show();
    CItemPanel *panel = sub ? f.Page().m_pSub : f.Page().m_pMain;
    panel->m_editImage->setText(image);
    panel->m_editLink->setText(link);
    panel->m_editLabel->setText(label);
    QCOMPARE(panel->m_staticName->isVisible(), !note.isEmpty());
    if (!note.isEmpty()) {
        QCOMPARE(panel->m_staticName->text(), note);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(panel->m_staticName);
        QVERIFY(a);
        QCOMPARE(a->text(QAccessible::Name), note);
    }
    // Typing a label takes the note away.
    panel->m_editLabel->setText(QStringLiteral("Named"));
    QVERIFY(!panel->m_staticName->isVisible());
}

#include "tst_itempage.moc"
