#pragma once

#include "DocumentSettings.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QMenu;
class QMimeData;

namespace fenster {

class EditorDocument;

// How a file name is saved, by its extension in any letter case.
enum class DocumentKind {
    Window, // the description with ".fn2", ".fn3", ".fn4"
    StandardWindow, // ".std" with ".st2", ".st3", ".st4"
    Picture, // ".bmp": the screen picture only
};
DocumentKind KindOfFile(const QString& path);

// path with its extension replaced by extension (without dot), or added
// when the file name has none; dots in folder names do not count.
QString CompanionName(const QString& path, const QString& extension);

// The four files of a document or standard window.
struct DocumentFiles {
    QString description;
    QString symbols;
    QString dimensionLines;
    QString settings;
};
DocumentFiles FilesOfDocument(const QString& path);

// A document's content as read from its files, before it is taken. A list
// without its file is nothing, so that the caller decides what it means.
struct DocumentSet {
    QString description;
    std::optional<QString> symbols;
    std::optional<QString> dimensionLines;
    DocumentSettings settings;
};

// Reads the whole set of path. Throws FileError when the description or a
// list that is there cannot be read (a folder, no permission, a huge file).
// A settings file that cannot be read gives the defaults, as a bad value
// in it does.
DocumentSet ReadDocumentSet(const QString& path);

// Writes the set of path, each file replaced only when complete: the
// lists, then the settings, the description last, so that a failure leaves
// the description as it was. Lists are always written, also when empty.
// Throws FileError.
void WriteDocumentSet(const QString& path, const QString& description, const QString& symbols,
    const QString& dimensionLines, const DocumentSettings& settings);

// The window document a drop carries: the first address when it is a local
// file whose name ends in ".Fnt" in any letter case; empty otherwise.
QString DroppedDocument(const QMimeData& data);

// "&Neu", "&Laden", "&Speichern", "Speichern &unter...", the "Standardfenster"
// menu and the question about unsaved changes, over the document. What
// needs the main window (dialogs, the edge dimension check mark, the mode,
// the screen picture) comes through Hooks.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    enum class UnsavedAnswer { Save, Discard, Cancel };
    struct Hooks {
        std::function<QString(const QString& startName)> chooseFileToOpen; // empty: cancelled
        std::function<QString(const QString& startName)> chooseFileToSave; // empty: cancelled
        std::function<bool(const QString& text)> confirm; // true for OK
        std::function<UnsavedAnswer()> askUnsaved;
        std::function<void(const QString& message)> reportError;
        std::function<bool()> edgeDimensionsShown;
        std::function<void(bool shown)> setEdgeDimensionsShown;
        std::function<void()> switchToWindowMode;
        std::function<QImage()> screenPicture; // redrawn, as the screen shows it
    };

    DocumentCommands(EditorDocument& document, QString programFolder, Hooks hooks, QObject* parent = nullptr);

    void Neu1Click();
    void Laden1Click();
    // False when nothing was saved (cancelled or failed).
    bool Speichern1Click();
    bool Speichernunter1Click();

    // Writes the document by the extension of fileName; false (after
    // reporting) when a file could not be written.
    bool SaveDocument(const QString& fileName);
    // Takes the document of fileName when its description reads; otherwise
    // reports and leaves the present document untouched.
    bool LoadDocument(const QString& fileName);
    // "&Laden" with the file already chosen (the command line, a drop): the
    // selection goes back to the first field, then LoadDocument.
    bool OpenDocument(const QString& fileName);

    // One item per standard window of the program folder.
    void BuildStandardWindowMenu(QMenu& menu);
    // fileName inside the program folder: asks, then applies it to the
    // present document like a template.
    void LoadStandardWindow(const QString& fileName);

    // Whether the window may close: asks about unsaved changes and saves
    // when told so. Host runs never come here.
    bool mayClose();

signals:
    // A standard window was saved; the menu is to be built again.
    void standardWindowsChanged();

private:
    // Takes set into the document; false after reporting a refused description.
    bool take(const DocumentSet& set, bool standardWindow);
    void report(const QString& message);

    EditorDocument& m_document;
    QString m_programFolder;
    Hooks m_hooks;
};

} // namespace fenster
