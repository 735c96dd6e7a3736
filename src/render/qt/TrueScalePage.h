#pragma once

#include "ExportDrawing.h"

#include <QByteArray>
#include <QFont>
#include <QString>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fenster {

// The drawing on a sheet of paper at a true ratio 1:N: a length of 1000 mm
// in the window measures 1000 / N mm on the sheet. The drawing (window,
// edge dimensions, both annotation lists) is centred in the sheet's area
// inside margins of 10 mm; a caption line below it names the document and
// the ratio, "M 1:N". A drawing that does not fit at the ratio asked for is
// drawn at the smallest whole N at which it fits, and that N is the one on
// the sheet: the printed ratio is always the true one.

// A request that cannot be drawn: a ratio or a paper that does not exist.
// The message is meant for the user as it is.
class TrueScaleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class PaperSize { A4, A3 };
enum class PaperOrientation { Portrait, Landscape };

struct Paper {
    PaperSize size = PaperSize::A4;
    PaperOrientation orientation = PaperOrientation::Portrait;
    friend constexpr bool operator==(Paper, Paper) = default;
};

// Sheet width and height in mm (A4 portrait: 210 x 297).
struct PaperMm {
    double width = 0.0;
    double height = 0.0;
};
PaperMm PaperDimensions(Paper paper);

// "A4", "A3", each with "-hoch" (portrait, the default) or "-quer"
// (landscape); letter case does not matter. Throws TrueScaleError naming
// the text and the names there are.
Paper ParsePaper(std::string_view text);
// "A4", "A4-quer", "A3", "A3-quer": the names ParsePaper reads.
std::string PaperName(Paper paper);

// Ratios run from 1:1 to 1:10000.
inline constexpr int kMinRatio = 1;
inline constexpr int kMaxRatio = 10000;
// The ratio N of "N" or "1:N"; throws TrueScaleError for anything else or
// a ratio outside the range.
int ParseRatio(std::string_view text);
// Throws TrueScaleError when the ratio is outside the range.
void CheckRatio(int ratio);

enum class PageFormat { Pdf, Svg };
// The format of a file name ending in ".pdf" or ".svg" (any case).
std::optional<PageFormat> PageFormatForPath(const QString& path);

struct TrueScaleJob {
    ExportDrawing drawing;
    std::string documentName; // in the caption; empty: the ratio alone
    Paper paper;
    int ratio = 20; // N of 1:N
    PageFormat format = PageFormat::Pdf;
    // The drawing font; the caption uses its family one size larger.
    QFont font = DefaultPageFont();

    static QFont DefaultPageFont();
};

struct TrueScalePage {
    QByteArray bytes; // the PDF or SVG file
    int ratio = 0; // the N the sheet is drawn at and says
    bool fitted = false; // the ratio asked for did not fit
    std::vector<std::string> annotationErrors; // messages of lists that did not draw
};

// The sheet as a file. Throws TrueScaleError for a ratio outside the range
// or a drawing that fits the sheet at no ratio, DataFileError when a field
// width is not a number. The engine's state of the last drawing is kept.
TrueScalePage RenderTrueScalePage(const TrueScaleJob& job);

// RenderTrueScalePage written to path through WriteFileAtomically; throws
// FileError when it cannot be written and the errors above.
TrueScalePage WriteTrueScalePage(const TrueScaleJob& job, const QString& path);

// The caption line: "Name   M 1:N", with a note when the drawing was made
// smaller than asked.
std::string TrueScaleCaption(std::string_view documentName, int ratio, int requestedRatio, Paper paper);

} // namespace fenster
