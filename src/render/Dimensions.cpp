#include "Dimensions.h"

namespace fenster {

// FIXME: the dimension chains are still to be drawn.

void DrawHorizontalDimension(Canvas&, int, int, int) { }

void DrawVerticalDimension(Canvas&, int, int, int) { }

} // namespace fenster
