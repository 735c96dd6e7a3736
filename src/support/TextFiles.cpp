#include "TextFiles.h"

#include "CodePage.h"

#include <QStringDecoder>

namespace fenster {

QString NormaliseLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result += QStringLiteral("\r\n");
        } else if (ch == u'\n') {
            result += QStringLiteral("\r\n");
        } else {
            result += ch;
        }
    }
    if (result.endsWith(QStringLiteral("\r\n")))
        result.chop(2);
    return result;
}

QString DecodeTextBytes(const QByteArray& bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
    } else {
        text = DecodeWindows1252(bytes);
    }
    return NormaliseLineBreaks(text);
}

QString ReadTextFile(const QString& path)
{
    return DecodeTextBytes(ReadFileBytes(path));
}

void WriteTextFile(const QString& path, const QString& text)
{
    // Lone CR or LF become CR LF as well, but nothing is added after the last line.
    QString lines;
    lines.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            lines += QStringLiteral("\r\n");
        } else if (ch == u'\n') {
            lines += QStringLiteral("\r\n");
        } else {
            lines += ch;
        }
    }
    WriteFileAtomically(path, EncodeWindows1252(lines));
}

} // namespace fenster
