#pragma once

#include "Window.h"

#include <cstdint>
#include <optional>
#include <string>

namespace fenster {

// The construction macros of the menu "Makros" and the proportional resize
// of "&Fenstermaße ändern", as operations on the model. Each ends where the
// editor takes over: it then runs its round trip (the description is written
// from the model, the drawing repainted and the panel refreshed), also when
// the macro refused, and shows the refusal.

// A row and a field, both counted from 1.
struct Selection {
    int row = 1;
    int field = 1;
    friend constexpr bool operator==(Selection, Selection) = default;
};

struct MacroResult {
    // Why the macro changed nothing: a German text (UTF-8) for the editor to
    // translate and show. Empty when the macro ran.
    std::optional<std::string> refusal;
    // The selection the macro moved to, when it moves it.
    std::optional<Selection> selection;

    bool ok() const { return !refusal.has_value(); }
};

// The refusals, for the editor and its tests.
inline constexpr const char* kCannotScaleEmptyWindow
    = "Ein Fenster ohne Höhe oder Breite lässt sich nicht proportional ändern.";
inline constexpr const char* kNewSizeNotPositive = "Die neuen Fenstermaße müssen größer als 0 mm sein.";
inline constexpr const char* kTooManyRowsForRollerShutterBox
    = "Das Fenster hat schon 10 Zeilen; ein Rolladenkasten lässt sich nicht mehr hinzufügen.";
inline constexpr const char* kTooManyRowsToInsert
    = "Das Fenster hat schon so viele Zeilen, wie eine Fensterbeschreibung fassen kann.";
inline constexpr const char* kSegmentArchOnStraightLine
    = "Die drei Höhen liegen auf einer Geraden: durch sie geht kein Segmentbogen.";

// The proportional resize to newHeight x newWidth mm. The factors are the new
// size over the overall height and width the rows give (OverallHeight,
// OverallWidth), in extended precision; every row height, field width, extra
// height, height 1 (by the height factor) and height 2 (by the width factor)
// is multiplied and rounded to the nearest millimetre, halves to the even
// neighbour. No remainder is spread, so the next write can come out a few
// millimetres off the new size. The model's own height and width become the
// new size. Refused, changing nothing, when the window is 0 mm high or wide
// or the new size is not above 0.
MacroResult ScaleWindow(TFenster& window, std::int32_t newHeight, std::int32_t newWidth);

// "Rolladenkasten hinzufügen": a row of 200 mm on top whose single field
// spans the overall width (at least the 500 mm of the new row's field) and is
// a roller-shutter box; it becomes the selection. A window of 10 rows or more
// (the row count control stops at 10) is refused.
MacroResult AddRollerShutterBox(TFenster& window);

// "Fensterbankanschlag einfügen": a new bottom row of 20 mm whose single
// field spans the overall width and is a sill connection; row 1, field 1
// become the selection. Refused only when the description reader could not
// take another row.
MacroResult InsertSillConnection(TFenster& window);

// "Nue Zeile untern einfügen": a new bottom row of 500 mm with one field of
// the overall width; row 1, field 1 become the selection. Refused as
// InsertSillConnection.
MacroResult InsertBottomRowMacro(TFenster& window);

// "Segmentbogen Anlage" with the heights at the left edge, the middle and
// the right edge and the overall width the dialog returned, in mm. Three
// heights that lie on one straight line have no arc through them: the
// window is then left as it is, unscaled. Otherwise the window is scaled to
// the largest height and the width, and every field of the top row becomes
// a "Segmentbogen" whose extra height, height 1 and height 2 are the arc's
// height above the row's lower edge at the field's left edge, middle and
// right edge (left and right exchanged for a right-hinged or mirrored
// field). The refusals of ScaleWindow apply first.
MacroResult SegmentArch(TFenster& window, int left, int middle, int right, int width);

} // namespace fenster
