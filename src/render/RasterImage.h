#pragma once

#include <cstdint>
#include <vector>

namespace fenster {

// A plain 32-bit image, row by row from the top, each pixel 0xAARRGGBB.
// The engine's raster routines work on it; the Qt canvas converts to and
// from QImage. An empty image has width or height 0 and no pixels.
struct RasterImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RasterImage() = default;
    RasterImage(int w, int h, std::uint32_t fill = 0xffffffffu)
        : width(w > 0 ? w : 0)
        , height(h > 0 ? h : 0)
        , pixels(std::size_t(width) * std::size_t(height), fill)
    {
    }
    bool isEmpty() const { return width == 0 || height == 0; }
    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    void setPixel(int x, int y, std::uint32_t v) { pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] = v; }
    friend bool operator==(const RasterImage&, const RasterImage&) = default;
};

} // namespace fenster
