#include "DocumentSettings.h"

#include "DiskFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace fenster;
using fenster::test::ReadBytes;
using fenster::test::TemporaryFolder;
using fenster::test::WriteBytes;

namespace {

TEST(DocumentSettingsTest, ReadsTheThreeKeysWithTheirFallbacks)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        DocumentSettings expected;
    };
    const Case cases[] = {
        { "empty file gives the defaults", "", { 20, 20, true } },
        { "written by the editor", "[Settings]\r\nRandlinks=1\r\nRandunten=1\r\nBemassung=0\r\n", { 1, 1, false } },
        { "names without regard to case", "[settings]\nRANDLINKS=7\nrandUnten=8\nbemassung=0\n", { 7, 8, false } },
        { "spaces around names and values", "  [ Settings ]  \n Randlinks = 12 \n", { 12, 20, true } },
        { "any non-zero number is on", "[Settings]\nBemassung=-3\n", { 20, 20, true } },
        { "text is not a number", "[Settings]\nRandlinks=abc\nRandunten=1.5\nBemassung=ja\n", { 20, 20, true } },
        { "empty values", "[Settings]\nRandlinks=\nBemassung=\n", { 20, 20, true } },
        { "hexadecimal as the platform reads it", "[Settings]\nRandlinks=$10\nRandunten=0x20\n", { 16, 32, true } },
        { "beyond 32 bits", "[Settings]\nRandlinks=99999999999\n", { 20, 20, true } },
        { "quoted value", "[Settings]\nRandlinks=\"5\"\n", { 5, 20, true } },
        { "keys of another section do not count", "[Other]\nRandlinks=5\n[Settings]\nRandunten=6\n[More]\nBemassung=0\n",
            { 20, 6, true } },
        { "first entry of a key counts", "[Settings]\nRandlinks=3\nRandlinks=4\n", { 3, 20, true } },
        { "first section counts", "[Settings]\nRandlinks=3\n[Settings]\nRandlinks=4\nRandunten=9\n", { 3, 20, true } },
        { "commented key", "[Settings]\n;Randlinks=3\n", { 20, 20, true } },
        { "byte-order mark before the section", "\xEF\xBB\xBF[Settings]\r\nRandlinks=2\r\n", { 2, 20, true } },
        { "binary bytes", QByteArray("\x00\xff[Sett\x00ings]\n\x01=\x02", 18), { 20, 20, true } },
        { "no line break at the end", "[Settings]\nBemassung=0", { 20, 20, false } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDocumentSettings(c.bytes), c.expected) << c.name;
}

TEST(DocumentSettingsTest, WritingChangesOnlyTheThreeKeys)
{
    struct Case {
        const char* name;
        QByteArray existing;
        QByteArray expected;
    };
    const DocumentSettings settings { 1, 2, false };
    const Case cases[] = {
        { "new file in the order of the keys", "", "[Settings]\r\nRandlinks=1\r\nRandunten=2\r\nBemassung=0\r\n" },
        { "replaced where they stand", "[Settings]\r\nBemassung=1\r\nRandunten=20\r\nRandlinks=20\r\n",
            "[Settings]\r\nBemassung=0\r\nRandunten=2\r\nRandlinks=1\r\n" },
        { "other lines and line breaks stay",
            "; Kommentar\n[Andere]\nRandlinks=99\n\n[SETTINGS]\nFarbe = rot\nrandlinks=5\n\n[Ende]\nx=1",
            "; Kommentar\n[Andere]\nRandlinks=99\n\n[SETTINGS]\nFarbe = rot\nRandlinks=1\nRandunten=2\r\nBemassung=0\r\n\n"
            "[Ende]\nx=1" },
        { "section added after other content without final line break", "[Andere]\nx=1",
            "[Andere]\nx=1\r\n[Settings]\r\nRandlinks=1\r\nRandunten=2\r\nBemassung=0\r\n" },
        { "section at the end without line break", "[Settings]\r\nRandlinks=7",
            "[Settings]\r\nRandlinks=1\r\nRandunten=2\r\nBemassung=0\r\n" },
        { "byte-order mark kept", "\xEF\xBB\xBF[Settings]\r\nRandlinks=7\r\n",
            "\xEF\xBB\xBF[Settings]\r\nRandlinks=1\r\nRandunten=2\r\nBemassung=0\r\n" },
    };
    for (const Case& c : cases) {
        const QByteArray written = UpdateDocumentSettings(c.existing, settings);
        EXPECT_EQ(written.toStdString(), c.expected.toStdString()) << c.name;
        EXPECT_EQ(ParseDocumentSettings(written), settings) << c.name;
        EXPECT_EQ(UpdateDocumentSettings(written, settings), written) << c.name << ": a second write changes nothing";
    }
}

TEST(DocumentSettingsTest, FilesOnDisk)
{
    TemporaryFolder folder;
    EXPECT_EQ(ReadDocumentSettings(folder.filePath(QStringLiteral("fehlt.fn4"))), DocumentSettings {});

    const QString path = WriteBytes(folder.filePath(QStringLiteral("Haus.fn4")), "[Settings]\nRandlinks=3\n[X]\ny=1\n");
    WriteDocumentSettings(path, { 1, 1, true });
    EXPECT_EQ(ReadBytes(path), QByteArray("[Settings]\nRandlinks=1\nRandunten=1\r\nBemassung=1\r\n[X]\ny=1\n"));
    EXPECT_EQ(ReadDocumentSettings(path), (DocumentSettings { 1, 1, true }));
}

TEST(DocumentSettingsTest, AFileThatCannotBeReadIsAnErrorAndStaysAsItWas)
{
    TemporaryFolder folder;
    const QString directory = folder.filePath(QStringLiteral("Ordner.fn4"));
    ASSERT_TRUE(QDir().mkpath(directory));
    EXPECT_THROW(ReadDocumentSettings(directory), FileError);
    EXPECT_THROW(WriteDocumentSettings(directory, {}), FileError);
    EXPECT_TRUE(QFileInfo(directory).isDir());

    // Writing over a huge file would drop its other lines: refused, file kept.
    const QString huge = folder.filePath(QStringLiteral("Gross.fn4"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kMaxReadFileBytes + 1));
    }
    EXPECT_THROW(ReadDocumentSettings(huge), FileError);
    EXPECT_THROW(WriteDocumentSettings(huge, {}), FileError);
    EXPECT_EQ(QFileInfo(huge).size(), kMaxReadFileBytes + 1);
}

} // namespace
