#pragma once

#include "Geometry.h"
#include "MouseMode.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace fenster {

class Canvas;
class DrawingArea;
class EditorDocument;

// How free dimensioning snaps the clicked points.
enum class SnapMode {
    None = 0,
    HorizontalOrVertical = 1, // the second point lies level with or plumb above the first
    FieldCorner = 2, // both points move to the nearest field corner
};

// The prompt of the second status panel for a mode, untranslated.
QString ModePrompt(MouseMode mode);

// The first status panel: "X: 12 mm  Y: 34 mm", or with the snapped values
// in parentheses when they differ from the pointer's: "X: 12(10) mm  Y: ...".
QString PositionReadout(MmPoint raw, MmPoint snapped);

// Free dimensioning's horizontal-or-vertical rule: the point moves level
// with anchor when it lies flatter than 45 degrees from it, else plumb
// above or below it. Pixels.
QPoint SnapLevelOrPlumb(QPoint anchor, QPoint point);

// The offsets of a free dimension line placed at click (mm) for the two
// measured points: dx and dy are 0 while the click lies between the points
// in that direction, else its distance from the nearer point's coordinate.
struct DimensionOffsets {
    int dx = 0;
    int dy = 0;
};
DimensionOffsets PlacementOffsets(MmPoint first, MmPoint second, MmPoint click);

// The mouse on the drawing and the commands of "&Modus", "&Bemaßung" and
// "&Symbole": selecting fields, placing and sizing symbols, building and
// editing free dimension lines, and dragging the drawing out. Changes go
// into the document; the drawing area paints the previews this class hands
// it on top of the drawing.
class Interaction : public QObject {
    Q_OBJECT
public:
    // window: parent of dialogs, disabled while the drag picture is made.
    Interaction(EditorDocument& document, DrawingArea& area, QWidget* window);

    // The check marks the mode commands set.
    struct ModeActions {
        QAction* windowMode = nullptr; // "&Fenstermodus"
        QAction* symbolMode = nullptr; // "&Symbolmodus"
        QAction* symbolMark = nullptr; // "Symbol markieren"
        QAction* dimensionMode = nullptr; // "&Maßlinienmodus"
    };
    void setModeActions(const ModeActions& actions) { m_actions = actions; }

    // The three error messages and the record errors; ShowError by default.
    void setErrorReporter(std::function<void(const QString&)> report) { m_reportError = std::move(report); }
    // Runs the preset of the thumbnail whose bitmap equals the dropped
    // picture; false when none equals it. Without a hook a drop only
    // selects the field.
    void setDropPresetHook(std::function<bool(const QImage&)> hook) { m_dropPreset = std::move(hook); }
    // The picture a drag from the drawing carries; the screen drawing
    // without the highlight by default.
    void setDragPictureSource(std::function<QImage()> source) { m_dragPicture = std::move(source); }

    MouseMode mouseMode() const { return m_mouseMode; }
    fenster::SnapMode snapMode() const { return m_snapMode; }
    const QString& PendingSymbol() const { return m_pendingSymbol; }
    int HoverRow() const { return m_hoverRow; }
    int HoverField() const { return m_hoverField; }
    // Annotation millimetres of the dimension line under construction.
    MmPoint firstPoint() const { return m_firstPoint; }
    MmPoint secondPoint() const { return m_secondPoint; }

    // Mouse handlers of the paint box.
    void PaintBox1MouseDown(QPoint pixel, Qt::MouseButton button);
    void PaintBox1MouseMove(QPoint pixel, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
    void DropBMPTarget1Drop(QPoint pixel, const QImage& picture);
    // The preview position of the pointer, in pixels of the paint box.
    QPoint SnapPoint(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pixel) const;

    void ShowModeStatus();

    // "&Modus".
    void Fenstermodus1Click();
    void Bitmapmodus1Click();
    void Masslinienmodus1Click();
    // "&Bemaßung".
    void FreiBemassungClick();
    void FreieBemassungmitFangen1Click();
    void FreiBemassungmitFangpunkt1Click();
    void Masslinielschen1Click();
    void Mazahleneinstellen1Click();
    // "&Symbole".
    void Symbollschen1Click();
    void Symbolvergrern1Click();
    void Symbolverkleiner1Click();
    // A symbol item: the exact file name of its picture in the symbol
    // folder (the menu caption's "&&" never reaches it).
    void chooseSymbol(const QString& fileName);

signals:
    void positionChanged(const QString& readout);
    void promptChanged(const QString& prompt);
    void rowControlsLocked(bool locked);
    // A window-mode click selected a field; the property panel shows it.
    void panelRefreshRequested();

private:
    void LockRowControls(bool locked);
    void startFreeDimensioning(fenster::SnapMode snap);
    void setModeChecks(bool window, bool symbol, bool dimension);
    void repaint();
    void paintPreview(Canvas& canvas) const;
    void startDragOut();
    QPoint snapToFieldCorner(QPoint pixel) const;
    void reportError(const QString& message);
    void guarded(const std::function<void()>& handler);
    void clickFirstPoint(QPoint pixel);
    void clickSecondPoint(QPoint pixel);
    void clickPlacement(QPoint pixel);
    void clickSymbol(QPoint pixel);
    void placeSymbol(QPoint pixel);
    void rewriteSelectedSymbol(bool grow);

    // What the drawing shows on top for the dimension line under way.
    enum class Preview { None, FirstClick, Rubber, Rectangle };

    EditorDocument& m_document;
    DrawingArea& m_area;
    QWidget* m_window;
    ModeActions m_actions;
    std::function<void(const QString&)> m_reportError;
    std::function<bool(const QImage&)> m_dropPreset;
    std::function<QImage()> m_dragPicture;

    MouseMode m_mouseMode = MouseMode::Window;
    fenster::SnapMode m_snapMode = fenster::SnapMode::None;
    QString m_pendingSymbol;
    int m_hoverRow = 0;
    int m_hoverField = 0;
    MmPoint m_firstPoint;
    MmPoint m_secondPoint;
    QPoint m_firstClick; // pixels
    QPoint m_secondClick; // pixels
    QPoint m_pointer; // pixels: the snapped pointer of the last move
    Preview m_preview = Preview::None;
    bool m_areaCached = false; // the drawing area keeps the drawing under the preview
    std::optional<QPoint> m_dragFrom; // a window-mode press that may become a drag
};

} // namespace fenster
