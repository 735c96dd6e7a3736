#pragma once

#include "Canvas.h"
#include "Engine.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <stdexcept>
#include <string_view>

namespace fenster {

// The constant-scale picture: the window drawn afresh at a fixed number of
// millimetres per pixel, so that equal windows give equally large pictures,
// then cropped to what was drawn.

// Bitmap sides are limited so that absurd sizes in a description cannot
// claim unbounded memory. A constant-scale picture that would not fit is
// refused (PictureTooLargeError) rather than cut.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr long long kMaxPicturePixels = 16LL << 20;

// The constant-scale canvas would exceed the limits above. The message is
// for the user as it is.
class PictureTooLargeError : public std::runtime_error {
public:
    PictureTooLargeError(double width, double height);
    double width; // pixels the canvas would need
    double height;
};

struct CanvasSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(CanvasSize, CanvasSize) = default;
};

struct ConstantScaleJob {
    std::string_view description;
    double mmPerPixel = 5.0; // must be above 0
    // Overall height and width in mm; below 0 takes them from the
    // description's header.
    int overallHeight = -1;
    int overallWidth = -1;
    int leftMargin = 20; // pixels, the left drawing margin
    int bottomMargin = 0; // pixels, added to the width as the editor does
    EdgeDimensions edgeDimensions = EdgeDimensions::Off;
    int selectedField = -1;
    int selectedRow = -1;
    // Drawn right after the window on the same canvas: the dimension line
    // list and the symbol list.
    std::function<void(Canvas&)> annotations;
};

// Size before cropping: height rnd(H / f + 10 t + 2), width
// rnd(W / f + 10 t + bottomMargin + 2), t the text height of "W"; each
// side at least 1 and within the limits above.
CanvasSize ConstantScaleCanvasSize(int overallHeight, int overallWidth, double mmPerPixel, int textHeight, int bottomMargin);

// Throws PictureTooLargeError when the canvas ConstantScaleCanvasSize gives
// for these values had to be cut at the limits; std::invalid_argument for a
// scale that is not above 0.
void CheckConstantScaleCanvasSize(int overallHeight, int overallWidth, double mmPerPixel, int textHeight,
    int bottomMargin);

// The header's overall height and width when the job gives none.
void ResolveOverallSize(ConstantScaleJob& job);

// DrawWindow and the annotations at the job's scale on a canvas of that
// size. Throws DataFileError for a field width that is not a number.
void DrawConstantScale(Canvas& canvas, const ConstantScaleJob& job, CanvasSize size);

struct ConstantScalePicture {
    QImage image; // cropped, 32-bit opaque
    CanvasSize canvas; // before cropping
    PixelRect crop; // the part of the canvas kept
};

// The constant-scale canvas before cropping and the part to keep; the
// picture is canvasImage's rectangle crop.
struct ConstantScaleCanvas {
    QImage canvasImage; // 32-bit opaque, the whole canvas
    CanvasSize canvas;
    PixelRect crop;
};
ConstantScaleCanvas RenderConstantScaleCanvas(const QFont& font, ConstantScaleJob job);

// The whole constant-scale picture in the drawing font: white bitmap of
// ConstantScaleCanvasSize at 96 dpi, DrawConstantScale, TrimToContent with
// threshold 250. Throws DataFileError, PictureTooLargeError, and
// std::invalid_argument for a scale that is not above 0. So does
// RenderConstantScaleCanvas.
ConstantScalePicture RenderConstantScale(const QFont& font, ConstantScaleJob job);

// The drawing fitted into a box as the drawing area shows it: a white
// bitmap of the box, DrawWindow with margins 1 on the box less 2 pixels
// each way at the automatic scale. Throws DataFileError.
QImage RenderFitted(const QFont& font, std::string_view description, CanvasSize box, EdgeDimensions edgeDimensions,
    const std::function<void(Canvas&)>& annotations = {});

// The text height of "W" in font on a 96-dpi bitmap.
int TextHeightOfW(const QFont& font);

// A white 32-bit bitmap at 96 dpi, sides limited as above.
QImage WhitePicture(CanvasSize size);

} // namespace fenster
