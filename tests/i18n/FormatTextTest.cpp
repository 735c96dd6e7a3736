#include "FormatText.h"
#include "QtPrinting.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace fenster {
namespace {

TEST(FormatText, FillsSpecifiers)
{
    struct Case {
        const char* format;
        FormatArgs arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"Fenstergröße: %d x %d mm", {1200, 800}, "Fenstergröße: 1200 x 800 mm"},
        {"%5d|", {42}, "   42|"},
        {"%-5d|", {42}, "42   |"},
        {"%.4d", {-7}, "-0007"},
        {"%x", {255}, "FF"},
        {"%u", {-1}, "4294967295"},
        {"%d", {qint64(INT64_MIN)}, "-9223372036854775808"},
        {"'%s' ist kein gültiger Integer-Wert", {"12a"}, "'12a' ist kein gültiger Integer-Wert"},
        {"%.2s", {"abc"}, "ab"},
        {"100%%", {}, "100%"},
        {"%1:d vor %0:d", {1, 2}, "2 vor 1"},
        {"%1:d %d", {1, 2, 3}, "2 3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(QString::fromUtf8(c.format), c.arguments), QString::fromUtf8(c.expected))
            << c.format;
}

TEST(FormatText, BadSpecifiersStayAsWritten)
{
    struct Case {
        const char* format;
        FormatArgs arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"%d und %d", {1}, "1 und %d"}, // argument missing
        {"%d", {"Text"}, "%d"}, // text for an integer
        {"%s", {5}, "%s"}, // integer for a text
        {"%d", {1.5}, "%d"}, // real for an integer
        {"%q", {1}, "%q"}, // unknown type
        {"Ende %", {1}, "Ende %"}, // cut off
        {"%.d", {1}, "%.d"}, // precision without digits
        {"%99999d", {1}, "%99999d"}, // absurd width
        {"%99999:d", {1}, "%99999:d"}, // absurd index
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatText(QString::fromUtf8(c.format), c.arguments), QString::fromUtf8(c.expected))
            << c.format;
}

TEST(FormatText, RealsUseFixedAndGeneralForms)
{
    EXPECT_EQ(FormatText(QStringLiteral("%.1f"), {2.26}), QLocale().toString(2.3, 'f', 1));
    EXPECT_EQ(FormatText(QStringLiteral("%f"), {3}), QLocale().toString(3.0, 'f', 2));
}

TEST(FormatSpecifiersCompatible, ComparesArgumentsAndKinds)
{
    struct Case {
        const char* source;
        const char* translated;
        bool compatible;
    };
    const Case cases[] = {
        {"Höhe %d von %d", "Height %d of %d", true},
        {"Höhe %d von %d", "%1:d. of %0:d", true}, // reordered, same arguments
        {"Höhe %d von %d", "Height %d", false}, // fewer
        {"%d. Teilhöhe", "%d. %d", false}, // more
        {"%d. Teilhöhe", "%s. height", false}, // other kind
        {"%d", "%5.3d", true}, // width and precision do not matter
        {"%d", "%x", true}, // both integers
        {"%d", "%q", false}, // malformed
        {"kein Argument", "no argument 100%%", true},
        {"%d %d", "%0:d %0:d", false}, // same argument twice
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSpecifiersCompatible(QString::fromUtf8(c.source), QString::fromUtf8(c.translated)),
            c.compatible)
            << c.source << " / " << c.translated;
}

} // namespace
} // namespace fenster
