#include "CoordinateClip.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace fenster {

bool WithinCoordinateLimit(PixelPoint p)
{
    return std::abs(std::int64_t(p.x)) <= kCoordinateLimit && std::abs(std::int64_t(p.y)) <= kCoordinateLimit;
}

bool AllWithinCoordinateLimit(std::span<const PixelPoint> points)
{
    return std::all_of(points.begin(), points.end(), WithinCoordinateLimit);
}

PixelPoint ClampToCoordinateLimit(PixelPoint p)
{
    return { std::clamp(p.x, -kCoordinateLimit, kCoordinateLimit), std::clamp(p.y, -kCoordinateLimit, kCoordinateLimit) };
}

bool ClipSegmentToLimit(ClipPoint& a, ClipPoint& b)
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
    const ClipPoint from { a.x + t0 * dx, a.y + t0 * dy };
    const ClipPoint to { a.x + t1 * dx, a.y + t1 * dy };
    a = from;
    b = to;
    return true;
}

std::vector<PixelPoint> ClipPolygonToLimit(std::span<const PixelPoint> points)
{
    std::vector<ClipPoint> poly;
    poly.reserve(points.size());
    for (PixelPoint p : points)
        poly.push_back({ double(p.x), double(p.y) });
    const double L = kCoordinateLimit;
    for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
        const auto inside = [&](const ClipPoint& p) {
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
        const auto cut = [&](const ClipPoint& a, const ClipPoint& b) {
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
            return ClipPoint { a.x + t * (b.x - a.x), a.y + t * (b.y - a.y) };
        };
        std::vector<ClipPoint> out;
        out.reserve(poly.size() + 4);
        for (std::size_t i = 0; i < poly.size(); ++i) {
            const ClipPoint& cur = poly[i];
            const ClipPoint& prev = poly[(i + poly.size() - 1) % poly.size()];
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
    std::vector<PixelPoint> result;
    result.reserve(poly.size());
    for (const ClipPoint& p : poly)
        result.push_back({ rnd(p.x), rnd(p.y) });
    return result;
}

} // namespace fenster
