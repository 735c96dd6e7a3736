#include "VandlBasicImage.h"

#include "BitmapDrag.h"
#include "ImagingTest.h"

#include <QAccessible>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalSpy>

#include <vector>

namespace fenster {
namespace {

TEST(FitPicture, CentresAndShrinksButNeverEnlarges)
{
    struct Case {
        const char* name;
        QSize picture;
        QSize box;
        QRect shown;
    } const cases[] = {
        { "smaller picture stays unscaled in the middle", QSize(100, 50), QSize(200, 200), QRect(50, 75, 100, 50) },
        { "odd remainders round down", QSize(101, 51), QSize(200, 200), QRect(49, 74, 101, 51) },
        { "same size fills the box", QSize(140, 140), QSize(140, 140), QRect(0, 0, 140, 140) },
        { "window thumbnail in its 82 pixel control", QSize(140, 140), QSize(140, 82), QRect(29, 0, 82, 82) },
        { "wide picture shrinks to the width", QSize(300, 100), QSize(150, 150), QRect(0, 50, 150, 50) },
        { "tall picture shrinks to the height", QSize(92, 400), QSize(200, 100), QRect(88, 0, 23, 100) },
        { "empty picture", QSize(0, 0), QSize(100, 100), QRect() },
        { "empty box", QSize(10, 10), QSize(0, 30), QRect() },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FitPicture(c.picture, c.box), c.shown);
    }
}

// The control with its drag looked at instead of run.
class LookingImage : public TVandlBasicImage {
public:
    std::vector<QImage> dragged;
    std::vector<QSize> dragImageSizes;

protected:
    void execDrag(QDrag& drag) override
    {
        dragged.push_back(BitmapFromMimeData(*drag.mimeData()));
        dragImageSizes.push_back(drag.pixmap().size());
    }
};

class VandlBasicImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        image.resize(140, 82);
        image.setBitmap(Drawn(140, 140, { QRect(20, 30, 50, 60) }));
    }

    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(at), image.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&image, &event);
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonPress, at, button, button);
    }
    void move(QPoint to, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        send(QEvent::MouseMove, to, Qt::NoButton, buttons);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        send(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }

    // The application object comes before the control.
    struct Application {
        Application() { EnsureApplication(); }
    } application;
    LookingImage image;
};

TEST_F(VandlBasicImageTest, LeftDragBeyondTheDragDistanceCarriesTheBitmap)
{
    QSignalSpy clicks(&image, &TVandlBasicImage::clicked);
    const QPoint start(40, 40);
    const int distance = QApplication::startDragDistance();
    press(start);
    move(start + QPoint(distance, 0)); // not beyond yet
    EXPECT_TRUE(image.dragged.empty());
    move(start + QPoint(distance + 1, 0));
    ASSERT_EQ(image.dragged.size(), 1u);
    EXPECT_EQ(image.dragged[0], image.bitmap());
    EXPECT_EQ(image.dragImageSizes[0], image.bitmap().size());
    // The rest of the gesture belongs to the drag.
    move(start + QPoint(60, 30));
    release(start + QPoint(60, 30));
    EXPECT_EQ(image.dragged.size(), 1u);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(VandlBasicImageTest, PlainLeftClickRunsTheClickAndNoDrag)
{
    QSignalSpy clicks(&image, &TVandlBasicImage::clicked);
    press(QPoint(10, 10));
    move(QPoint(11, 10));
    release(QPoint(11, 10));
    EXPECT_TRUE(image.dragged.empty());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(VandlBasicImageTest, OtherButtonsNeverDragNorClick)
{
    QSignalSpy clicks(&image, &TVandlBasicImage::clicked);
    for (const Qt::MouseButton button : { Qt::RightButton, Qt::MiddleButton }) {
        press(QPoint(10, 10), button);
        move(QPoint(100, 70), button);
        move(QPoint(100, 70), button | Qt::LeftButton);
        release(QPoint(100, 70), button);
    }
    EXPECT_TRUE(image.dragged.empty());
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(VandlBasicImageTest, EmptyBitmapIsNotDragged)
{
    image.setBitmap(QImage());
    press(QPoint(10, 10));
    move(QPoint(100, 70));
    image.StartBitmapDrag();
    EXPECT_TRUE(image.dragged.empty());
}

TEST_F(VandlBasicImageTest, DoubleClickIsOneClickAndOneDoubleClick)
{
    QSignalSpy clicks(&image, &TVandlBasicImage::clicked);
    QSignalSpy doubleClicks(&image, &TVandlBasicImage::doubleClicked);
    const QPoint at(30, 30);
    press(at);
    release(at);
    send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    release(at);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubleClicks.count(), 1);
    send(QEvent::MouseButtonDblClick, at, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(doubleClicks.count(), 1);
}

TEST_F(VandlBasicImageTest, ReleaseOutsideTheControlIsNoClick)
{
    QSignalSpy clicks(&image, &TVandlBasicImage::clicked);
    press(QPoint(10, 10));
    release(QPoint(-3, 10));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(VandlBasicImageTest, ShowsTheBitmapCentredAndShrunk)
{
    image.setBitmap(Drawn(140, 140, { QRect(0, 0, 140, 140) }, qRgb(255, 0, 0)));
    EXPECT_EQ(image.pictureRect(), QRect(29, 0, 82, 82));
    QImage screen(image.size(), QImage::Format_ARGB32);
    screen.fill(qRgb(0, 0, 255));
    image.render(&screen, QPoint(), QRegion(), QWidget::RenderFlags());
    EXPECT_EQ(screen.pixel(70, 41), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(29, 0), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(110, 81), qRgb(255, 0, 0));
    EXPECT_EQ(screen.pixel(28, 41), qRgb(0, 0, 255));
    EXPECT_EQ(screen.pixel(111, 41), qRgb(0, 0, 255));
}

TEST_F(VandlBasicImageTest, AutoCropCutsItsOwnBitmap)
{
    image.AutoCrop(240, 4);
    // The mark at columns 20..69, rows 30..89 and the margin of 4: columns
    // 16 up to 73 and rows 26 up to 93, both last ones not included.
    EXPECT_EQ(image.bitmap().size(), QSize(57, 67));
    EXPECT_EQ(image.bitmap().format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.FindContentBounds(240, 0), (ContentBounds { 4, 4, 53, 63 }));
    image.CropToRect(4, 4, 54, 64);
    EXPECT_EQ(image.bitmap(), Drawn(50, 60, { QRect(0, 0, 50, 60) }));
}

TEST_F(VandlBasicImageTest, AccessibleNameIsWhatTheCallerSets)
{
    image.setAccessibleName(QStringLiteral("Festverglast"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&image);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), "Festverglast");
}

} // namespace
} // namespace fenster
