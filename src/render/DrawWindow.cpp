#include "Dimensions.h"
#include "Engine.h"
#include "EngineReader.h"
#include "Field.h"
#include "Mapping.h"
#include "Outline.h"
#include "DrawWindow.h"

#include "IntegerText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace fenster {

namespace {

int clampToInt(long long v)
{
    return int(std::clamp<long long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void resetLinePen(Canvas& canvas)
{
    EngineState& engine = Engine();
    engine.currentColour = Settings().Color;
    canvas.setPen(Pen { engine.currentColour, 1, PenStyle::Solid, PenMix::Copy });
}

// pixels per mm, or 0 when the description cannot be drawn at all.
double drawingScale(double requested, int canvasWidth, int canvasHeight, int H, int W, int TH)
{
    if (requested != 0.0)
        return std::isfinite(requested) && requested > 0.0 ? requested : 0.0;
    if (H <= 0 || W <= 0)
        return 0.0;
    const double sx = (double(canvasWidth) - 6.0 * TH) / double(W);
    const double sy = (double(canvasHeight) - 7.0 * TH) / double(H);
    const double scale = std::min(sx, sy);
    return scale > 0.0 ? scale : 0.0;
}

} // namespace

int BottomOffsetMm(EdgeDimensions edgeDimensions, int textHeight, double scale)
{
    if (edgeDimensions == EdgeDimensions::Off || !(scale > 0.0))
        return 5;
    return SaturatingAdd(rnd(4.0 * textHeight / scale), 5);
}

bool DrawWindow(Canvas& canvas, int leftMargin, int /*bottomMargin*/, int canvasWidth, int canvasHeight,
    std::string_view description, EdgeDimensions showEdgeDimensions, int selectedField, int selectedRow,
    double scale)
{
    EngineState& engine = Engine();
    canvas.setBrush(Brush { kWhite, BrushStyle::Solid });
    for (auto& row : engine.FieldRectTable)
        for (FieldRect& rect : row)
            rect.valid = false;
    engine.selectedRow = selectedRow;
    engine.selectedField = selectedField;
    resetLinePen(canvas);
    engine.edgeDimensions = showEdgeDimensions;

    DescriptionReader reader(description);
    const int H = reader.nextNumber();
    const int W = reader.nextNumber();
    const int N = reader.nextNumber();
    engine.OverallHeight = H;
    engine.OverallWidth = W;
    engine.RowCount = N;
    engine.CanvasWidth = canvasWidth;
    engine.CanvasHeight = canvasHeight;

    const int TH = canvas.textExtent("W").height;
    const double drawScale = drawingScale(scale, canvasWidth, canvasHeight, H, W, TH);
    engine.Drawn = drawScale > 0.0;
    engine.DrawingScale = engine.Drawn ? drawScale : 1.0;

    engine.BottomOffset = BottomOffsetMm(showEdgeDimensions, TH, engine.DrawingScale);
    engine.LeftOffset = rnd(double(leftMargin) / engine.DrawingScale);
    const MmPoint windowOrigin { engine.LeftOffset, engine.BottomOffset };
    engine.DrawOrigin = windowOrigin;
    engine.AnnotationOrigin = windowOrigin;
    if (!engine.Drawn)
        return true;

    if (N > 1)
        DrawVerticalDimension(canvas, W, H, -2);
    DrawHorizontalDimension(canvas, 0, W, 2);

    // Field edges in mm from the window's left edge, for the field chain.
    std::vector<long long> edges;
    long long fieldCount = 0;
    // The counts come from the text, but every row and field consumes text,
    // so the walk ends with the text at the latest.
    for (int r = 1; r <= N && !reader.atEnd(); ++r) {
        engine.DrawOrigin.x = engine.LeftOffset;
        const int RH = reader.nextNumber();
        const int M = reader.nextNumber();
        DrawVerticalDimension(canvas, W, RH, -1);
        for (int f = 1; f <= M; ++f) {
            const std::optional<FieldValues> field = reader.readField(RH);
            if (!field)
                break;
            const int FW = field->width;
            ++fieldCount;
            edges.push_back((long long)engine.DrawOrigin.x - engine.LeftOffset);
            if (r <= kMaxRows && f <= kMaxFields) {
                FieldRect& rect = engine.FieldRectTable[r][f];
                const double s = engine.DrawingScale;
                rect.left = rnd(double(engine.DrawOrigin.x) * s);
                rect.bottom = rnd(double(engine.DrawOrigin.y) * s);
                rect.right = rnd((double(engine.DrawOrigin.x) + FW) * s);
                rect.top = rnd((double(engine.DrawOrigin.y) + RH) * s);
                rect.valid = true;
            }
            if (field->baseType != kBaseTypeEmpty) {
                const bool highlighted = engine.HighlightSelection && r == engine.selectedRow && f == engine.selectedField;
                DrawField(canvas, *field, ShapeForField(*field, Settings().RahmenBreite),
                    highlighted ? kBlue : Settings().Color);
            }
            engine.DrawOrigin.x = SaturatingAdd(engine.DrawOrigin.x, FW);
            if (r == 1 && f == 1)
                engine.AnnotationOrigin = engine.DrawOrigin;
            resetLinePen(canvas);
        }
        engine.DrawOrigin.y = SaturatingAdd(engine.DrawOrigin.y, RH);
    }

    if (fieldCount > 1) {
        engine.DrawOrigin = windowOrigin;
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const long long next = i + 1 < edges.size() ? edges[i + 1] : (long long)W;
            DrawHorizontalDimension(canvas, clampToInt(edges[i]), clampToInt(next - edges[i]), 1);
        }
    }
    engine.DrawOrigin = windowOrigin;
    return true;
}

std::optional<MmPoint> NearestFieldCorner(MmPoint query, std::string_view description)
{
    DescriptionReader reader(description);
    reader.nextNumber();
    reader.nextNumber();
    const int N = reader.nextNumber();
    std::optional<MmPoint> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    long long yr = 0;
    for (int r = 1; r <= N && !reader.atEnd(); ++r) {
        const int RH = reader.nextNumber();
        const int M = reader.nextNumber();
        long long xf = 0;
        for (int f = 1; f <= M; ++f) {
            const std::optional<FieldValues> field = reader.readField(RH);
            if (!field)
                break;
            const long long W = field->width;
            const MmPoint corners[] = { { clampToInt(xf), clampToInt(yr) }, { clampToInt(xf), clampToInt(yr + RH) },
                { clampToInt(xf + W), clampToInt(yr) }, { clampToInt(xf + W), clampToInt(yr + RH) } };
            for (MmPoint c : corners) {
                const double dx = double(query.x) - c.x;
                const double dy = double(query.y) - c.y;
                const double distance = rnd(std::sqrt(dx * dx + dy * dy));
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = c;
                }
            }
            xf += W;
        }
        yr += RH;
    }
    return best;
}

} // namespace fenster
