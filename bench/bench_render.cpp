// Drawing a large menu: 20 main items, each with a sub menu of 20 items,
// one sub menu open, one item hovered. The live preview redraws on every
// pointer move, so one picture must take well under a frame (16 ms).
#include "MenuFixture.h"
#include "model/config/AppletParameters.h"
#include "render/MenuRenderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// The tests' full menu (20 x 20 items with labels) in a look that draws
// every part: raised and sunken borders, shaded or flat fills, three fonts.
void MakeMenu(CAppletParameters &p, bool shaded, int mainAlign)
{
    MakeFullMenu(p, 20, 20);
    p.m_appBKColor = 0xf0f0f0;
    p.m_xPos = 4;
    p.m_yPos = 4;
    p.m_mmBKColor = 0x603010;
    p.m_mmBKStyle = 3;
    p.m_mmMenuAlign = mainAlign;
    p.m_mmWidth = 120;
    p.m_mmHeight = 24;
    p.m_mmItemGap = 2;
    p.m_mmBorderThick = 2;
    p.m_smBKColor = 0xffffff;
    p.m_smBKStyle = 3;
    p.m_smWidth = 140;
    p.m_smHeight = 22;
    p.m_smItemGap = 0;
    p.m_smBorderThick = 1;
    for (int state = 1; state <= 3; ++state)
        for (bool sub : {false, true}) {
            CItemStyle s = ItemStyleFields(p, sub, state);
            *s.pBKColor = 0x996633 + state * 0x101010;
            *s.pFRColor = 0xffffff;
            *s.pBorderStyle = state == 3 ? 2 : 1;
            *s.pFillStyle = shaded ? 2 + state : 1;
            *s.pFontName = state - 1;
            *s.pFontSize = 2;
            *s.pFontStyle = state == 2 ? 1 : 0;
            *s.pAlign = 4;
        }
    // Drawing is measured, not looking for image files on every picture.
    for (int i = 0; i < p.m_pMainMenu->GetCount(); ++i) {
        CAppletMenuItem *item = p.m_pMainMenu->GetItem(i);
        item->m_strImage.clear();
        for (int k = 0; k < item->m_pSubMenu->GetCount(); ++k)
            item->m_pSubMenu->GetItem(k)->m_strImage.clear();
    }
}

void DrawMenu(benchmark::State &bm, bool shaded, int mainAlign)
{
    CAppletParameters params;
    MakeMenu(params, shaded, mainAlign);
    const CMenuRenderer renderer;
    CRenderState state;
    state.nOpenSubMenu = 9;
    state.hover = {9, 4};
    state.pressed = {9, -1};
    const QSize size = CMenuLayout(params).AppletRect().size();
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : bm) {
        QPainter painter(&image);
        renderer.Draw(painter, params, state);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    bm.SetLabel(QStringLiteral("%1x%2 px").arg(size.width()).arg(size.height()).toStdString());
}

void BM_Draw20x20Shaded(benchmark::State &bm) { DrawMenu(bm, true, 0); }
void BM_Draw20x20Flat(benchmark::State &bm) { DrawMenu(bm, false, 0); }
void BM_Draw20x20Horizontal(benchmark::State &bm) { DrawMenu(bm, true, 1); }

// What the preview does on a pointer move before it redraws.
void BM_HitTest20x20(benchmark::State &bm)
{
    CAppletParameters params;
    MakeMenu(params, true, 0);
    int y = 0;
    for (auto _ : bm) {
        const CMenuLayout layout(params);
        benchmark::DoNotOptimize(layout.HitTest(QPoint(70, y), 9));
        y = (y + 7) % 600;
    }
}

} // namespace

BENCHMARK(BM_Draw20x20Shaded)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Draw20x20Flat)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Draw20x20Horizontal)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_HitTest20x20)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    // Fonts need a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
