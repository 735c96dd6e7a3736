#include "SprossenBreite.h"

#include "SpinEdit.h"

#include <QGridLayout>
#include <QLabel>

namespace fenster {

namespace {

QLabel* designLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(DesignFont(QStringLiteral("Tahoma"), 12));
    return label;
}

TSpinEdit* widthEdit(const QString& name, QWidget* parent)
{
    auto* edit = new TSpinEdit(parent);
    edit->setObjectName(name);
    edit->setFont(DesignFont(QStringLiteral("Tahoma"), 17));
    edit->setRange(1, 1000);
    edit->setMinimumSize(121, 31);
    return edit;
}

} // namespace

TForm_SprossenBreite::TForm_SprossenBreite(QWidget* parent)
    : TVANDLFORMMODAL(parent)
{
    setObjectName(QStringLiteral("Form_SprossenBreite"));
    setWindowTitle(QStringLiteral("Sprossen Breite"));
    QFont font = this->font();
    font.setPixelSize(13);
    setFont(font);

    QWidget* client = ClientArea();
    Label1 = designLabel(QStringLiteral("Rahmen Breite [mm]"), QStringLiteral("Label1"), client);
    SpinEditRahmenBreite = widthEdit(QStringLiteral("SpinEditRahmenBreite"), client);
    Label2 = designLabel(QStringLiteral("Sprossen horizontal [mm]"), QStringLiteral("Label2"), client);
    SpinSprossenBreiteHorizontal = widthEdit(QStringLiteral("SpinSprossenBreiteHorizontal"), client);
    Label3 = designLabel(QStringLiteral("Sprossen Vertikal [mm]"), QStringLiteral("Label3"), client);
    SpinSprossenBreiteVertikal = widthEdit(QStringLiteral("SpinSprossenBreiteVertikal"), client);

    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(27, 3, 27, 3);
    grid->setHorizontalSpacing(27);
    grid->setVerticalSpacing(3);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(SpinEditRahmenBreite, 1, 0);
    grid->setRowMinimumHeight(2, 12);
    grid->addWidget(Label2, 3, 0);
    grid->addWidget(Label3, 3, 1);
    grid->addWidget(SpinSprossenBreiteHorizontal, 4, 0);
    grid->addWidget(SpinSprossenBreiteVertikal, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(2, 1);

    SetTabOrder({SpinEditRahmenBreite, SpinSprossenBreiteHorizontal, SpinSprossenBreiteVertikal});
    SpinSprossenBreiteHorizontal->setFocus();
    setDesignSize(QSize(394, 272));
    FormCreate();
}

bool EditBarWidths(QWidget* parent, int& rahmenBreite, int& sprossen, int& sprossenV)
{
    TForm_SprossenBreite dialog(parent);
    dialog.SpinSprossenBreiteHorizontal->setValue(sprossen);
    dialog.SpinSprossenBreiteVertikal->setValue(sprossenV);
    dialog.SpinEditRahmenBreite->setValue(rahmenBreite);
    if (dialog.ShowModal() != 1)
        return false;
    rahmenBreite = dialog.SpinEditRahmenBreite->Value();
    sprossen = dialog.SpinSprossenBreiteHorizontal->Value();
    sprossenV = dialog.SpinSprossenBreiteVertikal->Value();
    return true;
}

} // namespace fenster
