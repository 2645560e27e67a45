#include "ConfigProbes.h"
#include "TestApp.h"
#include "html/SiteBlock.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/site/SitePageText.h"
#include "wizard/widgets/MenuPicture.h"
#include "wizard/widgets/TemplateThumbnails.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The template page in a real sheet, over a small library and saved pages of
// the test's own.
class TestTemplatePage : public QObject {
    Q_OBJECT
private slots:
    void noLibraryOffersBlank();
    void emptyTemplateKeyRefusesNext();
    void reloadsOnlyWhenTheTemplateChanges();
    void pictureFollowsTheSelection();
    void rowsShowTheirTemplates();
    void rowPicturesAreDrawnWhenShown();
    void choiceIsKeptWhenLeavingWithBack();
    void savedPageLoadsOnce();
    void pageWithoutProjectClearsChoice();
    void pageWithoutProjectOffersToRead_data();
    void pageWithoutProjectOffersToRead();
    void startNewForcesReload_data();
    void startNewForcesReload();
    void openPageAsBrowseDoes_data();
    void openPageAsBrowseDoes();
};

namespace {

const QByteArray kLibrary = "[TEMPLATE]\r\n"
                            "TemplateKey=Red,Blue\r\n"
                            "[Red]\r\n"
                            "Description=Red bars\r\n"
                            "m_mmWidth=120\r\n"
                            "Relation=1,2,\r\n"
                            "I0-0=Home,,_self,index.htm\r\n"
                            "I0-1=News,,_self,news.htm\r\n"
                            "[Blue]\r\n"
                            "Description=Blue bars\r\n"
                            "m_mmWidth=200\r\n"
                            "Relation=1,3,\r\n"
                            "I0-0=A,,,\r\n"
                            "I0-1=B,,,\r\n"
                            "I0-2=C,,,\r\n";

const QByteArray kProject = "[General]\r\n"
                            "m_HTMLTitle=My page\r\n"
                            "[Main Menu Style]\r\n"
                            "m_mmWidth=77\r\n"
                            "[Item]\r\n"
                            "I0-0=Only,,,only.htm\r\n"
                            "[Menu Relation]\r\n"
                            "Relation=1,1,\r\n";

// A program folder with the given library (none when empty), and one page
// saved by the wizard (with its project file) and one that is not.
struct Fixture {
    explicit Fixture(const QByteArray &library = kLibrary)
    {
        t.app.m_strAppDir = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(t.app.m_strAppDir);
        if (!library.isEmpty())
            WriteFileBytes(t.app.TemplateLibraryPath(), library);
        savedPage = dir.filePath(QStringLiteral("web site/menu.htm"));
        WriteFileBytes(savedPage, "<html></html>");
        WriteFileBytes(dir.filePath(QStringLiteral("web site/menu.qdx")), kProject);
        foreignPage = dir.filePath(QStringLiteral("web site/other.html"));
        WriteFileBytes(foreignPage, "<html></html>");
    }
    CTemplatePage &Page() { return sheet().m_pageTemplate; }
    CMenuWizardSheet &sheet() { return *t.sheet; }
    // Opens the wizard and steps onto the template page.
    CTemplatePage &Open()
    {
        t.OpenSheet().NextButton()->click();
        return Page();
    }
    QListWidget *List() { return Control<QListWidget>(&Page(), "1055"); }
    QLineEdit *FileName() { return Control<QLineEdit>(&Page(), "1057"); }
    void Click(const char *id) { Control<QAbstractButton>(&Page(), id)->click(); }
    QRadioButton *radio(const char *id) { return Control<QRadioButton>(&Page(), id); }
    void Next() { sheet().NextButton()->click(); }
    void Back() { sheet().BackButton()->click(); }
    int Active() { return sheet().GetActiveIndex(); }
    // Chooses the saved-page option and browses to `path`.
    void Browse(const QString &path)
    {
        Click("1059");
        t.ui->openFileAnswers << path;
        Click("1007");
    }

    QTemporaryDir dir;
    CTestApp t;
    QString savedPage;
    QString foreignPage;
};

} // namespace

void TestTemplatePage::noLibraryOffersBlank()
{
    Fixture f(QByteArray{});
    CAppletParameters &p = f.t.app.m_params;
    p.m_HTMLTitle = QStringLiteral("old");
    p.m_Align = 2;
    p.m_mmWidth = 9;
    p.m_miBKColor2 = 255;
    p.m_pMainMenu->SetItemCount(7, 0);
    p.m_bSaved = 1;
    p.m_strHTMLPath = QStringLiteral("/somewhere/old.htm");

    f.Open();
    QCOMPARE(f.List()->count(), 1);
    QCOMPARE(f.List()->item(0)->text(), QStringLiteral("Blank"));
    QVERIFY(f.List()->item(0)->isSelected());
    QVERIFY(Control<QRadioButton>(&f.Page(), "1056")->isChecked());
    QCOMPARE(f.sheet().WizardButtons(), PSWIZB_BACK | PSWIZB_NEXT);

    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Untitled"));
    QCOMPARE(p.m_Align, 0);
    QCOMPARE(p.m_mmWidth, 0);
    QCOMPARE(p.m_miBKColor2, 0);
    QCOMPARE(p.m_pMainMenu->GetCount(), 4);
    QCOMPARE(p.m_bSaved, 0);
    QCOMPARE(p.m_strHTMLPath, QString());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTemplatePage::emptyTemplateKeyRefusesNext()
{
    Fixture f("[TEMPLATE]\r\nTemplateKey=\r\n");
    f.t.app.m_params.m_mmWidth = 9;
    f.Open();
    QCOMPARE(f.List()->count(), 0);

    f.Next();
    QCOMPARE(f.t.ui->MessageTexts(),
             QStringList{QStringLiteral("Please select a template to new a menu!")});
    QCOMPARE(f.Active(), 1);
    QCOMPARE(f.t.app.m_params.m_mmWidth, 9);
    // The wait cursor is not left behind by a refusal.
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTemplatePage::reloadsOnlyWhenTheTemplateChanges()
{
    Fixture f;
    CAppletParameters &p = f.t.app.m_params;
    QSignalSpy stored(&f.t.OpenSheet(), &CMenuWizardSheet::ConfigurationStored);
    f.sheet().NextButton()->click();
    QCOMPARE(f.List()->count(), 2);
    QCOMPARE(f.List()->item(0)->text(), QStringLiteral("Red bars"));
    QCOMPARE(f.List()->item(1)->text(), QStringLiteral("Blue bars"));

    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_mmWidth, 120);
    QCOMPARE(Labels(*p.m_pMainMenu), (QStringList{"Home", "News"}));
    // A live preview hears of the new configuration.
    QCOMPARE(stored.count(), 1);

    // Edits made on later pages survive Back and Next with the same template,
    // also after a look at the saved-page choice without browsing.
    p.m_mmWidth = 5;
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Edited");
    f.Back();
    f.Click("1059");
    QVERIFY(!f.List()->isEnabled());
    f.Click("1056");
    QVERIFY(f.List()->isEnabled());
    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_mmWidth, 5);
    QCOMPARE(Labels(*p.m_pMainMenu), (QStringList{"Edited", "News"}));

    // Another template replaces them, and so does the first one again.
    f.Back();
    f.List()->setCurrentRow(1);
    f.Next();
    QCOMPARE(p.m_mmWidth, 200);
    QCOMPARE(Labels(*p.m_pMainMenu), (QStringList{"A", "B", "C"}));
    f.Back();
    f.List()->setCurrentRow(0);
    f.Next();
    QCOMPARE(p.m_mmWidth, 120);
}

void TestTemplatePage::pictureFollowsTheSelection()
{
    Fixture f;
    f.Open();
    auto *picture = Control<CMenuPicture>(&f.Page(), "templatePicture");
    QVERIFY(!picture->IsEmpty());
    QCOMPARE(picture->Shown().m_mmWidth, 120);
    QCOMPARE(picture->Picture().size(), picture->Shown().GetAppletRect().size());
    // For a screen of twice the density it is drawn at twice the size.
    QCOMPARE(picture->PictureAt(2).size(), picture->Picture().size() * 2);
    const int widthBefore = f.t.app.m_params.m_mmWidth;
    f.List()->setCurrentRow(1);
    QCOMPARE(picture->Shown().m_mmWidth, 200);
    QCOMPARE(picture->Shown().m_pMainMenu->GetCount(), 3);
    // Looking at a template is not choosing it: the configuration is untouched.
    QCOMPARE(f.t.app.m_params.m_mmWidth, widthBefore);

    // Nothing is drawn while a saved page is the choice; the template returns
    // with the template choice.
    f.Click("1059");
    QVERIFY(picture->IsEmpty());
    QVERIFY(picture->Picture().isNull());
    f.Click("1056");
    QCOMPARE(picture->Shown().m_mmWidth, 200);
}

namespace {

// A library of `count` one-item templates, each on its own background
// colour: red, green and blue in turn.
QByteArray ColouredLibrary(int count)
{
    static const char *const kColours[3] = {"255", "65280", "16711680"};
    QByteArray names, sections;
    for (int n = 0; n < count; ++n) {
        const QByteArray name = "T" + QByteArray::number(n);
        names += (n ? "," : "") + name;
        sections += "[" + name + "]\r\nDescription=Template " + QByteArray::number(n)
                    + "\r\nm_appBKColor=" + kColours[n % 3]
                    + "\r\nm_xPos=20\r\nm_yPos=20\r\nm_mmWidth=100\r\nm_mmHeight=30\r\n"
                      "Relation=1,1,\r\nI0-0=Home,,,\r\n";
    }
    return "[TEMPLATE]\r\nTemplateKey=" + names + "\r\n" + sections;
}

CTemplateThumbnails *Thumbnails(QListWidget *list)
{
    return qobject_cast<CTemplateThumbnails *>(list->itemDelegate());
}

} // namespace

// Each row carries a picture of its own template, fitted to the row's room.
void TestTemplatePage::rowsShowTheirTemplates()
{
    Fixture f(ColouredLibrary(3));
    f.Open();
    CTemplateThumbnails *thumbnails = Thumbnails(f.List());
    QVERIFY(thumbnails);
    const QColor expected[3] = {Qt::red, Qt::green, Qt::blue};
    for (int n = 0; n < 3; ++n) {
        const QImage picture = thumbnails->Thumbnail(n, 1.0);
        QVERIFY(!picture.isNull());
        QCOMPARE_LE(picture.width(), thumbnails->ThumbnailSize().width());
        QCOMPARE_LE(picture.height(), thumbnails->ThumbnailSize().height());
        // The applet's background fills the picture's corner.
        QCOMPARE(picture.pixelColor(1, 1), expected[n]);
        // At twice the density it is drawn at twice the size.
        QCOMPARE(thumbnails->Thumbnail(n, 2.0).size(), picture.size() * 2);
    }
    // Rows are tall enough for their pictures, and keep their descriptions
    // as the names screen readers read.
    QCOMPARE_GE(f.List()->visualItemRect(f.List()->item(1)).height(), thumbnails->ThumbnailSize().height());
    QCOMPARE(f.List()->item(1)->text(), QStringLiteral("Template 1"));
}

// The page opens without drawing the rows nobody sees: a row's picture is
// drawn when the row is first painted.
void TestTemplatePage::rowPicturesAreDrawnWhenShown()
{
    constexpr int kCount = 40;
    Fixture f(ColouredLibrary(kCount));
    f.Open();
    QListWidget *list = f.List();
    CTemplateThumbnails *thumbnails = Thumbnails(list);
    QVERIFY(thumbnails);
    list->grab();
    QVERIFY(thumbnails->IsDrawn(0));
    QVERIFY(!thumbnails->IsDrawn(kCount - 1));
    list->setCurrentRow(kCount - 1);
    list->scrollToItem(list->item(kCount - 1));
    list->grab();
    QVERIFY(thumbnails->IsDrawn(kCount - 1));
}

void TestTemplatePage::choiceIsKeptWhenLeavingWithBack()
{
    Fixture f;
    CAppletParameters &p = f.t.app.m_params;
    f.Open();
    // The saved-page choice, then a look at the welcome page.
    f.Click("1059");
    f.Back();
    f.Next();
    QVERIFY(f.radio("1059")->isChecked());
    QVERIFY(!f.List()->isEnabled());
    QVERIFY(Control<QPushButton>(&f.Page(), "1007")->isEnabled());

    // A saved page browsed, then the template choice, then Back: Next loads
    // the template shown as chosen, not the page.
    f.Browse(f.savedPage);
    f.Click("1056");
    f.Back();
    f.Next();
    QVERIFY(f.radio("1056")->isChecked());
    QVERIFY(f.List()->isEnabled());
    QVERIFY(!Control<QPushButton>(&f.Page(), "1007")->isEnabled());
    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_mmWidth, 120);
    QCOMPARE(Labels(*p.m_pMainMenu), (QStringList{"Home", "News"}));
}

void TestTemplatePage::savedPageLoadsOnce()
{
    Fixture f;
    CAppletParameters &p = f.t.app.m_params;
    p.m_bSaved = 1;
    f.Open();
    f.Click("1059");
    QVERIFY(!f.List()->isEnabled());
    QVERIFY(Control<QPushButton>(&f.Page(), "1007")->isEnabled());
    QVERIFY(!f.FileName()->isEnabled());

    f.Browse(f.savedPage);
    QCOMPARE(f.t.ui->openFileRequests.size(), 1);
    QCOMPARE(f.t.ui->openFileRequests[0].filter,
             QStringLiteral("HTML Files(*.htm,*.html) | *.htm;*.html||"));
    QCOMPARE(f.FileName()->text(), f.savedPage);

    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("My page"));
    QCOMPARE(p.m_mmWidth, 77);
    QCOMPARE(Labels(*p.m_pMainMenu), QStringList{"Only"});
    QCOMPARE(p.m_strHTMLPath, f.savedPage);
    QCOMPARE(p.m_bSaved, 0);

    // Back and Next again: the same project is not read a second time.
    p.m_mmWidth = 5;
    f.Back();
    QCOMPARE(f.FileName()->text(), f.savedPage);
    // A cancelled browse keeps the chosen page.
    f.Browse(QString());
    QCOMPARE(f.FileName()->text(), f.savedPage);
    f.Next();
    QCOMPARE(p.m_mmWidth, 5);

    // Going to a template forgets the page: the same page loads again later.
    f.Back();
    f.Click("1056");
    f.Next();
    QCOMPARE(p.m_mmWidth, 120);
    QCOMPARE(p.m_strHTMLPath, QString());
    f.Back();
    QCOMPARE(f.FileName()->text(), QString());
    f.Browse(f.savedPage);
    f.Next();
    QCOMPARE(p.m_mmWidth, 77);
    QCOMPARE(p.m_strHTMLPath, f.savedPage);
    QVERIFY(f.t.ui->messages.isEmpty());
}

void TestTemplatePage::pageWithoutProjectClearsChoice()
{
    Fixture f;
    f.t.app.m_params.m_HTMLTitle = QStringLiteral("untouched");
    f.Open();
    // The saved-page choice with no page chosen.
    f.Click("1059");
    f.Next();
    QCOMPARE(f.Active(), 1);

    f.Browse(f.savedPage);
    QCOMPARE(f.FileName()->text(), f.savedPage);
    f.Browse(f.foreignPage);
    QCOMPARE(f.FileName()->text(), QString());
    f.Next();
    QCOMPARE(f.Active(), 1);
    QCOMPARE(f.t.ui->MessageTexts(),
             (QStringList{QStringLiteral("You must open a HTML file which is saved by Vantrel."),
                          QStringLiteral("This File is not saved by Vantrel!\nSystem can't open it."),
                          QStringLiteral("You must open a HTML file which is saved by Vantrel.")}));
    QCOMPARE(f.t.app.m_params.m_HTMLTitle, QStringLiteral("untouched"));
}

void TestTemplatePage::pageWithoutProjectOffersToRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("messages");
    const QString offer = QStringLiteral("The project file of this page is missing: lost.qdx.\n\nRead the menu from the "
                                         "page? Finish then saves the page with a new project file beside it.");
    const QString siteOffer = QStringLiteral("This page carries the menu of a site, but no project file of Vantrel's.\n\n"
                                             "Read the menu from the page? Finish then saves it as a page of its own, "
                                             "with a new project file, in the site folder @SITE@, and keeps the site's "
                                             "pages that carry this menu up to date.");
    QTest::newRow("a page, read") << "page" << true << QStringList{offer};
    QTest::newRow("a page, not read") << "page" << false
                                      << QStringList{offer, "You must open a HTML file which is saved by Vantrel."};
    QTest::newRow("a page edited by hand, read")
        << "edited" << true
        << QStringList{offer, "The menu was read from lost.htm. Notes:\n"
                              "MMStyle: the item width \"wide\" is not a number; 0 kept"};
    QTest::newRow("a site page, read") << "site" << true << QStringList{siteOffer};
    QTest::newRow("a page without the menu")
        << "none" << true
        << QStringList{"This File is not saved by Vantrel!\nSystem can't open it.",
                       "You must open a HTML file which is saved by Vantrel."};
}

// A page whose project file is lost: the wizard offers to read its menu
// back, goes on with it as with a saved project, and Finish saves the page
// with a new project file beside it (a site's menu as a page of its own in
// the site folder).
void TestTemplatePage::pageWithoutProjectOffersToRead()
{
    QFETCH(QString, kind);
    QFETCH(bool, yes);
    QFETCH(QStringList, messages);
    Fixture f;
    for (const char *file : {"Glidebar.class", "glidebar.js"})
        QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/") + file, QDir(f.t.app.m_strAppDir).filePath(file)));
    CAppletParameters &p = f.t.app.m_params;
    CAppletParameters lost;
    lost.LoadTemplate(0, f.t.app.TemplateLibraryPath());
    lost.m_HTMLTitle = QStringLiteral("Lost page");
    const QDir site(f.dir.filePath(QStringLiteral("web site")));
    QString page = site.filePath(QStringLiteral("lost.htm"));
    QByteArray bytes = lost.GenerateHTMLBytes();
    if (kind == "edited")
        bytes.replace(",120,", ",wide,");
    if (kind == "none")
        bytes = "<html><body>A page of my own</body></html>";
    if (kind == "site") {
        page = site.filePath(QStringLiteral("sub/page.html"));
        QVERIFY(PutMenuIntoPage("<html>\n<head><title>Mine</title></head>\n<body>\n</body>\n</html>\n",
                                SiteMenuBlock(lost, QStringLiteral("sub"), "\n"), &bytes));
    }
    QVERIFY(WriteFileBytes(page, bytes));
    messages.replaceInStrings(QStringLiteral("@SITE@"), QDir::toNativeSeparators(QDir(site).canonicalPath()));

    f.Open();
    if (yes)
        f.t.ui->messageAnswers << QMessageBox::Yes;
    f.Browse(page);
    const bool read = yes && kind != "none";
    QCOMPARE(f.FileName()->text(), read ? page : QString());
    f.Next();
    QCOMPARE(f.t.ui->MessageTexts(), messages);
    if (!read) {
        QCOMPARE(f.Active(), 1);
        return;
    }
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Lost page"));
    QCOMPARE(Labels(*p.m_pMainMenu), Labels(*lost.m_pMainMenu));
    QCOMPARE(p.m_mmWidth, kind == "edited" ? 0 : lost.m_mmWidth);
    QCOMPARE(p.m_bSaved, 0);

    // Finish proposes the page itself, or for a site a new page in the site
    // folder (Save never writes over the author's page unasked), and saves
    // it with its new project file beside it.
    // (The fixture's folder holds menu.htm and menu.qdx already.)
    const QString saveAs = kind == "site" ? QDir(site.canonicalPath()).filePath(QStringLiteral("menu2.htm")) : page;
    QCOMPARE(p.m_strHTMLPath, saveAs);
    QCOMPARE(p.m_strSavedPage, kind == "site" ? QString() : page);
    f.sheet().SetActivePage(&f.sheet().m_pageHTML);
    f.t.ui->saveFileAnswers << saveAs;
    f.sheet().FinishButton()->click();
    QCOMPARE(p.m_bSaved, 1);
    QCOMPARE(f.t.ui->saveFileRequests.last().initialName, saveAs);
    QCOMPARE(f.t.ui->MessageTexts(), messages);
    const QString project = ProjectPathFor(saveAs);
    CIniFile ini;
    QVERIFY(ini.Load(project));
    CAppletParameters reopened;
    reopened.LoadProject(project);
    QCOMPARE(reopened.GenerateHTMLBytes(), p.GenerateHTMLBytes());
    if (kind == "page")
        QCOMPARE(ReadFileBytes(page), bytes);
    if (kind == "site") {
        // The author's page stays as it was, and is the project's site page.
        QCOMPARE(ReadFileBytes(page), bytes);
        QCOMPARE(reopened.m_SitePages.size(), 1);
        QCOMPARE(reopened.m_SitePages[0].strPath, QStringLiteral("sub/page.html"));
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestTemplatePage::startNewForcesReload_data()
{
    QTest::addColumn<bool>("savedPage");
    QTest::newRow("template") << false;
    QTest::newRow("saved page") << true;
}

void TestTemplatePage::startNewForcesReload()
{
    QFETCH(bool, savedPage);
    Fixture f;
    CAppletParameters &p = f.t.app.m_params;
    CTemplatePage &page = f.Open();
    if (savedPage)
        f.Browse(f.savedPage);
    f.Next();
    const int loadedWidth = savedPage ? 77 : 120;
    // A new menu works in today's browsers; a project saved before that
    // choice existed stays a classic page.
    const int loadedModern = savedPage ? 0 : 1;
    QCOMPARE(p.m_mmWidth, loadedWidth);
    QCOMPARE(p.m_ModernPage, loadedModern);
    p.m_mmWidth = 5;
    p.m_ModernPage = 1 - loadedModern;
    p.m_bSaved = 1;

    // What the finish page's Start New does, then back to this page.
    page.m_nLoadedTemplate = -1;
    page.m_strLoadedProject.clear();
    f.sheet().SetActivePage(&page);
    QCOMPARE(f.sheet().WizardButtons(), PSWIZB_BACK | PSWIZB_NEXT);
    f.Next();
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_mmWidth, loadedWidth);
    QCOMPARE(p.m_ModernPage, loadedModern);
    QCOMPARE(p.m_bSaved, 0);
}

// A page or project file handed to the wizard (vantrel FILE) goes the way of
// a page picked with Browse, then Next.
void TestTemplatePage::openPageAsBrowseDoes_data()
{
    QTest::addColumn<QString>("file");  // in the fixture's folder
    QTest::addColumn<QString>("opened"); // the page whose project loads; "" none
    QTest::newRow("a saved page") << "web site/menu.htm" << "web site/menu.htm";
    QTest::newRow("its project file") << "web site/menu.qdx" << "web site/menu.htm";
    QTest::newRow("a project file of a .html page") << "web site/index.qdx" << "web site/index.html";
    QTest::newRow("a page Vantrel did not save") << "web site/other.html" << "";
    QTest::newRow("a file that is not there") << "web site/gone.htm" << "";
    QTest::newRow("a project file that is not there") << "web site/gone.qdx" << "";
}

void TestTemplatePage::openPageAsBrowseDoes()
{
    QFETCH(QString, file);
    QFETCH(QString, opened);
    Fixture f;
    const QDir dir(f.dir.path());
    QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("web site/index.html")), "<html></html>"));
    QVERIFY(WriteFileBytes(dir.filePath(QStringLiteral("web site/index.qdx")), kProject));
    CAppletParameters &p = f.t.app.m_params;
    p.m_HTMLTitle = QStringLiteral("untouched");
    f.t.OpenSheet();

    QCOMPARE(f.sheet().OpenPage(dir.filePath(file)), !opened.isEmpty());
    QVERIFY(f.radio("1059")->isChecked());
    if (opened.isEmpty()) {
        QCOMPARE(f.Active(), 1);
        QCOMPARE(f.t.ui->MessageTexts(),
                 QStringList{QStringLiteral("This File is not saved by Vantrel!\nSystem can't open it.")});
        QCOMPARE(f.FileName()->text(), QString());
        QCOMPARE(p.m_HTMLTitle, QStringLiteral("untouched"));
        return;
    }
    QVERIFY(f.t.ui->messages.isEmpty());
    QCOMPARE(f.Active(), 2);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("My page"));
    QCOMPARE(Labels(*p.m_pMainMenu), QStringList{"Only"});
    QCOMPARE(p.m_strHTMLPath, dir.filePath(opened));
    // Back shows the page as chosen, as after Browse.
    f.Back();
    QCOMPARE(f.FileName()->text(), dir.filePath(opened));
}

QTEST_MAIN(TestTemplatePage)
#include "tst_templatepage.moc"
