#include "MenuFixture.h"
#include "TestApp.h"
#include "Typing.h"

#include "store/ini/IniFile.h"
#include "store/project/StoredConfig.h"
#include "wizard/tree/MenuTreeView.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

Q_DECLARE_METATYPE(CMenuTreeView::Node)

// The item page's menu tree: it follows the panels, its selection moves
// them, and its buttons, keys and drops change the menu.
class TestMenuTree : public QObject {
    Q_OBJECT
private slots:
    void treeShowsTheMenu();
    void treeFollowsThePanels_data();
    void treeFollowsThePanels();
    void selectingANodeShowsItsItem();
    void selectionRefusedWhileACommaIsShown();
    void editOperations_data();
    void editOperations();
    void editsAreStoredFirst();
    void commaAndDeletion_data();
    void commaAndDeletion();
    void limits_data();
    void limits();
    void dragAndDrop_data();
    void dragAndDrop();
    void reloadFromParams();
    void announcesOnlyRealChanges();
    void treeTakesTheFocusWhenAskedFor_data();
    void treeTakesTheFocusWhenAskedFor();
};

namespace {

using Node = CMenuTreeView::Node;

const QString kQuestion = QStringLiteral("This Operation will destory submenu,Can you Sure?");
const QString kTooMany = QStringLiteral("A menu can hold at most 20 items.");
const QString kLastMain = QStringLiteral("The main menu keeps at least one item.");
const QString kLastSub = QStringLiteral("A sub menu keeps at least one item. To remove the whole sub menu, "
                                        "clear \"Has SubMenu\" on its main item.");
const QString kComma = QStringLiteral(
    "A comma cannot be used in an item's label, link, target frame or image file name: "
    "the menu applet uses commas to separate them. Please remove it.");

// The same text read from the tree view's nodes.
QString Describe(const QTreeWidget &tree)
{
    QStringList out;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *main = tree.topLevelItem(i);
        QString text = main->text(0);
        if (main->childCount()) {
            QStringList subs;
            for (int j = 0; j < main->childCount(); ++j)
                subs << main->child(j)->text(0);
            text += QLatin1Char('(') + subs.join(QLatin1Char(' ')) + QLatin1Char(')');
        }
        out << text;
    }
    return out.join(QLatin1Char(' '));
}

// The saved project file's "Item" keys with the labels they hold, in file
// order, and its "Relation".
QString SavedItems(const CAppletParameters &params)
{
    const QString text = QString::fromUtf8(ProjectIniFor(params).ToBytes());
    const int start = text.indexOf(QStringLiteral("[Item]"));
    const int end = text.indexOf(QStringLiteral("[Menu Relation]"));
    QStringList keys;
    for (const QString &line : text.mid(start, end - start).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        if (line.startsWith(QLatin1Char('I')))
            keys << line.section(QLatin1Char(','), 0, 0);
    return keys.join(QLatin1Char(' '));
}

QString SavedRelation(const CAppletParameters &params)
{
    CIniFile ini;
    ini.Parse(ProjectIniFor(params).ToBytes());
    return ini.Value(QStringLiteral("Menu Relation"), QStringLiteral("Relation"));
}

struct Fixture {
    explicit Fixture(const QString &menu = QString())
    {
        if (!menu.isEmpty())
            BuildMenu(Main(), menu);
        sheet = &t.OpenSheet();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
    }
    void Show() { sheet->SetActivePage(&sheet->m_pageItem); }
    CAppletMenu &Main() { return *t.app.m_params.m_pMainMenu; }
    CItemPage &Page() { return sheet->m_pageItem; }
    CMenuTreeView &Tree() { return *Page().m_treeMenu; }
    void Select(Node node)
    {
        QTreeWidgetItem *item = Tree().ItemOf(node);
        QVERIFY(item);
        Tree().setCurrentItem(item);
    }
    // The shown node: the page's current items and the tree's selection agree.
    Node Shown()
    {
        Node node{Main().m_nCurrent, -1};
        if (Page().m_editSubLabel->isEnabled() && Tree().CurrentNode().IsSub())
            node.nSub = Main().GetItem(node.nMain)->m_pSubMenu->m_nCurrent;
        return node;
    }

    CTestApp t;
    CMenuWizardSheet *sheet = nullptr;
};

// Checks that the tree, the panels and the model tell the same story.
void CheckConsistent(Fixture &f)
{
    CItemPage &p = f.Page();
    QCOMPARE(Describe(f.Tree()), Describe(f.Main()));
    const Node sel = f.Tree().CurrentNode();
    QCOMPARE(sel.nMain, f.Main().m_nCurrent);
    const CAppletMenuItem *main = f.Main().GetItem(sel.nMain);
    QCOMPARE(p.m_editMainLabel->text(), main->m_strLabel);
    QCOMPARE(p.m_editMainCount->text(), QString::number(f.Main().GetCount()));
    QCOMPARE(p.m_staticMainPosition->text(), QStringLiteral("Current item is %1").arg(sel.nMain + 1));
    QCOMPARE(p.m_checkHasSubMenu->isChecked(), bool(main->m_pSubMenu));
    if (const CAppletMenu *sub = main->m_pSubMenu.get()) {
        QCOMPARE(p.m_editSubCount->text(), QString::number(sub->GetCount()));
        QCOMPARE(p.m_editSubLabel->text(), sub->GetItem(sub->m_nCurrent)->m_strLabel);
        if (sel.IsSub())
            QCOMPARE(sel.nSub, sub->m_nCurrent);
    } else {
        QVERIFY(!sel.IsSub());
    }
    QCOMPARE(p.m_btnMainPrev->isEnabled(), sel.nMain > 0);
    QCOMPARE(p.m_btnMainNext->isEnabled(), sel.nMain + 1 < f.Main().GetCount());
}

} // namespace


void TestMenuTree::treeShowsTheMenu()
{
    Fixture f(QStringLiteral("Home About(Team Story) Contact"));
    f.Show();
    CItemPage &p = f.Page();
    QCOMPARE(f.Tree().accessibleName(), QStringLiteral("Menu tree"));
    QCOMPARE(Describe(f.Tree()), QStringLiteral("Home About(Team Story) Contact"));
    QVERIFY(f.Tree().topLevelItem(1)->isExpanded());
    QCOMPARE(f.Tree().CurrentNode(), (Node{0, -1}));
    for (const char *name : {"Insert Item", "Delete Item", "Move Up", "Move Down"}) {
        const auto buttons = p.findChildren<QPushButton *>();
        QVERIFY2(std::any_of(buttons.begin(), buttons.end(),
                             [&](QPushButton *b) { return b->accessibleName() == QLatin1String(name); }),
                 name);
    }

    // A label shows in the tree as it is typed, before it is stored.
    Type(p.m_editMainLabel, QStringLiteral("Start"));
    QCOMPARE(f.Tree().topLevelItem(0)->text(0), QStringLiteral("Start"));
    QCOMPARE(f.Main().GetItem(0)->m_strLabel, QStringLiteral("Home"));
    f.Select({1, 1});
    Type(p.m_editSubLabel, QStringLiteral("History"));
    QCOMPARE(Describe(f.Tree()), QStringLiteral("Start About(Team History) Contact"));
}

void TestMenuTree::treeFollowsThePanels_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("result");
    QTest::addColumn<Node>("selected");
    const QString one = QStringLiteral("A B(b1 b2) C");
    const QString two = QStringLiteral("A(a1 a2) B(b1 b2) C");
    QTest::newRow("main next") << one << QStringList{"main next"} << one << Node{1, -1};
    QTest::newRow("main next twice, prev") << one << QStringList{"main next", "main next", "main prev"} << one
                                           << Node{1, -1};
    QTest::newRow("sub next") << two << QStringList{"sub next"} << two << Node{0, 1};
    QTest::newRow("sub next, prev") << two << QStringList{"sub next", "sub prev"} << two << Node{0, 0};
    QTest::newRow("sub next, main next") << two << QStringList{"sub next", "main next"} << two << Node{1, -1};
    QTest::newRow("main count raised") << one << QStringList{"main count 5"} << "A B(b1 b2) C item4 item5"
                                       << Node{0, -1};
    QTest::newRow("main count lowered below shown") << one << QStringList{"main next", "main next", "main count 2"}
                                                    << "A B(b1 b2)" << Node{1, -1};
    QTest::newRow("sub count raised") << two << QStringList{"sub count 3"} << "A(a1 a2 item3) B(b1 b2) C"
                                      << Node{0, 0};
    QTest::newRow("sub count lowered below shown") << two << QStringList{"sub next", "sub count 1"}
                                                   << "A(a1) B(b1 b2) C" << Node{0, 0};
    QTest::newRow("sub menu added") << one << QStringList{"main next", "main next", "tick"}
                                    << "A B(b1 b2) C(item1 item2 item3 item4)" << Node{2, -1};
    QTest::newRow("sub menu removed") << one << QStringList{"main next", "sub next", "untick"} << "A B C"
                                      << Node{1, -1};
}

void TestMenuTree::treeFollowsThePanels()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, steps);
    QFETCH(QString, result);
    QFETCH(Node, selected);
    Fixture f(menu);
    f.Show();
    CItemPage &p = f.Page();
    for (const QString &step : steps) {
        if (step == "main next")
            p.m_btnMainNext->click();
        else if (step == "main prev")
            p.m_btnMainPrev->click();
        else if (step == "sub next")
            p.m_btnSubNext->click();
        else if (step == "sub prev")
            p.m_btnSubPrev->click();
        else if (step == "tick")
            p.m_checkHasSubMenu->click();
        else if (step == "untick") {
            f.t.ui->messageAnswers = {QMessageBox::Yes};
            p.m_checkHasSubMenu->click();
        } else {
            Type(step.startsWith(QLatin1String("sub")) ? p.m_editSubCount : p.m_editMainCount, step.section(' ', 2));
            TabAway();
        }
    }
    QCOMPARE(Describe(f.Main()), result);
    QCOMPARE(f.Tree().CurrentNode(), selected);
    QVERIFY(f.Tree().currentItem()->isSelected());
    CheckConsistent(f);
}

void TestMenuTree::selectingANodeShowsItsItem()
{
    Fixture f(QStringLiteral("A(a1 a2 a3) B C(c1 c2)"));
    f.Show();
    CItemPage &p = f.Page();
    QSignalSpy about(&p, &CItemPage::menuAboutToChange);
    QSignalSpy stored(f.sheet, &CMenuWizardSheet::ConfigurationStored);
    Type(p.m_editMainLabel, QStringLiteral("Home"));
    Type(p.m_editSubLink, QStringLiteral("a1.html"));

    // A sub node of another main item: that main item and that sub item.
    f.Select({2, 1});
    QCOMPARE(f.Main().m_nCurrent, 2);
    QCOMPARE(f.Main().GetItem(2)->m_pSubMenu->m_nCurrent, 1);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("C"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("c2"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 2"));
    QVERIFY(p.m_btnSubPrev->isEnabled());
    QVERIFY(!p.m_btnSubNext->isEnabled());
    CheckConsistent(f);
    // What was shown was stored first, as Prev/Next store it.
    QCOMPARE(f.Main().GetItem(0)->m_strLabel, QStringLiteral("Home"));
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetItem(0)->m_strLink, QStringLiteral("a1.html"));
    QCOMPARE(about.count(), 1);
    QCOMPARE(about[0][0].toString(), QStringLiteral("Edit Item"));
    QVERIFY(stored.count() >= 1);

    // A main node without a sub menu greys the sub panel.
    f.Select({1, -1});
    QVERIFY(!p.m_editSubLabel->isEnabled());
    QVERIFY(!p.m_checkHasSubMenu->isChecked());
    CheckConsistent(f);
    // Back to the first: its sub menu reopens at its own current item.
    f.Select({0, -1});
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("a1"));
    QCOMPARE(about.count(), 1);
    // Arrow keys walk the tree and the panels with it.
    f.Tree().setFocus();
    QTest::keyClick(&f.Tree(), Qt::Key_Down);
    QCOMPARE(f.Tree().CurrentNode(), (Node{0, 0}));
    QTest::keyClick(&f.Tree(), Qt::Key_Down);
    QCOMPARE(f.Tree().CurrentNode(), (Node{0, 1}));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("a2"));
    CheckConsistent(f);
}

void TestMenuTree::selectionRefusedWhileACommaIsShown()
{
    Fixture f(QStringLiteral("A B C"));
    f.Show();
    CItemPage &p = f.Page();
    Type(p.m_editMainLink, QStringLiteral("a,b"));
    f.Select({2, -1});
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kComma});
    QCOMPARE(f.Main().m_nCurrent, 0);
    QCOMPARE(f.Tree().CurrentNode(), (Node{0, -1}));
    QCoreApplication::processEvents();
    QCOMPARE(f.Tree().CurrentNode(), (Node{0, -1}));
    QVERIFY(f.Tree().topLevelItem(0)->isSelected());
    QVERIFY(!f.Tree().topLevelItem(2)->isSelected());
    QCOMPARE(p.m_editMainLink->text(), QStringLiteral("a,b"));
    QVERIFY(f.Main().GetItem(0)->m_strLink.isEmpty());
}

void TestMenuTree::editOperations_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<Node>("selected");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer"); // to the sub-menu question, 0 when none is expected
    QTest::addColumn<QString>("result");
    QTest::addColumn<Node>("shown");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("announced");
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QString>("items");
    const QStringList none;
    const QStringList ins{"Insert Item"}, del{"Delete Item"}, up{"Move Up"}, down{"Move Down"};
    const int yes = QMessageBox::Yes, no = QMessageBox::No;

    QTest::newRow("insert after a main item")
        << "A B C" << Node{1, -1} << "insert" << 0 << "A B item3 C" << Node{2, -1} << none << ins << "1,4,"
        << "I0-0=A I0-1=B I0-2=item3 I0-3=C";
    QTest::newRow("insert after the last main item, Insert key")
        << "A B" << Node{1, -1} << "key insert" << 0 << "A B item3" << Node{2, -1} << none << ins << "1,3,"
        << "I0-0=A I0-1=B I0-2=item3";
    QTest::newRow("insert after a sub item")
        << "A(a b) B" << Node{0, 0} << "insert" << 0 << "A(a item2 b) B" << Node{0, 1} << none << ins
        << "2,2,3,0-1," << "I0-0=A I1-0=a I1-1=item2 I1-2=b I0-1=B";
    QTest::newRow("insert after a main item with a sub menu")
        << "A(a) B" << Node{0, -1} << "insert" << 0 << "A(a) item2 B" << Node{1, -1} << none << ins
        << "2,3,1,0-1," << "I0-0=A I1-0=a I0-1=item2 I0-2=B";
    QTest::newRow("delete a main item")
        << "A B C" << Node{1, -1} << "delete" << 0 << "A C" << Node{1, -1} << none << del << "1,2,"
        << "I0-0=A I0-1=C";
    QTest::newRow("delete the last main item, Delete key")
        << "A B C" << Node{2, -1} << "key delete" << 0 << "A B" << Node{1, -1} << none << del << "1,2,"
        << "I0-0=A I0-1=B";
    QTest::newRow("delete a main item with a sub menu, Yes")
        << "A(a) B(b1 b2) C(c)" << Node{1, -1} << "delete" << yes << "A(a) C(c)" << Node{1, -1}
        << QStringList{kQuestion} << del << "3,2,1,1,0-1,1-2," << "I0-0=A I1-0=a I0-1=C I2-0=c";
    QTest::newRow("delete a main item with a sub menu, No")
        << "A(a) B(b1 b2) C" << Node{1, -1} << "delete" << no << "A(a) B(b1 b2) C" << Node{1, -1}
        << QStringList{kQuestion} << none << "3,3,1,2,0-1,1-2," << "I0-0=A I1-0=a I0-1=B I2-0=b1 I2-1=b2 I0-2=C";
    QTest::newRow("delete a sub item")
        << "A(a b c) B" << Node{0, 1} << "delete" << 0 << "A(a c) B" << Node{0, 1} << none << del
        << "2,2,2,0-1," << "I0-0=A I1-0=a I1-1=c I0-1=B";
    QTest::newRow("the only main item stays")
        << "A(a b)" << Node{0, -1} << "delete" << 0 << "A(a b)" << Node{0, -1} << QStringList{kLastMain} << none
        << "2,1,2,0-1," << "I0-0=A I1-0=a I1-1=b";
    QTest::newRow("the only sub item stays")
        << "A(a) B" << Node{0, 0} << "key delete" << 0 << "A(a) B" << Node{0, 0} << QStringList{kLastSub} << none
        << "2,2,1,0-1," << "I0-0=A I1-0=a I0-1=B";
    QTest::newRow("move a main item up")
        << "A B C" << Node{2, -1} << "up" << 0 << "A C B" << Node{1, -1} << none << up << "1,3,"
        << "I0-0=A I0-1=C I0-2=B";
    QTest::newRow("move a main item up, Ctrl+Up")
        << "A B C" << Node{1, -1} << "key up" << 0 << "B A C" << Node{0, -1} << none << up << "1,3,"
        << "I0-0=B I0-1=A I0-2=C";
    // Sub menus are numbered in the order of their main items.
    QTest::newRow("owner of sub menu 1 moved behind the owner of sub menu 2")
        << "A(a1 a2) B(b1) C" << Node{0, -1} << "down" << 0 << "B(b1) A(a1 a2) C" << Node{1, -1} << none << down
        << "3,3,1,2,0-1,1-2," << "I0-0=B I1-0=b1 I0-1=A I2-0=a1 I2-1=a2 I0-2=C";
    QTest::newRow("owner of sub menu 2 moved first, Ctrl+Up")
        << "A(a1) B C(c1 c2 c3)" << Node{2, -1} << "key up" << 0 << "A(a1) C(c1 c2 c3) B" << Node{1, -1} << none
        << up << "3,3,1,3,0-1,1-2," << "I0-0=A I1-0=a1 I0-1=C I2-0=c1 I2-1=c2 I2-2=c3 I0-2=B";
    QTest::newRow("move a sub item down, Ctrl+Down")
        << "A(a b c)" << Node{0, 0} << "key down" << 0 << "A(b a c)" << Node{0, 1} << none << down
        << "2,1,3,0-1," << "I0-0=A I1-0=b I1-1=a I1-2=c";
    QTest::newRow("the first item does not move up")
        << "A B" << Node{0, -1} << "up" << 0 << "A B" << Node{0, -1} << none << none << "1,2," << "I0-0=A I0-1=B";
    QTest::newRow("the last sub item does not move down")
        << "A(a b)" << Node{0, 1} << "key down" << 0 << "A(a b)" << Node{0, 1} << none << none << "2,1,2,0-1,"
        << "I0-0=A I1-0=a I1-1=b";
}

void TestMenuTree::editOperations()
{
    QFETCH(QString, menu);
    QFETCH(Node, selected);
    QFETCH(QString, action);
    QFETCH(int, answer);
    QFETCH(QString, result);
    QFETCH(Node, shown);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, announced);
    Fixture f(menu);
    f.Show();
    f.Select(selected);
    CItemPage &p = f.Page();
    QSignalSpy about(&p, &CItemPage::menuAboutToChange);
    if (answer)
        f.t.ui->messageAnswers = {QMessageBox::StandardButton(answer)};

    if (action.startsWith(QLatin1String("key "))) {
        f.Tree().setFocus();
        const QString key = action.mid(4);
        if (key == "insert")
            QTest::keyClick(&f.Tree(), Qt::Key_Insert);
        else if (key == "delete")
            QTest::keyClick(&f.Tree(), Qt::Key_Delete);
        else
            QTest::keyClick(&f.Tree(), key == "up" ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
    } else {
        QPushButton *button = action == "insert" ? p.m_btnInsert
                            : action == "delete" ? p.m_btnDelete
                            : action == "up"     ? p.m_btnMoveUp
                                                 : p.m_btnMoveDown;
        if (button->isEnabled())
            button->click();
    }

    QCOMPARE(Describe(f.Main()), result);
    QCOMPARE(f.t.ui->MessageTexts(), messages);
    QStringList said;
    for (const auto &args : about)
        said << args[0].toString();
    QCOMPARE(said, announced);
    QCOMPARE(f.Tree().CurrentNode(), shown);
    CheckConsistent(f);
    if (shown.IsSub())
        QCOMPARE(f.Main().GetItem(shown.nMain)->m_pSubMenu->m_nCurrent, shown.nSub);
    QTEST(SavedRelation(f.t.app.m_params), "relation");
    QTEST(SavedItems(f.t.app.m_params), "items");
    // Moving buttons follow the selection's place.
    const int index = shown.IsSub() ? shown.nSub : shown.nMain;
    const CAppletMenu &level = shown.IsSub() ? *f.Main().GetItem(shown.nMain)->m_pSubMenu : f.Main();
    QCOMPARE(p.m_btnMoveUp->isEnabled(), index > 0);
    QCOMPARE(p.m_btnMoveDown->isEnabled(), index + 1 < level.GetCount());
}

void TestMenuTree::editsAreStoredFirst()
{
    Fixture f(QStringLiteral("A(a b) B"));
    f.Show();
    f.Select({0, 1});
    CItemPage &p = f.Page();
    QSignalSpy about(&p, &CItemPage::menuAboutToChange);
    Type(p.m_editMainLabel, QStringLiteral("Home"));
    Type(p.m_editSubLabel, QStringLiteral("Team"));
    p.m_btnMoveUp->click();
    QCOMPARE(Describe(f.Main()), QStringLiteral("Home(Team a) B"));
    QCOMPARE(about.count(), 2);
    QCOMPARE(about[0][0].toString(), QStringLiteral("Edit Item"));
    QCOMPARE(about[1][0].toString(), QStringLiteral("Move Up"));
    // Inserting shows the new item, its label ready in the tree.
    p.m_btnInsert->click();
    QCOMPARE(Describe(f.Main()), QStringLiteral("Home(Team item2 a) B"));
    QCOMPARE(p.m_editSubLabel->text(), QStringLiteral("item2"));
    QCOMPARE(p.m_staticSubPosition->text(), QStringLiteral("Current item is 2"));
    QCOMPARE(QApplication::focusWidget(), p.m_editSubLabel);
    QCOMPARE(p.m_editSubLabel->selectedText(), QStringLiteral("item2"));
    CheckConsistent(f);
    // The Insert key keeps the keyboard in the tree, for the next key.
    f.Tree().setFocus();
    QTest::keyClick(&f.Tree(), Qt::Key_Insert);
    QCOMPARE(QApplication::focusWidget(), &f.Tree());
    QCOMPARE(Describe(f.Main()), QStringLiteral("Home(Team item2 item3 a) B"));
}

void TestMenuTree::commaAndDeletion_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<Node>("selected");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("result");
    // The texts of what is deleted are not checked; every other text is.
    QTest::newRow("main label, delete that main item") << "1041" << Node{0, -1} << "delete" << "B";
    QTest::newRow("sub link, delete its main item") << "1049" << Node{0, -1} << "delete" << "B";
    QTest::newRow("sub target, delete that sub item") << "1023" << Node{0, 0} << "delete" << "A(b) B";
    QTest::newRow("main image, delete a sub item") << "1042" << Node{0, 0} << "delete" << "";
    QTest::newRow("sub label, insert") << "1047" << Node{0, 0} << "insert" << "";
    QTest::newRow("main link, move") << "1043" << Node{0, -1} << "down" << "";
    QTest::newRow("sub image, move") << "1048" << Node{0, 1} << "up" << "";
}

void TestMenuTree::commaAndDeletion()
{
    QFETCH(QString, box);
    QFETCH(Node, selected);
    QFETCH(QString, action);
    QFETCH(QString, result);
    Fixture f(QStringLiteral("A(a b) B"));
    f.Show();
    f.Select(selected);
    CItemPage &p = f.Page();
    QWidget *edit = p.findChild<QWidget *>(box);
    QVERIFY(edit);
    Type(edit, QStringLiteral("x,y"));
    f.t.ui->messageAnswers = {QMessageBox::Yes};
    (action == "delete" ? p.m_btnDelete : action == "insert" ? p.m_btnInsert
     : action == "up"   ? p.m_btnMoveUp : p.m_btnMoveDown)->click();
    if (result.isEmpty()) {
        QCOMPARE(f.t.ui->MessageTexts(), QStringList{kComma});
        QCOMPARE(Describe(f.Main()), QStringLiteral("A(a b) B"));
        QCOMPARE(QApplication::focusWidget(), edit);
    } else {
        QVERIFY(!f.t.ui->MessageTexts().contains(kComma));
        QCOMPARE(Describe(f.Main()), result);
        CheckConsistent(f);
    }
}

void TestMenuTree::limits_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<Node>("selected");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    const QString twenty = QStringLiteral("a b c d e f g h i j k l m n o p q r s t");
    const QString twentyMain = twenty.toUpper();
    QTest::newRow("insert into 20 main items") << twentyMain << Node{3, -1} << "insert" << kTooMany;
    QTest::newRow("insert into 20 sub items") << "A(" + twenty + ") B" << Node{0, 5} << "insert" << kTooMany;
    QTest::newRow("insert into 19 main items") << twentyMain.left(twentyMain.size() - 2) << Node{3, -1}
                                               << "insert" << "";
    QTest::newRow("Insert key into 20 main items") << twentyMain << Node{3, -1} << "key insert" << kTooMany;
    // A loaded menu already past the limit takes no more, but can shrink.
    QTest::newRow("insert into 22 main items") << twentyMain + " U V" << Node{0, -1} << "insert" << kTooMany;
    QTest::newRow("delete from 22 main items") << twentyMain + " U V" << Node{0, -1} << "delete" << "";
    QTest::newRow("drop into 20 sub items") << "A(x y) B(" + twenty + ")" << Node{0, 0} << "drop on B" << kTooMany;
    QTest::newRow("drop into 19 sub items") << "A(x y) B(" + twenty.left(twenty.size() - 2) + ")" << Node{0, 0}
                                            << "drop on B" << "";
}

void TestMenuTree::limits()
{
    QFETCH(QString, menu);
    QFETCH(Node, selected);
    QFETCH(QString, action);
    QFETCH(QString, message);
    Fixture f(menu);
    f.Show();
    f.Select(selected);
    CItemPage &p = f.Page();
    const QString before = Describe(f.Main());
    if (action == "key insert") {
        f.Tree().setFocus();
        QTest::keyClick(&f.Tree(), Qt::Key_Insert);
    } else if (action == "drop on B") {
        QVERIFY(f.Tree().DropAt(f.Tree().visualItemRect(f.Tree().ItemOf({1, -1})).center()));
    } else {
        (action == "insert" ? p.m_btnInsert : p.m_btnDelete)->click();
    }
    if (message.isEmpty()) {
        QVERIFY(f.t.ui->messages.isEmpty());
        QVERIFY(Describe(f.Main()) != before);
    } else {
        QCOMPARE(f.t.ui->MessageTexts(), QStringList{message});
        QCOMPARE(Describe(f.Main()), before);
    }
    CheckConsistent(f);
}

void TestMenuTree::dragAndDrop_data()
{
    QTest::addColumn<Node>("from");
    QTest::addColumn<Node>("onto");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("result");
    QTest::addColumn<Node>("shown");
    QTest::addColumn<QString>("message");
    const QString start = QStringLiteral("A(a b) B(c) C");
    QTest::newRow("main item above the first") << Node{2, -1} << Node{0, -1} << "above" << "C A(a b) B(c)"
                                               << Node{0, -1} << "";
    QTest::newRow("main item onto a later one") << Node{0, -1} << Node{1, -1} << "on" << "B(c) A(a b) C"
                                                << Node{1, -1} << "";
    QTest::newRow("main item below the last") << Node{0, -1} << Node{2, -1} << "below" << "B(c) C A(a b)"
                                              << Node{2, -1} << "";
    QTest::newRow("sub item within its sub menu") << Node{0, 0} << Node{0, 1} << "on" << "A(b a) B(c) C"
                                                  << Node{0, 1} << "";
    QTest::newRow("sub item before another menu's sub item") << Node{0, 1} << Node{1, 0} << "above"
                                                             << "A(a) B(b c) C" << Node{1, 0} << "";
    QTest::newRow("sub item after another menu's sub item") << Node{0, 0} << Node{1, 0} << "below"
                                                            << "A(b) B(c a) C" << Node{1, 1} << "";
    QTest::newRow("sub item onto a main item with a sub menu") << Node{0, 0} << Node{1, -1} << "on"
                                                               << "A(b) B(c a) C" << Node{1, 1} << "";
    QTest::newRow("sub item onto a main item without one") << Node{0, 0} << Node{2, -1} << "on" << start
                                                           << Node{0, 0} << "";
    QTest::newRow("main item onto a sub item") << Node{2, -1} << Node{0, 1} << "on" << start << Node{2, -1} << "";
    QTest::newRow("the last item of a sub menu") << Node{1, 0} << Node{0, 0} << "above" << start << Node{1, 0}
                                                 << kLastSub;
}

void TestMenuTree::dragAndDrop()
{
    QFETCH(Node, from);
    QFETCH(Node, onto);
    QFETCH(QString, where);
    QFETCH(QString, result);
    QFETCH(Node, shown);
    QFETCH(QString, message);
    Fixture f(QStringLiteral("A(a b) B(c) C"));
    f.Show();
    f.Select(from);
    CMenuTreeView &tree = f.Tree();
    QSignalSpy about(&f.Page(), &CItemPage::menuAboutToChange);
    const QRect rect = tree.visualItemRect(tree.ItemOf(onto));
    QVERIFY(rect.isValid());
    const QPoint pos(rect.center().x(), where == "above" ? rect.top() + 1
                                        : where == "below" ? rect.bottom() - 1
                                                           : rect.center().y());
    // What the view's drop event does with the place the node is let go at.
    QCOMPARE(tree.DropAt(pos), result != QLatin1String("A(a b) B(c) C") || !message.isEmpty());

    QCOMPARE(Describe(f.Main()), result);
    QCOMPARE(tree.CurrentNode(), shown);
    QCOMPARE(f.t.ui->MessageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(about.count(), result == QLatin1String("A(a b) B(c) C") ? 0 : 1);
    if (about.count())
        QCOMPARE(about[0][0].toString(), QStringLiteral("Move Item"));
    CheckConsistent(f);
}

void TestMenuTree::reloadFromParams()
{
    Fixture f(QStringLiteral("A(a b c) B C D"));
    f.Main().GetItem(0)->m_pSubMenu->m_nCurrent = 2;
    f.Show();
    f.Select({3, -1});
    // Someone else replaces the configuration with a smaller one.
    CAppletParameters other;
    BuildMenu(*other.m_pMainMenu, QStringLiteral("X(x) Y"));
    other.m_pMainMenu->m_nCurrent = 3;
    f.t.app.m_params.CopyFrom(other);
    f.Page().ReloadFromParams();
    QCOMPARE(Describe(f.Tree()), QStringLiteral("X(x) Y"));
    QCOMPARE(f.Main().m_nCurrent, 1);
    QCOMPARE(f.Page().m_editMainLabel->text(), QStringLiteral("Y"));
    QCOMPARE(f.Page().m_editMainCount->text(), QStringLiteral("2"));
    CheckConsistent(f);
    f.Select({0, 0});
    QCOMPARE(f.Page().m_editSubLabel->text(), QStringLiteral("x"));
    CheckConsistent(f);
}

void TestMenuTree::announcesOnlyRealChanges()
{
    Fixture f(QStringLiteral("A(a b) B C"));
    f.Show();
    CItemPage &p = f.Page();
    QSignalSpy about(&p, &CItemPage::menuAboutToChange);
    QSignalSpy stored(f.sheet, &CMenuWizardSheet::ConfigurationStored);
    // Walking around changes nothing.
    p.m_btnSubNext->click();
    p.m_btnMainNext->click();
    p.m_btnMainPrev->click();
    f.Select({2, -1});
    f.Select({0, 1});
    QCOMPARE(about.count(), 0);
    // Each change is announced before it is made.
    QString labelWhenAnnounced;
    const auto probe = connect(&p, &CItemPage::menuAboutToChange, this,
                               [&] { labelWhenAnnounced = f.Main().GetItem(0)->m_pSubMenu->GetItem(1)->m_strLabel; });
    Type(p.m_editSubLabel, QStringLiteral("Team"));
    p.m_btnSubPrev->click();
    disconnect(probe);
    QCOMPARE(about.count(), 1);
    QCOMPARE(labelWhenAnnounced, QStringLiteral("b"));
    QCOMPARE(f.Main().GetItem(0)->m_pSubMenu->GetItem(1)->m_strLabel, QStringLiteral("Team"));

    f.t.ui->messageAnswers = {QMessageBox::No, QMessageBox::Yes};
    p.m_checkHasSubMenu->click();
    QCOMPARE(about.count(), 1);
    p.m_checkHasSubMenu->click();
    QCOMPARE(about.count(), 2);
    QCOMPARE(about[1][0].toString(), QStringLiteral("Remove Sub Menu"));
    p.m_checkHasSubMenu->click();
    QCOMPARE(about[2][0].toString(), QStringLiteral("Add Sub Menu"));
    Type(p.m_editMainCount, QStringLiteral("5"));
    TabAway();
    QCOMPARE(about[3][0].toString(), QStringLiteral("Change Number of Items"));
    Type(p.m_editMainCount, QStringLiteral("5"));
    TabAway();
    QCOMPARE(about.count(), 4);

    // Leaving stores the shown item: announced only when it was edited.
    f.sheet->NextButton()->click();
    QCOMPARE(about.count(), 4);
    f.sheet->BackButton()->click();
    Type(p.m_editMainLink, QStringLiteral("home.html"));
    f.sheet->NextButton()->click();
    QCOMPARE(about.count(), 5);
    QCOMPARE(about[4][0].toString(), QStringLiteral("Edit Item"));
    QVERIFY(stored.count() >= 5);
}

void TestMenuTree::treeTakesTheFocusWhenAskedFor_data()
{
    QTest::addColumn<bool>("accessible");
    // As a screen reader asks for it, and as the program itself would.
    QTest::newRow("accessible focus action") << true;
    QTest::newRow("focus set on the view") << false;
}

void TestMenuTree::treeTakesTheFocusWhenAskedFor()
{
    QFETCH(bool, accessible);
    Fixture f(QStringLiteral("A B C D"));
    f.Show();
    CItemPage &p = f.Page();
    f.Select({2, -1});
    QTest::mouseClick(p.m_btnMainPrev, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), p.m_editMainLabel);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("B"));

    QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(&f.Tree());
    QVERIFY(tree);
    QCOMPARE(tree->text(QAccessible::Name), QStringLiteral("Menu tree"));
    if (accessible) {
        QAccessibleActionInterface *actions = tree->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::setFocusAction()));
        actions->doAction(QAccessibleActionInterface::setFocusAction());
    } else {
        f.Tree().setFocus(Qt::OtherFocusReason);
    }
    QCOMPARE(QApplication::focusWidget(), &f.Tree());
    QVERIFY(tree->state().focused);

    // The keys meant for the tree reach it, not the label.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QCOMPARE(f.Tree().CurrentNode(), Node({0, -1}));
    // The rows stay reachable as before, the tree their parent.
    QVERIFY(tree->tableInterface());
    QAccessibleInterface *row = tree->focusChild();
    QVERIFY(row);
    QCOMPARE(row->text(QAccessible::Name), QStringLiteral("A"));
    QCOMPARE(row->parent(), tree);
    QCOMPARE(p.m_editMainLabel->text(), QStringLiteral("A"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(Describe(f.Tree()), QStringLiteral("B C D"));
    QCOMPARE(Describe(f.Main()), QStringLiteral("B C D"));
    QCOMPARE(QApplication::focusWidget(), &f.Tree());
}

QTEST_MAIN(TestMenuTree)
#include "tst_menutree.moc"
