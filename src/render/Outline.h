#pragma once

#include "Geometry.h"

#include <span>
#include <vector>

namespace fenster {

struct FieldValues;

// Shape codes of the field outline.
enum class ShapeCode {
    SixCorner = 0, // corner, trapezoid, triangle
    Rectangle = 1, // rectangle, door and every unknown base type
    SegmentalArch = 2, // segmental and round arch
    Ellipse = 3,
    ThreePointArch = 9,
};

// What the base type dispatch hands to DrawField: the shape code, its four
// measures in mm of the field frame, the transom value t (rectangles only)
// and whether the field is drawn reflected about its vertical centre line.
struct FieldShape {
    ShapeCode code = ShapeCode::Rectangle;
    int m1 = 0;
    int m2 = 0;
    int m3 = 0;
    int m4 = 0;
    int t = 0;
    bool mirrored = false;
    friend constexpr bool operator==(const FieldShape&, const FieldShape&) = default;
};

inline constexpr int kMaxOutlinePoints = 1024;

// A closed outline in the field frame (mm, y up), counter-clockwise from the
// bottom-left corner along the bottom edge. topIndex is the index of the
// point at the top of a curve, -1 when the outline has none.
struct Outline {
    std::vector<MmPoint> points;
    int topIndex = -1;
};

// Base type dispatch: base type, width, own height, r, b, hinge side and the
// mirrored option of the field, plus the frame width, to shape and measures.
// Base type 10 (empty field) gets a rectangle; the caller does not draw it.
FieldShape ShapeForField(const FieldValues& field, int frameWidth);

// Normalisation of the six-corner shape before its outline is built; other
// shapes pass unchanged. W is the field width.
void NormaliseShape(FieldShape& shape, int W);

// The outline of a normalised shape in a field W wide and H high.
Outline FieldOutline(const FieldShape& shape, int W, int H);

// The polygon moved inward by d mm: one point per outline point, starting
// with the inset of point 1 and ending with that of point 0. d = 0 gives the
// outline as drawn. Never fails: repeated points move by nothing.
std::vector<MmPoint> InsetPolygon(std::span<const MmPoint> points, double d);

// The glass-polygon point belonging to outline point j (the inset list
// starts one point late); j is taken modulo the point count.
MmPoint GlassPoint(std::span<const MmPoint> glass, int j);

// The seven points of the glass polygon that the opening symbols connect,
// in the unmirrored field frame.
struct AnchorPoints {
    MmPoint top;
    MmPoint bottom;
    MmPoint right;
    MmPoint left;
    MmPoint bottomRight;
    MmPoint topLeft;
    MmPoint bottomLeft;
    friend constexpr bool operator==(const AnchorPoints&, const AnchorPoints&) = default;
};

AnchorPoints GlassAnchors(std::span<const MmPoint> glass, ShapeCode code, int topIndex);

} // namespace fenster
