// Feeds arbitrary text to DrawWindow on the recording canvas, and every
// other input also on the Qt canvas over a small image, whose own pixel
// routines must stay inside the image whatever the coordinates. Besides
// crashes and undefined behaviour it checks that the engine stays inside its
// table, reports a bad field width only as DataFileError, and leaves a
// usable scale behind.

#include "Engine.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"
#include "DrawWindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { });
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 65536)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // The first byte picks the edge dimensions, the selection and one of a
    // few scales, so that the automatic and the fixed scales both run.
    const unsigned choice = size > 0 ? data[0] : 0;
    static constexpr double kScales[] = { 0.0, 0.0, 0.2, 1.0, 1e-7, 5e5, -1.0, 0.0 };
    const double scale = kScales[(choice >> 1) & 7];
    const auto dimensions = (choice & 1) ? fenster::EdgeDimensions::On : fenster::EdgeDimensions::Off;

    fenster::RecordingCanvas canvas;
    try {
        fenster::DrawWindow(canvas, 1, 1, 798, 598, text, dimensions, 1, 1, scale);
    } catch (const fenster::DataFileError&) {
    }
    const fenster::EngineState& engine = fenster::Engine();
    if (!(engine.DrawingScale > 0.0) || !std::isfinite(engine.DrawingScale))
        std::abort();
    // Every drawn call stays a bounded amount of work for a real canvas.
    std::size_t points = 0;
    for (const fenster::RecordedCall& call : canvas.calls())
        points += call.points.size();
    if (points > 64u * 1024u * 1024u)
        std::abort();
    (void)canvas.trace();

    if (choice & 0x10) {
        QImage image(200, 150, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        fenster::QtCanvas qtCanvas(painter);
        try {
            fenster::DrawWindow(qtCanvas, 1, 1, 198, 148, text, dimensions, 1, 1, scale);
        } catch (const fenster::DataFileError&) {
        }
    }

    try {
        (void)fenster::NearestFieldCorner({ 500, 500 }, text);
    } catch (const fenster::DataFileError&) {
    }
    return 0;
}
