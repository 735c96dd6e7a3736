#include "PresetCommands.h"

#include "EditorDocument.h"

namespace fenster {

PresetCommands::PresetCommands(EditorDocument& document, QObject* parent)
    : QObject(parent)
    , m_document(document)
{
}

std::optional<QString> PresetCommands::run(PresetId preset)
{
    m_document.SelectField();
    ApplyPreset(m_document.model(), m_document.SelectedRow(), m_document.SelectedField(), preset);
    // Write the description, then rebuild the model from it.
    m_document.UpdateAll();
    return m_document.Auswerten1Click();
}

std::optional<QString> PresetCommands::runOn(PresetId preset, int row, int field)
{
    m_document.setSelection(row, field);
    return run(preset);
}

} // namespace fenster
