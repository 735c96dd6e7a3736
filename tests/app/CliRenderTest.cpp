// fensterdaten-cli render, layout and trace, driven from outside.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "TestSupport.h"
#include "VectorFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Outcome = fenster::test::ProcessOutcome;

Outcome runCli(const QStringList& arguments)
{
    return fenster::test::RunProgram(QStringLiteral(FENSTER_CLI), arguments);
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    return fenster::test::WriteBytes(dir.filePath(name), text);
}

QString example(const char* name)
{
    return QStringLiteral(FENSTER_EXAMPLES "/") + QString::fromLatin1(name);
}

TEST(CliRender, EveryExampleRendersInEveryFormat)
{
    QTemporaryDir dir;
    const QStringList examples = QDir(QStringLiteral(FENSTER_EXAMPLES)).entryList({ QStringLiteral("*.Fnt") });
    ASSERT_FALSE(examples.isEmpty());
    QStringList arguments { QStringLiteral("render") };
    for (const QString& name : examples)
        arguments << example(name.toLatin1().constData());
    for (const char* format : { "png", "bmp", "svg", "pdf" }) {
        SCOPED_TRACE(format);
        const QString folder = dir.filePath(QString::fromLatin1(format));
        const Outcome outcome = runCli(arguments + QStringList { "-o", folder, "--format", format, "--dimensions" });
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        for (const QString& name : examples) {
            const QString path = folder + "/" + QFileInfo(name).completeBaseName() + "." + format;
            ASSERT_TRUE(QFileInfo(path).size() > 0) << path.toStdString();
            if (QByteArray(format) == "svg") {
                EXPECT_TRUE(QSvgRenderer(path).isValid());
            } else if (QByteArray(format) != "pdf") {
                const QImage image(path);
                ASSERT_FALSE(image.isNull());
                // Cropped to the drawing: its last row and first column
                // hold drawn pixels.
                bool lastRow = false;
                bool firstColumn = false;
                for (int x = 0; x < image.width(); ++x)
                    lastRow = lastRow || qGray(image.pixel(x, image.height() - 1)) < 250;
                for (int y = 0; y < image.height(); ++y)
                    firstColumn = firstColumn || qGray(image.pixel(0, y)) < 250;
                EXPECT_TRUE(lastRow && firstColumn) << path.toStdString();
            }
        }
    }
}

TEST(CliRender, EveryExampleToTrueScaleSheetsAndDxf)
{
    QTemporaryDir dir;
    const QStringList examples = QDir(QStringLiteral(FENSTER_EXAMPLES)).entryList({ QStringLiteral("*.Fnt") });
    ASSERT_FALSE(examples.isEmpty());
    struct Case {
        const char* format;
        QStringList options;
        const char* pageSize; // pdfinfo's words for a PDF; the SVG's size
    };
    const Case cases[] = {
        { "pdf", { "--paper", "A4", "--ratio", "20" }, "595 x 842 pts (A4)" },
        { "pdf", { "--paper", "A3-quer" }, "1191 x 842 pts (A3)" },
        { "svg", { "--ratio", "1:25" }, "width=\"209.973mm\" height=\"297.011mm\"" },
        { "svg", { "--paper", "a3-QUER", "--ratio", "50" }, "width=\"420.031mm\" height=\"297.011mm\"" },
        { "dxf", {}, "" },
    };
    int run = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + c.options.join(' ').toStdString());
        const QString folder = dir.filePath(QString::number(run++));
        QStringList arguments { "render" };
        for (const QString& name : examples)
            arguments << example(name.toLatin1().constData());
        const Outcome outcome = runCli(arguments + QStringList { "-o", folder, "--format", c.format } + c.options);
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        QStringList written;
        for (const QString& name : examples) {
            const QString base = QFileInfo(name).completeBaseName();
            const QString path = folder + "/" + base + "." + c.format;
            written << path;
            ASSERT_TRUE(QFileInfo(path).size() > 0) << path.toStdString();
            if (QByteArray(c.format) == "pdf") {
                EXPECT_TRUE(fenster::test::PdfFileInfo(path).contains(QLatin1String(c.pageSize))) << path.toStdString();
                const QString text = fenster::test::PdfFileText(path);
                EXPECT_TRUE(text.contains(base) && text.contains("M 1:")) << text.toStdString();
            } else if (QByteArray(c.format) == "svg") {
                EXPECT_TRUE(QSvgRenderer(path).isValid()) << path.toStdString();
                QFile svg(path);
                ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
                EXPECT_TRUE(svg.read(400).contains(c.pageSize)) << path.toStdString();
            }
        }
        if (QByteArray(c.format) == "dxf") {
            const QJsonObject read = fenster::test::ReadWithEzdxf(QStringLiteral(FENSTER_CHECK_DXF), written);
            for (const QString& path : written) {
                const QJsonObject one = read.value(path).toObject();
                EXPECT_EQ(one.value("version").toString(), QStringLiteral("AC1015")) << path.toStdString();
                EXPECT_EQ(one.value("audit_errors").toInt(-1), 0) << path.toStdString();
                EXPECT_TRUE(one.value("layer_stats").toObject().contains("Umriss")) << path.toStdString();
            }
        }
    }
}

TEST(CliRender, TrueScaleSheetMeasuresTrueFromOutside)
{
    QTemporaryDir dir;
    // 1500 mm high, 1000 mm wide: 75 x 50 mm on the paper at 1:20.
    const QString window = writeFile(dir, "Haus Berger.Fnt", "1500,1000,1,1500,1,1000,V;");
    const QString pdf = dir.filePath("sheet.pdf");
    const Outcome outcome = runCli({ "render", window, "-o", pdf, "--ratio", "20" });
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    const QImage image = fenster::test::PdfFilePixels(pdf, dir.path());
    // A4 portrait at 10 pixels per mm; the PDF's page is a whole number of points.
    EXPECT_NEAR(image.width(), 2100, 2);
    EXPECT_NEAR(image.height(), 2970, 2);
    const fenster::test::Outline outline = fenster::test::MeasureOutline(image);
    EXPECT_NEAR(outline.width, 500, 3);
    EXPECT_NEAR(outline.height, 750, 3);
    const QString text = fenster::test::PdfFileText(pdf);
    EXPECT_TRUE(text.contains("Haus Berger") && text.contains("M 1:20")) << text.toStdString();

    // Too large for A4 at 1:5: drawn at the ratio it fits, which the sheet
    // and standard error name; the status stays 0.
    const QString fitted = dir.filePath("fitted.pdf");
    const Outcome big = runCli({ "render", window, "-o", fitted, "--ratio", "5" });
    ASSERT_EQ(big.status, 0) << big.err;
    const std::size_t at = big.err.find("is drawn at 1:");
    ASSERT_NE(at, std::string::npos) << big.err;
    const std::string ratio = big.err.substr(at + 14, big.err.find(' ', at + 14) - at - 14);
    EXPECT_GT(std::stoi(ratio), 5);
    EXPECT_TRUE(fenster::test::PdfFileText(fitted).contains(QString::fromStdString("M 1:" + ratio)));
}

TEST(CliRender, BadSheetOptionsWriteNothing)
{
    QTemporaryDir dir;
    const QString window = writeFile(dir, "w.Fnt", "1000,1000,1,1000,1,1000,V;");
    struct Case {
        QStringList options;
        const char* out;
        int status;
        const char* message;
    };
    const Case cases[] = {
        { { "--paper", "A5" }, "a.pdf", 1, "A5" },
        { { "--paper", "Letter", "--ratio", "20" }, "a.svg", 1, "Letter" },
        { { "--ratio", "0" }, "a.pdf", 1, "\"0\"" },
        { { "--ratio", "-3" }, "a.pdf", 1, "\"-3\"" },
        { { "--ratio", "10001" }, "a.pdf", 1, "10001" },
        { { "--ratio", "abc" }, "a.pdf", 1, "abc" },
        { { "--ratio", "20" }, "a.png", 1, "png" },
        { { "--paper", "A4", "--scale", "5" }, "a.pdf", 1, "--scale" },
        { { "--paper", "A4" }, "a.dxf", 1, "DXF" },
        { { "--size", "300x200" }, "a.dxf", 1, "DXF" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString() + " " + c.out);
        const QString out = dir.filePath(c.out);
        const Outcome outcome = runCli(QStringList { "render", window, "-o", out } + c.options);
        EXPECT_EQ(outcome.status, c.status);
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    // What draws nothing and a bad field width, as for the pictures.
    const QString empty = writeFile(dir, "empty.Fnt", "");
    const Outcome nothing = runCli({ "render", empty, "-o", dir.filePath("e.pdf"), "--paper", "A4" });
    EXPECT_EQ(nothing.status, 2);
    EXPECT_NE(nothing.err.find("nothing to draw"), std::string::npos) << nothing.err;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("e.pdf")));
    const QString bad = writeFile(dir, "bad.Fnt", "1000,1000,1,1000,1,F;");
    for (const char* out : { "bad.pdf", "bad.dxf" }) {
        const Outcome outcome = runCli({ "render", bad, "-o", dir.filePath(out), "--format",
            QByteArray(out).endsWith("pdf") ? "pdf" : "dxf" });
        EXPECT_EQ(outcome.status, 137) << out;
        EXPECT_EQ(outcome.out, "Fehler in Datendatei!\n") << out;
        EXPECT_FALSE(QFileInfo::exists(dir.filePath(out)));
    }
}

TEST(CliRender, ConstantScaleAndFittedSizes)
{
    QTemporaryDir dir;
    const QString description = writeFile(dir, "w.Fnt", "1000,500,1,1000,1,500,V;");
    // 5 mm per pixel: the outline is 100 x 200 pixels, plus the pen's
    // overhang; the crop stops one column short on the right.
    ASSERT_EQ(runCli({ "render", description, "-o", dir.filePath("a.png"), "--scale", "5" }).status, 0);
    const QImage constant(dir.filePath("a.png"));
    EXPECT_NEAR(constant.width(), 101, 2);
    EXPECT_NEAR(constant.height(), 201, 2);
    ASSERT_EQ(runCli({ "render", description, "-o", dir.filePath("b.png"), "--scale", "2.5" }).status, 0);
    EXPECT_NEAR(QImage(dir.filePath("b.png")).height(), 401, 2);
    ASSERT_EQ(runCli({ "render", description, "-o", dir.filePath("c.bmp"), "--size", "320x240" }).status, 0);
    const QImage fitted(dir.filePath("c.bmp"));
    EXPECT_EQ(fitted.size(), QSize(320, 240));
    EXPECT_EQ(fitted.depth(), 32); // as loaded; the file holds 24 bits
    QFile bmp(dir.filePath("c.bmp"));
    ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
    const QByteArray header = bmp.read(30);
    EXPECT_EQ(uchar(header[28]), 24);
}

TEST(CliRender, BadFieldWidthEndsWith137)
{
    QTemporaryDir dir;
    const QString bad = writeFile(dir, "bad.Fnt", "1000,1000,1,1000,1,F;");
    const Outcome single = runCli({ "render", bad, "-o", dir.filePath("bad.png") });
    EXPECT_EQ(single.status, 137);
    EXPECT_EQ(single.out, "Fehler in Datendatei!\n");
    for (const char* command : { "layout", "trace" }) {
        const Outcome outcome = runCli({ command, bad });
        EXPECT_EQ(outcome.status, 137) << command;
        EXPECT_TRUE(outcome.out.ends_with("Fehler in Datendatei!\n")) << command;
    }
}

TEST(CliRender, SeveralFilesGoOnPastAFailure)
{
    QTemporaryDir dir;
    const QString good = writeFile(dir, "good.Fnt", "1000,1000,1,1000,1,1000,L,F,K;");
    const QString bad = writeFile(dir, "bad.Fnt", "1000,1000,1,1000,1,x,F;");
    const QString missing = dir.filePath("missing.Fnt");
    const QString later = writeFile(dir, "later.Fnt", "1000,1000,1,1000,1,1000,V;");
    const QString out = dir.filePath("out");
    const Outcome outcome = runCli({ "render", good, bad, missing, later, "-o", out });
    EXPECT_EQ(outcome.status, 137);
    EXPECT_NE(outcome.out.find("bad.Fnt: Fehler in Datendatei!"), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.err.find("missing.Fnt"), std::string::npos) << outcome.err;
    EXPECT_TRUE(QFileInfo::exists(out + "/good.png"));
    EXPECT_TRUE(QFileInfo::exists(out + "/later.png"));
    EXPECT_FALSE(QFileInfo::exists(out + "/bad.png"));

    const Outcome unreadable = runCli({ "render", good, missing, "-o", out });
    EXPECT_EQ(unreadable.status, 2);
}

// Render never succeeds silently: a text that draws nothing and a picture
// beyond the size limits are named and leave no file (an old one stays as it
// was); two files of one name for one folder are refused before anything is
// written.
TEST(CliRender, RefusesWhatItCannotDrawWhole)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray text;
        QStringList options;
        const char* mentions;
    };
    const Case cases[] = {
        { "empty", "", {}, "nothing to draw" },
        { "blanks", "   \r\n  ", {}, "nothing to draw" },
        { "binary", QByteArray("\x00\x01\xff\xfe\x89PNG", 8), {}, "nothing to draw" },
        { "rows without fields", "1000,1000,5,1000;", {}, "nothing to draw" },
        { "blank in a box", "  ", { "--size", "200x200" }, "nothing to draw" },
        { "beyond the size limits", "1000,500,1,1000,1,500,F;", { "--scale", "0.01" }, "choose a larger --scale" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString input = writeFile(dir, "w.Fnt", c.text);
        for (const char* format : { "png", "svg" }) {
            const QString output = dir.filePath(QStringLiteral("w.") + QString::fromLatin1(format));
            fenster::test::WriteBytes(output, "old");
            const Outcome outcome = runCli(QStringList { "render", input, "-o", output } + c.options);
            EXPECT_EQ(outcome.status, 2) << format;
            EXPECT_NE(outcome.err.find(input.toStdString()), std::string::npos) << outcome.err;
            EXPECT_NE(outcome.err.find(c.mentions), std::string::npos) << outcome.err;
            EXPECT_EQ(fenster::test::ReadBytes(output), "old") << format;
        }
    }

    // Same base name in two folders: both named, no folder made, nothing written.
    QDir(dir.path()).mkdir("b");
    const QString first = writeFile(dir, "x.Fnt", "1000,500,1,1000,1,500,F;");
    const QString second = writeFile(dir, "b/x.Fnt", "1000,500,1,1000,1,500,V;");
    const QString other = writeFile(dir, "y.Fnt", "1000,500,1,1000,1,500,V;");
    const QString out = dir.filePath("out");
    const Outcome clash = runCli({ "render", other, first, second, "-o", out });
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.err.find(first.toStdString()), std::string::npos) << clash.err;
    EXPECT_NE(clash.err.find(second.toStdString()), std::string::npos) << clash.err;
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST(CliRender, UsageErrors)
{
    const char* const cases[][6] = {
        { "render", "x.Fnt", nullptr },
        { "render", "x.Fnt", "-o", "x.gif", nullptr },
        { "render", "x.Fnt", "-o", "x.png", "--scale", "0" },
        { "render", "x.Fnt", "-o", "x.png", "--size", "10" },
        { "layout", "x.Fnt", "--scale", "-1", nullptr },
        { "trace", nullptr },
        { "trace", "a.Fnt", "b.Fnt", nullptr },
    };
    for (const auto& c : cases) {
        QStringList arguments;
        for (const char* a : c)
            if (a)
                arguments << QString::fromLatin1(a);
            else
                break;
        EXPECT_EQ(runCli(arguments).status, 1) << arguments.join(' ').toStdString();
    }
}

TEST(CliTrace, RecordsTheCallsAtConstantScale)
{
    QTemporaryDir dir;
    // At 5 mm per pixel with text 13 pixels high the canvas is
    // rnd(500 / 5 + 130 + 2) = 232 wide and rnd(1000 / 5 + 130 + 2) = 332
    // high; the left margin of 20 pixels is 100 mm, the bottom edge 5 mm up.
    // The unhinged sash is mirrored, so its outline starts at the left.
    const Outcome outcome = runCli({ "trace", writeFile(dir, "w.Fnt", "1000,500,1,1000,1,500,F;") });
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.starts_with("polyline pen=dddddd/3/solid/xor 20,331 20,131 120,131 120,331 20,331\n"))
        << outcome.out;
    // Band at 31 mm, glass at 50 mm.
    EXPECT_NE(outcome.out.find("polygon pen=000000/1/solid/copy brush=c0c0c0/solid 26,325 26,137 114,137 114,325\n"),
        std::string::npos)
        << outcome.out;
    const Outcome fitted = runCli({ "trace", writeFile(dir, "w.Fnt", "1000,500,1,1000,1,500,F;"), "--size", "100x100" });
    ASSERT_EQ(fitted.status, 0);
    EXPECT_NE(fitted.out, outcome.out);
}

TEST(CliLayout, ReportsScaleOriginsAndFieldRectangles)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "w.Fnt", "1000,1000,2,600,2,500,F;500,T:10;400,1,1000,V;");
    const Outcome outcome = runCli({ "layout", path, "--scale", "5" });
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    const std::string& json = outcome.out;
    EXPECT_NE(json.find("\"DrawingScale\": 0.2,"), std::string::npos) << json;
    // Left margin 20 pixels = 100 mm; the first field is 500 mm wide.
    EXPECT_NE(json.find("\"AnnotationOrigin\": {\"x\": 600, \"y\": 5}"), std::string::npos) << json;
    EXPECT_NE(json.find("{\"row\": 1, \"field\": 1, \"left\": 20, \"bottom\": 1, \"right\": 120, \"top\": 121}"),
        std::string::npos)
        << json;
    // The empty field keeps its record.
    EXPECT_NE(json.find("{\"row\": 1, \"field\": 2, \"left\": 120, \"bottom\": 1, \"right\": 220, \"top\": 121}"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"row\": 2, \"field\": 1, \"left\": 20, \"bottom\": 121, \"right\": 220, \"top\": 201}"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"Crop\": {"), std::string::npos);
    const Outcome fitted = runCli({ "layout", path, "--size", "400x300" });
    ASSERT_EQ(fitted.status, 0);
    EXPECT_EQ(fitted.out.find("\"Crop\""), std::string::npos);
    EXPECT_NE(fitted.out.find("\"CanvasWidth\": 398"), std::string::npos) << fitted.out;
}

} // namespace
