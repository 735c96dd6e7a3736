#pragma once

#include "DiskFiles.h"

#include <QByteArray>
#include <QString>

namespace fenster {

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

// The text of a file's bytes: a UTF-8 or UTF-16 byte-order mark selects that
// encoding, otherwise Windows-1252; line breaks as NormaliseLineBreaks.
QString DecodeTextBytes(const QByteArray& bytes);

// Line breaks of any kind (CR LF, CR, LF) as CR LF; one final line break dropped.
QString NormaliseLineBreaks(const QString& text);

} // namespace fenster
