#include "store/project/StoredConfig.h"
#include "ConfigProbes.h"
#include "TestFiles.h"
#include "model/config/AppletParameters.h"
#include "model/text/PageLanguage.h"
#include "store/files/FileSet.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/ProjectKeys.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#endif

namespace {

// Every style value distinct, found through the model's own field groups.
void FillDistinct(CAppletParameters &p)
{
    p.m_HTMLTitle = QStringLiteral("  My \"menu\", caf\u00e9 ");
    p.m_Align = 2;
    p.m_appBKColor = 0xFFFFFF;
    p.m_appBKImagePath = QStringLiteral("/images/back ground.gif");
    p.m_xPos = 1000;
    p.m_yPos = -5;
    p.m_ModernPage = 1;
    p.m_PageLang = QStringLiteral("de-CH-1996");
    p.m_PageDescription = QStringLiteral(" Our \"menu\", caf\u00e9 & tea ");
    int v = 11;
    for (bool sub : {false, true}) {
        CMenuStyle m = MenuStyleFields(p, sub);
        for (int *f : {m.pBKColor, m.pBKStyle, m.pMenuAlign, m.pWidth, m.pHeight, m.pItemGap,
                       m.pBorderThick})
            *f = v++;
        *m.pBKColor = sub ? 16711680 : 255;
        for (int state = 1; state <= 3; ++state) {
            CItemStyle s = ItemStyleFields(p, sub, state);
            for (int *f : {s.pBKColor, s.pFRColor, s.pBorderStyle, s.pFillStyle, s.pFontName,
                           s.pFontSize, s.pFontStyle, s.pAlign})
                *f = v++;
            *s.pBKColor = 0x010203 * state + (sub ? 7 : 0);
        }
    }
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(5, 1);
    for (int i = 0; i < 5; ++i) {
        CAppletMenuItem &item = *menu.GetItem(i);
        item.m_strLabel = QStringLiteral("Main %1").arg(i);
        item.m_strImage = i == 1 ? QStringLiteral("C:\\img\\m1.gif") : QString();
        item.m_strTarget = i % 2 ? QStringLiteral("_blank") : QStringLiteral("_self");
        item.m_strLink = QStringLiteral("http://example.org/%1?a=b&c=d").arg(i);
    }
    menu.GetSubMenu(0)->SetItemCount(3, 1);
    menu.GetSubMenu(3)->SetItemCount(6, 1);
    for (int owner : {0, 3}) {
        CAppletMenu &sub = *menu.GetSubMenu(owner);
        for (int j = 0; j < sub.GetCount(); ++j) {
            CAppletMenuItem &item = *sub.GetItem(j);
            item.m_strLabel = QStringLiteral("Sub %1.%2").arg(owner).arg(j);
            item.m_strImage = QStringLiteral("s%1.png").arg(j);
            item.m_strTarget = QStringLiteral("frame%1").arg(j);
            item.m_strLink = QStringLiteral("page%1.htm").arg(j);
        }
    }
}

// Puts a menu script into a program folder, as pages for today's browsers
// need one beside them.
bool ProvideScript(const QString &appDir)
{
    return WriteFileBytes(QDir(appDir).filePath("glidebar.js"), "// menu script\n");
}

// The file's lines, without their CR LF ends.
QStringList FileLines(const QString &path)
{
    const QByteArray bytes = ReadFileBytes(path);
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// A project file with only a "Relation" and some item keys.
QByteArray RelationFile(const QString &relation, const QString &items)
{
    return ("[Item]\r\n" + items + "\r\n[Menu Relation]\r\nRelation=" + relation + "\r\n").toUtf8();
}

// Saves a page whose project file's title tells which save wrote it.
bool SaveTitled(const QString &page, const QString &title, const QByteArray &html,
                QString *pError = nullptr)
{
    CAppletParameters p;
    p.m_HTMLTitle = title;
    const QString folder = QFileInfo(page).path();
    return SavePage(page, folder, p, QString::fromUtf8(html), folder, pError);
}

#ifdef Q_OS_UNIX
// The step at which a forked save kills itself, as kill -9 would.
CFileSet::EStep g_killStep;
int g_killFile;
void KillAtStep(CFileSet::EStep step, int nFile)
{
    if (step == g_killStep && nFile == g_killFile)
        raise(SIGKILL);
}

// Runs `body` in a child process; returns its wait status.
template <typename Body>
int RunInChild(Body body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}
#endif

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void projectPath_data();
    void projectPath();
    void roundTripOfAFullConfiguration();
    void sectionsAndKeysInOrder();
    void relationOfExamples_data();
    void relationOfExamples();
    void oddRelations_data();
    void oddRelations();
    void itemValuesWithCommasOrFewFields();
    void valuesReadLeniently();
    void missingFileGivesDefaults();
    void readsAFileWrittenOnWindows();
    void noStaleKeysAndSameBytesTwice();
    void copiesClassFileAndImages();
    void failedSaveKeepsEarlierPage();
    void refusesNamesWhoseProjectFileReplacesAnother_data();
    void refusesNamesWhoseProjectFileReplacesAnother();
    void copyCarriesEveryStoredValue();
    void modernPageKey_data();
    void modernPageKey();
    void oldProjectSavesTheSamePage();
    void pageLanguageAndDescriptionKeys_data();
    void pageLanguageAndDescriptionKeys();
    void todaysLookRoundTrip_data();
    void todaysLookRoundTrip();
    void oldProjectFileKeepsItsBytes();
    void copiesPageScriptForModernPages_data();
    void copiesPageScriptForModernPages();
    void pageScriptWrittenWholeOrNotAtAll();
    void copiesKeepTheSourcesPermissions_data();
    void copiesKeepTheSourcesPermissions();
    void copiesOnlyRegularFilesNeverThroughALink();
    void eachImageCopiedOncePerSave();
    void killedSaveLeavesOneSavesPair_data();
    void killedSaveLeavesOneSavesPair();
    void secondSaveWaitsOrIsRefused();
    void lockOfAKilledSaveIsTakenOver_data();
    void lockOfAKilledSaveIsTakenOver();
    void concurrentSavesKeepPairsTogether();
};

void TestProjectFile::projectPath_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("project");
    QTest::newRow("htm") << "/web/menu.htm" << "/web/menu.qdx";
    QTest::newRow("two dots") << "/web/a.b.html" << "/web/a.b.qdx";
    QTest::newRow("dot in folder only") << "/we.b/menu" << "/we.b/menu.qdx";
    QTest::newRow("relative") << "menu.HTM" << "menu.qdx";
}

void TestProjectFile::projectPath()
{
    QFETCH(QString, page);
    QFETCH(QString, project);
    QCOMPARE(ProjectPathFor(page), project);
}

void TestProjectFile::roundTripOfAFullConfiguration()
{
    QTemporaryDir dir;
    CAppletParameters saved;
    FillDistinct(saved);
    QVERIFY(ProvideScript(dir.path()));
    const QString page = dir.filePath("menu.htm");
    QString error;
    QVERIFY2(SavePage(page, dir.path(), saved, QStringLiteral("<html>\u00e9</html>"), dir.path(), &error),
             qPrintable(error));
    QCOMPARE(ReadFileBytes(page), QByteArray("<html>\xC3\xA9</html>"));

    CAppletParameters loaded;
    loaded.m_bSaved = 1;
    loaded.m_strHTMLPath = QStringLiteral("kept");
    QVERIFY(loaded.LoadProject(dir.filePath("menu.qdx")));
    QCOMPARE(loaded.m_HTMLTitle, saved.m_HTMLTitle);
    QCOMPARE(loaded.m_appBKImagePath, saved.m_appBKImagePath);
    QCOMPARE(loaded.m_ModernPage, 1);
    QCOMPARE(loaded.m_PageLang, saved.m_PageLang);
    QCOMPARE(loaded.m_PageDescription, saved.m_PageDescription);
    QCOMPARE(StyleValues(loaded), StyleValues(saved));
    QCOMPARE(TreeText(*loaded.m_pMainMenu), TreeText(*saved.m_pMainMenu));
    QCOMPARE(loaded.m_pMainMenu->m_nCurrent, 0);
    // Fields the file does not hold are left alone.
    QCOMPARE(loaded.m_bSaved, 1);
    QCOMPARE(loaded.m_strHTMLPath, QStringLiteral("kept"));
}

void TestProjectFile::sectionsAndKeysInOrder()
{
    QTemporaryDir dir;
    CAppletParameters p;
    FillDistinct(p);
    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(dir.filePath("x.htm"), dir.path(), p, QString(), dir.path()));

    QStringList expected;
    expected << "[General]" << "m_HTMLTitle" << "m_Align" << "m_appBKColor" << "m_appBKImagePath"
             << "m_xPos" << "m_yPos" << "m_ModernPage" << "m_PageLang" << "m_PageDescription";
    for (const char *fam : {"mm", "sm"}) {
        expected << (fam == QLatin1String("mm") ? "[Main Menu Style]" : "[Sub Menu Style]");
        for (const char *stem : {"BKColor", "BKStyle", "MenuAlign", "Width", "Height", "ItemGap",
                                 "BorderThick"})
            expected << QStringLiteral("m_%1%2").arg(fam, stem);
    }
    for (const char *fam : {"mi", "si"}) {
        for (int state = 1; state <= 3; ++state) {
            expected << QStringLiteral("[%1 Item Style%2]")
                            .arg(fam == QLatin1String("mi") ? "Main" : "Sub").arg(state);
            for (const char *stem : {"BKColor", "FRColor", "ItemBorderStyle", "ItemFillStyle",
                                     "FontName", "FontSize", "FontStyle", "Align"})
                expected << QStringLiteral("m_%1%2%3").arg(fam, stem).arg(state);
        }
    }
    expected << "[Item]" << "I0-0" << "I1-0" << "I1-1" << "I1-2" << "I0-1" << "I0-2" << "I0-3";
    for (int j = 0; j < 6; ++j)
        expected << QStringLiteral("I2-%1").arg(j);
    expected << "I0-4" << "[Menu Relation]" << "Relation";

    QStringList found;
    for (const QString &line : FileLines(dir.filePath("x.qdx"))) {
        if (line.isEmpty())
            continue;
        found << (line.startsWith('[') ? line : line.section('=', 0, 0));
    }
    QCOMPARE(found, expected);
    QCOMPARE(found.filter(QRegularExpression("^m_")).size(), 71);

    const QStringList lines = FileLines(dir.filePath("x.qdx"));
    QVERIFY(lines.contains("m_HTMLTitle=\"  My \"menu\", caf\u00e9 \""));
    QVERIFY(lines.contains("m_miBKColor1=66051"));
    QVERIFY(lines.contains("m_mmBKColor=255"));
    QVERIFY(lines.contains("m_smBKColor=16711680"));
    QVERIFY(lines.contains("m_yPos=-5"));
    QVERIFY(lines.contains("m_ModernPage=1"));
    QVERIFY(lines.contains("m_PageLang=de-CH-1996"));
    QVERIFY(lines.contains("m_PageDescription=\" Our \"menu\", caf\u00e9 & tea \""));
    QVERIFY(lines.contains("I1-0=Sub 0.0,s0.png,frame0,page0.htm"));
    QVERIFY(lines.contains("I0-4=Main 4,,_self,http://example.org/4?a=b&c=d"));
}

void TestProjectFile::relationOfExamples_data()
{
    QTest::addColumn<int>("mainCount");
    QTest::addColumn<QList<int>>("owners");   // main items that own a sub menu
    QTest::addColumn<QList<int>>("subCounts");
    QTest::addColumn<QString>("relation");
    QTest::newRow("no sub menus") << 4 << QList<int>{} << QList<int>{} << "1,4,";
    QTest::newRow("one sub menu") << 3 << QList<int>{1} << QList<int>{2} << "2,3,2,1-1,";
    QTest::newRow("two sub menus") << 5 << QList<int>{0, 3} << QList<int>{3, 6}
                                   << "3,5,3,6,0-1,3-2,";
}

void TestProjectFile::relationOfExamples()
{
    QFETCH(int, mainCount);
    QFETCH(QList<int>, owners);
    QFETCH(QList<int>, subCounts);
    QFETCH(QString, relation);

    QTemporaryDir dir;
    CAppletParameters p;
    p.m_pMainMenu->SetItemCount(mainCount, 1);
    for (int k = 0; k < owners.size(); ++k)
        p.m_pMainMenu->GetSubMenu(owners[k])->SetItemCount(subCounts[k], 1);
    QVERIFY(SavePage(dir.filePath("r.htm"), dir.path(), p, QString(), dir.path()));
    QVERIFY(FileLines(dir.filePath("r.qdx")).contains("Relation=" + relation));

    // Read back from a file that holds only the relation: the shape returns
    // with default labels and empty item texts.
    QVERIFY(WriteFileBytes(dir.filePath("only.qdx"), RelationFile(relation, QString())));
    CAppletParameters back;
    back.LoadProject(dir.filePath("only.qdx"));
    const CAppletMenu &menu = *back.m_pMainMenu;
    QCOMPARE(menu.GetCount(), mainCount);
    for (int i = 0; i < mainCount; ++i) {
        const int k = owners.indexOf(i);
        const CAppletMenuItem &item = *menu.GetItem(i);
        QCOMPARE(item.m_strLabel, QString());
        QCOMPARE(bool(item.m_pSubMenu), k >= 0);
        if (k >= 0)
            QCOMPARE(item.m_pSubMenu->GetCount(), subCounts[k]);
    }
}

void TestProjectFile::oddRelations_data()
{
    QTest::addColumn<QString>("relation");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("tree"); // TreeText of the loaded main menu

    const QString items3 = "I0-0=A\r\nI0-1=B\r\nI0-2=C\r\nI1-0=s\r\nI1-1=t\r\nI2-0=u\r\n";
    const QString fourDefaults = "[item1|||]\n[item2|||]\n[item3|||]\n[item4|||]\n";
    QTest::newRow("no main items") << "1,0," << items3 << fourDefaults;
    QTest::newRow("negative main count") << "1,-3," << items3 << fourDefaults;
    QTest::newRow("missing relation") << "" << items3 << fourDefaults;
    QTest::newRow("sub count 0 ends the step")
        << "3,3,0,2,0-1,2-2," << items3 << "[A|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("later sub count 0") << "3,3,2,0,0-1,2-2," << items3
                                       << "[A|||]\n  [s|||]\n  [t|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("same main item twice") << "3,3,2,5,1-1,1-2," << items3
                                          << "[A|||]\n[B|||]\n  [s|||]\n  [t|||]\n  [|||]\n"
                                             "  [|||]\n  [|||]\n[C|||]\n";
    QTest::newRow("missing item keys") << "2,3,1,2-1," << "I0-1=only\r\n"
                                       << "[|||]\n[only|||]\n[|||]\n  [|||]\n";
    QTest::newRow("pairs out of order") << "3,3,1,1,2-2,0-1," << items3
                                        << "[A|||]\n  [s|||]\n[B|||]\n[C|||]\n  [u|||]\n";
    QTest::newRow("main index too high") << "2,3,2,3-1," << items3 << "[A|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("bad pair blocks later") << "3,3,1,1,9-1,1-2," << items3
                                           << "[A|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("pair without hyphen") << "2,3,1,1," << items3 << "[A|||]\n  [s|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("sub number 0 gives up") << "2,3,1,1-0," << items3 << "[A|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("pairs missing") << "2,3,2," << items3 << "[A|||]\n[B|||]\n[C|||]\n";
    QTest::newRow("lenient numbers") << " 2x, +3 ,2abc, 1 - 1 ," << items3
                                     << "[A|||]\n[B|||]\n  [s|||]\n  [t|||]\n[C|||]\n";
    QTest::newRow("absurd counts are bounded")
        << "2,99999999999,99999999999,0-1," << "I0-0=first\r\nI1-199=last sub\r\nI0-199=last\r\n"
        << QString();
}

void TestProjectFile::oddRelations()
{
    QFETCH(QString, relation);
    QFETCH(QString, items);
    QFETCH(QString, tree);
    QTemporaryDir dir;
    const QString path = dir.filePath("odd.qdx");
    QVERIFY(WriteFileBytes(path, RelationFile(relation, items)));
    CAppletParameters p;
    p.m_pMainMenu->GetSubMenu(0); // replaced by the load
    p.LoadProject(path);
    if (QTest::currentDataTag() == QByteArray("absurd counts are bounded")) {
        const CAppletMenu &menu = *p.m_pMainMenu;
        QCOMPARE(menu.GetCount(), kMaxStoredMenuItems);
        QCOMPARE(menu.GetItem(0)->m_pSubMenu->GetCount(), kMaxStoredMenuItems);
        QCOMPARE(menu.GetItem(0)->m_strLabel, QStringLiteral("first"));
        QCOMPARE(menu.GetItem(kMaxStoredMenuItems - 1)->m_strLabel, QStringLiteral("last"));
        QCOMPARE(menu.GetItem(0)->m_pSubMenu->GetItem(kMaxStoredMenuItems - 1)->m_strLabel,
                 QStringLiteral("last sub"));
        return;
    }
    QCOMPARE(TreeText(*p.m_pMainMenu), tree);
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 0);
}

void TestProjectFile::itemValuesWithCommasOrFewFields()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("c.qdx");
    QVERIFY(WriteFileBytes(path, RelationFile("1,3,", "I0-0=a,b\r\nI0-1=x,y,z,w,extra\r\nI0-2=\"q\"")));
    CAppletParameters p;
    p.LoadProject(path);
    QCOMPARE(TreeText(*p.m_pMainMenu), QStringLiteral("[a|b||]\n[x|y|z|w]\n[q|||]\n"));

    // A label with a comma shifts the fields when read back.
    CAppletParameters saved;
    CAppletMenuItem &item = *saved.m_pMainMenu->GetItem(0);
    item.m_strLabel = "Left, right";
    item.m_strImage = "i.gif";
    item.m_strTarget = "_top";
    item.m_strLink = "l.htm";
    QVERIFY(SavePage(dir.filePath("s.htm"), dir.path(), saved, QString(), dir.path()));
    p.LoadProject(dir.filePath("s.qdx"));
    QCOMPARE(TreeText(*p.m_pMainMenu).section('\n', 0, 0), QStringLiteral("[Left| right|i.gif|_top]"));
}

void TestProjectFile::valuesReadLeniently()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("n.qdx");
    QVERIFY(WriteFileBytes(path, "[General]\r\nm_Align= -12abc\r\nm_xPos=+7\r\nm_yPos=x9\r\n"
                                 "m_appBKColor=-1\r\n[Main Menu Style]\r\nm_mmBKColor=4294967295\r\n"
                                 "m_mmWidth=99999999999999999999\r\nm_mmHeight=-99999999999999999999\r\n"
                                 "m_mmItemGap=\r\n[Sub Menu Style]\r\nm_smBKColor=33554687\r\n"));
    CAppletParameters p;
    p.LoadProject(path);
    QCOMPARE(p.m_Align, -12);
    QCOMPARE(p.m_xPos, 7);
    QCOMPARE(p.m_yPos, 0);
    QCOMPARE(p.m_appBKColor, 0xFFFFFF);
    QCOMPARE(p.m_mmBKColor, 0xFFFFFF);
    QCOMPARE(p.m_mmWidth, INT_MAX);
    QCOMPARE(p.m_mmHeight, INT_MIN);
    QCOMPARE(p.m_mmItemGap, 0);
    QCOMPARE(p.m_smBKColor, 0xFF); // 0x20000FF: bits above 24 dropped
}

void TestProjectFile::missingFileGivesDefaults()
{
    CAppletParameters p;
    FillDistinct(p);
    p.LoadProject(QStringLiteral("/nonexistent/folder/none.qdx"));
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Untitled"));
    QCOMPARE(p.m_appBKImagePath, QString());
    for (int v : StyleValues(p))
        QCOMPARE(v, 0);
    QCOMPARE(TreeText(*p.m_pMainMenu), QStringLiteral("[item1|||]\n[item2|||]\n[item3|||]\n[item4|||]\n"));
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 0);
}

void TestProjectFile::readsAFileWrittenOnWindows()
{
    // Windows-1252, other letter case, blanks, a comment, a duplicate key
    // and section, quotes, and a value longer than 259 characters.
    const QByteArray longLink = QByteArray("http://example.org/").append(QByteArray(300, 'x'));
    const QByteArray bytes =
        "; saved by hand\r\n[GENERAL]\r\nM_HTMLTITLE = \"  Caf\xE9 men\xFC  \"\r\nm_htmltitle=second\r\n"
        "m_Align=1\r\n[general]\r\nm_xPos=77\r\n[ menu relation ]\r\nrelation = 2,2,1,1-1,\r\n"
        "[item]\r\ni0-0=Home,,_top,index.htm\r\ni0-1 = 'Links,,,"
        + longLink + "'\r\ni1-0=Sub,pic.gif,,s.htm\r\n";
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("w.qdx"), bytes));
    CAppletParameters p;
    p.LoadProject(dir.filePath("w.qdx"));
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("  Caf\u00e9 men\u00fc  "));
    QCOMPARE(p.m_Align, 1);
    QCOMPARE(p.m_xPos, 0); // only in the duplicate section
    QCOMPARE(TreeText(*p.m_pMainMenu),
             QStringLiteral("[Home||_top|index.htm]\n[Links|||%1]\n  [Sub|pic.gif||s.htm]\n")
                 .arg(QString::fromLatin1(longLink)));
}

void TestProjectFile::noStaleKeysAndSameBytesTwice()
{
    QTemporaryDir dir;
    const QString page = dir.filePath("p.htm");
    CAppletParameters big;
    FillDistinct(big);
    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(page, dir.path(), big, "big", dir.path()));
    const QByteArray bigBytes = ReadFileBytes(dir.filePath("p.qdx"));
    QVERIFY(SavePage(page, dir.path(), big, "big", dir.path()));
    QCOMPARE(ReadFileBytes(dir.filePath("p.qdx")), bigBytes);

    CAppletParameters small;
    small.m_pMainMenu->SetItemCount(2, 1);
    QVERIFY(SavePage(page, dir.path(), small, "small", dir.path()));
    const QStringList lines = FileLines(dir.filePath("p.qdx"));
    QCOMPARE(lines.filter(QRegularExpression("^I\\d+-\\d+=")),
             QStringList({"I0-0=item1,,,", "I0-1=item2,,,"}));
    QVERIFY(lines.contains("Relation=1,2,"));
    QCOMPARE(ReadFileBytes(page), QByteArray("small"));
}

void TestProjectFile::copiesClassFileAndImages()
{
    QTemporaryDir app, images, out;
    QVERIFY(WriteFileBytes(app.filePath("Glidebar.class"), "class"));
    QVERIFY(WriteFileBytes(images.filePath("Back.GIF"), "GIF89a back"));
    QVERIFY(WriteFileBytes(images.filePath("main.png"), PngBytes("main")));
    QVERIFY(WriteFileBytes(images.filePath("sub.jpg"), "\xFF\xD8\xFF sub"));
    QVERIFY(WriteFileBytes(out.filePath("Back.GIF"), "GIF89a old"));

    CAppletParameters p;
    p.m_appBKImagePath = images.filePath("back.gif"); // found in another letter case
    p.m_pMainMenu->GetItem(1)->m_strImage = images.filePath("main.png");
    p.m_pMainMenu->GetItem(2)->m_strImage = images.filePath("gone.png");
    p.m_pMainMenu->GetSubMenu(3)->GetItem(2)->m_strImage = images.filePath("*.jpg");
    QString error;
    QVERIFY2(SavePage(out.filePath("page.htm"), out.path(), p, "x", app.path(), &error),
             qPrintable(error));
    QCOMPARE(ReadFileBytes(out.filePath("Glidebar.class")), QByteArray("class"));
    QCOMPARE(ReadFileBytes(out.filePath("Back.GIF")), QByteArray("GIF89a back"));
    QCOMPARE(ReadFileBytes(out.filePath("main.png")), PngBytes("main"));
    QCOMPARE(ReadFileBytes(out.filePath("sub.jpg")), QByteArray("\xFF\xD8\xFF sub"));
    QVERIFY(!QFile::exists(out.filePath("gone.png")));
    // The stored paths stay as they were.
    QVERIFY(FileLines(out.filePath("page.qdx")).contains("m_appBKImagePath=" + images.filePath("back.gif")));

    // Images already in the page's folder, and no class file in the program
    // folder: nothing is lost and the save still succeeds.
    p.m_appBKImagePath = out.filePath("Back.GIF");
    QVERIFY(SavePage(out.filePath("page.htm"), out.path(), p, "x", images.path(), &error));
    QCOMPARE(ReadFileBytes(out.filePath("Back.GIF")), QByteArray("GIF89a back"));
    const QStringList left = QDir(out.path()).entryList(QDir::Files);
    QCOMPARE(left, QStringList({"Back.GIF", "Glidebar.class", "main.png", "page.htm", "page.qdx", "sub.jpg"}));
}

void TestProjectFile::failedSaveKeepsEarlierPage()
{
    QTemporaryDir dir;
    CAppletParameters p;
    const QString page = dir.filePath("page.htm");
    QVERIFY(SavePage(page, dir.path(), p, "earlier page", dir.path()));
    const QByteArray project = ReadFileBytes(dir.filePath("page.qdx"));

    // A folder that is a regular file.
    QString error;
    QVERIFY(!SavePage(page + "/inner.htm", page, p, "new", dir.path(), &error));
    QVERIFY(error.contains("inner.htm"));

    // The project file cannot be written: a folder stands in its place.
    // The page is not replaced either, so page and project never disagree.
    QTemporaryDir other;
    QVERIFY(QDir(other.path()).mkdir("blocked.qdx"));
    QVERIFY(WriteFileBytes(other.filePath("blocked.htm"), "earlier"));
    error.clear();
    QVERIFY(!SavePage(other.filePath("blocked.htm"), other.path(), p, "b", other.path(), &error));
    QVERIFY2(error.contains("blocked.qdx"), qPrintable(error));
    QCOMPARE(ReadFileBytes(other.filePath("blocked.htm")), QByteArray("earlier"));
    QCOMPARE(QDir(other.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"blocked.htm"});

#ifdef Q_OS_UNIX
    // The page's bytes cannot all be written (the file size limit binds even
    // root): the earlier page and project file stay whole, no temporary file
    // is left behind.
    struct rlimit old {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    error.clear();
    const bool saved = SavePage(page, dir.path(), p, QString(5000, 'n'), dir.path(), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadFileBytes(page), QByteArray("earlier page"));
    QCOMPARE(ReadFileBytes(dir.filePath("page.qdx")), project);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"page.htm", "page.qdx"}));
#endif
}

void TestProjectFile::refusesNamesWhoseProjectFileReplacesAnother_data()
{
    QTest::addColumn<QString>("page"); // in the program folder, which holds the library
    QTest::addColumn<QString>("reason");
    QTest::newRow("page named like its project file") << "menu.qdx" << "same file";
    QTest::newRow("page named like the library") << "Vantrel.htm" << "template library";
    QTest::newRow("library itself") << "Vantrel.qdx" << "same file";
}

void TestProjectFile::refusesNamesWhoseProjectFileReplacesAnother()
{
    QFETCH(QString, page);
    QFETCH(QString, reason);
    QTemporaryDir app;
    const QByteArray library = "[TEMPLATE]\r\nTemplateKey=A\r\n[A]\r\nDescription=A\r\n";
    QVERIFY(WriteFileBytes(app.filePath("Vantrel.qdx"), library));
    CAppletParameters p;
    QString error;
    QVERIFY(!SavePage(app.filePath(page), app.path(), p, "page", app.path(), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    // Refused before anything is written.
    QCOMPARE(ReadFileBytes(app.filePath("Vantrel.qdx")), library);
    QCOMPARE(QDir(app.path()).entryList(QDir::Files), QStringList{"Vantrel.qdx"});

    // The same name elsewhere is an ordinary page.
    QTemporaryDir site;
    if (!page.endsWith(".qdx"))
        QVERIFY(SavePage(site.filePath(page), site.path(), p, "page", app.path(), &error));
}

// A copy of the configuration (the live preview draws from one) carries
// every value the project file stores, including any added later.
void TestProjectFile::copyCarriesEveryStoredValue()
{
    CAppletParameters a;
    int v = 1;
    for (const CProjectKey &key : ProjectKeys()) {
        if (key.kind == EValueKind::Text)
            a.*key.pText = QStringLiteral("text %1").arg(v++);
        else
            a.*key.pNumber = v++;
    }
    CAppletParameters b;
    b.CopyFrom(a);
    for (const CProjectKey &key : ProjectKeys()) {
        if (key.kind == EValueKind::Text)
            QCOMPARE(b.*key.pText, a.*key.pText);
        else
            QVERIFY2(b.*key.pNumber == a.*key.pNumber, key.pName);
    }
}

void TestProjectFile::modernPageKey_data()
{
    QTest::addColumn<QByteArray>("general"); // the General section's lines
    QTest::addColumn<int>("modern");
    QTest::newRow("saved before the key existed") << QByteArray("m_xPos=3\r\n") << 0;
    QTest::newRow("on") << QByteArray("m_ModernPage=1\r\n") << 1;
    QTest::newRow("off") << QByteArray("m_ModernPage=0\r\n") << 0;
    QTest::newRow("other letter case") << QByteArray("M_MODERNPAGE = 1\r\n") << 1;
    QTest::newRow("not a number") << QByteArray("m_ModernPage=yes\r\n") << 0;
    QTest::newRow("in another section") << QByteArray("[Item]\r\nm_ModernPage=1\r\n") << 0;
}

void TestProjectFile::modernPageKey()
{
    QFETCH(QByteArray, general);
    QFETCH(int, modern);
    QTemporaryDir dir;
    const QString path = dir.filePath("k.qdx");
    QVERIFY(WriteFileBytes(path, "[General]\r\nm_HTMLTitle=T\r\n" + general
                                     + "[Menu Relation]\r\nRelation=1,2,\r\n"));
    CAppletParameters p;
    p.m_ModernPage = 1 - modern; // replaced by the load
    p.LoadProject(path);
    QCOMPARE(p.m_ModernPage, modern);

    // Written back when on, in the General section after the position; off
    // is written as no key at all, as older versions wrote it.
    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(dir.filePath("k.htm"), dir.path(), p, "x", dir.path()));
    const QStringList lines = FileLines(dir.filePath("k.qdx"));
    if (modern) {
        const qsizetype at = lines.indexOf(QStringLiteral("m_ModernPage=1"));
        QVERIFY(at > 0);
        QCOMPARE(lines.at(at - 1).section('=', 0, 0), QStringLiteral("m_yPos"));
    } else {
        QVERIFY(lines.filter(QStringLiteral("m_ModernPage"), Qt::CaseInsensitive).isEmpty());
    }
}

void TestProjectFile::pageLanguageAndDescriptionKeys_data()
{
    QTest::addColumn<QByteArray>("general"); // the General section's lines
    QTest::addColumn<QString>("lang");        // after the load; "system": the system's
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("written"); // the keys' lines a save writes
    const QString sys = SystemPageLanguage();
    QTest::newRow("modern, saved before the keys existed")
        << QByteArray("m_ModernPage=1\r\n") << sys << "" << QStringList{"m_PageLang=" + sys};
    QTest::newRow("classic, saved before the keys existed") << QByteArray("m_xPos=3\r\n") << sys << ""
                                                            << QStringList{};
    QTest::newRow("both") << QByteArray("m_ModernPage=1\r\nm_PageLang=fr-CA\r\nm_PageDescription=Caf\xC3\xA9 & co\r\n")
                          << "fr-CA" << QString::fromUtf8("Caf\u00e9 & co")
                          << QStringList{"m_PageLang=fr-CA", QString::fromUtf8("m_PageDescription=Caf\u00e9 & co")};
    QTest::newRow("no tag") << QByteArray("m_ModernPage=1\r\nm_PageLang=en_GB\r\n") << sys << ""
                            << QStringList{"m_PageLang=" + sys};
    QTest::newRow("markup for a tag") << QByteArray("m_ModernPage=1\r\nm_PageLang=\"><b>\r\n") << sys << ""
                                      << QStringList{"m_PageLang=" + sys};
    QTest::newRow("empty description") << QByteArray("m_ModernPage=1\r\nm_PageLang=nl\r\nm_PageDescription=\r\n")
                                       << "nl" << "" << QStringList{"m_PageLang=nl"};
    // A classic page declares no language; its description waits for the
    // page for today's browsers.
    QTest::newRow("classic") << QByteArray("m_PageLang=fr\r\nm_PageDescription=About us\r\n") << "fr"
                             << "About us" << QStringList{"m_PageDescription=About us"};
}

// The page's language and description: read from the General section, a
// missing or malformed language replaced by the system's; written after the
// choice of a page for today's browsers, the language only for such a page,
// the description only when there is one.
void TestProjectFile::pageLanguageAndDescriptionKeys()
{
    QFETCH(QByteArray, general);
    QFETCH(QString, lang);
    QFETCH(QString, description);
    QFETCH(QStringList, written);
    QTemporaryDir dir;
    const QString path = dir.filePath("k.qdx");
    QVERIFY(WriteFileBytes(path, "[General]\r\nm_HTMLTitle=T\r\n" + general
                                     + "[Menu Relation]\r\nRelation=1,2,\r\n"));
    CAppletParameters p;
    p.m_PageLang = QStringLiteral("replaced");
    p.m_PageDescription = QStringLiteral("replaced");
    p.LoadProject(path);
    QCOMPARE(p.m_PageLang, lang);
    QCOMPARE(p.m_PageDescription, description);

    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(dir.filePath("k.htm"), dir.path(), p, "x", dir.path()));
    const QStringList lines = FileLines(dir.filePath("k.qdx"));
    const QStringList keys = lines.filter(QRegularExpression("^m_Page"));
    QCOMPARE(keys, written);
    if (!written.isEmpty()) {
        const qsizetype at = lines.indexOf(written.first());
        QCOMPARE(lines.at(at - 1).section('=', 0, 0), p.m_ModernPage ? "m_ModernPage" : "m_yPos");
    }
}

// A project saved before the choice existed reopens as a classic page: its
// page text comes out unchanged, and saving it writes that same page.
void TestProjectFile::oldProjectSavesTheSamePage()
{
    QTemporaryDir dir;
    CAppletParameters made;
    FillDistinct(made);
    made.m_ModernPage = 0;
    made.m_appBKImagePath.clear();
    for (int i = 0; i < made.m_pMainMenu->GetCount(); ++i)
        made.m_pMainMenu->GetItem(i)->m_strImage.clear();
    for (int owner : {0, 3})
        for (int j = 0; j < made.m_pMainMenu->GetSubMenu(owner)->GetCount(); ++j)
            made.m_pMainMenu->GetSubMenu(owner)->GetItem(j)->m_strImage.clear();
    const QString classicPage = made.GenerateHTML();
    QVERIFY(!classicPage.contains("glidebar"));

    // The project file as an older version wrote it: without the key.
    QVERIFY(SavePage(dir.filePath("made.htm"), dir.path(), made, classicPage, dir.path()));
    const QByteArray old = ReadFileBytes(dir.filePath("made.qdx"));
    QVERIFY(!old.contains("m_ModernPage"));
    QDir out(dir.filePath("old"));
    QVERIFY(WriteFileBytes(out.filePath("old.qdx"), old));

    CAppletParameters reopened;
    reopened.LoadProject(out.filePath("old.qdx"));
    const QString page = reopened.GenerateHTML();
    QCOMPARE(page.toLatin1(), classicPage.toLatin1());
    QString error;
    QVERIFY2(SavePage(out.filePath("old.htm"), out.path(), reopened, page, dir.path(), &error),
             qPrintable(error));
    QCOMPARE(ReadFileBytes(out.filePath("old.htm")), classicPage.toLatin1());
    QCOMPARE(ReadFileBytes(out.filePath("old.qdx")), old);
    QVERIFY(!QFile::exists(out.filePath("glidebar.js")));
    // Ticking the choice gives the page for today's browsers.
    reopened.m_ModernPage = 1;
    QVERIFY(reopened.GenerateHTML().contains("<script src=\"glidebar.js\"></script>\r\n<applet "));
}

// Each value of today's look is kept under its key in "Looks", after the
// menu tree, alone in it when the others are 0, and read back.
void TestProjectFile::todaysLookRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    for (const CProjectKey &key : ProjectKeys())
        if (key.nSection == SectionLooks)
            QTest::addRow("%s", key.pName) << QString::fromLatin1(key.pName);
}

void TestProjectFile::todaysLookRoundTrip()
{
    QFETCH(QString, key);
    const CProjectKey *found = nullptr;
    for (const CProjectKey &k : ProjectKeys())
        if (QLatin1String(k.pName) == key)
            found = &k;
    QVERIFY(found && found->kind == EValueKind::Number);
    QTemporaryDir dir;
    CAppletParameters saved;
    FillDistinct(saved);
    saved.*found->pNumber = 600;
    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(dir.filePath("menu.htm"), dir.path(), saved, QString(), dir.path()));

    const QStringList lines = FileLines(dir.filePath("menu.qdx"));
    const qsizetype looks = lines.indexOf("[Looks]");
    QVERIFY(looks > lines.indexOf("Relation=3,5,3,6,0-1,3-2,"));
    QCOMPARE(lines.mid(looks), (QStringList{"[Looks]", key + "=600"}));

    CAppletParameters loaded;
    QVERIFY(loaded.LoadProject(dir.filePath("menu.qdx")));
    for (const CProjectKey &k : ProjectKeys())
        if (k.nSection == SectionLooks)
            QVERIFY2(loaded.*k.pNumber == (&k == found ? 600 : 0), k.pName);
    QCOMPARE(StyleValues(loaded), StyleValues(saved));
    // Written again, the same bytes.
    CAppletParameters again;
    again.CopyFrom(loaded);
    QVERIFY(SavePage(dir.filePath("again.htm"), dir.path(), again, QString(), dir.path()));
    QCOMPARE(ReadFileBytes(dir.filePath("again.qdx")), ReadFileBytes(dir.filePath("menu.qdx")));
}

// A project file written before today's look existed opens and is written
// again byte for byte, without a "Looks" section (its page for today's
// browsers gains the language it declares).
void TestProjectFile::oldProjectFileKeepsItsBytes()
{
    const QByteArray old =
        "[General]\r\nm_HTMLTitle=Shop\r\nm_Align=1\r\nm_appBKColor=16777215\r\nm_appBKImagePath=\r\n"
        "m_xPos=4\r\nm_yPos=4\r\nm_ModernPage=1\r\n"
        "\r\n[Main Menu Style]\r\nm_mmBKColor=0\r\nm_mmBKStyle=0\r\nm_mmMenuAlign=1\r\nm_mmWidth=90\r\n"
        "m_mmHeight=24\r\nm_mmItemGap=2\r\nm_mmBorderThick=1\r\n"
        "\r\n[Sub Menu Style]\r\nm_smBKColor=0\r\nm_smBKStyle=2\r\nm_smMenuAlign=0\r\nm_smWidth=120\r\n"
        "m_smHeight=22\r\nm_smItemGap=0\r\nm_smBorderThick=0\r\n"
        "\r\n[Main Item Style1]\r\nm_miBKColor1=255\r\nm_miFRColor1=0\r\nm_miItemBorderStyle1=1\r\n"
        "m_miItemFillStyle1=1\r\nm_miFontName1=1\r\nm_miFontSize1=1\r\nm_miFontStyle1=1\r\nm_miAlign1=1\r\n"
        "\r\n[Main Item Style2]\r\nm_miBKColor2=0\r\nm_miFRColor2=0\r\nm_miItemBorderStyle2=0\r\n"
        "m_miItemFillStyle2=0\r\nm_miFontName2=0\r\nm_miFontSize2=0\r\nm_miFontStyle2=0\r\nm_miAlign2=0\r\n"
        "\r\n[Main Item Style3]\r\nm_miBKColor3=0\r\nm_miFRColor3=0\r\nm_miItemBorderStyle3=0\r\n"
        "m_miItemFillStyle3=0\r\nm_miFontName3=0\r\nm_miFontSize3=0\r\nm_miFontStyle3=0\r\nm_miAlign3=0\r\n"
        "\r\n[Sub Item Style1]\r\nm_siBKColor1=0\r\nm_siFRColor1=0\r\nm_siItemBorderStyle1=0\r\n"
        "m_siItemFillStyle1=0\r\nm_siFontName1=2\r\nm_siFontSize1=12\r\nm_siFontStyle1=2\r\nm_siAlign1=0\r\n"
        "\r\n[Sub Item Style2]\r\nm_siBKColor2=0\r\nm_siFRColor2=0\r\nm_siItemBorderStyle2=0\r\n"
        "m_siItemFillStyle2=0\r\nm_siFontName2=0\r\nm_siFontSize2=0\r\nm_siFontStyle2=0\r\nm_siAlign2=0\r\n"
        "\r\n[Sub Item Style3]\r\nm_siBKColor3=0\r\nm_siFRColor3=0\r\nm_siItemBorderStyle3=0\r\n"
        "m_siItemFillStyle3=0\r\nm_siFontName3=0\r\nm_siFontSize3=0\r\nm_siFontStyle3=0\r\nm_siAlign3=0\r\n"
        "\r\n[Item]\r\nI0-0=Home,,_self,index.htm\r\nI0-1=Shop,,,shop.htm\r\nI1-0=Bags,,,bags.htm\r\n"
        "\r\n[Menu Relation]\r\nRelation=2,2,1,1-1,\r\n";
    QTemporaryDir dir;
    QVERIFY(WriteFileBytes(dir.filePath("old.qdx"), old));
    CAppletParameters p;
    QVERIFY(p.LoadProject(dir.filePath("old.qdx")));
    QVERIFY(ProvideScript(dir.path()));
    QVERIFY(SavePage(dir.filePath("new.htm"), dir.path(), p, QString(), dir.path()));
    // The one line added: the language the page now declares, the system's.
    QByteArray expected = old;
    expected.replace("m_ModernPage=1\r\n", "m_ModernPage=1\r\nm_PageLang=" + SystemPageLanguage().toLatin1() + "\r\n");
    QCOMPARE(ReadFileBytes(dir.filePath("new.qdx")), expected);
}

void TestProjectFile::copiesPageScriptForModernPages_data()
{
    QTest::addColumn<int>("modern");
    QTest::addColumn<bool>("scriptInProgram"); // glidebar.js in the program folder
    QTest::addColumn<bool>("blocked");         // a folder stands where the copy goes
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("reason");       // part of the reported reason

    QTest::newRow("modern") << 1 << true << false << true << QString();
    QTest::newRow("classic takes no script") << 0 << true << false << true << QString();
    QTest::newRow("classic, script missing") << 0 << false << false << true << QString();
    QTest::newRow("modern, script missing") << 1 << false << false << false << "glidebar.js";
    QTest::newRow("modern, copy cannot be written") << 1 << true << true << false << "glidebar.js";
}

void TestProjectFile::copiesPageScriptForModernPages()
{
    QFETCH(int, modern);
    QFETCH(bool, scriptInProgram);
    QFETCH(bool, blocked);
    QFETCH(bool, saved);
    QFETCH(QString, reason);

    QTemporaryDir app, out;
    const QByteArray script = "// the menu script\n";
    QVERIFY(WriteFileBytes(app.filePath("Glidebar.class"), "class"));
    if (scriptInProgram)
        QVERIFY(WriteFileBytes(app.filePath("glidebar.js"), script));
    if (blocked)
        QVERIFY(QDir(out.path()).mkdir("glidebar.js"));
    const QString page = out.filePath("page.htm");
    QVERIFY(WriteFileBytes(page, "earlier page"));

    CAppletParameters p;
    p.m_ModernPage = modern;
    QString error;
    QCOMPARE(SavePage(page, out.path(), p, "new page", app.path(), &error), saved);
    if (saved) {
        QCOMPARE(ReadFileBytes(page), QByteArray("new page"));
        QCOMPARE(QFile::exists(out.filePath("glidebar.js")), bool(modern));
        if (modern)
            QCOMPARE(ReadFileBytes(out.filePath("glidebar.js")), script);
        return;
    }
    // Reported like a failed page write, before the page is replaced.
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(ReadFileBytes(page), QByteArray("earlier page"));
    QVERIFY(!QFile::exists(out.filePath("page.qdx")));
    QStringList expected{"page.htm"};
    if (blocked)
        expected.prepend("glidebar.js");
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             expected);
}

void TestProjectFile::pageScriptWrittenWholeOrNotAtAll()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    QTemporaryDir app, out;
    // Larger than the limit below, which the page, its project file and the
    // change's plan stay under.
    const QByteArray script(200000, 's');
    QVERIFY(WriteFileBytes(app.filePath("glidebar.js"), script));
    QVERIFY(WriteFileBytes(out.filePath("glidebar.js"), "earlier script"));
    CAppletParameters p;
    p.m_ModernPage = 1;

    // The copy cannot be written in full (the file size limit binds even
    // root): the earlier script stays whole and no temporary file is left.
    struct rlimit old {};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 100000;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    QString error;
    const bool saved = SavePage(out.filePath("page.htm"), out.path(), p, "page", app.path(), &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!saved);
    QVERIFY2(error.contains("glidebar.js"), qPrintable(error));
    QCOMPARE(ReadFileBytes(out.filePath("glidebar.js")), QByteArray("earlier script"));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"glidebar.js"});

    // Without the limit the whole script arrives.
    QVERIFY(SavePage(out.filePath("page.htm"), out.path(), p, "page", app.path(), &error));
    QCOMPARE(ReadFileBytes(out.filePath("glidebar.js")), script);
#endif
}

void TestProjectFile::copiesKeepTheSourcesPermissions_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("private") << 0600;
    QTest::newRow("group may read") << 0640;
    QTest::newRow("others may read, group not") << 0604;
    QTest::newRow("read-only") << 0400;
    QTest::newRow("executable") << 0755;
}

void TestProjectFile::copiesKeepTheSourcesPermissions()
{
#ifndef Q_OS_UNIX
    QSKIP("permission bits");
#else
    QFETCH(int, mode);
    QTemporaryDir app, images, out;
    QVERIFY(WriteFileBytes(app.filePath("Glidebar.class"), "class"));
    QVERIFY(WriteFileBytes(images.filePath("main.png"), PngBytes("main")));
    QVERIFY(chmod(QFile::encodeName(app.filePath("Glidebar.class")).constData(), mode_t(mode)) == 0);
    QVERIFY(chmod(QFile::encodeName(images.filePath("main.png")).constData(), mode_t(mode)) == 0);
    CAppletParameters p;
    p.m_pMainMenu->GetItem(0)->m_strImage = images.filePath("main.png");
    // Twice: the second save replaces copies that may be read-only.
    for (int round = 0; round < 2; ++round) {
        QString error;
        QVERIFY2(SavePage(out.filePath("page.htm"), out.path(), p, "x", app.path(), &error), qPrintable(error));
        for (const char *name : {"Glidebar.class", "main.png"}) {
            struct stat st {};
            QVERIFY(stat(QFile::encodeName(out.filePath(name)).constData(), &st) == 0);
            QCOMPARE(int(st.st_mode & 07777), mode);
        }
    }
    QCOMPARE(ReadFileBytes(out.filePath("main.png")), PngBytes("main"));
#endif
}

void TestProjectFile::copiesOnlyRegularFilesNeverThroughALink()
{
#ifndef Q_OS_UNIX
    QSKIP("pipes and links");
#else
    // A pipe in place of the class file is not read (that would block), and
    // a link in the page's folder where an image copy goes stops the save
    // before anything is written: the file it points to stays as it was.
    QTemporaryDir app, images, out, elsewhere;
    QVERIFY(mkfifo(QFile::encodeName(app.filePath("Glidebar.class")).constData(), 0600) == 0);
    QVERIFY(WriteFileBytes(images.filePath("main.png"), PngBytes("main")));
    QVERIFY(WriteFileBytes(elsewhere.filePath("precious"), "precious"));
    QVERIFY(QFile::link(elsewhere.filePath("precious"), out.filePath("main.png")));
    CAppletParameters p;
    p.m_pMainMenu->GetItem(0)->m_strImage = images.filePath("main.png");
    QString error;
    QVERIFY(!SavePage(out.filePath("page.htm"), out.path(), p, "x", app.path(), &error));
    QVERIFY2(error.contains("main.png: is a symbolic link"), qPrintable(error));
    QCOMPARE(ReadFileBytes(elsewhere.filePath("precious")), QByteArray("precious"));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"main.png"});

    // With the link gone the picture is copied, the pipe still not read.
    QVERIFY(QFile::remove(out.filePath("main.png")));
    QVERIFY2(SavePage(out.filePath("page.htm"), out.path(), p, "x", app.path(), &error), qPrintable(error));
    QVERIFY(!QFileInfo::exists(out.filePath("Glidebar.class")));
    const QFileInfo copy(out.filePath("main.png"));
    QVERIFY(copy.isFile() && !copy.isSymLink());
    QCOMPARE(ReadFileBytes(out.filePath("main.png")), PngBytes("main"));
    QCOMPARE(ReadFileBytes(elsewhere.filePath("precious")), QByteArray("precious"));
#endif
}

void TestProjectFile::eachImageCopiedOncePerSave()
{
#ifndef Q_OS_LINUX
    QSKIP("counts the copies with inotify");
#else
    // Many items name one image, in two spellings: it is put in place once.
    QTemporaryDir images, out;
    QVERIFY(WriteFileBytes(images.filePath("shared.png"), PngBytes("shared")));
    CAppletParameters p;
    p.m_appBKImagePath = images.filePath("shared.png");
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(30, 1);
    for (int i = 0; i < 30; ++i)
        root.GetItem(i)->m_strImage = i % 2 ? images.filePath("shared.png") : images.filePath("SHARED.PNG");
    root.GetSubMenu(4)->SetItemCount(30, 1);
    for (int j = 0; j < 30; ++j)
        root.GetSubMenu(4)->GetItem(j)->m_strImage = images.filePath("shared.png");

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(watch >= 0);
    QVERIFY(inotify_add_watch(watch, QFile::encodeName(out.path()).constData(), IN_MOVED_TO) >= 0);
    QString error;
    QVERIFY2(SavePage(out.filePath("page.htm"), out.path(), p, "x", out.path(), &error), qPrintable(error));
    int placed = 0; // copies made
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = read(watch, buffer, sizeof buffer);
        if (got <= 0)
            break;
        for (ssize_t at = 0; at < got;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            // Each copy is written to a new file renamed into place.
            if (event->len > 0 && QByteArray(event->name) == "shared.png")
                ++placed;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    close(watch);
    QCOMPARE(placed, 1);
    QCOMPARE(ReadFileBytes(out.filePath("shared.png")), PngBytes("shared"));
#endif
}

void TestProjectFile::killedSaveLeavesOneSavesPair_data()
{
    using S = CFileSet::EStep;
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("file"); // 0 the page, 1 the project file
    QTest::addColumn<bool>("newPair");
    QTest::newRow("lock taken") << int(S::Locked) << -1 << false;
    QTest::newRow("new page written") << int(S::TempWritten) << 0 << false;
    QTest::newRow("new project written") << int(S::TempWritten) << 1 << false;
    QTest::newRow("journal written, not in place") << int(S::JournalWritten) << -1 << false;
    QTest::newRow("journal in place") << int(S::Committed) << -1 << true;
    QTest::newRow("page renamed, project not") << int(S::Renamed) << 0 << true;
    QTest::newRow("both renamed") << int(S::Renamed) << 1 << true;
    QTest::newRow("folder flushed") << int(S::Flushed) << -1 << true;
    QTest::newRow("journal removed, lock held") << int(S::Finished) << -1 << true;
}

void TestProjectFile::killedSaveLeavesOneSavesPair()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork");
#else
    QFETCH(int, step);
    QFETCH(int, file);
    QFETCH(bool, newPair);
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    const QString project = dir.filePath("page.qdx");
    QVERIFY(SaveTitled(page, "old", "old page"));

    g_killStep = CFileSet::EStep(step);
    g_killFile = file;
    const int status = RunInChild([&] {
        CFileSet::SetStepHook(KillAtStep);
        SaveTitled(page, "new", "new page");
    });
    QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    // Reading the project back finishes or undoes the interrupted save; the
    // page beside it is then the same save's.
    CAppletParameters loaded;
    loaded.LoadProject(project);
    QCOMPARE(loaded.m_HTMLTitle, QString(newPair ? "new" : "old"));
    QCOMPARE(ReadFileBytes(page), QByteArray(newPair ? "new page" : "old page"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList({"page.htm", "page.qdx"}));

    // The next save takes over the dead save's lock.
    QString error;
    QVERIFY2(SaveTitled(page, "next", "next page", &error), qPrintable(error));
    loaded.LoadProject(project);
    QCOMPARE(loaded.m_HTMLTitle, QString("next"));
#endif
}

void TestProjectFile::secondSaveWaitsOrIsRefused()
{
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    const QString project = dir.filePath("page.qdx");
    QVERIFY(SaveTitled(page, "first", "first"));

    // Another save of the page (here: of menu.html, which shares the project
    // file) holds the lock: this one waits, then gives up with the reason,
    // and nothing of it is written.
    CFileSet other(dir.filePath("page.qdx"));
    QVERIFY(other.Lock(0));
    QVERIFY(WriteFileBytes(dir.filePath(".page.qdx.new0"), "the other save's page"));
#ifdef Q_OS_UNIX
    // However old the lock file is: its owner is alive and holds it.
    const struct timeval anHourAgo[2] = {{time(nullptr) - 3600, 0}, {time(nullptr) - 3600, 0}};
    QVERIFY(utimes(QFile::encodeName(dir.filePath(".page.qdx.lock")).constData(), anHourAgo) == 0);
#endif
    CFileSet mine(project);
    QString failedPath, error;
    QVERIFY(!mine.Replace({{dir.filePath("page.html"), "second"}, {project, "[General]\r\n"}}, 200,
                          &failedPath, &error));
    QVERIFY2(error.contains("another save of this page is still under way"), qPrintable(error));
    QVERIFY(!QFile::exists(dir.filePath("page.html")));
    QCOMPARE(ReadFileBytes(dir.filePath(".page.qdx.new0")), QByteArray("the other save's page"));
    QCOMPARE(ReadFileBytes(page), QByteArray("first"));

    // Once the other save has ended, it goes ahead.
    other.Unlock();
    QVERIFY2(mine.Replace({{dir.filePath("page.html"), "second"}, {project, "[General]\r\n"}}, 200,
                          &failedPath, &error),
             qPrintable(error));
    mine.Unlock();
    QCOMPARE(ReadFileBytes(dir.filePath("page.html")), QByteArray("second"));
    // The file named like a temp is no temp of this save's (nor listed in
    // any plan): it is left alone.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList({".page.qdx.new0", "page.htm", "page.html", "page.qdx"}));
    QCOMPARE(ReadFileBytes(dir.filePath(".page.qdx.new0")), QByteArray("the other save's page"));
}

void TestProjectFile::lockOfAKilledSaveIsTakenOver_data()
{
    QTest::addColumn<bool>("leftFile"); // only a lock file is there, as after a kill while making it
    QTest::newRow("owner killed holding it") << false;
    QTest::newRow("a lock file nobody holds") << true;
}

void TestProjectFile::lockOfAKilledSaveIsTakenOver()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork");
#else
    QFETCH(bool, leftFile);
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    const QString lock = dir.filePath(".page.qdx.lock");
    if (leftFile) {
        QVERIFY(WriteFileBytes(lock, QByteArray()));
    } else {
        const int status = RunInChild([&] {
            CFileSet set(dir.filePath("page.qdx"));
            if (set.Lock(0))
                raise(SIGKILL);
        });
        QVERIFY(WIFSIGNALED(status));
    }
    QVERIFY(QFile::exists(lock));
    QString error;
    QVERIFY2(SaveTitled(page, "after", "after", &error), qPrintable(error));
    QVERIFY(!QFile::exists(lock));
#endif
}

void TestProjectFile::concurrentSavesKeepPairsTogether()
{
#ifndef Q_OS_UNIX
    QSKIP("needs fork");
#else
    // Two processes save the same page over and over, each checking after
    // every save, under the lock, that page and project file are one save's.
    QTemporaryDir dir;
    const QString page = dir.filePath("page.htm");
    const QString project = dir.filePath("page.qdx");
    CAppletParameters big;
    FillDistinct(big);
    big.m_ModernPage = 0; // the program folder here has no page script
    big.m_pMainMenu->SetItemCount(200, 1);
    const QString padding(20000, QLatin1Char('x'));
    std::vector<pid_t> children;
    for (const char *who : {"a", "b"}) {
        const pid_t pid = fork();
        if (pid == 0) {
            int exitCode = 0;
            for (int round = 0; round < 25 && exitCode == 0; ++round) {
                const QString tag = QStringLiteral("%1%2").arg(QLatin1String(who)).arg(round);
                big.m_HTMLTitle = tag;
                if (!SavePage(page, dir.path(), big, tag + padding, dir.path()))
                    exitCode = 1;
                CFileSet set(project);
                if (exitCode == 0 && set.Lock(10000)) {
                    CIniFile ini;
                    ini.Load(project);
                    const QString title = ini.Value(QStringLiteral("General"), QStringLiteral("m_HTMLTitle"));
                    if (ReadFileBytes(page) != (title + padding).toUtf8())
                        exitCode = 2;
                }
            }
            _exit(exitCode);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        waitpid(pid, &status, 0);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
    CAppletParameters loaded;
    loaded.LoadProject(project);
    QCOMPARE(ReadFileBytes(page), (loaded.m_HTMLTitle + padding).toUtf8());
#endif
}

QTEST_APPLESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
