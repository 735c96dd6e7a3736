#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

class TextFilesTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_folder.filePath(QLatin1String(name)); }

    void writeBytes(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray readBytes(const QString& file)
    {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll();
    }

    QStringList leftovers() const
    {
        return QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir m_folder;
};

TEST_F(TextFilesTest, ReadingDetectsTheByteOrderMark)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        { "Windows-1252 without mark", QByteArray("Gr\xf6\xdf" "e \x80", 7), QString::fromUtf8("Größe €") },
        { "UTF-8 with mark", QByteArray("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e"), QString::fromUtf8("Größe") },
        { "UTF-8 without mark is read as Windows-1252", QByteArray("\xC3\xB6"), QString::fromUtf8("Ã¶") },
        { "UTF-16 little endian", QByteArray("\xFF\xFE" "1\0,\0\xF6\0", 8), QString::fromUtf8("1,ö") },
        { "UTF-16 big endian", QByteArray("\xFE\xFF\0" "1\0,\0\xF6", 8), QString::fromUtf8("1,ö") },
        { "mark only", QByteArray("\xEF\xBB\xBF"), QString() },
        { "empty", QByteArray(), QString() },
    };
    for (const Case& c : cases) {
        writeBytes(path("in.txt"), c.bytes);
        EXPECT_EQ(ReadTextFile(path("in.txt")), c.text) << c.name;
    }
}

TEST_F(TextFilesTest, ReadingTurnsEveryLineBreakIntoCrLf)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        { "one line with final break", "1000,500,1,1000,1,500,F;\r\n", "1000,500,1,1000,1,500,F;" },
        { "unix breaks", "B:a,1,2,10,5;\nB:b,3,4,10,5;\n", "B:a,1,2,10,5;\r\nB:b,3,4,10,5;" },
        { "old mac breaks", "a\rb", "a\r\nb" },
        { "mixed", "a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd" },
        { "empty last line kept", "a\r\n\r\n", "a\r\n" },
        { "only a break", "\n", "" },
    };
    for (const Case& c : cases) {
        writeBytes(path("in.txt"), c.bytes);
        EXPECT_EQ(ReadTextFile(path("in.txt")), c.text) << c.name;
    }
}

TEST_F(TextFilesTest, WritingUsesWindows1252AndCrLfWithoutFinalBreak)
{
    struct Case {
        const char* name;
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        { "description", "1000,500,1,1000,1,500,F;", "1000,500,1,1000,1,500,F;" },
        { "lines", "a\r\nb\nc", "a\r\nb\r\nc" },
        { "umlauts and euro", QString::fromUtf8("Größe €"), QByteArray("Gr\xf6\xdf" "e \x80") },
        { "character outside Windows-1252", QString::fromUtf8("a\u4e2db"), "a?b" },
        { "single blank of the removal marker", " ", " " },
        { "empty", "", "" },
    };
    for (const Case& c : cases) {
        WriteTextFile(path("out.txt"), c.text);
        EXPECT_EQ(readBytes(path("out.txt")), c.bytes) << c.name;
    }
}

TEST_F(TextFilesTest, WrittenTextReadsBack)
{
    const QString text = QString::fromUtf8("M:1,2,3,4,5,6;\r\nB:Tür‚Griff.bmp,1,2,10,5;");
    WriteTextFile(path("round.txt"), text);
    EXPECT_EQ(ReadTextFile(path("round.txt")), text);
}

TEST_F(TextFilesTest, MissingFileIsAnErrorNamingTheFile)
{
    try {
        ReadTextFile(path("fehlt.Fnt"));
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("fehlt.Fnt"), std::string::npos) << error.what();
    }
    EXPECT_THROW(ReadTextFile(m_folder.path()), FileError) << "a folder is not a text file";
}

TEST_F(TextFilesTest, FailedWriteLeavesTheOldFile)
{
    const QString file = path("Haus.Fnt");
    writeBytes(file, "1000,1000,1,1000,1,1000,L,F;");

    // The writer fails half-way, as a full disk would.
    EXPECT_THROW(WriteFileAtomically(file,
                     [](QIODevice& device) {
                         device.write("12");
                         return false;
                     }),
        FileError);
    EXPECT_EQ(readBytes(file), "1000,1000,1,1000,1,1000,L,F;");

    EXPECT_THROW(WriteFileAtomically(file,
                     [](QIODevice& device) -> bool {
                         device.write("12");
                         throw std::runtime_error("kaputt");
                     }),
        std::runtime_error);
    EXPECT_EQ(readBytes(file), "1000,1000,1,1000,1,1000,L,F;");
    EXPECT_EQ(leftovers(), QStringList { "Haus.Fnt" }) << "no temporary file stays behind";
}

TEST_F(TextFilesTest, WriteIntoMissingFolderIsAnError)
{
    EXPECT_THROW(WriteTextFile(path("gibtsnicht/Haus.Fnt"), "x"), FileError);
}

TEST_F(TextFilesTest, SuccessfulWriteReplacesTheFile)
{
    const QString file = path("Haus.Fnt");
    writeBytes(file, "a much longer old content than the new one");
    WriteTextFile(file, "neu");
    EXPECT_EQ(readBytes(file), "neu");
    EXPECT_EQ(leftovers(), QStringList { "Haus.Fnt" });
}

} // namespace
