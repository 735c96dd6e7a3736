#include "QtCanvas.h"

#include "RecordingCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numeric>
#include <tuple>

namespace fenster {

namespace {

// Qt's rasterizer works in fixed point; coordinates beyond this are cut
// away geometrically before they reach it. Far outside any real device.
constexpr int kCoordinateLimit = 1 << 20;

bool withinLimit(PixelPoint p)
{
    return std::abs(std::int64_t(p.x)) <= kCoordinateLimit && std::abs(std::int64_t(p.y)) <= kCoordinateLimit;
}

bool allWithinLimit(std::span<const PixelPoint> points)
{
    return std::all_of(points.begin(), points.end(), withinLimit);
}

QPoint toQPoint(PixelPoint p)
{
    return { p.x, p.y };
}

struct PointF {
    double x;
    double y;
};

// Liang-Barsky: the part of a->b inside the square of the coordinate limit.
bool clipSegment(PointF& a, PointF& b)
{
    const double L = kCoordinateLimit;
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { a.x + L, L - a.x, a.y + L, L - a.y };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return false;
    const PointF from { a.x + t0 * dx, a.y + t0 * dy };
    const PointF to { a.x + t1 * dx, a.y + t1 * dy };
    a = from;
    b = to;
    return true;
}

// Sutherland-Hodgman against the square of the coordinate limit; keeps the
// filled area (winding rule) of the polygon inside the square.
QPolygon clipPolygon(std::span<const PixelPoint> points)
{
    std::vector<PointF> poly;
    poly.reserve(points.size());
    for (PixelPoint p : points)
        poly.push_back({ double(p.x), double(p.y) });
    const double L = kCoordinateLimit;
    for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
        const auto inside = [&](const PointF& p) {
            switch (edge) {
            case 0:
                return p.x >= -L;
            case 1:
                return p.x <= L;
            case 2:
                return p.y >= -L;
            default:
                return p.y <= L;
            }
        };
        const auto cut = [&](const PointF& a, const PointF& b) {
            double t = 0.0;
            switch (edge) {
            case 0:
                t = (-L - a.x) / (b.x - a.x);
                break;
            case 1:
                t = (L - a.x) / (b.x - a.x);
                break;
            case 2:
                t = (-L - a.y) / (b.y - a.y);
                break;
            default:
                t = (L - a.y) / (b.y - a.y);
                break;
            }
            return PointF { a.x + t * (b.x - a.x), a.y + t * (b.y - a.y) };
        };
        std::vector<PointF> out;
        out.reserve(poly.size() + 4);
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const PointF& cur = poly[i];
            const PointF& prev = poly[(i + poly.size() - 1) % poly.size()];
            if (inside(cur)) {
                if (!inside(prev))
                    out.push_back(cut(prev, cur));
                out.push_back(cur);
            } else if (inside(prev)) {
                out.push_back(cut(prev, cur));
            }
        }
        poly = std::move(out);
    }
    QPolygon result;
    result.reserve(int(poly.size()));
    for (const PointF& p : poly)
        result.append(QPoint(rnd(p.x), rnd(p.y)));
    return result;
}

QPolygon toQPolygon(std::span<const PixelPoint> points)
{
    if (!allWithinLimit(points))
        return clipPolygon(points);
    QPolygon polygon;
    polygon.reserve(int(points.size()));
    for (PixelPoint p : points)
        polygon.append(toQPoint(p));
    return polygon;
}

PixelPoint clampPoint(PixelPoint p)
{
    return { std::clamp(p.x, -kCoordinateLimit, kCoordinateLimit), std::clamp(p.y, -kCoordinateLimit, kCoordinateLimit) };
}

Qt::PenStyle qtStyle(PenStyle style)
{
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::DashDotDot:
        return Qt::DashDotDotLine;
    }
    return Qt::SolidLine;
}

QColor qtColour(Colour c)
{
    return QColor(c.r, c.g, c.b);
}

// Pen widths from settings are bounded so that no stroke gets absurd.
int penWidth(const Pen& pen)
{
    return std::clamp(pen.width, 1, 1000);
}

QPen qtPen(const Pen& pen)
{
    QPen result(qtColour(pen.colour));
    const int width = penWidth(pen);
    result.setWidth(width);
    result.setStyle(qtStyle(pen.style));
    // One-pixel lines leave out their end pixel like the platform's line
    // call; wide pens have round ends and joins.
    if (width <= 1) {
        result.setCapStyle(Qt::FlatCap);
        result.setJoinStyle(Qt::MiterJoin);
    } else {
        result.setCapStyle(Qt::RoundCap);
        result.setJoinStyle(Qt::RoundJoin);
    }
    return result;
}

// Walks the pixels of the centre line of a polyline, segment by segment,
// each from its start pixel to its end pixel (included when withEnd), and
// calls plot(x, y) for each. Steps whose major coordinate lies further than
// margin outside the W x H image are skipped, so that any coordinates cost
// at most the image's size per segment.
template<typename Plot>
void walkCentreLine(std::span<const PixelPoint> points, bool withEnd, std::int64_t margin, int W, int H, Plot&& plot)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::int64_t x0 = points[i].x, y0 = points[i].y;
        const std::int64_t x1 = points[i + 1].x, y1 = points[i + 1].y;
        // A segment wholly beside the image costs nothing.
        if (std::max(x0, x1) < -margin || std::min(x0, x1) > W + margin || std::max(y0, y1) < -margin
            || std::min(y0, y1) > H + margin)
            continue;
        const std::int64_t adx = std::llabs(x1 - x0), ady = std::llabs(y1 - y0);
        if (adx == 0 && ady == 0) {
            if (withEnd)
                plot(x0, y0);
            continue;
        }
        const bool xMajor = adx >= ady;
        const std::int64_t major0 = xMajor ? x0 : y0;
        const std::int64_t major1 = xMajor ? x1 : y1;
        const std::int64_t minor0 = xMajor ? y0 : x0;
        const std::int64_t minor1 = xMajor ? y1 : x1;
        const std::int64_t length = xMajor ? adx : ady;
        const std::int64_t extent = xMajor ? W : H;
        const std::int64_t sign = major1 >= major0 ? 1 : -1;
        // Only the steps whose major coordinate lies on the image.
        std::int64_t kFirst = 0;
        std::int64_t kLast = withEnd ? length : length - 1;
        if (sign > 0) {
            kFirst = std::max(kFirst, -margin - major0);
            kLast = std::min(kLast, extent + margin - major0);
        } else {
            kFirst = std::max(kFirst, major0 - (extent + margin));
            kLast = std::min(kLast, major0 + margin);
        }
        if (minor1 == minor0) {
            // Upright and level lines (meshes, bars, frames): no slope to follow.
            for (std::int64_t k = kFirst; k <= kLast; ++k) {
                if (xMajor)
                    plot(major0 + sign * k, minor0);
                else
                    plot(minor0, major0 + sign * k);
            }
            continue;
        }
        const double slope = double(minor1 - minor0) / double(length);
        for (std::int64_t k = kFirst; k <= kLast; ++k) {
            const std::int64_t major = major0 + sign * k;
            // floor without the library call: truncate, then step down for negatives.
            const double t = double(k) * slope + 0.5;
            std::int64_t offset = std::int64_t(t);
            if (t < double(offset))
                --offset;
            const std::int64_t minor = minor0 + offset;
            if (xMajor)
                plot(major, minor);
            else
                plot(minor, major);
        }
    }
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter)
    : m_painter(painter)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    QPaintDevice* device = m_painter.device();
    if (device && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        const QImage::Format format = image->format();
        if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
            || format == QImage::Format_ARGB32_Premultiplied)
            m_image = image;
    }
    m_rasterDevice = m_painter.paintEngine() && m_painter.paintEngine()->type() == QPaintEngine::Raster;
}

QtCanvas::~QtCanvas()
{
    finish();
}

void QtCanvas::setFont(const QFont& font)
{
    m_painter.setFont(font);
}

void QtCanvas::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_painter.isActive())
        drawOddStrokes();
    m_strokes.clear();
}

QtCanvas::XorMode QtCanvas::xorMode() const
{
    if (m_image && !m_clipped && !m_painter.hasClipping() && m_painter.deviceTransform().isIdentity()
        && m_painter.opacity() == 1.0)
        return XorMode::OwnPixels;
    if (m_rasterDevice)
        return XorMode::RasterOperation;
    return XorMode::EvenOddStrokes;
}

void QtCanvas::applyPen(const Pen& pen)
{
    m_painter.setPen(qtPen(pen));
}

bool QtCanvas::drawsOwnPixels(const Pen& pen) const
{
    if (pen.style != PenStyle::Solid || penWidth(pen) != 1
        || m_painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    if (m_rectClipped)
        return m_image && m_painter.deviceTransform().isIdentity() && m_painter.opacity() == 1.0;
    return xorMode() == XorMode::OwnPixels;
}

void QtCanvas::copyPixels(std::span<const PixelPoint> points, const Pen& pen)
{
    QImage& image = *m_image;
    const int W = image.width();
    const int H = image.height();
    const std::uint32_t colour = 0xff000000u | (std::uint32_t(pen.colour.r) << 16) | (std::uint32_t(pen.colour.g) << 8)
        | pen.colour.b;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    // Within the image, and within the clip rectangle when there is one.
    std::int64_t x0 = 0, y0 = 0, x1 = W, y1 = H;
    if (m_rectClipped) {
        x0 = std::max<std::int64_t>(x0, m_clipRect.left());
        y0 = std::max<std::int64_t>(y0, m_clipRect.top());
        x1 = std::min<std::int64_t>(x1, std::int64_t(m_clipRect.left()) + m_clipRect.width());
        y1 = std::min<std::int64_t>(y1, std::int64_t(m_clipRect.top()) + m_clipRect.height());
    }
    walkCentreLine(points, false, 1, W, H, [&](std::int64_t x, std::int64_t y) {
        if (x >= x0 && y >= y0 && x < x1 && y < y1)
            reinterpret_cast<std::uint32_t*>(bits + qsizetype(y) * stride)[x] = colour;
    });
}

void QtCanvas::drawLine(PixelPoint from, PixelPoint to, const Pen& pen)
{
    if (pen.mix == PenMix::Xor) {
        const PixelPoint points[] = { from, to };
        xorStrokes(points, pen);
        return;
    }
    if (drawsOwnPixels(pen)) {
        const PixelPoint points[] = { from, to };
        copyPixels(points, pen);
        return;
    }
    applyPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    if (withinLimit(from) && withinLimit(to)) {
        m_painter.drawLine(toQPoint(from), toQPoint(to));
        return;
    }
    PointF a { double(from.x), double(from.y) };
    PointF b { double(to.x), double(to.y) };
    if (clipSegment(a, b))
        m_painter.drawLine(QPoint(rnd(a.x), rnd(a.y)), QPoint(rnd(b.x), rnd(b.y)));
}

void QtCanvas::drawPolyline(std::span<const PixelPoint> points, const Pen& pen)
{
    if (pen.mix == PenMix::Xor) {
        xorStrokes(points, pen);
        return;
    }
    if (drawsOwnPixels(pen)) {
        copyPixels(points, pen);
        return;
    }
    if (!allWithinLimit(points)) {
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            drawLine(points[i], points[i + 1], pen);
        return;
    }
    applyPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolyline(toQPolygon(points));
}

void QtCanvas::drawPolygon(std::span<const PixelPoint> points, const Pen& pen, const Brush& brush)
{
    const QPolygon polygon = toQPolygon(points);
    if (polygon.size() < 3)
        return;
    if (brush.style == BrushStyle::Solid) {
        // An upright rectangle, the most common field, fills as a rectangle:
        // the same pixels (those whose centres lie inside) at a fraction of
        // the cost.
        const bool upright = polygon.size() == 4
            && ((polygon[0].y() == polygon[1].y() && polygon[1].x() == polygon[2].x() && polygon[2].y() == polygon[3].y()
                    && polygon[3].x() == polygon[0].x())
                || (polygon[0].x() == polygon[1].x() && polygon[1].y() == polygon[2].y()
                    && polygon[2].x() == polygon[3].x() && polygon[3].y() == polygon[0].y()));
        if (upright) {
            const QRect box = polygon.boundingRect();
            m_painter.fillRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1), qtColour(brush.colour));
        } else {
            m_painter.setPen(Qt::NoPen);
            m_painter.setBrush(qtColour(brush.colour));
            m_painter.drawPolygon(polygon, Qt::WindingFill);
        }
    }
    std::vector<PixelPoint> closed;
    closed.reserve(std::size_t(polygon.size()) + 1);
    for (const QPoint& p : polygon)
        closed.push_back({ p.x(), p.y() });
    closed.push_back(closed.front());
    drawPolyline(closed, pen);
}

void QtCanvas::drawRectangle(PixelRect rect, const Pen& pen, const Brush& brush)
{
    const PixelPoint a = clampPoint({ std::min(rect.left, rect.right), std::min(rect.top, rect.bottom) });
    const PixelPoint b = clampPoint({ std::max(rect.left, rect.right), std::max(rect.top, rect.bottom) });
    if (b.x <= a.x || b.y <= a.y)
        return;
    // The platform rectangle covers left..right-1 and top..bottom-1, its
    // outline inside that area.
    if (brush.style == BrushStyle::Solid)
        m_painter.fillRect(QRect(a.x, a.y, b.x - a.x, b.y - a.y), qtColour(brush.colour));
    const PixelPoint outline[] = { a, { b.x - 1, a.y }, { b.x - 1, b.y - 1 }, { a.x, b.y - 1 }, a };
    if (pen.mix == PenMix::Xor) {
        xorStrokes(outline, pen);
        return;
    }
    if (drawsOwnPixels(pen)) {
        copyPixels(outline, pen);
        return;
    }
    applyPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    if (b.x - a.x == 1 || b.y - a.y == 1)
        m_painter.drawLine(QPoint(a.x, a.y), QPoint(b.x - 1, b.y - 1));
    else
        m_painter.drawRect(QRect(a.x, a.y, b.x - a.x - 1, b.y - a.y - 1));
}

void QtCanvas::drawText(PixelPoint at, std::string_view text, Escapement escapement)
{
    if (!withinLimit(at) || text.empty())
        return;
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    m_painter.setPen(m_textColour);
    if (escapement == Escapement::Horizontal) {
        m_painter.drawText(QPoint(at.x, at.y + metrics.ascent()), string);
        return;
    }
    m_painter.save();
    m_painter.translate(at.x, at.y);
    m_painter.rotate(-90.0);
    m_painter.drawText(QPoint(0, metrics.ascent()), string);
    m_painter.restore();
}

TextSize QtCanvas::measureText(std::string_view text) const
{
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFontMetrics metrics(m_painter.font(), m_painter.device());
    return { metrics.horizontalAdvance(string), metrics.height() };
}

int QtCanvas::characterHeight() const
{
    const QFont font = m_painter.font();
    if (font.pixelSize() > 0)
        return font.pixelSize();
    const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    return std::max(1, rnd(font.pointSizeF() * dpi / 72.0));
}

void QtCanvas::setClipPolygon(std::span<const PixelPoint> points)
{
    m_clipped = true;
    m_rectClipped = false;
    const QPolygon polygon = toQPolygon(points);
    if (polygon.size() < 3) {
        m_painter.setClipRect(QRect(0, 0, 0, 0));
        return;
    }
    // The glass of a rectangular field is an upright rectangle: as a clip
    // rectangle it covers the same pixels and clips far faster than a path.
    if (polygon.size() == 4) {
        const QPoint& a = polygon[0];
        const QPoint& c = polygon[2];
        const QPoint& b = polygon[1];
        const QPoint& d = polygon[3];
        const bool upright = (a.x() == b.x() && b.y() == c.y() && c.x() == d.x() && d.y() == a.y())
            || (a.y() == b.y() && b.x() == c.x() && c.y() == d.y() && d.x() == a.x());
        if (upright) {
            const int left = std::min(a.x(), c.x());
            const int top = std::min(a.y(), c.y());
            m_clipRect = QRect(left, top, std::abs(c.x() - a.x()), std::abs(c.y() - a.y()));
            m_rectClipped = true;
            m_painter.setClipRect(m_clipRect);
            return;
        }
    }
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addPolygon(polygon);
    path.closeSubpath();
    m_painter.setClipPath(path);
}

void QtCanvas::clearClip()
{
    m_clipped = false;
    m_rectClipped = false;
    m_painter.setClipping(false);
}

void QtCanvas::drawImageAnd(PixelRect dest, const RasterImage& image)
{
    const PixelPoint a = clampPoint({ std::min(dest.left, dest.right), std::min(dest.top, dest.bottom) });
    const PixelPoint b = clampPoint({ std::max(dest.left, dest.right), std::max(dest.top, dest.bottom) });
    if (b.x <= a.x || b.y <= a.y)
        return;
    const QRect target(a.x, a.y, b.x - a.x, b.y - a.y);
    QImage source = ToQImage(image).convertToFormat(QImage::Format_RGB32);
    if (m_rasterDevice) {
        const QPainter::CompositionMode mode = m_painter.compositionMode();
        m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        m_painter.drawImage(target, source);
        m_painter.setCompositionMode(mode);
        return;
    }
    // Without raster operations: white is left out, which on a white page
    // is what AND leaves behind.
    source = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(source.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            if ((row[x] & 0xffffffu) == 0xffffffu)
                row[x] = 0;
    }
    m_painter.drawImage(target, source);
}

void QtCanvas::xorStrokes(std::span<const PixelPoint> points, const Pen& pen)
{
    switch (xorMode()) {
    case XorMode::OwnPixels:
        if (pen.style == PenStyle::Solid) {
            xorPixels(points, pen);
            return;
        }
        [[fallthrough]];
    case XorMode::RasterOperation: {
        const QPainter::CompositionMode mode = m_painter.compositionMode();
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        Pen copy = pen;
        copy.mix = PenMix::Copy;
        drawPolyline(points, copy);
        m_painter.setCompositionMode(mode);
        return;
    }
    case XorMode::EvenOddStrokes:
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            PixelPoint from = points[i];
            PixelPoint to = points[i + 1];
            if (!withinLimit(from) || !withinLimit(to)) {
                PointF a { double(from.x), double(from.y) };
                PointF b { double(to.x), double(to.y) };
                if (!clipSegment(a, b))
                    continue;
                from = { rnd(a.x), rnd(a.y) };
                to = { rnd(b.x), rnd(b.y) };
            }
            if (!(from == to))
                m_strokes.push_back({ from, to, pen });
        }
        return;
    }
}

void QtCanvas::xorPixels(std::span<const PixelPoint> points, const Pen& pen)
{
    QImage& image = *m_image;
    const int W = image.width();
    const int H = image.height();
    if (W <= 0 || H <= 0)
        return;
    const int width = penWidth(pen);
    const std::uint32_t colour = (std::uint32_t(pen.colour.r) << 16) | (std::uint32_t(pen.colour.g) << 8) | pen.colour.b;

    // The pen's footprint: a disc of the pen's diameter around each pixel
    // of the centre line, as one span per row.
    const int low = -(width / 2);
    const int high = low + width - 1;
    const double radius = width / 2.0;
    std::vector<std::pair<int, int>> footprint; // row offset low + i: dx from, dx to
    for (int dy = low; dy <= high; ++dy) {
        int from = high + 1;
        int to = low - 1;
        for (int dx = low; dx <= high; ++dx)
            if (width <= 2 || dx * dx + dy * dy <= radius * radius + 0.25) {
                from = std::min(from, dx);
                to = std::max(to, dx);
            }
        footprint.push_back({ from, to });
    }

    // The centre line's pixels are gathered as straight runs (along a row
    // or down a column), each run widened by the footprint into one span per
    // row; the spans of the whole call are merged, so that every covered
    // pixel is inverted exactly once.
    std::vector<Span>& spans = m_spans;
    spans.clear();
    bool haveRun = false;
    std::int64_t runX0 = 0, runX1 = 0, runY0 = 0, runY1 = 0;
    const auto flush = [&] {
        if (!haveRun)
            return;
        haveRun = false;
        const std::int64_t yFirst = std::max<std::int64_t>(runY0 + low, 0);
        const std::int64_t yLast = std::min<std::int64_t>(runY1 + high, H - 1);
        for (std::int64_t y = yFirst; y <= yLast; ++y) {
            // The footprint rows of the run's centres that reach row y.
            const std::int64_t oLow = std::max<std::int64_t>(low, y - runY1);
            const std::int64_t oHigh = std::min<std::int64_t>(high, y - runY0);
            int from = high + 1;
            int to = low - 1;
            for (std::int64_t o = oLow; o <= oHigh; ++o) {
                from = std::min(from, footprint[std::size_t(o - low)].first);
                to = std::max(to, footprint[std::size_t(o - low)].second);
            }
            if (from > to)
                continue;
            const std::int64_t x0 = std::max<std::int64_t>(runX0 + from, 0);
            const std::int64_t x1 = std::min<std::int64_t>(runX1 + to, W - 1);
            if (x0 <= x1)
                spans.push_back({ int(y), int(x0), int(x1) });
        }
    };
    const auto plot = [&](std::int64_t x, std::int64_t y) {
        if (haveRun) {
            const bool horizontal = runY0 == runY1 && y == runY0 && (x == runX0 - 1 || x == runX1 + 1);
            const bool vertical = runX0 == runX1 && x == runX0 && (y == runY0 - 1 || y == runY1 + 1);
            const bool single = runX0 == runX1 && runY0 == runY1;
            if ((horizontal && (single || runX0 != runX1)) || (vertical && (single || runY0 != runY1))) {
                runX0 = std::min(runX0, x);
                runX1 = std::max(runX1, x);
                runY0 = std::min(runY0, y);
                runY1 = std::max(runY1, y);
                return;
            }
            if (x >= runX0 && x <= runX1 && y >= runY0 && y <= runY1)
                return;
        }
        flush();
        haveRun = true;
        runX0 = runX1 = x;
        runY0 = runY1 = y;
    };

    // One-pixel lines leave out their end pixel, as the platform's line
    // call does; wide pens cover their ends.
    walkCentreLine(points, width > 1, width, W, H, plot);
    flush();

    if (spans.empty())
        return;
    // Spans by row with a counting sort (rows are few and dense), then each
    // row's few spans by their left end.
    int yMin = spans.front().y;
    int yMax = yMin;
    for (const Span& span : spans) {
        yMin = std::min(yMin, span.y);
        yMax = std::max(yMax, span.y);
    }
    std::vector<std::uint32_t>& starts = m_rowStarts;
    starts.assign(std::size_t(yMax - yMin) + 2, 0);
    for (const Span& span : spans)
        ++starts[std::size_t(span.y - yMin) + 1];
    for (std::size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    std::vector<Span>& sorted = m_sortedSpans;
    sorted.resize(spans.size());
    {
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (const Span& span : spans)
            sorted[next[std::size_t(span.y - yMin)]++] = span;
    }

    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (std::size_t r = 0; r + 1 < starts.size(); ++r) {
        const auto begin = sorted.begin() + std::ptrdiff_t(starts[r]);
        const auto end = sorted.begin() + std::ptrdiff_t(starts[r + 1]);
        if (begin == end)
            continue;
        std::sort(begin, end);
        auto* row = reinterpret_cast<std::uint32_t*>(bits + qsizetype(yMin + int(r)) * stride);
        auto it = begin;
        while (it != end) {
            int x0 = it->x0;
            int x1 = it->x1;
            ++it;
            while (it != end && it->x0 <= x1 + 1) {
                x1 = std::max(x1, it->x1);
                ++it;
            }
            for (int x = x0; x <= x1; ++x)
                row[x] ^= colour;
        }
    }
}

void QtCanvas::drawOddStrokes()
{
    if (m_strokes.empty())
        return;
    // Strokes on the same line with the same pen cancel where they overlap
    // an even number of times. A line is keyed by its reduced direction and
    // its offset; positions along it by the projection on the direction.
    struct LineKey {
        std::int64_t dx, dy, offset;
        int width;
        std::int32_t colour;
        PenStyle style;
        bool operator<(const LineKey& o) const
        {
            return std::tie(dx, dy, offset, width, colour, style) < std::tie(o.dx, o.dy, o.offset, o.width, o.colour, o.style);
        }
    };
    std::map<LineKey, std::vector<std::pair<std::int64_t, int>>> lines;
    for (const Stroke& s : m_strokes) {
        std::int64_t dx = std::int64_t(s.to.x) - s.from.x;
        std::int64_t dy = std::int64_t(s.to.y) - s.from.y;
        const std::int64_t g = std::gcd(dx, dy);
        dx /= g;
        dy /= g;
        if (dx < 0 || (dx == 0 && dy < 0)) {
            dx = -dx;
            dy = -dy;
        }
        const LineKey key { dx, dy, dy * s.from.x - dx * s.from.y, penWidth(s.pen), s.pen.colour.colorRef(), s.pen.style };
        std::int64_t t0 = dx * s.from.x + dy * s.from.y;
        std::int64_t t1 = dx * s.to.x + dy * s.to.y;
        if (t0 > t1)
            std::swap(t0, t1);
        auto& events = lines[key];
        events.push_back({ t0, 1 });
        events.push_back({ t1, -1 });
    }
    m_painter.setBrush(Qt::NoBrush);
    for (auto& entry : lines) {
        const LineKey& key = entry.first;
        auto& events = entry.second;
        std::sort(events.begin(), events.end());
        Pen pen { Colour::fromColorRef(key.colour), key.width, key.style, PenMix::Copy };
        // What the exclusive-or leaves on a white page.
        pen.colour = { std::uint8_t(pen.colour.r ^ 0xff), std::uint8_t(pen.colour.g ^ 0xff), std::uint8_t(pen.colour.b ^ 0xff) };
        QPen qpen = qtPen(pen);
        qpen.setCapStyle(Qt::SquareCap);
        m_painter.setPen(qpen);
        const std::int64_t norm = key.dx * key.dx + key.dy * key.dy;
        const auto pointAt = [&](std::int64_t t) {
            return QPointF(double(t * key.dx + key.offset * key.dy) / double(norm),
                double(t * key.dy - key.offset * key.dx) / double(norm));
        };
        int depth = 0;
        std::int64_t start = 0;
        std::size_t i = 0;
        while (i < events.size()) {
            const std::int64_t t = events[i].first;
            const bool wasOdd = (depth & 1) != 0;
            while (i < events.size() && events[i].first == t) {
                depth += events[i].second > 0 ? 1 : -1;
                ++i;
            }
            const bool isOdd = (depth & 1) != 0;
            // Every stroke start or end flips the parity of what follows.
            if (!wasOdd && isOdd) {
                start = t;
            } else if (wasOdd && !isOdd && t > start) {
                m_painter.drawLine(pointAt(start), pointAt(t));
            }
        }
    }
}

QImage ToQImage(const RasterImage& image)
{
    if (image.isEmpty())
        return {};
    QImage result(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(image.width)), image.width,
            reinterpret_cast<QRgb*>(result.scanLine(y)));
    return result;
}

RasterImage FromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage source = image.convertToFormat(QImage::Format_ARGB32);
    RasterImage result(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        std::copy_n(row, source.width(), result.pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(source.width())));
    }
    return result;
}

} // namespace fenster
