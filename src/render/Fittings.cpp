#include "Fittings.h"

#include "Mapping.h"

#include <algorithm>
#include <cmath>

namespace fenster {

namespace {

constexpr Brush kBandBrush { kBandSilver, BrushStyle::Solid };

// Calls draw(i) for the indices visibleSteps leaves of first + i * step,
// i = 1..count: counts and sizes from the text cost no more than the
// canvas can show.
template <typename Draw>
void forVisibleSteps(const FieldContext& ctx, double first, double step, long long count, bool vertical, double slack,
    Draw draw)
{
    const FieldContext::StepRange range = ctx.visibleSteps(first, step, count, vertical, slack);
    for (long long i = range.first; i <= range.last; i += range.stride) {
        draw(double(i));
        if (range.last - i < range.stride)
            break;
    }
}

// Inside the glass polygon, with the band brush and the field pen.
class GlassClip {
public:
    GlassClip(Canvas& canvas, const FieldContext& ctx)
        : m_canvas(canvas)
    {
        canvas.setBrush(kBandBrush);
        ctx.clipTo(canvas, ctx.glass);
        ctx.setFieldPen(canvas);
    }
    ~GlassClip() { m_canvas.removeClip(); }
    GlassClip(const GlassClip&) = delete;
    GlassClip& operator=(const GlassClip&) = delete;

private:
    Canvas& m_canvas;
};

} // namespace

void DrawRollerShutterBox(Canvas& canvas, const FieldContext& ctx)
{
    ctx.setFieldPen(canvas);
    ctx.line(canvas, ctx.R, 0, ctx.R, ctx.e, Reflection::Unmirrored);
    ctx.line(canvas, double(ctx.W) - ctx.R, 0, double(ctx.W) - ctx.R, ctx.e, Reflection::Unmirrored);
}

void DrawInsectScreen(Canvas& canvas, const FieldContext& ctx)
{
    if (!ctx.values.insectScreen)
        return;
    const double W = ctx.W, e = ctx.e, R = ctx.R, t = ctx.t;
    GlassClip clip(canvas, ctx);
    // The mesh itself is not mirrored; only its clip region is.
    const long long columns = rnd((W - 2 * R) / 20.0);
    forVisibleSteps(ctx, R, 20.0, columns, false, 0.0,
        [&](double i) { ctx.line(canvas, R + 20 * i, R + t - 30, R + 20 * i, e - 30, Reflection::Unmirrored); });
    const long long rows = (long long)rnd((e - t) / 20.0) + 1;
    forVisibleSteps(ctx, t, 20.0, rows, true, 0.0,
        [&](double j) { ctx.line(canvas, R, 20 * j + t, W - R, 20 * j + t, Reflection::Unmirrored); });
}

void DrawPleatedBlind(Canvas& canvas, const FieldContext& ctx)
{
    if (!ctx.values.pleatedBlind)
        return;
    const double W = ctx.W, e = ctx.e, R = ctx.R, t = ctx.t;
    GlassClip clip(canvas, ctx);
    const long long folds = rnd((W - 2 * R) / 40.0);
    forVisibleSteps(ctx, R, 40.0, folds, false, 0.0,
        [&](double i) { ctx.line(canvas, R + 40 * i, R + t - 30, R + 40 * i, e - 30, Reflection::Unmirrored); });
}

void DrawTransomAndMuntins(Canvas& canvas, const FieldContext& ctx)
{
    const int v = ctx.values.verticalMuntins;
    const int h = ctx.values.horizontalMuntins;
    if (v <= 0 && h <= 0 && ctx.t <= 0)
        return;
    const double W = ctx.W, e = ctx.e, R = ctx.R, t = ctx.t;
    const double SV = Settings().SprossenV;
    const double SH = Settings().Sprossen;
    GlassClip clip(canvas, ctx);
    // The bars run over the whole field and are cut by the clip.
    if (ctx.t > 0)
        ctx.rectangle(canvas, 0, t, W, R - 30, Reflection::Unmirrored);
    if (v > 0) {
        const double s = (W - 2 * R) / (double(v) + 1.0);
        forVisibleSteps(ctx, R - SV / 2, s, v, false, std::fabs(SV),
            [&](double i) { ctx.rectangle(canvas, i * s + R - SV / 2, R + t - 30, SV, e, Reflection::Unmirrored); });
    }
    if (h > 0) {
        const double s = (e - t - 2 * R - 30) / (double(h) + 1.0);
        forVisibleSteps(ctx, R + t - SH / 2, s, h, true, std::fabs(SH),
            [&](double j) { ctx.rectangle(canvas, R, j * s + R + t - SH / 2, W, SH, Reflection::Unmirrored); });
    }
}

void DrawOpeningSymbols(Canvas& canvas, const FieldContext& ctx)
{
    const AnchorPoints& a = ctx.anchors;
    const int R = ctx.R;
    const int X = div(ctx.W, 2);
    const int Y = div(ctx.e, 2);

    if (ctx.values.opening == OpeningKind::Fixed) {
        ctx.setFieldPen(canvas);
        ctx.line(canvas, X - R, Y, X + R, Y, Reflection::Unmirrored);
        ctx.line(canvas, X, Y - R, X, Y + R, Reflection::Unmirrored);
        // Fixed glass neither turns nor tilts: hinge or tilt letters written
        // before the "V" of a hand-edited text draw nothing.
        return;
    }
    if (ctx.values.opening == OpeningKind::Sliding) {
        // An arrow pointing to the left, turned round about its own centre
        // line x = X when the field is mirrored.
        const auto ax = [&](double x) { return ctx.mirrored ? 2.0 * X - x : x; };
        ctx.setFieldPen(canvas);
        ctx.line(canvas, ax(X - R), Y, ax(X + R), Y, Reflection::Unmirrored);
        ctx.line(canvas, ax(X - R), Y, ax(X), Y + R, Reflection::Unmirrored);
        ctx.line(canvas, ax(X - R), Y, ax(X), Y - R, Reflection::Unmirrored);
    }
    if (ctx.values.tilt == TiltMode::Tilt) {
        ctx.setSymbolPen(canvas);
        ctx.line(canvas, a.bottomLeft, a.top, Reflection::Mirrored);
        ctx.line(canvas, a.bottomRight, a.top, Reflection::Mirrored);
    } else if (ctx.values.tilt == TiltMode::Swing) {
        // The lower half of the diamond in the symbol pen, the upper half in
        // the field colour.
        ctx.setSymbolPen(canvas);
        ctx.line(canvas, a.bottom, a.right, Reflection::Mirrored);
        ctx.line(canvas, a.bottom, a.left, Reflection::Mirrored);
        ctx.setFieldPen(canvas);
        ctx.line(canvas, a.top, a.right, Reflection::Mirrored);
        ctx.line(canvas, a.top, a.left, Reflection::Mirrored);
    }
    if (ctx.values.hinge != HingeSide::None) {
        ctx.setSymbolPen(canvas);
        ctx.line(canvas, a.topLeft, a.right, Reflection::Mirrored);
        ctx.line(canvas, a.bottomLeft, a.right, Reflection::Mirrored);
    }
}

void DrawHandle(Canvas& canvas, const FieldContext& ctx)
{
    if (!ctx.values.handle || ctx.values.opening == OpeningKind::Fixed)
        return;
    const double R = ctx.R;
    double X = 0;
    double Y = 0;
    bool side = false;
    if (ctx.values.hinge != HingeSide::None) {
        side = true;
        X = rnd(ctx.W - R / 2 - 30);
        Y = ctx.m1 < 1.5 * R ? div(ctx.e - ctx.R, 2) : div(ctx.m1, 2);
    } else if (ctx.values.tilt == TiltMode::Tilt || ctx.values.tilt == TiltMode::Swing) {
        X = ctx.anchors.top.x;
        Y = ctx.e - ctx.R;
    } else {
        return;
    }
    ctx.setFieldPen(canvas);
    // The rose, then the lever: hanging down beside a side hinge, pointing
    // left under the top.
    ctx.rectangleOutline(canvas, X - 0.1 * R, Y + 0.2 * R, 0.4 * R, 0.4 * R, Reflection::Mirrored);
    if (side)
        ctx.rectangleOutline(canvas, X, Y + 0.4 * R, 0.2 * R, -R, Reflection::Mirrored);
    else
        ctx.rectangleOutline(canvas, X, Y + 0.3 * R, -R, 0.2 * R, Reflection::Mirrored);
}

} // namespace fenster
