#pragma once

#include <QWidget>

#include <functional>

class QPainter;

namespace fenster {

// The paint box of the drawing area: a plain widget whose whole content is
// drawn by its owner's paint routine on every repaint.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    using PaintRoutine = std::function<void(QPainter&)>;

    explicit TPaintBox(QWidget* parent = nullptr);
    void setPaintRoutine(PaintRoutine routine) { m_paint = std::move(routine); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PaintRoutine m_paint;
};

// An up/down arrow pair that steps a selection.
class TArrowPair : public QWidget {
    Q_OBJECT
public:
    explicit TArrowPair(QWidget* parent = nullptr);

signals:
    void upClicked();
    void downClicked();
};

} // namespace fenster
