#pragma once

#include <QByteArray>
#include <QString>

class QDate;
class QDateTime;

namespace fenster {

// The monthly log in "log/" of the collect folder (CollectFolder: beside
// the executable in a build tree, the user's data folder for an installed
// program). Every failure to write is swallowed: logging never interferes
// with the program.

// Sets up the module (computer name, log folder, line infix) and writes the
// "Startup:" line. Call once before any window exists.
void LogStartup();

// Appends one line when level is not above the threshold (10). Each line is
// a separate open-append-close, so several running instances can share a file.
// Before LogStartup and after LogStop nothing is written.
void LogLine(const QString& text, int level = 1);

// Writes the "Stop" line and clears the module state.
void LogStop();

// The program's file version, a build-time constant.
QString ProgramVersion();

// The machine's name, at most 15 characters; empty when it cannot be read.
QString ComputerName();

// Building blocks of the log, public so that their rules can be checked on
// their own.

// Lines above this level are not written.
inline constexpr int LogThreshold = 10;

// The environment variable that, when set, names the log folder and takes
// the place of the collect folder's "log/" (used by the tests).
inline constexpr char LogFolderVariable[] = "FENSTER_LOG_DIR";

// The folder of the log once LogStartup has run (ending in "/"), else empty.
QString LogFolder();

// The user's own folder for the log when the preferred one cannot be
// created: "log/" in UserDataFolder(). Not created here.
QString FallbackLogFolder();

// preferred when it exists or can be created (with all missing parents),
// otherwise fallback, which is left to the first line to create.
QString ChooseLogFolder(const QString& preferred, const QString& fallback);

// folder + "yyyymm.log" for the month of date; folder ends in "/".
QString LogFileName(const QString& folder, const QDate& date);

// One finished line: the short date of the user's locale, " hh:mm:ss.zzz ",
// infix, text, CR LF, encoded in Windows-1252 (characters it lacks become "?").
QByteArray FormatLogLine(const QDateTime& when, const QString& infix, const QString& text);

} // namespace fenster
