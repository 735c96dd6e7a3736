#include "BitmapDrag.h"

#include "ImagingTest.h"

#include <QBuffer>
#include <QMimeData>

#include <memory>

namespace fenster {
namespace {

// A bitmap with opaque, half-transparent and fully transparent pixels.
QImage Sample()
{
    QImage image = Drawn(37, 23, { QRect(3, 4, 10, 6) }, qRgb(12, 34, 56));
    image.setPixel(0, 0, qRgba(200, 100, 50, 128));
    image.setPixel(36, 22, qRgba(1, 2, 3, 0));
    image.setPixel(20, 10, qRgba(255, 0, 0, 1));
    return image;
}

TEST(BitmapDrag, MimeDataCarriesThePixelsBothWays)
{
    const QImage bitmap = Sample();
    const std::unique_ptr<QMimeData> data(BitmapMimeData(bitmap));
    ASSERT_TRUE(data->hasImage());
    ASSERT_TRUE(data->hasFormat(QStringLiteral("image/png")));
    EXPECT_EQ(BitmapFromMimeData(*data), bitmap);

    // A drop from another program brings only the PNG.
    QMimeData png;
    png.setData(QStringLiteral("image/png"), data->data(QStringLiteral("image/png")));
    EXPECT_EQ(BitmapFromMimeData(png), bitmap);

    // The toolkit's image alone.
    QMimeData image;
    image.setImageData(data->imageData());
    EXPECT_EQ(BitmapFromMimeData(image), bitmap);
}

TEST(BitmapDrag, OtherBitmapFormatsArriveAs32BitArgb)
{
    QImage rgb(5, 5, QImage::Format_RGB888);
    rgb.fill(qRgb(9, 8, 7));
    const std::unique_ptr<QMimeData> data(BitmapMimeData(rgb));
    const QImage received = BitmapFromMimeData(*data);
    EXPECT_EQ(received.format(), QImage::Format_ARGB32);
    EXPECT_EQ(received, rgb.convertToFormat(QImage::Format_ARGB32));
}

TEST(BitmapDrag, DataWithoutABitmapGivesNone)
{
    QMimeData text;
    text.setText(QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_TRUE(BitmapFromMimeData(text).isNull());
    QMimeData broken;
    broken.setData(QStringLiteral("image/png"), QByteArray("\x89PNG\r\n\x1a\n but nothing after", 28));
    EXPECT_TRUE(BitmapFromMimeData(broken).isNull());
}

TEST(BitmapDrag, DragImageHidesTheBottomLeftPixelsColour)
{
    struct Case {
        const char* name;
        QRgb bottomLeft;
        QRgb other;
        bool otherHidden;
    } const cases[] = {
        { "white background", 0xffffffffu, 0xff000000u, false },
        { "coloured corner", qRgb(255, 0, 0), 0xffffffffu, false },
        { "alpha does not count", qRgba(255, 255, 255, 0), 0xffffffffu, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage bitmap(6, 4, QImage::Format_ARGB32);
        bitmap.fill(c.bottomLeft);
        bitmap.setPixel(2, 1, c.other);
        const QImage image = DragImage(bitmap);
        ASSERT_EQ(image.size(), bitmap.size());
        EXPECT_EQ(qAlpha(image.pixel(0, 3)), 0);
        EXPECT_EQ(qAlpha(image.pixel(5, 0)), 0);
        if (c.otherHidden)
            EXPECT_EQ(qAlpha(image.pixel(2, 1)), 0);
        else
            EXPECT_EQ(image.pixel(2, 1), c.other);
    }
    EXPECT_TRUE(DragImage(QImage()).isNull());
}

} // namespace
} // namespace fenster
