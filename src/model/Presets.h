#pragma once

#include "Window.h"

#include <cstdint>
#include <span>

namespace fenster {

// The glazing presets of the menu "Standardverglasung" (F1 to F12) and the
// preset thumbnails beside the drawing. Each preset turns the selected field
// into a typical sash, fixed pane, door or empty field. Plain data and model
// functions; the menu, the thumbnail panels and the text round trip belong
// to the editor.

enum class PresetId {
    Kippfluegel,
    RechtsDrehfluegel,
    LinksDrehfluegel,
    RechtsDrehKippfluegel,
    LinksDrehKippfluegel,
    Festverglast,
    TuerDrehkippLinks,
    TuerDrehkippRechts,
    TuerLinks,
    TuerRechts,
    TuerKipp,
    LeerfeldWand,
};

// One preset: its menu entry and what it sets on a field after ResetField.
// Texts are UTF-8; the caption is the German text that the editor passes
// through the translator.
struct GlazingPreset {
    PresetId id;
    const char* caption;
    const char* shortcut; // key text, "F1" .. "F12"
    const char* handler; // the name of the menu item's click handler
    bool separatorAfter; // a menu separator follows this entry
    bool leftHinged;
    bool rightHinged;
    bool tiltable;
    bool handle;
    bool fixedGlazing;
    std::int32_t extraHeight; // mm; 0 leaves the reset value
    std::int32_t baseType; // a base type code
};

// The twelve presets in menu order, F1 first.
std::span<const GlazingPreset> GlazingPresets();
const GlazingPreset& Preset(PresetId id);

// The common first step of every preset: the field becomes a sash first, so
// that the opening flags can be cleared, then every opening flag, the
// mirroring and the three shape measures are cleared and the base type
// becomes "Rechteck". The roller-shutter box, the sill connection, the
// outward opening, the insect screen, the pleated blind, the muntin counts
// and the width keep their values.
void ResetField(TFensterlement& field);

// Positions the model on the selection (row and field counted from 1, 0
// addresses the same as 1), runs ResetField on that field and sets the
// preset's flags and values. Returns false, changing nothing, when the
// selection addresses no field. The caller then writes the description
// (WriteDescription) and evaluates it again (Auswerten1Click), so that the
// model holds only what the text carries.
bool ApplyPreset(TFenster& window, int selectedRow, int selectedField, PresetId id);

// The two thumbnail panels: seven window thumbnails at the main window's
// right edge, four door thumbnails left of the drawing area.
enum class ThumbnailPanel { Windows, Doors };

// Which mouse action on a thumbnail runs its preset.
enum class ThumbnailTrigger { Click, DoubleClick };

struct Thumbnail {
    ThumbnailPanel panel;
    int position; // 1-based, from the top of its panel
    const char* description; // the window description drawn as its picture
    PresetId preset;
    ThumbnailTrigger trigger;
};

// All eleven thumbnails: the window panel's seven, then the door panel's four,
// each panel in creation order.
std::span<const Thumbnail> Thumbnails();

// Sizes of a panel's thumbnails, in pixels.
struct ThumbnailPanelLayout {
    ThumbnailPanel panel;
    const char* objectName; // the panel's name in the main window
    int controlSide; // the control is created this wide and high
    int bitmapSide; // its bitmap is this wide and high
    int drawMargin; // left and bottom margin of the drawing in the bitmap
    int controlHeight; // the control's height once its picture is drawn
};

const ThumbnailPanelLayout& Layout(ThumbnailPanel panel);

// Drawing of the thumbnail pictures: outline pen width, and the threshold
// and margin of the crop to the drawn content.
inline constexpr int kThumbnailOutlineWidth = 2;
inline constexpr int kThumbnailCropThreshold = 240;
inline constexpr int kThumbnailCropMargin = 4;
// Both panels are this wide once they are filled.
inline constexpr int kThumbnailPanelWidth = 155;

// The height of each thumbnail when its panel is panelHeight pixels high:
// panel height div 8 for window thumbnails, (panel height - 30) div 4 for door
// thumbnails; never below 0.
int ThumbnailHeight(ThumbnailPanel panel, int panelHeight);

} // namespace fenster
