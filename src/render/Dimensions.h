#pragma once

#include "Canvas.h"
#include "Geometry.h"

#include <cstdint>
#include <string_view>

namespace fenster {

// Dimensions in the engine's millimetre axes (x right, y up). Numbers are
// the decimal text of a length in whole mm, in the canvas's current font.

// Edge dimensions of the window, relative to DrawOrigin, in mm. Both draw
// nothing while edge dimensions are off or without a usable scale. The pen
// becomes the current colour, solid, width 1.

// Horizontal dimension of length from (x0, 0) to (x0 + length, 0), level > 0:
// 1 for the field chain, 2 for the overall width. Its extension lines reach
// 1.7 text heights per level below the window, the dimension line runs 3 mm
// per level back towards the window, and the number stands on it when it
// fits (8 pixels per character plus 16).
void DrawHorizontalDimension(Canvas& canvas, int x0, int length, int level);

// Vertical dimension of length from (x0, 0) to (x0, length), level < 0:
// -1 for a row, -2 for the overall height, to the right of x0. A number
// that fits is turned; one that does not stands unturned at the bottom end
// of the extension line.
void DrawVerticalDimension(Canvas& canvas, int x0, int length, int level);

// One free dimension record, relative to AnnotationOrigin, with the pen as
// the caller set it. dy != 0 draws the horizontal part |x2 - x1| at dy above
// (or below) the base point, dx != 0 the vertical part |y2 - y1| at dx to the
// right (or left). The numbers are always written. Nothing is drawn without
// a usable scale.
void DrawFreeDimension(Canvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
    std::int32_t dy, std::int32_t dx);

// The two text primitives of the engine; (x, y) in mm relative to reference.
// Horizontal: text centred on x with its top at y.
void HorizontalText(Canvas& canvas, std::string_view text, double x, double y, MmPoint reference);
// Vertical: text turned by 90 degrees (read from bottom to top), its right
// side at x and centred on y. The escapement is back to horizontal
// afterwards, also when writing fails.
void VerticalText(Canvas& canvas, std::string_view text, double x, double y, MmPoint reference);

} // namespace fenster
