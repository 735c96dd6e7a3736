#pragma once

#include <cmath>
#include <limits>

namespace fenster {

// Whole-millimetre positions and the two roundings that every formula uses
// when it turns reals into millimetres or pixels. Plain C++, shared by the
// model's macros and the drawing engine.

// A position in whole millimetres in the window's axes: x to the right from
// the left edge, y upward from the bottom edge.
struct MmPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(MmPoint, MmPoint) = default;
};

// rnd: the nearest integer, exact halves to the even neighbour. Values
// outside the int range are clamped, so that absurd input never becomes
// undefined behaviour; NaN gives 0.
inline int rnd(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

// div: integer division truncating toward zero; a zero divisor gives 0.
constexpr int div(int a, int b)
{
    if (b == 0)
        return 0;
    if (b == -1)
        return a == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -a;
    return a / b;
}

} // namespace fenster
