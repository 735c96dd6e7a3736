#include "BitmapDrag.h"

#include <QBuffer>
#include <QMimeData>

namespace fenster {

namespace {

const QString kPngType = QStringLiteral("image/png");

} // namespace

QMimeData* BitmapMimeData(const QImage& bitmap)
{
    const QImage argb = bitmap.convertToFormat(QImage::Format_ARGB32);
    auto* data = new QMimeData;
    data->setImageData(argb);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // PNG keeps 8-bit ARGB without loss, so a drop from outside the program
    // compares equal too.
    if (argb.save(&buffer, "PNG"))
        data->setData(kPngType, png);
    return data;
}

QImage BitmapFromMimeData(const QMimeData& data)
{
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull())
            return image.convertToFormat(QImage::Format_ARGB32);
    }
    if (data.hasFormat(kPngType)) {
        QImage image;
        if (image.loadFromData(data.data(kPngType), "PNG"))
            return image.convertToFormat(QImage::Format_ARGB32);
    }
    return {};
}

QImage DragImage(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage image = bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = image.pixel(0, image.height() - 1) & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & RGB_MASK) == transparent)
                row[x] = 0;
    }
    return image;
}

} // namespace fenster
