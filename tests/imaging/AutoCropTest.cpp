#include "AutoCrop.h"

#include "ImagingTest.h"

#include <ostream>

namespace fenster {

void PrintTo(ContentBounds b, std::ostream* os)
{
    *os << "{" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << "}";
}

namespace {

TEST(AutoCrop, IntensityWeighsGreenMostAndBlueLeast)
{
    EXPECT_EQ(Intensity(0xffffffffu), 255);
    EXPECT_EQ(Intensity(0xff000000u), 0);
    EXPECT_EQ(Intensity(qRgb(240, 240, 240)), 240);
    EXPECT_EQ(Intensity(qRgb(0, 0, 255)), 20);
    EXPECT_EQ(Intensity(qRgb(0, 255, 0)), 173);
    EXPECT_EQ(Intensity(qRgb(255, 0, 0)), 60);
    // Alpha plays no part.
    EXPECT_EQ(Intensity(qRgba(10, 20, 30, 0)), Intensity(qRgba(10, 20, 30, 255)));
}

// Threshold 240 and margin 4, as the thumbnails crop, on 140 x 140 bitmaps.
TEST(AutoCrop, FindContentBoundsExaminesRowsFromThreeAndLeavesTheLastRowAndColumn)
{
    struct Case {
        const char* name;
        QImage bitmap;
        ContentBounds bounds;
    } const cases[] = {
        { "a rectangle in the middle, widened by the margin", Drawn(140, 140, { QRect(QPoint(30, 40), QPoint(99, 89)) }),
            { 26, 36, 103, 93 } },
        { "content on the last examined row and column takes the whole bitmap on that side",
            Drawn(140, 140, { QRect(QPoint(50, 50), QPoint(138, 138)) }), { 46, 46, 140, 140 } },
        { "the last row and column alone are never examined",
            Drawn(140, 140, { QRect(QPoint(0, 139), QPoint(139, 139)), QRect(QPoint(139, 0), QPoint(139, 139)) }),
            { 136, 136, 4, 4 } },
        { "rows 0 to 2 are never examined", Drawn(140, 140, { QRect(QPoint(10, 0), QPoint(60, 2)) }),
            { 136, 136, 4, 4 } },
        { "a mark on row 3", Drawn(140, 140, { QRect(QPoint(10, 3), QPoint(60, 3)) }), { 6, 0, 64, 7 } },
        { "grey of intensity 240 is no content, 239 is",
            Drawn(140, 140, { QRect(QPoint(10, 10), QPoint(20, 20)) }, qRgb(240, 240, 240)), { 136, 136, 4, 4 } },
        { "light cyan is lighter than its plain average", Drawn(140, 140, { QRect(QPoint(10, 10), QPoint(20, 20)) },
                                                              qRgb(200, 255, 255)),
            { 136, 136, 4, 4 } },
        { "a bitmap under five rows is not examined", Drawn(140, 4, { QRect(0, 0, 140, 4) }), { 136, 0, 4, 4 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindContentBounds(c.bitmap, 240, 4), c.bounds);
    }
    const QImage grey239 = Drawn(140, 140, { QRect(QPoint(10, 10), QPoint(20, 20)) }, qRgb(239, 239, 239));
    EXPECT_EQ(FindContentBounds(grey239, 240, 4), (ContentBounds { 6, 6, 24, 24 }));
}

TEST(AutoCrop, CropsToTheContentBox)
{
    const QImage bitmap = Drawn(140, 140, { QRect(QPoint(30, 40), QPoint(99, 89)) });
    const QImage cropped = AutoCrop(bitmap, 240, 4);
    ASSERT_EQ(cropped.size(), QSize(77, 57));
    EXPECT_EQ(cropped, bitmap.copy(26, 36, 77, 57));
}

TEST(AutoCrop, ContentWhoseBoxStartsOnRowThreeIsCroppedFromRowZero)
{
    // Top edge at row 7, minus the margin of 4: row 3.
    const QImage bitmap = Drawn(140, 140, { QRect(QPoint(30, 7), QPoint(99, 89)) });
    EXPECT_EQ(FindContentBounds(bitmap, 240, 4).top, 3);
    const QImage cropped = AutoCrop(bitmap, 240, 4);
    EXPECT_EQ(cropped, bitmap.copy(26, 0, 77, 93));
}

TEST(AutoCrop, ABitmapWithoutContentShrinksToFourByFourWhitePixels)
{
    for (const QImage& bitmap : { Drawn(140, 140, {}), Drawn(180, 180, { QRect(0, 0, 180, 3) }), Drawn(40, 4, {}) }) {
        const QImage cropped = AutoCrop(bitmap, 240, 4);
        ASSERT_EQ(cropped.size(), QSize(4, 4));
        EXPECT_EQ(cropped, Drawn(4, 4, {}));
    }
}

TEST(AutoCrop, FullContentLeavesTheBitmapAsItIs)
{
    // Content from row 3 and column 0 to the last examined row and column:
    // the box is the whole bitmap.
    QImage bitmap = Drawn(140, 140, { QRect(QPoint(0, 3), QPoint(138, 138)) });
    bitmap.setPixel(5, 0, qRgb(1, 2, 3));
    EXPECT_EQ(AutoCrop(bitmap, 240, 4), bitmap);
    // Within two pixels of the far edges is close enough.
    EXPECT_EQ(CropToRect(bitmap, { 0, 0, 138, 138 }), bitmap);
    EXPECT_EQ(CropToRect(bitmap, { 0, 3, 138, 138 }), bitmap);
    EXPECT_EQ(CropToRect(bitmap, { 0, 0, 137, 140 }).size(), QSize(137, 140));
}

TEST(AutoCrop, ABoxUnderFourPixelsIsStretchedOntoFourByFour)
{
    // One dark pixel with a margin of 1: a 2 x 2 box at (69, 69).
    const QImage bitmap = Drawn(140, 140, { QRect(70, 70, 1, 1) });
    const QImage cropped = AutoCrop(bitmap, 240, 1);
    ASSERT_EQ(cropped.size(), QSize(4, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(cropped.pixel(x, y), x >= 2 && y >= 2 ? 0xff000000u : 0xffffffffu) << x << "," << y;
}

TEST(AutoCrop, CropToRectKeepsABoxBeyondTheBitmapInside)
{
    const QImage bitmap = Drawn(50, 50, { QRect(40, 40, 10, 10) });
    const QImage cropped = CropToRect(bitmap, { 30, 30, 500, 500 });
    EXPECT_EQ(cropped, bitmap.copy(30, 30, 20, 20));
    EXPECT_TRUE(CropToRect(QImage(), { 0, 0, 10, 10 }).isNull());
    EXPECT_TRUE(AutoCrop(QImage(), 240, 4).isNull());
}

} // namespace
} // namespace fenster
