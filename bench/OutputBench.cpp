// The drawing leaving the editor, for a window of 10 rows of 10 fields on a
// drawing area of 1600 x 1000 pixels: the screen copy put on the clipboard
// as a picture ("In Zwischenablage"), the vector copy (SVG, PDF and picture
// of "In Zwischenablage (als Meta)"), and a one-page print job of
// "Fenster drucken" into a PDF file. Aim: each under 50 ms.

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "Output.h"

#include "Engine.h"
#include "PictureLoader.h"

#include <QApplication>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QApplication& WidgetApplication()
{
    static int argc = 1;
    static char name[] = "bench_output";
    static char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

QString TenByTen()
{
    QString text = QStringLiteral("1000,1000,10,");
    for (int row = 0; row < 10; ++row) {
        text += QStringLiteral("100,10,");
        for (int field = 0; field < 10; ++field)
            text += field % 2 ? QStringLiteral("100,R,K;") : QStringLiteral("100,L,F;");
    }
    return text;
}

// The editor's output part over a document and a drawing area of its own.
struct Bench {
    Bench()
    {
        window.resize(1600, 1000);
        document.setMemo1(TenByTen());
        if (document.Auswerten1Click())
            std::abort();
        area = new fenster::DrawingArea(document, pictures, &window);
        area->setGeometry(0, 0, 1600, 1000);
        window.show();
        QApplication::processEvents();
        output = std::make_unique<fenster::Output>(
            document, *area, pictures, [](const QString&, const QString&, const QString&) { return QString(); }, window);
    }

    QApplication& app = WidgetApplication(); // before any widget
    QWidget window;
    fenster::EditorDocument document;
    fenster::PictureFiles pictures { QString() };
    fenster::DrawingArea* area = nullptr;
    std::unique_ptr<fenster::Output> output;
};

Bench& TheBench()
{
    static Bench* bench = new Bench;
    return *bench;
}

void BM_ScreenCopyToClipboard(benchmark::State& state)
{
    Bench& bench = TheBench();
    for (auto _ : state)
        bench.output->InZwischenablage1Click();
}
BENCHMARK(BM_ScreenCopyToClipboard)->Unit(benchmark::kMillisecond);

void BM_VectorCopy(benchmark::State& state)
{
    Bench& bench = TheBench();
    for (auto _ : state) {
        std::unique_ptr<QMimeData> data = bench.output->VectorCopy();
        benchmark::DoNotOptimize(data);
    }
}
BENCHMARK(BM_VectorCopy)->Unit(benchmark::kMillisecond);

void BM_PrintJobIntoPdf(benchmark::State& state)
{
    Bench& bench = TheBench();
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("Seite.pdf")));
    for (auto _ : state)
        bench.output->PrintVector(printer);
}
BENCHMARK(BM_PrintJobIntoPdf)->Unit(benchmark::kMillisecond);

} // namespace
