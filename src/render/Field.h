#pragma once

#include "Canvas.h"
#include "Engine.h"
#include "Outline.h"

#include <span>
#include <vector>

namespace fenster {

// The engine keeps three properties of a field as single choices, so that
// options the model keeps apart overwrite each other, the later one winning.
enum class OpeningKind { None = 0, Fixed = 1, Sash = 2, Sliding = 3 };
enum class HingeSide { None = 0, Right = 1, Left = 2 };
enum class TiltMode { None = 0, Tilt = 1, Swing = 2 };

inline constexpr int kBaseTypeEmpty = 10;

// The engine reader's values of the field being drawn. Lengths in mm,
// never negative (the reader drops signs).
struct FieldValues {
    int width = 0; // W
    int height = 0; // e: the field's own height, the row height unless "e:" says otherwise
    int baseType = 0; // "T:"; unknown codes are drawn as rectangles
    OpeningKind opening = OpeningKind::None;
    HingeSide hinge = HingeSide::None;
    TiltMode tilt = TiltMode::None;
    bool handle = false;
    bool mirrored = false;
    bool rollerShutterBox = false;
    bool sillConnection = false;
    bool outward = false;
    bool insectScreen = false;
    bool pleatedBlind = false;
    int verticalMuntins = 0;
    int horizontalMuntins = 0;
    int r = 0;
    int b = 0;
    friend constexpr bool operator==(const FieldValues&, const FieldValues&) = default;
};

// Inset of the sash band polygon: the sash inset plus one.
inline constexpr int kSashInset = 30;

inline constexpr Colour kOutlineGrey { 221, 221, 221 };
inline constexpr Colour kSymbolGrey { 128, 128, 128 };
inline constexpr Colour kBandSilver { 192, 192, 192 };
inline constexpr Colour kGlassGrey { 240, 240, 240 };

// Whether a line or rectangle follows the field's mirroring.
enum class Reflection { Unmirrored, Mirrored };

// Everything the layers of one field need, computed once by DrawField.
// Coordinates are mm in the field frame: origin at the field's bottom-left
// corner (DrawOrigin), x right up to W, y up to e.
struct FieldContext {
    FieldValues values;
    FieldShape shape; // after normalisation
    int W = 0;
    int e = 0;
    int R = 0; // frame width RahmenBreite
    int t = 0; // transom value, 0 but for rectangles
    int m1 = 0; // first shape measure after normalisation
    bool mirrored = false;
    Colour fieldColour = kBlack; // blue for the highlighted field, else Color
    Outline outline;
    std::vector<MmPoint> glass; // InsetPolygon(outline, R)
    AnchorPoints anchors; // of the glass polygon
    // The mapping of this field, taken from the engine once: DrawOrigin,
    // DrawingScale and CanvasHeight.
    MmPoint origin;
    double scale = 1.0;
    double canvasHeight = 0.0;

    // x reflected about the field's centre line when the field is mirrored.
    double reflectX(double x, Reflection reflection) const;
    PixelPoint map(double x, double y, Reflection reflection) const;
    std::vector<PixelPoint> mapPolygon(std::span<const MmPoint> points) const; // always mirrored

    // Field pen: field colour, width 1, solid, copy; it becomes the current
    // colour. Symbol pen: grey, dotted when opening outwards; it leaves the
    // current colour alone.
    void setFieldPen(Canvas& canvas) const;
    void setSymbolPen(Canvas& canvas) const;

    // A polygon of the field frame, mirrored: a closed polyline while the
    // brush is white, a filled polygon otherwise.
    void drawPolygon(Canvas& canvas, std::span<const MmPoint> points) const;
    // Clip to a polygon of the field frame, mirrored; removeClip on the canvas ends it.
    void clipTo(Canvas& canvas, std::span<const MmPoint> points) const;
    void line(Canvas& canvas, double x1, double y1, double x2, double y2, Reflection reflection) const;
    void line(Canvas& canvas, MmPoint from, MmPoint to, Reflection reflection) const;
    // The platform rectangle from (x, y) with width w and height h, filled
    // with the brush and outlined with the pen.
    void rectangle(Canvas& canvas, double x, double y, double w, double h, Reflection reflection) const;
    // The same rectangle as four lines, not filled.
    void rectangleOutline(Canvas& canvas, double x, double y, double w, double h, Reflection reflection) const;

    // The loop range for positions first + i * step (mm, i = 1..count) along
    // the x (vertical == false) or y axis of the field frame, cut to the
    // indices whose positions fall on the canvas, with a stride that keeps
    // drawn positions at least a pixel apart. Loops over counts or sizes
    // taken from the text use it, so that absurd values cost nothing.
    // slack (mm) widens the range on both sides, for items that reach that
    // far from their position (a bar of some width); reflection says
    // whether the items follow the field's mirroring.
    struct StepRange {
        long long first = 1;
        long long last = 0;
        long long stride = 1;
    };
    StepRange visibleSteps(double first, double step, long long count, bool vertical, double slack = 0.0,
        Reflection reflection = Reflection::Unmirrored) const;
};

// Draws one field at DrawOrigin: outline, sash band and glass here, the
// other layers through the routines of Fittings.h.
void DrawField(Canvas& canvas, const FieldValues& values, const FieldShape& shape, Colour fieldColour);

} // namespace fenster
