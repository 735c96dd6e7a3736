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
    Specifier spec;
    spec.begin = begin;
    qsizetype pos = begin + 1;
    spec.end = pos;
    if (pos < format.size() && format[pos] == QLatin1Char('%')) {
        spec.percent = true;
        spec.valid = true;
        spec.end = pos + 1;
        return spec;
    }
    // An index is a number followed by ":"; otherwise the number is a width.
    qsizetype afterNumber = pos;
    if (auto number = readNumber(format, afterNumber);
        number && afterNumber < format.size() && format[afterNumber] == QLatin1Char(':')) {
        spec.index = *number;
        pos = afterNumber + 1;
    }
    if (pos < format.size() && format[pos] == QLatin1Char('-')) {
        spec.leftJustify = true;
        ++pos;
    }
    spec.width = readNumber(format, pos);
    if (pos < format.size() && format[pos] == QLatin1Char('.')) {
        ++pos;
        spec.precision = readNumber(format, pos);
        if (!spec.precision) {
            spec.end = pos;
            return spec;
        }
    }
    if (pos >= format.size()) {
        spec.end = pos;
        return spec;
    }
    spec.type = format[pos].toLower();
    spec.end = pos + 1;
    const bool knownType = QStringLiteral("duxefgnms").contains(spec.type);
    const bool sane = (!spec.width || *spec.width <= MaxFieldWidth)
        && (!spec.precision || *spec.precision <= MaxFieldWidth)
        && (!spec.index || *spec.index <= MaxFieldWidth);
    spec.valid = knownType && sane;
    return spec;
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

QString pad(QString text, const Specifier& spec)
{
    if (spec.width && text.size() < *spec.width) {
        const QString fill(*spec.width - text.size(), QLatin1Char(' '));
        text = spec.leftJustify ? text + fill : fill + text;
    }
    return text;
}

QString integerDigits(qint64 value, const Specifier& spec, int base)
{
    const bool negative = value < 0;
    // The magnitude of the most negative value still fits an unsigned number.
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude, base).toUpper();
    if (spec.precision && digits.size() < *spec.precision)
        digits.prepend(QString(*spec.precision - digits.size(), QLatin1Char('0')));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString formatOne(const Specifier& spec, const FormatArg& arg)
{
    const QLocale locale;
    switch (spec.type.unicode()) {
    case 'd':
        return pad(integerDigits(arg.integer(), spec, 10), spec);
    case 'u': {
        // Negative values show as their 32-bit unsigned counterpart.
        qint64 value = arg.integer();
        if (value < 0 && value >= INT32_MIN)
            value = qint64(quint32(qint32(value)));
        return pad(integerDigits(value, spec, 10), spec);
    }
    case 'x': {
        qint64 value = arg.integer();
        if (value < 0 && value >= INT32_MIN)
            value = qint64(quint32(qint32(value)));
        return pad(integerDigits(value, spec, 16), spec);
    }
    case 's': {
        QString text = arg.text();
        if (spec.precision && text.size() > *spec.precision)
            text.truncate(*spec.precision);
        return pad(text, spec);
    }
    default:
        break;
    }
    const double value = arg.isReal() ? arg.real() : double(arg.integer());
    switch (spec.type.unicode()) {
    case 'e':
        return pad(locale.toString(value, 'E', spec.precision.value_or(15) - 1), spec);
    case 'f':
        return pad(QString(locale.toString(value, 'f', spec.precision.value_or(2)))
                       .remove(locale.groupSeparator()),
            spec);
    case 'g':
        return pad(QString(locale.toString(value, 'g', spec.precision.value_or(15)))
                       .remove(locale.groupSeparator()),
            spec);
    case 'n':
        return pad(locale.toString(value, 'f', spec.precision.value_or(2)), spec);
    case 'm':
        return pad(locale.toCurrencyString(value, QString(), spec.precision.value_or(2)), spec);
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
        const Specifier spec = parseSpecifier(format, pos);
        pos = spec.end;
        if (!spec.valid)
            return std::nullopt;
        if (spec.percent)
            continue;
        const int index = spec.index.value_or(next);
        next = index + 1;
        used.append({index, *kindOf(spec.type)});
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
        const Specifier spec = parseSpecifier(format, pos);
        const QString written = format.mid(spec.begin, spec.end - spec.begin);
        pos = spec.end;
        if (!spec.valid) {
            result += written;
            continue;
        }
        if (spec.percent) {
            result += QLatin1Char('%');
            continue;
        }
        const int index = spec.index.value_or(next);
        next = index + 1;
        if (index >= arguments.size() || !argumentFits(arguments[index], *kindOf(spec.type))) {
            result += written;
            continue;
        }
        result += formatOne(spec, arguments[index]);
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
