#include "Output.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "OutputScope.h"

#include "MessageBox.h"
#include "PictureOutput.h"

#include "DiskFiles.h"
#include "FileRoutines.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <stdexcept>

namespace fenster {

namespace {

const char* const kBitmapExtension = "BMP";
const char* const kBitmapFilter = "Bitmap (*.BMP)|*.BMP";

// Runs one print job on target with paint; a job that cannot start, fails
// while drawing or is not accepted at the end is an error, and a job that
// failed while drawing is withdrawn rather than sent half-drawn.
void RunPrintJob(QPrinter& target, const std::function<void(QPainter&, OutputSize)>& paint)
{
    QPainter painter;
    if (!painter.begin(&target))
        throw std::runtime_error(
            QStringLiteral("Der Druckauftrag für \"%1\" lässt sich nicht starten.").arg(target.printerName()).toStdString());
    try {
        paint(painter, { target.width(), target.height() });
    } catch (...) {
        target.abort();
        painter.end();
        throw;
    }
    if (!painter.end() || target.printerState() == QPrinter::Error)
        throw std::runtime_error(
            QStringLiteral("Der Druckauftrag für \"%1\" ist fehlgeschlagen.").arg(target.printerName()).toStdString());
}

} // namespace

void PutOnSystemClipboard(std::unique_ptr<QMimeData> data)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QStringList formats = data->formats();
    clipboard->setMimeData(data.release());
    const QMimeData* now = clipboard->mimeData();
    bool held = now != nullptr;
    for (const QString& format : formats)
        held = held && now->hasFormat(format);
    if (!held)
        throw std::runtime_error("Die Zeichnung konnte nicht in die Zwischenablage gelegt werden.");
}

Output::Output(EditorDocument& document, DrawingArea& area, PictureSource& pictures,
    ChooseFileToSave chooseFileToSave, QWidget& window, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_area(area)
    , m_pictures(pictures)
    , m_chooseFileToSave(std::move(chooseFileToSave))
    , m_window(window)
{
    setObjectName(QStringLiteral("Output"));
    m_surroundings.putOnClipboard = PutOnSystemClipboard;
    m_surroundings.confirm = [](const QString& caption, const QString& text) { return Confirm(caption, text) == 1; };
}

Output::~Output() = default;

void Output::setSurroundings(Surroundings surroundings)
{
    if (surroundings.putOnClipboard)
        m_surroundings.putOnClipboard = std::move(surroundings.putOnClipboard);
    if (surroundings.confirm)
        m_surroundings.confirm = std::move(surroundings.confirm);
}

OutputDrawing Output::drawing() const
{
    return OutputDrawing::of(m_document, m_area.options().symbolFolder, m_pictures);
}

QImage Output::CopyDrawingToBitmap()
{
    Engine().HighlightSelection = false;
    // What the screen shows from now on, and the same drawing into the copy.
    m_area.update();
    QImage image(m_area.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    m_area.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return m_optimizedSize ? TrimmedToContent(image) : image;
}

QImage Output::RenderConstantScale(double mmPerPixel) const
{
    return RenderDocumentConstantScale(m_document, m_area.options(), m_pictures, mmPerPixel);
}

void Output::ExportScreenBitmap(const QString& fileName)
{
    OutputScope scope(&m_window);
    WritePicture(CopyDrawingToBitmap(), fileName, PictureFormat::Bmp);
}

void Output::ExportConstantScale(const QString& fileName)
{
    OutputScope scope(&m_window);
    ExportDocumentConstantScale(m_document, m_area.options(), m_pictures, fileName);
}

std::unique_ptr<QMimeData> Output::VectorCopy() const
{
    OutputScope scope;
    return VectorCopyMimeData({ m_area.width(), m_area.height() }, drawing());
}

QPrinter& Output::printer()
{
    // Made on first use: the default printer is the one of the moment the
    // user first prints.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

bool Output::havePrinter()
{
    QPrinter& target = printer();
    if (target.outputFormat() == QPrinter::PdfFormat)
        return !target.outputFileName().isEmpty();
    if (target.printerName().isEmpty()) {
        // A printer installed since the printer was made becomes the one.
        const QString name = QPrinterInfo::defaultPrinterName();
        if (name.isEmpty())
            return false;
        target.setPrinterName(name);
    }
    return !QPrinterInfo::printerInfo(target.printerName()).isNull();
}

void Output::PrintVector(QPrinter& target)
{
    const OutputDrawing page = drawing();
    RunPrintJob(target, [&](QPainter& painter, OutputSize size) { PaintVectorPage(painter, size, page); });
}

void Output::PrintBitmap(QPrinter& target)
{
    // The screen as it is, a highlighted field included.
    const QImage shifted = ShiftedScreenCopy(m_area.grab().toImage());
    RunPrintJob(target, [&](QPainter& painter, OutputSize size) { PaintBitmapPage(painter, size, shifted); });
}

void Output::PrintVectorToPdf(const QString& fileName)
{
    const OutputDrawing page = drawing();
    WriteFileAtomically(fileName,
        PdfPageBytes([&](QPainter& painter, OutputSize size) { PaintVectorPage(painter, size, page); }));
}

QString Output::askBitmapName()
{
    return m_chooseFileToSave(
        QString::fromLatin1(kBitmapFilter), QString::fromLatin1(kBitmapExtension), m_document.documentName());
}

void Output::InZwischenablage1Click()
{
    OutputScope scope(&m_window);
    auto data = std::make_unique<QMimeData>();
    data->setImageData(CopyDrawingToBitmap());
    m_surroundings.putOnClipboard(std::move(data));
}

void Output::InZwischenablagekonstanterMassstab1Click()
{
    OutputScope scope;
    auto data = std::make_unique<QMimeData>();
    data->setImageData(RenderConstantScale(m_document.constantScale()));
    m_surroundings.putOnClipboard(std::move(data));
}

void Output::InZwischenablagealsMeta1Click()
{
    m_surroundings.putOnClipboard(VectorCopy());
}

void Output::ExportalsBitmap1Click()
{
    const QString name = askBitmapName();
    if (!name.isEmpty())
        ExportScreenBitmap(name);
}

void Output::ExportalsBitmpakonstanterMassstab1Click()
{
    const QString name = askBitmapName();
    if (!name.isEmpty())
        ExportConstantScale(name);
}

void Output::OptimierteHhebreite1Click(bool checked)
{
    // Read by the next screen copy.
    m_optimizedSize = checked;
}

void Output::Druckereinrichtung1Click()
{
    QPrintDialog dialog(&printer(), &m_window);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setAccessibleName(QStringLiteral("Druckereinrichtung"));
    dialog.exec();
}

void Output::Fensterdrucken1Click()
{
    if (havePrinter()) {
        PrintVector(printer());
        return;
    }
    if (!m_surroundings.confirm(QStringLiteral("Fenster drucken"),
            QStringLiteral("Es ist kein Drucker eingerichtet. Soll die Zeichnung stattdessen in eine PDF-Datei "
                           "gedruckt werden?")))
        return;
    const QString base = m_document.documentName().isEmpty()
        ? QString()
        : QFileInfo(m_document.documentName()).path() + QLatin1Char('/')
            + FileNameWithoutExtensions(m_document.documentName()) + QStringLiteral(".pdf");
    const QString name = m_chooseFileToSave(QStringLiteral("PDF-Datei (*.pdf)|*.pdf"), QStringLiteral("pdf"), base);
    if (!name.isEmpty())
        PrintVectorToPdf(name);
}

void Output::FensterdruckenBitmap1Click()
{
    if (!havePrinter())
        throw std::runtime_error("Es ist kein Drucker eingerichtet.");
    PrintBitmap(printer());
}

void Output::Druckvorschau1Click()
{
    QPrintPreviewDialog preview(&printer(), &m_window);
    preview.setObjectName(QStringLiteral("PrintPreview1"));
    preview.setAccessibleName(QStringLiteral("Druckvorschau"));
    const OutputDrawing page = drawing();
    QString failure;
    // The preview paints from the event loop: nothing may be thrown there.
    connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        QPainter painter;
        if (!painter.begin(target))
            return;
        try {
            PaintVectorPage(painter, { target->width(), target->height() }, page);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
    });
    preview.exec();
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
}

} // namespace fenster
