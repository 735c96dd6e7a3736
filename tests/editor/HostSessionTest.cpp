#include "HostSession.h"

#include "EditorDocument.h"
#include "HostContract.h"

#include "DiskFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace fenster;

namespace {

TEST(FieldWidthsReadable, WalksEveryFieldAsTheDrawingReadsIt)
{
    struct Case {
        const char* text;
        bool readable;
    };
    const Case cases[] = {
        { "1000,500,1,1000,1,500,F;", true },
        { "1000,1000,1,1000,1,F;", false }, // the first field's width is an option letter
        { "1500,1000,2,1000,2,400,V;600,L,F;500,1,x,F;", false }, // the last field of the upper row
        { "1000,abc,1,1000,1,1000,V;", true }, // the header is the editor reader's business
        { "", true },
        { "1000,1000,1,1000,3,1000,V;", true }, // fields announced but not there
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldWidthsReadable(QString::fromLatin1(c.text)), c.readable) << c.text;
}

TEST(SameFile, ComparesTheFilesNotTheNames)
{
    QTemporaryDir folder;
    const QString a = folder.filePath(QStringLiteral("a.Fnt"));
    const QString link = folder.filePath(QStringLiteral("link.Fnt"));
    QFile file(a);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_TRUE(QFile::link(a, link));
    EXPECT_TRUE(SameFile(a, a));
    EXPECT_TRUE(SameFile(a, folder.path() + QStringLiteral("/./a.Fnt")));
    EXPECT_TRUE(SameFile(link, a));
    EXPECT_FALSE(SameFile(a, folder.filePath(QStringLiteral("b.Fnt")))) << "a file that does not exist yet";
    EXPECT_FALSE(SameFile(QString(), QString()));
}

TEST(HostSession, ArgumentsDecideTheRun)
{
    EditorDocument document;
    HostSession session({ "-file:/h/a.Fnt", "-OUTFILE:/h/a.bmp", "m", "-MASSSTAB:250" }, document);
    EXPECT_EQ(session.runMode(), RunMode::RenderOnly);
    EXPECT_EQ(session.hostFile(), QStringLiteral("/h/a.Fnt"));
    EXPECT_EQ(session.outFile(), QStringLiteral("/h/a.bmp"));
    EXPECT_TRUE(session.edgeDimensionsAsked());
    EXPECT_EQ(session.constantScaleAsked(), 2.5);
    EXPECT_EQ(session.exitCode(), kExitDone) << "nothing has failed yet";
}

TEST(HostSession, OkWritesOnlyWhatWasRead)
{
    QTemporaryDir folder;
    const QString host = folder.filePath(QStringLiteral("Haus.Fnt"));
    QDir().mkpath(host); // not a regular file: the read fails
    EditorDocument document;
    HostSession session({ QStringLiteral("-FILE:") + host }, document);
    EXPECT_THROW(session.openHostFile(), FileError);
    EXPECT_FALSE(session.hostFileRead());
    EXPECT_THROW(session.BitBtn1Click(), std::runtime_error);
    EXPECT_TRUE(QFileInfo(host).isDir()) << "the folder is still there";
}

TEST(HostSession, RenderOnlyOutcomesAndExitCodes)
{
    struct Case {
        const char* name;
        const char* content; // nullptr: no host file
        bool exportFails;
        RunOutcome outcome;
        int exitCode;
        bool exported;
    };
    const Case cases[] = {
        { "picture written", "1000,1000,1,1000,1,1000,V;", false, RunOutcome::Done, kExitDone, true },
        { "no host file", nullptr, false, RunOutcome::Failed, kExitFailed, false },
        { "not a description", "1000,abc,1,1000,1,1000,V;", false, RunOutcome::Failed, kExitFailed, false },
        { "field width not a number", "1000,1000,1,1000,1,F;", false, RunOutcome::DataFileError, kExitDataFileError,
            false },
        { "picture not written", "1000,1000,1,1000,1,1000,V;", true, RunOutcome::Failed, kExitFailed, true },
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString host = folder.filePath(QStringLiteral("h.Fnt"));
        if (c.content) {
            QFile file(host);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.content);
        }
        EditorDocument document;
        HostSession session({ QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + folder.filePath("h.bmp") },
            document);
        bool exported = false;
        const int code = session.runRenderOnly([&](const QString&) {
            exported = true;
            if (c.exportFails)
                throw std::runtime_error("disk full");
        });
        EXPECT_EQ(code, c.exitCode) << c.name;
        EXPECT_EQ(session.exitCode(), c.exitCode) << c.name;
        EXPECT_EQ(session.outcome(), c.outcome) << c.name;
        EXPECT_EQ(exported, c.exported) << c.name;
    }
}

} // namespace
