#include "DiskFiles.h"
#include "QtPrinting.h"
#include "Translator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace fenster {
namespace {

TEST(LanguageFile, SplitsLinesAtAnyLineBreak)
{
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeLanguageFile(c.bytes), c.lines) << c.bytes.toHex().constData();
}

TEST(LanguageFile, HonoursByteOrderMarks)
{
    const QString expected = QString::fromUtf8("Größe~Size €");
    EXPECT_EQ(DecodeLanguageFile(QByteArray("\xEF\xBB\xBF") + expected.toUtf8()), QStringList{expected});
    QByteArray utf16le("\xFF\xFE", 2);
    QByteArray utf16be("\xFE\xFF", 2);
    for (QChar c : expected) {
        utf16le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    EXPECT_EQ(DecodeLanguageFile(utf16le), QStringList{expected});
    EXPECT_EQ(DecodeLanguageFile(utf16be), QStringList{expected});
    EXPECT_EQ(DecodeLanguageFile(QByteArray("Gr\xF6\xDF" "e~Size \x80")), QStringList{expected});
}

TEST(LanguageFile, EveryWindows1252ByteSurvivesReadAndWrite)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte) {
        if (byte != '\r' && byte != '\n')
            all.append(char(byte));
    }
    const QStringList lines = DecodeLanguageFile(all);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front().size(), all.size());
    EXPECT_EQ(EncodeLanguageFile(lines), all + "\r\n");
}

TEST(LanguageFile, WritesUtf8OnlyWhenWindows1252CannotHoldTheText)
{
    EXPECT_EQ(EncodeLanguageFile({QString::fromUtf8("Größe~Size"), QStringLiteral("Neu~")}),
        QByteArray("Gr\xF6\xDF" "e~Size\r\nNeu~\r\n"));
    EXPECT_EQ(EncodeLanguageFile({QString::fromUtf8("Datei~Plik ł")}),
        QByteArray("\xEF\xBB\xBF" "Datei~Plik \xC5\x82\r\n"));
    // Text whose Windows-1252 bytes would read back as a byte-order mark.
    const QStringList markLike{QString::fromUtf8("ï»¿x~y")};
    EXPECT_EQ(DecodeLanguageFile(EncodeLanguageFile(markLike)), markLike);
    // A zero-width no-break space at the very start is text, not a mark.
    const QStringList startsWithMark{QChar(0xFEFF) + QStringLiteral("x~y"), QStringLiteral("z~")};
    EXPECT_EQ(DecodeLanguageFile(EncodeLanguageFile(startsWithMark)), startsWithMark);
}

TEST(LanguageFile, LoneSurrogatesBecomeReplacementCharacters)
{
    // UTF-16 "a", a lone low surrogate, "~b".
    const QByteArray bytes("\xFF\xFE" "a\0\x00\xDE~\0b\0", 10);
    const QStringList lines = DecodeLanguageFile(bytes);
    const QStringList expected{QStringLiteral("a") + QChar(QChar::ReplacementCharacter) + QStringLiteral("~b")};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(DecodeLanguageFile(EncodeLanguageFile(lines)), expected);
}

TEST(LanguageFile, LinesSplitAtTheFirstTilde)
{
    struct Case {
        const char* line;
        const char* source;
        const char* translation;
    };
    const Case cases[] = {
        {"Anzahl Breiten~Number of widths", "Anzahl Breiten", "Number of widths"},
        {"  Quelle :  ~  Ziel  ", "  Quelle", "Ziel"},
        {"Fenster #38drucken~", "Fenster #38drucken", "Fenster #38drucken"},
        {"a~b~c", "a", "b~c"},
        {"  nur Text  ", "", "nur Text"},
        {"&Griff~", "Griff", "Griff"},
    };
    for (const Case& c : cases) {
        TTransListe list;
        AcceleratorSet used;
        AddLanguageLine(list, QString::fromUtf8(c.line), used);
        ASSERT_EQ(list.count(), 1);
        EXPECT_EQ(list.First()->source, QString::fromUtf8(c.source)) << c.line;
        EXPECT_EQ(list.First()->translation, QString::fromUtf8(c.translation)) << c.line;
    }
}

TEST(LanguageFile, RewriteRestoresAccelerators)
{
    TTransListe list;
    AcceleratorSet used; // starts with no accelerator given out
    for (const char* line : {"&Griff~", "Zeile~Ro&w", "&Neu~", "ohne Trenner", "Fenster~Window"})
        AddLanguageLine(list, QString::fromUtf8(line), used);
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(used, (AcceleratorSet{QLatin1Char('G'), QLatin1Char('W'), QLatin1Char('N')}));
    EXPECT_EQ(list.Last()->source, QStringLiteral("Fenster"));
    EXPECT_EQ(LanguageFileLines(list),
        (QStringList{"&Griff~", "Zeile~&Row", "&Neu~", "Fenster~Window"}));
}

TEST(LanguageFile, LongListsAreFreedWithoutRecursion)
{
    TTransListe list;
    AcceleratorSet used;
    for (int i = 0; i < 200000; ++i)
        list.Add(QStringLiteral("x"), QStringLiteral("y"), used);
    EXPECT_EQ(list.count(), 200000);
    list.Clear();
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
}

class LanguageFileOnDisk : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    QTemporaryDir m_folder;
};

TEST_F(LanguageFileOnDisk, WrittenLinesReadBack)
{
    const QString file = path(QStringLiteral("0407.lng"));
    const QStringList lines{QString::fromUtf8("Größe~Size"), QStringLiteral("Neu~")};
    WriteLanguageFile(file, lines);
    EXPECT_EQ(ReadLanguageFile(file), lines);
    // Rewriting replaces the whole file.
    WriteLanguageFile(file, {QStringLiteral("Neu~")});
    EXPECT_EQ(ReadLanguageFile(file), QStringList{QStringLiteral("Neu~")});
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("0407.lng")});
}

TEST_F(LanguageFileOnDisk, WhatIsNoReadableFileFailsAtOnce)
{
    struct Case {
        const char* name;
        std::function<void(const QString&)> place;
    };
    const Case cases[] = {
        {"missing", [](const QString&) {}},
        {"FIFO", [](const QString& file) { ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0); }},
        {"folder", [](const QString& file) { ASSERT_TRUE(QDir().mkdir(file)); }},
        {"larger than any language file",
            [](const QString& file) {
                QFile big(file);
                ASSERT_TRUE(big.open(QIODevice::WriteOnly));
                ASSERT_TRUE(big.resize(kMaxReadFileBytes + 1));
            }},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path(QStringLiteral("case%1.lng").arg(++n));
        c.place(file);
        EXPECT_THROW(ReadLanguageFile(file), FileError);
    }
}

TEST_F(LanguageFileOnDisk, FailedWriteLeavesNothingBehind)
{
    const QString file = path(QStringLiteral("no/such/folder/0407.lng"));
    EXPECT_THROW(WriteLanguageFile(file, {QStringLiteral("Neu~")}), FileError);
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

} // namespace
} // namespace fenster
