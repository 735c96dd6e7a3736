#pragma once

#include <QImage>

class QMimeData;

namespace fenster {

// What a thumbnail hands over when it is dragged: a copy of its bitmap that
// arrives pixel for pixel, alpha included. The mime data carries it twice:
// as the toolkit's own image ("application/x-qt-image", for a drop inside
// the program) and as PNG ("image/png", for other programs).

// New mime data holding bitmap (converted to 32-bit ARGB); the caller owns
// it (a QDrag takes it over).
QMimeData* BitmapMimeData(const QImage& bitmap);

// The bitmap a drop carries, as 32-bit ARGB: the toolkit's image if there is
// one, else the PNG. A null image when the data holds neither, or a PNG that
// does not decode.
QImage BitmapFromMimeData(const QMimeData& data);

// The picture shown under the mouse while dragging: the bitmap with every
// pixel of its bottom-left pixel's colour made transparent (alpha does not
// count in the comparison). A null bitmap gives a null picture.
QImage DragImage(const QImage& bitmap);

} // namespace fenster
