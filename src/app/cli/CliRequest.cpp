#include "CliRequest.h"

#include "CliInput.h"

#include "QtCanvas.h"

#include <QGuiApplication>
#include <QPainter>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace fenster {

namespace {

constexpr double kDefaultMmPerPixel = 5.0;
// The main window's margins at start-up, when the host's render-only run draws.
constexpr int kLeftMargin = 20;
constexpr int kBottomMargin = 0;

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

std::function<void(Canvas&)> annotationsOf(const CliDocument& document)
{
    return AnnotationDrawer(document.annotations);
}

// At a constant scale the engine always has a scale to draw at; a text
// that is no description still gives no field at all.
void requireDrawn()
{
    const EngineState& engine = Engine();
    bool anyField = false;
    for (const auto& row : engine.FieldRectTable)
        for (const FieldRect& rect : row)
            anyField = anyField || rect.valid;
    if (!engine.Drawn || !anyField)
        throw NothingDrawnError();
}

} // namespace

bool ParseCliRequest(const std::vector<std::string>& arguments, CliRequestKind kind, CliRequest& request,
    std::ostream& err)
{
    const bool render = kind == CliRequestKind::Render;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        bool badAnnotationOption = false;
        if (a == "--dimensions") {
            request.dimensions = EdgeDimensions::On;
        } else if (ParseAnnotationOption(arguments, i, request.lists, badAnnotationOption, err)) {
            if (badAnnotationOption)
                return false;
        } else if (a == "--scale" && hasValue) {
            request.mmPerPixel = parseScale(arguments[++i]);
            if (!request.mmPerPixel) {
                err << "fensterdaten-cli: --scale needs millimetres per pixel above 0, not \"" << arguments[i] << "\"\n";
                return false;
            }
        } else if (a == "--size" && hasValue) {
            request.box = parseBox(arguments[++i]);
            if (!request.box) {
                err << "fensterdaten-cli: --size needs WIDTHxHEIGHT in pixels, 3 to " << kMaxPictureSide << ", not \""
                    << arguments[i] << "\"\n";
                return false;
            }
        } else if (render && a == "-o" && hasValue) {
            request.output = arguments[++i];
        } else if (render && a == "--paper" && hasValue) {
            try {
                request.paper = ParsePaper(arguments[++i]);
            } catch (const TrueScaleError& error) {
                err << "fensterdaten-cli: --paper: " << error.what() << '\n';
                return false;
            }
        } else if (render && a == "--ratio" && hasValue) {
            try {
                request.ratio = ParseRatio(arguments[++i]);
            } catch (const TrueScaleError& error) {
                err << "fensterdaten-cli: --ratio: " << error.what() << '\n';
                return false;
            }
        } else if (render && a == "--format" && hasValue) {
            request.format = QString::fromStdString(arguments[++i]).toLower().toStdString();
        } else if (a.size() > 1 && a.front() == '-') {
            err << "fensterdaten-cli: unknown or incomplete option \"" << a << "\" (see --help)\n";
            return false;
        } else {
            request.files.push_back(a);
        }
    }
    if (request.mmPerPixel && request.box) {
        err << "fensterdaten-cli: --scale and --size exclude each other\n";
        return false;
    }
    if (request.trueScale() && (request.mmPerPixel || request.box)) {
        err << "fensterdaten-cli: --paper and --ratio draw at a true ratio and exclude --scale and --size\n";
        return false;
    }
    if (request.files.empty()) {
        err << "fensterdaten-cli: no FILE given\n";
        return false;
    }
    if (!render && request.files.size() > 1) {
        err << "fensterdaten-cli: one FILE only\n";
        return false;
    }
    if (render && request.output.empty()) {
        err << "fensterdaten-cli: render needs -o OUT\n";
        return false;
    }
    return true;
}

std::optional<CliDocument> LoadCliDocument(const CliRequest& request, const std::string& file, CliContext& context)
{
    std::optional<std::string> text = ReadCliInput(file, context);
    if (!text)
        return std::nullopt;
    std::optional<DocumentAnnotations> annotations = LoadDocumentAnnotations(file, request.lists, context);
    if (!annotations)
        return std::nullopt;
    CliDocument document;
    document.file = file;
    document.description = std::move(*text);
    document.dimensions = request.dimensions.value_or(annotations->edgeDimensions.value_or(EdgeDimensions::Off));
    document.annotations = std::move(*annotations);
    document.box = request.box;
    document.mmPerPixel = request.mmPerPixel.value_or(kDefaultMmPerPixel);
    return document;
}

ExportDrawing ExportDrawingOf(const CliDocument& document)
{
    ExportDrawing drawing;
    drawing.description = document.description;
    drawing.symbols = document.annotations.symbols;
    drawing.dimensionLines = document.annotations.dimensionLines;
    drawing.symbolFolder = document.annotations.symbolFolder;
    drawing.edgeDimensions = document.dimensions;
    return drawing;
}

NothingDrawnError::NothingDrawnError()
    : std::runtime_error("nothing to draw: the text is no window description with a size and rows to draw")
{
}

ConstantScaleJob ConstantScaleJobFor(const CliDocument& document)
{
    ConstantScaleJob job;
    job.description = document.description;
    job.mmPerPixel = document.mmPerPixel;
    job.leftMargin = kLeftMargin;
    job.bottomMargin = kBottomMargin;
    job.edgeDimensions = document.dimensions;
    job.annotations = annotationsOf(document);
    return job;
}

QSize CliPicture::size() const
{
    if (constantScale)
        return { constantScale->crop.width(), constantScale->crop.height() };
    return fitted.size();
}

QImage CliPicture::bitmap() const
{
    if (!constantScale)
        return fitted;
    // The crop as a view of the canvas: no copy of the pixels.
    const QImage& canvas = constantScale->canvasImage;
    const PixelRect& crop = constantScale->crop;
    return QImage(canvas.constBits() + qsizetype(crop.top) * canvas.bytesPerLine() + qsizetype(crop.left) * 4,
        crop.width(), crop.height(), canvas.bytesPerLine(), canvas.format());
}

CliPicture DrawCliPicture(const CliDocument& document)
{
    EnsureGuiApplication();
    CliPicture picture;
    if (document.box)
        picture.fitted = RenderFitted(DrawingFont(), document.description, *document.box, document.dimensions,
            annotationsOf(document));
    else
        picture.constantScale = RenderConstantScaleCanvas(DrawingFont(), ConstantScaleJobFor(document));
    requireDrawn();
    return picture;
}

void PaintCliPicture(QPainter& painter, const CliDocument& document, const CliPicture& picture)
{
    const QFont font = DrawingFont();
    painter.setFont(font);
    if (picture.constantScale)
        painter.translate(-picture.constantScale->crop.left, -picture.constantScale->crop.top);
    QtCanvas canvas(painter);
    canvas.setFont(font);
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    if (picture.constantScale) {
        DrawConstantScale(canvas, ConstantScaleJobFor(document), picture.constantScale->canvas);
    } else {
        DrawWindow(canvas, 1, 1, document.box->width - 2, document.box->height - 2, document.description,
            document.dimensions, -1, -1, 0.0);
        annotationsOf(document)(canvas);
    }
    canvas.finish();
}

void EnsureGuiApplication()
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

QFont DrawingFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

} // namespace fenster
