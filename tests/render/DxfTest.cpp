// The CAD file: what the canvas keeps and merges, and, read from outside by
// ezdxf (tests/render/check_dxf.py), that every example comes out in
// millimetres at 1:1 in its layers.

#include "DxfCanvas.h"

#include "DiskFiles.h"
#include "Engine.h"
#include "EngineReader.h"
#include "TextFiles.h"

#include "VectorFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace fenster {
namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "fenster_render_dxf_test";
    static char* argv[] = { name, nullptr };
    static QGuiApplication* app = QGuiApplication::instance() ? nullptr : new QGuiApplication(argc, argv);
    (void)app;
}

// The engine's edge dimensions in the file: letters of 50 mm on lines of
// 62.5 mm, so a dimension of level k stands rnd(1.7 * k * 62.5) mm away.
constexpr double kLineHeightMm = 62.5;

ExportDrawing drawingOf(std::string description, EdgeDimensions edges = EdgeDimensions::Off)
{
    ExportDrawing drawing;
    drawing.description = std::move(description);
    drawing.edgeDimensions = edges;
    return drawing;
}

// What ezdxf finds in each file, by path; one reader for all of them.
QJsonObject readWithEzdxf(const QStringList& paths)
{
    return test::ReadWithEzdxf(QStringLiteral(FENSTER_CHECK_DXF), paths);
}

QJsonObject readWithEzdxf(const QString& path)
{
    return readWithEzdxf(QStringList { path }).value(path).toObject();
}

QJsonObject layerStats(const QJsonObject& file, const char* layer)
{
    return file.value(QStringLiteral("layer_stats")).toObject().value(QString::fromLatin1(layer)).toObject();
}

int count(const QJsonObject& file, const char* layer, const char* kind)
{
    return layerStats(file, layer).value(QStringLiteral("counts")).toObject().value(QString::fromLatin1(kind)).toInt();
}

struct Box {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

std::optional<Box> extentsOf(const QJsonObject& file, const char* layer)
{
    const QJsonArray e = layerStats(file, layer).value(QStringLiteral("extents")).toArray();
    if (e.size() != 4)
        return std::nullopt;
    return Box { e[0].toDouble(), e[1].toDouble(), e[2].toDouble(), e[3].toDouble() };
}

void expectBox(const std::optional<Box>& box, Box expected, const std::string& what)
{
    ASSERT_TRUE(box.has_value()) << what << ": no lines";
    EXPECT_NEAR(box->xmin, expected.xmin, 0.05) << what;
    EXPECT_NEAR(box->ymin, expected.ymin, 0.05) << what;
    EXPECT_NEAR(box->xmax, expected.xmax, 0.05) << what;
    EXPECT_NEAR(box->ymax, expected.ymax, 0.05) << what;
}

std::string writeTemporary(const QTemporaryDir& folder, const QString& name, const ExportDrawing& drawing,
    std::vector<std::string>* errors = nullptr)
{
    const QString path = folder.filePath(name);
    std::vector<std::string> messages = WriteDxf(drawing, path);
    if (errors)
        *errors = messages;
    return path.toStdString();
}

// The header and the rows of a description, read as the engine reads them.
struct WindowMeasures {
    int H = 0;
    int W = 0;
    int rows = 0;
    int firstRowHeight = 0;
    int rowHeights = 0; // sum
    std::vector<int> fieldWidths;
};

WindowMeasures measuresOf(const std::string& description)
{
    WindowMeasures m;
    DescriptionReader reader(description);
    m.H = reader.nextNumber();
    m.W = reader.nextNumber();
    m.rows = reader.nextNumber();
    for (int r = 0; r < m.rows && !reader.atEnd(); ++r) {
        const int RH = reader.nextNumber();
        const int M = reader.nextNumber();
        if (r == 0)
            m.firstRowHeight = RH;
        m.rowHeights += RH;
        for (int f = 0; f < M; ++f)
            if (const auto field = reader.readField(RH))
                m.fieldWidths.push_back(field->width);
    }
    return m;
}

const char* const kWindowLayers[]
    = { "Umriss", "Fluegelband", "Glas", "Oeffnungssymbole", "Sprossen", "Beschlaege" };

} // namespace

TEST(DxfCanvas, LayersFollowWhatTheEngineDraws)
{
    DxfCanvas canvas(10.0, 50.0);
    // A sash with tilt and turn, handle, muntins and an insect screen.
    DrawWindow(canvas, 0, 0, 20000, 20000, "1000,1000,1,1000,1,1000,L,F,K,G,g,v:1,h:1;", EdgeDimensions::On, -1, -1, 10.0);
    struct Case {
        DrawingLayer layer;
        std::size_t atLeast;
    };
    const Case cases[] = {
        { DrawingLayer::Outline, 4 }, // the four edges
        { DrawingLayer::SashBand, 1 },
        { DrawingLayer::Glass, 1 },
        { DrawingLayer::OpeningSymbols, 4 }, // tilt and hinge lines
        { DrawingLayer::Muntins, 2 }, // one bar each way
        { DrawingLayer::Fittings, 10 }, // handle rectangles and screen mesh
        { DrawingLayer::EdgeDimensions, 5 }, // lines, ticks and the number
    };
    for (const Case& c : cases)
        EXPECT_GE(canvas.entityCount(c.layer), c.atLeast) << DxfLayerName(c.layer);
    EXPECT_EQ(canvas.entityCount(DrawingLayer::FreeDimensions), 0u);
    EXPECT_EQ(canvas.entityCount(DrawingLayer::Symbols), 0u);
}

TEST(DxfCanvas, SharedEdgesAreWrittenOnce)
{
    struct Case {
        const char* name;
        const char* description;
        std::size_t outlineLines;
    };
    const Case cases[] = {
        // 2 x 4 edges, the middle one shared.
        { "two fields side by side", "1000,2000,1,1000,2,1000,V;1000,V;", 7 },
        { "two rows", "2000,1000,2,1000,1,1000,V;1000,1,1000,V;", 7 },
        // The top row's bottom edge covers both tops of the bottom row: one
        // line. Edges that only meet at a corner stay apart.
        { "one field over two", "2000,2000,2,1000,2,1000,V;1000,V;1000,1,2000,V;", 9 },
        { "three fields", "1000,3000,1,1000,3,1000,V;1000,V;1000,V;", 10 },
        { "a single field", "1000,1000,1,1000,1,1000,V;", 4 },
    };
    for (const Case& c : cases) {
        DxfCanvas canvas(10.0, 50.0);
        DrawWindow(canvas, 0, 0, 100000, 100000, c.description, EdgeDimensions::Off, -1, -1, 10.0);
        EXPECT_EQ(canvas.entityCount(DrawingLayer::Outline), c.outlineLines) << c.name;
    }
}

TEST(DxfCanvas, ClippedMuntinsStayInsideTheGlass)
{
    // Muntin bars are drawn across the whole field and cut by the glass.
    const ExportDrawing drawing = drawingOf("1000,1000,1,1000,1,1000,V,v:2,h:2;");
    const DxfFile file = RenderDxf(drawing);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("muntins.dxf"));
    WriteFileAtomically(path, QByteArray::fromStdString(file.text));
    const QJsonObject read = readWithEzdxf(path);
    // The glass lies 50 mm inside the outline (RahmenBreite).
    expectBox(extentsOf(read, "Sprossen"), { 50, 50, 950, 950 }, "muntins");
    EXPECT_EQ(count(read, "Sprossen", "LWPOLYLINE"), 4);
}

TEST(DxfExport, KeepsTheEditorsEngineState)
{
    Engine().DrawingScale = 0.125;
    Engine().AnnotationOrigin = { 17, 4 };
    Engine().FieldRectTable[1][1] = { 1, 2, 3, 4, true };
    const DxfFile file = RenderDxf(drawingOf("1000,1000,1,1000,1,1000,V;", EdgeDimensions::On));
    EXPECT_FALSE(file.text.empty());
    EXPECT_EQ(Engine().DrawingScale, 0.125);
    EXPECT_EQ(Engine().AnnotationOrigin, (MmPoint { 17, 4 }));
    EXPECT_TRUE(Engine().FieldRectTable[1][1].valid);
    EXPECT_EQ(Engine().FieldRectTable[1][1].right, 3);
}

TEST(DxfExport, BadInput)
{
    ensureApplication();
    QTemporaryDir folder;
    // A field width that is not a number is the engine's data error; no
    // file is left behind.
    const QString bad = folder.filePath(QStringLiteral("bad.dxf"));
    EXPECT_THROW(WriteDxf(drawingOf("1000,1000,1,1000,1,x,V;"), bad), DataFileError);
    EXPECT_FALSE(QFileInfo::exists(bad));

    // A folder that does not exist, and a folder in the file's place.
    EXPECT_THROW(WriteDxf(drawingOf("1000,1000,1,1000,1,1000,V;"), folder.filePath(QStringLiteral("no/such.dxf"))),
        FileError);
    QDir(folder.path()).mkdir(QStringLiteral("taken.dxf"));
    EXPECT_THROW(WriteDxf(drawingOf("1000,1000,1,1000,1,1000,V;"), folder.filePath(QStringLiteral("taken.dxf"))),
        FileError);

    // A window 200 km wide with an insect screen would be millions of mesh
    // lines: refused with a message, no file written.
    const QString huge = folder.filePath(QStringLiteral("huge.dxf"));
    try {
        WriteDxf(drawingOf("1000,200000000,1,1000,1,200000000,V,g;"), huge);
        ADD_FAILURE() << "a drawing of millions of lines was written";
    } catch (const DxfError& e) {
        EXPECT_NE(std::string(e.what()).find("zu umfangreich"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(huge));

    // A symbol whose picture is missing: the message comes back, the window
    // and the free dimension are written.
    ExportDrawing drawing = drawingOf("1000,1000,1,1000,1,1000,V;");
    drawing.symbols = "B:Fehlt.bmp,0,0,10,1;";
    drawing.dimensionLines = "M:0,0,-500,0,-100,0;";
    drawing.symbolFolder = folder.path().toStdString();
    std::vector<std::string> errors;
    const std::string path = writeTemporary(folder, QStringLiteral("missing.dxf"), drawing, &errors);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().find("Fehlt.bmp"), std::string::npos) << errors.front();
    const QJsonObject read = readWithEzdxf(QString::fromStdString(path));
    EXPECT_EQ(count(read, "Umriss", "LINE"), 4);
    EXPECT_EQ(count(read, "Freie_Bemassung", "LINE"), 5);
    EXPECT_EQ(count(read, "Symbole", "LWPOLYLINE"), 0);
}

TEST(DxfExport, EzdxfReadsEveryExampleAtOneToOne)
{
    ensureApplication();
    QTemporaryDir folder;
    const QDir examples(QStringLiteral(FENSTER_EXAMPLES));
    const QStringList files = examples.entryList({ QStringLiteral("*.Fnt") });
    ASSERT_FALSE(files.isEmpty());

    struct Written {
        QString example;
        EdgeDimensions edges;
        WindowMeasures measures;
        QString path;
    };
    std::vector<Written> written;
    for (const QString& name : files) {
        const QString base = examples.filePath(QFileInfo(name).completeBaseName());
        ExportDrawing drawing;
        drawing.description = ReadTextFile(examples.filePath(name)).trimmed().toStdString();
        if (QFileInfo::exists(base + ".fn2"))
            drawing.symbols = ReadTextFile(base + ".fn2").toStdString();
        if (QFileInfo::exists(base + ".fn3"))
            drawing.dimensionLines = ReadTextFile(base + ".fn3").toStdString();
        drawing.symbolFolder = examples.path().toStdString();
        for (const EdgeDimensions edges : { EdgeDimensions::Off, EdgeDimensions::On }) {
            drawing.edgeDimensions = edges;
            std::vector<std::string> errors;
            const QString file = QFileInfo(name).completeBaseName() + (edges == EdgeDimensions::On ? "-mass.dxf" : ".dxf");
            const std::string path = writeTemporary(folder, file, drawing, &errors);
            EXPECT_TRUE(errors.empty()) << name.toStdString() << ": " << errors.front();
            written.push_back({ name, edges, measuresOf(drawing.description), QString::fromStdString(path) });
        }
    }
    QStringList paths;
    for (const Written& w : written)
        paths << w.path;
    const QJsonObject all = readWithEzdxf(paths);

    const int off1 = rnd(1.7 * 1 * kLineHeightMm);
    const int off2 = rnd(1.7 * 2 * kLineHeightMm);
    for (const Written& w : written) {
        SCOPED_TRACE(w.path.toStdString());
        const QJsonObject read = all.value(w.path).toObject();
        const WindowMeasures& m = w.measures;
        EXPECT_EQ(read.value(QStringLiteral("version")).toString(), QStringLiteral("AC1015"));
        EXPECT_EQ(read.value(QStringLiteral("audit_errors")).toInt(-1), 0);
        const QJsonArray layers = read.value(QStringLiteral("layers")).toArray();
        for (const char* layer : kDxfLayerNames)
            EXPECT_TRUE(layers.contains(QString::fromLatin1(layer))) << layer;

        // The window itself: from its bottom-left corner to W x H.
        for (const char* layer : kWindowLayers) {
            if (const std::optional<Box> box = extentsOf(read, layer)) {
                EXPECT_GE(box->xmin, -0.05) << layer;
                EXPECT_GE(box->ymin, -0.05) << layer;
                EXPECT_LE(box->xmax, m.W + 0.05) << layer;
                EXPECT_LE(box->ymax, m.H + 0.05) << layer;
            }
        }
        expectBox(extentsOf(read, "Umriss"), { 0, 0, double(m.W), double(m.H) }, "outline");

        if (w.edges == EdgeDimensions::Off) {
            EXPECT_TRUE(layerStats(read, "Randbemassung").isEmpty());
            continue;
        }
        // The chains: ticks of 10 mm at the ends, the overall width off2
        // below the window (its tick 4 mm beyond, as the line stands at
        // off2 - 6), the heights right of it: the overall height at off2
        // when there are rows, else the row's at off1.
        const double right = m.rows > 1 ? m.W + off2 + 4.0 : m.W + off1 + 7.0;
        const double top = (m.rows > 1 ? std::max(m.H, m.rowHeights) : m.firstRowHeight) + 10.0;
        expectBox(extentsOf(read, "Randbemassung"), { -10.0, -off2 - 4.0, right, top }, "edge dimensions");
        QStringList texts;
        for (const QJsonValue& t : layerStats(read, "Randbemassung").value(QStringLiteral("texts")).toArray())
            texts << t.toString();
        EXPECT_TRUE(texts.contains(QString::number(m.W))) << texts.join(' ').toStdString();
        if (m.rows > 1) {
            EXPECT_TRUE(texts.contains(QString::number(m.H))) << texts.join(' ').toStdString();
        }
        for (int width : m.fieldWidths) {
            if (m.fieldWidths.size() > 1) {
                EXPECT_TRUE(texts.contains(QString::number(width))) << width;
            }
        }
    }
}

TEST(DxfExport, AnnotationsKeepTheirPlaceInMillimetres)
{
    ensureApplication();
    QTemporaryDir folder;
    const QDir examples(QStringLiteral(FENSTER_EXAMPLES));
    // Three fields, the first 600 mm wide: the annotation origin is (600, 0).
    ExportDrawing drawing;
    drawing.description = ReadTextFile(examples.filePath(QStringLiteral("Dreiteilig-mit-Sprossen.Fnt"))).toStdString();
    drawing.symbols = "B:VSG.bmp,400,250,10,0.5;";
    drawing.dimensionLines = "M:0,1400,800,1400,100,0;";
    drawing.symbolFolder = examples.path().toStdString();
    drawing.edgeDimensions = EdgeDimensions::Off;
    const std::string path = writeTemporary(folder, QStringLiteral("annotations.dxf"), drawing);
    const QJsonObject read = readWithEzdxf(QString::fromStdString(path));

    // The free dimension from x = 600 to 1400 at y = 1400, its line 100 mm
    // above, ticks of 3 pixels (0.3 mm) at the ends; its number "800".
    expectBox(extentsOf(read, "Freie_Bemassung"), { 599.7, 1400.0, 1400.3, 1500.3 }, "free dimension");
    EXPECT_EQ(layerStats(read, "Freie_Bemassung").value(QStringLiteral("texts")).toArray().first().toString(),
        QStringLiteral("800"));

    // The picture at size 10, placed at 0.5 pixels per mm: two millimetres
    // per picture pixel, centred on (1000, 250).
    const QImage picture(examples.filePath(QStringLiteral("VSG.bmp")));
    ASSERT_FALSE(picture.isNull());
    const std::optional<Box> symbol = extentsOf(read, "Symbole");
    ASSERT_TRUE(symbol.has_value());
    EXPECT_NEAR(symbol->xmax - symbol->xmin, picture.width() * 2.0, 0.1);
    EXPECT_NEAR(symbol->ymax - symbol->ymin, picture.height() * 2.0, 0.1);
    EXPECT_NEAR((symbol->xmin + symbol->xmax) / 2, 1000.0, 0.1);
    EXPECT_NEAR((symbol->ymin + symbol->ymax) / 2, 250.0, 0.1);
    EXPECT_EQ(count(read, "Symbole", "LWPOLYLINE"), 1);
}

TEST(DxfExport, EzdxfCountsSharedEdgesOnce)
{
    QTemporaryDir folder;
    const std::string path
        = writeTemporary(folder, QStringLiteral("two.dxf"), drawingOf("1000,2000,1,1000,2,1000,V;1000,V;"));
    const QJsonObject read = readWithEzdxf(QString::fromStdString(path));
    EXPECT_EQ(count(read, "Umriss", "LINE"), 7);
    EXPECT_EQ(count(read, "Umriss", "LWPOLYLINE"), 0);
    expectBox(extentsOf(read, "Umriss"), { 0, 0, 2000, 1000 }, "outline");
}

} // namespace fenster
