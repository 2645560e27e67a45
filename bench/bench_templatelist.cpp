// Opening the template page's list over the shipped template library: the
// descriptions alone (the list as it was), with a picture per row drawn as
// rows show (as the page does), and with every picture drawn up front. Each
// run makes the list, fills it, lays it out at the page's size and paints it
// once, as the page's first showing does.
#include "store/project/TemplateLibrary.h"
#include "wizard/widgets/TemplateThumbnails.h"

#include <QApplication>
#include <QListWidget>
#include <QStyledItemDelegate>

#include <benchmark/benchmark.h>

namespace {

const QString kLibrary = QStringLiteral(VANTREL_SOURCE_DIR "/res/Vantrel.qdx");
const QSize kPicture(120, 68);

enum class EPictures { None, AsShown, UpFront };

void OpenList(benchmark::State &bm, EPictures pictures)
{
    for (auto _ : bm) {
        QListWidget list;
        list.setWordWrap(true);
        list.setResizeMode(QListView::Adjust);
        list.resize(360, 260);
        if (pictures != EPictures::None) {
            auto *thumbnails = new CTemplateThumbnails(kPicture, &list);
            thumbnails->SetLibrary(kLibrary);
            list.setItemDelegate(thumbnails);
        }
        list.addItems(ListTemplates(kLibrary));
        if (pictures == EPictures::UpFront) {
            auto *thumbnails = static_cast<CTemplateThumbnails *>(list.itemDelegate());
            for (int n = 0; n < list.count(); ++n)
                benchmark::DoNotOptimize(thumbnails->Thumbnail(n, 1.0));
        }
        list.setCurrentRow(0);
        benchmark::DoNotOptimize(list.grab());
    }
}

void BM_ListDescriptionsOnly(benchmark::State &bm)
{
    OpenList(bm, EPictures::None);
}
void BM_ListPicturesAsShown(benchmark::State &bm)
{
    OpenList(bm, EPictures::AsShown);
}
void BM_ListPicturesUpFront(benchmark::State &bm)
{
    OpenList(bm, EPictures::UpFront);
}

} // namespace

BENCHMARK(BM_ListDescriptionsOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ListPicturesAsShown)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_ListPicturesUpFront)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char **argv)
{
    // Widgets need an application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
