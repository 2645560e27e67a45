#include "MenuFixture.h"
#include "TestApp.h"
#include "Typing.h"

#include "model/text/PageLanguage.h"
#include "store/ini/IniFile.h"
#include "wizard/widgets/ColorButton.h"
#include "wizard/tree/MenuTreeView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The whole wizard driven by its buttons and controls, from the welcome page
// to a saved page, and that page reopened.
class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void buildSaveStartNewAndReopen();
    void saveIntoUnwritableFolder();
    void oldPageSavesUnchangedUntilTicked();
    void buildMenuWithTheTreeAndSave();
};

namespace {

// A program folder of the test's own with the shipped class file and
// template library, and a folder to save into.
struct Fixture {
    Fixture()
    {
        QVERIFY(appDir.isValid() && outDir.isValid());
        for (const char *name : {"Glidebar.class", "Vantrel.qdx"})
            QVERIFY(QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/") + QLatin1String(name), appDir.filePath(name)));
        // The menu script a page for today's browsers needs: the build's own
        // when it has one, else a stand-in.
        if (!QFile::copy(QStringLiteral(VANTREL_BIN_DIR "/glidebar.js"), appDir.filePath("glidebar.js")))
            QVERIFY(WriteFileBytes(appDir.filePath("glidebar.js"), "// menu script stand-in\n"));
        t.app.m_strAppDir = appDir.path();
        sheet = &t.OpenSheet();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
    }
    CAppletParameters &Params() { return t.app.m_params; }
    void Next() { sheet->NextButton()->click(); }
    QString Out(const QString &name) const { return outDir.filePath(name); }

    QTemporaryDir appDir;
    QTemporaryDir outDir;
    CTestApp t;
    CMenuWizardSheet *sheet = nullptr;
};

void CompareMenus(const CAppletMenu &actual, const CAppletMenu &expected)
{
    QCOMPARE(actual.GetCount(), expected.GetCount());
    for (int i = 0; i < expected.GetCount(); ++i) {
        const CAppletMenuItem *a = actual.GetItem(i);
        const CAppletMenuItem *e = expected.GetItem(i);
        QCOMPARE(a->m_strLabel, e->m_strLabel);
        QCOMPARE(a->m_strImage, e->m_strImage);
        QCOMPARE(a->m_strLink, e->m_strLink);
        QCOMPARE(a->m_strTarget, e->m_strTarget);
        QCOMPARE(bool(a->m_pSubMenu), bool(e->m_pSubMenu));
        if (e->m_pSubMenu)
            CompareMenus(*a->m_pSubMenu, *e->m_pSubMenu);
    }
}

// Walks from the welcome page to the finish page through template `row`.
void WalkToFinish(Fixture &f, int row)
{
    f.Next();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageTemplate);
    f.sheet->m_pageTemplate.m_listTemplates->setCurrentRow(row);
    for (int i = 0; i < 6; ++i)
        f.Next();
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
}

} // namespace

void TestEndToEnd::buildSaveStartNewAndReopen()
{
    Fixture f;
    CMenuWizardSheet &sheet = *f.sheet;
    CScriptedUi &ui = *f.t.ui;
    CAppletParameters &params = f.Params();
    const QString image = f.appDir.filePath(QStringLiteral("pics/button.gif"));
    QVERIFY(WriteFileBytes(image, QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14)));

    // Welcome, then a template of the shipped library.
    f.Next();
    CTemplatePage &tp = sheet.m_pageTemplate;
    QVERIFY(tp.m_listTemplates->count() >= 2);
    tp.m_listTemplates->setCurrentRow(1);
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageGeneral);

    // General page.
    CGeneralPage &g = sheet.m_pageGeneral;
    Type(g.m_editTitle, QStringLiteral("Tea & Café \"Menu\""));
    g.m_cbAlign->setCurrentIndex(2);
    Type(g.m_editXPos, QStringLiteral("12"));
    Type(g.m_editYPos, QStringLiteral("34"));
    ui.colorAnswers = {0x123456};
    g.m_btnBKColor->click();
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageMenuStyle);
    QCOMPARE(params.m_HTMLTitle, QStringLiteral("Tea & Café \"Menu\""));
    QCOMPARE(params.m_Align, 2);
    QCOMPARE(params.m_xPos, 12);
    QCOMPARE(params.m_yPos, 34);
    QCOMPARE(params.m_appBKColor, 0x123456);

    // Menu style page: the main menu, then the sub menus.
    CMenuStylePage &ms = sheet.m_pageMenuStyle;
    QVERIFY(ms.m_rbMainMenu->isChecked());
    Type(ms.m_editItemWidth, QStringLiteral("150"));
    Type(ms.m_editItemHeight, QStringLiteral("24"));
    ms.m_rbHorizontal->click();
    ms.m_rbSubMenu->click();
    Type(ms.m_editItemWidth, QStringLiteral("170"));
    ms.m_cbBKStyle->setCurrentIndex(1);
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageItemStyle);
    QCOMPARE(params.m_mmWidth, 150);
    QCOMPARE(params.m_mmHeight, 24);
    QCOMPARE(params.m_mmMenuAlign, 1);
    QCOMPARE(params.m_smWidth, 170);
    QCOMPARE(params.m_smBKStyle, 1);

    // Main-menu and sub-menu item styles.
    CItemStylePage &is = sheet.m_pageItemStyle;
    is.m_rbSunken->click();
    is.m_cbTextAlign->setCurrentIndex(2);
    is.m_rbMouseMove->click();
    ui.colorAnswers = {0x00ff00};
    is.m_btnBKColor->click();
    f.Next();
    QCOMPARE(params.m_miItemBorderStyle1, 2);
    QCOMPARE(params.m_miAlign1, 2);
    QCOMPARE(params.m_miBKColor2, 0x00ff00);
    CSubItemStylePage &ss = sheet.m_pageSubItemStyle;
    ss.m_rbRaised->click();
    ss.m_rbMouseClick->click();
    ui.colorAnswers = {0x0000ff};
    ss.m_btnFRColor->click();
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageItem);
    QCOMPARE(params.m_siItemBorderStyle1, 1);
    QCOMPARE(params.m_siFRColor3, 0x0000ff);

    // The menu tree: three main items, the second with two sub items.
    CItemPage &ip = sheet.m_pageItem;
    QVERIFY(ui.messages.isEmpty());
    Type(ip.m_editMainCount, QStringLiteral("3"));
    TabAway();
    QCOMPARE(params.m_pMainMenu->GetCount(), 3);
    Type(ip.m_editMainLabel, QStringLiteral("Home"));
    Type(ip.m_editMainLink, QStringLiteral("index.html"));
    Type(ip.m_comboMainTarget, QStringLiteral("_top"));
    ui.openFileAnswers = {image};
    ip.m_btnMainBrowse->click();
    if (ip.m_checkHasSubMenu->isChecked()) {
        ui.messageAnswers = {QMessageBox::Yes};
        ip.m_checkHasSubMenu->click();
    }
    ip.m_btnMainNext->click();
    Type(ip.m_editMainLabel, QStringLiteral("Products"));
    Type(ip.m_editMainLink, QStringLiteral("products.html"));
    if (ip.m_checkHasSubMenu->isChecked()) {
        ui.messageAnswers = {QMessageBox::Yes};
        ip.m_checkHasSubMenu->click();
    }
    ip.m_checkHasSubMenu->click();
    QVERIFY(ip.m_checkHasSubMenu->isChecked());
    Type(ip.m_editSubCount, QStringLiteral("2"));
    TabAway();
    Type(ip.m_editSubLabel, QStringLiteral("Tea"));
    Type(ip.m_editSubLink, QStringLiteral("tea.html"));
    Type(ip.m_comboSubTarget, QStringLiteral("content"));
    ip.m_btnSubNext->click();
    Type(ip.m_editSubLabel, QStringLiteral("Coffee"));
    ip.m_btnMainNext->click();
    Type(ip.m_editMainLabel, QStringLiteral("Contact"));
    if (ip.m_checkHasSubMenu->isChecked()) {
        ui.messageAnswers = {QMessageBox::Yes};
        ip.m_checkHasSubMenu->click();
    }
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageHTML);
    const CAppletMenu &menu = *params.m_pMainMenu;
    QCOMPARE(menu.GetItem(0)->m_strLabel, QStringLiteral("Home"));
    QCOMPARE(menu.GetItem(0)->m_strTarget, QStringLiteral("_top"));
    QCOMPARE(menu.GetItem(0)->m_strImage, image);
    QCOMPARE(menu.GetItem(1)->m_pSubMenu->GetCount(), 2);
    QCOMPARE(menu.GetItem(1)->m_pSubMenu->GetItem(0)->m_strTarget, QStringLiteral("content"));
    QCOMPARE(menu.GetItem(1)->m_pSubMenu->GetItem(1)->m_strLabel, QStringLiteral("Coffee"));
    QCOMPARE(menu.GetItem(2)->m_strLabel, QStringLiteral("Contact"));
    QVERIFY(!menu.GetItem(2)->m_pSubMenu);
    QVERIFY(ui.MessageTexts().filter(QStringLiteral("image")).isEmpty());

    // Finish saves the page with its companions; the wizard stays open.
    const QString page = f.Out(QStringLiteral("site/menu.htm"));
    QVERIFY(QDir().mkpath(f.Out(QStringLiteral("site"))));
    ui.saveFileAnswers = {page};
    sheet.FinishButton()->click();
    QCOMPARE(params.m_bSaved, 1);
    QVERIFY(sheet.isVisible());
    const QByteArray savedPage = ReadFileBytes(page);
    QCOMPARE(savedPage, sheet.m_pageHTML.m_strHTML.toUtf8());
    QVERIFY(savedPage.contains("Tea &amp; Caf&#233; &quot;Menu&quot;"));
    // A new menu works in today's browsers: its script lies beside it.
    QVERIFY(savedPage.contains("<script src=\"glidebar.js\"></script>\r\n<applet "));
    for (const char *name : {"menu.qdx", "Glidebar.class", "button.gif", "glidebar.js"})
        QVERIFY2(QFileInfo::exists(f.Out(QStringLiteral("site/") + QLatin1String(name))), name);
    CAppletParameters saved;
    saved.CopyFrom(params);

    // Start New asks nothing after a save and goes to the template page.
    const int questions = ui.messages.size();
    sheet.m_pageHTML.m_btnStartNew->click();
    QCOMPARE(ui.messages.size(), questions);
    QCOMPARE(sheet.GetActivePage(), &tp);

    // Work that would show if the reopening did not load anything.
    params.m_HTMLTitle = QStringLiteral("scribbled");
    params.m_mmWidth = 9;
    params.m_pMainMenu->SetItemCount(7, 0);

    // Reopen the saved page.
    tp.m_radioSaved->click();
    ui.openFileAnswers = {page};
    tp.m_btnBrowse->click();
    QCOMPARE(tp.m_editFileName->text(), page);
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageGeneral);
    QCOMPARE(g.m_editTitle->text(), QStringLiteral("Tea & Café \"Menu\""));
    QCOMPARE(g.m_editXPos->text(), QStringLiteral("12"));
    QCOMPARE(g.m_cbAlign->currentIndex(), 2);
    f.Next();
    f.Next();
    f.Next();
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &ip);
    QCOMPARE(ip.m_editMainCount->text(), QStringLiteral("3"));
    QCOMPARE(ip.m_editMainLabel->text(), QStringLiteral("Home"));
    QCOMPARE(ip.m_comboMainTarget->currentText(), QStringLiteral("_top"));
    QCOMPARE(ip.m_editMainImage->text(), image);
    ip.m_btnMainNext->click();
    QCOMPARE(ip.m_editMainLabel->text(), QStringLiteral("Products"));
    QVERIFY(ip.m_checkHasSubMenu->isChecked());
    QCOMPARE(ip.m_editSubCount->text(), QStringLiteral("2"));
    QCOMPARE(ip.m_editSubLabel->text(), QStringLiteral("Tea"));
    QCOMPARE(ip.m_comboSubTarget->currentText(), QStringLiteral("content"));
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageHTML);

    // Every value and item is as saved: the same tree, the same page text.
    CompareMenus(*params.m_pMainMenu, *saved.m_pMainMenu);
    QCOMPARE(sheet.m_pageHTML.m_strHTML.toUtf8(), savedPage);
    QCOMPARE(params.m_bSaved, 0);
    QCOMPARE(params.m_strHTMLPath, page);
    ui.saveFileAnswers = {page};
    sheet.FinishButton()->click();
    QCOMPARE(ui.saveFileRequests.last().initialName, page);
    QCOMPARE(ReadFileBytes(page), savedPage);
    QCOMPARE(params.m_bSaved, 1);
}

void TestEndToEnd::saveIntoUnwritableFolder()
{
    Fixture f;
    WalkToFinish(f, 0);
    const QString notAFolder = f.Out(QStringLiteral("plain-file"));
    QVERIFY(WriteFileBytes(notAFolder, "x"));
    f.t.ui->saveFileAnswers = {notAFolder + QStringLiteral("/menu.htm")};
    f.sheet->FinishButton()->click();
    QCOMPARE(f.t.ui->messages.size(), 1);
    QCOMPARE(f.t.ui->messages[0].text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Save as file failed!"));
    QCOMPARE(f.Params().m_bSaved, 0);
    QCOMPARE(f.sheet->GetActivePage(), &f.sheet->m_pageHTML);
    QCOMPARE(ReadFileBytes(notAFolder), QByteArray("x"));

    // Closing still offers to save.
    f.t.ui->messageAnswers = {QMessageBox::No};
    f.sheet->CancelButton()->click();
    QCOMPARE(f.t.ui->messages.size(), 2);
    QCOMPARE(f.t.ui->messages[1].text, QStringLiteral("Save Glidebar in HTML file?"));
    QVERIFY(!f.sheet->isVisible());
}

void TestEndToEnd::buildMenuWithTheTreeAndSave()
{
    Fixture f;
    CMenuWizardSheet &sheet = *f.sheet;
    CScriptedUi &ui = *f.t.ui;
    f.Next();
    sheet.m_pageTemplate.m_listTemplates->setCurrentRow(0);
    for (int i = 0; i < 5; ++i)
        f.Next();
    CItemPage &ip = sheet.m_pageItem;
    QCOMPARE(sheet.GetActivePage(), &ip);
    CMenuTreeView &tree = *ip.m_treeMenu;
    auto select = [&](int nMain, int nSub) {
        QTreeWidgetItem *item = tree.ItemOf({nMain, nSub});
        QVERIFY(item);
        // Clicked as the user would.
        tree.scrollToItem(item);
        const QRect rect = tree.visualItemRect(item);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(tree.CurrentNode(), (CMenuTreeView::Node{nMain, nSub}));
    };
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        tree.setFocus();
        QTest::keyClick(&tree, k, mods);
    };

    // Down to one item with the Delete key, every sub menu confirmed away.
    while (tree.topLevelItemCount() > 1) {
        select(tree.topLevelItemCount() - 1, -1);
        ui.messageAnswers = {QMessageBox::Yes};
        key(Qt::Key_Delete);
    }
    ui.messageAnswers.clear();
    select(0, -1);
    key(Qt::Key_Delete);
    QCOMPARE(ui.MessageTexts().last(), QStringLiteral("The main menu keeps at least one item."));
    const int messages = ui.messages.size();
    if (ip.m_checkHasSubMenu->isChecked()) {
        ui.messageAnswers = {QMessageBox::Yes};
        ip.m_checkHasSubMenu->click();
    }
    Type(ip.m_editMainLabel, QStringLiteral("Home"));
    Type(ip.m_editMainLink, QStringLiteral("index.html"));
    Type(ip.m_comboMainTarget, QStringLiteral("_top"));
    Type(ip.m_editMainImage, QString());

    // Contact after Home, then Products and About in between.
    ip.m_btnInsert->click();
    Type(ip.m_editMainLabel, QStringLiteral("Contact"));
    select(0, -1);
    ip.m_btnInsert->click();
    Type(ip.m_editMainLabel, QStringLiteral("About"));
    key(Qt::Key_Insert);
    Type(ip.m_editMainLabel, QStringLiteral("Products"));
    key(Qt::Key_Up, Qt::ControlModifier);
    QCOMPARE(Describe(*f.Params().m_pMainMenu), QStringLiteral("Home Products About Contact"));

    // Products gets a sub menu of Tea and Coffee.
    ip.m_checkHasSubMenu->click();
    select(1, 0);
    Type(ip.m_editSubLabel, QStringLiteral("Tea"));
    Type(ip.m_editSubLink, QStringLiteral("tea.html"));
    select(1, 1);
    Type(ip.m_editSubLabel, QStringLiteral("Coffee"));
    select(1, 3);
    ip.m_btnDelete->click();
    ip.m_btnDelete->click();
    // About gets one, and Coffee moves into it by drag and drop.
    select(2, -1);
    ip.m_checkHasSubMenu->click();
    Type(ip.m_editSubCount, QStringLiteral("1"));
    TabAway();
    select(1, 1);
    QVERIFY(tree.DropAt(tree.visualItemRect(tree.ItemOf({2, -1})).center()));
    QCOMPARE(tree.CurrentNode(), (CMenuTreeView::Node{2, 1}));
    QCOMPARE(ip.m_editSubLabel->text(), QStringLiteral("Coffee"));
    QCOMPARE(Describe(*f.Params().m_pMainMenu), QStringLiteral("Home Products(Tea) About(item1 Coffee) Contact"));
    QCOMPARE(ui.messages.size(), messages);

    // Saved: the page and the project file hold what the tree showed.
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageHTML);
    const QString page = f.Out(QStringLiteral("tree.htm"));
    ui.saveFileAnswers = {page};
    sheet.FinishButton()->click();
    QCOMPARE(f.Params().m_bSaved, 1);
    CIniFile ini;
    QVERIFY(ini.Load(f.Out(QStringLiteral("tree.qdx"))));
    QCOMPARE(ini.Value(QStringLiteral("Menu Relation"), QStringLiteral("Relation")), QStringLiteral("3,4,1,2,1-1,2-2,"));
    const QStringList keys = {"I0-0", "I0-1", "I1-0", "I0-2", "I2-0", "I2-1", "I0-3"};
    const QStringList values = {"Home,,_top,index.html", "Products,,,", "Tea,,,tea.html", "About,,,", "item1,,,",
                                "Coffee,,,", "Contact,,,"};
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(ini.Value(QStringLiteral("Item"), keys[i]), values[i]);
    const QByteArray saved = ReadFileBytes(page);
    QVERIFY(saved.contains("<param name=\"I0-1\" value=\"Products,,,\">"));
    QVERIFY(saved.contains("<param name=\"I2-1\" value=\"Coffee,,,\">"));

    // Reopened, the tree is the same.
    sheet.m_pageHTML.m_btnStartNew->click();
    sheet.m_pageTemplate.m_radioSaved->click();
    ui.openFileAnswers = {page};
    sheet.m_pageTemplate.m_btnBrowse->click();
    for (int i = 0; i < 5; ++i)
        f.Next();
    QCOMPARE(sheet.GetActivePage(), &ip);
    QTreeWidgetItem *about = tree.topLevelItem(2);
    QCOMPARE(about->text(0), QStringLiteral("About"));
    QCOMPARE(about->child(1)->text(0), QStringLiteral("Coffee"));
    QCOMPARE(Describe(*f.Params().m_pMainMenu), QStringLiteral("Home Products(Tea) About(item1 Coffee) Contact"));
}

// A page saved before the choice existed reopens as it was: saved again it
// is the same page, until "Works in today's browsers" is ticked.
void TestEndToEnd::oldPageSavesUnchangedUntilTicked()
{
    Fixture f;
    CMenuWizardSheet &sheet = *f.sheet;
    CScriptedUi &ui = *f.t.ui;
    const QString page = f.Out(QStringLiteral("old/menu.htm"));
    const QByteArray project =
        "[General]\r\nm_HTMLTitle=Old page\r\nm_Align=1\r\nm_xPos=4\r\nm_yPos=5\r\n"
        "[Main Menu Style]\r\nm_mmWidth=100\r\nm_mmHeight=20\r\nm_mmItemGap=2\r\n"
        "[Sub Menu Style]\r\nm_smWidth=90\r\nm_smHeight=18\r\n"
        "[Item]\r\nI0-0=Home,,_top,index.htm\r\nI0-1=More,,,\r\nI1-0=A & B,,_blank,ab.htm\r\n"
        "[Menu Relation]\r\nRelation=2,2,1,1-1,\r\n";
    QVERIFY(WriteFileBytes(f.Out(QStringLiteral("old/menu.qdx")), project));
    CAppletParameters old;
    old.LoadProject(f.Out(QStringLiteral("old/menu.qdx")));
    const QByteArray oldPage = old.GenerateHTML().toUtf8();
    QVERIFY(!oldPage.contains("glidebar"));
    QVERIFY(WriteFileBytes(page, oldPage));

    // Reopen it; the box is clear.
    f.Next();
    CTemplatePage &tp = sheet.m_pageTemplate;
    tp.m_radioSaved->click();
    ui.openFileAnswers = {page};
    tp.m_btnBrowse->click();
    f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageGeneral);
    QCheckBox *box = Control<QCheckBox>(&sheet.m_pageGeneral, "modernPage");
    QVERIFY(box && !box->isChecked());
    for (int i = 0; i < 5; ++i)
        f.Next();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageHTML);
    ui.saveFileAnswers = {page};
    sheet.FinishButton()->click();
    QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.MessageTexts().join('\n')));
    QCOMPARE(ReadFileBytes(page), oldPage);
    QVERIFY(!QFile::exists(f.Out(QStringLiteral("old/glidebar.js"))));

    // Ticked: the finish page shows the page for today's browsers, and that
    // is what is saved, with its script.
    for (int i = 0; i < 5; ++i)
        sheet.BackButton()->click();
    QCOMPARE(sheet.GetActivePage(), &sheet.m_pageGeneral);
    box->click();
    for (int i = 0; i < 5; ++i)
        f.Next();
    const QString shown = sheet.m_pageHTML.m_richHTML->toPlainText();
    QVERIFY(shown.contains("<li><span>More</span><ul><li><a href=\"ab.htm\" target=\"_blank\" "
                           "rel=\"noopener\">A &amp; B</a></li></ul></li>"));
    QVERIFY(shown.contains("<script src=\"glidebar.js\"></script>\n<applet "));
    ui.saveFileAnswers = {page};
    sheet.FinishButton()->click();
    QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.MessageTexts().join('\n')));
    QByteArray modernPage = ReadFileBytes(page);
    QVERIFY(modernPage.contains("<script src=\"glidebar.js\"></script>\r\n<applet "));
    modernPage.replace("<script src=\"glidebar.js\"></script>\r\n", "");
    // The old project names no language: the page takes the system's.
    const QByteArray head = "<!DOCTYPE html>\r\n<html lang=\"" + SystemPageLanguage().toLatin1()
                            + "\">\r\n<meta charset=\"utf-8\">\r\n<meta name=\"viewport\" "
                              "content=\"width=device-width, initial-scale=1\">\r\n<head>";
    QVERIFY(modernPage.startsWith(head));
    modernPage.replace(0, head.size() - 6, "<html>\r\n");
    QVERIFY(modernPage.startsWith(oldPage.left(oldPage.indexOf("</applet>"))));
    QVERIFY(modernPage.endsWith("</applet>\r\n</p>\r\n</html>"));
    QCOMPARE(ReadFileBytes(f.Out(QStringLiteral("old/glidebar.js"))), ReadFileBytes(f.appDir.filePath("glidebar.js")));
    QVERIFY(ReadFileBytes(f.Out(QStringLiteral("old/menu.qdx"))).contains("m_ModernPage=1\r\n"));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
