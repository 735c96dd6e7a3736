#include "Interaction.h"

#include "EditorTestApp.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "PictureLoader.h"
#include "TestSupport.h"

#include "Annotations.h"
#include "BitmapDrag.h"
#include "Dialogs.h"
#include "SpinEdit.h"

#include <QAction>
#include <QBuffer>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace fenster;

namespace {

// Two rows: a lower one of two fields (1000 and 500 mm), an upper one of one.
constexpr const char* kWindow = "1500,1500,2,1000,2,1000,F;500,F;500,1,1500,F;";

class InteractionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_symbols.isValid());
        // A 40 x 20 black picture of our own, placed through the symbol menu.
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "BMP");
        fenster::test::WriteBytes(m_symbols.filePath(QStringLiteral("Mark.bmp")), bytes);
        m_area.setSymbolFolder(m_symbols.path());
        m_area.resize(800, 600);
        m_document.setMemo1(QString::fromLatin1(kWindow));
        m_interaction.setErrorReporter([this](const QString& message) { m_errors << message; });
        m_interaction.setModeActions({ &m_windowMode, &m_symbolMode, &m_symbolMark, &m_dimensionMode });
        for (QAction* command : { &m_windowMode, &m_symbolMode, &m_symbolMark, &m_dimensionMode })
            command->setCheckable(true);
        QObject::connect(&m_interaction, &Interaction::promptChanged, [this](const QString& text) { m_prompt = text; });
        QObject::connect(&m_interaction, &Interaction::positionChanged, [this](const QString& text) { m_position = text; });
        QObject::connect(&m_interaction, &Interaction::rowControlsLocked, [this](bool locked) { m_locked = locked; });
        redraw();
    }

    // What a repaint would do: the drawing and the layout the mouse reads.
    QImage redraw() { return m_area.screenCopy(); }

    // The centre of a field in pixels of the box (y downward).
    QPoint centre(int row, int field) const
    {
        const FieldRect& r = m_area.layout().FieldRectTable[std::size_t(row)][std::size_t(field)];
        return { (r.left + r.right) / 2, m_area.height() - 1 - (r.bottom + r.top) / 2 };
    }

    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(&m_area, button, Qt::NoModifier, at);
        redraw();
    }

    void move(QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), m_area.mapToGlobal(QPointF(at)), Qt::NoButton,
            Qt::NoButton, modifiers);
        QApplication::sendEvent(&m_area, &event);
    }

    // The three clicks of free dimensioning.
    void dimension(QPoint first, QPoint second, QPoint placement)
    {
        m_interaction.FreiBemassungClick();
        click(first);
        click(second);
        click(placement);
    }

    QTemporaryDir m_symbols;
    EditorDocument m_document;
    PictureFiles m_pictures;
    DrawingArea m_area { m_document, m_pictures };
    Interaction m_interaction { m_document, m_area, nullptr };
    QAction m_windowMode;
    QAction m_symbolMode;
    QAction m_symbolMark;
    QAction m_dimensionMode;
    QStringList m_errors;
    QString m_prompt;
    QString m_position;
    bool m_locked = false;
};

TEST(InteractionRules, PromptsOfEveryMode)
{
    struct Case {
        MouseMode mode;
        const char* prompt;
    };
    const Case cases[] = {
        { MouseMode::Window, "Fenstermodus aktiv" },
        { MouseMode::PlaceSymbol, "Bitte wählen sie die Position aus, an der das Symbol eingefügt werden soll!" },
        { MouseMode::FirstDimensionPoint, "Freie Bemaßung - Bitte geben Sie den ersten Maßpunkt an!" },
        { MouseMode::SecondDimensionPoint, "Freie Bemaßung - Bitte geben Sie den zweiten Maßpunkt an!" },
        { MouseMode::DimensionOffset, "Freie Bemaßung - Bitte geben Sie den Punkt für die Bemaßung an!" },
        { MouseMode::Symbol, "Bitmapmodus aktiv" },
        { MouseMode::DimensionLine, "Maßlinienmodus aktiv" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModePrompt(c.mode), QString::fromUtf8(c.prompt));
    EXPECT_EQ(ModePrompt(MouseMode(7)), QString());
}

TEST(InteractionRules, ReadoutShowsSnappedValuesOnlyWhenTheyDiffer)
{
    EXPECT_EQ(PositionReadout({ 12, -3 }, { 12, -3 }), QStringLiteral("X: 12 mm  Y: -3 mm"));
    EXPECT_EQ(PositionReadout({ 12, 34 }, { 10, 34 }), QStringLiteral("X: 12(10) mm  Y: 34(34) mm"));
}

TEST(InteractionRules, LevelOrPlumbSnapsAtFortyFiveDegrees)
{
    const QPoint anchor(100, 100);
    const auto at = [&](double degrees) {
        const double r = degrees * M_PI / 180.0;
        return anchor + QPoint(int(std::lround(100 * std::cos(r))), -int(std::lround(100 * std::sin(r))));
    };
    EXPECT_EQ(SnapLevelOrPlumb(anchor, at(30)).y(), anchor.y()) << "30 degrees: level with the first point";
    EXPECT_EQ(SnapLevelOrPlumb(anchor, at(60)).x(), anchor.x()) << "60 degrees: plumb above the first point";
    EXPECT_EQ(SnapLevelOrPlumb(anchor, anchor), anchor);
    EXPECT_EQ(SnapLevelOrPlumb(anchor, anchor + QPoint(40, 50)), QPoint(100, 150));
    EXPECT_EQ(SnapLevelOrPlumb(anchor, anchor + QPoint(-50, 40)), QPoint(50, 100));
}

TEST(InteractionRules, PlacementOffsetsFromTheNearerPoint)
{
    struct Case {
        const char* name;
        MmPoint click;
        int dx;
        int dy;
    };
    const MmPoint a { 100, 100 };
    const MmPoint b { 400, 200 };
    const Case cases[] = {
        { "above", { 250, 260 }, 0, 60 },
        { "below", { 250, 40 }, 0, -60 },
        { "right", { 450, 150 }, 50, 0 },
        { "left", { 70, 150 }, -30, 0 },
        { "above right", { 410, 210 }, 10, 10 },
        { "between", { 250, 150 }, 0, 0 },
    };
    for (const Case& c : cases) {
        const DimensionOffsets offsets = PlacementOffsets(a, b, c.click);
        EXPECT_EQ(offsets.dx, c.dx) << c.name;
        EXPECT_EQ(offsets.dy, c.dy) << c.name;
    }
}

TEST_F(InteractionTest, MouseDownActsByMode)
{
    struct Case {
        const char* name;
        std::function<void()> setUp;
        Qt::MouseButton button;
        MouseMode after;
        bool locked; // the row controls after the click
    };
    const Case cases[] = {
        { "window mode stays", [] {}, Qt::LeftButton, MouseMode::Window, false },
        { "symbol placed, then symbol mode", [this] { m_interaction.chooseSymbol(QStringLiteral("Mark.bmp")); },
            Qt::LeftButton, MouseMode::Symbol, true },
        { "first point", [this] { m_interaction.FreiBemassungClick(); }, Qt::LeftButton,
            MouseMode::SecondDimensionPoint, true },
        { "second point",
            [this] {
                m_interaction.FreiBemassungClick();
                click(centre(1, 1) + QPoint(-40, 0));
            },
            Qt::LeftButton, MouseMode::DimensionOffset, true },
        { "placement ends in dimension-line mode",
            [this] {
                m_interaction.FreiBemassungClick();
                click(centre(1, 1) + QPoint(-40, 0));
                click(centre(1, 1) + QPoint(40, 0));
            },
            Qt::LeftButton, MouseMode::DimensionLine, true },
        { "symbol mode stays", [this] { m_interaction.Bitmapmodus1Click(); }, Qt::LeftButton, MouseMode::Symbol,
            true },
        { "right button: back to window mode", [this] { m_interaction.Masslinienmodus1Click(); }, Qt::RightButton,
            MouseMode::Window, true },
        { "middle button does nothing", [this] { m_interaction.FreiBemassungClick(); }, Qt::MiddleButton,
            MouseMode::FirstDimensionPoint, true },
    };
    for (const Case& c : cases) {
        m_interaction.Fenstermodus1Click();
        c.setUp();
        bool lockedByClick = !c.locked;
        const auto connection = QObject::connect(
            &m_interaction, &Interaction::rowControlsLocked, [&](bool locked) { lockedByClick = locked; });
        click(centre(1, 1), c.button);
        QObject::disconnect(connection);
        EXPECT_EQ(m_interaction.mouseMode(), c.after) << c.name;
        EXPECT_EQ(m_prompt, ModePrompt(c.after)) << c.name;
        // The right button ends in window mode, which unlocks them again.
        EXPECT_EQ(lockedByClick, c.button == Qt::RightButton ? false : c.locked) << c.name;
    }
    EXPECT_TRUE(m_errors.isEmpty()) << m_errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(InteractionTest, WindowClickSelectsTheFieldOrKeepsTheLastHovered)
{
    click(centre(1, 2));
    EXPECT_EQ(m_document.SelectedRow(), 1);
    EXPECT_EQ(m_document.SelectedField(), 2);
    move(centre(2, 1));
    EXPECT_EQ(m_interaction.HoverRow(), 2);
    click(QPoint(m_area.width() - 2, 2)); // outside every field
    EXPECT_EQ(m_document.SelectedRow(), 2) << "the field last passed over";
    EXPECT_EQ(m_document.SelectedField(), 1);
}

TEST_F(InteractionTest, ModeCommandsSetChecksAndSelection)
{
    m_interaction.Bitmapmodus1Click();
    EXPECT_TRUE(m_symbolMode.isChecked());
    EXPECT_TRUE(m_symbolMark.isChecked());
    EXPECT_FALSE(m_windowMode.isChecked());
    EXPECT_EQ(m_document.SelectedRow(), 0);
    EXPECT_EQ(m_document.SelectedField(), 0);
    EXPECT_TRUE(m_locked);
    m_interaction.Masslinienmodus1Click();
    EXPECT_TRUE(m_dimensionMode.isChecked());
    EXPECT_FALSE(m_symbolMark.isChecked());
    EXPECT_FALSE(m_symbolMode.isChecked());
    m_interaction.Fenstermodus1Click();
    EXPECT_TRUE(m_windowMode.isChecked());
    EXPECT_FALSE(m_dimensionMode.isChecked());
    EXPECT_FALSE(m_locked);
    EXPECT_EQ(m_prompt, QStringLiteral("Fenstermodus aktiv"));
}

TEST_F(InteractionTest, PlacedSymbolIsRecordedAndSelectable)
{
    m_interaction.chooseSymbol(QStringLiteral("Mark.bmp"));
    const QPoint at = centre(1, 1);
    click(at);
    const MmPoint mm = m_area.clickToMm(at);
    const QString separator = QLocale().decimalPoint();
    const QString scale = QString::fromStdString(
        FormatPlacementScale(m_area.layout().DrawingScale, separator.at(0).toLatin1()));
    EXPECT_EQ(m_document.Memo2(), QStringLiteral("B:Mark.bmp,%1,%2,10,%3;").arg(mm.x).arg(mm.y).arg(scale));
    ASSERT_EQ(m_area.layout().SymbolRects.size(), 1u);
    EXPECT_EQ(m_interaction.mouseMode(), MouseMode::Symbol);
    click(at + QPoint(300, 0));
    EXPECT_EQ(m_document.SelectedSymbol(), -1) << "a click beside every symbol selects none";
    click(at);
    EXPECT_EQ(m_document.SelectedSymbol(), 0);
}

TEST_F(InteractionTest, ThreeClicksAddOneDimensionLine)
{
    const QPoint a = centre(1, 1) + QPoint(-50, 20);
    const QPoint b = centre(1, 1) + QPoint(50, 20);
    dimension(a, b, b + QPoint(0, -60));
    const MmPoint ma = m_area.clickToMm(a);
    const MmPoint mb = m_area.clickToMm(b);
    const MmPoint mp = m_area.clickToMm(b + QPoint(0, -60));
    EXPECT_EQ(m_document.Memo3(),
        QStringLiteral("M:%1,%2,%3,%4,%5,0;").arg(ma.x).arg(ma.y).arg(mb.x).arg(mb.y).arg(mp.y - ma.y));
    EXPECT_EQ(m_interaction.mouseMode(), MouseMode::DimensionLine);

    // A third click between the two points adds nothing.
    dimension(a + QPoint(0, 40), b + QPoint(0, 80), (a + b) / 2 + QPoint(0, 60));
    EXPECT_EQ(RecordSpans(m_document.Memo3().toStdString(), AnnotationList::DimensionLines).size(), 1u);
    EXPECT_EQ(m_interaction.mouseMode(), MouseMode::DimensionLine);
}

TEST_F(InteractionTest, LevelOrPlumbSnappingOfTheSecondClick)
{
    struct Case {
        double degrees;
        bool level;
    };
    for (const Case c : { Case { 30, true }, Case { 60, false } }) {
        const QPoint a = centre(1, 1) + QPoint(-100, 80);
        const double r = c.degrees * M_PI / 180.0;
        const QPoint b = a + QPoint(int(std::lround(150 * std::cos(r))), -int(std::lround(150 * std::sin(r))));
        m_interaction.FreieBemassungmitFangen1Click();
        EXPECT_EQ(m_interaction.snapMode(), SnapMode::HorizontalOrVertical);
        click(a);
        click(b);
        if (c.level)
            EXPECT_EQ(m_interaction.secondPoint().y, m_interaction.firstPoint().y) << c.degrees;
        else
            EXPECT_EQ(m_interaction.secondPoint().x, m_interaction.firstPoint().x) << c.degrees;
        EXPECT_NE(m_interaction.secondPoint(), m_interaction.firstPoint());
    }
}

TEST_F(InteractionTest, FieldCornerSnappingStoresCorners)
{
    const FieldRect& first = m_area.layout().FieldRectTable[1][1];
    const QPoint bottomLeft(first.left, m_area.height() - 1 - first.bottom);
    const QPoint topRight = m_area.mmToPixel({ 1000, 1000 });
    m_interaction.FreiBemassungmitFangpunkt1Click();
    click(bottomLeft + QPoint(6, -5));
    click(topRight + QPoint(-4, 7));
    EXPECT_EQ(m_interaction.firstPoint(), m_area.clickToMm(m_area.mmToPixel({ 0, 0 })));
    EXPECT_EQ(m_interaction.secondPoint(), m_area.clickToMm(topRight));
}

TEST_F(InteractionTest, CtrlPreviewShowsTheNearestCornerInTheReadout)
{
    m_interaction.FreiBemassungClick();
    const QPoint near = m_area.mmToPixel({ 1000, 0 }) + QPoint(-3, -2);
    move(near);
    const MmPoint raw = m_area.readoutToMm(near);
    EXPECT_EQ(m_position, PositionReadout(raw, raw));
    move(near, Qt::ControlModifier);
    EXPECT_EQ(m_position, PositionReadout(raw, m_area.readoutToMm(m_area.mmToPixel({ 1000, 0 }))));
    EXPECT_NE(m_position, PositionReadout(raw, raw));
}

TEST_F(InteractionTest, PreviewIsPaintedOverTheDrawing)
{
    m_area.show();
    const QImage plain = m_area.grab().toImage();
    m_interaction.FreiBemassungClick();
    const QPoint a = centre(1, 1);
    click(a);
    move(a + QPoint(60, -40));
    const QImage rubber = m_area.grab().toImage();
    EXPECT_EQ(rubber.pixelColor(a + QPoint(60, -40) + QPoint(5, 5)), QColor(Qt::red)) << "the cross at the pointer";
    EXPECT_NE(plain, rubber);
    // The preview over the kept drawing is pixel for pixel a full redraw with it.
    m_area.setDrawingCached(false);
    EXPECT_EQ(m_area.grab().toImage(), rubber);
    // A change of the document under the preview is drawn.
    m_area.setDrawingCached(true);
    m_document.setMemo1(QStringLiteral("1500,1500,1,1500,1,1500,F;"));
    const QImage changed = m_area.grab().toImage();
    m_area.setDrawingCached(false);
    EXPECT_EQ(m_area.grab().toImage(), changed);
    EXPECT_NE(changed, rubber);
    m_document.setMemo1(QString::fromLatin1(kWindow));
    m_interaction.Fenstermodus1Click();
    EXPECT_EQ(m_area.grab().toImage(), plain) << "leaving the mode leaves the plain drawing";
    m_area.hide();
}

TEST_F(InteractionTest, DimensionLineModeStepsThroughTheRecords)
{
    m_document.setMemo3(QStringLiteral("M:0,0,100,0,50,0;\nM:0,0,0,100,0,50;\nM:10,10,200,10,-40,0;"));
    m_interaction.Masslinienmodus1Click();
    QList<int> selected;
    for (int i = 0; i < 4; ++i) {
        click(QPoint(5, 5));
        selected << m_document.SelectedDimLine();
    }
    EXPECT_EQ(selected, (QList<int> { 1, 2, 3, 1 }));
}

TEST_F(InteractionTest, DeletingNumberTwoOfThreeSelectsTheFormerThird)
{
    m_document.setMemo3(QStringLiteral("M:0,0,100,0,50,0;\nM:0,0,0,100,0,50;\nM:10,10,200,10,-40,0;"));
    m_interaction.Masslinienmodus1Click();
    click(QPoint(5, 5));
    click(QPoint(5, 5));
    m_interaction.Masslinielschen1Click();
    EXPECT_EQ(m_document.Memo3(), QStringLiteral("M:0,0,100,0,50,0;\nM:10,10,200,10,-40,0;"));
    EXPECT_EQ(m_document.SelectedDimLine(), 2);
    m_interaction.Masslinielschen1Click();
    m_interaction.Masslinielschen1Click();
    EXPECT_EQ(m_document.Memo3(), QStringLiteral("M:0,0,100,0,50,0;\n")) << "past the end nothing goes";
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(InteractionTest, SymbolSizeStepsAndDeletion)
{
    struct Case {
        const char* list;
        bool grow;
        const char* after;
    };
    const Case cases[] = {
        { "B:Mark.bmp,0,0,1,0,5;", false, "B:Mark.bmp,0,0,1,0,5;" },
        { "B:Mark.bmp,0,0,10,0,5;", true, "B:Mark.bmp,0,0,11,0,5;" },
        { "B:Mark.bmp,0,0,2,1;", false, "B:Mark.bmp,0,0,1,1;" },
    };
    for (const Case& c : cases) {
        m_document.setMemo2(QString::fromUtf8(c.list));
        m_document.setSelectedSymbol(0);
        c.grow ? m_interaction.Symbolvergrern1Click() : m_interaction.Symbolverkleiner1Click();
        EXPECT_EQ(m_document.Memo2(), QString::fromUtf8(c.after)) << c.list;
    }
    m_document.setMemo2(QStringLiteral("B:a.bmp,0,0,10,1;\nB:b.bmp,0,0,10,1;\nB:c.bmp,0,0,10,1;"));
    m_document.setSelectedSymbol(1);
    m_interaction.Symbollschen1Click();
    EXPECT_EQ(m_document.Memo2(), QStringLiteral("B:a.bmp,0,0,10,1;\nB:c.bmp,0,0,10,1;"));
    EXPECT_EQ(m_document.SelectedSymbol(), -1);
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(InteractionTest, CommandsWithoutSelectionReportAndChangeNothing)
{
    m_document.setMemo2(QStringLiteral("B:Mark.bmp,0,0,10,1;"));
    m_document.setMemo3(QStringLiteral("M:0,0,100,0,50,0;"));
    struct Case {
        const char* name;
        std::function<void()> command;
        const char* message;
    };
    const Case cases[] = {
        { "delete symbol", [this] { m_interaction.Symbollschen1Click(); }, "Es wurde kein Symbol ausgewählt!" },
        { "grow", [this] { m_interaction.Symbolvergrern1Click(); }, "Kein Symbol ausgewählt!" },
        { "shrink", [this] { m_interaction.Symbolverkleiner1Click(); }, "Kein Symbol ausgewählt!" },
        { "delete dimension line", [this] { m_interaction.Masslinielschen1Click(); }, "Keine Maßlinie ausgewählt!" },
        { "lengths outside dimension-line mode",
            [this] {
                m_document.setSelectedDimLine(1);
                m_interaction.Mazahleneinstellen1Click();
            },
            "Keine Maßlinie ausgewählt!" },
        { "lengths of an empty list",
            [this] {
                m_document.setMemo3(QString());
                m_interaction.Masslinienmodus1Click();
                click(QPoint(5, 5));
                m_interaction.Mazahleneinstellen1Click();
                m_document.setMemo3(QStringLiteral("M:0,0,100,0,50,0;"));
            },
            "Keine Maßlinie ausgewählt!" },
    };
    for (const Case& c : cases) {
        m_errors.clear();
        m_interaction.Fenstermodus1Click();
        c.command();
        EXPECT_EQ(m_errors, QStringList { QString::fromUtf8(c.message) }) << c.name;
        EXPECT_EQ(m_document.Memo2(), QStringLiteral("B:Mark.bmp,0,0,10,1;")) << c.name;
        EXPECT_EQ(m_document.Memo3(), QStringLiteral("M:0,0,100,0,50,0;")) << c.name;
    }
}

TEST_F(InteractionTest, MalformedRecordsAreReportedByNumberAndLeftAlone)
{
    const QString symbols = QStringLiteral("B:Mark.bmp,0,0,10,1;\nB:Mark.bmp,0,zz,10,1;");
    m_document.setMemo2(symbols);
    m_document.setSelectedSymbol(1);
    m_interaction.Symbolvergrern1Click();
    m_interaction.Symbolverkleiner1Click();
    ASSERT_EQ(m_errors.size(), 2);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("Eintrag 2"))) << m_errors[0].toStdString();
    EXPECT_EQ(m_document.Memo2(), symbols);

    m_errors.clear();
    const QString lines = QStringLiteral("M:0,0,100,0,50,0;\nM:0,0,x,0,50,0;");
    m_document.setMemo3(lines);
    m_interaction.Masslinienmodus1Click();
    click(QPoint(5, 5));
    click(QPoint(5, 5));
    m_interaction.Mazahleneinstellen1Click();
    ASSERT_EQ(m_errors.size(), 1);
    EXPECT_TRUE(m_errors[0].contains(QStringLiteral("Eintrag 2"))) << m_errors[0].toStdString();
    EXPECT_EQ(m_document.Memo3(), lines);

    m_errors.clear();
    m_document.setMemo2(QStringLiteral("B:Mark.bmp,0,0,10,1;"));
    m_document.setSelectedSymbol(4);
    m_interaction.Symbolvergrern1Click();
    EXPECT_EQ(m_errors.size(), 1) << "a selection that names no record";
    EXPECT_EQ(m_document.Memo2(), QStringLiteral("B:Mark.bmp,0,0,10,1;"));
}

TEST_F(InteractionTest, LengthDialogOffersTheMeasuredLengths)
{
    m_document.setMemo3(QStringLiteral("M:100,100,400,100,50,0;"));
    m_interaction.Masslinienmodus1Click();
    click(QPoint(5, 5));
    struct Offer {
        int horizontal = 0;
        int vertical = 0;
        bool horizontalEnabled = false;
        bool verticalEnabled = true;
        bool found = false;
    } offer;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TMassDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        offer = { dialog->SpinEdit1->Value(), dialog->SpinEdit2->Value(), dialog->SpinEdit1->isEnabled(),
            dialog->SpinEdit2->isEnabled(), true };
        dialog->SpinEdit1->setValue(250);
        dialog->setModalResult(1);
    });
    m_interaction.Mazahleneinstellen1Click();
    ASSERT_TRUE(offer.found);
    EXPECT_EQ(offer.horizontal, 300);
    EXPECT_TRUE(offer.horizontalEnabled);
    EXPECT_EQ(offer.vertical, 1);
    EXPECT_FALSE(offer.verticalEnabled);
    EXPECT_EQ(m_document.Memo3(), QStringLiteral("M:100,100,350,100,50,0;"));

    // Cancel changes nothing.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<TMassDialog*>(QApplication::activeModalWidget())) {
            dialog->SpinEdit1->setValue(10);
            dialog->setModalResult(2);
        }
    });
    m_interaction.Mazahleneinstellen1Click();
    EXPECT_EQ(m_document.Memo3(), QStringLiteral("M:100,100,350,100,50,0;"));
    EXPECT_TRUE(m_errors.isEmpty());
}

TEST_F(InteractionTest, DropSelectsTheFieldAndRunsAnEqualThumbnail)
{
    QImage thumbnail(30, 20, QImage::Format_ARGB32);
    thumbnail.fill(Qt::blue);
    QList<QImage> offered;
    m_interaction.setDropPresetHook([&](const QImage& picture) {
        offered << picture;
        return picture == thumbnail;
    });
    struct Case {
        int row;
        int field;
        QColor colour;
    };
    for (const Case c : { Case { 1, 2, Qt::blue }, Case { 2, 1, Qt::green } }) {
        QImage picture(30, 20, QImage::Format_ARGB32);
        picture.fill(c.colour);
        std::unique_ptr<QMimeData> data(BitmapMimeData(picture));
        QDragEnterEvent enter(centre(c.row, c.field), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&m_area, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(centre(c.row, c.field)), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&m_area, &drop);
        EXPECT_TRUE(drop.isAccepted());
        EXPECT_EQ(m_document.SelectedRow(), c.row);
        EXPECT_EQ(m_document.SelectedField(), c.field);
        ASSERT_FALSE(offered.isEmpty());
        EXPECT_EQ(offered.constLast().pixelColor(0, 0), c.colour);
    }
    EXPECT_EQ(offered.size(), 2);

    // Data without a picture is refused on entry.
    QMimeData text;
    text.setText(QStringLiteral("B:x"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&m_area, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

} // namespace
