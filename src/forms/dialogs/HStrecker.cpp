#include "HStrecker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace fenster {

namespace {

QLabel* designLabel(const QString& text, const QString& name, const QFont& font, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    return label;
}

QLineEdit* sizeEdit(const QString& name, int width, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFont(DesignFont(QStringLiteral("Arial"), 17));
    edit->setMinimumSize(width, 27);
    return edit;
}

} // namespace

THStrecker::THStrecker(int width, int height, QWidget* parent)
    : TVANDLFORMMODAL(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("HStrecker"));
    setWindowTitle(QStringLiteral("Fenstermaße ändern"));
    setFont(DesignFont(QStringLiteral("Arial"), 13));
    // The button face colour of the design; the theme replaces it on show.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);

    QWidget* client = ClientArea();
    const QFont small = DesignFont(QStringLiteral("Arial"), 12);
    Label1 = designLabel(QStringLiteral("alte Fenstermaße [B mm x H mm] : "), QStringLiteral("Label1"),
        small, client);
    // Height first, as the window size is shown everywhere else.
    Label2 = designLabel(QString::number(height) + QStringLiteral(" x ") + QString::number(width),
        QStringLiteral("Label2"), DesignFont(QStringLiteral("Arial"), 17, QFont::Bold), client);
    Label3 = designLabel(QStringLiteral("neue Fenstermaße [B mm x H mm] : "), QStringLiteral("Label3"),
        small, client);
    Edit2 = sizeEdit(QStringLiteral("Edit2"), 90, client);
    Edit2->setText(QString::number(width));
    Edit2->setAccessibleName(QStringLiteral("neue Breite [mm]"));
    Label4 = designLabel(QStringLiteral("X"), QStringLiteral("Label4"),
        DesignFont(QStringLiteral("MS Sans Serif"), 16), client);
    Edit1 = sizeEdit(QStringLiteral("Edit1"), 89, client);
    Edit1->setText(QString::number(height));
    Edit1->setAccessibleName(QStringLiteral("neue Höhe [mm]"));

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 3, 8, 8);
    layout->setSpacing(3);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addSpacing(14);
    layout->addWidget(Label3);
    auto* edits = new QHBoxLayout;
    edits->setSpacing(6);
    edits->addWidget(Edit2);
    edits->addWidget(Label4);
    edits->addWidget(Edit1);
    edits->addStretch(1);
    layout->addLayout(edits);
    layout->addStretch(1);

    SetTabOrder({Edit2, Edit1});
    Edit2->setFocus();
    setDesignSize(QSize(394, 272));
    // This dialog replaces the creation handler without calling it: it is
    // neither translated nor fitted to the screen, only sized to its contents.
    AdjustToContents();
}

bool EditWindowSize(QWidget* parent, int width, int height, QString& newWidthText, QString& newHeightText)
{
    THStrecker dialog(width, height, parent);
    if (dialog.ShowModal() != 1)
        return false;
    newWidthText = dialog.Edit2->text();
    newHeightText = dialog.Edit1->text();
    return true;
}

} // namespace fenster
