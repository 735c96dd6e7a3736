#pragma once

#include <QByteArray>
#include <QString>

namespace fenster {

// The settings companion of a window document (".fn4") or a standard
// window (".st4"): an INI file whose section "Settings" holds the drawing
// margins and the edge dimension switch. Section and key names match
// without regard to letter case, spaces around names and values do not
// count, and a value that is not a whole number is missing.
struct DocumentSettings {
    int Randlinks = 20; // pixels: left drawing margin
    int Randunten = 20; // pixels: bottom drawing margin
    bool Bemassung = true; // edge dimensions shown; stored as "1" or "0", any non-zero number is on
    friend bool operator==(const DocumentSettings&, const DocumentSettings&) = default;
};

// The settings held by the bytes of a settings file; every key that is
// missing or not a number keeps its default.
DocumentSettings ParseDocumentSettings(const QByteArray& bytes);

// The bytes of a settings file after writing settings into existing: the
// three keys are replaced where they stand in the first "Settings" section
// and missing ones are added after its last entry, in the order
// "Randlinks", "Randunten", "Bemassung"; a missing section is added at the
// end. Every other byte, line breaks included, stays as it was.
QByteArray UpdateDocumentSettings(const QByteArray& existing, const DocumentSettings& settings);

// The settings of the file at path: the defaults when there is no such file.
// Throws FileError when a file is there but cannot be read (a folder, no
// permission, larger than any settings file).
DocumentSettings ReadDocumentSettings(const QString& path);

// Writes settings into the file at path, keeping its other lines; the file
// is replaced only when complete. Throws FileError, also when an existing
// file cannot be read, so that its other lines are never lost.
void WriteDocumentSettings(const QString& path, const DocumentSettings& settings);

} // namespace fenster
