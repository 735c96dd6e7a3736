#include "ExportDrawing.h"

#include "EngineReader.h"
#include "PictureLoader.h"
#include "DrawWindow.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace fenster {

namespace {

int canvasSide(double mm, double scale)
{
    const double pixels = std::ceil(mm * scale);
    if (!(pixels >= 1.0))
        return 1;
    return int(std::min(pixels, double(std::numeric_limits<int>::max() / 2)));
}

} // namespace

void DrawExportAnnotations(Canvas& canvas, const ExportDrawing& drawing, std::vector<std::string>& errors)
{
    try {
        DrawDimensionList(canvas, drawing.dimensionLines);
    } catch (const AnnotationListError& e) {
        errors.push_back(e.what());
    }
    try {
        PictureSource& pictures = drawing.pictures ? *drawing.pictures : DefaultPictureFiles();
        DrawSymbolList(canvas, drawing.symbols, drawing.symbolFolder, -1, pictures);
    } catch (const AnnotationListError& e) {
        errors.push_back(e.what());
    }
}

OverallSize HeaderSize(std::string_view description)
{
    DescriptionReader reader(description);
    const int H = reader.nextNumber();
    const int W = reader.nextNumber();
    return { std::max(0, H), std::max(0, W) };
}

ExportCanvas ExportCanvasFor(std::string_view description, double scale, int textHeight, EdgeDimensions edgeDimensions)
{
    const OverallSize size = HeaderSize(description);
    const double H = size.height;
    const double W = size.width;
    // The window's bottom edge lies this far above the canvas bottom; the
    // margin of 100 mm keeps the right-hand dimension chains on the canvas.
    const double bottom = BottomOffsetMm(edgeDimensions, textHeight, scale);
    return { canvasSide(2.0 * W + 100.0, scale), canvasSide(bottom + 2.0 * H + 100.0, scale) };
}

} // namespace fenster
