#pragma once

#include "VandlForm.h"

class QComboBox;
class QGroupBox;
class QLabel;

namespace fenster {

class TSpinEdit;

// "Einstellungen": the scale factor. The margin and language groups are
// built (and translated) but never shown.
class TForm_FensterEinstellungen : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TForm_FensterEinstellungen(QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr;
    TSpinEdit* SkalierungsfaktorEdit = nullptr; // 1 ... 20
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    TSpinEdit* LinkerRand = nullptr;
    QLabel* Label3 = nullptr;
    TSpinEdit* RechterRand = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
};

// Opens "Einstellungen" with the Skalierung preference. On OK the spin value
// is stored into skalierung and the result is true.
bool EditScaleFactor(QWidget* parent, int& skalierung);

} // namespace fenster
