#include "ExportBlatt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace fenster {

namespace {

constexpr int kMinMassstab = 1;
constexpr int kMaxMassstab = 10000;

QLabel* designLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(DesignFont(QStringLiteral("Tahoma"), 12));
    return label;
}

// The ratio of the text, or 0 when it is no whole number in the range.
int RatioOf(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= kMinMassstab && value <= kMaxMassstab ? value : 0;
}

} // namespace

TForm_ExportBlatt::TForm_ExportBlatt(QWidget* parent)
    : TVANDLFORMMODAL(parent)
{
    setObjectName(QStringLiteral("Form_ExportBlatt"));
    setWindowTitle(QStringLiteral("Export als PDF/SVG"));
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);

    QWidget* client = ClientArea();
    LabelPapier = designLabel(QStringLiteral("Papier"), QStringLiteral("LabelPapier"), client);
    ComboPapier = new QComboBox(client);
    ComboPapier->setObjectName(QStringLiteral("ComboPapier"));
    ComboPapier->addItems({ QStringLiteral("A4"), QStringLiteral("A3") });
    ComboPapier->setAccessibleName(QStringLiteral("Papier"));
    LabelPapier->setBuddy(ComboPapier);

    GroupAusrichtung = new QGroupBox(QStringLiteral("Ausrichtung"), client);
    GroupAusrichtung->setObjectName(QStringLiteral("GroupAusrichtung"));
    GroupAusrichtung->setAccessibleName(QStringLiteral("Ausrichtung"));
    RadioHochformat = new QRadioButton(QStringLiteral("Hochformat"), GroupAusrichtung);
    RadioHochformat->setObjectName(QStringLiteral("RadioHochformat"));
    RadioHochformat->setAccessibleName(QStringLiteral("Hochformat"));
    RadioQuerformat = new QRadioButton(QStringLiteral("Querformat"), GroupAusrichtung);
    RadioQuerformat->setObjectName(QStringLiteral("RadioQuerformat"));
    RadioQuerformat->setAccessibleName(QStringLiteral("Querformat"));
    RadioHochformat->setChecked(true);
    auto* orientation = new QVBoxLayout(GroupAusrichtung);
    orientation->addWidget(RadioHochformat);
    orientation->addWidget(RadioQuerformat);

    LabelMassstab = designLabel(QStringLiteral("Maßstab 1:"), QStringLiteral("LabelMassstab"), client);
    ComboMassstab = new QComboBox(client);
    ComboMassstab->setObjectName(QStringLiteral("ComboMassstab"));
    ComboMassstab->setEditable(true);
    ComboMassstab->setInsertPolicy(QComboBox::NoInsert);
    ComboMassstab->addItems({ QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("25"), QStringLiteral("50") });
    ComboMassstab->setValidator(new QIntValidator(kMinMassstab, kMaxMassstab, ComboMassstab));
    ComboMassstab->setAccessibleName(QStringLiteral("Maßstab 1:"));
    ComboMassstab->lineEdit()->setAccessibleName(QStringLiteral("Maßstab 1:"));
    LabelMassstab->setBuddy(ComboMassstab);
    connect(ComboMassstab, &QComboBox::editTextChanged, this, &TForm_ExportBlatt::MassstabChange);

    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(27, 8, 27, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(LabelPapier, 0, 0);
    grid->addWidget(ComboPapier, 0, 1);
    grid->addWidget(GroupAusrichtung, 1, 0, 1, 2);
    grid->addWidget(LabelMassstab, 2, 0);
    grid->addWidget(ComboMassstab, 2, 1);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);

    SetTabOrder({ ComboPapier, RadioHochformat, RadioQuerformat, ComboMassstab });
    ComboPapier->setFocus();
    setDesignSize(QSize(394, 272));
    setChoice(SheetChoice());
    FormCreate();
}

void TForm_ExportBlatt::setChoice(const SheetChoice& choice)
{
    const int paper = ComboPapier->findText(choice.papier, Qt::MatchFixedString);
    ComboPapier->setCurrentIndex(paper >= 0 ? paper : 0);
    (choice.quer ? RadioQuerformat : RadioHochformat)->setChecked(true);
    const bool inRange = choice.massstab >= kMinMassstab && choice.massstab <= kMaxMassstab;
    ComboMassstab->setEditText(QString::number(inRange ? choice.massstab : SheetChoice().massstab));
    MassstabChange();
}

SheetChoice TForm_ExportBlatt::choice() const
{
    SheetChoice choice;
    choice.papier = ComboPapier->currentText();
    choice.quer = RadioQuerformat->isChecked();
    choice.massstab = RatioOf(ComboMassstab->currentText());
    return choice;
}

void TForm_ExportBlatt::MassstabChange()
{
    ASButtonOK->setEnabled(RatioOf(ComboMassstab->currentText()) != 0);
}

bool EditSheetChoice(QWidget* parent, SheetChoice& choice)
{
    TForm_ExportBlatt dialog(parent);
    dialog.setChoice(choice);
    if (dialog.ShowModal() != 1)
        return false;
    choice = dialog.choice();
    return true;
}

} // namespace fenster
