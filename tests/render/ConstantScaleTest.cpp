#include "ConstantScale.h"
#include "Engine.h"

#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_constantscale_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

TEST(ConstantScale, CanvasSizeBeforeCropping)
{
    // 1000 x 500 mm (height x width) at 5 mm per pixel, t = 13, bottom
    // margin 1: 200 + 10 t + 2 high, 100 + 10 t + 3 wide.
    EXPECT_EQ(ConstantScaleCanvasSize(1000, 500, 5.0, 13, 1), (CanvasSize { 233, 332 }));
    // Halves round to even: 1001 / 2 = 500.5 -> 500.
    EXPECT_EQ(ConstantScaleCanvasSize(1001, 0, 2.0, 0, 0).height, 502);
    // Absurd sizes are bounded in each side and in area.
    const CanvasSize huge = ConstantScaleCanvasSize(2147483647, 2147483647, 1e-3, 13, 0);
    EXPECT_EQ(huge.width, kMaxPictureSide);
    EXPECT_LE((long long)huge.width * huge.height, kMaxPicturePixels);
    EXPECT_EQ(ConstantScaleCanvasSize(0, 0, 5.0, 0, 0), (CanvasSize { 2, 2 }));
    for (double bad : { 0.0, -1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN() })
        EXPECT_THROW(ConstantScaleCanvasSize(1000, 1000, bad, 13, 0), std::invalid_argument);
}

TEST(ConstantScale, CanvasBeyondTheLimitsIsRefused)
{
    struct Case {
        const char* name;
        int height;
        int width;
        double mmPerPixel;
        bool refused;
    };
    // With a text height of 0 a side is rnd(mm / f + 2) pixels.
    const Case cases[] = {
        { "a window at 5 mm per pixel", 1000, 1000, 5.0, false },
        { "a window at 0.01 mm per pixel", 1000, 1000, 0.01, true },
        { "width at the side limit", 1, 16382, 1.0, false },
        { "width one beyond the side limit", 1, 16383, 1.0, true },
        { "height one beyond the side limit", 16383, 1, 1.0, true },
        { "area at the limit", 4094, 4094, 1.0, false },
        { "area one column beyond the limit", 4094, 4095, 1.0, true },
        { "absurd overall size", 2147483647, 2147483647, 1e-3, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.refused)
            EXPECT_THROW(CheckConstantScaleCanvasSize(c.height, c.width, c.mmPerPixel, 0, 0), PictureTooLargeError);
        else
            EXPECT_NO_THROW(CheckConstantScaleCanvasSize(c.height, c.width, c.mmPerPixel, 0, 0));
    }
    EXPECT_THROW(CheckConstantScaleCanvasSize(1000, 1000, 0.0, 13, 0), std::invalid_argument);

    // The whole picture is refused, not cut, and the message gives the size.
    ensureApplication();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    ConstantScaleJob job;
    job.description = "1000,500,1,1000,1,500,V;";
    job.mmPerPixel = 0.01;
    try {
        RenderConstantScale(font, job);
        ADD_FAILURE() << "a canvas of 50000 x 100000 pixels was drawn";
    } catch (const PictureTooLargeError& error) {
        EXPECT_GT(error.width, 50000);
        EXPECT_GT(error.height, 100000);
        EXPECT_NE(std::string(error.what()).find("16.384"), std::string::npos) << error.what();
    }
}

TEST(ConstantScale, PictureIsCroppedAndTheSameEveryTime)
{
    ensureApplication();
    Settings() = DrawingSettings {};
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    ConstantScaleJob job;
    job.description = "1000,500,1,1000,1,500,V;";
    job.mmPerPixel = 5.0;
    job.leftMargin = 20;
    const ConstantScalePicture first = RenderConstantScale(font, job);
    const ConstantScalePicture second = RenderConstantScale(font, job);
    EXPECT_EQ(first.image, second.image);
    EXPECT_EQ(first.canvas, ConstantScaleCanvasSize(1000, 500, 5.0, TextHeightOfW(font), 0));
    EXPECT_EQ(first.image.size(), QSize(first.crop.width(), first.crop.height()));
    // The outline of 100 x 200 pixels with its three-pixel pen, less the
    // last column the crop leaves out.
    EXPECT_NEAR(first.image.width(), 101, 2);
    EXPECT_NEAR(first.image.height(), 201, 2);
    EXPECT_LT(qGray(first.image.pixel(0, first.image.height() / 2)), 128);

    // Annotations are drawn on the same canvas, after the window.
    int calls = 0;
    job.annotations = [&](Canvas& canvas) {
        ++calls;
        canvas.setPen({ kBlack, 1, PenStyle::Solid, PenMix::Copy });
        // Left of the window, which starts 20 pixels in.
        canvas.moveTo({ 2, 5 });
        canvas.lineTo({ 8, 5 });
    };
    const ConstantScalePicture annotated = RenderConstantScale(font, job);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(annotated.image.width(), first.image.width());

    job.description = "1000,500,1,1000,1,x,V;";
    EXPECT_THROW(RenderConstantScale(font, job), DataFileError);
}

TEST(ConstantScale, FittedPictureHasTheBoxSize)
{
    ensureApplication();
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    const QImage image = RenderFitted(font, "1000,1000,1,1000,1,1000,L,F;", { 300, 200 }, EdgeDimensions::On);
    EXPECT_EQ(image.size(), QSize(300, 200));
    EXPECT_EQ(Engine().CanvasWidth, 298);
    EXPECT_EQ(Engine().CanvasHeight, 198);
    EXPECT_TRUE(Engine().FieldRectTable[1][1].valid);
}

} // namespace
} // namespace fenster
