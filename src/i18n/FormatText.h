#pragma once

#include <QList>
#include <QString>

#include <concepts>
#include <variant>

namespace fenster {

// One argument of a format string: an integer, a real or a text. Integers
// and reals convert implicitly so that callers can write
// TranslateFormat("Höhe %d von %d", {row, rowCount}).
class FormatArg {
public:
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    FormatArg(T value)
        : m_value(qint64(value))
    {
    }
    template <std::floating_point T>
    FormatArg(T value)
        : m_value(double(value))
    {
    }
    FormatArg(const QString& value)
        : m_value(value)
    {
    }
    FormatArg(const char* value)
        : m_value(QString::fromUtf8(value))
    {
    }

    bool isInteger() const { return std::holds_alternative<qint64>(m_value); }
    bool isReal() const { return std::holds_alternative<double>(m_value); }
    bool isText() const { return std::holds_alternative<QString>(m_value); }
    qint64 integer() const { return std::get<qint64>(m_value); }
    double real() const { return std::get<double>(m_value); }
    const QString& text() const { return std::get<QString>(m_value); }

private:
    std::variant<qint64, double, QString> m_value;
};

using FormatArgs = QList<FormatArg>;

// Fills format with arguments by the classic format-string rules:
// "%" [index ":"] ["-"] [width] ["." precision] type, with the types
// d (decimal), u (unsigned), x (hexadecimal, upper case), e, f, g, n, m
// (reals: scientific, fixed, general, with thousands separators, money)
// and s (text); "%%" gives "%". A specifier that is malformed, that has no
// argument left, or whose argument is of another kind (an integer for %s, a
// text for %d, a real for %d) is copied to the result as written instead
// of being filled, so that a bad format never fails.
QString FormatText(const QString& format, const FormatArgs& arguments);

// True when both formats consume the same arguments as the same kinds
// (integer, real or text), in any order; a malformed specifier in either
// makes them not compatible. The translator uses a translated format only
// when it is compatible with the German one, so that a language file can
// never change how the program's arguments are read.
bool FormatSpecifiersCompatible(const QString& sourceFormat, const QString& translatedFormat);

} // namespace fenster
