#include "AnnotationLists.h"

#include "Annotations.h"
#include "Dimensions.h"
#include "Engine.h"
#include "IntegerText.h"
#include "Mapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

namespace fenster {

namespace {

bool usableScale(double scale) { return scale > 0.0 && std::isfinite(scale); }

// A pixel length of the symbol: never negative (a size below 1 draws
// nothing) and small enough that centre plus length stays an int.
std::int64_t displayLength(int natural, double scale, std::int32_t size, double placementScale)
{
    const int length = rnd(double(natural) * scale * (double(size) / 10.0) / placementScale);
    return std::clamp(length, 0, 1 << 28);
}

int clampToInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::string recordText(std::string_view list, AnnotationList kind, int number)
{
    const std::vector<RecordSpan> spans = RecordSpans(list, kind);
    if (number < 1 || std::size_t(number) > spans.size())
        return {};
    const RecordSpan& s = spans[std::size_t(number - 1)];
    return std::string(list.substr(s.begin, s.end - s.begin));
}

// Record k (1-based) failed: it gets an entry of its own, all 0.
void markFailedSymbol(int k)
{
    std::vector<SymbolRect>& rects = Engine().SymbolRects;
    rects.resize(std::size_t(k));
    rects[std::size_t(k - 1)] = {};
}

} // namespace

void DrawDimensionList(Canvas& canvas, std::string_view list)
{
    canvas.setLayer(DrawingLayer::FreeDimensions);
    const ListReading<DimensionRecord> reading = ReadDimensionList(list);
    int k = 0;
    for (const DimensionRecord& r : reading.records) {
        ++k;
        const Colour colour = k == Engine().SelectedDimLine ? kBlue : Settings().Color;
        SetEnginePen(canvas, Pen { colour, 1, PenStyle::Solid, PenMix::Copy });
        DrawFreeDimension(canvas, r.x1, r.y1, r.x2, r.y2, r.dy, r.dx);
    }
    if (reading.error)
        throw AnnotationListError(reading.error->message);
}

void DrawSymbolList(Canvas& canvas, std::string_view list, std::string_view symbolFolder, int selectedSymbol,
    PictureSource& pictures)
{
    canvas.setLayer(DrawingLayer::Symbols);
    const ListReading<SymbolRecord> reading = ReadSymbolList(list);
    EngineState& engine = Engine();
    const double scale = engine.DrawingScale;
    std::map<std::string, RasterImage, std::less<>> loaded;

    int k = 0;
    for (const SymbolRecord& symbol : reading.records) {
        ++k;
        auto picture = loaded.find(symbol.name);
        if (picture == loaded.end()) {
            RasterImage image;
            std::string error;
            if (!pictures.load(symbolFolder, symbol.name, image, error)) {
                markFailedSymbol(k);
                throw AnnotationListError(AnnotationErrorMessage(AnnotationList::Symbols, k,
                    recordText(list, AnnotationList::Symbols, k),
                    "die Bilddatei \"" + symbol.name + "\" kann nicht geladen werden: " + error));
            }
            picture = loaded.emplace(symbol.name, std::move(image)).first;
        }
        const RasterImage& image = picture->second;

        engine.SymbolRects.resize(std::size_t(k));
        if (!usableScale(scale)) {
            engine.SymbolRects[std::size_t(k - 1)] = {};
            continue;
        }
        const PixelPoint centre = MapFromAnnotationOrigin(symbol.x, symbol.y);
        const std::int64_t dw = displayLength(image.width, scale, symbol.size, symbol.placementScale);
        const std::int64_t dh = displayLength(image.height, scale, symbol.size, symbol.placementScale);
        const SymbolRect rect {
            clampToInt(centre.x - dw / 2),
            clampToInt(centre.x + dw - dw / 2),
            clampToInt(centre.y - dh / 2),
            clampToInt(centre.y + dh - dh / 2),
        };
        canvas.stretchCopyAnd({ rect.left, rect.top, rect.right, rect.bottom }, image);
        engine.SymbolRects[std::size_t(k - 1)] = rect;

        if (k - 1 == selectedSymbol) {
            Pen pen = canvas.pen();
            pen.colour = kRed;
            canvas.setPen(pen);
            Brush brush = canvas.brush();
            brush.style = BrushStyle::Clear;
            canvas.setBrush(brush);
            canvas.rectangle({ SaturatingAdd(rect.left, -2), SaturatingAdd(rect.top, -2), SaturatingAdd(rect.right, 2),
                SaturatingAdd(rect.bottom, 2) });
            brush.style = BrushStyle::Solid;
            canvas.setBrush(brush);
        }
    }
    if (reading.error) {
        markFailedSymbol(reading.error->record);
        throw AnnotationListError(reading.error->message);
    }
}

} // namespace fenster
