#pragma once

#include <QString>

class QWidget;

namespace fenster {

// The file name part of path with every extension removed:
// "/x/Griff.BMP" gives "Griff", "a.b.c" gives "a", ".hidden" gives "".
QString FileNameWithoutExtensions(const QString& path);

// Raises and activates window; true when the window could be asked to come
// to the front.
bool ForceForeground(QWidget* window);

} // namespace fenster
