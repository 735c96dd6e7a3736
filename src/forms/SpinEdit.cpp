#include "SpinEdit.h"

#include <climits>

namespace fenster {

TSpinEdit::TSpinEdit(QWidget* parent)
    : QSpinBox(parent)
{
    // An unfinished text is corrected to the nearest bound, which for a
    // cleared field (read as 0) is the lower bound of a positive range.
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setRange(0, 0);
}

void TSpinEdit::setRange(int minValue, int maxValue)
{
    m_minValue = minValue;
    m_maxValue = maxValue;
    if (minValue == 0 && maxValue == 0)
        QSpinBox::setRange(INT_MIN, INT_MAX);
    else
        QSpinBox::setRange(minValue, maxValue);
}

int TSpinEdit::Value()
{
    interpretText();
    return value();
}

void TSpinEdit::setValue(int value)
{
    QSpinBox::setValue(value);
}

} // namespace fenster
