#include "Dimensions.h"

#include "Engine.h"
#include "IntegerText.h"
#include "Mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace fenster {

namespace {

bool usableScale()
{
    const double scale = Engine().DrawingScale;
    return scale > 0.0 && std::isfinite(scale);
}

// Whether a number of that many characters fits on a dimension of length mm.
bool numberFits(const std::string& text, double length)
{
    return double(text.size()) * 8.0 + 16.0 < length * Engine().DrawingScale;
}

// The 45-degree tick of the edge dimensions: 10 mm each way, falling to the
// right.
void edgeTick(Canvas& canvas, MmPoint reference, double x, double y)
{
    LineMm(canvas, reference, x - 10.0, y + 10.0, x + 10.0, y - 10.0);
}

// Restores the horizontal escapement on every way out.
class TurnedText {
public:
    explicit TurnedText(Canvas& canvas)
        : m_canvas(canvas)
    {
        m_canvas.setEscapement(Escapement::Up90);
    }
    ~TurnedText() { m_canvas.setEscapement(Escapement::Horizontal); }
    TurnedText(const TurnedText&) = delete;
    TurnedText& operator=(const TurnedText&) = delete;

private:
    Canvas& m_canvas;
};

// Half a length, truncated toward zero as the integer division of the
// lengths does; lengths of free dimensions may exceed 32 bits.
constexpr std::int64_t half(std::int64_t v) { return v / 2; }

} // namespace

void HorizontalText(Canvas& canvas, std::string_view text, double x, double y, MmPoint reference)
{
    const TextSize size = canvas.textExtent(text);
    const PixelPoint p = MapMm(reference, x, y);
    canvas.textOut({ SaturatingAdd(p.x, -(size.width / 2)), p.y }, text);
}

void VerticalText(Canvas& canvas, std::string_view text, double x, double y, MmPoint reference)
{
    const TextSize size = canvas.textExtent(text);
    const PixelPoint p = MapMm(reference, x, y);
    TurnedText turned(canvas);
    canvas.textOut({ SaturatingAdd(p.x, -size.height), SaturatingAdd(p.y, size.width / 2) }, text);
}

void DrawHorizontalDimension(Canvas& canvas, int x0, int length, int level)
{
    const EngineState& engine = Engine();
    if (engine.edgeDimensions == EdgeDimensions::Off || !usableScale())
        return;
    const double scale = engine.DrawingScale;
    const MmPoint origin = engine.DrawOrigin;
    canvas.setLayer(DrawingLayer::EdgeDimensions);
    const std::string text = std::to_string(length);
    const int textHeight = canvas.textExtent(text).height;
    const double off = rnd(textHeight * 1.7 * level / scale);
    const double left = x0;
    const double right = double(x0) + length;

    SetCurrentColourPen(canvas);
    LineMm(canvas, origin, left, 0, left, -off);
    LineMm(canvas, origin, right, 0, right, -off);
    const double yd = -off + 3.0 * level;
    LineMm(canvas, origin, left, yd, right, yd);
    edgeTick(canvas, origin, left, yd);
    edgeTick(canvas, origin, right, yd);
    if (numberFits(text, length))
        HorizontalText(canvas, text, double(x0) + div(length, 2), -off + (textHeight + 3) / scale, origin);
}

void DrawVerticalDimension(Canvas& canvas, int x0, int length, int level)
{
    const EngineState& engine = Engine();
    if (engine.edgeDimensions == EdgeDimensions::Off || !usableScale())
        return;
    const double scale = engine.DrawingScale;
    const MmPoint origin = engine.DrawOrigin;
    canvas.setLayer(DrawingLayer::EdgeDimensions);
    const std::string text = std::to_string(length);
    // Negative for the levels right of the window, so x0 - off lies right of x0.
    const double off = rnd(canvas.fontHeight() * 1.7 * level / scale);
    const double outer = double(x0) - off;

    SetCurrentColourPen(canvas);
    LineMm(canvas, origin, outer, 0, x0, 0);
    LineMm(canvas, origin, outer, length, x0, length);
    const double xd = outer + 3.0 * level;
    LineMm(canvas, origin, xd, 0, xd, length);
    edgeTick(canvas, origin, xd, 0);
    edgeTick(canvas, origin, xd, length);
    if (numberFits(text, length))
        VerticalText(canvas, text, outer, div(length, 2), origin);
    else
        HorizontalText(canvas, text, outer - 1.0, 0, origin);
}

void DrawFreeDimension(Canvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
    std::int32_t dy, std::int32_t dx)
{
    if (!usableScale())
        return;
    const double scale = Engine().DrawingScale;
    const MmPoint origin = Engine().AnnotationOrigin;

    if (dy != 0) {
        // The base point is the one nearer the dimension line; on equal
        // heights the second point. Both extension lines start at its height.
        const bool firstIsBase = dy > 0 ? y1 > y2 : y1 < y2;
        const double bx = firstIsBase ? x1 : x2;
        const double by = firstIsBase ? y1 : y2;
        const double ox = firstIsBase ? x2 : x1;
        const std::int64_t length = std::llabs(std::int64_t(x2) - x1);
        const double yd = by + dy;
        LineMm(canvas, origin, bx, by, bx, yd);
        LineMm(canvas, origin, ox, by, ox, yd);
        LineMm(canvas, origin, bx, yd, ox, yd);
        const double u = 3.0 / scale; // three pixels each way
        LineMm(canvas, origin, ox - u, yd + u, ox + u, yd - u);
        LineMm(canvas, origin, bx - u, yd + u, bx + u, yd - u);
        HorizontalText(canvas, std::to_string(length), std::min(bx, ox) + double(half(length)), yd, origin);
    }

    if (dx != 0) {
        const bool firstIsBase = dx > 0 ? x1 > x2 : x1 < x2;
        const double bx = firstIsBase ? x1 : x2;
        const double by = firstIsBase ? y1 : y2;
        const double oy = firstIsBase ? y2 : y1;
        const std::int64_t length = std::llabs(std::int64_t(oy) - std::int64_t(by));
        const double xd = bx + dx;
        LineMm(canvas, origin, bx, by, xd, by);
        LineMm(canvas, origin, bx, oy, xd, oy);
        LineMm(canvas, origin, xd, by, xd, oy);
        // Whole millimetres here; the strokes fall to the right on the right
        // side and rise to the right on the left side.
        const double u = rnd(3.0 / scale);
        const double s = dx > 0 ? u : -u;
        LineMm(canvas, origin, xd - s, by + u, xd + s, by - u);
        LineMm(canvas, origin, xd - s, oy + u, xd + s, oy - u);
        VerticalText(canvas, std::to_string(length), xd, std::max(by, oy) - double(half(length)), origin);
    }
}

} // namespace fenster
