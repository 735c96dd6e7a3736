#pragma once

#include "VandlForm.h"

#include <optional>

class QLabel;

namespace fenster {

class TSpinEdit;

// "Maßzahlen einstellen": the horizontal and vertical length of a free
// dimension line.
class TMassDialog : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TMassDialog(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TSpinEdit* SpinEdit1 = nullptr; // horizontal, 1 ... 999999999
    QLabel* Label2 = nullptr;
    TSpinEdit* SpinEdit2 = nullptr; // vertical, 1 ... 999999999
};

// Opens "Maßzahlen einstellen". A value that is nullopt shows 1 and is
// disabled together with its label. On OK the enabled values are written
// back and the result is true; otherwise nothing changes.
bool EditDimensionValues(QWidget* parent, std::optional<int>& horizontal,
    std::optional<int>& vertical);

} // namespace fenster
