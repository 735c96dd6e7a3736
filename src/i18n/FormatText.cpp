#include "FormatText.h"

#include <QLocale>

#include <algorithm>
#include <optional>

namespace fenster {

namespace {

enum class ArgKind { Integer, Real, Text };

// One conversion specifier as it stands in a format string.
struct Specifier {
    qsizetype begin = 0; // position of the "%"
    qsizetype end = 0; // one past the type character
    bool valid = false;
    bool percent = false; // "%%"
    std::optional<int> index;
    bool leftJustify = false;
    std::optional<int> width;
    std::optional<int> precision;
    QChar type;
};

// Widths and precisions above this are treated as malformed, so that a
// format from outside cannot make the program build huge texts.
constexpr int MaxFieldWidth = 1024;

std::optional<int> readNumber(const QString& format, qsizetype& pos)
{
    qsizetype start = pos;
    qint64 value = 0;
    while (pos < format.size() && format[pos].isDigit() && format[pos].unicode() < 128) {
        value = value * 10 + (format[pos].unicode() - '0');
        if (value > MaxFieldWidth)
            value = MaxFieldWidth + 1;
        ++pos;
    }
    if (pos == start)
        return std::nullopt;
    return int(value);
}

Specifier parseSpecifier(const QString& format, qsizetype begin)
{
    Specifier parsed;
    parsed.begin = begin;
    qsizetype pos = begin + 1;
    parsed.end = pos;
    if (pos < format.size() && format[pos] == QLatin1Char('%')) {
        parsed.percent = true;
        parsed.valid = true;
        parsed.end = pos + 1;
        return parsed;
    }
    // An index is a number followed by ":"; otherwise the number is a width.
    qsizetype afterNumber = pos;
    if (auto number = readNumber(format, afterNumber);
        number && afterNumber < format.size() && format[afterNumber] == QLatin1Char(':')) {
        parsed.index = *number;
        pos = afterNumber + 1;
    }
    if (pos < format.size() && format[pos] == QLatin1Char('-')) {
        parsed.leftJustify = true;
        ++pos;
    }
    parsed.width = readNumber(format, pos);
    if (pos < format.size() && format[pos] == QLatin1Char('.')) {
        ++pos;
        parsed.precision = readNumber(format, pos);
        if (!parsed.precision) {
            parsed.end = pos;
            return parsed;
        }
    }
    if (pos >= format.size()) {
        parsed.end = pos;
        return parsed;
    }
    parsed.type = format[pos].toLower();
    parsed.end = pos + 1;
    const bool knownType = QStringLiteral("duxefgnms").contains(parsed.type);
    const bool sane = (!parsed.width || *parsed.width <= MaxFieldWidth)
        && (!parsed.precision || *parsed.precision <= MaxFieldWidth)
        && (!parsed.index || *parsed.index <= MaxFieldWidth);
    parsed.valid = knownType && sane;
    return parsed;
}

std::optional<ArgKind> kindOf(QChar type)
{
    switch (type.unicode()) {
    case 'd':
    case 'u':
    case 'x':
        return ArgKind::Integer;
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm':
        return ArgKind::Real;
    case 's':
        return ArgKind::Text;
    default:
        return std::nullopt;
    }
}

bool argumentFits(const FormatArg& arg, ArgKind kind)
{
    switch (kind) {
    case ArgKind::Integer:
        return arg.isInteger();
    case ArgKind::Real:
        // A whole number is accepted where a real is wanted.
        return arg.isReal() || arg.isInteger();
    case ArgKind::Text:
        return arg.isText();
    }
    return false;
}

QString pad(QString text, const Specifier& parsed)
{
    if (parsed.width && text.size() < *parsed.width) {
        const QString fill(*parsed.width - text.size(), QLatin1Char(' '));
        text = parsed.leftJustify ? text + fill : fill + text;
    }
    return text;
}

QString integerDigits(qint64 value, const Specifier& parsed, int base)
{
    const bool negative = value < 0;
    // The magnitude of the most negative value still fits an unsigned number.
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude, base).toUpper();
    if (parsed.precision && digits.size() < *parsed.precision)
        digits.prepend(QString(*parsed.precision - digits.size(), QLatin1Char('0')));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString formatOne(const Specifier& parsed, const FormatArg& arg)
{
    const QLocale locale;
    switch (parsed.type.unicode()) {
    case 'd':
        return pad(integerDigits(arg.integer(), parsed, 10), parsed);
    case 'u': {
        // Negative values show as their 32-bit unsigned counterpart.
        qint64 value = arg.integer();
        if (value < 0 && value >= INT32_MIN)
            value = qint64(quint32(qint32(value)));
        return pad(integerDigits(value, parsed, 10), parsed);
    }
    case 'x': {
        qint64 value = arg.integer();
        if (value < 0 && value >= INT32_MIN)
            value = qint64(quint32(qint32(value)));
        return pad(integerDigits(value, parsed, 16), parsed);
    }
    case 's': {
        QString text = arg.text();
        if (parsed.precision && text.size() > *parsed.precision)
            text.truncate(*parsed.precision);
        return pad(text, parsed);
    }
    default:
        break;
    }
    const double value = arg.isReal() ? arg.real() : double(arg.integer());
    switch (parsed.type.unicode()) {
    case 'e':
        return pad(locale.toString(value, 'E', parsed.precision.value_or(15) - 1), parsed);
    case 'f':
        return pad(QString(locale.toString(value, 'f', parsed.precision.value_or(2)))
                       .remove(locale.groupSeparator()),
            parsed);
    case 'g':
        return pad(QString(locale.toString(value, 'g', parsed.precision.value_or(15)))
                       .remove(locale.groupSeparator()),
            parsed);
    case 'n':
        return pad(locale.toString(value, 'f', parsed.precision.value_or(2)), parsed);
    case 'm':
        return pad(locale.toCurrencyString(value, QString(), parsed.precision.value_or(2)), parsed);
    default:
        return {};
    }
}

// The arguments the format consumes, as (argument index, kind) pairs, or
// nullopt when a specifier is malformed.
std::optional<QList<std::pair<int, ArgKind>>> consumedArguments(const QString& format)
{
    QList<std::pair<int, ArgKind>> used;
    int next = 0;
    for (qsizetype pos = 0; pos < format.size();) {
        if (format[pos] != QLatin1Char('%')) {
            ++pos;
            continue;
        }
        const Specifier parsed = parseSpecifier(format, pos);
        pos = parsed.end;
        if (!parsed.valid)
            return std::nullopt;
        if (parsed.percent)
            continue;
        const int index = parsed.index.value_or(next);
        next = index + 1;
        used.append({index, *kindOf(parsed.type)});
    }
    std::sort(used.begin(), used.end());
    return used;
}

} // namespace

QString FormatText(const QString& format, const FormatArgs& arguments)
{
    QString result;
    result.reserve(format.size());
    int next = 0;
    for (qsizetype pos = 0; pos < format.size();) {
        if (format[pos] != QLatin1Char('%')) {
            result += format[pos++];
            continue;
        }
        const Specifier parsed = parseSpecifier(format, pos);
        const QString written = format.mid(parsed.begin, parsed.end - parsed.begin);
        pos = parsed.end;
        if (!parsed.valid) {
            result += written;
            continue;
        }
        if (parsed.percent) {
            result += QLatin1Char('%');
            continue;
        }
        const int index = parsed.index.value_or(next);
        next = index + 1;
        if (index >= arguments.size() || !argumentFits(arguments[index], *kindOf(parsed.type))) {
            result += written;
            continue;
        }
        result += formatOne(parsed, arguments[index]);
    }
    return result;
}

bool FormatSpecifiersCompatible(const QString& sourceFormat, const QString& translatedFormat)
{
    const auto source = consumedArguments(sourceFormat);
    const auto translated = consumedArguments(translatedFormat);
    return source && translated && *source == *translated;
}

} // namespace fenster
