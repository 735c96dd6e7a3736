#include "Window.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace fenster {
namespace {

TEST(WindowModel, NewWindowHoldsOneDefaultRowWithOneDefaultField)
{
    TFenster window;
    EXPECT_EQ(window.height(), 1000);
    EXPECT_EQ(window.width(), 500);
    ASSERT_EQ(window.RowCount(), 1);
    TZeile* row = window.CurrentRow();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row, window.bottomRow());
    EXPECT_EQ(row->height(), 1000);
    EXPECT_EQ(row->next(), nullptr);
    ASSERT_EQ(row->FieldCount(), 1);
    const TFensterlement* field = row->CurrentField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field, row->leftmostField());
    EXPECT_EQ(field->width(), 500);
    EXPECT_FALSE(field->fixedGlazing());
    EXPECT_EQ(field->baseType(), BaseRechteck);
    for (OpeningFlag flag : {OpeningFlag::LeftHinged, OpeningFlag::RightHinged, OpeningFlag::Tiltable,
             OpeningFlag::Swinging, OpeningFlag::Sliding, OpeningFlag::Handle})
        EXPECT_FALSE(field->openingFlag(flag));
    EXPECT_FALSE(field->mirrored() || field->rollerShutterBox() || field->sillConnection()
        || field->opensOutward() || field->insectScreen() || field->pleatedBlind());
    EXPECT_EQ(field->verticalMuntins() | field->horizontalMuntins() | field->extraHeight()
            | field->height1() | field->height2(),
        0);
    EXPECT_EQ(OverallHeight(window), 1000);
    EXPECT_EQ(OverallWidth(window), 500);
}

TEST(WindowModel, GrowingRowsKeepsTheExistingOnesAndEndsOnTheTopRow)
{
    TFenster window;
    window.CurrentRow()->setHeight(700);
    window.CurrentRow()->CurrentField()->setWidth(900);
    window.SetRowCount(3);
    ASSERT_EQ(window.RowCount(), 3);
    const TZeile* bottom = window.bottomRow();
    EXPECT_EQ(bottom->height(), 700);
    EXPECT_EQ(bottom->leftmostField()->width(), 900);
    const TZeile* top = bottom->next()->next();
    EXPECT_EQ(window.CurrentRow(), top);
    for (const TZeile* added : {static_cast<const TZeile*>(bottom->next()), top}) {
        EXPECT_EQ(added->height(), 1000);
        EXPECT_EQ(added->FieldCount(), 1);
        EXPECT_EQ(added->leftmostField()->width(), 500);
    }
    EXPECT_EQ(OverallHeight(window), 2700);
}

TEST(WindowModel, ShrinkingRowsRemovesFromTheTop)
{
    TFenster window;
    window.SetRowCount(4);
    window.FirstRow()->setHeight(111);
    window.NextRow()->setHeight(222);
    window.SetRowCount(2);
    ASSERT_EQ(window.RowCount(), 2);
    EXPECT_EQ(window.bottomRow()->height(), 111);
    EXPECT_EQ(window.CurrentRow(), window.bottomRow()->next());
    EXPECT_EQ(window.CurrentRow()->height(), 222);
    EXPECT_EQ(window.CurrentRow()->next(), nullptr);
}

TEST(WindowModel, ShrinkingFieldsKeepsTheLeftmostWithItsValues)
{
    TZeile row;
    row.SetFieldCount(3);
    TFensterlement* left = row.FirstField();
    left->setWidth(321);
    left->setTiltable(true);
    left->SetBaseType(BaseTuer);
    row.SetFieldCount(1);
    ASSERT_EQ(row.FieldCount(), 1);
    EXPECT_EQ(row.CurrentField(), left);
    EXPECT_EQ(left->next(), nullptr);
    EXPECT_EQ(left->width(), 321);
    EXPECT_TRUE(left->tiltable());
    EXPECT_EQ(left->baseType(), BaseTuer);
}

TEST(WindowModel, ACountBelowOneEmptiesTheListAndItStaysUsable)
{
    for (int n : {0, -1, INT_MIN}) {
        TFenster window;
        window.SetRowCount(n);
        EXPECT_EQ(window.RowCount(), 0);
        EXPECT_EQ(window.CurrentRow(), nullptr);
        EXPECT_EQ(window.FirstRow(), nullptr);
        EXPECT_EQ(window.NextRow(), nullptr);
        window.RemoveLastRow();
        PositionCursors(window, 1, 1);
        EXPECT_EQ(OverallHeight(window), 0);
        EXPECT_EQ(OverallWidth(window), 0);
        TZeile* row = window.AppendRow();
        EXPECT_EQ(window.RowCount(), 1);
        EXPECT_EQ(window.CurrentRow(), row);

        row->SetFieldCount(n);
        EXPECT_EQ(row->FieldCount(), 0);
        EXPECT_EQ(row->CurrentField(), nullptr);
        EXPECT_EQ(row->FirstField(), nullptr);
        EXPECT_EQ(row->NextField(), nullptr);
        row->RemoveLastField();
        EXPECT_NE(row->AppendField(), nullptr);
        EXPECT_EQ(row->FieldCount(), 1);
    }
}

TEST(WindowModel, InsertBottomRowGoesBelowAllOthers)
{
    TFenster window;
    TZeile* former = window.bottomRow();
    former->setHeight(200);
    TZeile* inserted = window.InsertBottomRow();
    EXPECT_EQ(window.RowCount(), 2);
    EXPECT_EQ(window.bottomRow(), inserted);
    EXPECT_EQ(window.CurrentRow(), inserted);
    EXPECT_EQ(inserted->next(), former);
    EXPECT_EQ(inserted->height(), 1000);
    EXPECT_EQ(former->height(), 200);
}

TEST(WindowModel, CursorsStopAtTheEnds)
{
    TFenster window;
    window.SetRowCount(2);
    TZeile* top = window.CurrentRow();
    EXPECT_EQ(window.NextRow(), top);
    EXPECT_EQ(window.NextRow(), top);

    top->SetFieldCount(2);
    TFensterlement* first = top->FirstField();
    EXPECT_EQ(top->NextField(), first->next());
    EXPECT_EQ(top->NextField(), nullptr);
    EXPECT_EQ(top->NextField(), nullptr);
    // Appending after iteration ran off the end still goes to the right end.
    TFensterlement* appended = top->AppendField();
    EXPECT_EQ(first->next()->next(), appended);
}

TEST(WindowModel, PositioningFollowsTheSelection)
{
    TFenster window;
    window.SetRowCount(3);
    window.bottomRow()->next()->SetFieldCount(4);
    struct Case {
        int row, field;
        int expectedRow;      // 1-based, along the list
        int expectedField;    // 1-based, 0 = none
    };
    const Case cases[] = {
        {1, 1, 1, 1}, {2, 3, 2, 3}, {2, 4, 2, 4}, {2, 5, 2, 0}, {9, 1, 3, 1}, {3, 2, 3, 0},
    };
    for (const Case& c : cases) {
        PositionCursors(window, c.row, c.field);
        const TZeile* row = window.bottomRow();
        for (int i = 1; i < c.expectedRow; ++i)
            row = row->next();
        EXPECT_EQ(window.CurrentRow(), row) << c.row << "/" << c.field;
        const TFensterlement* field = nullptr;
        if (c.expectedField > 0) {
            field = row->leftmostField();
            for (int j = 1; j < c.expectedField; ++j)
                field = field->next();
        }
        EXPECT_EQ(window.CurrentRow()->CurrentField(), field) << c.row << "/" << c.field;
    }
}

TEST(FieldValues, BaseTypeTakesOnlyStorableCodes)
{
    struct Case {
        std::int32_t code;
        bool stored;
    };
    const Case cases[] = {{0, true}, {5, true}, {7, true}, {8, false}, {9, true},
        {10, true}, {11, false}, {-1, false}, {INT32_MAX, false}};
    for (const Case& c : cases) {
        TFensterlement field;
        field.SetBaseType(BaseEcke);
        field.SetBaseType(c.code);
        EXPECT_EQ(field.baseType(), c.stored ? c.code : BaseEcke) << c.code;
    }
}

TEST(FieldValues, FixedGlazingFreezesTheOpeningFlags)
{
    for (OpeningFlag flag : {OpeningFlag::LeftHinged, OpeningFlag::RightHinged, OpeningFlag::Tiltable,
             OpeningFlag::Swinging, OpeningFlag::Sliding, OpeningFlag::Handle}) {
        TFensterlement field;
        field.SetOpeningFlag(flag, true);
        field.setFixedGlazing(true);
        field.SetOpeningFlag(flag, false);
        EXPECT_TRUE(field.openingFlag(flag)) << int(flag);
        field.setMirrored(true);
        EXPECT_TRUE(field.mirrored()) << "mirrored stays changeable";
        field.setFixedGlazing(false);
        EXPECT_TRUE(field.openingFlag(flag)) << "comes back with the sash";
        field.SetOpeningFlag(flag, false);
        EXPECT_FALSE(field.openingFlag(flag));
        field.setFixedGlazing(true);
        field.SetOpeningFlag(flag, true);
        EXPECT_FALSE(field.openingFlag(flag));
    }
    TFensterlement field;
    field.setFixedGlazing(true);
    field.setTiltable(true);
    field.setHandle(true);
    field.setFixedGlazing(false);
    EXPECT_FALSE(field.tiltable());
    EXPECT_FALSE(field.handle());
}

TEST(FieldValues, NegativeMuntinCountsAreIgnored)
{
    TFensterlement field;
    field.setVerticalMuntins(3);
    field.setHorizontalMuntins(100);
    field.setVerticalMuntins(-2);
    field.setHorizontalMuntins(-1);
    EXPECT_EQ(field.verticalMuntins(), 3);
    EXPECT_EQ(field.horizontalMuntins(), 100);
    field.setVerticalMuntins(0);
    EXPECT_EQ(field.verticalMuntins(), 0);
}

// Builds a window from rows of field widths and row heights.
struct RowPlan {
    std::int32_t height;
    std::vector<std::int32_t> widths;
    std::int32_t extraHeight = 0;  // given to the first field
};

std::unique_ptr<TFenster> windowOf(const std::vector<RowPlan>& rows)
{
    auto window = std::make_unique<TFenster>();
    window->SetRowCount(int(rows.size()));
    TZeile* row = window->FirstRow();
    for (const RowPlan& plan : rows) {
        row->setHeight(plan.height);
        row->SetFieldCount(int(plan.widths.size()));
        TFensterlement* field = row->FirstField();
        field->setExtraHeight(plan.extraHeight);
        for (std::int32_t width : plan.widths) {
            field->setWidth(width);
            field = row->NextField();
        }
        row = window->NextRow();
    }
    return window;
}

TEST(OverallSize, FollowsRowsAndFields)
{
    struct Case {
        const char* name;
        std::vector<RowPlan> rows;
        std::int32_t height, width;
    };
    const Case cases[] = {
        {"widest row wins", {{1000, {1000, 500}}, {200, {1200}}}, 1200, 1500},
        {"door taller than its row", {{1000, {1000}, 2000}}, 2000, 1000},
        {"extra height below the sum", {{1000, {500}, 300}, {500, {500}}}, 1500, 500},
        {"negative top row keeps the taller running sum", {{1000, {500}}, {-400, {500}}}, 1000, 500},
        {"heights saturate", {{INT32_MAX, {1}}, {INT32_MAX, {1}}}, INT32_MAX, 1},
        {"widths saturate", {{1, {INT32_MAX, INT32_MAX, 5}}}, 1, INT32_MAX},
        {"all negative gives 0", {{-5, {-7}}}, 0, 0},
    };
    for (const Case& c : cases) {
        const auto window = windowOf(c.rows);
        EXPECT_EQ(OverallHeight(*window), c.height) << c.name;
        EXPECT_EQ(OverallWidth(*window), c.width) << c.name;
    }
}

TEST(WindowModel, LongListsAreDestroyedWithoutDeepRecursion)
{
    auto row = std::make_unique<TZeile>();
    row->SetFieldCount(300000);
    EXPECT_EQ(row->FieldCount(), 300000);
    row.reset();

    auto window = std::make_unique<TFenster>();
    window->SetRowCount(100000);
    EXPECT_EQ(window->RowCount(), 100000);
    window.reset();
}

} // namespace
} // namespace fenster
