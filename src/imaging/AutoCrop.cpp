#include "AutoCrop.h"

#include <algorithm>

namespace fenster {

namespace {

constexpr int kMinimumSide = 4;
// Rows above this one are never examined, and a box whose top lands on it
// is taken from row 0.
constexpr int kFirstExaminedRow = 3;

QImage argb32(const QImage& bitmap)
{
    return bitmap.format() == QImage::Format_ARGB32 ? bitmap : bitmap.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

ContentBounds FindContentBounds(const QImage& source, int threshold, int margin)
{
    const QImage bitmap = argb32(source);
    const int W = bitmap.width();
    const int H = bitmap.height();
    ContentBounds box { W, H, 0, 0 };
    for (int y = kFirstExaminedRow; y <= H - 2; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        bool dark = false;
        for (int x = 0; x <= W - 2; ++x) {
            if (Intensity(row[x]) < threshold) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                dark = true;
            }
        }
        if (dark) {
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    if (box.bottom == H - 2)
        box.bottom = H - 1;
    if (box.right == W - 2)
        box.right = W - 1;
    box.left = int(std::max<qint64>(0, qint64(box.left) - margin));
    box.right = int(std::min<qint64>(W, qint64(box.right) + margin));
    box.bottom = int(std::min<qint64>(H, qint64(box.bottom) + margin));
    box.top = int(std::max<qint64>(0, qint64(box.top) - margin));
    return box;
}

QImage CropToRect(const QImage& source, ContentBounds box)
{
    if (box.top == kFirstExaminedRow)
        box.top = 0;
    const int W = source.width();
    const int H = source.height();
    if (box.left == 0 && box.top == 0 && box.right >= W - 2 && box.bottom >= H - 2)
        return source;
    box.left = std::clamp(box.left, 0, W);
    box.right = std::clamp(box.right, 0, W);
    box.top = std::clamp(box.top, 0, H);
    box.bottom = std::clamp(box.bottom, 0, H);
    const QImage bitmap = argb32(source);
    const int boxWidth = box.right - box.left;
    const int boxHeight = box.bottom - box.top;
    const int width = std::max(boxWidth, kMinimumSide);
    const int height = std::max(boxHeight, kMinimumSide);
    QImage cropped(width, height, QImage::Format_ARGB32);
    cropped.fill(0xffffffffu);
    if (boxWidth <= 0 || boxHeight <= 0)
        return cropped;
    // Nearest pixel of the box for every pixel of the result; a plain copy
    // when the sizes agree.
    for (int y = 0; y < height; ++y) {
        const int sy = box.top + int(qint64(y) * boxHeight / height);
        const QRgb* from = reinterpret_cast<const QRgb*>(bitmap.constScanLine(sy));
        QRgb* to = reinterpret_cast<QRgb*>(cropped.scanLine(y));
        for (int x = 0; x < width; ++x) {
            to[x] = from[box.left + int(qint64(x) * boxWidth / width)];
        }
    }
    return cropped;
}

QImage AutoCrop(const QImage& bitmap, int threshold, int margin)
{
    return CropToRect(bitmap, FindContentBounds(bitmap, threshold, margin));
}

} // namespace fenster
