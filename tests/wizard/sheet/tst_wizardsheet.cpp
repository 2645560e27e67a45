#include "TestApp.h"
#include "app/PreviewLauncher.h"
#include "wizard/sheet/PageStack.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Drives the sheet's page flow with the pages as they are.
class TestWizardSheet : public QObject {
    Q_OBJECT
private slots:
    void opensOnWelcomeWithOnlyNext();
    void stepsThroughEveryHeading();
    void pagePicturesFillTheirPlace();
    void pagesAreBuiltWhenFirstShown();
    void pageRoomFitsTheLargestPage_data();
    void pageRoomFitsTheLargestPage();
    void finishKeepsTheSheetOpen();
    void cancelRunsOnlyShownPagesCancelHandling_data();
    void cancelRunsOnlyShownPagesCancelHandling();
    void refusingPageStays();
    void escapeCloses();
    void helpOpensGuideOrSaysItIsMissing();
};

static const QStringList kHeadings = {
    "Welcome to the Vantrel!",         "Select a Template to Start Work",
    "Set General Parameters",          "Set Menu Style",
    "Set Main Menu Item Style",        "Set Sub Menu Item Style",
    "Insert Items Into Menu",          "Congratulations,You just finished the work!"};

void TestWizardSheet::opensOnWelcomeWithOnlyNext()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    QCOMPARE(sheet.windowTitle(), QStringLiteral("Wizard"));
    QCOMPARE(sheet.GetActiveIndex(), 0);
    QVERIFY(!sheet.BackButton()->isEnabled());
    QVERIFY(sheet.NextButton()->isEnabled());
    QVERIFY(!sheet.FinishButton()->isVisible());
    QVERIFY(sheet.HelpButton()->isVisible());
    QVERIFY(sheet.m_fontTitle.bold());
    QVERIFY(sheet.m_pageWelcome.m_staticTitle->font().bold());
    QCOMPARE(sheet.windowIcon().pixmap(32, 32).size(), QSize(32, 32));
}

void TestWizardSheet::stepsThroughEveryHeading()
{
    CTestApp t;
    // Item sizes a loaded template would give: the menu style page refuses 0.
    for (bool sub : {false, true}) {
        const CMenuStyle f = MenuStyleFields(t.app.m_params, sub);
        *f.pWidth = 100;
        *f.pHeight = 20;
    }
    CMenuWizardSheet &sheet = t.OpenSheet();
    for (int i = 0; i < kHeadings.size(); ++i) {
        QCOMPARE(sheet.GetActiveIndex(), i);
        CWizardPage *page = sheet.GetActivePage();
        QCOMPARE(page->m_staticTitle->text(), kHeadings[i]);
        QVERIFY(page->m_staticTitle->font().bold());
        QCOMPARE(page->m_staticTitle->font().family(), sheet.m_fontTitle.family());
        if (i + 1 < kHeadings.size())
            sheet.NextButton()->click();
    }
    // The last page offers Back and Finish, not Next.
    QVERIFY(sheet.BackButton()->isEnabled());
    QVERIFY(sheet.FinishButton()->isVisible());
    QVERIFY(!sheet.NextButton()->isVisible());
    for (int i = kHeadings.size() - 1; i > 0; --i)
        sheet.BackButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), 0);
    QVERIFY(!sheet.BackButton()->isEnabled());
}

void TestWizardSheet::pagePicturesFillTheirPlace()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    const QSize opened = sheet.size();
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        CWizardPage *page = sheet.GetPage(i);
        page->Build();
        auto *picture = page->findChild<QLabel *>(QStringLiteral("picture"));
        QVERIFY(picture);
        // A page without a picture shows the small program icon instead.
        if (picture->frameShape() == QFrame::NoFrame) {
            sheet.SetActivePage(i);
            QVERIFY(!picture->pixmap().isNull());
            continue;
        }
        // Pictures are drawn when their page is first shown, into the place
        // kept for them from the start: showing a page moves nothing.
        const QSize place = picture->size();
        sheet.SetActivePage(i);
        QVERIFY(!picture->pixmap().isNull());
        QCOMPARE(picture->size(), place);
        QCOMPARE(picture->sizeHint(), place);
        QCOMPARE(sheet.size(), opened);
    }
}

void TestWizardSheet::pagesAreBuiltWhenFirstShown()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    // The first page alone is built when the wizard opens.
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        QCOMPARE(sheet.GetPage(i)->IsBuilt(), i == 0);
        QCOMPARE(sheet.GetPage(i)->findChildren<QWidget *>().isEmpty(), i != 0);
    }
    sheet.SetActivePage(&sheet.m_pageItem);
    QVERIFY(sheet.m_pageItem.IsBuilt());
    QVERIFY(!sheet.m_pageGeneral.IsBuilt());
    // Shown with the page at once, not a turn of the event loop later.
    QVERIFY(sheet.m_pageItem.m_editMainLabel->isVisible());
    QVERIFY(sheet.m_pageItem.m_staticTitle->font().bold());
}

void TestWizardSheet::pageRoomFitsTheLargestPage_data()
{
    // The interface fonts of Linux desktops, at the sizes they come in.
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::newRow("application's font") << QString() << 0;
    for (const char *family : {"DejaVu Sans", "Liberation Sans", "Noto Sans"})
        for (int points : {9, 10, 11})
            QTest::addRow("%s %d pt", family, points) << QString::fromLatin1(family) << points;
}

void TestWizardSheet::pageRoomFitsTheLargestPage()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    const QFont appFont = QApplication::font();
    struct Restore {
        QFont font;
        ~Restore() { QApplication::setFont(font); }
    } restore{appFont};
    if (!family.isEmpty()) {
        QFont font(family, points);
        if (QFontInfo(font).family() != family)
            QSKIP(qPrintable(family + QStringLiteral(" is not installed")));
        QApplication::setFont(font);
    }
    qInfo("interface font: %s %g pt", qPrintable(QFontInfo(QApplication::font()).family()),
          QFontInfo(QApplication::font()).pointSizeF());
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    // Once painted, the sheet builds its largest pages and measures them.
    QTRY_VERIFY(sheet.m_pageItem.IsBuilt());
    QCoreApplication::processEvents();
    const QSize opened = sheet.size();
    auto *stack = sheet.findChild<CPageStack *>();
    QVERIFY(stack);
    QSize largest, least;
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        CWizardPage *page = sheet.GetPage(i);
        page->Build();
        largest = largest.expandedTo(page->sizeHint());
        least = least.expandedTo(page->minimumSizeHint());
    }
    // The room kept for the unbuilt pages is what the largest of them asks
    // for, give or take a character and a line of the font; a page grown
    // past it needs the room measured again (PageStack.cpp).
    const QFontMetrics metrics(stack->font());
    const struct {
        const char *what;
        QSize room, pages;
    } rooms[] = {{"size", stack->PageRoom(), largest}, {"least size", stack->LeastPageRoom(), least}};
    for (const auto &r : rooms) {
        const QString what = QStringLiteral("%1: room %2 x %3, pages %4 x %5")
                                 .arg(QLatin1String(r.what))
                                 .arg(r.room.width())
                                 .arg(r.room.height())
                                 .arg(r.pages.width())
                                 .arg(r.pages.height());
        QVERIFY2(r.room.width() >= r.pages.width() && r.room.height() >= r.pages.height(), qPrintable(what));
        QVERIFY2(r.room.width() - r.pages.width() <= metrics.averageCharWidth(), qPrintable(what));
        QVERIFY2(r.room.height() - r.pages.height() <= metrics.lineSpacing(), qPrintable(what));
    }
    // Every page shown in turn moves nothing.
    for (int i = 0; i < sheet.GetPageCount(); ++i) {
        sheet.SetActivePage(i);
        QCOMPARE(sheet.size(), opened);
    }
}

void TestWizardSheet::finishKeepsTheSheetOpen()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.SetActivePage(&sheet.m_pageHTML);
    sheet.FinishButton()->click();
    sheet.FinishButton()->click();
    QVERIFY(sheet.isVisible());
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageHTML);
    // A jump back to the template page shows Back and Next again.
    sheet.SetActivePage(&sheet.m_pageTemplate);
    QCOMPARE(sheet.WizardButtons(), PSWIZB_BACK | PSWIZB_NEXT);
    QVERIFY(sheet.NextButton()->isVisible());
}

// A page that counts its notifications and may refuse to be left.
void TestWizardSheet::cancelRunsOnlyShownPagesCancelHandling_data()
{
    QTest::addColumn<bool>("finishPageShown");
    QTest::newRow("finish page never shown") << false;
    // Start New goes back to the template page; the finish page has been
    // shown, so its handling (the question, clearing previews) still runs.
    QTest::newRow("after Start New") << true;
}

void TestWizardSheet::cancelRunsOnlyShownPagesCancelHandling()
{
    QFETCH(bool, finishPageShown);
    QTemporaryDir appDir;
    CTestApp t;
    t.app.m_strAppDir = appDir.path();
    const QString leftOver = QDir(ScratchFolder(t.app)).filePath(QStringLiteral("~Vantrel.htm"));
    QVERIFY(WriteFileBytes(leftOver, "earlier preview"));
    CMenuWizardSheet &sheet = t.OpenSheet();
    if (finishPageShown) {
        sheet.SetActivePage(&sheet.m_pageHTML);
        t.ui->messageAnswers = {QMessageBox::No};
        sheet.m_pageHTML.m_btnStartNew->click();
    } else {
        sheet.NextButton()->click();
    }
    QCOMPARE(sheet.GetActiveIndex(), 1);
    QCOMPARE(sheet.m_pageHTML.IsCreated(), finishPageShown);
    t.ui->messages.clear();

    QSignalSpy rejected(&sheet, &QDialog::rejected);
    t.ui->messageAnswers = {QMessageBox::No};
    sheet.CancelButton()->click();
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!sheet.isVisible());
    QCOMPARE(t.ui->MessageTexts(), finishPageShown ? QStringList{QStringLiteral("Save Glidebar in HTML file?")}
                                                   : QStringList());
    QCOMPARE(QFileInfo::exists(leftOver), !finishPageShown);
}

void TestWizardSheet::refusingPageStays()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.NextButton()->click();
    sheet.NextButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), 2);
    // A page that refuses Next or Back keeps the sheet where it is.
    Control<QLineEdit>(&sheet.m_pageGeneral, "1019")->setText(QStringLiteral("x"));
    sheet.NextButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), 2);
    sheet.BackButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), 2);
    QCOMPARE(t.ui->messages.size(), 2);
    // Once it accepts, the sheet moves.
    Control<QLineEdit>(&sheet.m_pageGeneral, "1019")->setText(QStringLiteral("3"));
    sheet.NextButton()->click();
    QCOMPARE(sheet.GetActiveIndex(), 3);
}

void TestWizardSheet::escapeCloses()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    QSignalSpy rejected(&sheet, &QDialog::rejected);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
}

void TestWizardSheet::helpOpensGuideOrSaysItIsMissing()
{
    CTestApp t;
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.HelpButton()->click();
    QCOMPARE(t.ui->openedDocuments, QStringList{QStringLiteral(VANTREL_BIN_DIR "/Vantrel.html")});

    QTemporaryDir empty;
    t.app.m_strAppDir = empty.path();
    sheet.HelpButton()->click();
    QCOMPARE(t.ui->messages.size(), 1);
    QVERIFY(t.ui->messages[0].text.contains(QStringLiteral("user guide")));
    QCOMPARE(t.ui->openedDocuments.size(), 1);
}

QTEST_MAIN(TestWizardSheet)
#include "tst_wizardsheet.moc"
