// The main window's panels: the property panel's place, the drawing area
// between the two preset columns, the host bar and the status bar.

#include "Fenstereditor.h"

#include "DrawingArea.h"
#include "PropertyPanel.h"

#include "PictureLoader.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace fenster {

namespace {

constexpr int kHostBarHeight = 44;

} // namespace

void TFenstereditor::createPanels()
{
    m_rootLayout = new QVBoxLayout(this);
    m_rootLayout->setContentsMargins(0, 0, 0, 0);
    m_rootLayout->setSpacing(0);
    m_rootLayout->setMenuBar(m_mainMenu);

    auto* centre = new QHBoxLayout;
    centre->setContentsMargins(0, 0, 0, 0);
    centre->setSpacing(0);

    m_panel = new PropertyPanel(*m_document, this);
    PanelEdit = m_panel;

    PanelTuerImages = new QFrame(this);
    PanelTuerImages->setObjectName(QStringLiteral("PanelTuerImages"));
    PanelTuerImages->setFixedWidth(90);
    PanelTuerImages->hide();

    PanelPaintbox = new QFrame(this);
    PanelPaintbox->setObjectName(QStringLiteral("PanelPaintbox"));
    PanelPaintbox->setAutoFillBackground(true);
    auto* paintLayout = new QVBoxLayout(PanelPaintbox);
    paintLayout->setContentsMargins(0, 0, 0, 0);
    PaintBox1 = new DrawingArea(*m_document, *m_pictures, PanelPaintbox);
    paintLayout->addWidget(PaintBox1);

    PanelFensterImages = new QFrame(this);
    PanelFensterImages->setObjectName(QStringLiteral("PanelFensterImages"));
    PanelFensterImages->setFixedWidth(90);
    PanelFensterImages->hide();

    centre->addWidget(PanelEdit);
    centre->addWidget(PanelTuerImages);
    centre->addWidget(PanelPaintbox, 1);
    centre->addWidget(PanelFensterImages);
    m_rootLayout->addLayout(centre, 1);

    // The host bar: fixed button places, so that a host's scripts find them.
    Panel4 = new QFrame(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedHeight(kHostBarHeight);
    auto* hostLayout = new QHBoxLayout(Panel4);
    hostLayout->setContentsMargins(8, 8, 8, 8);
    hostLayout->setSpacing(6);
    const auto button = [this](const char* objectName, const char* caption, QStyle::StandardPixmap glyph) {
        auto* b = new QPushButton(style()->standardIcon(glyph), QString::fromUtf8(caption), Panel4);
        b->setObjectName(QLatin1String(objectName));
        b->setFixedSize(90, 28);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = button("BitBtn1", "OK", QStyle::SP_DialogOkButton);
    FensterEntfernen = button("FensterEntfernen", "Entfernen", QStyle::SP_DialogNoButton);
    BitBtn2 = button("BitBtn2", "Abbrechen", QStyle::SP_DialogCancelButton);
    hostLayout->addWidget(BitBtn1);
    hostLayout->addWidget(FensterEntfernen);
    hostLayout->addStretch(1);
    hostLayout->addWidget(BitBtn2);
    Panel4->hide();
    m_rootLayout->addWidget(Panel4);

}

void TFenstereditor::createStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(20);
    statusPosition = new QLabel(StatusBar1);
    statusPosition->setObjectName(QStringLiteral("statusPosition"));
    statusPosition->setAccessibleName(QStringLiteral("Position"));
    statusPosition->setFixedWidth(350);
    statusPrompt = new QLabel(StatusBar1);
    statusPrompt->setObjectName(QStringLiteral("statusPrompt"));
    statusPrompt->setAccessibleName(QStringLiteral("Modus"));
    statusPrompt->setFixedWidth(200);
    StatusBar1->addWidget(statusPosition);
    StatusBar1->addWidget(statusPrompt);
    m_rootLayout->addWidget(StatusBar1);
}

} // namespace fenster
