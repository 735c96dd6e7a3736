#include "ProgramFolder.h"

#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace fenster {
namespace {

// A folder tree of its own: files named relative to its root.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_root.isValid()); }

    QString path(const QString& name) const { return QDir(m_root.path()).filePath(name); }
    QString folder(const QString& name) const { return path(name) + QLatin1Char('/'); }

    void put(const QString& name) const
    {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path(name)).absolutePath()));
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    QTemporaryDir m_root;
};

TEST_F(ProgramFolderTest, TheExecutablesFolderWhenItHoldsTheFilesElseTheInstalledShareFolder)
{
    struct Case {
        const char* name;
        QStringList files; // below the tree's root
        const char* chosen; // program folder, relative to the root
    };
    const Case cases[] = {
        { "build tree: symbol pictures beside the executable", { "build/fensterdaten", "build/VSG.BMP" }, "build" },
        { "a lower-case picture counts as well", { "build/fensterdaten", "build/griff.bmp" }, "build" },
        { "a standard window alone", { "build/fensterdaten", "build/Eck.std" }, "build" },
        { "the manual's folder alone", { "build/fensterdaten", "build/help/Handbuch.pdf" }, "build" },
        { "installed: bin/ beside share/fensterdaten/",
            { "prefix/bin/fensterdaten", "prefix/share/fensterdaten/VSG.BMP" }, "prefix/share/fensterdaten" },
        { "installed and empty share folder still wins over a bare bin/",
            { "prefix/bin/fensterdaten", "prefix/share/fensterdaten/help/Handbuch.pdf" }, "prefix/share/fensterdaten" },
        { "own files win over an installed tree", { "prefix/bin/fensterdaten", "prefix/bin/VSG.BMP",
                                                      "prefix/share/fensterdaten/VSG.BMP" }, "prefix/bin" },
        { "neither: the executable's folder", { "prefix/bin/fensterdaten", "prefix/share/other/VSG.BMP" },
            "prefix/bin" },
        { "a file named like the share folder is no folder",
            { "prefix/bin/fensterdaten", "prefix/share/fensterdaten" }, "prefix/bin" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(QDir(m_root.path()).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(m_root.path()));
        for (const QString& file : c.files)
            put(file);
        const QString exeFolder = QFileInfo(path(c.files.first())).absolutePath();
        EXPECT_EQ(ChooseProgramFolder(exeFolder), folder(QString::fromUtf8(c.chosen)));
    }
}

TEST_F(ProgramFolderTest, CollectedFilesGoBesideTheExecutableOnlyWhenItIsTheProgramFolderAndWritable)
{
    put(QStringLiteral("build/VSG.BMP"));
    put(QStringLiteral("prefix/share/fensterdaten/VSG.BMP"));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("prefix/bin"))));
    const QString user = folder(QStringLiteral("home/.local/share/fensterdaten"));
    const auto yes = [](const QString&) { return true; };
    const auto no = [](const QString&) { return false; };
    struct Case {
        const char* name;
        QString program;
        QString executable;
        QString userData;
        FolderCheck writable;
        QString chosen;
    };
    const Case cases[] = {
        { "build tree, writable", folder("build"), folder("build"), user, yes, folder("build") },
        { "build tree, read-only", folder("build"), folder("build"), user, no, user },
        { "the same folder written differently", folder("build"), path("build/../build"), user, yes, folder("build") },
        { "installed, writable (root, or a prefix in the home folder)", folder("prefix/share/fensterdaten"),
            folder("prefix/bin"), user, yes, user },
        { "installed, read-only", folder("prefix/share/fensterdaten"), folder("prefix/bin"), user, no, user },
        { "no user data folder: the program folder all the same", folder("prefix/share/fensterdaten"),
            folder("prefix/bin"), QString(), no, folder("prefix/share/fensterdaten") },
        { "the user folder gets its trailing slash", folder("build"), folder("build"),
            path("home/.local/share/fensterdaten"), no, user },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChooseCollectFolder(c.program, c.executable, c.userData, c.writable), c.chosen);
    }
}

TEST_F(ProgramFolderTest, WritableMeansAnExistingFolderThisProcessMayWriteIn)
{
    put(QStringLiteral("file"));
    EXPECT_TRUE(FolderIsWritable(m_root.path()));
    EXPECT_FALSE(FolderIsWritable(path(QStringLiteral("missing"))));
    EXPECT_FALSE(FolderIsWritable(path(QStringLiteral("file"))));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("locked"))));
    ASSERT_TRUE(QFile::setPermissions(path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner));
    // Root may write anywhere on a writable file system.
    EXPECT_EQ(FolderIsWritable(path(QStringLiteral("locked"))), ::geteuid() == 0);
    QFile::setPermissions(path(QStringLiteral("locked")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(ProgramFolderTest, TheUserDataFolderFollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toLocal8Bit());
    EXPECT_EQ(UserDataFolder(), folder(QStringLiteral("data/fensterdaten")));
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
}

TEST(ProgramFolderOfThisRun, IsTheTestsOwnFolderAndEndsInASlash)
{
    // The test executable lies in a build folder without program files and
    // without ../share/fensterdaten beside it.
    const QString own = QFileInfo(ExecutablePath()).absolutePath() + QLatin1Char('/');
    EXPECT_EQ(ProgramFolder(), ChooseProgramFolder(own));
    EXPECT_TRUE(ProgramFolder().endsWith(QLatin1Char('/')));
    EXPECT_TRUE(CollectFolder().endsWith(QLatin1Char('/')));
}

} // namespace
} // namespace fenster
