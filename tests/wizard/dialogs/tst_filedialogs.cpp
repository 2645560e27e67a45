#include "TestApp.h"

#include "app/WizardApp.h"
#include "wizard/dialogs/FileDialogs.h"
#include "wizard/dialogs/OptionsDlg.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

// Where every file dialog of the wizard starts, what it suggests and what
// pictures it offers, asked through the dialog seam.
class TestFileDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void openDialogsStartInTheFolderLastUsed_data();
    void openDialogsStartInTheFolderLastUsed();
    void savePageSuggests_data();
    void savePageSuggests();
    void kindsKeepTheirOwnFolders();
    void imageFilterFollowsThePageKind_data();
    void imageFilterFollowsThePageKind();

private:
    QString m_documents;
};

namespace {

const QString kClassicImages = QStringLiteral("Image Files(*.GIF,*.JPG.*.JPEG) | *.gif;*.jpg;*.jpeg ||");
const QString kModernImages = QStringLiteral("Image Files(*.GIF,*.JPG,*.JPEG,*.PNG,*.SVG,*.WEBP) | "
                                             "*.gif;*.jpg;*.jpeg;*.png;*.svg;*.webp ||");

// Opens the dialog named `dialog` the way the user does, answering `answer`
// ("" cancels).
void Ask(CTestApp &t, const QString &dialog, const QString &answer)
{
    t.ui->openFileAnswers << answer;
    if (dialog == "background image") {
        if (!t.sheet || t.sheet->GetActivePage() != &t.sheet->m_pageGeneral)
            t.OpenSheetAt(&CMenuWizardSheet::m_pageGeneral);
        Control<QPushButton>(&t.sheet->m_pageGeneral, "1007")->click();
    } else if (dialog == "item image") {
        if (!t.sheet || t.sheet->GetActivePage() != &t.sheet->m_pageItem)
            t.OpenSheetAt(&CMenuWizardSheet::m_pageItem);
        t.sheet->m_pageItem.m_btnMainBrowse->click();
    } else if (dialog == "saved page") {
        if (!t.sheet || t.sheet->GetActivePage() != &t.sheet->m_pageTemplate)
            t.OpenSheetAt(&CMenuWizardSheet::m_pageTemplate);
        Control<QAbstractButton>(&t.sheet->m_pageTemplate, "1059")->click();
        Control<QAbstractButton>(&t.sheet->m_pageTemplate, "1007")->click();
    } else if (dialog == "browser program") {
        // Browsing is for a browser of the user's choice.
        t.app.m_bUseDefaultBrowser = 0;
        COptionsDlg dlg(t.app);
        Control<QPushButton>(&dlg, "1007")->click();
    } else {
        QFAIL(qPrintable("no dialog " + dialog));
    }
}

} // namespace

void TestFileDialogs::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    m_documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(!m_documents.isEmpty());
    QVERIFY(QDir().mkpath(m_documents));
}

void TestFileDialogs::openDialogsStartInTheFolderLastUsed_data()
{
    QTest::addColumn<QString>("dialog");
    for (const char *dialog : {"background image", "item image", "saved page", "browser program"})
        QTest::newRow(dialog) << dialog;
}

void TestFileDialogs::openDialogsStartInTheFolderLastUsed()
{
    QFETCH(QString, dialog);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath("chosen")));
    CTestApp t;

    // Nothing used yet: the documents folder.
    Ask(t, dialog, dir.filePath("chosen/file.gif"));
    QCOMPARE(t.ui->openFileRequests.size(), 1);
    QCOMPARE(t.ui->openFileRequests[0].folder, m_documents);
    // Then the folder of the file chosen; a cancelled dialog keeps it.
    Ask(t, dialog, QString());
    Ask(t, dialog, QString());
    QCOMPARE(t.ui->openFileRequests.size(), 3);
    QCOMPARE(t.ui->openFileRequests[1].folder, dir.filePath("chosen"));
    QCOMPARE(t.ui->openFileRequests[2].folder, dir.filePath("chosen"));

    // A file named in a folder that does not exist keeps the folder as it was.
    Ask(t, dialog, dir.filePath("missing/file.gif"));
    Ask(t, dialog, QString());
    QCOMPARE(t.ui->openFileRequests.last().folder, dir.filePath("chosen"));

    // A folder since removed gives way to the documents folder.
    QVERIFY(QDir(dir.filePath("chosen")).removeRecursively());
    Ask(t, dialog, QString());
    QCOMPARE(t.ui->openFileRequests.last().folder, m_documents);
}

void TestFileDialogs::savePageSuggests_data()
{
    QTest::addColumn<QString>("current");    // the page's own path, if it has one
    QTest::addColumn<QString>("remembered"); // the folder a page was last saved or opened in
    QTest::addColumn<QString>("suggested");
    QTest::newRow("new page") << "" << "" << "@DOCS@/menu.htm";
    QTest::newRow("new page, folder used before") << "" << "@DIR@/site" << "@DIR@/site/menu.htm";
    QTest::newRow("folder used before is gone") << "" << "@DIR@/gone" << "@DOCS@/menu.htm";
    QTest::newRow("reopened page") << "@DIR@/other/shop.htm" << "@DIR@/site" << "@DIR@/other/shop.htm";
    QTest::newRow("reopened page whose folder is gone") << "@DIR@/gone/shop.htm" << "@DIR@/site"
                                                        << "@DIR@/site/shop.htm";
}

void TestFileDialogs::savePageSuggests()
{
    QFETCH(QString, current);
    QFETCH(QString, remembered);
    QFETCH(QString, suggested);
    QTemporaryDir dir;
    for (const char *folder : {"site", "other", "gone"})
        QVERIFY(QDir().mkpath(dir.filePath(folder)));
    for (QString *text : {&current, &remembered, &suggested}) {
        text->replace("@DIR@", dir.path());
        text->replace("@DOCS@", m_documents);
    }
    CTestApp t;
    if (!remembered.isEmpty())
        RememberFolder(EFileKind::Page, remembered + "/any.htm");
    QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
    t.app.m_params.m_strHTMLPath = current;
    t.OpenSheetAt(&CMenuWizardSheet::m_pageHTML);

    t.sheet->FinishButton()->click();
    QCOMPARE(t.ui->saveFileRequests.size(), 1);
    QCOMPARE(t.ui->saveFileRequests[0].initialName, suggested);
    QCOMPARE(t.ui->saveFileRequests[0].folder, QFileInfo(suggested).path());
    QCOMPARE(t.ui->saveFileRequests[0].defaultExt, QStringLiteral("htm"));
}

// Pages are opened and saved in one folder, pictures kept in another; each
// is kept in the per-user settings.
void TestFileDialogs::kindsKeepTheirOwnFolders()
{
    QTemporaryDir dir;
    for (const char *folder : {"pics", "site"})
        QVERIFY(QDir().mkpath(dir.filePath(folder)));
    CTestApp t;
    Ask(t, "background image", dir.filePath("pics/back.gif"));

    t.sheet->SetActivePage(&t.sheet->m_pageHTML);
    t.ui->saveFileAnswers << dir.filePath("site/shop.htm");
    t.sheet->FinishButton()->click();
    QCOMPARE(t.ui->saveFileRequests.last().folder, m_documents);
    QVERIFY(QFile::exists(dir.filePath("site/shop.htm")));
    t.ui->saveFileAnswers << QString();
    t.sheet->FinishButton()->click();
    QCOMPARE(t.ui->saveFileRequests.last().initialName, dir.filePath("site/menu.htm"));

    Ask(t, "saved page", QString());
    QCOMPARE(t.ui->openFileRequests.last().folder, dir.filePath("site"));
    Ask(t, "item image", QString());
    QCOMPARE(t.ui->openFileRequests.last().folder, dir.filePath("pics"));
    Ask(t, "browser program", QString());
    QCOMPARE(t.ui->openFileRequests.last().folder, m_documents);

    auto settings = OpenUserSettings();
    QCOMPARE(settings->value("Folders/Pages").toString(), QDir::toNativeSeparators(dir.filePath("site")));
    QCOMPARE(settings->value("Folders/Images").toString(), QDir::toNativeSeparators(dir.filePath("pics")));
}

void TestFileDialogs::imageFilterFollowsThePageKind_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<bool>("modern");     // the page's choice as stored
    QTest::addColumn<bool>("tickedHere"); // the box on the general page ticked, not yet stored
    QTest::addColumn<QString>("filter");
    QTest::newRow("background, classic page") << "background image" << false << false << kClassicImages;
    QTest::newRow("background, modern page") << "background image" << true << false << kModernImages;
    QTest::newRow("background, box just ticked") << "background image" << false << true << kModernImages;
    QTest::newRow("item, classic page") << "item image" << false << false << kClassicImages;
    QTest::newRow("item, modern page") << "item image" << true << false << kModernImages;
}

void TestFileDialogs::imageFilterFollowsThePageKind()
{
    QFETCH(QString, dialog);
    QFETCH(bool, modern);
    QFETCH(bool, tickedHere);
    QFETCH(QString, filter);
    CTestApp t;
    t.app.m_params.m_ModernPage = modern ? 1 : 0;
    if (tickedHere) {
        t.OpenSheetAt(&CMenuWizardSheet::m_pageGeneral);
        Control<QCheckBox>(&t.sheet->m_pageGeneral, "modernPage")->setChecked(true);
    }
    Ask(t, dialog, QString());
    QCOMPARE(t.ui->openFileRequests.size(), 1);
    QCOMPARE(t.ui->openFileRequests[0].filter, filter);
}

QTEST_MAIN(TestFileDialogs)
#include "tst_filedialogs.moc"
