#pragma once

#include <QChar>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

namespace fenster {

// The accelerator characters given out so far while one form is translated
// (upper case). Whoever translates a form owns one and hands it to every
// lookup, so that two texts of the form do not claim the same key.
using AcceleratorSet = QSet<QChar>;

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
    // appends the entry at the end. A source accelerator whose key the
    // translation would give a second time (used) is dropped; the keys given
    // out are added to used.
    void Add(QString source, QString translation, AcceleratorSet& used);
    // The first entry whose source is text, or null.
    const TTransWort* find(const QString& text) const;
    void Clear();

private:
    std::unique_ptr<TTransWort> m_head;
    TTransWort* m_tail = nullptr;
    int m_count = 0;
};

// Splits one line at its first "~" into source and translation and adds it.
void AddLanguageLine(TTransListe& list, const QString& line, AcceleratorSet& used);
// The lines of the language file that holds list.
QStringList LanguageFileLines(const TTransListe& list);

// Inserts "&" before the first occurrence of key (exact case), or at the
// start when key does not occur.
void InsertAmpersandBefore(QString& text, QChar key);

} // namespace fenster
