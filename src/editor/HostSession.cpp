#include "HostSession.h"

#include "EditorDocument.h"
#include "HostContract.h"

#include "DiskFiles.h"
#include "Engine.h"
#include "EngineReader.h"
#include "IntegerText.h"
#include "Log.h"
#include "TextFiles.h"

#include <QFileInfo>

#include <cstdio>
#include <stdexcept>

namespace fenster {

HostSession::HostSession(QStringList arguments, EditorDocument& document, QObject* parent)
    : QObject(parent)
    , m_arguments(std::move(arguments))
    , m_document(document)
    , m_runMode(DecideRunMode(m_arguments))
    , m_hostFile(ParamValue(m_arguments, QStringLiteral("-FILE:")))
    , m_outFile(ParamValue(m_arguments, QStringLiteral("-OUTFILE:")))
{
}

QString HostSession::documentToOpen() const
{
    return m_runMode == RunMode::Normal ? DocumentArgument(m_arguments) : QString();
}

bool HostSession::edgeDimensionsAsked() const
{
    return ParamPresent(m_arguments, QStringLiteral("M"));
}

std::optional<double> HostSession::constantScaleAsked() const
{
    const QByteArray scale = ParamValue(m_arguments, QStringLiteral("-MASSSTAB:")).toLatin1();
    const auto hundredths = StrictToInt(std::string_view(scale.constData(), std::size_t(scale.size())));
    // A scale of zero or below would give no picture at all; it counts as
    // missing, like a value that is not a number.
    if (hundredths && *hundredths > 0)
        return *hundredths / 100.0;
    return std::nullopt;
}

void HostSession::openHostFile()
{
    m_hostFileRead = false;
    const QString text = ReadTextFile(m_hostFile);
    m_hostFileRead = true;
    m_document.setDocumentName(m_hostFile);
    m_document.setMemo1(text);
    if (const auto error = m_document.readModelFromText())
        throw std::runtime_error(error->toStdString());
}

void HostSession::BitBtn1Click()
{
    if (m_hostFile.isEmpty())
        return;
    if (!m_hostFileRead)
        throw std::runtime_error(
            QStringLiteral("%1 konnte nicht gelesen werden und wird deshalb nicht überschrieben.")
                .arg(m_hostFile)
                .toStdString());
    WriteTextFile(m_hostFile, m_document.Memo1());
}

void HostSession::FensterEntfernenClick()
{
    m_document.setMemo1(QStringLiteral(" "));
}

int HostSession::runRenderOnly(const std::function<void(const QString& outFile)>& exportPicture)
{
    if (SameFile(m_hostFile, m_outFile))
        return finish(RunOutcome::Failed,
            QStringLiteral("-OUTFILE: nennt dieselbe Datei wie -FILE: (%1); es wird nichts geschrieben.").arg(m_outFile));
    try {
        m_document.setDocumentName(m_hostFile);
        m_document.setMemo1(ReadTextFile(m_hostFile));
    } catch (const std::exception& error) {
        return finish(RunOutcome::Failed, QString::fromUtf8(error.what()));
    }
    m_hostFileRead = true;
    if (const auto error = m_document.readModelFromText()) {
        // Host programs rely on code 137 for a field width the drawing cannot
        // read, so the drawing's verdict on the text comes first.
        if (!FieldWidthsReadable(m_document.Memo1()))
            return finish(RunOutcome::DataFileError, QString::fromLatin1(kDataFileErrorLine));
        return finish(RunOutcome::Failed, *error);
    }
    try {
        exportPicture(m_outFile);
    } catch (const DataFileError&) {
        return finish(RunOutcome::DataFileError, QString::fromLatin1(kDataFileErrorLine));
    } catch (const std::exception& error) {
        return finish(RunOutcome::Failed, QString::fromUtf8(error.what()));
    } catch (...) {
        return finish(RunOutcome::Failed, QStringLiteral("Unbekannter Fehler"));
    }
    return finish(RunOutcome::Done, QString());
}

int HostSession::finish(RunOutcome outcome, const QString& message)
{
    m_outcome = outcome;
    if (outcome == RunOutcome::DataFileError) {
        std::fprintf(stdout, "%s\n", kDataFileErrorLine);
        std::fflush(stdout);
    } else if (outcome == RunOutcome::Failed) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    LogLine(QStringLiteral("Ausgabe: ") + (message.isEmpty() ? QStringLiteral("fertig") : message));
    return exitCode();
}

int HostSession::exitCode() const
{
    switch (m_outcome) {
    case RunOutcome::Failed:
        return kExitFailed;
    case RunOutcome::DataFileError:
        return kExitDataFileError;
    case RunOutcome::Running:
    case RunOutcome::Done:
        break;
    }
    return kExitDone;
}

int HostSession::reportFatal(const std::exception& error)
{
    std::fprintf(stderr, "%s\n", error.what());
    std::fflush(stderr);
    return kExitFailed;
}

bool FieldWidthsReadable(const QString& description)
{
    const std::string text = description.toStdString();
    DescriptionReader reader(text);
    reader.nextNumber(); // overall height
    reader.nextNumber(); // overall width
    const int rows = reader.nextNumber();
    try {
        for (int r = 1; r <= rows && !reader.atEnd(); ++r) {
            const int rowHeight = reader.nextNumber();
            const int fields = reader.nextNumber();
            for (int f = 1; f <= fields; ++f) {
                if (!reader.readField(rowHeight))
                    break;
            }
        }
    } catch (const DataFileError&) {
        return false;
    }
    return true;
}

bool SameFile(const QString& first, const QString& second)
{
    if (first.isEmpty() || second.isEmpty())
        return false;
    const QString a = QFileInfo(first).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(second).canonicalFilePath();
}

} // namespace fenster
