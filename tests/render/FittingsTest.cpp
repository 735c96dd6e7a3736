#include "Fittings.h"

#include "Engine.h"
#include "Field.h"
#include "Outline.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <vector>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_annotations_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

struct Segment {
    PixelPoint from;
    PixelPoint to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

void PrintTo(const Segment& s, std::ostream* os)
{
    *os << "(" << s.from.x << "," << s.from.y << ")-(" << s.to.x << "," << s.to.y << ")";
}

// One pixel per mm, the field's bottom-left corner at the canvas's
// bottom-left corner of a 1000-pixel-high canvas: the field-frame point
// (x, y) is the pixel (x, 1000 - y). R = 50, SV = SH = 10.
class FittingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Engine() = EngineState {};
        Settings() = DrawingSettings {};
        Engine().DrawingScale = 1.0;
        Engine().CanvasHeight = 1000;
        Engine().CanvasWidth = 1200;
        Engine().DrawOrigin = { 0, 0 };
    }
    void TearDown() override
    {
        Engine() = EngineState {};
        Settings() = DrawingSettings {};
    }

    static FieldValues sash(HingeSide hinge, TiltMode tilt, bool handle)
    {
        FieldValues v;
        v.width = 1000;
        v.height = 1000;
        v.opening = OpeningKind::Sash;
        v.hinge = hinge;
        v.tilt = tilt;
        v.handle = handle;
        return v;
    }

    void draw(const FieldValues& v, Colour colour = kBlack)
    {
        canvas.clear();
        DrawField(canvas, v, ShapeForField(v, Settings().RahmenBreite), colour);
    }

    // Lines drawn with a pen of that colour, in order.
    std::vector<Segment> lines(Colour colour) const
    {
        std::vector<Segment> out;
        for (const RecordedCall& c : canvas.callsOf(CallKind::Line))
            if (c.pen.colour == colour)
                out.push_back({ c.points[0], c.points[1] });
        return out;
    }
    std::vector<RecordedCall> polygons() const { return canvas.callsOf(CallKind::Polygon); }

    RecordingCanvas canvas;
};

constexpr Colour kGrey = kSymbolGrey;

TEST_F(FittingsTest, TurnAndTiltSashHingedLeft)
{
    draw(sash(HingeSide::Left, TiltMode::Tilt, true));
    const auto p = polygons();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].brush.colour, kBandSilver);
    EXPECT_EQ(p[0].points.front(), (PixelPoint { 969, 969 }));
    EXPECT_EQ(p[0].points.back(), (PixelPoint { 31, 969 }));
    EXPECT_EQ(p[1].brush.colour, kGlassGrey);
    EXPECT_EQ(p[1].points, (std::vector<PixelPoint> { { 950, 950 }, { 950, 50 }, { 50, 50 }, { 50, 950 } }));

    const std::vector<Segment> symbols = {
        { { 50, 950 }, { 500, 50 } }, // tilt: bottom-left to top
        { { 950, 950 }, { 500, 50 } }, // bottom-right to top
        { { 50, 50 }, { 950, 500 } }, // hinge: top-left to right
        { { 50, 950 }, { 950, 500 } }, // bottom-left to right
    };
    EXPECT_EQ(lines(kGrey), symbols);
    for (const RecordedCall& c : canvas.callsOf(CallKind::Line))
        EXPECT_EQ(c.pen.style, PenStyle::Solid);

    // Side handle at X = 945, Y = 475: rose (940, 485)-(960, 505), lever
    // (945, 495)-(955, 445), each as four lines.
    const std::vector<Segment> handle = lines(kBlack);
    ASSERT_EQ(handle.size(), 8u);
    EXPECT_EQ(handle[0], (Segment { { 940, 515 }, { 960, 515 } }));
    EXPECT_EQ(handle[2], (Segment { { 960, 495 }, { 940, 495 } }));
    EXPECT_EQ(handle[4], (Segment { { 945, 505 }, { 955, 505 } }));
    EXPECT_EQ(handle[6], (Segment { { 955, 555 }, { 945, 555 } }));
}

TEST_F(FittingsTest, HingedRightIsTheMirrorImage)
{
    draw(sash(HingeSide::Right, TiltMode::Tilt, true));
    const std::vector<Segment> symbols = {
        { { 950, 950 }, { 500, 50 } },
        { { 50, 950 }, { 500, 50 } },
        { { 950, 50 }, { 50, 500 } },
        { { 950, 950 }, { 50, 500 } },
    };
    EXPECT_EQ(lines(kGrey), symbols);
    const std::vector<Segment> handle = lines(kBlack);
    ASSERT_EQ(handle.size(), 8u);
    EXPECT_EQ(handle[0], (Segment { { 60, 515 }, { 40, 515 } })); // rose around x = 1000 - 945
}

TEST_F(FittingsTest, TopHandleOfATiltOnlySash)
{
    FieldValues v = sash(HingeSide::None, TiltMode::Tilt, true);
    draw(v);
    // Not hinged: drawn mirrored; X = 500 (top anchor), Y = 950.
    const std::vector<Segment> handle = lines(kBlack);
    ASSERT_EQ(handle.size(), 8u);
    EXPECT_EQ(handle[0], (Segment { { 505, 40 }, { 485, 40 } }));
    EXPECT_EQ(handle[4], (Segment { { 500, 35 }, { 550, 35 } })); // lever pointing left, mirrored
    EXPECT_EQ(lines(kGrey).size(), 2u); // tilt lines only
}

TEST_F(FittingsTest, NoHandleWithoutHingeOrTilt)
{
    draw(sash(HingeSide::None, TiltMode::None, true));
    EXPECT_TRUE(lines(kBlack).empty());
}

TEST_F(FittingsTest, FixedGlazingHasNoBandAndACross)
{
    FieldValues v = sash(HingeSide::None, TiltMode::None, false);
    v.opening = OpeningKind::Fixed;
    draw(v);
    ASSERT_EQ(polygons().size(), 1u);
    EXPECT_EQ(polygons()[0].brush.colour, kGlassGrey);
    const std::vector<Segment> cross = { { { 450, 500 }, { 550, 500 } }, { { 500, 550 }, { 500, 450 } } };
    EXPECT_EQ(lines(kBlack), cross);
}

TEST_F(FittingsTest, SlidingArrowTurnsAboutItsOwnCentre)
{
    struct Case {
        HingeSide hinge;
        std::vector<Segment> arrow;
    };
    // W = 1001: X = 500, so the arrow turns about x = 500, not 500.5.
    const Case cases[] = {
        { HingeSide::Left,
            { { { 450, 500 }, { 550, 500 } }, { { 450, 500 }, { 500, 450 } }, { { 450, 500 }, { 500, 550 } } } },
        { HingeSide::None,
            { { { 550, 500 }, { 450, 500 } }, { { 550, 500 }, { 500, 450 } }, { { 550, 500 }, { 500, 550 } } } },
    };
    for (const Case& c : cases) {
        FieldValues v = sash(c.hinge, TiltMode::None, false);
        v.opening = OpeningKind::Sliding;
        v.width = 1001;
        draw(v);
        EXPECT_EQ(polygons().size(), 2u); // band and glass
        std::vector<Segment> arrow = lines(kBlack);
        if (c.hinge != HingeSide::None) {
            // The hinge lines are grey; only the arrow is in the field colour.
            EXPECT_EQ(lines(kGrey).size(), 2u);
        }
        EXPECT_EQ(arrow, c.arrow);
    }
}

TEST_F(FittingsTest, OpeningOutwardsDotsTheSymbolPenOnly)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::Swing, true);
    v.outward = true;
    draw(v);
    const auto all = canvas.callsOf(CallKind::Line);
    int dotted = 0;
    for (const RecordedCall& c : all) {
        if (c.pen.colour == kGrey) {
            EXPECT_EQ(c.pen.style, PenStyle::Dot);
            ++dotted;
        } else {
            EXPECT_EQ(c.pen.style, PenStyle::Solid);
        }
    }
    EXPECT_EQ(dotted, 4); // swing lower half and hinge lines
    // Swing: bottom (500, 50) to right (950, 500) and left; top (500, 950)
    // to right and left in the field colour.
    const std::vector<Segment> grey = lines(kGrey);
    EXPECT_EQ(grey[0], (Segment { { 500, 950 }, { 950, 500 } }));
    EXPECT_EQ(grey[1], (Segment { { 500, 950 }, { 50, 500 } }));
    const std::vector<Segment> upper = lines(kBlack);
    ASSERT_EQ(upper.size(), 2u + 8u);
    EXPECT_EQ(upper[0], (Segment { { 500, 50 }, { 950, 500 } }));
    EXPECT_EQ(upper[1], (Segment { { 500, 50 }, { 50, 500 } }));
}

TEST_F(FittingsTest, MuntinBarsStartWhereTheBarsAreCentredOnEqualParts)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    v.verticalMuntins = 2;
    v.horizontalMuntins = 2;
    draw(v);
    const auto& calls = canvas.calls();
    std::vector<PixelRect> bars;
    bool clipped = false;
    std::size_t clipAt = 0;
    std::size_t unclipAt = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].kind == CallKind::Clip) {
            clipped = true;
            clipAt = i;
            EXPECT_EQ(calls[i].points, polygons()[1].points); // the glass polygon
        }
        if (calls[i].kind == CallKind::Unclip)
            unclipAt = i;
        if (calls[i].kind == CallKind::Rectangle) {
            bars.push_back(calls[i].rect);
            EXPECT_EQ(calls[i].brush.colour, kBandSilver);
            EXPECT_EQ(calls[i].pen.colour, kBlack);
        }
    }
    ASSERT_TRUE(clipped);
    EXPECT_GT(unclipAt, clipAt);
    const std::vector<PixelRect> expected = {
        { 345, 980, 355, -20 }, // vertical bars from x = 345 and 645, y = 20
        { 645, 980, 655, -20 },
        { 50, 665, 1050, 655 }, // horizontal bars from y = 335 and 625
        { 50, 375, 1050, 365 },
    };
    EXPECT_EQ(bars, expected);
}

TEST_F(FittingsTest, TransomBarOfARectangleWithR)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    v.r = 800; // t = 750
    v.verticalMuntins = 1;
    draw(v);
    const auto rects = canvas.callsOf(CallKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (PixelRect { 0, 250, 1000, 230 })); // y 750 to 770
    EXPECT_EQ(rects[1].rect, (PixelRect { 495, 230, 505, -770 })); // from y = 770 upward
}

TEST_F(FittingsTest, InsectScreenAndPleatedBlindLinesInsideTheGlass)
{
    // A taller canvas, so that the top line of the mesh lands on it too:
    // the point (x, y) is the pixel (x, 1100 - y).
    Engine().CanvasHeight = 1100;
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    v.insectScreen = true;
    draw(v);
    std::vector<Segment> mesh;
    bool inside = false;
    for (const RecordedCall& c : canvas.calls()) {
        if (c.kind == CallKind::Clip)
            inside = true;
        else if (c.kind == CallKind::Unclip)
            inside = false;
        else if (c.kind == CallKind::Line && inside)
            mesh.push_back({ c.points[0], c.points[1] });
    }
    // rnd(900 / 20) = 45 upright lines from x = 70, rnd(1000 / 20) + 1 = 51
    // across from y = 20.
    ASSERT_EQ(mesh.size(), 45u + 51u);
    EXPECT_EQ(mesh[0], (Segment { { 70, 1080 }, { 70, 130 } }));
    EXPECT_EQ(mesh[44], (Segment { { 950, 1080 }, { 950, 130 } }));
    EXPECT_EQ(mesh[45], (Segment { { 50, 1080 }, { 950, 1080 } }));
    EXPECT_EQ(mesh[95], (Segment { { 50, 80 }, { 950, 80 } }));

    v.insectScreen = false;
    v.pleatedBlind = true;
    draw(v);
    const auto blind = lines(kBlack);
    ASSERT_EQ(blind.size(), 22u); // rnd(22.5) = 22
    EXPECT_EQ(blind[0], (Segment { { 90, 1080 }, { 90, 130 } }));
}

TEST_F(FittingsTest, RollerShutterBoxAndSillConnectionCarryNoGlassOrSymbols)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::Tilt, true);
    v.rollerShutterBox = true;
    v.insectScreen = true;
    draw(v);
    EXPECT_TRUE(polygons().empty());
    EXPECT_EQ(canvas.callsOf(CallKind::Polyline).size(), 1u);
    const std::vector<Segment> box = { { { 50, 1000 }, { 50, 0 } }, { { 950, 1000 }, { 950, 0 } } };
    EXPECT_EQ(lines(kBlack), box);

    v.rollerShutterBox = false;
    v.sillConnection = true;
    draw(v);
    EXPECT_TRUE(polygons().empty());
    EXPECT_TRUE(canvas.callsOf(CallKind::Line).empty());
    EXPECT_EQ(canvas.callsOf(CallKind::Polyline).size(), 1u);
}

TEST_F(FittingsTest, HighlightedFieldTakesBlueExceptOutlineAndSymbolPen)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::Swing, true);
    v.verticalMuntins = 1;
    draw(v, kBlue);
    EXPECT_EQ(canvas.callsOf(CallKind::Polyline)[0].pen.colour, kOutlineGrey);
    for (const RecordedCall& p : polygons())
        EXPECT_EQ(p.pen.colour, kBlue);
    for (const RecordedCall& r : canvas.callsOf(CallKind::Rectangle))
        EXPECT_EQ(r.pen.colour, kBlue);
    EXPECT_EQ(lines(kGrey).size(), 4u);
    EXPECT_EQ(lines(kBlue).size(), 2u + 8u); // swing upper half and handle
    EXPECT_TRUE(lines(kBlack).empty());
}

TEST_F(FittingsTest, AbsurdMuntinCountsCostOnlyWhatCanShow)
{
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    v.verticalMuntins = 2000000000;
    v.horizontalMuntins = 2000000000;
    draw(v);
    // At most a bar per pixel column and row of the canvas.
    EXPECT_LE(canvas.callsOf(CallKind::Rectangle).size(), 1200u + 1000u + 4u);
}

struct ShapeCase {
    const char* name;
    int baseType;
    int r;
    HingeSide hinge;
    TiltMode tilt;
    std::vector<Segment> symbols; // grey lines in order
    Segment roseTop; // the first line of the handle's rose
};

TEST_F(FittingsTest, SymbolsAndHandlesOfShapedFields)
{
    // W = e = 1000, R = 50; the pixel of (x, y) is (x, 1000 - y).
    const ShapeCase cases[] = {
        // Rise 10: the arch is too flat for any arc point, so the top anchor
        // is the middle of the glass's flat top edge (500, 940); m1 = 990 is
        // at least 1.5 R, so the side handle sits at Y = 990 div 2 = 495.
        { "flat segmental arch", 2, 990, HingeSide::Left, TiltMode::Tilt,
            { { { 50, 950 }, { 500, 60 } }, { { 950, 950 }, { 500, 60 } }, { { 50, 60 }, { 950, 505 } },
                { { 50, 950 }, { 950, 505 } } },
            { { 940, 495 }, { 960, 495 } } },
        // A trapezoid without step (b = 0) is normalised to m1 = 1, below
        // 1.5 R, so the handle goes by the height: Y = (1000 - 50) div 2 =
        // 475, not r div 2 = 300. (Its hinge lines are not checked here.)
        { "trapezoid without step", 5, 600, HingeSide::Left, TiltMode::None, {}, { { 940, 515 }, { 960, 515 } } },
        // Swing without hinge side: mirrored, lower half grey, top handle at
        // X = 500 of the top anchor and Y = 950.
        { "swing sash", 0, 0, HingeSide::None, TiltMode::Swing,
            { { { 500, 950 }, { 50, 500 } }, { { 500, 950 }, { 950, 500 } } }, { { 505, 40 }, { 485, 40 } } },
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldValues v = sash(c.hinge, c.tilt, true);
        v.baseType = c.baseType;
        v.r = c.r;
        draw(v);
        if (!c.symbols.empty()) {
            EXPECT_EQ(lines(kGrey), c.symbols);
        }
        const std::vector<Segment> field = lines(kBlack);
        ASSERT_GE(field.size(), 8u);
        EXPECT_EQ(field[field.size() - 8], c.roseTop);
    }
}

TEST_F(FittingsTest, InsectScreenIsNotMirroredOnlyItsClip)
{
    // Hinged right, so the field is mirrored; W = 1010 leaves the mesh
    // off-centre (rnd(910 / 20) = 46 columns from x = 70 to 970), which
    // mirroring would move to start at 940.
    FieldValues v = sash(HingeSide::Right, TiltMode::None, false);
    v.width = 1010;
    v.insectScreen = true;
    draw(v);
    std::vector<Segment> mesh;
    std::vector<PixelPoint> clip;
    bool inside = false;
    for (const RecordedCall& c : canvas.calls()) {
        if (c.kind == CallKind::Clip) {
            inside = true;
            clip = c.points;
        } else if (c.kind == CallKind::Unclip) {
            inside = false;
        } else if (c.kind == CallKind::Line && inside) {
            mesh.push_back({ c.points[0], c.points[1] });
        }
    }
    EXPECT_EQ(clip, (std::vector<PixelPoint> { { 50, 950 }, { 50, 50 }, { 960, 50 }, { 960, 950 } }));
    ASSERT_GE(mesh.size(), 46u);
    EXPECT_EQ(mesh[0], (Segment { { 70, 980 }, { 70, 30 } }));
    EXPECT_EQ(mesh[45], (Segment { { 970, 980 }, { 970, 30 } }));
}

TEST_F(FittingsTest, ABarReachingOntoTheCanvasIsDrawn)
{
    // The field starts 348 mm left of the canvas: the first vertical bar
    // (x = 345 to 355 in the field) begins off the canvas and ends on it.
    Engine().DrawOrigin = { -348, 0 };
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    v.verticalMuntins = 2;
    draw(v);
    const auto rects = canvas.callsOf(CallKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].rect, (PixelRect { -3, 980, 7, -20 }));
    EXPECT_EQ(rects[1].rect, (PixelRect { 297, 980, 307, -20 }));
}

TEST_F(FittingsTest, FixedGlazingDropsHingeAndTiltWrittenBeforeIt)
{
    // Through the reader: "L" and "K" before "V" are overwritten by the
    // fixed glazing, so neither their lines nor a handle appear.
    DrawWindow(canvas, 0, 0, 1200, 1100, "1000,1000,1,1000,1,1000,L,K,G,V;", EdgeDimensions::Off, -1, -1, 1.0);
    EXPECT_TRUE(lines(kGrey).empty());
    EXPECT_EQ(lines(kBlack).size(), 2u); // the cross
    EXPECT_EQ(polygons().size(), 1u); // glass, no band
}

// --- Pixels on a real image ---------------------------------------------------

class FittingsPixels : public FittingsTest {
protected:
    QImage drawOnImage(const FieldValues& v, Colour colour = kBlack)
    {
        ensureApplication();
        QImage image(1000, 1000, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            QtCanvas qt(painter);
            DrawField(qt, v, ShapeForField(v, Settings().RahmenBreite), colour);
        }
        return image;
    }
};

TEST_F(FittingsPixels, OutwardOpeningDotsTheHingeLines)
{
    // A sash without glass brush differences: count grey pixels along the
    // horizontal middle of the lower hinge line's path, which runs from
    // (50, 950) to (950, 500) in pixels.
    FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
    int greyInward = 0;
    int greyOutward = 0;
    for (bool outward : { false, true }) {
        v.outward = outward;
        const QImage image = drawOnImage(v);
        int grey = 0;
        for (int x = 200; x < 800; ++x) {
            // The line's row at column x, give or take a pixel.
            const int y = 950 - (x - 50) / 2;
            for (int dy = -1; dy <= 1; ++dy)
                if (image.pixel(x, y + dy) == qRgb(128, 128, 128)) {
                    ++grey;
                    break;
                }
        }
        (outward ? greyOutward : greyInward) = grey;
    }
    EXPECT_GE(greyInward, 595); // solid: every column
    EXPECT_GT(greyOutward, 100); // dotted: some columns ...
    EXPECT_LT(greyOutward, 500); // ... with gaps between
}

TEST_F(FittingsPixels, MeshIsCutAtTheGlass)
{
    // The mesh's upright lines run from y = 20 to y = 970 (pixel rows 980 to
    // 30); the glass ends at rows 950 and 50, so below and above it the band
    // (rows 31 to 969) or the white page shows. The rectangle's glass clips as an upright rectangle, the flat
    // arch's glass (rise 30: an arc of points) as a polygon.
    struct Case {
        const char* name;
        int baseType;
        int r;
    };
    const Case cases[] = { { "rectangle", 0, 0 }, { "segmental arch", 2, 900 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FieldValues v = sash(HingeSide::Left, TiltMode::None, false);
        v.baseType = c.baseType;
        v.r = c.r;
        v.insectScreen = true;
        const QImage image = drawOnImage(v);
        const QRgb band = qRgb(192, 192, 192);
        for (int x : { 110, 310, 510 }) {
            SCOPED_TRACE(x);
            EXPECT_EQ(image.pixel(x, 960), band);
            EXPECT_NE(image.pixel(x, 40), qRgb(0, 0, 0)); // above the glass
            EXPECT_EQ(image.pixel(x, 975), qRgb(255, 255, 255)); // beside the band
            EXPECT_EQ(image.pixel(x, 590), qRgb(0, 0, 0)); // inside the glass
            EXPECT_EQ(image.pixel(x + 10, 590), qRgb(240, 240, 240)); // between two lines
        }
        // Level lines end at the glass's sides (x = 50 and 950).
        EXPECT_EQ(image.pixel(40, 600), band);
        EXPECT_EQ(image.pixel(960, 600), band);
        EXPECT_EQ(image.pixel(500, 600), qRgb(0, 0, 0));
    }
}

TEST_F(FittingsPixels, HighlightColourOnlyOnTheSelectedField)
{
    ensureApplication();
    QImage image(800, 500, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas qt(painter);
        DrawWindow(qt, 0, 0, 800, 500, "1000,2000,1,1000,2,1000,L,F,K,G,v:1;1000,L,F,K,G,v:1;", EdgeDimensions::Off,
            1, 1, 0.4);
    }
    int blueLeft = 0;
    int blueRight = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255))
                ++(x < 400 ? blueLeft : blueRight);
    EXPECT_GT(blueLeft, 100);
    EXPECT_EQ(blueRight, 0);
}

} // namespace
} // namespace fenster
