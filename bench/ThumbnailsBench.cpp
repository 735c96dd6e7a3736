// Building the two preset thumbnail panels, as the editor does on its first
// showing: each of the eleven thumbnail descriptions drawn by the engine
// into its bitmap (outline width 2, no edge dimensions, no highlight), put
// into a TVandlBasicImage, cropped with AutoCrop(240, 4) and set to its
// height. Aim: under 20 ms for all eleven.

#include "Engine.h"
#include "Presets.h"
#include "QtCanvas.h"
#include "VandlBasicImage.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>
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

QImage DrawThumbnail(const fenster::Thumbnail& thumbnail, const QFont& font)
{
    const fenster::ThumbnailPanelLayout& layout = fenster::Layout(thumbnail.panel);
    QImage bitmap(layout.bitmapSide, layout.bitmapSide, QImage::Format_ARGB32);
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.setFont(font);
    fenster::QtCanvas canvas(painter);
    canvas.setFont(font);
    fenster::DrawWindow(canvas, layout.drawMargin, layout.drawMargin, bitmap.width(), bitmap.height(),
        thumbnail.description, fenster::EdgeDimensions::Off, 0, 0, 0.0);
    canvas.finish();
    painter.end();
    return bitmap;
}

// The engine's settings for the thumbnails, restored afterwards.
class ThumbnailSettings {
public:
    ThumbnailSettings()
        : m_outline(fenster::Settings().Rahmen)
    {
        fenster::Settings().Rahmen = fenster::kThumbnailOutlineWidth;
        fenster::Engine().HighlightSelection = false;
    }
    ~ThumbnailSettings()
    {
        fenster::Settings().Rahmen = m_outline;
        fenster::Engine().HighlightSelection = true;
    }

private:
    int m_outline;
};

// A thumbnail that came out as the empty 4 x 4 picture was not drawn.
bool AllDrawn(const std::vector<QSize>& sizes)
{
    for (const QSize& size : sizes)
        if (size.width() <= 4 || size.height() <= 4)
            return false;
    return !sizes.empty();
}

void BM_BuildThumbnailPanels(benchmark::State& state)
{
    WidgetApplication();
    const QFont font(QStringLiteral("Arial"), 8);
    std::vector<QSize> sizes;
    for (auto _ : state) {
        QWidget windows;
        QWidget doors;
        sizes.clear();
        const ThumbnailSettings settings;
        for (const fenster::Thumbnail& thumbnail : fenster::Thumbnails()) {
            const fenster::ThumbnailPanelLayout& layout = fenster::Layout(thumbnail.panel);
            auto* image = new fenster::TVandlBasicImage(thumbnail.panel == fenster::ThumbnailPanel::Windows ? &windows : &doors);
            image->resize(layout.controlSide, layout.controlSide);
            image->setBitmap(DrawThumbnail(thumbnail, font));
            image->AutoCrop(fenster::kThumbnailCropThreshold, fenster::kThumbnailCropMargin);
            image->resize(layout.controlSide, layout.controlHeight);
            sizes.push_back(image->bitmap().size());
        }
        windows.setFixedWidth(fenster::kThumbnailPanelWidth);
        doors.setFixedWidth(fenster::kThumbnailPanelWidth);
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
        const ThumbnailSettings settings;
        for (const fenster::Thumbnail& thumbnail : fenster::Thumbnails())
            sizes.push_back(fenster::AutoCrop(DrawThumbnail(thumbnail, font), fenster::kThumbnailCropThreshold,
                fenster::kThumbnailCropMargin)
                                .size());
        benchmark::DoNotOptimize(sizes.data());
    }
    if (!AllDrawn(sizes))
        state.SkipWithError("a thumbnail came out empty");
}
BENCHMARK(BM_DrawAndCropThumbnails)->Unit(benchmark::kMillisecond);

} // namespace
