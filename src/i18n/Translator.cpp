#include "Translator.h"

#include "DiskFiles.h"

#include <QCoreApplication>
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
MissingFileWarning g_missingFileWarning;

bool blanksOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), IsLanguageBlank);
}

QString languageFolder()
{
    if (!g_languageFolder.isEmpty())
        return g_languageFolder;
    return QCoreApplication::applicationDirPath();
}

// A language name becomes a file name beside the executable; one that
// would lead out of that folder is not a language name.
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
        SetLanguageFile(m_datei);
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
        SetLanguageFile(m_datei);
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
    try {
        WriteLanguageFile(m_datei, LanguageFileLines(m_entries));
    } catch (const FileError&) {
        // Translation never fails; the old file stays as it was.
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
    const QDir folder(languageFolder());
    QString file = folder.filePath(name + QLatin1String(".lng"));
    if (!QFileInfo(file).isFile()) {
        file = folder.filePath(QStringLiteral("default.lng"));
        if (!QFileInfo::exists(file)) {
            try {
                WriteFileAtomically(file, QByteArray());
            } catch (const FileError&) {
                g_translator->setDotranslate(false);
                return false;
            }
        }
    }
    if (!QFileInfo(file).isFile()) {
        g_translator->setDotranslate(false);
        return false;
    }
    g_translator->SetLanguageFile(file);
    g_translator->setDotranslate(true);
    return true;
}

void SetLanguageName(const QString& name)
{
    g_languageName = name;
}

void SetLanguageFolder(const QString& folder)
{
    g_languageFolder = folder;
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
