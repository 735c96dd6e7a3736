#pragma once

#include "VandlForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace fenster {

// What the sheet of "Export als PDF/SVG…" is asked to be: paper "A4" or
// "A3", portrait or landscape, at a ratio 1:massstab (1 … 10000).
struct SheetChoice {
    QString papier = QStringLiteral("A4");
    bool quer = false;
    int massstab = 20;
    friend bool operator==(const SheetChoice&, const SheetChoice&) = default;
};

// "Export als PDF/SVG": the paper, its orientation and the ratio, offered
// as 10, 20, 25 and 50 and open to any whole number from 1 to 10000. OK
// stays disabled while the ratio is no such number.
class TForm_ExportBlatt : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TForm_ExportBlatt(QWidget* parent = nullptr);

    void setChoice(const SheetChoice& choice);
    // The dialog's values; massstab is 0 while the ratio text is no ratio.
    SheetChoice choice() const;

    QLabel* LabelPapier = nullptr;
    QComboBox* ComboPapier = nullptr;
    QGroupBox* GroupAusrichtung = nullptr;
    QRadioButton* RadioHochformat = nullptr;
    QRadioButton* RadioQuerformat = nullptr;
    QLabel* LabelMassstab = nullptr;
    QComboBox* ComboMassstab = nullptr;

private:
    void MassstabChange();
};

// Opens "Export als PDF/SVG" with choice. On OK choice takes the dialog's
// values and the result is true; otherwise it stays as it was.
bool EditSheetChoice(QWidget* parent, SheetChoice& choice);

} // namespace fenster
