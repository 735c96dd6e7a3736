#pragma once

#include "ConstantScaleOutput.h"
#include "Engine.h"
#include "Geometry.h"

#include <QFont>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class QPainter;

namespace fenster {

class EditorDocument;
class PictureSource;

// What the last screen drawing left behind for the mouse: the engine's
// results taken right after the drawing. Off-screen drawings (constant
// scale, copies, thumbnails) change the engine's state but never this.
struct ScreenLayout {
    double DrawingScale = 1.0; // pixels per millimetre
    MmPoint AnnotationOrigin; // mm: origin of symbol and dimension line coordinates
    // Indexed [row][field], both 1-based; pixels upward from the box bottom.
    std::array<std::array<FieldRect, kMaxFields + 1>, kMaxRows + 1> FieldRectTable {};
    std::vector<SymbolRect> SymbolRects; // pixels of the paint box, y downward
    bool Drawn = false; // false before the first drawing and for an undrawable text

    // Takes the layout from the engine's state of the drawing just made.
    static ScreenLayout fromEngine();
};

// The drawing area's paint box: draws the document fitted into itself and
// converts between its pixels and the drawing's millimetres.
class DrawingArea : public QWidget {
    Q_OBJECT
public:
    DrawingArea(EditorDocument& document, PictureSource& pictures, QWidget* parent = nullptr);

    // The settings of the screen drawing that are no part of the document.
    // Off-screen drawings of the document take the same options.
    const DrawingOptions& options() const { return m_options; }
    void setDrawingFont(const QFont& font);
    void setEdgeDimensions(EdgeDimensions shown) { m_options.edgeDimensions = shown; }
    // The folder the symbol list's pictures are looked up in.
    void setSymbolFolder(const QString& folder) { m_options.symbolFolder = folder; }

    // Fills the box white and draws the window fitted into it (margins 1),
    // then the dimension line list and the symbol list; takes the layout.
    void DrawScreen(QPainter& painter);
    const ScreenLayout& layout() const { return m_layout; }

    // The field under the pointer: row and field of the match, or unchanged
    // when no drawn field holds the point. In a row the first match counts,
    // a later row's match wins over an earlier one.
    void HitTestField(int x, int y, int& row, int& field) const;
    // A click position in the drawing's annotation millimetres (x right,
    // y up, relative to AnnotationOrigin).
    MmPoint clickToMm(QPoint pixel) const;
    // The status-bar readout: millimetres from the bottom-left field's
    // lower-left corner.
    MmPoint readoutToMm(QPoint pixel) const;
    // The way back from readout millimetres to pixels of the box.
    QPoint mmToPixel(MmPoint mm) const;

signals:
    // A text of the document could not be drawn; announced once for each
    // new text that causes it.
    void drawingError(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void reportOnce(QString& lastReported, const QString& cause, const char* message);

    EditorDocument& m_document;
    PictureSource& m_pictures;
    DrawingOptions m_options;
    ScreenLayout m_layout;
    QString m_reportedDescriptionError;
    QString m_reportedDimensionListError;
    QString m_reportedSymbolListError;
};

} // namespace fenster
