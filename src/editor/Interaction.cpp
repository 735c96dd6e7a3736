#include "Interaction.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "OutputScope.h"

#include "Annotations.h"
#include "BitmapDrag.h"
#include "Canvas.h"
#include "MessageBox.h"
#include "Raster.h"
#include "Translator.h"
#include "DrawWindow.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDrag>
#include <QMimeData>
#include <QPixmap>

#include <cmath>
#include <exception>
#include <cstdlib>

namespace fenster {

QString ModePrompt(MouseMode mode)
{
    switch (mode) {
    case MouseMode::Window:
        return QStringLiteral("Fenstermodus aktiv");
    case MouseMode::PlaceSymbol:
        return QStringLiteral("Bitte wählen sie die Position aus, an der das Symbol eingefügt werden soll!");
    case MouseMode::FirstDimensionPoint:
        return QStringLiteral("Freie Bemaßung - Bitte geben Sie den ersten Maßpunkt an!");
    case MouseMode::SecondDimensionPoint:
        return QStringLiteral("Freie Bemaßung - Bitte geben Sie den zweiten Maßpunkt an!");
    case MouseMode::DimensionOffset:
        return QStringLiteral("Freie Bemaßung - Bitte geben Sie den Punkt für die Bemaßung an!");
    case MouseMode::Symbol:
        return QStringLiteral("Bitmapmodus aktiv");
    case MouseMode::DimensionLine:
        return QStringLiteral("Maßlinienmodus aktiv");
    }
    return {};
}

QString PositionReadout(MmPoint raw, MmPoint snapped)
{
    if (raw == snapped)
        return QStringLiteral("X: %1 mm  Y: %2 mm").arg(raw.x).arg(raw.y);
    return QStringLiteral("X: %1(%2) mm  Y: %3(%4) mm").arg(raw.x).arg(snapped.x).arg(raw.y).arg(snapped.y);
}

QPoint SnapLevelOrPlumb(QPoint anchor, QPoint point)
{
    const double dx = point.x() - anchor.x();
    const double dy = point.y() - anchor.y();
    const double d = std::sqrt(dx * dx + dy * dy);
    const double q = d == 0 ? 0.0 : std::abs(dy) / d;
    if (q >= std::sqrt(2.0) * 0.5)
        return { anchor.x(), point.y() };
    return { point.x(), anchor.y() };
}

DimensionOffsets PlacementOffsets(MmPoint first, MmPoint second, MmPoint click)
{
    DimensionOffsets offsets;
    const int maxX = std::max(first.x, second.x);
    const int minX = std::min(first.x, second.x);
    const int maxY = std::max(first.y, second.y);
    const int minY = std::min(first.y, second.y);
    if (click.x > maxX)
        offsets.dx = click.x - maxX;
    else if (click.x < minX)
        offsets.dx = click.x - minX;
    if (click.y > maxY)
        offsets.dy = click.y - maxY;
    else if (click.y < minY)
        offsets.dy = click.y - minY;
    return offsets;
}

Interaction::Interaction(EditorDocument& document, DrawingArea& area, QWidget* window)
    : QObject(window)
    , m_document(document)
    , m_area(area)
    , m_window(window)
    , m_reportError([](const QString& message) { ShowError(message); })
    , m_dragPicture([this] {
        OutputScope scope(m_window);
        return m_area.screenCopy();
    })
{
    m_area.setOverlay([this](Canvas& canvas) { paintPreview(canvas); });
    connect(&m_area, &DrawingArea::mousePressed, this,
        [this](QPoint pixel, Qt::MouseButton button) { guarded([&] { PaintBox1MouseDown(pixel, button); }); });
    connect(&m_area, &DrawingArea::mouseMoved, this,
        [this](QPoint pixel, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
            guarded([&] { PaintBox1MouseMove(pixel, buttons, modifiers); });
        });
    connect(&m_area, &DrawingArea::pictureDropped, this,
        [this](QPoint pixel, const QImage& picture) { guarded([&] { DropBMPTarget1Drop(pixel, picture); }); });
}

void Interaction::guarded(const std::function<void()>& handler)
{
    // A mouse handler runs from the event loop, which no exception may reach.
    try {
        handler();
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

void Interaction::reportError(const QString& message)
{
    if (m_reportError)
        m_reportError(message);
}

void Interaction::repaint()
{
    // Only the previews of free dimensioning repaint at every pointer move.
    const bool previewing
        = m_mouseMode == MouseMode::FirstDimensionPoint || m_mouseMode == MouseMode::SecondDimensionPoint;
    if (!previewing)
        m_area.setDrawingCached(false);
    else if (!m_areaCached)
        m_area.setDrawingCached(true);
    m_areaCached = previewing;
    m_area.update();
}

void Interaction::LockRowControls(bool locked)
{
    emit rowControlsLocked(locked);
}

void Interaction::ShowModeStatus()
{
    const QString prompt = ModePrompt(m_mouseMode);
    emit promptChanged(prompt.isEmpty() ? prompt : TranslateText(prompt));
}

// ---------------------------------------------------------------------------
// Modes

void Interaction::setModeChecks(bool window, bool symbol, bool dimension)
{
    const std::pair<QAction*, bool> checks[] = {
        { m_actions.windowMode, window },
        { m_actions.symbolMode, symbol },
        { m_actions.symbolMark, symbol },
        { m_actions.dimensionMode, dimension },
    };
    for (const auto& [command, checked] : checks) {
        if (command)
            command->setChecked(checked);
    }
}

void Interaction::Fenstermodus1Click()
{
    m_document.setSelectedSymbol(-1);
    m_mouseMode = MouseMode::Window;
    m_preview = Preview::None;
    m_document.setSelectedDimLine(0);
    repaint();
    ShowModeStatus();
    setModeChecks(true, false, false);
    LockRowControls(false);
}

void Interaction::Bitmapmodus1Click()
{
    m_mouseMode = MouseMode::Symbol;
    m_preview = Preview::None;
    ShowModeStatus();
    setModeChecks(false, true, false);
    m_document.setSelectedDimLine(0);
    m_document.setSelection(0, 0);
    LockRowControls(true);
    repaint();
}

void Interaction::Masslinienmodus1Click()
{
    LockRowControls(true);
    m_document.setSelectedSymbol(-1);
    m_document.setSelectedDimLine(0);
    m_mouseMode = MouseMode::DimensionLine;
    m_preview = Preview::None;
    m_document.setSelection(0, 0);
    repaint();
    ShowModeStatus();
    setModeChecks(false, false, true);
}

void Interaction::startFreeDimensioning(fenster::SnapMode snap)
{
    m_mouseMode = MouseMode::FirstDimensionPoint;
    m_preview = Preview::None;
    m_document.setSelectedSymbol(-1);
    m_snapMode = snap;
    ShowModeStatus();
    LockRowControls(true);
    repaint();
}

void Interaction::FreiBemassungClick()
{
    startFreeDimensioning(fenster::SnapMode::None);
}

void Interaction::FreieBemassungmitFangen1Click()
{
    startFreeDimensioning(fenster::SnapMode::HorizontalOrVertical);
}

void Interaction::FreiBemassungmitFangpunkt1Click()
{
    startFreeDimensioning(fenster::SnapMode::FieldCorner);
}

void Interaction::chooseSymbol(const QString& fileName)
{
    m_pendingSymbol = fileName;
    m_mouseMode = MouseMode::PlaceSymbol;
    m_preview = Preview::None;
    ShowModeStatus();
}

// ---------------------------------------------------------------------------
// The mouse

void Interaction::PaintBox1MouseDown(QPoint pixel, Qt::MouseButton button)
{
    m_area.HitTestField(pixel.x(), pixel.y(), m_hoverRow, m_hoverField);
    if (m_mouseMode != MouseMode::DimensionLine)
        m_document.setSelectedDimLine(0);
    LockRowControls(m_mouseMode != MouseMode::Window);
    m_dragFrom.reset();
    if (button == Qt::LeftButton) {
        switch (m_mouseMode) {
        case MouseMode::Window:
            m_document.setSelection(m_hoverRow, m_hoverField);
            m_document.SelectField();
            repaint();
            emit panelRefreshRequested();
            m_dragFrom = pixel;
            break;
        case MouseMode::PlaceSymbol:
            placeSymbol(pixel);
            break;
        case MouseMode::FirstDimensionPoint:
            clickFirstPoint(pixel);
            break;
        case MouseMode::SecondDimensionPoint:
            clickSecondPoint(pixel);
            break;
        case MouseMode::DimensionOffset:
            clickPlacement(pixel);
            break;
        case MouseMode::Symbol:
            clickSymbol(pixel);
            break;
        case MouseMode::DimensionLine: {
            const int count = int(RecordSpans(m_document.Memo3().toStdString(), AnnotationList::DimensionLines).size());
            int next = m_document.SelectedDimLine() + 1;
            if (next > count)
                next = 1;
            m_document.setSelectedDimLine(next);
            repaint();
            break;
        }
        }
    } else if (button == Qt::RightButton) {
        Fenstermodus1Click();
        repaint();
    }
    ShowModeStatus();
}

QPoint Interaction::snapToFieldCorner(QPoint pixel) const
{
    const std::optional<MmPoint> corner
        = NearestFieldCorner(m_area.readoutToMm(pixel), m_document.Memo1().toStdString());
    return corner ? m_area.mmToPixel(*corner) : pixel;
}

QPoint Interaction::SnapPoint(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons, QPoint pixel) const
{
    const Qt::KeyboardModifiers keys = modifiers & ~Qt::KeypadModifier;
    if (buttons != Qt::NoButton)
        return pixel;
    if (keys == Qt::ShiftModifier)
        return SnapLevelOrPlumb(m_firstClick, pixel);
    if (keys == Qt::ControlModifier && m_area.layout().Drawn)
        return snapToFieldCorner(pixel);
    return pixel;
}

void Interaction::PaintBox1MouseMove(QPoint pixel, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (m_dragFrom && m_mouseMode == MouseMode::Window && (buttons & Qt::LeftButton)
        && (pixel - *m_dragFrom).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragFrom.reset();
        startDragOut();
        return;
    }
    if (!(buttons & Qt::LeftButton))
        m_dragFrom.reset();

    const MmPoint raw = m_area.readoutToMm(pixel);
    m_area.HitTestField(pixel.x(), pixel.y(), m_hoverRow, m_hoverField);
    const QPoint snapped = SnapPoint(modifiers, buttons, pixel);
    const MmPoint snappedMm = m_area.readoutToMm(snapped);
    if (m_mouseMode == MouseMode::FirstDimensionPoint || m_mouseMode == MouseMode::SecondDimensionPoint) {
        m_pointer = snapped;
        m_preview = m_mouseMode == MouseMode::FirstDimensionPoint ? Preview::FirstClick : Preview::Rubber;
        repaint();
    }
    emit positionChanged(PositionReadout(raw, snappedMm));
}

void Interaction::clickFirstPoint(QPoint pixel)
{
    if (m_snapMode == fenster::SnapMode::FieldCorner)
        pixel = snapToFieldCorner(pixel);
    m_firstPoint = m_area.clickToMm(pixel);
    m_firstClick = pixel;
    m_mouseMode = MouseMode::SecondDimensionPoint;
    // Until the pointer moves on, the cross marks the click itself.
    m_pointer = pixel;
    m_preview = Preview::FirstClick;
    repaint();
}

void Interaction::clickSecondPoint(QPoint pixel)
{
    if (m_snapMode == fenster::SnapMode::HorizontalOrVertical)
        pixel = SnapLevelOrPlumb(m_firstClick, pixel);
    else if (m_snapMode == fenster::SnapMode::FieldCorner)
        pixel = snapToFieldCorner(pixel);
    m_secondPoint = m_area.clickToMm(pixel);
    m_secondClick = pixel;
    m_mouseMode = MouseMode::DimensionOffset;
    m_preview = Preview::Rectangle;
    repaint();
}

void Interaction::clickPlacement(QPoint pixel)
{
    const DimensionOffsets offsets = PlacementOffsets(m_firstPoint, m_secondPoint, m_area.clickToMm(pixel));
    const DimensionRecord record { m_firstPoint.x, m_firstPoint.y, m_secondPoint.x, m_secondPoint.y, offsets.dy,
        offsets.dx };
    const std::string list = m_document.Memo3().toStdString();
    const std::string appended = AppendDimensionRecord(list, record);
    if (appended != list)
        m_document.setMemo3(QString::fromStdString(appended));
    repaint();
    Masslinienmodus1Click();
}

void Interaction::clickSymbol(QPoint pixel)
{
    m_document.setSelectedSymbol(-1);
    const std::size_t records = RecordSpans(m_document.Memo2().toStdString(), AnnotationList::Symbols).size();
    const std::vector<SymbolRect>& rects = m_area.layout().SymbolRects;
    for (std::size_t i = 0; i < records && i < rects.size(); ++i) {
        const SymbolRect& rect = rects[i];
        if (rect.left <= pixel.x() && pixel.x() <= rect.right && rect.top <= pixel.y() && pixel.y() <= rect.bottom) {
            m_document.setSelectedSymbol(int(i));
            repaint();
            break;
        }
    }
}

void Interaction::placeSymbol(QPoint pixel)
{
    const MmPoint at = m_area.clickToMm(pixel);
    const QString separator = QLocale().decimalPoint();
    const char decimal = separator.size() == 1 ? separator.at(0).toLatin1() : '.';
    const std::string list = AppendSymbolRecord(m_document.Memo2().toStdString(), m_pendingSymbol.toStdString(),
        at.x, at.y, m_area.layout().DrawingScale, decimal);
    m_document.setMemo2(QString::fromStdString(list));
    repaint();
    Bitmapmodus1Click();
    ShowModeStatus();
}

// ---------------------------------------------------------------------------
// The preview and the drag

void Interaction::paintPreview(Canvas& canvas) const
{
    if (m_preview == Preview::None)
        return;
    canvas.setPen(Pen { kRed });
    switch (m_preview) {
    case Preview::None:
        break;
    case Preview::FirstClick:
        DrawCrossMark(canvas, m_pointer.x(), m_pointer.y());
        break;
    case Preview::Rubber:
        DrawCrossMark(canvas, m_pointer.x(), m_pointer.y());
        canvas.setPen(Pen { kRed, 1, PenStyle::Dot });
        DrawPixelLine(canvas, m_firstClick.x(), m_firstClick.y(), m_pointer.x(), m_pointer.y());
        break;
    case Preview::Rectangle: {
        DrawCrossMark(canvas, m_firstClick.x(), m_firstClick.y());
        DrawCrossMark(canvas, m_secondClick.x(), m_secondClick.y());
        const double x1 = m_firstClick.x();
        const double y1 = m_firstClick.y();
        const double x2 = m_secondClick.x();
        const double y2 = m_secondClick.y();
        DrawPixelLine(canvas, x1, y1, x2, y1);
        DrawPixelLine(canvas, x1, y2, x2, y2);
        DrawPixelLine(canvas, x1, y1, x1, y2);
        DrawPixelLine(canvas, x2, y1, x2, y2);
        DrawPixelLine(canvas, x1, y1, x2, y2);
        DrawPixelLine(canvas, x1, y2, x2, y1);
        break;
    }
    }
    canvas.setPen(Pen { kRed });
}

void Interaction::startDragOut()
{
    const QImage picture = m_dragPicture ? m_dragPicture() : QImage();
    if (picture.isNull())
        return;
    auto* drag = new QDrag(&m_area);
    QMimeData* data = BitmapMimeData(picture);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    if (picture.save(&buffer, "BMP"))
        data->setData(QStringLiteral("image/bmp"), bmp);
    drag->setMimeData(data);
    drag->setPixmap(QPixmap::fromImage(DragImage(picture)));
    drag->exec(Qt::CopyAction);
}

void Interaction::DropBMPTarget1Drop(QPoint pixel, const QImage& picture)
{
    int row = m_document.SelectedRow();
    int field = m_document.SelectedField();
    m_area.HitTestField(pixel.x(), pixel.y(), row, field);
    m_document.setSelection(row, field);
    m_document.SelectField();
    if (m_dropPreset && !picture.isNull())
        m_dropPreset(picture);
}

} // namespace fenster
