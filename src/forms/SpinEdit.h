#pragma once

#include <QSpinBox>

namespace fenster {

// An integer edit field with up/down buttons. Range min ... max; a range of
// 0 ... 0 means no limit (the whole 32-bit range). A text the user cleared
// or left unfinished reads as the lower bound (0 without limit), as it
// does when the field loses the focus.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    void setRange(int minValue, int maxValue);
    int MinValue() const { return m_minValue; }
    int MaxValue() const { return m_maxValue; }

    // The value of the text as it stands now.
    int Value();
    void setValue(int value);

private:
    int m_minValue = 0;
    int m_maxValue = 0;
};

} // namespace fenster
