#include "DiskFiles.h"

#include <QBuffer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fenster {

namespace {

QString Reason(int error)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Auf dem Datenträger ist nicht genug Speicherplatz.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Zugriff verweigert.");
    case EROFS:
        return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOENT:
        return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
    case EISDIR:
        return QStringLiteral("Das ist ein Ordner.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

[[noreturn]] void Fail(const char* format, const QString& path, const QString& reason)
{
    throw FileError(QString::fromUtf8(format).arg(path, reason).toStdString());
}

constexpr const char* kOpenFailed = "Datei %1 kann nicht geöffnet werden. %2";
constexpr const char* kReadFailed = "Datei %1 kann nicht gelesen werden. %2";
constexpr const char* kCreateFailed = "Datei %1 kann nicht erstellt werden. %2";
constexpr const char* kWriteFailed = "Datei %1 kann nicht geschrieben werden. %2";

// Closes the descriptor on every way out of a scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Returns errno of a failed close, 0 otherwise.
    int close()
    {
        if (m_fd < 0)
            return 0;
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// Writes all of data, over short writes and interruptions; errno or 0.
int WriteAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return ENOSPC;
        data += written;
        size -= written;
    }
    return 0;
}

// A symlink is written through: the new file goes beside the file it names,
// so the link stays a link.
QByteArray RealTarget(const QString& path)
{
    QByteArray target = QFile::encodeName(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(target.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return target;
        QByteArray link(4096, '\0');
        const ssize_t length = ::readlink(target.constData(), link.data(), static_cast<size_t>(link.size()));
        if (length <= 0 || length >= link.size())
            return target;
        link.truncate(length);
        if (!link.startsWith('/')) {
            const int slash = target.lastIndexOf('/');
            link.prepend(slash >= 0 ? target.left(slash + 1) : QByteArray());
        }
        target = link;
    }
    return target;
}

QByteArray FolderOf(const QByteArray& file)
{
    const int slash = file.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return file.left(slash);
}

mode_t NewFileMode(const QByteArray& target)
{
    struct stat info {};
    if (::stat(target.constData(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QByteArray ReadFileBytes(const QString& path, qint64 maxBytes)
{
    // O_NONBLOCK: opening a FIFO without a writer must not wait; the kind of
    // file is then checked on the open descriptor itself.
    Descriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        Fail(kOpenFailed, path, Reason(errno));
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        Fail(kOpenFailed, path, Reason(errno));
    if (S_ISDIR(info.st_mode))
        Fail(kOpenFailed, path, QStringLiteral("Das ist ein Ordner, keine gewöhnliche Datei."));
    if (!S_ISREG(info.st_mode))
        Fail(kOpenFailed, path, QStringLiteral("Das ist keine gewöhnliche Datei."));
    const QString tooLarge = QStringLiteral("Die Datei ist zu groß (mehr als %1 Bytes).").arg(maxBytes);
    if (info.st_size > maxBytes)
        Fail(kOpenFailed, path, tooLarge);
    // A file that grows while it is read is still bounded.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(std::min<qint64>(info.st_size, maxBytes) + 1));
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes)
                break;
            bytes.resize(static_cast<qsizetype>(std::min<qint64>(filled * 2 + 4096, maxBytes + 1)));
        }
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            Fail(kReadFailed, path, Reason(errno));
        }
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > maxBytes)
        Fail(kReadFailed, path, tooLarge);
    bytes.truncate(static_cast<qsizetype>(filled));
    return bytes;
}

void WriteFileAtomically(const QString& path, const std::function<bool(QIODevice&)>& writer)
{
    // The writer fills memory first, so no buffered device can hide a failed
    // write: every byte goes to disk below, checked.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writer(buffer))
        Fail(kWriteFailed, path, buffer.errorString());
    buffer.close();
    WriteFileAtomically(path, buffer.data());
}

void WriteFileAtomically(const QString& path, const QByteArray& content)
{
    const QByteArray target = RealTarget(path);
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0 && S_ISDIR(existing.st_mode))
        Fail(kCreateFailed, path, Reason(EISDIR));
    const QByteArray folder = FolderOf(target);
    const mode_t mode = NewFileMode(target);

    // Each writer has its own temporary file; the rename is the one step that
    // replaces the old file, so racing writers leave one complete file.
    std::random_device seed;
    std::mt19937_64 random(seed() ^ (quint64(::getpid()) << 32));
    QByteArray temporary;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        temporary = target + ".tmp" + QByteArray::number(quint64(random()), 36);
        fdNumber = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fdNumber < 0 && errno != EEXIST)
            Fail(kCreateFailed, path, Reason(errno));
    }
    if (fdNumber < 0)
        Fail(kCreateFailed, path, Reason(EEXIST));
    Descriptor fd(fdNumber);
    // The mode asked for is narrowed by the umask; an existing file's mode is kept.
    ::fchmod(fd.get(), mode);

    int error = WriteAll(fd.get(), content.constData(), content.size());
    if (error == 0 && ::fsync(fd.get()) != 0)
        error = errno;
    const int closeError = fd.close();
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        Fail(kWriteFailed, path, Reason(error));
    }
    // The new name itself reaches the disk with the folder.
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

} // namespace fenster
