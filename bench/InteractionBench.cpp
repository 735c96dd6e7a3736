// Free dimensioning repaints the whole drawing at every pointer move: one
// move event on the drawing area to a finished frame, with the rubber-band
// preview, on a 10 x 10 window with 20 symbols and 20 dimension lines at
// 1600 x 1000.

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "Interaction.h"
#include "PictureLoader.h"

#include "BenchTexts.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QApplication& WidgetApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_PointerMoveInFreeDimensioning(benchmark::State& state)
{
    WidgetApplication();
    QTemporaryDir folder;
    QImage arrow(48, 32, QImage::Format_RGB32);
    arrow.fill(QColor(60, 60, 60));
    arrow.save(folder.filePath("Pfeil.bmp"));
    QImage handle(24, 40, QImage::Format_ARGB32);
    handle.fill(QColor(0, 0, 0, 128));
    handle.save(folder.filePath("Griff.png"));
    fenster::PictureFiles pictures(folder.path());

    fenster::EditorDocument document;
    document.setMemo1(QString::fromStdString(tenByTen()));
    document.setMemo2(QString::fromStdString(symbols()));
    document.setMemo3(QString::fromStdString(dimensionLines()));
    fenster::DrawingArea area(document, pictures);
    area.setSymbolFolder(folder.path());
    area.resize(1600, 1000);
    fenster::Interaction interaction(document, area, nullptr);
    interaction.setErrorReporter([](const QString&) {});
    // The frame: the paint event of the box, rendered into an image of its size.
    QImage frame(area.size(), QImage::Format_RGB32);
    interaction.FreiBemassungClick();
    area.render(&frame);
    interaction.PaintBox1MouseDown(QPoint(400, 500), Qt::LeftButton);
    area.render(&frame);

    int step = 0;
    for (auto _ : state) {
        const QPointF at(500 + step % 400, 300 + step % 300);
        ++step;
        QMouseEvent move(QEvent::MouseMove, at, area.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&area, &move);
        area.render(&frame);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(BM_PointerMoveInFreeDimensioning)->Unit(benchmark::kMillisecond);

} // namespace
