#include "MenuFixture.h"
#include "model/config/UndoHistory.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectKeys.h"
#include "store/project/StoredConfig.h"

#include <QtTest>
#include <functional>

class TestUndoHistory : public QObject {
    Q_OBJECT
private slots:
    void everyStoredValueIsAChange_data();
    void everyStoredValueIsAChange();
    void recordWithoutChangeMakesNoStep();
    void undoAndRedoRestoreExactly();
    void stepsComeBackInOrder();
    void recordingAfterUndoDropsRedo();
    void snapshotsCarryCurrentItemsAndTags();
    void textEditsComeBackOnTheChangedItem_data();
    void textEditsComeBackOnTheChangedItem();
    void undoneConfigurationIsUnsaved();
    void resetStartsFresh();
    void keepsTheNewestHundredSteps();
    void byteBoundKeepsAtLeastOneStep();
    void stepOfAFullMenuIsAFewKilobytes();
    void packedFormKeepsEverything();
};

using Edit = std::function<void(CAppletParameters &)>;
Q_DECLARE_METATYPE(Edit)

static QByteArray ProjectBytes(const CAppletParameters &p)
{
    return ProjectIniFor(p).ToBytes();
}

void TestUndoHistory::everyStoredValueIsAChange_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::newRow("title") << Edit([](CAppletParameters &p) { p.m_HTMLTitle += QLatin1Char('x'); });
    QTest::newRow("alignment") << Edit([](CAppletParameters &p) { p.m_Align = 2; });
    QTest::newRow("applet colour") << Edit([](CAppletParameters &p) { p.m_appBKColor ^= 1; });
    QTest::newRow("applet image") << Edit([](CAppletParameters &p) { p.m_appBKImagePath = "b.gif"; });
    QTest::newRow("y position") << Edit([](CAppletParameters &p) { ++p.m_yPos; });
    QTest::newRow("main menu width") << Edit([](CAppletParameters &p) { ++p.m_mmWidth; });
    QTest::newRow("sub menu border") << Edit([](CAppletParameters &p) { ++p.m_smBorderThick; });
    QTest::newRow("main item state 1 fill") << Edit([](CAppletParameters &p) { ++p.m_miItemFillStyle1; });
    QTest::newRow("main item state 3 align") << Edit([](CAppletParameters &p) { ++p.m_miAlign3; });
    QTest::newRow("sub item state 2 font") << Edit([](CAppletParameters &p) { ++p.m_siFontStyle2; });
    QTest::newRow("sub item state 3 fore") << Edit([](CAppletParameters &p) { p.m_siFRColor3 ^= 1; });
    QTest::newRow("opened page") << Edit([](CAppletParameters &p) { p.m_strHTMLPath = "/a.htm"; });
    QTest::newRow("main label") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->GetItem(3)->m_strLabel = "Other";
    });
    QTest::newRow("sub link") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->GetSubMenu(19)->GetItem(19)->m_strLink = "x.htm";
    });
    QTest::newRow("sub target") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->GetSubMenu(0)->GetItem(5)->m_strTarget = "_top";
    });
    QTest::newRow("sub image") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->GetSubMenu(7)->GetItem(0)->m_strImage.clear();
    });
    QTest::newRow("sub menu removed") << Edit([](CAppletParameters &p) { p.m_pMainMenu->DeleteSubMenu(4); });
    QTest::newRow("sub item added") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->GetSubMenu(2)->SetItemCount(21, 1);
    });
    QTest::newRow("main item dropped") << Edit([](CAppletParameters &p) {
        p.m_pMainMenu->SetItemCount(19, 1);
    });
    QTest::newRow("items swapped") << Edit([](CAppletParameters &p) {
        std::swap(p.m_pMainMenu->m_items[0], p.m_pMainMenu->m_items[1]);
    });
    // Every value a project file stores, so that a new field cannot be left
    // out of the history's snapshots.
    for (const CProjectKey &key : ProjectKeys()) {
        QTest::addRow("key %s", key.pName) << Edit([key](CAppletParameters &p) {
            if (key.kind == EValueKind::Text)
                (p.*key.pText) += QLatin1Char('x');
            else
                (p.*key.pNumber) ^= 1;
        });
    }
}

void TestUndoHistory::everyStoredValueIsAChange()
{
    QFETCH(Edit, edit);
    CAppletParameters p;
    MakeFullMenu(p);
    CUndoHistory history;
    history.Reset(p);
    QVERIFY(!history.HasChanges(p));
    edit(p);
    QVERIFY(history.HasChanges(p));
    QVERIFY(history.Record(p, "Edit"));
    QVERIFY(!history.HasChanges(p));
}

void TestUndoHistory::recordWithoutChangeMakesNoStep()
{
    CAppletParameters p;
    MakeFullMenu(p);
    CUndoHistory history;
    history.Reset(p);
    // Showing other items or saving the page is no edit.
    p.m_pMainMenu->m_nCurrent = 5;
    p.m_pMainMenu->GetSubMenu(5)->m_nCurrent = 3;
    p.m_bSaved = 1;
    QVERIFY(!history.Record(p, "Nothing"));
    QVERIFY(!history.CanUndo());
    QCOMPARE(history.UndoText(), QString());
    QVERIFY(!history.Undo(p));
    QVERIFY(!history.Redo(p));
}

void TestUndoHistory::undoAndRedoRestoreExactly()
{
    CAppletParameters p;
    MakeFullMenu(p);
    CUndoHistory history;
    history.Reset(p);
    const QByteArray before = ProjectBytes(p);

    p.m_pMainMenu->DeleteSubMenu(3);
    p.m_pMainMenu->GetItem(0)->m_strLabel = "Home";
    p.m_siBKColor2 = 0x123456;
    p.m_pMainMenu->SetItemCount(12, 1);
    const QByteArray after = ProjectBytes(p);
    QVERIFY(after != before);
    QVERIFY(history.Record(p, "Several"));

    QVERIFY(history.Undo(p));
    QCOMPARE(ProjectBytes(p), before);
    QVERIFY(history.Redo(p));
    QCOMPARE(ProjectBytes(p), after);
    QVERIFY(history.Undo(p));
    QCOMPARE(ProjectBytes(p), before);
}

void TestUndoHistory::stepsComeBackInOrder()
{
    CAppletParameters p;
    CUndoHistory history;
    history.Reset(p);
    const QStringList names = {"Insert Item", "Move Up", "Copy to Other States"};
    for (int i = 0; i < names.size(); ++i) {
        p.m_xPos = i + 1;
        QVERIFY(history.Record(p, names[i]));
    }
    QCOMPARE(history.UndoText(), QString("Copy to Other States"));
    for (int i = names.size() - 1; i >= 0; --i) {
        QCOMPARE(history.UndoText(), names[i]);
        QVERIFY(history.Undo(p));
        QCOMPARE(p.m_xPos, i);
        QCOMPARE(history.RedoText(), names[i]);
    }
    QVERIFY(!history.CanUndo());
    QCOMPARE(history.RedoCount(), 3);
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(history.RedoText(), names[i]);
        QVERIFY(history.Redo(p));
        QCOMPARE(p.m_xPos, i + 1);
    }
    QVERIFY(!history.CanRedo());
    QCOMPARE(history.UndoCount(), 3);
}

void TestUndoHistory::recordingAfterUndoDropsRedo()
{
    CAppletParameters p;
    CUndoHistory history;
    history.Reset(p);
    p.m_xPos = 1;
    history.Record(p, "One");
    p.m_xPos = 2;
    history.Record(p, "Two");
    history.Undo(p);
    QVERIFY(history.CanRedo());
    p.m_yPos = 7;
    QVERIFY(history.Record(p, "Other"));
    QVERIFY(!history.CanRedo());
    QCOMPARE(history.UndoText(), QString("Other"));
    history.Undo(p);
    QCOMPARE(p.m_xPos, 1);
    QCOMPARE(p.m_yPos, 0);
}

void TestUndoHistory::snapshotsCarryCurrentItemsAndTags()
{
    CAppletParameters p;
    MakeFullMenu(p, 6, 4);
    p.m_pMainMenu->m_nCurrent = 2;
    p.m_pMainMenu->GetSubMenu(2)->m_nCurrent = 3;
    CUndoHistory history;
    history.Reset(p, QVariant(QStringLiteral("template 1")));

    p.m_pMainMenu->m_nCurrent = 0;
    p.m_pMainMenu->InsertNewItem(0);
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 1);
    QVERIFY(history.Record(p, "Insert Item", QVariant(QStringLiteral("template 2"))));

    // Items added or removed: the places recorded come back.
    QVariant tag;
    QVERIFY(history.Undo(p, &tag));
    QCOMPARE(tag.toString(), QString("template 1"));
    QCOMPARE(p.m_pMainMenu->GetCount(), 6);
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 2);
    QCOMPARE(p.m_pMainMenu->GetSubMenu(2)->m_nCurrent, 3);
    QVERIFY(history.Redo(p, &tag));
    QCOMPARE(tag.toString(), QString("template 2"));
    QCOMPARE(p.m_pMainMenu->GetCount(), 7);
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 1);
}

void TestUndoHistory::textEditsComeBackOnTheChangedItem_data()
{
    QTest::addColumn<int>("nMain");
    QTest::addColumn<int>("nSub");
    QTest::newRow("main item") << 4 << -1;
    QTest::newRow("sub item") << 1 << 2;
    QTest::newRow("first sub item of the last main item") << 5 << 0;
}

void TestUndoHistory::textEditsComeBackOnTheChangedItem()
{
    QFETCH(int, nMain);
    QFETCH(int, nSub);
    CAppletParameters p;
    MakeFullMenu(p, 6, 4);
    CAppletMenu &main = *p.m_pMainMenu;
    // Shown when the history started: elsewhere in both menus.
    main.m_nCurrent = 2;
    for (int i = 0; i < main.GetCount(); ++i)
        main.GetSubMenu(i)->m_nCurrent = 3;
    CUndoHistory history;
    history.Reset(p);

    // An undo replaces the items and sub menus: the menu edited is looked up each time.
    auto menu = [&]() -> CAppletMenu & { return nSub < 0 ? main : *main.GetItem(nMain)->m_pSubMenu; };
    const int index = nSub < 0 ? nMain : nSub;
    // The edit is recorded once the editor has moved on to another item.
    menu().GetItem(index)->m_strLink = "changed.htm";
    main.m_nCurrent = 0;
    menu().m_nCurrent = index == 0 ? 1 : 0;
    QVERIFY(history.Record(p, "Edit Item"));

    QVERIFY(history.Undo(p));
    QVERIFY(menu().GetItem(index)->m_strLink != QString("changed.htm"));
    QCOMPARE(main.m_nCurrent, nMain);
    QCOMPARE(menu().m_nCurrent, index);
    QVERIFY(history.Redo(p));
    QCOMPARE(menu().GetItem(index)->m_strLink, QString("changed.htm"));
    QCOMPARE(main.m_nCurrent, nMain);
    QCOMPARE(menu().m_nCurrent, index);
}

void TestUndoHistory::undoneConfigurationIsUnsaved()
{
    CAppletParameters p;
    p.m_bSaved = 1;
    CUndoHistory history;
    history.Reset(p);
    p.m_xPos = 3;
    history.Record(p, "Move");
    p.m_bSaved = 1;
    history.Undo(p);
    QCOMPARE(p.m_bSaved, 0);
    p.m_bSaved = 1;
    history.Redo(p);
    QCOMPARE(p.m_bSaved, 0);
}

void TestUndoHistory::resetStartsFresh()
{
    CAppletParameters p;
    CUndoHistory history;
    history.Reset(p);
    p.m_xPos = 1;
    history.Record(p, "One");
    p.m_xPos = 2;
    history.Record(p, "Two");
    history.Undo(p);
    history.Reset(p);
    QVERIFY(!history.CanUndo());
    QVERIFY(!history.CanRedo());
    QVERIFY(!history.HasChanges(p));
    QCOMPARE(history.Bytes(), CUndoHistory::SnapshotBytes(p));
}

void TestUndoHistory::keepsTheNewestHundredSteps()
{
    CAppletParameters p;
    MakeFullMenu(p);
    CUndoHistory history;
    QCOMPARE(history.MaxSteps(), 100);
    history.Reset(p);
    for (int i = 1; i <= 150; ++i) {
        p.m_pMainMenu->GetItem(i % 20)->m_strLabel = QStringLiteral("Step %1").arg(i);
        p.m_xPos = i;
        QVERIFY(history.Record(p, QStringLiteral("Step %1").arg(i)));
    }
    QCOMPARE(history.UndoCount(), 100);
    int undone = 0;
    while (history.Undo(p))
        ++undone;
    QCOMPARE(undone, 100);
    // Back to the state after step 50: the 50 steps before were dropped.
    QCOMPARE(p.m_xPos, 50);
    QCOMPARE(p.m_pMainMenu->GetItem(10)->m_strLabel, QString("Step 50"));
    QCOMPARE(history.RedoText(), QString("Step 51"));
}

void TestUndoHistory::byteBoundKeepsAtLeastOneStep()
{
    CAppletParameters p;
    MakeFullMenu(p, 4, 4);
    const qint64 base = CUndoHistory::SnapshotBytes(p);
    const qint64 step = CUndoHistory::StepBytes(p);
    CUndoHistory history(100, base + 2 * step + step / 2);
    history.Reset(p);
    for (int i = 1; i <= 10; ++i) {
        p.m_xPos = i;
        history.Record(p, "Move");
        QVERIFY(history.Bytes() <= history.MaxBytes());
    }
    QCOMPARE(history.UndoCount(), 2);

    CUndoHistory tiny(100, 1);
    tiny.Reset(p);
    p.m_xPos = 0;
    tiny.Record(p, "Last");
    QCOMPARE(tiny.UndoCount(), 1);
    QVERIFY(tiny.Undo(p));
    QCOMPARE(p.m_xPos, 10);
}

void TestUndoHistory::stepOfAFullMenuIsAFewKilobytes()
{
    CAppletParameters full;
    MakeFullMenu(full);
    const qint64 step = CUndoHistory::StepBytes(full);
    qInfo("one step of a 20 x 20 menu: %lld bytes (a live copy: at most %lld)",
          static_cast<long long>(step), static_cast<long long>(CUndoHistory::SnapshotBytes(full)));
    QVERIFY(step < 16 * 1024);
    // 100 steps of the largest menu the wizard makes stay inside the bound.
    QVERIFY(CUndoHistory::SnapshotBytes(full) + 100 * step < CUndoHistory::kDefaultMaxBytes);
}

void TestUndoHistory::packedFormKeepsEverything()
{
    CAppletParameters p;
    MakeFullMenu(p, 7, 3);
    p.m_strHTMLPath = QStringLiteral("/pages/Ünïcode menu.htm");
    p.m_pMainMenu->GetItem(2)->m_strLabel = QStringLiteral("Café, \"quoted\"");
    p.m_pMainMenu->DeleteSubMenu(5);
    p.m_pMainMenu->m_nCurrent = 6;
    p.m_pMainMenu->GetSubMenu(1)->m_nCurrent = 2;
    p.m_bSaved = 1;
    CAppletParameters back;
    QVERIFY(CUndoHistory::Unpack(CUndoHistory::Pack(p), back));
    QVERIFY(CUndoHistory::SameContent(p, back));
    QCOMPARE(ProjectBytes(back), ProjectBytes(p));
    QCOMPARE(back.m_pMainMenu->m_nCurrent, 6);
    QCOMPARE(back.m_pMainMenu->GetSubMenu(1)->m_nCurrent, 2);
    QVERIFY(!back.m_pMainMenu->GetItem(5)->m_pSubMenu);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("qUncompress"));
    QVERIFY(!CUndoHistory::Unpack(QByteArray("not packed"), back));
}

QTEST_GUILESS_MAIN(TestUndoHistory)
#include "tst_undohistory.moc"
