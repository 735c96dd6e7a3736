#include "Outline.h"

#include "Field.h"
#include "PointGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace fenster {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

int clampToInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Every field of these types is drawn unmirrored exactly when hinged left.
bool mirroredUnlessLeft(const FieldValues& field)
{
    return field.hinge != HingeSide::Left;
}

bool mirroredByHingeOrOption(const FieldValues& field)
{
    switch (field.hinge) {
    case HingeSide::Right:
        return true;
    case HingeSide::Left:
        return false;
    case HingeSide::None:
        break;
    }
    return field.mirrored;
}

void appendSegmentalArch(Outline& outline, int W, int H, int m3)
{
    outline.points = { { 0, 0 }, { W, 0 }, { W, m3 } };
    const double halfW = double(W) / 2.0;
    double s = double(H) - double(m3);
    if (s > halfW) {
        s = halfW;
        m3 = rnd(double(H) - halfW);
        outline.points[2] = { W, m3 };
    }
    const double R = s > 1.0 ? (s * s + halfW * halfW) / (2.0 * s) : 3200000.0;
    int alpha = 90;
    if (std::fabs(R - s) > 1.0)
        alpha = rnd(std::atan(halfW / (R - s)) * 180.0 / std::numbers::pi);
    alpha = std::min(alpha, 90);
    const int c = alpha - 15;
    // c is at most 75, so the arc has at most 151 points.
    for (int g = 90 - c; g <= 90 + c; ++g) {
        const double angle = g * kDegree;
        if (g == 90)
            outline.topIndex = int(outline.points.size());
        outline.points.push_back({ rnd(std::cos(angle) * R + halfW), rnd(std::sin(angle) * R + double(H) - R) });
    }
    outline.points.push_back({ 0, m3 });
}

void appendThreePointArch(Outline& outline, const FieldShape& shape, int W)
{
    const MmPoint A { W, shape.m1 };
    const MmPoint B { W / 2, shape.m2 };
    const MmPoint C { 0, shape.m3 };
    outline.points = { { 0, 0 }, { W, 0 }, A };
    outline.topIndex = 16;
    if (!HasCircumcentre(A, B, C)) {
        // Three heights on one line: the circle degenerates to the chord,
        // drawn as thirty points along it.
        for (int k = 1; k <= 30; ++k) {
            const double f = k / 30.0;
            outline.points.push_back({ rnd(A.x + f * (double(C.x) - A.x)), rnd(A.y + f * (double(C.y) - A.y)) });
        }
        return;
    }
    const MmPoint M = Circumcentre(A, B, C);
    const double rho = PointDistance(M, A);
    const double a1 = PointAngle(M, A);
    double a2 = PointAngle(M, C);
    if (!(a2 > a1))
        a2 += 2.0 * std::numbers::pi;
    const double step = (a2 - a1) / 30.0;
    for (int k = 1; k <= 30; ++k) {
        const double a = a1 + k * step;
        outline.points.push_back({ rnd(std::cos(a) * rho + M.x), rnd(std::sin(a) * rho + M.y) });
    }
}

struct Shift {
    int dx = 0;
    int dy = 0;
};

// The inward shift of the edge a->b (b replaced by the look-ahead c when it
// equals a) by d mm. Zero for an edge without direction.
Shift edgeShift(MmPoint a, MmPoint b, MmPoint c, double d)
{
    if (a == b)
        b = c;
    const double nx = double(a.y) - double(b.y);
    const double ny = -(double(a.x) - double(b.x));
    const double length = std::sqrt(nx * nx + ny * ny);
    if (length == 0.0)
        return {};
    return { rnd(d * nx / length), rnd(d * ny / length) };
}

struct Line {
    double x1, y1, x2, y2;
};

Line shiftedEdge(MmPoint a, MmPoint b, MmPoint c, double d)
{
    const Shift s = edgeShift(a, b, c, d);
    if (a == b)
        b = c;
    return { double(a.x) + s.dx, double(a.y) + s.dy, double(b.x) + s.dx, double(b.y) + s.dy };
}

struct Crossing {
    double den = 0.0;
    double u = 0.0;
};

Crossing crossing(const Line& a, const Line& b)
{
    Crossing result;
    result.den = (b.y2 - b.y1) * (a.x2 - a.x1) - (b.x2 - b.x1) * (a.y2 - a.y1);
    if (result.den != 0.0)
        result.u = ((b.x2 - b.x1) * (a.y1 - b.y1) - (b.y2 - b.y1) * (a.x1 - b.x1)) / result.den;
    return result;
}

MmPoint pointOn(const Line& line, double u)
{
    return { rnd(line.x1 + u * (line.x2 - line.x1)), rnd(line.y1 + u * (line.y2 - line.y1)) };
}

MmPoint mid(MmPoint p, MmPoint q)
{
    return { clampToInt((std::int64_t(p.x) + q.x) / 2), clampToInt((std::int64_t(p.y) + q.y) / 2) };
}

} // namespace

FieldShape ShapeForField(const FieldValues& field, int frameWidth)
{
    const int W = field.width;
    const int H = field.height;
    FieldShape shape;
    switch (field.baseType) {
    case 1: // "Ecke": the mirrored option alone decides
        shape.code = ShapeCode::SixCorner;
        shape.m1 = field.r;
        shape.m2 = clampToInt(std::int64_t(W) - field.b);
        shape.mirrored = field.mirrored;
        break;
    case 2: // "Stichbogen"
        shape.code = ShapeCode::SegmentalArch;
        shape.m1 = shape.m3 = field.r;
        shape.mirrored = mirroredUnlessLeft(field);
        break;
    case 3: // "Rundbogen"
        shape.code = ShapeCode::SegmentalArch;
        shape.m1 = shape.m3 = clampToInt(std::int64_t(H) - W / 2);
        shape.mirrored = mirroredUnlessLeft(field);
        break;
    case 4: // "Kreisförmig"
        shape.code = ShapeCode::Ellipse;
        shape.mirrored = mirroredUnlessLeft(field);
        break;
    case 5: // "Trapez"
        shape.code = ShapeCode::SixCorner;
        shape.m1 = field.r;
        shape.m2 = field.b;
        shape.m3 = field.r;
        shape.m4 = field.b;
        shape.mirrored = mirroredUnlessLeft(field);
        break;
    case 7: // "Dreieck"
        shape.code = ShapeCode::SixCorner;
        shape.m2 = W;
        shape.mirrored = mirroredByHingeOrOption(field);
        break;
    case 9: // "Segmentbogen"
        shape.code = ShapeCode::ThreePointArch;
        shape.m1 = field.b;
        shape.m2 = field.r;
        shape.m3 = H;
        shape.mirrored = mirroredByHingeOrOption(field);
        break;
    default: // "Rechteck", "Tür" and every code not listed
        shape.code = ShapeCode::Rectangle;
        shape.t = std::max(clampToInt(std::int64_t(field.r) - frameWidth), 0);
        shape.mirrored = mirroredUnlessLeft(field);
        break;
    }
    return shape;
}

void NormaliseShape(FieldShape& shape, int W)
{
    if (shape.code != ShapeCode::SixCorner)
        return;
    if (shape.m1 == 0 && shape.m2 == 0 && shape.m3 == 0 && shape.m4 == 0) {
        shape.code = ShapeCode::Rectangle;
        return;
    }
    if (shape.m1 == 0)
        shape.m1 = 1;
    if (shape.m3 == 0)
        shape.m3 = 1;
    // A top edge that does not step in on a side leaves that side straight.
    if (shape.m4 == 0)
        shape.m3 = 1;
    if (shape.m2 == 0)
        shape.m1 = 1;
    if (std::int64_t(W) - shape.m4 <= shape.m2)
        shape.m2 = clampToInt(std::int64_t(W) - shape.m4 - 1);
}

Outline FieldOutline(const FieldShape& shape, int W, int H)
{
    Outline outline;
    switch (shape.code) {
    case ShapeCode::SixCorner:
        outline.points = { { 0, 0 }, { W, 0 }, { W, shape.m1 }, { clampToInt(std::int64_t(W) - shape.m2), H },
            { shape.m4, H }, { 0, shape.m3 } };
        break;
    case ShapeCode::Rectangle:
        outline.points = { { 0, 0 }, { W, 0 }, { W, H }, { 0, H } };
        break;
    case ShapeCode::SegmentalArch:
        appendSegmentalArch(outline, W, H, shape.m3);
        break;
    case ShapeCode::Ellipse: {
        const double halfW = double(W) / 2.0;
        const double halfH = double(H) / 2.0;
        outline.points.reserve(360);
        for (int g = 0; g < 360; ++g) {
            const double angle = g * kDegree;
            outline.points.push_back({ rnd(std::cos(angle) * halfW + halfW), rnd(std::sin(angle) * halfH + halfH) });
        }
        outline.topIndex = 90;
        break;
    }
    case ShapeCode::ThreePointArch:
        appendThreePointArch(outline, shape, W);
        break;
    }
    return outline;
}

std::vector<MmPoint> InsetPolygon(std::span<const MmPoint> p, double d)
{
    const std::size_t n = p.size();
    if (n == 0)
        return {};
    const auto at = [&](std::size_t k) { return p[k % n]; };

    // Edge k runs from point k to point k + 1, with point k + 2 to look ahead.
    std::vector<Line> edges;
    edges.reserve(n);
    for (std::size_t k = 0; k < n; ++k)
        edges.push_back(shiftedEdge(at(k), at(k + 1), at(k + 2), d));

    std::vector<MmPoint> q(n + 4);
    for (std::size_t k = 0; k < n; ++k) {
        const Line& a = edges[k];
        const Line& b = edges[(k + 1) % n];
        const Crossing x = crossing(a, b);
        if (x.den == 0.0)
            q[k] = mid({ clampToInt(std::int64_t(a.x1)), clampToInt(std::int64_t(a.y1)) },
                { clampToInt(std::int64_t(b.x2)), clampToInt(std::int64_t(b.y2)) });
        else
            q[k] = pointOn(a, x.u);
    }
    for (std::size_t j = 0; j < 4; ++j)
        q[n + j] = q[j % n];

    // Where an inset edge crosses the next but one, the two points between
    // meet at the crossing, so that sharp corners do not fold over.
    std::size_t i = 0;
    while (i < n) {
        const Line a { double(q[i].x), double(q[i].y), double(q[i + 1].x), double(q[i + 1].y) };
        const Line b { double(q[i + 2].x), double(q[i + 2].y), double(q[i + 3].x), double(q[i + 3].y) };
        const Crossing x = crossing(a, b);
        if (x.den != 0.0 && x.u > 0.0 && x.u < 1.0) {
            const MmPoint meet = pointOn(a, x.u);
            q[i + 1] = meet;
            q[i + 2] = meet;
            q[(i + 1) % n] = meet;
            q[(i + 2) % n] = meet;
            i += 2;
        } else {
            i += 1;
        }
    }
    q.resize(n);
    return q;
}

MmPoint GlassPoint(std::span<const MmPoint> glass, int j)
{
    const int n = int(glass.size());
    if (n == 0)
        return {};
    const int index = ((j - 1) % n + n) % n;
    return glass[std::size_t(index)];
}

AnchorPoints GlassAnchors(std::span<const MmPoint> glass, ShapeCode code, int topIndex)
{
    const auto G = [&](int j) { return GlassPoint(glass, j); };
    const int n = int(glass.size());
    AnchorPoints a;
    switch (code) {
    case ShapeCode::Rectangle:
        a = { mid(G(2), G(3)), mid(G(0), G(1)), mid(G(1), G(2)), mid(G(3), G(0)), G(1), G(3), G(0) };
        break;
    case ShapeCode::SixCorner:
        a = { mid(G(3), G(4)), mid(G(0), G(1)), mid(G(2), G(3)), mid(G(4), G(5)), G(1), G(4), G(0) };
        break;
    case ShapeCode::SegmentalArch:
    case ShapeCode::ThreePointArch:
        // An arch too shallow for any arc point has no top point; its top
        // anchor is the middle of the glass's flat top edge.
        a = { topIndex >= 0 ? G(topIndex + 1) : mid(G(2), G(3)), mid(G(0), G(1)), mid(G(1), G(2)), mid(G(n - 1), G(0)),
            G(1), G(n - 1), G(0) };
        break;
    case ShapeCode::Ellipse:
        a = { G(91), G(271), G(1), G(181), G(316), G(136), G(226) };
        break;
    }
    return a;
}

} // namespace fenster
