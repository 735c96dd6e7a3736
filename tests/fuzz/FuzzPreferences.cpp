// Feeds arbitrary bytes to the preferences reader as the store's JSON file.
// Whatever the file holds, every loaded preference lies within its range,
// and what is saved loads back unchanged.

#include "Preferences.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

class MemoryStore : public fenster::PreferenceStore {
public:
    std::optional<fenster::PreferenceValues> values;
    std::optional<fenster::PreferenceValues> read() override { return values; }
    bool write(const fenster::PreferenceValues& written) override
    {
        values = written;
        return true;
    }
};

bool within(qint32 value, const fenster::PreferenceBounds& bounds)
{
    return value >= bounds.minimum && value <= bounds.maximum;
}

bool same(const fenster::Preferences& a, const fenster::Preferences& b)
{
    return a.drawing.Color.colorRef() == b.drawing.Color.colorRef() && a.drawing.Rahmen == b.drawing.Rahmen
        && a.drawing.RahmenBreite == b.drawing.RahmenBreite && a.drawing.Sprossen == b.drawing.Sprossen
        && a.drawing.SprossenV == b.drawing.SprossenV && a.Sprache == b.Sprache && a.Skalierung == b.Skalierung
        && a.fontName == b.fontName && a.fontSize == b.fontSize && a.ExportPapier == b.ExportPapier
        && a.ExportQuer == b.ExportQuer && a.ExportMassstab == b.ExportMassstab;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace fenster;
    MemoryStore stored;
    stored.values = ParsePreferenceValues(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const Preferences loaded = LoadPreferences(stored);

    if (!within(loaded.drawing.Color.colorRef(), kColorBounds) || !within(loaded.drawing.Rahmen, kRahmenBounds)
        || !within(loaded.drawing.RahmenBreite, kRahmenBreiteBounds) || !within(loaded.drawing.Sprossen, kSprossenBounds)
        || !within(loaded.drawing.SprossenV, kSprossenVBounds) || !within(loaded.Skalierung, kSkalierungBounds)
        || !within(loaded.fontSize, kFontSizeBounds) || !within(loaded.ExportMassstab, kExportMassstabBounds)
        || loaded.fontName.isEmpty() || (loaded.ExportPapier != QLatin1String("A4") && loaded.ExportPapier != QLatin1String("A3")))
        std::abort();

    MemoryStore saved;
    if (!SavePreferences(saved, loaded) || !same(LoadPreferences(saved), loaded))
        std::abort();
    return 0;
}
