#pragma once

#include "CommandLine.h"
#include "MouseMode.h"
#include "Preferences.h"

#include "Presets.h"

#include "VandlForm.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QVBoxLayout;

namespace fenster {

class DocumentCommands;
class DrawingArea;
class EditorDocument;
class PreferenceCommands;
class SaveDialog;
class HostSession;
class Interaction;

class MacroCommands;
class PresetCommands;
class ThumbnailPanels;
class Output;
class VectorExportCommands;
class PictureFiles;
class PropertyPanel;

inline constexpr const char* kApplicationTitle = "Korvelan V2 2025";

// What the main window needs from its surroundings; fromProcess gives the
// values of a real run, tests give their own folders and store.
struct EditorStartup {
    QStringList arguments; // process arguments after the program path
    QString programFolder; // with a trailing separator: symbols, standard windows, help
    QString symbolFolder; // where the drawing finds its symbol pictures
    std::shared_ptr<PreferenceStore> preferenceStore;

    static EditorStartup fromProcess(const QStringList& arguments);
};

// A file found in the program folder for a menu: the exact file name and
// the menu caption made from it.
struct ProgramFolderItem {
    QString fileName;
    QString caption;
};

// The files of folder whose extension is extension without regard to letter
// case ("bmp" finds Griff.BMP and tuer.bmp), in name order. The caption is
// the translated name without extensions, with every "&" doubled so that
// the menu shows it as a literal character.
QList<ProgramFolderItem> ListProgramFolder(const QString& folder, const QString& extension);

// What "Online Hilfe" opens: the program folder's "help/Handbuch_" + code +
// ".pdf", else "help/Handbuch.pdf", else the installed documentation's
// "Handbuch.md" (../doc/fensterdaten/ from the program folder); empty when
// none of them is there.
QUrl HelpTarget(const QString& programFolder, const QString& languageCode);

// The editor's main window: it creates the document, the parts and the
// menu, connects them, and hands every command to the part that does it.
class TFenstereditor : public TVANDLFORM {
    Q_OBJECT
public:
    explicit TFenstereditor(EditorStartup startup, QWidget* parent = nullptr);
    ~TFenstereditor() override;

    // The whole run and its exit code: a render-only run writes its picture
    // without ever showing the window; every other run shows it and runs
    // the event loop until it closes.
    int run();

    EditorDocument& document() const { return *m_document; }
    HostSession& host() const { return *m_host; }
    DrawingArea& drawingArea() const { return *PaintBox1; }
    PropertyPanel& propertyPanel() const { return *m_panel; }
    // The menu command named objectName (its handler's name without
    // "Click"), or null.
    QAction* action(const QString& objectName) const;
    QMenuBar* mainMenu() const { return m_mainMenu; }
    QMenu* symbolMenu() const { return m_symbolMenu; }
    QMenu* standardWindowMenu() const { return m_standardWindowMenu; }
    Preferences preferences() const;
    DocumentCommands& documents() const { return *m_documents; }
    PreferenceCommands& preferenceCommands() const { return *m_preferenceCommands; }
    bool edgeDimensionsShown() const;
    MouseMode mouseMode() const;
    Interaction& interaction() const { return *m_interaction; }

    // The round trip of every edit.
    void SelectField();
    void RepaintDrawing();
    void RefreshPanel();
    void UpdateAll();
    void Auswerten1Click();

    // The clipboard, bitmap files and the printer.
    Output& output() const { return *m_output; }
    // The document at a constant scale, cropped (see
    // RenderDocumentConstantScale), and that picture as a BMP file with the
    // window disabled while it is made.
    QImage RenderConstantScale(double mmPerPixel);
    void ExportConstantScale(const QString& fileName);
    // The true-scale sheet and the CAD file.
    VectorExportCommands& vectorExports() const { return *m_vectorExports; }

    void BuildStandardWindowMenu();
    void ShowModeStatus();

    // Host bar.
    void BitBtn1Click(); // "OK"
    void FensterEntfernenClick(); // "Entfernen"
    void BitBtn2Click(); // "Abbrechen"

    // Commands of the menu.
    void Neu1Click();
    void Laden1Click();
    void Speichern1Click();
    void Speichernunter1Click();
    void Rueckgaengig1Click();
    void Wiederherstellen1Click();
    void Schrift1Click();
    void Zeichenfarbe1Click();
    void RandlinienstaerkePlus1Click();
    void RandlinienstaerkeMinus1Click();
    void RandlinienstaerkeStandard1Click();
    void RahmenSprossenbreite1Click();
    void Skalierungsfaktor1Click();
    void Beenden1Click();
    void massanzeigenClick();
    void InZwischenablage1Click();
    void InZwischenablagekonstanterMassstab1Click();
    void InZwischenablagealsMeta1Click();
    void ExportalsBitmap1Click();
    void ExportalsBitmpakonstanterMassstab1Click();
    void ExportalsPDFSVG1Click();
    void ExportalsDXF1Click();
    void OptimierteHhebreite1Click();
    void Druckereinrichtung1Click();
    void Fensterdrucken1Click();
    void FensterdruckenBitmap1Click();
    void Druckvorschau1Click();
    void Aktuelleeinstellungenspeichern1Click();
    void Einstellungenneuladen1Click();
    void Rcksetzen1Click();
    void OnlineHilfe1Click();
    void Hlfsvorschau1Click();

    // Commands of the drawing area's modes, annotations and symbols.
    void Fenstermodus1Click();
    void Bitmapmodus1Click();
    void Masslinienmodus1Click();
    void FreiBemassungClick();
    void FreieBemassungmitFangen1Click();
    void FreiBemassungmitFangpunkt1Click();
    void Masslinielschen1Click();
    void Mazahleneinstellen1Click();
    void Symbollschen1Click();
    void Symbolvergrern1Click();
    void Symbolverkleiner1Click();

    // "Standardverglasung".
    void Kippflgel2Click();
    void RechtsDrehflgel1Click();
    void LinksDrehflgel1Click();
    void RechtsDrehKippflgel1Click();
    void LinksDrehKippflgel1Click();
    void Festverglast1Click();
    void rDrehkipplinks1Click();
    void rDrehkiprechts1Click();
    void rlinks1Click();
    void rrechts1Click();
    void rKipp1Click();
    void LeerfeldWand1Click();

    // "Makros" and "&Fenstermaße ändern".
    void Rolladenkastenhinzufgen1Click();
    void Fensterbankanschlaghinzufgen1Click();
    void SegmentbogenAnlgae1Click();
    void Zeileeinfgen2Click();
    void Berechnungen1Click();

    ThumbnailPanels& thumbnailPanels() const { return *m_thumbnails; }
    // A picture dropped onto the selected field: the preset of the thumbnail
    // it came from runs there. False, changing nothing, for any other picture.
    bool runPresetForPicture(const QImage& picture);

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent* event) override;
    // A window document dropped from a file manager opens like "&Laden";
    // the host modes refuse it, so that a host's file is never swapped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createPanels();
    void createStatusBar();
    void connectParts();
    void buildSymbolMenu();

    void FirstShow();
    void buildThumbnails();
    void applyCommandLine();
    void showReadOnly();
    bool acceptsDroppedDocument(const QMimeData* data) const;
    void logProgramFolder();

    // Runs a command so that no exception reaches Qt's event loop: a failure
    // is reported and the program goes on.
    void guarded(const std::function<void()>& command);
    void ReportError(const QString& message);
    void LockRowControls(bool locked);
    void runPreset(PresetId preset);

    // The caption with the document's file name and the modified marker;
    // the undo commands enabled while there is a step.
    void updateDocumentState();
    DocumentCommands* createDocumentCommands();
    PreferenceCommands* createPreferenceCommands();
    VectorExportCommands* createVectorExportCommands();

    EditorStartup m_startup;
    std::unique_ptr<PictureFiles> m_pictures;
    EditorDocument* m_document = nullptr;
    HostSession* m_host = nullptr;
    ThumbnailPanels* m_thumbnails = nullptr;
    PresetCommands* m_presets = nullptr;
    MacroCommands* m_macros = nullptr;
    Output* m_output = nullptr;
    VectorExportCommands* m_vectorExports = nullptr;
    QString m_programFolder;
    Interaction* m_interaction = nullptr;
    bool m_firstShowPending = true;
    QString m_caption;
    DocumentCommands* m_documents = nullptr;
    PreferenceCommands* m_preferenceCommands = nullptr;
    std::unique_ptr<SaveDialog> m_saveDialog;

    QVBoxLayout* m_rootLayout = nullptr;
    QMenuBar* m_mainMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    QMenu* m_standardWindowMenu = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusPosition = nullptr;
    QLabel* statusPrompt = nullptr;
    PropertyPanel* m_panel = nullptr;
    QFrame* PanelEdit = nullptr; // the property panel
    QFrame* PanelTuerImages = nullptr;
    QFrame* PanelPaintbox = nullptr;
    QFrame* PanelFensterImages = nullptr;
    DrawingArea* PaintBox1 = nullptr;
    QFrame* Panel4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* FensterEntfernen = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QAction* massanzeigen = nullptr;
};

} // namespace fenster
