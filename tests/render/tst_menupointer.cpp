#include "MenuFixture.h"
#include "model/config/AppletParameters.h"
#include "render/MenuPointer.h"

#include <QtTest>

// Drives the pointer and the keys over a menu and checks what they leave
// hovered, pressed, open and clicked.
class TestMenuPointer : public QObject {
    Q_OBJECT
private slots:
    void pointer_data();
    void pointer();
    void keys_data();
    void keys();
    void forgetsItemsThatAreGone();
    void keysAndPointerTogether_data();
    void keysAndPointerTogether();
};

namespace {

// The menu "A(a b) B C(x)" laid out by MakeFlatMenu; the main menu runs
// down, or across when mainAcross is set, the sub menus likewise.
void MakeMenu(CAppletParameters &p, bool mainAcross = false, bool subAcross = false)
{
    MakeFlatMenu(p);
    BuildMenu(*p.m_pMainMenu, QStringLiteral("A(a b) B C(x)"));
    p.m_mmMenuAlign = mainAcross ? 1 : 0;
    p.m_smMenuAlign = subAcross ? 1 : 0;
}

// An item written as "1" (main item 1) or "0.1" (sub item 1 of main item 0);
// "-" is no item.
CItemRef Ref(const QString &text)
{
    if (text == QLatin1String("-"))
        return CItemRef{};
    const QStringList parts = text.split(QLatin1Char('.'));
    return CItemRef{parts.value(0).toInt(), parts.size() > 1 ? parts.value(1).toInt() : -1};
}

QString Text(const CItemRef &ref)
{
    if (!ref.IsValid())
        return QStringLiteral("-");
    return ref.IsSub() ? QStringLiteral("%1.%2").arg(ref.nMain).arg(ref.nSub) : QString::number(ref.nMain);
}

// The centre of an item, or a point off every menu for "-".
QPoint At(const CAppletParameters &p, const QString &where)
{
    if (where == QLatin1String("-"))
        return QPoint(2, 2);
    return CMenuLayout(p).ItemRect(Ref(where)).center();
}

} // namespace

void TestMenuPointer::pointer_data()
{
    // Steps "move X", "press X", "release X" or "leave", separated by commas.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("hover");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("open");
    QTest::addColumn<QString>("clicked"); // by the last release

    QTest::newRow("resting on a main item opens its sub menu") << "move 0" << "0" << "-" << 0 << "-";
    QTest::newRow("a main item without one closes it") << "move 0,move 1" << "1" << "-" << -1 << "-";
    QTest::newRow("into the open sub menu keeps it open") << "move 0,move 0.1" << "0.1" << "-" << 0 << "-";
    QTest::newRow("off every menu closes it") << "move 0,move -" << "-" << "-" << -1 << "-";
    QTest::newRow("press shows the item pressed") << "press 1" << "1" << "1" << -1 << "-";
    QTest::newRow("pressed only while on it") << "press 1,move 2" << "2" << "-" << 2 << "-";
    QTest::newRow("back on it, pressed again") << "press 1,move -,move 1" << "1" << "1" << -1 << "-";
    QTest::newRow("press and release on one item clicks it") << "press 1,release 1" << "1" << "-" << -1 << "1";
    QTest::newRow("a sub item clicks") << "move 0,press 0.0,release 0.0" << "0.0" << "-" << 0 << "0.0";
    QTest::newRow("released on another item: no click") << "press 1,release 2" << "2" << "-" << 2 << "-";
    QTest::newRow("released off the menu: no click") << "press 1,release -" << "-" << "-" << -1 << "-";
    QTest::newRow("leaving clears everything") << "move 0,press 0.1,leave" << "-" << "-" << -1 << "-";
    QTest::newRow("leaving forgets the press") << "press 1,leave,release 1" << "1" << "-" << -1 << "-";
}

void TestMenuPointer::pointer()
{
    QFETCH(QString, steps);
    QFETCH(QString, hover);
    QFETCH(QString, pressed);
    QFETCH(int, open);
    QFETCH(QString, clicked);
    CAppletParameters p;
    MakeMenu(p);
    CMenuPointer pointer;
    CItemRef lastClick;
    for (const QString &step : steps.split(QLatin1Char(','))) {
        const QString where = step.section(QLatin1Char(' '), 1);
        if (step.startsWith(QLatin1String("move")))
            pointer.Moved(p, At(p, where));
        else if (step.startsWith(QLatin1String("press")))
            pointer.Pressed(p, At(p, where));
        else if (step.startsWith(QLatin1String("release")))
            lastClick = pointer.Released(p, At(p, where));
        else
            pointer.Left();
    }
    QCOMPARE(Text(pointer.State().hover), hover);
    QCOMPARE(Text(pointer.State().pressed), pressed);
    QCOMPARE(pointer.State().nOpenSubMenu, open);
    QCOMPARE(Text(lastClick), clicked);
}

void TestMenuPointer::keys_data()
{
    QTest::addColumn<bool>("mainAcross");
    QTest::addColumn<bool>("subAcross");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("hover");
    QTest::addColumn<int>("open");
    QTest::addColumn<bool>("lastUsed");

    using L = QList<int>;
    QTest::newRow("down starts at the first item") << false << false << L{Qt::Key_Down} << "0" << 0 << true;
    QTest::newRow("a key across a down menu starts nothing")
        << false << false << L{Qt::Key_Left} << "-" << -1 << false;
    QTest::newRow("down walks the main menu") << false << false << L{Qt::Key_Down, Qt::Key_Down} << "1" << -1 << true;
    QTest::newRow("stops at the last item")
        << false << false << L{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << "2" << 2 << true;
    QTest::newRow("up stops at the first") << false << false << L{Qt::Key_Down, Qt::Key_Up} << "0" << 0 << true;
    QTest::newRow("right enters the sub menu") << false << false << L{Qt::Key_Down, Qt::Key_Right} << "0.0" << 0 << true;
    QTest::newRow("right on an item without one is used, nothing moves")
        << false << false << L{Qt::Key_Down, Qt::Key_Down, Qt::Key_Right} << "1" << -1 << true;
    QTest::newRow("down walks the sub menu")
        << false << false << L{Qt::Key_Down, Qt::Key_Right, Qt::Key_Down} << "0.1" << 0 << true;
    QTest::newRow("left leaves it") << false << false << L{Qt::Key_Down, Qt::Key_Right, Qt::Key_Left} << "0" << 0 << true;
    QTest::newRow("up from its first item leaves it")
        << false << false << L{Qt::Key_Down, Qt::Key_Right, Qt::Key_Up} << "0" << 0 << true;
    QTest::newRow("escape leaves it") << false << false << L{Qt::Key_Down, Qt::Key_Right, Qt::Key_Escape} << "0" << 0 << true;
    QTest::newRow("across: right walks the main menu")
        << true << false << L{Qt::Key_Right, Qt::Key_Right} << "1" << -1 << true;
    QTest::newRow("across: down enters the sub menu") << true << false << L{Qt::Key_Right, Qt::Key_Down} << "0.0" << 0 << true;
    QTest::newRow("across sub menu: right walks it")
        << true << true << L{Qt::Key_Right, Qt::Key_Down, Qt::Key_Right} << "0.1" << 0 << true;
    QTest::newRow("enter with nothing under the keys is not used") << false << false << L{Qt::Key_Return} << "-" << -1 << false;
}

void TestMenuPointer::keys()
{
    QFETCH(bool, mainAcross);
    QFETCH(bool, subAcross);
    QFETCH(QList<int>, keys);
    QFETCH(QString, hover);
    QFETCH(int, open);
    QFETCH(bool, lastUsed);
    CAppletParameters p;
    MakeMenu(p, mainAcross, subAcross);
    CMenuPointer pointer;
    bool used = false;
    for (int key : keys)
        used = pointer.KeyPressed(p, key, false);
    QCOMPARE(Text(pointer.State().hover), hover);
    QCOMPARE(pointer.State().nOpenSubMenu, open);
    QCOMPARE(used, lastUsed);
}

void TestMenuPointer::forgetsItemsThatAreGone()
{
    CAppletParameters p;
    MakeMenu(p);
    CMenuPointer pointer;
    pointer.Moved(p, At(p, QStringLiteral("0")));
    pointer.Pressed(p, At(p, QStringLiteral("0.1")));
    QCOMPARE(Text(pointer.State().pressed), QStringLiteral("0.1"));

    // Enter presses the item under the keys; its release clicks it once.
    CItemRef clicked;
    QVERIFY(pointer.KeyReleased(Qt::Key_Return, false, &clicked));
    QCOMPARE(Text(clicked), QStringLiteral("0.1"));
    QVERIFY(pointer.KeyPressed(p, Qt::Key_Return, false));
    QCOMPARE(Text(pointer.PressedItem()), QStringLiteral("0.1"));

    // The sub menu loses its second item, then main item 0 its sub menu.
    BuildMenu(*p.m_pMainMenu, QStringLiteral("A(a) B C(x)"));
    pointer.Forget(p);
    QCOMPARE(Text(pointer.State().hover), QStringLiteral("-"));
    QCOMPARE(Text(pointer.PressedItem()), QStringLiteral("-"));
    QCOMPARE(pointer.State().nOpenSubMenu, 0);
    BuildMenu(*p.m_pMainMenu, QStringLiteral("A B C(x)"));
    pointer.Forget(p);
    QCOMPARE(pointer.State().nOpenSubMenu, -1);
}

void TestMenuPointer::keysAndPointerTogether_data()
{
    // Steps "key down", "key right", "move X", "leave" or "keys leave".
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("open");
    QTest::addColumn<QString>("moveLook"); // items showing Mouse Move, main menu first

    QTest::newRow("keys in a sub menu, pointer over another main item")
        << "key down,key right,key down,move 2" << "0.1" << 0 << "0 2 0.1";
    QTest::newRow("keys in a sub menu, pointer off the menu")
        << "key down,key right,move 1,move -" << "0.0" << 0 << "0 0.0";
    QTest::newRow("keys in a sub menu, pointer leaves the drawing")
        << "key down,key right,move 2,leave" << "0.0" << 0 << "0 0.0";
    QTest::newRow("the keys go on from where they were")
        << "key down,key right,move 2,key down" << "0.1" << 0 << "0 0.1";
    QTest::newRow("keys on a main item: the pointer opens another")
        << "key down,move 2" << "0" << 2 << "0 2";
    QTest::newRow("the keyboard leaves: its walk ends")
        << "key down,key right,leave,keys leave" << "-" << -1 << "";
}

// The pointer changes looks but never closes the sub menu the keys are in,
// and the main item of that sub menu keeps its Mouse Move look.
void TestMenuPointer::keysAndPointerTogether()
{
    QFETCH(QString, steps);
    QFETCH(QString, keys);
    QFETCH(int, open);
    QFETCH(QString, moveLook);
    CAppletParameters p;
    MakeMenu(p);
    CMenuPointer pointer;
    for (const QString &step : steps.split(QLatin1Char(','))) {
        if (step == QLatin1String("key down"))
            pointer.KeyPressed(p, Qt::Key_Down, false);
        else if (step == QLatin1String("key right"))
            pointer.KeyPressed(p, Qt::Key_Right, false);
        else if (step.startsWith(QLatin1String("move")))
            pointer.Moved(p, At(p, step.section(QLatin1Char(' '), 1)));
        else if (step == QLatin1String("leave"))
            pointer.Left();
        else
            pointer.KeysLeft();
    }
    QCOMPARE(Text(pointer.State().keys), keys);
    QCOMPARE(pointer.State().nOpenSubMenu, open);
    QStringList looks;
    for (const char *item : {"0", "1", "2", "0.0", "0.1", "2.0"})
        if (pointer.State().ItemState(Ref(QString::fromLatin1(item))) == 2)
            looks << QString::fromLatin1(item);
    QCOMPARE(looks.join(QLatin1Char(' ')), moveLook);
}

QTEST_GUILESS_MAIN(TestMenuPointer)
#include "tst_menupointer.moc"
