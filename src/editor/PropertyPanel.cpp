// The property panel: its controls, their layout and the refresh from the
// model. The change handlers live in PropertyPanelHandlers.cpp.

#include "PropertyPanel.h"

#include "EditorDocument.h"
#include "SpinEdit.h"
#include "Translator.h"
#include "Window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace fenster {

namespace {

constexpr int kPanelWidth = 337;
constexpr int kLeerfeldItem = 8;

// The base types in the order the panel lists them; the item index is the
// stored code except for "Leerfeld".
const char* const kBaseTypeItems[] = {
    "Rechteck", "Ecke", "Stichbogen", "Rundbogen", "Kreisförmig",
    "Trapez", "Tür", "Dreieck", "Leerfeld", "Segmentbogen",
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

enum class Typing { Allowed, Disabled };

// A spin edit; both bounds 0 make it unbounded. Without typing only the
// arrows (and the keyboard's arrow keys) change it.
TSpinEdit* SpinEdit(const char* objectName, int minValue, int maxValue, Typing typing, QWidget* parent)
{
    auto* edit = new TSpinEdit(parent);
    edit->setObjectName(QLatin1String(objectName));
    edit->setRange(minValue, maxValue);
    edit->setValue(minValue);
    if (typing == Typing::Disabled)
        edit->findChild<QLineEdit*>()->setReadOnly(true);
    return edit;
}

// A label that names its edit for the keyboard and for screen readers.
QLabel* BuddyLabel(const char* objectName, const QString& text, TSpinEdit* edit, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setBuddy(edit);
    edit->setAccessibleName(text);
    return label;
}

QCheckBox* CheckBox(const char* objectName, const char* caption, QWidget* parent)
{
    auto* box = new QCheckBox(Text(caption), parent);
    box->setObjectName(QLatin1String(objectName));
    return box;
}

void Compact(QLayout* layout)
{
    layout->setContentsMargins(3, 2, 3, 3);
    layout->setSpacing(2);
}

} // namespace

TArrowPair::TArrowPair(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* up = new QToolButton(this);
    up->setObjectName(QStringLiteral("up"));
    up->setArrowType(Qt::UpArrow);
    up->setAccessibleName(name + QStringLiteral(" auf"));
    auto* down = new QToolButton(this);
    down->setObjectName(QStringLiteral("down"));
    down->setArrowType(Qt::DownArrow);
    down->setAccessibleName(name + QStringLiteral(" ab"));
    for (QToolButton* button : { up, down }) {
        button->setFixedSize(17, 12);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
    }
    connect(up, &QToolButton::clicked, this, &TArrowPair::upClicked);
    connect(down, &QToolButton::clicked, this, &TArrowPair::downClicked);
    setFixedSize(17, 24);
}

PropertyPanel::PropertyPanel(EditorDocument& document, QWidget* parent)
    : QFrame(parent)
    , m_document(document)
{
    setObjectName(QStringLiteral("PanelEdit"));
    setAccessibleName(QStringLiteral("Eigenschaften"));
    setFixedWidth(kPanelWidth);
    setFrameShape(QFrame::StyledPanel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    createTotalSize();
    createRowGroup();
    layout->addWidget(GB_TotalSize);
    layout->addWidget(HoeheBox, 1);

    // The row arrows lie over the row group, outside it, so that locking the
    // row group names them separately.
    HoeheSpin = new TArrowPair(QStringLiteral("Höhe"), this);
    HoeheSpin->setObjectName(QStringLiteral("HoeheSpin"));
    HoeheSpin->raise();

    GB_TotalSize->installEventFilter(this);
    connectHandlers();
    connect(&m_document, &EditorDocument::changed, this, &PropertyPanel::RefreshPanel);

    // Tab order: top to bottom as the panel reads.
    QWidget* const order[] = {
        HoehenEdit, Teilhoeheedit, BreitenEdit, TeilbreiteEdit,
        m_glasItems->button(0), m_glasItems->button(1), m_typeItems->button(0),
        Griffcheck, Linkscheck, Rechtscheck, Spiegelcheck, Kippcheck, SchwenkCheck, Schiebcheck,
        Rolladenkasten, Fensterbankanschlag, CBNachAussenOeffnend, CheckBoxFliegengitter,
        CheckBoxSchiebePlissees, eHoeheEdit, rHoeheEdit, bHoeheEdit, hSprossenEdit, vSprossenEdit,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    RefreshPanel();
}

PropertyPanel::~PropertyPanel() = default;

void PropertyPanel::createTotalSize()
{
    GB_TotalSize = new QGroupBox(Text("Gesamtgrösse"), this);
    GB_TotalSize->setObjectName(QStringLiteral("GB_TotalSize"));
    auto* grid = new QGridLayout(GB_TotalSize);
    Compact(grid);
    HoehenEdit = SpinEdit("HoehenEdit", 1, 10, Typing::Disabled, GB_TotalSize);
    grid->addWidget(BuddyLabel("Label1", Text("Anzahl Höhen "), HoehenEdit, GB_TotalSize), 0, 0);
    grid->addWidget(HoehenEdit, 0, 1);

    // The overall size as edits the user never sees; the writer derives it.
    Hoeheedit = SpinEdit("Hoeheedit", 0, 0, Typing::Allowed, GB_TotalSize);
    BreiteEdit = SpinEdit("BreiteEdit", 0, 0, Typing::Allowed, GB_TotalSize);
    int column = 2;
    for (auto [edit, label] : { std::pair { Hoeheedit, "Höhe" }, std::pair { BreiteEdit, "Breite" } }) {
        QLabel* hidden = BuddyLabel(edit == Hoeheedit ? "Label2" : "Label3", Text(label), edit, GB_TotalSize);
        edit->findChild<QLineEdit*>()->setReadOnly(true);
        edit->setEnabled(false);
        edit->hide();
        hidden->hide();
        grid->addWidget(hidden, 0, column++);
        grid->addWidget(edit, 0, column++);
    }
    grid->setColumnStretch(1, 1);
}

void PropertyPanel::createRowGroup()
{
    HoeheBox = new QGroupBox(this);
    HoeheBox->setObjectName(QStringLiteral("HoeheBox"));
    auto* layout = new QVBoxLayout(HoeheBox);
    Compact(layout);

    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    Teilhoeheedit = SpinEdit("Teilhoeheedit", 0, 0, Typing::Allowed, HoeheBox);
    TeilhoeheLabel = BuddyLabel("TeilhoeheLabel", QString(), Teilhoeheedit, HoeheBox);
    BreitenEdit = SpinEdit("BreitenEdit", 1, 10, Typing::Disabled, HoeheBox);
    grid->addWidget(TeilhoeheLabel, 0, 0);
    grid->addWidget(Teilhoeheedit, 0, 1);
    grid->addWidget(BuddyLabel("Label4", Text("Anzahl Breiten"), BreitenEdit, HoeheBox), 1, 0);
    grid->addWidget(BreitenEdit, 1, 1);
    grid->setColumnStretch(1, 1);
    // Room for the row arrows at the group's right edge.
    grid->setColumnMinimumWidth(2, 20);
    layout->addLayout(grid);

    createFieldGroup();
    layout->addWidget(BreiteBox, 1);
}

void PropertyPanel::createFieldGroup()
{
    BreiteBox = new QGroupBox(HoeheBox);
    BreiteBox->setObjectName(QStringLiteral("BreiteBox"));
    auto* layout = new QVBoxLayout(BreiteBox);
    Compact(layout);

    auto* widthRow = new QHBoxLayout;
    TeilbreiteEdit = SpinEdit("TeilbreiteEdit", 0, 0, Typing::Allowed, BreiteBox);
    TeilBreiteLabel = BuddyLabel("TeilBreiteLabel", QString(), TeilbreiteEdit, BreiteBox);
    BreiteSpin = new TArrowPair(QStringLiteral("Breite"), BreiteBox);
    BreiteSpin->setObjectName(QStringLiteral("BreiteSpin"));
    widthRow->addWidget(TeilBreiteLabel);
    widthRow->addWidget(TeilbreiteEdit, 1);
    widthRow->addWidget(BreiteSpin);
    layout->addLayout(widthRow);

    GlasRadio = new QGroupBox(Text("Verglasungsart"), BreiteBox);
    GlasRadio->setObjectName(QStringLiteral("GlasRadio"));
    m_glasItems = new QButtonGroup(GlasRadio);
    auto* glasLayout = new QGridLayout(GlasRadio);
    Compact(glasLayout);
    const char* const glasItems[] = { "fest &Verglast", "&Flügel" };
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(Text(glasItems[i]), GlasRadio);
        m_glasItems->addButton(item, i);
        glasLayout->addWidget(item, 0, i);
    }
    layout->addWidget(GlasRadio);

    auto* shapeRow = new QHBoxLayout;
    shapeRow->setSpacing(2);
    FenstertypRadio = new QGroupBox(Text("Fenstergrundtyp"), BreiteBox);
    FenstertypRadio->setObjectName(QStringLiteral("FenstertypRadio"));
    m_typeItems = new QButtonGroup(FenstertypRadio);
    auto* typeLayout = new QVBoxLayout(FenstertypRadio);
    Compact(typeLayout);
    typeLayout->setContentsMargins(2, 2, 0, 2);
    for (int i = 0; i < int(std::size(kBaseTypeItems)); ++i) {
        auto* item = new QRadioButton(Text(kBaseTypeItems[i]), FenstertypRadio);
        m_typeItems->addButton(item, i);
        typeLayout->addWidget(item);
    }
    typeLayout->addStretch(1);
    shapeRow->addWidget(FenstertypRadio, 0, Qt::AlignTop);
    createProperties(BreiteBox);
    shapeRow->addWidget(PanelProperties, 1, Qt::AlignTop);
    layout->addLayout(shapeRow);

    createParameters(BreiteBox);
    layout->addWidget(PanelParameter);
    layout->addStretch(1);

    GB_Sprossen = new QGroupBox(Text("Anzahl Sprossen"), BreiteBox);
    GB_Sprossen->setObjectName(QStringLiteral("GB_Sprossen"));
    auto* muntins = new QGridLayout(GB_Sprossen);
    Compact(muntins);
    hSprossenEdit = SpinEdit("hSprossenEdit", 0, 100, Typing::Disabled, GB_Sprossen);
    vSprossenEdit = SpinEdit("vSprossenEdit", 0, 100, Typing::Disabled, GB_Sprossen);
    muntins->addWidget(BuddyLabel("Label7", Text("horizontal"), hSprossenEdit, GB_Sprossen), 0, 0);
    muntins->addWidget(hSprossenEdit, 0, 1);
    muntins->addWidget(BuddyLabel("Label8", Text("vertikal"), vSprossenEdit, GB_Sprossen), 0, 2);
    muntins->addWidget(vSprossenEdit, 0, 3);
    layout->addWidget(GB_Sprossen);
}

void PropertyPanel::createProperties(QWidget* parent)
{
    PanelProperties = new QWidget(parent);
    PanelProperties->setObjectName(QStringLiteral("PanelProperties"));
    auto* layout = new QVBoxLayout(PanelProperties);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->setSpacing(1);
    Griffcheck = CheckBox("Griffcheck", "&Griff", PanelProperties);
    Linkscheck = CheckBox("Linkscheck", "&Linksanschlagend", PanelProperties);
    Rechtscheck = CheckBox("Rechtscheck", "&Rechtsanschlagend", PanelProperties);
    Spiegelcheck = CheckBox("Spiegelcheck", "gespiegelter Fenstergrundtyp", PanelProperties);
    Kippcheck = CheckBox("Kippcheck", "&Kippbar", PanelProperties);
    SchwenkCheck = CheckBox("SchwenkCheck", "&Schwenkbar", PanelProperties);
    Schiebcheck = CheckBox("Schiebcheck", "Schiebbar", PanelProperties);
    Rolladenkasten = CheckBox("Rolladenkasten", "Rolladenkasten", PanelProperties);
    Fensterbankanschlag = CheckBox("Fensterbankanschlag", "Fensterbankanschlag", PanelProperties);
    CBNachAussenOeffnend = CheckBox("CBNachAussenOeffnend", "Nach aussen öffnend", PanelProperties);
    CheckBoxFliegengitter = CheckBox("CheckBoxFliegengitter", "Fliegengitter", PanelProperties);
    CheckBoxSchiebePlissees = CheckBox("CheckBoxSchiebePlissees", "Schiebe Plissees", PanelProperties);
    for (QCheckBox* box : { Griffcheck, Linkscheck, Rechtscheck, Spiegelcheck, Kippcheck, SchwenkCheck,
             Schiebcheck, Rolladenkasten, Fensterbankanschlag, CBNachAussenOeffnend, CheckBoxFliegengitter,
             CheckBoxSchiebePlissees })
        layout->addWidget(box);
}

void PropertyPanel::createParameters(QWidget* parent)
{
    PanelParameter = new QWidget(parent);
    PanelParameter->setObjectName(QStringLiteral("PanelParameter"));
    auto* layout = new QVBoxLayout(PanelParameter);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    auto* extra = new QHBoxLayout;
    eHoeheEdit = SpinEdit("eHoeheEdit", 0, 0, Typing::Allowed, PanelParameter);
    extra->addWidget(BuddyLabel("Label9", Text("Extrahöhe (e)"), eHoeheEdit, PanelParameter));
    extra->addWidget(eHoeheEdit, 1);
    layout->addLayout(extra);

    PanelSonderwerte = new QWidget(PanelParameter);
    PanelSonderwerte->setObjectName(QStringLiteral("PanelSonderwerte"));
    auto* grid = new QGridLayout(PanelSonderwerte);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    rHoeheEdit = SpinEdit("rHoeheEdit", 0, 0, Typing::Allowed, PanelSonderwerte);
    bHoeheEdit = SpinEdit("bHoeheEdit", 0, 0, Typing::Allowed, PanelSonderwerte);
    grid->addWidget(BuddyLabel("Label11", Text("Höhe 1 (r) "), rHoeheEdit, PanelSonderwerte), 0, 0);
    grid->addWidget(rHoeheEdit, 0, 1);
    Label10 = BuddyLabel("Label10", Text("Höhe 2 (b)"), bHoeheEdit, PanelSonderwerte);
    grid->addWidget(Label10, 1, 0);
    grid->addWidget(bHoeheEdit, 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(PanelSonderwerte);
}

void PropertyPanel::connectHandlers()
{
    const auto onValue = [this](TSpinEdit* edit, void (PropertyPanel::*handler)()) {
        connect(edit, &QSpinBox::valueChanged, this, handler);
    };
    onValue(HoehenEdit, &PropertyPanel::HoehenEditChange);
    for (TSpinEdit* edit : { Teilhoeheedit, TeilbreiteEdit, Hoeheedit, BreiteEdit })
        onValue(edit, &PropertyPanel::HoeheeditChange);
    onValue(BreitenEdit, &PropertyPanel::BreitenEditChange);
    onValue(vSprossenEdit, &PropertyPanel::vSprossenEditChange);
    onValue(hSprossenEdit, &PropertyPanel::hSprossenEditChange);
    onValue(rHoeheEdit, &PropertyPanel::rHoeheEditChange);
    onValue(bHoeheEdit, &PropertyPanel::bHoeheEditChange);
    onValue(eHoeheEdit, &PropertyPanel::eHoeheEditChange);

    connect(HoeheSpin, &TArrowPair::downClicked, this, &PropertyPanel::HoeheSpinDownClick);
    connect(HoeheSpin, &TArrowPair::upClicked, this, &PropertyPanel::HoeheSpinUpClick);
    connect(BreiteSpin, &TArrowPair::downClicked, this, &PropertyPanel::BreiteSpinDownClick);
    connect(BreiteSpin, &TArrowPair::upClicked, this, &PropertyPanel::BreiteSpinUpClick);

    // A box or item changes by a click, by the keyboard or by assistive
    // technology toggling it; the refresh's own changes meet the guard.
    const auto onItem = [this](QButtonGroup* group, void (PropertyPanel::*handler)()) {
        connect(group, &QButtonGroup::idToggled, this, [this, handler](int, bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onItem(m_glasItems, &PropertyPanel::GlasRadioClick);
    onItem(m_typeItems, &PropertyPanel::FenstertypRadioClick);
    const auto onBox = [this](QCheckBox* box, void (PropertyPanel::*handler)()) {
        connect(box, &QCheckBox::toggled, this, handler);
    };
    for (QCheckBox* box : { Griffcheck, Kippcheck, Linkscheck, Rechtscheck, Schiebcheck, SchwenkCheck,
             Rolladenkasten, Fensterbankanschlag })
        onBox(box, &PropertyPanel::ChangeProperty);
    onBox(Spiegelcheck, &PropertyPanel::SpiegelcheckClick);
    for (QCheckBox* box : { CBNachAussenOeffnend, CheckBoxFliegengitter, CheckBoxSchiebePlissees })
        onBox(box, &PropertyPanel::CBNachAussenOeffnendClick);
}

void PropertyPanel::RefreshPanel()
{
    PanelUpdating = true;
    m_document.SelectField();
    const TFenster& window = m_document.model();
    const TZeile* row = window.CurrentRow();
    const TFensterlement* field = row ? row->CurrentField() : nullptr;
    const int selectedRow = m_document.SelectedRow();
    const int selectedField = m_document.SelectedField();
    const int fieldCount = row ? row->FieldCount() : 0;

    GB_TotalSize->setTitle(TranslateFormat(Text("Fenstergröße: %d x %d mm"), { window.height(), window.width() }));

    HoeheBox->setTitle(TranslateFormat(Text("Höhe %d von %d"), { selectedRow, window.RowCount() }));
    TeilhoeheLabel->setText(TranslateFormat(Text("%d. Teilhöhe"), { selectedRow }));
    Teilhoeheedit->setAccessibleName(TeilhoeheLabel->text());
    Teilhoeheedit->setValue(row ? row->height() : 0);

    BreitenEdit->setValue(fieldCount);
    BreiteBox->setTitle(TranslateFormat(Text("Breite %d von %d"), { selectedField, fieldCount }));
    TeilBreiteLabel->setText(TranslateFormat(Text("%d. Teilbreite"), { selectedField }));
    TeilbreiteEdit->setAccessibleName(TeilBreiteLabel->text());
    TeilbreiteEdit->setValue(field ? field->width() : 0);

    // A selection that addresses no field (an empty row) shows a new field's
    // values; the handlers then find no field and change nothing.
    const TFensterlement shown;
    const TFensterlement& f = field ? *field : shown;
    m_glasItems->button(f.fixedGlazing() ? 0 : 1)->setChecked(true);
    for (QCheckBox* box : { Linkscheck, Rechtscheck, Kippcheck, SchwenkCheck, Schiebcheck, Griffcheck })
        box->setEnabled(!f.fixedGlazing());

    const std::pair<QCheckBox*, bool> flags[] = {
        { Griffcheck, f.handle() },
        { Linkscheck, f.leftHinged() },
        { Rechtscheck, f.rightHinged() },
        { Spiegelcheck, f.mirrored() },
        { Kippcheck, f.tiltable() },
        { SchwenkCheck, f.swinging() },
        { Schiebcheck, f.sliding() },
        { Rolladenkasten, f.rollerShutterBox() },
        { Fensterbankanschlag, f.sillConnection() },
        { CBNachAussenOeffnend, f.opensOutward() },
        { CheckBoxFliegengitter, f.insectScreen() },
        { CheckBoxSchiebePlissees, f.pleatedBlind() },
    };
    for (const auto& [box, on] : flags)
        box->setChecked(on);

    const int item = f.baseType() == BaseLeerfeld ? kLeerfeldItem : f.baseType();
    if (QAbstractButton* typeItem = m_typeItems->button(item))
        typeItem->setChecked(true);

    const auto oneOf = [item](std::initializer_list<int> items) {
        return std::find(items.begin(), items.end(), item) != items.end();
    };
    Spiegelcheck->setEnabled(oneOf({ 1, 7, 9 }));
    Rolladenkasten->setEnabled(item == 0);
    Fensterbankanschlag->setEnabled(item == 0);
    PanelProperties->setVisible(item != kLeerfeldItem);
    PanelSonderwerte->setVisible(oneOf({ 0, 1, 2, 5, 6, 9 }));
    bHoeheEdit->setVisible(oneOf({ 1, 5, 9 }));
    Label10->setVisible(oneOf({ 1, 5, 9 }));
    eHoeheEdit->setVisible(true);

    vSprossenEdit->setValue(f.verticalMuntins());
    hSprossenEdit->setValue(f.horizontalMuntins());
    rHoeheEdit->setValue(f.height1());
    eHoeheEdit->setValue(f.extraHeight());
    bHoeheEdit->setValue(f.height2());
    BreiteEdit->setValue(window.width());
    Hoeheedit->setValue(window.height());
    HoehenEdit->setValue(window.RowCount());
    PanelUpdating = false;
}

void PropertyPanel::LockRowControls(bool locked)
{
    HoeheBox->setEnabled(!locked);
    HoeheSpin->setEnabled(!locked);
}

bool PropertyPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GB_TotalSize && event->type() == QEvent::MouseButtonDblClick) {
        emit totalSizeDoubleClicked();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

void PropertyPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    placeRowArrows();
}

void PropertyPanel::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    placeRowArrows();
}

void PropertyPanel::placeRowArrows()
{
    // At the row group's right edge, its top at the group's top plus its own
    // height minus 17, so that it sits beside the row height.
    const QRect box = HoeheBox->geometry();
    HoeheSpin->move(box.right() - HoeheSpin->width() - 4, box.top() + HoeheSpin->height() - 17);
    HoeheSpin->raise();
}

} // namespace fenster
