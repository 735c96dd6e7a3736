#include "Engine.h"
#include "EngineReader.h"
#include "RecordingCanvas.h"
#include "DrawWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fenster {
namespace {

// Canvas 1078 x 1091 with text 13 pixels high gives the automatic scale
// exactly 1 pixel per mm for a 1000 x 1000 window:
// (1078 - 6 * 13) / 1000 = (1091 - 7 * 13) / 1000 = 1.
constexpr int kWidth = 1078;
constexpr int kHeight = 1091;

class DrawWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings() = DrawingSettings {};
        Engine().HighlightSelection = true;
    }
    void TearDown() override { Engine().HighlightSelection = true; }

    void draw(const std::string& description, EdgeDimensions dims = EdgeDimensions::On, int field = -1, int row = -1,
        double scale = 0.0, int width = kWidth, int height = kHeight)
    {
        canvas.clear();
        EXPECT_TRUE(DrawWindow(canvas, 1, 1, width, height, description, dims, field, row, scale));
    }

    std::vector<RecordedCall> outlines() const
    {
        std::vector<RecordedCall> result;
        for (const RecordedCall& call : canvas.callsOf(CallKind::Polyline))
            if (call.pen.mix == PenMix::Xor)
                result.push_back(call);
        return result;
    }

    RecordingCanvas canvas;
};

TEST_F(DrawWindowTest, AutomaticScaleOriginsAndFieldTable)
{
    draw("1000,1000,1,1000,1,1000,L,F;");
    const EngineState& e = Engine();
    EXPECT_DOUBLE_EQ(e.DrawingScale, 1.0);
    // Bottom edge rnd(4 * 13 / 1) + 5 mm above the canvas bottom; left
    // offset rnd(1 / 1) mm.
    EXPECT_EQ(e.DrawOrigin, (MmPoint { 1, 57 }));
    EXPECT_EQ(e.AnnotationOrigin, (MmPoint { 1001, 57 }));
    const FieldRect& rect = e.FieldRectTable[1][1];
    EXPECT_TRUE(rect.valid);
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.bottom, 57);
    EXPECT_EQ(rect.right, 1001);
    EXPECT_EQ(rect.top, 1057);
    EXPECT_FALSE(e.FieldRectTable[1][2].valid);
    EXPECT_FALSE(e.FieldRectTable[2][1].valid);

    // Outline, band and glass of Part one of the field, in pixels.
    const auto xor_ = outlines();
    ASSERT_EQ(xor_.size(), 1u);
    EXPECT_EQ(xor_[0].points, (std::vector<PixelPoint> { { 1001, 1034 }, { 1001, 34 }, { 1, 34 }, { 1, 1034 }, { 1001, 1034 } }));
    EXPECT_EQ(xor_[0].pen, (Pen { { 221, 221, 221 }, 3, PenStyle::Solid, PenMix::Xor }));
    const auto polygons = canvas.callsOf(CallKind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].points, (std::vector<PixelPoint> { { 970, 1003 }, { 970, 65 }, { 32, 65 }, { 32, 1003 } }));
    EXPECT_EQ(polygons[0].brush, (Brush { { 192, 192, 192 }, BrushStyle::Solid }));
    EXPECT_EQ(polygons[1].points, (std::vector<PixelPoint> { { 951, 984 }, { 951, 84 }, { 51, 84 }, { 51, 984 } }));
    EXPECT_EQ(polygons[1].brush, (Brush { { 240, 240, 240 }, BrushStyle::Solid }));
    EXPECT_EQ(polygons[1].pen, (Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy }));
}

TEST_F(DrawWindowTest, EdgeDimensionsOffLeaveFiveMillimetres)
{
    draw("1000,1000,1,1000,1,1000,L,F;", EdgeDimensions::Off);
    EXPECT_EQ(Engine().DrawOrigin, (MmPoint { 1, 5 }));
    EXPECT_EQ(Engine().FieldRectTable[1][1].bottom, 5);
}

TEST_F(DrawWindowTest, ExplicitScaleIgnoresTheCanvasWidth)
{
    draw("1000,1000,1,1000,1,1000,V;", EdgeDimensions::Off, -1, -1, 0.5, 100);
    const FieldRect first = Engine().FieldRectTable[1][1];
    draw("1000,1000,1,1000,1,1000,V;", EdgeDimensions::Off, -1, -1, 0.5, 5000);
    const FieldRect second = Engine().FieldRectTable[1][1];
    EXPECT_DOUBLE_EQ(Engine().DrawingScale, 0.5);
    EXPECT_EQ(first.right, second.right);
    EXPECT_EQ(second.right, rnd(1002 * 0.5));
}

TEST_F(DrawWindowTest, HighlightFollowsSelectionAndSwitch)
{
    struct Case {
        int field;
        int row;
        bool highlight;
        Colour glassPen;
    };
    const Case cases[] = {
        { 1, 1, true, kBlue },
        { 1, 1, false, kBlack },
        { 2, 1, true, kBlack },
        { -1, -1, true, kBlack },
    };
    for (const Case& c : cases) {
        Engine().HighlightSelection = c.highlight;
        draw("1000,1000,1,1000,1,1000,V;", EdgeDimensions::Off, c.field, c.row);
        const auto polygons = canvas.callsOf(CallKind::Polygon);
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_EQ(polygons[0].pen.colour, c.glassPen);
        // The outline never takes the highlight.
        EXPECT_EQ(outlines().at(0).pen.colour, (Colour { 221, 221, 221 }));
    }
}

TEST_F(DrawWindowTest, RowsStackAndFieldsPlaceLeftToRight)
{
    // Two rows: 600 mm with fields of 300, 500 (empty) and 200; 400 mm with
    // one field whose own height reaches 900 mm.
    draw("1000,1000,2,600,3,300,F;500,T:10;200,V;400,1,1000,V,e:900;", EdgeDimensions::Off, -1, -1, 1.0);
    const EngineState& e = Engine();
    struct Case {
        int row;
        int field;
        FieldRect rect;
    };
    const Case cases[] = {
        { 1, 1, { 1, 5, 301, 605, true } },
        { 1, 2, { 301, 5, 801, 605, true } },
        { 1, 3, { 801, 5, 1001, 605, true } },
        { 2, 1, { 1, 605, 1001, 1005, true } },
    };
    for (const Case& c : cases) {
        const FieldRect& r = e.FieldRectTable[c.row][c.field];
        SCOPED_TRACE(c.row * 10 + c.field);
        EXPECT_TRUE(r.valid);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.bottom, c.rect.bottom);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.top, c.rect.top);
    }
    // The empty field is not drawn: three outlines for four fields.
    const auto xor_ = outlines();
    ASSERT_EQ(xor_.size(), 3u);
    // The upper field is drawn with its own height of 900 mm from its row's
    // bottom at 605 mm: its top lies at row 1091 - 1505. Without a hinge it
    // is mirrored, so its outline starts at the left.
    EXPECT_EQ(xor_[2].points[0], (PixelPoint { 1, 1091 - 605 }));
    EXPECT_EQ(xor_[2].points[1], (PixelPoint { 1, 1091 - 1505 }));
    EXPECT_EQ(e.AnnotationOrigin, (MmPoint { 301, 5 }));
    EXPECT_EQ(e.DrawOrigin, (MmPoint { 1, 5 }));
}

TEST_F(DrawWindowTest, MirroredFieldReflectsBandAndGlass)
{
    draw("1000,1000,1,1000,1,1000,R,F;", EdgeDimensions::Off, -1, -1, 1.0);
    const auto polygons = canvas.callsOf(CallKind::Polygon);
    ASSERT_EQ(polygons.size(), 2u);
    // Glass point (950, 50) drawn at x = 1000 - 950.
    EXPECT_EQ(polygons[1].points[0], (PixelPoint { 1 + 50, 1091 - 55 }));
    // Fixed glazing has no band; roller-shutter and sill fields no glass.
    draw("1000,1000,1,1000,1,1000,V;", EdgeDimensions::Off, -1, -1, 1.0);
    EXPECT_EQ(canvas.callsOf(CallKind::Polygon).size(), 1u);
    draw("1000,1000,1,1000,1,1000,F,J;", EdgeDimensions::Off, -1, -1, 1.0);
    EXPECT_EQ(canvas.callsOf(CallKind::Polygon).size(), 0u);
    draw("1000,1000,1,1000,1,1000,F,B;", EdgeDimensions::Off, -1, -1, 1.0);
    EXPECT_EQ(canvas.callsOf(CallKind::Polygon).size(), 0u);
    EXPECT_EQ(outlines().size(), 1u);
}

TEST_F(DrawWindowTest, BadFieldWidthIsReportedNotFatal)
{
    EXPECT_THROW(draw("1000,1000,1,1000,1,F;"), DataFileError);
    EXPECT_THROW(draw("1000,1000,1,1000,1,99999999999,F;"), DataFileError);
    try {
        draw("1000,1000,2,500,1,500,F;500,1,x,F;");
        FAIL();
    } catch (const DataFileError& error) {
        EXPECT_STREQ(error.what(), "Fehler in Datendatei!");
    }
    // The field before the bad one was drawn and recorded.
    EXPECT_TRUE(Engine().FieldRectTable[1][1].valid);
    EXPECT_FALSE(Engine().FieldRectTable[2][1].valid);
}

TEST_F(DrawWindowTest, UndrawableDescriptionsDrawNothing)
{
    struct Case {
        const char* name;
        std::string description;
        double scale;
        int width;
        int height;
    };
    const Case cases[] = {
        { "empty text", "", 0.0, kWidth, kHeight },
        { "blanks only", "   ", 0.0, kWidth, kHeight },
        { "zero overall size", "0,0,1,1000,1,1000,F;", 0.0, kWidth, kHeight },
        { "negative scale", "1000,1000,1,1000,1,1000,F;", -2.0, kWidth, kHeight },
        { "canvas smaller than the text margins", "1000,1000,1,1000,1,1000,F;", 0.0, 50, 50 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        draw(c.description, EdgeDimensions::On, -1, -1, c.scale, c.width, c.height);
        EXPECT_TRUE(canvas.calls().empty());
        EXPECT_FALSE(Engine().Drawn);
        EXPECT_DOUBLE_EQ(Engine().DrawingScale, 1.0);
        EXPECT_FALSE(Engine().FieldRectTable[1][1].valid);
    }
}

TEST_F(DrawWindowTest, MoreThanTwentyRowsAndFieldsStayInsideTheTable)
{
    std::string description = "1000,1000,25,";
    for (int r = 0; r < 25; ++r) {
        description += "40,25,";
        for (int f = 0; f < 25; ++f)
            description += "40,F;";
    }
    draw(description, EdgeDimensions::Off);
    EXPECT_EQ(outlines().size(), 625u);
    EXPECT_TRUE(Engine().FieldRectTable[20][20].valid);
    EXPECT_EQ(Engine().FieldRectTable[20][20].left, rnd(double(Engine().LeftOffset + 19 * 40) * Engine().DrawingScale));
}

TEST_F(DrawWindowTest, AbsurdNumbersStayBounded)
{
    const std::string cases[] = {
        "2147483647,2147483647,2147483647,2147483647,2147483647,2147483647,F,g,p,v:99999999999,h:99999999999,r:9999999999;",
        "1,1,1,1,1,2147483647,F,T:4,e:2147483647;2147483647,F,T:2,r:1;",
        "1000,1000,3,1000,2,1000,T:9,r:5,b:5,e:5;1000,T:5,r:2147483647,b:2147483647;",
        "1000,1000,1,1000,1,1000,T:3",
        "1000,1000,4,1000,9",
        // Bars wider than the view at a huge scale: their allowance outside
        // the view must stay a view's width, not the bar width.
        "0,1,2,2,99,2,V,v:2147483647,h:2147483647;",
    };
    for (const std::string& description : cases) {
        SCOPED_TRACE(description);
        for (double scale : { 0.0, 1e-9, 5e5, 1e9 }) {
            draw(description, EdgeDimensions::On, 1, 1, scale);
            EXPECT_LT(canvas.calls().size(), 200000u) << "scale " << scale;
        }
    }
}

TEST(EngineReader, TokensKeepOnlyLettersDigitsAndColons)
{
    DescriptionReader reader(" 1 000 ,-5.5, L\r\n;x");
    EXPECT_EQ(reader.nextToken().text, "1000");
    EXPECT_EQ(reader.nextNumber(), 55);
    const auto third = reader.nextToken();
    EXPECT_EQ(third.text, "L");
    EXPECT_TRUE(third.endsField);
    const auto last = reader.nextToken();
    EXPECT_EQ(last.text, "x");
    EXPECT_TRUE(last.endsField);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.nextToken().text, "");
}

TEST(EngineReader, LaterOptionsWinAndDefaultsHold)
{
    struct Case {
        const char* field;
        FieldValues expected;
    };
    FieldValues base;
    base.width = 500;
    base.height = 700;
    auto with = [&](auto change) {
        FieldValues v = base;
        change(v);
        return v;
    };
    const Case cases[] = {
        { "500,F;", with([](FieldValues& v) { v.opening = OpeningKind::Sash; }) },
        { "500,L,R,F;", with([](FieldValues& v) { v.opening = OpeningKind::Sash; v.hinge = HingeSide::Right; }) },
        { "500,F,K,S;", with([](FieldValues& v) { v.opening = OpeningKind::Sash; v.tilt = TiltMode::Swing; }) },
        { "500,F,Z;", with([](FieldValues& v) { v.opening = OpeningKind::Sliding; }) },
        { "500, L ,V;", with([](FieldValues& v) { v.opening = OpeningKind::Fixed; v.hinge = HingeSide::Left; }) },
        { "500,v:-2,h:3,T:12,r:4,e:900,b:6;", with([](FieldValues& v) {
              v.verticalMuntins = 2; v.horizontalMuntins = 3; v.baseType = 12; v.r = 4; v.height = 900; v.b = 6;
          }) },
        { "500,Tx7,r;", with([](FieldValues& v) { v.baseType = 7; }) },
        { "500,G,A,J,B,a,g,p,,Q;", with([](FieldValues& v) {
              v.handle = v.mirrored = v.rollerShutterBox = v.sillConnection = v.outward = v.insectScreen = v.pleatedBlind = true;
          }) },
        { "500,r:99999999999999", with([](FieldValues& v) { v.r = 2147483647; }) },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        DescriptionReader reader(c.field);
        const auto field = reader.readField(700);
        ASSERT_TRUE(field.has_value());
        EXPECT_EQ(*field, c.expected);
    }
    DescriptionReader empty("");
    EXPECT_FALSE(empty.readField(700).has_value());
}

TEST(NearestFieldCorner, FindsTheNearestCornerFirstOnTies)
{
    EXPECT_EQ(NearestFieldCorner({ 990, 20 }, "1000,1000,1,1000,1,1000,L,F;"), (MmPoint { 1000, 0 }));
    // All four corners equally far: the first tested wins.
    EXPECT_EQ(NearestFieldCorner({ 250, 500 }, "1000,500,1,1000,1,500,F;"), (MmPoint { 0, 0 }));
    EXPECT_EQ(NearestFieldCorner({ 260, 500 }, "1000,500,1,1000,1,500,F;"), (MmPoint { 500, 0 }));
    // Row heights count, not own heights; empty fields count.
    EXPECT_EQ(NearestFieldCorner({ 1000, 950 }, "1000,1000,1,600,2,500,T:10;500,F,e:1000;"), (MmPoint { 1000, 600 }));
    EXPECT_EQ(NearestFieldCorner({ 0, 0 }, "1000,1000,0,"), std::nullopt);
    EXPECT_THROW(NearestFieldCorner({ 0, 0 }, "1000,1000,1,1000,1,F;"), DataFileError);
}

} // namespace
} // namespace fenster
