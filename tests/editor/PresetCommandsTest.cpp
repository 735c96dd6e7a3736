#include "PresetCommands.h"

#include "EditorDocument.h"
#include "EditorTestApp.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

TEST(PresetCommands, PresetsPassTheWindowThroughItsDescription)
{
    EnsureEditorTestApplication();
    struct Case {
        const char* name;
        const char* before;
        int row;
        int field;
        PresetId preset;
        const char* after;
    };
    const Case cases[] = {
        { "F4 on the default window", "", 1, 1, PresetId::RechtsDrehKippfluegel, "1000,500,1,1000,1,500,R,F,K,G;" },
        { "F2 on a tilting fixed pane", "1000,500,1,1000,1,500,V,K;", 1, 1, PresetId::RechtsDrehfluegel,
            "1000,500,1,1000,1,500,R,F,G;" },
        { "F9 on the second field", "1000,1000,1,1000,2,500,F;500,F;", 1, 2, PresetId::TuerLinks,
            "2000,1000,1,1000,2,500,F;500,L,F,G,e:2000;" },
        { "F12 on a second row", "1500,500,2,1000,1,500,F;500,1,500,F;", 2, 1, PresetId::LeerfeldWand,
            "1500,500,2,1000,1,500,F;500,1,500,T:10;" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorDocument document;
        document.setMemo1(QString::fromLatin1(c.before));
        ASSERT_FALSE(document.Auswerten1Click());
        document.setSelection(c.row, c.field);
        PresetCommands presets(document);
        const QString loaded = document.Memo1();
        QSignalSpy changed(&document, &EditorDocument::changed);
        EXPECT_EQ(presets.run(c.preset), std::nullopt);
        EXPECT_EQ(document.Memo1(), QString::fromLatin1(c.after));
        EXPECT_GE(changed.count(), 1);
        EXPECT_EQ(document.SelectedRow(), c.row);
        EXPECT_EQ(document.SelectedField(), c.field);
        // The preset is one step to undo.
        document.undo();
        EXPECT_EQ(document.Memo1(), loaded);
    }
}

TEST(PresetCommands, RunOnSelectsTheFieldFirst)
{
    EnsureEditorTestApplication();
    EditorDocument document;
    document.setMemo1(QStringLiteral("1000,1000,1,1000,2,500,F;500,F;"));
    ASSERT_FALSE(document.Auswerten1Click());
    PresetCommands presets(document);
    EXPECT_EQ(presets.runOn(PresetId::Festverglast, 1, 2), std::nullopt);
    EXPECT_EQ(document.SelectedField(), 2);
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,1000,1,1000,2,500,F;500,V;"));
}

} // namespace
