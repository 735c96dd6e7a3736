#pragma once

#include "VandlForm.h"

#include "FormatText.h"

class QLabel;

namespace fenster {

// The program's own message box: a word-wrapped text above OK (and
// Abbruch). Enter gives 1, Escape 2.
class TForm_Messagebox : public TVANDLFORMMODAL {
    Q_OBJECT
public:
    explicit TForm_Messagebox(QWidget* parent = nullptr);

    QLabel* Messagetext = nullptr;

protected:
    void FormKeyPress(QChar& key) override;
    void FormShow() override;
};

enum class WithCancel { No, Yes };

// Logs "messagebox: " + caption + " " + text, brings the program to the
// front and shows caption and text unchanged; returns the modal result
// (1 for OK, 2 for Abbruch or Escape).
int ShowMessageForm(const QString& caption, const QString& text, WithCancel withCancel);
// Translated caption and text, OK only.
void ShowInfo(const QString& caption, const QString& text);
// Translated "Fehler" and text, OK only.
void ShowError(const QString& text);
// Translated caption and text with OK and Abbruch; 1 means OK.
int Confirm(const QString& caption, const QString& text);
// As Confirm with the text TranslateFormat(format, arguments).
int ConfirmFmt(const QString& caption, const QString& format, const FormatArgs& arguments);

} // namespace fenster
