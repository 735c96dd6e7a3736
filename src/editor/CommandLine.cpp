#include "CommandLine.h"

#include <QUrl>
#include <QtGlobal>

namespace fenster {

namespace {

bool IsBlankOrControl(QChar ch)
{
    return ch.unicode() <= u' ';
}

QString TrimBlanksAndControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && IsBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// Qt's own options that take the next argument as their value; the
// application object reads them, the document is never one of them.
bool IsQtOptionWithValue(const QString& argument)
{
    static const char* const options[] = { "-platform", "-platformpluginpath", "-platformtheme", "-plugin",
        "-display", "-style", "-stylesheet", "-session", "-qwindowgeometry", "-geometry", "-qwindowtitle",
        "-title", "-qwindowicon", "-icon", "-name", "-dialogs", "-fontengine" };
    // Qt takes them with one dash or two.
    const QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(1) : argument;
    for (const char* option : options) {
        if (name == QLatin1String(option))
            return true;
    }
    return false;
}

} // namespace

bool ParamPresent(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments) {
        if (argument.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString ParamValue(const QStringList& arguments, const QString& prefix)
{
    for (const QString& argument : arguments) {
        if (argument.startsWith(prefix, Qt::CaseInsensitive))
            return TrimBlanksAndControls(argument.mid(prefix.size()));
    }
    return {};
}

QString DocumentArgument(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument.startsWith(QLatin1Char('-'))) {
            if (IsQtOptionWithValue(argument))
                ++i;
            continue;
        }
        if (argument.compare(QLatin1String("readonly"), Qt::CaseInsensitive) == 0
            || argument.compare(QLatin1String("M"), Qt::CaseInsensitive) == 0)
            continue;
        const QString path = TrimBlanksAndControls(argument);
        if (path.isEmpty())
            continue;
        // Some file managers hand over an address instead of a path.
        if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QUrl url(path);
            if (url.isLocalFile())
                return url.toLocalFile();
        }
        return path;
    }
    return {};
}

RunMode DecideRunMode(const QStringList& arguments)
{
    if (ParamValue(arguments, QStringLiteral("-FILE:")).isEmpty())
        return RunMode::Normal;
    if (!ParamValue(arguments, QStringLiteral("-OUTFILE:")).isEmpty())
        return RunMode::RenderOnly;
    if (ParamPresent(arguments, QStringLiteral("readonly")))
        return RunMode::HostReadOnly;
    return RunMode::HostEdit;
}

bool NeedsOffscreenPlatform(const QStringList& arguments)
{
    if (DecideRunMode(arguments) != RunMode::RenderOnly)
        return false;
    // The render-only run never shows its window, so a screen would only
    // cost the time to reach it, or hang on one that does not answer.
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void SelectPlatformForRun(const QStringList& arguments)
{
    if (NeedsOffscreenPlatform(arguments))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QStringList ArgumentsFromMain(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace fenster
