#pragma once

#include "AutoCrop.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class QDrag;

namespace fenster {

// The control of the preset thumbnails: it shows a 32-bit ARGB bitmap
// centred, shrunk to fit while keeping its proportions and never enlarged;
// it crops the bitmap to its drawn content (AutoCrop), and a drag with the
// left mouse button carries a copy of the bitmap that arrives pixel for pixel
// at the drop target (StartBitmapDrag). A left click without a drag emits
// clicked(), a double click doubleClicked(). Screen readers and the tests
// find it by its accessible name.
//
// The histogram panel of the image control this one follows is left out:
// it was created hidden, never shown and never computed.
class TVandlBasicImage : public QWidget {
    Q_OBJECT
public:
    explicit TVandlBasicImage(QWidget* parent = nullptr);

    const QImage& bitmap() const { return m_bitmap; }
    // Takes a copy in 32-bit ARGB and repaints.
    void setBitmap(const QImage& bitmap);

    // Where the bitmap is shown inside the control: centred, shrunk when it
    // is larger than the control, never enlarged.
    QRect pictureRect() const;

    ContentBounds FindContentBounds(int threshold, int margin) const;
    void CropToRect(int left, int top, int right, int bottom);
    // The thumbnails call it with threshold 240 and margin 4 after drawing.
    void AutoCrop(int threshold, int margin);

    // Starts the drag of a copy of the bitmap with the copy action; nothing
    // for an empty bitmap. Runs on its own once the left button, pressed on
    // the control, has moved beyond the platform's drag distance.
    void StartBitmapDrag();

    QSize sizeHint() const override;

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

    // Runs the prepared drag; the result does not matter. A separate step so
    // that a test can look at the drag instead of running it.
    virtual void execDrag(QDrag& drag);

private:
    QImage m_bitmap;
    QPoint m_pressPosition;
    bool m_leftPressed = false; // the left button went down here: a drag may start
    bool m_clickPending = false; // its release is a click
};

// The rectangle a picture of size picture takes when it is shown centred in
// box and shrunk to fit, proportions kept, never enlarged.
QRect FitPicture(QSize picture, QSize box);

} // namespace fenster
