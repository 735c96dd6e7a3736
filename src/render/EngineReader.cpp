#include "EngineReader.h"

#include "IntegerText.h"

namespace fenster {

namespace {

bool isTokenCharacter(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == ':';
}

// Keyed values start at the token's third character; the second is not
// looked at.
int keyedValue(std::string_view token)
{
    return token.size() > 2 ? LeadingDigitsToInt(token.substr(2)) : 0;
}

} // namespace

DescriptionReader::DescriptionReader(std::string_view text)
    : m_text(text)
{
}

DescriptionReader::Token DescriptionReader::nextToken()
{
    Token token;
    while (m_position < m_text.size()) {
        const char c = m_text[m_position++];
        if (c == ',')
            return token;
        if (c == ';') {
            token.endsField = true;
            return token;
        }
        if (isTokenCharacter(c))
            token.text += c;
    }
    token.endsField = true;
    return token;
}

int DescriptionReader::nextNumber()
{
    return LeadingDigitsToInt(nextToken().text);
}

std::optional<FieldValues> DescriptionReader::readField(int rowHeight)
{
    if (atEnd())
        return std::nullopt;
    FieldValues field;
    field.height = rowHeight;
    const Token width = nextToken();
    const std::optional<std::int32_t> value = StrictToInt(width.text);
    if (!value)
        throw DataFileError();
    field.width = *value;
    // A field carries at least one option, so one token is always read.
    Token option;
    do {
        option = nextToken();
        ApplyFieldOption(field, option.text);
    } while (!option.endsField);
    return field;
}

void ApplyFieldOption(FieldValues& field, std::string_view token)
{
    if (token.empty())
        return;
    switch (token.front()) {
    case 'L':
        field.hinge = HingeSide::Left;
        break;
    case 'R':
        field.hinge = HingeSide::Right;
        break;
    case 'V':
        field.opening = OpeningKind::Fixed;
        break;
    case 'F':
        field.opening = OpeningKind::Sash;
        break;
    case 'K':
        field.tilt = TiltMode::Tilt;
        break;
    case 'S':
        field.tilt = TiltMode::Swing;
        break;
    case 'Z':
        field.opening = OpeningKind::Sliding;
        break;
    case 'G':
        field.handle = true;
        break;
    case 'A':
        field.mirrored = true;
        break;
    case 'J':
        field.rollerShutterBox = true;
        break;
    case 'B':
        field.sillConnection = true;
        break;
    case 'a':
        field.outward = true;
        break;
    case 'g':
        field.insectScreen = true;
        break;
    case 'p':
        field.pleatedBlind = true;
        break;
    case 'v':
        field.verticalMuntins = keyedValue(token);
        break;
    case 'h':
        field.horizontalMuntins = keyedValue(token);
        break;
    case 'T':
        field.baseType = keyedValue(token);
        break;
    case 'r':
        field.r = keyedValue(token);
        break;
    case 'e':
        field.height = keyedValue(token);
        break;
    case 'b':
        field.b = keyedValue(token);
        break;
    default:
        break;
    }
}

} // namespace fenster
