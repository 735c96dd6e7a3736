#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Outcome = fenster::test::ProcessOutcome;

Outcome runCli(const QStringList& arguments, const QByteArray& input = {})
{
    fenster::test::ProcessOptions options;
    options.input = input;
    return fenster::test::RunProgram(QStringLiteral(FENSTER_CLI), arguments, options);
}

const std::string kBadInteger = "'' ist kein gültiger Integer-Wert\n";

// Text on standard input, and what normalize makes of it.
TEST(CliNormalize, ReproducesTheWriter)
{
    struct Case {
        const char* name;
        QByteArray input;
        std::string out;
    };
    const Case cases[] = {
        {"default window", "1000,500,1,1000,1,500,F;", "1000,500,1,1000,1,500,F;\n"},
        {"two-row window", "1200,1000,2,1000,2,500,L,F,K,G;500,R,F,K,G,h:1;200,1,1000,F,J;",
            "1200,1000,2,1000,2,500,L,F,K,G;500,R,F,K,G,h:1;200,1,1000,F,J;\n"},
        {"hinge before V is retained but hidden", "1000,500,1,1000,1,500,L,V;", "1000,500,1,1000,1,500,V;\n"},
        {"hinge after V is ignored", "1000,500,1,1000,1,500,V,L;", "1000,500,1,1000,1,500,V;\n"},
        {"empty field", "1000,500,1,1000,1,500,T:10;", "1000,500,1,1000,1,500,T:10;\n"},
        {"both hinge flags kept", "1000,1000,1,1000,1,1000,L,R,F;", "1000,1000,1,1000,1,1000,L,R,F;\n"},
        {"header recomputed", "2000,1000,1,1000,1,1000,F;", "1000,1000,1,1000,1,1000,F;\n"},
        {"line break and more text", "1000,500,1,1000,1,500,F;\r\nmore, text;\n", "1000,500,1,1000,1,500,F;\n"},
        {"UTF-8 mark", "\xEF\xBB\xBF" "1000,500,1,1000,1,500,L,F;", "1000,500,1,1000,1,500,L,F;\n"},
        {"UTF-16 mark", QByteArray("\xFF\xFE" "1\0,\0" "2\0,\0" "1\0,\0" "3\0,\0" "1\0,\0" "4\0,\0" "V\0;\0", 30),
            "3,4,1,3,1,4,V;\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCli({QStringLiteral("normalize")}, c.input);
        EXPECT_EQ(outcome.status, 0) << c.name << ": " << outcome.err;
        EXPECT_EQ(outcome.out, c.out) << c.name;
        EXPECT_EQ(outcome.err, "") << c.name;
    }
}

TEST(CliNormalize, BadDescriptionsGiveTheReadersMessageAndStatus2)
{
    struct Case {
        const char* name;
        QByteArray input;
        std::string err;
    };
    const Case cases[] = {
        {"a field without its width", "1000,1000,1,1000,1,F;", "''F;" + kBadInteger},
        {"empty input", "", "''" + kBadInteger},
        {"a final line break is dropped first", "1000,500\n", "''" + kBadInteger},
        {"a Windows-1252 letter is shown as such", "1000,500,1,1000,1,500,F,T:\xE4;", "''\xC3\xA4" + kBadInteger},
        {"no rows", "1000,500,0,", "''0'' ist keine gültige Anzahl (1 bis 999)\n"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCli({QStringLiteral("normalize"), QStringLiteral("-")}, c.input);
        EXPECT_EQ(outcome.status, 2) << c.name;
        EXPECT_EQ(outcome.out, "") << c.name;
        EXPECT_EQ(outcome.err, c.err) << c.name;
    }
}

TEST(CliNormalize, EveryExampleReadsAndIsWrittenBackUnchanged)
{
    const QDir examples(QStringLiteral(FENSTER_EXAMPLES));
    const QStringList files = examples.entryList({QStringLiteral("*.Fnt")}, QDir::Files);
    ASSERT_GE(files.size(), 14);
    for (const QString& name : files) {
        QFile file(examples.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const std::string content = file.readAll().toStdString();
        const Outcome outcome = runCli({QStringLiteral("normalize"), file.fileName()});
        EXPECT_EQ(outcome.status, 0) << name.toStdString() << ": " << outcome.err;
        EXPECT_EQ(outcome.out, content + "\n") << name.toStdString();
    }
}

TEST(CliNormalize, UnreadableFilesGiveAClearMessageAndStatus2)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("fehlt.Fnt"));
    const QString big = dir.filePath(QStringLiteral("gross.Fnt"));
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray((16 << 20) + 1, '1'));
    }
    struct Case {
        QString path;
        std::string mentions;
    };
    const Case cases[] = {
        {missing, "existiert nicht"},
        {dir.path(), "keine gewöhnliche Datei"},
        {big, "zu groß"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCli({QStringLiteral("normalize"), c.path});
        EXPECT_EQ(outcome.status, 2) << c.path.toStdString();
        EXPECT_EQ(outcome.out, "");
        // The message names the file and the cause.
        EXPECT_NE(outcome.err.find(c.path.toStdString()), std::string::npos) << outcome.err;
        EXPECT_NE(outcome.err.find(c.mentions), std::string::npos) << outcome.err;
    }
}

TEST(CliUsage, HelpVersionAndWrongUsage)
{
    struct Case {
        QStringList arguments;
        int status;
        const char* outMentions;  // empty: no output expected
        const char* errMentions;
    };
    const Case cases[] = {
        {{QStringLiteral("--help")}, 0, "normalize [FILE|-]", ""},
        {{QStringLiteral("-h")}, 0, "Exit status:", ""},
        {{QStringLiteral("normalize"), QStringLiteral("--help")}, 0, "standard input", ""},
        {{QStringLiteral("--version")}, 0, "fensterdaten-cli 2025.1.0.66", ""},
        {{}, 1, "", "Usage: fensterdaten-cli"},
        {{QStringLiteral("zeichnen")}, 1, "", "unknown command \"zeichnen\""},
        {{QStringLiteral("normalize"), QStringLiteral("a"), QStringLiteral("b")}, 1, "", "at most one FILE"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = runCli(c.arguments);
        const std::string what = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(outcome.status, c.status) << what;
        if (*c.outMentions)
            EXPECT_NE(outcome.out.find(c.outMentions), std::string::npos) << what << ": " << outcome.out;
        else
            EXPECT_EQ(outcome.out, "") << what;
        if (*c.errMentions)
            EXPECT_NE(outcome.err.find(c.errMentions), std::string::npos) << what << ": " << outcome.err;
        else
            EXPECT_EQ(outcome.err, "") << what;
    }
}

} // namespace
