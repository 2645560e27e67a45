#include "TestApp.h"
#include "wizard/dialogs/AboutDlg.h"
#include "wizard/dialogs/ItemFontDialog.h"
#include "wizard/preview/LivePreviewWindow.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// Keyboard and screen-reader use of every page and dialog: each control a
// user can reach has a name, Tab goes through the controls in reading order
// and ends on the wizard's buttons left to right, no Alt-letter key is given
// twice, and Enter presses the default button.
class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void everyPage_data();
    void everyPage();
    void dialogs_data();
    void dialogs();
    void enterPressesTheDefaultButton();
    void statusLineIsAStopOnlyWhileItSpeaks_data();
    void statusLineIsAStopOnlyWhileItSpeaks();
};

namespace {

QString Describe(const QWidget *w)
{
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()),
                                         w->objectName());
}

// What a screen reader announces: the name given to the control, else what
// the accessibility layer derives (its text, or its buddy label's).
QString SpokenName(QWidget *w)
{
    if (!w->accessibleName().trimmed().isEmpty())
        return w->accessibleName().trimmed();
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name).trimmed() : QString();
}

// A part that hands its focus on (the line edit inside an editable combo
// box) is the other control to the user.
bool IsInnerPart(const QWidget *w)
{
    return w->focusProxy() != nullptr;
}

bool Reachable(QWidget *w, QWidget *window)
{
    return w->window() == window && w->isVisibleTo(window) && (w->focusPolicy() & Qt::TabFocus)
           && !IsInnerPart(w);
}

// The enabled controls Tab reaches in `window`, in the order it reaches them.
QList<QWidget *> TabChain(QWidget *window)
{
    QList<QWidget *> chain;
    QWidget *w = window;
    for (int guard = 0; guard < 1000; ++guard) {
        w = w->nextInFocusChain();
        if (w == window)
            break;
        if (Reachable(w, window) && w->isEnabled())
            chain << w;
    }
    return chain;
}

QRect Frame(QWidget *w, QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// Every control of `window` has a name; Tab never goes back up within a
// column (controls whose horizontal extents overlap); Alt-letter keys are
// unique, and a label showing "&" gives its key to a control.
void CheckWindow(QWidget *window)
{
    for (QWidget *w : window->findChildren<QWidget *>())
        if (Reachable(w, window))
            QVERIFY2(!SpokenName(w).isEmpty(), qPrintable(Describe(w) + " has no name"));

    // A screen reader meets no stop that Tab never reaches, nor an empty
    // one: what the accessibility tree calls focusable is a Tab stop with a
    // name.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        // (Radio buttons are reached by the arrow keys in their set.)
        if (w->window() != window || !w->isVisibleTo(window) || IsInnerPart(w) || qobject_cast<QRadioButton *>(w))
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || !iface->state().focusable)
            continue;
        QVERIFY2(w->focusPolicy() & Qt::TabFocus, qPrintable(Describe(w) + " is focusable but never reached by Tab"));
        QVERIFY2(!SpokenName(w).isEmpty(), qPrintable(Describe(w) + " is focusable and has no name"));
    }

    const QList<QWidget *> chain = TabChain(window);
    for (int i = 1; i < chain.size(); ++i) {
        const QRect a = Frame(chain[i - 1], window);
        const QRect b = Frame(chain[i], window);
        const bool sameColumn = a.left() < b.right() && b.left() < a.right();
        QVERIFY2(!(sameColumn && b.top() < a.top() - 4),
                 qPrintable(Describe(chain[i - 1]) + " then " + Describe(chain[i])
                            + ": Tab goes back up"));
    }

    // Tab enters a set of radio buttons at the checked one.
    for (QWidget *w : chain) {
        auto *radio = qobject_cast<QRadioButton *>(w);
        if (!radio || radio->isChecked())
            continue;
        for (QRadioButton *sibling : radio->parentWidget()->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(!(sibling->isChecked() && sibling->autoExclusive() && sibling->isVisibleTo(window)),
                     qPrintable(Describe(w) + " takes Tab though " + Describe(sibling) + " is checked"));
    }

    QMap<QChar, QString> keys;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        QString text;
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            text = button->text();
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->textFormat() != Qt::RichText)
            text = label->text();
        const QString key = QKeySequence::mnemonic(text).toString();
        if (key.isEmpty())
            continue;
        if (auto *label = qobject_cast<QLabel *>(w))
            QVERIFY2(label->buddy(), qPrintable(Describe(w) + " shows a key but has no buddy"));
        const QChar letter = key.back().toLower();
        QVERIFY2(!keys.contains(letter),
                 qPrintable(QStringLiteral("Alt+%1 given to %2 and %3")
                                .arg(letter, keys.value(letter), Describe(w))));
        keys.insert(letter, Describe(w));
    }
}

} // namespace

void TestKeyboard::everyPage_data()
{
    QTest::addColumn<int>("page");
    for (int i = 0; i < 8; ++i)
        QTest::addRow("page %d", i) << i;
}

void TestKeyboard::everyPage()
{
    QFETCH(int, page);
    CTestApp t;
    // A template with sub menus, so that the item page's sub-menu side is in use.
    t.app.m_params.LoadTemplate(0, t.app.TemplateLibraryPath());
    QVERIFY(t.app.m_params.m_pMainMenu->GetItem(1)->m_pSubMenu);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.SetActivePage(page);
    if (page == 6) {
        // The second main item has a sub menu: both sides are enabled.
        sheet.m_pageItem.findChild<QAbstractButton *>(QStringLiteral("1052"))->click();
        QVERIFY(sheet.m_pageItem.findChild<QLineEdit *>(QStringLiteral("1047"))->isEnabled());
    }
    CheckWindow(&sheet);

    // Tab ends on the wizard's own buttons, in the order they stand.
    QList<QWidget *> chain = TabChain(&sheet);
    QList<QWidget *> buttons;
    for (QWidget *w : chain)
        if (w->parentWidget() == &sheet)
            buttons << w;
    QVERIFY(!buttons.isEmpty());
    QCOMPARE(chain.mid(chain.size() - buttons.size()), buttons);
    for (int i = 1; i < buttons.size(); ++i)
        QVERIFY(Frame(buttons[i - 1], &sheet).left() < Frame(buttons[i], &sheet).left());
    QCOMPARE(buttons.last(), static_cast<QWidget *>(sheet.HelpButton()));
}

void TestKeyboard::dialogs_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("options") << 0;
    QTest::newRow("about") << 1;
    QTest::newRow("font") << 2;
    QTest::newRow("live preview") << 3;
}

void TestKeyboard::dialogs()
{
    QFETCH(int, which);
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    std::unique_ptr<QWidget> owned;
    QWidget *w = nullptr;
    switch (which) {
    case 0: owned.reset(new COptionsDlg(t.app, &sheet)); w = owned.get(); break;
    case 1: owned.reset(new CAboutDlg(&sheet)); w = owned.get(); break;
    case 2: owned.reset(new CItemFontDialog(&sheet)); w = owned.get(); break;
    default: w = sheet.LivePreview(); break;
    }
    w->show();
    CheckWindow(w);
    // The preview's drawing is named too: it is what the window is for.
    for (QWidget *child : w->findChildren<QWidget *>())
        if (QString::fromLatin1(child->metaObject()->className()).contains(QLatin1String("Canvas")))
            QVERIFY(!SpokenName(child).isEmpty());
}

void TestKeyboard::enterPressesTheDefaultButton()
{
    CTestApp t;
    t.app.m_params.LoadTemplate(0, t.app.TemplateLibraryPath());
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    sheet.SetActivePage(2);
    auto *title = sheet.m_pageGeneral.findChild<QLineEdit *>(QStringLiteral("1013"));
    title->setFocus();
    QTest::keyClick(title, Qt::Key_Return);
    QCOMPARE(sheet.GetActiveIndex(), 3);

    // In a dialog Enter is OK.
    CItemFontDialog font(&sheet);
    font.show();
    font.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&font));
    auto *size = font.findChild<QWidget *>(QStringLiteral("1047"));
    size->setFocus();
    QTest::keyClick(size, Qt::Key_Return);
    QCOMPARE(font.result(), int(QDialog::Accepted));
}

void TestKeyboard::statusLineIsAStopOnlyWhileItSpeaks_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("menu style") << 3;
    QTest::newRow("main item style") << 4;
    QTest::newRow("sub item style") << 5;
}

// The line that confirms a copy: hidden and no stop while it has nothing to
// say; once it speaks, a named stop that Tab reaches, and the page passes
// every check above.
void TestKeyboard::statusLineIsAStopOnlyWhileItSpeaks()
{
    QFETCH(int, page);
    CTestApp t;
    t.app.m_params.LoadTemplate(0, t.app.TemplateLibraryPath());
    CMenuWizardSheet &sheet = t.OpenSheet();
    // Through the template page, which gives the wizard its Back button.
    sheet.SetActivePage(1);
    while (sheet.GetActiveIndex() < page)
        sheet.NextButton()->click();
    QWidget *status = sheet.GetActivePage()->findChild<QWidget *>(QStringLiteral("statusLine"));
    QVERIFY(status);
    QVERIFY(!status->isVisibleTo(&sheet));
    QCOMPARE(status->focusPolicy(), Qt::NoFocus);
    QVERIFY(!TabChain(&sheet).contains(status));

    sheet.GetActivePage()->findChild<QPushButton *>(QStringLiteral("copyToMenu"))->click();
    QVERIFY(status->isVisibleTo(&sheet));
    QVERIFY(TabChain(&sheet).contains(status));
    QVERIFY(!SpokenName(status).isEmpty());
    CheckWindow(&sheet);
    if (QTest::currentTestFailed())
        return;

    // Leaving the page ends what it said.
    sheet.NextButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), page + 1);
    sheet.BackButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), page);
    QVERIFY(!status->isVisibleTo(&sheet));
    QCOMPARE(status->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
