// The true-scale sheet, measured from outside: the PDF turned into pixels
// by pdftoppm at 254 dpi (10 pixels per mm), the SVG by Qt's renderer at
// the same resolution, and the caption read back by pdftotext.

#include "TrueScalePage.h"

#include "DiskFiles.h"
#include "Engine.h"

#include "VectorFiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_truescale_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

using test::MeasureOutline;
using test::Outline;
using test::PdfPixels;
using test::PdfText;

constexpr double kPixelsPerMm = test::kSheetPixelsPerMm; // 254 dpi

QImage pdfPixels(const QByteArray& pdf, const QTemporaryDir& folder)
{
    return PdfPixels(pdf, folder.path());
}

QString pdfText(const QByteArray& pdf, const QTemporaryDir& folder)
{
    return PdfText(pdf, folder.path());
}

QImage svgPixels(const QByteArray& svg, PaperMm paper)
{
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(rnd(paper.width * kPixelsPerMm), rnd(paper.height * kPixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    return image;
}

Outline measureOutline(const QImage& image)
{
    return MeasureOutline(image);
}

TrueScaleJob jobFor(std::string description, Paper paper, int ratio, PageFormat format = PageFormat::Pdf)
{
    TrueScaleJob job;
    job.drawing.description = std::move(description);
    job.drawing.edgeDimensions = EdgeDimensions::Off;
    job.documentName = "Haus Berger";
    job.paper = paper;
    job.ratio = ratio;
    job.format = format;
    return job;
}

constexpr Paper kA4 { PaperSize::A4, PaperOrientation::Portrait };
constexpr Paper kA3Landscape { PaperSize::A3, PaperOrientation::Landscape };

} // namespace

TEST(TrueScalePaper, NamesAndRatios)
{
    struct PaperCase {
        const char* text;
        Paper paper;
    };
    const PaperCase papers[] = {
        { "A4", kA4 },
        { "a4-hoch", kA4 },
        { "A4-quer", { PaperSize::A4, PaperOrientation::Landscape } },
        { "A3", { PaperSize::A3, PaperOrientation::Portrait } },
        { "A3-QUER", kA3Landscape },
    };
    for (const PaperCase& c : papers) {
        EXPECT_EQ(ParsePaper(c.text), c.paper) << c.text;
        EXPECT_EQ(ParsePaper(PaperName(c.paper)), c.paper) << c.text;
    }
    EXPECT_EQ(PaperDimensions(kA3Landscape).width, 420.0);
    EXPECT_EQ(PaperDimensions(kA3Landscape).height, 297.0);
    for (const char* bad : { "", "A5", "Letter", "A4-schief", "A4 quer", "4" }) {
        try {
            ParsePaper(bad);
            ADD_FAILURE() << "accepted \"" << bad << "\"";
        } catch (const TrueScaleError& e) {
            EXPECT_NE(std::string(e.what()).find("A3-quer"), std::string::npos) << e.what();
        }
    }

    struct RatioCase {
        const char* text;
        int ratio;
    };
    for (const RatioCase& c : { RatioCase { "20", 20 }, { "1:25", 25 }, { "1", 1 }, { "10000", 10000 } })
        EXPECT_EQ(ParseRatio(c.text), c.ratio) << c.text;
    for (const char* bad : { "0", "-20", "10001", "1:0", "20.5", "", "x", "1:", "99999999999999999999" })
        EXPECT_THROW(ParseRatio(bad), TrueScaleError) << bad;
    for (int bad : { 0, -1, -10000, 10001 })
        EXPECT_THROW(CheckRatio(bad), TrueScaleError) << bad;

    EXPECT_EQ(PageFormatForPath(QStringLiteral("/tmp/a.PDF")), PageFormat::Pdf);
    EXPECT_EQ(PageFormatForPath(QStringLiteral("b.svg")), PageFormat::Svg);
    EXPECT_FALSE(PageFormatForPath(QStringLiteral("c.dxf")).has_value());
}

TEST(TrueScalePage, AbsurdRatiosAreRefused)
{
    ensureApplication();
    for (int ratio : { 0, -5, 10001 }) {
        try {
            RenderTrueScalePage(jobFor("1000,1000,1,1000,1,1000,V;", kA4, ratio));
            ADD_FAILURE() << "drew at 1:" << ratio;
        } catch (const TrueScaleError& e) {
            EXPECT_NE(std::string(e.what()).find(std::to_string(ratio)), std::string::npos) << e.what();
        }
    }
}

TEST(TrueScalePage, LengthsMeasureTrueOnTheSheet)
{
    ensureApplication();
    QTemporaryDir folder;
    struct Case {
        const char* name;
        const char* description;
        Paper paper;
        int ratio;
        double widthMm; // of the window
        double heightMm;
    };
    const Case cases[] = {
        { "1:20 on A4", "1500,1000,1,1500,1,1000,V;", kA4, 20, 1000, 1500 },
        { "1:50 on A3 landscape", "2000,4000,1,2000,2,2000,V;2000,V;", kA3Landscape, 50, 4000, 2000 },
        { "1:25 on A4", "1200,1800,2,600,1,1800,V;600,1,1800,V;", kA4, 25, 1800, 1200 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const PageFormat format : { PageFormat::Pdf, PageFormat::Svg }) {
            const TrueScalePage page = RenderTrueScalePage(jobFor(c.description, c.paper, c.ratio, format));
            EXPECT_EQ(page.ratio, c.ratio);
            EXPECT_FALSE(page.fitted);
            const PaperMm paper = PaperDimensions(c.paper);
            const QImage image = format == PageFormat::Pdf ? pdfPixels(page.bytes, folder) : svgPixels(page.bytes, paper);
            ASSERT_FALSE(image.isNull());
            // PDF page sizes are whole points: A3 is 1191 points, 420.2 mm.
            EXPECT_NEAR(image.width(), paper.width * kPixelsPerMm, 2.5);
            EXPECT_NEAR(image.height(), paper.height * kPixelsPerMm, 2.5);
            const Outline outline = measureOutline(image);
            EXPECT_NEAR(outline.width, c.widthMm / c.ratio * kPixelsPerMm, 1.5) << (format == PageFormat::Pdf ? "pdf" : "svg");
            EXPECT_NEAR(outline.height, c.heightMm / c.ratio * kPixelsPerMm, 1.5) << (format == PageFormat::Pdf ? "pdf" : "svg");
            // Centred in the sheet above the caption.
            const double middle = (outline.box.left + outline.box.right) / 2.0;
            EXPECT_NEAR(middle, image.width() / 2.0, 3.0);
        }
        const TrueScalePage pdf = RenderTrueScalePage(jobFor(c.description, c.paper, c.ratio));
        const QString text = pdfText(pdf.bytes, folder);
        EXPECT_TRUE(text.contains(QStringLiteral("Haus Berger"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("M 1:%1").arg(c.ratio))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("verkleinert"))) << text.toStdString();
    }
}

TEST(TrueScalePage, AnOversizedDrawingIsFittedAndSaysItsRealRatio)
{
    ensureApplication();
    QTemporaryDir folder;
    // Ten metres wide at 1:10 would need a sheet a metre wide.
    const TrueScalePage page = RenderTrueScalePage(jobFor("1000,10000,1,1000,1,10000,V;", kA4, 10));
    EXPECT_TRUE(page.fitted);
    // The smallest whole N that fits the 190 mm between the margins.
    EXPECT_LE(10000.0 / page.ratio, 190.0);
    EXPECT_GT(10000.0 / (page.ratio - 1), 190.0 - 0.5);
    const QImage image = pdfPixels(page.bytes, folder);
    const Outline outline = measureOutline(image);
    EXPECT_NEAR(outline.width, 10000.0 / page.ratio * kPixelsPerMm, 1.5);
    EXPECT_NEAR(outline.height, 1000.0 / page.ratio * kPixelsPerMm, 1.5);
    const QString text = pdfText(page.bytes, folder);
    EXPECT_TRUE(text.contains(QStringLiteral("M 1:%1 ").arg(page.ratio))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1:10 passt nicht auf A4 hoch"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("M 1:10 "))) << text.toStdString();

    // A window 200 km wide goes straight to its ratio, not drawn large first.
    const TrueScalePage huge = RenderTrueScalePage(jobFor("1000,200000000,1,1000,1,200000000,V,g;", kA4, 20));
    EXPECT_TRUE(huge.fitted);
    EXPECT_GE(huge.ratio, 200000000 / 190);
    EXPECT_LE(huge.ratio, 200000000 / 180);

    EXPECT_EQ(TrueScaleCaption("Haus", 53, 10, kA4), "Haus   M 1:53 (verkleinert: 1:10 passt nicht auf A4 hoch)");
    EXPECT_EQ(TrueScaleCaption("", 20, 20, kA4), "M 1:20");
}

TEST(TrueScalePage, DimensionsAndAnnotationsStayOnTheSheet)
{
    ensureApplication();
    QTemporaryDir folder;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("Pfeil.bmp"))));
    // A tall window with its chains, a free dimension far to the left and a
    // symbol above it: at 1:10 it needs more than A4, so it is fitted with
    // everything inside the margins.
    TrueScaleJob job = jobFor("2400,1200,2,1200,2,600,L,F;600,R,F;1200,1,1200,V;", kA4, 10);
    job.drawing.edgeDimensions = EdgeDimensions::On;
    job.drawing.dimensionLines = "M:-600,0,-600,2400,0,-300;";
    job.drawing.symbols = "B:Pfeil.bmp,0,2700,10,0.1;";
    job.drawing.symbolFolder = folder.path().toStdString();
    const TrueScalePage page = RenderTrueScalePage(job);
    EXPECT_TRUE(page.annotationErrors.empty());
    EXPECT_TRUE(page.fitted);
    const QImage image = pdfPixels(page.bytes, folder);
    const test::DarkBox box = test::DarkBoxAbove(image, image.height());
    const int margin = rnd(10 * kPixelsPerMm);
    EXPECT_GE(box.left, margin - 2);
    EXPECT_GE(box.top, margin - 2);
    EXPECT_LE(box.right, image.width() - margin + 2);
    EXPECT_LE(box.bottom, image.height() - margin + 2);
    const QString text = pdfText(page.bytes, folder);
    EXPECT_TRUE(text.contains(QStringLiteral("2400"))) << text.toStdString();
}

TEST(TrueScalePage, KeepsTheEditorsEngineStateAndReportsFiles)
{
    ensureApplication();
    QTemporaryDir folder;
    Engine().DrawingScale = 0.25;
    Engine().SymbolRects = { { 1, 2, 3, 4 } };
    const TrueScaleJob job = jobFor("1000,1000,1,1000,1,1000,V;", kA4, 20);
    const QString path = folder.filePath(QStringLiteral("sheet.pdf"));
    const TrueScalePage page = WriteTrueScalePage(job, path);
    EXPECT_EQ(Engine().DrawingScale, 0.25);
    ASSERT_EQ(Engine().SymbolRects.size(), 1u);
    EXPECT_EQ(ReadFileBytes(path), page.bytes);
    EXPECT_TRUE(page.bytes.startsWith("%PDF"));

    EXPECT_THROW(WriteTrueScalePage(job, folder.filePath(QStringLiteral("no/such/sheet.pdf"))), FileError);
    TrueScaleJob bad = job;
    bad.drawing.description = "1000,1000,1,1000,1,x,V;";
    EXPECT_THROW(WriteTrueScalePage(bad, folder.filePath(QStringLiteral("bad.pdf"))), DataFileError);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("bad.pdf"))));

    // A missing picture is reported; the sheet is still made.
    TrueScaleJob missing = job;
    missing.drawing.symbols = "B:Fehlt.bmp,0,0,10,1;";
    missing.drawing.symbolFolder = folder.path().toStdString();
    const TrueScalePage withError = RenderTrueScalePage(missing);
    ASSERT_EQ(withError.annotationErrors.size(), 1u);
    EXPECT_FALSE(withError.bytes.isEmpty());

    const TrueScaleJob svg = jobFor("1000,1000,1,1000,1,1000,V;", kA4, 20, PageFormat::Svg);
    const QByteArray bytes = RenderTrueScalePage(svg).bytes;
    EXPECT_TRUE(bytes.contains("<svg")) << bytes.left(400).toStdString();
}

} // namespace fenster
