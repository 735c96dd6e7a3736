#include "CliCommands.h"

namespace fenster {

// A new command is a function in its own Cli<Name>.cpp, declared in
// CliCommands.h, with one line here.
static const CliCommand kCommands[] = {
    {"normalize", "[FILE|-]",
        "read a window description and print it as the editor writes it",
        "Reads the description in FILE, or standard input for \"-\" or no FILE, with the\n"
        "editor's reader and prints what the editor's writer makes of it, on one line.\n"
        "A description that does not read prints the reader's message on standard error\n"
        "and exits with status 2, as does a file that cannot be read.",
        CliNormalize},
    {"render", "FILE... -o OUT [--scale MM_PER_PIXEL | --size WxH | --paper PAPER --ratio N]\n"
               "       [--dimensions] [--format EXT] [--symbols FILE] [--dimlines FILE] [--symbol-folder DIR]",
        "draw windows into PNG, BMP (24 bits), SVG, PDF, true-scale sheets or DXF",
        "Draws the window description in FILE into OUT, whose extension (png, bmp, svg,\n"
        "pdf, dxf) selects the format. --scale draws at a constant scale (default\n"
        "5 mm per pixel) on a canvas sized as the editor's constant-scale export does\n"
        "and crops the picture to what was drawn; --size fits the drawing into a box\n"
        "of WxH pixels as the drawing area does. --dimensions draws the edge\n"
        "dimension chains.\n"
        "--paper (A4, A4-quer, A3, A3-quer) and --ratio (N or 1:N, 1 to 10000) make a\n"
        "pdf or svg a true-scale sheet: 1000 mm of the window measure 1000/N mm on\n"
        "the paper, the drawing centred with the caption \"NAME   M 1:N\"; the one not\n"
        "given is A4 portrait or 1:20. A drawing that does not fit at 1:N is drawn\n"
        "at the least N at which it fits; the sheet states that N, standard error\n"
        "names it and the status stays 0. An unknown paper, a bad ratio, or either\n"
        "option with png, bmp, dxf, --scale or --size is wrong usage (status 1).\n"
        "A dxf OUT is a CAD file in millimetres at 1:1, one layer per kind of line,\n"
        "with the lists; above a million entities it is refused (status 2).\n"
        "The symbol list (--symbols) and the dimension line list (--dimlines) are\n"
        "drawn after the window; without them a document X.Fnt brings X.fn2 and X.fn3,\n"
        "and its settings file X.fn4 switches the edge dimensions on or off unless\n"
        "--dimensions is given (a standard window X.std: X.st2, X.st3, X.st4). Symbol\n"
        "pictures are looked up in --symbol-folder (default: the document's folder),\n"
        "then in the program's folder. A list record that does not draw is reported on\n"
        "standard error with its number; the picture keeps the records before it and\n"
        "the exit status is 2.\n"
        "A text that draws nothing (empty, blank, not a description) and a picture\n"
        "above 16384 pixels a side or 16 M pixels in all are refused with status 2 and\n"
        "no file; two FILEs of one name for one folder are refused with status 1\n"
        "before anything is written. A picture is written whole or not at all.\n"
        "Several FILEs, or an existing folder as OUT, write OUT/<name>.<EXT> for each\n"
        "(EXT from --format, png when not given); a file that fails is named on\n"
        "standard error and the others still render.\n"
        "A field width that is not a number prints \"Fehler in Datendatei!\" on standard\n"
        "output (with several FILEs: \"FILE: Fehler in Datendatei!\") and exits with 137;\n"
        "otherwise a failure exits with 2.",
        CliRender},
    {"layout", "FILE [--scale MM_PER_PIXEL | --size WxH] [--dimensions] [--symbols FILE]\n"
               "       [--dimlines FILE] [--symbol-folder DIR]",
        "print the drawing's scale, origins and field rectangles as JSON",
        "Draws FILE with its annotation lists exactly as render does for the same\n"
        "arguments and prints, as JSON: DrawingScale (pixels per mm),\n"
        "AnnotationOrigin and DrawOrigin (mm from the canvas' bottom-left corner),\n"
        "CanvasWidth and CanvasHeight (pixels), every valid record of FieldRectTable\n"
        "(row and field from 1; left, right in pixels from the canvas' left edge;\n"
        "bottom, top in pixels upward from the canvas bottom) and, at a constant\n"
        "scale, Crop: the part of the canvas kept in the picture, so that a field's\n"
        "picture pixels are x - Crop.left and CanvasHeight - y - Crop.top; and\n"
        "SymbolRects, the drawn symbols' rectangles (left, top, right, bottom).\n"
        "A field width that is not a number exits with 137 as render does.",
        CliLayout},
    {"trace", "FILE [--scale MM_PER_PIXEL | --size WxH] [--dimensions] [--symbols FILE]\n"
              "       [--dimlines FILE] [--symbol-folder DIR]",
        "print the drawing's canvas calls, one per line",
        "Draws FILE with its annotation lists, as render does, on a recording canvas\n"
        "whose font has fixed measures (every text 13 pixels high and 7 pixels wide\n"
        "per character, font height 13), so the\n"
        "output is the same on every machine, and prints one line per call:\n"
        "  line X,Y X,Y pen=RRGGBB/WIDTH/STYLE/MIX\n"
        "  polyline pen=... X,Y X,Y ...\n"
        "  polygon pen=... brush=RRGGBB/BSTYLE X,Y X,Y ...\n"
        "  rectangle LEFT,TOP RIGHT,BOTTOM pen=... brush=...\n"
        "  text X,Y horizontal|up90 \"TEXT\"\n"
        "  clip X,Y X,Y ...\n"
        "  unclip\n"
        "  imageand LEFT,TOP RIGHT,BOTTOM size=WxH\n"
        "Pixels count from the canvas' top-left corner, y downward. STYLE is solid,\n"
        "dash, dot, dashdot or dashdotdot; BSTYLE solid or clear; MIX copy or xor;\n"
        "colours are hexadecimal red, green, blue; in TEXT, \" and \\ are escaped\n"
        "with \\. A field width that is not a number ends the trace with the line\n"
        "\"Fehler in Datendatei!\" and exit status 137.",
        CliTrace},
};

std::span<const CliCommand> CliCommands()
{
    return kCommands;
}

} // namespace fenster
