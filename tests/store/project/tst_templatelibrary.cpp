#include "ConfigProbes.h"
#include "TestFiles.h"
#include "model/config/AppletParameters.h"
#include "store/project/TemplateLibrary.h"

#include <QtTest>

namespace {

// Two templates; the second holds a title, an alignment and the page kind,
// which loading must ignore, and every value in a section of its own.
const char kLibrary[] =
    "[TEMPLATE]\r\n"
    "TemplateKey=Plain,Fancy\r\n"
    "[Plain]\r\n"
    "Description=Plain menu\r\n"
    "m_mmWidth=120\r\n"
    "[Fancy]\r\n"
    "Description=Fancy menu\r\n"
    "m_HTMLTitle=Not this title\r\n"
    "m_Align=2\r\n"
    "m_ModernPage=0\r\n"
    "m_appBKColor=16777215\r\n"
    "m_appBKImagePath=back.gif\r\n"
    "m_xPos=3\r\n"
    "m_yPos=4\r\n"
    "m_mmBKColor=33554687\r\n"
    "m_smBorderThick=2\r\n"
    "m_miFontSize3=7\r\n"
    "m_siAlign2=8\r\n"
    "Relation=2,3,2,2-1,\r\n"
    "I0-0=Home,h.gif,_top,index.htm\r\n"
    "I0-1=News\r\n"
    "I0-2=More\r\n"
    "I1-0=One,,,one.htm\r\n"
    "I1-1=Two,,,two.htm\r\n";

} // namespace

class TestTemplateLibrary : public QObject {
    Q_OBJECT
private slots:
    void todaysLookFromItsOwnSection();
    void lists_data();
    void lists();
    void loadsTemplateIgnoringTitleAndAlignment();
    void loadsBlankDefaults_data();
    void loadsBlankDefaults();
};

void TestTemplateLibrary::lists_data()
{
    QTest::addColumn<QByteArray>("library"); // empty: no library file at all
    QTest::addColumn<QStringList>("expected");

    const QByteArray sections = "[A]\r\nDescription=Alpha\r\n[B]\r\nDescription=Beta\r\n";
    QTest::newRow("no library") << QByteArray() << QStringList{"Blank"};
    QTest::newRow("no TemplateKey") << QByteArray("[TEMPLATE]\r\nOther=1\r\n") << QStringList{"Blank"};
    QTest::newRow("no TemplateKey, Blank section")
        << QByteArray("[Blank]\r\nDescription=Start empty\r\n") << QStringList{"Start empty"};
    QTest::newRow("empty TemplateKey") << QByteArray("[TEMPLATE]\r\nTemplateKey=\r\n") + sections
                                       << QStringList{};
    QTest::newRow("library order") << QByteArray("[TEMPLATE]\r\nTemplateKey=B,A\r\n") + sections
                                   << QStringList{"Beta", "Alpha"};
    QTest::newRow("empty name ends the list")
        << QByteArray("[TEMPLATE]\r\nTemplateKey=A,,B\r\n") + sections << QStringList{"Alpha"};
    QTest::newRow("trailing comma") << QByteArray("[TEMPLATE]\r\nTemplateKey=A,B,\r\n") + sections
                                    << QStringList{"Alpha", "Beta"};
    QTest::newRow("missing description")
        << QByteArray("[TEMPLATE]\r\nTemplateKey=A,C\r\n") + sections << QStringList{"Alpha", "Blank"};
    QTest::newRow("names with blanks, other case")
        << QByteArray("[template]\r\ntemplatekey = a , B\r\n") + sections << QStringList{"Alpha", "Beta"};

    // A list longer than 255 characters is read whole.
    QByteArray names;
    QStringList many;
    for (int i = 0; i < 60; ++i) {
        names += "Template" + QByteArray::number(i) + ",";
        many << "Blank";
    }
    QTest::newRow("long TemplateKey") << "[TEMPLATE]\r\nTemplateKey=" + names + "\r\n" << many;
}

void TestTemplateLibrary::lists()
{
    QFETCH(QByteArray, library);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("Vantrel.qdx");
    if (!library.isEmpty())
        QVERIFY(WriteFileBytes(path, library));
    QCOMPARE(ListTemplates(path), expected);
}

void TestTemplateLibrary::loadsTemplateIgnoringTitleAndAlignment()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Vantrel.qdx");
    QVERIFY(WriteFileBytes(path, kLibrary));
    QCOMPARE(ListTemplates(path), QStringList({"Plain menu", "Fancy menu"}));

    CAppletParameters p;
    p.m_HTMLTitle = "Earlier";
    p.m_Align = 1;
    p.m_miFontSize3 = 99;
    p.m_bSaved = 1;
    p.m_ModernPage = 0;
    p.LoadTemplate(1, path);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Untitled"));
    QCOMPARE(p.m_Align, 0);
    // A menu made from a template is new: it works in today's browsers.
    QCOMPARE(p.m_ModernPage, 1);
    QCOMPARE(p.m_appBKColor, 0xFFFFFF);
    QCOMPARE(p.m_appBKImagePath, QStringLiteral("back.gif"));
    QCOMPARE(p.m_xPos, 3);
    QCOMPARE(p.m_yPos, 4);
    QCOMPARE(p.m_mmBKColor, 0xFF);
    QCOMPARE(p.m_smBorderThick, 2);
    QCOMPARE(p.m_miFontSize3, 7);
    QCOMPARE(p.m_siAlign2, 8);
    QCOMPARE(p.m_mmWidth, 0); // Plain's value stays in Plain
    QCOMPARE(p.m_bSaved, 1);  // reset by the template page, not here
    QCOMPARE(Labels(*p.m_pMainMenu), QStringList({"Home", "News", "More"}));
    const CAppletMenuItem &home = *p.m_pMainMenu->GetItem(0);
    QCOMPARE(home.m_strImage, QStringLiteral("h.gif"));
    QCOMPARE(home.m_strTarget, QStringLiteral("_top"));
    QCOMPARE(home.m_strLink, QStringLiteral("index.htm"));
    QVERIFY(!home.m_pSubMenu);
    QVERIFY(p.m_pMainMenu->GetItem(2)->m_pSubMenu);
    QCOMPARE(Labels(*p.m_pMainMenu->GetItem(2)->m_pSubMenu), QStringList({"One", "Two"}));
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 0);

    // Loading another template replaces every value and the whole tree.
    p.LoadTemplate(0, path);
    QCOMPARE(p.m_mmWidth, 120);
    QCOMPARE(p.m_miFontSize3, 0);
    QCOMPARE(p.m_appBKImagePath, QString());
    QCOMPARE(Labels(*p.m_pMainMenu), QStringList({"item1", "item2", "item3", "item4"}));
}

void TestTemplateLibrary::loadsBlankDefaults_data()
{
    QTest::addColumn<QByteArray>("library");
    QTest::addColumn<int>("index");
    QTest::newRow("no library") << QByteArray() << 0;
    QTest::newRow("no Blank section") << QByteArray("[Other]\r\nm_xPos=5\r\n") << 0;
    QTest::newRow("index past the list") << QByteArray(kLibrary) << 2;
    QTest::newRow("negative index") << QByteArray(kLibrary) << -1;
}

void TestTemplateLibrary::loadsBlankDefaults()
{
    QFETCH(QByteArray, library);
    QFETCH(int, index);
    QTemporaryDir dir;
    const QString path = dir.filePath("Vantrel.qdx");
    if (!library.isEmpty())
        QVERIFY(WriteFileBytes(path, library));
    CAppletParameters p;
    p.m_HTMLTitle = "Earlier";
    p.m_appBKImagePath = "x.gif";
    p.m_siAlign3 = 5;
    p.m_pMainMenu->SetItemCount(7, 1);
    p.m_pMainMenu->m_nCurrent = 6;
    p.LoadTemplate(index, path);
    QCOMPARE(p.m_HTMLTitle, QStringLiteral("Untitled"));
    QCOMPARE(p.m_ModernPage, 1);
    QCOMPARE(p.m_appBKImagePath, QString());
    for (int v : StyleValues(p))
        QCOMPARE(v, 0);
    QCOMPARE(Labels(*p.m_pMainMenu), QStringList({"item1", "item2", "item3", "item4"}));
    QCOMPARE(p.m_pMainMenu->m_nCurrent, 0);
}


// A template keeps today's look in a section named after it with " Looks";
// the same keys in its own section, or another template's, are not its look.
void TestTemplateLibrary::todaysLookFromItsOwnSection()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Vantrel.qdx");
    QVERIFY(WriteFileBytes(path, QByteArray(kLibrary)
                                     + "m_mmItemRadius=9\r\n"
                                       "[fancy looks]\r\n"
                                       "m_smShadow=2\r\n"
                                       "m_siFontFamily2=1\r\n"
                                       "m_miFontPx3=15\r\n"
                                       "[Plain Looks]\r\n"
                                       "m_mmArrows=1\r\n"));
    CAppletParameters p;
    p.m_mmArrows = 1;
    p.LoadTemplate(1, path);
    QCOMPARE(p.m_smShadow, 2);
    QCOMPARE(p.m_siFontFamily2, 1);
    QCOMPARE(p.m_miFontPx3, 15);
    QCOMPARE(p.m_mmItemRadius, 0);
    QCOMPARE(p.m_mmArrows, 0);
    QCOMPARE(p.m_miFontSize3, 7);

    p.LoadTemplate(0, path);
    QCOMPARE(p.m_mmArrows, 1);
    QCOMPARE(p.m_smShadow, 0);
    QCOMPARE(p.m_siFontFamily2, 0);
}

QTEST_APPLESS_MAIN(TestTemplateLibrary)
#include "tst_templatelibrary.moc"
