#include "CliAnnotations.h"
#include "CliCommands.h"
#include "CliInput.h"
#include "CliPicture.h"

#include "ConstantScale.h"
#include "Engine.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <charconv>
#include <cstdio>
#include <cmath>
#include <optional>
#include <ostream>

namespace fenster {

namespace {

// The exit status host programs know for a description whose field width is
// not a number.
constexpr int kDataFileErrorStatus = 137;
constexpr const char* kDataFileErrorLine = "Fehler in Datendatei!";
constexpr double kDefaultMmPerPixel = 5.0;
// The main window's margins at start-up, when the host's render-only run draws.
constexpr int kLeftMargin = 20;
constexpr int kBottomMargin = 0;

struct Options {
    std::vector<std::string> files;
    std::string output;
    std::string format;
    std::optional<double> mmPerPixel;
    std::optional<CanvasSize> box;
    EdgeDimensions dimensions = EdgeDimensions::Off;
    bool dimensionsGiven = false;
    AnnotationOptions annotationOptions;
    // The lists of the file being drawn.
    std::optional<DocumentAnnotations> document;
};

std::optional<double> parseScale(const std::string& text)
{
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || !(value > 0.0))
        return std::nullopt;
    return value;
}

std::optional<CanvasSize> parseBox(const std::string& text)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    CanvasSize size;
    const char* begin = text.data();
    const char* middle = begin + x;
    const char* end = begin + text.size();
    const auto first = std::from_chars(begin, middle, size.width);
    const auto second = std::from_chars(middle + 1, end, size.height);
    if (first.ec != std::errc() || first.ptr != middle || second.ec != std::errc() || second.ptr != end)
        return std::nullopt;
    if (size.width < 3 || size.height < 3 || size.width > kMaxPictureSide || size.height > kMaxPictureSide)
        return std::nullopt;
    return size;
}

// Reads the arguments of render (withOutput) or of layout and trace.
bool parseOptions(const std::vector<std::string>& arguments, bool withOutput, Options& options, std::ostream& err)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool badAnnotationOption = false;
        if (a == "--dimensions") {
            options.dimensions = EdgeDimensions::On;
            options.dimensionsGiven = true;
        } else if (ParseAnnotationOption(arguments, i, options.annotationOptions, badAnnotationOption, err)) {
            if (badAnnotationOption)
                return false;
        } else if (a == "--scale" && hasValue) {
            options.mmPerPixel = parseScale(arguments[++i]);
            if (!options.mmPerPixel) {
                err << "fensterdaten-cli: --scale needs millimetres per pixel above 0, not \"" << arguments[i] << "\"\n";
                return false;
            }
        } else if (a == "--size" && hasValue) {
            options.box = parseBox(arguments[++i]);
            if (!options.box) {
                err << "fensterdaten-cli: --size needs WIDTHxHEIGHT in pixels, 3 to " << kMaxPictureSide << ", not \""
                    << arguments[i] << "\"\n";
                return false;
            }
        } else if (withOutput && a == "-o" && hasValue) {
            options.output = arguments[++i];
        } else if (withOutput && a == "--format" && hasValue) {
            options.format = QString::fromStdString(arguments[++i]).toLower().toStdString();
        } else if (a.size() > 1 && a.front() == '-') {
            err << "fensterdaten-cli: unknown or incomplete option \"" << a << "\" (see --help)\n";
            return false;
        } else {
            options.files.push_back(a);
        }
    }
    if (options.mmPerPixel && options.box) {
        err << "fensterdaten-cli: --scale and --size exclude each other\n";
        return false;
    }
    if (options.files.empty()) {
        err << "fensterdaten-cli: no FILE given\n";
        return false;
    }
    if (!withOutput && options.files.size() > 1) {
        err << "fensterdaten-cli: one FILE only\n";
        return false;
    }
    if (withOutput && options.output.empty()) {
        err << "fensterdaten-cli: render needs -o OUT\n";
        return false;
    }
    return true;
}

// Text measures need the font database, which lives in a GUI application.
// The command-line tool never shows a window, so it runs offscreen.
void ensureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tool reports its own errors; Qt's notes about the environment
    // (a missing runtime folder and the like) would only clutter them.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            fprintf(stderr, "%s\n", qPrintable(message));
    });
    static int argc = 1;
    static char name[] = "fensterdaten-cli";
    static char* argv[] = { name, nullptr };
    // Lives until the process ends.
    new QGuiApplication(argc, argv);
}

// The drawing font: Arial 8 points, as the drawing area starts.
QFont drawingFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

ConstantScaleJob jobFor(const std::string& description, const Options& options)
{
    ConstantScaleJob job;
    job.description = description;
    job.mmPerPixel = options.mmPerPixel.value_or(kDefaultMmPerPixel);
    job.leftMargin = kLeftMargin;
    job.bottomMargin = kBottomMargin;
    job.edgeDimensions = options.dimensions;
    if (options.document)
        job.annotations = AnnotationDrawer(*options.document);
    return job;
}

std::function<void(Canvas&)> annotationsOf(const Options& options)
{
    return options.document ? AnnotationDrawer(*options.document) : std::function<void(Canvas&)> {};
}

// The options for one file: its annotation lists, and the edge dimensions
// of its settings file unless --dimensions was given.
std::optional<Options> optionsForFile(const Options& options, const std::string& file, CliContext& context)
{
    Options forFile = options;
    forFile.document = LoadDocumentAnnotations(file, options.annotationOptions, context);
    if (!forFile.document)
        return std::nullopt;
    if (!options.dimensionsGiven && forFile.document->edgeDimensions)
        forFile.dimensions = *forFile.document->edgeDimensions;
    return forFile;
}

std::string formatOf(const QString& path)
{
    return QFileInfo(path).suffix().toLower().toStdString();
}

bool isKnownFormat(const std::string& format)
{
    return format == "png" || format == "bmp" || format == "svg" || format == "pdf";
}

// Draws the picture on a vector device; the painter's origin is the
// top-left corner of the picture. At a constant scale the drawing is the
// bitmap's, moved by the bitmap's crop.
void paintVector(QPainter& painter, const std::string& description, const Options& options,
    const std::optional<ConstantScaleCanvas>& picture, QSize size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    const QFont font = drawingFont();
    painter.setFont(font);
    if (picture)
        painter.translate(-picture->crop.left, -picture->crop.top);
    QtCanvas canvas(painter);
    canvas.setFont(font);
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    if (picture)
        DrawConstantScale(canvas, jobFor(description, options), picture->canvas);
    else {
        DrawWindow(canvas, 1, 1, options.box->width - 2, options.box->height - 2, description, options.dimensions, -1,
            -1, 0.0);
        if (const auto annotations = annotationsOf(options))
            annotations(canvas);
    }
    canvas.finish();
}

// Renders one description to path; false with a message on failure.
// DataFileError passes to the caller.
bool renderTo(const std::string& description, const Options& options, const QString& path, const std::string& format,
    std::ostream& err)
{
    std::optional<ConstantScaleCanvas> picture;
    if (!options.box)
        picture = RenderConstantScaleCanvas(drawingFont(), jobFor(description, options));
    bool written = false;
    if (format == "png" || format == "bmp") {
        QImage image;
        if (picture) {
            // The crop as a view of the canvas: no copy of the pixels.
            const QImage& canvas = picture->canvasImage;
            const PixelRect& crop = picture->crop;
            image = QImage(canvas.constBits() + qsizetype(crop.top) * canvas.bytesPerLine() + qsizetype(crop.left) * 4,
                crop.width(), crop.height(), canvas.bytesPerLine(), canvas.format());
        } else {
            image = RenderFitted(drawingFont(), description, *options.box, options.dimensions, annotationsOf(options));
        }
        // Bitmaps go out with 24 bits per pixel (or a palette), as host
        // programs read them.
        written = format == "png" ? WriteFastPng(image, path) : image.save(path, "BMP");
    } else {
        const QSize size = picture ? QSize(picture->crop.width(), picture->crop.height())
                                   : QSize(options.box->width, options.box->height);
        QPainter painter;
        if (format == "svg") {
            QSvgGenerator generator;
            generator.setFileName(path);
            generator.setSize(size);
            generator.setViewBox(QRect(QPoint(0, 0), size));
            generator.setResolution(96);
            generator.setTitle(QStringLiteral("Fensterdaten"));
            if (painter.begin(&generator)) {
                paintVector(painter, description, options, picture, size);
                written = painter.end();
            }
        } else {
            QPdfWriter writer(path);
            writer.setResolution(96);
            writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0), QPageSize::Point));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            writer.setCreator(QStringLiteral("Fensterdaten"));
            if (painter.begin(&writer)) {
                paintVector(painter, description, options, picture, size);
                written = painter.end();
            }
        }
        written = written && QFileInfo(path).size() > 0;
    }
    if (!written)
        err << "fensterdaten-cli: cannot write \"" << path.toStdString() << "\"\n";
    return written;
}

void printJsonPoint(std::ostream& out, MmPoint p)
{
    out << "{\"x\": " << p.x << ", \"y\": " << p.y << "}";
}

void printLayout(std::ostream& out, std::optional<PixelRect> crop)
{
    const EngineState& e = Engine();
    // The shortest text that reads back as the same number.
    char scale[64];
    const auto written = std::to_chars(scale, scale + sizeof scale, e.DrawingScale);
    out << "{\n";
    out << "  \"DrawingScale\": " << std::string_view(scale, std::size_t(written.ptr - scale)) << ",\n";
    out << "  \"AnnotationOrigin\": ";
    printJsonPoint(out, e.AnnotationOrigin);
    out << ",\n  \"DrawOrigin\": ";
    printJsonPoint(out, e.DrawOrigin);
    out << ",\n  \"CanvasWidth\": " << e.CanvasWidth << ",\n  \"CanvasHeight\": " << e.CanvasHeight << ",\n";
    if (crop)
        out << "  \"Crop\": {\"left\": " << crop->left << ", \"top\": " << crop->top << ", \"width\": " << crop->width()
            << ", \"height\": " << crop->height() << "},\n";
    out << "  \"FieldRectTable\": [";
    bool first = true;
    for (int r = 1; r <= kMaxRows; ++r)
        for (int f = 1; f <= kMaxFields; ++f) {
            const FieldRect& rect = e.FieldRectTable[r][f];
            if (!rect.valid)
                continue;
            out << (first ? "\n" : ",\n") << "    {\"row\": " << r << ", \"field\": " << f << ", \"left\": " << rect.left
                << ", \"bottom\": " << rect.bottom << ", \"right\": " << rect.right << ", \"top\": " << rect.top << "}";
            first = false;
        }
    out << (first ? "]\n" : "\n  ]\n") << "}\n";
}

int renderSeveral(const Options& options, CliContext& context)
{
    const QString folder = QString::fromStdString(options.output);
    const bool toFolder = options.files.size() > 1 || QFileInfo(folder).isDir();
    std::string format = options.format;
    if (toFolder) {
        if (format.empty())
            format = "png";
        if (!QDir().mkpath(folder)) {
            context.err << "fensterdaten-cli: cannot create the folder \"" << options.output << "\"\n";
            return CliExitBadInput;
        }
    } else if (format.empty()) {
        format = formatOf(folder);
    }
    if (!isKnownFormat(format)) {
        context.err << "fensterdaten-cli: unknown picture format \"" << format << "\": png, bmp, svg or pdf\n";
        return CliExitUsage;
    }
    ensureGuiApplication();
    bool dataError = false;
    bool otherError = false;
    for (const std::string& file : options.files) {
        const std::optional<std::string> text = ReadCliInput(file, context);
        if (!text) {
            otherError = true;
            continue;
        }
        const QString path = toFolder
            ? QDir(folder).filePath(QFileInfo(QString::fromStdString(file)).completeBaseName() + "." + QString::fromStdString(format))
            : folder;
        const std::optional<Options> forFile = optionsForFile(options, file, context);
        if (!forFile) {
            otherError = true;
            continue;
        }
        try {
            if (!renderTo(*text, *forFile, path, format, context.err))
                otherError = true;
            if (ReportAnnotationErrors(file, *forFile->document, context.err))
                otherError = true;
        } catch (const DataFileError&) {
            dataError = true;
            if (options.files.size() == 1)
                context.out << kDataFileErrorLine << '\n';
            else
                context.out << file << ": " << kDataFileErrorLine << '\n';
        }
    }
    if (dataError)
        return kDataFileErrorStatus;
    return otherError ? CliExitBadInput : CliExitOk;
}

} // namespace

int CliRender(const std::vector<std::string>& arguments, CliContext& context)
{
    Options options;
    if (!parseOptions(arguments, true, options, context.err))
        return CliExitUsage;
    return renderSeveral(options, context);
}

int CliLayout(const std::vector<std::string>& arguments, CliContext& context)
{
    Options options;
    if (!parseOptions(arguments, false, options, context.err))
        return CliExitUsage;
    const AnnotationOptions& lists = options.annotationOptions;
    if (lists.symbolsFile || lists.dimensionLinesFile || !lists.symbolFolder.empty()) {
        context.err << "fensterdaten-cli: layout draws no annotation lists; --symbols, --dimlines and "
                       "--symbol-folder belong to render and trace\n";
        return CliExitUsage;
    }
    const std::optional<std::string> text = ReadCliInput(options.files.front(), context);
    if (!text)
        return CliExitBadInput;
    ensureGuiApplication();
    try {
        if (options.box) {
            RenderFitted(drawingFont(), *text, *options.box, options.dimensions);
            printLayout(context.out, std::nullopt);
        } else {
            const ConstantScalePicture picture = RenderConstantScale(drawingFont(), jobFor(*text, options));
            printLayout(context.out, picture.crop);
        }
    } catch (const DataFileError&) {
        context.out << kDataFileErrorLine << '\n';
        return kDataFileErrorStatus;
    }
    return CliExitOk;
}

int CliTrace(const std::vector<std::string>& arguments, CliContext& context)
{
    Options options;
    if (!parseOptions(arguments, false, options, context.err))
        return CliExitUsage;
    const std::optional<std::string> text = ReadCliInput(options.files.front(), context);
    if (!text)
        return CliExitBadInput;
    const std::optional<Options> forFile = optionsForFile(options, options.files.front(), context);
    if (!forFile)
        return CliExitBadInput;
    RecordingCanvas canvas;
    try {
        if (forFile->box) {
            DrawWindow(canvas, 1, 1, forFile->box->width - 2, forFile->box->height - 2, *text, forFile->dimensions, -1, -1, 0.0);
            if (const auto annotations = annotationsOf(*forFile))
                annotations(canvas);
        } else {
            ConstantScaleJob job = jobFor(*text, *forFile);
            ResolveOverallSize(job);
            const CanvasSize size = ConstantScaleCanvasSize(job.overallHeight, job.overallWidth, job.mmPerPixel,
                canvas.textExtent("W").height, job.bottomMargin);
            DrawConstantScale(canvas, job, size);
        }
    } catch (const DataFileError&) {
        context.out << canvas.trace() << kDataFileErrorLine << '\n';
        return kDataFileErrorStatus;
    }
    context.out << canvas.trace();
    return ReportAnnotationErrors(options.files.front(), *forFile->document, context.err) ? CliExitBadInput : CliExitOk;
}

} // namespace fenster
