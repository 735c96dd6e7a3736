#pragma once

// Helpers every test may use: running a program from outside, temporary
// folders and files of bytes, and the application object Qt's drawing needs.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace fenster::test {

// How a program run from outside ended. status is -1 when it could not be
// started, did not end within the time given or crashed.
struct ProcessOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

struct ProcessOptions {
    QString workingFolder; // empty: the test's own
    QByteArray input; // written to standard input, which is then closed
    std::optional<QProcessEnvironment> environment; // nullopt: the test's own
    int timeoutMs = 60000;
};

inline ProcessOutcome RunProgram(const QString& program, const QStringList& arguments, const ProcessOptions& options = {})
{
    ProcessOutcome outcome;
    QProcess process;
    if (!options.workingFolder.isEmpty())
        process.setWorkingDirectory(options.workingFolder);
    if (options.environment)
        process.setProcessEnvironment(*options.environment);
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << program.toStdString() << " did not start";
        return outcome;
    }
    process.write(options.input);
    process.closeWriteChannel();
    if (!process.waitForFinished(options.timeoutMs)) {
        ADD_FAILURE() << program.toStdString() << " did not end";
        process.kill();
        process.waitForFinished();
        return outcome;
    }
    outcome.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    outcome.out = process.readAllStandardOutput().toStdString();
    outcome.err = process.readAllStandardError().toStdString();
    return outcome;
}

// A temporary folder that exists for the test's lifetime.
class TemporaryFolder {
public:
    TemporaryFolder() { EXPECT_TRUE(m_dir.isValid()) << "no temporary folder"; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

// Writes bytes to a file (a test's fixture, not the program's output);
// returns the path.
inline QString WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    EXPECT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
    return path;
}

// The whole content of a file; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The application object fonts and pictures need, created once.
inline void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fenster_test";
    static char* argv[] = { name, nullptr };
    new QGuiApplication(argc, argv);
}

} // namespace fenster::test
