#include "TestApp.h"
#include "model/menu/AppletMenu.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// Radio buttons and check boxes act on their state, however it is set: by a
// click, by code, or by an assistive technology's Toggle action.
class TestToggleState : public QObject {
    Q_OBJECT
private slots:
    void dependentControlsFollow_data();
    void dependentControlsFollow();
};

namespace {

enum class Choice { TemplateChoice, BrowserChoice, MenuChoice, ItemState, SubItemState, HasSubMenu };
enum class Way { Click, SetChecked, ToggleAction };

// Sets `button` to `checked` the way the row names; `kept`: the page lets it stand.
void Set(QAbstractButton *button, bool checked, Way way, bool kept = true)
{
    QVERIFY(button && button->isEnabled());
    QVERIFY(button->isChecked() != checked);
    switch (way) {
    case Way::Click:
        button->click();
        break;
    case Way::SetChecked:
        button->setChecked(checked);
        break;
    case Way::ToggleAction: {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(button);
        QVERIFY(iface && iface->actionInterface());
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QVERIFY(iface->actionInterface()->actionNames().contains(toggle));
        iface->actionInterface()->doAction(toggle);
        break;
    }
    }
    QCOMPARE(button->isChecked(), kept ? checked : !checked);
}

template <typename T> T *Find(QWidget *parent, const char *id)
{
    T *w = Control<T>(parent, id);
    if (!w)
        qFatal("no control %s", id);
    return w;
}

} // namespace

void TestToggleState::dependentControlsFollow_data()
{
    QTest::addColumn<Choice>("control");
    QTest::addColumn<Way>("way");
    const struct {
        Choice control;
        const char *name;
    } controls[] = {{Choice::TemplateChoice, "template page: new or saved"},
                    {Choice::BrowserChoice, "options: default or user browser"},
                    {Choice::MenuChoice, "menu style page: main or sub menu"},
                    {Choice::ItemState, "item style page: state"},
                    {Choice::SubItemState, "sub item style page: state"},
                    {Choice::HasSubMenu, "item page: Has SubMenu"}};
    const struct {
        Way way;
        const char *name;
    } ways[] = {{Way::Click, "click"}, {Way::SetChecked, "setChecked"}, {Way::ToggleAction, "Toggle action"}};
    for (const auto &c : controls)
        for (const auto &w : ways)
            QTest::addRow("%s, %s", c.name, w.name) << c.control << w.way;
}

void TestToggleState::dependentControlsFollow()
{
    QFETCH(Choice, control);
    QFETCH(Way, way);

    CTestApp t;
    CAppletParameters &p = t.app.m_params;
    p.m_mmWidth = 100;
    p.m_smWidth = 140;
    p.m_mmHeight = p.m_smHeight = 20;
    p.m_miItemFillStyle1 = 1;
    p.m_miItemFillStyle2 = 5;
    p.m_siItemFillStyle1 = 2;
    p.m_siItemFillStyle2 = 7;
    CMenuWizardSheet &sheet = t.OpenSheet();
    QSignalSpy stored(&sheet, &CMenuWizardSheet::ConfigurationStored);

    switch (control) {
    case Choice::TemplateChoice: {
        CTemplatePage &page = sheet.m_pageTemplate;
        sheet.SetActivePage(&page);
        auto *list = Find<QListWidget>(&page, "1055");
        auto *browse = Find<QPushButton>(&page, "1007");
        QVERIFY(list->isEnabled() && !browse->isEnabled());
        Set(Find<QAbstractButton>(&page, "1059"), true, way);
        QVERIFY(!list->isEnabled());
        QVERIFY(browse->isEnabled());
        Set(Find<QAbstractButton>(&page, "1056"), true, way);
        QVERIFY(list->isEnabled());
        QVERIFY(!browse->isEnabled());
        break;
    }
    case Choice::BrowserChoice: {
        t.app.m_bUseDefaultBrowser = 1;
        COptionsDlg dlg(t.app);
        auto *file = Find<QLineEdit>(&dlg, "1006");
        auto *browse = Find<QPushButton>(&dlg, "1007");
        QVERIFY(!file->isEnabled() && !browse->isEnabled());
        Set(Find<QAbstractButton>(&dlg, "1010"), true, way);
        QVERIFY(file->isEnabled() && browse->isEnabled());
        Set(Find<QAbstractButton>(&dlg, "1009"), true, way);
        QVERIFY(!file->isEnabled() && !browse->isEnabled());
        break;
    }
    case Choice::MenuChoice: {
        CMenuStylePage &page = sheet.m_pageMenuStyle;
        sheet.SetActivePage(&sheet.m_pageTemplate);
        sheet.SetActivePage(&page);
        QSignalSpy edited(&page, &CWizardPage::ValuesEdited);
        auto *width = Find<QLineEdit>(&page, "1027");
        QCOMPARE(width->text(), QStringLiteral("100"));
        Set(Find<QAbstractButton>(&page, "1013"), true, way);
        QCOMPARE(width->text(), QStringLiteral("140"));
        QCOMPARE(page.m_nMenu, 1);
        QCOMPARE(edited.count(), 1); // one switch, handled once
        Set(Find<QAbstractButton>(&page, "1044"), true, way);
        QCOMPARE(width->text(), QStringLiteral("100"));
        QCOMPARE(page.m_nMenu, 0);
        QCOMPARE(edited.count(), 2);
        QCOMPARE(p.m_mmWidth, 100);
        QCOMPARE(p.m_smWidth, 140);
        break;
    }
    case Choice::ItemState:
    case Choice::SubItemState: {
        const bool sub = control == Choice::SubItemState;
        CItemStylePageBase &page = sub ? static_cast<CItemStylePageBase &>(sheet.m_pageSubItemStyle)
                                       : sheet.m_pageItemStyle;
        sheet.SetActivePage(&sheet.m_pageTemplate);
        sheet.SetActivePage(&page);
        QSignalSpy edited(&page, &CWizardPage::ValuesEdited);
        auto *fill = Find<QComboBox>(&page, "1045");
        QCOMPARE(fill->currentIndex(), sub ? 2 : 1);
        Set(Find<QAbstractButton>(&page, "1068"), true, way);
        QCOMPARE(fill->currentIndex(), sub ? 7 : 5);
        QCOMPARE(page.m_nState, 1);
        QCOMPARE(edited.count(), 1);
        Set(Find<QAbstractButton>(&page, "1032"), true, way);
        QCOMPARE(fill->currentIndex(), sub ? 2 : 1);
        QCOMPARE(page.m_nState, 0);
        QCOMPARE(edited.count(), 2);
        QCOMPARE(sub ? p.m_siItemFillStyle2 : p.m_miItemFillStyle2, sub ? 7 : 5);
        break;
    }
    case Choice::HasSubMenu: {
        CItemPage &page = sheet.m_pageItem;
        sheet.SetActivePage(&page);
        CAppletMenu &menu = *p.m_pMainMenu;
        auto *subCount = Find<QLineEdit>(&page, "1050");
        QVERIFY(!menu.GetItem(0)->m_pSubMenu && !subCount->isEnabled());
        stored.clear();
        Set(Find<QAbstractButton>(&page, "1040"), true, way);
        QVERIFY(menu.GetItem(0)->m_pSubMenu);
        QVERIFY(subCount->isEnabled());
        QCOMPARE(subCount->text(), QStringLiteral("4"));
        QCOMPARE(stored.count(), 1);
        // Removing it asks once; Yes removes it.
        t.ui->messageAnswers = {QMessageBox::Yes};
        Set(Find<QAbstractButton>(&page, "1040"), false, way);
        QCOMPARE(t.ui->messages.size(), 1);
        QVERIFY(!menu.GetItem(0)->m_pSubMenu);
        QVERIFY(!subCount->isEnabled());
        // No keeps it, and the box is ticked again.
        Set(Find<QAbstractButton>(&page, "1040"), true, way);
        t.ui->messageAnswers = {QMessageBox::No};
        Set(Find<QAbstractButton>(&page, "1040"), false, way, false);
        QCOMPARE(t.ui->messages.size(), 2);
        QVERIFY(menu.GetItem(0)->m_pSubMenu);
        break;
    }
    }
}

QTEST_MAIN(TestToggleState)
#include "tst_togglestate.moc"
