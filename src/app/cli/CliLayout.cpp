#include "CliCommands.h"
#include "CliRequest.h"

#include <charconv>
#include <ostream>

namespace fenster {

namespace {

void printJsonPoint(std::ostream& out, MmPoint p)
{
    out << "{\"x\": " << p.x << ", \"y\": " << p.y << "}";
}

void printLayout(std::ostream& out, const CliPicture& picture)
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
    if (picture.constantScale) {
        const PixelRect& crop = picture.constantScale->crop;
        out << "  \"Crop\": {\"left\": " << crop.left << ", \"top\": " << crop.top << ", \"width\": " << crop.width()
            << ", \"height\": " << crop.height() << "},\n";
    }
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
    out << (first ? "],\n" : "\n  ],\n");
    out << "  \"SymbolRects\": [";
    for (std::size_t i = 0; i < e.SymbolRects.size(); ++i) {
        const SymbolRect& rect = e.SymbolRects[i];
        out << (i == 0 ? "\n" : ",\n") << "    {\"symbol\": " << i + 1 << ", \"left\": " << rect.left
            << ", \"top\": " << rect.top << ", \"right\": " << rect.right << ", \"bottom\": " << rect.bottom << "}";
    }
    out << (e.SymbolRects.empty() ? "]\n" : "\n  ]\n") << "}\n";
}

} // namespace

int CliLayout(const std::vector<std::string>& arguments, CliContext& context)
{
    CliRequest request;
    if (!ParseCliRequest(arguments, CliRequestKind::Describe, request, context.err))
        return CliExitUsage;
    const std::optional<CliDocument> document = LoadCliDocument(request, request.files.front(), context);
    if (!document)
        return CliExitBadInput;
    try {
        // The very drawing render makes of the same arguments.
        const CliPicture picture = DrawCliPicture(*document);
        printLayout(context.out, picture);
    } catch (const DataFileError&) {
        context.out << kDataFileErrorLine << '\n';
        return kDataFileErrorStatus;
    } catch (const NothingDrawnError& error) {
        context.err << "fensterdaten-cli: " << document->file << ": " << error.what() << '\n';
        return CliExitBadInput;
    } catch (const PictureTooLargeError& error) {
        context.err << "fensterdaten-cli: " << document->file << ": the picture would be " << error.width << " x "
                    << error.height << " pixels; choose a larger --scale\n";
        return CliExitBadInput;
    }
    return ReportAnnotationErrors(document->file, document->annotations, context.err) ? CliExitBadInput : CliExitOk;
}

} // namespace fenster
