#include "FensterEinstellungen.h"

#include "SpinEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace fenster {

namespace {

QGroupBox* designGroup(const QString& title, const QString& name, int height, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setMinimumHeight(height);
    return group;
}

TSpinEdit* designSpin(const QString& name, int minValue, int maxValue, QWidget* parent)
{
    auto* edit = new TSpinEdit(parent);
    edit->setObjectName(name);
    edit->setFont(DesignFont(QStringLiteral("Tahoma"), 17));
    edit->setRange(minValue, maxValue);
    edit->setMinimumSize(87, 31);
    return edit;
}

} // namespace

TForm_FensterEinstellungen::TForm_FensterEinstellungen(QWidget* parent)
    : TVANDLFORMMODAL(parent)
{
    setObjectName(QStringLiteral("Form_FensterEinstellungen"));
    setWindowTitle(QStringLiteral("Einstellungen"));
    QWidget* client = ClientArea();

    GroupBox1 = designGroup(QStringLiteral("Skalierungsfaktor  [mm je Pixel]"), QStringLiteral("GroupBox1"),
        62, client);
    SkalierungsfaktorEdit = designSpin(QStringLiteral("SkalierungsfaktorEdit"), 1, 20, GroupBox1);
    auto* scale = new QVBoxLayout(GroupBox1);
    scale->setContentsMargins(17, 6, 17, 6);
    scale->addWidget(SkalierungsfaktorEdit, 0, Qt::AlignLeft);

    // The margins and the language are not edited here; the groups exist so
    // that their texts are in the language file.
    GroupBox2 = designGroup(QStringLiteral("Zeichenränder"), QStringLiteral("GroupBox2"), 82, client);
    Label2 = new QLabel(QStringLiteral("Linker Rand [mm]:"), GroupBox2);
    Label2->setObjectName(QStringLiteral("Label2"));
    LinkerRand = designSpin(QStringLiteral("LinkerRand"), 1, 500, GroupBox2);
    Label3 = new QLabel(QStringLiteral("Unterer Rand [mm]:"), GroupBox2);
    Label3->setObjectName(QStringLiteral("Label3"));
    RechterRand = designSpin(QStringLiteral("RechterRand"), 1, 500, GroupBox2);
    auto* margins = new QGridLayout(GroupBox2);
    margins->addWidget(Label2, 0, 0);
    margins->addWidget(LinkerRand, 0, 1);
    margins->addWidget(Label3, 1, 0);
    margins->addWidget(RechterRand, 1, 1);
    GroupBox2->setVisible(false);

    GroupBox3 = designGroup(QStringLiteral("Sprache"), QStringLiteral("GroupBox3"), 61, client);
    ComboBox1 = new QComboBox(GroupBox3);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setFont(DesignFont(QStringLiteral("Tahoma"), 17));
    ComboBox1->setPlaceholderText(QStringLiteral("ComboBox1"));
    auto* language = new QVBoxLayout(GroupBox3);
    language->addWidget(ComboBox1);
    GroupBox3->setVisible(false);

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->setSpacing(6);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox3);
    layout->addStretch(1);

    SetTabOrder({SkalierungsfaktorEdit, LinkerRand, RechterRand, ComboBox1});
    SkalierungsfaktorEdit->setFocus();
    setDesignSize(QSize(394, 292));
    FormCreate();
}

bool EditScaleFactor(QWidget* parent, int& skalierung)
{
    TForm_FensterEinstellungen dialog(parent);
    dialog.SkalierungsfaktorEdit->setValue(skalierung);
    if (dialog.ShowModal() != 1)
        return false;
    skalierung = dialog.SkalierungsfaktorEdit->Value();
    return true;
}

} // namespace fenster
