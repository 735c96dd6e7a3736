#include "EditorDocument.h"

#include "Description.h"

#include <QElapsedTimer>

namespace fenster {

namespace {

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

EditorDocument::EditorDocument(QObject* parent)
    : QObject(parent)
    , m_model(std::make_unique<TFenster>())
{
    m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    m_history.reset(snapshot());
    // First of all receivers, so that the step is taken before any view
    // reacts to the change.
    connect(this, &EditorDocument::changed, this, &EditorDocument::recordChange);
}

EditorDocument::~EditorDocument() = default;

std::optional<QString> EditorDocument::loadTexts(
    const QString& description, const QString& symbols, const QString& dimensionLines, KeepDescription keep)
{
    m_memo1 = description;
    m_memo2 = symbols;
    m_memo3 = dimensionLines;
    m_selectedRow = 1;
    m_selectedField = 1;
    m_selectedSymbol = -1;
    m_selectedDimLine = 0;
    std::optional<QString> error;
    if (m_memo1.isEmpty()) {
        m_model = std::make_unique<TFenster>();
        keep = KeepDescription::No;
    } else {
        error = readModelFromText();
    }
    SelectField();
    if (keep == KeepDescription::No && !error)
        m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    emit changed();
    return error;
}

void EditorDocument::setDocumentName(const QString& name)
{
    if (name == m_documentName)
        return;
    m_documentName = name;
    emit documentNameChanged();
}

DocumentSnapshot EditorDocument::snapshot() const
{
    return { m_memo1, m_memo2, m_memo3, m_selectedRow, m_selectedField };
}

void EditorDocument::recordChange()
{
    if (m_restoring)
        return;
    const bool wasModified = m_history.isModified();
    const std::size_t steps = m_history.stepCount();
    const bool couldUndo = m_history.canUndo();
    const bool couldRedo = m_history.canRedo();
    qint64 now = 0;
    if (m_clock) {
        now = m_clock();
    } else {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        now = clock.elapsed();
    }
    m_history.record(snapshot(), m_mergeKeySource ? m_mergeKeySource() : QString(), now);
    if (wasModified != m_history.isModified() || steps != m_history.stepCount() || couldUndo != m_history.canUndo()
        || couldRedo != m_history.canRedo())
        emit historyChanged();
}

void EditorDocument::restore(const DocumentSnapshot& state)
{
    m_memo1 = state.description;
    m_memo2 = state.symbols;
    m_memo3 = state.dimensionLines;
    m_selectedRow = state.selectedRow;
    m_selectedField = state.selectedField;
    m_selectedSymbol = -1;
    m_selectedDimLine = 0;
    // Every recorded description was read or written by the editor, so the
    // reader takes it; the text stays exactly as it was recorded.
    (void)readModelFromText();
    SelectField();
    m_restoring = true;
    emit changed();
    m_restoring = false;
    emit historyChanged();
}

void EditorDocument::undo()
{
    if (const auto state = m_history.undo())
        restore(*state);
}

void EditorDocument::redo()
{
    if (const auto state = m_history.redo())
        restore(*state);
}

void EditorDocument::markClean()
{
    m_history.markClean();
    emit historyChanged();
}

void EditorDocument::resetHistory()
{
    m_history.reset(snapshot());
    emit historyChanged();
}

void EditorDocument::setMemo1(const QString& text)
{
    m_memo1 = text;
    if (m_memo1.isEmpty()) {
        m_model = std::make_unique<TFenster>();
        m_selectedRow = 1;
        m_selectedField = 1;
        m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    }
    emit changed();
}

void EditorDocument::setMemo2(const QString& text)
{
    m_memo2 = text;
    emit changed();
}

void EditorDocument::setMemo3(const QString& text)
{
    m_memo3 = text;
    emit changed();
}

void EditorDocument::setSelection(int row, int field)
{
    m_selectedRow = row;
    m_selectedField = field;
}

void EditorDocument::setSelectedSymbol(int index)
{
    m_selectedSymbol = index;
    emit changed();
}

void EditorDocument::setSelectedDimLine(int number)
{
    m_selectedDimLine = number;
    emit changed();
}

void EditorDocument::setMargins(int left, int bottom)
{
    m_leftMargin = left;
    m_bottomMargin = bottom;
}

void EditorDocument::SelectField()
{
    PositionCursors(*m_model, m_selectedRow, m_selectedField);
}

void EditorDocument::UpdateAll()
{
    m_memo1 = Utf8(WriteDescription(*m_model, m_selectedRow, m_selectedField));
    emit changed();
}

std::optional<QString> EditorDocument::readModelFromText()
{
    ReadResult result = ReadDescription(m_memo1.toStdString());
    m_model = std::move(result.model);
    if (result.error)
        return Utf8(*result.error);
    return std::nullopt;
}

std::optional<QString> EditorDocument::Auswerten1Click()
{
    if (auto error = readModelFromText())
        return error;
    SelectField();
    UpdateAll();
    return std::nullopt;
}

} // namespace fenster
