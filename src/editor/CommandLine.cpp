#include "CommandLine.h"

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
