#pragma once

#include "Canvas.h"
#include "Geometry.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace fenster {

// Exclusive-or strokes for devices that cannot invert: strokes on the same
// line with the same pen cancel where they overlap an even number of times,
// so only the stretches covered an odd number of times are to be drawn.
struct XorStroke {
    PixelPoint from;
    PixelPoint to;
    Pen pen;
};

// A stretch to draw, in pixel coordinates, with the pen that drew it.
struct OddStretch {
    double x0;
    double y0;
    double x1;
    double y1;
    Pen pen;
};

// The stretches of strokes covered an odd number of times, grouped by line
// and pen in a fixed order. Zero-length strokes cover nothing.
std::vector<OddStretch> OddStretches(const std::vector<XorStroke>& strokes);

// The direction of the segment from from to to in its smallest whole steps,
// pointing right (or down the y axis for an upright segment), so that every
// segment on one straight line has the same direction; nullopt for a single
// point. Pieces on one line share this direction and their offset along
// its normal, and are placed along it by dx * x + dy * y.
struct LineDirection {
    std::int64_t dx = 0;
    std::int64_t dy = 0;
};
std::optional<LineDirection> ReducedDirection(PixelPoint from, PixelPoint to);

} // namespace fenster
