#pragma once

#include "CliAnnotations.h"
#include "CliCommands.h"

#include "ConstantScale.h"
#include "Engine.h"
#include "ExportDrawing.h"
#include "TrueScalePage.h"

#include <QFont>
#include <QImage>
#include <QSize>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

class QPainter;

namespace fenster {

// The exit status host programs know for a description whose field width is
// not a number, and the line that goes with it.
inline constexpr int kDataFileErrorStatus = 137;
inline constexpr const char* kDataFileErrorLine = "Fehler in Datendatei!";

// What render, layout and trace are asked to draw, as their arguments give it.
struct CliRequest {
    std::vector<std::string> files;
    std::string output; // render only: -o
    std::string format; // render only: --format, lower case
    std::optional<double> mmPerPixel; // --scale
    std::optional<CanvasSize> box; // --size
    std::optional<EdgeDimensions> dimensions; // On when --dimensions is given
    std::optional<Paper> paper; // render only: --paper, a true-scale sheet
    std::optional<int> ratio; // render only: --ratio, a true-scale sheet
    AnnotationOptions lists;

    // Either --paper or --ratio asks for the true-scale sheet.
    bool trueScale() const { return paper || ratio; }
};

enum class CliRequestKind {
    Render, // several FILEs, -o and --format
    Describe, // layout and trace: one FILE
};

// Reads the arguments of a drawing command; false after a message on err.
bool ParseCliRequest(const std::vector<std::string>& arguments, CliRequestKind kind, CliRequest& request,
    std::ostream& err);

// One file of a request with everything it is drawn from.
struct CliDocument {
    std::string file;
    std::string description;
    DocumentAnnotations annotations;
    EdgeDimensions dimensions = EdgeDimensions::Off; // --dimensions, else the settings file, else off
    std::optional<CanvasSize> box; // fitted into a box; otherwise at mmPerPixel
    double mmPerPixel = 5.0;
};

// The document as the vector files (true-scale sheet, CAD file) draw it,
// with the symbol pictures from files.
ExportDrawing ExportDrawingOf(const CliDocument& document);

// Reads the file and its lists; nullopt after a message naming the file.
std::optional<CliDocument> LoadCliDocument(const CliRequest& request, const std::string& file, CliContext& context);

// The description drew nothing (empty, blank, not a description, counts that
// do not fit): the engine found no scale to draw at, or no field.
class NothingDrawnError : public std::runtime_error {
public:
    NothingDrawnError();
};

// The constant-scale job of a document, with the main window's margins at
// start-up.
ConstantScaleJob ConstantScaleJobFor(const CliDocument& document);

// The picture render writes and layout describes, drawn once for both: at a
// constant scale the canvas with its crop, in a box the fitted bitmap.
// Leaves the engine's state (scale, origins, field and symbol rectangles) of
// that drawing. Throws DataFileError, PictureTooLargeError and
// NothingDrawnError.
struct CliPicture {
    std::optional<ConstantScaleCanvas> constantScale;
    QImage fitted;
    QSize size() const;
    QImage bitmap() const; // the picture's pixels; at a constant scale a view of the canvas
};
CliPicture DrawCliPicture(const CliDocument& document);

// Draws the same picture on a vector device, origin at its top-left corner.
void PaintCliPicture(QPainter& painter, const CliDocument& document, const CliPicture& picture);

// Text measures need the font database, which lives in a GUI application;
// the tool never shows a window, so it runs offscreen.
void EnsureGuiApplication();

// The drawing font: Arial 8 points, as the drawing area starts.
QFont DrawingFont();

} // namespace fenster
