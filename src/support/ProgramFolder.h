#pragma once

#include <QString>

#include <functional>

namespace fenster {

// Where the program finds its own files and where it puts what it collects.
//
// The program folder holds the symbol pictures, the standard windows, the
// shipped language files and the manual. In a build tree (or a folder the
// program was simply copied into) that is the executable's own folder; an
// installed program keeps them in <prefix>/share/fensterdaten/ beside
// <prefix>/bin/.
//
// The collect folder receives what the program writes for itself: the
// language files with the texts they lacked, the empty "default.lng" and the
// monthly logs. That is the executable's own folder when it is the program
// folder and may be written; an installed program folder belongs to the
// package and is never written, so an installed program collects in the
// user's data folder.

// The running executable's full path. Works before (and without) a
// QCoreApplication; empty when it cannot be found.
QString ExecutablePath();

// The program folder of this run, ending in "/".
QString ProgramFolder();

// "fensterdaten/" in the user's data folder ($XDG_DATA_HOME, usually
// ~/.local/share), ending in "/"; empty when the user has no data folder.
// Not created here.
QString UserDataFolder();

// The collect folder of this run, ending in "/". Not created here.
QString CollectFolder();

// Building blocks, public so that their rules can be checked with folders
// of one's own.

// True when folder holds files of a program folder: a symbol picture
// ("*.bmp" in any letter case), a standard window ("*.std") or "help/".
bool HoldsProgramFiles(const QString& folder);

// executableFolder when it holds program files; otherwise
// executableFolder/../share/fensterdaten when that is a folder; otherwise
// executableFolder again (a program without files of its own). Ends in "/".
QString ChooseProgramFolder(const QString& executableFolder);

using FolderCheck = std::function<bool(const QString& folder)>;

// programFolder when it is the executable's own folder and isWritable says
// so, else userDataFolder; programFolder when there is no user data folder
// at all (what is written there then may be lost). Ends in "/".
QString ChooseCollectFolder(const QString& programFolder, const QString& executableFolder,
    const QString& userDataFolder, const FolderCheck& isWritable);

// The real check: an existing folder this process may create files in
// (a read-only file system counts as not writable, also for root).
bool FolderIsWritable(const QString& folder);

} // namespace fenster
