// Feeds arbitrary bytes to the settings companion's reader and writer. Once
// written, the three settings must read back as written and a second write
// must change nothing.

#include "DocumentSettings.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace fenster;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DocumentSettings read = ParseDocumentSettings(bytes);

    // Settings taken from the input itself, so that the fuzzer reaches odd
    // values too.
    DocumentSettings settings;
    settings.Randlinks = size > 0 ? int(data[0]) - 100 : 7;
    settings.Randunten = read.Randlinks;
    settings.Bemassung = !read.Bemassung;

    const QByteArray written = UpdateDocumentSettings(bytes, settings);
    if (!(ParseDocumentSettings(written) == settings))
        std::abort();
    if (UpdateDocumentSettings(written, settings) != written)
        std::abort();
    return 0;
}
