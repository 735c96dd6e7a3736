#include "Translator.h"

#include "CodePage.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSaveFile>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTextEdit>
#include <QWidget>

#include <array>

namespace fenster {

namespace {

// A language file is a few hundred short lines; anything far larger is not
// one, and reading it would only cost memory.
constexpr qint64 MaxLanguageFileSize = 16 * 1024 * 1024;

const QChar Blank = QLatin1Char(' ');
const QChar Ampersand = QLatin1Char('&');
const QChar Tilde = QLatin1Char('~');
const QChar Colon = QLatin1Char(':');

TWTranslator* g_translator = nullptr;
QString g_languageName;
QString g_languageFolder;
QSet<QChar> g_usedAccelerators;

// Blanks are spaces and control characters, as the file format trims them.
bool isBlank(QChar c)
{
    return c.unicode() <= 0x20;
}

QString trimRight(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QString trimBoth(const QString& text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin]))
        ++begin;
    return trimRight(text.mid(begin));
}

bool blanksOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(), isBlank);
}

// The character after the first "&", or a blank.
QChar keyAfterFirstAmpersand(const QString& text)
{
    const qsizetype at = text.indexOf(Ampersand);
    if (at < 0 || at + 1 >= text.size())
        return Blank;
    return text[at + 1];
}

void removeFirstAmpersand(QString& text)
{
    const qsizetype at = text.indexOf(Ampersand);
    if (at >= 0)
        text.remove(at, 1);
}

// Inserts "&" before the first occurrence of key (exact case), or at the
// start when key does not occur.
void insertAmpersandBefore(QString& text, QChar key)
{
    const qsizetype at = text.indexOf(key, 0, Qt::CaseSensitive);
    text.insert(at < 0 ? 0 : at, Ampersand);
}

// A surrogate without its partner cannot be written back in any encoding;
// it becomes the replacement character as soon as it is read.
QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype pos = 0; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, pos - start));
        if (c == QLatin1Char('\r') && pos + 1 < text.size() && text[pos + 1] == QLatin1Char('\n'))
            ++pos;
        start = pos + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
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

bool ensureTranslator()
{
    if (g_translator)
        return true;
    return SelectLanguage(g_languageName);
}

void showMissingFileWarning()
{
    // Only a widget application can show a box; the translator is also used
    // by tools that have none.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warnung"),
        QStringLiteral("Übersetzungsdatei existiert nicht !"), QMessageBox::Ok);
    box.exec();
}

// --- Translating a form ---------------------------------------------------

bool isRadioGroup(const QGroupBox* box)
{
    bool anyRadio = false;
    for (QObject* child : box->children()) {
        if (!child->isWidgetType())
            continue;
        if (!qobject_cast<QRadioButton*>(child))
            return false;
        anyRadio = true;
    }
    return anyRadio;
}

bool isMenuItem(const QAction* action)
{
    const auto owners = action->associatedObjects();
    return std::any_of(owners.begin(), owners.end(), [](QObject* owner) {
        return qobject_cast<QMenu*>(owner) || qobject_cast<QMenuBar*>(owner);
    });
}

class FormWalker {
public:
    explicit FormWalker(TWTranslator& translator)
        : m_translator(translator)
    {
    }

    void walk(QObject* parent)
    {
        const QObjectList children = parent->children();
        for (QObject* child : children) {
            if (child->property("noTranslate").toBool())
                continue;
            if (translate(child))
                walk(child);
        }
    }

private:
    QString tl(const QString& text) { return m_translator.tl(text); }
    void translateHint(QWidget* widget) { widget->setToolTip(StripMarks(tl(widget->toolTip()))); }

    // Translates object by its role; true when its children belong to the
    // form (containers), false for controls whose children are their own.
    bool translate(QObject* object)
    {
        if (auto* action = qobject_cast<QAction*>(object)) {
            if (isMenuItem(action)) {
                if (action->isSeparator())
                    tl(QStringLiteral("-"));
                else
                    action->setText(tl(action->text()));
                action->setStatusTip(trimBoth(StripMarks(action->statusTip())));
            }
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        if (!widget)
            return false;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(trimRight(tl(label->text())));
            translateHint(label);
            return false;
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            check->setText(StripMarks(trimRight(tl(check->text()))));
            translateHint(check);
            return false;
        }
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            auto* group = qobject_cast<QGroupBox*>(radio->parentWidget());
            if (group && isRadioGroup(group))
                radio->setText(StripMarks(tl(radio->text())));
            return false;
        }
        if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            if (isRadioGroup(group))
                group->setTitle(trimBoth(tl(group->title())));
            else
                group->setTitle(StripMarks(trimBoth(tl(group->title()))));
            translateHint(group);
            return true;
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            translateHint(combo);
            for (int i = 0; i < combo->count(); ++i)
                combo->setItemText(i, StripMarks(tl(combo->itemText(i))));
            return false;
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(tl(button->text()));
            translateHint(button);
            return false;
        }
        if (auto* statusBar = qobject_cast<QStatusBar*>(widget)) {
            translateHint(statusBar);
            return false;
        }
        // Edit fields, spin edits and memos are not translated, and what
        // they hold inside is theirs.
        if (qobject_cast<QAbstractSpinBox*>(widget) || qobject_cast<QLineEdit*>(widget)
            || qobject_cast<QPlainTextEdit*>(widget) || qobject_cast<QTextEdit*>(widget))
            return false;
        return true;
    }

    TWTranslator& m_translator;
};

} // namespace

// --- TTransListe --------------------------------------------------------------

TTransListe::~TTransListe()
{
    Clear();
}

void TTransListe::Clear()
{
    // Unlink iteratively: a long list must not unwind recursively.
    std::unique_ptr<TTransWort> entry = std::move(m_head);
    while (entry)
        entry = std::move(entry->next);
    m_tail = nullptr;
    m_count = 0;
}

void TTransListe::Add(QString source, QString translation)
{
    source = trimRight(source);
    if (source.endsWith(Colon)) {
        source.chop(1);
        source = trimRight(source);
    }
    // An entry without translation translates to its own text; the source
    // keeps its accelerator so that a rewrite gives the same line back.
    if (translation.isEmpty())
        translation = QString(source).remove(Ampersand);

    QChar sourceKey = keyAfterFirstAmpersand(source);
    if (sourceKey.unicode() >= 'a' && sourceKey.unicode() <= 'z')
        sourceKey = sourceKey.toUpper();
    QChar translationKey = keyAfterFirstAmpersand(translation).toUpper();

    const bool hasSourceKey = sourceKey != Blank;
    const bool hasTranslationKey = translationKey != Blank;
    if (!hasSourceKey && hasTranslationKey) {
        g_usedAccelerators.insert(translationKey);
        removeFirstAmpersand(translation);
    } else if (hasSourceKey && !hasTranslationKey) {
        const qsizetype k = source.indexOf(Ampersand);
        if (k < translation.size() && translation[k] != Blank)
            translationKey = translation[k];
        if (g_usedAccelerators.contains(translationKey)) {
            sourceKey = Blank;
            translationKey = Blank;
        } else {
            g_usedAccelerators.insert(translationKey);
        }
        removeFirstAmpersand(source);
    } else if (hasSourceKey && hasTranslationKey) {
        g_usedAccelerators.insert(translationKey);
        removeFirstAmpersand(source);
        removeFirstAmpersand(translation);
    }

    auto entry = std::make_unique<TTransWort>();
    entry->source = std::move(source);
    entry->translation = std::move(translation);
    entry->sourceKey = sourceKey;
    entry->translationKey = translationKey;
    TTransWort* added = entry.get();
    if (m_tail)
        m_tail->next = std::move(entry);
    else
        m_head = std::move(entry);
    m_tail = added;
    ++m_count;
}

// --- File form ----------------------------------------------------------------

QStringList DecodeLanguageFile(const QByteArray& bytes)
{
    // The mark itself is skipped here; a second one after it is text.
    auto decode = [&bytes](QStringConverter::Encoding encoding, qsizetype markSize) {
        QStringDecoder decoder(encoding, QStringConverter::Flag::ConvertInitialBom);
        return QString(decoder(QByteArrayView(bytes).sliced(markSize)));
    };
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        text = decode(QStringConverter::Utf8, 3);
    else if (bytes.startsWith("\xFF\xFE"))
        text = decode(QStringConverter::Utf16LE, 2);
    else if (bytes.startsWith("\xFE\xFF"))
        text = decode(QStringConverter::Utf16BE, 2);
    else
        text = DecodeWindows1252(bytes);
    return splitLines(withoutLoneSurrogates(text));
}

QByteArray EncodeLanguageFile(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    text = withoutLoneSurrogates(text);
    // Bytes that would read back as a byte-order mark are written as UTF-8.
    const std::optional<QByteArray> bytes = EncodeWindows1252Exact(text);
    if (bytes && !bytes->startsWith("\xEF\xBB\xBF") && !bytes->startsWith("\xFF\xFE")
        && !bytes->startsWith("\xFE\xFF"))
        return *bytes;
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void AddLanguageLine(TTransListe& list, const QString& line)
{
    const qsizetype at = line.indexOf(Tilde);
    if (at < 0) {
        list.Add(QString(), trimBoth(line));
        return;
    }
    list.Add(trimRight(line.left(at)), trimBoth(line.mid(at + 1)));
}

QStringList LanguageFileLines(const TTransListe& list)
{
    QStringList lines;
    for (const TTransWort* entry = list.First(); entry; entry = entry->next.get()) {
        if (entry->source.isEmpty())
            continue;
        QString source = entry->source;
        QString translation = entry->translation;
        if (entry->translationKey != Blank)
            insertAmpersandBefore(translation, entry->translationKey);
        if (entry->sourceKey != Blank)
            insertAmpersandBefore(source, entry->sourceKey);
        lines.append(source == translation ? source + Tilde : source + Tilde + translation);
    }
    return lines;
}

// --- TWTranslator -------------------------------------------------------------

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
        showMissingFileWarning();
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

void TWTranslator::LoadLanguageFile()
{
    if (!m_dotranslate || m_datei.isEmpty())
        return;
    QFile file(m_datei);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxLanguageFileSize) {
        SetLanguageFile(m_datei);
        return;
    }
    const QByteArray bytes = file.read(MaxLanguageFileSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxLanguageFileSize) {
        SetLanguageFile(m_datei);
        return;
    }
    for (const QString& line : DecodeLanguageFile(bytes))
        AddLanguageLine(m_entries, line);
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
    QSaveFile file(m_datei);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray bytes = EncodeLanguageFile(LanguageFileLines(m_entries));
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

QString TWTranslator::LookupText(QString& text)
{
    if (!m_dotranslate || m_warned) {
        // Nothing was looked up, so nothing counts as missing.
        m_notFound = false;
        return text;
    }
    m_notFound = false;
    qsizetype length = text.size();
    qsizetype colonPos = 0; // from 1, 0 for none
    text = trimRight(text);
    if (text.endsWith(Colon)) {
        colonPos = text.size();
        text.chop(1);
        text = trimRight(text);
    }

    const TTransWort* found = nullptr;
    for (const TTransWort* entry = m_entries.First(); entry; entry = entry->next.get()) {
        if (entry->source == text) {
            found = entry;
            break;
        }
    }

    QString result;
    if (found) {
        result = found->translation;
        if (found->translationKey != Blank) {
            g_usedAccelerators.insert(found->translationKey);
            insertAmpersandBefore(result, found->translationKey);
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

QString TWTranslator::tl(const QString& text)
{
    if (blanksOnly(text))
        return QString();
    if (!m_loaded)
        LoadLanguageFile();
    QString key = EncodeText(text);
    const QString result = LookupText(key);
    if (m_notFound) {
        m_entries.Add(key, QString());
        SaveLanguageFile();
    }
    return DecodeText(result).remove(Tilde);
}

void TWTranslator::Translate(QObject* component)
{
    g_usedAccelerators.clear();
    if (!component)
        return;
    if (auto* form = qobject_cast<QWidget*>(component); form && form->isWindow()) {
        form->setWindowTitle(StripMarks(tl(form->windowTitle())));
        form->setToolTip(StripMarks(tl(form->toolTip())));
    }
    FormWalker(*this).walk(component);
}

// --- Module operations --------------------------------------------------------

QString TranslateText(const QString& text)
{
    QString result = text;
    try {
        ensureTranslator();
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

int TranslateForm(QWidget* form)
{
    try {
        if (!ensureTranslator())
            return -1;
        if (g_translator && g_translator->dotranslate())
            g_translator->Translate(form);
        return 0;
    } catch (...) {
        return -1;
    }
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
            QFile created(file);
            if (!created.open(QIODevice::WriteOnly)) {
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

QString LanguageCodeForLocale(const QLocale& locale)
{
    struct Language {
        QLocale::Language language;
        int primary;
    };
    // Primary language identifiers of the operating system's locale
    // identifiers (the low ten bits).
    static constexpr Language Primaries[] = {
        {QLocale::Arabic, 0x01}, {QLocale::Bulgarian, 0x02}, {QLocale::Catalan, 0x03},
        {QLocale::Chinese, 0x04}, {QLocale::Czech, 0x05}, {QLocale::Danish, 0x06},
        {QLocale::German, 0x07}, {QLocale::Greek, 0x08}, {QLocale::English, 0x09},
        {QLocale::Spanish, 0x0A}, {QLocale::Finnish, 0x0B}, {QLocale::French, 0x0C},
        {QLocale::Hebrew, 0x0D}, {QLocale::Hungarian, 0x0E}, {QLocale::Icelandic, 0x0F},
        {QLocale::Italian, 0x10}, {QLocale::Japanese, 0x11}, {QLocale::Korean, 0x12},
        {QLocale::Dutch, 0x13}, {QLocale::NorwegianBokmal, 0x14}, {QLocale::Polish, 0x15},
        {QLocale::Portuguese, 0x16}, {QLocale::Romansh, 0x17}, {QLocale::Romanian, 0x18},
        {QLocale::Russian, 0x19}, {QLocale::Croatian, 0x1A}, {QLocale::Slovak, 0x1B},
        {QLocale::Albanian, 0x1C}, {QLocale::Swedish, 0x1D}, {QLocale::Thai, 0x1E},
        {QLocale::Turkish, 0x1F}, {QLocale::Urdu, 0x20}, {QLocale::Indonesian, 0x21},
        {QLocale::Ukrainian, 0x22}, {QLocale::Belarusian, 0x23}, {QLocale::Slovenian, 0x24},
        {QLocale::Estonian, 0x25}, {QLocale::Latvian, 0x26}, {QLocale::Lithuanian, 0x27},
        {QLocale::Persian, 0x29}, {QLocale::Vietnamese, 0x2A}, {QLocale::Armenian, 0x2B},
        {QLocale::Azerbaijani, 0x2C}, {QLocale::Basque, 0x2D}, {QLocale::Macedonian, 0x2F},
        {QLocale::Afrikaans, 0x36}, {QLocale::Georgian, 0x37}, {QLocale::Faroese, 0x38},
        {QLocale::Hindi, 0x39}, {QLocale::Maltese, 0x3A}, {QLocale::Irish, 0x3C},
        {QLocale::Malay, 0x3E}, {QLocale::Kazakh, 0x3F}, {QLocale::Swahili, 0x41},
        {QLocale::Welsh, 0x52}, {QLocale::Galician, 0x56}, {QLocale::Luxembourgish, 0x6E},
    };
    struct Sublanguage {
        QLocale::Language language;
        QLocale::Territory territory;
        int identifier;
    };
    // Locales whose identifier is not the default sublanguage (1) of their
    // primary language.
    static constexpr Sublanguage Sublanguages[] = {
        {QLocale::German, QLocale::Switzerland, 0x0807},
        {QLocale::German, QLocale::Austria, 0x0C07},
        {QLocale::German, QLocale::Luxembourg, 0x1007},
        {QLocale::German, QLocale::Liechtenstein, 0x1407},
        {QLocale::English, QLocale::UnitedKingdom, 0x0809},
        {QLocale::English, QLocale::Australia, 0x0C09},
        {QLocale::English, QLocale::Canada, 0x1009},
        {QLocale::English, QLocale::NewZealand, 0x1409},
        {QLocale::English, QLocale::Ireland, 0x1809},
        {QLocale::English, QLocale::SouthAfrica, 0x1C09},
        {QLocale::Spanish, QLocale::Spain, 0x0C0A},
        {QLocale::Spanish, QLocale::Mexico, 0x080A},
        {QLocale::French, QLocale::Belgium, 0x080C},
        {QLocale::French, QLocale::Canada, 0x0C0C},
        {QLocale::French, QLocale::Switzerland, 0x100C},
        {QLocale::French, QLocale::Luxembourg, 0x140C},
        {QLocale::Italian, QLocale::Switzerland, 0x0810},
        {QLocale::Dutch, QLocale::Belgium, 0x0813},
        {QLocale::Portuguese, QLocale::Portugal, 0x0816},
        {QLocale::Swedish, QLocale::Finland, 0x081D},
        {QLocale::Chinese, QLocale::Taiwan, 0x0404},
        {QLocale::Chinese, QLocale::China, 0x0804},
        {QLocale::Chinese, QLocale::HongKong, 0x0C04},
        {QLocale::Chinese, QLocale::Singapore, 0x1004},
        {QLocale::NorwegianNynorsk, QLocale::Norway, 0x0814},
        {QLocale::Serbian, QLocale::Serbia, 0x241A},
        {QLocale::Bosnian, QLocale::BosniaAndHerzegovina, 0x141A},
    };

    // The C locale is the program's neutral English.
    if (locale.language() == QLocale::C)
        return QStringLiteral("0409");

    int identifier = 0;
    for (const Sublanguage& sub : Sublanguages) {
        if (sub.language == locale.language() && sub.territory == locale.territory())
            identifier = sub.identifier;
    }
    if (identifier == 0) {
        for (const Language& lang : Primaries) {
            if (lang.language == locale.language())
                identifier = 0x0400 | lang.primary;
        }
    }
    // A language the table does not know stands as the operating system's
    // "custom, unspecified" locale, which no language file is named after.
    if (identifier == 0)
        identifier = 0x1000;

    switch (identifier & 0x3FF) {
    case 0x05:
        return QStringLiteral("0405");
    case 0x07:
        return QStringLiteral("0407");
    case 0x09:
        return QStringLiteral("0409");
    case 0x0A:
        return QStringLiteral("040A");
    case 0x0C:
        return QStringLiteral("040C");
    case 0x10:
        return QStringLiteral("0410");
    case 0x15:
        return QStringLiteral("0415");
    default:
        return QStringLiteral("%1").arg(identifier, 4, 16, QLatin1Char('0')).toUpper();
    }
}

QString OsLanguageCode()
{
    return LanguageCodeForLocale(QLocale::system());
}

QString EncodeText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1Char('\r'), QLatin1String("#13"));
    result.remove(QLatin1Char('\n'));
    result.replace(Ampersand, QLatin1String("#38"));
    return result;
}

QString DecodeText(const QString& text)
{
    QString result = text;
    result.replace(QLatin1String("#13"), QLatin1String("\r"));
    result.replace(QLatin1String("#38"), QLatin1String("&"));
    return result;
}

QString StripMarks(const QString& text)
{
    QString result = text;
    result.remove(Ampersand);
    result.remove(Tilde);
    return result;
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
    g_usedAccelerators.clear();
}

QSet<QChar> UsedAccelerators()
{
    return g_usedAccelerators;
}

} // namespace fenster
