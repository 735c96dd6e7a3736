#include "TextFiles.h"

#include "CodePage.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace fenster {

namespace {

constexpr qint64 kMaxTextFileBytes = qint64(16) << 20;

QString FileMessage(const char* format, const QString& path, const QString& reason)
{
    return QString::fromUtf8(format).arg(path, reason);
}

} // namespace

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

QString ReadTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileMessage("Datei %1 kann nicht geöffnet werden. %2", path, file.errorString()).toStdString());
    if (file.size() > kMaxTextFileBytes)
        throw FileError(
            FileMessage("Datei %1 kann nicht geöffnet werden. %2", path, QStringLiteral("Die Datei ist zu groß."))
                .toStdString());
    const QByteArray bytes = file.read(kMaxTextFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxTextFileBytes)
        throw FileError(FileMessage("Datei %1 kann nicht gelesen werden. %2", path, file.errorString()).toStdString());

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

void WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(FileMessage("Datei %1 kann nicht erstellt werden. %2", path, file.errorString()).toStdString());
    bool written = false;
    try {
        written = writer(file);
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!written) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(FileMessage("Datei %1 kann nicht geschrieben werden. %2", path, reason).toStdString());
    }
    if (!file.commit())
        throw FileError(
            FileMessage("Datei %1 kann nicht geschrieben werden. %2", path, file.errorString()).toStdString());
}

void WriteFileAtomically(const QString& path, const QByteArray& content)
{
    WriteFileAtomically(path, [&content](QIODevice& device) { return device.write(content) == content.size(); });
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
