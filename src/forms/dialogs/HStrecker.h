#pragma once

#include "VandlForm.h"

class QLabel;
class QLineEdit;

namespace fenster {

// "Fenstermaße ändern": the old size and two edit fields for the new width
// and height. This dialog is never translated and not fitted to the screen.
class THStrecker : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    // width and height are the window's overall size in mm.
    THStrecker(int width, int height, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Edit2 = nullptr; // new width
    QLineEdit* Edit1 = nullptr; // new height
};

// Opens "Fenstermaße ändern" for a window of width x height mm. On OK the
// texts of the two edit fields go into newWidthText and newHeightText as
// typed (converting them is the caller's task) and the result is true;
// otherwise both stay untouched.
bool EditWindowSize(QWidget* parent, int width, int height, QString& newWidthText,
    QString& newHeightText);

} // namespace fenster
