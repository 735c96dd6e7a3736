// A full drawing as the drawing area makes it, on a 1920 x 1080 image: a
// 10 x 10 window with muntins, insect screens and edge dimensions, then 20
// free dimension lines and 20 symbols (pictures from files, kept after the
// first load).

#include "AnnotationLists.h"
#include "Engine.h"
#include "PictureLoader.h"
#include "QtCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "BenchApplication.h"
#include "TenByTenWindow.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using benchwindows::dimensionLines;
using benchwindows::symbols;
using benchwindows::tenByTen;

std::string withoutInsectScreens(std::string text)
{
    for (std::size_t at = text.find(",g,"); at != std::string::npos; at = text.find(",g,"))
        text.erase(at, 2);
    return text;
}

void fullDrawing(benchmark::State& state, bool clear, bool insectScreens = true)
{
    BenchApplication();
    QTemporaryDir folder;
    QImage arrow(48, 32, QImage::Format_RGB32);
    arrow.fill(Qt::white);
    arrow.fill(QColor(60, 60, 60));
    arrow.save(folder.filePath("Pfeil.bmp"));
    QImage handle(24, 40, QImage::Format_ARGB32);
    handle.fill(QColor(0, 0, 0, 128));
    handle.save(folder.filePath("Griff.png"));
    fenster::PictureFiles pictures(folder.path());

    const std::string description = insectScreens ? tenByTen() : withoutInsectScreens(tenByTen());
    const std::string lines = dimensionLines();
    const std::string symbolList = symbols();
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    for (auto _ : state) {
        if (clear)
            image.fill(Qt::white);
        fenster::QtCanvas canvas(painter);
        canvas.setFont(font);
        fenster::DrawWindow(canvas, 1, 1, 1918, 1078, description, fenster::EdgeDimensions::On, 1, 1, 0.0);
        fenster::DrawDimensionList(canvas, lines);
        fenster::DrawSymbolList(canvas, symbolList, "", 3, pictures);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FullDrawing10x10WithAnnotations(benchmark::State& state) { fullDrawing(state, false); }
BENCHMARK(BM_FullDrawing10x10WithAnnotations)->Unit(benchmark::kMicrosecond);

// The same with the white fill of the drawing area before each drawing.
void BM_FullDrawing10x10WithAnnotationsAndClear(benchmark::State& state) { fullDrawing(state, true); }
BENCHMARK(BM_FullDrawing10x10WithAnnotationsAndClear)->Unit(benchmark::kMicrosecond);

// Without the insect screens, to show what their clipped mesh costs.
void BM_FullDrawing10x10WithoutInsectScreens(benchmark::State& state) { fullDrawing(state, false, false); }
BENCHMARK(BM_FullDrawing10x10WithoutInsectScreens)->Unit(benchmark::kMicrosecond);

// The two list drawers alone, after one window drawing.
void BM_AnnotationListsOnly(benchmark::State& state)
{
    BenchApplication();
    QTemporaryDir folder;
    QImage arrow(48, 32, QImage::Format_RGB32);
    arrow.fill(QColor(60, 60, 60));
    arrow.save(folder.filePath("Pfeil.bmp"));
    arrow.save(folder.filePath("Griff.png"));
    fenster::PictureFiles pictures(folder.path());
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    painter.setFont(font);
    fenster::QtCanvas canvas(painter);
    canvas.setFont(font);
    fenster::DrawWindow(canvas, 1, 1, 1918, 1078, tenByTen(), fenster::EdgeDimensions::On, 1, 1, 0.0);
    const std::string lines = dimensionLines();
    const std::string symbolList = symbols();
    for (auto _ : state) {
        fenster::DrawDimensionList(canvas, lines);
        fenster::DrawSymbolList(canvas, symbolList, "", 3, pictures);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_AnnotationListsOnly)->Unit(benchmark::kMicrosecond);

} // namespace
