#pragma once

#include "Measures.h"

namespace fenster {

// Point geometry of the three-point arch and the segment-arch macro, on
// integer millimetre points.

// Centre of the circle through a, b and c, rounded to whole mm. Points on
// one line have no such circle; the midpoint of a and c is returned then,
// as it is for a centre so far away that it leaves the int range.
MmPoint Circumcentre(MmPoint a, MmPoint b, MmPoint c);

// Whether a, b and c have a circle through them whose rounded centre lies
// within the int range (false for points on one line).
bool HasCircumcentre(MmPoint a, MmPoint b, MmPoint c);

double PointDistance(MmPoint a, MmPoint b);

// Direction angle from a to b in radians, -pi..pi; 0 when a equals b.
double PointAngle(MmPoint a, MmPoint b);

} // namespace fenster
