#include "Engine.h"

#include "Mapping.h"

namespace fenster {

EngineState& Engine()
{
    static EngineState state;
    return state;
}

DrawingSettings& Settings()
{
    static DrawingSettings settings;
    return settings;
}

int PixelsToMm(double pixels)
{
    const double scale = Engine().DrawingScale;
    if (!(scale > 0.0))
        return 0;
    return rnd(pixels / scale);
}

void LineMm(Canvas& canvas, MmPoint reference, double x1, double y1, double x2, double y2)
{
    canvas.moveTo(MapMm(reference, x1, y1));
    canvas.lineTo(MapMm(reference, x2, y2));
}

void SetEnginePen(Canvas& canvas, const Pen& pen)
{
    Engine().currentColour = pen.colour;
    canvas.setPen(pen);
}

void SetCurrentColourPen(Canvas& canvas)
{
    canvas.setPen(Pen { Engine().currentColour, 1, PenStyle::Solid, PenMix::Copy });
}

} // namespace fenster
