#include "Presets.h"

#include "Description.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace fenster {
namespace {

std::unique_ptr<TFenster> Read(const std::string& text)
{
    ReadResult result = ReadDescription(text);
    EXPECT_TRUE(result.ok()) << text << ": " << result.error.value_or("");
    return std::move(result.model);
}

// The editor's round trip after a preset: write the description, build the
// model again from it.
std::string RoundTrip(std::unique_ptr<TFenster>& window, int row, int field)
{
    const std::string text = WriteDescription(*window, row, field);
    window = Read(text);
    return WriteDescription(*window, row, field);
}

const TFensterlement& FieldAt(TFenster& window, int row, int field)
{
    PositionCursors(window, row, field);
    return *window.CurrentRow()->CurrentField();
}

TEST(GlazingPresets, MenuTableHasTheTwelveEntriesInKeyOrder)
{
    const auto presets = GlazingPresets();
    ASSERT_EQ(presets.size(), 12u);
    const char* const captions[] = { "Kippflügel", "Rechts Drehflügel", "Links Drehflügel", "Rechts Dreh-Kippflügel",
        "Links Dreh-Kippflügel", "Festverglast", "Tür Drehkipp links", "Tür Drehkipp rechts", "Tür links", "Tür rechts",
        "Tür Kipp", "Leerfeld/Wand" };
    const char* const handlers[] = { "Kippflgel2Click", "RechtsDrehflgel1Click", "LinksDrehflgel1Click",
        "RechtsDrehKippflgel1Click", "LinksDrehKippflgel1Click", "Festverglast1Click", "rDrehkipplinks1Click",
        "rDrehkiprechts1Click", "rlinks1Click", "rrechts1Click", "rKipp1Click", "LeerfeldWand1Click" };
    const std::set<int> separatorsAfter { 1, 3, 5, 6, 8, 10, 11 };
    std::set<std::string> seenHandlers;
    for (std::size_t i = 0; i < presets.size(); ++i) {
        const GlazingPreset& preset = presets[i];
        const int key = int(i) + 1;
        SCOPED_TRACE(preset.caption);
        EXPECT_STREQ(preset.caption, captions[i]);
        EXPECT_EQ(std::string(preset.shortcut), "F" + std::to_string(key));
        EXPECT_STREQ(preset.handler, handlers[i]);
        EXPECT_EQ(preset.separatorAfter, separatorsAfter.count(key) == 1);
        EXPECT_EQ(&Preset(preset.id), &preset);
        seenHandlers.insert(preset.handler);
    }
    EXPECT_EQ(seenHandlers.size(), 12u);
}

// Every preset on a field that holds every value at once: the reset clears
// the opening flags (also those a fixed pane kept hidden), the mirroring,
// the shape measures and the base type; the roller-shutter box, the sill
// connection, the outward opening, the insect screen, the pleated blind, the
// muntins and the width stay.
TEST(GlazingPresets, EachPresetResetsTheFieldAndSetsItsOwnValues)
{
    const std::string busy = "1000,800,1,1000,1,800,L,R,K,S,Z,G,V,A,J,B,a,g,p,v:2,h:3,T:5,r:100,e:900,b:50;";
    const std::string kept = "J,B,a,g,p,v:2,h:3";
    struct Case {
        PresetId preset;
        std::string expected;
    } const cases[] = {
        { PresetId::Kippfluegel, "1000,800,1,1000,1,800,F,K,G," + kept + ";" },
        { PresetId::RechtsDrehfluegel, "1000,800,1,1000,1,800,R,F,G," + kept + ";" },
        { PresetId::LinksDrehfluegel, "1000,800,1,1000,1,800,L,F,G," + kept + ";" },
        { PresetId::RechtsDrehKippfluegel, "1000,800,1,1000,1,800,R,F,K,G," + kept + ";" },
        { PresetId::LinksDrehKippfluegel, "1000,800,1,1000,1,800,L,F,K,G," + kept + ";" },
        { PresetId::Festverglast, "1000,800,1,1000,1,800,V," + kept + ";" },
        { PresetId::TuerDrehkippLinks, "2000,800,1,1000,1,800,L,F,K,G," + kept + ",e:2000;" },
        { PresetId::TuerDrehkippRechts, "2000,800,1,1000,1,800,R,F,K,G," + kept + ",e:2000;" },
        { PresetId::TuerLinks, "2000,800,1,1000,1,800,L,F,G," + kept + ",e:2000;" },
        { PresetId::TuerRechts, "2000,800,1,1000,1,800,R,F,G," + kept + ",e:2000;" },
        { PresetId::TuerKipp, "2000,800,1,1000,1,800,F,K,G," + kept + ",e:2000;" },
        { PresetId::LeerfeldWand, "1000,800,1,1000,1,800," + kept + ",T:10;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Preset(c.preset).caption);
        auto window = Read(busy);
        ASSERT_TRUE(ApplyPreset(*window, 1, 1, c.preset));
        EXPECT_EQ(WriteDescription(*window, 1, 1), c.expected);
        // The text carries everything the preset set: reading it back and
        // writing it again gives the same text.
        EXPECT_EQ(RoundTrip(window, 1, 1), c.expected);
    }
}

TEST(GlazingPresets, RightTurnOnATiltingFixedPaneGivesAPlainRightHingedSash)
{
    auto window = Read("1000,500,1,1000,1,500,K,V,T:3,r:200,e:800,b:100;");
    ASSERT_TRUE(window->bottomRow()->leftmostField()->tiltable());
    ASSERT_TRUE(ApplyPreset(*window, 1, 1, PresetId::RechtsDrehfluegel));
    RoundTrip(window, 1, 1);
    const TFensterlement& field = FieldAt(*window, 1, 1);
    EXPECT_FALSE(field.fixedGlazing());
    EXPECT_TRUE(field.rightHinged());
    EXPECT_TRUE(field.handle());
    EXPECT_FALSE(field.tiltable());
    EXPECT_FALSE(field.leftHinged());
    EXPECT_EQ(field.baseType(), BaseRechteck);
    EXPECT_EQ(field.extraHeight(), 0);
    EXPECT_EQ(field.height1(), 0);
    EXPECT_EQ(field.height2(), 0);
}

// F6 and F12 keep a pane fixed, respectively a field empty, when it already
// was; and a second press changes nothing.
TEST(GlazingPresets, FixedAndEmptyPresetsAreIdempotent)
{
    struct Case {
        const char* name;
        std::string start;
        PresetId preset;
        std::string expected;
    } const cases[] = {
        { "fixed pane stays fixed", "1000,500,1,1000,1,500,V;", PresetId::Festverglast, "1000,500,1,1000,1,500,V;" },
        { "sash becomes fixed", "1000,500,1,1000,1,500,L,F,K,G;", PresetId::Festverglast,
            "1000,500,1,1000,1,500,V;" },
        { "empty field stays empty", "1000,500,1,1000,1,500,T:10;", PresetId::LeerfeldWand,
            "1000,500,1,1000,1,500,T:10;" },
        { "fixed empty field becomes a plain empty field", "1000,500,1,1000,1,500,V,T:10;", PresetId::LeerfeldWand,
            "1000,500,1,1000,1,500,T:10;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(c.start);
        for (int press = 1; press <= 2; ++press) {
            ASSERT_TRUE(ApplyPreset(*window, 1, 1, c.preset));
            EXPECT_EQ(RoundTrip(window, 1, 1), c.expected) << "press " << press;
        }
        EXPECT_EQ(FieldAt(*window, 1, 1).fixedGlazing(), c.preset == PresetId::Festverglast);
    }
}

TEST(GlazingPresets, DoorPresetReachesTwoMetresAsARectangle)
{
    auto window = Read("1000,1000,1,1000,2,500,F;500,V;");
    ASSERT_TRUE(ApplyPreset(*window, 1, 2, PresetId::TuerLinks));
    EXPECT_EQ(RoundTrip(window, 1, 2), "2000,1000,1,1000,2,500,F;500,L,F,G,e:2000;");
    EXPECT_EQ(window->height(), 2000);
    const TFensterlement& door = FieldAt(*window, 1, 2);
    EXPECT_EQ(door.baseType(), BaseRechteck);
    EXPECT_EQ(door.extraHeight(), 2000);
}

// The preset acts on the selected field only; selection 0 addresses the
// same as 1; a selection beyond the fields changes nothing.
TEST(GlazingPresets, PresetActsOnTheSelectedFieldOnly)
{
    const std::string start = "1200,1000,2,1000,2,500,F;500,F;200,1,1000,F,J;";
    struct Case {
        const char* name;
        int row;
        int field;
        bool applied;
        std::string expected;
    } const cases[] = {
        { "bottom right", 1, 2, true, "1200,1000,2,1000,2,500,F;500,F,K,G;200,1,1000,F,J;" },
        { "top row keeps its roller-shutter box", 2, 1, true, "1200,1000,2,1000,2,500,F;500,F;200,1,1000,F,K,G,J;" },
        { "selection 0 is the first field", 0, 0, true, "1200,1000,2,1000,2,500,F,K,G;500,F;200,1,1000,F,J;" },
        { "too large a row stops on the top row", 9, 1, true, "1200,1000,2,1000,2,500,F;500,F;200,1,1000,F,K,G,J;" },
        { "no such field", 1, 3, false, start },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto window = Read(start);
        EXPECT_EQ(ApplyPreset(*window, c.row, c.field, PresetId::Kippfluegel), c.applied);
        EXPECT_EQ(WriteDescription(*window, 1, 1), c.expected);
    }
}

// The round trip drops what the text cannot carry: the opening flags that
// another fixed pane kept hidden are gone afterwards.
TEST(GlazingPresets, RoundTripDropsFlagsHiddenInOtherFixedPanes)
{
    auto window = Read("1000,1000,1,1000,2,500,L,V;500,F;");
    ASSERT_TRUE(window->bottomRow()->leftmostField()->leftHinged());
    ASSERT_TRUE(ApplyPreset(*window, 1, 2, PresetId::Festverglast));
    RoundTrip(window, 1, 2);
    TFensterlement& other = *window->bottomRow()->leftmostField();
    other.setFixedGlazing(false);
    EXPECT_FALSE(other.leftHinged());
}

TEST(GlazingPresets, ResetFieldKeepsTheWidthAndTheFittings)
{
    TFensterlement field;
    field.setWidth(733);
    field.setSwinging(true);
    field.setSliding(true);
    field.setMirrored(true);
    field.setFixedGlazing(true);
    field.setRollerShutterBox(true);
    field.setVerticalMuntins(4);
    field.SetBaseType(BaseDreieck);
    ResetField(field);
    EXPECT_FALSE(field.fixedGlazing() || field.swinging() || field.sliding() || field.mirrored());
    EXPECT_EQ(field.baseType(), BaseRechteck);
    EXPECT_EQ(field.width(), 733);
    EXPECT_TRUE(field.rollerShutterBox());
    EXPECT_EQ(field.verticalMuntins(), 4);
}

TEST(PresetThumbnails, TableGivesEachPanelItsPicturesAndPresets)
{
    struct Expected {
        ThumbnailPanel panel;
        int position;
        PresetId preset;
        ThumbnailTrigger trigger;
    } const expected[] = {
        { ThumbnailPanel::Windows, 1, PresetId::Festverglast, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 2, PresetId::Festverglast, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 3, PresetId::LinksDrehfluegel, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 4, PresetId::RechtsDrehfluegel, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 5, PresetId::LinksDrehKippfluegel, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 6, PresetId::RechtsDrehKippfluegel, ThumbnailTrigger::Click },
        { ThumbnailPanel::Windows, 7, PresetId::LeerfeldWand, ThumbnailTrigger::DoubleClick },
        { ThumbnailPanel::Doors, 1, PresetId::TuerLinks, ThumbnailTrigger::Click },
        { ThumbnailPanel::Doors, 2, PresetId::TuerRechts, ThumbnailTrigger::Click },
        { ThumbnailPanel::Doors, 3, PresetId::TuerDrehkippLinks, ThumbnailTrigger::Click },
        { ThumbnailPanel::Doors, 4, PresetId::TuerDrehkippRechts, ThumbnailTrigger::Click },
    };
    const auto thumbnails = Thumbnails();
    ASSERT_EQ(thumbnails.size(), std::size(expected));
    for (std::size_t i = 0; i < thumbnails.size(); ++i) {
        const Thumbnail& t = thumbnails[i];
        SCOPED_TRACE(t.description);
        EXPECT_EQ(t.panel, expected[i].panel);
        EXPECT_EQ(t.position, expected[i].position);
        EXPECT_EQ(t.preset, expected[i].preset);
        EXPECT_EQ(t.trigger, expected[i].trigger);
        // Each picture is a window the writer gives back unchanged.
        auto window = Read(t.description);
        EXPECT_EQ(WriteDescription(*window, 1, 1), t.description);
        // Door pictures are doors 2000 mm high, window pictures 1000 mm.
        const bool door = t.panel == ThumbnailPanel::Doors;
        EXPECT_EQ(window->bottomRow()->leftmostField()->baseType(), door ? BaseTuer : BaseRechteck);
        EXPECT_EQ(window->height(), door ? 2000 : 1000);
    }
}

TEST(PresetThumbnails, PanelLayoutAndResizeRules)
{
    const ThumbnailPanelLayout& windows = Layout(ThumbnailPanel::Windows);
    EXPECT_STREQ(windows.objectName, "PanelFensterImages");
    EXPECT_EQ(windows.controlSide, 140);
    EXPECT_EQ(windows.bitmapSide, 140);
    EXPECT_EQ(windows.drawMargin, 20);
    EXPECT_EQ(windows.controlHeight, 82);
    const ThumbnailPanelLayout& doors = Layout(ThumbnailPanel::Doors);
    EXPECT_STREQ(doors.objectName, "PanelTuerImages");
    EXPECT_EQ(doors.controlSide, 200);
    EXPECT_EQ(doors.bitmapSide, 180);
    EXPECT_EQ(doors.drawMargin, 15);
    EXPECT_EQ(doors.controlHeight, 170);

    struct Case {
        ThumbnailPanel panel;
        int panelHeight;
        int thumbnailHeight;
    } const cases[] = {
        { ThumbnailPanel::Windows, 800, 100 },
        { ThumbnailPanel::Windows, 807, 100 },
        { ThumbnailPanel::Windows, 7, 0 },
        { ThumbnailPanel::Windows, -40, 0 },
        { ThumbnailPanel::Doors, 710, 170 },
        { ThumbnailPanel::Doors, 713, 170 },
        { ThumbnailPanel::Doors, 34, 1 },
        { ThumbnailPanel::Doors, 20, 0 },
        { ThumbnailPanel::Doors, 0, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ThumbnailHeight(c.panel, c.panelHeight), c.thumbnailHeight) << c.panelHeight;
}

} // namespace
} // namespace fenster
