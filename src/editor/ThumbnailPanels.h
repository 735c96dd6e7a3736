#pragma once

#include "Presets.h"

#include <QFont>
#include <QImage>
#include <QObject>

#include <optional>
#include <vector>

class QFrame;

namespace fenster {

class TVandlBasicImage;

// The picture of one preset thumbnail: its description drawn by the engine
// into a white bitmap of the panel's bitmap size, with the panel's left and
// bottom margins, fitted, without edge dimensions or annotations, then cut
// to its content with AutoCrop(240, 4). The caller sets the engine up for
// thumbnails (see ThumbnailDrawingScope).
QImage DrawThumbnailPicture(const Thumbnail& thumbnail, const QFont& font);

// The engine's state while the thumbnails are drawn: outline width 2 and no
// selection highlight. Afterwards the outline width is restored and the
// highlight switched on again.
class ThumbnailDrawingScope {
public:
    ThumbnailDrawingScope();
    ~ThumbnailDrawingScope();
    ThumbnailDrawingScope(const ThumbnailDrawingScope&) = delete;
    ThumbnailDrawingScope& operator=(const ThumbnailDrawingScope&) = delete;

private:
    int m_outlineWidth;
};

// The two preset thumbnail panels of the main window: seven window
// thumbnails in the window panel, four door thumbnails in the door panel,
// each showing its fixed description and running its preset when clicked
// (double-clicked for the empty field). The panels are filled once by
// build(), keep their thumbnails stacked from the top and resize them with
// the panel's height; both are shown and hidden together.
class ThumbnailPanels : public QObject {
    Q_OBJECT
public:
    // The frames belong to the main window; they get a top-aligned layout.
    ThumbnailPanels(QFrame& windowPanel, QFrame& doorPanel, QObject* parent = nullptr);

    // Draws the eleven pictures into their controls and sets both panels
    // 155 pixels wide. Only the first call does anything.
    void build(const QFont& font);
    bool built() const { return !m_thumbnails.empty(); }

    void setPanelsVisible(bool visible);

    // The thumbnail controls in the order of the thumbnail table (the
    // window panel's seven, then the door panel's four); empty before build.
    const std::vector<TVandlBasicImage*>& thumbnails() const { return m_thumbnails; }

    // The preset of the first thumbnail whose picture is pixel for pixel
    // picture, as a dropped thumbnail brings it; none for any other picture.
    std::optional<PresetId> presetForPicture(const QImage& picture) const;

signals:
    // A thumbnail asked for its preset on the selected field.
    void presetChosen(PresetId preset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void resizeThumbnails(ThumbnailPanel panel);
    QFrame& frame(ThumbnailPanel panel) const;

    QFrame& m_windowPanel;
    QFrame& m_doorPanel;
    std::vector<TVandlBasicImage*> m_thumbnails;
};

} // namespace fenster
