#pragma once

#include "ConstantScaleOutput.h"
#include "Engine.h"
#include "Geometry.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QPainter;

namespace fenster {

class Canvas;
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
    void setEdgeDimensions(EdgeDimensions shown);
    // The folder the symbol list's pictures are looked up in.
    void setSymbolFolder(const QString& folder);

    // Fills the box white and draws the window fitted into it (margins 1),
    // then the dimension line list and the symbol list; takes the layout.
    void DrawScreen(QPainter& painter);
    const ScreenLayout& layout() const { return m_layout; }
    // Painted over the drawing inside every paint event, with the canvas of
    // that drawing: the previews of the mouse modes.
    void setOverlay(std::function<void(Canvas&)> overlay) { m_overlay = std::move(overlay); }
    // The screen drawing as a picture of the box's size, without overlay.
    QImage screenCopy();
    // While the pointer drags a preview over an unchanged drawing, the
    // drawing is kept as a picture and only the overlay is painted anew.
    // The picture is made again after every change of the document, size or
    // options and after invalidateDrawing (a repaint of the main window).
    void setDrawingCached(bool cached);
    void invalidateDrawing() { m_cachedDrawing = QImage(); }

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
    void mousePressed(QPoint pixel, Qt::MouseButton button);
    void mouseMoved(QPoint pixel, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    // A picture was dropped on the box at pixel.
    void pictureDropped(QPoint pixel, const QImage& picture);
    // A text of the document could not be drawn; announced once for each
    // new text that causes it.
    void drawingError(const QString& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void reportOnce(QString& lastReported, const QString& cause, const char* message);

    EditorDocument& m_document;
    PictureSource& m_pictures;
    DrawingOptions m_options;
    ScreenLayout m_layout;
    std::function<void(Canvas&)> m_overlay;
    bool m_drawingCached = false;
    QImage m_cachedDrawing;
    QString m_reportedDescriptionError;
    QString m_reportedDimensionListError;
    QString m_reportedSymbolListError;
};

} // namespace fenster
