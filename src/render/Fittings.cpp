#include "Fittings.h"

namespace fenster {

// FIXME: the layers after the glass are still to be drawn.

void DrawRollerShutterBox(Canvas&, const FieldContext&) { }

void DrawInsectScreen(Canvas&, const FieldContext&) { }

void DrawPleatedBlind(Canvas&, const FieldContext&) { }

void DrawTransomAndMuntins(Canvas&, const FieldContext&) { }

void DrawOpeningSymbols(Canvas&, const FieldContext&) { }

void DrawHandle(Canvas&, const FieldContext&) { }

} // namespace fenster
