#pragma once

#include "Canvas.h"
#include "Geometry.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fenster {

// The drawing engine: plain routines over one module-level state. It draws
// a window description onto any Canvas and leaves the scale, the annotation
// origin and the field rectangles behind for the editor until the next
// drawing. Not re-entrant; everything runs on the user-interface thread.

// The engine's one reported data error: a field width that is not a number.
// The interactive editor shows the message and keeps the user's work; the
// render-only host run and the command-line tool turn it into the line
// "Fehler in Datendatei!" and exit code 137.
class DataFileError : public std::runtime_error {
public:
    DataFileError()
        : std::runtime_error("Fehler in Datendatei!")
    {
    }
};

// A conversion or file error while drawing an annotation list; the message
// names the record. Records before it have been drawn.
class AnnotationListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kMaxRows = 20;
inline constexpr int kMaxFields = 20;

// Pixel rectangle of one drawn field, measured upward from the canvas bottom.
// It uses the row height, not the field's own height.
struct FieldRect {
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;
    bool valid = false;
};

struct SymbolRect {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    friend constexpr bool operator==(SymbolRect, SymbolRect) = default;
};

// Drawing settings read at every drawing; stored as preferences.
struct DrawingSettings {
    Colour Color = kBlack; // all lines of the window and of the edge dimensions
    int Rahmen = 3; // pixels: pen width of each field's outer outline
    int RahmenBreite = 50; // mm: frame width
    int Sprossen = 10; // mm: width of horizontal muntin bars
    int SprossenV = 10; // mm: width of vertical muntin bars
};

enum class EdgeDimensions { Off, On };

struct EngineState {
    double DrawingScale = 1.0; // pixels per millimetre of the last drawing
    int CanvasWidth = 0;
    int CanvasHeight = 0;
    MmPoint DrawOrigin; // the field being drawn; otherwise the window's bottom-left corner
    int LeftOffset = 0; // mm: x of the window's left edge
    MmPoint AnnotationOrigin; // reference point of symbols and free dimension lines
    EdgeDimensions edgeDimensions = EdgeDimensions::Off;
    int selectedRow = -1;
    int selectedField = -1;
    bool HighlightSelection = true;
    Colour currentColour = kBlack;
    // Indexed [row][field], both 1-based; index 0 is unused.
    FieldRect FieldRectTable[kMaxRows + 1][kMaxFields + 1] {};
    std::vector<SymbolRect> SymbolRects;
    int SelectedDimLine = 0; // 1-based record drawn in blue; 0 for none
    // Header of the last description read: overall height and width in mm
    // and the row count as written.
    int OverallHeight = 0;
    int OverallWidth = 0;
    int RowCount = 0;
    int BottomOffset = 0; // mm: y of the window's bottom edge
    // False when the last description could not be drawn (no usable scale);
    // DrawingScale is then 1 and no field rectangle is valid.
    bool Drawn = false;
};

// The module-level state and settings.
EngineState& Engine();
DrawingSettings& Settings();

// Draws the description. Returns true. Throws DataFileError when a field
// width is not a number; the canvas may then hold a partial drawing.
bool DrawWindow(Canvas& canvas, int leftMargin, int bottomMargin, int canvasWidth, int canvasHeight,
    std::string_view description, EdgeDimensions showEdgeDimensions, int selectedField, int selectedRow,
    double scale);

} // namespace fenster
