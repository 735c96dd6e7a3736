#include "DocumentCommands.h"

#include "EditorDocument.h"
#include "Fenstereditor.h"

#include "Description.h"
#include "DiskFiles.h"
#include "Log.h"
#include "TextFiles.h"
#include "Translator.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace fenster {

namespace {

bool FileIsThere(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::optional<QString> ReadListIfThere(const QString& path)
{
    if (!FileIsThere(path))
        return std::nullopt;
    return ReadTextFile(path);
}

} // namespace

DocumentKind KindOfFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("bmp"))
        return DocumentKind::Picture;
    if (suffix == QLatin1String("std"))
        return DocumentKind::StandardWindow;
    return DocumentKind::Window;
}

QString CompanionName(const QString& path, const QString& extension)
{
    const QString name = QFileInfo(path).fileName();
    const QString folder = path.left(path.size() - name.size());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return folder + (dot >= 0 ? name.left(dot) : name) + QLatin1Char('.') + extension;
}

QString DroppedDocument(const QMimeData& data)
{
    if (!data.hasUrls() || data.urls().isEmpty())
        return {};
    const QUrl url = data.urls().constFirst();
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    if (QFileInfo(path).suffix().compare(QLatin1String("fnt"), Qt::CaseInsensitive) != 0)
        return {};
    return path;
}

DocumentFiles FilesOfDocument(const QString& path)
{
    const bool standard = KindOfFile(path) == DocumentKind::StandardWindow;
    return { path, CompanionName(path, standard ? QStringLiteral("st2") : QStringLiteral("fn2")),
        CompanionName(path, standard ? QStringLiteral("st3") : QStringLiteral("fn3")),
        CompanionName(path, standard ? QStringLiteral("st4") : QStringLiteral("fn4")) };
}

DocumentSet ReadDocumentSet(const QString& path)
{
    const DocumentFiles files = FilesOfDocument(path);
    DocumentSet set;
    set.description = ReadTextFile(files.description);
    set.symbols = ReadListIfThere(files.symbols);
    set.dimensionLines = ReadListIfThere(files.dimensionLines);
    try {
        set.settings = ReadDocumentSettings(files.settings);
    } catch (const FileError& error) {
        // Settings fall back to their defaults without a word, as bad values do.
        LogLine(QStringLiteral("Einstellungen nicht gelesen: ") + QString::fromUtf8(error.what()));
    }
    return set;
}

void WriteDocumentSet(const QString& path, const QString& description, const QString& symbols,
    const QString& dimensionLines, const DocumentSettings& settings)
{
    const DocumentFiles files = FilesOfDocument(path);
    // A folder or a device in place of one of the four files is found before
    // anything is written, so that such a set is never half replaced.
    for (const QString& file : { files.symbols, files.dimensionLines, files.settings, files.description }) {
        const QFileInfo info(file);
        if ((info.exists() || info.isSymLink()) && !info.isFile())
            throw FileError(QStringLiteral("Datei %1 kann nicht geschrieben werden. Dort liegt keine gewöhnliche Datei.")
                                .arg(QDir::toNativeSeparators(file))
                                .toStdString());
    }
    // The settings file keeps its other lines, so it is read first: one that
    // cannot be read stops the save before any file is replaced.
    const QByteArray settingsBytes = UpdateDocumentSettings(
        FileIsThere(files.settings) ? ReadFileBytes(files.settings) : QByteArray(), settings);
    WriteTextFile(files.symbols, symbols);
    WriteTextFile(files.dimensionLines, dimensionLines);
    WriteFileAtomically(files.settings, settingsBytes);
    WriteTextFile(files.description, description);
}

DocumentCommands::DocumentCommands(EditorDocument& document, QString programFolder, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_programFolder(std::move(programFolder))
    , m_hooks(std::move(hooks))
{
}

void DocumentCommands::report(const QString& message)
{
    LogLine(QStringLiteral("Fehler: ") + message);
    if (m_hooks.reportError)
        m_hooks.reportError(message);
}

void DocumentCommands::Neu1Click()
{
    m_document.setSelection(1, 1);
    if (m_hooks.switchToWindowMode)
        m_hooks.switchToWindowMode();
    if (m_hooks.setEdgeDimensionsShown)
        m_hooks.setEdgeDimensionsShown(true);
    m_document.loadTexts({}, {}, {}, EditorDocument::KeepDescription::No);
    // A new window has no file yet: "&Speichern" asks for one instead of
    // writing over the previous document's files.
    m_document.setDocumentName({});
    m_document.markClean();
}

void DocumentCommands::Laden1Click()
{
    m_document.setSelection(1, 1);
    const QString fileName = m_hooks.chooseFileToOpen ? m_hooks.chooseFileToOpen(m_document.documentName()) : QString();
    if (fileName.isEmpty()) {
        m_document.UpdateAll();
        return;
    }
    OpenDocument(fileName);
}

bool DocumentCommands::OpenDocument(const QString& fileName)
{
    m_document.setSelection(1, 1);
    return LoadDocument(fileName);
}

bool DocumentCommands::take(const DocumentSet& set, bool standardWindow)
{
    // The description is checked before anything is taken, so that a file
    // the reader refuses leaves the present document whole.
    if (!set.description.isEmpty()) {
        const ReadResult check = ReadDescription(set.description.toStdString());
        if (check.error) {
            report(QString::fromStdString(*check.error));
            return false;
        }
    }
    // A document brings its own lists, also when it has none; a standard
    // window is laid over the present document like a template.
    const QString symbols = standardWindow ? set.symbols.value_or(m_document.Memo2()) : set.symbols.value_or(QString());
    const QString dimensionLines
        = standardWindow ? set.dimensionLines.value_or(m_document.Memo3()) : set.dimensionLines.value_or(QString());
    if (m_hooks.setEdgeDimensionsShown)
        m_hooks.setEdgeDimensionsShown(set.settings.Bemassung);
    m_document.setMargins(set.settings.Randlinks, set.settings.Randunten);
    m_document.loadTexts(set.description, symbols, dimensionLines,
        standardWindow ? EditorDocument::KeepDescription::Yes : EditorDocument::KeepDescription::No);
    return true;
}

bool DocumentCommands::LoadDocument(const QString& fileName)
{
    DocumentSet set;
    try {
        set = ReadDocumentSet(fileName);
    } catch (const FileError& error) {
        report(QString::fromUtf8(error.what()));
        return false;
    }
    if (!take(set, false))
        return false;
    m_document.setDocumentName(fileName);
    m_document.markClean();
    return true;
}

bool DocumentCommands::SaveDocument(const QString& fileName)
{
    try {
        switch (KindOfFile(fileName)) {
        case DocumentKind::Picture: {
            const QImage picture = m_hooks.screenPicture ? m_hooks.screenPicture() : QImage();
            if (picture.isNull())
                throw FileError(QStringLiteral("%1: kein Bild zum Speichern").arg(fileName).toStdString());
            WriteFileAtomically(fileName, [&picture](QIODevice& device) { return picture.save(&device, "BMP"); });
            return true;
        }
        case DocumentKind::StandardWindow:
        case DocumentKind::Window: {
            const DocumentSettings settings { m_document.leftMargin(), m_document.bottomMargin(),
                !m_hooks.edgeDimensionsShown || m_hooks.edgeDimensionsShown() };
            WriteDocumentSet(fileName, m_document.Memo1(), m_document.Memo2(), m_document.Memo3(), settings);
            m_document.markClean();
            if (KindOfFile(fileName) == DocumentKind::StandardWindow)
                emit standardWindowsChanged();
            return true;
        }
        }
    } catch (const FileError& error) {
        report(QString::fromUtf8(error.what()));
    }
    return false;
}

bool DocumentCommands::Speichern1Click()
{
    if (m_document.documentName().isEmpty())
        return Speichernunter1Click();
    return SaveDocument(m_document.documentName());
}

bool DocumentCommands::Speichernunter1Click()
{
    if (!m_hooks.chooseFileToSave)
        return false;
    const QString fileName = m_hooks.chooseFileToSave(m_document.documentName());
    if (fileName.isEmpty() || !SaveDocument(fileName))
        return false;
    // The screen picture is no document: "&Speichern" goes on saving the window.
    if (KindOfFile(fileName) != DocumentKind::Picture)
        m_document.setDocumentName(fileName);
    return true;
}

void DocumentCommands::BuildStandardWindowMenu(QMenu& menu)
{
    menu.clear();
    for (const ProgramFolderItem& item : ListProgramFolder(m_programFolder, QStringLiteral("std"))) {
        QAction* window = menu.addAction(item.caption);
        window->setData(item.fileName);
        const QString fileName = item.fileName;
        connect(window, &QAction::triggered, this, [this, fileName] { LoadStandardWindow(fileName); });
    }
}

void DocumentCommands::LoadStandardWindow(const QString& fileName)
{
    if (!m_hooks.confirm || !m_hooks.confirm(QStringLiteral("Möchten Sie das Standardfenster laden?")))
        return;
    DocumentSet set;
    try {
        set = ReadDocumentSet(m_programFolder + fileName);
    } catch (const FileError& error) {
        report(QString::fromUtf8(error.what()));
        return;
    }
    // The document name stays: the standard window only gives the content.
    take(set, true);
}

bool DocumentCommands::mayClose()
{
    if (!m_document.isModified() || !m_hooks.askUnsaved)
        return true;
    switch (m_hooks.askUnsaved()) {
    case UnsavedAnswer::Save:
        return Speichern1Click();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

} // namespace fenster
