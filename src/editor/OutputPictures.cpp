#include "OutputPictures.h"

#include "EditorDocument.h"
#include "Window.h"

#include "AnnotationLists.h"
#include "ConstantScale.h"
#include "DrawWindow.h"
#include "PictureOutput.h"
#include "QtCanvas.h"
#include "Raster.h"

#include <QBuffer>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

#include <stdexcept>

namespace fenster {

OutputDrawing OutputDrawing::of(const EditorDocument& document, const QString& symbolFolder, PictureSource& pictures)
{
    OutputDrawing drawing;
    drawing.description = document.Memo1().toStdString();
    drawing.symbols = document.Memo2().toStdString();
    drawing.dimensionLines = document.Memo3().toStdString();
    drawing.symbolFolder = symbolFolder.toStdString();
    drawing.overallHeight = document.model().height();
    drawing.overallWidth = document.model().width();
    drawing.selectedDimLine = document.SelectedDimLine();
    drawing.pictures = &pictures;
    return drawing;
}

void DrawVectorOutput(QPainter& painter, int leftMargin, int bottomMargin, OutputSize box, const OutputDrawing& drawing)
{
    QtCanvas canvas(painter);
    canvas.setPen(Pen { kWhite });
    canvas.setPen(Pen {});
    DrawWindow(canvas, leftMargin, bottomMargin, box.width, box.height, drawing.description, EdgeDimensions::On, -1,
        -1, 0);
    Engine().SelectedDimLine = drawing.selectedDimLine;
    DrawDimensionList(canvas, drawing.dimensionLines);
    if (drawing.pictures)
        DrawSymbolList(canvas, drawing.symbols, drawing.symbolFolder, -1, *drawing.pictures);
}

std::unique_ptr<QMimeData> VectorCopyMimeData(OutputSize paintArea, const OutputDrawing& drawing)
{
    const OutputSize picture = VectorCopySize(paintArea.width, paintArea.height, drawing.overallHeight,
        drawing.overallWidth);
    const OutputSize box = VectorCopyBox(picture);
    const QSize size(std::max(1, picture.width), std::max(1, picture.height));
    const auto draw = [&](QPainter& painter) { DrawVectorOutput(painter, 0, 0, box, drawing); };

    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/svg+xml"), VectorPictureBytes(PictureFormat::Svg, size, draw));
    data->setData(QStringLiteral("application/pdf"), VectorPictureBytes(PictureFormat::Pdf, size, draw));
    QImage image = WhitePicture({ size.width(), size.height() });
    {
        QPainter painter(&image);
        draw(painter);
    }
    data->setImageData(image);
    return data;
}

void PaintVectorPage(QPainter& painter, OutputSize page, const OutputDrawing& drawing)
{
    const PrintLayout layout = PrintLayoutFor(page.width, page.height, drawing.overallHeight, drawing.overallWidth);
    DrawVectorOutput(painter, layout.leftMargin, layout.bottomMargin, layout.box, drawing);
}

QImage ShiftedScreenCopy(const QImage& screen)
{
    QImage shifted(screen.size(), QImage::Format_RGB32);
    shifted.fill(Qt::white);
    const OutputRect target = ShiftedScreenCopyRect(screen.width(), screen.height());
    QPainter painter(&shifted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(target.left, target.top, target.width, target.height), screen);
    return shifted;
}

void PaintBitmapPage(QPainter& painter, OutputSize page, const QImage& shifted)
{
    const OutputRect target = BitmapPrintRect(page.width, page.height);
    painter.drawImage(QRect(target.left, target.top, target.width, target.height), shifted);
}

QImage TrimmedToContent(const QImage& image)
{
    if (image.isNull())
        return image;
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    const PixelRect keep = ContentRect(reinterpret_cast<const std::uint32_t*>(opaque.constBits()), opaque.width(),
        opaque.height(), opaque.bytesPerLine() / 4, 250, ContentIs::Darker);
    if (keep.left == 0 && keep.top == 0 && keep.right == opaque.width() && keep.bottom == opaque.height())
        return opaque;
    return opaque.copy(keep.left, keep.top, keep.width(), keep.height());
}

QByteArray PdfPageBytes(const std::function<void(QPainter&, OutputSize)>& paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Fensterdaten"));
        QPainter painter;
        if (!painter.begin(&writer))
            throw std::runtime_error("Die PDF-Seite lässt sich nicht anlegen.");
        paint(painter, { writer.width(), writer.height() });
        if (!painter.end())
            throw std::runtime_error("Die PDF-Seite lässt sich nicht abschließen.");
    }
    buffer.close();
    if (bytes.isEmpty())
        throw std::runtime_error("Die PDF-Seite ist leer geblieben.");
    return bytes;
}

} // namespace fenster
