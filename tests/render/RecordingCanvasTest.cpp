#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace fenster {
namespace {

TEST(RecordingCanvas, TraceFormatOfEveryCall)
{
    RecordingCanvas canvas({ 13, 11, 7 });
    canvas.setPen({ { 221, 221, 221 }, 3, PenStyle::Solid, PenMix::Xor });
    canvas.moveTo({ 1, 2 });
    canvas.lineTo({ 3, 4 });
    const PixelPoint points[] = { { 0, 0 }, { 10, 0 }, { 10, 10 } };
    canvas.setPen({ kBlue, 1, PenStyle::Dot, PenMix::Copy });
    canvas.polyline(points);
    canvas.setBrush({ { 192, 192, 192 }, BrushStyle::Solid });
    canvas.polygon(points);
    canvas.setBrush({ kWhite, BrushStyle::Clear });
    canvas.rectangle({ 5, 6, 7, 8 });
    canvas.setEscapement(Escapement::Up90);
    canvas.textOut({ 9, 10 }, "1\"0\\");
    canvas.clipToPolygon(points);
    canvas.removeClip();
    canvas.stretchCopyAnd({ 0, 0, 20, 10 }, RasterImage(4, 2));
    // Too few points: nothing recorded.
    canvas.polyline(std::span(points, 1));
    canvas.polygon(std::span(points, 2));
    canvas.stretchCopyAnd({ 0, 0, 20, 10 }, RasterImage());
    EXPECT_EQ(canvas.trace(),
        "line 1,2 3,4 pen=dddddd/3/solid/xor\n"
        "polyline pen=0000ff/1/dot/copy 0,0 10,0 10,10\n"
        "polygon pen=0000ff/1/dot/copy brush=c0c0c0/solid 0,0 10,0 10,10\n"
        "rectangle 5,6 7,8 pen=0000ff/1/dot/copy brush=ffffff/clear\n"
        "text 9,10 up90 \"1\\\"0\\\\\"\n"
        "clip 0,0 10,0 10,10\n"
        "unclip\n"
        "imageand 0,0 20,10 size=4x2\n");
    EXPECT_EQ(canvas.position(), (PixelPoint { 3, 4 }));
}

TEST(RecordingCanvas, FixedTextMetricsCountCodePoints)
{
    RecordingCanvas canvas({ 13, 11, 7 });
    EXPECT_EQ(canvas.textExtent("1000"), (TextSize { 28, 13 }));
    EXPECT_EQ(canvas.textExtent("Höhe"), (TextSize { 28, 13 }));
    EXPECT_EQ(canvas.textExtent(""), (TextSize { 0, 13 }));
    EXPECT_EQ(canvas.fontHeight(), 11);
}

} // namespace
} // namespace fenster
