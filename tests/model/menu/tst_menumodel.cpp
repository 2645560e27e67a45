#include "model/config/AppletParameters.h"
#include "model/text/StringTable.h"

#include <QtTest>

class TestMenuModel : public QObject {
    Q_OBJECT
private slots:
    void newMenuHasFourDefaultItems();
    void keepModeKeepsItemsAndIdentity();
    void shrinkClampsCurrentIndex_data();
    void shrinkClampsCurrentIndex();
    void rebuildReplacesEveryItem();
    void subMenuCreatedOnceAndDeleted();
    void labelsAreNeverRenumbered();
    void newParameters();
    void copyIsDeepAndIndependent();
    void listOperations_data();
    void listOperations();
    void insertedLabelsNeverRepeat();
    void moveKeepsItemsAndSubMenus();
    void moveToAnotherMenu_data();
    void moveToAnotherMenu();
    void stringRangesStayInsideTheirTable_data();
    void stringRangesStayInsideTheirTable();
};

static QStringList Labels(const CAppletMenu &menu)
{
    QStringList labels;
    for (int i = 0; i < menu.GetCount(); ++i)
        labels << menu.GetItem(i)->m_strLabel;
    return labels;
}

void TestMenuModel::newMenuHasFourDefaultItems()
{
    CAppletMenu menu(4);
    QCOMPARE(Labels(menu), QStringList({"item1", "item2", "item3", "item4"}));
    QCOMPARE(menu.m_nCurrent, 0);
    for (int i = 0; i < 4; ++i) {
        const CAppletMenuItem *item = menu.GetItem(i);
        QVERIFY(item->m_strImage.isEmpty() && item->m_strTarget.isEmpty() && item->m_strLink.isEmpty());
        QVERIFY(!item->m_pSubMenu);
    }
}

void TestMenuModel::keepModeKeepsItemsAndIdentity()
{
    CAppletMenu menu(4);
    menu.GetItem(0)->m_strLabel = QStringLiteral("Home");
    CAppletMenu *sub = menu.GetSubMenu(1);
    sub->GetItem(0)->m_strLink = QStringLiteral("a.htm");
    CAppletMenuItem *first = menu.GetItem(0);
    CAppletMenuItem *second = menu.GetItem(1);
    menu.GetSubMenu(3); // dropped with its item below

    menu.SetItemCount(2, 1);
    menu.SetItemCount(4, 1);
    QCOMPARE(Labels(menu), QStringList({"Home", "item2", "item3", "item4"}));
    QCOMPARE(menu.GetItem(0), first);
    QCOMPARE(menu.GetItem(1), second);
    QCOMPARE(menu.GetItem(1)->m_pSubMenu.get(), sub);
    QCOMPARE(sub->GetItem(0)->m_strLink, QStringLiteral("a.htm"));
    QVERIFY(!menu.GetItem(2)->m_pSubMenu);
    QVERIFY(!menu.GetItem(3)->m_pSubMenu);

    // Setting the same count again changes nothing.
    menu.SetItemCount(4, 1);
    QCOMPARE(menu.GetItem(0), first);
}

void TestMenuModel::shrinkClampsCurrentIndex_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("keep");
    QTest::addColumn<int>("expected");
    QTest::newRow("keep 3 -> 2 items") << 3 << 2 << 1 << 1;
    QTest::newRow("keep 1 -> 3 items stays") << 1 << 3 << 1 << 1;
    QTest::newRow("keep grow never raises") << 0 << 10 << 1 << 0;
    QTest::newRow("keep to zero") << 2 << 0 << 1 << -1;
    QTest::newRow("rebuild same count keeps index") << 2 << 4 << 0 << 2;
    QTest::newRow("rebuild smaller clamps") << 3 << 1 << 0 << 0;
    QTest::newRow("rebuild negative is empty") << 3 << -5 << 0 << -1;
}

void TestMenuModel::shrinkClampsCurrentIndex()
{
    QFETCH(int, current);
    QFETCH(int, count);
    QFETCH(int, keep);
    QFETCH(int, expected);
    CAppletMenu menu(4);
    menu.m_nCurrent = current;
    QCOMPARE(menu.SetItemCount(count, keep), 1);
    QCOMPARE(menu.GetCount(), qMax(count, 0));
    QCOMPARE(menu.m_nCurrent, expected);
    if (current == 3 && count == 2 && keep) {
        menu.SetItemCount(4, 1); // growing again leaves it
        QCOMPARE(menu.m_nCurrent, 1);
    }
}

void TestMenuModel::rebuildReplacesEveryItem()
{
    CAppletMenu menu(4);
    menu.GetItem(0)->m_strLabel = QStringLiteral("Home");
    menu.GetSubMenu(0);
    menu.SetItemCount(4, 0);
    QCOMPARE(Labels(menu), QStringList({"item1", "item2", "item3", "item4"}));
    QVERIFY(!menu.GetItem(0)->m_pSubMenu);
}

void TestMenuModel::subMenuCreatedOnceAndDeleted()
{
    CAppletMenu menu(4);
    QCOMPARE(menu.DeleteSubMenu(2), 0);
    CAppletMenu *sub = menu.GetSubMenu(2);
    QVERIFY(sub);
    QCOMPARE(menu.GetSubMenu(2), sub);
    QCOMPARE(Labels(*sub), QStringList({"item1", "item2", "item3", "item4"}));
    QCOMPARE(sub->m_nCurrent, 0);
    sub->GetItem(0)->m_strLabel = QStringLiteral("changed");
    QCOMPARE(menu.DeleteSubMenu(2), 1);
    QVERIFY(!menu.GetItem(2)->m_pSubMenu);
    QCOMPARE(menu.GetSubMenu(2)->GetItem(0)->m_strLabel, QStringLiteral("item1"));
}

void TestMenuModel::labelsAreNeverRenumbered()
{
    CAppletMenu menu(2);
    menu.GetItem(1)->m_strLabel = QStringLiteral("About");
    menu.SetItemCount(1, 1);
    menu.SetItemCount(3, 1);
    QCOMPARE(Labels(menu), QStringList({"item1", "item2", "item3"}));
}

void TestMenuModel::newParameters()
{
    CAppletParameters p;
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Untitled"));
    QCOMPARE(p.m_Align, 0);
    QVERIFY(p.m_appBKImagePath.isEmpty());
    QCOMPARE(p.m_bSaved, 0);
    QVERIFY(p.m_strHTMLPath.isEmpty());
    QCOMPARE(p.m_pMainMenu->GetCount(), 4);
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 0);
    QCOMPARE(p.m_mmWidth, 0);
    QCOMPARE(p.m_siAlign3, 0);

    // The per-state accessors reach the fields their names say.
    *ItemStyleFields(p, false, 2).pBKColor = 7;
    *ItemStyleFields(p, true, 3).pAlign = 8;
    *MenuStyleFields(p, true).pWidth = 120;
    QCOMPARE(p.m_miBKColor2, 7);
    QCOMPARE(p.m_siAlign3, 8);
    QCOMPARE(p.m_smWidth, 120);
    QCOMPARE(p.m_mmWidth, 0);
}

void TestMenuModel::copyIsDeepAndIndependent()
{
    CAppletParameters a;
    a.m_HTMLTitle = QStringLiteral("Shop");
    a.m_siFontStyle3 = 2;
    a.m_smItemGap = 5;
    a.m_pMainMenu->SetItemCount(3, 1);
    a.m_pMainMenu->GetSubMenu(1)->GetItem(2)->m_strLink = QStringLiteral("x.htm");
    a.m_pMainMenu->GetSubMenu(1)->m_nCurrent = 2;
    a.m_pMainMenu->m_nCurrent = 1;

    CAppletParameters b;
    CAppletMenu *bMain = b.m_pMainMenu.get();
    b.CopyFrom(a);
    QCOMPARE(b.m_pMainMenu.get(), bMain);
    QCOMPARE(b.m_HTMLTitle, QStringLiteral("Shop"));
    QCOMPARE(b.m_siFontStyle3, 2);
    QCOMPARE(b.m_smItemGap, 5);
    QCOMPARE(b.m_pMainMenu->GetCount(), 3);
    QCOMPARE(b.m_pMainMenu->m_nCurrent, 1);
    CAppletMenu *bSub = b.m_pMainMenu->GetItem(1)->m_pSubMenu.get();
    QVERIFY(bSub && bSub != a.m_pMainMenu->GetItem(1)->m_pSubMenu.get());
    QCOMPARE(bSub->m_nCurrent, 2);
    QCOMPARE(bSub->GetItem(2)->m_strLink, QStringLiteral("x.htm"));
    bSub->GetItem(2)->m_strLink = QStringLiteral("changed");
    QCOMPARE(a.m_pMainMenu->GetSubMenu(1)->GetItem(2)->m_strLink, QStringLiteral("x.htm"));
}

// A menu whose labels are its letters: "ABCD" is A, B, C, D.
static std::unique_ptr<CAppletMenu> Lettered(const QString &letters, int current)
{
    auto menu = std::make_unique<CAppletMenu>(static_cast<int>(letters.size()));
    for (int i = 0; i < letters.size(); ++i)
        menu->GetItem(i)->m_strLabel = letters.at(i);
    menu->m_nCurrent = current;
    return menu;
}

static QString Letters(const CAppletMenu &menu)
{
    return Labels(menu).join(QLatin1Char(' '));
}

void TestMenuModel::listOperations_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("newCurrent");
    // Insert: the label is "item" and the new position; current follows its item.
    QTest::newRow("insert after current") << "ABCD" << 1 << "insert" << 2 << 0 << true << "A B item3 C D" << 1;
    QTest::newRow("insert before current") << "ABCD" << 2 << "insert" << 0 << 0 << true << "item1 A B C D" << 3;
    QTest::newRow("insert at end") << "ABCD" << 3 << "insert" << 4 << 0 << true << "A B C D item5" << 3;
    QTest::newRow("insert into 20 refused") << "ABCDEFGHIJKLMNOPQRST" << 0 << "insert" << 1 << 0 << false
                                            << "A B C D E F G H I J K L M N O P Q R S T" << 0;
    QTest::newRow("insert past end refused") << "AB" << 0 << "insert" << 3 << 0 << false << "A B" << 0;
    // Remove: a later current moves down; a removed current gives its place.
    QTest::newRow("remove before current") << "ABCD" << 2 << "remove" << 0 << 0 << true << "B C D" << 1;
    QTest::newRow("remove after current") << "ABCD" << 1 << "remove" << 3 << 0 << true << "A B C" << 1;
    QTest::newRow("remove current") << "ABCD" << 1 << "remove" << 1 << 0 << true << "A C D" << 1;
    QTest::newRow("remove current last") << "ABCD" << 3 << "remove" << 3 << 0 << true << "A B C" << 2;
    QTest::newRow("remove the only item refused") << "A" << 0 << "remove" << 0 << 0 << false << "A" << 0;
    // Move: current follows its item.
    QTest::newRow("move current down") << "ABCD" << 1 << "move" << 1 << 2 << true << "A C B D" << 2;
    QTest::newRow("move current up") << "ABCD" << 1 << "move" << 1 << 0 << true << "B A C D" << 0;
    QTest::newRow("move other over current") << "ABCD" << 2 << "move" << 0 << 3 << true << "B C D A" << 1;
    QTest::newRow("move other under current") << "ABCD" << 1 << "move" << 3 << 0 << true << "D A B C" << 2;
    QTest::newRow("move in place") << "ABCD" << 1 << "move" << 2 << 2 << true << "A B C D" << 1;
    QTest::newRow("move past end refused") << "ABCD" << 1 << "move" << 3 << 4 << false << "A B C D" << 1;
    // A loaded menu beyond the limit can still be reordered and shrunk.
    QTest::newRow("move in 22 items") << "ABCDEFGHIJKLMNOPQRSTUV" << 0 << "move" << 21 << 0 << true
                                      << "V A B C D E F G H I J K L M N O P Q R S T U" << 1;
    QTest::newRow("remove from 22 items") << "ABCDEFGHIJKLMNOPQRSTUV" << 21 << "remove" << 21 << 0 << true
                                          << "A B C D E F G H I J K L M N O P Q R S T U" << 20;
}

void TestMenuModel::listOperations()
{
    QFETCH(QString, start);
    QFETCH(int, current);
    QFETCH(QString, op);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(bool, done);
    QFETCH(QString, result);
    QFETCH(int, newCurrent);
    auto menu = Lettered(start, current);
    bool ok = false;
    if (op == "insert")
        ok = menu->InsertNewItem(a);
    else if (op == "remove")
        ok = menu->RemoveItem(a);
    else
        ok = menu->MoveItem(a, b);
    QCOMPARE(ok, done);
    QCOMPARE(Letters(*menu), result);
    QCOMPARE(menu->m_nCurrent, newCurrent);
}

void TestMenuModel::insertedLabelsNeverRepeat()
{
    CAppletMenu menu(4);
    // Position 3 is taken by item3 (and item4 after it): the next free number.
    QVERIFY(menu.InsertNewItem(2));
    QCOMPARE(Labels(menu), QStringList({"item1", "item2", "item5", "item3", "item4"}));
    QVERIFY(menu.InsertNewItem(0));
    QCOMPARE(menu.GetItem(0)->m_strLabel, QStringLiteral("item6"));
    // Labels the user changed free their numbers.
    menu.GetItem(1)->m_strLabel = QStringLiteral("Home");
    QVERIFY(menu.InsertNewItem(0));
    QCOMPARE(menu.GetItem(0)->m_strLabel, QStringLiteral("item1"));
    const QStringList labels = Labels(menu);
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
    const CAppletMenuItem *made = menu.GetItem(0);
    QVERIFY(made->m_strImage.isEmpty() && made->m_strLink.isEmpty() && made->m_strTarget.isEmpty());
    QVERIFY(!made->m_pSubMenu);
}

void TestMenuModel::moveKeepsItemsAndSubMenus()
{
    CAppletMenu menu(4);
    CAppletMenu *sub = menu.GetSubMenu(0);
    sub->m_nCurrent = 2;
    CAppletMenuItem *first = menu.GetItem(0);
    QVERIFY(menu.MoveItem(0, 3));
    QCOMPARE(menu.GetItem(3), first);
    QCOMPARE(menu.GetItem(3)->m_pSubMenu.get(), sub);
    QCOMPARE(sub->m_nCurrent, 2);
    // Removing an item removes its sub menu with it.
    QVERIFY(menu.RemoveItem(3));
    for (const auto &item : menu.m_items)
        QVERIFY(!item->m_pSubMenu);
}

void TestMenuModel::moveToAnotherMenu_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("fromCurrent");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("toCurrent");
    QTest::addColumn<int>("nFrom");
    QTest::addColumn<int>("nTo");
    QTest::addColumn<bool>("done");
    QTest::addColumn<QString>("fromAfter");
    QTest::addColumn<int>("fromCurrentAfter");
    QTest::addColumn<QString>("toAfter");
    QTest::addColumn<int>("toCurrentAfter");
    QTest::newRow("to the front") << "ABC" << 2 << "xy" << 0 << 1 << 0 << true << "A C" << 1 << "B x y" << 1;
    QTest::newRow("to the end") << "ABC" << 0 << "xy" << 1 << 0 << 2 << true << "B C" << 0 << "x y A" << 1;
    QTest::newRow("the current, last") << "ABC" << 2 << "xy" << 1 << 2 << 1 << true << "A B" << 1 << "x C y" << 2;
    QTest::newRow("the last item stays") << "A" << 0 << "xy" << 0 << 0 << 0 << false << "A" << 0 << "x y" << 0;
    QTest::newRow("into a full menu") << "AB" << 0 << "abcdefghijklmnopqrst" << 0 << 0 << 0 << false << "A B" << 0
                                      << "a b c d e f g h i j k l m n o p q r s t" << 0;
    QTest::newRow("past the end") << "AB" << 0 << "xy" << 0 << 0 << 3 << false << "A B" << 0 << "x y" << 0;
}

void TestMenuModel::moveToAnotherMenu()
{
    QFETCH(QString, from);
    QFETCH(int, fromCurrent);
    QFETCH(QString, to);
    QFETCH(int, toCurrent);
    QFETCH(int, nFrom);
    QFETCH(int, nTo);
    QFETCH(bool, done);
    auto a = Lettered(from, fromCurrent);
    auto b = Lettered(to, toCurrent);
    CAppletMenuItem *moving = a->GetItem(nFrom);
    QCOMPARE(CAppletMenu::MoveItemToMenu(*a, nFrom, *b, nTo), done);
    QTEST(Letters(*a), "fromAfter");
    QTEST(a->m_nCurrent, "fromCurrentAfter");
    QTEST(Letters(*b), "toAfter");
    QTEST(b->m_nCurrent, "toCurrentAfter");
    if (done)
        QCOMPARE(b->GetItem(nTo), moving);
    QVERIFY(!CAppletMenu::MoveItemToMenu(*a, 0, *a, 0));
}

void TestMenuModel::stringRangesStayInsideTheirTable_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("align right") << 128 << 3 << 2 << "Right";
    QTest::newRow("font name past end is empty, not a font style") << 200 << 3 << 10 << "";
    QTest::newRow("font size 72") << 400 << 13 << 12 << "72";
    QTest::newRow("negative") << 400 << 13 << -1 << "";
    QTest::newRow("section 11") << 300 << 11 << 10 << "Menu Relation";
    QTest::newRow("bk style 3") << 356 << 4 << 3 << "12";
    QTest::newRow("item align 5") << 220 << 9 << 5 << "cr";
}

void TestMenuModel::stringRangesStayInsideTheirTable()
{
    QFETCH(int, base);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(LoadString(CStringRange{base, count}, index), expected);
}

QTEST_APPLESS_MAIN(TestMenuModel)
#include "tst_menumodel.moc"
