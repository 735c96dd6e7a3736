#pragma once

#include "Preferences.h"

#include "Dialogs.h"

#include <QColor>
#include <QFont>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace fenster {

class DrawingArea;
class EditorDocument;

// The preferences and the commands that change them: the three items of
// "&Datei" ▸ "Einstellungen" and the drawing settings of
// "&Fenstereinstellungen". The dialogs come through Dialogs, so that each
// command can be run without a person.
class PreferenceCommands : public QObject {
    Q_OBJECT
public:
    struct Dialogs {
        std::function<std::optional<QFont>(const QFont& current)> chooseFont;
        std::function<std::optional<QColor>(const QColor& start)> chooseColour;
        // On true the three values are the dialog's.
        std::function<bool(int& rahmenBreite, int& sprossen, int& sprossenV)> editBarWidths;
        std::function<bool(int& skalierung)> editScaleFactor;
    };
    // Qt's dialogs and the program's own, over parent.
    static Dialogs standardDialogs(QWidget* parent);

    PreferenceCommands(EditorDocument& document, DrawingArea& drawing, std::shared_ptr<PreferenceStore> store,
        Dialogs dialogs, QObject* parent = nullptr);

    // The preferences as they stand, with the drawing settings and the font
    // the commands have changed since.
    Preferences preferences() const;
    // The sheet of "Export als PDF/SVG…" as the preferences keep it.
    SheetChoice sheetChoice() const;
    void setSheetChoice(const SheetChoice& choice);
    // While the property panel refreshes, the bar width command is ignored;
    // the main window tells.
    void setPanelUpdating(std::function<bool()> panelUpdating) { m_panelUpdating = std::move(panelUpdating); }

    void Aktuelleeinstellungenspeichern1Click(); // SavePreferences
    void Einstellungenneuladen1Click(); // LoadPreferences, then redrawn
    void Rcksetzen1Click(); // ResetPreferences; nothing stored
    void Schrift1Click();
    void Zeichenfarbe1Click();
    void RandlinienstaerkePlus1Click();
    void RandlinienstaerkeMinus1Click();
    void RandlinienstaerkeStandard1Click();
    void RahmenSprossenbreite1Click();
    void Skalierungsfaktor1Click();

signals:
    // The drawing is to be repainted (RepaintDrawing).
    void repaintDrawing();

private:
    void apply(const Preferences& preferences);

    EditorDocument& m_document;
    DrawingArea& m_drawing;
    std::shared_ptr<PreferenceStore> m_store;
    Dialogs m_dialogs;
    std::function<bool()> m_panelUpdating;
    Preferences m_preferences;
    QColor m_lastChosenColour = Qt::black;
};

} // namespace fenster
