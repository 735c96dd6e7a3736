#pragma once

#include "FormatText.h"
#include "LanguageCodes.h"
#include "LanguageFile.h"
#include "TransListe.h"

#include <QObject>
#include <QString>

#include <functional>

namespace fenster {

// The translator: replaces German user-interface texts by the texts of the
// language file, and collects every text it does not know into that file.
// Walking a form's controls is the forms layer's job (TranslateForm); this
// class knows texts only.
class TWTranslator : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Datei READ Datei WRITE SetLanguageFile)
    Q_PROPERTY(bool dotranslate READ dotranslate WRITE setDotranslate)

public:
    explicit TWTranslator(QObject* parent = nullptr);
    ~TWTranslator() override;

    QString Datei() const { return m_datei; }
    // Empties the entry list and points the translator at path (or the same
    // name found relative to the current folder). A missing file is warned
    // about once while translation is on (see SetMissingLanguageFileWarning).
    void SetLanguageFile(const QString& path);
    // Reads path but writes the collected entries (with all of path's) to
    // saveTo, which from the first write on is the language file: a shipped
    // file is never written, yet nothing collected is lost.
    void SetLanguageFile(const QString& path, const QString& saveTo);
    // Where SaveLanguageFile writes: the language file or its copy to be.
    QString saveFile() const { return m_saveFile.isEmpty() ? m_datei : m_saveFile; }

    bool dotranslate() const { return m_dotranslate; }
    // Switching translation on re-validates the language file.
    void setDotranslate(bool on);

    // Translates one text; unknown texts are appended to the language file.
    // The accelerator keys given out go into used: a form's translation
    // hands in its own set, loose texts share looseAccelerators().
    QString tl(const QString& text, AcceleratorSet& used);
    QString tl(const QString& text) { return tl(text, m_looseAccelerators); }
    AcceleratorSet& looseAccelerators() { return m_looseAccelerators; }

    // Rewrites the language file from the entries, atomically. Does nothing
    // while the entries do not reflect the file (it has not been read, or
    // reading it failed), so a file is never replaced by an empty list.
    void SaveLanguageFile();

    const TTransListe& entries() const { return m_entries; }
    bool isLoaded() const { return m_loaded; }
    bool notFound() const { return m_notFound; }
    bool warned() const { return m_warned; }

private:
    QString LookupText(QString& text, AcceleratorSet& used);
    void LoadLanguageFile(AcceleratorSet& used);
    void pointAt(const QString& path);

    QString m_datei;
    QString m_saveFile;
    bool m_dotranslate = false;
    TTransListe m_entries;
    AcceleratorSet m_looseAccelerators;
    bool m_loaded = false;
    bool m_notFound = false;
    bool m_warned = false;
};

// Module operations over the one translator. The first call of
// TranslateText, TranslateFormat or TranslateForm selects the language
// (SelectLanguage with the name given to SetLanguageName, else the
// operating system's language code).

// Never fails: on any error the text comes back as it went in (without "~"
// and with "#13" and "#38" decoded).
QString TranslateText(const QString& text);
// TranslateText(format) filled with arguments. The translated format is used
// only when its specifiers are compatible with the German format's
// (FormatSpecifiersCompatible); otherwise the German format is filled.
QString TranslateFormat(const QString& format, const FormatArgs& arguments);

// The one translator, set up on first use: null when no language file could
// be chosen or created (translation then stays off, texts stay German).
TWTranslator* EnsureTranslator();

// Chooses the language file: name + ".lng", else "default.lng" (created
// empty in the language folder when neither folder has it). Each name is
// looked up in the language folder first, so that a file with collected
// entries wins, then in the shipped folder. Collected entries are always
// written to the language folder; a shipped file is copied there on the
// first write and left as it was. False when no file exists nor could be
// created; translation then stays off.
bool SelectLanguage(const QString& name);

// The language name to use on first use (the "Sprache" preference); empty
// means the operating system's language.
void SetLanguageName(const QString& name);
// The folder the language files are collected in, and the folder of the
// shipped ones (empty: the same folder). An empty folder (the default)
// means CollectFolder() and ProgramFolder().
void SetLanguageFolder(const QString& folder, const QString& shippedFolder = {});
// The folder the language files are collected in.
QString LanguageFolder();

// How a missing language file is told to the user ("Übersetzungsdatei
// existiert nicht !"): the user interface installs a message box; without
// one (command-line tools, tests) nothing is shown.
using MissingFileWarning = std::function<void(const QString& message)>;
void SetMissingLanguageFileWarning(MissingFileWarning warning);

// The one translator, or nullptr before first use.
TWTranslator* Translator();
// End of the run: rewrites the language file once more, frees the
// translator and clears the language name. The next translation sets up a
// new translator.
void EndTranslation();

} // namespace fenster
