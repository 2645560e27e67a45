#include "TestApp.h"

#include "app/PreviewLauncher.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/SitePageKeys.h"
#include "store/site/SitePageText.h"
#include "store/project/StoredConfig.h"
#include "wizard/widgets/StatusLine.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

// The finish page in the real sheet: text, saves, preview, Start New, cancel.
class TestHTMLPage : public QObject {
    Q_OBJECT
private slots:
    void finishSavesEachTimeAndStaysOpen();
    void cancelledSaveDialogChangesNothing();
    void typedTextReachesSaveButNotPreview();
    void backAfterSaveCountsAsUnsaved();
    void cancelAfterSaveOnlyClearsScratch();
    void cancelWithUnsavedWork_data();
    void cancelWithUnsavedWork();
    void cancelWithAFailedWriteStaysOpen();
    void cancelBeforeFinishPageNeitherAsksNorClears();
    void startNew_data();
    void startNew();
    void failedSaveSaysSoAndStaysUnsaved();
    void missingImageReportedOnEachActivation();
    void tabLeavesThePageText();
    void saveIsConfirmed_data();
    void saveIsConfirmed();
    void finishUpdatesSitePages();
    void finishPageWarnsOfLinksToMissingFiles();
    void siteUpdateRefused_data();
    void siteUpdateRefused();
    void copyMenuCode_data();
    void copyMenuCode();
    void saveAgain_data();
    void saveAgain();
    void saveButtonNeedsAPage();
    void finishKeepsSitePagesChangedMeanwhile_data();
    void finishKeepsSitePagesChangedMeanwhile();
};

namespace {

const QString kSaveFilter = QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||");
const QString kCancelQuestion = QStringLiteral("Save Glidebar in HTML file?");
const QString kStartNewQuestion = QStringLiteral("Save current Glidebar before starting a new Glidebar?");

// The sheet on its finish page, with a program folder of the test's own (so
// that the preview's scratch folder is the test's too).
struct Fixture {
    Fixture()
    {
        QVERIFY(appDir.isValid() && outDir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/Glidebar.class"), appDir.filePath("Glidebar.class")));
        t.app.m_strAppDir = appDir.path();
        t.app.m_params.m_HTMLTitle = QStringLiteral("Café menu");
        t.app.m_params.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Home");
        sheet = &t.OpenSheet();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        sheet->SetActivePage(&sheet->m_pageHTML);
    }
    CHTMLPage &Page() { return sheet->m_pageHTML; }
    QByteArray Generated() const
    {
        return t.app.m_params.GenerateHTML([](const QString &) {}).toUtf8();
    }
    QString Out(const QString &name) const { return outDir.filePath(name); }
    QString Scratch() const { return ScratchFolder(t.app); }
    void Finish() { sheet->FinishButton()->click(); }

    QTemporaryDir appDir;
    QTemporaryDir outDir;
    CTestApp t;
    CMenuWizardSheet *sheet = nullptr;
};

} // namespace

void TestHTMLPage::finishSavesEachTimeAndStaysOpen()
{
    Fixture f;
    // A reopened page: the dialog suggests its own path.
    f.t.app.m_params.m_strHTMLPath = f.Out("menu.htm");
    CHTMLPage &p = f.Page();
    QCOMPARE(p.m_richHTML->objectName(), QStringLiteral("1062"));
    QCOMPARE(p.m_richHTML->toPlainText().toUtf8(), f.Generated().replace("\r\n", "\n"));
    QCOMPARE(p.m_strHTML.toUtf8(), f.Generated());
    QVERIFY(f.sheet->FinishButton()->isVisible());
    QVERIFY(!f.sheet->NextButton()->isVisible());

    f.t.ui->saveFileAnswers = {f.Out("first.htm"), f.Out("second.htm")};
    f.Finish();
    QCOMPARE(f.t.app.m_params.m_bSaved, 1);
    f.Finish();
    QVERIFY(f.sheet->isVisible());
    QCOMPARE(f.sheet->GetActivePage(), &p);
    QCOMPARE(f.t.ui->saveFileRequests.size(), 2);
    for (const CScriptedUi::FileRequest &request : f.t.ui->saveFileRequests) {
        QCOMPARE(request.filter, kSaveFilter);
        QCOMPARE(request.defaultExt, QStringLiteral("htm"));
        QCOMPARE(request.initialName, f.Out("menu.htm"));
    }
    // The generated text is written byte for byte, with its companions.
    for (const QString name : {"first", "second"}) {
        QCOMPARE(ReadFileBytes(f.Out(name + ".htm")), f.Generated());
        QVERIFY(QFileInfo::exists(f.Out(name + ".qdx")));
    }
    QVERIFY(QFileInfo::exists(f.Out("Glidebar.class")));
    QCOMPARE(f.t.app.m_params.m_strHTMLPath, f.Out("menu.htm"));
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestHTMLPage::cancelledSaveDialogChangesNothing()
{
    Fixture f;
    f.Finish();
    QCOMPARE(f.t.ui->saveFileRequests.size(), 1);
    QCOMPARE(f.t.app.m_params.m_bSaved, 0);
    QVERIFY(QDir(f.outDir.path()).isEmpty());
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestHTMLPage::typedTextReachesSaveButNotPreview()
{
    Fixture f;
    CHTMLPage &p = f.Page();
    p.m_richHTML->setFocus();
    p.m_richHTML->moveCursor(QTextCursor::End);
    QTest::keyClick(p.m_richHTML, Qt::Key_Return);
    QTest::keyClicks(p.m_richHTML, QStringLiteral("<!-- mine\u00a0-->"));

    p.m_btnPreview->click();
    const QString preview = QDir(f.Scratch()).filePath(QStringLiteral("~Vantrel.htm"));
    QCOMPARE(ReadFileBytes(preview), f.Generated());
    QCOMPARE(f.t.ui->openedDocuments, QStringList{preview});
    QCOMPARE(f.t.app.m_params.m_bSaved, 0);

    f.t.ui->saveFileAnswers = {f.Out("menu.htm")};
    f.Finish();
    // The edited text is written with CR LF line ends, its characters unchanged.
    QByteArray expected = f.Generated().replace("\r\n", "\n").replace("\n", "\r\n");
    expected += "\r\n" + QStringLiteral("<!-- mine\u00a0-->").toUtf8();
    QCOMPARE(ReadFileBytes(f.Out("menu.htm")), expected);
    QCOMPARE(f.t.app.m_params.m_bSaved, 1);
    // A save takes the edits into the page's text, which a preview then shows.
    p.m_btnPreview->click();
    QCOMPARE(ReadFileBytes(preview), expected);
}

void TestHTMLPage::backAfterSaveCountsAsUnsaved()
{
    Fixture f;
    CHTMLPage &p = f.Page();
    f.t.ui->saveFileAnswers = {f.Out("menu.htm")};
    f.Finish();
    QCOMPARE(f.t.app.m_params.m_bSaved, 1);
    QTest::keyClicks(p.m_richHTML, QStringLiteral("typed"));

    f.sheet->BackButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageItem);
    QCOMPARE(f.t.app.m_params.m_bSaved, 0);
    f.t.app.m_params.m_HTMLTitle = QStringLiteral("Changed");
    f.sheet->NextButton()->click();
    QCOMPARE(f.sheet->GetActivePage(), &p);
    // The text is generated afresh; what was typed is gone.
    QCOMPARE(p.m_strHTML.toUtf8(), f.Generated());
    QVERIFY(p.m_strHTML.contains(QStringLiteral("Changed")));
    QVERIFY(!p.m_richHTML->toPlainText().contains(QStringLiteral("typed")));
    QCOMPARE(f.t.app.m_params.m_bSaved, 0);

    f.sheet->CancelButton()->click();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList{kCancelQuestion});
}

void TestHTMLPage::cancelAfterSaveOnlyClearsScratch()
{
    Fixture f;
    f.Page().m_btnPreview->click();
    QVERIFY(QFileInfo(f.Scratch()).isDir());
    f.t.ui->saveFileAnswers = {f.Out("menu.htm")};
    f.Finish();
    QSignalSpy rejected(f.sheet, &QDialog::rejected);
    f.sheet->CancelButton()->click();
    QCOMPARE(rejected.count(), 1);
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.t.ui->saveFileRequests.size(), 1);
    QVERIFY(!QFileInfo::exists(f.Scratch()));
}

void TestHTMLPage::cancelWithUnsavedWork_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("No") << int(QMessageBox::No) << QString();
    QTest::newRow("Yes, save dialog cancelled") << int(QMessageBox::Yes) << QString();
    QTest::newRow("Yes, saved") << int(QMessageBox::Yes) << QStringLiteral("menu.htm");
}

void TestHTMLPage::cancelWithUnsavedWork()
{
    QFETCH(int, answer);
    QFETCH(QString, fileName);
    Fixture f;
    QTest::keyClicks(f.Page().m_richHTML, QStringLiteral("typed"));
    f.Page().m_btnPreview->click();
    f.t.ui->messageAnswers = {QMessageBox::StandardButton(answer)};
    f.t.ui->saveFileAnswers = {fileName.isEmpty() ? QString() : f.Out(fileName)};
    QSignalSpy rejected(f.sheet, &QDialog::rejected);
    f.sheet->CancelButton()->click();
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.t.ui->messages[0].text, kCancelQuestion);
    QCOMPARE(f.t.ui->messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(f.t.ui->saveFileRequests.size(), answer == QMessageBox::Yes ? 1 : 0);
    if (fileName.isEmpty()) {
        QVERIFY(QDir(f.outDir.path()).isEmpty());
    } else {
        // What is saved on the way out is the configuration's own text.
        QCOMPARE(ReadFileBytes(f.Out(fileName)), f.Generated());
    }
    QVERIFY(!QFileInfo::exists(f.Scratch()));
}

void TestHTMLPage::cancelWithAFailedWriteStaysOpen()
{
    Fixture f;
    f.Page().m_btnPreview->click();
    QVERIFY(QFileInfo::exists(f.Scratch()));
    QVERIFY(WriteFileBytes(f.Out("plain-file"), "x"));
    f.t.ui->messageAnswers = {QMessageBox::Yes};
    f.t.ui->saveFileAnswers = {f.Out("plain-file/menu.htm")};
    QSignalSpy rejected(f.sheet, &QDialog::rejected);
    f.sheet->CancelButton()->click();
    // Told, and the wizard stays with the menu, its preview still there.
    QCOMPARE(f.t.ui->MessageTexts().constFirst(), kCancelQuestion);
    QCOMPARE(f.t.ui->MessageTexts().constLast().section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("Save as file failed!"));
    QCOMPARE(rejected.count(), 0);
    QVERIFY(f.sheet->isVisible());
    QVERIFY(QFileInfo::exists(f.Scratch()));

    // Asked again, the user may let it go.
    f.t.ui->messageAnswers = {QMessageBox::No};
    f.sheet->CancelButton()->click();
    QCOMPARE(rejected.count(), 1);
    QVERIFY(!QFileInfo::exists(f.Scratch()));
}

void TestHTMLPage::cancelBeforeFinishPageNeitherAsksNorClears()
{
    QTemporaryDir appDir;
    CTestApp t;
    t.app.m_strAppDir = appDir.path();
    const QString leftOver = QDir(ScratchFolder(t.app)).filePath(QStringLiteral("~Vantrel.htm"));
    QVERIFY(WriteFileBytes(leftOver, "earlier preview"));
    CMenuWizardSheet &sheet = t.OpenSheet();
    sheet.NextButton()->click();
    sheet.CancelButton()->click();
    QVERIFY(!sheet.isVisible());
    QVERIFY(t.ui->messages.isEmpty());
    QVERIFY(QFileInfo::exists(leftOver));
}

void TestHTMLPage::startNew_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveTo"); // the save dialog's answer: "" cancelled
    QTest::addColumn<bool>("movesOn");
    QTest::addColumn<bool>("savesFile");
    const QString page = QStringLiteral("menu.htm");
    QTest::newRow("unsaved, Yes") << false << int(QMessageBox::Yes) << page << true << true;
    QTest::newRow("unsaved, Yes, dialog cancelled")
        << false << int(QMessageBox::Yes) << QString() << true << false;
    // A failed write keeps the menu: no new start.
    QTest::newRow("unsaved, Yes, write fails")
        << false << int(QMessageBox::Yes) << QStringLiteral("plain-file/menu.htm") << false << false;
    QTest::newRow("unsaved, No") << false << int(QMessageBox::No) << page << true << false;
    QTest::newRow("unsaved, Cancel") << false << int(QMessageBox::Cancel) << page << false << false;
    QTest::newRow("saved") << true << -1 << page << true << false;
}

void TestHTMLPage::startNew()
{
    QFETCH(bool, saved);
    QFETCH(int, answer);
    QFETCH(QString, saveTo);
    QFETCH(bool, movesOn);
    QFETCH(bool, savesFile);
    Fixture f;
    f.t.app.m_params.m_bSaved = saved ? 1 : 0;
    f.sheet->m_pageTemplate.m_nLoadedTemplate = 3;
    f.sheet->m_pageTemplate.m_strLoadedProject = QStringLiteral("/srv/site/menu.qdx");
    if (answer >= 0)
        f.t.ui->messageAnswers = {QMessageBox::StandardButton(answer)};
    // Running as root, only a path through a regular file cannot be written.
    QVERIFY(WriteFileBytes(f.Out("plain-file"), "x"));
    f.t.ui->saveFileAnswers = {saveTo.isEmpty() ? QString() : f.Out(saveTo)};

    f.Page().m_btnStartNew->click();

    QCOMPARE(f.t.ui->MessageTexts().mid(0, 1), saved ? QStringList() : QStringList{kStartNewQuestion});
    const bool writeFails = saveTo.startsWith(QLatin1String("plain-file"));
    QCOMPARE(f.t.ui->messages.size(), saved ? 0 : writeFails ? 2 : 1);
    if (!saved)
        QCOMPARE(f.t.ui->messages[0].buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(QFileInfo::exists(f.Out("menu.htm")), savesFile);
    if (movesOn) {
        QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageTemplate);
        QCOMPARE(f.sheet->WizardButtons(), PSWIZB_BACK | PSWIZB_NEXT);
        QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, -1);
        QVERIFY(f.sheet->m_pageTemplate.m_strLoadedProject.isEmpty());
    } else {
        QCOMPARE(f.sheet->GetActivePage(), &f.Page());
        QCOMPARE(f.sheet->m_pageTemplate.m_nLoadedTemplate, 3);
        QCOMPARE(f.t.ui->saveFileRequests.size(), writeFails ? 1 : 0);
    }
}

void TestHTMLPage::failedSaveSaysSoAndStaysUnsaved()
{
    Fixture f;
    // Running as root, only a path through a regular file cannot be written.
    const QString notAFolder = f.Out("plain-file");
    QVERIFY(WriteFileBytes(notAFolder, "x"));
    f.t.ui->saveFileAnswers = {notAFolder + "/menu.htm"};
    f.Finish();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.t.ui->messages[0].text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Save as file failed!"));
    QCOMPARE(f.t.app.m_params.m_bSaved, 0);
    QVERIFY(f.sheet->isVisible());
    // Start New still asks.
    f.Page().m_btnStartNew->click();
    QCOMPARE(f.t.ui->messages.last().text, kStartNewQuestion);
}

void TestHTMLPage::missingImageReportedOnEachActivation()
{
    Fixture f;
    QVERIFY(f.t.ui->messages.isEmpty());
    f.t.app.m_params.m_pMainMenu->GetItem(1)->m_strImage = f.Out("gone.gif");
    f.sheet->BackButton()->click();
    f.sheet->NextButton()->click();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QVERIFY(f.t.ui->messages[0].text.contains(QStringLiteral("gone.gif")));
    QVERIFY(f.t.ui->messages[0].buttons == QMessageBox::Ok);
    // The page goes on with the text it got.
    QCOMPARE(f.Page().m_strHTML.toUtf8(), f.Generated());
    f.sheet->BackButton()->click();
    f.sheet->NextButton()->click();
    QCOMPARE(f.t.ui->messages.size(), 2);
}

void TestHTMLPage::tabLeavesThePageText()
{
    Fixture f;
    QPlainTextEdit *text = f.Page().m_richHTML;
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Tab);
    // The keyboard moves on to the buttons; nothing is typed into the page.
    QVERIFY(!text->hasFocus());
    QCOMPARE(text->toPlainText(), before);
}

void TestHTMLPage::saveIsConfirmed_data()
{
    QTest::addColumn<bool>("modern");
    // The background's image, then the first item's, made in a folder of the test's.
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("said");
    QTest::newRow("classic, the class file") << false << QStringList{} << "Saved shop.htm, shop.qdx and 1 file beside them.";
    QTest::newRow("modern, class file, script and an image")
        << true << QStringList{"back.gif"} << "Saved shop.htm, shop.qdx and 3 files beside them.";
    QTest::newRow("modern, one image named twice")
        << true << QStringList{"a.gif", "a.gif"} << "Saved shop.htm, shop.qdx and 3 files beside them.";
    QTest::newRow("classic, two images") << false << QStringList{"a.gif", "b.jpg"}
                                         << "Saved shop.htm, shop.qdx and 3 files beside them.";
}

// The status line says what a save wrote, by name and count, and screen
// readers are told; coming back to the page starts it empty.
void TestHTMLPage::saveIsConfirmed()
{
    QFETCH(bool, modern);
    QFETCH(QStringList, images);
    QFETCH(QString, said);
    Fixture f;
    QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), f.appDir.filePath("glidebar.js")));
    QTemporaryDir pictures;
    CAppletParameters &params = f.t.app.m_params;
    params.m_ModernPage = modern ? 1 : 0;
    for (int i = 0; i < images.size(); ++i) {
        QVERIFY(WriteFileBytes(pictures.filePath(images[i]), "GIF89a"));
        if (i == 0)
            params.m_appBKImagePath = pictures.filePath(images[i]);
        else
            params.m_pMainMenu->GetItem(0)->m_strImage = pictures.filePath(images[i]);
    }
    f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
    f.sheet->SetActivePage(&f.sheet->m_pageHTML);
    auto *status = f.Page().findChild<CStatusLine *>(QStringLiteral("statusLine"));
    QVERIFY(status);
    QVERIFY(status->text().isEmpty());
    QSignalSpy heard(status, &CStatusLine::Announced);

    f.t.ui->saveFileAnswers = {f.Out("shop.htm"), f.Out("shop.htm")};
    f.Finish();
    QVERIFY(QFile::exists(f.Out("shop.qdx")));
    QCOMPARE(status->text(), said);
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name), said);
    QCOMPARE(heard.size(), 1);
    QCOMPARE(heard.last().at(0).toString(), said);
    // The same words after a second save are told again.
    f.Finish();
    QCOMPARE(heard.size(), 2);
    QCOMPARE(heard.last().at(0).toString(), said);

    // A failed save leaves no word of the earlier one.
    f.t.ui->saveFileAnswers = {f.Out("nowhere/shop.htm")};
    f.Finish();
    QVERIFY(status->text().isEmpty());
    QCOMPARE(f.t.ui->messages.size(), 1);
    QVERIFY(f.t.ui->messages[0].text.contains(QStringLiteral("does not exist")));
}

namespace {

const QByteArray kBegin(kMenuMarkerBegin);
const QByteArray kEnd(kMenuMarkerEnd);

// Two pages of a site: one in its folder without a menu (LF), one a folder
// down with an old menu between the markers (CR LF, Latin-1).
struct SitePages {
    static QByteArray Top() { return "<html><head>\n" + QByteArray(kViewportLine) + "\n</head><body>\n<p>top</p>\n</body></html>\n"; }
    static QByteArray DeepBefore()
    {
        return "\xef\xbb\xbf<html><head><meta charset=\"iso-8859-1\">\r\n" + QByteArray(kViewportLine)
               + "\r\n</head>\r\n<body>\r\n<p>caf\xe9</p>\r\n" + kBegin;
    }
    static QByteArray DeepAfter() { return kEnd + "\r\n<p>na\xefve</p>\r\n</body></html>\r\n"; }
    static QByteArray Deep() { return DeepBefore() + "\r\n<p>old menu</p>\r\n" + DeepAfter(); }
};

// The text between a page's markers; null when it has none.
QByteArray Between(const QByteArray &page)
{
    const qsizetype begin = page.indexOf(kBegin);
    const qsizetype end = page.indexOf(kEnd);
    if (begin < 0 || end < begin)
        return QByteArray();
    return page.mid(begin + kBegin.size(), end - begin - kBegin.size());
}

// A page with its menu block put back out: what is outside the markers.
QByteArray Outside(const QByteArray &page)
{
    const QByteArray between = Between(page);
    if (between.isNull())
        return page;
    QByteArray outside = page;
    return outside.replace(kBegin + between + kEnd, kBegin + kEnd);
}

CSitePageList ReadSitePagesOf(const QString &project)
{
    CIniFile ini;
    return ini.Load(project) ? ReadSitePages(ini) : CSitePageList();
}

void ListSitePages(CAppletParameters &params, const QStringList &paths)
{
    params.m_SitePages.clear();
    for (const QString &path : paths) {
        CSitePage page;
        page.strPath = path;
        params.m_SitePages.append(page);
    }
}

} // namespace

// A menu link to a file the site folder does not hold (a page renamed) is
// a warning on the finish page; links to files that are there are not.
void TestHTMLPage::finishPageWarnsOfLinksToMissingFiles()
{
    Fixture f;
    CAppletParameters &params = f.t.app.m_params;
    params.m_strHTMLPath = f.outDir.filePath("menu.htm");
    QVERIFY(WriteFileBytes(f.outDir.filePath("index.html"), "<body>\n"));
    QVERIFY(WriteFileBytes(f.outDir.filePath("products/a.html"), "<body>\n"));
    params.m_pMainMenu->GetItem(0)->m_strLink = QStringLiteral("index.html");
    params.m_pMainMenu->GetItem(1)->m_strLink = QStringLiteral("about-us.html#team");
    params.m_pMainMenu->GetItem(2)->m_strLink = QStringLiteral("products/a.html?x=1");
    const QString warning = "Warning: the menu links to about-us.html#team, which is not in the site folder";
    for (const bool listed : {false, true}) {
        ListSitePages(params, listed ? QStringList{"index.html"} : QStringList());
        f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
        f.sheet->SetActivePage(&f.sheet->m_pageHTML);
        auto *notes = f.sheet->m_pageHTML.findChild<QLabel *>(QStringLiteral("lowContrast"));
        QVERIFY(notes);
        // Only a page that carries the menu into site pages is checked.
        QCOMPARE(notes->text().contains(warning), listed);
        QVERIFY(!notes->text().contains("index.html,"));
        QVERIFY(!notes->text().contains("products/a.html"));
    }
}

// Finish saves the page and then puts the menu into each site page: its
// links made for the page's folder, the rest of each page as it was; the
// project keeps what it wrote, and a reopened project's Finish updates the
// pages again.
void TestHTMLPage::finishUpdatesSitePages()
{
    // The site outlives the first run of the wizard.
    QTemporaryDir site;
    const auto out = [&site](const QString &name) { return site.filePath(name); };
    QByteArray top;
    QByteArray deep;
    {
        Fixture f;
        QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), f.appDir.filePath("glidebar.js")));
        CAppletParameters &params = f.t.app.m_params;
        params.m_ModernPage = 1;
        params.m_pMainMenu->GetItem(0)->m_strLink = QStringLiteral("index.html");
        ListSitePages(params, {"index.html", "products/a.html"});
        QVERIFY(WriteFileBytes(out("index.html"), SitePages::Top()));
        QVERIFY(WriteFileBytes(out("products/a.html"), SitePages::Deep()));
        params.m_strHTMLPath = out("menu.htm");
        f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
        f.sheet->SetActivePage(&f.sheet->m_pageHTML);

        f.t.ui->saveFileAnswers << out("menu.htm");
        f.Finish();
        QCOMPARE(f.t.ui->MessageTexts(), QStringList());
        top = ReadFileBytes(out("index.html"));
        deep = ReadFileBytes(out("products/a.html"));
        // Outside the markers: the markers right after <body>, nothing else.
        QCOMPARE(Outside(top), "<html><head>\n" + QByteArray(kViewportLine) + "\n</head><body>" + kBegin + kEnd
                                   + "\n<p>top</p>\n</body></html>\n");
        QCOMPARE(Outside(deep), SitePages::DeepBefore() + SitePages::DeepAfter());
        QVERIFY(Between(top).contains("href=\"index.html\""));
        QVERIFY(Between(top).contains("<script src=\"glidebar.js\">"));
        QVERIFY(Between(deep).contains("href=\"../index.html\""));
        QVERIFY(Between(deep).contains("<script src=\"../glidebar.js\">"));
        QVERIFY(!Between(deep).contains("old menu"));
        QVERIFY(Between(deep).contains("\r\n") && !Between(top).contains('\r'));
        QVERIFY(QFile::exists(out("glidebar.js")));
        QVERIFY(!QFile::exists(out("products/glidebar.js")));
        const QString said = f.Page().m_lblStatus->text();
        QVERIFY2(said.endsWith(QStringLiteral(" Put the menu into 2 site pages.")), qPrintable(said));

        // The project records the pages as written.
        CIniFile ini;
        QVERIFY(ini.Load(out("menu.qdx")));
        const CSitePageList recorded = ReadSitePages(ini);
        QCOMPARE(recorded.size(), 2);
        QCOMPARE(recorded[1].strPath, QStringLiteral("products/a.html"));
        QCOMPARE(recorded[1].pageHash, ContentHash(deep));
        QCOMPARE(recorded[1].menuHash, ContentHash(Between(deep)));

    }

    // Reopened with a new label: Finish brings every page up to date.
    Fixture again;
    QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), again.appDir.filePath("glidebar.js")));
    CAppletParameters &reopened = again.t.app.m_params;
    reopened.LoadProject(out("menu.qdx"));
    reopened.m_strHTMLPath = out("menu.htm");
    reopened.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Start here");
    again.sheet->SetActivePage(&again.sheet->m_pageGeneral);
    again.sheet->SetActivePage(&again.sheet->m_pageHTML);
    again.t.ui->saveFileAnswers << out("menu.htm");
    again.Finish();
    QCOMPARE(again.t.ui->MessageTexts(), QStringList());
    for (const QString &name : {QStringLiteral("index.html"), QStringLiteral("products/a.html")}) {
        const QByteArray now = ReadFileBytes(out(name));
        QVERIFY2(Between(now).contains(">Start here<"), qPrintable(name));
        QCOMPARE(Outside(now), Outside(name == "index.html" ? top : deep));
    }
    QCOMPARE(ReadSitePagesOf(out("menu.qdx")).size(), 2);
}

void TestHTMLPage::siteUpdateRefused_data()
{
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("told");
    QTest::newRow("menu edited by hand") << "products/a.html"
                                         << QByteArray(SitePages::DeepBefore() + "\r\n<p>mine</p>\r\n" + SitePages::DeepAfter())
                                         << "changed since the last update";
    QTest::newRow("body taken out") << "index.html" << QByteArray("<p>no body</p>\n") << "no place found";
    QTest::newRow("page deleted") << "index.html" << QByteArray() << "no such file";
}

// A site page changed behind Vantrel's back, or with no place for the menu,
// stops the whole site update: told with the reason, no page written. The
// menu page and its project are saved all the same.
void TestHTMLPage::siteUpdateRefused()
{
    QFETCH(QString, changed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, told);
    Fixture f;
    QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), f.appDir.filePath("glidebar.js")));
    CAppletParameters &params = f.t.app.m_params;
    params.m_ModernPage = 1;
    ListSitePages(params, {"index.html", "products/a.html"});
    QVERIFY(WriteFileBytes(f.Out("index.html"), SitePages::Top()));
    QVERIFY(WriteFileBytes(f.Out("products/a.html"), SitePages::Deep()));
    params.m_strHTMLPath = f.Out("menu.htm");
    f.t.ui->saveFileAnswers << f.Out("menu.htm") << f.Out("menu.htm");
    f.Finish();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList());

    if (bytes.isNull())
        QVERIFY(QFile::remove(f.Out(changed)));
    else
        QVERIFY(WriteFileBytes(f.Out(changed), bytes));
    const QByteArray topBefore = ReadFileBytes(f.Out("index.html"));
    const QByteArray deepBefore = ReadFileBytes(f.Out("products/a.html"));
    const QByteArray pageBefore = ReadFileBytes(f.Out("menu.htm"));
    params.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Renamed");
    f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
    f.sheet->SetActivePage(&f.sheet->m_pageHTML);
    f.Finish();

    QCOMPARE(f.t.ui->messages.size(), 1);
    const QString message = f.t.ui->messages[0].text;
    QVERIFY2(message.contains(told) && message.contains(QDir::toNativeSeparators(f.Out(changed))),
             qPrintable(message));
    QCOMPARE(ReadFileBytes(f.Out("index.html")), topBefore);
    QCOMPARE(ReadFileBytes(f.Out("products/a.html")), deepBefore);
    // The menu page itself was saved, and the status line says only that.
    QVERIFY(ReadFileBytes(f.Out("menu.htm")) != pageBefore);
    QVERIFY(ReadFileBytes(f.Out("menu.htm")).contains("Renamed"));
    QCOMPARE(f.Page().m_lblStatus->text(), SavedMessage("menu.htm", "menu.qdx", 2));
}

void TestHTMLPage::copyMenuCode_data()
{
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("said");
    QTest::newRow("no images") << QStringList()
                               << "Copied the menu code; copy glidebar.js and Glidebar.class beside your page.";
    QTest::newRow("one image") << QStringList{"back.gif"}
                               << "Copied the menu code; copy glidebar.js, Glidebar.class and 1 image beside your page.";
    QTest::newRow("two images, one named twice")
        << QStringList{"back.gif", "item.png", "item.png"}
        << "Copied the menu code; copy glidebar.js, Glidebar.class and 2 images beside your page.";
}

// Copy Menu Code: the block as a page of the site folder gets it, between
// its markers, after a comment naming the files to copy beside the page;
// the status line says what to copy.
void TestHTMLPage::copyMenuCode()
{
    QFETCH(QStringList, images);
    QFETCH(QString, said);
    Fixture f;
    QTemporaryDir pictures;
    CAppletParameters &params = f.t.app.m_params;
    params.m_pMainMenu->GetItem(0)->m_strLink = QStringLiteral("products/index.html");
    for (int i = 0; i < images.size(); ++i) {
        QVERIFY(WriteFileBytes(pictures.filePath(images[i]), "GIF89a"));
        if (i == 0)
            params.m_appBKImagePath = pictures.filePath(images[i]);
        else
            params.m_pMainMenu->GetItem(i - 1)->m_strImage = pictures.filePath(images[i]);
    }
    QGuiApplication::clipboard()->clear();
    auto *status = f.Page().m_lblStatus;
    QSignalSpy heard(status, &CStatusLine::Announced);
    QCOMPARE(f.Page().m_btnCopyMenuCode->text(), QStringLiteral("Copy Menu Code"));
    f.Page().m_btnCopyMenuCode->click();

    const QString code = QGuiApplication::clipboard()->text();
    QCOMPARE(status->text(), said);
    QCOMPARE(heard.size(), 1);
    // The note comes first, one comment naming each file and where it is.
    QVERIFY2(code.startsWith("<!--"), qPrintable(code));
    const QString note = code.left(code.indexOf("-->") + 3);
    QVERIFY(note.contains("glidebar.js (from " + QDir::toNativeSeparators(f.appDir.path()) + ")"));
    QVERIFY(note.contains("Glidebar.class"));
    for (const QString &image : images)
        QVERIFY2(note.contains(image + " (from " + QDir::toNativeSeparators(pictures.path()) + ")"), qPrintable(note));
    QCOMPARE(note.count("--"), 2);
    // The block, as for a page in the site folder: files named beside it,
    // links as the menu has them.
    const QByteArray bytes = code.toUtf8();
    const QByteArray block = Between(bytes);
    QVERIFY(!block.isNull());
    QVERIFY(block.contains("<script src=\"glidebar.js\"></script>"));
    QVERIFY(block.contains("href=\"products/index.html\""));
    for (const QString &image : images)
        QVERIFY(!block.contains(pictures.path().toUtf8()) && block.contains(image.toUtf8()));
    QVERIFY(!bytes.contains('\r'));
    // Pasted into a page, the code is the menu a site update keeps up to date.
    const QByteArray pasted = "<html><body>\n" + bytes + "<p>mine</p></body></html>\n";
    QCOMPARE(SitePageState(pasted, ContentHash(block)), ESitePageState::Update);
}

void TestHTMLPage::saveAgain_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<bool>("onFinishPage");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("savedBefore");
    QTest::newRow("Ctrl+S on the finish page, its text edited") << true << true << true << true;
    QTest::newRow("Save button, the text edited") << false << true << true << true;
    QTest::newRow("Save button, the text as made") << false << true << false << true;
    QTest::newRow("Ctrl+S on another page") << true << false << false << true;
    QTest::newRow("Ctrl+S, never saved: asks for a name") << true << false << false << false;
}

// Save writes again what Finish would write to the page saved last, with
// no file dialog and no replace question; Finish keeps its dialog.
void TestHTMLPage::saveAgain()
{
    QFETCH(bool, byKey);
    QFETCH(bool, onFinishPage);
    QFETCH(bool, edited);
    QFETCH(bool, savedBefore);
    Fixture f;
    CAppletParameters &params = f.t.app.m_params;
    if (savedBefore) {
        f.t.ui->saveFileAnswers << f.Out("menu.htm");
        f.Finish();
        QVERIFY(QFile::remove(f.Out("menu.htm")) && QFile::remove(f.Out("menu.qdx")));
    }
    // A change after the save, which Save must write.
    params.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Again");
    f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
    if (onFinishPage)
        f.sheet->SetActivePage(&f.sheet->m_pageHTML);
    QByteArray expected = f.Generated();
    QVERIFY(expected.contains(">Again<") || expected.contains("Again,"));
    if (edited) {
        const QString text = f.Page().m_richHTML->toPlainText() + QStringLiteral("\n<!-- mine -->");
        f.Page().m_richHTML->setPlainText(text);
        expected = QString(text).replace(QLatin1Char('\n'), QLatin1String("\r\n")).toUtf8();
    }
    if (!savedBefore)
        f.t.ui->saveFileAnswers << f.Out("menu.htm");
    const qsizetype asked = f.t.ui->saveFileRequests.size();
    params.m_bSaved = 0;
    if (byKey) {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : f.sheet, Qt::Key_S, Qt::ControlModifier);
    } else {
        QVERIFY(f.Page().m_btnSave->isEnabled());
        f.Page().m_btnSave->click();
    }
    QCOMPARE(f.t.ui->saveFileRequests.size(), asked + (savedBefore ? 0 : 1));
    QCOMPARE(f.t.ui->MessageTexts(), QStringList());
    QCOMPARE(ReadFileBytes(f.Out("menu.htm")), expected);
    QVERIFY(QFileInfo::exists(f.Out("menu.qdx")));
    QCOMPARE(params.m_bSaved, 1);
    const CStatusLine *line = onFinishPage ? f.Page().m_lblStatus : f.sheet->SaveStatus();
    QVERIFY2(line->text().startsWith(QStringLiteral("Saved menu.htm, menu.qdx and 1 file beside them.")), qPrintable(line->text()));
    QCOMPARE(line->accessibleName(), line->text());

    // Finish still asks where to save.
    f.sheet->SetActivePage(&f.sheet->m_pageHTML);
    f.t.ui->saveFileAnswers << QString();
    f.Finish();
    QCOMPARE(f.t.ui->saveFileRequests.size(), asked + (savedBefore ? 1 : 2));
}

// The Save button: named for screen readers, and enabled once the menu has
// a page to be saved to.
void TestHTMLPage::saveButtonNeedsAPage()
{
    Fixture f;
    QPushButton *save = f.Page().m_btnSave;
    QCOMPARE(save->accessibleName(), QStringLiteral("Save"));
    QVERIFY(!save->isEnabled());
    f.t.ui->saveFileAnswers << f.Out("menu.htm");
    f.Finish();
    QVERIFY(save->isEnabled());
    QVERIFY2(save->toolTip().contains(QDir::toNativeSeparators(f.Out("menu.htm"))), qPrintable(save->toolTip()));
    QCOMPARE(save->accessibleDescription(), save->toolTip());
}

void TestHTMLPage::finishKeepsSitePagesChangedMeanwhile_data()
{
    QTest::addColumn<QStringList>("listedHere");    // the wizard's list at Finish
    QTest::addColumn<QStringList>("listedThere");   // what the other program left in the file
    QTest::addColumn<bool>("updatedThere");         // it rewrote a.html's record
    QTest::addColumn<QStringList>("listedAfter");
    QTest::addColumn<QStringList>("told");          // the message, one line a page changed both ways
    QTest::addColumn<QString>("said");              // what the status line adds

    QTest::newRow("added there") << QStringList{"a.html"} << QStringList{"a.html", "b.html"} << false
                                 << QStringList{"a.html", "b.html"} << QStringList()
                                 << "Kept 1 site page added by another program meanwhile.";
    QTest::newRow("removed there") << QStringList{"a.html"} << QStringList{} << false << QStringList{}
                                   << QStringList() << "Kept 1 site page removed by another program meanwhile.";
    QTest::newRow("removed here, updated there") << QStringList{} << QStringList{"a.html"} << true
                                                 << QStringList{}
                                                 << QStringList{"a.html: removed here, updated by another program"}
                                                 << "";
    QTest::newRow("nothing changed there") << QStringList{"a.html"} << QStringList{"a.html"} << false
                                           << QStringList{"a.html"} << QStringList() << "";
}

// The project file is read again before Finish replaces it: pages another
// program (the command line's site update) added or removed meanwhile stay
// so, and a page changed both ways is named.
void TestHTMLPage::finishKeepsSitePagesChangedMeanwhile()
{
    QFETCH(QStringList, listedHere);
    QFETCH(QStringList, listedThere);
    QFETCH(bool, updatedThere);
    QFETCH(QStringList, listedAfter);
    QFETCH(QStringList, told);
    QFETCH(QString, said);

    Fixture f;
    QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), f.appDir.filePath("glidebar.js")));
    CAppletParameters &params = f.t.app.m_params;
    params.m_ModernPage = 1;
    for (const QString name : {"a.html", "b.html"})
        QVERIFY(WriteFileBytes(f.Out(name), SitePages::Top()));
    ListSitePages(params, {"a.html"});
    f.sheet->SetActivePage(&f.sheet->m_pageGeneral);
    f.sheet->SetActivePage(&f.sheet->m_pageHTML);
    f.t.ui->saveFileAnswers << f.Out("menu.htm");
    f.Finish();
    QCOMPARE(f.t.ui->MessageTexts(), QStringList());
    const CSitePageList first = ReadSitePagesOf(f.Out("menu.qdx"));
    QCOMPARE(first.size(), 1);

    // Another program changes the project file's list.
    {
        CAppletParameters other;
        QVERIFY(other.LoadProject(f.Out("menu.qdx")));
        CSitePageList there;
        for (const QString &name : listedThere) {
            CSitePage page = name == QLatin1String("a.html") ? first[0] : CSitePage();
            page.strPath = name;
            if (updatedThere)
                page.menuHash = ContentHash("updated there");
            there.append(page);
        }
        other.m_SitePages = there;
        QVERIFY(WriteFileBytes(f.Out("menu.qdx"), ProjectIniFor(other).ToBytes()));
    }
    ListSitePages(params, {});
    if (listedHere.contains(QStringLiteral("a.html")))
        params.m_SitePages.append(first[0]);

    f.t.ui->saveFileAnswers << f.Out("menu.htm");
    f.Finish();
    QStringList after;
    for (const CSitePage &page : ReadSitePagesOf(f.Out("menu.qdx")))
        after.append(page.strPath);
    QCOMPARE(after, listedAfter);
    QStringList paths;
    for (const CSitePage &page : params.m_SitePages)
        paths.append(page.strPath);
    QCOMPARE(paths, listedAfter);
    // Every page still listed carries the menu.
    for (const QString &name : listedAfter)
        QVERIFY2(!Between(ReadFileBytes(f.Out(name))).isNull(), qPrintable(name));
    const QStringList messages = f.t.ui->MessageTexts();
    if (told.isEmpty()) {
        QCOMPARE(messages, QStringList());
    } else {
        QCOMPARE(messages.size(), 1);
        for (const QString &line : told)
            QVERIFY2(messages[0].contains(QLatin1Char('\n') + line), qPrintable(messages[0]));
    }
    const QString status = f.Page().m_lblStatus->text();
    if (said.isEmpty())
        QVERIFY2(!status.contains(QStringLiteral("another program")), qPrintable(status));
    else
        QVERIFY2(status.contains(said), qPrintable(status));
}

QTEST_MAIN(TestHTMLPage)
#include "tst_htmlpage.moc"
