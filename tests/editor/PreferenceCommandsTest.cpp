#include "PreferenceCommands.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "EditorTestApp.h"

#include "Engine.h"
#include "PictureLoader.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

// A store in memory.
class MemoryStore : public PreferenceStore {
public:
    std::optional<PreferenceValues> read() override { return values; }
    bool write(const PreferenceValues& written) override
    {
        PreferenceValues all = values.value_or(PreferenceValues {});
        for (const auto& [name, value] : written)
            all[name] = value;
        values = all;
        return true;
    }
    std::optional<PreferenceValues> values;
};

// The commands with dialogs the test answers; each dialog records what it
// was started with.
class PreferenceCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        Settings() = DrawingSettings {};
        PreferenceCommands::Dialogs dialogs;
        dialogs.chooseFont = [this](const QFont& current) {
            fontShown = current;
            return fontAnswer;
        };
        dialogs.chooseColour = [this](const QColor& start) {
            colourShown = start;
            return colourAnswer;
        };
        dialogs.editBarWidths = [this](int& rahmenBreite, int& sprossen, int& sprossenV) {
            ++barDialogs;
            if (!barAnswer)
                return false;
            rahmenBreite = (*barAnswer)[0];
            sprossen = (*barAnswer)[1];
            sprossenV = (*barAnswer)[2];
            return true;
        };
        dialogs.editScaleFactor = [this](int& skalierung) {
            scaleShown = skalierung;
            if (!scaleAnswer)
                return false;
            skalierung = *scaleAnswer;
            return true;
        };
        commands = std::make_unique<PreferenceCommands>(document, area, store, std::move(dialogs));
        commands->setPanelUpdating([this] { return panelUpdating; });
        commands->Einstellungenneuladen1Click();
    }
    void TearDown() override { Settings() = DrawingSettings {}; }

    EditorDocument document;
    PictureFiles pictures;
    DrawingArea area { document, pictures };
    std::shared_ptr<MemoryStore> store = std::make_shared<MemoryStore>();
    std::unique_ptr<PreferenceCommands> commands;
    bool panelUpdating = false;
    QFont fontShown;
    std::optional<QFont> fontAnswer;
    QColor colourShown;
    std::optional<QColor> colourAnswer;
    int barDialogs = 0;
    std::optional<std::array<int, 3>> barAnswer;
    int scaleShown = 0;
    std::optional<int> scaleAnswer;
};

TEST_F(PreferenceCommandsTest, OutlineWidthCommands)
{
    using Command = void (PreferenceCommands::*)();
    struct Case {
        const char* name;
        int before;
        Command command;
        int after;
    };
    const Case cases[] = {
        { "plus", 3, &PreferenceCommands::RandlinienstaerkePlus1Click, 4 },
        { "plus beyond the standard", 40, &PreferenceCommands::RandlinienstaerkePlus1Click, 41 },
        { "plus at what the store takes back", kRahmenBounds.maximum, &PreferenceCommands::RandlinienstaerkePlus1Click,
            kRahmenBounds.maximum },
        { "minus", 3, &PreferenceCommands::RandlinienstaerkeMinus1Click, 2 },
        { "minus at 1 keeps 1", 1, &PreferenceCommands::RandlinienstaerkeMinus1Click, 1 },
        { "standard", 9, &PreferenceCommands::RandlinienstaerkeStandard1Click, 3 },
    };
    QSignalSpy repaints(commands.get(), &PreferenceCommands::repaintDrawing);
    for (const Case& c : cases) {
        Settings().Rahmen = c.before;
        repaints.clear();
        (commands.get()->*c.command)();
        EXPECT_EQ(Settings().Rahmen, c.after) << c.name;
        EXPECT_EQ(repaints.size(), 1) << c.name;
        EXPECT_EQ(commands->preferences().drawing.Rahmen, c.after) << c.name;
    }
}

TEST_F(PreferenceCommandsTest, FontOfAtLeastEightPoints)
{
    struct Case {
        const char* name;
        std::optional<int> chosenPoints; // nullopt: cancelled
        int points;
        int repaints;
    };
    const Case cases[] = {
        { "six points become eight", 6, 8, 1 },
        { "twelve stay", 12, 12, 1 },
        { "cancelled", std::nullopt, 12, 0 },
    };
    QSignalSpy repaints(commands.get(), &PreferenceCommands::repaintDrawing);
    for (const Case& c : cases) {
        repaints.clear();
        fontAnswer.reset();
        if (c.chosenPoints) {
            QFont font(QStringLiteral("Liberation Serif"));
            font.setPointSize(*c.chosenPoints);
            fontAnswer = font;
        }
        const QFont before = area.options().font;
        commands->Schrift1Click();
        EXPECT_EQ(fontShown, before) << c.name << ": the dialog starts with the drawing font";
        EXPECT_EQ(area.options().font.pointSize(), c.points) << c.name;
        EXPECT_EQ(repaints.size(), c.repaints) << c.name;
    }
    EXPECT_EQ(commands->preferences().fontName, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(commands->preferences().fontSize, 12);
}

TEST_F(PreferenceCommandsTest, ColourDialogStartsWithTheLastChosenColour)
{
    commands->Zeichenfarbe1Click();
    EXPECT_EQ(colourShown, QColor(Qt::black)) << "black at first";
    EXPECT_EQ(Settings().Color, kBlack) << "cancelled";

    colourAnswer = QColor(0, 0, 255);
    commands->Zeichenfarbe1Click();
    EXPECT_EQ(Settings().Color, kBlue);
    EXPECT_EQ(commands->preferences().drawing.Color.colorRef(), 0xff0000) << "red in the low byte";

    // Reset changes the drawing colour, not what the dialog remembers.
    commands->Rcksetzen1Click();
    EXPECT_EQ(Settings().Color, kBlack);
    colourAnswer.reset();
    commands->Zeichenfarbe1Click();
    EXPECT_EQ(colourShown, QColor(0, 0, 255));
    EXPECT_EQ(Settings().Color, kBlack);
}

TEST_F(PreferenceCommandsTest, BarWidthsOnlyOutsideThePanelRefresh)
{
    QSignalSpy changes(&document, &EditorDocument::changed);
    panelUpdating = true;
    barAnswer = std::array<int, 3> { 70, 20, 30 };
    commands->RahmenSprossenbreite1Click();
    EXPECT_EQ(barDialogs, 0);
    EXPECT_EQ(changes.size(), 0);
    EXPECT_EQ(Settings().RahmenBreite, 50);

    panelUpdating = false;
    commands->RahmenSprossenbreite1Click();
    EXPECT_EQ(barDialogs, 1);
    EXPECT_EQ(changes.size(), 1) << "the round trip";
    EXPECT_EQ(Settings().RahmenBreite, 70);
    EXPECT_EQ(Settings().Sprossen, 20);
    EXPECT_EQ(Settings().SprossenV, 30);

    barAnswer.reset();
    commands->RahmenSprossenbreite1Click();
    EXPECT_EQ(Settings().RahmenBreite, 70) << "cancelled";
    EXPECT_EQ(changes.size(), 2);
}

TEST_F(PreferenceCommandsTest, ScaleFactorOnlyOnOk)
{
    document.setConstantScale(2.5);
    commands->Skalierungsfaktor1Click();
    EXPECT_EQ(scaleShown, 5);
    EXPECT_EQ(document.constantScale(), 2.5) << "cancelled";

    scaleAnswer = 7;
    commands->Skalierungsfaktor1Click();
    EXPECT_EQ(document.constantScale(), 7.0);
    EXPECT_EQ(commands->preferences().Skalierung, 7);

    commands->Rcksetzen1Click();
    EXPECT_EQ(commands->preferences().Skalierung, 5);
    EXPECT_EQ(document.constantScale(), 7.0) << "resetting leaves the constant scale";
}

TEST_F(PreferenceCommandsTest, SaveReloadAndReset)
{
    Settings().Rahmen = 6;
    scaleAnswer = 4;
    commands->Skalierungsfaktor1Click();
    commands->Aktuelleeinstellungenspeichern1Click();
    ASSERT_TRUE(store->values);
    EXPECT_EQ(std::get<QString>(store->values->at(QStringLiteral("Rahmen"))), QStringLiteral("6"));
    EXPECT_EQ(std::get<qint32>(store->values->at(QStringLiteral("Skalierung"))), 4);

    commands->Rcksetzen1Click();
    EXPECT_EQ(Settings().Rahmen, 3);
    EXPECT_EQ(std::get<QString>(store->values->at(QStringLiteral("Rahmen"))), QStringLiteral("6")) << "nothing stored";
    commands->Einstellungenneuladen1Click();
    EXPECT_EQ(Settings().Rahmen, 6);
    EXPECT_EQ(commands->preferences().Skalierung, 4);
}

} // namespace
