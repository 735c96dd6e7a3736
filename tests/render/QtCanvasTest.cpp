#include "Engine.h"
#include "QtCanvas.h"
#include "Raster.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <functional>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_qtcanvas_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

constexpr QRgb kWhiteRgb = 0xffffffffu;
// The outline's light grey inverted on white.
constexpr QRgb kOutlineOnWhite = 0xff222222u;

// Two fields of 100 mm side by side with sill connection, so that only their
// outlines are drawn; 1 pixel per mm, edge dimensions off. The window's
// bottom edge lies 5 mm above the canvas bottom, its left edge 1 mm right
// of the canvas' left edge.
constexpr const char* kTwoFields = "100,200,1,100,2,100,B;100,B;";
constexpr int kCanvasWidth = 220;
constexpr int kCanvasHeight = 120;

void drawTwoFields(Canvas& canvas)
{
    Settings() = DrawingSettings {};
    DrawWindow(canvas, 1, 0, kCanvasWidth, kCanvasHeight, kTwoFields, EdgeDimensions::Off, -1, -1, 1.0);
}

QImage whiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void expectSharedEdgeCancelled(const QImage& image)
{
    const int middleRow = kCanvasHeight - (5 + 50);
    // The edge both fields draw, at x = 1 + 100, and the pixels of its
    // three-pixel-wide pen.
    for (int x = 100; x <= 102; ++x)
        EXPECT_EQ(image.pixel(x, middleRow), kWhiteRgb) << x;
    // Edges drawn once show dark grey.
    EXPECT_EQ(image.pixel(1, middleRow), kOutlineOnWhite);
    EXPECT_EQ(image.pixel(201, middleRow), kOutlineOnWhite);
    EXPECT_EQ(image.pixel(50, kCanvasHeight - 105), kOutlineOnWhite);
    EXPECT_EQ(image.pixel(150, kCanvasHeight - 5), kOutlineOnWhite);
    EXPECT_EQ(image.pixel(50, middleRow), kWhiteRgb);
}

TEST(QtCanvas, ExclusiveOrOutlineCancelsTheSharedEdgeOnAnImage)
{
    ensureApplication();
    QImage image = whiteImage(kCanvasWidth, kCanvasHeight);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        drawTwoFields(canvas);
    }
    expectSharedEdgeCancelled(image);
    // No antialiasing: white or the outline colour, nothing between.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_TRUE(p == kWhiteRgb || p == kOutlineOnWhite) << x << "," << y;
        }
}

TEST(QtCanvas, ExclusiveOrOutlineCancelsWithThePaintersRasterOperation)
{
    ensureApplication();
    QPixmap pixmap(kCanvasWidth, kCanvasHeight);
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        QtCanvas canvas(painter);
        drawTwoFields(canvas);
    }
    expectSharedEdgeCancelled(pixmap.toImage().convertToFormat(QImage::Format_RGB32));
}

TEST(QtCanvas, ExclusiveOrOutlineCancelsInScalableVectorGraphics)
{
    ensureApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(QSize(kCanvasWidth, kCanvasHeight));
        generator.setViewBox(QRect(0, 0, kCanvasWidth, kCanvasHeight));
        QPainter painter(&generator);
        QtCanvas canvas(painter);
        drawTwoFields(canvas);
        canvas.finish();
    }
    QSvgRenderer renderer(buffer.data());
    ASSERT_TRUE(renderer.isValid());
    QImage image = whiteImage(kCanvasWidth, kCanvasHeight);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(0, 0, kCanvasWidth, kCanvasHeight));
    }
    const int middleRow = kCanvasHeight - (5 + 50);
    EXPECT_EQ(image.pixel(101, middleRow), kWhiteRgb);
    EXPECT_EQ(qGray(image.pixel(1, middleRow)), qGray(kOutlineOnWhite));
    EXPECT_EQ(qGray(image.pixel(50, kCanvasHeight - 105)), qGray(kOutlineOnWhite));
}

TEST(QtCanvas, OverlappingStretchesCancelWhereDrawnTwice)
{
    ensureApplication();
    // A bottom row of one field under a top row of two: the long edge
    // between the rows cancels against both shorter ones.
    QImage image = whiteImage(kCanvasWidth, 220);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        DrawWindow(canvas, 1, 0, kCanvasWidth, 220, "200,200,2,100,1,200,B;100,2,100,B;100,B;", EdgeDimensions::Off,
            -1, -1, 1.0);
    }
    const int rowEdge = 220 - (5 + 100);
    EXPECT_EQ(image.pixel(50, rowEdge), kWhiteRgb);
    EXPECT_EQ(image.pixel(150, rowEdge), kWhiteRgb);
    EXPECT_EQ(image.pixel(50, 220 - 5), kOutlineOnWhite);
}

TEST(QtCanvas, TrimmingKeepsExactlyTheDrawnRectangle)
{
    ensureApplication();
    QImage image = whiteImage(400, 300);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setPen({ kBlack, 1, PenStyle::Solid, PenMix::Copy });
        canvas.setBrush({ kBlack, BrushStyle::Solid });
        // The platform rectangle covers columns 50..149 and rows 20..79.
        canvas.rectangle({ 150, 80, 50, 20 });
    }
    RasterImage raster = FromQImage(image);
    TrimToContent(raster, 250, ContentIs::Darker);
    ASSERT_EQ(raster.width, 100);
    ASSERT_EQ(raster.height, 60);
    for (std::uint32_t pixel : raster.pixels)
        ASSERT_EQ(pixel, 0xff000000u);
}

TEST(QtCanvas, PixelsOfLinesOutlinesAndAndCopies)
{
    ensureApplication();
    QImage image = whiteImage(100, 100);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setPen({ kBlack, 1, PenStyle::Solid, PenMix::Copy });
        // The end pixel of a one-pixel line is left out.
        canvas.moveTo({ 10, 10 });
        canvas.lineTo({ 20, 10 });
        // An outline only: the rectangle's pen runs inside left..right-1.
        canvas.setBrush({ kWhite, BrushStyle::Clear });
        canvas.rectangle({ 30, 30, 40, 40 });
        // AND copy of white | black onto 60..79 x 60..69.
        RasterImage pattern(2, 1, 0xffffffffu);
        pattern.setPixel(1, 0, 0xff000000u);
        canvas.stretchCopyAnd({ 60, 60, 80, 70 }, pattern);
        // Exclusive-or twice at the same place leaves nothing.
        canvas.setPen({ kRed, 1, PenStyle::Solid, PenMix::Xor });
        for (int i = 0; i < 2; ++i) {
            canvas.moveTo({ 10, 90 });
            canvas.lineTo({ 90, 90 });
        }
    }
    EXPECT_EQ(image.pixel(10, 10), 0xff000000u);
    EXPECT_EQ(image.pixel(19, 10), 0xff000000u);
    EXPECT_EQ(image.pixel(20, 10), kWhiteRgb);
    EXPECT_EQ(image.pixel(30, 35), 0xff000000u);
    EXPECT_EQ(image.pixel(39, 35), 0xff000000u);
    EXPECT_EQ(image.pixel(40, 35), kWhiteRgb);
    EXPECT_EQ(image.pixel(35, 35), kWhiteRgb);
    EXPECT_EQ(image.pixel(65, 65), kWhiteRgb);
    EXPECT_EQ(image.pixel(75, 65), 0xff000000u);
    EXPECT_EQ(image.pixel(50, 90), kWhiteRgb);
}

TEST(QtCanvas, TextMeasuresFollowTheFont)
{
    ensureApplication();
    QImage image = whiteImage(200, 100);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    QFont font("Arial");
    font.setPointSize(8);
    canvas.setFont(font);
    // 8 points at 96 dpi.
    EXPECT_EQ(canvas.fontHeight(), 11);
    const TextSize one = canvas.textExtent("1");
    const TextSize four = canvas.textExtent("1000");
    EXPECT_GT(one.height, 0);
    EXPECT_GT(four.width, one.width);
    canvas.textOut({ 10, 10 }, "1000");
    canvas.finish();
    painter.end();
    bool inked = false;
    for (int y = 10; y < 10 + one.height; ++y)
        for (int x = 10; x < 10 + four.width; ++x)
            inked = inked || qGray(image.pixel(x, y)) < 128;
    EXPECT_TRUE(inked);
}

} // namespace
} // namespace fenster
