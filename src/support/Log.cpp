#include "Log.h"

#include "CodePage.h"
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>


#ifndef FENSTER_PROGRAM_VERSION
#error "FENSTER_PROGRAM_VERSION must be defined by the build"
#endif

namespace fenster {

namespace {

struct LogState {
    bool active = false;
    QString folder;
    QString infix;
};

LogState& state()
{
    static LogState s;
    return s;
}

QString withTrailingSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

void appendToFile(const QString& fileName, const QByteArray& line)
{
    QFile file(fileName);
    // A log name taken by a pipe, a device or a folder would block or fail
    // on every line: such a log is simply not written.
    const QFileInfo info(fileName);
    if (info.exists() && !info.isFile())
        return;
    if (!file.exists()) {
        const QString folder = QFileInfo(fileName).absolutePath();
        if (!QDir().mkpath(folder))
            return;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    file.write(line);
    file.close();
}

} // namespace

QString ProgramVersion()
{
    return QStringLiteral(FENSTER_PROGRAM_VERSION);
}

QString ComputerName()
{
    // The NetBIOS name the log was made for is the host's short name, at most
    // 15 characters.
    QString name = QSysInfo::machineHostName();
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name.left(15);
}

QString FallbackLogFolder()
{
    const QString data = UserDataFolder();
    if (data.isEmpty())
        return QString();
    return data + QStringLiteral("log/");
}

QString ChooseLogFolder(const QString& preferred, const QString& fallback)
{
    if (!preferred.isEmpty() && QDir().mkpath(preferred))
        return withTrailingSlash(preferred);
    return withTrailingSlash(fallback);
}

QString LogFileName(const QString& folder, const QDate& date)
{
    return withTrailingSlash(folder) + date.toString(QStringLiteral("yyyyMM")) + QStringLiteral(".log");
}

QByteArray FormatLogLine(const QDateTime& when, const QString& infix, const QString& text)
{
    const QString stamp = QLocale::system().toString(when.date(), QLocale::ShortFormat)
        + u' ' + when.time().toString(QStringLiteral("HH:mm:ss.zzz")) + u' ';
    QByteArray line = EncodeWindows1252(stamp + infix + text);
    line.append("\r\n");
    return line;
}

QString LogFolder()
{
    return state().active ? state().folder : QString();
}

void LogStartup()
{
    try {
        LogState& s = state();
        const QString exe = ExecutablePath();
        const QFileInfo exeInfo(exe);
        const QString override = qEnvironmentVariable(LogFolderVariable);
        const QString collected = exe.isEmpty() ? QString() : CollectFolder() + QStringLiteral("log/");
        s.folder = ChooseLogFolder(override.isEmpty() ? collected : override, FallbackLogFolder());
        s.infix = u' ' + exeInfo.fileName() + QStringLiteral(" #") + ComputerName() + QStringLiteral(": ");
        s.active = true;
        LogLine(QStringLiteral("Startup:") + exe + QStringLiteral("  Version:") + ProgramVersion(), 1);
    } catch (...) {
        // Logging never stops the program.
    }
}

void LogLine(const QString& text, int level)
{
    if (level > LogThreshold)
        return;
    try {
        const LogState& s = state();
        if (!s.active || s.folder.isEmpty())
            return;
        // The name is worked out for every line, so a new month starts a new file.
        const QDateTime now = QDateTime::currentDateTime();
        appendToFile(LogFileName(s.folder, now.date()), FormatLogLine(now, s.infix, text));
    } catch (...) {
        // A line that cannot be written is lost, nothing else.
    }
}

void LogStop()
{
    LogLine(QStringLiteral("Stop"), 1);
    state() = LogState{};
}

} // namespace fenster
