// One complete edit as the user makes it in the property panel: the change
// handler writes the model, the description is written from it, the drawing
// area draws the window at 1600 x 1000 and the panel is refreshed from the
// model. For a typical 2 x 2 window and for a 10 x 10 window with muntins.

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "PictureLoader.h"
#include "PropertyPanel.h"
#include "SpinEdit.h"
#include "Window.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

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

void Shape(fenster::TFenster& window, int rows, int fields, int muntins)
{
    window.SetRowCount(rows);
    for (fenster::TZeile* row = window.FirstRow(); row; row = row->next()) {
        row->SetFieldCount(fields);
        for (fenster::TFensterlement* field = row->FirstField(); field; field = field->next()) {
            field->setWidth(2000 / fields);
            field->setTiltable(true);
            field->setVerticalMuntins(muntins);
            field->setHorizontalMuntins(muntins);
        }
    }
}

void RoundTrip(benchmark::State& state, int rows, int fields, int muntins)
{
    WidgetApplication();
    fenster::EditorDocument document;
    fenster::PictureFiles pictures;
    fenster::PropertyPanel panel(document);
    fenster::DrawingArea area(document, pictures);
    area.resize(1600, 1000);
    QImage screen(1600, 1000, QImage::Format_RGB32);
    // The drawing follows each change, as the main window's repaint does.
    QObject::connect(&document, &fenster::EditorDocument::changed, [&] {
        QPainter painter(&screen);
        area.DrawScreen(painter);
    });
    Shape(document.model(), rows, fields, muntins);
    document.setSelection(rows, fields);
    document.UpdateAll();

    auto* rowHeight = panel.findChild<fenster::TSpinEdit*>(QStringLiteral("Teilhoeheedit"));
    int height = 1000;
    for (auto _ : state) {
        height = height == 1000 ? 1001 : 1000;
        rowHeight->setValue(height);
    }
    if (document.model().CurrentRow()->height() != height)
        state.SkipWithError("the edit did not reach the model");
}

void BM_PanelRoundTrip2x2(benchmark::State& state)
{
    RoundTrip(state, 2, 2, 0);
}
BENCHMARK(BM_PanelRoundTrip2x2)->Unit(benchmark::kMicrosecond);

void BM_PanelRoundTrip10x10Muntins(benchmark::State& state)
{
    RoundTrip(state, 10, 10, 3);
}
BENCHMARK(BM_PanelRoundTrip10x10Muntins)->Unit(benchmark::kMicrosecond);

} // namespace
