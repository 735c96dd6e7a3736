#include "Preferences.h"

#include "IntegerText.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStandardPaths>

#include <cmath>

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
void ReadNumberString(const PreferenceValues& values, const QString& name, int& setting)
{
    const QString* text = StringValue(values, name);
    if (!text)
        return;
    const QByteArray bytes = text->toLatin1();
    if (const auto value = StrictToInt(std::string_view(bytes.constData(), std::size_t(bytes.size()))))
        setting = *value;
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
    QFile file(m_filePath);
    if (!file.exists())
        return std::nullopt;
    PreferenceValues values;
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxStoreBytes)
        return values;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return values;
    const QJsonObject object = document.object();
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

bool JsonPreferenceStore::write(const PreferenceValues& values)
{
    // Values this program does not know stay as they are.
    QJsonObject object;
    QFile existing(m_filePath);
    if (existing.open(QIODevice::ReadOnly) && existing.size() <= kMaxStoreBytes) {
        const QJsonDocument document = QJsonDocument::fromJson(existing.readAll());
        if (document.isObject())
            object = document.object();
    }
    existing.close();
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
    preferences.drawing.Color = kBlack;
    preferences.drawing.Rahmen = 3;
    preferences.drawing.RahmenBreite = 50;
    preferences.drawing.Sprossen = 10;
    preferences.drawing.SprossenV = 10;
    preferences.Sprache.clear();
    preferences.Skalierung = 5;
    preferences.fontName = QStringLiteral("Arial");
    preferences.fontSize = 8;
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
    ReadNumberString(values, QStringLiteral("Color"), colour);
    preferences.drawing.Color = Colour::fromColorRef(colour);
    ReadNumberString(values, QStringLiteral("Rahmen"), preferences.drawing.Rahmen);
    ReadNumberString(values, QStringLiteral("Sprossen"), preferences.drawing.Sprossen);
    ReadNumberString(values, QStringLiteral("SprossenV"), preferences.drawing.SprossenV);
    ReadNumberString(values, QStringLiteral("RahmenBreite"), preferences.drawing.RahmenBreite);
    if (const QString* language = StringValue(values, QStringLiteral("Sprache")))
        preferences.Sprache = *language;
    if (const auto scale = IntegerValue(values, QStringLiteral("Skalierung")))
        preferences.Skalierung = *scale;
    if (const QString* font = StringValue(values, QStringLiteral("FONTNAME")); font && !font->isEmpty())
        preferences.fontName = *font;
    if (const auto size = IntegerValue(values, QStringLiteral("FONTSIZE")))
        preferences.fontSize = *size;
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
    try {
        return store.write(values);
    } catch (...) {
        return false;
    }
}

} // namespace fenster
