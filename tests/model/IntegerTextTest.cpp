#include "IntegerText.h"

#include <gtest/gtest.h>

using namespace fenster;

TEST(StrictToInt, AcceptsBlanksSignAndDigitsOnly)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        { "1000", 1000 },
        { "  42", 42 },
        { "-2", -2 },
        { "+7", 7 },
        { "2147483647", 2147483647 },
        { "-2147483648", INT32_MIN },
        { "2147483648", std::nullopt },
        { "99999999999999999999", std::nullopt },
        { "", std::nullopt },
        { " ", std::nullopt },
        { "-", std::nullopt },
        { "12 ", std::nullopt },
        { "12\r\n", std::nullopt },
        { "F;", std::nullopt },
        { "1e3", std::nullopt },
        { "$10", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrictToInt(c.text), c.expected) << "text: '" << c.text << "'";
}

TEST(LeadingDigitsToInt, TakesLeadingDigitsAndSaturates)
{
    EXPECT_EQ(LeadingDigitsToInt("12ab"), 12);
    EXPECT_EQ(LeadingDigitsToInt("ab12"), 0);
    EXPECT_EQ(LeadingDigitsToInt(""), 0);
    EXPECT_EQ(LeadingDigitsToInt("99999999999999999999999"), INT32_MAX);
}

TEST(SaturatingAdd, NeverOverflows)
{
    EXPECT_EQ(SaturatingAdd(INT32_MAX, 1), INT32_MAX);
    EXPECT_EQ(SaturatingAdd(INT32_MIN, -1), INT32_MIN);
    EXPECT_EQ(SaturatingAdd(1000, 200), 1200);
}
