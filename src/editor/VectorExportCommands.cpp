#include "VectorExportCommands.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "OutputScope.h"

#include "DxfCanvas.h"
#include "MessageBox.h"
#include "Translator.h"

#include <QFileInfo>

namespace fenster {

namespace {

const char* const kSheetFilter = "PDF-Datei (*.pdf)|*.pdf|SVG-Datei (*.svg)|*.svg";
const char* const kDxfFilter = "DXF-Datei (*.dxf)|*.dxf";

} // namespace

QString FittedRatioNote(int requestedRatio, int ratio)
{
    return TranslateFormat(
        QStringLiteral("Die Zeichnung passt bei 1:%d nicht auf das Blatt und wurde bei 1:%d gezeichnet."),
        { requestedRatio, ratio });
}

VectorExportCommands::VectorExportCommands(EditorDocument& document, DrawingArea& area, PictureSource& pictures,
    QWidget& window, Dialogs dialogs, Memory memory, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_area(area)
    , m_pictures(pictures)
    , m_window(window)
    , m_memory(std::move(memory))
{
    setObjectName(QStringLiteral("VectorExportCommands"));
    QWidget* owner = &m_window;
    m_dialogs.editSheet = [owner](SheetChoice& choice) { return EditSheetChoice(owner, choice); };
    m_dialogs.inform = [](const QString& text) {
        ShowMessageForm(TranslateText(QStringLiteral("Export")), text, WithCancel::No);
    };
    setDialogs(std::move(dialogs));
}

void VectorExportCommands::setDialogs(Dialogs dialogs)
{
    if (dialogs.editSheet)
        m_dialogs.editSheet = std::move(dialogs.editSheet);
    if (dialogs.chooseFileToSave)
        m_dialogs.chooseFileToSave = std::move(dialogs.chooseFileToSave);
    if (dialogs.inform)
        m_dialogs.inform = std::move(dialogs.inform);
}

ExportDrawing VectorExportCommands::drawing() const
{
    ExportDrawing drawing;
    drawing.description = m_document.Memo1().toStdString();
    drawing.symbols = m_document.Memo2().toStdString();
    drawing.dimensionLines = m_document.Memo3().toStdString();
    drawing.symbolFolder = m_area.options().symbolFolder.toStdString();
    drawing.edgeDimensions = m_area.options().edgeDimensions;
    drawing.pictures = &m_pictures;
    return drawing;
}

TrueScaleJob VectorExportCommands::sheetJob(const SheetChoice& choice, PageFormat format) const
{
    CheckRatio(choice.massstab);
    TrueScaleJob job;
    job.drawing = drawing();
    // The caption names the document as its file does, without the folder.
    if (!m_document.documentName().isEmpty())
        job.documentName = QFileInfo(m_document.documentName()).completeBaseName().toStdString();
    job.paper = ParsePaper((choice.papier + (choice.quer ? QStringLiteral("-quer") : QString())).toStdString());
    job.ratio = choice.massstab;
    job.format = format;
    job.font = m_area.options().font;
    return job;
}

TrueScalePage VectorExportCommands::ExportTrueScale(const QString& fileName, const SheetChoice& choice)
{
    const std::optional<PageFormat> format = PageFormatForPath(fileName);
    if (!format)
        throw TrueScaleError(TranslateFormat(QStringLiteral("\"%s\" ist weder eine PDF- noch eine SVG-Datei (.pdf, .svg)."),
            { fileName })
                .toStdString());
    const TrueScaleJob job = sheetJob(choice, *format);
    OutputScope scope(&m_window);
    return WriteTrueScalePage(job, fileName);
}

std::vector<std::string> VectorExportCommands::ExportDxf(const QString& fileName)
{
    const ExportDrawing cad = drawing();
    OutputScope scope(&m_window);
    return WriteDxf(cad, fileName);
}

QString VectorExportCommands::startName(const QString& extension) const
{
    const QString name = m_document.documentName();
    if (name.isEmpty())
        return {};
    const QFileInfo file(name);
    return file.path() + QLatin1Char('/') + file.completeBaseName() + QLatin1Char('.') + extension;
}

void VectorExportCommands::informAboutLists(const std::vector<std::string>& errors)
{
    if (errors.empty())
        return;
    QString text = TranslateText(QStringLiteral("Die Datei wurde geschrieben; nicht gezeichnet wurde:"));
    for (const std::string& error : errors)
        text += QLatin1Char('\n') + QString::fromStdString(error);
    m_dialogs.inform(text);
}

void VectorExportCommands::ExportalsPDFSVG1Click()
{
    SheetChoice choice = m_memory.read ? m_memory.read() : SheetChoice();
    if (!m_dialogs.editSheet(choice))
        return;
    // A sheet that cannot be drawn is refused before a name is asked for,
    // and not remembered.
    sheetJob(choice, PageFormat::Pdf);
    if (m_memory.write)
        m_memory.write(choice);
    if (!m_dialogs.chooseFileToSave)
        return;
    const QString name
        = m_dialogs.chooseFileToSave(QString::fromLatin1(kSheetFilter), QStringLiteral("pdf"), startName(QStringLiteral("pdf")));
    if (name.isEmpty())
        return;
    const TrueScalePage page = ExportTrueScale(name, choice);
    if (page.fitted)
        m_dialogs.inform(FittedRatioNote(choice.massstab, page.ratio));
    informAboutLists(page.annotationErrors);
}

void VectorExportCommands::ExportalsDXF1Click()
{
    if (!m_dialogs.chooseFileToSave)
        return;
    const QString name
        = m_dialogs.chooseFileToSave(QString::fromLatin1(kDxfFilter), QStringLiteral("dxf"), startName(QStringLiteral("dxf")));
    if (name.isEmpty())
        return;
    informAboutLists(ExportDxf(name));
}

} // namespace fenster
