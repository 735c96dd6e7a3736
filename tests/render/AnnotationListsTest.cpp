#include "AnnotationLists.h"

#include "Engine.h"
#include "PictureLoader.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <map>
#include <string>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_annotations_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

// Pictures from memory; counts how often each is asked for.
class MemoryPictures : public PictureSource {
public:
    std::map<std::string, RasterImage> pictures;
    std::map<std::string, int> loads;
    std::string lastFolder;

    bool load(std::string_view folder, std::string_view name, RasterImage& picture, std::string& error) override
    {
        lastFolder = std::string(folder);
        ++loads[std::string(name)];
        const auto found = pictures.find(std::string(name));
        if (found == pictures.end()) {
            error = "Datei nicht gefunden";
            return false;
        }
        picture = found->second;
        return true;
    }
};

// Scale 1 pixel per mm, canvas 1000 pixels high, annotation origin (0, 0):
// the mm point (x, y) is the pixel (x, 1000 - y).
class AnnotationListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Engine() = EngineState {};
        Settings() = DrawingSettings {};
        Engine().DrawingScale = 1.0;
        Engine().CanvasHeight = 1000;
        pictures.pictures["tuer.bmp"] = RasterImage(40, 20, 0xff000000u);
        pictures.pictures["odd.bmp"] = RasterImage(41, 21, 0xff000000u);
    }
    void TearDown() override
    {
        Engine() = EngineState {};
        Settings() = DrawingSettings {};
    }

    RecordingCanvas canvas;
    MemoryPictures pictures;
};

TEST_F(AnnotationListsTest, SymbolSizeFollowsDrawingScaleAndSizeField)
{
    struct Case {
        const char* name;
        double scale;
        const char* list;
        SymbolRect rect;
    };
    const Case cases[] = {
        // Placed at 0.5, drawn at 1.0: twice its natural 40 x 20.
        { "placed at half the scale", 1.0, "B:tuer.bmp,100,200,10,0,5;", { 60, 140, 780, 820 } },
        // Size 15 at its placement scale: 60 x 30 around (50, 900).
        { "size 15", 0.5, "B:tuer.bmp,100,200,15,0.5;", { 20, 80, 885, 915 } },
        // Odd sizes put the extra pixel right and below.
        { "odd natural size", 1.0, "B:odd.bmp,100,200,10,1;", { 80, 121, 790, 811 } },
        { "size below 1 draws nothing", 1.0, "B:tuer.bmp,100,200,-3,1;", { 100, 100, 800, 800 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        Engine().DrawingScale = c.scale;
        DrawSymbolList(canvas, c.list, "/symbole", -1, pictures);
        ASSERT_EQ(Engine().SymbolRects.size(), 1u);
        EXPECT_EQ(Engine().SymbolRects[0], c.rect);
        const auto copies = canvas.callsOf(CallKind::ImageAnd);
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(copies[0].rect, (PixelRect { c.rect.left, c.rect.top, c.rect.right, c.rect.bottom }));
    }
    EXPECT_EQ(pictures.lastFolder, "/symbole");
}

TEST_F(AnnotationListsTest, SelectedSymbolIsFramedInRedAndTheBrushIsSolidAgain)
{
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    DrawSymbolList(canvas, "B:tuer.bmp,100,200,10,1;\r\nB:tuer.bmp,300,200,10,1;\r\nB:odd.bmp,0,0,10,1;", "", 1,
        pictures);
    ASSERT_EQ(Engine().SymbolRects.size(), 3u);
    EXPECT_EQ(Engine().SymbolRects[1], (SymbolRect { 280, 320, 790, 810 }));
    const auto frames = canvas.callsOf(CallKind::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (PixelRect { 278, 788, 322, 812 }));
    EXPECT_EQ(frames[0].pen.colour, kRed);
    EXPECT_EQ(frames[0].brush.style, BrushStyle::Clear);
    EXPECT_EQ(canvas.brush().style, BrushStyle::Solid);
    EXPECT_EQ(canvas.pen().colour, kRed);
    // The same picture twice is loaded once.
    EXPECT_EQ(pictures.loads["tuer.bmp"], 1);
}

TEST_F(AnnotationListsTest, SymbolListErrorsStopAtTheRecordAndNameIt)
{
    struct Case {
        const char* name;
        const char* list;
        std::size_t drawn;
        const char* messagePart;
    };
    const Case cases[] = {
        { "missing picture", "B:tuer.bmp,0,0,10,1;\nB:fehlt.bmp,0,0,10,1;\nB:tuer.bmp,0,0,10,1;", 1,
            "Symbolliste, Eintrag 2" },
        { "bad number", "B:tuer.bmp,0,0,10,1;\nB:tuer.bmp,0,y,10,1;", 1, "''y''" },
        { "placement scale 0", "B:tuer.bmp,0,0,10,0;", 0, "nicht größer als 0" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        Engine().SymbolRects.assign(5, SymbolRect { 1, 2, 3, 4 });
        try {
            DrawSymbolList(canvas, c.list, "", -1, pictures);
            ADD_FAILURE() << "no error";
        } catch (const AnnotationListError& e) {
            EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << e.what();
        }
        EXPECT_EQ(canvas.callsOf(CallKind::ImageAnd).size(), c.drawn);
        ASSERT_EQ(Engine().SymbolRects.size(), c.drawn + 1);
        EXPECT_EQ(Engine().SymbolRects.back(), SymbolRect {});
    }
}

TEST_F(AnnotationListsTest, EmptySymbolListKeepsThePreviousRectsAndShorterListsShrinkThem)
{
    Engine().SymbolRects.assign(3, SymbolRect { 1, 2, 3, 4 });
    DrawSymbolList(canvas, " \r\n ", "", -1, pictures);
    EXPECT_EQ(Engine().SymbolRects.size(), 3u);
    DrawSymbolList(canvas, "\r\nB:tuer.bmp,0,0,10,1;", "", -1, pictures);
    ASSERT_EQ(Engine().SymbolRects.size(), 1u);
    EXPECT_EQ(Engine().SymbolRects[0], (SymbolRect { -20, 20, 990, 1010 }));
}

TEST_F(AnnotationListsTest, OnlyTheSelectedDimensionLineIsBlue)
{
    Settings().Color = Colour { 0, 128, 0 };
    Engine().SelectedDimLine = 2;
    DrawDimensionList(canvas, "M:0,0,100,0,10,0;\r\nM:0,0,200,0,10,0;\r\nM:0,0,300,0,10,0;");
    const auto lines = canvas.callsOf(CallKind::Line);
    ASSERT_EQ(lines.size(), 15u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].pen, (Pen { i / 5 == 1 ? kBlue : Settings().Color, 1, PenStyle::Solid, PenMix::Copy }));
    }
    EXPECT_EQ(Engine().currentColour, Settings().Color);
    EXPECT_EQ(Engine().SelectedDimLine, 2);
}

TEST_F(AnnotationListsTest, DimensionListErrorsKeepTheRecordsBefore)
{
    struct Case {
        const char* name;
        const char* list;
        std::size_t texts;
        const char* messagePart;
    };
    const Case cases[] = {
        { "second record bad", "M:0,0,100,0,10,0;\nM:0,0,x,0,10,0;\nM:0,0,100,0,10,0;", 1, "Eintrag 2" },
        { "leading line break fails the first record", "\r\nM:0,0,100,0,10,0;", 0, "Eintrag 1" },
        { "missing semicolon", "M:0,0,100,0,10,0", 0, "\";\"" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.clear();
        EXPECT_THROW(
            {
                try {
                    DrawDimensionList(canvas, c.list);
                } catch (const AnnotationListError& e) {
                    EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << e.what();
                    throw;
                }
            },
            AnnotationListError);
        EXPECT_EQ(canvas.callsOf(CallKind::Text).size(), c.texts);
    }
    canvas.clear();
    EXPECT_NO_THROW(DrawDimensionList(canvas, " \r\n "));
    EXPECT_TRUE(canvas.calls().empty());
}

TEST_F(AnnotationListsTest, AnnotationsMoveWithTheFirstFieldOfTheBottomRow)
{
    const char* list = "B:tuer.bmp,100,50,10,1;";
    const char* lines = "M:0,0,100,0,10,0;";
    int left[2] = {};
    int lineStart[2] = {};
    const char* descriptions[2] = { "1000,1000,1,1000,2,400,F,600,F;", "1000,1100,1,1000,2,500,F,600,F;" };
    for (int i = 0; i < 2; ++i) {
        canvas.clear();
        DrawWindow(canvas, 0, 0, 2000, 1000, descriptions[i], EdgeDimensions::Off, -1, -1, 0.5);
        canvas.clear();
        DrawDimensionList(canvas, lines);
        DrawSymbolList(canvas, list, "", -1, pictures);
        left[i] = Engine().SymbolRects[0].left;
        lineStart[i] = canvas.callsOf(CallKind::Line)[0].points[0].x;
    }
    EXPECT_EQ(left[1] - left[0], 50); // 100 mm at 0.5
    EXPECT_EQ(lineStart[1] - lineStart[0], 50);
}

// --- Pixels on a real image ---------------------------------------------------

TEST(AnnotationListsPixels, AndCopyLeavesWhiteUntouchedAndDarkensWithDark)
{
    ensureApplication();
    Engine() = EngineState {};
    Engine().DrawingScale = 1.0;
    Engine().CanvasHeight = 100;
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(QColor(200, 100, 50));
    // Left half white, right half a grey of 0x80.
    RasterImage picture(4, 2, 0xffffffffu);
    for (int y = 0; y < 2; ++y)
        for (int x = 2; x < 4; ++x)
            picture.setPixel(x, y, 0xff808080u);
    MemoryPictures pictures;
    pictures.pictures["p.bmp"] = picture;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        // Centre (50, 50), natural size times 10: 40 x 20 pixels.
        DrawSymbolList(canvas, "B:p.bmp,50,50,100,1;", "", -1, pictures);
    }
    EXPECT_EQ(Engine().SymbolRects[0], (SymbolRect { 30, 70, 40, 60 }));
    EXPECT_EQ(image.pixel(35, 50), qRgb(200, 100, 50)); // under white
    EXPECT_EQ(image.pixel(65, 50), qRgb(200 & 0x80, 100 & 0x80, 50 & 0x80)); // under grey
    EXPECT_EQ(image.pixel(75, 50), qRgb(200, 100, 50)); // outside
    Engine() = EngineState {};
}

// --- Picture files -------------------------------------------------------------

TEST(PictureFiles, LooksInTheSymbolFolderThenTheProgramFolderIgnoringCaseWhenNeeded)
{
    ensureApplication();
    QTemporaryDir symbols;
    QTemporaryDir program;
    ASSERT_TRUE(symbols.isValid() && program.isValid());
    QImage small(3, 2, QImage::Format_ARGB32);
    small.fill(Qt::black);
    small.setPixel(0, 0, qRgba(0, 0, 0, 0)); // transparent: counts as white
    ASSERT_TRUE(small.save(symbols.filePath("Fenster.png")));
    ASSERT_TRUE(QDir(symbols.path()).mkdir("Sub"));
    ASSERT_TRUE(small.save(symbols.filePath("Sub/tuer.bmp")));
    QImage wide(5, 1, QImage::Format_RGB32);
    wide.fill(Qt::gray);
    ASSERT_TRUE(wide.save(program.filePath("pfeil.bmp")));
    ASSERT_TRUE(wide.save(program.filePath("fenster.png"))); // exact name beats a case match
    QFile garbage(symbols.filePath("kaputt.bmp"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM not a picture");
    garbage.close();
    // A pipe named like a picture must not make the drawing wait.
    ASSERT_EQ(::mkfifo(QFile::encodeName(symbols.filePath("rohr.bmp")).constData(), 0600), 0);

    PictureFiles files(program.path());
    const std::string folder = symbols.path().toStdString();
    struct Case {
        const char* name;
        bool found;
        int width;
    };
    const Case cases[] = {
        { "Fenster.png", true, 3 },
        { "fenster.png", true, 5 },
        { "FENSTER.PNG", true, 3 },
        { "sub\\TUER.bmp", true, 3 },
        { "pfeil.bmp", true, 5 },
        { "PFEIL.BMP", true, 5 },
        { "fehlt.bmp", false, 0 },
        { "kaputt.bmp", false, 0 },
        { "rohr.bmp", false, 0 },
        { "", false, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RasterImage picture;
        std::string error;
        EXPECT_EQ(files.load(folder, c.name, picture, error), c.found) << error;
        EXPECT_EQ(picture.width, c.width);
        if (!c.found) {
            EXPECT_FALSE(error.empty());
        }
    }
    RasterImage picture;
    std::string error;
    ASSERT_TRUE(files.load(folder, "Fenster.png", picture, error));
    EXPECT_EQ(picture.pixel(0, 0), 0xffffffffu);
    EXPECT_EQ(picture.pixel(1, 0), 0xff000000u);
}

} // namespace
} // namespace fenster
