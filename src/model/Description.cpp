#include "Description.h"

#include "DescriptionTokens.h"
#include "IntegerText.h"

#include <charconv>

namespace fenster {

// --- Writer -------------------------------------------------------------------

namespace {

void appendInt(std::string& out, std::int32_t value)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The text of one field, built in a fixed buffer: the width, at most 14
// flags of two characters and 6 keyed values of at most 14 characters, ";".
class FieldText {
public:
    void number(std::int32_t value) { m_end = std::to_chars(m_end, m_buffer + sizeof m_buffer, value).ptr; }
    void flag(char letter)
    {
        *m_end++ = TokenSeparator;
        *m_end++ = letter;
    }
    void keyed(char letter, std::int32_t value)
    {
        flag(letter);
        *m_end++ = ':';
        number(value);
    }
    void end() { *m_end++ = FieldEnd; }
    std::string_view text() const { return std::string_view(m_buffer, std::size_t(m_end - m_buffer)); }

private:
    char m_buffer[11 + 14 * 2 + 6 * 14 + 1 + 8];
    char* m_end = m_buffer;
};

// One field in the writer's order. A fixed pane hides its retained opening
// flags; every field gets at least one option (F, V, or "T:10" for an empty
// field that is not fixed).
void appendField(std::string& out, const TFensterlement& field)
{
    FieldText text;
    text.number(field.width());
    const bool sash = !field.fixedGlazing();
    if (sash && field.leftHinged())
        text.flag(Option::LeftHinged);
    if (sash && field.rightHinged())
        text.flag(Option::RightHinged);
    if (!sash)
        text.flag(Option::FixedGlazing);
    else if (field.baseType() != BaseLeerfeld)
        text.flag(Option::Sash);
    if (sash && field.tiltable())
        text.flag(Option::Tiltable);
    if (sash && field.swinging())
        text.flag(Option::Swinging);
    if (sash && field.sliding())
        text.flag(Option::Sliding);
    if (sash && field.handle())
        text.flag(Option::Handle);
    if (field.mirrored())
        text.flag(Option::Mirrored);
    if (field.rollerShutterBox())
        text.flag(Option::RollerShutterBox);
    if (field.sillConnection())
        text.flag(Option::SillConnection);
    if (field.opensOutward())
        text.flag(Option::OpensOutward);
    if (field.insectScreen())
        text.flag(Option::InsectScreen);
    if (field.pleatedBlind())
        text.flag(Option::PleatedBlind);
    if (field.verticalMuntins() > 0)
        text.keyed(Option::VerticalMuntins, field.verticalMuntins());
    if (field.horizontalMuntins() > 0)
        text.keyed(Option::HorizontalMuntins, field.horizontalMuntins());
    if (field.baseType() > 0)
        text.keyed(Option::BaseType, field.baseType());
    if (field.height1() > 0)
        text.keyed(Option::Height1, field.height1());
    if (field.extraHeight() > 0)
        text.keyed(Option::ExtraHeight, field.extraHeight());
    if (field.height2() > 0)
        text.keyed(Option::Height2, field.height2());
    text.end();
    out += text.text();
}

} // namespace

std::string WriteDescription(TFenster& window, int selectedRow, int selectedField)
{
    PositionCursors(window, selectedRow, selectedField);
    window.setHeight(OverallHeight(window));
    window.setWidth(OverallWidth(window));

    std::string out;
    out.reserve(256);
    appendInt(out, window.height());
    out += TokenSeparator;
    appendInt(out, window.width());
    out += TokenSeparator;
    appendInt(out, window.RowCount());
    out += TokenSeparator;
    // The rows and fields are walked along their links, so the cursors stay
    // on the selection.
    for (const TZeile* row = window.bottomRow(); row; row = row->next()) {
        appendInt(out, row->height());
        out += TokenSeparator;
        appendInt(out, row->FieldCount());
        out += TokenSeparator;
        for (const TFensterlement* field = row->leftmostField(); field; field = field->next())
            appendField(out, *field);
    }
    return out;
}

// --- Editor's reader ----------------------------------------------------------

std::string InvalidIntegerMessage(std::string_view token)
{
    std::string message = "''";
    message += token;
    message += "'' ist kein gültiger Integer-Wert";
    return message;
}

std::string InvalidCountMessage(std::string_view token)
{
    std::string message = "''";
    message += token;
    message += "'' ist keine gültige Anzahl (1 bis ";
    appendInt(message, MaxDescriptionCount);
    message += ')';
    return message;
}

namespace {

// Walks the text once from the start. A number token runs to the next ","
// (consumed) or the end of the text; an option string to the next ";"
// (consumed) or the end.
class DescriptionCursor {
public:
    explicit DescriptionCursor(std::string_view text)
        : m_text(text)
    {
    }

    // Tokens are a few characters long, so a plain loop beats a library search.
    std::string_view upTo(char end)
    {
        const std::size_t start = m_position;
        std::size_t stop = start;
        while (stop < m_text.size() && m_text[stop] != end)
            ++stop;
        m_position = stop < m_text.size() ? stop + 1 : stop;
        return m_text.substr(start, stop - start);
    }

    // One option of a field: the text up to the next "," or ";" (consumed)
    // or the end. fieldEnded tells whether the field's options are over.
    std::string_view option(bool& fieldEnded)
    {
        const std::size_t start = m_position;
        std::size_t stop = start;
        while (stop < m_text.size() && m_text[stop] != TokenSeparator && m_text[stop] != FieldEnd)
            ++stop;
        fieldEnded = stop == m_text.size() || m_text[stop] == FieldEnd;
        m_position = stop < m_text.size() ? stop + 1 : stop;
        return m_text.substr(start, stop - start);
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
};

class Reader {
public:
    explicit Reader(std::string_view text)
        : m_cursor(text)
    {
    }

    // The next number, or nullopt with the error recorded.
    std::optional<std::int32_t> number() { return convert(m_cursor.upTo(TokenSeparator)); }

    std::optional<int> count()
    {
        const std::string_view token = m_cursor.upTo(TokenSeparator);
        const std::optional<std::int32_t> value = convert(token);
        if (!value)
            return std::nullopt;
        if (*value < 1 || *value > MaxDescriptionCount) {
            m_error = InvalidCountMessage(token);
            return std::nullopt;
        }
        return *value;
    }

    // Applies the options of one field in text order, up to its ";" or the
    // end of the text; false on an error.
    bool options(TFensterlement& field)
    {
        bool fieldEnded = false;
        while (!fieldEnded) {
            if (!apply(field, m_cursor.option(fieldEnded)))
                return false;
        }
        return true;
    }

    std::optional<std::string> takeError() { return std::move(m_error); }

private:
    std::optional<std::int32_t> convert(std::string_view token)
    {
        // Most tokens are a few plain digits, which cannot overflow; the
        // full conversion handles blanks, signs, range and errors.
        if (!token.empty() && token.size() <= 9) {
            std::int32_t quick = 0;
            std::size_t i = 0;
            for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i)
                quick = quick * 10 + (token[i] - '0');
            if (i == token.size())
                return quick;
        }
        const std::optional<std::int32_t> value = StrictToInt(token);
        if (!value)
            m_error = InvalidIntegerMessage(token);
        return value;
    }

    bool apply(TFensterlement& field, std::string_view piece)
    {
        // An empty option (",," or ",;") carries nothing and is skipped.
        if (piece.empty())
            return true;
        switch (piece.front()) {
        case Option::LeftHinged:
            field.setLeftHinged(true);
            return true;
        case Option::RightHinged:
            field.setRightHinged(true);
            return true;
        case Option::FixedGlazing:
            field.setFixedGlazing(true);
            return true;
        case Option::Sash:
            field.setFixedGlazing(false);
            return true;
        case Option::Tiltable:
            field.setTiltable(true);
            return true;
        case Option::Swinging:
            field.setSwinging(true);
            return true;
        case Option::Sliding:
            field.setSliding(true);
            return true;
        case Option::Handle:
            field.setHandle(true);
            return true;
        case Option::Mirrored:
            field.setMirrored(true);
            return true;
        case Option::RollerShutterBox:
            field.setRollerShutterBox(true);
            return true;
        case Option::SillConnection:
            field.setSillConnection(true);
            return true;
        case Option::OpensOutward:
            field.setOpensOutward(true);
            return true;
        case Option::InsectScreen:
            field.setInsectScreen(true);
            return true;
        case Option::PleatedBlind:
            field.setPleatedBlind(true);
            return true;
        case Option::VerticalMuntins:
            return keyed(piece, [&](std::int32_t n) { field.setVerticalMuntins(n); });
        case Option::HorizontalMuntins:
            return keyed(piece, [&](std::int32_t n) { field.setHorizontalMuntins(n); });
        case Option::BaseType:
            return keyed(piece, [&](std::int32_t n) { field.SetBaseType(n); });
        case Option::Height1:
            return keyed(piece, [&](std::int32_t n) { field.setHeight1(n); });
        case Option::ExtraHeight:
            return keyed(piece, [&](std::int32_t n) { field.setExtraHeight(n); });
        case Option::Height2:
            return keyed(piece, [&](std::int32_t n) { field.setHeight2(n); });
        default:
            // Unknown letters, and options that start with a blank, are ignored.
            return true;
        }
    }

    template<typename Store>
    bool keyed(std::string_view piece, Store store)
    {
        const std::optional<std::int32_t> value = convert(KeyedValue(piece));
        if (!value)
            return false;
        store(*value);
        return true;
    }

    DescriptionCursor m_cursor;
    std::optional<std::string> m_error;
};

} // namespace

ReadResult ReadDescription(std::string_view text)
{
    ReadResult result{std::make_unique<TFenster>(), std::nullopt};
    TFenster& window = *result.model;
    Reader reader(text);
    auto failed = [&]() {
        result.error = reader.takeError();
        return std::move(result);
    };

    const std::optional<std::int32_t> height = reader.number();
    if (!height)
        return failed();
    window.setHeight(*height);
    const std::optional<std::int32_t> width = reader.number();
    if (!width)
        return failed();
    window.setWidth(*width);
    const std::optional<int> rowCount = reader.count();
    if (!rowCount)
        return failed();
    window.SetRowCount(*rowCount);

    TZeile* row = window.FirstRow();
    for (int i = 0; i < *rowCount; ++i, row = window.NextRow()) {
        const std::optional<std::int32_t> rowHeight = reader.number();
        if (!rowHeight)
            return failed();
        row->setHeight(*rowHeight);
        const std::optional<int> fieldCount = reader.count();
        if (!fieldCount)
            return failed();
        row->SetFieldCount(*fieldCount);

        TFensterlement* field = row->FirstField();
        for (int j = 0; j < *fieldCount; ++j, field = row->NextField()) {
            const std::optional<std::int32_t> fieldWidth = reader.number();
            if (!fieldWidth)
                return failed();
            field->setWidth(*fieldWidth);
            if (!reader.options(*field))
                return failed();
        }
    }
    return result;
}

} // namespace fenster
