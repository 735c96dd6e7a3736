#pragma once

#include "CommandLine.h"
#include "Preferences.h"

#include "VandlForm.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QFileDialog;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPainter;
class QPushButton;
class QStatusBar;
class QVBoxLayout;

namespace fenster {

class TFenster;
class PictureFiles;
class TPaintBox;
class TArrowPair;

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
// ".pdf", else "help/Handbuch.pdf", else the maker's web site.
QUrl HelpTarget(const QString& programFolder, const QString& languageCode);

// The outcome of a render-only run, as the process reports it.
enum class RunOutcome {
    Running,
    Done, // exit 0
    Failed, // exit 2: the host file could not be read, was no description, or the bitmap not written
    DataFileError, // exit 137 after "Fehler in Datendatei!"
};

// The editor's main window. It owns the window model, the three document
// texts (description, symbol list, dimension line list) and the editor
// state, and serves a host program through the command line.
class TFenstereditor : public TVANDLFORM {
    Q_OBJECT
public:
    explicit TFenstereditor(EditorStartup startup, QWidget* parent = nullptr);
    ~TFenstereditor() override;

    RunMode runMode() const { return m_runMode; }
    RunOutcome outcome() const { return m_outcome; }
    // The process exit code the run asks for.
    int exitCode() const;

    // The document texts. Setting an empty description replaces the model by
    // the default window and writes its description.
    const QString& Memo1() const { return m_memo1; }
    const QString& Memo2() const { return m_memo2; }
    const QString& Memo3() const { return m_memo3; }
    void setMemo1(const QString& text);
    void setMemo2(const QString& text) { m_memo2 = text; }
    void setMemo3(const QString& text) { m_memo3 = text; }

    const TFenster& model() const { return *m_model; }
    int SelectedRow = 1;
    int SelectedField = 1;
    int SelectedSymbol = -1;
    bool PanelUpdating = false;

    const QString& hostFile() const { return m_hostFile; }
    const QString& documentName() const { return m_documentName; }
    const QString& programFolder() const { return m_programFolder; }
    const QString& symbolFolder() const { return m_symbolFolder; }
    double constantScale() const { return m_constantScale; }
    const Preferences& preferences() const { return m_preferences; }
    const QFont& drawingFont() const { return m_drawingFont; }
    bool edgeDimensionsShown() const;
    int leftMargin() const { return m_leftMargin; }
    int bottomMargin() const { return m_bottomMargin; }

    // The round trip of every edit.
    void SelectField();
    void RepaintDrawing();
    void RefreshPanel();
    void UpdateAll();

    // The screen drawing of the drawing area.
    void DrawScreen(QPainter& painter);

    // The window drawn afresh at mmPerPixel millimetres per pixel, cropped
    // to its content. Throws DataFileError on a bad field width,
    // AnnotationListError on a bad list, std::runtime_error on a scale that
    // gives no or an absurdly large picture.
    QImage RenderConstantScale(double mmPerPixel);
    // The constant-scale picture saved as a 24-bit BMP file. The old file is
    // replaced only when the new one is complete.
    void ExportConstantScale(const QString& fileName);

    // Host bar.
    void BitBtn1Click(); // "OK"
    void FensterEntfernenClick(); // "Entfernen"
    void BitBtn2Click(); // "Abbrechen"

    // Commands of the menu.
    void Beenden1Click();
    void massanzeigenClick();
    void OptimierteHhebreite1Click();
    void InZwischenablagekonstanterMassstab1Click();
    void ExportalsBitmpakonstanterMassstab1Click();
    void Aktuelleeinstellungenspeichern1Click();
    void Einstellungenneuladen1Click();
    void Rcksetzen1Click();
    void OnlineHilfe1Click();

    QMenuBar* mainMenu() const { return m_mainMenu; }
    QMenu* symbolMenu() const { return m_symbolMenu; }
    QMenu* standardWindowMenu() const { return m_standardWindowMenu; }
    QStatusBar* StatusBar1 = nullptr;
    QLabel* statusPosition = nullptr;
    QLabel* statusPrompt = nullptr;
    QFrame* PanelEdit = nullptr;
    QFrame* PanelTuerImages = nullptr;
    QFrame* PanelPaintbox = nullptr;
    QFrame* PanelFensterImages = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    QFrame* Panel4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* FensterEntfernen = nullptr;
    QPushButton* BitBtn2 = nullptr;
    TArrowPair* HoeheSpin = nullptr;
    TArrowPair* BreiteSpin = nullptr;

    void BuildStandardWindowMenu();
    void ShowModeStatus();

protected:
    void FormShow() override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createPanels();
    void createStatusBar();
    void buildSymbolMenu();

    void FirstShow();
    bool openHostFile();
    void finishRenderOnly(RunOutcome outcome, const QString& message);

    // Runs a command so that no exception reaches Qt's event loop: a failure
    // is reported and the program goes on.
    template <class Command>
    void guarded(Command&& command);
    void ReportError(const QString& message);
    // Reports a drawing error once for each new text that caused it.
    void reportDrawingError(QString& lastReported, const QString& cause, const QString& message);

    void ApplyPreferences(const Preferences& preferences);
    void LoadPreferencesFromStore();
    void SavePreferencesToStore();
    bool headless() const;

    EditorStartup m_startup;
    RunMode m_runMode = RunMode::Normal;
    RunOutcome m_outcome = RunOutcome::Running;
    std::unique_ptr<TFenster> m_model;
    std::unique_ptr<PictureFiles> m_pictures;
    QString m_memo1;
    QString m_memo2;
    QString m_memo3;
    QString m_programFolder;
    QString m_symbolFolder;
    QString m_hostFile;
    QString m_documentName;
    double m_constantScale = 5.0;
    int m_leftMargin = 20;
    int m_bottomMargin = 0;
    int m_mouseMode = 0;
    bool m_firstShowPending = true;
    Preferences m_preferences;
    QFont m_drawingFont;
    QString m_reportedDescriptionError;
    QString m_reportedDimensionListError;
    QString m_reportedSymbolListError;

    QVBoxLayout* m_rootLayout = nullptr;
    QMenuBar* m_mainMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    QMenu* m_standardWindowMenu = nullptr;
    QFileDialog* SaveDialog1 = nullptr;

public:
    // Menu items, named after their commands.
    QAction* Neu1 = nullptr;
    QAction* Laden1 = nullptr;
    QAction* Speichern1 = nullptr;
    QAction* Speichernunter1 = nullptr;
    QAction* InZwischenablage1 = nullptr;
    QAction* InZwischenablagekonstanterMassstab1 = nullptr;
    QAction* InZwischenablagealsMeta1 = nullptr;
    QAction* ExportalsBitmap1 = nullptr;
    QAction* ExportalsBitmpakonstanterMassstab1 = nullptr;
    QAction* OptimierteHhebreite1 = nullptr;
    QAction* Druckereinrichtung1 = nullptr;
    QAction* Fensterdrucken1 = nullptr;
    QAction* FensterdruckenBitmap1 = nullptr;
    QAction* Aktuelleeinstellungenspeichern1 = nullptr;
    QAction* Einstellungenneuladen1 = nullptr;
    QAction* Rcksetzen1 = nullptr;
    QAction* Beenden1 = nullptr;
    QAction* Fenstermodus1 = nullptr;
    QAction* Bitmapmodus1 = nullptr;
    QAction* Masslinienmodus1 = nullptr;
    QAction* Hlfsvorschau1 = nullptr;
    QAction* massanzeigen = nullptr;
    QAction* FreiBemassung = nullptr;
    QAction* FreieBemassungmitFangen1 = nullptr;
    QAction* FreiBemassungmitFangpunkt1 = nullptr;
    QAction* Masslinielschen1 = nullptr;
    QAction* Mazahleneinstellen1 = nullptr;
    QAction* Symbolmarkieren1 = nullptr;
    QAction* Symbollschen1 = nullptr;
    QAction* Symbolvergrern1 = nullptr;
    QAction* Symbolverkleiner1 = nullptr;
    QAction* Fenstermaendern1 = nullptr;
    QAction* Schrift1 = nullptr;
    QAction* Zeichenfarbe1 = nullptr;
    QAction* RandlinienstaerkePlus1 = nullptr;
    QAction* RandlinienstaerkeMinus1 = nullptr;
    QAction* RandlinienstaerkeStandard1 = nullptr;
    QAction* RahmenSprossenbreite1 = nullptr;
    QAction* Skalierungsfaktor1 = nullptr;
    QAction* Rolladenkasten1 = nullptr;
    QAction* Fensterbankanschlag1 = nullptr;
    QAction* SegmentbogenAnlage1 = nullptr;
    QAction* NeueZeile1 = nullptr;
    QList<QAction*> Standardverglasung;
    QAction* OnlineHilfe1 = nullptr;
    QActionGroup* modeGroup = nullptr;
    QActionGroup* freeDimensionGroup = nullptr;
};

} // namespace fenster
