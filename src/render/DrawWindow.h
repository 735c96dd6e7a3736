#pragma once

#include "Engine.h"
#include "Geometry.h"

#include <optional>
#include <string_view>

namespace fenster {

// mm between the canvas bottom and the window's bottom edge: 5, and room
// for four text heights more when edge dimensions are drawn.
int BottomOffsetMm(EdgeDimensions edgeDimensions, int textHeight, double scale);

// The field corner (row heights, not own heights; empty fields count) that
// lies nearest to query, both in mm from the window's bottom-left corner;
// on equal distances the corner found first. nullopt when the description
// has no field. Shares nothing with the last drawing but the reader rules;
// throws DataFileError when a field width is not a number.
std::optional<MmPoint> NearestFieldCorner(MmPoint query, std::string_view description);

} // namespace fenster
