#include "QtPrinting.h"
#include "TransListe.h"

#include <gtest/gtest.h>

namespace fenster {
namespace {

const QChar Blank = QLatin1Char(' ');

TEST(TransListe, AddNormalisesAndTakesAccelerators)
{
    struct Case {
        const char* name;
        const char* source;
        const char* translation;
        AcceleratorSet usedBefore;
        const char* storedSource;
        const char* storedTranslation;
        QChar sourceKey;
        QChar translationKey;
        AcceleratorSet usedAfter;
    };
    const Case cases[] = {
        {"colon and blanks go", "Linker Rand [mm] : ", "", {}, "Linker Rand [mm]", "Linker Rand [mm]", Blank, Blank, {}},
        {"no translation: the source's accelerator in its column", "&Griff", "", {}, "Griff", "Griff",
            QLatin1Char('G'), QLatin1Char('G'), {QLatin1Char('G')}},
        {"source key upper-cased, translation's column kept as is", "&griff", "", {}, "griff", "griff",
            QLatin1Char('G'), QLatin1Char('g'), {QLatin1Char('g')}},
        {"taken accelerator is given up", "&Griff", "", {QLatin1Char('G')}, "Griff", "Griff", Blank, Blank,
            {QLatin1Char('G')}},
        {"translation's own accelerator", "Zeile", "Ro&w", {}, "Zeile", "Row", Blank, QLatin1Char('W'),
            {QLatin1Char('W')}},
        {"translation's accelerator even when taken", "Zeile", "Ro&w", {QLatin1Char('W')}, "Zeile", "Row", Blank,
            QLatin1Char('W'), {QLatin1Char('W')}},
        {"both sides", "&Speichern", "&Save", {}, "Speichern", "Save", QLatin1Char('S'), QLatin1Char('S'),
            {QLatin1Char('S')}},
        {"column of the source's accelerator in a shorter translation", "a&b", "x", {}, "ab", "x",
            QLatin1Char('B'), Blank, {Blank}},
        {"a blank taken counts as well", "a&b", "x", {Blank}, "ab", "x", Blank, Blank, {Blank}},
        {"only a-z are upper-cased in the source", "&äpfel", "Äpfel", {}, "äpfel", "Äpfel", QChar(0xE4),
            QChar(0xC4), {QChar(0xC4)}},
        {"translation key upper-cased by Unicode rules", "Über", "&über", {}, "Über", "über", Blank, QChar(0xDC),
            {QChar(0xDC)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AcceleratorSet used = c.usedBefore;
        TTransListe list;
        list.Add(QString::fromUtf8(c.source), QString::fromUtf8(c.translation), used);
        ASSERT_EQ(list.count(), 1);
        const TTransWort* entry = list.First();
        EXPECT_EQ(entry->source, QString::fromUtf8(c.storedSource));
        EXPECT_EQ(entry->translation, QString::fromUtf8(c.storedTranslation));
        EXPECT_EQ(entry->sourceKey, c.sourceKey);
        EXPECT_EQ(entry->translationKey, c.translationKey);
        EXPECT_EQ(used, c.usedAfter);
    }
}

TEST(TransListe, RewriteOfAnEntryWhoseAcceleratorWasTakenDropsIt)
{
    // "&Fenster" would take the "F" of its translation, which "Datei~&File"
    // gave out first: the entry keeps no accelerator.
    AcceleratorSet used;
    TTransListe list;
    for (const char* line : {"Datei~&File", "&Fenster~Fenster", "&Ende~Ende"})
        AddLanguageLine(list, QString::fromUtf8(line), used);
    EXPECT_EQ(LanguageFileLines(list), (QStringList{"Datei~&File", "Fenster~", "&Ende~"}));
    EXPECT_EQ(used, (AcceleratorSet{QLatin1Char('F'), QLatin1Char('E')}));
}

} // namespace
} // namespace fenster
