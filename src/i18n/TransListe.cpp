#include "TransListe.h"

#include "LanguageFile.h"

namespace fenster {

namespace {

const QChar Blank = QLatin1Char(' ');
const QChar Ampersand = QLatin1Char('&');
const QChar Tilde = QLatin1Char('~');
const QChar Colon = QLatin1Char(':');

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

} // namespace

void InsertAmpersandBefore(QString& text, QChar key)
{
    const qsizetype at = text.indexOf(key, 0, Qt::CaseSensitive);
    text.insert(at < 0 ? 0 : at, Ampersand);
}

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

const TTransWort* TTransListe::find(const QString& text) const
{
    for (const TTransWort* entry = First(); entry; entry = entry->next.get()) {
        if (entry->source == text)
            return entry;
    }
    return nullptr;
}

void TTransListe::Add(QString source, QString translation, AcceleratorSet& used)
{
    source = TrimRightBlanks(source);
    if (source.endsWith(Colon)) {
        source.chop(1);
        source = TrimRightBlanks(source);
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
        used.insert(translationKey);
        removeFirstAmpersand(translation);
    } else if (hasSourceKey && !hasTranslationKey) {
        const qsizetype k = source.indexOf(Ampersand);
        if (k < translation.size() && translation[k] != Blank)
            translationKey = translation[k];
        if (used.contains(translationKey)) {
            sourceKey = Blank;
            translationKey = Blank;
        } else {
            used.insert(translationKey);
        }
        removeFirstAmpersand(source);
    } else if (hasSourceKey && hasTranslationKey) {
        used.insert(translationKey);
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

void AddLanguageLine(TTransListe& list, const QString& line, AcceleratorSet& used)
{
    const qsizetype at = line.indexOf(Tilde);
    if (at < 0) {
        list.Add(QString(), TrimBlanks(line), used);
        return;
    }
    list.Add(TrimRightBlanks(line.left(at)), TrimBlanks(line.mid(at + 1)), used);
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
            InsertAmpersandBefore(translation, entry->translationKey);
        if (entry->sourceKey != Blank)
            InsertAmpersandBefore(source, entry->sourceKey);
        lines.append(source == translation ? source + Tilde : source + Tilde + translation);
    }
    return lines;
}

} // namespace fenster
