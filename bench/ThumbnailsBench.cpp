// Building the two preset thumbnail panels, as the editor does on its first
// showing: ThumbnailPanels draws the eleven thumbnail descriptions with the
// engine, crops them and sets up their controls. Aim: under 20 ms for all
// eleven.

#include "Presets.h"
#include "ThumbnailPanels.h"
#include "VandlBasicImage.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QImage>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Widgets need a QApplication, not the drawing benchmarks' QGuiApplication.
QApplication& WidgetApplication()
{
    static int argc = 1;
    static char name[] = "bench_thumbnails";
    static char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// A thumbnail that came out as the empty 4 x 4 picture was not drawn.
bool AllDrawn(const std::vector<QSize>& sizes)
{
    for (const QSize& size : sizes)
        if (size.width() <= 4 || size.height() <= 4)
            return false;
    return sizes.size() == fenster::Thumbnails().size();
}

void BM_BuildThumbnailPanels(benchmark::State& state)
{
    WidgetApplication();
    const QFont font(QStringLiteral("Arial"), 8);
    std::vector<QSize> sizes;
    for (auto _ : state) {
        QFrame windows;
        QFrame doors;
        fenster::ThumbnailPanels panels(windows, doors);
        panels.build(font);
        sizes.clear();
        for (const fenster::TVandlBasicImage* image : panels.thumbnails())
            sizes.push_back(image->bitmap().size());
        benchmark::DoNotOptimize(sizes.data());
    }
    if (!AllDrawn(sizes))
        state.SkipWithError("a thumbnail came out empty");
}
BENCHMARK(BM_BuildThumbnailPanels)->Unit(benchmark::kMillisecond);

// The drawing and the crop alone, without the controls.
void BM_DrawAndCropThumbnails(benchmark::State& state)
{
    WidgetApplication();
    const QFont font(QStringLiteral("Arial"), 8);
    std::vector<QSize> sizes;
    for (auto _ : state) {
        sizes.clear();
        const fenster::ThumbnailDrawingScope scope;
        for (const fenster::Thumbnail& thumbnail : fenster::Thumbnails())
            sizes.push_back(fenster::DrawThumbnailPicture(thumbnail, font).size());
        benchmark::DoNotOptimize(sizes.data());
    }
    if (!AllDrawn(sizes))
        state.SkipWithError("a thumbnail came out empty");
}
BENCHMARK(BM_DrawAndCropThumbnails)->Unit(benchmark::kMillisecond);

} // namespace
