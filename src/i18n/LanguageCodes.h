#pragma once

#include <QLocale>
#include <QString>

namespace fenster {

// The language code of the user's locale as four (or more) upper-case hex
// digits, the name of its language file without ".lng": the primary
// languages Czech, German, English, Spanish, French, Italian and Polish give
// their neutral code (so Austrian German uses "0407"), any other locale its
// own identifier ("0413" for Dutch), a language the table does not know
// "1000", the C locale "0409".
QString OsLanguageCode();
QString LanguageCodeForLocale(const QLocale& locale);

} // namespace fenster
