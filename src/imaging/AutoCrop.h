#pragma once

#include <QImage>
#include <QRgb>

namespace fenster {

// Cropping a thumbnail's 32-bit bitmap to its drawn content. Pixels are
// 0xAARRGGBB; the alpha byte plays no part.

// The brightness of a pixel, 0..255: (61 red + 174 green + 21 blue) >> 8.
constexpr int Intensity(QRgb pixel)
{
    return (61 * qRed(pixel) + 174 * qGreen(pixel) + 21 * qBlue(pixel)) >> 8;
}

// A box in bitmap pixels: columns left..right and rows top..bottom, as
// CropToRect takes it (right and bottom exclusive there).
struct ContentBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(ContentBounds, ContentBounds) = default;
};

// The box around the pixels darker than threshold, widened by margin and
// kept inside the bitmap. Only rows 3 to height - 2 and columns 0 to
// width - 2 are examined (nothing when the bitmap is under 5 rows high);
// content reaching the last examined row or column takes the bitmap's last
// row or column in. Without any dark pixel the box is inverted: left and top
// lie beyond right and bottom.
ContentBounds FindContentBounds(const QImage& bitmap, int threshold, int margin);

// The bitmap cut to the box: a top edge on row 3 moves up to row 0; a box
// that starts at the top-left corner and reaches to within two pixels of
// the far edges leaves the bitmap as it is. Otherwise the box is kept inside
// the bitmap and copied; the result is at least 4 x 4 pixels, the box
// stretched onto it when it is smaller. An empty or inverted box (as for a
// bitmap without content) gives white pixels, 4 x 4 for an inverted one.
QImage CropToRect(const QImage& bitmap, ContentBounds box);

// FindContentBounds, then CropToRect.
QImage AutoCrop(const QImage& bitmap, int threshold, int margin);

} // namespace fenster
