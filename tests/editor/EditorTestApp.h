#pragma once

#include <QApplication>

// The one application object of an editor test program, made on first use.
inline void EnsureEditorTestApplication()
{
    static int argc = 1;
    static char name[] = "editor_tests";
    static char* argv[] = { name, nullptr };
    if (!QApplication::instance())
        new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}
