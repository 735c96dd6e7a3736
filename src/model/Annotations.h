#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fenster {

// The two annotation lists that travel with a window: the symbol list
// ("B:" records, picture symbols) and the dimension line list ("M:" records,
// free dimension lines). Each is a plain text of records, each record ended
// by ";", any white space between records. Coordinates are whole millimetres
// relative to the annotation origin, x to the right, y upward.
//
// Every record starts with a two-character tag that is skipped unread. The
// first record of a dimension line list must start at the first character of
// the text (leading white space becomes its tag); the symbol list ignores
// white space before its first record.
//
// Integers are read with the strict conversion (optional blanks and sign,
// digits only) and never depend on the locale. The placement scale of a
// symbol is the one real number: it is written with the locale's decimal
// separator and read with either "." or ",", so that lists exchanged between
// machines read back; a grouping separator is never accepted.

// "B:" name "," x "," y "," size "," placementScale ";"
struct SymbolRecord {
    std::string name; // picture file name, relative to the symbol folder
    std::int32_t x = 0; // mm, centre of the picture
    std::int32_t y = 0;
    std::int32_t size = 10; // tenths of the natural size: 10 is 100 %
    double placementScale = 1.0; // pixels per mm when the symbol was placed; > 0
    friend bool operator==(const SymbolRecord&, const SymbolRecord&) = default;
};

// "M:" x1 "," y1 "," x2 "," y2 "," dy "," dx ";"
struct DimensionRecord {
    std::int32_t x1 = 0; // first measured point, mm
    std::int32_t y1 = 0;
    std::int32_t x2 = 0; // second measured point, mm
    std::int32_t y2 = 0;
    std::int32_t dy = 0; // offset of the horizontal dimension line; 0: none
    std::int32_t dx = 0; // offset of the vertical dimension line; 0: none
    friend constexpr bool operator==(DimensionRecord, DimensionRecord) = default;
};

enum class AnnotationList { Symbols, DimensionLines };

// Where a record lies in its list text: from its first tag character up to
// and including its ";" (to the end of the text when the ";" is missing).
struct RecordSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    friend constexpr bool operator==(RecordSpan, RecordSpan) = default;
};

// The records of a list in the order the drawers walk them. A record without
// ";" runs to the end of the text and is the last one.
std::vector<RecordSpan> RecordSpans(std::string_view list, AnnotationList kind);

// A record that does not parse. record is 1-based; message is the complete
// text to show, naming the list, the record's number and its text.
struct AnnotationError {
    int record = 0;
    std::string message;
    friend bool operator==(const AnnotationError&, const AnnotationError&) = default;
};

// One record, tag included. Without an error, value holds the record.
template <typename Record>
struct RecordReading {
    std::optional<Record> value;
    std::string error; // the reason alone, without the record's name
};

RecordReading<SymbolRecord> ParseSymbolRecord(std::string_view record);
RecordReading<DimensionRecord> ParseDimensionRecord(std::string_view record);

// A whole list: the records up to the first one that does not parse, and the
// error of that one. The records before it are still returned, so that a
// drawer can draw them.
template <typename Record>
struct ListReading {
    std::vector<Record> records;
    std::optional<AnnotationError> error;
};

ListReading<SymbolRecord> ReadSymbolList(std::string_view list);
ListReading<DimensionRecord> ReadDimensionList(std::string_view list);

// The full error message of record number (1-based) with the reason.
std::string AnnotationErrorMessage(AnnotationList kind, int number, std::string_view record, std::string_view reason);

// The placement scale in general format with up to 15 significant digits and
// the given decimal separator ("," gives a decimal comma, any other character
// a point: only those two read back). Exponents are written as "E-5".
std::string FormatPlacementScale(double scale, char decimalSeparator);

// Reads "0,5", "0.5", " 2 ", "1E-5"; nullopt for anything else, grouping
// separators included. The value may be 0 or negative; callers check.
std::optional<double> ParsePlacementScale(std::string_view text);

// The record writers of the editor. Each returns the whole new list text and
// leaves every other character of the list as it was.

// Result of a rewrite: the new list, or an error and the list unchanged.
struct ListRewrite {
    std::string list;
    std::string error; // empty on success
    bool ok() const { return error.empty(); }
};

// Appends "B:name,x,y,10,scale;" as a new line of the list.
std::string AppendSymbolRecord(std::string_view list, std::string_view name, std::int32_t x, std::int32_t y,
    double drawingScale, char decimalSeparator);

// Size + 1 (grow) or size - 1 but not below 1 (shrink) of the record number
// index (0-based, as the drawer counts symbols). Only the size field
// changes; the placement scale keeps its text, decimal comma included.
ListRewrite GrowSymbol(std::string_view list, int index);
ListRewrite ShrinkSymbol(std::string_view list, int index);

// Appends "M:x1,y1,x2,y2,dy,dx;" as a new line, only when dy or dx is not 0;
// otherwise the list comes back unchanged.
std::string AppendDimensionRecord(std::string_view list, const DimensionRecord& record);

// The record number (1-based, as SelectedDimLine counts) read alone, for the
// dialog that edits its lengths. Records before it need not parse.
RecordReading<DimensionRecord> ReadDimensionRecord(std::string_view list, int number);

// Sets the lengths of record number (1-based): when dy is not 0 the
// horizontal length moves x2 to x1 - horizontal if x2 lay left of x1, else
// to x1 + horizontal; when dx is not 0 the vertical length moves y2 the same
// way. The record is written back in place as "M:...;" with the same dy, dx.
ListRewrite SetDimensionLengths(std::string_view list, int number, std::int32_t horizontal, std::int32_t vertical);

} // namespace fenster
