#include "TestApp.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/widgets/SpinButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The general page driven through the sheet.
class TestGeneralPage : public QObject {
    Q_OBJECT
private slots:
    void showsTheConfigurationOnEveryActivation();
    void storesOnBackAndNextOnly();
    void failedCheckStoresAsTheValuesStand();
    void boxesTakeDigitsOnly();
    void spinArrowsStopAtTheLimits();
    void onlyYAnswersArrowKeys();
    void browseForImage();
    void colourReachesConfigurationOnLeaving();
    void shownValuesForPreview();
    void modernPageChoice_data();
    void modernPageChoice();
    void modernPageBoxFollowsTheConfiguration();
    void languageAndDescription_data();
    void languageAndDescription();
};

namespace {

struct Fixture {
    Fixture()
    {
        CAppletParameters &p = t.app.m_params;
        p.m_HTMLTitle = QStringLiteral("My menu");
        p.m_Align = 2;
        p.m_appBKColor = 0x112233;
        p.m_appBKImagePath = QStringLiteral("/pics/back.gif");
        p.m_xPos = 12;
        p.m_yPos = 34;
        // Valid menu sizes, so that Next from the page lands on the menu style page.
        for (bool sub : {false, true}) {
            *MenuStyleFields(p, sub).pWidth = 100;
            *MenuStyleFields(p, sub).pHeight = 20;
        }
        t.OpenSheetAt(&CMenuWizardSheet::m_pageGeneral);
    }
    CMenuWizardSheet &sheet() { return *t.sheet; }
    CGeneralPage &page() { return t.sheet->m_pageGeneral; }
    CAppletParameters &params() { return t.app.m_params; }
    QLineEdit *edit(const char *id) { return Control<QLineEdit>(&page(), id); }

    CTestApp t;
};

} // namespace

void TestGeneralPage::showsTheConfigurationOnEveryActivation()
{
    Fixture f;
    QCOMPARE(Control<QComboBox>(&f.page(), "1014")->currentText(), QStringLiteral("Right"));
    QCOMPARE(f.edit("1013")->text(), QStringLiteral("My menu"));
    QCOMPARE(f.edit("1017")->text(), QStringLiteral("/pics/back.gif"));
    QCOMPARE(f.edit("1019")->text(), QStringLiteral("12"));
    QCOMPARE(f.edit("1021")->text(), QStringLiteral("34"));
    QCOMPARE(Control<CColorButton>(&f.page(), "1015")->Color(), 0x112233);

    // Changed meanwhile (as a template load would): shown on the next visit.
    f.sheet().NextButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageMenuStyle);
    f.params().m_HTMLTitle = QStringLiteral("Other");
    f.params().m_Align = 0;
    f.sheet().BackButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    QCOMPARE(f.edit("1013")->text(), QStringLiteral("Other"));
    QCOMPARE(Control<QComboBox>(&f.page(), "1014")->currentText(), QStringLiteral("Center"));
}

void TestGeneralPage::storesOnBackAndNextOnly()
{
    Fixture f;
    QSignalSpy stored(&f.sheet(), &CMenuWizardSheet::ConfigurationStored);
    f.edit("1013")->setText(QStringLiteral("New title"));
    Control<QComboBox>(&f.page(), "1014")->setCurrentIndex(1);
    f.edit("1019")->setText(QStringLiteral("1000"));
    QCOMPARE(f.params().m_HTMLTitle, QStringLiteral("My menu"));
    QCOMPARE(stored.count(), 0);

    f.sheet().BackButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageTemplate);
    QCOMPARE(f.params().m_HTMLTitle, QStringLiteral("New title"));
    QCOMPARE(f.params().m_Align, 1);
    QCOMPARE(f.params().m_xPos, 1000);
    QCOMPARE(f.params().m_yPos, 34);
    QVERIFY(stored.count() >= 1);
    QVERIFY(f.t.ui->messages.isEmpty());

    // Cancelling the wizard from the page discards its edits.
    f.sheet().SetActivePage(&f.page());
    f.edit("1013")->setText(QStringLiteral("Discarded"));
    f.sheet().CancelButton()->click();
    QCOMPARE(f.params().m_HTMLTitle, QStringLiteral("New title"));
}

void TestGeneralPage::failedCheckStoresAsTheValuesStand()
{
    Fixture f;
    f.edit("1013")->setText(QStringLiteral("Read before X"));
    f.edit("1019")->setText(QStringLiteral("1001"));
    f.edit("1021")->setText(QStringLiteral("500"));
    f.edit("1017")->setText(QStringLiteral("/pics/after.gif"));
    f.sheet().NextButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    // The failing number is taken; the boxes after it are not read.
    QCOMPARE(f.params().m_HTMLTitle, QStringLiteral("Read before X"));
    QCOMPARE(f.params().m_xPos, 1001);
    QCOMPARE(f.params().m_yPos, 34);
    QCOMPARE(f.params().m_appBKImagePath, QStringLiteral("/pics/back.gif"));

    // An empty box keeps the value it had.
    f.edit("1019")->clear();
    f.sheet().NextButton()->click();
    QCOMPARE(f.params().m_xPos, 1001);
    QCOMPARE(f.t.ui->MessageTexts().last(), QStringLiteral("Please enter an integer."));
}

void TestGeneralPage::boxesTakeDigitsOnly()
{
    Fixture f;
    QLineEdit *x = f.edit("1019");
    x->clear();
    QTest::keyClicks(x, QStringLiteral("1-2a 3.4"));
    QCOMPARE(x->text(), QStringLiteral("1234"));
}

void TestGeneralPage::spinArrowsStopAtTheLimits()
{
    Fixture f;
    QLineEdit *x = f.edit("1019");
    auto *spin = Control<CSpinButton>(&f.page(), "1020");
    QCOMPARE(spin->Lower(), 0);
    QCOMPARE(spin->Upper(), 1000);
    x->setText(QStringLiteral("999"));
    spin->UpButton()->click();
    QCOMPARE(x->text(), QStringLiteral("1000"));
    spin->UpButton()->click();
    QCOMPARE(x->text(), QStringLiteral("1000"));
    x->setText(QStringLiteral("1"));
    spin->DownButton()->click();
    spin->DownButton()->click();
    QCOMPARE(x->text(), QStringLiteral("0"));
    // A typed number beyond the range steps back into it.
    x->setText(QStringLiteral("5000"));
    spin->DownButton()->click();
    QCOMPARE(x->text(), QStringLiteral("999"));
    // An empty box steps from the last position.
    x->clear();
    spin->UpButton()->click();
    QCOMPARE(x->text(), QStringLiteral("1000"));
}

void TestGeneralPage::onlyYAnswersArrowKeys()
{
    Fixture f;
    QTest::keyClick(f.edit("1021"), Qt::Key_Up);
    QCOMPARE(f.edit("1021")->text(), QStringLiteral("35"));
    QTest::keyClick(f.edit("1021"), Qt::Key_Down);
    QTest::keyClick(f.edit("1021"), Qt::Key_Down);
    QCOMPARE(f.edit("1021")->text(), QStringLiteral("33"));
    QTest::keyClick(f.edit("1019"), Qt::Key_Up);
    QCOMPARE(f.edit("1019")->text(), QStringLiteral("12"));
}

void TestGeneralPage::browseForImage()
{
    Fixture f;
    QPushButton *browse = Control<QPushButton>(&f.page(), "1007");
    f.t.ui->openFileAnswers = {QString()};
    browse->click();
    QCOMPARE(f.t.ui->openFileRequests.size(), 1);
    QCOMPARE(f.t.ui->openFileRequests[0].filter,
             QStringLiteral("Image Files(*.GIF,*.JPG.*.JPEG) | *.gif;*.jpg;*.jpeg ||"));
    QCOMPARE(f.edit("1017")->text(), QStringLiteral("/pics/back.gif"));

    f.t.ui->openFileAnswers = {QStringLiteral("/home/u/images/new.jpg")};
    browse->click();
    QCOMPARE(f.edit("1017")->text(), QStringLiteral("/home/u/images/new.jpg"));
    QCOMPARE(f.params().m_appBKImagePath, QStringLiteral("/pics/back.gif"));
    f.sheet().NextButton()->click();
    QCOMPARE(f.params().m_appBKImagePath, QStringLiteral("/home/u/images/new.jpg"));

    // Browsing while a number is refused: the refusal is told, and the boxes
    // the check did not reach keep what was typed.
    f.sheet().BackButton()->click();
    f.edit("1019")->setText(QStringLiteral("2000"));
    f.edit("1021")->setText(QStringLiteral("55"));
    f.t.ui->openFileAnswers = {QStringLiteral("/home/u/images/other.gif")};
    browse->click();
    QCOMPARE(f.t.ui->MessageTexts(),
             QStringList{QStringLiteral("Please enter an integer between 0 and 1000.")});
    QCOMPARE(f.edit("1017")->text(), QStringLiteral("/home/u/images/other.gif"));
    QCOMPARE(f.edit("1019")->text(), QStringLiteral("2000"));
    QCOMPARE(f.edit("1021")->text(), QStringLiteral("55"));
}

void TestGeneralPage::colourReachesConfigurationOnLeaving()
{
    Fixture f;
    auto *swatch = Control<CColorButton>(&f.page(), "1015");
    f.t.ui->colorAnswers = {-1, 0x00FF00};
    swatch->click(); // cancelled
    QCOMPARE(swatch->Color(), 0x112233);
    swatch->click(); // confirmed
    QCOMPARE(f.t.ui->colorRequests, (QList<int>{0x112233, 0x112233}));
    QCOMPARE(swatch->Color(), 0x00FF00);
    QCOMPARE(f.params().m_appBKColor, 0x112233);
    f.sheet().BackButton()->click();
    QCOMPARE(f.params().m_appBKColor, 0x00FF00);

    // Chosen, then the wizard cancelled: not stored.
    f.sheet().SetActivePage(&f.page());
    f.t.ui->colorAnswers = {0x0000FF};
    swatch->click();
    f.sheet().CancelButton()->click();
    QCOMPARE(f.params().m_appBKColor, 0x00FF00);
}

void TestGeneralPage::shownValuesForPreview()
{
    Fixture f;
    QSignalSpy edited(&f.page(), &CWizardPage::ValuesEdited);
    f.edit("1013")->setText(QStringLiteral("Preview me"));
    f.edit("1019")->setText(QStringLiteral("77"));
    f.edit("1021")->clear();
    f.t.ui->colorAnswers = {0x0000FF};
    Control<CColorButton>(&f.page(), "1015")->click();
    QVERIFY(edited.count() >= 4);

    CAppletParameters copy;
    copy.CopyFrom(f.params());
    copy.m_yPos = 5;
    f.page().ApplyShownValues(copy);
    QCOMPARE(copy.m_HTMLTitle, QStringLiteral("Preview me"));
    QCOMPARE(copy.m_xPos, 77);
    QCOMPARE(copy.m_yPos, 5); // an empty box is skipped
    QCOMPARE(copy.m_appBKColor, 0x0000FF);
    QCOMPARE(copy.m_Align, 2);
    // Nothing was stored.
    QCOMPARE(f.params().m_HTMLTitle, QStringLiteral("My menu"));
    QCOMPARE(f.params().m_appBKColor, 0x112233);
}

void TestGeneralPage::modernPageChoice_data()
{
    QTest::addColumn<int>("stored");  // m_ModernPage before the page is shown
    QTest::addColumn<QString>("how"); // how the box is changed: "", "click", "space", "set"
    QTest::addColumn<int>("modern");  // the choice after Next

    QTest::newRow("on, left alone") << 1 << "" << 1;
    QTest::newRow("off, left alone") << 0 << "" << 0;
    QTest::newRow("off, ticked with the mouse") << 0 << "click" << 1;
    QTest::newRow("on, cleared with the space bar") << 1 << "space" << 0;
    QTest::newRow("off, set without a click") << 0 << "set" << 1;
}

// The check box decides what the finish page shows and what Finish saves.
void TestGeneralPage::modernPageChoice()
{
    QFETCH(int, stored);
    QFETCH(QString, how);
    QFETCH(int, modern);

    // A program folder of the test's own, with the files a save copies.
    QTemporaryDir appDir, outDir;
    const QByteArray script = "// menu script\n";
    QVERIFY(WriteFileBytes(appDir.filePath("Glidebar.class"), "class"));
    QVERIFY(WriteFileBytes(appDir.filePath("glidebar.js"), script));

    Fixture f;
    f.t.app.m_strAppDir = appDir.path();
    f.params().m_ModernPage = stored;
    f.params().m_appBKImagePath.clear();
    f.sheet().SetActivePage(&f.sheet().m_pageTemplate);
    f.sheet().SetActivePage(&f.page());
    QCheckBox *box = Control<QCheckBox>(&f.page(), "modernPage");
    QVERIFY(box);
    QCOMPARE(box->isChecked(), bool(stored));

    QSignalSpy edited(&f.page(), &CWizardPage::ValuesEdited);
    if (how == "click") {
        box->click();
    } else if (how == "space") {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    } else if (how == "set") {
        box->setChecked(!box->isChecked());
    }
    QCOMPARE(edited.isEmpty(), how.isEmpty());
    // Seen by the live preview at once, stored only on leaving.
    CAppletParameters shown;
    f.page().ApplyShownValues(shown);
    QCOMPARE(shown.m_ModernPage, modern);
    QCOMPARE(f.params().m_ModernPage, stored);

    for (int i = 0; i < 5; ++i)
        f.sheet().NextButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageHTML);
    QCOMPARE(f.params().m_ModernPage, modern);
    const QString text = f.sheet().m_pageHTML.m_richHTML->toPlainText();
    QCOMPARE(text.contains("<script src=\"glidebar.js\"></script>\n<applet "), bool(modern));
    QCOMPARE(text.contains("<nav class=\"glidebar-links\""), bool(modern));

    f.t.ui->saveFileAnswers = {outDir.filePath("menu.htm")};
    f.sheet().FinishButton()->click();
    QVERIFY2(f.t.ui->messages.isEmpty(), qPrintable(f.t.ui->MessageTexts().join('\n')));
    const QByteArray page = ReadFileBytes(outDir.filePath("menu.htm"));
    QCOMPARE(page, f.params().GenerateHTML().toUtf8());
    QCOMPARE(page.contains("<script src=\"glidebar.js\"></script>\r\n"), bool(modern));
    QCOMPARE(QFile::exists(outDir.filePath("glidebar.js")), bool(modern));
    if (modern)
        QCOMPARE(ReadFileBytes(outDir.filePath("glidebar.js")), script);
    const QByteArray project = ReadFileBytes(outDir.filePath("menu.qdx"));
    QVERIFY(modern ? project.contains("m_ModernPage=1\r\n") : !project.contains("m_ModernPage"));
}

void TestGeneralPage::modernPageBoxFollowsTheConfiguration()
{
    Fixture f;
    QCheckBox *box = Control<QCheckBox>(&f.page(), "modernPage");
    QVERIFY(box);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Works in today's browsers"));
    QVERIFY(box->focusPolicy() & Qt::TabFocus);
    QVERIFY(!box->isChecked());

    // Changed meanwhile (as a load would): shown on the next visit.
    f.sheet().NextButton()->click();
    f.params().m_ModernPage = 1;
    f.sheet().BackButton()->click();
    QCOMPARE(f.sheet().GetActivePage(), &f.page());
    QVERIFY(box->isChecked());

    // Cancelling the wizard from the page discards a change.
    box->click();
    f.sheet().CancelButton()->click();
    QCOMPARE(f.params().m_ModernPage, 1);
}

void TestGeneralPage::languageAndDescription_data()
{
    QTest::addColumn<int>("modern");
    QTest::addColumn<QString>("lang");        // typed into the box
    QTest::addColumn<QString>("description"); // typed into the box
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("storedLang");
    QTest::newRow("language and description") << 1 << "fr-CA" << "Tea & cakes" << false << "fr-CA";
    QTest::newRow("blanks around the tag") << 1 << " nl " << "" << false << "nl";
    QTest::newRow("no tag") << 1 << "en_GB" << "About" << true << "de";
    QTest::newRow("empty language") << 1 << "" << "About" << true << "de";
    // A classic page declares neither: the boxes take no input.
    QTest::newRow("classic page") << 0 << "" << "" << false << "de";
}

// The language and description of a page for today's browsers: typed on
// the page, stored on leaving it, written into the page's head; a language
// that is no tag is refused with the focus on its box.
void TestGeneralPage::languageAndDescription()
{
    QFETCH(int, modern);
    QFETCH(QString, lang);
    QFETCH(QString, description);
    QFETCH(bool, refused);
    QFETCH(QString, storedLang);

    Fixture f;
    f.params().m_ModernPage = modern;
    f.params().m_PageLang = QStringLiteral("de");
    f.params().m_PageDescription = QStringLiteral("Before");
    f.sheet().SetActivePage(&f.sheet().m_pageTemplate);
    f.sheet().SetActivePage(&f.page());
    QLineEdit *langBox = f.edit("pageLang");
    QLineEdit *descriptionBox = f.edit("pageDescription");
    QVERIFY(langBox && descriptionBox);
    QCOMPARE(langBox->text(), QStringLiteral("de"));
    QCOMPARE(descriptionBox->text(), QStringLiteral("Before"));
    for (QLineEdit *box : {langBox, descriptionBox}) {
        QCOMPARE(box->isEnabled(), bool(modern));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name),
                 box == langBox ? QStringLiteral("Page language") : QStringLiteral("Description"));
    }
    // Ticking the choice opens the boxes, clearing it closes them.
    QCheckBox *modernBox = Control<QCheckBox>(&f.page(), "modernPage");
    modernBox->click();
    QCOMPARE(langBox->isEnabled(), !modern);
    modernBox->click();
    QCOMPARE(langBox->isEnabled(), bool(modern));
    if (!modern) {
        f.sheet().NextButton()->click();
        QCOMPARE(f.params().m_PageLang, storedLang);
        QCOMPARE(f.params().m_PageDescription, QStringLiteral("Before"));
        QVERIFY(!f.params().GenerateHTML().contains("lang="));
        return;
    }

    f.sheet().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.sheet()));
    QSignalSpy edited(&f.page(), &CWizardPage::ValuesEdited);
    langBox->setFocus();
    langBox->clear();
    QTest::keyClicks(langBox, lang);
    descriptionBox->setText(description);
    QVERIFY(!edited.isEmpty());
    f.sheet().NextButton()->click();
    if (refused) {
        QCOMPARE(f.t.ui->MessageTexts(),
                 QStringList{QStringLiteral("Please enter a language tag, such as en, en-GB or pt-BR.")});
        QCOMPARE(f.sheet().GetActivePage(), &f.page());
        QCOMPARE(QApplication::focusWidget(), langBox);
        QCOMPARE(langBox->selectedText(), lang);
        QCOMPARE(f.params().m_PageLang, storedLang);
        return;
    }
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.sheet().GetActivePage(), &f.sheet().m_pageMenuStyle);
    QCOMPARE(f.params().m_PageLang, storedLang);
    QCOMPARE(f.params().m_PageDescription, description);
    const QString page = f.params().GenerateHTML();
    QVERIFY(page.startsWith("<!DOCTYPE html>\r\n<html lang=\"" + storedLang + "\">\r\n"));
    QCOMPARE(page.contains("<meta name=\"description\" content=\"" + description.toHtmlEscaped() + "\">\r\n"),
             !description.isEmpty());
}

QTEST_MAIN(TestGeneralPage)
#include "tst_generalpage.moc"
