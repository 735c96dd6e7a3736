#pragma once

#include "Canvas.h"
#include "OddStrokes.h"
#include "PixelBuffer.h"
#include "PixelLines.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <cstdint>
#include <vector>

class QPainter;

namespace fenster {

// The Canvas over a QPainter that is active on any paint device: a QImage,
// a widget, an SVG generator, a PDF writer or a printer. Antialiasing is
// switched off, so that every pixel lands where the engine's formulas put it.
//
// The exclusive-or pen: on a QImage (32-bit formats, no transform, no clip)
// the canvas inverts the pen's pixels itself, once per pixel and call; on
// other raster devices it uses the painter's XOR raster operation. Devices
// without raster operations (SVG, PDF, printer) collect the exclusive-or
// strokes instead and, on finish(), draw only the stretches of each line that
// were drawn an odd number of times, in the colour the exclusive-or would
// leave on white. finish() runs from the destructor too; call it yourself
// when the painter ends before the canvas.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // The font of all text and text measures, and the colour of the text.
    void setFont(const QFont& font);
    void setTextColour(const QColor& colour) { m_textColour = colour; }

    void finish();

protected:
    void drawLine(PixelPoint from, PixelPoint to, const Pen& pen) override;
    void drawPolyline(std::span<const PixelPoint> points, const Pen& pen) override;
    void drawPolygon(std::span<const PixelPoint> points, const Pen& pen, const Brush& brush) override;
    void drawRectangle(PixelRect rect, const Pen& pen, const Brush& brush) override;
    void drawText(PixelPoint at, std::string_view text, Escapement escapement) override;
    TextSize measureText(std::string_view text) const override;
    int characterHeight() const override;
    void setClipPolygon(std::span<const PixelPoint> points) override;
    void clearClip() override;
    void drawImageAnd(PixelRect dest, const RasterImage& image) override;

private:
    enum class XorMode { OwnPixels, RasterOperation, EvenOddStrokes };
    XorMode xorMode() const;
    void applyPen(const Pen& pen);
    void xorStrokes(std::span<const PixelPoint> points, const Pen& pen);
    void xorPixels(std::span<const PixelPoint> points, const Pen& pen);
    bool drawsOwnPixels(const Pen& pen) const;
    void copyPixels(std::span<const PixelPoint> points, const Pen& pen);
    void drawOddStrokes();
    PixelBuffer imageBuffer() const;

    QPainter& m_painter;
    QImage* m_image = nullptr; // the device when it is a 32-bit QImage
    bool m_rasterDevice = false;
    bool m_clipped = false;
    // Set while the clip is an upright rectangle (m_clipRect): one-pixel
    // lines can still be drawn as own pixels, cut to it.
    bool m_rectClipped = false;
    QRect m_clipRect;
    bool m_finished = false;
    QColor m_textColour = Qt::black;
    std::vector<XorStroke> m_strokes;
    XorSpanFiller m_xorFiller;
};

// Conversions between the engine's plain image and QImage (ARGB32).
QImage ToQImage(const RasterImage& image);
RasterImage FromQImage(const QImage& image);

} // namespace fenster
