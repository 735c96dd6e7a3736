#include "UndoHistory.h"

#include "EditorDocument.h"
#include "Description.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

DocumentSnapshot State(const char* description, int row = 1, int field = 1)
{
    return { QString::fromLatin1(description), {}, {}, row, field };
}

// One change: its description, merge key and time.
struct Change {
    const char* description;
    const char* mergeKey;
    qint64 atMs;
};

TEST(UndoHistoryTest, WhichChangesFormOneStep)
{
    struct Case {
        const char* name;
        std::vector<Change> changes;
        std::vector<const char*> undoneTo; // the descriptions undo goes back through, newest first
    };
    const Case cases[] = {
        { "typing a run into one edit is one step",
            { { "1", "HoeheEdit", 0 }, { "12", "HoeheEdit", 300 }, { "120", "HoeheEdit", 600 }, { "1200", "HoeheEdit", 900 } },
            { "start" } },
        { "changes without a merge key are steps of their own", { { "a", "", 0 }, { "b", "", 1 } }, { "a", "start" } },
        { "another edit starts a new step", { { "1", "HoeheEdit", 0 }, { "12", "BreiteEdit", 10 } }, { "1", "start" } },
        { "a pause starts a new step",
            { { "1", "HoeheEdit", 0 }, { "12", "HoeheEdit", UndoHistory::kMergeWindowMs + 1 } }, { "1", "start" } },
        { "the same texts again are no step", { { "a", "", 0 }, { "a", "", 5 } }, { "start" } },
    };
    for (const Case& c : cases) {
        UndoHistory history(State("start"));
        for (const Change& change : c.changes)
            history.record(State(change.description), QString::fromLatin1(change.mergeKey), change.atMs);
        for (const char* expected : c.undoneTo) {
            const auto state = history.undo();
            ASSERT_TRUE(state) << c.name;
            EXPECT_EQ(state->description, QString::fromLatin1(expected)) << c.name;
        }
        EXPECT_FALSE(history.canUndo()) << c.name;
        EXPECT_FALSE(history.undo()) << c.name;
    }
}

TEST(UndoHistoryTest, RedoUntilANewChange)
{
    UndoHistory history(State("start"));
    history.record(State("a"), {}, 0);
    history.record(State("b"), {}, 1);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo()->description, QStringLiteral("a"));
    EXPECT_EQ(history.undo()->description, QStringLiteral("start"));
    EXPECT_EQ(history.redo()->description, QStringLiteral("a"));
    // A new change drops what could be redone.
    history.record(State("c"), {}, 2);
    EXPECT_FALSE(history.canRedo());
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(history.undo()->description, QStringLiteral("a"));
}

TEST(UndoHistoryTest, UndoIsNeverMergedIntoByTheNextTyping)
{
    UndoHistory history(State("start"));
    history.record(State("1"), QStringLiteral("Edit"), 0);
    history.record(State("12"), QStringLiteral("Edit"), 10);
    ASSERT_TRUE(history.undo());
    history.record(State("9"), QStringLiteral("Edit"), 20);
    EXPECT_EQ(history.undo()->description, QStringLiteral("start"));
    EXPECT_EQ(history.redo()->description, QStringLiteral("9"));
}

TEST(UndoHistoryTest, ASelectionAloneTravelsWithThePresentStep)
{
    UndoHistory history(State("start"));
    history.record(State("a", 1, 1), {}, 0);
    history.record(State("a", 2, 3), {}, 1);
    EXPECT_EQ(history.stepCount(), 2u);
    history.record(State("b", 2, 3), {}, 2);
    const auto state = history.undo();
    ASSERT_TRUE(state);
    EXPECT_EQ(*state, State("a", 2, 3));
}

TEST(UndoHistoryTest, ModifiedWhileTheTextsDifferFromTheCleanState)
{
    UndoHistory history(State("start"));
    EXPECT_FALSE(history.isModified());
    history.record(State("a"), {}, 0);
    EXPECT_TRUE(history.isModified());
    history.undo();
    EXPECT_FALSE(history.isModified());
    history.redo();
    history.markClean();
    EXPECT_FALSE(history.isModified());
    history.undo();
    EXPECT_TRUE(history.isModified());
    // The clean state's branch is dropped, but the same texts again are clean.
    history.record(State("b"), {}, 1);
    history.record(State("a"), {}, 2);
    EXPECT_FALSE(history.isModified());
}

TEST(UndoHistoryTest, TypingAfterSavingIsANewStep)
{
    UndoHistory history(State("start"));
    history.record(State("1"), QStringLiteral("Edit"), 0);
    history.markClean();
    history.record(State("12"), QStringLiteral("Edit"), 10);
    EXPECT_TRUE(history.isModified());
    EXPECT_EQ(history.undo()->description, QStringLiteral("1"));
    EXPECT_FALSE(history.isModified());
}

TEST(UndoHistoryTest, TheOldestStepsGoFirst)
{
    UndoHistory history(State("start"));
    for (std::size_t i = 0; i < UndoHistory::kMaxSteps + 10; ++i)
        history.record(State(std::to_string(i).c_str()), {}, qint64(i));
    EXPECT_EQ(history.stepCount(), UndoHistory::kMaxSteps);
    std::optional<DocumentSnapshot> last;
    while (auto state = history.undo())
        last = state;
    ASSERT_TRUE(last);
    EXPECT_EQ(last->description, QString::number(10));
}

// The document records its own changes: the round trip, the list setters,
// all texts at once, and undo rebuilds the model from the text.
TEST(UndoHistoryTest, TheDocumentRecordsItsChangesAndRebuildsTheModel)
{
    EditorDocument document;
    qint64 now = 0;
    QString key;
    document.setClock([&now] { return now; });
    document.setMergeKeySource([&key] { return key; });
    const QString start = document.Memo1();
    QSignalSpy history(&document, &EditorDocument::historyChanged);

    key = QStringLiteral("HoeheEdit");
    for (int height : { 1, 12, 120, 1200 }) {
        document.SelectField();
        document.model().CurrentRow()->setHeight(height);
        document.UpdateAll();
        now += 100;
    }
    key.clear();
    document.setMemo2(QStringLiteral("B:1,2,3,4,a.bmp"));
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(history.isEmpty());

    document.undo();
    EXPECT_TRUE(document.Memo2().isEmpty());
    EXPECT_EQ(document.model().height(), 1200);
    EXPECT_TRUE(document.Memo1().startsWith(QStringLiteral("1200,")));
    document.undo();
    EXPECT_EQ(document.Memo1(), start);
    EXPECT_EQ(document.model().height(), 1000);
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.canUndo());
    document.redo();
    EXPECT_EQ(document.model().height(), 1200);
    EXPECT_TRUE(document.Memo1().startsWith(QStringLiteral("1200,")));
    EXPECT_TRUE(document.canRedo());

    EXPECT_FALSE(document.loadTexts(QStringLiteral("800,600,1,800,1,600,F;"), QStringLiteral("s"), QStringLiteral("d"),
        EditorDocument::KeepDescription::No));
    EXPECT_EQ(document.model().height(), 800);
    document.markClean();
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(document.canRedo());
    document.undo();
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.model().height(), 1200);
    EXPECT_TRUE(document.Memo1().startsWith(QStringLiteral("1200,")));
}

} // namespace
