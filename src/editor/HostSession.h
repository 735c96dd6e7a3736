#pragma once

#include "CommandLine.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <exception>
#include <functional>
#include <optional>

namespace fenster {

class EditorDocument;

// The outcome of a render-only run, as the process reports it.
enum class RunOutcome {
    Running,
    Done, // exit 0
    Failed, // exit 2: a refused request, an unreadable host file, no description, no picture written
    DataFileError, // exit 137 after "Fehler in Datendatei!"
};

// The editor's side of the host contract: what the command line asks for,
// the host file and its buttons "OK", "Entfernen" and "Abbrechen", and the
// render-only run. The only part of the program that writes to standard
// output or standard error and decides the process's exit code.
class HostSession : public QObject {
    Q_OBJECT
public:
    HostSession(QStringList arguments, EditorDocument& document, QObject* parent = nullptr);

    RunMode runMode() const { return m_runMode; }
    // "-FILE:" and "-OUTFILE:"; empty when not given.
    const QString& hostFile() const { return m_hostFile; }
    const QString& outFile() const { return m_outFile; }
    // The document a normal run opens, given as a plain path
    // (DocumentArgument); empty in the host modes, where the host file has
    // priority and a plain path beside it is left alone.
    QString documentToOpen() const;
    // "M": edge dimensions on for a host file.
    bool edgeDimensionsAsked() const;
    // "-MASSSTAB:" in hundredths of a millimetre per pixel; nothing when it
    // is missing, not a whole number, or not above 0.
    std::optional<double> constantScaleAsked() const;

    // Editing runs: the host file becomes the document's description and
    // model. Throws FileError when it cannot be read and
    // std::runtime_error with the reader's message for a text that is no
    // description; after a failed read "OK" refuses to write.
    void openHostFile();
    bool hostFileRead() const { return m_hostFileRead; }

    // "OK": hands the description back in the host file. Throws when the
    // file was never read (so nothing of the user's is replaced by a
    // default window) and FileError when it cannot be written.
    void BitBtn1Click();
    // "Entfernen": only the text changes; "OK" then hands the host a blank.
    void FensterEntfernenClick();

    // The whole render-only run, which never waits for a person: reads the
    // host file, has exportPicture write the picture to the out file, and
    // ends with the outcome's exit code. Every failure goes to standard
    // error (a bad field width to standard output as "Fehler in
    // Datendatei!").
    int runRenderOnly(const std::function<void(const QString& outFile)>& exportPicture);

    RunOutcome outcome() const { return m_outcome; }
    int exitCode() const;

    // An error that ended the program before a session could run: printed
    // on standard error; the exit code for it.
    static int reportFatal(const std::exception& error);

private:
    int finish(RunOutcome outcome, const QString& message);

    QStringList m_arguments;
    EditorDocument& m_document;
    RunMode m_runMode = RunMode::Normal;
    QString m_hostFile;
    QString m_outFile;
    bool m_hostFileRead = false;
    RunOutcome m_outcome = RunOutcome::Running;
};

// True when every field width of the description is a number, walking the
// text as the drawing reads it; the drawing refuses the others.
bool FieldWidthsReadable(const QString& description);

// True when both paths name one existing file, also through links.
bool SameFile(const QString& first, const QString& second);

} // namespace fenster
