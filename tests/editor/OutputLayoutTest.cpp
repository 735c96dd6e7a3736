#include "OutputLayout.h"

#include <gtest/gtest.h>

using namespace fenster;

namespace {

TEST(OutputLayout, VectorCopySizeFollowsTheWindowsProportions)
{
    struct Case {
        const char* name;
        int paintWidth, paintHeight, height, width;
        OutputSize expected;
    };
    const Case cases[] = {
        // Taller than wide: full height, width in proportion plus 70.
        { "tall", 800, 600, 2000, 1000, { 400 + 70, 600 } },
        // rnd(801 * 1 / 2) = rnd(400.5) = 400: halves go to the even neighbour.
        { "tall, half rounds to even", 801, 600, 2000, 1000, { 400 + 70, 600 } },
        { "tall, other half rounds up", 803, 600, 2000, 1000, { 402 + 70, 600 } },
        // Square counts as wide: full width plus 70, height in proportion.
        { "square", 800, 600, 1000, 1000, { 870, 600 } },
        { "wide", 800, 600, 1000, 2000, { 870, 300 } },
        { "wide, half rounds to even", 800, 601, 1000, 2000, { 870, 300 } },
        { "no size", 800, 600, 0, 0, { 870, 600 } },
        { "no width", 800, 600, 1000, 0, { 870, 600 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(VectorCopySize(c.paintWidth, c.paintHeight, c.height, c.width), c.expected) << c.name;
    EXPECT_EQ(VectorCopyBox({ 470, 600 }), (OutputSize { 540, 600 })) << "the box is 70 wider than the picture";
}

TEST(OutputLayout, PrintBoxUsesTenPercentMarginsAndTheWindowsProportions)
{
    struct Case {
        const char* name;
        int pageWidth, pageHeight, height, width;
        PrintLayout expected;
    };
    // An A4 page at 300 dpi: 2480 x 3508 device pixels; mx = 248, my = rnd(350.8) = 351.
    const Case cases[] = {
        { "slender window uses the page height", 2480, 3508, 2000, 1000, { 248, 351, { 2232, 3157 } } },
        // r = PH / PW exactly: still the whole height less 10 %.
        { "exactly as slender as the page", 1000, 2000, 2000, 1000, { 100, 200, { 900, 1800 } } },
        // r = 0.5: rnd((2480 - 496) * 0.5) + 351 = 992 + 351.
        { "wide window", 2480, 3508, 1000, 2000, { 248, 351, { 2232, 1343 } } },
        // mx = rnd(2.5) = 2, my = rnd(3.5) = 4: halves to even.
        { "margins round halves to even", 25, 35, 10, 10, { 2, 4, { 23, 4 + 21 } } },
        { "no width counts as slender", 2480, 3508, 1000, 0, { 248, 351, { 2232, 3157 } } },
        { "no height is flat", 2480, 3508, 0, 1000, { 248, 351, { 2232, 351 } } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(PrintLayoutFor(c.pageWidth, c.pageHeight, c.height, c.width), c.expected) << c.name;
}

TEST(OutputLayout, BitmapPrintoutRectangles)
{
    struct Case {
        int width, height;
        OutputRect page, shifted;
    };
    const Case cases[] = {
        { 2480, 3508, { 20, 20, 1240 + 70, 1754 }, { 20, 0, 2460, 3508 } },
        // div truncates.
        { 2481, 3509, { 20, 20, 1240 + 70, 1754 }, { 20, 0, 2461, 3509 } },
        { 10, 10, { 20, 20, 75, 5 }, { 20, 0, 0, 10 } },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BitmapPrintRect(c.width, c.height), c.page) << c.width;
        EXPECT_EQ(ShiftedScreenCopyRect(c.width, c.height), c.shifted) << c.width;
    }
}

} // namespace
