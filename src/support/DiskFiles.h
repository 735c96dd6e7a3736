#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

namespace fenster {

// A file that could not be read or written. The message names the file and
// the real cause and is meant for the user as it is.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No file this program reads is larger: descriptions, lists, settings,
// language files and symbol pictures are all far smaller.
inline constexpr qint64 kMaxReadFileBytes = qint64(16) << 20;

// The one routine that reads files: only a regular file (a folder, a FIFO or
// a device is refused at once, without waiting), at most maxBytes bytes.
// Throws FileError naming the file and the cause.
QByteArray ReadFileBytes(const QString& path, qint64 maxBytes = kMaxReadFileBytes);

// The one routine that writes files: the content goes to a temporary file in
// the same folder, which replaces the old file only after every write, the
// flush and the sync to disk succeeded. On any failure the temporary file is
// removed, the old file stays as it was and FileError reports the real cause
// (a full disk as such). writer returns false (or throws) on failure.
void WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer);
void WriteFileAtomically(const QString& path, const QByteArray& content);

} // namespace fenster
