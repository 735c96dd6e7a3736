#include "CliAnnotations.h"

#include "CliInput.h"

#include "AnnotationLists.h"
#include "DocumentSettings.h"
#include "PictureLoader.h"

#include <QFileInfo>

namespace fenster {

namespace {

// The companion of file with the extension replaced, as the editor forms
// it; empty for standard input.
QString companion(const std::string& file, const char* documentSuffix, const char* standardSuffix)
{
    if (file.empty() || file == "-")
        return {};
    const QFileInfo info(QString::fromStdString(file));
    const bool standardWindow = info.suffix().compare(u"std", Qt::CaseInsensitive) == 0;
    const QString base = info.suffix().isEmpty() ? info.filePath() : info.filePath().chopped(info.suffix().size() + 1);
    return base + "." + QString::fromLatin1(standardWindow ? standardSuffix : documentSuffix);
}

} // namespace

bool ParseAnnotationOption(const std::vector<std::string>& arguments, std::size_t& i, AnnotationOptions& options,
    bool& bad, std::ostream& err)
{
    const std::string& a = arguments[i];
    if (a != "--symbols" && a != "--dimlines" && a != "--symbol-folder")
        return false;
    if (i + 1 >= arguments.size()) {
        err << "fensterdaten-cli: " << a << " needs a value\n";
        bad = true;
        return true;
    }
    const std::string& value = arguments[++i];
    if (a == "--symbols")
        options.symbolsFile = value;
    else if (a == "--dimlines")
        options.dimensionLinesFile = value;
    else
        options.symbolFolder = value;
    return true;
}

std::optional<DocumentAnnotations> LoadDocumentAnnotations(
    const std::string& file, const AnnotationOptions& options, CliContext& context)
{
    DocumentAnnotations result;
    result.symbolFolder = options.symbolFolder;
    // A document's pictures usually travel with it: without --symbol-folder
    // they are looked for beside the document, then in the program folder.
    if (result.symbolFolder.empty() && !file.empty() && file != "-")
        result.symbolFolder = QFileInfo(QString::fromStdString(file)).absolutePath().toStdString();
    const auto loadList = [&](const std::optional<std::string>& given, const char* documentSuffix,
                              const char* standardSuffix, std::string& list) {
        if (given) {
            const std::optional<std::string> text = ReadCliInput(*given, context);
            if (!text)
                return false;
            list = *text;
            return true;
        }
        const QString path = companion(file, documentSuffix, standardSuffix);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            return true;
        const std::optional<std::string> text = ReadCliInput(path.toStdString(), context);
        if (!text)
            return false;
        list = *text;
        return true;
    };
    if (!loadList(options.symbolsFile, "fn2", "st2", result.symbols)
        || !loadList(options.dimensionLinesFile, "fn3", "st3", result.dimensionLines))
        return std::nullopt;
    const QString settingsPath = companion(file, "fn4", "st4");
    if (!settingsPath.isEmpty() && QFileInfo(settingsPath).isFile()) {
        const std::optional<std::string> settings = ReadCliInput(settingsPath.toStdString(), context);
        if (!settings)
            return std::nullopt;
        result.edgeDimensions = ParseDocumentSettings(QByteArray::fromStdString(*settings)).Bemassung
            ? EdgeDimensions::On
            : EdgeDimensions::Off;
    }
    return result;
}

std::function<void(Canvas&)> AnnotationDrawer(const DocumentAnnotations& annotations)
{
    return [annotations](Canvas& canvas) {
        try {
            DrawDimensionList(canvas, annotations.dimensionLines);
        } catch (const AnnotationListError& e) {
            annotations.errors->push_back(e.what());
        }
        try {
            DrawSymbolList(canvas, annotations.symbols, annotations.symbolFolder, -1);
        } catch (const AnnotationListError& e) {
            annotations.errors->push_back(e.what());
        }
    };
}

bool ReportAnnotationErrors(const std::string& file, const DocumentAnnotations& annotations, std::ostream& err)
{
    for (const std::string& message : *annotations.errors)
        err << "fensterdaten-cli: " << file << ": " << message << '\n';
    const bool any = !annotations.errors->empty();
    annotations.errors->clear();
    return any;
}

} // namespace fenster
