#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QWidget>

class QFrame;
class QKeyEvent;
class QPushButton;
class QShowEvent;
class QWindow;

namespace fenster {

// The theme colour of the blue office style, RGB (166, 202, 240); the same
// value as the sky blue every form is designed with.
inline const QColor ThemeColour(166, 202, 240);
inline const QColor SkyBlue(166, 202, 240);
inline const QColor ThemeFontColour(0, 0, 0);
// Colour of the OK and Abbruch buttons.
inline const QColor DialogButtonColour(141, 178, 227);

// Gives form the font name "Tahoma" and the colours, and does the same for
// the labels, panels, group boxes, check boxes, radio groups and status bars
// it holds at any depth. Memos (QPlainTextEdit, QTextEdit) get colour when
// they are read-only with the dynamic property "tag" equal to 1, otherwise
// white. Font sizes and styles stay; every other control is left alone.
void ApplyFormTheme(QWidget* form, const QColor& colour, const QColor& fontColour);

// A design font: family at a character height of pixelSize pixels.
QFont DesignFont(const QString& family, int pixelSize, QFont::Weight weight = QFont::Normal);

// Clamps the form's minimum size and size to the available area of its
// screen.
void FitFormToScreen(QWidget* form);

// The behaviour every form of the program shares, over a Qt window class
// (QWidget for the main window, QDialog for the dialogs).
//
// Qt builds a form's controls in the derived constructor, after this base
// has been constructed, so a derived form calls FormCreate() at the end of
// its constructor, once its controls exist. FormCreate fits the form to the
// screen and translates it.
//
// Key preview: every key press delivered to the form's window goes to
// FormKeyDown and, when it carries a character, to FormKeyPress before it
// reaches the focused control. A handler that sets key to 0 (or to a null
// character) consumes the key. Keys sent straight to the form widget itself
// (not through its window) reach the handlers too.
template <class Base>
class VandlForm : public Base {
public:
    explicit VandlForm(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~VandlForm() override;

    // Creation handler: sets the first-show flag, fits the form to the
    // screen and translates it (TranslateForm).
    void FormCreate();

    // Set by FormCreate, cleared by the first show.
    bool firstShow() const { return m_firstShow; }

protected:
    // Show handler: on the first show only, applies the theme
    // (AdvFormStyler1Change). A form that wants to keep its design colours
    // overrides it.
    virtual void FormShow();
    // Maps the form styler's style (always the blue office style) to the
    // theme colour and applies it with a black font.
    void AdvFormStyler1Change();

    // Sizes the form to its contents after translation; nothing by default.
    virtual void FitToContents() { }

    virtual void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    // key is the character of the press: 27 for Escape, 13 for Enter.
    virtual void FormKeyPress(QChar& key);

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the handlers consumed the key.
    bool previewKey(QKeyEvent* event);

    bool m_firstShow = false;
    bool m_delivering = false;
    QPointer<QWindow> m_previewWindow;
};

extern template class VandlForm<QWidget>;
extern template class VandlForm<QDialog>;

// Base of the main window.
class TVANDLFORM : public VandlForm<QWidget> {
    Q_OBJECT
public:
    explicit TVANDLFORM(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
};

// Base of every modal dialog: a bottom panel with the OK and Abbruch
// buttons, fixed size (at least 400 x 300 and never smaller than its
// contents), modal results 0 (open), 1 (OK) and 2 (Abbruch). Escape and the
// window's close box give 2; a disabled OK button never gives 1; Enter does
// not press a button (only the message box gives Enter a meaning).
class TVANDLFORMMODAL : public VandlForm<QDialog> {
    Q_OBJECT
public:
    explicit TVANDLFORMMODAL(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Dialog);

    // The area above PanelBottom; derived dialogs lay out their controls in it.
    QWidget* ClientArea() const { return m_clientArea; }
    QFrame* PanelBottom = nullptr;
    QPushButton* ASButtonOK = nullptr;
    QPushButton* ASBCancel = nullptr;

    int ModalResult() const { return m_modalResult; }
    // Any value but 0 closes the dialog with that result.
    void setModalResult(int result);
    // Shows the dialog modally and returns its modal result.
    int ShowModal();

    // Sets the fixed size from the contents, the design client size given
    // to setDesignSize and the minimum 400 x 300, within the screen. Called
    // by FormCreate; call it again after changing texts.
    void AdjustToContents();
    void setDesignSize(const QSize& clientSize);

    void LMDButtonOKClick();
    void LMDButtonCancelClick();

    // Qt's ways of closing a dialog map to the modal results: accept acts
    // as the OK button, reject (Escape, close box) as Abbruch.
    void reject() override;
    void done(int result) override;
    void accept() override;

protected:
    void FormKeyPress(QChar& key) override;
    void FitToContents() override;
    // The tab order of the dialog's controls; OK and Abbruch follow them.
    void SetTabOrder(const QList<QWidget*>& controls);

private:
    QWidget* m_clientArea = nullptr;
    QSize m_designSize;
    int m_modalResult = 0;
};

} // namespace fenster
