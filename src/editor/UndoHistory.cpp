#include "UndoHistory.h"

namespace fenster {

UndoHistory::UndoHistory(DocumentSnapshot initial)
{
    reset(initial);
}

void UndoHistory::reset(const DocumentSnapshot& state)
{
    m_states.assign(1, state);
    m_present = 0;
    m_lastMergeKey.clear();
    markClean();
}

void UndoHistory::record(const DocumentSnapshot& state, const QString& mergeKey, qint64 nowMs)
{
    DocumentSnapshot& present = m_states[m_present];
    if (state.sameTexts(present)) {
        // A new selection alone is no step: undoing the next change brings
        // the document back with the selection it had just before it.
        present.selectedRow = state.selectedRow;
        present.selectedField = state.selectedField;
        return;
    }
    m_states.erase(m_states.begin() + qsizetype(m_present) + 1, m_states.end());
    const bool merges = !mergeKey.isEmpty() && mergeKey == m_lastMergeKey && m_present > 0
        && nowMs - m_lastChangeMs >= 0 && nowMs - m_lastChangeMs <= kMergeWindowMs && m_clean != m_present;
    if (merges) {
        present = state;
    } else {
        m_states.push_back(state);
        m_present = m_states.size() - 1;
        if (m_states.size() > kMaxSteps) {
            m_states.erase(m_states.begin());
            --m_present;
            if (m_clean)
                m_clean = *m_clean == 0 ? std::nullopt : std::optional<std::size_t>(*m_clean - 1);
        }
    }
    if (m_clean && *m_clean >= m_states.size())
        m_clean.reset();
    m_lastMergeKey = mergeKey;
    m_lastChangeMs = nowMs;
}

std::optional<DocumentSnapshot> UndoHistory::undo()
{
    if (!canUndo())
        return std::nullopt;
    --m_present;
    m_lastMergeKey.clear();
    return m_states[m_present];
}

std::optional<DocumentSnapshot> UndoHistory::redo()
{
    if (!canRedo())
        return std::nullopt;
    ++m_present;
    m_lastMergeKey.clear();
    return m_states[m_present];
}

void UndoHistory::markClean()
{
    m_clean = m_present;
    m_cleanState = m_states[m_present];
    // What was saved is never merged with what follows.
    m_lastMergeKey.clear();
}

bool UndoHistory::isModified() const
{
    return !m_cleanState || !present().sameTexts(*m_cleanState);
}

} // namespace fenster
