// Cost of making the page text: the default four-item menu, the largest
// menu the item page can make (20 main items, each with 20 sub items, every
// text filled, no images), and a menu of 4,200 items that all name one
// image missing from a folder of 3,000 files.

#include "model/AppletParameters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void FillStyles(CAppletParameters &p)
{
    p.m_HTMLTitle = QStringLiteral("Benchmark page");
    p.m_xPos = p.m_yPos = 10;
    p.m_mmWidth = p.m_smWidth = 120;
    p.m_mmHeight = p.m_smHeight = 20;
    p.m_mmItemGap = p.m_smItemGap = 2;
    p.m_mmBKColor = 0x336699;
    p.m_smBKColor = 0x996633;
}

void BM_GenerateHTML_Default(benchmark::State &state)
{
    CAppletParameters p;
    FillStyles(p);
    for (auto _ : state) {
        QString html = p.GenerateHTML();
        benchmark::DoNotOptimize(html);
    }
}
BENCHMARK(BM_GenerateHTML_Default);

void BM_GenerateHTML_Largest(benchmark::State &state)
{
    CAppletParameters p;
    FillStyles(p);
    auto fill = [](CAppletMenuItem &item, int menu, int index) {
        const QString tag = QString::number(menu) + QLatin1Char('_') + QString::number(index);
        item.m_strLabel = QStringLiteral("Menu entry ") + tag;
        item.m_strTarget = QStringLiteral("_blank");
        item.m_strLink = QStringLiteral("http://www.example.com/section/page") + tag
                         + QStringLiteral(".html");
    };
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(20, 0);
    for (int i = 0; i < 20; ++i) {
        fill(*root.GetItem(i), 0, i);
        CAppletMenu &sub = *root.GetSubMenu(i);
        sub.SetItemCount(20, 0);
        for (int j = 0; j < 20; ++j)
            fill(*sub.GetItem(j), i + 1, j);
    }
    for (auto _ : state) {
        QString html = p.GenerateHTML();
        benchmark::DoNotOptimize(html);
        state.counters["bytes"] = double(html.size());
    }
}
BENCHMARK(BM_GenerateHTML_Largest);

void BM_GenerateHTML_MissingImageInBigFolder(benchmark::State &state)
{
    QTemporaryDir folder;
    for (int i = 0; i < 3000; ++i) {
        QFile file(folder.filePath(QStringLiteral("file%1.dat").arg(i)));
        if (!file.open(QIODevice::WriteOnly))
            state.SkipWithError("cannot fill the folder");
    }
    CAppletParameters p;
    FillStyles(p);
    const QString missing = folder.filePath(QStringLiteral("missing.gif"));
    CAppletMenu &root = *p.m_pMainMenu;
    root.SetItemCount(200, 0);
    for (int i = 0; i < 200; ++i) {
        root.GetItem(i)->m_strImage = missing;
        if (i < 20) {
            CAppletMenu &sub = *root.GetSubMenu(i);
            sub.SetItemCount(200, 0);
            for (int j = 0; j < 200; ++j)
                sub.GetItem(j)->m_strImage = missing;
        }
    }
    qint64 reports = 0;
    const CMessageReporter count = [&reports](const QString &) { ++reports; };
    for (auto _ : state) {
        QString html = p.GenerateHTML(count);
        benchmark::DoNotOptimize(html);
    }
    state.counters["reports"] = double(reports) / double(state.iterations());
}
BENCHMARK(BM_GenerateHTML_MissingImageInBigFolder)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
