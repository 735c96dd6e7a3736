#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

class QIODevice;

namespace fenster {

// A file that could not be read or written. The message names the file and
// is meant for the user as it is.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texts of the editor's hidden text controls (description, symbol list,
// dimension line list) travel as lines separated by CR LF, without a line
// break after the last line.

// Reads a whole text file. A UTF-8 or UTF-16 byte-order mark selects that
// encoding; otherwise the bytes are Windows-1252. Line breaks of any kind
// become CR LF; a line break at the very end closes the last line and adds
// no empty line. Throws FileError when the file cannot be read (also for a
// file above 16 MiB, which is not a text of this program).
QString ReadTextFile(const QString& path);

// Writes text exactly as Windows-1252 without byte-order mark, every line
// break as CR LF and nothing added at the end. A character Windows-1252
// lacks becomes "?". The file is replaced only when the new content is
// complete (see WriteFileAtomically). Throws FileError.
void WriteTextFile(const QString& path, const QString& text);

// Writes a file so that a failure never leaves a truncated or empty file
// where the old one was: the content goes to a temporary file in the same
// folder, which replaces the old file only after the writer succeeded and
// the data is on disk. writer returns false (or throws) on failure; the
// temporary file is then removed and FileError is thrown.
void WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer);
void WriteFileAtomically(const QString& path, const QByteArray& content);

// Line breaks of any kind (CR LF, CR, LF) as CR LF; one final line break dropped.
QString NormaliseLineBreaks(const QString& text);

} // namespace fenster
