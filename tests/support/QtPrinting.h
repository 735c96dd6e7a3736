#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Readable GoogleTest messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '{';
    for (const QString& text : list) {
        PrintTo(text, os);
        *os << ' ';
    }
    *os << '}';
}
