#include "DxfCanvas.h"

#include "DiskFiles.h"
#include "OddStrokes.h"
#include "RecordingCanvas.h"

#include <dxflib/dl_dxf.h>
#include <dxflib/dl_writer_ascii.h>

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <set>
#include <tuple>

namespace fenster {

namespace {

// The scale the engine draws at for the CAD file: a tenth of a millimetre
// per pixel keeps every whole-millimetre measure exact and curves and
// insets within 0.05 mm.
constexpr double kDxfPixelsPerMm = 10.0;
// The engine spaces lines of text by the font's height; letters take about
// four fifths of it, and a digit about 0.7 of the letter height.
constexpr double kLineHeightPerLetter = 1.25;
constexpr double kCharacterWidthPerLetter = 0.7;

struct LayerStyle {
    int colour; // AutoCAD colour index
    int lineWeight; // hundredths of a millimetre
};

// In the order of DrawingLayer.
constexpr std::array<LayerStyle, kDxfLayerNames.size()> kLayerStyles { {
    { 7, 50 }, // outline: black on white, white on black
    { 8, 25 }, // sash band: grey
    { 4, 18 }, // glass: cyan
    { 1, 18 }, // opening symbols: red
    { 7, 25 }, // muntins
    { 6, 25 }, // fittings: magenta
    { 3, 18 }, // edge dimensions: green
    { 3, 18 }, // free dimensions: green
    { 5, 18 }, // symbols: blue
} };

// dxflib's ASCII writer, writing into a string instead of a file: the file
// itself is written by WriteFileAtomically. The base class is given no file
// name, so it opens nothing.
class StringDxfWriter : public DL_WriterA {
public:
    explicit StringDxfWriter(std::size_t expectedBytes)
        : DL_WriterA("", DL_Codes::AC1015)
    {
        m_text.reserve(expectedBytes);
    }

    std::string take() { return std::move(m_text); }

    void dxfReal(int gc, double value) const override
    {
        code(gc);
        if (!std::isfinite(value) || std::fabs(value) < 5e-7)
            value = 0.0;
        // Six decimals, trailing zeros dropped: 1234.5, 0.0.
        char buffer[64];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
        std::string_view number(buffer, ec == std::errc() ? std::size_t(end - buffer) : 0);
        if (number.empty())
            number = "0.0";
        while (number.size() > 2 && number.back() == '0' && number[number.size() - 2] != '.')
            number.remove_suffix(1);
        line(number);
    }
    void dxfInt(int gc, int value) const override
    {
        code(gc);
        line(std::to_string(value));
    }
    void dxfHex(int gc, int value) const override
    {
        code(gc);
        char buffer[16];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, unsigned(value), 16);
        std::transform(buffer, end, buffer, [](char c) { return c >= 'a' && c <= 'f' ? char(c - 'a' + 'A') : c; });
        line(std::string_view(buffer, ec == std::errc() ? std::size_t(end - buffer) : 0));
    }
    void dxfString(int gc, const char* value) const override
    {
        code(gc);
        line(value ? value : "");
    }
    void dxfString(int gc, const std::string& value) const override
    {
        code(gc);
        line(value);
    }

private:
    // Group codes right-aligned in three places, as AutoCAD writes them.
    void code(int gc) const
    {
        char buffer[16];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, gc);
        const std::size_t length = ec == std::errc() ? std::size_t(end - buffer) : 0;
        if (length < 3)
            m_text.append(3 - length, ' ');
        line(std::string_view(buffer, length));
    }
    void line(std::string_view text) const
    {
        m_text.append(text);
        m_text.push_back('\n');
    }

    mutable std::string m_text;
};

using Point = DxfCanvas::Point;

std::vector<Point> toPoints(std::span<const PixelPoint> points)
{
    std::vector<Point> result;
    result.reserve(points.size());
    for (PixelPoint p : points)
        result.push_back({ double(p.x), double(p.y) });
    return result;
}

// Winding number of the closed polygon around p.
int windingNumber(const std::vector<Point>& polygon, Point p)
{
    int winding = 0;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % n];
        const double side = (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
        if (a.y <= p.y) {
            if (b.y > p.y && side > 0.0)
                ++winding;
        } else if (b.y <= p.y && side < 0.0) {
            --winding;
        }
    }
    return winding;
}

// The parts of a->b inside the polygon (winding rule), as parameter ranges.
std::vector<std::pair<double, double>> insideRanges(const std::vector<Point>& polygon, Point a, Point b)
{
    std::vector<double> cuts { 0.0, 1.0 };
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point& p = polygon[i];
        const Point& q = polygon[(i + 1) % n];
        const double ex = q.x - p.x;
        const double ey = q.y - p.y;
        const double denominator = dx * ey - dy * ex;
        if (denominator == 0.0)
            continue;
        const double t = ((p.x - a.x) * ey - (p.y - a.y) * ex) / denominator;
        const double u = ((p.x - a.x) * dy - (p.y - a.y) * dx) / denominator;
        if (t > 0.0 && t < 1.0 && u >= 0.0 && u <= 1.0)
            cuts.push_back(t);
    }
    std::sort(cuts.begin(), cuts.end());
    std::vector<std::pair<double, double>> ranges;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double t0 = cuts[i];
        const double t1 = cuts[i + 1];
        if (t1 - t0 <= 1e-12)
            continue;
        const double tm = (t0 + t1) / 2.0;
        if (windingNumber(polygon, { a.x + tm * dx, a.y + tm * dy }) == 0)
            continue;
        if (!ranges.empty() && ranges.back().second >= t0 - 1e-12)
            ranges.back().second = t1;
        else
            ranges.emplace_back(t0, t1);
    }
    return ranges;
}

// Merges exclusive-or segments: segments on one line that overlap become
// one; segments that only touch stay apart, so the edges of the fields stay
// as the fields have them.
std::vector<DxfCanvas::Segment> mergedSegments(const std::vector<DxfCanvas::Segment>& segments)
{
    struct Piece {
        std::int64_t start;
        std::int64_t end;
        PixelPoint startPoint;
        PixelPoint endPoint;
    };
    // Key: the line's direction (reduced, pointing right or up) and its
    // offset along the normal; a piece is the interval along the direction.
    std::map<std::tuple<std::int64_t, std::int64_t, std::int64_t>, std::vector<Piece>> lines;
    std::vector<DxfCanvas::Segment> result;
    for (const DxfCanvas::Segment& s : segments) {
        const std::optional<LineDirection> direction = ReducedDirection(s.from, s.to);
        if (!direction)
            continue;
        const std::int64_t dx = direction->dx;
        const std::int64_t dy = direction->dy;
        const std::int64_t offset = -dy * s.from.x + dx * s.from.y;
        std::int64_t t0 = dx * s.from.x + dy * s.from.y;
        std::int64_t t1 = dx * s.to.x + dy * s.to.y;
        PixelPoint p0 = s.from;
        PixelPoint p1 = s.to;
        if (t1 < t0) {
            std::swap(t0, t1);
            std::swap(p0, p1);
        }
        lines[{ dx, dy, offset }].push_back({ t0, t1, p0, p1 });
    }
    for (auto& [key, pieces] : lines) {
        std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            return a.start != b.start ? a.start < b.start : a.end < b.end;
        });
        Piece current = pieces.front();
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Piece& next = pieces[i];
            if (next.start < current.end || (next.start == current.start && next.end == current.end)) {
                if (next.end > current.end) {
                    current.end = next.end;
                    current.endPoint = next.endPoint;
                }
                continue;
            }
            result.push_back({ current.startPoint, current.endPoint });
            current = next;
        }
        result.push_back({ current.startPoint, current.endPoint });
    }
    return result;
}

// An open polyline in the file's order of points: the smaller end first, so
// that the same line drawn either way round is one entity.
std::vector<Point> canonicalOpen(std::vector<Point> points)
{
    if (points.size() >= 2 && points.back() < points.front())
        std::reverse(points.begin(), points.end());
    return points;
}

std::vector<Point> withoutRepeats(std::vector<Point> points, bool closed)
{
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (closed && points.size() > 1 && points.front() == points.back())
        points.pop_back();
    return points;
}

} // namespace

const char* DxfLayerName(DrawingLayer layer)
{
    return kDxfLayerNames[std::size_t(layer)];
}

DxfCanvas::DxfCanvas(double pixelsPerMm, double letterHeight)
    : m_scale(pixelsPerMm)
    , m_letterHeight(letterHeight)
{
}

void DxfCanvas::count()
{
    if (++m_count > kMaxDxfEntities)
        throw DxfError("Die Zeichnung ist zu umfangreich für eine DXF-Datei: mehr als "
            + std::to_string(kMaxDxfEntities) + " Linien und Texte.");
}

void DxfCanvas::add(Entity entity)
{
    count();
    m_entities[std::size_t(layer())].push_back(std::move(entity));
}

void DxfCanvas::addOpen(std::span<const Point> points)
{
    if (!m_clipped) {
        std::vector<Point> open = withoutRepeats({ points.begin(), points.end() }, false);
        if (open.size() >= 2)
            add({ Kind::Polyline, canonicalOpen(std::move(open)), {}, Escapement::Horizontal });
        return;
    }
    if (m_clip.size() < 3)
        return;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const Point a = points[i];
        const Point b = points[i + 1];
        for (const auto& [t0, t1] : insideRanges(m_clip, a, b)) {
            const Point from { a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y) };
            const Point to { a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y) };
            if (from != to)
                add({ Kind::Polyline, canonicalOpen({ from, to }), {}, Escapement::Horizontal });
        }
    }
}

void DxfCanvas::addClosed(std::vector<Point> points)
{
    if (!m_clipped) {
        points = withoutRepeats(std::move(points), true);
        if (points.size() >= 2)
            add({ points.size() == 2 ? Kind::Polyline : Kind::ClosedPolyline, std::move(points), {},
                Escapement::Horizontal });
        return;
    }
    if (m_clip.size() < 3)
        return;
    QPolygonF shape;
    for (const Point& p : points)
        shape << QPointF(p.x, p.y);
    QPolygonF clip;
    for (const Point& p : m_clip)
        clip << QPointF(p.x, p.y);
    QPainterPath shapePath;
    shapePath.setFillRule(Qt::WindingFill);
    shapePath.addPolygon(shape);
    shapePath.closeSubpath();
    QPainterPath clipPath;
    clipPath.setFillRule(Qt::WindingFill);
    clipPath.addPolygon(clip);
    clipPath.closeSubpath();
    for (const QPolygonF& piece : shapePath.intersected(clipPath).toSubpathPolygons()) {
        std::vector<Point> result;
        result.reserve(std::size_t(piece.size()));
        for (const QPointF& p : piece)
            result.push_back({ p.x(), p.y() });
        result = withoutRepeats(std::move(result), true);
        if (result.size() >= 3)
            add({ Kind::ClosedPolyline, std::move(result), {}, Escapement::Horizontal });
    }
}

void DxfCanvas::drawLine(PixelPoint from, PixelPoint to, const Pen& pen)
{
    if (pen.mix == PenMix::Xor && !m_clipped) {
        count();
        m_xorSegments[std::size_t(layer())].push_back({ from, to });
        return;
    }
    const Point points[] = { { double(from.x), double(from.y) }, { double(to.x), double(to.y) } };
    addOpen(points);
}

void DxfCanvas::drawPolyline(std::span<const PixelPoint> points, const Pen& pen)
{
    if (pen.mix == PenMix::Xor && !m_clipped) {
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            count();
            m_xorSegments[std::size_t(layer())].push_back({ points[i], points[i + 1] });
        }
        return;
    }
    // A polyline that returns to its start is the outline of a polygon.
    if (points.size() >= 4 && points.front() == points.back() && !m_clipped) {
        addClosed(toPoints(points));
        return;
    }
    const std::vector<Point> open = toPoints(points);
    addOpen(open);
}

void DxfCanvas::drawPolygon(std::span<const PixelPoint> points, const Pen&, const Brush&)
{
    addClosed(toPoints(points));
}

void DxfCanvas::drawRectangle(PixelRect rect, const Pen&, const Brush&)
{
    const double left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    addClosed({ { left, top }, { right, top }, { right, bottom }, { left, bottom } });
}

void DxfCanvas::drawText(PixelPoint at, std::string_view text, Escapement escapement)
{
    if (text.empty())
        return;
    // The engine places every text centred on a point: on x for horizontal
    // text, on y for turned text, with its top at the reference point.
    const double half = measureText(text).width / 2.0;
    const Point anchor = escapement == Escapement::Horizontal ? Point { at.x + half, double(at.y) }
                                                               : Point { double(at.x), at.y - half };
    if (m_clipped && (m_clip.size() < 3 || windingNumber(m_clip, anchor) == 0))
        return;
    add({ Kind::Text, { anchor }, std::string(text), escapement });
}

TextSize DxfCanvas::measureText(std::string_view text) const
{
    const double letter = m_letterHeight * m_scale;
    return { rnd(CodePointCount(text) * kCharacterWidthPerLetter * letter), characterHeight() };
}

int DxfCanvas::characterHeight() const
{
    return std::max(1, rnd(m_letterHeight * kLineHeightPerLetter * m_scale));
}

void DxfCanvas::setClipPolygon(std::span<const PixelPoint> points)
{
    m_clipped = true;
    m_clip = toPoints(points);
}

void DxfCanvas::clearClip()
{
    m_clipped = false;
    m_clip.clear();
}

void DxfCanvas::drawImageAnd(PixelRect dest, const RasterImage&)
{
    // The picture itself stays out of the file; its place is what a CAD
    // drawing needs.
    const bool clipped = m_clipped;
    m_clipped = false;
    drawRectangle(dest, pen(), brush());
    m_clipped = clipped;
}

DxfCanvas::LayerContent DxfCanvas::layerEntities(std::size_t layer) const
{
    LayerContent content;
    const std::vector<Segment> segments = mergedSegments(m_xorSegments[layer]);
    content.merged.reserve(segments.size());
    for (const Segment& s : segments)
        content.merged.push_back({ Kind::Polyline,
            canonicalOpen({ { double(s.from.x), double(s.from.y) }, { double(s.to.x), double(s.to.y) } }), {},
            Escapement::Horizontal });
    const auto less = [](const Entity* a, const Entity* b) { return *a < *b; };
    std::set<const Entity*, decltype(less)> seen(less);
    content.entities.reserve(content.merged.size() + m_entities[layer].size());
    for (const Entity& e : content.merged)
        if (seen.insert(&e).second)
            content.entities.push_back(&e);
    for (const Entity& e : m_entities[layer])
        if (seen.insert(&e).second)
            content.entities.push_back(&e);
    return content;
}

std::size_t DxfCanvas::entityCount(DrawingLayer layer) const
{
    return layerEntities(std::size_t(layer)).entities.size();
}

std::string DxfCanvas::dxf(const PixelToMm& mapping) const
{
    const auto mmX = [&](double column) { return column / mapping.scale - mapping.left; };
    const auto mmY = [&](double row) { return (mapping.canvasHeight - row) / mapping.scale - mapping.bottom; };

    std::size_t entities = 0;
    for (std::size_t layer = 0; layer < kLayers; ++layer)
        entities += m_entities[layer].size() + m_xorSegments[layer].size();
    DL_Dxf dxf;
    // The tables take some 12 KB, a line about 200 bytes.
    StringDxfWriter dw(16384 + 256 * entities);
    dxf.writeHeader(dw);
    dw.sectionEnd();

    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(int(kLayers) + 1);
    dxf.writeLayer(dw, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
    for (std::size_t layer = 0; layer < kLayers; ++layer)
        dxf.writeLayer(dw, DL_LayerData(kDxfLayerNames[layer], 0),
            DL_Attributes("", kLayerStyles[layer].colour, kLayerStyles[layer].lineWeight, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, m_letterHeight, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1.0, 1.0, 1.0, 1.0, m_letterHeight);
    dxf.writeBlockRecord(dw);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char* block : { "*Model_Space", "*Paper_Space", "*Paper_Space0" }) {
        dxf.writeBlock(dw, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, block);
    }
    dw.sectionEnd();

    dw.sectionEntities();
    for (std::size_t layer = 0; layer < kLayers; ++layer) {
        // Colour and line weight come from the layer.
        const DL_Attributes attributes(kDxfLayerNames[layer], 256, -1, -1, "BYLAYER");
        const LayerContent content = layerEntities(layer);
        for (const Entity* entity : content.entities) {
            const Entity& e = *entity;
            if (e.kind == Kind::Text) {
                const double x = mmX(e.points.front().x);
                const double y = mmY(e.points.front().y);
                const double angle = e.escapement == Escapement::Up90 ? M_PI / 2.0 : 0.0;
                // Centred (1) on the point, hanging from it (3: top).
                dxf.writeText(dw,
                    DL_TextData(x, y, 0.0, x, y, 0.0, m_letterHeight, 1.0, 0, 1, 3, e.text, "Standard", angle),
                    attributes);
            } else if (e.kind == Kind::Polyline && e.points.size() == 2) {
                const Point& a = e.points[0];
                const Point& b = e.points[1];
                dxf.writeLine(dw, DL_LineData(mmX(a.x), mmY(a.y), 0.0, mmX(b.x), mmY(b.y), 0.0), attributes);
            } else {
                const bool closed = e.kind == Kind::ClosedPolyline;
                dxf.writePolyline(dw, DL_PolylineData(int(e.points.size()), 0, 0, closed ? 1 : 0), attributes);
                for (const Point& p : e.points)
                    dxf.writeVertex(dw, DL_VertexData(mmX(p.x), mmY(p.y), 0.0, 0.0));
                dxf.writePolylineEnd(dw);
            }
        }
    }
    dw.sectionEnd();
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
    return dw.take();
}

DxfFile RenderDxf(const ExportDrawing& drawing, const DxfOptions& options)
{
    const EngineStateGuard keepEditorState;
    const double letterHeight = options.letterHeight > 0.0 && std::isfinite(options.letterHeight)
        ? options.letterHeight
        : DxfOptions {}.letterHeight;
    DxfCanvas canvas(kDxfPixelsPerMm, letterHeight);
    const ExportCanvas size
        = ExportCanvasFor(drawing.description, kDxfPixelsPerMm, canvas.textExtent("W").height, drawing.edgeDimensions);
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    DxfFile file;
    DrawWindow(canvas, 0, 0, size.width, size.height, drawing.description, drawing.edgeDimensions, -1, -1,
        kDxfPixelsPerMm);
    DrawExportAnnotations(canvas, drawing, file.annotationErrors);
    const EngineState& engine = Engine();
    file.text = canvas.dxf({ engine.DrawingScale, double(engine.CanvasHeight), double(engine.LeftOffset),
        double(engine.BottomOffset) });
    return file;
}

std::vector<std::string> WriteDxf(const ExportDrawing& drawing, const QString& path, const DxfOptions& options)
{
    DxfFile file = RenderDxf(drawing, options);
    WriteFileAtomically(path, QByteArray::fromStdString(file.text));
    return std::move(file.annotationErrors);
}

} // namespace fenster
