#include "ThumbnailPanels.h"

#include "Engine.h"
#include "QtCanvas.h"
#include "Raster.h"
#include "Translator.h"
#include "VandlBasicImage.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QVBoxLayout>

namespace fenster {

namespace {

// Space around the stacked thumbnails inside their panel.
constexpr int kPanelMargin = 2;

} // namespace

QImage DrawThumbnailPicture(const Thumbnail& thumbnail, const QFont& font)
{
    const ThumbnailPanelLayout& layout = Layout(thumbnail.panel);
    QImage bitmap(layout.bitmapSide, layout.bitmapSide, QImage::Format_ARGB32);
    bitmap.fill(Qt::white);
    {
        QPainter painter(&bitmap);
        painter.setFont(font);
        QtCanvas canvas(painter);
        canvas.setFont(font);
        DrawWindow(canvas, layout.drawMargin, layout.drawMargin, bitmap.width(), bitmap.height(),
            thumbnail.description, EdgeDimensions::Off, 0, 0, 0.0);
        canvas.finish();
    }
    return AutoCrop(bitmap, kThumbnailCropThreshold, kThumbnailCropMargin);
}

ThumbnailDrawingScope::ThumbnailDrawingScope()
    : m_outlineWidth(Settings().Rahmen)
{
    Settings().Rahmen = kThumbnailOutlineWidth;
    Engine().HighlightSelection = false;
}

ThumbnailDrawingScope::~ThumbnailDrawingScope()
{
    Settings().Rahmen = m_outlineWidth;
    Engine().HighlightSelection = true;
}

ThumbnailPanels::ThumbnailPanels(QFrame& windowPanel, QFrame& doorPanel, QObject* parent)
    : QObject(parent)
    , m_windowPanel(windowPanel)
    , m_doorPanel(doorPanel)
{
    for (QFrame* panel : { &m_windowPanel, &m_doorPanel }) {
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(kPanelMargin, kPanelMargin, kPanelMargin, kPanelMargin);
        layout->setSpacing(kPanelMargin);
        layout->setAlignment(Qt::AlignTop);
        panel->installEventFilter(this);
    }
}

QFrame& ThumbnailPanels::frame(ThumbnailPanel panel) const
{
    return panel == ThumbnailPanel::Windows ? m_windowPanel : m_doorPanel;
}

void ThumbnailPanels::build(const QFont& font)
{
    if (built())
        return;
    const ThumbnailDrawingScope scope;
    for (const Thumbnail& thumbnail : Thumbnails()) {
        const ThumbnailPanelLayout& layout = Layout(thumbnail.panel);
        QFrame& panel = frame(thumbnail.panel);
        auto* image = new TVandlBasicImage(&panel);
        const PresetId preset = thumbnail.preset;
        image->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(layout.objectName)).arg(thumbnail.position));
        image->setAccessibleName(TranslateText(QString::fromUtf8(Preset(preset).caption)));
        image->setAccessibleDescription(QString::fromLatin1(thumbnail.description));
        image->resize(layout.controlSide, layout.controlSide);
        image->setBitmap(DrawThumbnailPicture(thumbnail, font));
        image->setFixedHeight(layout.controlHeight);
        if (thumbnail.trigger == ThumbnailTrigger::Click)
            connect(image, &TVandlBasicImage::clicked, this, [this, preset] { emit presetChosen(preset); });
        else
            connect(image, &TVandlBasicImage::doubleClicked, this, [this, preset] { emit presetChosen(preset); });
        panel.layout()->addWidget(image);
        m_thumbnails.push_back(image);
    }
    m_windowPanel.setFixedWidth(kThumbnailPanelWidth);
    m_doorPanel.setFixedWidth(kThumbnailPanelWidth);
}

void ThumbnailPanels::setPanelsVisible(bool visible)
{
    m_windowPanel.setVisible(visible);
    m_doorPanel.setVisible(visible);
}

std::optional<PresetId> ThumbnailPanels::presetForPicture(const QImage& picture) const
{
    if (picture.isNull())
        return std::nullopt;
    const RasterImage dropped = FromQImage(picture);
    const auto thumbnails = Thumbnails();
    for (std::size_t i = 0; i < m_thumbnails.size() && i < thumbnails.size(); ++i) {
        if (BitmapsEqual(FromQImage(m_thumbnails[i]->bitmap()), dropped))
            return thumbnails[i].preset;
    }
    return std::nullopt;
}

bool ThumbnailPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && built()) {
        if (watched == &m_windowPanel)
            resizeThumbnails(ThumbnailPanel::Windows);
        else if (watched == &m_doorPanel)
            resizeThumbnails(ThumbnailPanel::Doors);
    }
    return QObject::eventFilter(watched, event);
}

void ThumbnailPanels::resizeThumbnails(ThumbnailPanel panel)
{
    const int height = ThumbnailHeight(panel, frame(panel).height());
    const auto thumbnails = Thumbnails();
    for (std::size_t i = 0; i < m_thumbnails.size(); ++i) {
        if (thumbnails[i].panel == panel)
            m_thumbnails[i]->setFixedHeight(height);
    }
}

} // namespace fenster
