#pragma once

#include "OutputLayout.h"

#include <QImage>
#include <QString>

#include <memory>
#include <string>

class QMimeData;
class QPagedPaintDevice;
class QPainter;

namespace fenster {

class EditorDocument;
class PictureSource;

// The document's texts and what else a drawing for output needs, taken at
// the start of a command so that nothing changes under the drawing.
struct OutputDrawing {
    std::string description;
    std::string symbols;
    std::string dimensionLines;
    std::string symbolFolder;
    int overallHeight = 0; // mm
    int overallWidth = 0; // mm
    int selectedDimLine = 0; // keeps its highlight colour in every output
    PictureSource* pictures = nullptr;

    static OutputDrawing of(const EditorDocument& document, const QString& symbolFolder, PictureSource& pictures);
};

// The window as vectors in the painter's default font: DrawWindow with the
// margins and box given, edge dimensions always on, nothing selected, fitted;
// then the dimension line list and the symbol list without a selected
// symbol. Throws what the drawing routines throw.
void DrawVectorOutput(QPainter& painter, int leftMargin, int bottomMargin, OutputSize box, const OutputDrawing& drawing);

// The vector copy of a drawing area of paintArea pixels: the same drawing
// as SVG ("image/svg+xml"), PDF ("application/pdf") and a bitmap (for
// programs that take only pictures), sized by VectorCopySize.
std::unique_ptr<QMimeData> VectorCopyMimeData(OutputSize paintArea, const OutputDrawing& drawing);

// The printout on one page of device: margins and box of PrintLayoutFor
// in the device's pixels. The page must be open; a painter that cannot
// begin on it is an error. Throws std::runtime_error then, and what the
// drawing routines throw.
void PaintVectorPage(QPainter& painter, OutputSize page, const OutputDrawing& drawing);

// The bitmap printed by "Fenster drucken (als Bitmap)": the paint box's
// picture squeezed 20 pixels from the left on a white bitmap of its size.
QImage ShiftedScreenCopy(const QImage& screen);
// That bitmap stretched onto BitmapPrintRect of a page of page pixels.
void PaintBitmapPage(QPainter& painter, OutputSize page, const QImage& shifted);

// The image cropped to the pixels darker than 250, as TrimToContent crops;
// unchanged when nothing would be cut.
QImage TrimmedToContent(const QImage& image);

// One page of paper-sized PDF (A4 at 300 dpi) painted by paint, as bytes.
// Throws std::runtime_error when the page cannot be painted; an exception
// from paint passes through.
QByteArray PdfPageBytes(const std::function<void(QPainter&, OutputSize)>& paint);

} // namespace fenster
