#pragma once

#include <QImage>
#include <QString>

namespace fenster {

// Writes a 32-bit opaque image as PNG, fast: a palette of up to 256 colours
// when the drawing has no more (it seldom has), 24-bit colour otherwise; rows
// unfiltered and compressed at zlib's fastest level. False when the file
// cannot be written.
bool WriteFastPng(const QImage& image, const QString& path);

} // namespace fenster
