// The undo history on a menu as large as the wizard makes (20 main items,
// each with 20 sub items): how long one recorded step takes, and how much
// memory one step holds. "heap_bytes_per_step" is what the heap grew by per
// step while 100 steps were recorded (glibc's count; 0 elsewhere),
// "reckoned_bytes_per_step" what the history reckons for one step.

#include "model/config/UndoHistory.h"

#include <benchmark/benchmark.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

void MakeFullMenu(CAppletParameters &p)
{
    CAppletMenu &menu = *p.m_pMainMenu;
    menu.SetItemCount(20, 0);
    for (int i = 0; i < 20; ++i) {
        CAppletMenuItem &item = *menu.GetItem(i);
        item.m_strLabel = QStringLiteral("Main item %1").arg(i + 1);
        item.m_strLink = QStringLiteral("http://example.org/page%1.html").arg(i);
        item.m_strTarget = QStringLiteral("_self");
        item.m_strImage = QStringLiteral("images/main%1.gif").arg(i);
        CAppletMenu *sub = item.GetSubMenu();
        sub->SetItemCount(20, 0);
        for (int j = 0; j < 20; ++j) {
            CAppletMenuItem &s = *sub->GetItem(j);
            s.m_strLabel = QStringLiteral("Sub item %1.%2").arg(i + 1).arg(j + 1);
            s.m_strLink = QStringLiteral("http://example.org/page%1_%2.html").arg(i).arg(j);
            s.m_strTarget = QStringLiteral("_blank");
        }
    }
}

qint64 HeapInUse()
{
#if defined(__GLIBC__)
    return static_cast<qint64>(mallinfo2().uordblks);
#else
    return 0;
#endif
}

// One step: a label typed and stored, as the item page does.
void BM_RecordStep(benchmark::State &state)
{
    CAppletParameters p;
    MakeFullMenu(p);
    CUndoHistory history;
    history.Reset(p);
    int n = 0;
    for (auto _ : state) {
        ++n;
        p.m_pMainMenu->GetItem(n % 20)->m_strLabel = QStringLiteral("Edit %1").arg(n);
        benchmark::DoNotOptimize(history.Record(p, QStringLiteral("Edit Item")));
    }
}

// Memory of 100 steps on a full menu, each step one label changed.
void BM_BytesPerStep(benchmark::State &state)
{
    qint64 heapPerStep = 0;
    qint64 reckonedPerStep = 0;
    for (auto _ : state) {
        CAppletParameters p;
        MakeFullMenu(p);
        auto history = std::make_unique<CUndoHistory>();
        history->Reset(p);
        const qint64 before = HeapInUse();
        for (int i = 1; i <= 100; ++i) {
            p.m_pMainMenu->GetItem(i % 20)->m_strLabel = QStringLiteral("Edit %1").arg(i);
            history->Record(p, QStringLiteral("Edit Item"));
        }
        heapPerStep = (HeapInUse() - before) / 100;
        reckonedPerStep = CUndoHistory::StepBytes(p);
        benchmark::DoNotOptimize(history->UndoCount());
    }
    state.counters["heap_bytes_per_step"] = static_cast<double>(heapPerStep);
    state.counters["reckoned_bytes_per_step"] = static_cast<double>(reckonedPerStep);
}

} // namespace

BENCHMARK(BM_RecordStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BytesPerStep)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();
