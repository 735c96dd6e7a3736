#pragma once

#include "Geometry.h"

#include <span>
#include <vector>

namespace fenster {

// Raster back ends work in fixed point; coordinates beyond this are cut away
// geometrically before they reach one. Far outside any real device.
inline constexpr int kCoordinateLimit = 1 << 20;

bool WithinCoordinateLimit(PixelPoint p);
bool AllWithinCoordinateLimit(std::span<const PixelPoint> points);

// Each coordinate pulled into -kCoordinateLimit..kCoordinateLimit.
PixelPoint ClampToCoordinateLimit(PixelPoint p);

struct ClipPoint {
    double x;
    double y;
};

// The part of a->b inside the square of the coordinate limit (Liang-Barsky);
// false when nothing of it lies inside, a and b untouched then.
bool ClipSegmentToLimit(ClipPoint& a, ClipPoint& b);

// The polygon cut to the square of the coordinate limit (Sutherland-Hodgman),
// keeping its filled area inside the square, corners rounded to pixels.
std::vector<PixelPoint> ClipPolygonToLimit(std::span<const PixelPoint> points);

} // namespace fenster
