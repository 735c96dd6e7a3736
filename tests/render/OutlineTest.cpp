#include "Field.h"
#include "Outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace fenster {
namespace {

FieldValues field(int baseType, int W, int e, int r = 0, int b = 0, HingeSide hinge = HingeSide::Left, bool mirrored = false)
{
    FieldValues values;
    values.baseType = baseType;
    values.width = W;
    values.height = e;
    values.r = r;
    values.b = b;
    values.hinge = hinge;
    values.mirrored = mirrored;
    return values;
}

Outline outlineOf(const FieldValues& values)
{
    FieldShape shape = ShapeForField(values, 50);
    NormaliseShape(shape, values.width);
    return FieldOutline(shape, values.width, values.height);
}

TEST(FieldOutline, StichbogenArcCoversHalfAngleLessFifteenDegrees)
{
    const Outline outline = outlineOf(field(2, 1000, 1000, 900));
    // rise 100, R = 1300, alpha = 23: arc points for 82..98 degrees.
    ASSERT_EQ(outline.points.size(), 21u);
    EXPECT_EQ(outline.topIndex, 11);
    EXPECT_EQ(outline.points[11], (MmPoint { 500, 1000 }));
    EXPECT_EQ(outline.points[2], (MmPoint { 1000, 900 }));
    EXPECT_EQ(outline.points[20], (MmPoint { 0, 900 }));
    EXPECT_EQ(outline.points[0], (MmPoint { 0, 0 }));
    EXPECT_EQ(outline.points[1], (MmPoint { 1000, 0 }));
}

TEST(FieldOutline, RundbogenIsAHalfCircleOnStraightSprings)
{
    const Outline outline = outlineOf(field(3, 1000, 1500));
    // m3 = 1000, rise 500, R = 500, alpha = 90: arc 15..165 degrees.
    ASSERT_EQ(outline.points.size(), 3u + 151u + 1u);
    EXPECT_EQ(outline.points[2], (MmPoint { 1000, 1000 }));
    EXPECT_EQ(outline.points.back(), (MmPoint { 0, 1000 }));
    EXPECT_EQ(outline.topIndex, 3 + 75);
    EXPECT_EQ(outline.points[78], (MmPoint { 500, 1500 }));
    EXPECT_EQ(outline.points[3], (MmPoint { rnd(std::cos(15 * 3.14159265358979323846 / 180) * 500 + 500), rnd(std::sin(15 * 3.14159265358979323846 / 180) * 500 + 1000) }));
}

TEST(FieldOutline, FlatArchesAndLimitedRise)
{
    // r = e: no rise, no arc points, the rectangle of height r.
    const Outline flat = outlineOf(field(2, 1000, 1000, 1000));
    EXPECT_EQ(flat.points, (std::vector<MmPoint> { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 } }));
    EXPECT_EQ(flat.topIndex, -1);
    // r below e - W/2: the rise is limited to W/2, the springing raised.
    const Outline limited = outlineOf(field(2, 1000, 1500, 200));
    EXPECT_EQ(limited.points[2], (MmPoint { 1000, 1000 }));
    EXPECT_EQ(limited.points.back(), (MmPoint { 0, 1000 }));
    EXPECT_EQ(limited.points.size(), 155u);
}

TEST(FieldOutline, EllipseTouchesTheFieldEdges)
{
    const Outline outline = outlineOf(field(4, 2000, 1000));
    ASSERT_EQ(outline.points.size(), 360u);
    EXPECT_EQ(outline.topIndex, 90);
    EXPECT_EQ(outline.points[0], (MmPoint { 2000, 500 }));
    EXPECT_EQ(outline.points[90], (MmPoint { 1000, 1000 }));
    EXPECT_EQ(outline.points[180], (MmPoint { 0, 500 }));
    EXPECT_EQ(outline.points[270], (MmPoint { 1000, 0 }));
}

TEST(FieldOutline, SixCornerShapes)
{
    struct Case {
        const char* name;
        FieldValues values;
        std::vector<MmPoint> expected;
    };
    const Case cases[] = {
        { "trapezoid", field(5, 1000, 1000, 600, 200),
            { { 0, 0 }, { 1000, 0 }, { 1000, 600 }, { 800, 1000 }, { 200, 1000 }, { 0, 600 } } },
        { "trapezoid without step has extra points at 1", field(5, 1000, 1000, 600, 0),
            { { 0, 0 }, { 1000, 0 }, { 1000, 1 }, { 1000, 1000 }, { 0, 1000 }, { 0, 1 } } },
        { "trapezoid without measures is a rectangle", field(5, 1000, 1000, 0, 0),
            { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 } } },
        { "corner cuts the top right", field(1, 1000, 1000, 700, 400),
            { { 0, 0 }, { 1000, 0 }, { 1000, 700 }, { 400, 1000 }, { 0, 1000 }, { 0, 1 } } },
        { "corner with r 0 and b W is a rectangle", field(1, 1000, 1000, 0, 1000),
            { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 } } },
        { "triangle", field(7, 1000, 800),
            { { 0, 0 }, { 1000, 0 }, { 1000, 1 }, { 1, 800 }, { 0, 800 }, { 0, 1 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outlineOf(c.values).points, c.expected);
    }
}

TEST(FieldOutline, ThreePointArchRunsCounterClockwiseOverTheApex)
{
    // Apex 1000 above the springing points: the centre lies above the chord.
    const Outline outline = outlineOf(field(9, 1000, 500, 1500, 500));
    ASSERT_EQ(outline.points.size(), 33u);
    EXPECT_EQ(outline.topIndex, 16);
    EXPECT_EQ(outline.points[2], (MmPoint { 1000, 500 }));
    EXPECT_EQ(outline.points[32], (MmPoint { 0, 500 }));
    // Every arc point lies on the circle about (500, 875) of radius 625, and
    // each turns further counter-clockwise than the one before.
    int highest = 0;
    for (std::size_t k = 3; k < 33; ++k) {
        const MmPoint p = outline.points[k];
        const MmPoint q = outline.points[k - 1];
        highest = std::max(highest, p.y);
        EXPECT_NEAR(std::hypot(p.x - 500.0, p.y - 875.0), 625.0, 1.0) << k;
        const double cross = double(q.x - 500) * (p.y - 875) - double(q.y - 875) * (p.x - 500);
        EXPECT_GT(cross, 0.0) << k;
    }
    EXPECT_EQ(highest, 1500);
}

TEST(FieldOutline, ThreePointArchWithHeightsOnOneLineIsStraight)
{
    // b = r = e: springing and apex at the same height.
    const Outline outline = outlineOf(field(9, 1000, 800, 800, 800));
    ASSERT_EQ(outline.points.size(), 33u);
    for (std::size_t k = 3; k < 33; ++k)
        EXPECT_EQ(outline.points[k].y, 800) << k;
    EXPECT_EQ(outline.points[32], (MmPoint { 0, 800 }));
}

TEST(ShapeForField, MirroringFollowsTheHingeSide)
{
    struct Case {
        int baseType;
        HingeSide hinge;
        bool mirroredOption;
        bool expected;
    };
    const Case cases[] = {
        { 0, HingeSide::Left, false, false },
        { 0, HingeSide::Right, false, true },
        { 0, HingeSide::None, false, true },
        { 6, HingeSide::Left, true, false },
        { 12, HingeSide::None, false, true },
        { 1, HingeSide::Right, false, false },
        { 1, HingeSide::Left, true, true },
        { 7, HingeSide::Right, false, true },
        { 7, HingeSide::Left, true, false },
        { 7, HingeSide::None, true, true },
        { 7, HingeSide::None, false, false },
        { 9, HingeSide::None, true, true },
        { 4, HingeSide::None, false, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baseType);
        EXPECT_EQ(ShapeForField(field(c.baseType, 1000, 1000, 0, 0, c.hinge, c.mirroredOption), 50).mirrored, c.expected);
    }
}

TEST(ShapeForField, MeasuresOfEachBaseType)
{
    EXPECT_EQ(ShapeForField(field(0, 1000, 1000, 800), 50), (FieldShape { ShapeCode::Rectangle, 0, 0, 0, 0, 750, false }));
    EXPECT_EQ(ShapeForField(field(0, 1000, 1000, 30), 50).t, 0);
    EXPECT_EQ(ShapeForField(field(8, 1000, 1000), 50).code, ShapeCode::Rectangle);
    EXPECT_EQ(ShapeForField(field(1, 1000, 1000, 700, 400), 50), (FieldShape { ShapeCode::SixCorner, 700, 600, 0, 0, 0, false }));
    EXPECT_EQ(ShapeForField(field(3, 1000, 1500), 50), (FieldShape { ShapeCode::SegmentalArch, 1000, 0, 1000, 0, 0, false }));
    EXPECT_EQ(ShapeForField(field(9, 1000, 500, 1500, 400), 50), (FieldShape { ShapeCode::ThreePointArch, 400, 1500, 500, 0, 0, false }));
}

TEST(InsetPolygon, RectangleByFrameWidth)
{
    const std::vector<MmPoint> rectangle { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 } };
    EXPECT_EQ(InsetPolygon(rectangle, 50), (std::vector<MmPoint> { { 950, 50 }, { 950, 950 }, { 50, 950 }, { 50, 50 } }));
    EXPECT_EQ(InsetPolygon(rectangle, 31), (std::vector<MmPoint> { { 969, 31 }, { 969, 969 }, { 31, 969 }, { 31, 31 } }));
    EXPECT_EQ(InsetPolygon(rectangle, 0), (std::vector<MmPoint> { { 1000, 0 }, { 1000, 1000 }, { 0, 1000 }, { 0, 0 } }));
}

TEST(InsetPolygon, DegeneratePolygonsDoNotFail)
{
    const std::vector<std::vector<MmPoint>> cases {
        {},
        { { 5, 5 } },
        { { 0, 0 }, { 10, 0 } },
        { { 3, 3 }, { 3, 3 }, { 3, 3 }, { 3, 3 } },
        { { 0, 0 }, { 0, 0 }, { 0, 0 }, { 100, 0 }, { 100, 100 } },
        { { 0, 0 }, { 2147483647, 0 }, { 2147483647, 2147483647 }, { 0, 2147483647 } },
    };
    for (const auto& polygon : cases)
        EXPECT_EQ(InsetPolygon(polygon, 50).size(), polygon.size());
}

TEST(GlassAnchors, RectangleAndEllipse)
{
    const std::vector<MmPoint> rectangle { { 0, 0 }, { 1000, 0 }, { 1000, 1000 }, { 0, 1000 } };
    const std::vector<MmPoint> glass = InsetPolygon(rectangle, 50);
    const AnchorPoints a = GlassAnchors(glass, ShapeCode::Rectangle, -1);
    EXPECT_EQ(a.top, (MmPoint { 500, 950 }));
    EXPECT_EQ(a.bottom, (MmPoint { 500, 50 }));
    EXPECT_EQ(a.right, (MmPoint { 950, 500 }));
    EXPECT_EQ(a.left, (MmPoint { 50, 500 }));
    EXPECT_EQ(a.bottomRight, (MmPoint { 950, 50 }));
    EXPECT_EQ(a.topLeft, (MmPoint { 50, 950 }));
    EXPECT_EQ(a.bottomLeft, (MmPoint { 50, 50 }));

    const Outline ellipse = outlineOf(field(4, 2000, 1000));
    const std::vector<MmPoint> ellipseGlass = InsetPolygon(ellipse.points, 50);
    const AnchorPoints e = GlassAnchors(ellipseGlass, ShapeCode::Ellipse, 90);
    EXPECT_EQ(e.top, ellipseGlass[90]);
    EXPECT_EQ(e.right, ellipseGlass[0]);
    EXPECT_EQ(e.bottomLeft, ellipseGlass[225]);
    // G91 is the inset of the outline point at 91 degrees, just left of the top.
    EXPECT_GT(e.top.x, 975);
    EXPECT_LT(e.top.x, 1000);
    EXPECT_NEAR(e.top.y, 950, 1);
}

TEST(GlassAnchors, FlatArchTakesTheMiddleOfTheTopEdge)
{
    const Outline flat = outlineOf(field(2, 1000, 1000, 1000));
    const std::vector<MmPoint> glass = InsetPolygon(flat.points, 50);
    EXPECT_EQ(GlassAnchors(glass, ShapeCode::SegmentalArch, flat.topIndex).top, (MmPoint { 500, 950 }));
}

} // namespace
} // namespace fenster
