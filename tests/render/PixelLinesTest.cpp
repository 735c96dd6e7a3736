#include "CoordinateClip.h"
#include "OddStrokes.h"
#include "PixelBuffer.h"
#include "PixelLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <utility>
#include <vector>

using namespace fenster;

namespace {

constexpr std::uint32_t kWhite = 0xffffffffu;

// A small image of its own for the buffer routines, with a row padding so
// that a wrong stride shows.
struct TestImage {
    int width;
    int height;
    std::ptrdiff_t stride;
    std::vector<std::uint32_t> pixels;
    TestImage(int w, int h)
        : width(w)
        , height(h)
        , stride(w + 3)
        , pixels(std::size_t(stride) * std::size_t(h), kWhite)
    {
    }
    PixelBuffer buffer() { return { width, height, stride, pixels.data() }; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y * stride + x)]; }
    std::set<std::pair<int, int>> changed() const
    {
        std::set<std::pair<int, int>> result;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != kWhite)
                    result.insert({ x, y });
        return result;
    }
    bool paddingUntouched() const
    {
        for (int y = 0; y < height; ++y)
            for (std::ptrdiff_t x = width; x < stride; ++x)
                if (pixels[std::size_t(y * stride + x)] != kWhite)
                    return false;
        return true;
    }
};

constexpr PixelBounds kNoClip { std::numeric_limits<int>::min(), std::numeric_limits<int>::min(),
    std::numeric_limits<int>::max(), std::numeric_limits<int>::max() };

using Pixels = std::set<std::pair<int, int>>;

} // namespace

TEST(PixelLines, OnePixelLinesHitTheExpectedPixels)
{
    struct Case {
        const char* name;
        PixelPoint from;
        PixelPoint to;
        Pixels expected;
    };
    const Case cases[] = {
        { "level, end left out", { 1, 2 }, { 5, 2 }, { { 1, 2 }, { 2, 2 }, { 3, 2 }, { 4, 2 } } },
        { "level leftwards", { 5, 2 }, { 2, 2 }, { { 5, 2 }, { 4, 2 }, { 3, 2 } } },
        { "upright", { 3, 1 }, { 3, 4 }, { { 3, 1 }, { 3, 2 }, { 3, 3 } } },
        { "upright upwards", { 3, 4 }, { 3, 1 }, { { 3, 4 }, { 3, 3 }, { 3, 2 } } },
        { "diagonal", { 0, 0 }, { 3, 3 }, { { 0, 0 }, { 1, 1 }, { 2, 2 } } },
        { "shallow, half steps round up", { 0, 0 }, { 4, 2 }, { { 0, 0 }, { 1, 1 }, { 2, 1 }, { 3, 2 } } },
        { "steep", { 1, 0 }, { 2, 4 }, { { 1, 0 }, { 1, 1 }, { 2, 2 }, { 2, 3 } } },
        { "steep leftwards", { 4, 0 }, { 2, 5 }, { { 4, 0 }, { 4, 1 }, { 3, 2 }, { 3, 3 }, { 2, 4 } } },
        { "one point draws nothing", { 3, 3 }, { 3, 3 }, {} },
        { "partly outside is cut", { -3, 1 }, { 3, 1 }, { { 0, 1 }, { 1, 1 }, { 2, 1 } } },
        { "wholly outside", { -5, -5 }, { -1, -9 }, {} },
    };
    for (const Case& c : cases) {
        TestImage image(8, 6);
        const PixelPoint points[] = { c.from, c.to };
        CopyLinePixels(image.buffer(), points, 0x123456u, kNoClip);
        EXPECT_EQ(image.changed(), c.expected) << c.name;
        for (const auto& [x, y] : c.expected)
            EXPECT_EQ(image.at(x, y), 0xff123456u) << c.name;
        EXPECT_TRUE(image.paddingUntouched()) << c.name;
    }
}

TEST(PixelLines, CopyStaysInsideTheClip)
{
    TestImage image(8, 6);
    const PixelPoint points[] = { { 0, 2 }, { 8, 2 }, { 8, 3 }, { 0, 3 } };
    CopyLinePixels(image.buffer(), points, 0u, { 2, 0, 5, 3 });
    EXPECT_EQ(image.changed(), (Pixels { { 2, 2 }, { 3, 2 }, { 4, 2 } }));
}

TEST(PixelLines, HugeCoordinatesStayBoundedAndOnTheImage)
{
    // A level line and a slanted one from far outside: only the image's own
    // pixels are walked, and they are the ones the line crosses.
    TestImage image(10, 4);
    const PixelPoint level[] = { { -2000000000, 1 }, { 2000000000, 1 } };
    CopyLinePixels(image.buffer(), level, 0u, kNoClip);
    Pixels row;
    for (int x = 0; x < 10; ++x)
        row.insert({ x, 1 });
    EXPECT_EQ(image.changed(), row);

    std::int64_t plotted = 0;
    const PixelPoint slanted[] = { { -2000000000, -1000000000 }, { 2000000000, 1000000000 } };
    WalkCentreLine(slanted, false, 1, 10, 4, [&](std::int64_t x, std::int64_t) {
        ++plotted;
        EXPECT_GE(x, -1);
        EXPECT_LE(x, 11);
    });
    EXPECT_LE(plotted, 13);
    EXPECT_GT(plotted, 0);
}

TEST(XorSpanFiller, EachCoveredPixelIsInvertedOncePerCall)
{
    struct Case {
        const char* name;
        std::vector<PixelPoint> points;
        int width;
        std::size_t covered;
    };
    const Case cases[] = {
        // The closed outline's corner pixels are passed twice, and stay inverted.
        { "closed one-pixel outline", { { 1, 1 }, { 5, 1 }, { 5, 4 }, { 1, 4 }, { 1, 1 } }, 1, 14 },
        // Out to 6 (end left out) and back from 6 to 2: 1..6 once each.
        { "a line back over itself", { { 1, 2 }, { 6, 2 }, { 1, 2 } }, 1, 6 },
        // Wide pens cover their ends: columns 1..6, rows 1..3.
        { "three-pixel pen, level", { { 2, 2 }, { 5, 2 } }, 3, 6 * 3 },
    };
    for (const Case& c : cases) {
        TestImage image(8, 6);
        XorSpanFiller filler;
        filler.fill(image.buffer(), c.points, c.width, 0xffffffu);
        const Pixels changed = image.changed();
        EXPECT_EQ(changed.size(), c.covered) << c.name;
        for (const auto& [x, y] : changed)
            EXPECT_EQ(image.at(x, y), 0xff000000u) << c.name;
        EXPECT_TRUE(image.paddingUntouched()) << c.name;
    }
}

TEST(XorSpanFiller, TwoCallsOverTheSamePixelsCancel)
{
    TestImage image(12, 9);
    XorSpanFiller filler;
    const std::vector<PixelPoint> points { { 1, 1 }, { 10, 7 }, { 2, 7 }, { 1, 1 } };
    filler.fill(image.buffer(), points, 1, 0x00ff00u);
    ASSERT_FALSE(image.changed().empty());
    EXPECT_EQ(image.at(1, 1), 0xffff00ffu);
    filler.fill(image.buffer(), points, 1, 0x00ff00u);
    EXPECT_TRUE(image.changed().empty());
    filler.fill(image.buffer(), points, 5, 0x00ff00u);
    filler.fill(image.buffer(), points, 5, 0x00ff00u);
    EXPECT_TRUE(image.changed().empty());
}

TEST(CoordinateClip, HugeCoordinatesAreCutToTheLimit)
{
    ClipPoint a { -4e9, 0.0 };
    ClipPoint b { 4e9, 10.0 };
    ASSERT_TRUE(ClipSegmentToLimit(a, b));
    EXPECT_NEAR(a.x, -kCoordinateLimit, 1e-3);
    EXPECT_NEAR(b.x, kCoordinateLimit, 1e-3);
    EXPECT_NEAR(a.y, 5.0 - 10.0 * kCoordinateLimit / 8e9, 1e-9);

    ClipPoint c { 2e9, 2e9 };
    ClipPoint d { 3e9, 2e9 };
    EXPECT_FALSE(ClipSegmentToLimit(c, d));

    const PixelPoint huge[] = { { -2000000000, -2000000000 }, { 2000000000, -2000000000 }, { 0, 100 } };
    const std::vector<PixelPoint> clipped = ClipPolygonToLimit(huge);
    ASSERT_GE(clipped.size(), 3u);
    for (PixelPoint p : clipped)
        EXPECT_TRUE(WithinCoordinateLimit(p)) << p.x << "," << p.y;
    EXPECT_TRUE(std::find(clipped.begin(), clipped.end(), PixelPoint { 0, 100 }) != clipped.end());

    const PixelPoint small[] = { { 0, 0 }, { 5, 0 }, { 5, 5 } };
    EXPECT_EQ(ClipPolygonToLimit(small), std::vector<PixelPoint>(std::begin(small), std::end(small)));
    EXPECT_EQ(ClampToCoordinateLimit({ -2000000000, 7 }), (PixelPoint { -kCoordinateLimit, 7 }));
}

TEST(OddStrokes, OverlapsCancelInPairs)
{
    const Pen pen { Colour { 0, 0, 0 }, 1, PenStyle::Solid, PenMix::Xor };
    Pen other = pen;
    other.colour = Colour { 255, 0, 0 };
    struct Case {
        const char* name;
        std::vector<XorStroke> strokes;
        std::size_t stretches;
    };
    const Case cases[] = {
        { "the same stroke twice", { { { 0, 0 }, { 10, 0 }, pen }, { { 10, 0 }, { 0, 0 }, pen } }, 0 },
        { "three times leaves one", { { { 0, 0 }, { 10, 0 }, pen }, { { 0, 0 }, { 10, 0 }, pen }, { { 0, 0 }, { 10, 0 }, pen } }, 1 },
        { "overlap in the middle", { { { 0, 0 }, { 10, 0 }, pen }, { { 4, 0 }, { 6, 0 }, pen } }, 2 },
        { "another pen keeps its own", { { { 0, 0 }, { 10, 0 }, pen }, { { 0, 0 }, { 10, 0 }, other } }, 2 },
        { "parallel lines do not meet", { { { 0, 0 }, { 10, 0 }, pen }, { { 0, 1 }, { 10, 1 }, pen } }, 2 },
        { "a point draws nothing", { { { 3, 3 }, { 3, 3 }, pen } }, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(OddStretches(c.strokes).size(), c.stretches) << c.name;

    // Overlap in the middle: 0..4 and 6..10 are left, on the slanted line too.
    const std::vector<OddStretch> left = OddStretches({ { { 0, 0 }, { 10, 5 }, pen }, { { 4, 2 }, { 6, 3 }, pen } });
    ASSERT_EQ(left.size(), 2u);
    EXPECT_DOUBLE_EQ(left[0].x0, 0.0);
    EXPECT_DOUBLE_EQ(left[0].x1, 4.0);
    EXPECT_DOUBLE_EQ(left[0].y1, 2.0);
    EXPECT_DOUBLE_EQ(left[1].x0, 6.0);
    EXPECT_DOUBLE_EQ(left[1].y1, 5.0);
    EXPECT_EQ(left[0].pen.colour, pen.colour);
}
