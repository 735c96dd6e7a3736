#pragma once

#include <QByteArray>
#include <QGuiApplication>

// The one application object a drawing benchmark needs for fonts and images;
// offscreen unless the caller chose a platform.
inline QGuiApplication& BenchApplication()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = { name, nullptr };
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}
