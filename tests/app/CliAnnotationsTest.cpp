// fensterdaten-cli trace and render with annotation lists, from outside.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

namespace {

using Outcome = fenster::test::ProcessOutcome;

Outcome runCli(const QStringList& arguments, const QString& workingFolder)
{
    fenster::test::ProcessOptions options;
    options.workingFolder = workingFolder;
    return fenster::test::RunProgram(QStringLiteral(FENSTER_CLI), arguments, options);
}

void writeFile(const QString& path, const QByteArray& content)
{
    fenster::test::WriteBytes(path, content);
}

int countLines(const std::string& text, const std::string& prefix)
{
    int n = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find('\n', pos);
        if (text.compare(pos, prefix.size(), prefix) == 0)
            ++n;
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return n;
}

class CliAnnotations : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir("symbole"));
        QImage picture(8, 4, QImage::Format_RGB32);
        picture.fill(Qt::black);
        ASSERT_TRUE(picture.save(dir.filePath("symbole/Pfeil.bmp")));
        writeFile(dir.filePath("Haus.Fnt"), "1000,1000,1,1000,2,500,L,F,K,G;500,R,F,K,G;");
        writeFile(dir.filePath("Haus.fn2"), "B:pfeil.BMP,0,500,10,0,5;\r\n");
        writeFile(dir.filePath("Haus.fn3"), "M:-500,0,500,0,-100,0;\r\nM:-500,0,-500,1000,0,-200;");
    }
    QTemporaryDir dir;
};

TEST_F(CliAnnotations, CompanionsAreDrawnAndTheSettingsFileSwitchesEdgeDimensions)
{
    // Without a settings file and without --dimensions: no edge dimensions,
    // only the numbers of the two free dimension lines.
    Outcome plain = runCli({ "trace", "Haus.Fnt", "--symbol-folder", "symbole" }, dir.path());
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(countLines(plain.out, "imageand"), 1);
    EXPECT_EQ(countLines(plain.out, "text"), 2);
    EXPECT_NE(plain.out.find("\"1000\""), std::string::npos);

    writeFile(dir.filePath("Haus.fn4"), "[Settings]\r\nRandlinks=1\r\nRandunten=1\r\nBemassung=1\r\n");
    Outcome on = runCli({ "trace", "Haus.Fnt", "--symbol-folder", "symbole" }, dir.path());
    ASSERT_EQ(on.status, 0) << on.err;
    // Overall width, row height, two chain segments and the free numbers.
    EXPECT_EQ(countLines(on.out, "text"), 2 + 4);

    writeFile(dir.filePath("Haus.fn4"), "[Settings]\r\nBemassung=0\r\n");
    Outcome off = runCli({ "trace", "Haus.Fnt", "--symbol-folder", "symbole" }, dir.path());
    EXPECT_EQ(countLines(off.out, "text"), 2);
    Outcome forced = runCli({ "trace", "Haus.Fnt", "--symbol-folder", "symbole", "--dimensions" }, dir.path());
    EXPECT_EQ(countLines(forced.out, "text"), 6);
}

TEST_F(CliAnnotations, PicturesAreLookedForBesideTheDocumentByDefault)
{
    Outcome elsewhere = runCli({ "trace", dir.filePath("Haus.Fnt") }, QDir::rootPath());
    EXPECT_EQ(elsewhere.status, 2); // the picture lies in symbole/, not beside the document
    ASSERT_TRUE(QFile::copy(dir.filePath("symbole/Pfeil.bmp"), dir.filePath("PFEIL.bmp")));
    Outcome beside = runCli({ "trace", dir.filePath("Haus.Fnt") }, QDir::rootPath());
    ASSERT_EQ(beside.status, 0) << beside.err;
    EXPECT_EQ(countLines(beside.out, "imageand"), 1);
}

// layout describes the very picture render writes: with the lists drawn,
// the crop is the picture's size and the symbol's rectangle is reported.
TEST_F(CliAnnotations, LayoutDescribesThePictureRenderWrites)
{
    struct Case {
        const char* name;
        QStringList lists;
    };
    writeFile(dir.filePath("weit.txt"), "M:-500,0,-500,3000,0,-800;");
    const Case cases[] = {
        { "companions", { "--symbol-folder", "symbole" } },
        { "list options", { "--dimlines", "weit.txt", "--symbols", "Haus.fn2", "--symbol-folder", "symbole" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome layout = runCli(QStringList { "layout", "Haus.Fnt" } + c.lists, dir.path());
        ASSERT_EQ(layout.status, 0) << layout.err;
        ASSERT_EQ(runCli(QStringList { "render", "Haus.Fnt", "-o", "Haus.png" } + c.lists, dir.path()).status, 0);
        const QImage picture(dir.filePath("Haus.png"));
        ASSERT_FALSE(picture.isNull());
        const std::string crop = "\"width\": " + std::to_string(picture.width()) + ", \"height\": "
            + std::to_string(picture.height()) + "}";
        EXPECT_NE(layout.out.find(crop), std::string::npos) << crop << "\n" << layout.out;
        EXPECT_NE(layout.out.find("\"SymbolRects\": [\n    {\"symbol\": 1, "), std::string::npos) << layout.out;
    }
}

TEST_F(CliAnnotations, ListFilesGivenOnTheCommandLineWin)
{
    writeFile(dir.filePath("andere.txt"), "M:0,0,250,0,50,0;");
    Outcome outcome = runCli({ "trace", "Haus.Fnt", "--dimlines", "andere.txt", "--symbols", "leer.txt" }, dir.path());
    EXPECT_EQ(outcome.status, 2); // leer.txt does not exist
    EXPECT_NE(outcome.err.find("leer.txt"), std::string::npos);

    writeFile(dir.filePath("leer.txt"), "");
    outcome = runCli({ "trace", "Haus.Fnt", "--dimlines", "andere.txt", "--symbols", "leer.txt" }, dir.path());
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(countLines(outcome.out, "imageand"), 0);
    EXPECT_EQ(countLines(outcome.out, "text"), 1);
    EXPECT_NE(outcome.out.find("\"250\""), std::string::npos);
}

TEST_F(CliAnnotations, BadRecordsAreNamedAndThePictureKeepsTheRecordsBefore)
{
    writeFile(dir.filePath("Haus.fn3"), "M:-500,0,500,0,-100,0;\r\nM:-500,0,x,1000,0,-200;");
    writeFile(dir.filePath("Haus.fn2"), "B:fehlt.bmp,0,500,10,0,5;");
    Outcome trace = runCli({ "trace", "Haus.Fnt" }, dir.path());
    EXPECT_EQ(trace.status, 2);
    EXPECT_EQ(countLines(trace.out, "text"), 1);
    EXPECT_NE(trace.err.find("Maßlinienliste, Eintrag 2"), std::string::npos) << trace.err;
    EXPECT_NE(trace.err.find("Symbolliste, Eintrag 1"), std::string::npos) << trace.err;

    Outcome render = runCli({ "render", "Haus.Fnt", "-o", "Haus.png", "--size", "400x300" }, dir.path());
    EXPECT_EQ(render.status, 2);
    EXPECT_TRUE(QImage(dir.filePath("Haus.png")).size() == QSize(400, 300));
}

} // namespace
