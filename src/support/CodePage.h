#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace fenster {

// The system's 8-bit code page, in which text files, language files and the
// log are read and written. On this platform it is Windows-1252. The five
// bytes the code page leaves undefined map to the C1 control of the same
// value, so that every byte survives a read and a rewrite.

QString DecodeWindows1252(QByteArrayView bytes);

// Characters the code page lacks become "?".
QByteArray EncodeWindows1252(const QString& text);

// nullopt when text holds a character the code page lacks.
std::optional<QByteArray> EncodeWindows1252Exact(const QString& text);

} // namespace fenster
