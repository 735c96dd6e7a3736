#include "Log.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <QTime>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

namespace fenster {
namespace {

TEST(ProgramVersion, IsTheBuildVersion)
{
    EXPECT_EQ(ProgramVersion(), QStringLiteral("2025.1.0.66"));
}

TEST(ComputerName, IsAShortName)
{
    const QString name = ComputerName();
    EXPECT_LE(name.size(), 15);
    EXPECT_FALSE(name.contains(u'.'));
}

TEST(LogFileName, OneFilePerMonth)
{
    struct Case {
        QDate date;
        const char* expected;
    };
    const Case cases[] = {
        {QDate(2025, 12, 31), "/l/202512.log"},
        {QDate(2026, 1, 1), "/l/202601.log"},
        {QDate(2025, 3, 9), "/l/202503.log"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogFileName(QStringLiteral("/l/"), c.date), QString::fromUtf8(c.expected));
        EXPECT_EQ(LogFileName(QStringLiteral("/l"), c.date), QString::fromUtf8(c.expected));
    }
}

TEST(FormatLogLine, DateTimeInfixTextAndCrLf)
{
    const QDateTime when(QDate(2025, 12, 9), QTime(13, 45, 7, 123));
    const QByteArray line = FormatLogLine(when, QStringLiteral(" fensterdaten #PC1: "), QStringLiteral("Stop ä"));
    const QByteArray date = QLocale::system().toString(when.date(), QLocale::ShortFormat).toLatin1();
    EXPECT_EQ(line, date + " 13:45:07.123  fensterdaten #PC1: Stop \xE4\r\n");
}

TEST(FormatLogLine, SingleDigitTimesArePadded)
{
    const QDateTime when(QDate(2025, 1, 2), QTime(3, 4, 5, 6));
    EXPECT_TRUE(FormatLogLine(when, QString(), QStringLiteral("x")).endsWith(" 03:04:05.006 x\r\n"));
}

TEST(ChooseLogFolder, PreferredIsCreatedWithItsParents)
{
    QTemporaryDir dir;
    const QString preferred = dir.path() + QStringLiteral("/a/b/log");
    EXPECT_EQ(ChooseLogFolder(preferred, QStringLiteral("/fallback/")), preferred + u'/');
    EXPECT_TRUE(QFileInfo(preferred).isDir());
}

TEST(ChooseLogFolder, FallbackWhenPreferredCannotBeCreated)
{
    QTemporaryDir dir;
    QFile blocker(dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString fallback = dir.path() + QStringLiteral("/logs");
    EXPECT_EQ(ChooseLogFolder(blocker.fileName() + QStringLiteral("/log"), fallback), fallback + u'/');
    EXPECT_FALSE(QFileInfo::exists(fallback)) << "the fallback is left to the first line";
}

// Runs the module start to stop with the log folder and the user's data
// folder redirected into a temporary folder.
class LogRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/data")).toLocal8Bit());
    }
    void TearDown() override
    {
        LogStop();
        qunsetenv(LogFolderVariable);
        qunsetenv("XDG_DATA_HOME");
    }
    void setLogFolder(const QString& folder) { qputenv(LogFolderVariable, folder.toLocal8Bit()); }

    static QList<QByteArray> linesOf(const QString& folder)
    {
        QFile file(LogFileName(folder, QDate::currentDate()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> lines = file.readAll().split('\n');
        for (const QByteArray& line : lines.first(lines.size() - 1))
            EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_TRUE(lines.last().isEmpty()) << "the last line ends with CR LF";
        lines.removeLast();
        return lines;
    }

    QTemporaryDir m_dir;
};

TEST_F(LogRun, StartupLinesAndStop)
{
    const QString folder = m_dir.path() + QStringLiteral("/log/");
    setLogFolder(folder);
    LogLine(QStringLiteral("before start-up"));
    LogStartup();
    EXPECT_EQ(LogFolder(), folder);
    LogLine(QStringLiteral("messagebox: Fehler Datei fehlt"), 1);
    LogLine(QStringLiteral("level ten"), LogThreshold);
    LogLine(QStringLiteral("level eleven"), LogThreshold + 1);
    LogStop();
    LogLine(QStringLiteral("after stop"));
    EXPECT_TRUE(LogFolder().isEmpty());

    const QList<QByteArray> lines = linesOf(folder);
    ASSERT_EQ(lines.size(), 4);
    const QString exe = QString::fromStdString(std::filesystem::read_symlink("/proc/self/exe").string());
    const QByteArray infix = "  " + QFileInfo(exe).fileName().toLocal8Bit() + " #" + ComputerName().toLocal8Bit() + ": ";
    const QByteArray expectedTexts[] = {
        "Startup:" + exe.toLocal8Bit() + "  Version:2025.1.0.66",
        "messagebox: Fehler Datei fehlt",
        "level ten",
        "Stop",
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(lines[i].contains(infix)) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].endsWith(expectedTexts[i] + '\r')) << lines[i].toStdString();
    }
}

TEST_F(LogRun, LinesAreAppendedAcrossRunsAndTheFolderComesBack)
{
    const QString folder = m_dir.path() + QStringLiteral("/log/");
    setLogFolder(folder);
    LogStartup();
    LogStop();
    // The folder vanishes between lines: the next line creates it again.
    LogStartup();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    LogLine(QStringLiteral("second run"));
    LogStop();
    const QList<QByteArray> lines = linesOf(folder);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith("second run\r"));
    EXPECT_TRUE(lines[1].endsWith("Stop\r"));
}

TEST_F(LogRun, FolderThatCannotBeCreatedSwitchesToTheUsersDataFolder)
{
    QFile blocker(m_dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setLogFolder(blocker.fileName() + QStringLiteral("/log"));
    LogStartup();
    const QString fallback = m_dir.path() + QStringLiteral("/data/fensterdaten/log/");
    EXPECT_EQ(LogFolder(), fallback);
    EXPECT_EQ(FallbackLogFolder(), fallback);
    LogStop();
    EXPECT_EQ(linesOf(fallback).size(), 2);
}

TEST_F(LogRun, NoWritableFolderAtAllLosesLinesQuietly)
{
    QFile blocker(m_dir.path() + QStringLiteral("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    setLogFolder(blocker.fileName() + QStringLiteral("/log"));
    qputenv("XDG_DATA_HOME", (blocker.fileName() + QStringLiteral("/data")).toLocal8Bit());
    LogStartup();
    LogLine(QStringLiteral("lost"));
    LogStop();
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{QStringLiteral("file")});
}

TEST_F(LogRun, APipeInPlaceOfTheLogFileNeitherBlocksNorIsWritten)
{
    // Opening a pipe without a reader for writing would wait forever.
    const QString folder = m_dir.path() + QStringLiteral("/log/");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pipe = LogFileName(folder, QDate::currentDate());
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    setLogFolder(folder);
    LogStartup();
    LogLine(QStringLiteral("not written"));
    LogStop();
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

} // namespace
} // namespace fenster
