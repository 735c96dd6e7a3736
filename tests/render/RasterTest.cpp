#include "PointGeometry.h"
#include "Raster.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace fenster {
namespace {

constexpr std::uint32_t kWhitePixel = 0xffffffffu;
constexpr std::uint32_t kBlackPixel = 0xff000000u;

RasterImage withRectangle(int w, int h, int left, int top, int right, int bottom)
{
    RasterImage image(w, h, kWhitePixel);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            image.setPixel(x, y, kBlackPixel);
    return image;
}

TEST(TrimToContent, KeepsExactlyTheDrawnRectangle)
{
    RasterImage image = withRectangle(400, 300, 50, 20, 149, 79);
    TrimToContent(image, 250, ContentIs::Darker);
    ASSERT_EQ(image.width, 100);
    ASSERT_EQ(image.height, 60);
    for (std::uint32_t pixel : image.pixels)
        EXPECT_EQ(pixel, kBlackPixel);
}

TEST(TrimToContent, EdgeCases)
{
    struct Case {
        const char* name;
        RasterImage image;
        int width;
        int height;
    };
    RasterImage column0(400, 300, kWhitePixel);
    for (int y = 10; y < 50; ++y)
        column0.setPixel(0, y, kBlackPixel);
    RasterImage light(200, 100, kWhitePixel);
    light.setPixel(50, 40, 0xfffafafau); // 250 is not darker than 250
    const Case cases[] = {
        // The right edge stops at column 398: the last column is cut off.
        { "rectangle reaching the last column", withRectangle(400, 300, 50, 20, 399, 79), 349, 60 },
        { "all white stays", RasterImage(400, 300, kWhitePixel), 400, 300 },
        // Rows 10..49 of column 0. A single column is no width to crop to:
        // the width keeps all but the last column.
        { "dark pixels only in column 0 crop the height", column0, 399, 40 },
        { "a pixel at the threshold is no content", light, 200, 100 },
        { "one content row keeps the full height", withRectangle(400, 300, 50, 40, 149, 40), 100, 300 },
        { "one pixel wide", RasterImage(1, 50, kBlackPixel), 1, 50 },
        { "empty", RasterImage(), 0, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RasterImage image = c.image;
        TrimToContent(image, 250, ContentIs::Darker);
        EXPECT_EQ(image.width, c.width);
        EXPECT_EQ(image.height, c.height);
        EXPECT_EQ(image.pixels.size(), std::size_t(c.width) * std::size_t(c.height));
    }
}

// A drawing whose left outline lies in column 0, as every drawing with a
// left margin of 1 has: those rows count like any other.
TEST(TrimToContent, RowsStartingInColumnZeroCount)
{
    struct Case {
        const char* name;
        RasterImage image;
        PixelRect keep;
    };
    // An outline 3 pixels wide from column 0, rows 10..109, columns 0..199.
    RasterImage outline(400, 300, kWhitePixel);
    for (int y = 10; y < 110; ++y)
        for (int x = 0; x < 200; ++x)
            if (x < 3 || x >= 197 || y < 13 || y >= 107)
                outline.setPixel(x, y, kBlackPixel);
    // A single row of content starting in column 0 beside a block further in.
    RasterImage mixed = withRectangle(400, 300, 100, 50, 149, 99);
    for (int x = 0; x < 20; ++x)
        mixed.setPixel(x, 200, kBlackPixel);
    const Case cases[] = {
        { "outline from column 0", outline, { 0, 10, 200, 110 } },
        { "a column-0 row extends the bottom and the left edge", mixed, { 0, 50, 150, 201 } },
        { "solid block from column 0", withRectangle(300, 200, 0, 20, 99, 59), { 0, 20, 100, 60 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RasterImage image = c.image;
        const PixelRect keep = TrimToContent(image, 250, ContentIs::Darker);
        EXPECT_EQ(keep, c.keep) << keep.left << "," << keep.top << "," << keep.right << "," << keep.bottom;
        ASSERT_EQ(image.width, c.keep.width());
        ASSERT_EQ(image.height, c.keep.height());
        // The kept part is the content of the bitmap before, pixel for pixel.
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                ASSERT_EQ(image.pixel(x, y), c.image.pixel(x + keep.left, y + keep.top)) << x << "," << y;
    }
}

TEST(TrimToContent, LighterContentAndOpaqueResult)
{
    RasterImage image(300, 200, kBlackPixel);
    for (int y = 30; y < 60; ++y)
        for (int x = 40; x < 90; ++x)
            image.setPixel(x, y, 0x00ffffffu);
    TrimToContent(image, 5, ContentIs::Lighter);
    EXPECT_EQ(image.width, 50);
    EXPECT_EQ(image.height, 30);
    EXPECT_EQ(image.pixel(0, 0), kWhitePixel);
}

TEST(BitmapsEqual, ComparesSizeAndEveryPixelWithAlpha)
{
    const RasterImage a(10, 10, kWhitePixel);
    RasterImage b = a;
    EXPECT_TRUE(BitmapsEqual(a, b));
    b.setPixel(9, 9, 0xfeffffffu);
    EXPECT_FALSE(BitmapsEqual(a, b));
    EXPECT_FALSE(BitmapsEqual(RasterImage(10, 20, kWhitePixel), RasterImage(20, 10, kWhitePixel)));
    EXPECT_TRUE(BitmapsEqual(RasterImage(), RasterImage()));
}

TEST(PointGeometry, CircumcentreAndCollinearPoints)
{
    EXPECT_EQ(Circumcentre({ 1000, 900 }, { 500, 1000 }, { 0, 900 }), (MmPoint { 500, -300 }));
    EXPECT_EQ(Circumcentre({ 0, 0 }, { 10, 0 }, { 0, 10 }), (MmPoint { 5, 5 }));
    // Points on one line: the midpoint of the outer two, never a failure.
    EXPECT_EQ(Circumcentre({ 1000, 800 }, { 500, 800 }, { 0, 800 }), (MmPoint { 500, 800 }));
    EXPECT_EQ(Circumcentre({ 0, 0 }, { 0, 0 }, { 0, 0 }), (MmPoint { 0, 0 }));
    EXPECT_FALSE(HasCircumcentre({ 0, 0 }, { 1, 1 }, { 2, 2 }));
    // So nearly on one line that the centre leaves the int range.
    EXPECT_FALSE(HasCircumcentre({ -2000000000, 0 }, { 0, 1 }, { 2000000000, 0 }));
    EXPECT_EQ(Circumcentre({ -2000000000, 0 }, { 0, 1 }, { 2000000000, 0 }), (MmPoint { 0, 0 }));
}

TEST(PointGeometry, DistanceAndAngle)
{
    EXPECT_DOUBLE_EQ(PointDistance({ 0, 0 }, { 3, 4 }), 5.0);
    EXPECT_DOUBLE_EQ(PointDistance({ -2147483647, 0 }, { 2147483647, 0 }), 4294967294.0);
    EXPECT_DOUBLE_EQ(PointAngle({ 0, 0 }, { 0, 10 }), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(PointAngle({ 5, 5 }, { 0, 5 }), std::numbers::pi);
    EXPECT_DOUBLE_EQ(PointAngle({ 5, 5 }, { 5, 5 }), 0.0);
}

TEST(PixelAids, CrossMarkAndPixelLine)
{
    RecordingCanvas canvas;
    DrawCrossMark(canvas, 100.5, 200.5);
    DrawPixelLine(canvas, 1.5, 2.5, 10.4, 20.6);
    const auto lines = canvas.callsOf(CallKind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<PixelPoint> { { 90, 190 }, { 110, 210 } }));
    EXPECT_EQ(lines[1].points, (std::vector<PixelPoint> { { 110, 190 }, { 90, 210 } }));
    EXPECT_EQ(lines[2].points, (std::vector<PixelPoint> { { 2, 2 }, { 10, 21 } }));
}

} // namespace
} // namespace fenster
