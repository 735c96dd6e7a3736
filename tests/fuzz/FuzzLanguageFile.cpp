// Feeds arbitrary bytes to the language-file reader: decoding, splitting
// lines into entries, the lines a rewrite produces and their encoding. A
// rewritten file must read back as exactly the lines that were written.

#include "FormatText.h"
#include "Translator.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace fenster;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = DecodeLanguageFile(bytes);

    TTransListe list;
    AcceleratorSet used;
    for (const QString& line : lines)
        AddLanguageLine(list, line, used);
    if (list.count() != lines.size())
        std::abort();

    const QStringList written = LanguageFileLines(list);
    if (DecodeLanguageFile(EncodeLanguageFile(written)) != written)
        std::abort();

    // Translations are format strings too; none may upset the formatter.
    for (const TTransWort* entry = list.First(); entry; entry = entry->next.get()) {
        FormatText(entry->translation, {1, 2.5, "Text"});
        FormatSpecifiersCompatible(entry->source, entry->translation);
    }
    return 0;
}
