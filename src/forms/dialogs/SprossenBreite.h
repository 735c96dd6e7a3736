#pragma once

#include "VandlForm.h"

class QLabel;

namespace fenster {

class TSpinEdit;

// "Sprossen Breite": frame width and the two muntin widths, 1 ... 1000 mm.
class TForm_SprossenBreite : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TForm_SprossenBreite(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TSpinEdit* SpinEditRahmenBreite = nullptr;
    QLabel* Label2 = nullptr;
    TSpinEdit* SpinSprossenBreiteHorizontal = nullptr;
    QLabel* Label3 = nullptr;
    TSpinEdit* SpinSprossenBreiteVertikal = nullptr;
};

// Opens "Sprossen Breite" with the preferences RahmenBreite, Sprossen
// (horizontal) and SprossenV (vertical). On OK all three are replaced by
// the dialog's values and the result is true; otherwise they keep theirs.
bool EditBarWidths(QWidget* parent, int& rahmenBreite, int& sprossen, int& sprossenV);

} // namespace fenster
