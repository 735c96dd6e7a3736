#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace fenster {

namespace {

QString withTrailingSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

// Folders compared as the file system sees them, so that "bin/../bin" and a
// link to the folder count as the folder itself.
QString canonicalFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return withTrailingSlash(canonical.isEmpty() ? QDir::cleanPath(folder) : canonical);
}

QString executableFolder()
{
    const QString exe = ExecutablePath();
    if (exe.isEmpty())
        return withTrailingSlash(QDir::currentPath());
    return withTrailingSlash(QFileInfo(exe).absolutePath());
}

} // namespace

QString ExecutablePath()
{
    // The kernel's link works before a QCoreApplication exists; Qt's
    // answer is the fallback.
    std::error_code error;
    const auto link = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && !link.empty())
        return QString::fromStdString(link.string());
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QString();
}

bool HoldsProgramFiles(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return false;
    if (QFileInfo(dir.filePath(QStringLiteral("help"))).isDir())
        return true;
    // Without QDir::CaseSensitive the patterns also find "VSG.BMP".
    QDir files(folder);
    files.setNameFilters({ QStringLiteral("*.bmp"), QStringLiteral("*.std") });
    files.setFilter(QDir::Files);
    return !files.entryList().isEmpty();
}

QString ChooseProgramFolder(const QString& executableFolder)
{
    const QString own = withTrailingSlash(QDir(executableFolder).absolutePath());
    if (HoldsProgramFiles(own))
        return own;
    const QString installed = QDir::cleanPath(own + QStringLiteral("../share/fensterdaten"));
    if (QFileInfo(installed).isDir())
        return withTrailingSlash(installed);
    return own;
}

QString ChooseCollectFolder(const QString& programFolder, const QString& executableFolder,
    const QString& userDataFolder, const FolderCheck& isWritable)
{
    const QString program = withTrailingSlash(programFolder);
    const bool ownFolder = canonicalFolder(programFolder) == canonicalFolder(executableFolder);
    if (ownFolder && isWritable && isWritable(program))
        return program;
    if (userDataFolder.isEmpty())
        return program;
    return withTrailingSlash(userDataFolder);
}

bool FolderIsWritable(const QString& folder)
{
    // access() asks the kernel, which also refuses root on a read-only
    // mount; the permission bits alone would say yes to root everywhere.
    const QFileInfo info(folder);
    return info.isDir() && ::access(QFile::encodeName(info.absoluteFilePath()).constData(), W_OK | X_OK) == 0;
}

QString ProgramFolder()
{
    return ChooseProgramFolder(executableFolder());
}

QString UserDataFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QString();
    return withTrailingSlash(data) + QStringLiteral("fensterdaten/");
}

QString CollectFolder()
{
    return ChooseCollectFolder(ProgramFolder(), executableFolder(), UserDataFolder(), FolderIsWritable);
}

} // namespace fenster
