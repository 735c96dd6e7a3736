#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

namespace fenster {

// The language file's text form: one entry a line, "source~translation",
// "&" marking accelerators, "#13" and "#38" standing for a line break and
// an ampersand inside a text.

// Blanks are spaces and control characters, as the file format trims them.
bool IsLanguageBlank(QChar c);
QString TrimRightBlanks(const QString& text);
QString TrimBlanks(const QString& text);

// Decoding honours a UTF-8 or UTF-16 byte-order mark, otherwise reads
// Windows-1252; lines end at CR, LF or CR LF. Encoding writes Windows-1252
// without mark, CR LF after each line; a text with characters Windows-1252
// cannot hold (or whose bytes would begin like a byte-order mark) is written
// as UTF-8 with byte-order mark instead, so that no translation is lost.
QStringList DecodeLanguageFile(const QByteArray& bytes);
QByteArray EncodeLanguageFile(const QStringList& lines);

// The lines of the language file at path, read through the program's one
// bounded reader: a pipe, a folder or a file above 16 MiB is an unreadable
// file at once. Throws FileError.
QStringList ReadLanguageFile(const QString& path);
// Writes lines to path through the program's one atomic write: the old file
// stays as it was unless the new one is complete. Throws FileError.
void WriteLanguageFile(const QString& path, const QStringList& lines);

// "\r" -> "#13", "\n" removed, "&" -> "#38".
QString EncodeText(const QString& text);
// "#13" -> "\r", then "#38" -> "&".
QString DecodeText(const QString& text);
// Every "&" and "~" removed.
QString StripMarks(const QString& text);

} // namespace fenster
