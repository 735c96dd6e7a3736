#include "ThumbnailPanels.h"

#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "Engine.h"
#include "PresetCommands.h"
#include "VandlBasicImage.h"

#include <QFrame>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

class ThumbnailPanelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override { Settings() = DrawingSettings {}; }

    // Builds the panels in a host widget that is shown, so that mouse
    // events reach the thumbnails.
    void buildShown(int panelHeight)
    {
        m_host.resize(2 * kThumbnailPanelWidth, panelHeight);
        m_windows.setGeometry(0, 0, 90, panelHeight);
        m_doors.setGeometry(kThumbnailPanelWidth, 0, 90, panelHeight);
        m_panels.build(QFont(QStringLiteral("Arial"), 8));
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
        m_panels.setPanelsVisible(true);
        m_windows.resize(kThumbnailPanelWidth, panelHeight);
        m_doors.resize(kThumbnailPanelWidth, panelHeight);
        QApplication::processEvents();
    }

    TVandlBasicImage* thumbnail(std::size_t index) const { return m_panels.thumbnails().at(index); }

    QWidget m_host;
    QFrame m_windows { &m_host };
    QFrame m_doors { &m_host };
    ThumbnailPanels m_panels { m_windows, m_doors };
};

// A column of the bitmap holds only white pixels.
bool WhiteColumn(const QImage& bitmap, int x)
{
    for (int y = 0; y < bitmap.height(); ++y)
        if ((bitmap.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
            return false;
    return true;
}

bool HasDarkPixel(const QImage& bitmap)
{
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (Intensity(bitmap.pixel(x, y)) < kThumbnailCropThreshold)
                return true;
    return false;
}

TEST_F(ThumbnailPanelsTest, DrawsElevenCroppedPicturesWithTheEngineRestored)
{
    Settings().Rahmen = 5;
    Engine().HighlightSelection = true;
    m_panels.build(QFont(QStringLiteral("Arial"), 8));

    ASSERT_EQ(m_panels.thumbnails().size(), 11u);
    EXPECT_EQ(Settings().Rahmen, 5);
    EXPECT_TRUE(Engine().HighlightSelection);
    EXPECT_EQ(m_windows.width(), kThumbnailPanelWidth);
    EXPECT_EQ(m_doors.width(), kThumbnailPanelWidth);
    const auto table = Thumbnails();
    for (std::size_t i = 0; i < table.size(); ++i) {
        SCOPED_TRACE(table[i].description);
        const ThumbnailPanelLayout& layout = Layout(table[i].panel);
        TVandlBasicImage* image = thumbnail(i);
        EXPECT_EQ(image->parentWidget(), table[i].panel == ThumbnailPanel::Windows ? &m_windows : &m_doors);
        EXPECT_EQ(image->accessibleName(), QString::fromUtf8(Preset(table[i].preset).caption));
        EXPECT_EQ(image->height(), layout.controlHeight);
        // Cropped to the drawing: smaller than the bitmap drawn into, with
        // the crop margin white on both sides and the drawing inside.
        const QImage& bitmap = image->bitmap();
        EXPECT_LT(bitmap.width(), layout.bitmapSide);
        EXPECT_LT(bitmap.height(), layout.bitmapSide);
        EXPECT_GT(bitmap.width(), 20);
        EXPECT_GT(bitmap.height(), 20);
        EXPECT_TRUE(WhiteColumn(bitmap, 0));
        EXPECT_TRUE(WhiteColumn(bitmap, bitmap.width() - 1));
        EXPECT_TRUE(HasDarkPixel(bitmap));
    }
    // A door thumbnail is a taller window than a window thumbnail.
    EXPECT_GT(thumbnail(7)->bitmap().height(), thumbnail(1)->bitmap().height());

    // A second build draws nothing more.
    m_panels.build(QFont(QStringLiteral("Arial"), 8));
    EXPECT_EQ(m_panels.thumbnails().size(), 11u);
    EXPECT_EQ(m_windows.findChildren<TVandlBasicImage*>().size(), 7);
    EXPECT_EQ(m_doors.findChildren<TVandlBasicImage*>().size(), 4);
}

TEST_F(ThumbnailPanelsTest, ThumbnailsFollowThePanelHeight)
{
    buildShown(800);
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(thumbnail(i)->height(), 100) << i;
    for (std::size_t i = 7; i < 11; ++i)
        EXPECT_EQ(thumbnail(i)->height(), 192) << i; // (800 - 30) div 4
    // Stacked from the top in table order.
    for (std::size_t i = 1; i < 7; ++i)
        EXPECT_GT(thumbnail(i)->y(), thumbnail(i - 1)->y()) << i;

    m_panels.setPanelsVisible(false);
    EXPECT_FALSE(m_windows.isVisible());
    EXPECT_FALSE(m_doors.isVisible());
}

TEST_F(ThumbnailPanelsTest, ClickAndDoubleClickChooseTheirPresets)
{
    buildShown(700);
    QSignalSpy chosen(&m_panels, &ThumbnailPanels::presetChosen);
    struct Case {
        std::size_t index;
        bool doubleClick;
        std::optional<PresetId> expected;
    };
    const Case cases[] = {
        { 0, false, PresetId::Festverglast },
        { 2, false, PresetId::LinksDrehfluegel },
        { 5, false, PresetId::RechtsDrehKippfluegel },
        { 6, false, std::nullopt }, // the empty field wants a double click
        { 6, true, PresetId::LeerfeldWand },
        { 7, false, PresetId::TuerLinks },
        { 10, false, PresetId::TuerDrehkippRechts },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        chosen.clear();
        TVandlBasicImage* image = thumbnail(c.index);
        const QPoint centre = image->rect().center();
        if (c.doubleClick) {
            QTest::mousePress(image, Qt::LeftButton, {}, centre);
            QTest::mouseRelease(image, Qt::LeftButton, {}, centre);
            QTest::mouseDClick(image, Qt::LeftButton, {}, centre);
        } else {
            QTest::mouseClick(image, Qt::LeftButton, {}, centre);
        }
        if (!c.expected) {
            EXPECT_EQ(chosen.count(), 0);
            continue;
        }
        ASSERT_GE(chosen.count(), 1);
        EXPECT_EQ(chosen.last().at(0).value<PresetId>(), *c.expected);
    }
}

TEST_F(ThumbnailPanelsTest, ClickRunsItsPresetOnTheSelectedField)
{
    buildShown(700);
    EditorDocument document;
    document.setMemo1(QStringLiteral("1000,1000,1,1000,2,500,F;500,F;"));
    ASSERT_FALSE(document.Auswerten1Click());
    document.setSelection(1, 2);
    PresetCommands presets(document);
    QObject::connect(&m_panels, &ThumbnailPanels::presetChosen, &presets, [&](PresetId p) { presets.run(p); });

    QTest::mouseClick(thumbnail(3), Qt::LeftButton, {}, thumbnail(3)->rect().center()); // "Rechts Drehflügel"
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,1000,1,1000,2,500,F;500,R,F,G;"));
}

TEST_F(ThumbnailPanelsTest, PresetForPictureFindsTheFirstIdenticalThumbnail)
{
    m_panels.build(QFont(QStringLiteral("Arial"), 8));
    const QImage sash = thumbnail(1)->bitmap();
    QImage changed = thumbnail(4)->bitmap();
    changed.setPixel(changed.width() / 2, changed.height() / 2, qRgb(1, 2, 3));
    const QImage opaque = thumbnail(8)->bitmap().convertToFormat(QImage::Format_RGB32);
    struct Case {
        const char* name;
        QImage picture;
        std::optional<PresetId> expected;
    };
    const Case cases[] = {
        { "fixed pane", thumbnail(0)->bitmap(), PresetId::Festverglast },
        // The seventh draws the same sash as the second: the second wins.
        { "sash", sash, PresetId::Festverglast },
        { "right tilt-turn", thumbnail(5)->bitmap(), PresetId::RechtsDrehKippfluegel },
        { "door right", thumbnail(8)->bitmap(), PresetId::TuerRechts },
        { "door as RGB32", opaque, PresetId::TuerRechts },
        { "one pixel off", changed, std::nullopt },
        { "other size", sash.copy(0, 0, sash.width() - 1, sash.height()), std::nullopt },
        { "null", QImage(), std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_panels.presetForPicture(c.picture), c.expected);
    }
}

TEST(ThumbnailPanelsEmpty, NothingMatchesBeforeTheBuild)
{
    EnsureEditorTestApplication();
    QFrame windows;
    QFrame doors;
    ThumbnailPanels panels(windows, doors);
    EXPECT_FALSE(panels.built());
    EXPECT_EQ(panels.presetForPicture(QImage(10, 10, QImage::Format_ARGB32)), std::nullopt);
}

} // namespace
