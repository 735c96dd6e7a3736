#include "CliCommands.h"
#include "CliRequest.h"

#include "DiskFiles.h"
#include "PictureOutput.h"

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

// Draws one document and writes its picture; false after a message.
// DataFileError passes to the caller.
bool renderTo(const CliDocument& document, const QString& path, PictureFormat format, std::ostream& err)
{
    const std::string name = path.toStdString();
    try {
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
    const std::optional<PictureFormat> format = PictureFormatOf(QString::fromStdString(extension));
    if (!format) {
        context.err << "fensterdaten-cli: unknown picture format \"" << extension << "\": png, bmp, svg or pdf\n";
        return CliExitUsage;
    }

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
            if (!renderTo(*document, target.path, *format, context.err))
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
