#include "DrawingArea.h"

#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace fenster {

TPaintBox::TPaintBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_paint)
        m_paint(painter);
    else
        painter.fillRect(rect(), Qt::white);
}

TArrowPair::TArrowPair(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : { up, down }) {
        button->setFixedSize(17, 12);
        layout->addWidget(button);
    }
    connect(up, &QToolButton::clicked, this, &TArrowPair::upClicked);
    connect(down, &QToolButton::clicked, this, &TArrowPair::downClicked);
    setFixedSize(17, 24);
}

} // namespace fenster
