#include "Annotations.h"

#include "IntegerText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace fenster {

namespace {

constexpr bool isWhiteSpace(char c) { return static_cast<unsigned char>(c) <= 0x20; }

std::size_t skipWhiteSpace(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && isWhiteSpace(text[pos]))
        ++pos;
    return pos;
}

std::string_view trimmed(std::string_view text)
{
    std::size_t begin = skipWhiteSpace(text, 0);
    std::size_t end = text.size();
    while (end > begin && isWhiteSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string excerpt(std::string_view record, std::size_t maximum = 60);

// A field as it stands in a message, long ones cut.
std::string quoted(std::string_view field) { return "''" + excerpt(field, 40) + "''"; }

std::string notAnInteger(std::string_view field) { return quoted(field) + " ist kein gültiger Integer-Wert"; }

const char* kTooFewFields = "dem Eintrag fehlen Felder";
const char* kMissingSemicolon = "der Eintrag endet nicht mit \";\"";

// Reads the fields of a record body one after the other: every field up to
// the next ",", the last one up to the ";" that ends the record.
class FieldReader {
public:
    explicit FieldReader(std::string_view record)
        : m_body(record.size() > 2 ? record.substr(2) : std::string_view {})
    {
    }

    // The text up to the next ","; nullopt when there is none.
    std::optional<std::string_view> next()
    {
        const std::size_t comma = m_body.find(',', m_pos);
        const std::size_t semicolon = m_body.find(';', m_pos);
        if (comma == std::string_view::npos || (semicolon != std::string_view::npos && semicolon < comma))
            return std::nullopt;
        std::string_view field = m_body.substr(m_pos, comma - m_pos);
        m_pos = comma + 1;
        return field;
    }

    // The text up to the ";"; nullopt when the record has none.
    std::optional<std::string_view> last()
    {
        const std::size_t semicolon = m_body.find(';', m_pos);
        if (semicolon == std::string_view::npos)
            return std::nullopt;
        return m_body.substr(m_pos, semicolon - m_pos);
    }

    // Offset of the reading position in the record, tag included.
    std::size_t position() const { return m_pos + 2; }

private:
    std::string_view m_body;
    std::size_t m_pos = 0;
};

// Reads the next integer field (or, with last, the one before the ";").
bool readInteger(FieldReader& reader, bool last, std::int32_t& value, std::string& error)
{
    const std::optional<std::string_view> field = last ? reader.last() : reader.next();
    if (!field) {
        error = last ? kMissingSemicolon : kTooFewFields;
        return false;
    }
    const std::optional<std::int32_t> converted = StrictToInt(*field);
    if (!converted) {
        error = notAnInteger(*field);
        return false;
    }
    value = *converted;
    return true;
}

// The record as it can stand in a message: line breaks and other control
// characters as blanks, long records cut without splitting a character.
std::string excerpt(std::string_view record, std::size_t maximum)
{
    const std::size_t kMaximum = maximum;
    std::string out;
    std::size_t length = record.size();
    bool cut = false;
    if (length > kMaximum) {
        length = kMaximum;
        while (length > 0 && (static_cast<unsigned char>(record[length]) & 0xc0) == 0x80)
            --length;
        cut = true;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(record[i]);
        out += (c < 0x20 || c == 0x7f) ? ' ' : char(c);
    }
    if (cut)
        out += "...";
    return out;
}

std::int32_t saturated(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(v);
}

// The line break the list already uses, "\n" for a list without one.
std::string_view lineBreakOf(std::string_view list)
{
    return list.find("\r\n") != std::string_view::npos ? std::string_view("\r\n") : std::string_view("\n");
}

std::string appendLine(std::string_view list, std::string_view record)
{
    std::string out(list);
    if (!out.empty() && out.back() != '\n')
        out += lineBreakOf(list);
    out += record;
    return out;
}

std::optional<RecordSpan> findRecord(std::string_view list, AnnotationList kind, int index)
{
    if (index < 0)
        return std::nullopt;
    const std::vector<RecordSpan> spans = RecordSpans(list, kind);
    if (std::size_t(index) >= spans.size())
        return std::nullopt;
    return spans[std::size_t(index)];
}

std::string dimensionRecordText(const DimensionRecord& r)
{
    return "M:" + std::to_string(r.x1) + "," + std::to_string(r.y1) + "," + std::to_string(r.x2) + ","
        + std::to_string(r.y2) + "," + std::to_string(r.dy) + "," + std::to_string(r.dx) + ";";
}

ListRewrite resizeSymbol(std::string_view list, int index, int step)
{
    const std::optional<RecordSpan> span = findRecord(list, AnnotationList::Symbols, index);
    if (!span)
        return { std::string(list), "Symbolliste: es gibt keinen Eintrag " + std::to_string(index + 1) };
    const std::string_view record = list.substr(span->begin, span->end - span->begin);
    const RecordReading<SymbolRecord> reading = ParseSymbolRecord(record);
    if (!reading.value)
        return { std::string(list), AnnotationErrorMessage(AnnotationList::Symbols, index + 1, record, reading.error) };

    // The size is the fourth field: after the name, x and y.
    FieldReader reader(record);
    for (int i = 0; i < 3; ++i)
        reader.next();
    const std::size_t sizeBegin = reader.position();
    reader.next();
    const std::size_t sizeEnd = reader.position() - 1;

    const std::int32_t size = reading.value->size;
    const std::int32_t resized = step > 0 ? SaturatingAdd(size, 1) : (size >= 2 ? size - 1 : 1);
    std::string out(list.substr(0, span->begin + sizeBegin));
    out += std::to_string(resized);
    out += list.substr(span->begin + sizeEnd);
    return { std::move(out), {} };
}

} // namespace

std::vector<RecordSpan> RecordSpans(std::string_view list, AnnotationList kind)
{
    std::vector<RecordSpan> spans;
    if (trimmed(list).empty())
        return spans;
    std::size_t pos = kind == AnnotationList::Symbols ? skipWhiteSpace(list, 0) : 0;
    while (pos < list.size()) {
        const std::size_t semicolon = list.find(';', pos);
        const std::size_t end = semicolon == std::string_view::npos ? list.size() : semicolon + 1;
        spans.push_back({ pos, end });
        pos = skipWhiteSpace(list, end);
    }
    return spans;
}

RecordReading<SymbolRecord> ParseSymbolRecord(std::string_view record)
{
    RecordReading<SymbolRecord> result;
    FieldReader reader(record);
    SymbolRecord symbol;
    const std::optional<std::string_view> name = reader.next();
    if (!name) {
        result.error = kTooFewFields;
        return result;
    }
    symbol.name = std::string(*name);
    if (!readInteger(reader, false, symbol.x, result.error) || !readInteger(reader, false, symbol.y, result.error)
        || !readInteger(reader, false, symbol.size, result.error))
        return result;
    const std::optional<std::string_view> scaleText = reader.last();
    if (!scaleText) {
        result.error = kMissingSemicolon;
        return result;
    }
    const std::optional<double> scale = ParsePlacementScale(*scaleText);
    if (!scale) {
        result.error = quoted(*scaleText) + " ist kein gültiger Gleitkommawert";
        return result;
    }
    if (!(*scale > 0.0)) {
        result.error = "der Platzierungsmaßstab " + quoted(*scaleText) + " ist nicht größer als 0";
        return result;
    }
    symbol.placementScale = *scale;
    result.value = std::move(symbol);
    return result;
}

RecordReading<DimensionRecord> ParseDimensionRecord(std::string_view record)
{
    RecordReading<DimensionRecord> result;
    FieldReader reader(record);
    DimensionRecord d;
    if (readInteger(reader, false, d.x1, result.error) && readInteger(reader, false, d.y1, result.error)
        && readInteger(reader, false, d.x2, result.error) && readInteger(reader, false, d.y2, result.error)
        && readInteger(reader, false, d.dy, result.error) && readInteger(reader, true, d.dx, result.error))
        result.value = d;
    return result;
}

std::string AnnotationErrorMessage(AnnotationList kind, int number, std::string_view record, std::string_view reason)
{
    std::string message = kind == AnnotationList::Symbols ? "Symbolliste" : "Maßlinienliste";
    message += ", Eintrag " + std::to_string(number) + " \"" + excerpt(record) + "\": ";
    message += reason;
    return message;
}

namespace {

template <typename Record>
ListReading<Record> readList(std::string_view list, AnnotationList kind,
    RecordReading<Record> (*parse)(std::string_view))
{
    ListReading<Record> result;
    int number = 0;
    for (const RecordSpan& span : RecordSpans(list, kind)) {
        ++number;
        const std::string_view record = list.substr(span.begin, span.end - span.begin);
        RecordReading<Record> reading = parse(record);
        if (!reading.value) {
            result.error = AnnotationError { number, AnnotationErrorMessage(kind, number, record, reading.error) };
            break;
        }
        result.records.push_back(std::move(*reading.value));
    }
    return result;
}

} // namespace

ListReading<SymbolRecord> ReadSymbolList(std::string_view list)
{
    return readList<SymbolRecord>(list, AnnotationList::Symbols, &ParseSymbolRecord);
}

ListReading<DimensionRecord> ReadDimensionList(std::string_view list)
{
    return readList<DimensionRecord>(list, AnnotationList::DimensionLines, &ParseDimensionRecord);
}

std::string FormatPlacementScale(double scale, char decimalSeparator)
{
    char buffer[64];
    const std::to_chars_result written
        = std::to_chars(buffer, buffer + sizeof buffer, scale, std::chars_format::general, 15);
    std::string text(buffer, written.ptr);
    const std::size_t e = text.find('e');
    if (e != std::string::npos) {
        // "1e-05" becomes "1E-5", "1.5e+20" becomes "1.5E20".
        std::string exponent = text.substr(e + 1);
        std::string sign;
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
            if (exponent[0] == '-')
                sign = "-";
            exponent.erase(0, 1);
        }
        const std::size_t firstDigit = exponent.find_first_not_of('0');
        exponent = firstDigit == std::string::npos ? "0" : exponent.substr(firstDigit);
        text = text.substr(0, e) + "E" + sign + exponent;
    }
    if (decimalSeparator == ',') {
        for (char& c : text)
            if (c == '.')
                c = ',';
    }
    return text;
}

std::optional<double> ParsePlacementScale(std::string_view text)
{
    const std::string_view t = trimmed(text);
    // [sign] digits [separator digits] [E [sign] digits], at least one digit
    // in the mantissa; nothing else.
    std::string normal;
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        if (t[i] == '-')
            normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool separator = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c >= '0' && c <= '9') {
            normal += c;
            ++mantissaDigits;
        } else if ((c == '.' || c == ',') && !separator) {
            normal += '.';
            separator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        normal += 'e';
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            normal += t[i++];
        int exponentDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            normal += t[i];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    double value = 0.0;
    const std::from_chars_result parsed = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != normal.data() + normal.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string AppendSymbolRecord(std::string_view list, std::string_view name, std::int32_t x, std::int32_t y,
    double drawingScale, char decimalSeparator)
{
    const std::string record = "B:" + std::string(name) + "," + std::to_string(x) + "," + std::to_string(y) + ",10,"
        + FormatPlacementScale(drawingScale, decimalSeparator) + ";";
    return appendLine(list, record);
}

ListRewrite GrowSymbol(std::string_view list, int index) { return resizeSymbol(list, index, +1); }

ListRewrite ShrinkSymbol(std::string_view list, int index) { return resizeSymbol(list, index, -1); }

std::string AppendDimensionRecord(std::string_view list, const DimensionRecord& record)
{
    if (record.dy == 0 && record.dx == 0)
        return std::string(list);
    return appendLine(list, dimensionRecordText(record));
}

RecordReading<DimensionRecord> ReadDimensionRecord(std::string_view list, int number)
{
    const std::optional<RecordSpan> span = findRecord(list, AnnotationList::DimensionLines, number - 1);
    if (!span) {
        RecordReading<DimensionRecord> missing;
        missing.error = "Maßlinienliste: es gibt keinen Eintrag " + std::to_string(number);
        return missing;
    }
    const std::string_view record = list.substr(span->begin, span->end - span->begin);
    RecordReading<DimensionRecord> reading = ParseDimensionRecord(record);
    if (!reading.value)
        reading.error = AnnotationErrorMessage(AnnotationList::DimensionLines, number, record, reading.error);
    return reading;
}

ListRewrite SetDimensionLengths(std::string_view list, int number, std::int32_t horizontal, std::int32_t vertical)
{
    const RecordReading<DimensionRecord> reading = ReadDimensionRecord(list, number);
    if (!reading.value)
        return { std::string(list), reading.error };
    DimensionRecord r = *reading.value;
    if (r.dy != 0)
        r.x2 = r.x2 < r.x1 ? saturated(std::int64_t(r.x1) - horizontal) : saturated(std::int64_t(r.x1) + horizontal);
    if (r.dx != 0)
        r.y2 = r.y2 < r.y1 ? saturated(std::int64_t(r.y1) - vertical) : saturated(std::int64_t(r.y1) + vertical);
    const RecordSpan span = *findRecord(list, AnnotationList::DimensionLines, number - 1);
    std::string out(list.substr(0, span.begin));
    out += dimensionRecordText(r);
    out += list.substr(span.end);
    return { std::move(out), {} };
}

} // namespace fenster
