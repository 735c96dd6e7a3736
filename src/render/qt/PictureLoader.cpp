#include "PictureLoader.h"

#include "QtCanvas.h"

#include "DiskFiles.h"
#include "ProgramFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace fenster {

namespace {

// The path below base that name names, each part matched exactly or else
// ignoring letter case; empty when some part is missing.
QString findIgnoringCase(const QString& base, const QString& name)
{
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    QString path = QFileInfo(name).isAbsolute() ? QStringLiteral("/") : base;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool last = i + 1 == parts.size();
        const QDir dir(path);
        const QFileInfo exact(dir.filePath(part));
        if (part == u"." || part == u".." || (last ? exact.isFile() : exact.isDir())) {
            path = dir.filePath(part);
            continue;
        }
        const QStringList entries
            = dir.entryList(last ? QDir::Files | QDir::Hidden : QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
        const auto match = std::find_if(entries.begin(), entries.end(),
            [&](const QString& entry) { return entry.compare(part, Qt::CaseInsensitive) == 0; });
        if (match == entries.end())
            return {};
        path = dir.filePath(*match);
    }
    return parts.isEmpty() ? QString() : path;
}

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

} // namespace

PictureFiles::PictureFiles(QString programFolder)
    : m_programFolder(std::move(programFolder))
{
    if (m_programFolder.isEmpty())
        m_programFolder = ProgramFolder();
}

QString PictureFiles::resolve(std::string_view folder, std::string_view name) const
{
    QString fileName = fromUtf8(name);
    fileName.replace(u'\\', u'/');
    if (fileName.isEmpty())
        return {};
    QStringList folders;
    folders << (folder.empty() ? QDir::currentPath() : fromUtf8(folder));
    if (!m_programFolder.isEmpty())
        folders << m_programFolder;
    // Exact names in every folder before names that differ in case.
    for (const QString& base : folders) {
        const QFileInfo exact(QDir(base).filePath(fileName));
        if (exact.isFile())
            return exact.filePath();
    }
    for (const QString& base : folders) {
        const QString found = findIgnoringCase(base, fileName);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

bool PictureFiles::load(std::string_view folder, std::string_view name, RasterImage& picture, std::string& error)
{
    const QString path = resolve(folder, name);
    if (path.isEmpty()) {
        error = "Datei nicht gefunden";
        return false;
    }
    const QFileInfo info(path);
    auto cached = m_cache.find(path);
    if (cached != m_cache.end() && cached->second.size == info.size() && cached->second.modified == info.lastModified()) {
        picture = cached->second.picture;
        return true;
    }
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const FileError& failure) {
        error = failure.what();
        return false;
    }
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        error = reader.errorString().toStdString();
        return false;
    }
    // Transparent parts show what lies under them: composed on white.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    picture = FromQImage(opaque);
    m_cache[path] = Cached { info.size(), info.lastModified(), picture };
    return true;
}

PictureFiles& DefaultPictureFiles()
{
    static PictureFiles files;
    return files;
}

void DrawSymbolList(Canvas& canvas, std::string_view list, std::string_view symbolFolder, int selectedSymbol)
{
    DrawSymbolList(canvas, list, symbolFolder, selectedSymbol, DefaultPictureFiles());
}

} // namespace fenster
