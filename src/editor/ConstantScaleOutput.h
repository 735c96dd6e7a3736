#pragma once

#include "Engine.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace fenster {

class EditorDocument;
class PictureSource;

// What a drawing of the document needs beyond the document itself.
struct DrawingOptions {
    QFont font;
    EdgeDimensions edgeDimensions = EdgeDimensions::On;
    QString symbolFolder;
};

// The document drawn afresh at mmPerPixel millimetres per pixel with its
// margins and selection, cropped to its content. Off the screen: what the
// mouse reads of the drawing area stays as it was. Throws DataFileError on
// a bad field width, AnnotationListError on a bad list,
// std::invalid_argument for a scale that is not above 0.
QImage RenderDocumentConstantScale(
    const EditorDocument& document, const DrawingOptions& options, PictureSource& pictures, double mmPerPixel);

// That picture at the document's constant scale as a 24-bit BMP file; the
// old file is replaced only when the new one is complete.
void ExportDocumentConstantScale(const EditorDocument& document, const DrawingOptions& options,
    PictureSource& pictures, const QString& fileName);

} // namespace fenster
