#include "MenuFixture.h"
#include "TestApp.h"
#include "render/SmallMenuLayout.h"
#include "store/project/TemplateLibrary.h"
#include "wizard/preview/LivePreviewWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

// The live preview window: opening it, following the configuration, and
// what the pointer does on it.
class TestLivePreview : public QObject {
    Q_OBJECT
private slots:
    void shortcutOpensItOnEveryPage();
    void followsStoredAndEditedValues();
    void followsTheMenuStylePageWhileEditing();
    void followsTheItemStateShown();
    void pointerHoverPressClickAndSubMenu();
    void keysWalkTheMenus_data();
    void keysWalkTheMenus();
    void largeAppletIsScaledToFit();
    void opensAtTheSizeTheMenuNeeds_data();
    void opensAtTheSizeTheMenuNeeds();
    void growsWithTheMenuAndKeepsItWhole();
    void closingTheWizardWithThePreviewOpen();
    void phoneShowsTheSmallForm();
    void onPageShowsTheCurrentItem_data();
    void onPageShowsTheCurrentItem();
};

namespace {

// The flat menu, with a sub menu of four items on main item 1 whose third
// item alone has a label, a link and a target.
void MakeFixture(CAppletParameters &p)
{
    MakeFlatMenu(p);
    CAppletMenu *sub = p.m_pMainMenu->GetSubMenu(1);
    for (auto &item : sub->m_items)
        item->m_strLabel.clear();
    sub->GetItem(2)->m_strLabel = QStringLiteral("News");
    sub->GetItem(2)->m_strLink = QStringLiteral("news.htm");
    sub->GetItem(2)->m_strTarget = QStringLiteral("_blank");
}

QColor Colour(int c)
{
    return CMenuRenderer::ToQColor(c);
}

// The canvas pixel that shows applet point `pt`.
QColor Shown(CLivePreviewWindow &w, const QPoint &pt)
{
    const QImage image = w.Canvas()->grab().toImage();
    return image.pixelColor(w.ToCanvas(pt));
}

QPoint Centre(const CLivePreviewWindow &w, const CItemRef &item)
{
    return CMenuLayout(w.Shown()).ItemRect(item).center();
}

CLivePreviewWindow &OpenPreview(CMenuWizardSheet &sheet)
{
    sheet.ShowLivePreview();
    CLivePreviewWindow &w = *sheet.LivePreview();
    w.resize(400, 300);
    // Side by side: the test platform sends pointer moves to the window at
    // the pointer's screen position.
    w.move(0, 0);
    sheet.move(w.frameGeometry().right() + 20, 0);
    QApplication::processEvents();
    return w;
}

} // namespace

void TestLivePreview::shortcutOpensItOnEveryPage()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    for (int page = 0; page < sheet.GetPageCount(); ++page) {
        sheet.SetActivePage(page);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : &sheet;
        QVERIFY(!sheet.LivePreview()->isVisible());
        QTest::keyClick(target, Qt::Key_L, Qt::ControlModifier);
        QVERIFY2(sheet.LivePreview()->isVisible(), qPrintable(QString::number(page)));
        QCOMPARE(sheet.LivePreview()->windowTitle(), QStringLiteral("Live Preview"));
        sheet.LivePreview()->close();
    }
    // Opening leaves the keyboard where it was; pressed again, the keys go
    // to the drawing, and its own Ctrl+L gives them back.
    sheet.SetActivePage(&sheet.m_pageGeneral);
    QWidget *title = Control<QLineEdit>(&sheet.m_pageGeneral, "1013");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(sheet.LivePreview()->isVisible());
    QCOMPARE(QApplication::activeWindow(), &sheet);
    QCOMPARE(QApplication::focusWidget(), title);
    QTest::keyClick(title, Qt::Key_L, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), sheet.LivePreview());
    QCOMPARE(QApplication::focusWidget(), sheet.LivePreview()->Canvas());
    QTest::keyClick(sheet.LivePreview()->Canvas(), Qt::Key_L, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::activeWindow(), &sheet);
    QCOMPARE(QApplication::focusWidget(), title);
    sheet.LivePreview()->close();

    // The finish page also has a button for it, its tooltip naming the keys.
    sheet.SetActivePage(sheet.GetPageCount() - 1);
    auto *button = Control<QPushButton>(&sheet.m_pageHTML, "livePreview");
    QCOMPARE(button->text(), QStringLiteral("Live Preview"));
    QVERIFY(button->toolTip().contains(
        CMenuWizardSheet::LivePreviewShortcut().toString(QKeySequence::NativeText)));
    button->click();
    QVERIFY(sheet.LivePreview()->isVisible());
    sheet.LivePreview()->close();
    // A tool window of the wizard, so it stays usable beside it.
    QCOMPARE(sheet.LivePreview()->parentWidget(), &sheet);
    QVERIFY(sheet.LivePreview()->windowFlags() & Qt::Tool);
}

void TestLivePreview::followsStoredAndEditedValues()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.SetActivePage(3);
    CLivePreviewWindow &w = OpenPreview(sheet);
    const QPoint corner(0, 0);
    QCOMPARE(Shown(w, corner), Colour(kApplet));

    // A page stored its values.
    t.app.m_params.m_appBKColor = 0x0000ff;
    emit sheet.ConfigurationStored();
    QCOMPARE(w.Shown().m_appBKColor, 0x0000ff);
    QCOMPARE(Shown(w, corner), Colour(0x0000ff));

    // The shown page reports an edit: the picture is taken again.
    CWizardPage *first = sheet.GetActivePage();
    t.app.m_params.m_appBKColor = 0x00ff00;
    emit first->ValuesEdited();
    QCOMPARE(Shown(w, corner), Colour(0x00ff00));

    // After a page change only the page now shown is followed.
    sheet.SetActivePage(4);
    t.app.m_params.m_appBKColor = 0xff0000;
    emit first->ValuesEdited();
    QCOMPARE(w.Shown().m_appBKColor, 0x00ff00);
    emit sheet.GetActivePage()->ValuesEdited();
    QCOMPARE(w.Shown().m_appBKColor, 0xff0000);

    // The tree is followed too; the pointer state never names a lost item.
    QTest::mouseMove(w.Canvas(), w.ToCanvas(Centre(w, {3, -1})));
    QCOMPARE(w.State().hover, (CItemRef{3, -1}));
    t.app.m_params.m_pMainMenu->SetItemCount(2, 1);
    emit sheet.ConfigurationStored();
    QCOMPARE(w.Shown().m_pMainMenu->GetCount(), 2);
    QVERIFY(!w.State().hover.IsValid());
    // Closed, it does not follow; opened again, it catches up.
    w.close();
    t.app.m_params.m_appBKColor = 0x00ffff;
    emit sheet.ConfigurationStored();
    QCOMPARE(w.Shown().m_appBKColor, 0xff0000);
    sheet.ShowLivePreview();
    QCOMPARE(w.Shown().m_appBKColor, 0x00ffff);
}

void TestLivePreview::followsTheMenuStylePageWhileEditing()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.SetActivePage(&sheet.m_pageMenuStyle);
    CLivePreviewWindow &w = OpenPreview(sheet);
    auto *width = Control<QLineEdit>(&sheet.m_pageMenuStyle, "1027");
    QVERIFY(width);
    QCOMPARE(width->text(), QStringLiteral("80"));

    // Typed, not stored: the picture follows, the configuration does not.
    width->selectAll();
    QTest::keyClicks(width, "150");
    QCOMPARE(w.Shown().m_mmWidth, 150);
    QCOMPARE(t.app.m_params.m_mmWidth, 80);
    QCOMPARE(Shown(w, QPoint(150, 20)), Colour(kMain[1]));
    QTest::keyClick(Control<QRadioButton>(&sheet.m_pageMenuStyle, "1012"), Qt::Key_Space);
    QCOMPARE(w.Shown().m_mmMenuAlign, 1);
    QCOMPARE(CMenuLayout(w.Shown()).ItemRect({1, -1}), QRect(164, 10, 150, 20));

    // Switching between the menus shows each menu's own values.
    Control<QRadioButton>(&sheet.m_pageMenuStyle, "1013")->click();
    QCOMPARE(width->text(), QStringLiteral("60"));
    QCOMPARE(w.Shown().m_mmWidth, 150);
    QCOMPARE(w.Shown().m_smWidth, 60);
    Control<QRadioButton>(&sheet.m_pageMenuStyle, "1044")->click();
    QCOMPARE(width->text(), QStringLiteral("150"));
    QCOMPARE(w.Shown().m_mmWidth, 150);
    QCOMPARE(w.Shown().m_smWidth, 60);
}

void TestLivePreview::followsTheItemStateShown()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.SetActivePage(&sheet.m_pageItemStyle);
    CLivePreviewWindow &w = OpenPreview(sheet);
    // Normal, Mouse Move, then Normal again: every state keeps its colour.
    Control<QRadioButton>(&sheet.m_pageItemStyle, "1068")->click();
    Control<QRadioButton>(&sheet.m_pageItemStyle, "1032")->click();
    for (int state = 1; state <= 3; ++state)
        QCOMPARE(*ItemStyleFields(const_cast<CAppletParameters &>(w.Shown()), false, state).pBKColor,
                 kMain[state]);
    QCOMPARE(Shown(w, Centre(w, {0, -1})), Colour(kMain[1]));
}

void TestLivePreview::pointerHoverPressClickAndSubMenu()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    CMenuWizardSheet &sheet = t.OpenSheet();
    CLivePreviewWindow &w = OpenPreview(sheet);
    QCOMPARE(w.Scale(), 1.0);
    QWidget *canvas = w.Canvas();

    // Pointing at a main item draws it in its Mouse Move style.
    QTest::mouseMove(canvas, w.ToCanvas(Centre(w, {0, -1})));
    QCOMPARE(w.State().hover, (CItemRef{0, -1}));
    QCOMPARE(w.State().nOpenSubMenu, -1);
    QCOMPARE(Shown(w, Centre(w, {0, -1})), Colour(kMain[2]));
    QCOMPARE(Shown(w, Centre(w, {2, -1})), Colour(kMain[1]));

    // Resting on a main item with a sub menu opens it, in the sub-item styles.
    QTest::mouseMove(canvas, w.ToCanvas(Centre(w, {1, -1}) + QPoint(-20, 0)));
    QCOMPARE(w.State().nOpenSubMenu, 1);
    QCOMPARE(Shown(w, Centre(w, {1, 3})), Colour(kSub[1]));

    // Over a sub item, pressing it draws its Mouse Click style; the click
    // shows its link and target frame.
    const QPoint news = w.ToCanvas(Centre(w, {1, 2}));
    QTest::mouseMove(canvas, news);
    QCOMPARE(w.State().hover, (CItemRef{1, 2}));
    QCOMPARE(w.State().nOpenSubMenu, 1);
    QCOMPARE(Shown(w, Centre(w, {1, 2})), Colour(kSub[2]));
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, news);
    QCOMPARE(w.State().pressed, (CItemRef{1, 2}));
    QCOMPARE(Shown(w, Centre(w, {1, 2})), Colour(kSub[3]));
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, news);
    QVERIFY(!w.State().pressed.IsValid());
    QVERIFY2(w.StatusText().contains("news.htm") && w.StatusText().contains("_blank"),
             qPrintable(w.StatusText()));
    QVERIFY(t.ui->launches.isEmpty() && t.ui->openedDocuments.isEmpty());

    // A press dragged off its item and released elsewhere clicks nothing.
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, w.ToCanvas(Centre(w, {1, 0})));
    QTest::mouseMove(canvas, news);
    QVERIFY(!w.State().pressed.IsValid());
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, news);
    QVERIFY(w.StatusText().contains("news.htm"));

    // Another main item, or empty space, closes it.
    QTest::mouseMove(canvas, w.ToCanvas(Centre(w, {3, -1}) + QPoint(-20, 0)));
    QCOMPARE(w.State().hover, (CItemRef{3, -1}));
    QCOMPARE(w.State().nOpenSubMenu, -1);
    QCOMPARE(Shown(w, Centre(w, {1, 1})), Colour(kMain[1])); // main item 2 again
    QTest::mouseMove(canvas, w.ToCanvas(Centre(w, {1, -1})));
    QCOMPARE(w.State().nOpenSubMenu, 1);
    QTest::mouseMove(canvas, w.ToCanvas(QPoint(2, 2)));
    QCOMPARE(w.State().nOpenSubMenu, -1);
    QVERIFY(!w.State().hover.IsValid());
    // Leaving the window puts the menu at rest.
    QTest::mouseMove(canvas, w.ToCanvas(Centre(w, {1, -1})));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas, &leave);
    QCOMPARE(w.State().nOpenSubMenu, -1);
    QVERIFY(!w.State().hover.IsValid());
}

void TestLivePreview::keysWalkTheMenus_data()
{
    // Along a menu with the arrows of its direction, into the sub menu with
    // the arrow pointing at it.
    QTest::addColumn<bool>("across"); // main menu horizontal, sub menus vertical
    QTest::newRow("vertical main menu") << false;
    QTest::newRow("horizontal main menu") << true;
}

void TestLivePreview::keysWalkTheMenus()
{
    QFETCH(bool, across);
    CTestApp t;
    MakeFixture(t.app.m_params);
    t.app.m_params.m_mmMenuAlign = across ? 1 : 0;
    CMenuWizardSheet &sheet = t.OpenSheet();
    CLivePreviewWindow &w = OpenPreview(sheet);
    QWidget *canvas = w.Canvas();
    QVERIFY(canvas->focusPolicy() & Qt::TabFocus);
    const Qt::Key next = across ? Qt::Key_Right : Qt::Key_Down;
    const Qt::Key prev = across ? Qt::Key_Left : Qt::Key_Up;
    const Qt::Key into = across ? Qt::Key_Down : Qt::Key_Right;

    QTest::keyClick(canvas, next);
    QCOMPARE(w.State().hover, (CItemRef{0, -1}));
    QCOMPARE(Shown(w, Centre(w, {0, -1})), Colour(kMain[2]));
    // No sub menu under item 0: the key into one does nothing.
    QTest::keyClick(canvas, into);
    QCOMPARE(w.State().hover, (CItemRef{0, -1}));
    QTest::keyClick(canvas, next);
    QCOMPARE(w.State().hover, (CItemRef{1, -1}));
    QCOMPARE(w.State().nOpenSubMenu, 1);
    QTest::keyClick(canvas, into);
    QCOMPARE(w.State().hover, (CItemRef{1, 0}));
    QTest::keyClick(canvas, Qt::Key_Down);
    QTest::keyClick(canvas, Qt::Key_Down);
    QCOMPARE(w.State().hover, (CItemRef{1, 2}));
    QCOMPARE(Shown(w, Centre(w, {1, 2}) + QPoint(25, 0)), Colour(kSub[2]));

    // Enter presses the item while it is down, then shows its link.
    QTest::keyPress(canvas, Qt::Key_Return);
    QCOMPARE(w.State().pressed, (CItemRef{1, 2}));
    QCOMPARE(Shown(w, Centre(w, {1, 2}) + QPoint(25, 0)), Colour(kSub[3]));
    QTest::keyRelease(canvas, Qt::Key_Return);
    QVERIFY(!w.State().pressed.IsValid());
    QCOMPARE(w.StatusText(), QStringLiteral("News: link news.htm, target frame _blank"));

    // Escape goes back to the main item, which keeps its sub menu open;
    // the ends of a menu hold.
    QTest::keyClick(canvas, Qt::Key_Escape);
    QCOMPARE(w.State().hover, (CItemRef{1, -1}));
    QCOMPARE(w.State().nOpenSubMenu, 1);
    QTest::keyClick(canvas, prev);
    QTest::keyClick(canvas, prev);
    QCOMPARE(w.State().hover, (CItemRef{0, -1}));
    QCOMPARE(w.State().nOpenSubMenu, -1);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(canvas, next);
    QCOMPARE(w.State().hover, (CItemRef{3, -1}));

    // A new menu starts at rest, whatever the keys had open.
    QTest::keyClick(canvas, prev);
    QTest::keyClick(canvas, prev);
    QTest::keyClick(canvas, into);
    QCOMPARE(w.State().nOpenSubMenu, 1);
    sheet.StartNew();
    QVERIFY(!w.State().hover.IsValid());
    QVERIFY(!w.State().keys.IsValid());
    QCOMPARE(w.State().nOpenSubMenu, -1);
}

void TestLivePreview::largeAppletIsScaledToFit()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    t.app.m_params.m_mmMenuAlign = 1;
    t.app.m_params.m_mmWidth = 600; // four items across: 2422 pixels
    CMenuWizardSheet &sheet = t.OpenSheet();
    CLivePreviewWindow &w = OpenPreview(sheet);
    const QRect area = CMenuLayout(w.Shown()).AppletRect();
    QCOMPARE(area.width(), 2422);
    // Wider than the screen: the window takes the screen's width, no more,
    // and the applet is scaled into it.
    const QRect avail = w.screen()->availableGeometry();
    QVERIFY(avail.contains(w.frameGeometry()));
    QCOMPARE(w.frameGeometry().width(), avail.width());
    QVERIFY2(w.Scale() < 0.4, qPrintable(QString::number(w.Scale())));
    // The whole area is in view, and the pointer still finds the items.
    QVERIFY(w.Canvas()->rect().contains(w.ToCanvas(area.bottomRight())));
    QCOMPARE(Shown(w, area.bottomRight() - QPoint(10, 10)), Colour(kApplet));
    QTest::mouseMove(w.Canvas(), w.ToCanvas(Centre(w, {3, -1})));
    QCOMPARE(w.State().hover, (CItemRef{3, -1}));
    QCOMPARE(Shown(w, Centre(w, {3, -1})), Colour(kMain[2]));
}

void TestLivePreview::opensAtTheSizeTheMenuNeeds_data()
{
    QTest::addColumn<int>("nTemplate");
    const QStringList names = ListTemplates(QStringLiteral(VANTREL_BIN_DIR "/Vantrel.qdx"));
    QVERIFY(names.size() > 1);
    for (int i = 0; i < names.size(); ++i)
        QTest::addRow("template %d: %s", i, qPrintable(names[i].left(40))) << i;
}

// Every shipped template, opened as the user opens it (no resizing): a menu
// that fits the screen is drawn 1:1 in a window that holds it whole.
void TestLivePreview::opensAtTheSizeTheMenuNeeds()
{
    QFETCH(int, nTemplate);
    CTestApp t;
    t.app.m_params.LoadTemplate(nTemplate, t.app.TemplateLibraryPath());
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.ShowLivePreview();
    CLivePreviewWindow &w = *sheet.LivePreview();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QRect area = CMenuLayout(w.Shown()).AppletRect();
    QVERIFY(!area.isEmpty());
    const QRect avail = w.screen()->availableGeometry();
    QVERIFY(avail.contains(w.frameGeometry()));
    const QSize status = w.findChild<QLabel *>(QStringLiteral("status"))->size();
    const bool fits = area.width() + 16 <= avail.width() && area.height() + 16 + status.height() <= avail.height();
    if (!fits) {
        // Larger than the screen: the window fills it and the menu is scaled.
        QVERIFY(w.Scale() < 1.0);
        QVERIFY(w.frameGeometry().width() == avail.width() || w.frameGeometry().height() == avail.height());
        return;
    }
    QCOMPARE(w.Scale(), 1.0);
    // The whole applet area is on the canvas, at full size.
    QVERIFY(w.Canvas()->width() >= area.width() && w.Canvas()->height() >= area.height());
    QVERIFY(w.Canvas()->rect().contains(w.ToCanvas(area.topLeft())));
    QVERIFY(w.Canvas()->rect().contains(w.ToCanvas(area.bottomRight())));
    // Made smaller by hand, it still keeps the menu 1:1.
    w.resize(100, 60);
    QApplication::processEvents();
    QCOMPARE(w.Scale(), 1.0);
}

void TestLivePreview::growsWithTheMenuAndKeepsItWhole()
{
    CTestApp t;
    MakeFixture(t.app.m_params);
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.ShowLivePreview();
    CLivePreviewWindow &w = *sheet.LivePreview();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.Scale(), 1.0);
    const QSize before = w.size();
    // A larger menu stored while the window is open: the window grows.
    t.app.m_params.m_mmWidth = 300;
    t.app.m_params.m_mmHeight = 60;
    emit sheet.ConfigurationStored();
    QApplication::processEvents();
    const QRect area = CMenuLayout(w.Shown()).AppletRect();
    QVERIFY(area.width() > before.width());
    QCOMPARE(w.Scale(), 1.0);
    QVERIFY(w.Canvas()->width() >= area.width() && w.Canvas()->height() >= area.height());
    QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
}

void TestLivePreview::closingTheWizardWithThePreviewOpen()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    QPointer<CLivePreviewWindow> w = &OpenPreview(sheet);
    QVERIFY(w->isVisible());
    t.CloseSheet();
    QVERIFY(w.isNull());
}

void TestLivePreview::phoneShowsTheSmallForm()
{
    // A horizontal menu wider than a phone's page, in a page for today's
    // browsers: "Phone" shows the small-screen form, which clicks open.
    CTestApp t;
    MakeFixture(t.app.m_params);
    t.app.m_params.m_mmMenuAlign = 1;
    t.app.m_params.m_ModernPage = 1;
    CMenuWizardSheet &sheet = t.OpenSheet();
    CLivePreviewWindow &w = OpenPreview(sheet);
    auto *phone = w.findChild<QCheckBox *>(QStringLiteral("phone"));
    QVERIFY(phone);
    QCOMPARE(phone->text(), QStringLiteral("&Phone"));
    phone->click();
    QApplication::processEvents();

    const int width = CSmallMenuLayout::MenuWidth(CLivePreviewWindow::kPhoneWidth);
    // The canvas shows the picture of the form, 1:1.
    auto check = [&](const CSmallMenuLayout &layout) {
        const QImage expected = CMenuRenderer().RenderSmallImage(w.Shown(), layout);
        const QImage canvas = w.Canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return w.Scale() == 1.0 && canvas.copy(QRect(w.ToCanvas(QPoint(0, 0)), expected.size())) == expected;
    };
    auto clickRow = [&](const CSmallMenuLayout &layout, CSmallMenuLayout::ERow kind, int nMain, int nSub = -1) {
        for (const auto &row : layout.Rows())
            if (row.kind == kind && row.nMain == nMain && row.nSub == nSub) {
                QTest::mouseClick(w.Canvas(), Qt::LeftButton, {}, w.ToCanvas(row.rect.center()));
                QApplication::processEvents();
                return true;
            }
        return false;
    };
    CSmallMenuLayout layout(w.Shown(), width, false, -1);
    QVERIFY(check(layout));
    QCOMPARE(layout.Rows().size(), size_t(1)); // the Menu button alone
    QVERIFY(clickRow(layout, CSmallMenuLayout::ERow::Toggle, -1));
    layout = CSmallMenuLayout(w.Shown(), width, true, -1);
    QVERIFY(check(layout));
    QVERIFY(clickRow(layout, CSmallMenuLayout::ERow::Disclosure, 1));
    layout = CSmallMenuLayout(w.Shown(), width, true, 1);
    QVERIFY(check(layout));
    QVERIFY(clickRow(layout, CSmallMenuLayout::ERow::SubItem, 1, 2));
    QCOMPARE(w.StatusText(), QStringLiteral("News: link news.htm, target frame _blank"));
    // Unticked: the menu as before.
    phone->click();
    QApplication::processEvents();
    QCOMPARE(Shown(w, Centre(w, {0, -1})), Colour(kMain[1]));
}

void TestLivePreview::onPageShowsTheCurrentItem_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QList<int>>("clickedMains"); // main items in their Mouse Click look
    QTest::newRow("none") << QString() << QList<int>{};
    QTest::newRow("a main item's page, a sub item's too") << "main3.htm" << QList<int>{1, 2};
    QTest::newRow("a sub item's page: its owner") << "news.htm" << QList<int>{1};
}

// "On page": the menu as it stands on one of its pages, the item linking
// there and the main item owning its sub menu in their Mouse Click look.
void TestLivePreview::onPageShowsTheCurrentItem()
{
    QFETCH(QString, page);
    QFETCH(QList<int>, clickedMains);
    CTestApp t;
    MakeFixture(t.app.m_params);
    // Two items link to main3.htm, one to a place within it.
    t.app.m_params.m_pMainMenu->GetItem(2)->m_strLink = QStringLiteral("main3.htm");
    t.app.m_params.m_pMainMenu->GetSubMenu(1)->GetItem(0)->m_strLink = QStringLiteral("main3.htm#top");
    t.app.m_params.m_pMainMenu->GetSubMenu(1)->GetItem(1)->m_strLink = QStringLiteral("main3.htm");
    CMenuWizardSheet &sheet = t.OpenSheet();
    CLivePreviewWindow &w = OpenPreview(sheet);
    auto *choice = w.findChild<QComboBox *>(QStringLiteral("currentPage"));
    QVERIFY(choice);
    QCOMPARE(choice->accessibleName(), QStringLiteral("Shown on page"));
    // Every page the menu links to is offered once.
    QStringList offered;
    for (int i = 0; i < choice->count(); ++i)
        offered << choice->itemText(i);
    QCOMPARE(offered, (QStringList{"(none)", "main3.htm", "news.htm"}));
    choice->setCurrentIndex(page.isEmpty() ? 0 : choice->findText(page));
    QApplication::processEvents();
    for (int i = 0; i < w.Shown().m_pMainMenu->GetCount(); ++i)
        QCOMPARE(Shown(w, Centre(w, {i, -1})), Colour(kMain[clickedMains.contains(i) ? 3 : 1]));
    // The choice stays when the configuration is taken again.
    w.Refresh();
    QCOMPARE(choice->currentText(), page.isEmpty() ? QStringLiteral("(none)") : page);
}

QTEST_MAIN(TestLivePreview)
#include "tst_livepreview.moc"
