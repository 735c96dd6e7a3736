#pragma once

#include "Canvas.h"
#include "Field.h"

namespace fenster {

// The layers of a field that DrawField calls after the outline, the sash
// band and the glass. Each decides from ctx.values whether it draws at all;
// each leaves the clip removed. Loops whose counts come from the text go
// through FieldContext::visibleSteps.

// Roller-shutter box: the two lines at R from the sides. DrawField calls it
// only for such a field and draws nothing else of it.
void DrawRollerShutterBox(Canvas& canvas, const FieldContext& ctx);

// Insect screen and pleated blind, clipped to the glass polygon.
void DrawInsectScreen(Canvas& canvas, const FieldContext& ctx);
void DrawPleatedBlind(Canvas& canvas, const FieldContext& ctx);

// Transom bar and muntin bars, clipped to the glass polygon.
void DrawTransomAndMuntins(Canvas& canvas, const FieldContext& ctx);

// Fixed-glazing cross, sliding arrow, tilt, swing and hinge lines.
void DrawOpeningSymbols(Canvas& canvas, const FieldContext& ctx);

// Side or top handle.
void DrawHandle(Canvas& canvas, const FieldContext& ctx);

} // namespace fenster
