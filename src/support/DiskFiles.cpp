#include "DiskFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fenster {

namespace {

QString FileMessage(const char* format, const QString& path, const QString& reason)
{
    return QString::fromUtf8(format).arg(path, reason);
}

} // namespace

QByteArray ReadFileBytes(const QString& path, qint64 maxBytes)
{
    // FIXME: checks the kind of file before opening it; the check and the
    // open are not yet one step.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        throw FileError(FileMessage("Datei %1 kann nicht geöffnet werden. %2", path,
            QStringLiteral("Das ist keine gewöhnliche Datei."))
                            .toStdString());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(FileMessage("Datei %1 kann nicht geöffnet werden. %2", path, file.errorString()).toStdString());
    if (file.size() > maxBytes)
        throw FileError(
            FileMessage("Datei %1 kann nicht geöffnet werden. %2", path, QStringLiteral("Die Datei ist zu groß."))
                .toStdString());
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        throw FileError(FileMessage("Datei %1 kann nicht gelesen werden. %2", path, file.errorString()).toStdString());
    if (bytes.size() > maxBytes)
        throw FileError(
            FileMessage("Datei %1 kann nicht gelesen werden. %2", path, QStringLiteral("Die Datei ist zu groß."))
                .toStdString());
    return bytes;
}

void WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer)
{
    // FIXME: QSaveFile leaves a failed flush of a small buffer unseen.
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

} // namespace fenster
