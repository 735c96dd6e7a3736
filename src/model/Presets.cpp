#include "Presets.h"

#include "Measures.h"

#include <algorithm>
#include <array>

namespace fenster {

namespace {

// The door presets set no base type of their own: a "Rechteck" whose extra
// height of 2000 mm reaches 2000 mm above the window's bottom edge.
constexpr std::int32_t kDoorHeight = 2000;

// clang-format off
constexpr std::array<GlazingPreset, 12> kPresets { {
    // id                              caption                    key    handler                       sep.   left   right  tilt   handle fixed  e            type
    { PresetId::Kippfluegel,           "Kippflügel",              "F1",  "Kippflgel2Click",            true,  false, false, true,  true,  false, 0,           BaseRechteck },
    { PresetId::RechtsDrehfluegel,     "Rechts Drehflügel",       "F2",  "RechtsDrehflgel1Click",      false, false, true,  false, true,  false, 0,           BaseRechteck },
    { PresetId::LinksDrehfluegel,      "Links Drehflügel",        "F3",  "LinksDrehflgel1Click",       true,  true,  false, false, true,  false, 0,           BaseRechteck },
    { PresetId::RechtsDrehKippfluegel, "Rechts Dreh-Kippflügel",  "F4",  "RechtsDrehKippflgel1Click",  false, false, true,  true,  true,  false, 0,           BaseRechteck },
    { PresetId::LinksDrehKippfluegel,  "Links Dreh-Kippflügel",   "F5",  "LinksDrehKippflgel1Click",   true,  true,  false, true,  true,  false, 0,           BaseRechteck },
    { PresetId::Festverglast,          "Festverglast",            "F6",  "Festverglast1Click",         true,  false, false, false, false, true,  0,           BaseRechteck },
    { PresetId::TuerDrehkippLinks,     "Tür Drehkipp links",      "F7",  "rDrehkipplinks1Click",       false, true,  false, true,  true,  false, kDoorHeight, BaseRechteck },
    { PresetId::TuerDrehkippRechts,    "Tür Drehkipp rechts",     "F8",  "rDrehkiprechts1Click",       true,  false, true,  true,  true,  false, kDoorHeight, BaseRechteck },
    { PresetId::TuerLinks,             "Tür links",               "F9",  "rlinks1Click",               false, true,  false, false, true,  false, kDoorHeight, BaseRechteck },
    { PresetId::TuerRechts,            "Tür rechts",              "F10", "rrechts1Click",              true,  false, true,  false, true,  false, kDoorHeight, BaseRechteck },
    { PresetId::TuerKipp,              "Tür Kipp",                "F11", "rKipp1Click",                true,  false, false, true,  true,  false, kDoorHeight, BaseRechteck },
    { PresetId::LeerfeldWand,          "Leerfeld/Wand",           "F12", "LeerfeldWand1Click",         false, false, false, false, false, false, 0,           BaseLeerfeld },
} };

constexpr const char* kWindowSash = "1000,1000,1,1000,1,1000,F;";

constexpr std::array<Thumbnail, 11> kThumbnails { {
    { ThumbnailPanel::Windows, 1, "1000,1000,1,1000,1,1000,V;",                PresetId::Festverglast,          ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 2, kWindowSash,                                 PresetId::Festverglast,          ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 3, "1000,1000,1,1000,1,1000,L,F;",              PresetId::LinksDrehfluegel,      ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 4, "1000,1000,1,1000,1,1000,R,F;",              PresetId::RechtsDrehfluegel,     ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 5, "1000,1000,1,1000,1,1000,L,F,K;",            PresetId::LinksDrehKippfluegel,  ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 6, "1000,1000,1,1000,1,1000,R,F,K;",            PresetId::RechtsDrehKippfluegel, ThumbnailTrigger::Click },
    { ThumbnailPanel::Windows, 7, kWindowSash,                                 PresetId::LeerfeldWand,          ThumbnailTrigger::DoubleClick },
    { ThumbnailPanel::Doors,   1, "2000,1000,1,1000,1,1000,L,F,T:6,e:2000;",   PresetId::TuerLinks,             ThumbnailTrigger::Click },
    { ThumbnailPanel::Doors,   2, "2000,1000,1,1000,1,1000,R,F,T:6,e:2000;",   PresetId::TuerRechts,            ThumbnailTrigger::Click },
    { ThumbnailPanel::Doors,   3, "2000,1000,1,1000,1,1000,L,F,K,T:6,e:2000;", PresetId::TuerDrehkippLinks,     ThumbnailTrigger::Click },
    { ThumbnailPanel::Doors,   4, "2000,1000,1,1000,1,1000,R,F,K,T:6,e:2000;", PresetId::TuerDrehkippRechts,    ThumbnailTrigger::Click },
} };

constexpr ThumbnailPanelLayout kWindowPanel { ThumbnailPanel::Windows, "PanelFensterImages", 140, 140, 20, 82 };
constexpr ThumbnailPanelLayout kDoorPanel { ThumbnailPanel::Doors, "PanelTuerImages", 200, 180, 15, 170 };
// clang-format on

} // namespace

std::span<const GlazingPreset> GlazingPresets()
{
    return kPresets;
}

const GlazingPreset& Preset(PresetId id)
{
    // The table is in the order of the enumeration.
    return kPresets[std::size_t(id)];
}

void ResetField(TFensterlement& field)
{
    // A fixed pane ignores its opening setters; it becomes a sash first so
    // that the clearing below takes effect.
    field.setFixedGlazing(false);
    field.setRightHinged(false);
    field.setLeftHinged(false);
    field.setTiltable(false);
    field.setSwinging(false);
    field.setSliding(false);
    field.setHandle(false);
    field.setMirrored(false);
    field.setExtraHeight(0);
    field.setHeight2(0);
    field.setHeight1(0);
    field.SetBaseType(BaseRechteck);
}

bool ApplyPreset(TFenster& window, int selectedRow, int selectedField, PresetId id)
{
    PositionCursors(window, selectedRow, selectedField);
    TZeile* row = window.CurrentRow();
    TFensterlement* field = row ? row->CurrentField() : nullptr;
    if (!field)
        return false;
    const GlazingPreset& preset = Preset(id);
    ResetField(*field);
    // The opening flags go first: the field is a sash at this point, and a
    // fixed preset freezes them afterwards.
    field->setLeftHinged(preset.leftHinged);
    field->setRightHinged(preset.rightHinged);
    field->setTiltable(preset.tiltable);
    field->setHandle(preset.handle);
    field->setFixedGlazing(preset.fixedGlazing);
    field->setExtraHeight(preset.extraHeight);
    field->SetBaseType(preset.baseType);
    return true;
}

std::span<const Thumbnail> Thumbnails()
{
    return kThumbnails;
}

const ThumbnailPanelLayout& Layout(ThumbnailPanel panel)
{
    return panel == ThumbnailPanel::Windows ? kWindowPanel : kDoorPanel;
}

int ThumbnailHeight(ThumbnailPanel panel, int panelHeight)
{
    if (panelHeight <= 0)
        return 0;
    const int height = panel == ThumbnailPanel::Windows ? div(panelHeight, 8) : div(panelHeight - 30, 4);
    return std::max(height, 0);
}

} // namespace fenster
