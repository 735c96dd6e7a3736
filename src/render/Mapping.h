#pragma once

#include "Engine.h"
#include "Geometry.h"

namespace fenster {

// The one millimetre-to-pixel mapping of the engine. A point (x, y) in mm,
// taken relative to a reference point (x0, y0) in mm, lands on
//   column = rnd((x0 + x) * DrawingScale)
//   row    = rnd(CanvasHeight - (y0 + y) * DrawingScale)
// with the sums formed as reals before multiplying. CanvasHeight is the
// height handed to DrawWindow, not the device's. Results are clamped to the
// int range by rnd, so absurd scales or measures never overflow.

inline int PixelColumn(double x0, double x)
{
    return rnd((x0 + x) * Engine().DrawingScale);
}

inline int PixelRow(double y0, double y)
{
    return rnd(double(Engine().CanvasHeight) - (y0 + y) * Engine().DrawingScale);
}

inline PixelPoint MapMm(MmPoint reference, double x, double y)
{
    return { PixelColumn(reference.x, x), PixelRow(reference.y, y) };
}

// Relative to the field being drawn, or between rows to the window's
// bottom-left corner.
inline PixelPoint MapFromDrawOrigin(double x, double y)
{
    return MapMm(Engine().DrawOrigin, x, y);
}

// Relative to the reference point of symbols and free dimension lines.
inline PixelPoint MapFromAnnotationOrigin(double x, double y)
{
    return MapMm(Engine().AnnotationOrigin, x, y);
}

// A length in mm as a whole number of pixels at the drawing scale.
inline int MmToPixels(double mm)
{
    return rnd(mm * Engine().DrawingScale);
}

// A length in pixels as a whole number of mm at the drawing scale; 0 when
// there is no usable scale.
int PixelsToMm(double pixels);

// Line from (x1, y1) to (x2, y2), mm relative to reference, with the
// canvas's current pen (move-to, line-to).
void LineMm(Canvas& canvas, MmPoint reference, double x1, double y1, double x2, double y2);

// Sets the canvas pen the engine's way: its colour becomes the engine's
// current colour, which later pens of the same drawing start from.
void SetEnginePen(Canvas& canvas, const Pen& pen);

// The pen in the current colour, solid, width 1, copy mode: the pen of the
// edge dimensions and of the lines between fields.
void SetCurrentColourPen(Canvas& canvas);

} // namespace fenster
