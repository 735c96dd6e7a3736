// Reads fuzzed text as a symbol list and as a dimension line list, runs the
// editor's record writers over it and draws both lists on the recording
// canvas. Nothing may crash, hang or divide by zero; every failure must be
// an AnnotationListError or a rewrite that reports its error.
#include "AnnotationLists.h"
#include "Annotations.h"
#include "Engine.h"
#include "RecordingCanvas.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

class OnePicture : public fenster::PictureSource {
public:
    bool load(std::string_view, std::string_view name, fenster::RasterImage& picture, std::string& error) override
    {
        if (name.empty() || name.front() == 'x') {
            error = "Datei nicht gefunden";
            return false;
        }
        picture = fenster::RasterImage(int(name.size() % 7) + 1, 3, 0xff000000u);
        return true;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace fenster;
    const std::string_view list(reinterpret_cast<const char*>(data), size);

    (void)ReadSymbolList(list);
    (void)ReadDimensionList(list);
    for (int i : { -1, 0, 1, 2 }) {
        const ListRewrite grown = GrowSymbol(list, i);
        if (!grown.ok() && grown.list != list)
            __builtin_trap();
        (void)ShrinkSymbol(list, i);
        const ListRewrite set = SetDimensionLengths(list, i + 1, 250, -40);
        if (!set.ok() && set.list != list)
            __builtin_trap();
    }

    for (double scale : { 0.5, 1e-9, 1e9 }) {
        Engine() = EngineState {};
        Engine().DrawingScale = scale;
        Engine().CanvasHeight = 600;
        Engine().CanvasWidth = 800;
        Engine().SelectedDimLine = 2;
        RecordingCanvas canvas;
        OnePicture pictures;
        try {
            DrawDimensionList(canvas, list);
        } catch (const AnnotationListError&) {
        }
        try {
            DrawSymbolList(canvas, list, "", 1, pictures);
        } catch (const AnnotationListError&) {
        }
    }
    return 0;
}
