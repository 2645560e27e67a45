#include "TestApp.h"

#include "html/SiteBlock.h"
#include "store/project/ProjectFile.h"
#include "store/site/SiteUpdate.h"
#include "store/site/SitePageText.h"
#include "wizard/dialogs/SitePagesDialog.h"
#include "wizard/widgets/StatusLine.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QHeaderView>
#include <QMessageBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

// The site pages dialog through its controls, and the finish page's button
// that opens it.
class TestSitePagesDialog : public QObject {
    Q_OBJECT
private slots:
    void addedPageShowsItsState_data();
    void addedPageShowsItsState();
    void pagesOutsideOrTwiceOrTheMenuPageAreNotAdded();
    void addFolderTakesItsPageFiles();
    void remove_data();
    void remove();
    void removeOffersToTakeTheMenuOut_data();
    void removeOffersToTakeTheMenuOut();
    void everyControlHasAName();
    void okKeepsTheListAndCancelLeavesIt_data();
    void okKeepsTheListAndCancelLeavesIt();
    void unsavedPageIsSavedFirst();
    void replaceMyEdits_data();
    void replaceMyEdits();
    void stateColumnIsShownWhole();
};

namespace {

const QByteArray kBegin(kMenuMarkerBegin);
const QByteArray kEnd(kMenuMarkerEnd);

// A site: its folder, the menu page and project file in it.
struct Site {
    Site()
    {
        QVERIFY(dir.isValid());
        t.app.m_params.m_strHTMLPath = dir.filePath("menu.htm");
    }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QString Project() const { return ProjectPathFor(Path("menu.htm")); }

    QTemporaryDir dir;
    CTestApp t;
};

// The list's rows: page, state and place, one text per row.
QStringList Rows(const CSitePagesDialog &dlg)
{
    QStringList rows;
    for (int i = 0; i < dlg.m_listPages->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = dlg.m_listPages->topLevelItem(i);
        rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
    }
    return rows;
}

QStringList Paths(const CSitePageList &pages)
{
    QStringList paths;
    for (const CSitePage &page : pages)
        paths << page.strPath;
    return paths;
}

QAbstractButton *DialogButton(QDialog &dlg, QDialogButtonBox::StandardButton which)
{
    auto *box = dlg.findChild<QDialogButtonBox *>();
    return box ? box->button(which) : nullptr;
}

} // namespace

void TestSitePagesDialog::addedPageShowsItsState_data()
{
    QTest::addColumn<QByteArray>("page");
    // The text Vantrel last wrote between the page's markers; null: the page
    // is not listed yet and is added with Add Pages.
    QTest::addColumn<QByteArray>("lastMenu");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("place");

    const QByteArray menu = "\n<p>menu</p>\n";
    QTest::newRow("no menu yet") << QByteArray("<html><body>\n<p>text</p>\n</body></html>\n") << QByteArray()
                                 << "menu will be added"
                                 << "after <body>";
    QTest::newRow("the author's marker") << QByteArray("<html><body>\n<p>a</p>\n" + kBegin + "\n<p>b</p></body>\n")
                                         << QByteArray() << "menu will be added"
                                         << "at the page's marker";
    QTest::newRow("menu there") << QByteArray("<html><body>" + kBegin + menu + kEnd + "</body>\n") << menu
                                << "menu will be updated"
                                << "between the markers";
    QTest::newRow("menu changed by hand") << QByteArray("<html><body>" + kBegin + "\n<p>mine</p>\n" + kEnd + "</body>")
                                          << menu << "changed since the last update"
                                          << "between the markers";
    QTest::newRow("no body") << QByteArray("<p>a fragment</p>\n") << QByteArray() << "no place found" << "";
}

void TestSitePagesDialog::addedPageShowsItsState()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, lastMenu);
    QFETCH(QString, state);
    QFETCH(QString, place);
    Site s;
    QVERIFY(WriteFileBytes(s.Path("products/a.html"), page));
    if (!lastMenu.isNull()) {
        CSitePage listed;
        listed.strPath = QStringLiteral("products/a.html");
        listed.menuHash = ContentHash(lastMenu);
        s.t.app.m_params.m_SitePages = {listed};
    }
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    if (lastMenu.isNull()) {
        QCOMPARE(Rows(dlg), QStringList());
        s.t.ui->openFilesAnswers << QStringList{s.Path("products/a.html")};
        dlg.m_btnAddPages->click();
        // The file dialog starts in the site folder, offering pages.
        QCOMPARE(s.t.ui->openFilesRequests.size(), 1);
        QCOMPARE(s.t.ui->openFilesRequests[0].folder, s.dir.path());
        QVERIFY(s.t.ui->openFilesRequests[0].filter.contains("*.html"));
    }
    QCOMPARE(Rows(dlg), QStringList{"products/a.html | " + state + " | " + place});
    QCOMPARE(Paths(dlg.Pages()), QStringList{"products/a.html"});
    QVERIFY(s.t.ui->messages.isEmpty());
    // Reading a page for its state writes nothing.
    QCOMPARE(ReadFileBytes(s.Path("products/a.html")), page);
}

void TestSitePagesDialog::pagesOutsideOrTwiceOrTheMenuPageAreNotAdded()
{
    Site s;
    QTemporaryDir elsewhere;
    const QByteArray page = "<html><body></body></html>";
    QVERIFY(WriteFileBytes(s.Path("a.html"), page));
    QVERIFY(WriteFileBytes(s.Path("menu.htm"), page));
    QVERIFY(WriteFileBytes(elsewhere.filePath("b.html"), page));
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    s.t.ui->openFilesAnswers << QStringList{s.Path("a.html"), elsewhere.filePath("b.html"), s.Path("menu.htm")}
                             << QStringList{s.Path("a.html")} << QStringList();
    dlg.m_btnAddPages->click();
    QCOMPARE(Paths(dlg.Pages()), QStringList{"a.html"});
    QCOMPARE(s.t.ui->messages.size(), 1);
    const QString told = s.t.ui->messages[0].text;
    QVERIFY2(told.contains(elsewhere.filePath("b.html")) && told.contains(s.dir.path()), qPrintable(told));
    QVERIFY2(told.contains(s.Path("menu.htm")), qPrintable(told));
    QVERIFY(!told.contains(s.Path("a.html")));
    // Added again, and a cancelled dialog: the list stays, nothing is said.
    dlg.m_btnAddPages->click();
    dlg.m_btnAddPages->click();
    QCOMPARE(Paths(dlg.Pages()), QStringList{"a.html"});
    QCOMPARE(s.t.ui->messages.size(), 1);
}

void TestSitePagesDialog::addFolderTakesItsPageFiles()
{
    Site s;
    const QByteArray page = "<html><body></body></html>";
    for (const char *name : {"b.htm", "a.html", "notes.txt", "menu.htm", "products/C.HTML", "products/deep/d.html",
                             ".drafts/e.html", "products/.f.html"})
        QVERIFY(WriteFileBytes(s.Path(QString::fromLatin1(name)), page));
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    s.t.ui->folderAnswers << QString() << s.dir.path() << s.Path("products");
    dlg.m_btnAddFolder->click();
    QCOMPARE(dlg.Pages().size(), 0);
    dlg.m_btnAddFolder->click();
    QCOMPARE(s.t.ui->folderRequests, (QStringList{s.dir.path(), s.dir.path()}));
    const QStringList all{"a.html", "b.htm", "products/C.HTML", "products/deep/d.html"};
    QCOMPARE(Paths(dlg.Pages()), all);
    // A folder whose pages are listed adds nothing more.
    dlg.m_btnAddFolder->click();
    QCOMPARE(Paths(dlg.Pages()), all);
    QVERIFY(s.t.ui->MessageTexts().isEmpty());

    // A folder without pages says so.
    QTemporaryDir empty;
    s.t.ui->folderAnswers << empty.path();
    dlg.m_btnAddFolder->click();
    QCOMPARE(s.t.ui->messages.size(), 1);
    QVERIFY(s.t.ui->messages[0].text.contains("holds no .htm or .html files"));
}

void TestSitePagesDialog::remove_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Remove button") << false;
    QTest::newRow("Delete key") << true;
}

void TestSitePagesDialog::remove()
{
    QFETCH(bool, byKey);
    Site s;
    for (const char *name : {"a.html", "b.html", "c.html", "d.html"})
        QVERIFY(WriteFileBytes(s.Path(QString::fromLatin1(name)), "<body>"));
    s.t.ui->folderAnswers << s.dir.path();
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    dlg.m_btnAddFolder->click();
    QVERIFY(!dlg.m_btnRemove->isEnabled());
    // b and c selected; the current row is c.
    dlg.m_listPages->setCurrentItem(dlg.m_listPages->topLevelItem(1));
    dlg.m_listPages->setCurrentItem(dlg.m_listPages->topLevelItem(2), 0, QItemSelectionModel::Select);
    QVERIFY(dlg.m_btnRemove->isEnabled());
    if (byKey)
        QTest::keyClick(dlg.m_listPages, Qt::Key_Delete);
    else
        dlg.m_btnRemove->click();
    QCOMPARE(Paths(dlg.Pages()), (QStringList{"a.html", "d.html"}));
    QCOMPARE(Rows(dlg).size(), 2);
    QVERIFY(Rows(dlg)[1].startsWith("d.html | "));
    // The keyboard goes on from the page that took the removed ones' place.
    QCOMPARE(dlg.m_listPages->currentItem(), dlg.m_listPages->topLevelItem(1));
    // Nothing selected: Delete removes nothing.
    dlg.m_listPages->clearSelection();
    QVERIFY(!dlg.m_btnRemove->isEnabled());
    QTest::keyClick(dlg.m_listPages, Qt::Key_Delete);
    QCOMPARE(dlg.Pages().size(), 2);
}

void TestSitePagesDialog::removeOffersToTakeTheMenuOut_data()
{
    QTest::addColumn<int>("answer"); // to "Take the menu out ... too?"
    QTest::addColumn<bool>("ok");    // the dialog closed with OK
    QTest::addColumn<bool>("listed"); // a.html still on the list
    QTest::addColumn<bool>("restored");
    QTest::newRow("Yes, OK") << int(QMessageBox::Yes) << true << false << true;
    QTest::newRow("Yes, Cancel") << int(QMessageBox::Yes) << false << false << false;
    QTest::newRow("No, OK") << int(QMessageBox::No) << true << false << false;
    QTest::newRow("Cancel keeps it listed") << int(QMessageBox::Cancel) << true << true << false;
}

void TestSitePagesDialog::removeOffersToTakeTheMenuOut()
{
    QFETCH(int, answer);
    QFETCH(bool, ok);
    QFETCH(bool, listed);
    QFETCH(bool, restored);
    Site s;
    const QByteArray original = "<html><head>\n</head><body>\n<p>a</p>\n</body></html>\n";
    QVERIFY(WriteFileBytes(s.Path("a.html"), original));
    QVERIFY(WriteFileBytes(s.Path("b.html"), "<body>\n"));
    // Both pages carry the menu after an update.
    CAppletParameters &params = s.t.app.m_params;
    params.m_ModernPage = 1;
    for (const char *name : {"a.html", "b.html"}) {
        CSitePage page;
        page.strPath = QLatin1String(name);
        params.m_SitePages.append(page);
    }
    QTemporaryDir app;
    QVERIFY(WriteFileBytes(QDir(app.path()).filePath("glidebar.js"), "// script\n"));
    {
        CSiteUpdate site(s.Project(), params);
        QVERIFY(site.Choose({}, nullptr));
        site.Read();
        QString error;
        QVERIFY2(site.Save(SiteBlockMaker(params), app.path(), false, &error), qPrintable(error));
    }
    const QByteArray withMenu = ReadFileBytes(s.Path("a.html"));
    QVERIFY(withMenu != original);

    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    dlg.m_listPages->setCurrentItem(dlg.m_listPages->topLevelItem(0));
    s.t.ui->messageAnswers << QMessageBox::StandardButton(answer);
    dlg.m_btnRemove->click();
    QCOMPARE(s.t.ui->MessageTexts().size(), 1);
    QVERIFY2(s.t.ui->MessageTexts()[0].startsWith("Take the menu out of a.html too?"),
             qPrintable(s.t.ui->MessageTexts()[0]));
    QCOMPARE(Paths(dlg.Pages()), listed ? QStringList({"a.html", "b.html"}) : QStringList({"b.html"}));
    // Nothing is written before OK.
    QCOMPARE(ReadFileBytes(s.Path("a.html")), withMenu);
    DialogButton(dlg, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    QCOMPARE(dlg.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(ReadFileBytes(s.Path("a.html")), restored ? original : withMenu);
    QVERIFY(ReadFileBytes(s.Path("b.html")).contains(kBegin));
}

void TestSitePagesDialog::everyControlHasAName()
{
    Site s;
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QStringList unnamed;
    for (QWidget *w : dlg.findChildren<QWidget *>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + " " + w->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    // The list opens with the keyboard in it, and the rule for pages without
    // a menu is shown with both markers.
    QCOMPARE(dlg.focusWidget(), dlg.m_listPages);
    QVERIFY(dlg.m_lblPlace->text().contains(QLatin1String(kMenuMarkerBegin)));
    QVERIFY(dlg.m_lblPlace->text().contains(QLatin1String(kMenuMarkerEnd)));
    QVERIFY(dlg.m_lblPlace->text().contains("<body>"));
}

void TestSitePagesDialog::okKeepsTheListAndCancelLeavesIt_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

// From the finish page: the dialog's changes reach the project only by OK.
void TestSitePagesDialog::okKeepsTheListAndCancelLeavesIt()
{
    QFETCH(bool, ok);
    Site s;
    for (const char *name : {"a.html", "b.html", "c.html"})
        QVERIFY(WriteFileBytes(s.Path(QString::fromLatin1(name)), "<body>"));
    CAppletParameters &params = s.t.app.m_params;
    CSitePage kept;
    kept.strPath = QStringLiteral("a.html");
    kept.nSize = 6;
    kept.menuHash = ContentHash("x");
    params.m_SitePages = {kept};
    params.m_bSaved = 1;
    CMenuWizardSheet &sheet = s.t.OpenSheet();
    sheet.SetActivePage(&sheet.m_pageHTML);
    CHTMLPage &page = sheet.m_pageHTML;

    s.t.ui->openFilesAnswers << QStringList{s.Path("c.html"), s.Path("b.html")};
    bool ran = false;
    s.t.ui->dialogHandlers << [&](QDialog &d) {
        auto &dlg = static_cast<CSitePagesDialog &>(d);
        QCOMPARE(dlg.SiteFolder(), s.dir.path());
        dlg.m_btnAddPages->click();
        dlg.m_listPages->setCurrentItem(dlg.m_listPages->topLevelItem(0));
        dlg.m_btnRemove->click();
        QCOMPARE(Paths(dlg.Pages()), (QStringList{"c.html", "b.html"}));
        DialogButton(d, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        ran = true;
    };
    QCOMPARE(page.m_btnSitePages->text(), QStringLiteral("Site Pages..."));
    page.m_btnSitePages->click();
    QVERIFY(ran);
    QCOMPARE(s.t.ui->dialogsShown, QStringList{"sitePagesDialog"});
    auto *status = page.findChild<CStatusLine *>(QStringLiteral("statusLine"));
    if (ok) {
        QCOMPARE(Paths(params.m_SitePages), (QStringList{"c.html", "b.html"}));
        QCOMPARE(params.m_bSaved, 0);
        QCOMPARE(status->text(), QStringLiteral("2 site pages: Finish puts the menu into each."));
    } else {
        QCOMPARE(params.m_SitePages, CSitePageList{kept});
        QCOMPARE(params.m_bSaved, 1);
        QVERIFY(status->text().isEmpty());
    }
    // Nothing is written before Finish.
    QVERIFY(!QFile::exists(s.Project()));
    QCOMPARE(ReadFileBytes(s.Path("c.html")), QByteArray("<body>"));
}

// A page not saved yet has no site folder: Site Pages offers to save it
// first, and the dialog then works in the folder it was saved in.
void TestSitePagesDialog::unsavedPageIsSavedFirst()
{
    Site s;
    s.t.app.m_params.m_strHTMLPath.clear();
    CMenuWizardSheet &sheet = s.t.OpenSheet();
    sheet.SetActivePage(&sheet.m_pageHTML);
    CHTMLPage &page = sheet.m_pageHTML;

    // No: nothing saved, no dialog.
    s.t.ui->messageAnswers << QMessageBox::No;
    page.m_btnSitePages->click();
    QCOMPARE(s.t.ui->messages.size(), 1);
    QVERIFY(s.t.ui->saveFileRequests.isEmpty());
    QVERIFY(s.t.ui->dialogsShown.isEmpty());

    s.t.ui->messageAnswers << QMessageBox::Yes;
    s.t.ui->saveFileAnswers << s.Path("shop/home.htm");
    QVERIFY(QDir(s.dir.path()).mkpath("shop"));
    QString folder;
    s.t.ui->dialogHandlers << [&](QDialog &d) { folder = static_cast<CSitePagesDialog &>(d).SiteFolder(); };
    page.m_btnSitePages->click();
    QVERIFY(QFile::exists(s.Path("shop/home.qdx")));
    QCOMPARE(folder, s.Path("shop"));
}


void TestSitePagesDialog::replaceMyEdits_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("state");   // of edited.html afterwards
    QTest::addColumn<bool>("forgotten");  // its record no longer holds the last menu
    QTest::newRow("edited page, yes") << "edited.html" << true << QMessageBox::Yes
                                      << "your edits will be replaced" << true;
    QTest::newRow("edited page, no") << "edited.html" << true << QMessageBox::No
                                     << "changed since the last update" << false;
    QTest::newRow("page as written: not offered") << "kept.html" << false << QMessageBox::NoButton
                                                  << "changed since the last update" << false;
}

// A page whose menu was edited by hand: Replace My Edits has the next
// Finish replace the edits (the update forgets what it last wrote there).
void TestSitePagesDialog::replaceMyEdits()
{
    QFETCH(QString, selected);
    QFETCH(bool, enabled);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, state);
    QFETCH(bool, forgotten);
    Site s;
    const QByteArray menu = "\n<p>menu</p>\n";
    QVERIFY(WriteFileBytes(s.Path("edited.html"), "<html><body>" + kBegin + "\n<p>mine</p>\n" + kEnd + "</body>"));
    QVERIFY(WriteFileBytes(s.Path("kept.html"), "<html><body>" + kBegin + menu + kEnd + "</body>"));
    for (const QString name : {"edited.html", "kept.html"}) {
        CSitePage listed;
        listed.strPath = name;
        listed.menuHash = ContentHash(menu);
        s.t.app.m_params.m_SitePages.append(listed);
    }
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    QCOMPARE(dlg.m_btnReplace->accessibleName(), QStringLiteral("Replace My Edits"));
    QVERIFY(!dlg.m_btnReplace->isEnabled());
    const int row = selected == QLatin1String("edited.html") ? 0 : 1;
    dlg.m_listPages->setCurrentItem(dlg.m_listPages->topLevelItem(row));
    QCOMPARE(dlg.m_btnReplace->isEnabled(), enabled);
    if (enabled) {
        s.t.ui->messageAnswers << answer;
        dlg.m_btnReplace->click();
        QCOMPARE(s.t.ui->messages.size(), 1);
        QVERIFY2(s.t.ui->MessageTexts()[0].contains("edited.html"), qPrintable(s.t.ui->MessageTexts()[0]));
    }
    QCOMPARE(dlg.m_listPages->topLevelItem(0)->text(1), state);
    QCOMPARE(dlg.m_listPages->topLevelItem(1)->text(1), QStringLiteral("menu will be updated"));
    QCOMPARE(dlg.Pages()[0].menuHash.isEmpty(), forgotten);
    QCOMPARE(dlg.Pages()[1].menuHash, ContentHash(menu));
    // Chosen once, the page is not offered again; nothing is written yet.
    QCOMPARE(dlg.m_btnReplace->isEnabled(), enabled && !forgotten);
    QCOMPARE(ReadFileBytes(s.Path("edited.html")),
             "<html><body>" + kBegin + "\n<p>mine</p>\n" + kEnd + "</body>");
}

// However long a page's state is (a reason it could not be read), its
// column shows it whole.
void TestSitePagesDialog::stateColumnIsShownWhole()
{
    Site s;
    QVERIFY(QDir().mkpath(s.Path("a folder named like a page with a long name.html")));
    QVERIFY(WriteFileBytes(s.Path("b.html"), "<p>a fragment</p>\n"));
    for (const QString name : {"a folder named like a page with a long name.html", "b.html"}) {
        CSitePage listed;
        listed.strPath = name;
        s.t.app.m_params.m_SitePages.append(listed);
    }
    CSitePagesDialog dlg(s.t.app, s.Project(), s.Path("menu.htm"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QFontMetrics metrics(dlg.m_listPages->font());
    for (int i = 0; i < dlg.m_listPages->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = dlg.m_listPages->topLevelItem(i);
        const QString state = item->text(1);
        QVERIFY(!state.isEmpty());
        QVERIFY2(dlg.m_listPages->header()->sectionSize(1) >= metrics.horizontalAdvance(state),
                 qPrintable(state));
        QCOMPARE(item->toolTip(1), state);
    }
}

QTEST_MAIN(TestSitePagesDialog)
#include "tst_sitepagesdialog.moc"
