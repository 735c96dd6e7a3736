#include "DiskFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fenster {
namespace {

QByteArray FileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString Message(const std::function<void()>& action)
{
    try {
        action();
    } catch (const FileError& error) {
        return QString::fromStdString(error.what());
    }
    return QStringLiteral("<no error>");
}

TEST(ReadFileBytes, ReadsARegularFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.Fnt"));
    const QByteArray bytes("Breite=1000\r\n\0binär", 20);
    Put(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    Put(path, QByteArray());
    EXPECT_EQ(ReadFileBytes(path), QByteArray());
}

TEST(ReadFileBytes, RefusesAtOnceWhatIsNoBoundedRegularFile)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString exact = dir.filePath(QStringLiteral("exact"));
    const QString over = dir.filePath(QStringLiteral("over"));
    Put(exact, QByteArray(100, 'x'));
    Put(over, QByteArray(101, 'x'));
    struct Case {
        QString path;
        const char* expected;
    };
    const Case cases[] = {
        {fifo, "keine gewöhnliche Datei"},
        {dir.path(), "Ordner"},
        {QStringLiteral("/dev/zero"), "keine gewöhnliche Datei"},
        {over, "zu groß"},
        {dir.filePath(QStringLiteral("fehlt")), "existiert nicht"},
    };
    for (const Case& c : cases) {
        const QString message = Message([&] { ReadFileBytes(c.path, 100); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.path)) << message.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(exact, 100).size(), 100);
}

TEST(ReadFileBytes, RefusesAFileWithoutReadPermission)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file regardless of its permission bits";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("geheim"));
    Put(path, "x");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_TRUE(Message([&] { ReadFileBytes(path); }).contains(QStringLiteral("Zugriff verweigert")));
}

TEST(WriteFileAtomically, ReplacesContentKeepsModeAndLeavesNoTemporaryFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.Fnt"));
    Put(path, "alt");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    WriteFileAtomically(path, QByteArray("neu"));
    EXPECT_EQ(FileContent(path), "neu");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    WriteFileAtomically(path, [](QIODevice& device) { return device.write("vom Schreiber") == 13; });
    EXPECT_EQ(FileContent(path), "vom Schreiber");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("x.Fnt")});
}

TEST(WriteFileAtomically, AFailingWriterLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.Fnt"));
    Put(path, "alt");
    EXPECT_THROW(WriteFileAtomically(path, [](QIODevice&) { return false; }), FileError);
    EXPECT_THROW(WriteFileAtomically(path, [](QIODevice&) -> bool { throw std::runtime_error("x"); }),
        std::runtime_error);
    EXPECT_EQ(FileContent(path), "alt");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(WriteFileAtomically, NamesTheCause)
{
    QTemporaryDir dir;
    struct Case {
        QString path;
        const char* expected;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("fehlt/x.Fnt")), "existiert nicht"},
        {dir.path(), "Ordner"},
    };
    for (const Case& c : cases) {
        const QString message = Message([&] { WriteFileAtomically(c.path, QByteArray("x")); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.expected))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.path)) << message.toStdString();
    }
}

TEST(WriteFileAtomically, WritesThroughASymlinkAndKeepsTheLink)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.Fnt"));
    const QString link = dir.filePath(QStringLiteral("link.Fnt"));
    Put(real, "alt");
    ASSERT_EQ(::symlink("real.Fnt", QFile::encodeName(link).constData()), 0);
    WriteFileAtomically(link, QByteArray("neu"));
    EXPECT_EQ(FileContent(real), "neu");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

TEST(WriteFileAtomically, RacingWritersLeaveOneCompleteFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.Fnt"));
    const QByteArray first(300000, 'a');
    const QByteArray second(200000, 'b');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failures = 0;
        for (int i = 0; i < 40; ++i) {
            try {
                WriteFileAtomically(path, second);
            } catch (...) {
                ++failures;
            }
        }
        ::_exit(failures == 0 ? 0 : 1);
    }
    for (int i = 0; i < 40; ++i) {
        WriteFileAtomically(path, first);
        const QByteArray now = FileContent(path);
        EXPECT_TRUE(now == first || now == second) << now.size();
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const QByteArray last = FileContent(path);
    EXPECT_TRUE(last == first || last == second);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A real, small file system filled to the last block.
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
        m_mounted = true;
    }
    void TearDown() override
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    void Fill()
    {
        const int fd = ::open(QFile::encodeName(m_dir.filePath(QStringLiteral("fill"))).constData(),
            O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        const QByteArray block(4096, 'f');
        while (::write(fd, block.constData(), block.size()) > 0) {
        }
        const char one = 'f';
        while (::write(fd, &one, 1) > 0) {
        }
        ::close(fd);
    }
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

TEST_F(FullDisk, WritesFailWithTheDiskFullMessageAndKeepTheOldFile)
{
    const QString path = m_dir.filePath(QStringLiteral("x.Fnt"));
    Put(path, QByteArray(3000, 'o'));
    Fill();
    const QByteArray old = FileContent(path);
    for (const qsizetype size : {qsizetype(5), qsizetype(16 * 1024)}) {
        const QString message = Message([&] { WriteFileAtomically(path, QByteArray(size, 'n')); });
        EXPECT_TRUE(message.contains(QStringLiteral("nicht genug Speicherplatz"))) << message.toStdString();
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
        const QString viaWriter = Message([&] {
            WriteFileAtomically(path, [size](QIODevice& device) { return device.write(QByteArray(size, 'w')) == size; });
        });
        EXPECT_TRUE(viaWriter.contains(QStringLiteral("nicht genug Speicherplatz"))) << viaWriter.toStdString();
        EXPECT_EQ(FileContent(path), old);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
}

} // namespace
} // namespace fenster
