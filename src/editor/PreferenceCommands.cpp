#include "PreferenceCommands.h"

#include "DrawingArea.h"
#include "EditorDocument.h"

#include "Dialogs.h"
#include "Engine.h"

#include <QColorDialog>
#include <QFontDialog>

#include <algorithm>

namespace fenster {

namespace {

constexpr int kMinimumFontPoints = kFontSizeBounds.minimum;

} // namespace

PreferenceCommands::Dialogs PreferenceCommands::standardDialogs(QWidget* parent)
{
    Dialogs dialogs;
    dialogs.chooseFont = [parent](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, current, parent, QString(), QFontDialog::DontUseNativeDialog);
        return ok ? std::optional<QFont>(font) : std::nullopt;
    };
    dialogs.chooseColour = [parent](const QColor& start) -> std::optional<QColor> {
        const QColor colour = QColorDialog::getColor(start, parent, QString(), QColorDialog::DontUseNativeDialog);
        return colour.isValid() ? std::optional<QColor>(colour) : std::nullopt;
    };
    dialogs.editBarWidths = [parent](int& rahmenBreite, int& sprossen, int& sprossenV) {
        return EditBarWidths(parent, rahmenBreite, sprossen, sprossenV);
    };
    dialogs.editScaleFactor = [parent](int& skalierung) { return EditScaleFactor(parent, skalierung); };
    return dialogs;
}

PreferenceCommands::PreferenceCommands(EditorDocument& document, DrawingArea& drawing,
    std::shared_ptr<PreferenceStore> store, Dialogs dialogs, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_drawing(drawing)
    , m_store(std::move(store))
    , m_dialogs(std::move(dialogs))
{
}

Preferences PreferenceCommands::preferences() const
{
    Preferences current = m_preferences;
    current.drawing = Settings();
    current.fontName = m_drawing.options().font.family();
    current.fontSize = m_drawing.options().font.pointSize();
    return current;
}

SheetChoice PreferenceCommands::sheetChoice() const
{
    return { m_preferences.ExportPapier, m_preferences.ExportQuer, m_preferences.ExportMassstab };
}

void PreferenceCommands::setSheetChoice(const SheetChoice& choice)
{
    m_preferences.ExportPapier = choice.papier;
    m_preferences.ExportQuer = choice.quer;
    m_preferences.ExportMassstab = choice.massstab;
}

void PreferenceCommands::apply(const Preferences& preferences)
{
    m_preferences = preferences;
    Settings() = preferences.drawing;
    // The style is no preference: a reset or a reload makes the font plain.
    QFont font(preferences.fontName);
    font.setPointSize(preferences.fontSize > 0 ? preferences.fontSize : kMinimumFontPoints);
    m_drawing.setDrawingFont(font);
}

void PreferenceCommands::Aktuelleeinstellungenspeichern1Click()
{
    SavePreferences(*m_store, preferences());
}

void PreferenceCommands::Einstellungenneuladen1Click()
{
    apply(LoadPreferences(*m_store));
    emit repaintDrawing();
}

void PreferenceCommands::Rcksetzen1Click()
{
    apply(ResetPreferences());
    emit repaintDrawing();
}

void PreferenceCommands::Schrift1Click()
{
    if (!m_dialogs.chooseFont)
        return;
    const std::optional<QFont> chosen = m_dialogs.chooseFont(m_drawing.options().font);
    if (!chosen)
        return;
    QFont font = *chosen;
    // A font given in pixels has no point size; it counts as too small.
    // Sizes beyond what the store takes back would be lost at the next start.
    font.setPointSize(std::clamp(font.pointSize(), kMinimumFontPoints, int(kFontSizeBounds.maximum)));
    m_drawing.setDrawingFont(font);
    emit repaintDrawing();
}

void PreferenceCommands::Zeichenfarbe1Click()
{
    if (!m_dialogs.chooseColour)
        return;
    const std::optional<QColor> chosen = m_dialogs.chooseColour(m_lastChosenColour);
    if (!chosen || !chosen->isValid())
        return;
    m_lastChosenColour = *chosen;
    const QColor rgb = chosen->toRgb();
    Settings().Color = Colour { std::uint8_t(rgb.red()), std::uint8_t(rgb.green()), std::uint8_t(rgb.blue()) };
    emit repaintDrawing();
}

void PreferenceCommands::RandlinienstaerkePlus1Click()
{
    // The store takes widths up to its maximum back; a wider outline would
    // fall back to the standard width at the next start.
    Settings().Rahmen = std::min(Settings().Rahmen + 1, int(kRahmenBounds.maximum));
    emit repaintDrawing();
}

void PreferenceCommands::RandlinienstaerkeMinus1Click()
{
    Settings().Rahmen = std::max(int(kRahmenBounds.minimum), Settings().Rahmen - 1);
    emit repaintDrawing();
}

void PreferenceCommands::RandlinienstaerkeStandard1Click()
{
    Settings().Rahmen = kRahmenBounds.defaultValue;
    emit repaintDrawing();
}

void PreferenceCommands::RahmenSprossenbreite1Click()
{
    if (m_panelUpdating && m_panelUpdating())
        return;
    m_document.SelectField();
    if (m_dialogs.editBarWidths) {
        DrawingSettings& settings = Settings();
        int rahmenBreite = settings.RahmenBreite;
        int sprossen = settings.Sprossen;
        int sprossenV = settings.SprossenV;
        if (m_dialogs.editBarWidths(rahmenBreite, sprossen, sprossenV)) {
            settings.RahmenBreite = rahmenBreite;
            settings.Sprossen = sprossen;
            settings.SprossenV = sprossenV;
        }
    }
    m_document.UpdateAll();
}

void PreferenceCommands::Skalierungsfaktor1Click()
{
    if (!m_dialogs.editScaleFactor)
        return;
    int skalierung = m_preferences.Skalierung;
    if (!m_dialogs.editScaleFactor(skalierung))
        return;
    m_preferences.Skalierung = skalierung;
    // Only the constant-scale outputs use it; nothing on the screen changes.
    m_document.setConstantScale(skalierung);
}

} // namespace fenster
