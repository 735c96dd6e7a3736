#include "LanguageCodes.h"

namespace fenster {

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

} // namespace fenster
