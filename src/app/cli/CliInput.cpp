#include "CliInput.h"

#include "CodePage.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>

namespace fenster {

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// UTF-16 without its mark; unpaired surrogates and a stray last byte become U+FFFD.
std::string fromUtf16(std::string_view bytes, bool bigEndian)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](std::size_t i) {
        const unsigned a = static_cast<unsigned char>(bytes[i]);
        const unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        return char32_t(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
    }
    if (i < bytes.size())
        appendUtf8(out, 0xFFFD);
    return out;
}

std::string normaliseLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    if (out.size() >= 2 && out.ends_with("\r\n"))
        out.resize(out.size() - 2);
    return out;
}

// Reads at most limit + 1 bytes, so that an oversized input is noticed
// without being held in full.
bool readBounded(std::istream& stream, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    while (stream && bytes.size() <= CliMaxInputBytes) {
        stream.read(buffer, sizeof buffer);
        bytes.append(buffer, std::size_t(stream.gcount()));
    }
    return !stream.bad();
}

} // namespace

std::string DecodeTextFileBytes(std::string_view bytes)
{
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        text = std::string(bytes.substr(3));
    else if (bytes.starts_with("\xFF\xFE"))
        text = fromUtf16(bytes.substr(2), false);
    else if (bytes.starts_with("\xFE\xFF"))
        text = fromUtf16(bytes.substr(2), true);
    else
        text = DecodeWindows1252(QByteArrayView(bytes.data(), qsizetype(bytes.size()))).toStdString();
    return normaliseLineBreaks(text);
}

std::optional<std::string> ReadCliInput(const std::string& path, CliContext& context)
{
    const bool standardInput = path.empty() || path == "-";
    const std::string name = standardInput ? std::string("standard input") : "\"" + path + "\"";
    std::string bytes;
    bool ok = false;
    if (standardInput) {
        ok = readBounded(context.in, bytes);
    } else {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            const int error = errno;
            context.err << "fensterdaten-cli: cannot open " << name << ": "
                        << (error ? std::strerror(error) : "unknown error") << '\n';
            return std::nullopt;
        }
        ok = readBounded(file, bytes);
    }
    if (!ok) {
        // A folder opens on Linux but cannot be read.
        context.err << "fensterdaten-cli: cannot read " << name << '\n';
        return std::nullopt;
    }
    if (bytes.size() > CliMaxInputBytes) {
        context.err << "fensterdaten-cli: " << name << " is larger than " << (CliMaxInputBytes >> 20)
                    << " MiB and is not a window description\n";
        return std::nullopt;
    }
    return DecodeTextFileBytes(bytes);
}

} // namespace fenster
