#include "MessageBox.h"

#include "FileRoutines.h"
#include "Log.h"
#include "Translator.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fenster {

TForm_Messagebox::TForm_Messagebox(QWidget* parent)
    : TVANDLFORMMODAL(parent)
{
    setObjectName(QStringLiteral("Form_Messagebox"));
    setWindowTitle(QStringLiteral("Form_Messagebox"));
    auto* layout = new QVBoxLayout(ClientArea());
    layout->setContentsMargins(3, 3, 3, 3);
    Messagetext = new QLabel(QStringLiteral("Messagetext"), ClientArea());
    Messagetext->setObjectName(QStringLiteral("Messagetext"));
    Messagetext->setAlignment(Qt::AlignCenter);
    Messagetext->setWordWrap(true);
    Messagetext->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(16);
    Messagetext->setFont(font);
    layout->addWidget(Messagetext);
    SetTabOrder({});
    setDesignSize(QSize(445, 309));
    FormCreate();
}

void TForm_Messagebox::FormKeyPress(QChar& key)
{
    if (key == QChar(13)) {
        LMDButtonOKClick();
        key = QChar();
        return;
    }
    TVANDLFORMMODAL::FormKeyPress(key);
}

void TForm_Messagebox::FormShow()
{
    TVANDLFORMMODAL::FormShow();
    // The box must be seen even while another program is active.
    // Not yet a window of its own when the platform has not made one: then
    // there is nothing to bring forward.
    ForceForeground(window()->windowHandle());
}

int ShowMessageForm(const QString& caption, const QString& text, WithCancel withCancel)
{
    LogLine(QStringLiteral("messagebox: ") + caption + QLatin1Char(' ') + text, 1);
    // A stack object: the box is freed on every way out.
    TForm_Messagebox box;
    box.setWindowTitle(caption);
    box.Messagetext->setText(text);
    box.ASBCancel->setVisible(withCancel == WithCancel::Yes);
    box.AdjustToContents();
    return box.ShowModal();
}

// The caption is translated before the text, so that new texts enter the
// language file in the order they are shown.

void ShowInfo(const QString& caption, const QString& text)
{
    const QString shownCaption = TranslateText(caption);
    ShowMessageForm(shownCaption, TranslateText(text), WithCancel::No);
}

void ShowError(const QString& text)
{
    const QString shownCaption = TranslateText(QStringLiteral("Fehler"));
    ShowMessageForm(shownCaption, TranslateText(text), WithCancel::No);
}

int Confirm(const QString& caption, const QString& text)
{
    const QString shownCaption = TranslateText(caption);
    return ShowMessageForm(shownCaption, TranslateText(text), WithCancel::Yes);
}

int ConfirmFmt(const QString& caption, const QString& format, const FormatArgs& arguments)
{
    const QString shownCaption = TranslateText(caption);
    return ShowMessageForm(shownCaption, TranslateFormat(format, arguments), WithCancel::Yes);
}

} // namespace fenster
