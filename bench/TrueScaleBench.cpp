// Writing the drawing out as a true-scale sheet (PDF, SVG) and as a CAD
// file (DXF): the 10 x 10 window with muntins and insect screens, its edge
// dimensions, 20 free dimension lines and 20 symbols. Aim: each under 20 ms.
// The baseline, measured in the same run, is the same drawing on a
// 1920 x 1080 screen picture: the files compare with it as a ratio.

#include "DrawWindow.h"
#include "DxfCanvas.h"
#include "QtCanvas.h"
#include "PictureLoader.h"
#include "TrueScalePage.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "BenchApplication.h"
#include "BenchTexts.h"

#include <benchmark/benchmark.h>

namespace {

struct Pictures {
    Pictures()
    {
        QImage arrow(48, 32, QImage::Format_RGB32);
        arrow.fill(QColor(60, 60, 60));
        arrow.save(folder.filePath("Pfeil.bmp"));
        QImage handle(24, 40, QImage::Format_ARGB32);
        handle.fill(QColor(0, 0, 0, 128));
        handle.save(folder.filePath("Griff.png"));
    }
    QTemporaryDir folder;
    fenster::PictureFiles files { folder.path() };
};

fenster::ExportDrawing drawing(Pictures& pictures)
{
    fenster::ExportDrawing d;
    d.description = tenByTen();
    d.dimensionLines = dimensionLines();
    d.symbols = symbols();
    d.symbolFolder = pictures.folder.path().toStdString();
    d.edgeDimensions = fenster::EdgeDimensions::On;
    d.pictures = &pictures.files;
    return d;
}

// 8 x 5 m at 1:25 on A3 landscape: 320 x 200 mm, it fits as asked.
void sheet(benchmark::State& state, fenster::PageFormat format)
{
    BenchApplication();
    Pictures pictures;
    fenster::TrueScaleJob job;
    job.drawing = drawing(pictures);
    job.documentName = "Fassade Nord";
    job.paper = { fenster::PaperSize::A3, fenster::PaperOrientation::Landscape };
    job.ratio = 25;
    job.format = format;
    std::size_t bytes = 0;
    int ratio = 0;
    for (auto _ : state) {
        const fenster::TrueScalePage page = fenster::RenderTrueScalePage(job);
        bytes = std::size_t(page.bytes.size());
        ratio = page.ratio;
        benchmark::DoNotOptimize(page.bytes.constData());
    }
    state.counters["bytes"] = double(bytes);
    state.counters["ratio"] = ratio;
}

void BM_TrueScalePdf10x10(benchmark::State& state) { sheet(state, fenster::PageFormat::Pdf); }
BENCHMARK(BM_TrueScalePdf10x10)->Unit(benchmark::kMillisecond);

void BM_TrueScaleSvg10x10(benchmark::State& state) { sheet(state, fenster::PageFormat::Svg); }
BENCHMARK(BM_TrueScaleSvg10x10)->Unit(benchmark::kMillisecond);

// The same at 1:10, which does not fit A3: the search for the ratio that
// fits draws the window some more times without pixels.
void BM_TrueScalePdf10x10Fitted(benchmark::State& state)
{
    BenchApplication();
    Pictures pictures;
    fenster::TrueScaleJob job;
    job.drawing = drawing(pictures);
    job.paper = { fenster::PaperSize::A3, fenster::PaperOrientation::Landscape };
    job.ratio = 10;
    int ratio = 0;
    for (auto _ : state) {
        const fenster::TrueScalePage page = fenster::RenderTrueScalePage(job);
        ratio = page.ratio;
        benchmark::DoNotOptimize(page.bytes.constData());
    }
    state.counters["ratio"] = ratio;
}
BENCHMARK(BM_TrueScalePdf10x10Fitted)->Unit(benchmark::kMillisecond);

void BM_ScreenBaseline10x10(benchmark::State& state)
{
    BenchApplication();
    Pictures pictures;
    const fenster::ExportDrawing d = drawing(pictures);
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&image);
    const QFont font = fenster::TrueScaleJob::DefaultPageFont();
    for (auto _ : state) {
        image.fill(Qt::white);
        fenster::QtCanvas canvas(painter);
        canvas.setFont(font);
        fenster::DrawWindow(canvas, 1, 1, 1918, 1078, d.description, d.edgeDimensions, 1, 1, 0.0);
        std::vector<std::string> errors;
        fenster::DrawExportAnnotations(canvas, d, errors);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ScreenBaseline10x10)->Unit(benchmark::kMillisecond);

void BM_Dxf10x10(benchmark::State& state)
{
    BenchApplication();
    Pictures pictures;
    const fenster::ExportDrawing d = drawing(pictures);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const fenster::DxfFile file = fenster::RenderDxf(d);
        bytes = file.text.size();
        benchmark::DoNotOptimize(file.text.data());
    }
    state.counters["bytes"] = double(bytes);
}
BENCHMARK(BM_Dxf10x10)->Unit(benchmark::kMillisecond);

} // namespace
