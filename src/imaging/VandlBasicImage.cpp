#include "VandlBasicImage.h"

#include "BitmapDrag.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace fenster {

QRect FitPicture(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {};
    QSize shown = picture;
    if (picture.width() > box.width() || picture.height() > box.height()) {
        const double scale = std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
        shown = QSize(std::clamp(int(std::lround(picture.width() * scale)), 1, box.width()),
            std::clamp(int(std::lround(picture.height() * scale)), 1, box.height()));
    }
    return QRect(QPoint((box.width() - shown.width()) / 2, (box.height() - shown.height()) / 2), shown);
}

TVandlBasicImage::TVandlBasicImage(QWidget* parent)
    : QWidget(parent)
{
}

void TVandlBasicImage::setBitmap(const QImage& bitmap)
{
    m_bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
    updateGeometry();
    update();
}

QRect TVandlBasicImage::pictureRect() const
{
    return FitPicture(m_bitmap.size(), size());
}

ContentBounds TVandlBasicImage::FindContentBounds(int threshold, int margin) const
{
    return fenster::FindContentBounds(m_bitmap, threshold, margin);
}

void TVandlBasicImage::CropToRect(int left, int top, int right, int bottom)
{
    setBitmap(fenster::CropToRect(m_bitmap, { left, top, right, bottom }));
}

void TVandlBasicImage::AutoCrop(int threshold, int margin)
{
    const ContentBounds box = FindContentBounds(threshold, margin);
    CropToRect(box.left, box.top, box.right, box.bottom);
}

void TVandlBasicImage::StartBitmapDrag()
{
    if (m_bitmap.isNull())
        return;
    // The drag owns its mime data and is freed once it has run.
    QDrag drag(this);
    drag.setMimeData(BitmapMimeData(m_bitmap));
    drag.setPixmap(QPixmap::fromImage(DragImage(m_bitmap)));
    drag.setHotSpot(QPoint(m_bitmap.width() / 2, m_bitmap.height() / 2));
    execDrag(drag);
}

void TVandlBasicImage::execDrag(QDrag& drag)
{
    drag.exec(Qt::CopyAction);
}

QSize TVandlBasicImage::sizeHint() const
{
    return m_bitmap.isNull() ? QSize(1, 1) : m_bitmap.size();
}

void TVandlBasicImage::paintEvent(QPaintEvent*)
{
    const QRect target = pictureRect();
    if (target.isEmpty())
        return;
    QPainter painter(this);
    if (target.size() != m_bitmap.size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_bitmap);
}

void TVandlBasicImage::mousePressEvent(QMouseEvent* event)
{
    m_leftPressed = event->button() == Qt::LeftButton;
    m_clickPending = m_leftPressed;
    m_pressPosition = event->position().toPoint();
    event->accept();
}

void TVandlBasicImage::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_leftPressed || !(event->buttons() & Qt::LeftButton) || m_bitmap.isNull())
        return;
    if ((event->position().toPoint() - m_pressPosition).manhattanLength() <= QApplication::startDragDistance())
        return;
    // A drag is no click.
    m_leftPressed = false;
    m_clickPending = false;
    StartBitmapDrag();
}

void TVandlBasicImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_clickPending && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_leftPressed = false;
    m_clickPending = false;
    if (click)
        emit clicked();
}

void TVandlBasicImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    // The second press of a double click may begin a drag as a first one
    // does, but its release is no further click.
    m_leftPressed = event->button() == Qt::LeftButton;
    m_clickPending = false;
    m_pressPosition = event->position().toPoint();
}

} // namespace fenster
