#include "CodePage.h"

#include <QList>

#include <array>

namespace fenster {

namespace {

// Windows-1252 at 0x80..0x9F, indexed by byte - 0x80.
constexpr std::array<char16_t, 32> kHighRow = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

// The byte for a code point, or nullopt when the code page lacks it.
std::optional<char> byteFor(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHighRow.size(); ++i) {
        if (kHighRow[i] == c)
            return char(0x80 + i);
    }
    return std::nullopt;
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(kHighRow[byte - 0x80]) : QChar(byte);
    }
    return text;
}

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        bytes.append(byteFor(c).value_or('?'));
    return bytes;
}

std::optional<QByteArray> EncodeWindows1252Exact(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        const std::optional<char> byte = byteFor(c);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

} // namespace fenster
