#include "FileRoutines.h"

#include <QGuiApplication>
#include <QWindow>

#include <gtest/gtest.h>

namespace fenster {
namespace {

TEST(FileNameWithoutExtensions, StripsFolderAndEveryExtension)
{
    struct Case {
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {"/opt/fensterdaten/Griff.BMP", "Griff"},
        {"Griff.BMP", "Griff"},
        {"Fenster.Standard.std", "Fenster"},  // two extensions: both go
        {"/a.dir/Kipp", "Kipp"},              // a dot in the folder does not count
        {"Kipp", "Kipp"},
        {".hidden", ""},
        {"/x/y/", ""},
        {"C:\\Programme\\Vandl\\Tuer.std", "Tuer"},
        {"C:Tuer.std", "Tuer"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileNameWithoutExtensions(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected)) << c.path;
}

TEST(FileNameWithoutExtensions, KeepsUmlauts)
{
    EXPECT_EQ(FileNameWithoutExtensions(QStringLiteral("/s/Tür mit Oberlicht.Fnt")), QStringLiteral("Tür mit Oberlicht"));
}

QGuiApplication& application()
{
    static int argc = 1;
    static char name[] = "support_tests";
    static char* argv[] = {name, nullptr};
    // Left alive to the end: a QGuiApplication destroyed by the exit handlers,
    // after the platform plugin is gone, crashes.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    return *app;
}

TEST(ForceForeground, NoWindowIsRefused)
{
    application();
    EXPECT_FALSE(ForceForeground(nullptr));
}

TEST(ForceForeground, RestoresAMinimizedWindow)
{
    application();
    QWindow window;
    window.showMinimized();
    QGuiApplication::processEvents();
    EXPECT_TRUE(ForceForeground(&window));
    QGuiApplication::processEvents();
    EXPECT_FALSE(window.windowStates() & Qt::WindowMinimized);
    EXPECT_TRUE(window.isVisible());
}

} // namespace
} // namespace fenster
