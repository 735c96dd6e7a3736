// fensterdaten: the window editor, also started by host programs with
// "-FILE:" (edit or show a description) and "-OUTFILE:" (render a bitmap).

#include "CommandLine.h"
#include "Fenstereditor.h"
#include "HostSession.h"

#include "Log.h"
#include "TranslateForm.h"
#include "Translator.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <exception>

int main(int argc, char** argv)
{
    using namespace fenster;
    const QStringList arguments = ArgumentsFromMain(argc, argv);
    // A render-only run never shows its window and so needs no display; the
    // platform is fixed before the application exists.
    SelectPlatformForRun(arguments);

    QApplication application(argc, argv);
    LogStartup();
    QGuiApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
    // Qt's own dialogs (file, font, colour) speak German like the rest of
    // the program; without the translations they stay English.
    QTranslator qtTranslations;
    if (qtTranslations.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslations);

    // A missing language file is told in a box, except in a render-only
    // run, which never waits for a person: there it goes to the log.
    if (DecideRunMode(arguments) == RunMode::RenderOnly)
        SetMissingLanguageFileWarning([](const QString& message) { LogLine(message); });
    else
        UseMessageBoxForMissingLanguageFile();

    int code = 0;
    try {
        TFenstereditor window(EditorStartup::fromProcess(arguments));
        code = window.run();
    } catch (const std::exception& error) {
        code = HostSession::reportFatal(error);
    }
    LogStop();
    EndTranslation();
    return code;
}
