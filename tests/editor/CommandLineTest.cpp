#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace fenster;

namespace {

TEST(ParamPresent, MatchesWholeArgumentsWithoutRegardToCase)
{
    struct Case {
        const char* name;
        QStringList arguments;
        bool present;
    };
    const Case cases[] = {
        { "exact", { "readonly" }, true },
        { "upper case", { "-FILE:x", "READONLY" }, true },
        { "word with suffix", { "readonly2" }, false },
        { "word with prefix", { "xreadonly" }, false },
        { "word with blank", { "readonly " }, false },
        { "absent", { "-FILE:readonly" }, false },
        { "no arguments", {}, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParamPresent(c.arguments, QStringLiteral("readonly")), c.present) << c.name;
    EXPECT_TRUE(ParamPresent({ "m" }, QStringLiteral("M")));
}

TEST(ParamValue, TakesTheRestOfTheFirstMatchingArgument)
{
    struct Case {
        const char* name;
        QStringList arguments;
        QString value;
    };
    const Case cases[] = {
        { "plain", { "-FILE:/tmp/Haus.Fnt" }, "/tmp/Haus.Fnt" },
        { "prefix in lower case keeps the path's case", { "-file:/Tmp/Haus.FNT" }, "/Tmp/Haus.FNT" },
        { "first of several", { "-FILE:a", "-FILE:b" }, "a" },
        { "blanks only count as absent", { "-FILE:   " }, "" },
        { "blanks and control characters trimmed", { "-FILE: \t/x y/z.Fnt \r\n" }, "/x y/z.Fnt" },
        { "path with blanks inside", { "-FILE:/Meine Daten/Haus 1.Fnt" }, "/Meine Daten/Haus 1.Fnt" },
        { "missing", { "readonly" }, "" },
        { "prefix must begin the argument", { "x-FILE:/a" }, "" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParamValue(c.arguments, QStringLiteral("-FILE:")), c.value) << c.name;
}

TEST(ParamValue, KeepsLongPathsWhole)
{
    const QString path = QStringLiteral("/tmp/") + QString(400, u'a') + QStringLiteral(".bmp");
    EXPECT_EQ(ParamValue({ QStringLiteral("-OUTFILE:") + path }, QStringLiteral("-OUTFILE:")), path);
}

TEST(DecideRunMode, FollowsTheHostArguments)
{
    struct Case {
        const char* name;
        QStringList arguments;
        RunMode mode;
    };
    const Case cases[] = {
        { "nothing", {}, RunMode::Normal },
        { "outfile without file", { "-OUTFILE:/tmp/x.bmp", "readonly" }, RunMode::Normal },
        { "blank file", { "-FILE: ", "-OUTFILE:/tmp/x.bmp" }, RunMode::Normal },
        { "host edit", { "-FILE:/tmp/a.Fnt", "M" }, RunMode::HostEdit },
        { "read-only", { "-FILE:/tmp/a.Fnt", "ReadOnly" }, RunMode::HostReadOnly },
        { "render-only", { "-FILE:/tmp/a.Fnt", "-OUTFILE:/tmp/x.bmp" }, RunMode::RenderOnly },
        { "render-only wins over read-only", { "readonly", "-FILE:/a", "-OUTFILE:/x" }, RunMode::RenderOnly },
        { "masstab alone", { "-MASSSTAB:250" }, RunMode::Normal },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideRunMode(c.arguments), c.mode) << c.name;
}

TEST(DocumentArgument, IsThePlainPathAFileManagerHandsOver)
{
    struct Case {
        const char* name;
        QStringList arguments;
        const char* document;
    };
    const Case cases[] = {
        { "nothing", {}, "" },
        { "a plain path", { "/home/anna/Haus.Fnt" }, "/home/anna/Haus.Fnt" },
        { "a relative path keeps its form", { "Haus.Fnt" }, "Haus.Fnt" },
        { "any extension", { "Haus.txt" }, "Haus.txt" },
        { "blanks inside the path stay", { "/tmp/Mein Haus.Fnt" }, "/tmp/Mein Haus.Fnt" },
        { "a file address becomes its path", { "file:///tmp/Mein%20Haus.Fnt" }, "/tmp/Mein Haus.Fnt" },
        { "the first one only", { "a.Fnt", "b.Fnt" }, "a.Fnt" },
        { "host options are no document", { "-FILE:/tmp/a.Fnt", "-MASSSTAB:250", "M", "readonly" }, "" },
        { "switch words in any case", { "m", "READONLY", "Haus.Fnt" }, "Haus.Fnt" },
        { "Qt's option values are skipped", { "-platform", "offscreen", "--style", "Fusion", "Haus.Fnt" },
            "Haus.Fnt" },
        { "blank arguments are skipped", { " ", "Haus.Fnt" }, "Haus.Fnt" },
        { "a path beside a host file is still found", { "-FILE:/tmp/a.Fnt", "Haus.Fnt" }, "Haus.Fnt" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(DocumentArgument(c.arguments), QString::fromUtf8(c.document)) << c.name;
    // A plain path does not make a host run.
    EXPECT_EQ(DecideRunMode({ QStringLiteral("Haus.Fnt") }), RunMode::Normal);
}

// Restores an environment variable when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name)
        : m_name(name)
        , m_set(qEnvironmentVariableIsSet(name))
        , m_value(qgetenv(name))
    {
    }
    ~SavedVariable()
    {
        if (m_set)
            qputenv(m_name, m_value);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_set;
    QByteArray m_value;
};

TEST(NeedsOffscreenPlatform, ForEveryRenderOnlyRun)
{
    SavedVariable display("DISPLAY"), wayland("WAYLAND_DISPLAY"), platform("QT_QPA_PLATFORM");
    const QStringList render = { "-FILE:/a.Fnt", "-OUTFILE:/a.bmp" };
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    EXPECT_TRUE(NeedsOffscreenPlatform(render));
    EXPECT_FALSE(NeedsOffscreenPlatform({ "-FILE:/a.Fnt" })) << "host edit needs a screen";

    qputenv("QT_QPA_PLATFORM", "xcb");
    EXPECT_FALSE(NeedsOffscreenPlatform(render)) << "an explicit platform is kept";
    qunsetenv("QT_QPA_PLATFORM");

    qputenv("DISPLAY", ":0");
    EXPECT_TRUE(NeedsOffscreenPlatform(render)) << "with a display too: the window is never shown";
    EXPECT_FALSE(NeedsOffscreenPlatform({ "-FILE:/a.Fnt", "readonly" })) << "read-only shows the drawing";
    qunsetenv("DISPLAY");

    SelectPlatformForRun(render);
    EXPECT_EQ(qgetenv("QT_QPA_PLATFORM"), "offscreen");
}

} // namespace
