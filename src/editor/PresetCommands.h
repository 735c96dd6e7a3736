#pragma once

#include "Presets.h"

#include <QObject>
#include <QString>

#include <optional>

namespace fenster {

class EditorDocument;

// The glazing presets of the menu "Standardverglasung" and of the
// thumbnails: the selected field is reset, gets the preset's flags and
// values, and the whole window passes through its description once
// (written, then read again), so that the model holds only what the text
// carries.
class PresetCommands : public QObject {
    Q_OBJECT
public:
    explicit PresetCommands(EditorDocument& document, QObject* parent = nullptr);

    // Runs preset on the selected field. The reader's message when the
    // written description could not be read back (the model then stays as
    // far as it was read).
    std::optional<QString> run(PresetId preset);
    // As run, on the field at row and field (counted from 1), which becomes
    // the selection first: a thumbnail dropped onto the drawing.
    std::optional<QString> runOn(PresetId preset, int row, int field);

private:
    EditorDocument& m_document;
};

} // namespace fenster
