#pragma once

#include "Canvas.h"
#include "ExportDrawing.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace fenster {

// The drawing as a CAD file (DXF, AutoCAD 2000), written through dxflib:
// lines, polylines, texts and the rectangles of the symbol pictures in
// millimetres at 1:1, x to the right and y upward with the origin at the
// window's bottom-left corner, each in the layer of what it draws.

// The layer names in the file, in the order of DrawingLayer.
inline constexpr std::array<const char*, 9> kDxfLayerNames { "Umriss", "Fluegelband", "Glas", "Oeffnungssymbole",
    "Sprossen", "Beschlaege", "Randbemassung", "Freie_Bemassung", "Symbole" };

const char* DxfLayerName(DrawingLayer layer);

// Where the engine's pixels lie in millimetres: x = column / scale - left,
// y = (canvasHeight - row) / scale - bottom.
struct PixelToMm {
    double scale = 1.0; // pixels per mm, above 0
    double canvasHeight = 0.0;
    double left = 0.0; // mm
    double bottom = 0.0; // mm
};

// A canvas that keeps what the engine draws, by layer, and writes it as DXF.
// Fills are not kept: a filled polygon becomes its closed outline. Drawing
// inside a clip keeps only the parts inside the clip polygon. Lines drawn
// with the exclusive-or pen (the field outlines, where an edge two fields
// share is drawn by both) are merged: collinear overlapping pieces become
// one line, so a shared edge is written once. Every other entity is written
// once per layer however often it is drawn. Text is measured with fixed
// metrics in millimetres (the CAD program brings its own font) and written
// centred on the point the engine centres it on.
class DxfCanvas : public Canvas {
public:
    // pixelsPerMm: the scale the engine draws at on this canvas; letterHeight:
    // the height of the letters in the file, mm (both above 0).
    DxfCanvas(double pixelsPerMm, double letterHeight);

    // The whole DXF file, entities in layer order.
    std::string dxf(const PixelToMm& mapping) const;

    // Entities per layer as they will be written (after merging), for tests.
    std::size_t entityCount(DrawingLayer layer) const;

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

public:
    struct Point {
        double x = 0.0;
        double y = 0.0;
        friend constexpr auto operator<=>(const Point&, const Point&) = default;
    };
    struct Segment {
        PixelPoint from;
        PixelPoint to;
    };
    enum class Kind { Polyline, ClosedPolyline, Text };
    struct Entity {
        Kind kind = Kind::Polyline;
        std::vector<Point> points; // pixels; a text has one: its alignment point
        std::string text;
        Escapement escapement = Escapement::Horizontal;
        friend auto operator<=>(const Entity&, const Entity&) = default;
    };

private:
    static constexpr std::size_t kLayers = kDxfLayerNames.size();

    void addOpen(std::span<const Point> points);
    void addClosed(std::vector<Point> points);
    void add(Entity entity);
    // Throws DxfError when one more entity would exceed kMaxDxfEntities.
    void count();
    // The entities of a layer as they are written: the merged exclusive-or
    // lines, then every other entity the first time it occurs.
    struct LayerContent {
        std::vector<Entity> merged;
        std::vector<const Entity*> entities;
    };
    LayerContent layerEntities(std::size_t layer) const;

    double m_scale;
    double m_letterHeight;
    bool m_clipped = false;
    std::vector<Point> m_clip;
    std::array<std::vector<Entity>, kLayers> m_entities;
    std::array<std::vector<Segment>, kLayers> m_xorSegments;
    std::size_t m_count = 0;
};

// A drawing with more entities than a CAD file of this program takes
// (absurd sizes or counts in a description); the message is meant for the
// user as it is.
class DxfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A real window has some thousand entities; a million make a file of some
// 200 MB, beyond which the drawing is refused.
inline constexpr std::size_t kMaxDxfEntities = 1'000'000;

struct DxfOptions {
    // Letters of 50 mm read as 2.5 mm on a workshop drawing at 1:20.
    double letterHeight = 50.0;
};

struct DxfFile {
    std::string text; // the DXF file
    std::vector<std::string> annotationErrors; // messages of lists that did not draw
};

// The drawing (no field selected) as a DXF file. Throws DataFileError when
// a field width is not a number and DxfError when the drawing has more than
// kMaxDxfEntities entities; the engine's state of the last drawing is kept.
DxfFile RenderDxf(const ExportDrawing& drawing, const DxfOptions& options = {});

// RenderDxf written to path through WriteFileAtomically; returns the
// messages of annotation lists that did not draw. Throws FileError when the
// file cannot be written and DataFileError and DxfError as above.
std::vector<std::string> WriteDxf(const ExportDrawing& drawing, const QString& path, const DxfOptions& options = {});

} // namespace fenster
