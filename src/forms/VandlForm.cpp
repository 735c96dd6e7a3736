#include "VandlForm.h"

#include "TranslateForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWindow>

#include <type_traits>

namespace fenster {

namespace {

// A plain container: a panel in the form's terms.
bool isPanel(const QWidget* widget)
{
    const QMetaObject* meta = widget->metaObject();
    return meta == &QFrame::staticMetaObject || meta == &QWidget::staticMetaObject;
}

void themeControl(QWidget* widget, const QColor& colour, const QColor& fontColour)
{
    QFont font = widget->font();
    font.setFamily(QStringLiteral("Tahoma"));
    widget->setFont(font);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, fontColour);
    widget->setPalette(palette);
}

void themeChildren(QWidget* parent, const QColor& colour, const QColor& fontColour)
{
    const QObjectList children = parent->children();
    for (QObject* child : children) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)
            || qobject_cast<QRadioButton*>(widget) || qobject_cast<QStatusBar*>(widget)) {
            themeControl(widget, colour, fontColour);
            continue;
        }
        if (qobject_cast<QGroupBox*>(widget) || isPanel(widget)) {
            themeControl(widget, colour, fontColour);
            themeChildren(widget, colour, fontColour);
            continue;
        }
        auto* plain = qobject_cast<QPlainTextEdit*>(widget);
        auto* rich = qobject_cast<QTextEdit*>(widget);
        if (plain || rich) {
            const bool readOnly = plain ? plain->isReadOnly() : rich->isReadOnly();
            const bool tagged = widget->property("tag").toInt() == 1;
            QFont font = widget->font();
            font.setFamily(QStringLiteral("Tahoma"));
            widget->setFont(font);
            QPalette palette = widget->palette();
            palette.setColor(QPalette::Base, readOnly && tagged ? colour : QColor(Qt::white));
            palette.setColor(QPalette::Text, fontColour);
            widget->setPalette(palette);
        }
        // Edit fields, spin edits, buttons, combo boxes and the like keep
        // their design look.
    }
}

QIcon drawnIcon(bool check)
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (check) {
        painter.setPen(QPen(QColor(0, 150, 0), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF points[] = {{9, 25}, {20, 37}, {40, 11}};
        painter.drawPolyline(points, 3);
    } else {
        painter.setPen(QPen(QColor(210, 0, 0), 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(12, 12), QPointF(36, 36));
        painter.drawLine(QPointF(36, 12), QPointF(12, 36));
    }
    return QIcon(pixmap);
}

QPushButton* dialogButton(const QString& caption, const QString& name, bool check, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(100, 56);
    button->setIcon(drawnIcon(check));
    button->setIconSize(QSize(48, 48));
    // Enter belongs to the focused control, not to a default button.
    button->setAutoDefault(false);
    button->setDefault(false);
    // The dialog buttons keep their captions in every language.
    button->setProperty("noTranslate", true);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, DialogButtonColour);
    button->setPalette(palette);
    return button;
}

QChar characterOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        return QChar(27);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    default:
        return event->text().isEmpty() ? QChar() : event->text().front();
    }
}

QSize availableScreenSize(const QWidget* widget)
{
    const QScreen* screen = widget->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

} // namespace

QFont DesignFont(const QString& family, int pixelSize, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

void ApplyFormTheme(QWidget* form, const QColor& colour, const QColor& fontColour)
{
    if (!form)
        return;
    themeControl(form, colour, fontColour);
    themeChildren(form, colour, fontColour);
}

void FitFormToScreen(QWidget* form)
{
    const QSize screen = availableScreenSize(form);
    if (screen.isEmpty())
        return;
    if (screen.height() < form->minimumHeight())
        form->setMinimumHeight(screen.height());
    if (screen.width() < form->minimumWidth())
        form->setMinimumWidth(screen.width());
    QSize size = form->size();
    if (screen.height() < size.height())
        size.setHeight(screen.height());
    if (screen.width() < size.width())
        size.setWidth(screen.width());
    if (size != form->size())
        form->resize(size);
}

// --- VandlForm ----------------------------------------------------------------

template <class Base>
VandlForm<Base>::VandlForm(QWidget* parent, Qt::WindowFlags flags)
    : Base(parent, flags)
    , m_firstShow(true)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    this->setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, SkyBlue);
    this->setPalette(palette);
}

template <class Base>
VandlForm<Base>::~VandlForm()
{
    if (m_previewWindow)
        m_previewWindow->removeEventFilter(this);
}

template <class Base>
void VandlForm<Base>::FormCreate()
{
    m_firstShow = true;
    TranslateForm(this);
    FitToContents();
    FitFormToScreen(this);
}

template <class Base>
void VandlForm<Base>::FormShow()
{
    if (!m_firstShow)
        return;
    AdvFormStyler1Change();
    m_firstShow = false;
}

template <class Base>
void VandlForm<Base>::AdvFormStyler1Change()
{
    // The only style the program uses is the blue office style.
    ApplyFormTheme(this, ThemeColour, ThemeFontColour);
}

template <class Base>
void VandlForm<Base>::FormKeyDown(int&, Qt::KeyboardModifiers)
{
}

template <class Base>
void VandlForm<Base>::FormKeyPress(QChar&)
{
}

template <class Base>
bool VandlForm<Base>::previewKey(QKeyEvent* event)
{
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    if (key == 0)
        return true;
    QChar character = characterOf(event);
    if (character.isNull())
        return false;
    FormKeyPress(character);
    return character.isNull();
}

template <class Base>
void VandlForm<Base>::showEvent(QShowEvent* event)
{
    Base::showEvent(event);
    if (QWindow* window = this->windowHandle(); window && window != m_previewWindow) {
        if (m_previewWindow)
            m_previewWindow->removeEventFilter(this);
        window->installEventFilter(this);
        m_previewWindow = window;
    }
    if (!event->spontaneous())
        FormShow();
}

template <class Base>
bool VandlForm<Base>::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_previewWindow || event->type() != QEvent::KeyPress || m_delivering)
        return Base::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (previewKey(keyEvent))
        return true;
    // Deliver the key to the focused control now, marked as previewed, so
    // that it does not reach the handlers a second time on its way up.
    QPointer<QObject> guard(watched);
    m_delivering = true;
    QCoreApplication::sendEvent(watched, event);
    if (guard)
        m_delivering = false;
    return true;
}

template <class Base>
void VandlForm<Base>::keyPressEvent(QKeyEvent* event)
{
    if (!m_delivering && previewKey(event)) {
        event->accept();
        return;
    }
    if constexpr (std::is_base_of_v<QDialog, Base>) {
        // A dialog's Enter is left to the focused control; Qt would press
        // a default button here.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->ignore();
            return;
        }
    }
    Base::keyPressEvent(event);
}

template class VandlForm<QWidget>;
template class VandlForm<QDialog>;

// --- TVANDLFORM -------------------------------------------------------------------

TVANDLFORM::TVANDLFORM(QWidget* parent, Qt::WindowFlags flags)
    : VandlForm<QWidget>(parent, flags)
{
}

// --- TVANDLFORMMODAL --------------------------------------------------------------

TVANDLFORMMODAL::TVANDLFORMMODAL(QWidget* parent, Qt::WindowFlags flags)
    : VandlForm<QDialog>(parent, flags | Qt::MSWindowsFixedSizeDialogHint)
{
    setModal(true);
    setSizeGripEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_clientArea = new QWidget(this);
    m_clientArea->setObjectName(QStringLiteral("ClientArea"));
    layout->addWidget(m_clientArea, 1);

    PanelBottom = new QFrame(this);
    PanelBottom->setObjectName(QStringLiteral("PanelBottom"));
    PanelBottom->setFrameShape(QFrame::NoFrame);
    PanelBottom->setFixedHeight(66);
    PanelBottom->setAutoFillBackground(true);
    layout->addWidget(PanelBottom);

    // Both buttons are aligned right: Abbruch at the edge, OK to its left.
    auto* buttons = new QHBoxLayout(PanelBottom);
    buttons->setContentsMargins(5, 5, 10, 5);
    buttons->setSpacing(10);
    buttons->addStretch(1);
    ASButtonOK = dialogButton(QStringLiteral("&OK"), QStringLiteral("ASButtonOK"), true, PanelBottom);
    ASBCancel = dialogButton(QStringLiteral("&Abbruch"), QStringLiteral("ASBCancel"), false, PanelBottom);
    buttons->addWidget(ASButtonOK);
    buttons->addWidget(ASBCancel);
    connect(ASButtonOK, &QPushButton::clicked, this, &TVANDLFORMMODAL::LMDButtonOKClick);
    connect(ASBCancel, &QPushButton::clicked, this, &TVANDLFORMMODAL::LMDButtonCancelClick);

    setMinimumSize(400, 300);
}

void TVANDLFORMMODAL::setModalResult(int result)
{
    if (result == 0) {
        m_modalResult = 0;
        return;
    }
    done(result);
}

int TVANDLFORMMODAL::ShowModal()
{
    m_modalResult = 0;
    return exec();
}

void TVANDLFORMMODAL::setDesignSize(const QSize& clientSize)
{
    m_designSize = clientSize;
}

void TVANDLFORMMODAL::AdjustToContents()
{
    if (QLayout* top = layout())
        top->activate();
    const QSize minimum = QSize(400, 300).expandedTo(m_designSize);
    QSize size = sizeHint().expandedTo(minimum);
    const QSize screen = availableScreenSize(this);
    if (!screen.isEmpty())
        size = size.boundedTo(screen);
    setFixedSize(size);
}

void TVANDLFORMMODAL::FitToContents()
{
    AdjustToContents();
}

void TVANDLFORMMODAL::SetTabOrder(const QList<QWidget*>& controls)
{
    QList<QWidget*> chain = controls;
    chain << ASButtonOK << ASBCancel;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain[i - 1], chain[i]);
}

void TVANDLFORMMODAL::LMDButtonOKClick()
{
    if (ASButtonOK->isEnabled())
        setModalResult(1);
}

void TVANDLFORMMODAL::LMDButtonCancelClick()
{
    setModalResult(2);
}

void TVANDLFORMMODAL::FormKeyPress(QChar& key)
{
    if (key == QChar(27)) {
        LMDButtonCancelClick();
        key = QChar();
    }
}

void TVANDLFORMMODAL::reject()
{
    // Escape through Qt and the window's close box both mean Abbruch.
    done(2);
}

void TVANDLFORMMODAL::accept()
{
    LMDButtonOKClick();
}

void TVANDLFORMMODAL::done(int result)
{
    m_modalResult = result;
    QDialog::done(result);
}

} // namespace fenster
