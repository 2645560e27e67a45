#include "TestApp.h"
#include "Typing.h"
#include "model/config/UndoHistory.h"
#include "store/ini/IniFile.h"
#include "store/project/StoredConfig.h"
#include "wizard/widgets/ColorButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

// Undo and redo across the wizard, and copying styles, driven as a user
// does: keys, the sheet's buttons and the pages' own controls.
class TestUndo : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoEachAction_data();
    void undoAndRedoEachAction();
    void keysInATextBoxUndoWholeSteps_data();
    void keysInATextBoxUndoWholeSteps();
    void undoShowsTheItemItChanged_data();
    void undoShowsTheItemItChanged();
    void failedCheckUndoesNothing();
    void finishPageTextKeepsItsOwnUndo();
    void everyStepBackToTheTemplateAndForward();
    void undoneTemplateLoadRemembersTheSourceBefore();
    void freshHistoryFromTheTemplateStartNewAndReopen();
    void buttonsSayWhatTheyTakeBack();
    void copyStyle_data();
    void copyStyle();
    void copyToTheOtherMenuFollowsTheMenuShown();
};

namespace {

enum Page { kTemplate = 1, kGeneral = 2, kMenuStyle = 3, kItemStyle = 4, kSubItemStyle = 5, kItem = 6,
            kFinish = 7 };

struct Fixture {
    // The wizard with the first template loaded, on the general page.
    Fixture()
    {
        sheet = &t.OpenSheet();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        Next();
        Next();
    }
    void Next() { QTest::mouseClick(sheet->NextButton(), Qt::LeftButton); }
    void Back() { QTest::mouseClick(sheet->BackButton(), Qt::LeftButton); }
    void GoTo(int page)
    {
        for (int guard = 0; guard < 10 && sheet->GetActiveIndex() < page; ++guard)
            Next();
        for (int guard = 0; guard < 10 && sheet->GetActiveIndex() > page; ++guard)
            Back();
        QCOMPARE(sheet->GetActiveIndex(), page);
    }
    // The keys go where the keyboard is, as a user's would.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget *w = QApplication::focusWidget();
        if (!w || w->window() != sheet)
            w = sheet;
        QTest::keyClick(w, key, modifiers);
    }
    void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Key(Qt::Key_Y, Qt::ControlModifier); }
    CAppletParameters &Params() { return t.app.m_params; }
    CItemPage &Items() { return sheet->m_pageItem; }
    // The project file of the configuration, and of what the page shows.
    QByteArray Project() { return ProjectIniFor(Params()).ToBytes(); }
    QByteArray ShownProject()
    {
        CAppletParameters shown;
        shown.CopyFrom(Params());
        sheet->GetActivePage()->ApplyShownValues(shown);
        return ProjectIniFor(shown).ToBytes();
    }
    // The active page shows exactly the configuration's values.
    bool PageShowsConfiguration() { return ShownProject() == Project(); }
    template <typename T> T *Named(const QString &name)
    {
        for (T *w : sheet->GetActivePage()->findChildren<T *>())
            if (w->accessibleName() == name || (w->accessibleName().isEmpty() && w->text() == name))
                return w;
        return nullptr;
    }
    void Click(const QString &name)
    {
        auto *b = Named<QAbstractButton>(name);
        QVERIFY2(b, qPrintable(name));
        QVERIFY2(b->isEnabled(), qPrintable(name));
        b->click();
    }
    void SelectNode(int nMain, int nSub = -1)
    {
        CMenuTreeView *tree = Items().m_treeMenu;
        tree->setCurrentItem(tree->ItemOf({nMain, nSub}));
    }
    // The first main item with a sub menu.
    int MainWithSubMenu()
    {
        const CAppletMenu &menu = *Params().m_pMainMenu;
        for (int i = 0; i < menu.GetCount(); ++i)
            if (menu.GetItem(i)->m_pSubMenu)
                return i;
        return -1;
    }

    CTestApp t;
    CMenuWizardSheet *sheet = nullptr;
};

using Action = std::function<void(Fixture &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

void TestUndo::undoAndRedoEachAction_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<Action>("prepare");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("what");
    const Action none = [](Fixture &) {};

    QTest::newRow("page stored by Next")
        << int(kGeneral) << none << Action([](Fixture &f) {
               Type(Control<QLineEdit>(f.sheet, "1013"), "Stored title");
               f.Next();
           })
        << "Set General Parameters";
    QTest::newRow("page stored by Back")
        << int(kMenuStyle) << none << Action([](Fixture &f) {
               Type(Control<QLineEdit>(f.sheet, "1027"), "123");
               f.Back();
           })
        << "Set Menu Style";
    QTest::newRow("values shown, not stored")
        << int(kGeneral) << none
        << Action([](Fixture &f) { Type(Control<QLineEdit>(f.sheet, "1013"), "Typed title"); })
        << "Set General Parameters";
    QTest::newRow("state shown, not stored")
        << int(kSubItemStyle) << none << Action([](Fixture &f) {
               f.t.ui->colorAnswers = {0x123456};
               QTest::mouseClick(Control<CColorButton>(f.sheet->GetActivePage(), "1046"), Qt::LeftButton);
           })
        << "Set Sub Menu Item Style";
    QTest::newRow("item edit")
        << int(kItem) << none << Action([](Fixture &f) {
               Type(f.Items().m_editMainLabel, "Edited");
               QTest::mouseClick(f.Items().m_btnMainNext, Qt::LeftButton);
           })
        << "Edit Item";
    QTest::newRow("insert") << int(kItem) << Action([](Fixture &f) { f.SelectNode(1); })
                            << Action([](Fixture &f) { f.Click("Insert Item"); }) << "Insert Item";
    QTest::newRow("insert sub item")
        << int(kItem) << Action([](Fixture &f) { f.SelectNode(f.MainWithSubMenu(), 0); })
        << Action([](Fixture &f) { f.Click("Insert Item"); }) << "Insert Item";
    QTest::newRow("delete") << int(kItem) << Action([](Fixture &f) { f.SelectNode(2); })
                            << Action([](Fixture &f) {
                                   f.t.ui->messageAnswers = {QMessageBox::Yes};
                                   f.Click("Delete Item");
                               })
                            << "Delete Item";
    QTest::newRow("move down") << int(kItem) << Action([](Fixture &f) { f.SelectNode(0); })
                               << Action([](Fixture &f) { f.Click("Move Down"); }) << "Move Down";
    QTest::newRow("move up") << int(kItem) << Action([](Fixture &f) { f.SelectNode(2); })
                             << Action([](Fixture &f) { f.Click("Move Up"); }) << "Move Up";
    QTest::newRow("sub menu removed")
        << int(kItem) << Action([](Fixture &f) { f.SelectNode(f.MainWithSubMenu()); })
        << Action([](Fixture &f) {
               f.t.ui->messageAnswers = {QMessageBox::Yes};
               f.Items().m_checkHasSubMenu->click();
           })
        << "Remove Sub Menu";
    QTest::newRow("template loaded over edits")
        << int(kGeneral) << Action([](Fixture &f) {
               Type(Control<QLineEdit>(f.sheet, "1013"), "Edited first");
               f.Back();
               f.sheet->m_pageTemplate.m_listTemplates->setCurrentRow(2);
           })
        << Action([](Fixture &f) { f.Next(); }) << "Load Template";
    QTest::newRow("copy to other states")
        << int(kItemStyle) << none << Action([](Fixture &f) { f.Click("Copy to Other States"); })
        << "Copy to Other States";
    QTest::newRow("copy to sub menu items")
        << int(kItemStyle) << none << Action([](Fixture &f) { f.Click("Copy to Sub Menu"); })
        << "Copy to Sub Menu";
    QTest::newRow("copy to main menu items")
        << int(kSubItemStyle) << Action([](Fixture &f) { f.Click("Mouse Move"); })
        << Action([](Fixture &f) { f.Click("Copy to Main Menu"); }) << "Copy to Main Menu";
    QTest::newRow("copy menu style")
        << int(kMenuStyle) << none << Action([](Fixture &f) { f.Click("Copy to Sub Menu"); })
        << "Copy to Sub Menu";
    // Today's look, on the menu style page and in the font dialog.
    QTest::newRow("item corners")
        << int(kMenuStyle) << none
        << Action([](Fixture &f) { Type(Control<QLineEdit>(f.sheet, "itemRadius"), "8"); }) << "Set Menu Style";
    QTest::newRow("menu corners, stored by Next")
        << int(kMenuStyle) << none << Action([](Fixture &f) {
               Type(Control<QLineEdit>(f.sheet, "panelRadius"), "12");
               f.Next();
           })
        << "Set Menu Style";
    QTest::newRow("label room")
        << int(kMenuStyle) << none
        << Action([](Fixture &f) { Type(Control<QLineEdit>(f.sheet, "labelInset"), "14"); }) << "Set Menu Style";
    QTest::newRow("shadow")
        << int(kMenuStyle) << none
        << Action([](Fixture &f) { Control<QComboBox>(f.sheet, "shadow")->setCurrentIndex(2); }) << "Set Menu Style";
    QTest::newRow("arrows") << int(kMenuStyle) << none << Action([](Fixture &f) { f.Click("Arrows on items with a sub menu"); })
                            << "Set Menu Style";
    QTest::newRow("fading in") << int(kMenuStyle) << Action([](Fixture &f) { f.Click("Set Sub Menu Style"); })
                               << Action([](Fixture &f) { f.Click("Fade in when opened"); }) << "Set Menu Style";
    QTest::newRow("font of today")
        << int(kSubItemStyle) << none << Action([](Fixture &f) {
               f.t.ui->dialogHandlers << [](QDialog &dlg) {
                   Control<QComboBox>(&dlg, "1033")->setCurrentText(QStringLiteral("System UI"));
                   Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("15"));
                   Control<QComboBox>(&dlg, "fontWeight")->setCurrentText(QStringLiteral("Semibold"));
                   Control<QPushButton>(&dlg, "1")->click();
               };
               f.Click("Font...");
           })
        << "Set Sub Menu Item Style";
}

void TestUndo::undoAndRedoEachAction()
{
    QFETCH(int, page);
    QFETCH(Action, prepare);
    QFETCH(Action, action);
    QFETCH(QString, what);
    Fixture f;
    f.GoTo(page);
    prepare(f);
    const QByteArray before = f.Project();
    const int steps = f.sheet->History().UndoCount();

    action(f);
    // What the page shows counts: typed values are the step's own.
    const QByteArray after = f.ShownProject();
    QVERIFY2(after != before, "the action changed nothing");
    QCOMPARE(f.sheet->NextUndoText(), what);
    QTRY_COMPARE(f.sheet->UndoButton()->toolTip(), QStringLiteral("Undo %1 (Ctrl+Z)").arg(what));

    f.Undo();
    QCOMPARE(f.Project(), before);
    QVERIFY(f.PageShowsConfiguration());
    QCOMPARE(f.sheet->History().UndoCount(), steps);
    QCOMPARE(f.sheet->NextRedoText(), what);
    QVERIFY(f.sheet->RedoButton()->isEnabled());

    f.Redo();
    QCOMPARE(f.Project(), after);
    QVERIFY(f.PageShowsConfiguration());
    QCOMPARE(f.sheet->NextUndoText(), what);

    f.Key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.Project(), before);
    f.Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.Project(), after);
    QCOMPARE(f.Params().m_bSaved, 0);
}

void TestUndo::keysInATextBoxUndoWholeSteps_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("redoModifiers");
    QTest::addColumn<int>("redoKey");
    QTest::newRow("Ctrl+Y") << Qt::KeyboardModifiers(Qt::ControlModifier) << int(Qt::Key_Y);
    QTest::newRow("Ctrl+Shift+Z") << Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier)
                                  << int(Qt::Key_Z);
}

void TestUndo::keysInATextBoxUndoWholeSteps()
{
    QFETCH(Qt::KeyboardModifiers, redoModifiers);
    QFETCH(int, redoKey);
    Fixture f;
    f.GoTo(kItem);
    QLineEdit *label = f.Items().m_editMainLabel;
    const QString stored = label->text();
    label->setFocus();
    QTest::keyClicks(label, "abc");
    QCOMPARE(QApplication::focusWidget(), label);
    const QString typed = label->text();
    QVERIFY(typed != stored);

    // The box's own undo would take back one letter; the wizard's takes back
    // the typing as a whole.
    QTest::keyClick(label, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(label->text(), stored);
    QCOMPARE(f.Params().m_pMainMenu->GetItem(f.Params().m_pMainMenu->m_nCurrent)->m_strLabel, stored);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(redoKey), redoModifiers);
    QCOMPARE(label->text(), typed);
    QCOMPARE(f.Items().m_treeMenu->currentItem()->text(0), typed);
}

void TestUndo::undoShowsTheItemItChanged_data()
{
    QTest::addColumn<bool>("sub");
    QTest::addColumn<bool>("insertFirst");
    // An item inserted after the one then edited: the inserted one was shown last.
    QTest::newRow("main item, after Insert Item") << false << true;
    QTest::newRow("sub item, after Insert Item") << true << true;
    // The edit stored by Next, which shows the following item.
    QTest::newRow("main item, stored by Next") << false << false;
    QTest::newRow("sub item, stored by Next") << true << false;
}

void TestUndo::undoShowsTheItemItChanged()
{
    QFETCH(bool, sub);
    QFETCH(bool, insertFirst);
    Fixture f;
    f.GoTo(kItem);
    CItemPage &p = f.Items();
    const int nMain = sub ? f.MainWithSubMenu() : 0;
    QVERIFY(nMain >= 0);
    const CMenuTreeView::Node node{nMain, sub ? 0 : -1};
    CMenuTreeView *tree = p.m_treeMenu;
    auto clickNode = [&](CMenuTreeView::Node at) {
        QTreeWidgetItem *item = tree->ItemOf(at);
        QVERIFY(item);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
        QCOMPARE(tree->CurrentNode(), at);
    };
    CAppletMenu &main = *f.Params().m_pMainMenu;
    auto menu = [&]() -> CAppletMenu & { return sub ? *main.GetItem(nMain)->m_pSubMenu : main; };
    QLineEdit *label = sub ? p.m_editSubLabel : p.m_editMainLabel;
    QLabel *position = sub ? p.m_staticSubPosition : p.m_staticMainPosition;

    clickNode(node);
    if (insertFirst) {
        f.Click("Insert Item");
        QCOMPARE(menu().m_nCurrent, 1);
        // As between a user's clicks, the sheet records the insertion.
        QCoreApplication::processEvents();
        clickNode(node);
    }
    const QString old = menu().GetItem(0)->m_strLabel;
    const QString second = menu().GetItem(1)->m_strLabel;
    Type(label, "Start");
    if (!insertFirst) {
        QTest::mouseClick(sub ? p.m_btnSubNext : p.m_btnMainNext, Qt::LeftButton);
        QCOMPARE(menu().m_nCurrent, 1);
    }

    // Taken back: the page shows the item the typing went to, and the next
    // key edits that item again.
    f.Undo();
    QCOMPARE(menu().GetItem(0)->m_strLabel, old);
    QCOMPARE(main.m_nCurrent, nMain);
    QCOMPARE(menu().m_nCurrent, 0);
    QCOMPARE(label->text(), old);
    QCOMPARE(position->text(), QStringLiteral("Current item is 1"));
    QCOMPARE(tree->CurrentNode(), node);
    QVERIFY(f.PageShowsConfiguration());
    QCOMPARE(QApplication::focusWidget(), label);

    // Redone: the same item, with the typing back.
    f.Redo();
    QCOMPARE(menu().GetItem(0)->m_strLabel, QStringLiteral("Start"));
    QCOMPARE(menu().m_nCurrent, 0);
    QCOMPARE(label->text(), QStringLiteral("Start"));
    QCOMPARE(tree->CurrentNode(), node);

    f.Undo();
    Type(label, "Again");
    QTest::mouseClick(sub ? p.m_btnSubNext : p.m_btnMainNext, Qt::LeftButton);
    QCOMPARE(menu().GetItem(0)->m_strLabel, QStringLiteral("Again"));
    QCOMPARE(menu().GetItem(1)->m_strLabel, second);
}

void TestUndo::failedCheckUndoesNothing()
{
    Fixture f;
    Type(Control<QLineEdit>(f.sheet, "1013"), "A stored step");
    f.Next();
    const QByteArray before = f.Project();
    QLineEdit *width = Control<QLineEdit>(f.sheet, "1027");
    Type(width, "641");
    f.Undo();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.t.ui->messages[0].text, QStringLiteral("Please enter an integer between 1 and 640."));
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("A stored step"));
    QCOMPARE(f.sheet->History().UndoCount(), 1);
    QCOMPARE(width->text(), QStringLiteral("641"));
    // Once the number is right, the typing is the first step undone.
    Type(width, "200");
    f.Undo();
    QCOMPARE(f.Project(), before);
    QCOMPARE(width->text(), QString::number(f.Params().m_mmWidth));
    QVERIFY(f.Params().m_mmWidth != 200);
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("A stored step"));
    f.Undo();
    QVERIFY(f.Params().m_HTMLTitle != QStringLiteral("A stored step"));
}

void TestUndo::finishPageTextKeepsItsOwnUndo()
{
    Fixture f;
    Type(Control<QLineEdit>(f.sheet, "1013"), "Menu title");
    f.GoTo(kFinish);
    auto *text = Control<QPlainTextEdit>(f.sheet, "1062");
    QVERIFY(text->toPlainText().contains("Menu title"));
    const int steps = f.sheet->History().UndoCount();
    text->setFocus();
    QTest::keyClicks(text, "xyz");
    const QString typed = text->toPlainText();
    QTest::keyClick(text, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(text->toPlainText() != typed);
    QCOMPARE(f.sheet->History().UndoCount(), steps);
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("Menu title"));
    // The Undo button takes back the configuration, and the text follows.
    QTest::mouseClick(f.sheet->UndoButton(), Qt::LeftButton);
    QVERIFY(f.Params().m_HTMLTitle != QStringLiteral("Menu title"));
    QVERIFY(!text->toPlainText().contains("Menu title"));
}

void TestUndo::everyStepBackToTheTemplateAndForward()
{
    Fixture f;
    f.GoTo(kItem);
    const QByteArray loaded = f.Project();
    QList<QByteArray> states{loaded};
    const QStringList actions = {"Insert Item", "Insert Item", "Move Up", "Delete Item", "Move Down"};
    f.SelectNode(0);
    for (const QString &action : actions) {
        f.t.ui->messageAnswers = {QMessageBox::Yes};
        f.Click(action);
        QCOMPARE(f.sheet->NextUndoText(), action);
        states << f.Project();
    }
    Type(f.Items().m_editMainLabel, "Contact");
    f.Next(); // stored with the page
    states << f.Project();
    f.GoTo(kItem);
    QCOMPARE(f.sheet->History().UndoCount(), states.size() - 1);

    for (int i = states.size() - 2; i >= 0; --i) {
        f.Undo();
        QCOMPARE(f.Project(), states[i]);
        QVERIFY(f.PageShowsConfiguration());
        QCOMPARE(f.Items().m_treeMenu->topLevelItemCount(), f.Params().m_pMainMenu->GetCount());
    }
    QVERIFY(!f.sheet->UndoButton()->isEnabled());
    QCOMPARE(f.Project(), loaded);
    for (int i = 1; i < states.size(); ++i) {
        QTest::mouseClick(f.sheet->RedoButton(), Qt::LeftButton);
        QCOMPARE(f.Project(), states[i]);
    }
    QVERIFY(!f.sheet->RedoButton()->isEnabled());
}

void TestUndo::undoneTemplateLoadRemembersTheSourceBefore()
{
    Fixture f;
    Type(Control<QLineEdit>(f.sheet, "1013"), "Edited first");
    f.Back();
    f.sheet->m_pageTemplate.m_listTemplates->setCurrentRow(3);
    f.Next();
    QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, 3);
    f.Undo();
    QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, 0);
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("Edited first"));
    // Back on the template page, Next loads the template chosen again.
    f.Back();
    f.Next();
    QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, 3);
    QCOMPARE(f.sheet->NextUndoText(), QStringLiteral("Load Template"));
    f.Undo();
    f.Redo();
    QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, 3);
}

void TestUndo::freshHistoryFromTheTemplateStartNewAndReopen()
{
    Fixture f;
    // The first template loaded is where the history starts.
    QVERIFY(!f.sheet->UndoButton()->isEnabled());
    QVERIFY(f.sheet->NextUndoText().isEmpty());

    Type(Control<QLineEdit>(f.sheet, "1013"), "Saved menu");
    f.GoTo(kFinish);
    QVERIFY(f.sheet->History().CanUndo());
    QTemporaryDir dir;
    const QString page = dir.filePath("menu.htm");
    f.t.ui->saveFileAnswers = {page};
    QTest::mouseClick(f.sheet->FinishButton(), Qt::LeftButton);
    QVERIFY(QFileInfo::exists(dir.filePath("menu.qdx")));

    // Start New: nothing before it can be undone.
    QTest::mouseClick(Control<QPushButton>(f.sheet, "1071"), Qt::LeftButton);
    QCOMPARE(f.sheet->GetActiveIndex(), int(kTemplate));
    QVERIFY(!f.sheet->History().CanUndo());
    QVERIFY(!f.sheet->UndoButton()->isEnabled());
    f.Undo();
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("Saved menu"));

    // A template loaded after Start New starts afresh too.
    f.Next();
    QVERIFY(!f.sheet->History().CanUndo());
    Type(Control<QLineEdit>(f.sheet, "1013"), "Not kept in the history");
    f.Back();
    QVERIFY(f.sheet->History().CanUndo());

    // Reopening a saved page starts afresh, even over edits.
    Control<QRadioButton>(f.sheet, "1059")->click();
    f.t.ui->openFileAnswers = {page};
    QTest::mouseClick(Control<QPushButton>(&f.sheet->m_pageTemplate, "1007"), Qt::LeftButton);
    f.Next();
    QCOMPARE(f.Params().m_HTMLTitle, QStringLiteral("Saved menu"));
    QVERIFY(!f.sheet->History().CanUndo());
    QVERIFY(!f.sheet->UndoButton()->isEnabled());
}

void TestUndo::buttonsSayWhatTheyTakeBack()
{
    Fixture f;
    QPushButton *undo = f.sheet->UndoButton();
    QPushButton *redo = f.sheet->RedoButton();
    QCOMPARE(undo->accessibleName(), QStringLiteral("Undo"));
    QCOMPARE(redo->accessibleName(), QStringLiteral("Redo"));
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());

    // Typing on a page is something to undo at once.
    Type(Control<QLineEdit>(f.sheet, "1013"), "Typed");
    QTRY_VERIFY(undo->isEnabled());
    QCOMPARE(undo->toolTip(), QStringLiteral("Undo Set General Parameters (Ctrl+Z)"));

    f.GoTo(kItem);
    f.SelectNode(0);
    f.Click("Insert Item");
    QTRY_COMPARE(undo->toolTip(), QStringLiteral("Undo Insert Item (Ctrl+Z)"));
    QTest::mouseClick(undo, Qt::LeftButton);
    QCOMPARE(redo->toolTip(), QStringLiteral("Redo Insert Item (Ctrl+Shift+Z or Ctrl+Y)"));
    QCOMPARE(undo->toolTip(), QStringLiteral("Undo Set General Parameters (Ctrl+Z)"));

    // A new edit leaves nothing to redo.
    Type(f.Items().m_editMainLabel, "New label");
    QTRY_VERIFY(!redo->isEnabled());
    QCOMPARE(undo->toolTip(), QStringLiteral("Undo Edit Item (Ctrl+Z)"));

    // The live preview follows an undo.
    QSignalSpy stored(f.sheet, &CMenuWizardSheet::ConfigurationStored);
    f.Undo();
    QVERIFY(!stored.isEmpty());
}

void TestUndo::copyStyle_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("sub");
    QTest::newRow("main items, Normal to the other states") << int(kItemStyle) << "Normal"
                                                            << "Copy to Other States" << false;
    QTest::newRow("sub items, Mouse Click to the other states")
        << int(kSubItemStyle) << "Mouse Click" << "Copy to Other States" << true;
    QTest::newRow("main items, Mouse Move to the sub items")
        << int(kItemStyle) << "Mouse Move" << "Copy to Sub Menu" << false;
    QTest::newRow("sub items, Normal to the main items")
        << int(kSubItemStyle) << "Normal" << "Copy to Main Menu" << true;
}

void TestUndo::copyStyle()
{
    QFETCH(int, page);
    QFETCH(QString, state);
    QFETCH(QString, button);
    QFETCH(bool, sub);
    Fixture f;
    f.GoTo(page);
    f.Click(state);
    const int shown = state == "Normal" ? 1 : state == "Mouse Move" ? 2 : 3;
    // A colour chosen and not yet stored is copied too.
    f.t.ui->colorAnswers = {0x0a0b0c};
    QTest::mouseClick(Control<CColorButton>(f.sheet->GetActivePage(), "1016"), Qt::LeftButton);

    // And a font of today's, chosen and not yet stored.
    f.t.ui->dialogHandlers << [](QDialog &dlg) {
        Control<QComboBox>(&dlg, "1033")->setCurrentText(QStringLiteral("Page's font"));
        Control<QComboBox>(&dlg, "1047")->setCurrentText(QStringLiteral("17"));
        Control<QComboBox>(&dlg, "fontWeight")->setCurrentText(QStringLiteral("Medium"));
        Control<QCheckBox>(&dlg, "fontItalic")->setChecked(true);
        Control<QPushButton>(&dlg, "1")->click();
    };
    f.Click("Font...");

    CAppletParameters before;
    before.CopyFrom(f.Params());
    f.sheet->GetActivePage()->ApplyShownValues(before);
    f.Click(button);

    auto values = [](CAppletParameters &p, bool bSub, int nState) {
        const CItemStyle s = ItemStyleFields(p, bSub, nState);
        return QList<int>{*s.pBKColor, *s.pFRColor, *s.pBorderStyle, *s.pFillStyle,
                          *s.pFontName, *s.pFontSize, *s.pFontStyle, *s.pAlign,
                          *s.pFontFamily, *s.pFontWeight, *s.pFontItalic, *s.pFontPx};
    };
    CAppletParameters &p = f.Params();
    const QList<int> source = values(p, sub, shown);
    QCOMPARE(source[1], 0x0a0b0c);
    QCOMPARE(source.mid(8), (QList<int>{2, 500, 1, 17}));
    for (bool family : {false, true})
        for (int s = 1; s <= 3; ++s) {
            const bool copied = button == "Copy to Other States" ? family == sub && s != shown
                                                                 : family != sub && s == shown;
            const bool isSource = family == sub && s == shown;
            if (copied)
                QCOMPARE(values(p, family, s), source);
            else if (!isSource)
                QCOMPARE(values(p, family, s), values(before, family, s));
        }

    // One step: undo gives the styles before the copy, the colour kept.
    f.Undo();
    QCOMPARE(ProjectIniFor(p).ToBytes(), ProjectIniFor(before).ToBytes());
    QCOMPARE(Control<CColorButton>(f.sheet->GetActivePage(), "1016")->Color(), 0x0a0b0c);
}

void TestUndo::copyToTheOtherMenuFollowsTheMenuShown()
{
    Fixture f;
    f.GoTo(kMenuStyle);
    QVERIFY(f.Named<QPushButton>("Copy to Sub Menu"));
    Type(Control<QLineEdit>(f.sheet, "1027"), "321");
    Type(Control<QLineEdit>(f.sheet, "itemRadius"), "7");
    Control<QComboBox>(f.sheet, "shadow")->setCurrentIndex(1);
    f.Click("Copy to Sub Menu");
    QCOMPARE(f.Params().m_smWidth, 321);
    QCOMPARE(f.Params().m_mmWidth, 321);
    QCOMPARE(f.Params().m_smItemRadius, 7);
    QCOMPARE(f.Params().m_smShadow, 1);
    QCOMPARE(f.Params().m_smBKStyle, f.Params().m_mmBKStyle);
    QCOMPARE(f.Params().m_smMenuAlign, f.Params().m_mmMenuAlign);

    f.Click("Set Sub Menu Style");
    QVERIFY(f.Named<QPushButton>("Copy to Main Menu"));
    QVERIFY(!f.Named<QPushButton>("Copy to Sub Menu"));
    Type(Control<QLineEdit>(f.sheet, "1028"), "33");
    f.Click("Copy to Main Menu");
    QCOMPARE(f.Params().m_mmHeight, 33);
    QCOMPARE(f.Params().m_mmWidth, 321);
    f.Undo();
    QVERIFY(f.Params().m_mmHeight != 33);
    QCOMPARE(f.Params().m_smHeight, 33);
    QCOMPARE(Control<QLineEdit>(f.sheet, "1028")->text(), QStringLiteral("33"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
