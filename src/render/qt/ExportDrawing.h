#pragma once

#include "AnnotationLists.h"
#include "Canvas.h"
#include "Engine.h"

#include <string>
#include <string_view>
#include <vector>

namespace fenster {

// A drawing as it leaves the program in a vector file (a true-scale page,
// a CAD file): the window description with its two annotation lists, as a
// document or a standard window carries them.
struct ExportDrawing {
    std::string description;
    std::string symbols; // the symbol list ("B:" records)
    std::string dimensionLines; // the dimension line list ("M:" records)
    std::string symbolFolder; // where the symbol pictures are looked up
    EdgeDimensions edgeDimensions = EdgeDimensions::On;
    // nullptr: the pictures from files (DefaultPictureFiles()).
    PictureSource* pictures = nullptr;
};

// Draws the dimension line list, then the symbol list, right after
// DrawWindow on the same canvas, with no symbol selected. A list that fails
// leaves its message in errors; the other list is still drawn.
void DrawExportAnnotations(Canvas& canvas, const ExportDrawing& drawing, std::vector<std::string>& errors);

// The overall height and width of the description's header, mm (never
// negative).
struct OverallSize {
    int height = 0;
    int width = 0;
};
OverallSize HeaderSize(std::string_view description);

// The canvas size an export draws the window on at scale pixels per mm:
// room for the window twice over in both directions and for the edge
// dimensions below it, so that nothing of a field is skipped as lying
// outside the canvas. Sides are at least 1 and stay in the int range.
struct ExportCanvas {
    int width = 1;
    int height = 1;
};
ExportCanvas ExportCanvasFor(std::string_view description, double scale, int textHeight, EdgeDimensions edgeDimensions);

// An export draws with the engine, whose state the editor reads until its
// next drawing (field rectangles for the mouse, symbol rectangles). The
// guard keeps the editor's state across the export.
class EngineStateGuard {
public:
    EngineStateGuard()
        : m_saved(Engine())
    {
    }
    ~EngineStateGuard() { Engine() = m_saved; }
    EngineStateGuard(const EngineStateGuard&) = delete;
    EngineStateGuard& operator=(const EngineStateGuard&) = delete;

private:
    EngineState m_saved;
};

} // namespace fenster
