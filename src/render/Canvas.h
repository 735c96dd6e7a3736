#pragma once

#include "Geometry.h"
#include "RasterImage.h"

#include <span>
#include <string_view>

namespace fenster {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot };

// Copy paints the pen colour; Xor combines the pen colour with the pixels
// underneath by exclusive-or, so a line drawn twice at the same place leaves
// nothing behind.
enum class PenMix { Copy, Xor };

// width is in pixels; 0 and 1 both mean one pixel.
struct Pen {
    Colour colour = kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    PenMix mix = PenMix::Copy;
    friend constexpr bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushStyle { Solid, Clear };

struct Brush {
    Colour colour = kWhite;
    BrushStyle style = BrushStyle::Solid;
    friend constexpr bool operator==(const Brush&, const Brush&) = default;
};

// Text direction: Up90 turns the text by 90 degrees so that it reads from
// bottom to top; the reference point stays the glyphs' upper-left corner
// before turning.
enum class Escapement { Horizontal, Up90 };

// What the engine draws next. Canvases that keep the parts of a drawing
// apart (the layers of a CAD file) read it; the others ignore it. Each part
// of a field, the edge dimensions and the two annotation lists announce
// themselves before they draw; the announcement holds until the next one.
enum class DrawingLayer {
    Outline,
    SashBand,
    Glass,
    OpeningSymbols,
    Muntins,
    Fittings, // handle, insect screen, pleated blind, roller-shutter box
    EdgeDimensions,
    FreeDimensions,
    Symbols,
};

struct TextSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(TextSize, TextSize) = default;
};

// The surface the engine draws on, in pixels of the device. The public face
// keeps the pen, the brush, the pen position and the escapement; subclasses
// implement a few primitives that receive them explicitly. Conveniences
// (ticks, crosses, turned numbers) are written once in the engine above this
// interface.
class Canvas {
public:
    virtual ~Canvas() = default;

    void setPen(const Pen& pen) { m_pen = pen; }
    const Pen& pen() const { return m_pen; }
    void setBrush(const Brush& brush) { m_brush = brush; }
    const Brush& brush() const { return m_brush; }
    void setLayer(DrawingLayer layer) { m_layer = layer; }
    DrawingLayer layer() const { return m_layer; }

    // move-to / line-to: the line runs from the pen position to p, the end
    // pixel excluded as with the platform's line call; p becomes the position.
    void moveTo(PixelPoint p) { m_position = p; }
    void lineTo(PixelPoint p)
    {
        drawLine(m_position, p, m_pen);
        m_position = p;
    }
    PixelPoint position() const { return m_position; }

    // An open polyline through the points; fewer than two points draw nothing.
    void polyline(std::span<const PixelPoint> points)
    {
        if (points.size() >= 2)
            drawPolyline(points, m_pen);
    }
    // A closed polygon filled with the brush (winding rule) and outlined with
    // the pen; fewer than three points draw nothing.
    void polygon(std::span<const PixelPoint> points)
    {
        if (points.size() >= 3)
            drawPolygon(points, m_pen, m_brush);
    }
    // A rectangle filled with the brush and outlined with the pen; corners may
    // come in any order.
    void rectangle(PixelRect r) { drawRectangle(r, m_pen, m_brush); }

    // Text with a transparent background in the canvas's current font and
    // text colour, at the given upper-left reference point. UTF-8.
    void textOut(PixelPoint at, std::string_view text) { drawText(at, text, m_escapement); }
    // Width and height in pixels of text in the current font, unturned.
    TextSize textExtent(std::string_view text) const { return measureText(text); }
    // The font's character height in pixels, as a positive number.
    int fontHeight() const { return characterHeight(); }
    void setEscapement(Escapement e) { m_escapement = e; }
    Escapement escapement() const { return m_escapement; }

    // Clip all later drawing to a polygon (winding rule) until removeClip.
    // A polygon of fewer than three points clips everything away.
    void clipToPolygon(std::span<const PixelPoint> points) { setClipPolygon(points); }
    void removeClip() { clearClip(); }

    // Copies the whole image, stretched to dest, with destination := destination
    // AND image: white leaves the drawing untouched, dark darkens it.
    void stretchCopyAnd(PixelRect dest, const RasterImage& image)
    {
        if (!image.isEmpty())
            drawImageAnd(dest, image);
    }

protected:
    virtual void drawLine(PixelPoint from, PixelPoint to, const Pen& pen) = 0;
    virtual void drawPolyline(std::span<const PixelPoint> points, const Pen& pen) = 0;
    virtual void drawPolygon(std::span<const PixelPoint> points, const Pen& pen, const Brush& brush) = 0;
    virtual void drawRectangle(PixelRect rect, const Pen& pen, const Brush& brush) = 0;
    virtual void drawText(PixelPoint at, std::string_view text, Escapement escapement) = 0;
    virtual TextSize measureText(std::string_view text) const = 0;
    virtual int characterHeight() const = 0;
    virtual void setClipPolygon(std::span<const PixelPoint> points) = 0;
    virtual void clearClip() = 0;
    virtual void drawImageAnd(PixelRect dest, const RasterImage& image) = 0;

private:
    Pen m_pen;
    Brush m_brush;
    PixelPoint m_position;
    Escapement m_escapement = Escapement::Horizontal;
    DrawingLayer m_layer = DrawingLayer::Outline;
};

} // namespace fenster
