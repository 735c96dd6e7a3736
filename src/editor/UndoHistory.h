#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace fenster {

// Everything an undo step gives back: the document's three texts and its
// selection.
struct DocumentSnapshot {
    QString description;
    QString symbols;
    QString dimensionLines;
    int selectedRow = 1;
    int selectedField = 1;

    bool sameTexts(const DocumentSnapshot& other) const
    {
        return description == other.description && symbols == other.symbols && dimensionLines == other.dimensionLines;
    }
    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

// The undo history of one document: a list of states with the present one
// marked, and the state last loaded or saved ("clean"). A change whose texts
// equal the present state's is no step of its own; it only carries the new
// selection. Consecutive changes with the same non-empty merge key (typing
// into one edit) within kMergeWindowMs of each other form one step.
class UndoHistory {
public:
    static constexpr qint64 kMergeWindowMs = 2000;
    static constexpr std::size_t kMaxSteps = 500;

    explicit UndoHistory(DocumentSnapshot initial = {});

    // Starts a new history at state, which is clean.
    void reset(const DocumentSnapshot& state);

    // Takes the document's state after a change at time nowMs (milliseconds
    // on any steady clock); steps after the present one are dropped.
    void record(const DocumentSnapshot& state, const QString& mergeKey, qint64 nowMs);

    bool canUndo() const { return m_present > 0; }
    bool canRedo() const { return m_present + 1 < m_states.size(); }
    // The state to go back or forward to, which becomes the present one;
    // nothing when there is none.
    std::optional<DocumentSnapshot> undo();
    std::optional<DocumentSnapshot> redo();

    const DocumentSnapshot& present() const { return m_states[m_present]; }
    std::size_t stepCount() const { return m_states.size(); }

    // The present state is the one on disk now.
    void markClean();
    // True while the present texts differ from the clean state's.
    bool isModified() const;

private:
    std::vector<DocumentSnapshot> m_states;
    std::size_t m_present = 0;
    std::optional<std::size_t> m_clean; // gone once its state was dropped
    std::optional<DocumentSnapshot> m_cleanState;
    QString m_lastMergeKey;
    qint64 m_lastChangeMs = 0;
};

} // namespace fenster
