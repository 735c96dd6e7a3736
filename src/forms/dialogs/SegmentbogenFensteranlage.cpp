#include "SegmentbogenFensteranlage.h"

#include "SpinEdit.h"

#include <QGridLayout>
#include <QLabel>

namespace fenster {

namespace {

QLabel* designLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(DesignFont(QStringLiteral("Arial"), 12));
    return label;
}

TSpinEdit* heightEdit(const QString& name, QWidget* parent)
{
    auto* edit = new TSpinEdit(parent); // no range limit
    edit->setObjectName(name);
    edit->setFont(DesignFont(QStringLiteral("Arial"), 17));
    edit->setMinimumSize(90, 29);
    return edit;
}

} // namespace

TFORM_SegmentbogenFensteranlage::TFORM_SegmentbogenFensteranlage(QWidget* parent)
    : TVANDLFORMMODAL(parent)
{
    setObjectName(QStringLiteral("FORM_SegmentbogenFensteranlage"));
    setWindowTitle(QStringLiteral("Segmentbogen Fensteranlage"));

    QWidget* client = ClientArea();
    Label1 = designLabel(QStringLiteral("Höhe links [mm]"), QStringLiteral("Label1"), client);
    links = heightEdit(QStringLiteral("links"), client);
    Label2 = designLabel(QStringLiteral("Höhe mitte [mm]"), QStringLiteral("Label2"), client);
    mitte = heightEdit(QStringLiteral("mitte"), client);
    Label3 = designLabel(QStringLiteral("Höhe rechts [mm]"), QStringLiteral("Label3"), client);
    rechts = heightEdit(QStringLiteral("rechts"), client);
    Label4 = designLabel(QStringLiteral("Gesamtbreite [mm]"), QStringLiteral("Label4"), client);
    Breite = heightEdit(QStringLiteral("Breite"), client);
    Breite->setReadOnly(true);

    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(24, 34, 24, 12);
    grid->setHorizontalSpacing(30);
    grid->setVerticalSpacing(6);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(Label3, 0, 2);
    grid->addWidget(links, 1, 0);
    grid->addWidget(mitte, 1, 1);
    grid->addWidget(rechts, 1, 2);
    grid->setRowMinimumHeight(2, 90);
    grid->addWidget(Label4, 3, 1);
    grid->addWidget(Breite, 4, 1);
    grid->setRowStretch(5, 1);

    SetTabOrder({links, mitte, rechts, Breite});
    links->setFocus();
    setDesignSize(QSize(420, 349));
    FormCreate();
}

bool EditSegmentArch(QWidget* parent, int& left, int& middle, int& right, int& width)
{
    TFORM_SegmentbogenFensteranlage dialog(parent);
    dialog.links->setValue(left);
    dialog.mitte->setValue(middle);
    dialog.rechts->setValue(right);
    dialog.Breite->setValue(width);
    if (dialog.ShowModal() != 1)
        return false;
    left = dialog.links->Value();
    middle = dialog.mitte->Value();
    right = dialog.rechts->Value();
    width = dialog.Breite->Value();
    return true;
}

} // namespace fenster
