#pragma once

#include "Engine.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <map>
#include <memory>
#include <optional>
#include <variant>

namespace fenster {

// One stored preference value. The store keeps the type with the value, so a
// number written as a string and a number written as a 32-bit integer stay
// distinguishable, as they are in the registry the values come from.
using PreferenceValue = std::variant<QString, qint32>;
using PreferenceValues = std::map<QString, PreferenceValue>;

// The per-user store of the editor's preferences.
class PreferenceStore {
public:
    virtual ~PreferenceStore() = default;

    // Every stored value, or nothing when the user has no stored preferences
    // yet. A store that exists but cannot be understood reads as empty.
    virtual std::optional<PreferenceValues> read() = 0;

    // Stores the given values, keeping any other values already stored.
    // False when the store cannot be written; the previous content then stays.
    virtual bool write(const PreferenceValues& values) = 0;
};

// The preferences as a JSON object in the file "Vandl/Fenster.json" of the
// user's configuration folder. JSON strings are string values, JSON numbers
// that are whole and within 32 bits are integer values; anything else under
// a name is a value of a type no preference has.
class JsonPreferenceStore : public PreferenceStore {
public:
    explicit JsonPreferenceStore(QString filePath);

    // The user's store: $FENSTER_CONFIG_DIR/Vandl/Fenster.json when that
    // variable is set (tests point it at a temporary folder), otherwise in
    // the user's configuration folder.
    static std::unique_ptr<JsonPreferenceStore> forCurrentUser();
    static QString defaultFilePath();

    const QString& filePath() const { return m_filePath; }

    std::optional<PreferenceValues> read() override;
    bool write(const PreferenceValues& values) override;

private:
    QString m_filePath;
};

// The values held by a store's JSON text, as JsonPreferenceStore reads its
// file; nothing when the text is not a JSON object.
std::optional<PreferenceValues> ParsePreferenceValues(const QByteArray& json);

// The user's drawing preferences. The five drawing settings are the engine's
// own; the others belong to the editor.
struct Preferences {
    DrawingSettings drawing;
    QString Sprache; // language name; empty means the system's language
    qint32 Skalierung = 5; // mm per pixel of the constant-scale outputs
    QString fontName = QStringLiteral("Arial");
    qint32 fontSize = 8; // points
    // The sheet of "Export als PDF/SVG…": paper "A4" or "A3", landscape
    // when ExportQuer, at 1:ExportMassstab.
    QString ExportPapier = QStringLiteral("A4");
    bool ExportQuer = false;
    qint32 ExportMassstab = 20;
};

// Each number preference's built-in value and the range the commands can set;
// a stored value outside its range falls back to the built-in value alone.
struct PreferenceBounds {
    qint32 defaultValue;
    qint32 minimum;
    qint32 maximum;
};
inline constexpr PreferenceBounds kColorBounds {0x000000, 0x000000, 0xFFFFFF};
inline constexpr PreferenceBounds kRahmenBounds {3, 1, 1000}; // outline, pixels
inline constexpr PreferenceBounds kRahmenBreiteBounds {50, 1, 1000}; // mm
inline constexpr PreferenceBounds kSprossenBounds {10, 1, 1000}; // mm
inline constexpr PreferenceBounds kSprossenVBounds {10, 1, 1000}; // mm
// Above 1000 mm per pixel a window is no longer a picture but a dot.
inline constexpr PreferenceBounds kSkalierungBounds {5, 1, 1000};
inline constexpr PreferenceBounds kFontSizeBounds {8, 8, 200}; // points
// The ratio N of the true-scale sheet, 1:N.
inline constexpr PreferenceBounds kExportMassstabBounds {20, 1, 10000};
inline constexpr PreferenceBounds kExportQuerBounds {0, 0, 1}; // 1: landscape

// The built-in values: Arial 8 points, black, outline 3 pixels, frame 50 mm,
// muntins 10 mm, scale 5 mm per pixel, no language name; the sheet A4
// portrait at 1:20.
Preferences ResetPreferences();

// The defaults, overlaid with every stored value that has the right name and
// type ("Color" and the four widths as strings holding a decimal integer,
// "Skalierung" and "FONTSIZE" as 32-bit integers, "Sprache" and "FONTNAME" as
// strings; "ExportPapier" a string "A4" or "A3", "ExportQuer" and
// "ExportMassstab" 32-bit integers). Each value falls back on its own; an
// empty font name keeps Arial.
Preferences LoadPreferences(PreferenceStore& store);

// Writes the nine drawing values and the three of the sheet with their types. False when the store could not
// be written; nothing is reported to the user.
bool SavePreferences(PreferenceStore& store, const Preferences& preferences);

} // namespace fenster
