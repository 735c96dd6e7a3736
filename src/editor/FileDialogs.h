#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace fenster {

// Qt's filter list from the program's "description|pattern|description|
// pattern" form: "Fenster-Dateien|*.Fnt|Alle Dateien|*.*" becomes
// "Fenster-Dateien (*.Fnt *.fnt *.FNT)" and "Alle Dateien (*)". Patterns
// match without regard to letter case, as on the original platform.
QString QtNameFilters(const QString& programFilter);

// The open dialog of "&Laden": the chosen file, or empty when cancelled.
QString ChooseFileToOpen(QWidget* parent, const QString& programFilter, const QString& startName);

// The main window's save dialog, one object shared by "Speichern &unter..."
// and the bitmap exports, so that each starts in the folder last used. It
// asks before an existing file is overwritten and adds the default
// extension to a name typed without one.
class SaveDialog {
public:
    explicit SaveDialog(QWidget* parent);

    // The chosen file name, or empty when cancelled. programFilter is in the
    // program's "description|pattern|..." form; defaultSuffix without dot.
    QString ask(const QString& programFilter, const QString& defaultSuffix, const QString& startName);

    QFileDialog* dialog() const { return m_dialog; }

private:
    QFileDialog* m_dialog = nullptr;
};

} // namespace fenster
