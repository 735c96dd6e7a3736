#include "ConstantScaleOutput.h"

#include "EditorDocument.h"

#include "AnnotationLists.h"
#include "ConstantScale.h"
#include "Description.h"
#include "PictureOutput.h"

#include <stdexcept>

namespace fenster {

QImage RenderDocumentConstantScale(
    const EditorDocument& document, const DrawingOptions& options, PictureSource& pictures, double mmPerPixel)
{
    if (!(mmPerPixel > 0))
        throw std::invalid_argument("Der Skalierungsfaktor muss größer als 0 sein.");
    const std::string description = document.Memo1().toStdString();
    const std::string symbols = document.Memo2().toStdString();
    const std::string dimensionLines = document.Memo3().toStdString();
    const std::string symbolFolder = options.symbolFolder.toStdString();
    const int selectedSymbol = document.SelectedSymbol();
    ConstantScaleJob job;
    job.description = description;
    job.mmPerPixel = mmPerPixel;
    job.overallHeight = document.model().height();
    job.overallWidth = document.model().width();
    job.leftMargin = document.leftMargin();
    job.bottomMargin = document.bottomMargin();
    job.edgeDimensions = options.edgeDimensions;
    job.selectedField = document.SelectedField();
    job.selectedRow = document.SelectedRow();
    job.annotations = [&](Canvas& canvas) {
        DrawDimensionList(canvas, dimensionLines);
        DrawSymbolList(canvas, symbols, symbolFolder, selectedSymbol, pictures);
    };
    return RenderConstantScale(options.font, std::move(job)).image;
}

void ExportDocumentConstantScale(const EditorDocument& document, const DrawingOptions& options,
    PictureSource& pictures, const QString& fileName)
{
    WritePicture(RenderDocumentConstantScale(document, options, pictures, document.constantScale()), fileName,
        PictureFormat::Bmp);
}

} // namespace fenster
