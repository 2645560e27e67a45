// Reading and writing project files: a menu as large as the wizard makes
// (20 main items, each with 20 sub items), and the largest tree a file may
// ask for (200 main items, one of them with 200 sub items); saving a page
// whose 4,200 items all name the same image.

#include "model/AppletParameters.h"
#include "store/IniFile.h"
#include "store/ProjectFile.h"
#include "store/StoredConfig.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

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

BENCHMARK_MAIN();
