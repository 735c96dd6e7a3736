#include "DrawingArea.h"

#include "EditorDocument.h"

#include "AnnotationLists.h"
#include "BitmapDrag.h"
#include "QtCanvas.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace fenster {

namespace {

// A description made of blanks (the host's removal marker) or nothing is not
// drawn: the drawing area stays empty.
bool IsBlankText(const QString& text)
{
    return text.trimmed().isEmpty();
}

} // namespace

ScreenLayout ScreenLayout::fromEngine()
{
    const EngineState& engine = Engine();
    ScreenLayout layout;
    layout.DrawingScale = engine.DrawingScale;
    layout.AnnotationOrigin = engine.AnnotationOrigin;
    for (int row = 0; row <= kMaxRows; ++row)
        std::copy(std::begin(engine.FieldRectTable[row]), std::end(engine.FieldRectTable[row]),
            layout.FieldRectTable[std::size_t(row)].begin());
    layout.SymbolRects = engine.SymbolRects;
    layout.Drawn = engine.Drawn;
    return layout;
}

DrawingArea::DrawingArea(EditorDocument& document, PictureSource& pictures, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("PaintBox1"));
    setAccessibleName(QStringLiteral("Zeichnung"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAcceptDrops(true);
    connect(&m_document, &EditorDocument::changed, this, &DrawingArea::invalidateDrawing);
}

void DrawingArea::setDrawingFont(const QFont& font)
{
    m_options.font = font;
    setFont(font);
    invalidateDrawing();
}

void DrawingArea::setEdgeDimensions(EdgeDimensions shown)
{
    m_options.edgeDimensions = shown;
    invalidateDrawing();
}

void DrawingArea::setSymbolFolder(const QString& folder)
{
    m_options.symbolFolder = folder;
    invalidateDrawing();
}

void DrawingArea::setDrawingCached(bool cached)
{
    m_drawingCached = cached;
    invalidateDrawing();
}

void DrawingArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The drawing is always made on a picture first: the engine's canvas
    // reads the pixels under its lines, which a widget cannot give back, and
    // the box then shows exactly what copies of the drawing show.
    if (!m_drawingCached || m_cachedDrawing.size() != size())
        m_cachedDrawing = screenCopy();
    painter.drawImage(0, 0, m_cachedDrawing);
    if (m_overlay) {
        QtCanvas canvas(painter);
        canvas.setFont(m_options.font);
        m_overlay(canvas);
    }
}

QImage DrawingArea::screenCopy()
{
    QImage picture(size(), QImage::Format_RGB32);
    // The screen's resolution, so that texts in points come out as on the box.
    picture.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    picture.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    QPainter painter(&picture);
    DrawScreen(painter);
    return picture;
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->position().toPoint(), event->button());
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint(), event->buttons(), event->modifiers());
}

// The picture is read as soon as the pointer enters, so that only drags
// that carry one are offered the copy.
void DrawingArea::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && !BitmapFromMimeData(*event->mimeData()).isNull()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void DrawingArea::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void DrawingArea::dropEvent(QDropEvent* event)
{
    const QImage picture = event->mimeData() ? BitmapFromMimeData(*event->mimeData()) : QImage();
    if (picture.isNull())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit pictureDropped(event->position().toPoint(), picture);
}

void DrawingArea::DrawScreen(QPainter& painter)
{
    m_document.setMargins(1, 1);
    painter.fillRect(rect(), Qt::white);
    if (IsBlankText(m_document.Memo1())) {
        m_layout = ScreenLayout {};
        return;
    }
    QtCanvas canvas(painter);
    canvas.setFont(m_options.font);
    canvas.setPen(Pen {});
    try {
        DrawWindow(canvas, 1, 1, width() - 2, height() - 2, m_document.Memo1().toStdString(), m_options.edgeDimensions,
            m_document.SelectedField(), m_document.SelectedRow(), 0);
        m_reportedDescriptionError.clear();
    } catch (const std::exception& error) {
        // The lists are placed relative to the window; without it they are not drawn.
        m_layout = ScreenLayout::fromEngine();
        reportOnce(m_reportedDescriptionError, m_document.Memo1(), error.what());
        return;
    }
    // The engine draws the selected dimension line in the highlight colour.
    Engine().SelectedDimLine = m_document.SelectedDimLine();
    try {
        DrawDimensionList(canvas, m_document.Memo3().toStdString());
        m_reportedDimensionListError.clear();
    } catch (const std::exception& error) {
        reportOnce(m_reportedDimensionListError, m_document.Memo3(), error.what());
    }
    try {
        DrawSymbolList(canvas, m_document.Memo2().toStdString(), m_options.symbolFolder.toStdString(),
            m_document.SelectedSymbol(), m_pictures);
        m_reportedSymbolListError.clear();
    } catch (const std::exception& error) {
        reportOnce(m_reportedSymbolListError, m_document.Memo2(), error.what());
    }
    m_layout = ScreenLayout::fromEngine();
}

void DrawingArea::reportOnce(QString& lastReported, const QString& cause, const char* message)
{
    if (lastReported == cause)
        return;
    lastReported = cause;
    emit drawingError(QString::fromUtf8(message));
}

void DrawingArea::HitTestField(int x, int y, int& row, int& field) const
{
    const int h = height();
    const int m = m_document.bottomMargin();
    for (int i = 1; i <= kMaxRows; ++i) {
        for (int j = 1; j <= kMaxFields; ++j) {
            const FieldRect& rect = m_layout.FieldRectTable[std::size_t(i)][std::size_t(j)];
            if (rect.valid && rect.left <= x && x <= rect.right && h - m - rect.bottom >= y && y >= h - m - rect.top) {
                row = i;
                field = j;
                break;
            }
        }
    }
}

MmPoint DrawingArea::clickToMm(QPoint pixel) const
{
    const double s = m_layout.DrawingScale;
    const int h = height();
    const int m = m_document.bottomMargin();
    return { rnd(pixel.x() / s - m_layout.AnnotationOrigin.x),
        rnd(double(h - pixel.y() - m) / s - m_layout.AnnotationOrigin.y) };
}

MmPoint DrawingArea::readoutToMm(QPoint pixel) const
{
    const double s = m_layout.DrawingScale;
    const FieldRect& first = m_layout.FieldRectTable[1][1];
    return { rnd(double(pixel.x() - first.left) / s), rnd(double(height() - pixel.y() - first.bottom) / s) };
}

QPoint DrawingArea::mmToPixel(MmPoint mm) const
{
    const double s = m_layout.DrawingScale;
    const FieldRect& first = m_layout.FieldRectTable[1][1];
    const int m = m_document.bottomMargin();
    return { rnd(mm.x * s + first.left), rnd(double(height() - m) - mm.y * s - first.bottom) };
}

} // namespace fenster
