#include "DocumentSettings.h"

#include "DiskFiles.h"

#include <QFileInfo>

#include <array>
#include <limits>
#include <optional>
#include <vector>

namespace fenster {

namespace {

constexpr const char* kSection = "Settings";
constexpr std::array<const char*, 3> kKeys = { "Randlinks", "Randunten", "Bemassung" };

// One line of the file: its text and the line break that ended it (empty
// for a last line without one), so that a line can be written back as it was.
struct Line {
    QByteArray text;
    QByteArray lineBreak;
};

std::vector<Line> SplitLines(const QByteArray& bytes)
{
    std::vector<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            lines.push_back({ bytes.mid(start), {} });
            break;
        }
        qsizetype end = newline;
        if (end > start && bytes.at(end - 1) == '\r')
            --end;
        lines.push_back({ bytes.mid(start, end - start), bytes.mid(end, newline + 1 - end) });
        start = newline + 1;
    }
    return lines;
}

bool SameName(const QByteArray& a, const char* b)
{
    return a.compare(QByteArray(b), Qt::CaseInsensitive) == 0;
}

// The text of a line as the reader sees it: a UTF-8 byte-order mark in
// front of the first line is no part of it.
QByteArray Content(const std::vector<Line>& lines, std::size_t index)
{
    QByteArray text = lines[index].text;
    if (index == 0 && text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    return text.trimmed();
}

// The section name of a header line "[Name]", or nothing.
std::optional<QByteArray> SectionName(const QByteArray& content)
{
    if (!content.startsWith('['))
        return std::nullopt;
    const qsizetype close = content.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return content.mid(1, close - 1).trimmed();
}

// The key of an entry line "Key=Value"; comments and other lines have none.
std::optional<QByteArray> KeyName(const QByteArray& content)
{
    if (content.startsWith(';'))
        return std::nullopt;
    const qsizetype equals = content.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    return content.left(equals).trimmed();
}

// A whole number as the original platform's INI reader converts it:
// decimal with an optional sign, or hexadecimal after "$" or "0x".
std::optional<int> WholeNumber(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.mid(1, value.size() - 2).trimmed();
    bool negative = false;
    if (value.startsWith('-') || value.startsWith('+')) {
        negative = value.startsWith('-');
        value.remove(0, 1);
    }
    int base = 10;
    if (value.startsWith('$')) {
        base = 16;
        value.remove(0, 1);
    } else if (value.startsWith("0x") || value.startsWith("0X")) {
        base = 16;
        value.remove(0, 2);
    }
    if (value.isEmpty() || value.startsWith('+') || value.startsWith('-'))
        return std::nullopt;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok, base);
    const qlonglong signedNumber = negative ? -number : number;
    if (!ok || signedNumber < std::numeric_limits<int>::min() || signedNumber > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(signedNumber);
}

// The lines [first, last) of the first "Settings" section; first is 0 when there is none.
struct SectionRange {
    std::size_t first = 0;
    std::size_t last = 0;
    bool found = false;
};

SectionRange FindSettingsSection(const std::vector<Line>& lines)
{
    SectionRange range;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<QByteArray> name = SectionName(Content(lines, i));
        if (!name)
            continue;
        if (range.found) {
            range.last = i;
            return range;
        }
        if (SameName(*name, kSection)) {
            range.found = true;
            range.first = i + 1;
        }
    }
    range.last = lines.size();
    return range;
}

QByteArray ValueText(const DocumentSettings& settings, std::size_t key)
{
    switch (key) {
    case 0:
        return QByteArray::number(settings.Randlinks);
    case 1:
        return QByteArray::number(settings.Randunten);
    default:
        return settings.Bemassung ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
    }
}

} // namespace

DocumentSettings ParseDocumentSettings(const QByteArray& bytes)
{
    DocumentSettings settings;
    const std::vector<Line> lines = SplitLines(bytes);
    const SectionRange section = FindSettingsSection(lines);
    if (!section.found)
        return settings;
    std::array<bool, kKeys.size()> seen {};
    for (std::size_t i = section.first; i < section.last; ++i) {
        const QByteArray content = Content(lines, i);
        const std::optional<QByteArray> key = KeyName(content);
        if (!key)
            continue;
        for (std::size_t k = 0; k < kKeys.size(); ++k) {
            // The first entry of a key is the one that counts.
            if (seen[k] || !SameName(*key, kKeys[k]))
                continue;
            seen[k] = true;
            const std::optional<int> number = WholeNumber(content.mid(content.indexOf('=') + 1));
            if (!number)
                continue;
            if (k == 0)
                settings.Randlinks = *number;
            else if (k == 1)
                settings.Randunten = *number;
            else
                settings.Bemassung = *number != 0;
        }
    }
    return settings;
}

QByteArray UpdateDocumentSettings(const QByteArray& existing, const DocumentSettings& settings)
{
    std::vector<Line> lines = SplitLines(existing);
    SectionRange section = FindSettingsSection(lines);
    if (!section.found) {
        if (!lines.empty() && lines.back().lineBreak.isEmpty())
            lines.back().lineBreak = "\r\n";
        lines.push_back({ QByteArray("[") + kSection + "]", "\r\n" });
        section = { lines.size(), lines.size(), true };
    }
    for (std::size_t k = 0; k < kKeys.size(); ++k) {
        const QByteArray entry = QByteArray(kKeys[k]) + '=' + ValueText(settings, k);
        bool replaced = false;
        for (std::size_t i = section.first; i < section.last && !replaced; ++i) {
            const std::optional<QByteArray> key = KeyName(Content(lines, i));
            if (key && SameName(*key, kKeys[k])) {
                lines[i].text = entry;
                replaced = true;
            }
        }
        if (replaced)
            continue;
        // A new entry follows the section's last non-empty line.
        std::size_t at = section.last;
        while (at > section.first && Content(lines, at - 1).isEmpty())
            --at;
        if (at > 0 && lines[at - 1].lineBreak.isEmpty())
            lines[at - 1].lineBreak = "\r\n";
        lines.insert(lines.begin() + qsizetype(at), Line { entry, "\r\n" });
        ++section.last;
    }
    QByteArray bytes;
    for (const Line& line : lines)
        bytes += line.text + line.lineBreak;
    return bytes;
}

DocumentSettings ReadDocumentSettings(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    return ParseDocumentSettings(ReadFileBytes(path));
}

void WriteDocumentSettings(const QString& path, const DocumentSettings& settings)
{
    const QFileInfo info(path);
    const QByteArray existing = info.exists() || info.isSymLink() ? ReadFileBytes(path) : QByteArray();
    WriteFileAtomically(path, UpdateDocumentSettings(existing, settings));
}

} // namespace fenster
