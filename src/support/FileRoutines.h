#pragma once

#include <QString>

class QWindow;

namespace fenster {

// The file name part of path with every extension removed:
// "/x/Griff.BMP" gives "Griff", "a.b.c" gives "a", ".hidden" gives "".
QString FileNameWithoutExtensions(const QString& path);

// Restores, raises and activates window; true when the window could be asked
// to come to the front (false for no window, e.g. a widget not yet shown).
bool ForceForeground(QWindow* window);

} // namespace fenster
