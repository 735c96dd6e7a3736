#include "Translator.h"

#include "DiskFiles.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace fenster {

namespace {

const QChar Blank = QLatin1Char(' ');
const QChar Tilde = QLatin1Char('~');
const QChar Colon = QLatin1Char(':');

TWTranslator* g_translator = nullptr;
QString g_languageName;
QString g_languageFolder;
QString g_shippedLanguageFolder;
MissingFileWarning g_missingFileWarning;

bool blanksOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), IsLanguageBlank);
}

QString languageFolder()
{
    if (!g_languageFolder.isEmpty())
        return g_languageFolder;
    return CollectFolder();
}

QString shippedLanguageFolder()
{
    if (!g_languageFolder.isEmpty())
        return g_shippedLanguageFolder.isEmpty() ? g_languageFolder : g_shippedLanguageFolder;
    return ProgramFolder();
}

// The file of that name in the collect folder, else the shipped one; empty
// when neither folder holds it.
QString findLanguageFile(const QString& fileName)
{
    for (const QString& folder : { languageFolder(), shippedLanguageFolder() }) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

// A language name becomes a file name in the language folders; one that
// would lead out of them is not a language name.
bool isPlainName(const QString& name)
{
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(Colon) && name != QLatin1String(".") && name != QLatin1String("..");
}

void warnMissingFile()
{
    if (g_missingFileWarning)
        g_missingFileWarning(QStringLiteral("Übersetzungsdatei existiert nicht !"));
}

} // namespace

TWTranslator::TWTranslator(QObject* parent)
    : QObject(parent)
{
    SetLanguageFile(QStringLiteral("default.lng"));
}

TWTranslator::~TWTranslator() = default;

void TWTranslator::SetLanguageFile(const QString& path)
{
    m_saveFile.clear();
    pointAt(path);
}

void TWTranslator::SetLanguageFile(const QString& path, const QString& saveTo)
{
    pointAt(path);
    m_saveFile = saveTo == m_datei ? QString() : saveTo;
}

void TWTranslator::pointAt(const QString& path)
{
    m_entries.Clear();
    m_loaded = false;
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        m_datei = path;
    } else if (const QString expanded = QDir::current().absoluteFilePath(path);
        !path.isEmpty() && QFileInfo(expanded).isFile()) {
        m_datei = expanded;
    } else if (const QString bare = QFileInfo(path).fileName();
        !bare.isEmpty() && QFileInfo(bare).isFile()) {
        m_datei = bare;
    } else if (m_dotranslate && !m_warned) {
        m_warned = true;
        warnMissingFile();
    }
    if (!m_datei.isEmpty() && QFileInfo(m_datei).isFile())
        m_warned = false;
}

void TWTranslator::setDotranslate(bool on)
{
    m_dotranslate = on;
    if (on)
        pointAt(m_datei);
}

void TWTranslator::LoadLanguageFile(AcceleratorSet& used)
{
    if (!m_dotranslate || m_datei.isEmpty())
        return;
    QStringList lines;
    try {
        lines = ReadLanguageFile(m_datei);
    } catch (const FileError&) {
        // Gone or not a file any more: warned about once, never rewritten.
        pointAt(m_datei);
        return;
    }
    for (const QString& line : lines)
        AddLanguageLine(m_entries, line, used);
    m_loaded = true;
    // The file is there again: lookups resume.
    m_warned = false;
}

void TWTranslator::SaveLanguageFile()
{
    // Entries that were never read from the file are not the file's
    // content; writing them would replace the catalogue by a fragment.
    if (!m_loaded || m_datei.isEmpty())
        return;
    const QString target = m_saveFile.isEmpty() ? m_datei : m_saveFile;
    try {
        WriteLanguageFile(target, LanguageFileLines(m_entries));
    } catch (const FileError&) {
        // Translation never fails; the old file stays as it was.
        return;
    }
    // The copy holds every entry of the file it came from: from now on it
    // is the language file.
    if (!m_saveFile.isEmpty()) {
        m_datei = m_saveFile;
        m_saveFile.clear();
    }
}

QString TWTranslator::LookupText(QString& text, AcceleratorSet& used)
{
    if (!m_dotranslate || m_warned) {
        // Nothing was looked up, so nothing counts as missing.
        m_notFound = false;
        return text;
    }
    m_notFound = false;
    qsizetype length = text.size();
    qsizetype colonPos = 0; // from 1, 0 for none
    text = TrimRightBlanks(text);
    if (text.endsWith(Colon)) {
        colonPos = text.size();
        text.chop(1);
        text = TrimRightBlanks(text);
    }

    const TTransWort* found = m_entries.find(text);
    QString result;
    if (found) {
        result = found->translation;
        if (found->translationKey != Blank) {
            used.insert(found->translationKey);
            InsertAmpersandBefore(result, found->translationKey);
            ++length;
            if (colonPos > 0)
                ++colonPos;
        }
    } else {
        result = text;
        m_notFound = !text.isEmpty();
    }

    if (colonPos > 0) {
        if (result.size() < length) {
            const qsizetype shortLength = result.size();
            result = result.leftJustified(length, Blank);
            result[(colonPos > shortLength ? colonPos : shortLength + 1) - 1] = Colon;
        } else {
            result += Colon;
        }
    }
    return result.leftJustified(length, Blank);
}

QString TWTranslator::tl(const QString& text, AcceleratorSet& used)
{
    if (blanksOnly(text))
        return QString();
    if (!m_loaded)
        LoadLanguageFile(used);
    QString key = EncodeText(text);
    const QString result = LookupText(key, used);
    if (m_notFound) {
        m_entries.Add(key, QString(), used);
        SaveLanguageFile();
    }
    return DecodeText(result).remove(Tilde);
}

// --- Module operations --------------------------------------------------------

TWTranslator* EnsureTranslator()
{
    if (!g_translator && !SelectLanguage(g_languageName))
        return nullptr;
    return g_translator;
}

QString TranslateText(const QString& text)
{
    QString result = text;
    try {
        EnsureTranslator();
        if (g_translator && g_translator->dotranslate())
            result = g_translator->tl(text);
    } catch (...) {
        result = text;
    }
    return DecodeText(result.remove(Tilde));
}

QString TranslateFormat(const QString& format, const FormatArgs& arguments)
{
    const QString translated = TranslateText(format);
    if (FormatSpecifiersCompatible(format, translated))
        return FormatText(translated, arguments);
    return FormatText(DecodeText(QString(format).remove(Tilde)), arguments);
}

bool SelectLanguage(const QString& requestedName)
{
    if (!g_translator)
        g_translator = new TWTranslator;
    QString name = requestedName;
    if (name.isEmpty() || !isPlainName(name))
        name = OsLanguageCode();
    QString fileName = name + QLatin1String(".lng");
    QString file = findLanguageFile(fileName);
    if (file.isEmpty()) {
        fileName = QStringLiteral("default.lng");
        file = findLanguageFile(fileName);
    }
    // What is collected always goes to the collect folder; a shipped file
    // is read from where it lies and never written.
    const QString collected = QDir(languageFolder()).filePath(fileName);
    // The program's own collect folder (the user's data folder of an
    // installed program) may not be there yet; a folder set from outside
    // is taken as it is.
    if (g_languageFolder.isEmpty())
        QDir().mkpath(languageFolder());
    if (file.isEmpty()) {
        if (QFileInfo::exists(collected) || QFileInfo(collected).isSymLink()) {
            // Something that is no file is in the way: nothing is replaced.
            g_translator->setDotranslate(false);
            return false;
        }
        try {
            WriteFileAtomically(collected, QByteArray());
        } catch (const FileError&) {
            g_translator->setDotranslate(false);
            return false;
        }
        file = collected;
    }
    if (!QFileInfo(file).isFile()) {
        g_translator->setDotranslate(false);
        return false;
    }
    g_translator->SetLanguageFile(file, collected);
    g_translator->setDotranslate(true);
    return true;
}

void SetLanguageName(const QString& name)
{
    g_languageName = name;
}

void SetLanguageFolder(const QString& folder, const QString& shippedFolder)
{
    g_languageFolder = folder;
    g_shippedLanguageFolder = shippedFolder;
}

QString LanguageFolder()
{
    return languageFolder();
}

void SetMissingLanguageFileWarning(MissingFileWarning warning)
{
    g_missingFileWarning = std::move(warning);
}

TWTranslator* Translator()
{
    return g_translator;
}

void EndTranslation()
{
    if (g_translator) {
        g_translator->SaveLanguageFile();
        delete g_translator;
        g_translator = nullptr;
    }
    g_languageName.clear();
}

} // namespace fenster
