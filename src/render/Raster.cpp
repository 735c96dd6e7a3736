#include "Raster.h"

#include <algorithm>

namespace fenster {

namespace {

int greyValue(std::uint32_t pixel)
{
    return int(((pixel >> 16) & 0xff) + ((pixel >> 8) & 0xff) + (pixel & 0xff)) / 3;
}

} // namespace

PixelRect ContentRect(const std::uint32_t* pixels, int width, int height, std::ptrdiff_t stride, int threshold,
    ContentIs content)
{
    const int Wd = width;
    const int Hd = height;
    const PixelRect whole { 0, 0, std::max(Wd, 0), std::max(Hd, 0) };
    if (Wd <= 0 || Hd <= 0)
        return whole;

    int left = Wd;
    int right = 0;
    int top = -1;
    int bottom = 0;
    for (int y = 0; y < Hd; ++y) {
        int first = -1;
        int last = 0;
        const std::uint32_t* row = pixels + std::ptrdiff_t(y) * stride;
        for (int x = 0; x < Wd; ++x) {
            const int v = greyValue(row[x]);
            const bool isContent = content == ContentIs::Darker ? v < threshold : v > threshold;
            if (isContent) {
                if (first < 0)
                    first = x;
                last = x;
            }
        }
        // The drawing's left outline may lie in column 0 itself: such a row
        // is content like any other.
        if (first >= 0) {
            left = std::min(left, first);
            bottom = y;
            if (top == -1)
                top = y;
        }
        right = std::max(right, last);
    }
    if (top >= bottom || top < 0) {
        top = 0;
        bottom = Hd - 1;
    }
    if (left >= right || left < 0) {
        left = 0;
        right = Wd - 1;
    }
    const int r = std::min(right + 1, Wd - 1);
    const int b = std::min(bottom + 1, Hd);
    const int nw = r - left;
    const int nh = b - top;
    // A one-pixel-wide bitmap would otherwise be cropped to nothing.
    if (nw <= 0 || nh <= 0)
        return whole;
    if (!(nw < Wd - 1 || nh < Hd - 1))
        return whole;
    return { left, top, r, b };
}

PixelRect TrimToContent(RasterImage& bitmap, int threshold, ContentIs content)
{
    for (std::uint32_t& pixel : bitmap.pixels)
        pixel |= 0xff000000u;
    const PixelRect keep = ContentRect(bitmap.pixels.data(), bitmap.width, bitmap.height, bitmap.width, threshold, content);
    if (keep.left == 0 && keep.top == 0 && keep.right == bitmap.width && keep.bottom == bitmap.height)
        return keep;
    RasterImage cropped(keep.width(), keep.height());
    for (int y = 0; y < cropped.height; ++y) {
        const auto from = bitmap.pixels.begin()
            + std::ptrdiff_t(std::size_t(y + keep.top) * std::size_t(bitmap.width) + std::size_t(keep.left));
        std::copy(from, from + cropped.width,
            cropped.pixels.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(cropped.width)));
    }
    bitmap = std::move(cropped);
    return keep;
}

bool BitmapsEqual(const RasterImage& a, const RasterImage& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

void DrawCrossMark(Canvas& canvas, double x, double y)
{
    canvas.moveTo({ rnd(x - 10), rnd(y - 10) });
    canvas.lineTo({ rnd(x + 10), rnd(y + 10) });
    canvas.moveTo({ rnd(x + 10), rnd(y - 10) });
    canvas.lineTo({ rnd(x - 10), rnd(y + 10) });
}

void DrawPixelLine(Canvas& canvas, double x1, double y1, double x2, double y2)
{
    canvas.moveTo({ rnd(x1), rnd(y1) });
    canvas.lineTo({ rnd(x2), rnd(y2) });
}

} // namespace fenster
