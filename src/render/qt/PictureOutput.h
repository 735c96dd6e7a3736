#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>

class QPainter;

namespace fenster {

// The picture files the programs write. Every one goes to disk through
// WriteFileAtomically: an old file stays as it was unless the new one is
// complete.
enum class PictureFormat { Png, Bmp, Svg, Pdf };

// The format a file name extension ("png", "BMP", ...) names; nullopt for
// any other.
std::optional<PictureFormat> PictureFormatOf(const QString& extension);

// A 32-bit opaque image as PNG, fast: a palette of up to 256 colours when
// the drawing has no more (it seldom has), 24-bit colour otherwise; rows
// unfiltered and compressed at zlib's fastest level. Empty for an empty
// image.
QByteArray EncodeFastPng(const QImage& image);

// Writes a bitmap as PNG (EncodeFastPng) or as BMP with 24 bits per pixel,
// as host programs read them. format must be Png or Bmp. Throws FileError
// naming the file and the cause.
void WritePicture(const QImage& image, const QString& path, PictureFormat format);

// Writes a picture of size pixels at 96 dpi as SVG or PDF: draw paints it
// with the painter's origin at the top-left corner, on white. format must be
// Svg or Pdf. Throws FileError; an exception from draw passes through and
// nothing is written.
void WriteVectorPicture(const QString& path, PictureFormat format, QSize size,
    const std::function<void(QPainter&)>& draw);

// A vector picture could not be painted (the painter refused its device).
class PictureNotDrawnError : public std::runtime_error {
public:
    PictureNotDrawnError();
};

// The bytes WriteVectorPicture would write, for the clipboard: SVG or PDF
// of size pixels at 96 dpi. Throws PictureNotDrawnError; an exception from
// draw passes through.
QByteArray VectorPictureBytes(PictureFormat format, QSize size, const std::function<void(QPainter&)>& draw);

} // namespace fenster
