#include "Field.h"

#include "Fittings.h"
#include "Mapping.h"

#include <algorithm>
#include <cmath>

namespace fenster {

double FieldContext::reflectX(double x, Reflection reflection) const
{
    if (mirrored && reflection == Reflection::Mirrored)
        return double(W) - x;
    return x;
}

PixelPoint FieldContext::map(double x, double y, Reflection reflection) const
{
    // The engine's mapping (Mapping.h) with the values of this field.
    return { rnd((origin.x + reflectX(x, reflection)) * scale), rnd(canvasHeight - (origin.y + y) * scale) };
}

std::vector<PixelPoint> FieldContext::mapPolygon(std::span<const MmPoint> points) const
{
    std::vector<PixelPoint> result;
    result.reserve(points.size() + 1);
    for (MmPoint p : points)
        result.push_back(map(p.x, p.y, Reflection::Mirrored));
    return result;
}

void FieldContext::setFieldPen(Canvas& canvas) const
{
    SetEnginePen(canvas, Pen { fieldColour, 1, PenStyle::Solid, PenMix::Copy });
}

void FieldContext::setSymbolPen(Canvas& canvas) const
{
    canvas.setPen(Pen { kSymbolGrey, 1, values.outward ? PenStyle::Dot : PenStyle::Solid, PenMix::Copy });
}

void FieldContext::drawPolygon(Canvas& canvas, std::span<const MmPoint> points) const
{
    std::vector<PixelPoint> pixels = mapPolygon(points);
    if (pixels.empty())
        return;
    if (canvas.brush().colour == kWhite) {
        pixels.push_back(pixels.front());
        canvas.polyline(pixels);
    } else {
        canvas.polygon(pixels);
    }
}

void FieldContext::clipTo(Canvas& canvas, std::span<const MmPoint> points) const
{
    canvas.clipToPolygon(mapPolygon(points));
}

void FieldContext::line(Canvas& canvas, double x1, double y1, double x2, double y2, Reflection reflection) const
{
    canvas.moveTo(map(x1, y1, reflection));
    canvas.lineTo(map(x2, y2, reflection));
}

void FieldContext::line(Canvas& canvas, MmPoint from, MmPoint to, Reflection reflection) const
{
    line(canvas, from.x, from.y, to.x, to.y, reflection);
}

void FieldContext::rectangle(Canvas& canvas, double x, double y, double w, double h, Reflection reflection) const
{
    const PixelPoint a = map(x, y, reflection);
    const PixelPoint b = map(x + w, y + h, reflection);
    canvas.rectangle({ a.x, a.y, b.x, b.y });
}

void FieldContext::rectangleOutline(Canvas& canvas, double x, double y, double w, double h, Reflection reflection) const
{
    const PixelPoint a = map(x, y, reflection);
    const PixelPoint b = map(x + w, y + h, reflection);
    canvas.moveTo(a);
    canvas.lineTo({ b.x, a.y });
    canvas.lineTo(b);
    canvas.lineTo({ a.x, b.y });
    canvas.lineTo(a);
}

FieldContext::StepRange FieldContext::visibleSteps(
    double first, double step, long long count, bool vertical, double slack, Reflection reflection) const
{
    StepRange range;
    if (count < 1 || !std::isfinite(first) || !std::isfinite(step))
        return range;
    const EngineState& engine = Engine();
    const double scale = engine.DrawingScale;
    if (!(scale > 0.0) || !std::isfinite(scale))
        return range;

    // The field-frame interval that lands on the canvas, a pixel of slack
    // each side; mirroring can bring either end of the field onto it.
    double low = 0.0;
    double high = 0.0;
    if (vertical) {
        low = -1.0 / scale - engine.DrawOrigin.y;
        high = (engine.CanvasHeight + 1.0) / scale - engine.DrawOrigin.y;
    } else {
        const double visibleLow = -1.0 / scale - engine.DrawOrigin.x;
        const double visibleHigh = (engine.CanvasWidth + 1.0) / scale - engine.DrawOrigin.x;
        low = visibleLow;
        high = visibleHigh;
        // A mirrored item at x is drawn at W - x: only the reflected
        // interval counts (the hull of both would span the whole field).
        if (mirrored && reflection == Reflection::Mirrored) {
            low = double(W) - visibleHigh;
            high = double(W) - visibleLow;
        }
    }

    // Items starting up to slack outside the view can reach onto it. Beyond
    // one view width plus a step, every such item's visible part is covered by
    // a nearer one, so the allowance never exceeds that: otherwise a bar wider
    // than the view at a huge scale would turn millions of pixels of slack
    // into work.
    if (std::isfinite(slack) && slack > 0.0) {
        const double allowance = std::min(slack, (high - low) + std::fabs(step) + 2.0 / scale);
        low -= allowance;
        high += allowance;
    }

    double firstIndex = 1.0;
    double lastIndex = double(count);
    if (step != 0.0) {
        double a = (low - first) / step;
        double b = (high - first) / step;
        if (a > b)
            std::swap(a, b);
        firstIndex = std::max(firstIndex, std::ceil(a));
        lastIndex = std::min(lastIndex, std::floor(b));
        const double pixelsPerStep = std::fabs(step) * scale;
        if (pixelsPerStep < 1.0)
            range.stride = (long long)std::min(std::ceil(1.0 / pixelsPerStep), 1e18);
    } else {
        // Every position is the same: one is enough.
        lastIndex = firstIndex;
        if (first < low || first > high)
            return range;
    }
    if (!(firstIndex <= lastIndex))
        return range;
    range.first = (long long)firstIndex;
    range.last = (long long)lastIndex;
    return range;
}

void DrawField(Canvas& canvas, const FieldValues& values, const FieldShape& shape, Colour fieldColour)
{
    FieldContext ctx;
    ctx.values = values;
    ctx.shape = shape;
    ctx.W = values.width;
    ctx.e = values.height;
    NormaliseShape(ctx.shape, ctx.W);
    ctx.R = Settings().RahmenBreite;
    ctx.t = ctx.shape.t;
    ctx.m1 = ctx.shape.m1;
    ctx.mirrored = ctx.shape.mirrored;
    ctx.fieldColour = fieldColour;
    ctx.origin = Engine().DrawOrigin;
    ctx.scale = Engine().DrawingScale;
    ctx.canvasHeight = Engine().CanvasHeight;
    ctx.outline = FieldOutline(ctx.shape, ctx.W, ctx.e);
    ctx.glass = InsetPolygon(ctx.outline.points, ctx.R);
    ctx.anchors = GlassAnchors(ctx.glass, ctx.shape.code, ctx.outline.topIndex);

    // The outline goes by exclusive-or, so that an edge two fields share is
    // drawn twice and vanishes.
    canvas.setLayer(DrawingLayer::Outline);
    canvas.setBrush(Brush { kWhite, BrushStyle::Solid });
    SetEnginePen(canvas, Pen { kOutlineGrey, Settings().Rahmen, PenStyle::Solid, PenMix::Xor });
    ctx.drawPolygon(canvas, InsetPolygon(ctx.outline.points, 0.0));

    ctx.setFieldPen(canvas);
    if (values.rollerShutterBox) {
        canvas.setLayer(DrawingLayer::Fittings);
        DrawRollerShutterBox(canvas, ctx);
    } else if (!values.sillConnection) {
        if (values.opening == OpeningKind::Sash || values.opening == OpeningKind::Sliding) {
            canvas.setLayer(DrawingLayer::SashBand);
            canvas.setBrush(Brush { kBandSilver, BrushStyle::Solid });
            ctx.setFieldPen(canvas);
            ctx.drawPolygon(canvas, InsetPolygon(ctx.outline.points, kSashInset + 1));
        }
        canvas.setLayer(DrawingLayer::Glass);
        canvas.setBrush(Brush { kGlassGrey, BrushStyle::Solid });
        ctx.drawPolygon(canvas, ctx.glass);

        canvas.setLayer(DrawingLayer::Fittings);
        DrawInsectScreen(canvas, ctx);
        DrawPleatedBlind(canvas, ctx);
        canvas.setLayer(DrawingLayer::Muntins);
        DrawTransomAndMuntins(canvas, ctx);
        canvas.setLayer(DrawingLayer::OpeningSymbols);
        DrawOpeningSymbols(canvas, ctx);
        canvas.setLayer(DrawingLayer::Fittings);
        DrawHandle(canvas, ctx);
    }

    canvas.setBrush(Brush { kWhite, BrushStyle::Solid });
    canvas.setPen(Pen { Engine().currentColour, 1, PenStyle::Solid, PenMix::Copy });
}

} // namespace fenster
