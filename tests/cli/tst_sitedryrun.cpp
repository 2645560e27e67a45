// `vantrel-gen site --dry-run` writes and deletes nothing: not an author's
// file named like the update's own, not what an interrupted update left,
// which it tells of instead.
#include "ProgramRun.h"
#include "TestFiles.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"
#include "store/project/StoredConfig.h"
#include "store/ini/IniFile.h"

#include <QtTest>

namespace {

QString g_gen;

// Every file below dir, hidden ones too, with its bytes.
QMap<QString, QByteArray> Snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(dir).relativeFilePath(path), ReadFileBytes(path));
    }
    return files;
}

const char kPage[] = "<html>\n<body>\n<p>about</p>\n</body>\n</html>\n";

void MakeSite(const QString &dir)
{
    CAppletParameters p;
    p.m_ModernPage = 1;
    p.m_pMainMenu->SetItemCount(1, 0);
    p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("About");
    p.m_pMainMenu->GetItem(0)->m_strLink = QStringLiteral("about.html");
    CSitePage listed;
    listed.strPath = QStringLiteral("about.html");
    p.m_SitePages.append(listed);
    WriteFileBytes(QDir(dir).filePath("about.html"), kPage);
    WriteFileBytes(QDir(dir).filePath("site.qdx"), ProjectIniFor(p).ToBytes());
}

} // namespace

class TestSiteDryRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writesAndDeletesNothing_data();
    void writesAndDeletesNothing();

private:
    QTemporaryDir m_programDir;
};

void TestSiteDryRun::initTestCase()
{
    const QDir bin(QStringLiteral(VANTREL_BIN_DIR));
    const QDir dir(m_programDir.path());
    QVERIFY(QFile::copy(bin.filePath("vantrel-gen"), dir.filePath("vantrel-gen")));
    QVERIFY(WriteFileBytes(dir.filePath("glidebar.js"), "// menu script\n"));
    g_gen = dir.filePath("vantrel-gen");
}

void TestSiteDryRun::writesAndDeletesNothing_data()
{
    QTest::addColumn<QStringList>("files"); // name, bytes, name, bytes...
    QTest::addColumn<bool>("waiting");      // an interrupted update is there
    QTest::addColumn<QByteArray>("after");  // about.html after a real run finished or undid it
    const QByteArray temp = "<body>\nleft by a killed update\n";
    QTest::newRow("author's files named like temps")
        << QStringList{".site.qdx.new0", "mine", ".site.qdx.old0", "mine too", "sub/.site.qdx.new1", "mine"}
        << false << QByteArray();
    QTest::newRow("killed before its commit")
        << QStringList{".site.qdx.plan", "Vantrel file set plan 1\n.site.qdx.new0.k1\tabout.html\n",
                       ".site.qdx.new0.k1", QString::fromUtf8(temp)}
        << true << QByteArray(kPage);
    QTest::newRow("killed after its commit")
        << QStringList{".site.qdx.commit", "Vantrel file set 1\n.site.qdx.new0.k2\tabout.html\n",
                       ".site.qdx.new0.k2", QString::fromUtf8(temp)}
        << true << temp;
}

void TestSiteDryRun::writesAndDeletesNothing()
{
    QFETCH(QStringList, files);
    QFETCH(bool, waiting);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    MakeSite(dir.path());
    for (qsizetype i = 0; i + 1 < files.size(); i += 2)
        QVERIFY(WriteFileBytes(dir.filePath(files[i]), files[i + 1].toUtf8()));
    const auto before = Snapshot(dir.path());

    const CRun run = RunProgram(g_gen, {"site", "--dry-run", "site.qdx"}, dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(Snapshot(dir.path()), before);
    QCOMPARE(run.out.contains("An interrupted update of site.qdx is waiting to be finished"), waiting);

    if (!waiting) {
        // A real run leaves them as they are too.
        QCOMPARE(RunProgram(g_gen, {"site", "site.qdx"}, dir.path()).exitCode, 0);
        for (qsizetype i = 0; i + 1 < files.size(); i += 2)
            QCOMPARE(ReadFileBytes(dir.filePath(files[i])), files[i + 1].toUtf8());
        return;
    }
    // The next real run finishes or undoes it first, and leaves no helper.
    CAppletParameters loaded;
    loaded.LoadProject(dir.filePath("site.qdx"));
    QCOMPARE(ReadFileBytes(dir.filePath("about.html")), after);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList({"about.html", "site.qdx"}));
}

QTEST_APPLESS_MAIN(TestSiteDryRun)
#include "tst_sitedryrun.moc"
