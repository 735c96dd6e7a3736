#include "Preferences.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    QString storePath() const { return m_folder.filePath(QStringLiteral("Vandl/Fenster.json")); }

    void writeStore(const QByteArray& json)
    {
        ASSERT_TRUE(QDir().mkpath(m_folder.filePath(QStringLiteral("Vandl"))));
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
    }

    QJsonObject storedObject() const
    {
        QFile file(storePath());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }

    QTemporaryDir m_folder;
};

void ExpectDefaults(const Preferences& p)
{
    EXPECT_EQ(p.drawing.Color, kBlack);
    EXPECT_EQ(p.drawing.Rahmen, 3);
    EXPECT_EQ(p.drawing.RahmenBreite, 50);
    EXPECT_EQ(p.drawing.Sprossen, 10);
    EXPECT_EQ(p.drawing.SprossenV, 10);
    EXPECT_EQ(p.Sprache, QString());
    EXPECT_EQ(p.Skalierung, 5);
    EXPECT_EQ(p.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(p.fontSize, 8);
    EXPECT_EQ(p.ExportPapier, QStringLiteral("A4"));
    EXPECT_FALSE(p.ExportQuer);
    EXPECT_EQ(p.ExportMassstab, 20);
}

TEST_F(PreferencesTest, FirstRunWithoutStoreGivesDefaults)
{
    JsonPreferenceStore store(storePath());
    EXPECT_FALSE(store.read().has_value());
    ExpectDefaults(LoadPreferences(store));
}

TEST_F(PreferencesTest, UnreadableStoreGivesDefaults)
{
    const QByteArray contents[] = { "", "{", "[1,2]", "\x00\xff garbage", "null" };
    for (const QByteArray& content : contents) {
        writeStore(content);
        JsonPreferenceStore store(storePath());
        SCOPED_TRACE(content.toStdString());
        ExpectDefaults(LoadPreferences(store));
    }
}

TEST_F(PreferencesTest, SavedValuesLoadBack)
{
    Preferences p = ResetPreferences();
    p.drawing.Color = Colour::fromColorRef(0x123456);
    p.drawing.Rahmen = 7;
    p.drawing.RahmenBreite = 70;
    p.drawing.Sprossen = 12;
    p.drawing.SprossenV = 14;
    p.Sprache = QStringLiteral("English");
    p.Skalierung = 3;
    p.fontName = QStringLiteral("Liberation Sans");
    p.fontSize = 11;
    p.ExportPapier = QStringLiteral("A3");
    p.ExportQuer = true;
    p.ExportMassstab = 50;
    {
        JsonPreferenceStore store(storePath());
        ASSERT_TRUE(SavePreferences(store, p));
    }
    JsonPreferenceStore store(storePath());
    const Preferences loaded = LoadPreferences(store);
    EXPECT_EQ(loaded.drawing.Color, p.drawing.Color);
    EXPECT_EQ(loaded.drawing.Rahmen, 7);
    EXPECT_EQ(loaded.drawing.RahmenBreite, 70);
    EXPECT_EQ(loaded.drawing.Sprossen, 12);
    EXPECT_EQ(loaded.drawing.SprossenV, 14);
    EXPECT_EQ(loaded.Sprache, p.Sprache);
    EXPECT_EQ(loaded.Skalierung, 3);
    EXPECT_EQ(loaded.fontName, p.fontName);
    EXPECT_EQ(loaded.fontSize, 11);
    EXPECT_EQ(loaded.ExportPapier, QStringLiteral("A3"));
    EXPECT_TRUE(loaded.ExportQuer);
    EXPECT_EQ(loaded.ExportMassstab, 50);
}

TEST_F(PreferencesTest, StoresEachValueUnderItsNameAndType)
{
    JsonPreferenceStore store(storePath());
    ASSERT_TRUE(SavePreferences(store, ResetPreferences()));
    const QJsonObject object = storedObject();
    ASSERT_EQ(object.size(), 12);
    for (const char* name :
        { "Color", "Rahmen", "Sprossen", "SprossenV", "RahmenBreite", "Sprache", "FONTNAME", "ExportPapier" })
        EXPECT_TRUE(object.value(QLatin1String(name)).isString()) << name;
    for (const char* name : { "Skalierung", "FONTSIZE", "ExportQuer", "ExportMassstab" })
        EXPECT_TRUE(object.value(QLatin1String(name)).isDouble()) << name;
    EXPECT_EQ(object.value("Color").toString(), QStringLiteral("0"));
    EXPECT_EQ(object.value("RahmenBreite").toString(), QStringLiteral("50"));
    EXPECT_EQ(object.value("Skalierung").toInt(), 5);
    EXPECT_EQ(object.value("ExportPapier").toString(), QStringLiteral("A4"));
    EXPECT_EQ(object.value("ExportQuer").toInt(), 0);
    EXPECT_EQ(object.value("ExportMassstab").toInt(), 20);
}

TEST_F(PreferencesTest, EachBadValueFallsBackOnItsOwn)
{
    struct Case {
        const char* name;
        const char* json;
        void (*check)(const Preferences&);
    };
    const Case cases[] = {
        { "colour not a number", R"({"Color":"abc","Rahmen":"5"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.drawing.Color, kBlack);
                EXPECT_EQ(p.drawing.Rahmen, 5);
            } },
        { "colour stored as an integer", R"({"Color":255,"Sprossen":"20"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.drawing.Color, kBlack);
                EXPECT_EQ(p.drawing.Sprossen, 20);
            } },
        { "colour as a string", R"({"Color":"255"})",
            [](const Preferences& p) { EXPECT_EQ(p.drawing.Color, kRed); } },
        { "scale stored as a string", R"({"Skalierung":"3","FONTSIZE":10})",
            [](const Preferences& p) {
                EXPECT_EQ(p.Skalierung, 5);
                EXPECT_EQ(p.fontSize, 10);
            } },
        { "scale not whole", R"({"Skalierung":2.5})", [](const Preferences& p) { EXPECT_EQ(p.Skalierung, 5); } },
        { "scale beyond 32 bits", R"({"Skalierung":4294967296})",
            [](const Preferences& p) { EXPECT_EQ(p.Skalierung, 5); } },
        { "width with trailing blank", R"({"RahmenBreite":"60 ","SprossenV":" 30"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.drawing.RahmenBreite, 50);
                EXPECT_EQ(p.drawing.SprossenV, 30);
            } },
        { "width beyond 32 bits", R"({"Rahmen":"99999999999"})",
            [](const Preferences& p) { EXPECT_EQ(p.drawing.Rahmen, 3); } },
        { "empty font name keeps Arial", R"({"FONTNAME":"","FONTSIZE":"12"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.fontName, QStringLiteral("Arial"));
                EXPECT_EQ(p.fontSize, 8);
            } },
        { "language as a number", R"({"Sprache":7,"FONTNAME":"Tahoma"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.Sprache, QString());
                EXPECT_EQ(p.fontName, QStringLiteral("Tahoma"));
            } },
        { "paper in lower case", R"({"ExportPapier":"a3","ExportMassstab":25})",
            [](const Preferences& p) {
                EXPECT_EQ(p.ExportPapier, QStringLiteral("A3"));
                EXPECT_EQ(p.ExportMassstab, 25);
            } },
        { "paper that does not exist", R"({"ExportPapier":"A5","ExportQuer":1})",
            [](const Preferences& p) {
                EXPECT_EQ(p.ExportPapier, QStringLiteral("A4"));
                EXPECT_TRUE(p.ExportQuer);
            } },
        { "sheet values of the wrong type", R"({"ExportPapier":3,"ExportQuer":"1","ExportMassstab":"50"})",
            [](const Preferences& p) {
                EXPECT_EQ(p.ExportPapier, QStringLiteral("A4"));
                EXPECT_FALSE(p.ExportQuer);
                EXPECT_EQ(p.ExportMassstab, 20);
            } },
        { "nested objects ignored", R"({"Rahmen":{"x":1},"Sprache":["a"]})",
            [](const Preferences& p) {
                EXPECT_EQ(p.drawing.Rahmen, 3);
                EXPECT_EQ(p.Sprache, QString());
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeStore(c.json);
        JsonPreferenceStore store(storePath());
        c.check(LoadPreferences(store));
    }
}

TEST_F(PreferencesTest, ValuesOutsideTheirRangeFallBackEachAlone)
{
    struct Case {
        const char* json;
        void (*check)(const Preferences&);
    };
    const Case cases[] = {
        { R"({"Skalierung":0,"FONTSIZE":12})", [](const Preferences& p) { EXPECT_EQ(p.Skalierung, 5); EXPECT_EQ(p.fontSize, 12); } },
        { R"({"Skalierung":1001,"Rahmen":"7"})", [](const Preferences& p) { EXPECT_EQ(p.Skalierung, 5); EXPECT_EQ(p.drawing.Rahmen, 7); } },
        { R"({"Skalierung":1000})", [](const Preferences& p) { EXPECT_EQ(p.Skalierung, 1000); } },
        { R"({"FONTSIZE":7,"Skalierung":2})", [](const Preferences& p) { EXPECT_EQ(p.fontSize, 8); EXPECT_EQ(p.Skalierung, 2); } },
        { R"({"FONTSIZE":201})", [](const Preferences& p) { EXPECT_EQ(p.fontSize, 8); } },
        { R"({"FONTSIZE":200})", [](const Preferences& p) { EXPECT_EQ(p.fontSize, 200); } },
        { R"({"Color":"-1","Sprossen":"12"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.Color, kBlack); EXPECT_EQ(p.drawing.Sprossen, 12); } },
        { R"({"Color":"16777216"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.Color, kBlack); } },
        { R"({"Rahmen":"0"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.Rahmen, 3); } },
        { R"({"Rahmen":"1001"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.Rahmen, 3); } },
        { R"({"Sprossen":"0","SprossenV":"1000"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.Sprossen, 10); EXPECT_EQ(p.drawing.SprossenV, 1000); } },
        { R"({"SprossenV":"-5","RahmenBreite":"1"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.SprossenV, 10); EXPECT_EQ(p.drawing.RahmenBreite, 1); } },
        { R"({"RahmenBreite":"1001"})", [](const Preferences& p) { EXPECT_EQ(p.drawing.RahmenBreite, 50); } },
        { R"({"ExportMassstab":0,"ExportQuer":1})", [](const Preferences& p) { EXPECT_EQ(p.ExportMassstab, 20); EXPECT_TRUE(p.ExportQuer); } },
        { R"({"ExportMassstab":-3})", [](const Preferences& p) { EXPECT_EQ(p.ExportMassstab, 20); } },
        { R"({"ExportMassstab":10001})", [](const Preferences& p) { EXPECT_EQ(p.ExportMassstab, 20); } },
        { R"({"ExportMassstab":10000})", [](const Preferences& p) { EXPECT_EQ(p.ExportMassstab, 10000); } },
        { R"({"ExportQuer":2,"ExportMassstab":1})", [](const Preferences& p) { EXPECT_FALSE(p.ExportQuer); EXPECT_EQ(p.ExportMassstab, 1); } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        writeStore(c.json);
        JsonPreferenceStore store(storePath());
        c.check(LoadPreferences(store));
    }
}

TEST_F(PreferencesTest, ADamagedStoreIsSetAsideNotOverwritten)
{
    const QByteArray contents[] = { "{ kaputt", "[1,2]", QByteArray((1 << 20) + 1, ' ') };
    for (const QByteArray& content : contents) {
        SCOPED_TRACE(content.left(20).toStdString());
        writeStore(content);
        JsonPreferenceStore store(storePath());
        ASSERT_TRUE(SavePreferences(store, ResetPreferences()));
        QFile aside(storePath() + QStringLiteral(".defekt"));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), content);
        EXPECT_EQ(storedObject().value("Rahmen").toString(), QStringLiteral("3"));
    }
}

TEST_F(PreferencesTest, SavingKeepsUnknownValues)
{
    writeStore(R"({"Fremd":"bleibt","Rahmen":"9"})");
    JsonPreferenceStore store(storePath());
    ASSERT_TRUE(SavePreferences(store, ResetPreferences()));
    const QJsonObject object = storedObject();
    EXPECT_EQ(object.value("Fremd").toString(), QStringLiteral("bleibt"));
    EXPECT_EQ(object.value("Rahmen").toString(), QStringLiteral("3"));
}

TEST_F(PreferencesTest, UnwritableStoreIsNotAnError)
{
    // A plain file where the folder "Vandl" should be: nothing can be created.
    QFile blocker(m_folder.filePath(QStringLiteral("Vandl")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    JsonPreferenceStore store(storePath());
    EXPECT_FALSE(SavePreferences(store, ResetPreferences()));
    ExpectDefaults(LoadPreferences(store));
}

TEST_F(PreferencesTest, EnvironmentPointsTheUserStoreElsewhere)
{
    const QByteArray saved = qgetenv("FENSTER_CONFIG_DIR");
    qputenv("FENSTER_CONFIG_DIR", m_folder.path().toLocal8Bit());
    EXPECT_EQ(JsonPreferenceStore::defaultFilePath(), storePath());
    if (saved.isEmpty())
        qunsetenv("FENSTER_CONFIG_DIR");
    else
        qputenv("FENSTER_CONFIG_DIR", saved);
}

} // namespace
