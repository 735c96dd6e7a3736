#include "DrawingArea.h"

#include "EditorDocument.h"

#include "AnnotationLists.h"
#include "QtCanvas.h"

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
}

void DrawingArea::setDrawingFont(const QFont& font)
{
    m_options.font = font;
    setFont(font);
}

void DrawingArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawScreen(painter);
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
