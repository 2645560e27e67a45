// Cost of reading a menu back from its page (CPageReader): the pages of the
// 20 x 20 and 200 x 200 menus for today's browsers, each against two peers:
// one pass of the markup scanner over the same page (what any reading of
// it costs at least) and the page writer making the page. And hostile pages
// at 25, 50, 100 and 200 MB, whose cost per byte shows that reading stays
// linear in the page's size.

#include "BenchMenus.h"
#include "PeerRatio.h"

#include "html/read/PageReader.h"
#include "model/config/AppletParameters.h"
#include "store/site/MarkupScanner.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray MenuPage(int mainCount, int subCount)
{
    CAppletParameters p;
    FillBenchMenu(p, mainCount, subCount);
    p.m_ModernPage = 1;
    return p.GenerateHTMLBytes([](const QString &) {});
}

void BM_ReadPage(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QByteArray page = MenuPage(n, n);
    for (auto _ : state) {
        CAppletParameters p;
        CPageRead read;
        const bool found = CPageReader(page, QStringLiteral("/nonexistent/page.htm")).Read(p, &read);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_ReadPage)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

// The floor: every piece of the page handed over once, nothing done with it.
void BM_ScanPage(benchmark::State &state)
{
    const int n = int(state.range(0));
    const QByteArray page = MenuPage(n, n);
    for (auto _ : state) {
        CMarkupScanner scan(page);
        qsizetype pieces = 0;
        while (scan.Next())
            ++pieces;
        benchmark::DoNotOptimize(pieces);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_ScanPage)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_WritePage(benchmark::State &state)
{
    const int n = int(state.range(0));
    CAppletParameters p;
    FillBenchMenu(p, n, n);
    p.m_ModernPage = 1;
    for (auto _ : state) {
        QByteArray page = p.GenerateHTMLBytes([](const QString &) {});
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(BM_WritePage)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

// Hostile pages of `megabytes` MB: kind 0 markup signs that start nothing,
// kind 1 a million-fold param that means nothing, repeated, kind 2 one value
// of '&' and letters that are no references. The applet comes last, so the
// whole page is read.
QByteArray HostilePage(int kind, int megabytes)
{
    const qsizetype size = qsizetype(megabytes) << 20;
    QByteArray page;
    const QByteArray applet = "<applet code=\"Glidebar.class\" width=\"1\" height=\"1\">";
    switch (kind) {
    case 0:
        page = QByteArray(size, '<') + applet + "<param name=I0-0 value=A><param name=Misc value=1,1,></applet>";
        break;
    case 1: {
        const QByteArray param = "<param name=x value=y>";
        page.reserve(size + 200);
        page += applet;
        while (page.size() < size)
            page += param;
        page += "<param name=I0-0 value=A><param name=Misc value=1,1,></applet>";
        break;
    }
    default: {
        page = applet + "<param name=I0-0 value=\"";
        QByteArray value(size, '&');
        for (qsizetype i = 1; i < size; i += 2)
            value[i] = 'a' + char(i % 26);
        page += value + "\"><param name=Misc value=1,1,></applet>";
        break;
    }
    }
    return page;
}

void BM_ReadHostile(benchmark::State &state)
{
    const QByteArray page = HostilePage(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        CAppletParameters p;
        CPageRead read;
        const bool found = CPageReader(page, QStringLiteral("/nonexistent/page.htm")).Read(p, &read);
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}
BENCHMARK(BM_ReadHostile)
    ->ArgsProduct({{0, 1, 2}, {25, 50, 100, 200}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    return RunWithPeerRatios(
        argc, argv,
        {
            {"read 20 x 20 / one scan", "BM_ReadPage/20", "BM_ScanPage/20"},
            {"read 200 x 200 / one scan", "BM_ReadPage/200", "BM_ScanPage/200"},
            {"read 20 x 20 / write", "BM_ReadPage/20", "BM_WritePage/20"},
            {"read 200 x 200 / write", "BM_ReadPage/200", "BM_WritePage/200"},
            {"read per item, 200 x 200 / 20 x 20", "BM_ReadPage/200", "BM_ReadPage/20", 40200, 420},
            {"markup signs, per MB, 200 MB / 25 MB", "BM_ReadHostile/0/200/iterations:1",
             "BM_ReadHostile/0/25/iterations:1", 200, 25},
            {"params, per MB, 200 MB / 25 MB", "BM_ReadHostile/1/200/iterations:1", "BM_ReadHostile/1/25/iterations:1",
             200, 25},
            {"references, per MB, 200 MB / 25 MB", "BM_ReadHostile/2/200/iterations:1",
             "BM_ReadHostile/2/25/iterations:1", 200, 25},
        });
}
