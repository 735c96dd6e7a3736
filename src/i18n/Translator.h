#pragma once

#include "FormatText.h"

#include <QByteArray>
#include <QChar>
#include <QLocale>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace fenster {

// One entry of a language file. source is the German text as lookup key,
// translation the text that replaces it. The keys are the accelerator
// characters ("&" markers) taken out of the two texts, or a blank.
struct TTransWort {
    QString source;
    QString translation;
    QChar sourceKey = QLatin1Char(' ');
    QChar translationKey = QLatin1Char(' ');
    std::unique_ptr<TTransWort> next;
};

// The entries of a language file in file order.
class TTransListe {
public:
    TTransListe() = default;
    ~TTransListe();
    TTransListe(const TTransListe&) = delete;
    TTransListe& operator=(const TTransListe&) = delete;

    TTransWort* First() const { return m_head.get(); }
    TTransWort* Last() const { return m_tail; }
    int count() const { return m_count; }

    // Normalises source and translation (trailing colon, accelerators) and
    // appends the entry at the end.
    void Add(QString source, QString translation);
    void Clear();

private:
    std::unique_ptr<TTransWort> m_head;
    TTransWort* m_tail = nullptr;
    int m_count = 0;
};

// The translator: replaces German user-interface texts by the texts of the
// language file, and collects every text it does not know into that file.
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
    // about once while translation is on.
    void SetLanguageFile(const QString& path);

    bool dotranslate() const { return m_dotranslate; }
    // Switching translation on re-validates the language file.
    void setDotranslate(bool on);

    // Translates one text; unknown texts are appended to the language file.
    QString tl(const QString& text);
    // Translates the texts of component and of every control and menu item
    // it holds, by the control's role (label, check box, group box, radio
    // group, combo box, push button, status bar, menu item). A group box
    // whose child controls are all radio buttons is a radio group; a control
    // with the dynamic property "noTranslate" set is left alone with all it
    // holds. A menu item's hint is its status tip, a control's its tool tip.
    void Translate(QObject* component);

    // Rewrites the language file from the entries, atomically. Does nothing
    // while the entries do not reflect the file (it has not been read, or
    // reading it failed), so a file is never replaced by an empty list.
    void SaveLanguageFile();

    const TTransListe& entries() const { return m_entries; }
    bool isLoaded() const { return m_loaded; }
    bool notFound() const { return m_notFound; }
    bool warned() const { return m_warned; }

private:
    QString LookupText(QString& text);
    void LoadLanguageFile();

    QString m_datei;
    bool m_dotranslate = false;
    TTransListe m_entries;
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
// Translates a whole form; 0, or -1 when setting up or translating failed.
int TranslateForm(QWidget* form);

// Chooses the language file: name + ".lng" in the language folder, else
// "default.lng" there (created empty when missing). False when neither
// exists nor could be created; translation then stays off.
bool SelectLanguage(const QString& name);

// The language code of the user's locale as four (or more) upper-case hex
// digits: the primary languages Czech, German, English, Spanish, French,
// Italian and Polish give their neutral code (so Austrian German uses
// "0407"), any other locale its own identifier ("0413" for Dutch).
QString OsLanguageCode();
QString LanguageCodeForLocale(const QLocale& locale);

// "\r" -> "#13", "\n" removed, "&" -> "#38".
QString EncodeText(const QString& text);
// "#13" -> "\r", then "#38" -> "&".
QString DecodeText(const QString& text);
// Every "&" and "~" removed.
QString StripMarks(const QString& text);

// The language name to use on first use (the "Sprache" preference); empty
// means the operating system's language.
void SetLanguageName(const QString& name);
// The folder that holds the language files; empty (the default) means the
// folder of the executable.
void SetLanguageFolder(const QString& folder);
QString LanguageFolder();

// The one translator, or nullptr before first use.
TWTranslator* Translator();
// End of the run: rewrites the language file once more, frees the
// translator and clears the language name. The next translation sets up a
// new translator.
void EndTranslation();

// Accelerator characters given out since the last form translation.
QSet<QChar> UsedAccelerators();

// The language file's text form. Decoding honours a UTF-8 or UTF-16
// byte-order mark, otherwise reads Windows-1252; lines end at CR, LF or
// CR LF. Encoding writes Windows-1252 without mark, CR LF after each line;
// a text with characters Windows-1252 cannot hold (or whose bytes would
// begin like a byte-order mark) is written as UTF-8 with byte-order mark
// instead, so that no translation is lost.
QStringList DecodeLanguageFile(const QByteArray& bytes);
QByteArray EncodeLanguageFile(const QStringList& lines);
// Splits one line at its first "~" into source and translation and adds it.
void AddLanguageLine(TTransListe& list, const QString& line);
// The lines SaveLanguageFile writes for list.
QStringList LanguageFileLines(const TTransListe& list);

} // namespace fenster
