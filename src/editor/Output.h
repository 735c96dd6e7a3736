#pragma once

#include "OutputPictures.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QMimeData;
class QPrinter;
class QWidget;

namespace fenster {

class DrawingArea;
class EditorDocument;
class PictureSource;

// The drawing leaving the editor: screen copies and constant-scale pictures
// for the clipboard and bitmap files, the vector copy, and the printouts.
// Every command switches the selection highlight off (and, where the
// picture is taken from the screen, disables the main window) for as long
// as it runs, and restores both however it ends. Failures are thrown to
// the caller, who reports them; nothing is claimed that did not happen.
class Output : public QObject {
    Q_OBJECT
public:
    // What the commands reach outside the editor; the defaults are the
    // real clipboard, printer and message box.
    struct Surroundings {
        // Puts the data on the clipboard; throws when the clipboard does not
        // take it.
        std::function<void(std::unique_ptr<QMimeData>)> putOnClipboard;
        // Asks a yes/no question; true for yes.
        std::function<bool(const QString& caption, const QString& text)> confirm;
    };

    // Asks for the name of a file to write with the main window's shared
    // save dialog: filter in the form "Bitmap (*.BMP)|*.BMP", default
    // extension without dot, the name to start at. Empty on cancel.
    using ChooseFileToSave
        = std::function<QString(const QString& filter, const QString& defaultExtension, const QString& startName)>;

    Output(EditorDocument& document, DrawingArea& area, PictureSource& pictures, ChooseFileToSave chooseFileToSave,
        QWidget& window, QObject* parent = nullptr);
    ~Output() override;

    void setSurroundings(Surroundings surroundings);

    // The check mark of "Optimierte Höhe/Breite": screen copies are cropped
    // to their content while it is set.
    bool optimizedSize() const { return m_optimizedSize; }
    void setOptimizedSize(bool on) { m_optimizedSize = on; }

    // The drawing area drawn again without the highlighted field, at its
    // size, cropped while optimizedSize. The caller holds an OutputScope.
    QImage CopyDrawingToBitmap();
    // The document afresh at mmPerPixel, cropped.
    QImage RenderConstantScale(double mmPerPixel) const;
    void ExportScreenBitmap(const QString& fileName);
    void ExportConstantScale(const QString& fileName);
    // The clipboard data of "In Zwischenablage (als Meta)".
    std::unique_ptr<QMimeData> VectorCopy() const;

    // The printer the print commands use: the system's default until
    // "Druckereinrichtung" chooses another for the run.
    QPrinter& printer();
    // Whether a real printer stands behind printer().
    bool havePrinter();
    // One page of the vector printout, and of the bitmap printout, on
    // printer: a print job each. Throws when the job cannot start or fails.
    void PrintVector(QPrinter& target);
    void PrintBitmap(QPrinter& target);
    // The vector printout as a one-page PDF file, written atomically.
    void PrintVectorToPdf(const QString& fileName);

    // The menu's commands.
    void InZwischenablage1Click();
    void InZwischenablagekonstanterMassstab1Click();
    void InZwischenablagealsMeta1Click();
    void ExportalsBitmap1Click();
    void ExportalsBitmpakonstanterMassstab1Click();
    void OptimierteHhebreite1Click(bool checked);
    void Druckereinrichtung1Click();
    void Fensterdrucken1Click();
    void FensterdruckenBitmap1Click();
    void Druckvorschau1Click();

private:
    OutputDrawing drawing() const;
    // Asks the save dialog for a bitmap name; empty on cancel. The picture
    // is no document: the document name stays, so that "Speichern" goes on
    // saving the window.
    QString askBitmapName();

    EditorDocument& m_document;
    DrawingArea& m_area;
    PictureSource& m_pictures;
    ChooseFileToSave m_chooseFileToSave;
    QWidget& m_window;
    Surroundings m_surroundings;
    std::unique_ptr<QPrinter> m_printer;
    bool m_optimizedSize = true;
};

// Puts data on the system clipboard and checks that the clipboard holds
// every format of it afterwards; throws std::runtime_error otherwise.
void PutOnSystemClipboard(std::unique_ptr<QMimeData> data);

} // namespace fenster
