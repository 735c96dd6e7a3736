#pragma once

#include "VandlForm.h"

class QLabel;

namespace fenster {

class TSpinEdit;

// "Segmentbogen Fensteranlage": the three heights of a segment-arch
// installation and its (read-only) overall width.
class TFORM_SegmentbogenFensteranlage : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TFORM_SegmentbogenFensteranlage(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    TSpinEdit* links = nullptr;
    QLabel* Label2 = nullptr;
    TSpinEdit* mitte = nullptr;
    QLabel* Label3 = nullptr;
    TSpinEdit* rechts = nullptr;
    QLabel* Label4 = nullptr;
    TSpinEdit* Breite = nullptr;
};

// Opens "Segmentbogen Fensteranlage". On OK the four values are written back
// and the result is true; otherwise they stay untouched and it is false.
bool EditSegmentArch(QWidget* parent, int& left, int& middle, int& right, int& width);

} // namespace fenster
