#include "Dimensions.h"

#include "Engine.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <vector>

namespace fenster {
namespace {

struct Segment {
    PixelPoint from;
    PixelPoint to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

void PrintTo(const Segment& s, std::ostream* os)
{
    *os << "(" << s.from.x << "," << s.from.y << ")-(" << s.to.x << "," << s.to.y << ")";
}

// Scale 0.5 and a canvas 1000 pixels high, the window corner at (20, 100) mm
// and the annotation origin at (520, 100) mm, so that a millimetre point
// (x, y) lands on column 10 + x/2, row 950 - y/2 (edge dimensions) and
// column 260 + x/2, row 950 - y/2 (free dimensions). Text is 13 pixels high
// and 7 pixels per character.
class DimensionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Engine() = EngineState {};
        Engine().DrawingScale = 0.5;
        Engine().CanvasHeight = 1000;
        Engine().DrawOrigin = { 20, 100 };
        Engine().AnnotationOrigin = { 520, 100 };
        Engine().edgeDimensions = EdgeDimensions::On;
        Engine().currentColour = kColour;
        canvas.setPen(Pen { kRed, 5, PenStyle::Dot, PenMix::Xor });
    }
    void TearDown() override { Engine() = EngineState {}; }

    std::vector<Segment> segments() const
    {
        std::vector<Segment> out;
        for (const RecordedCall& call : canvas.callsOf(CallKind::Line))
            out.push_back({ call.points[0], call.points[1] });
        return out;
    }
    std::vector<RecordedCall> texts() const { return canvas.callsOf(CallKind::Text); }

    static constexpr Colour kColour { 10, 20, 30 };
    RecordingCanvas canvas;
};

TEST_F(DimensionsTest, OverallWidthAtHalfScale)
{
    // off = rnd(13 * 1.7 * 2 / 0.5) = 88 mm: extension lines down to -88,
    // dimension line at -82, number top at -88 + 16 / 0.5 = -56.
    DrawHorizontalDimension(canvas, 0, 1000, 2);
    const std::vector<Segment> expected = {
        { { 10, 950 }, { 10, 994 } },
        { { 510, 950 }, { 510, 994 } },
        { { 10, 991 }, { 510, 991 } },
        { { 5, 986 }, { 15, 996 } },
        { { 505, 986 }, { 515, 996 } },
    };
    EXPECT_EQ(segments(), expected);
    for (const RecordedCall& call : canvas.callsOf(CallKind::Line))
        EXPECT_EQ(call.pen, (Pen { kColour, 1, PenStyle::Solid, PenMix::Copy }));
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0].text, "1000");
    EXPECT_EQ(texts()[0].points[0], (PixelPoint { 260 - 14, 978 }));
    EXPECT_EQ(texts()[0].escapement, Escapement::Horizontal);
}

TEST_F(DimensionsTest, HorizontalNumberRule)
{
    struct Case {
        const char* name;
        int length;
        double scale;
        bool number;
    };
    const Case cases[] = {
        { "30 mm at 0.5: 32 is not less than 15", 30, 0.5, false },
        { "64 mm at 0.5: 32 is not less than 32", 64, 0.5, false },
        { "66 mm at 0.5: 32 is less than 33", 66, 0.5, true },
        { "negative last segment", -50, 0.5, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        Engine().DrawingScale = c.scale;
        DrawHorizontalDimension(canvas, 100, c.length, 1);
        EXPECT_EQ(segments().size(), 5u);
        EXPECT_EQ(texts().size(), c.number ? 1u : 0u);
    }
}

TEST_F(DimensionsTest, ChainSegmentLevelOneStandsNearerTheWindow)
{
    // off = rnd(13 * 1.7 / 0.5) = rnd(44.2) = 44; dimension line at -41.
    DrawHorizontalDimension(canvas, 200, 300, 1);
    const std::vector<Segment> s = segments();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], (Segment { { 110, 950 }, { 110, 972 } }));
    EXPECT_EQ(s[1], (Segment { { 260, 950 }, { 260, 972 } }));
    EXPECT_EQ(s[2], (Segment { { 110, 970 }, { 260, 970 } })); // rnd(970.5) = 970
    ASSERT_EQ(texts().size(), 1u);
    // Centred on 200 + 150 = 350 mm, top at -44 + 32 = -12 mm.
    EXPECT_EQ(texts()[0].points[0], (PixelPoint { 185 - 10, 956 }));
}

TEST_F(DimensionsTest, RowHeightNumberTurnedWhenItFitsOtherwiseAtTheBottom)
{
    // off = rnd(13 * 1.7 * -1 / 0.5) = -44: the chain stands at x = 1044,
    // the dimension line at 1041.
    DrawVerticalDimension(canvas, 1000, 300, -1);
    const std::vector<Segment> expected = {
        { { 532, 950 }, { 510, 950 } },
        { { 532, 800 }, { 510, 800 } },
        { { 530, 950 }, { 530, 800 } }, // rnd(530.5) = 530
        { { 526, 945 }, { 536, 955 } },
        { { 526, 795 }, { 536, 805 } },
    };
    EXPECT_EQ(segments(), expected);
    ASSERT_EQ(texts().size(), 1u);
    // Right side at column 532, centred on row 875: reference point
    // (532 - 13, 875 + 21 div 2).
    EXPECT_EQ(texts()[0].text, "300");
    EXPECT_EQ(texts()[0].points[0], (PixelPoint { 519, 885 }));
    EXPECT_EQ(texts()[0].escapement, Escapement::Up90);
    EXPECT_EQ(canvas.escapement(), Escapement::Horizontal);

    canvas.clear();
    DrawVerticalDimension(canvas, 1000, 60, -1);
    ASSERT_EQ(texts().size(), 1u);
    // 3 * 8 + 16 = 40 is not less than 30: unturned, centred on x = 1043,
    // top at y = 0.
    EXPECT_EQ(texts()[0].escapement, Escapement::Horizontal);
    EXPECT_EQ(texts()[0].points[0], (PixelPoint { 532 - 7, 950 }));
}

TEST_F(DimensionsTest, OverallHeightUsesTheFontHeightForItsDistance)
{
    canvas.setMetrics({ 13, 20, 7 });
    // off = rnd(20 * 1.7 * -2 / 0.5) = -136: at x = 1136, line at 1130.
    DrawVerticalDimension(canvas, 1000, 2000, -2);
    const std::vector<Segment> s = segments();
    ASSERT_EQ(s.size(), 5u);
    EXPECT_EQ(s[0], (Segment { { 578, 950 }, { 510, 950 } }));
    EXPECT_EQ(s[2], (Segment { { 575, 950 }, { 575, -50 } }));
}

TEST_F(DimensionsTest, EdgeDimensionsOffOrNoScaleDrawNothing)
{
    Engine().edgeDimensions = EdgeDimensions::Off;
    DrawHorizontalDimension(canvas, 0, 1000, 2);
    DrawVerticalDimension(canvas, 1000, 1000, -1);
    EXPECT_TRUE(canvas.calls().empty());

    Engine().edgeDimensions = EdgeDimensions::On;
    Engine().DrawingScale = 0.0;
    DrawHorizontalDimension(canvas, 0, 1000, 2);
    DrawVerticalDimension(canvas, 1000, 1000, -1);
    DrawFreeDimension(canvas, 0, 0, 100, 100, 10, 10);
    EXPECT_TRUE(canvas.calls().empty());
}

TEST_F(DimensionsTest, FreeDimensionsAreDrawnWhateverTheEdgeSwitch)
{
    Engine().edgeDimensions = EdgeDimensions::Off;
    DrawFreeDimension(canvas, 0, 0, 500, 0, 100, 0);
    EXPECT_EQ(segments().size(), 5u);
    // The caller's pen is used as it is.
    EXPECT_EQ(canvas.callsOf(CallKind::Line)[0].pen, (Pen { kRed, 5, PenStyle::Dot, PenMix::Xor }));
}

TEST_F(DimensionsTest, FreeDimensionRecords)
{
    struct Case {
        const char* name;
        int x1, y1, x2, y2, dy, dx;
        std::vector<Segment> lines;
        const char* number;
        PixelPoint textAt;
        Escapement escapement;
    };
    const Case cases[] = {
        { "equal heights: base is the second point", 0, 0, 500, 0, 100, 0,
            { { { 510, 950 }, { 510, 900 } }, { { 260, 950 }, { 260, 900 } }, { { 510, 900 }, { 260, 900 } },
                { { 257, 897 }, { 263, 903 } }, { { 507, 897 }, { 513, 903 } } },
            "500", { 385 - 10, 900 }, Escapement::Horizontal },
        { "left vertical: strokes rise to the right", 0, 0, 0, 800, 0, -150,
            { { { 260, 550 }, { 185, 550 } }, { { 260, 950 }, { 185, 950 } }, { { 185, 550 }, { 185, 950 } },
                { { 188, 547 }, { 182, 553 } }, { { 188, 947 }, { 182, 953 } } },
            "800", { 185 - 13, 750 + 10 }, Escapement::Up90 },
        { "extension lines start at the base point's height", 0, 0, 400, 300, 200, 0,
            { { { 460, 800 }, { 460, 700 } }, { { 260, 800 }, { 260, 700 } }, { { 460, 700 }, { 260, 700 } },
                { { 257, 697 }, { 263, 703 } }, { { 457, 697 }, { 463, 703 } } },
            "400", { 360 - 10, 700 }, Escapement::Horizontal },
        { "below: base is the lower point", 0, 0, 400, 300, -100, 0,
            { { { 260, 950 }, { 260, 1000 } }, { { 460, 950 }, { 460, 1000 } }, { { 260, 1000 }, { 460, 1000 } },
                { { 457, 997 }, { 463, 1003 } }, { { 257, 997 }, { 263, 1003 } } },
            "400", { 360 - 10, 1000 }, Escapement::Horizontal },
        { "right vertical: strokes fall to the right", 0, 0, 400, 300, 0, 100,
            { { { 460, 800 }, { 510, 800 } }, { { 460, 950 }, { 510, 950 } }, { { 510, 800 }, { 510, 950 } },
                { { 507, 797 }, { 513, 803 } }, { { 507, 947 }, { 513, 953 } } },
            "300", { 510 - 13, 875 + 10 }, Escapement::Up90 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        DrawFreeDimension(canvas, c.x1, c.y1, c.x2, c.y2, c.dy, c.dx);
        EXPECT_EQ(segments(), c.lines);
        ASSERT_EQ(texts().size(), 1u);
        EXPECT_EQ(texts()[0].text, c.number);
        EXPECT_EQ(texts()[0].points[0], c.textAt);
        EXPECT_EQ(texts()[0].escapement, c.escapement);
        EXPECT_EQ(canvas.escapement(), Escapement::Horizontal);
    }
}

TEST_F(DimensionsTest, FreeRecordWithBothOffsetsDrawsTwoDimensionsFromTheSamePoints)
{
    DrawFreeDimension(canvas, 0, 0, 400, 300, 200, 100);
    const std::vector<Segment> s = segments();
    ASSERT_EQ(s.size(), 10u);
    EXPECT_EQ(s[0].from, (PixelPoint { 460, 800 })); // horizontal part from (400, 300)
    EXPECT_EQ(s[5].from, (PixelPoint { 460, 800 })); // vertical part from the same point
    ASSERT_EQ(texts().size(), 2u);
    EXPECT_EQ(texts()[0].text, "400");
    EXPECT_EQ(texts()[1].text, "300");
}

TEST_F(DimensionsTest, FreeTicksAreThreePixelsHorizontallyAndWholeMillimetresVertically)
{
    // At scale 0.4 three pixels are 7.5 mm: the horizontal ticks use that
    // real length, the vertical ones rnd(7.5) = 8 mm, which is 3.2 pixels.
    Engine().DrawingScale = 0.4;
    Engine().AnnotationOrigin = { 0, 0 };
    DrawFreeDimension(canvas, 0, 0, 500, 0, 100, 100);
    const std::vector<Segment> s = segments();
    ASSERT_EQ(s.size(), 10u);
    EXPECT_EQ(s[3], (Segment { { -3, 957 }, { 3, 963 } }));
    EXPECT_EQ(s[4], (Segment { { 197, 957 }, { 203, 963 } }));
    EXPECT_EQ(s[8], (Segment { { 237, 997 }, { 243, 1003 } }));
}

TEST_F(DimensionsTest, FreeLengthsBeyondThirtyTwoBitsAreShownWhole)
{
    DrawFreeDimension(canvas, -2147483647 - 1, 0, 2147483647, 0, 10, 0);
    ASSERT_EQ(texts().size(), 1u);
    EXPECT_EQ(texts()[0].text, "4294967295");
}

TEST_F(DimensionsTest, TextPrimitivesReferencePoints)
{
    HorizontalText(canvas, "1234", 100, 200, { 20, 100 });
    VerticalText(canvas, "1234", 100, 200, { 20, 100 });
    const auto t = texts();
    ASSERT_EQ(t.size(), 2u);
    // (120, 300) mm is pixel (60, 850); the text is 28 x 13 pixels.
    EXPECT_EQ(t[0].points[0], (PixelPoint { 60 - 14, 850 }));
    EXPECT_EQ(t[0].escapement, Escapement::Horizontal);
    EXPECT_EQ(t[1].points[0], (PixelPoint { 60 - 13, 850 + 14 }));
    EXPECT_EQ(t[1].escapement, Escapement::Up90);
    EXPECT_EQ(canvas.escapement(), Escapement::Horizontal);
}

} // namespace
} // namespace fenster
