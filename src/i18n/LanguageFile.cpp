#include "LanguageFile.h"

#include "CodePage.h"
#include "DiskFiles.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace fenster {

namespace {

// A language file is a few hundred short lines; anything far larger is not
// one, and reading it would only cost memory.
constexpr qint64 MaxLanguageFileSize = 16 * 1024 * 1024;

// A surrogate without its partner cannot be written back in any encoding;
// it becomes the replacement character as soon as it is read.
QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, pos - start));
        if (c == QLatin1Char('\r') && pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\n'))
            ++pos;
        start = pos + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

} // namespace

bool IsLanguageBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString TrimRightBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && IsLanguageBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    while (begin < text.size() && IsLanguageBlank(text[begin]))
        ++begin;
    return TrimRightBlanks(text.mid(begin));
}

QStringList DecodeLanguageFile(const QByteArray& bytes)
{
    // The mark itself is skipped here; a second one after it is text.
    auto decode = [&bytes](QStringConverter::Encoding encoding, qsizetype markSize) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
        return QString(decoder(QByteArrayView(bytes).sliced(markSize)));
    };
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text = decode(QStringConverter::Utf8, 3);
    else if (bytes.startsWith("\xFF\xFE"))
        text = decode(QStringConverter::Utf16LE, 2);
    else if (bytes.startsWith("\xFE\xFF"))
        text = decode(QStringConverter::Utf16BE, 2);
    else
        text = DecodeWindows1252(bytes);
    return splitLines(withoutLoneSurrogates(text));
}

QByteArray EncodeLanguageFile(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    text = withoutLoneSurrogates(text);
    // Bytes that would read back as a byte-order mark are written as UTF-8.
    const std::optional<QByteArray> bytes = EncodeWindows1252Exact(text);
    if (bytes && !bytes->startsWith("\xEF\xBB\xBF") && !bytes->startsWith("\xFF\xFE")
        && !bytes->startsWith("\xFE\xFF"))
        return *bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QStringList ReadLanguageFile(const QString& path)
{
    return DecodeLanguageFile(ReadFileBytes(path, MaxLanguageFileSize));
}

void WriteLanguageFile(const QString& path, const QStringList& lines)
{
    WriteFileAtomically(path, EncodeLanguageFile(lines));
}

QString EncodeText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QLatin1String("#13"));
    result.remove(QLatin1Char('\n'));
    result.replace(QLatin1Char('&'), QLatin1String("#38"));
    return result;
}

QString DecodeText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1String("#13"), QLatin1String("\r"));
    result.replace(QLatin1String("#38"), QLatin1String("&"));
    return result;
}

QString StripMarks(const QString& text)
{
    QString result = text;
    result.remove(QLatin1Char('&'));
    result.remove(QLatin1Char('~'));
    return result;
}

} // namespace fenster
