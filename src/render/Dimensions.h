#pragma once

#include "Canvas.h"

namespace fenster {

// Edge dimensions of the window, relative to DrawOrigin, in mm. Both draw
// nothing while edge dimensions are off.

// Horizontal dimension of length from (x0, 0) to (x0 + length, 0), level > 0.
void DrawHorizontalDimension(Canvas& canvas, int x0, int length, int level);

// Vertical dimension of length from (x0, 0) to (x0, length), level < 0.
void DrawVerticalDimension(Canvas& canvas, int x0, int length, int level);

} // namespace fenster
