#include "model/AppletParameters.h"
#include "model/StringTable.h"

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
