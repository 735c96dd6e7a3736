#include "PointGeometry.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace fenster {

namespace {

std::optional<MmPoint> centreOf(MmPoint a, MmPoint b, MmPoint c)
{
    const double x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y, x3 = c.x, y3 = c.y;
    const double d = 2.0 * ((y2 - y3) * x1 + (y3 - y1) * x2 + (y1 - y2) * x3);
    if (d == 0.0)
        return std::nullopt;
    const double s1 = x1 * x1 + y1 * y1;
    const double s2 = x2 * x2 + y2 * y2;
    const double s3 = x3 * x3 + y3 * y3;
    const double ux = (s1 * (y2 - y3) + s2 * (y3 - y1) + s3 * (y1 - y2)) / d;
    const double uy = (s1 * (x3 - x2) + s2 * (x1 - x3) + s3 * (x2 - x1)) / d;
    constexpr double limit = double(std::numeric_limits<int>::max());
    if (!std::isfinite(ux) || !std::isfinite(uy) || std::fabs(ux) >= limit || std::fabs(uy) >= limit)
        return std::nullopt;
    return MmPoint { rnd(ux), rnd(uy) };
}

} // namespace

MmPoint Circumcentre(MmPoint a, MmPoint b, MmPoint c)
{
    if (const auto centre = centreOf(a, b, c))
        return *centre;
    return { int((std::int64_t(a.x) + c.x) / 2), int((std::int64_t(a.y) + c.y) / 2) };
}

bool HasCircumcentre(MmPoint a, MmPoint b, MmPoint c)
{
    return centreOf(a, b, c).has_value();
}

double PointDistance(MmPoint a, MmPoint b)
{
    const double dx = double(b.x) - double(a.x);
    const double dy = double(b.y) - double(a.y);
    return std::sqrt(dx * dx + dy * dy);
}

double PointAngle(MmPoint a, MmPoint b)
{
    return std::atan2(double(b.y) - double(a.y), double(b.x) - double(a.x));
}

} // namespace fenster
