#include "CliCommands.h"
#include "CliRequest.h"

#include "DiskFiles.h"
#include "DxfCanvas.h"
#include "PictureOutput.h"
#include "TrueScalePage.h"

#include <QDir>
#include <QFileInfo>

#include <map>
#include <ostream>

namespace fenster {

namespace {

// Where each file's picture goes.
struct Target {
    std::string file;
    QString path;
};

// What a run writes: pictures (png, bmp, svg, pdf at a constant scale or in
// a box), true-scale sheets (pdf, svg with --paper or --ratio) or CAD files.
enum class OutputKind { Picture, Sheet, Dxf };
struct OutputFormat {
    OutputKind kind = OutputKind::Picture;
    PictureFormat picture = PictureFormat::Png;
    PageFormat page = PageFormat::Pdf;
};

// The format of extension for the request; nullopt after a message.
std::optional<OutputFormat> outputFormatOf(const std::string& extension, const CliRequest& request, std::ostream& err)
{
    OutputFormat format;
    if (extension == "dxf") {
        if (request.trueScale() || request.mmPerPixel || request.box) {
            err << "fensterdaten-cli: a DXF file is drawn in millimetres at 1:1; --paper, --ratio, --scale and "
                   "--size do not apply\n";
            return std::nullopt;
        }
        format.kind = OutputKind::Dxf;
        return format;
    }
    const std::optional<PictureFormat> picture = PictureFormatOf(QString::fromStdString(extension));
    if (!picture) {
        err << "fensterdaten-cli: unknown picture format \"" << extension << "\": png, bmp, svg, pdf or dxf\n";
        return std::nullopt;
    }
    format.picture = *picture;
    if (!request.trueScale())
        return format;
    if (*picture != PictureFormat::Pdf && *picture != PictureFormat::Svg) {
        err << "fensterdaten-cli: --paper and --ratio draw a sheet of paper as pdf or svg, not \"" << extension
            << "\"\n";
        return std::nullopt;
    }
    format.kind = OutputKind::Sheet;
    format.page = *picture == PictureFormat::Pdf ? PageFormat::Pdf : PageFormat::Svg;
    return format;
}

// The sheet's caption names the document file without its folder and
// extension; standard input has no name.
std::string documentNameOf(const CliDocument& document)
{
    if (document.file == "-")
        return {};
    return QFileInfo(QString::fromStdString(document.file)).completeBaseName().toStdString();
}

// A text that is no description with a size draws nothing on a sheet
// either.
void requireSize(const CliDocument& document)
{
    const OverallSize size = HeaderSize(document.description);
    if (size.height <= 0 || size.width <= 0)
        throw NothingDrawnError();
}

void writeSheet(const CliDocument& document, const CliRequest& request, const QString& path, PageFormat format,
    std::ostream& err)
{
    EnsureGuiApplication();
    requireSize(document);
    TrueScaleJob job;
    job.drawing = ExportDrawingOf(document);
    job.documentName = documentNameOf(document);
    job.paper = request.paper.value_or(Paper {});
    job.ratio = request.ratio.value_or(TrueScaleJob().ratio);
    job.format = format;
    job.font = DrawingFont();
    const TrueScalePage page = WriteTrueScalePage(job, path);
    for (const std::string& message : page.annotationErrors)
        document.annotations.errors->push_back(message);
    if (page.fitted)
        err << "fensterdaten-cli: " << document.file << ": the drawing does not fit " << PaperName(job.paper)
            << " at 1:" << job.ratio << "; \"" << path.toStdString() << "\" is drawn at 1:" << page.ratio
            << " and says so\n";
}

void writeDxf(const CliDocument& document, const QString& path)
{
    EnsureGuiApplication();
    requireSize(document);
    for (const std::string& message : WriteDxf(ExportDrawingOf(document), path))
        document.annotations.errors->push_back(message);
}

// Draws one document and writes its file; false after a message.
// DataFileError passes to the caller.
bool renderTo(const CliDocument& document, const CliRequest& request, const QString& path, OutputFormat output,
    std::ostream& err)
{
    const std::string name = path.toStdString();
    const PictureFormat format = output.picture;
    try {
        if (output.kind == OutputKind::Sheet) {
            writeSheet(document, request, path, output.page, err);
            return true;
        }
        if (output.kind == OutputKind::Dxf) {
            writeDxf(document, path);
            return true;
        }
        const CliPicture picture = DrawCliPicture(document);
        if (format == PictureFormat::Png || format == PictureFormat::Bmp) {
            WritePicture(picture.bitmap(), path, format);
        } else {
            // The vector picture draws the lists again: their messages count once.
            document.annotations.errors->clear();
            WriteVectorPicture(path, format, picture.size(),
                [&](QPainter& painter) { PaintCliPicture(painter, document, picture); });
        }
        return true;
    } catch (const NothingDrawnError& error) {
        err << "fensterdaten-cli: " << document.file << ": " << error.what() << "; \"" << name << "\" is not written\n";
    } catch (const PictureTooLargeError& error) {
        err << "fensterdaten-cli: " << document.file << ": the picture would be " << error.width << " x " << error.height
            << " pixels, more than " << kMaxPictureSide << " a side or " << kMaxPicturePixels
            << " in all; choose a larger --scale. \"" << name << "\" is not written\n";
    } catch (const TrueScaleError& error) {
        err << "fensterdaten-cli: " << document.file << ": " << error.what() << " \"" << name << "\" is not written\n";
    } catch (const DxfError& error) {
        err << "fensterdaten-cli: " << document.file << ": " << error.what() << " \"" << name << "\" is not written\n";
    } catch (const FileError& error) {
        err << "fensterdaten-cli: " << error.what() << '\n';
    }
    return false;
}

} // namespace

int CliRender(const std::vector<std::string>& arguments, CliContext& context)
{
    CliRequest request;
    if (!ParseCliRequest(arguments, CliRequestKind::Render, request, context.err))
        return CliExitUsage;
    const QString output = QString::fromStdString(request.output);
    const bool toFolder = request.files.size() > 1 || QFileInfo(output).isDir();
    std::string extension = request.format;
    if (extension.empty())
        extension = toFolder ? "png" : QFileInfo(output).suffix().toLower().toStdString();
    const std::optional<OutputFormat> format = outputFormatOf(extension, request, context.err);
    if (!format)
        return CliExitUsage;

    std::vector<Target> targets;
    for (const std::string& file : request.files) {
        const QString path = toFolder ? QDir(output).filePath(QFileInfo(QString::fromStdString(file)).completeBaseName()
                                            + "." + QString::fromStdString(extension))
                                      : output;
        targets.push_back({ file, path });
    }
    // Two files of the same name would overwrite each other's picture:
    // refused before anything is written.
    std::map<QString, std::string> firstFor;
    bool clash = false;
    for (const Target& target : targets) {
        const QString key = QFileInfo(target.path).absoluteFilePath();
        const auto [it, fresh] = firstFor.emplace(key, target.file);
        if (!fresh) {
            context.err << "fensterdaten-cli: \"" << it->second << "\" and \"" << target.file
                        << "\" would both be written to \"" << target.path.toStdString() << "\"\n";
            clash = true;
        }
    }
    if (clash)
        return CliExitUsage;
    if (toFolder && !QDir().mkpath(output)) {
        context.err << "fensterdaten-cli: cannot create the folder \"" << request.output << "\"\n";
        return CliExitBadInput;
    }

    bool dataError = false;
    bool otherError = false;
    for (const Target& target : targets) {
        const std::optional<CliDocument> document = LoadCliDocument(request, target.file, context);
        if (!document) {
            otherError = true;
            continue;
        }
        try {
            if (!renderTo(*document, request, target.path, *format, context.err))
                otherError = true;
            if (ReportAnnotationErrors(target.file, document->annotations, context.err))
                otherError = true;
        } catch (const DataFileError&) {
            dataError = true;
            if (request.files.size() == 1)
                context.out << kDataFileErrorLine << '\n';
            else
                context.out << target.file << ": " << kDataFileErrorLine << '\n';
        }
    }
    if (dataError)
        return kDataFileErrorStatus;
    return otherError ? CliExitBadInput : CliExitOk;
}

} // namespace fenster
