// Reading and writing project files: a menu as large as the wizard makes
// (20 main items, each with 20 sub items), and the largest tree a file may
// ask for (200 main items, one of them with 200 sub items); saving a page
// whose 4,200 items all name the same image. Reopening a project file of
// 20 x 20 and of 200 x 200 items is compared with inih reading the same file
// into a map, when inih is installed.

#include "BenchMenus.h"
#include "PeerRatio.h"

#include "model/config/AppletParameters.h"
#include "store/ini/IniFile.h"
#include "store/project/ProjectFile.h"
#include "store/project/StoredConfig.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <string>

#ifdef VANTREL_HAVE_INIH
#include <ini.h>
#endif

namespace {

QByteArray ProjectBytes(int mainCount, int subCount, int subMenus)
{
    CAppletParameters p;
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(mainCount, 0);
    for (int i = 0; i < mainCount; ++i) {
        CAppletMenuItem &item = *menu.GetItem(i);
        item.m_strLink = QStringLiteral("http://example.org/page%1.html").arg(i);
        item.m_strTarget = QStringLiteral("_self");
        if (i < subMenus)
            item.GetSubMenu()->SetItemCount(subCount, 1);
    }
    return ProjectIniFor(p).ToBytes();
}

void BM_LoadProject(benchmark::State &state, int mainCount, int subCount, int subMenus)
{
    const QByteArray bytes = ProjectBytes(mainCount, subCount, subMenus);
    CAppletParameters p;
    for (auto _ : state) {
        CIniFile ini;
        ini.Parse(bytes);
        LoadProjectFromIni(p, ini);
        benchmark::DoNotOptimize(p.m_pMainMenu->GetCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_WriteProject(benchmark::State &state)
{
    CAppletParameters p;
    CIniFile ini;
    ini.Parse(ProjectBytes(20, 20, 20));
    LoadProjectFromIni(p, ini);
    for (auto _ : state)
        benchmark::DoNotOptimize(ProjectIniFor(p).ToBytes());
}

// A saved project of mainCount x subCount items in a folder of its own.
struct CProjectOnDisk {
    QTemporaryDir dir;
    QString path;
    qint64 lines = 0; // the file's key lines
};

std::unique_ptr<CProjectOnDisk> SaveBenchProject(int mainCount, int subCount)
{
    auto disk = std::make_unique<CProjectOnDisk>();
    CAppletParameters p;
    FillBenchMenu(p, mainCount, subCount);
    const QByteArray bytes = ProjectIniFor(p).ToBytes();
    disk->path = disk->dir.filePath(QStringLiteral("menu.qdx"));
    QFile file(disk->path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return nullptr;
    disk->lines = bytes.count('=');
    return disk;
}

int ItemCount(int mainCount, int subCount)
{
    return mainCount + mainCount * subCount;
}

// Reopening a saved project: the file read, parsed and loaded into the menu.
void BM_ReopenProject(benchmark::State &state, int mainCount, int subCount)
{
    const auto disk = SaveBenchProject(mainCount, subCount);
    if (!disk) {
        state.SkipWithError("cannot write the project");
        return;
    }
    CAppletParameters p;
    for (auto _ : state) {
        p.LoadProject(disk->path);
        benchmark::DoNotOptimize(p.m_pMainMenu->GetCount());
    }
    if (p.m_pMainMenu->GetCount() != mainCount
        || p.m_pMainMenu->GetItem(mainCount - 1)->m_pSubMenu->GetCount() != subCount)
        state.SkipWithError("the project did not load whole");
    state.counters["items"] = ItemCount(mainCount, subCount);
}

#ifdef VANTREL_HAVE_INIH
// The peer: inih parsing the same file into a map of "section=key" (both
// lower-cased, as names compare without regard to case) to value, the first
// of a name kept.
using CInihMap = std::map<std::string, std::string>;

int InihHandler(void *user, const char *section, const char *name, const char *value)
{
    std::string key(section);
    key += '=';
    key += name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static_cast<CInihMap *>(user)->emplace(std::move(key), value);
    return 1;
}

void BM_InihIntoMap(benchmark::State &state, int mainCount, int subCount)
{
    const auto disk = SaveBenchProject(mainCount, subCount);
    if (!disk) {
        state.SkipWithError("cannot write the project");
        return;
    }
    const QByteArray path = QFile::encodeName(disk->path);
    size_t keys = 0;
    int error = 0;
    for (auto _ : state) {
        CInihMap map;
        error = ini_parse(path.constData(), InihHandler, &map);
        keys = map.size();
        benchmark::DoNotOptimize(map);
    }
    // Every key read: the same work as ours. inih's lines are at most 200
    // bytes, so of 200 x 200 it keeps the start of the "Relation" line (2,400
    // bytes) and reports the rest as an error; that one line aside, the work
    // is the same.
    state.counters["keys_missed"] = double(disk->lines - qint64(keys));
    if (qint64(keys) < disk->lines - (error != 0 ? 1 : 0))
        state.SkipWithError("inih did not read every key");
    state.counters["items"] = ItemCount(mainCount, subCount);
}
BENCHMARK_CAPTURE(BM_InihIntoMap, 20x20, 20, 20)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_InihIntoMap, 200x200, 200, 200)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_CAPTURE(BM_ReopenProject, 20x20, 20, 20)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReopenProject, 200x200, 200, 200)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadProject, wizard_20x20, 20, 20, 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadProject, bound_200_and_200, 200, 200, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteProject)->Unit(benchmark::kMillisecond);
void BM_SavePage_OneImageForEveryItem(benchmark::State &state)
{
    QTemporaryDir images, out;
    const QString image = images.filePath(QStringLiteral("item.png"));
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(4096, 'i')) != 4096)
        state.SkipWithError("cannot write the image");
    file.close();
    CAppletParameters p;
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(200, 0);
    for (int i = 0; i < 200; ++i) {
        root.GetItem(i)->m_strImage = image;
        if (i < 20) {
            CAppletMenu &sub = *root.GetSubMenu(i);
            sub.SetItemCount(200, 0);
            for (int j = 0; j < 200; ++j)
                sub.GetItem(j)->m_strImage = image;
        }
    }
    const QString page = out.filePath(QStringLiteral("page.htm"));
    for (auto _ : state)
        benchmark::DoNotOptimize(SavePage(page, out.path(), p, QStringLiteral("<html></html>"), out.path()));
}
BENCHMARK(BM_SavePage_OneImageForEveryItem)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const double small = ItemCount(20, 20);
    const double large = ItemCount(200, 200);
    return RunWithPeerRatios(argc, argv, {
        {"reopen 20 x 20 / inih", "BM_ReopenProject/20x20", "BM_InihIntoMap/20x20"},
        {"reopen 200 x 200 / inih", "BM_ReopenProject/200x200", "BM_InihIntoMap/200x200"},
        {"reopen per item, 200 x 200 / 20 x 20", "BM_ReopenProject/200x200",
         "BM_ReopenProject/20x20", large, small},
    });
}
