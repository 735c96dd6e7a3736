#include "FileRoutines.h"

#include <QWindow>

namespace fenster {

QString FileNameWithoutExtensions(const QString& path)
{
    // Host programs may hand over Windows paths, so both separators count,
    // and a drive letter's colon as well.
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path[i];
        if (c == u'/' || c == u'\\' || (c == u':' && i == 1 && path[0].isLetter()))
            start = i + 1;
    }
    QString name = path.mid(start);
    // Removing the last extension while a dot remains leaves what comes before
    // the first dot.
    const qsizetype dot = name.indexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

bool ForceForeground(QWindow* window)
{
    if (!window)
        return false;
    if (window->windowStates() & Qt::WindowMinimized)
        window->showNormal();
    window->raise();
    window->requestActivate();
    return true;
}

} // namespace fenster
