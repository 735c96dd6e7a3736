#include "DrawingArea.h"

#include "EditorTestApp.h"

#include "ConstantScaleOutput.h"
#include "EditorDocument.h"
#include "PictureLoader.h"

#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

bool SameRects(const ScreenLayout& a, const ScreenLayout& b)
{
    for (std::size_t r = 0; r < a.FieldRectTable.size(); ++r) {
        for (std::size_t f = 0; f < a.FieldRectTable[r].size(); ++f) {
            const FieldRect& x = a.FieldRectTable[r][f];
            const FieldRect& y = b.FieldRectTable[r][f];
            if (x.valid != y.valid || x.left != y.left || x.bottom != y.bottom || x.right != y.right || x.top != y.top)
                return false;
        }
    }
    return true;
}

class DrawingAreaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    // Draws the document into the area as a repaint would.
    QImage drawScreen()
    {
        QImage target(m_area.size(), QImage::Format_RGB32);
        QPainter painter(&target);
        m_area.DrawScreen(painter);
        painter.end();
        return target;
    }

    EditorDocument m_document;
    PictureFiles m_pictures;
    DrawingArea m_area { m_document, m_pictures };
};

TEST_F(DrawingAreaTest, ScreenDrawingTakesTheLayoutAndSetsTheMargins)
{
    m_area.resize(600, 400);
    // Two rows: a lower one of two fields, an upper one of one.
    m_document.setMemo1(QStringLiteral("1500,1000,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    drawScreen();
    const ScreenLayout& layout = m_area.layout();
    EXPECT_TRUE(layout.Drawn);
    EXPECT_GT(layout.DrawingScale, 0.1);
    EXPECT_TRUE(layout.FieldRectTable[1][1].valid);
    EXPECT_TRUE(layout.FieldRectTable[1][2].valid);
    EXPECT_TRUE(layout.FieldRectTable[2][1].valid);
    EXPECT_FALSE(layout.FieldRectTable[2][2].valid);
    EXPECT_EQ(m_document.leftMargin(), 1);
    EXPECT_EQ(m_document.bottomMargin(), 1);
}

TEST_F(DrawingAreaTest, HitTestFindsTheFieldUnderThePointer)
{
    m_area.resize(600, 400);
    m_document.setMemo1(QStringLiteral("1500,1000,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    drawScreen();
    const ScreenLayout& layout = m_area.layout();
    const int h = m_area.height();
    // The centre of a field in box pixels (y downward, bottom margin 1).
    const auto centre = [&](int row, int field) {
        const FieldRect& r = layout.FieldRectTable[std::size_t(row)][std::size_t(field)];
        return QPoint((r.left + r.right) / 2, h - 1 - (r.bottom + r.top) / 2);
    };
    struct Case {
        int row;
        int field;
    };
    for (const Case c : { Case { 1, 1 }, Case { 1, 2 }, Case { 2, 1 } }) {
        int row = 0;
        int field = 0;
        const QPoint p = centre(c.row, c.field);
        m_area.HitTestField(p.x(), p.y(), row, field);
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(field, c.field);
    }
    int row = 7;
    int field = 8;
    m_area.HitTestField(0, 0, row, field);
    EXPECT_EQ(row, 7) << "outside every field the numbers stay";
    EXPECT_EQ(field, 8);
}

TEST_F(DrawingAreaTest, MillimetresAndPixelsConvertBothWays)
{
    m_area.resize(600, 400);
    m_document.setMemo1(QStringLiteral("1500,1000,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    drawScreen();
    const FieldRect& first = m_area.layout().FieldRectTable[1][1];
    const QPoint corner(first.left, m_area.height() - first.bottom);
    EXPECT_EQ(m_area.readoutToMm(corner), (MmPoint { 0, 0 })) << "the readout starts at the bottom-left field";
    for (const MmPoint mm : { MmPoint { 0, 0 }, MmPoint { 400, 1000 }, MmPoint { 1000, 1500 } }) {
        const QPoint pixel = m_area.mmToPixel(mm);
        const MmPoint back = m_area.readoutToMm(pixel + QPoint(0, 1));
        // One pixel is several millimetres at this scale.
        const int tolerance = int(1.0 / m_area.layout().DrawingScale) + 1;
        EXPECT_NEAR(back.x, mm.x, tolerance);
        EXPECT_NEAR(back.y, mm.y, tolerance);
    }
}

TEST_F(DrawingAreaTest, OffScreenDrawingsLeaveTheLayoutAlone)
{
    m_area.resize(600, 400);
    m_document.setMemo1(QStringLiteral("1500,1000,2,1000,2,400,V;600,L,F;500,1,1000,F;"));
    drawScreen();
    const ScreenLayout before = m_area.layout();
    int row = 0;
    int field = 0;
    const FieldRect& r = before.FieldRectTable[2][1];
    const QPoint upper((r.left + r.right) / 2, m_area.height() - 1 - (r.bottom + r.top) / 2);

    // A constant-scale picture draws the same window many times larger.
    const QImage picture = RenderDocumentConstantScale(m_document, m_area.options(), m_pictures, 1.0);
    ASSERT_FALSE(picture.isNull());
    ASSERT_NE(Engine().DrawingScale, before.DrawingScale) << "the off-screen drawing did change the engine";

    const ScreenLayout& after = m_area.layout();
    EXPECT_EQ(after.DrawingScale, before.DrawingScale);
    EXPECT_EQ(after.AnnotationOrigin, before.AnnotationOrigin);
    EXPECT_EQ(after.SymbolRects, before.SymbolRects);
    EXPECT_TRUE(SameRects(after, before));
    m_area.HitTestField(upper.x(), upper.y(), row, field);
    EXPECT_EQ(row, 2) << "the mouse still finds the field it sees";
    EXPECT_EQ(field, 1);
}

bool HasBlue(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255))
                return true;
    return false;
}

TEST_F(DrawingAreaTest, SelectedDimensionLineIsDrawnInBlue)
{
    m_area.resize(600, 400);
    m_document.setSelection(0, 0); // no field highlighted
    m_document.setMemo3(QStringLiteral("M:0,0,1000,0,-200,0;"));
    m_document.setSelectedDimLine(0);
    EXPECT_FALSE(HasBlue(drawScreen()));
    m_document.setSelectedDimLine(1);
    EXPECT_TRUE(HasBlue(drawScreen()));
}

TEST_F(DrawingAreaTest, BlankDescriptionDrawsNothingToHit)
{
    m_area.resize(600, 400);
    drawScreen();
    ASSERT_TRUE(m_area.layout().FieldRectTable[1][1].valid);
    m_document.setMemo1(QStringLiteral(" "));
    drawScreen();
    EXPECT_FALSE(m_area.layout().FieldRectTable[1][1].valid);
    int row = 0;
    int field = 0;
    m_area.HitTestField(300, 200, row, field);
    EXPECT_EQ(row, 0);
}

} // namespace
