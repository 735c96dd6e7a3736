#include "RecordingCanvas.h"

#include <cstdio>

namespace fenster {

namespace {

void appendPoint(std::string& out, PixelPoint p)
{
    out += std::to_string(p.x);
    out += ',';
    out += std::to_string(p.y);
}

void appendPoints(std::string& out, const std::vector<PixelPoint>& points)
{
    for (PixelPoint p : points) {
        out += ' ';
        appendPoint(out, p);
    }
}

void appendColour(std::string& out, Colour c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02x%02x%02x", unsigned(c.r), unsigned(c.g), unsigned(c.b));
    out += buffer;
}

const char* styleName(PenStyle style)
{
    switch (style) {
    case PenStyle::Solid:
        return "solid";
    case PenStyle::Dash:
        return "dash";
    case PenStyle::Dot:
        return "dot";
    case PenStyle::DashDot:
        return "dashdot";
    case PenStyle::DashDotDot:
        return "dashdotdot";
    }
    return "solid";
}

void appendPen(std::string& out, const Pen& pen)
{
    out += " pen=";
    appendColour(out, pen.colour);
    out += '/';
    out += std::to_string(pen.width);
    out += '/';
    out += styleName(pen.style);
    out += pen.mix == PenMix::Xor ? "/xor" : "/copy";
}

void appendBrush(std::string& out, const Brush& brush)
{
    out += " brush=";
    appendColour(out, brush.colour);
    out += brush.style == BrushStyle::Solid ? "/solid" : "/clear";
}

} // namespace

std::string RecordedCall::toString() const
{
    std::string out;
    switch (kind) {
    case CallKind::Line:
        out = "line";
        appendPoints(out, points);
        appendPen(out, pen);
        break;
    case CallKind::Polyline:
        out = "polyline";
        appendPen(out, pen);
        appendPoints(out, points);
        break;
    case CallKind::Polygon:
        out = "polygon";
        appendPen(out, pen);
        appendBrush(out, brush);
        appendPoints(out, points);
        break;
    case CallKind::Rectangle:
        out = "rectangle ";
        appendPoint(out, { rect.left, rect.top });
        out += ' ';
        appendPoint(out, { rect.right, rect.bottom });
        appendPen(out, pen);
        appendBrush(out, brush);
        break;
    case CallKind::Text:
        out = "text";
        appendPoints(out, points);
        out += escapement == Escapement::Up90 ? " up90 \"" : " horizontal \"";
        for (char c : text) {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c;
        }
        out += '"';
        break;
    case CallKind::Clip:
        out = "clip";
        appendPoints(out, points);
        break;
    case CallKind::Unclip:
        out = "unclip";
        break;
    case CallKind::ImageAnd:
        out = "imageand ";
        appendPoint(out, { rect.left, rect.top });
        out += ' ';
        appendPoint(out, { rect.right, rect.bottom });
        out += " size=" + std::to_string(imageWidth) + 'x' + std::to_string(imageHeight);
        break;
    }
    return out;
}

int CodePointCount(std::string_view text)
{
    int count = 0;
    for (unsigned char c : text)
        if ((c & 0xc0) != 0x80)
            ++count;
    return count;
}

RecordingCanvas::RecordingCanvas(FakeFontMetrics metrics)
    : m_metrics(metrics)
{
}

std::vector<RecordedCall> RecordingCanvas::callsOf(CallKind kind) const
{
    std::vector<RecordedCall> result;
    for (const RecordedCall& call : m_calls)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

std::string RecordingCanvas::trace() const
{
    std::string out;
    for (const RecordedCall& call : m_calls) {
        out += call.toString();
        out += '\n';
    }
    return out;
}

void RecordingCanvas::drawLine(PixelPoint from, PixelPoint to, const Pen& pen)
{
    RecordedCall call;
    call.kind = CallKind::Line;
    call.points = { from, to };
    call.pen = pen;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawPolyline(std::span<const PixelPoint> points, const Pen& pen)
{
    RecordedCall call;
    call.kind = CallKind::Polyline;
    call.points.assign(points.begin(), points.end());
    call.pen = pen;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawPolygon(std::span<const PixelPoint> points, const Pen& pen, const Brush& brush)
{
    RecordedCall call;
    call.kind = CallKind::Polygon;
    call.points.assign(points.begin(), points.end());
    call.pen = pen;
    call.brush = brush;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawRectangle(PixelRect rect, const Pen& pen, const Brush& brush)
{
    RecordedCall call;
    call.kind = CallKind::Rectangle;
    call.rect = rect;
    call.pen = pen;
    call.brush = brush;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawText(PixelPoint at, std::string_view text, Escapement escapement)
{
    RecordedCall call;
    call.kind = CallKind::Text;
    call.points = { at };
    call.text = std::string(text);
    call.escapement = escapement;
    m_calls.push_back(std::move(call));
}

TextSize RecordingCanvas::measureText(std::string_view text) const
{
    return { CodePointCount(text) * m_metrics.charWidth, m_metrics.textHeight };
}

int RecordingCanvas::characterHeight() const
{
    return m_metrics.fontHeight;
}

void RecordingCanvas::setClipPolygon(std::span<const PixelPoint> points)
{
    RecordedCall call;
    call.kind = CallKind::Clip;
    call.points.assign(points.begin(), points.end());
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::clearClip()
{
    RecordedCall call;
    call.kind = CallKind::Unclip;
    m_calls.push_back(std::move(call));
}

void RecordingCanvas::drawImageAnd(PixelRect dest, const RasterImage& image)
{
    RecordedCall call;
    call.kind = CallKind::ImageAnd;
    call.rect = dest;
    call.imageWidth = image.width;
    call.imageHeight = image.height;
    m_calls.push_back(std::move(call));
}

} // namespace fenster
