#pragma once

namespace fenster {

// What the next click on the drawing does. The numbers are the program's
// own codes; they are what the status prompt and the saved state speak of.
enum class MouseMode {
    Window = 0, // clicks select fields
    PlaceSymbol = 1, // the next click places the chosen symbol
    FirstDimensionPoint = 2, // free dimensioning: the first measured point
    SecondDimensionPoint = 3, // free dimensioning: the second measured point
    DimensionOffset = 6, // free dimensioning: where the dimension line lies
    Symbol = 10, // clicks select symbols
    DimensionLine = 20, // clicks step through the free dimension lines
};

} // namespace fenster
