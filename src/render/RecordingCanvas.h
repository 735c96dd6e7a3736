#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

namespace fenster {

// Fixed text metrics for the recording canvas, so that every text measure
// and every position that depends on it is the same on every machine.
// textHeight is the height of any measured text, fontHeight the font's
// character height, charWidth the width of each character (UTF-8 code point).
struct FakeFontMetrics {
    int textHeight = 13;
    int fontHeight = 13;
    int charWidth = 7;
};

enum class CallKind { Line, Polyline, Polygon, Rectangle, Text, Clip, Unclip, ImageAnd };

// One canvas call with the integer pixel arguments it received.
//   Line:      points = {from, to}, pen
//   Polyline:  points, pen
//   Polygon:   points, pen, brush
//   Rectangle: rect (corners as given), pen, brush
//   Text:      points = {reference point}, text, escapement
//   Clip:      points (fewer than three clip everything away)
//   Unclip:    nothing
//   ImageAnd:  rect (destination), imageWidth, imageHeight
struct RecordedCall {
    CallKind kind = CallKind::Line;
    std::vector<PixelPoint> points;
    PixelRect rect;
    Pen pen;
    Brush brush;
    std::string text;
    Escapement escapement = Escapement::Horizontal;
    int imageWidth = 0;
    int imageHeight = 0;

    // The call as one line of the trace format:
    //   line X,Y X,Y pen=RRGGBB/WIDTH/STYLE/MIX
    //   polyline pen=... X,Y X,Y ...
    //   polygon pen=... brush=RRGGBB/STYLE X,Y X,Y ...
    //   rectangle L,T R,B pen=... brush=...
    //   text X,Y horizontal|up90 "TEXT"     (" and \ escaped with \)
    //   clip X,Y X,Y ...
    //   unclip
    //   imageand L,T R,B size=WxH
    // STYLE of a pen is solid, dash, dot, dashdot or dashdotdot; of a brush
    // solid or clear; MIX is copy or xor. Colours are lower-case hex.
    std::string toString() const;
};

// A canvas that draws nothing and records every call, for tests and for
// the command-line trace.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(FakeFontMetrics metrics = {});

    const std::vector<RecordedCall>& calls() const { return m_calls; }
    std::vector<RecordedCall> callsOf(CallKind kind) const;
    void clear() { m_calls.clear(); }
    // Every call in order, one line each, each line ended by '\n'.
    std::string trace() const;

    const FakeFontMetrics& metrics() const { return m_metrics; }
    void setMetrics(FakeFontMetrics metrics) { m_metrics = metrics; }

protected:
    void drawLine(PixelPoint from, PixelPoint to, const Pen& pen) override;
    void drawPolyline(std::span<const PixelPoint> points, const Pen& pen) override;
    void drawPolygon(std::span<const PixelPoint> points, const Pen& pen, const Brush& brush) override;
    void drawRectangle(PixelRect rect, const Pen& pen, const Brush& brush) override;
    void drawText(PixelPoint at, std::string_view text, Escapement escapement) override;
    TextSize measureText(std::string_view text) const override;
    int characterHeight() const override;
    void setClipPolygon(std::span<const PixelPoint> points) override;
    void clearClip() override;
    void drawImageAnd(PixelRect dest, const RasterImage& image) override;

private:
    FakeFontMetrics m_metrics;
    std::vector<RecordedCall> m_calls;
};

// Number of UTF-8 code points in text (continuation bytes not counted).
int CodePointCount(std::string_view text);

} // namespace fenster
