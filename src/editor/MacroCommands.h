#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace fenster {

class EditorDocument;
struct MacroResult;

// The construction macros of the menu "Makros" and the proportional resize
// "&Fenstermaße ändern": each asks what it needs in its dialog, changes the
// model, moves the selection where the macro says and ends with the round
// trip, also when it refused; a refusal is shown once the round trip is
// done.
class MacroCommands : public QObject {
    Q_OBJECT
public:
    // dialogParent owns the dialogs while they are open.
    MacroCommands(EditorDocument& document, QWidget* dialogParent, QObject* parent = nullptr);

    void Rolladenkastenhinzufgen1Click(); // "Rolladenkasten hinzufügen"
    void Fensterbankanschlaghinzufgen1Click(); // "Fensterbankanschlag einfügen"
    void SegmentbogenAnlgae1Click(); // "Segmentbogen Anlage"
    void Zeileeinfgen2Click(); // "Nue Zeile untern einfügen"
    void Berechnungen1Click(); // "&Fenstermaße ändern"

private:
    // Takes the macro's selection, runs the round trip and shows the
    // refusal, if any, under caption.
    void finish(const MacroResult& result, const char* caption);

    EditorDocument& m_document;
    QWidget* m_dialogParent;
};

// The message of a text that is no whole number, as the conversion gives it.
QString NotAnIntegerMessage(const QString& text);

} // namespace fenster
