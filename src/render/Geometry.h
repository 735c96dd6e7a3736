#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace fenster {

// Engine value types. Millimetres and pixels are distinct types so that they
// cannot be mixed by accident.

// A pixel position on a canvas: x to the right, y downward, origin top left.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(PixelPoint, PixelPoint) = default;
};

// A pixel rectangle. right and bottom are exclusive when the rectangle is
// filled, as with the platform's rectangle call; an empty rectangle has
// right <= left or bottom <= top.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

// A position in whole millimetres in the engine's axes: x to the right,
// y upward.
struct MmPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(MmPoint, MmPoint) = default;
};

// 24-bit colour. Stored files and preferences keep colours as integers with
// red in the low byte; fromColorRef and colorRef convert.
struct Colour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    static constexpr Colour fromColorRef(std::int32_t value)
    {
        return { std::uint8_t(value & 0xff), std::uint8_t((value >> 8) & 0xff),
            std::uint8_t((value >> 16) & 0xff) };
    }
    constexpr std::int32_t colorRef() const { return r | (g << 8) | (b << 16); }
    friend constexpr bool operator==(Colour, Colour) = default;
};

inline constexpr Colour kBlack { 0, 0, 0 };
inline constexpr Colour kWhite { 255, 255, 255 };
inline constexpr Colour kBlue { 0, 0, 255 };
inline constexpr Colour kRed { 255, 0, 0 };

// rnd: the nearest integer, exact halves to the even neighbour. Every formula
// that turns reals into millimetres or pixels goes through it. Values outside
// the int range (and NaN) are clamped, so that absurd input never becomes
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
