#include "Macros.h"

#include "DescriptionTokens.h"
#include "IntegerText.h"
#include "Measures.h"
#include "PointGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace fenster {

namespace {

constexpr int kMaxRowsForRollerShutterBox = 10;
constexpr std::int32_t kRollerShutterBoxHeight = 200;
constexpr std::int32_t kSillConnectionHeight = 20;
constexpr std::int32_t kNewBottomRowHeight = 500;

MacroResult refused(const char* text)
{
    return MacroResult { std::string(text), std::nullopt };
}

MacroResult selected(Selection selection)
{
    return MacroResult { std::nullopt, selection };
}

// factor x mm, rounded to the nearest millimetre with halves to the even
// neighbour (the default rounding mode), clamped to the int32 range.
std::int32_t scaled(long double factor, std::int32_t mm)
{
    const long double value = std::nearbyintl(factor * static_cast<long double>(mm));
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<long double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<long double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

struct ScaleFactors {
    long double height = 1.0L;
    long double width = 1.0L;
};

// Why the window cannot be scaled to newHeight x newWidth, or none.
const char* scaleRefusal(const TFenster& window, std::int32_t newHeight, std::int32_t newWidth)
{
    if (OverallHeight(window) <= 0 || OverallWidth(window) <= 0)
        return kCannotScaleEmptyWindow;
    if (newHeight <= 0 || newWidth <= 0)
        return kNewSizeNotPositive;
    return nullptr;
}

ScaleFactors scaleFactors(const TFenster& window, std::int32_t newHeight, std::int32_t newWidth)
{
    return { static_cast<long double>(newHeight) / static_cast<long double>(OverallHeight(window)),
        static_cast<long double>(newWidth) / static_cast<long double>(OverallWidth(window)) };
}

// The overall width the window will have once its field widths are scaled
// by factor, without touching it.
std::int32_t scaledOverallWidth(const TFenster& window, long double factor)
{
    std::int32_t overall = 0;
    for (const TZeile* row = window.bottomRow(); row; row = row->next()) {
        std::int32_t sum = 0;
        for (const TFensterlement* field = row->leftmostField(); field; field = field->next())
            sum = SaturatingAdd(sum, scaled(factor, field->width()));
        overall = std::max(overall, sum);
    }
    return overall;
}

TZeile* topRow(TFenster& window)
{
    TZeile* row = window.bottomRow();
    while (row && row->next())
        row = row->next();
    return row;
}

// The new row of a row macro: its height, and its single field spanning the
// overall width that the window has with the row's default field in place
// (so a window narrower than that field grows to the field's width).
TFensterlement& fillNewRow(TFenster& window, TZeile& row, std::int32_t height)
{
    row.setHeight(height);
    TFensterlement* field = row.FirstField();
    field->setWidth(OverallWidth(window));
    return *field;
}

MacroResult insertBottomRow(TFenster& window, std::int32_t height, bool sillConnection)
{
    // The editor's reader rejects larger row counts; a window written with
    // more rows could not be loaded again.
    if (window.RowCount() >= MaxDescriptionCount)
        return refused(kTooManyRowsToInsert);
    TZeile* row = window.InsertBottomRow();
    TFensterlement& field = fillNewRow(window, *row, height);
    if (sillConnection)
        field.setSillConnection(true);
    PositionCursors(window, 1, 1);
    return selected({ 1, 1 });
}

} // namespace

MacroResult ScaleWindow(TFenster& window, std::int32_t newHeight, std::int32_t newWidth)
{
    if (const char* refusal = scaleRefusal(window, newHeight, newWidth))
        return refused(refusal);
    const ScaleFactors f = scaleFactors(window, newHeight, newWidth);
    window.setHeight(newHeight);
    window.setWidth(newWidth);
    for (TZeile* row = window.bottomRow(); row; row = row->next()) {
        row->setHeight(scaled(f.height, row->height()));
        for (TFensterlement* field = row->leftmostField(); field; field = field->next()) {
            field->setWidth(scaled(f.width, field->width()));
            field->setExtraHeight(scaled(f.height, field->extraHeight()));
            // Height 2 runs across the field, so it follows the width.
            field->setHeight2(scaled(f.width, field->height2()));
            field->setHeight1(scaled(f.height, field->height1()));
        }
    }
    return {};
}

MacroResult AddRollerShutterBox(TFenster& window)
{
    const int rows = window.RowCount();
    if (rows >= kMaxRowsForRollerShutterBox)
        return refused(kTooManyRowsForRollerShutterBox);
    window.SetRowCount(rows + 1);
    TZeile* row = topRow(window);
    fillNewRow(window, *row, kRollerShutterBoxHeight).setRollerShutterBox(true);
    PositionCursors(window, rows + 1, 1);
    return selected({ rows + 1, 1 });
}

MacroResult InsertSillConnection(TFenster& window)
{
    return insertBottomRow(window, kSillConnectionHeight, true);
}

MacroResult InsertBottomRowMacro(TFenster& window)
{
    return insertBottomRow(window, kNewBottomRowHeight, false);
}

MacroResult SegmentArch(TFenster& window, int left, int middle, int right, int width)
{
    const std::int32_t newHeight = std::max({ left, middle, right });
    if (const char* refusal = scaleRefusal(window, newHeight, width))
        return refused(refusal);
    // The arc's three points lie on the window's edges and its middle once
    // it is scaled; whether they have a circle is settled before anything
    // changes.
    const auto points = [&](std::int32_t overallWidth) {
        return std::array<MmPoint, 3> { MmPoint { 0, left }, MmPoint { div(overallWidth, 2), middle },
            MmPoint { overallWidth, right } };
    };
    {
        const auto [a, b, c] = points(scaledOverallWidth(window, scaleFactors(window, newHeight, width).width));
        if (!HasCircumcentre(a, b, c))
            return refused(kSegmentArchOnStraightLine);
    }
    ScaleWindow(window, newHeight, width);

    const auto [a, b, c] = points(OverallWidth(window));
    const MmPoint centre = Circumcentre(a, b, c);
    const double radius = PointDistance(c, centre);
    TZeile* row = topRow(window);
    if (!row)
        return {};
    const double lowerEdge = double(OverallHeight(window)) - double(row->height());
    // The arc's height above the row's lower edge at x. A position beyond
    // the circle's reach (only by the rounding of the centre) counts as level
    // with the centre.
    const auto arc = [&](double x) {
        const double dx = double(centre.x) - x;
        return rnd(std::sqrt(std::max(0.0, radius * radius - dx * dx)) + double(centre.y) - lowerEdge);
    };
    double x = 0;
    for (TFensterlement* field = row->leftmostField(); field; field = field->next()) {
        field->setExtraHeight(arc(x));
        field->setHeight1(arc(x + div(field->width(), 2)));
        x += field->width();
        field->setHeight2(arc(x));
        // The drawing reflects a right-hinged segment-arch field about its
        // centre line; its edge heights change places so that the arc stays.
        if (field->rightHinged() || field->mirrored()) {
            const std::int32_t leftEdge = field->extraHeight();
            field->setExtraHeight(field->height2());
            field->setHeight2(leftEdge);
        }
        field->SetBaseType(BaseSegmentbogen);
    }
    return {};
}

} // namespace fenster
