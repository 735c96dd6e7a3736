#pragma once

#include <cstddef>
#include <cstdint>

namespace fenster {

// A view of 32-bit pixels (0xAARRGGBB) owned by someone else: width x height
// pixels, row y starting stride pixels after row y - 1. The raster routines
// draw into it; the Qt canvas hands its image's bits over this way.
struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    std::uint32_t* pixels = nullptr;

    std::uint32_t* row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
};

} // namespace fenster
