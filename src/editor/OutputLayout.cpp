#include "OutputLayout.h"

#include "Measures.h"

#include <algorithm>

namespace fenster {

namespace {

// Extra width of the vector copy beside the window: room for the edge
// dimension chain on the right.
constexpr int kVectorCopyExtraWidth = 70;

} // namespace

OutputSize VectorCopySize(int paintWidth, int paintHeight, int overallHeight, int overallWidth)
{
    if (overallHeight <= 0 || overallWidth <= 0)
        return { paintWidth + kVectorCopyExtraWidth, paintHeight };
    if (overallWidth < overallHeight)
        return { rnd(double(paintWidth) * overallWidth / overallHeight) + kVectorCopyExtraWidth, paintHeight };
    return { paintWidth + kVectorCopyExtraWidth, rnd(double(paintHeight) * overallHeight / overallWidth) };
}

OutputSize VectorCopyBox(OutputSize picture)
{
    return { picture.width + kVectorCopyExtraWidth, picture.height };
}

PrintLayout PrintLayoutFor(int pageWidth, int pageHeight, int overallHeight, int overallWidth)
{
    PrintLayout layout;
    layout.leftMargin = rnd(0.1 * pageWidth);
    layout.bottomMargin = rnd(0.1 * pageHeight);
    layout.box.width = pageWidth - layout.leftMargin;
    // A window without width counts as endlessly slender; one without
    // height as flat.
    const bool slender = overallWidth <= 0
        || (pageWidth > 0 && double(overallHeight) / overallWidth >= double(pageHeight) / pageWidth);
    if (slender) {
        layout.box.height = pageHeight - layout.bottomMargin;
    } else {
        const double r = std::max(0.0, double(overallHeight) / overallWidth);
        layout.box.height = rnd(double(pageWidth - 2 * layout.leftMargin) * r) + layout.bottomMargin;
    }
    return layout;
}

OutputRect BitmapPrintRect(int pageWidth, int pageHeight)
{
    return { 20, 20, pageWidth / 2 + 70, pageHeight / 2 };
}

OutputRect ShiftedScreenCopyRect(int boxWidth, int boxHeight)
{
    return { 20, 0, std::max(0, boxWidth - 20), boxHeight };
}

} // namespace fenster
