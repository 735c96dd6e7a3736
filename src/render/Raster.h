#pragma once

#include "Canvas.h"
#include "RasterImage.h"

#include <cstddef>
#include <cstdint>

namespace fenster {

// Which pixels of a bitmap are drawing, measured against a threshold on
// (red + green + blue) div 3.
enum class ContentIs { Darker, Lighter };

// Crops the bitmap to its drawn content and leaves it opaque (24 bits).
// Every row with content counts for the left, top and bottom edges, also
// one whose content starts in column 0; the right edge stops one column
// short of the last; a bitmap without content, or one that would not shrink by more
// than a pixel either way, keeps its size. An empty bitmap stays empty.
// Returns the rectangle kept, in the coordinates of the bitmap before.
PixelRect TrimToContent(RasterImage& bitmap, int threshold, ContentIs content);

// The rectangle TrimToContent keeps, found on 32-bit 0xAARRGGBB rows of
// any stride (in pixels), without changing them.
PixelRect ContentRect(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, int threshold,
    ContentIs content);

// Same size and every 32-bit pixel (alpha included) the same.
bool BitmapsEqual(const RasterImage& a, const RasterImage& b);

// A cross 20 pixels wide centred on (x, y), with the current pen.
void DrawCrossMark(Canvas& canvas, double x, double y);

// A line between two pixel positions given as reals, with the current pen.
void DrawPixelLine(Canvas& canvas, double x1, double y1, double x2, double y2);

} // namespace fenster
