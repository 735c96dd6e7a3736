#pragma once

#include "Field.h"

#include <optional>
#include <string>
#include <string_view>

namespace fenster {

// The drawing engine's own reader of a window description. It keeps a read
// position in the text and hands out tokens up to the next "," or ";", of
// which it keeps only 0-9, A-Z, a-z and ":" (blanks, line breaks, signs and
// dots are dropped). The end of the text ends the last token; nothing is
// ever read beyond it.
class DescriptionReader {
public:
    explicit DescriptionReader(std::string_view text);

    struct Token {
        std::string text;
        bool endsField = false; // ended with ";" or by the end of the text
    };

    bool atEnd() const { return m_position >= m_text.size(); }
    Token nextToken();
    // The value of the next token's leading digits, 0 when it has none;
    // saturates at INT32_MAX.
    int nextNumber();
    // One field: the width, then option tokens (at least one) up to one that
    // ends the field. e starts as rowHeight. nullopt when the text has ended
    // before the field; DataFileError when the width is not a number.
    std::optional<FieldValues> readField(int rowHeight);

private:
    std::string_view m_text;
    std::size_t m_position = 0;
};

// Applies one option token to the field values; unknown and empty tokens
// change nothing.
void ApplyFieldOption(FieldValues& field, std::string_view token);

} // namespace fenster
