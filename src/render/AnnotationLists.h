#pragma once

#include "Canvas.h"
#include "RasterImage.h"

#include <string>
#include <string_view>

namespace fenster {

// Drawing of the two annotation lists on the canvas of the preceding
// DrawWindow call, with its scale, annotation origin and canvas height.
// Both throw AnnotationListError, naming the record, at the first record
// that does not parse or whose picture cannot be loaded; the records before
// it are drawn by then.

// Where the symbol pictures come from. The file-based source is the Qt side
// (PictureLoader.h); tests give pictures from memory.
class PictureSource {
public:
    virtual ~PictureSource() = default;
    // The picture name (relative to folder) as a plain image, white where
    // the picture is transparent. false with a reason when it cannot be had.
    virtual bool load(std::string_view folder, std::string_view name, RasterImage& picture, std::string& error) = 0;
};

// Every "M:" record with DrawFreeDimension; record number SelectedDimLine
// (1-based) in blue, the others in the setting Color, each solid, width 1.
void DrawDimensionList(Canvas& canvas, std::string_view list);

// Every "B:" record's picture, centred on its point and scaled by the ratio
// of the drawing scale to its placement scale and by its size in tenths,
// copied with AND (white leaves the drawing untouched). Record
// selectedSymbol (0-based; -1 for none) is framed in red. SymbolRects gets
// one entry per record drawn or failed, the failed one all 0; an empty list
// leaves SymbolRects as it was. A picture used several times is loaded once.
void DrawSymbolList(Canvas& canvas, std::string_view list, std::string_view symbolFolder, int selectedSymbol,
    PictureSource& pictures);

} // namespace fenster
