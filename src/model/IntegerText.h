#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fenster {

// The two integer conversions that the description readers and the
// annotation lists share. Both are locale-free and never throw.

// Strict conversion: optional leading blanks, an optional sign, then one or
// more decimal digits and nothing else. Anything else (empty, trailing blank
// or line break, letters, a value outside the 32-bit range) gives nullopt.
std::optional<std::int32_t> StrictToInt(std::string_view text);

// The value of the leading decimal digits of text, 0 when it starts with
// something else. Never overflows: a longer number saturates at INT32_MAX.
// The drawing engine uses this for every number but a field width.
std::int32_t LeadingDigitsToInt(std::string_view text);

// Saturating sum, so that adding up sizes from outside data never overflows.
constexpr std::int32_t SaturatingAdd(std::int32_t a, std::int32_t b)
{
    const std::int64_t sum = std::int64_t(a) + std::int64_t(b);
    if (sum > INT32_MAX)
        return INT32_MAX;
    if (sum < INT32_MIN)
        return INT32_MIN;
    return std::int32_t(sum);
}

} // namespace fenster
