#include "IntegerText.h"

namespace fenster {

namespace {
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
}

std::optional<std::int32_t> StrictToInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative number so that INT32_MIN fits.
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return std::nullopt;
    return std::int32_t(value);
}

std::int32_t LeadingDigitsToInt(std::string_view text)
{
    std::int64_t value = 0;
    for (char c : text) {
        if (!isDigit(c))
            break;
        value = value * 10 + (c - '0');
        if (value >= INT32_MAX)
            return INT32_MAX;
    }
    return std::int32_t(value);
}

} // namespace fenster
