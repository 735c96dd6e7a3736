#pragma once

// Where the pictures for the clipboard and the printer go: plain formulas
// over pixel sizes and the window's overall size in millimetres.

namespace fenster {

struct OutputSize {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(OutputSize, OutputSize) = default;
};

// A rectangle as its left/top corner and its width and height, in pixels.
struct OutputRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(OutputRect, OutputRect) = default;
};

// The vector copy of the drawing area (PW x PH pixels) of a window H mm
// high and W mm wide. A window taller than wide keeps the area's height and
// gets the width rnd(PW * W / H) + 70; any other keeps the area's width plus
// 70 and gets the height rnd(PH * H / W). Sizes of 0 or less keep the area's
// height and width + 70.
OutputSize VectorCopySize(int paintWidth, int paintHeight, int overallHeight, int overallWidth);

// The box the window is fitted into on the vector copy: 70 pixels wider
// than the picture, as high as it.
OutputSize VectorCopyBox(OutputSize picture);

// The printout on a page of PW x PH device pixels: margins of 10 % of the
// page (mx left, my bottom) and the box the window is fitted into. A window
// at least as slender as the page (H / W >= PH / PW) gets the box
// (PW - mx, PH - my); a wider one (PW - mx, rnd((PW - 2 mx) * H / W) + my).
struct PrintLayout {
    int leftMargin = 0; // mx
    int bottomMargin = 0; // my
    OutputSize box;
    friend constexpr bool operator==(const PrintLayout&, const PrintLayout&) = default;
};
PrintLayout PrintLayoutFor(int pageWidth, int pageHeight, int overallHeight, int overallWidth);

// Where the screen picture lands on the bitmap printout's page: top-left
// corner (20, 20), width PW div 2 + 70, height PH div 2.
OutputRect BitmapPrintRect(int pageWidth, int pageHeight);

// Where the screen copy of a BW x BH paint box goes on the bitmap printed:
// the whole box squeezed onto the rectangle from x = 20 to BW, full height.
OutputRect ShiftedScreenCopyRect(int boxWidth, int boxHeight);

} // namespace fenster
