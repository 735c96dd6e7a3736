#include "MassDialog.h"

#include "SpinEdit.h"

#include <QLabel>
#include <QVBoxLayout>

namespace fenster {

namespace {

QLabel* designLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(DesignFont(QStringLiteral("Arial"), 12));
    return label;
}

TSpinEdit* lengthEdit(const QString& name, QWidget* parent)
{
    auto* edit = new TSpinEdit(parent);
    edit->setObjectName(name);
    edit->setFont(DesignFont(QStringLiteral("Arial"), 17));
    edit->setRange(1, 999999999);
    edit->setValue(1);
    edit->setMinimumSize(121, 29);
    return edit;
}

void setLength(TSpinEdit* edit, QLabel* label, const std::optional<int>& value)
{
    edit->setValue(value.value_or(1));
    edit->setEnabled(value.has_value());
    label->setEnabled(value.has_value());
}

} // namespace

TMassDialog::TMassDialog(QWidget* parent)
    : TVANDLFORMMODAL(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("MassDialog"));
    setWindowTitle(QStringLiteral("Maßzahlen einstellen"));
    QFont font = DesignFont(QStringLiteral("Arial"), 13);
    setFont(font);

    QWidget* client = ClientArea();
    Label1 = designLabel(QStringLiteral("Horizontale Bemaßung:"), QStringLiteral("Label1"), client);
    SpinEdit1 = lengthEdit(QStringLiteral("SpinEdit1"), client);
    Label2 = designLabel(QStringLiteral("Vertikale Bemaßung:"), QStringLiteral("Label2"), client);
    SpinEdit2 = lengthEdit(QStringLiteral("SpinEdit2"), client);

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(3);
    layout->addWidget(Label1);
    layout->addWidget(SpinEdit1, 0, Qt::AlignLeft);
    layout->addSpacing(4);
    layout->addWidget(Label2);
    layout->addWidget(SpinEdit2, 0, Qt::AlignLeft);
    layout->addStretch(1);

    SetTabOrder({SpinEdit1, SpinEdit2});
    SpinEdit1->setFocus();
    setDesignSize(QSize(394, 272));
    FormCreate();
}

bool EditDimensionValues(QWidget* parent, std::optional<int>& horizontal, std::optional<int>& vertical)
{
    TMassDialog dialog(parent);
    setLength(dialog.SpinEdit1, dialog.Label1, horizontal);
    setLength(dialog.SpinEdit2, dialog.Label2, vertical);
    if (!horizontal && vertical)
        dialog.SpinEdit2->setFocus();
    if (dialog.ShowModal() != 1)
        return false;
    if (horizontal)
        horizontal = dialog.SpinEdit1->Value();
    if (vertical)
        vertical = dialog.SpinEdit2->Value();
    return true;
}

} // namespace fenster
