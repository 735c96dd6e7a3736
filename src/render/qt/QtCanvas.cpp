#include "QtCanvas.h"

#include "CoordinateClip.h"
#include "PixelLines.h"
#include "RecordingCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fenster {

namespace {

QPoint toQPoint(PixelPoint p)
{
    return { p.x, p.y };
}

QPolygon toQPolygonOf(const std::vector<PixelPoint>& points)
{
    QPolygon polygon;
    polygon.reserve(int(points.size()));
    for (PixelPoint p : points)
        polygon.append(toQPoint(p));
    return polygon;
}

QPolygon toQPolygon(std::span<const PixelPoint> points)
{
    if (!AllWithinCoordinateLimit(points))
        return toQPolygonOf(ClipPolygonToLimit(points));
    QPolygon polygon;
    polygon.reserve(int(points.size()));
    for (PixelPoint p : points)
        polygon.append(toQPoint(p));
    return polygon;
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

std::uint32_t rgbOf(Colour c)
{
    return (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
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
    // Within the image, and within the clip rectangle when there is one.
    PixelBounds clip { 0, 0, m_image->width(), m_image->height() };
    if (m_rectClipped)
        clip = { m_clipRect.left(), m_clipRect.top(), std::int64_t(m_clipRect.left()) + m_clipRect.width(),
            std::int64_t(m_clipRect.top()) + m_clipRect.height() };
    CopyLinePixels(imageBuffer(), points, rgbOf(pen.colour), clip);
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
    if (WithinCoordinateLimit(from) && WithinCoordinateLimit(to)) {
        m_painter.drawLine(toQPoint(from), toQPoint(to));
        return;
    }
    ClipPoint a { double(from.x), double(from.y) };
    ClipPoint b { double(to.x), double(to.y) };
    if (ClipSegmentToLimit(a, b))
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
    if (!AllWithinCoordinateLimit(points)) {
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
    const PixelPoint a = ClampToCoordinateLimit({ std::min(rect.left, rect.right), std::min(rect.top, rect.bottom) });
    const PixelPoint b = ClampToCoordinateLimit({ std::max(rect.left, rect.right), std::max(rect.top, rect.bottom) });
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
    if (!WithinCoordinateLimit(at) || text.empty())
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
    const PixelPoint a = ClampToCoordinateLimit({ std::min(dest.left, dest.right), std::min(dest.top, dest.bottom) });
    const PixelPoint b = ClampToCoordinateLimit({ std::max(dest.left, dest.right), std::max(dest.top, dest.bottom) });
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
            if (!WithinCoordinateLimit(from) || !WithinCoordinateLimit(to)) {
                ClipPoint a { double(from.x), double(from.y) };
                ClipPoint b { double(to.x), double(to.y) };
                if (!ClipSegmentToLimit(a, b))
                    continue;
                from = { rnd(a.x), rnd(a.y) };
                to = { rnd(b.x), rnd(b.y) };
            }
            if (!(from == to)) {
                Pen bounded = pen;
                bounded.width = penWidth(pen);
                m_strokes.push_back({ from, to, bounded });
            }
        }
        return;
    }
}

void QtCanvas::xorPixels(std::span<const PixelPoint> points, const Pen& pen)
{
    m_xorFiller.fill(imageBuffer(), points, penWidth(pen), rgbOf(pen.colour));
}

PixelBuffer QtCanvas::imageBuffer() const
{
    QImage& image = *m_image;
    return { image.width(), image.height(), image.bytesPerLine() / qsizetype(sizeof(std::uint32_t)),
        reinterpret_cast<std::uint32_t*>(image.bits()) };
}

void QtCanvas::drawOddStrokes()
{
    if (m_strokes.empty())
        return;
    m_painter.setBrush(Qt::NoBrush);
    const std::vector<OddStretch> stretches = OddStretches(m_strokes);
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const OddStretch& s = stretches[i];
        if (i == 0 || !(s.pen == stretches[i - 1].pen)) {
            Pen pen = s.pen;
            pen.mix = PenMix::Copy;
            // What the exclusive-or leaves on a white page.
            pen.colour = { std::uint8_t(pen.colour.r ^ 0xff), std::uint8_t(pen.colour.g ^ 0xff), std::uint8_t(pen.colour.b ^ 0xff) };
            QPen qpen = qtPen(pen);
            qpen.setCapStyle(Qt::SquareCap);
            m_painter.setPen(qpen);
        }
        m_painter.drawLine(QPointF(s.x0, s.y0), QPointF(s.x1, s.y1));
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
