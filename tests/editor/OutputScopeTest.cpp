#include "OutputScope.h"

#include "EditorTestApp.h"

#include "Engine.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace fenster;

namespace {

TEST(OutputScope, SwitchesOffAndRestoresInEveryOutcome)
{
    EnsureEditorTestApplication();
    struct Case {
        const char* name;
        bool withWindow;
        bool throws;
    };
    const Case cases[] = {
        { "highlight only, normal end", false, false },
        { "highlight only, error", false, true },
        { "window too, normal end", true, false },
        { "window too, error", true, true },
    };
    for (const Case& c : cases) {
        QWidget window;
        Engine().HighlightSelection = true;
        try {
            OutputScope scope(c.withWindow ? &window : nullptr);
            EXPECT_FALSE(Engine().HighlightSelection) << c.name;
            EXPECT_EQ(window.isEnabled(), !c.withWindow) << c.name;
            if (c.throws)
                throw std::runtime_error("no picture");
        } catch (const std::runtime_error&) {
        }
        EXPECT_TRUE(Engine().HighlightSelection) << c.name;
        EXPECT_TRUE(window.isEnabled()) << c.name;
    }
}

TEST(OutputScope, NestedScopesRestoreWhatWasBefore)
{
    EnsureEditorTestApplication();
    QWidget window;
    Engine().HighlightSelection = true;
    {
        OutputScope outer(&window);
        {
            OutputScope inner(&window);
        }
        EXPECT_FALSE(Engine().HighlightSelection) << "the outer scope still holds";
        EXPECT_FALSE(window.isEnabled());
    }
    EXPECT_TRUE(Engine().HighlightSelection);
    EXPECT_TRUE(window.isEnabled());
}

} // namespace
