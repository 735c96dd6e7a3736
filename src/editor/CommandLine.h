#pragma once

#include <QString>
#include <QStringList>

namespace fenster {

// The command line is the process arguments after the program path. Names
// and prefixes are compared without regard to letter case.

// True when some argument equals name as a whole ("readonly" matches
// "READONLY" but not "xreadonly" or "readonly2").
bool ParamPresent(const QStringList& arguments, const QString& name);

// The rest of the first argument that begins with prefix, with blanks and
// control characters trimmed from both ends and its letter case kept; empty
// when no argument begins with prefix. The value is never cut short: a host
// may hand over paths of any length.
QString ParamValue(const QStringList& arguments, const QString& prefix);

// The document to open in a normal run, as a file manager or a shell hands
// it over: the first argument that is no "-" option (nor the value of one of
// Qt's own options such as "-platform offscreen") and not one of the words
// "readonly" and "M"; a "file:" address becomes its local path. Empty when
// there is none. Whether the file exists is for the loading to say.
QString DocumentArgument(const QStringList& arguments);

// The four ways the editor runs, decided once from the command line.
enum class RunMode {
    Normal, // no host file
    HostEdit, // "-FILE:": host bar with "OK", "Entfernen", "Abbrechen"
    HostReadOnly, // "-FILE:" and "readonly": the drawing only
    RenderOnly, // "-FILE:" and "-OUTFILE:": write the bitmap and end
};

RunMode DecideRunMode(const QStringList& arguments);

// True when the run needs no screen, so that the offscreen platform is
// chosen before the application object exists: a render-only run (it never
// shows its window, with or without a display) without an explicit
// QT_QPA_PLATFORM.
bool NeedsOffscreenPlatform(const QStringList& arguments);

// Chooses the offscreen platform when NeedsOffscreenPlatform says so.
// Call before constructing the QApplication.
void SelectPlatformForRun(const QStringList& arguments);

// The arguments after the program path, from main's argc and argv.
QStringList ArgumentsFromMain(int argc, char** argv);

} // namespace fenster
