#pragma once

#include "Measures.h"

#include <cstdint>

namespace fenster {

// Engine value types. Millimetres (MmPoint, from the model) and pixels are
// distinct types so that they cannot be mixed by accident.

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

} // namespace fenster
