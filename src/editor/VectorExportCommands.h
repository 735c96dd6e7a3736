#pragma once

#include "Dialogs.h"

#include "TrueScalePage.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace fenster {

class DrawingArea;
class EditorDocument;
class PictureSource;

// The drawing leaving the editor as vector files for paper and CAD: the
// true-scale sheet ("Export als PDF/SVG…") and the DXF file ("Export als
// DXF…"). Both draw the document as it stands, with its two annotation
// lists and the edge dimensions as the screen shows them, and keep what
// the mouse reads of the screen's drawing. Failures are thrown to the
// caller, who reports them; a failed export writes nothing.
class VectorExportCommands : public QObject {
    Q_OBJECT
public:
    // What the commands ask of the user; the defaults are the program's
    // dialogs and message box.
    struct Dialogs {
        // The sheet dialog; on true choice holds the dialog's values.
        std::function<bool(SheetChoice& choice)> editSheet;
        // The main window's shared save dialog: filter in the form
        // "PDF-Datei (*.pdf)|*.pdf", default extension without dot, the
        // name to start at. Empty on cancel.
        std::function<QString(const QString& filter, const QString& defaultExtension, const QString& startName)>
            chooseFileToSave;
        // A note for the user about a file that was written.
        std::function<void(const QString& text)> inform;
    };
    // The remembered sheet, kept with the preferences.
    struct Memory {
        std::function<SheetChoice()> read;
        std::function<void(const SheetChoice&)> write;
    };

    VectorExportCommands(EditorDocument& document, DrawingArea& area, PictureSource& pictures, QWidget& window,
        Dialogs dialogs, Memory memory, QObject* parent = nullptr);

    // Replaces the dialogs that are given; the others stay.
    void setDialogs(Dialogs dialogs);

    // The document as the files draw it, taken now.
    ExportDrawing drawing() const;
    // The sheet job for choice; throws TrueScaleError for a paper or a
    // ratio that does not exist.
    TrueScaleJob sheetJob(const SheetChoice& choice, PageFormat format) const;

    // The sheet written to fileName, whose extension (.pdf, .svg) gives the
    // format; throws TrueScaleError for another extension and what
    // WriteTrueScalePage throws.
    TrueScalePage ExportTrueScale(const QString& fileName, const SheetChoice& choice);
    // The CAD file; returns the messages of lists that did not draw and
    // throws what WriteDxf throws.
    std::vector<std::string> ExportDxf(const QString& fileName);

    // The menu's commands.
    void ExportalsPDFSVG1Click();
    void ExportalsDXF1Click();

private:
    // The document's folder and base name with extension, for the save
    // dialog to start at; empty for a document without a name.
    QString startName(const QString& extension) const;
    void informAboutLists(const std::vector<std::string>& errors);

    EditorDocument& m_document;
    DrawingArea& m_area;
    PictureSource& m_pictures;
    QWidget& m_window;
    Dialogs m_dialogs;
    Memory m_memory;
};

// The text shown when a sheet was drawn at another ratio than asked.
QString FittedRatioNote(int requestedRatio, int ratio);

} // namespace fenster
