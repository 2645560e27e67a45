// Updating the menu in a site of 1,000 pages of 50 KB each (ten folders),
// against copying the same files: with cp, and with a plain read-and-write
// loop in this process. The update reads every page, checks it, writes every
// page and the project file as one change (CFileSet: temps, one flush of the
// file system, journal, renames) and copies the script beside them.
//
// Also: finding the menu's place in one 2 MB page, plain and flooded with
// stray markers, markup-like text in scripts, comments that never close, and
// putting the menu into it; reported as milliseconds per MB (the goal: at
// most 50).

#include "html/SiteBlock.h"
#include "model/menu/AppletMenu.h"
#include "model/menu/AppletMenuItem.h"
#include "model/config/AppletParameters.h"
#include "store/site/SitePageText.h"
#include "store/site/SiteUpdate.h"
#include "store/project/StoredConfig.h"
#include "store/ini/IniFile.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int kPages = 1000;
constexpr int kFolders = 10;
constexpr int kPageBytes = 50 * 1024;

struct CSite {
    QTemporaryDir dir;
    QTemporaryDir app;
    CAppletParameters params;
    QString project;
};

bool Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The site once for all benchmarks: every page with a menu of 20 x 5 items
// between markers, the rest of it text up to 50 KB.
CSite &Site()
{
    static std::unique_ptr<CSite> site;
    if (site)
        return *site;
    site = std::make_unique<CSite>();
    CAppletParameters &p = site->params;
    p.m_ModernPage = 1;
    p.m_mmWidth = 100;
    p.m_mmHeight = 20;
    p.m_smWidth = 100;
    p.m_smHeight = 20;
    p.m_pMainMenu->SetItemCount(20, 0);
    for (int i = 0; i < 20; ++i) {
        CAppletMenuItem &item = *p.m_pMainMenu->GetItem(i);
        item.m_strLabel = QStringLiteral("Item %1").arg(i);
        item.m_strLink = QStringLiteral("section%1/index.html").arg(i);
        CAppletMenu &sub = *p.m_pMainMenu->GetSubMenu(i);
        sub.SetItemCount(5, 0);
        for (int j = 0; j < 5; ++j) {
            sub.GetItem(j)->m_strLabel = QStringLiteral("Sub %1.%2").arg(i).arg(j);
            sub.GetItem(j)->m_strLink = QStringLiteral("section%1/page%2.html").arg(i).arg(j);
        }
    }
    const QDir dir(site->dir.path());
    for (int n = 0; n < kPages; ++n) {
        const QString path = QStringLiteral("folder%1/page%2.html").arg(n % kFolders).arg(n);
        QByteArray page = QByteArray("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>Page</title>\r\n</head>\r\n<body>\r\n")
                          + kMenuMarkerBegin + "\r\nold menu\r\n" + kMenuMarkerEnd + "\r\n";
        const QByteArray line = "<p>Some text of the page, as any page has, line after line of it.</p>\r\n";
        while (page.size() + line.size() + 16 < kPageBytes)
            page += line;
        page += "</body>\r\n</html>\r\n";
        Write(dir.filePath(path), page);
        CSitePage listed;
        listed.strPath = path;
        p.m_SitePages.append(listed);
    }
    site->project = dir.filePath(QStringLiteral("site.qdx"));
    Write(site->project, ProjectIniFor(p).ToBytes());
    Write(QDir(site->app.path()).filePath(QStringLiteral("glidebar.js")), QByteArray(30000, '/'));
    Write(QDir(site->app.path()).filePath(QStringLiteral("Glidebar.class")), "class");
    return *site;
}

void BM_UpdateSite(benchmark::State &state)
{
    CSite &site = Site();
    int run = 0;
    for (auto _ : state) {
        CAppletParameters p;
        p.LoadProject(site.project);
        // A menu changed each time, so that every page is written (a page
        // already up to date is left alone).
        p.m_pMainMenu->GetItem(0)->m_strLabel = QStringLiteral("Item 0, run %1").arg(++run);
        CSiteUpdate update(site.project, p);
        update.Choose({}, nullptr);
        update.Read();
        QHash<QString, QByteArray> blocks;
        QString error;
        const bool saved = update.Save(
            [&](const QString &folder, const QByteArray &eol) {
                const QString key = folder + QString::fromLatin1(eol);
                auto found = blocks.constFind(key);
                if (found == blocks.constEnd())
                    found = blocks.insert(key, SiteMenuBlock(p, folder, eol, [](const QString &) {}));
                return *found;
            },
            site.app.path(), true, &error);
        if (!saved)
            state.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_UpdateSite)->Unit(benchmark::kMillisecond)->UseRealTime();

// cp -r of the site's folders (pages and project file) into a new folder;
// with `durable`, followed by "sync -f" of the copy's file system, so that
// the copy is on disk as the update's pages are when it returns.
void CopyWithCp(benchmark::State &state, bool durable)
{
    CSite &site = Site();
    QTemporaryDir out;
    int round = 0;
    for (auto _ : state) {
        const QString target = QDir(out.path()).filePath(QString::number(round++));
        QDir().mkpath(target);
        QStringList args{QStringLiteral("-r")};
        for (const QString &entry : QDir(site.dir.path()).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot))
            args.append(QDir(site.dir.path()).filePath(entry));
        args.append(target);
        QProcess cp;
        cp.start(QStringLiteral("cp"), args);
        if (!cp.waitForFinished(-1) || cp.exitCode() != 0)
            state.SkipWithError("cp failed");
        if (durable) {
            QProcess sync;
            sync.start(QStringLiteral("sync"), {QStringLiteral("-f"), target});
            if (!sync.waitForFinished(-1) || sync.exitCode() != 0)
                state.SkipWithError("sync failed");
        }
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
    }
}
void BM_CpCommand(benchmark::State &state)
{
    CopyWithCp(state, false);
}
BENCHMARK(BM_CpCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CpThenSync(benchmark::State &state)
{
    CopyWithCp(state, true);
}
BENCHMARK(BM_CpThenSync)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same copy in this process: each file read whole and written.
void BM_CopyInProcess(benchmark::State &state)
{
    CSite &site = Site();
    QTemporaryDir out;
    int round = 0;
    for (auto _ : state) {
        const QString target = QDir(out.path()).filePath(QString::number(round++));
        QDirIterator it(site.dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            Write(QDir(target).filePath(QDir(site.dir.path()).relativeFilePath(path)), in.readAll());
        }
        state.PauseTiming();
        QDir(target).removeRecursively();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// Pages of 2 MB for the search of the menu's place.
constexpr qsizetype kScanBytes = 2 * 1024 * 1024;

QByteArray Repeated(const QByteArray &head, const QByteArray &unit, const QByteArray &tail)
{
    QByteArray page = head;
    page.reserve(kScanBytes + unit.size() + tail.size());
    while (page.size() < kScanBytes)
        page += unit;
    return page + tail;
}

const char *const kScanKinds[] = {"plain page", "stray end markers", "stray begin markers", "doubled pairs",
                                  "markers in a script", "tags in attribute values", "unclosed comments",
                                  "lone '<'"};

QByteArray ScanPage(int kind)
{
    const QByteArray head = "<!DOCTYPE html>\n<html>\n<head>\n<title>t</title>\n</head>\n<body>\n";
    const QByteArray B = kMenuMarkerBegin;
    const QByteArray E = kMenuMarkerEnd;
    switch (kind) {
    case 0:
        return Repeated(head, "<p class=\"text\">Some text of the page, <a href=\"x.html\">a link</a>.</p>\n",
                        "</body>\n</html>\n");
    case 1:
        return Repeated(head, E, "\n</body>\n");
    case 2:
        return Repeated(head, B, "\n</body>\n");
    case 3:
        return Repeated(head, B + E, "\n</body>\n");
    case 4:
        return Repeated(head + "<script>\n", "s = '" + B + "<body>" + E + "</scrip';\n", "</script>\n</body>\n");
    case 5:
        return Repeated(head, "<div title=\"" + B + "<body>" + E + "\"></div>\n", "</body>\n");
    case 6:
        return Repeated(head, "<!-- ", "\n");
    default:
        return Repeated(head, "a < b <", "\n");
    }
}

void BM_FindMenuPlace(benchmark::State &state)
{
    const QByteArray page = ScanPage(int(state.range(0)));
    state.SetLabel(kScanKinds[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(SitePageState(page, QByteArray()));
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size());
}
BENCHMARK(BM_FindMenuPlace)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PutMenuIntoPage(benchmark::State &state)
{
    const QByteArray page = ScanPage(int(state.range(0)));
    state.SetLabel(kScanKinds[state.range(0)]);
    // A block of a menu's size; its content does not matter here.
    const QByteArray block = "\n" + QByteArray(8000, 'm') + "\n";
    for (auto _ : state) {
        QByteArray out;
        benchmark::DoNotOptimize(PutMenuIntoPage(page, block, &out));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * page.size());
}
BENCHMARK(BM_PutMenuIntoPage)->DenseRange(0, 7)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the wall and CPU times (medians when repeated) to print the ratios.
class CReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.error_occurred)
                continue;
            const std::string name = run.run_name.str();
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median)
                continue;
            if (median || !m_median.count(name)) {
                m_wall[name] = run.GetAdjustedRealTime();
                m_cpu[name] = run.GetAdjustedCPUTime();
                if (median)
                    m_median[name] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    // Milliseconds per MB of the page benchmarks.
    void PrintPerMb(const char *benchmark)
    {
        for (int kind = 0; kind < int(std::size(kScanKinds)); ++kind) {
            const std::string name = std::string(benchmark) + "/" + std::to_string(kind) + "/real_time";
            if (m_wall.count(name))
                std::printf("  %-20s %-26s %6.2f ms per MB\n", benchmark + 3, kScanKinds[kind],
                            m_wall[name] / (double(kScanBytes) / (1024 * 1024)));
        }
    }
    void PrintRatio(const char *label, const std::string &ours, const std::string &peer)
    {
        if (!m_wall.count(ours) || !m_wall.count(peer))
            return;
        std::printf("  %-36s wall %5.2fx   CPU (this process) %5.2fx\n", label, m_wall[ours] / m_wall[peer],
                    m_cpu[ours] / m_cpu[peer]);
    }

private:
    std::map<std::string, double> m_wall, m_cpu;
    std::map<std::string, bool> m_median;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::printf("\nRatios (ours / peer):\n");
    reporter.PrintRatio("update 1,000 pages / cp -r", "BM_UpdateSite/real_time", "BM_CpCommand/real_time");
    reporter.PrintRatio("update 1,000 pages / cp -r; sync -f", "BM_UpdateSite/real_time", "BM_CpThenSync/real_time");
    reporter.PrintRatio("update 1,000 pages / copy loop", "BM_UpdateSite/real_time", "BM_CopyInProcess/real_time");
    std::printf("\nA 2 MB page (goal: at most 50 ms per MB):\n");
    reporter.PrintPerMb("BM_FindMenuPlace");
    reporter.PrintPerMb("BM_PutMenuIntoPage");
    return 0;
}
