#include "Macros.h"

#include "Description.h"
#include "DescriptionTokens.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>

namespace fenster {
namespace {

std::unique_ptr<TFenster> Read(const std::string& text)
{
    ReadResult result = ReadDescription(text);
    EXPECT_TRUE(result.ok()) << text << ": " << result.error.value_or("");
    return std::move(result.model);
}

std::string Write(TFenster& window)
{
    return WriteDescription(window, 1, 1);
}

TEST(ScaleWindow, MultipliesEveryMeasureByItsFactorAndRoundsHalvesToEven)
{
    struct Case {
        const char* name;
        std::string start;
        std::int32_t newHeight;
        std::int32_t newWidth;
        std::string expected;
    } const cases[] = {
        // Heights, extra heights and height 1 by 1.5; widths and height 2
        // stay. 151.5 and 49.5 round up to the even 152 and 50, 52.5 down to 52.
        { "1000 x 500 to 1500 x 500", "1000,500,2,600,1,500,F,r:101,e:700,b:40;400,2,250,F,r:35;250,F,r:33,e:300,b:7;",
            1500, 500, "1500,500,2,900,1,500,F,r:152,e:1050,b:40;600,2,250,F,r:52;250,F,r:50,e:450,b:7;" },
        // round(333.33...) each: no remainder is spread over the fields.
        { "three fields of 333 from 999 to 1000", "1000,999,1,1000,3,333,F;333,F;333,F;", 1000, 1000,
            "1000,999,1,1000,3,333,F;333,F;333,F;" },
        { "widths and height 2 by 1.5", "1000,1000,1,1000,3,333,F;335,F;332,F,b:3;", 1000, 1500,
            "1000,1500,1,1000,3,500,F;502,F;498,F,b:4;" },
        { "door shrunk to half", "2000,1000,1,1000,1,1000,L,F,T:6,e:2000;", 1000, 500,
            "1000,500,1,500,1,500,L,F,T:6,e:1000;" },
        // The factors come from what the rows add up to, not from a header
        // that disagrees with them.
        { "header totals disagreeing with the rows", "2000,3000,1,1000,1,1000,F;", 1500, 2000,
            "1500,2000,1,1500,1,2000,F;" },
        { "measures beyond the int range saturate", "1,1,1,1,1,1,F,r:1;", INT_MAX, INT_MAX,
            "2147483647,2147483647,1,2147483647,1,2147483647,F,r:2147483647;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        const MacroResult result = ScaleWindow(*window, c.newHeight, c.newWidth);
        EXPECT_TRUE(result.ok()) << result.refusal.value_or("");
        EXPECT_FALSE(result.selection.has_value());
        // The model holds the new size until the next write recomputes it.
        EXPECT_EQ(window->height(), c.newHeight);
        EXPECT_EQ(window->width(), c.newWidth);
        EXPECT_EQ(Write(*window), c.expected);
    }
}

TEST(ScaleWindow, RefusesAWindowWithoutSizeAndSizesNotAboveZero)
{
    struct Case {
        const char* name;
        std::string start;
        std::int32_t newHeight;
        std::int32_t newWidth;
        const char* refusal;
    } const cases[] = {
        { "window 0 mm high", "0,500,1,0,1,500,F;", 1000, 1000, kCannotScaleEmptyWindow },
        { "window 0 mm wide", "1000,0,1,1000,2,0,F;0,F;", 1000, 1000, kCannotScaleEmptyWindow },
        { "new height 0", "1000,500,1,1000,1,500,F;", 0, 500, kNewSizeNotPositive },
        { "negative new width", "1000,500,1,1000,1,500,F;", 1000, -500, kNewSizeNotPositive },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        const std::int32_t height = window->height();
        const std::int32_t width = window->width();
        const std::string before = Write(*window);
        const MacroResult result = ScaleWindow(*window, c.newHeight, c.newWidth);
        EXPECT_EQ(result.refusal, std::optional<std::string>(c.refusal));
        EXPECT_EQ(window->height(), height);
        EXPECT_EQ(window->width(), width);
        EXPECT_EQ(Write(*window), before);
    }
}

TEST(RowMacros, AddOrInsertARowSpanningTheWindow)
{
    using Macro = std::function<MacroResult(TFenster&)>;
    const Macro box = AddRollerShutterBox;
    const Macro sill = InsertSillConnection;
    const Macro bottom = InsertBottomRowMacro;
    struct Case {
        const char* name;
        std::string start;
        Macro macro;
        std::string expected;
        Selection selection;
    } const cases[] = {
        { "roller-shutter box on a one-row window", "1000,1000,1,1000,1,1000,F;", box,
            "1200,1000,2,1000,1,1000,F;200,1,1000,F,J;", { 2, 1 } },
        { "roller-shutter box on a narrow window is the new row's 500 mm wide", "1000,400,1,1000,1,400,L,F;", box,
            "1200,500,2,1000,1,400,L,F;200,1,500,F,J;", { 2, 1 } },
        { "roller-shutter box on three rows, widest row below", "1500,900,3,500,2,450,F;450,F;500,1,600,F;500,1,300,F;",
            box, "1700,900,4,500,2,450,F;450,F;500,1,600,F;500,1,300,F;200,1,900,F,J;", { 4, 1 } },
        { "sill connection under a 1000 mm window; the old bottom row becomes row 2", "1200,1000,2,1000,1,1000,R,F;200,1,1000,F,J;",
            sill, "1220,1000,3,20,1,1000,F,B;1000,1,1000,R,F;200,1,1000,F,J;", { 1, 1 } },
        { "sill connection under a narrow window", "1000,300,1,1000,1,300,F;", sill,
            "1020,500,2,20,1,500,F,B;1000,1,300,F;", { 1, 1 } },
        { "new bottom row", "1000,1000,1,1000,2,500,F;500,V;", bottom, "1500,1000,2,500,1,1000,F;1000,2,500,F;500,V;",
            { 1, 1 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        const MacroResult result = c.macro(*window);
        EXPECT_TRUE(result.ok()) << result.refusal.value_or("");
        EXPECT_EQ(result.selection, std::optional<Selection>(c.selection));
        EXPECT_EQ(WriteDescription(*window, c.selection.row, c.selection.field), c.expected);
    }
}

TEST(RowMacros, RollerShutterBoxRefusesTenRowsAndTheInsertsGoOn)
{
    for (const int rows : { 10, 12 }) {
        SCOPED_TRACE(rows);
        TFenster window;
        window.SetRowCount(rows);
        const std::string before = Write(window);
        const MacroResult refused = AddRollerShutterBox(window);
        EXPECT_EQ(refused.refusal, std::optional<std::string>(kTooManyRowsForRollerShutterBox));
        EXPECT_FALSE(refused.selection.has_value());
        EXPECT_EQ(Write(window), before);

        EXPECT_TRUE(InsertSillConnection(window).ok());
        EXPECT_TRUE(InsertBottomRowMacro(window).ok());
        EXPECT_EQ(window.RowCount(), rows + 2);
    }
}

TEST(RowMacros, InsertsStopWhereTheReaderWouldRejectTheText)
{
    TFenster window;
    window.SetRowCount(MaxDescriptionCount - 1);
    ASSERT_TRUE(InsertBottomRowMacro(window).ok());
    ASSERT_EQ(window.RowCount(), MaxDescriptionCount);
    // A window of this many rows still reads back.
    ASSERT_TRUE(ReadDescription(Write(window)).ok());
    for (const auto macro : { InsertSillConnection, InsertBottomRowMacro }) {
        const MacroResult result = macro(window);
        EXPECT_EQ(result.refusal, std::optional<std::string>(kTooManyRowsToInsert));
        EXPECT_EQ(window.RowCount(), MaxDescriptionCount);
    }
}

TEST(SegmentArch, TurnsTheTopRowIntoAnArcThroughTheThreeHeights)
{
    struct Case {
        const char* name;
        std::string start;
        int left;
        int middle;
        int right;
        int width;
        std::string expected;
    } const cases[] = {
        // Both edges on the arc, the middle at the top.
        { "one-row window 1000 x 1000", "1000,1000,1,1000,1,1000,F;", 1000, 1200, 1000, 1000,
            "1200,1000,1,1200,1,1000,F,T:9,r:1200,e:1000,b:1000;" },
        // Centre (500, 475), radius 725: the arc is 1156 high a quarter in.
        // The right-hinged field is drawn reflected, so its edge heights change places.
        { "right-hinged field takes its edges the other way round", "1000,1000,1,1000,2,500,F;500,R,F;", 1000, 1200,
            1000, 1000, "1200,1000,1,1200,2,500,F,T:9,r:1156,e:1000,b:1200;500,R,F,T:9,r:1156,e:1000,b:1200;" },
        // Centre (538, 670), radius 631.14...: heights at x = 0, 200, 400, 700, 1000.
        { "uneven heights and a mirrored field", "1000,1000,1,1000,2,400,F;600,F,A;", 1000, 1300, 1100, 1000,
            "1300,1000,1,1300,2,400,F,T:9,r:1203,e:1000,b:1286;600,F,A,T:9,r:1280,e:1100,b:1286;" },
        // Only the top row changes; its values are measured from its lower edge at 720 mm.
        { "two rows", "1000,1000,2,600,1,1000,V;400,1,1000,L,F;", 1000, 1200, 1000, 1000,
            "1200,1000,2,720,1,1000,V;480,1,1000,L,F,T:9,r:480,e:280,b:280;" },
        // Centre (500, -300): the circumcentre's own example, scaled from 900 to 1000.
        { "wider than high", "900,1000,1,900,1,1000,F;", 900, 1000, 900, 1000,
            "1000,1000,1,1000,1,1000,F,T:9,r:1000,e:900,b:900;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        const MacroResult result = SegmentArch(*window, c.left, c.middle, c.right, c.width);
        EXPECT_TRUE(result.ok()) << result.refusal.value_or("");
        EXPECT_FALSE(result.selection.has_value());
        EXPECT_EQ(Write(*window), c.expected);
    }
}

// Three heights on one straight line have no arc; the window is left as it
// is, not even scaled to the new height.
TEST(SegmentArch, RefusesWithoutChangingTheWindow)
{
    struct Case {
        const char* name;
        std::string start;
        int left;
        int middle;
        int right;
        int width;
        const char* refusal;
    } const cases[] = {
        { "three equal heights", "1000,1000,1,1000,1,1000,F;", 1500, 1500, 1500, 1000, kSegmentArchOnStraightLine },
        { "the dialog's proposal", "1000,1000,1,1000,1,1000,F;", 1000, 1000, 1000, 1000, kSegmentArchOnStraightLine },
        { "a sloping line", "1000,1000,1,1000,2,500,F;500,F;", 1000, 1100, 1200, 1000, kSegmentArchOnStraightLine },
        { "a sloping line on the scaled width", "1000,1000,1,1000,1,1000,F;", 1000, 1100, 1200, 2000,
            kSegmentArchOnStraightLine },
        { "a window 0 mm high", "0,1000,1,0,1,1000,F;", 1000, 1200, 1000, 1000, kCannotScaleEmptyWindow },
        { "a new width of 0", "1000,1000,1,1000,1,1000,F;", 1000, 1200, 1000, 0, kNewSizeNotPositive },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        const std::int32_t height = window->height();
        const std::string before = Write(*window);
        const MacroResult result = SegmentArch(*window, c.left, c.middle, c.right, c.width);
        EXPECT_EQ(result.refusal, std::optional<std::string>(c.refusal));
        EXPECT_EQ(window->height(), height);
        EXPECT_EQ(Write(*window), before);
    }
}

} // namespace
} // namespace fenster
