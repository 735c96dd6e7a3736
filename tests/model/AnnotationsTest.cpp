#include "Annotations.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace fenster {
namespace {

// --- Record walk -------------------------------------------------------------

TEST(AnnotationRecordSpans, SymbolListSkipsLeadingWhiteSpaceDimensionListDoesNot)
{
    const std::string list = "\r\nB:a,1,2,10,1;\r\nB:b,1,2,10,1;  ";
    const auto symbols = RecordSpans(list, AnnotationList::Symbols);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0], (RecordSpan { 2, 15 }));
    EXPECT_EQ(list.substr(symbols[1].begin, symbols[1].end - symbols[1].begin), "B:b,1,2,10,1;");

    const auto lines = RecordSpans(list, AnnotationList::DimensionLines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].begin, 0u);
}

TEST(AnnotationRecordSpans, BlankListHasNoRecordsAndUnterminatedRecordRunsToTheEnd)
{
    EXPECT_TRUE(RecordSpans(" \r\n\t ", AnnotationList::DimensionLines).empty());
    EXPECT_TRUE(RecordSpans("", AnnotationList::Symbols).empty());
    const auto spans = RecordSpans("M:1,2,3,4,5,6;M:1,2", AnnotationList::DimensionLines);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[1], (RecordSpan { 14, 19 }));
}

// --- Dimension line records --------------------------------------------------

TEST(DimensionListReading, ReadsEveryRecordWithWhiteSpaceBetween)
{
    const auto reading = ReadDimensionList("M:0,0,500,0,100,0;\r\nM:-5,7,0,800,0,-150;\n\n");
    EXPECT_FALSE(reading.error);
    ASSERT_EQ(reading.records.size(), 2u);
    EXPECT_EQ(reading.records[0], (DimensionRecord { 0, 0, 500, 0, 100, 0 }));
    EXPECT_EQ(reading.records[1], (DimensionRecord { -5, 7, 0, 800, 0, -150 }));
}

TEST(DimensionListReading, TagIsNotRead)
{
    const auto reading = ReadDimensionList("XY1,2,3,4,5,6;");
    ASSERT_EQ(reading.records.size(), 1u);
    EXPECT_EQ(reading.records[0], (DimensionRecord { 1, 2, 3, 4, 5, 6 }));
}

TEST(DimensionListReading, BadRecordsStopTheListAndKeepTheOnesBefore)
{
    struct Case {
        const char* name;
        const char* list;
        std::size_t recordsBefore;
        int failingRecord;
        const char* reasonPart;
    };
    const Case cases[] = {
        { "letter in a field", "M:1,2,3,4,5,6;\nM:1,x,3,4,5,6;\nM:1,2,3,4,5,6;", 1, 2,
            "''x'' ist kein gültiger Integer-Wert" },
        { "missing final semicolon", "M:1,2,3,4,5,6", 0, 1, "\";\"" },
        { "too few fields", "M:1,2,3,4,5;", 0, 1, "fehlen Felder" },
        { "seventh field", "M:1,2,3,4,5,6,7;", 0, 1, "''6,7''" },
        { "leading line break takes the tag's place", "\r\nM:1,2,3,4,5,6;", 0, 1, "''M:1''" },
        { "number beyond 32 bits", "M:1,2,3,4,5,6;M:9999999999,2,3,4,5,6;", 1, 2, "''9999999999''" },
        { "decimal point", "M:1.5,2,3,4,5,6;", 0, 1, "''1.5''" },
        { "record of two characters", "M:1,2,3,4,5,6; M;", 1, 2, "fehlen Felder" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto reading = ReadDimensionList(c.list);
        EXPECT_EQ(reading.records.size(), c.recordsBefore);
        ASSERT_TRUE(reading.error);
        EXPECT_EQ(reading.error->record, c.failingRecord);
        EXPECT_NE(reading.error->message.find("Maßlinienliste, Eintrag " + std::to_string(c.failingRecord)),
            std::string::npos)
            << reading.error->message;
        EXPECT_NE(reading.error->message.find(c.reasonPart), std::string::npos) << reading.error->message;
    }
}

TEST(DimensionListReading, ErrorMessageShowsTheRecordOnOneLineAndCutsLongOnes)
{
    const auto reading = ReadDimensionList("\r\nM:1,2,3,4,5,6;");
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(reading.error->message.find('\n'), std::string::npos);
    EXPECT_EQ(reading.error->message.find('\r'), std::string::npos);

    const std::string longRecord = "M:" + std::string(500, '7') + ",2,3,4,5,6;";
    const auto longReading = ReadDimensionList(longRecord);
    ASSERT_TRUE(longReading.error);
    EXPECT_LT(longReading.error->message.size(), 250u);
}

// --- Symbol records ----------------------------------------------------------

TEST(SymbolListReading, ReadsNameCentreSizeAndScaleWithEitherSeparator)
{
    const auto reading = ReadSymbolList("  B:Tür links.bmp,-120,340,15,0,5;\nB:pfeil.png,0,0,10,1.25;\nB:x.bmp,1,2,3,2;");
    EXPECT_FALSE(reading.error);
    ASSERT_EQ(reading.records.size(), 3u);
    EXPECT_EQ(reading.records[0], (SymbolRecord { "Tür links.bmp", -120, 340, 15, 0.5 }));
    EXPECT_EQ(reading.records[1].placementScale, 1.25);
    EXPECT_EQ(reading.records[2].placementScale, 2.0);
}

TEST(SymbolListReading, BadRecordsReportNumberAndReason)
{
    struct Case {
        const char* name;
        const char* list;
        std::size_t recordsBefore;
        const char* reasonPart;
    };
    const Case cases[] = {
        { "zero placement scale", "B:a,1,2,10,1;B:b,1,2,10,0;", 1, "nicht größer als 0" },
        { "negative placement scale", "B:b,1,2,10,-0,5;", 0, "nicht größer als 0" },
        { "grouping separator", "B:b,1,2,10,1.234,5;", 0, "kein gültiger Gleitkommawert" },
        { "empty scale", "B:b,1,2,10,;", 0, "kein gültiger Gleitkommawert" },
        { "size not a number", "B:b,1,2,zehn,1;", 0, "''zehn''" },
        { "no semicolon", "B:b,1,2,10,1", 0, "\";\"" },
        { "name without fields", "B:bild.bmp;", 0, "fehlen Felder" },
        { "infinity", "B:b,1,2,10,inf;", 0, "Gleitkommawert" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto reading = ReadSymbolList(c.list);
        EXPECT_EQ(reading.records.size(), c.recordsBefore);
        ASSERT_TRUE(reading.error);
        EXPECT_EQ(reading.error->record, int(c.recordsBefore) + 1);
        EXPECT_NE(reading.error->message.find("Symbolliste, Eintrag"), std::string::npos);
        EXPECT_NE(reading.error->message.find(c.reasonPart), std::string::npos) << reading.error->message;
    }
}

// --- Placement scale text ----------------------------------------------------

TEST(PlacementScale, ParsesEitherSeparatorAndRejectsEverythingElse)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        { "0,5", 0.5 },
        { "0.5", 0.5 },
        { " 2 ", 2.0 },
        { "1E-5", 1e-5 },
        { "1,5E20", 1.5e20 },
        { "-3", -3.0 },
        { ",5", 0.5 },
        { "1,234.5", std::nullopt },
        { "1.234,5", std::nullopt },
        { "", std::nullopt },
        { ",", std::nullopt },
        { "1E", std::nullopt },
        { "nan", std::nullopt },
        { "1e400", std::nullopt },
        { "0x10", std::nullopt },
        { "1 000", std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePlacementScale(c.text), c.value);
    }
}

TEST(PlacementScale, WritesGeneralFormatWithTheLocaleSeparatorAndReadsBack)
{
    struct Case {
        double value;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        { 0.5, ',', "0,5" },
        { 0.5, '.', "0.5" },
        { 2.0, ',', "2" },
        { 0.123456789012345678, ',', "0,123456789012346" },
        { 1e-5, '.', "1E-5" },
        { 1.5e20, ',', "1,5E20" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string text = FormatPlacementScale(c.value, c.separator);
        EXPECT_EQ(text, c.text);
        const auto back = ParsePlacementScale(text);
        ASSERT_TRUE(back);
        EXPECT_NEAR(*back, c.value, c.value * 1e-14);
    }
}

// --- Writers -----------------------------------------------------------------

TEST(SymbolWriters, AppendWritesTheRecordAsANewLineKeepingTheListsLineBreak)
{
    struct Case {
        const char* list;
        const char* expected;
    };
    const Case cases[] = {
        { "", "B:tuer.bmp,-20,300,10,0,75;" },
        { "B:a,1,2,10,1;", "B:a,1,2,10,1;\nB:tuer.bmp,-20,300,10,0,75;" },
        { "B:a,1,2,10,1;\r\nB:b,1,2,10,1;", "B:a,1,2,10,1;\r\nB:b,1,2,10,1;\r\nB:tuer.bmp,-20,300,10,0,75;" },
        { "B:a,1,2,10,1;\n", "B:a,1,2,10,1;\nB:tuer.bmp,-20,300,10,0,75;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(AppendSymbolRecord(c.list, "tuer.bmp", -20, 300, 0.75, ','), c.expected);
    }
    const std::string written = AppendSymbolRecord("", "x.bmp", 1, 2, 0.123456789, '.');
    const auto reading = ReadSymbolList(written);
    ASSERT_EQ(reading.records.size(), 1u);
    EXPECT_EQ(reading.records[0], (SymbolRecord { "x.bmp", 1, 2, 10, 0.123456789 }));
}

TEST(SymbolWriters, GrowAndShrinkChangeOnlyTheSizeField)
{
    struct Case {
        const char* name;
        bool grow;
        int index;
        const char* list;
        const char* expected;
    };
    const Case cases[] = {
        { "grow keeps the decimal comma", true, 0, "B:a,1,2,10,0,5;", "B:a,1,2,11,0,5;" },
        { "grow the second record only", true, 1, "B:a,1,2,10,1;\r\n  B:b,-3,4,9,0.25;\r\nB:c,1,2,10,1;",
            "B:a,1,2,10,1;\r\n  B:b,-3,4,10,0.25;\r\nB:c,1,2,10,1;" },
        { "shrink", false, 0, "B:a,1,2,10,0,5;", "B:a,1,2,9,0,5;" },
        { "shrink size 1 stays 1", false, 0, "B:a,1,2,1,0,5;", "B:a,1,2,1,0,5;" },
        { "shrink a negative size to 1", false, 0, "B:a,1,2,-4,1;", "B:a,1,2,1,1;" },
        { "grow saturates", true, 0, "B:a,1,2,2147483647,1;", "B:a,1,2,2147483647,1;" },
        { "written size loses its blanks only", true, 0, "B:a,1,2, 10,2E-1 ;", "B:a,1,2,11,2E-1 ;" },
        { "commas in the tag are not counted", true, 0, ",,a,1,2,3,1;", ",,a,1,2,4,1;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ListRewrite r = c.grow ? GrowSymbol(c.list, c.index) : ShrinkSymbol(c.list, c.index);
        EXPECT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.list, c.expected);
    }
}

TEST(SymbolWriters, GrowOfAMissingOrBadRecordChangesNothingAndSaysWhy)
{
    struct Case {
        int index;
        const char* list;
        const char* reasonPart;
    };
    const Case cases[] = {
        { 2, "B:a,1,2,10,1;B:b,1,2,10,1;", "keinen Eintrag 3" },
        { -1, "B:a,1,2,10,1;", "keinen Eintrag" },
        { 0, "B:a,1,zwei,10,1;", "''zwei''" },
        { 0, "", "keinen Eintrag 1" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        for (bool grow : { true, false }) {
            const ListRewrite r = grow ? GrowSymbol(c.list, c.index) : ShrinkSymbol(c.list, c.index);
            EXPECT_FALSE(r.ok());
            EXPECT_EQ(r.list, c.list);
            EXPECT_NE(r.error.find(c.reasonPart), std::string::npos) << r.error;
        }
    }
}

TEST(DimensionWriters, AppendOnlyWhenAnOffsetIsSet)
{
    EXPECT_EQ(AppendDimensionRecord("", { 0, 0, 500, 0, 100, 0 }), "M:0,0,500,0,100,0;");
    EXPECT_EQ(AppendDimensionRecord("M:1,2,3,4,5,6;", { -1, -2, 3, 4, 0, -7 }), "M:1,2,3,4,5,6;\nM:-1,-2,3,4,0,-7;");
    EXPECT_EQ(AppendDimensionRecord("M:1,2,3,4,5,6;", { 1, 2, 3, 4, 0, 0 }), "M:1,2,3,4,5,6;");
}

TEST(DimensionWriters, SetLengthsMovesTheSecondPointOnTheSideItLay)
{
    struct Case {
        const char* name;
        const char* list;
        int number;
        int horizontal;
        int vertical;
        const char* expected;
    };
    const Case cases[] = {
        { "right of the first point", "M:100,0,400,0,50,0;", 1, 250, 999, "M:100,0,350,0,50,0;" },
        { "left of the first point", "M:100,0,-400,0,50,0;", 1, 250, 999, "M:100,0,-150,0,50,0;" },
        { "vertical only when dx set", "M:0,500,7,100,0,-20;", 1, 999, 300, "M:0,500,7,200,0,-20;" },
        { "both", "M:0,0,10,10,5,5;", 1, 40, 60, "M:0,0,40,60,5,5;" },
        { "second record in place, others untouched", "M:1,1,2,2,3,3;\r\n  X:0,0,5,5,1,1;\r\nM:9;", 2, 7, 8,
            "M:1,1,2,2,3,3;\r\n  M:0,0,7,8,1,1;\r\nM:9;" },
        { "saturates", "M:2147483000,0,2147483600,0,5,0;", 1, 1000, 0, "M:2147483000,0,2147483647,0,5,0;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ListRewrite r = SetDimensionLengths(c.list, c.number, c.horizontal, c.vertical);
        EXPECT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.list, c.expected);
    }
}

TEST(DimensionWriters, SetLengthsOfAMissingOrBadRecordChangesNothing)
{
    const char* lists[] = { "M:1,2,3,4,5,6;", "M:1,2,x,4,5,6;", "" };
    const int numbers[] = { 2, 1, 1 };
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(lists[i]);
        const ListRewrite r = SetDimensionLengths(lists[i], numbers[i], 10, 10);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.list, lists[i]);
    }
    EXPECT_FALSE(SetDimensionLengths("M:1,2,3,4,5,6;", 0, 1, 1).ok());
}

TEST(DimensionWriters, ReadSingleRecordIgnoresBadRecordsBeforeIt)
{
    const auto reading = ReadDimensionRecord("M:bad;\nM:1,2,3,4,5,6;", 2);
    ASSERT_TRUE(reading.value);
    EXPECT_EQ(*reading.value, (DimensionRecord { 1, 2, 3, 4, 5, 6 }));
    EXPECT_FALSE(ReadDimensionRecord("M:bad;\nM:1,2,3,4,5,6;", 1).value);
}

} // namespace
} // namespace fenster
