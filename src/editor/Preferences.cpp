#include "Preferences.h"

#include "IntegerText.h"
#include "DiskFiles.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStandardPaths>

#include <cmath>
#include <cstdio>

namespace fenster {

namespace {

constexpr qint64 kMaxStoreBytes = 1 << 20; // a store larger than this is not ours

std::optional<qint32> ToInt32(double number)
{
    if (!std::isfinite(number) || number != std::trunc(number) || number < double(INT32_MIN)
        || number > double(INT32_MAX))
        return std::nullopt;
    return qint32(number);
}

const QString* StringValue(const PreferenceValues& values, const QString& name)
{
    const auto it = values.find(name);
    if (it == values.end())
        return nullptr;
    return std::get_if<QString>(&it->second);
}

std::optional<qint32> IntegerValue(const PreferenceValues& values, const QString& name)
{
    const auto it = values.find(name);
    if (it == values.end())
        return std::nullopt;
    if (const qint32* value = std::get_if<qint32>(&it->second))
        return *value;
    return std::nullopt;
}

// A number stored as a string, as the drawing settings are.
void ReadNumberString(const PreferenceValues& values, const QString& name, const PreferenceBounds& bounds, int& setting)
{
    const QString* text = StringValue(values, name);
    if (!text)
        return;
    const QByteArray bytes = text->toLatin1();
    if (const auto value = StrictToInt(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        if (*value >= bounds.minimum && *value <= bounds.maximum)
            setting = *value;
}

void ReadInteger(const PreferenceValues& values, const QString& name, const PreferenceBounds& bounds, qint32& setting)
{
    if (const auto value = IntegerValue(values, name); value && *value >= bounds.minimum && *value <= bounds.maximum)
        setting = *value;
}

// The store's JSON object; nothing when the file is missing, an empty object
// when it is there but not ours to understand (damaged is then set).
std::optional<QJsonObject> ReadStoreObject(const QString& path, bool& damaged)
{
    damaged = false;
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return std::nullopt;
    try {
        const QJsonDocument document = QJsonDocument::fromJson(ReadFileBytes(path, kMaxStoreBytes));
        if (document.isObject())
            return document.object();
    } catch (const FileError&) {
    }
    damaged = true;
    return QJsonObject();
}

// Strings stay strings, whole numbers within 32 bits become integers; other
// values have no preference's type and are left out.
PreferenceValues ValuesOf(const QJsonObject& object)
{
    PreferenceValues values;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QJsonValue value = it.value();
        if (value.isString()) {
            values[it.key()] = value.toString();
        } else if (value.isDouble()) {
            if (const auto number = ToInt32(value.toDouble()))
                values[it.key()] = *number;
        }
    }
    return values;
}

} // namespace

JsonPreferenceStore::JsonPreferenceStore(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString JsonPreferenceStore::defaultFilePath()
{
    QString folder = qEnvironmentVariable("FENSTER_CONFIG_DIR");
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.config");
    return QDir(folder).filePath(QStringLiteral("Vandl/Fenster.json"));
}

std::unique_ptr<JsonPreferenceStore> JsonPreferenceStore::forCurrentUser()
{
    return std::make_unique<JsonPreferenceStore>(defaultFilePath());
}

std::optional<PreferenceValues> JsonPreferenceStore::read()
{
    bool damaged = false;
    const std::optional<QJsonObject> stored = ReadStoreObject(m_filePath, damaged);
    if (!stored)
        return std::nullopt;
    return ValuesOf(*stored);
}

std::optional<PreferenceValues> ParsePreferenceValues(const QByteArray& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        return std::nullopt;
    return ValuesOf(document.object());
}

bool JsonPreferenceStore::write(const PreferenceValues& values)
{
    // Values this program does not know stay as they are.
    bool damaged = false;
    QJsonObject object = ReadStoreObject(m_filePath, damaged).value_or(QJsonObject());
    if (damaged) {
        // A store we cannot understand is kept aside for the user, never
        // overwritten: Fenster.json.defekt (an older one gives way).
        const QByteArray from = QFile::encodeName(m_filePath);
        const QByteArray to = QFile::encodeName(m_filePath + QStringLiteral(".defekt"));
        if (std::rename(from.constData(), to.constData()) != 0)
            return false;
    }
    for (const auto& [name, value] : values) {
        if (const QString* text = std::get_if<QString>(&value))
            object.insert(name, *text);
        else
            object.insert(name, double(std::get<qint32>(value)));
    }
    if (!QDir().mkpath(QFileInfo(m_filePath).absolutePath()))
        return false;
    try {
        WriteFileAtomically(m_filePath, QJsonDocument(object).toJson(QJsonDocument::Indented));
    } catch (const FileError&) {
        return false;
    }
    return true;
}

Preferences ResetPreferences()
{
    Preferences preferences;
    preferences.drawing.Color = Colour::fromColorRef(kColorBounds.defaultValue);
    preferences.drawing.Rahmen = kRahmenBounds.defaultValue;
    preferences.drawing.RahmenBreite = kRahmenBreiteBounds.defaultValue;
    preferences.drawing.Sprossen = kSprossenBounds.defaultValue;
    preferences.drawing.SprossenV = kSprossenVBounds.defaultValue;
    preferences.Sprache.clear();
    preferences.Skalierung = kSkalierungBounds.defaultValue;
    preferences.fontName = QStringLiteral("Arial");
    preferences.fontSize = kFontSizeBounds.defaultValue;
    preferences.ExportPapier = QStringLiteral("A4");
    preferences.ExportQuer = kExportQuerBounds.defaultValue != 0;
    preferences.ExportMassstab = kExportMassstabBounds.defaultValue;
    return preferences;
}

Preferences LoadPreferences(PreferenceStore& store)
{
    Preferences preferences = ResetPreferences();
    std::optional<PreferenceValues> stored;
    try {
        stored = store.read();
    } catch (...) {
        // A store that fails to read is treated as absent.
    }
    if (!stored)
        return preferences;
    const PreferenceValues& values = *stored;

    int colour = preferences.drawing.Color.colorRef();
    ReadNumberString(values, QStringLiteral("Color"), kColorBounds, colour);
    preferences.drawing.Color = Colour::fromColorRef(colour);
    ReadNumberString(values, QStringLiteral("Rahmen"), kRahmenBounds, preferences.drawing.Rahmen);
    ReadNumberString(values, QStringLiteral("Sprossen"), kSprossenBounds, preferences.drawing.Sprossen);
    ReadNumberString(values, QStringLiteral("SprossenV"), kSprossenVBounds, preferences.drawing.SprossenV);
    ReadNumberString(values, QStringLiteral("RahmenBreite"), kRahmenBreiteBounds, preferences.drawing.RahmenBreite);
    if (const QString* language = StringValue(values, QStringLiteral("Sprache")))
        preferences.Sprache = *language;
    ReadInteger(values, QStringLiteral("Skalierung"), kSkalierungBounds, preferences.Skalierung);
    if (const QString* font = StringValue(values, QStringLiteral("FONTNAME")); font && !font->isEmpty())
        preferences.fontName = *font;
    ReadInteger(values, QStringLiteral("FONTSIZE"), kFontSizeBounds, preferences.fontSize);
    // Only the papers the sheet knows; any other name keeps A4.
    if (const QString* paper = StringValue(values, QStringLiteral("ExportPapier"))) {
        for (const char* known : { "A4", "A3" })
            if (paper->compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                preferences.ExportPapier = QLatin1String(known);
    }
    qint32 landscape = kExportQuerBounds.defaultValue;
    ReadInteger(values, QStringLiteral("ExportQuer"), kExportQuerBounds, landscape);
    preferences.ExportQuer = landscape != 0;
    ReadInteger(values, QStringLiteral("ExportMassstab"), kExportMassstabBounds, preferences.ExportMassstab);
    return preferences;
}

bool SavePreferences(PreferenceStore& store, const Preferences& preferences)
{
    const DrawingSettings& drawing = preferences.drawing;
    PreferenceValues values;
    values[QStringLiteral("Color")] = QString::number(drawing.Color.colorRef());
    values[QStringLiteral("Rahmen")] = QString::number(drawing.Rahmen);
    values[QStringLiteral("Sprossen")] = QString::number(drawing.Sprossen);
    values[QStringLiteral("SprossenV")] = QString::number(drawing.SprossenV);
    values[QStringLiteral("RahmenBreite")] = QString::number(drawing.RahmenBreite);
    values[QStringLiteral("Sprache")] = preferences.Sprache;
    values[QStringLiteral("Skalierung")] = preferences.Skalierung;
    values[QStringLiteral("FONTNAME")] = preferences.fontName;
    values[QStringLiteral("FONTSIZE")] = preferences.fontSize;
    values[QStringLiteral("ExportPapier")] = preferences.ExportPapier;
    values[QStringLiteral("ExportQuer")] = qint32(preferences.ExportQuer ? 1 : 0);
    values[QStringLiteral("ExportMassstab")] = preferences.ExportMassstab;
    try {
        return store.write(values);
    } catch (...) {
        return false;
    }
}

} // namespace fenster
