#pragma once

#include <QApplication>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

namespace fenster {

// The widget tests need an application object; offscreen unless the caller
// chose a platform. It lives until the process ends, never destroyed after
// the statics it uses.
inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "imaging_tests";
    static char* argv[] = { name, nullptr };
    new QApplication(argc, argv);
}

// A white 32-bit bitmap with the given rectangles (both edges included, as
// QRect has them) filled in colour.
inline QImage Drawn(int width, int height, std::initializer_list<QRect> marks, QRgb colour = 0xff000000u)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(0xffffffffu);
    for (const QRect& mark : marks)
        for (int y = mark.top(); y <= mark.bottom(); ++y)
            for (int x = mark.left(); x <= mark.right(); ++x)
                image.setPixel(x, y, colour);
    return image;
}

} // namespace fenster

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const QSize& s, std::ostream* os)
{
    *os << s.width() << " x " << s.height();
}
QT_END_NAMESPACE
