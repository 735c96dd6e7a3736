#include "Fenstereditor.h"

#include "ConstantScaleOutput.h"
#include "DrawingArea.h"
#include "EditorDocument.h"
#include "HostSession.h"
#include "Interaction.h"
#include "OutputScope.h"

#include "PictureLoader.h"
#include "FileRoutines.h"
#include "Log.h"
#include "Translator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace fenster {

namespace {

constexpr const char* kMakerWebSite = "https://www.vandl.de/";

} // namespace

EditorStartup EditorStartup::fromProcess(const QStringList& arguments)
{
    EditorStartup startup;
    startup.arguments = arguments;
    startup.programFolder = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    startup.symbolFolder = QDir::currentPath();
    startup.preferenceStore = JsonPreferenceStore::forCurrentUser();
    return startup;
}

QList<ProgramFolderItem> ListProgramFolder(const QString& folder, const QString& extension)
{
    QDir dir(folder);
    const QStringList names = dir.entryList({ QStringLiteral("*.") + extension },
        QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    QList<ProgramFolderItem> items;
    for (const QString& name : names) {
        // The pattern is matched without regard to case; the extension must
        // be exactly the one asked for, not merely end with it.
        if (QFileInfo(name).suffix().compare(extension, Qt::CaseInsensitive) != 0)
            continue;
        QString caption = TranslateText(FileNameWithoutExtensions(name));
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        items.append({ name, caption });
    }
    return items;
}

QUrl HelpTarget(const QString& programFolder, const QString& languageCode)
{
    const QString candidates[] = {
        programFolder + QStringLiteral("help/Handbuch_") + languageCode + QStringLiteral(".pdf"),
        programFolder + QStringLiteral("help/Handbuch.pdf"),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QUrl::fromLocalFile(candidate);
    }
    return QUrl(QString::fromLatin1(kMakerWebSite));
}

TFenstereditor::TFenstereditor(EditorStartup startup, QWidget* parent)
    : TVANDLFORM(parent)
    , m_startup(std::move(startup))
    , m_pictures(std::make_unique<PictureFiles>(m_startup.programFolder))
{
    setObjectName(QStringLiteral("Fenstereditor"));
    setWindowTitle(QStringLiteral("Fensterdaten erstellen"));
    if (!m_startup.preferenceStore)
        m_startup.preferenceStore = JsonPreferenceStore::forCurrentUser();
    m_document = new EditorDocument(this);
    m_host = new HostSession(m_startup.arguments, *m_document, this);

    createActions();
    createMenus();
    createPanels();
    m_interaction = new Interaction(*m_document, *PaintBox1, this);
    createStatusBar();
    connectParts();

    resize(1084, 744);
    setMinimumSize(640, 542);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Screen fitting and the translation of every caption.
    FormCreate();

    m_programFolder = m_startup.programFolder;
    LogLine(QStringLiteral("OS Sprache: ") + OsLanguageCode());
    PaintBox1->setSymbolFolder(m_startup.symbolFolder);
    m_document->setSelection(1, 1);
    m_document->UpdateAll();
    buildSymbolMenu();
    BuildStandardWindowMenu();
    ShowModeStatus();
    LoadPreferencesFromStore();
}

TFenstereditor::~TFenstereditor() = default;

void TFenstereditor::connectParts()
{
    connect(m_document, &EditorDocument::changed, this, [this] {
        RepaintDrawing();
        RefreshPanel();
    });
    // Never from inside a paint event: the box would paint over a half-drawn window.
    connect(PaintBox1, &DrawingArea::drawingError, this, &TFenstereditor::ReportError, Qt::QueuedConnection);

    m_interaction->setModeActions({ action(QStringLiteral("Fenstermodus1")), action(QStringLiteral("Bitmapmodus1")),
        action(QStringLiteral("Symbolmarkieren1")), action(QStringLiteral("Masslinienmodus1")) });
    // The status panels keep their names; what they show is their description,
    // so that assistive technology reads the readout and the prompt.
    for (const auto& [signal, panel] : { std::pair { &Interaction::positionChanged, statusPosition },
             std::pair { &Interaction::promptChanged, statusPrompt } }) {
        QLabel* label = panel;
        connect(m_interaction, signal, label, [label](const QString& text) {
            label->setText(text);
            label->setAccessibleDescription(text);
        });
    }
    connect(m_interaction, &Interaction::rowControlsLocked, this, &TFenstereditor::LockRowControls);
    connect(m_interaction, &Interaction::panelRefreshRequested, this, &TFenstereditor::RefreshPanel);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    connect(FensterEntfernen, &QPushButton::clicked, this, [this] { guarded([this] { FensterEntfernenClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn2Click(); }); });
}

int TFenstereditor::run()
{
    if (m_host->runMode() != RunMode::RenderOnly) {
        show();
        const int code = QApplication::exec();
        return m_host->exitCode() != 0 ? m_host->exitCode() : code;
    }
    // The picture comes straight from the document; the window is never
    // shown, so nothing waits for a screen or a person.
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    applyCommandLine();
    // The constant-scale picture keeps the margins the screen drawing sets.
    m_document->setMargins(1, 1);
    m_host->runRenderOnly([this](const QString& outFile) { ExportConstantScale(outFile); });
    close();
    return m_host->exitCode();
}

bool TFenstereditor::edgeDimensionsShown() const
{
    return massanzeigen->isChecked();
}

MouseMode TFenstereditor::mouseMode() const
{
    return m_interaction->mouseMode();
}

void TFenstereditor::ShowModeStatus()
{
    m_interaction->ShowModeStatus();
}

void TFenstereditor::LockRowControls(bool locked)
{
    // FIXME: the property panel's row group locks with the arrows once it exists.
    HoeheSpin->setEnabled(!locked);
}

// ---------------------------------------------------------------------------
// The round trip

void TFenstereditor::SelectField()
{
    m_document->SelectField();
}

void TFenstereditor::RepaintDrawing()
{
    QPalette palette = PanelPaintbox->palette();
    palette.setColor(QPalette::Window, Qt::white);
    PanelPaintbox->setPalette(palette);
    PaintBox1->invalidateDrawing();
    PaintBox1->update();
}

void TFenstereditor::RefreshPanel()
{
    PanelUpdating = true;
    SelectField();
    // FIXME: the property panel's controls are filled here once they exist.
    PanelUpdating = false;
}

void TFenstereditor::UpdateAll()
{
    m_document->UpdateAll();
}

void TFenstereditor::Auswerten1Click()
{
    if (const auto error = m_document->Auswerten1Click())
        ReportError(*error);
}

QImage TFenstereditor::RenderConstantScale(double mmPerPixel)
{
    return RenderDocumentConstantScale(*m_document, PaintBox1->options(), *m_pictures, mmPerPixel);
}

void TFenstereditor::ExportConstantScale(const QString& fileName)
{
    OutputScope scope(this);
    ExportDocumentConstantScale(*m_document, PaintBox1->options(), *m_pictures, fileName);
}

// ---------------------------------------------------------------------------
// Start-up and host mode

void TFenstereditor::FormShow()
{
    TVANDLFORM::FormShow();
    if (!m_firstShowPending)
        return;
    m_firstShowPending = false;
    // The first-showing steps run from the event loop, once the window is up.
    QTimer::singleShot(0, this, [this] { guarded([this] { FirstShow(); }); });
}

void TFenstereditor::FirstShow()
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    // FIXME: the preset thumbnail panels are built here once they exist.
    applyCommandLine();
    if (!m_host->hostFile().isEmpty()) {
        if (m_host->runMode() == RunMode::HostReadOnly)
            showReadOnly();
        else
            Panel4->show();
        m_host->openHostFile();
    }
    RefreshPanel();
}

void TFenstereditor::applyCommandLine()
{
    m_document->setConstantScale(m_host->constantScaleAsked().value_or(m_preferences.Skalierung));
    if (!m_host->hostFile().isEmpty()) {
        massanzeigen->setChecked(m_host->edgeDimensionsAsked());
        massanzeigenClick();
    }
}

void TFenstereditor::showReadOnly()
{
    PanelEdit->hide();
    BreiteSpin->hide();
    HoeheSpin->hide();
    // Without the main menu no shortcut is left either.
    for (QAction* command : findChildren<QAction*>())
        command->setShortcut(QKeySequence());
    m_rootLayout->setMenuBar(nullptr);
    delete m_mainMenu;
    m_mainMenu = nullptr;
}

void TFenstereditor::BitBtn1Click()
{
    m_host->BitBtn1Click();
}

void TFenstereditor::FensterEntfernenClick()
{
    m_host->FensterEntfernenClick();
}

void TFenstereditor::BitBtn2Click()
{
    close();
}

void TFenstereditor::closeEvent(QCloseEvent* event)
{
    SavePreferencesToStore();
    TVANDLFORM::closeEvent(event);
}

// ---------------------------------------------------------------------------
// Commands

void TFenstereditor::Beenden1Click()
{
    close();
}

void TFenstereditor::massanzeigenClick()
{
    // The action has already toggled its own check mark.
    PaintBox1->setEdgeDimensions(edgeDimensionsShown() ? EdgeDimensions::On : EdgeDimensions::Off);
    RepaintDrawing();
}

void TFenstereditor::OptimierteHhebreite1Click()
{
    // The check mark is read by the next screen copy.
}

void TFenstereditor::InZwischenablagekonstanterMassstab1Click()
{
    OutputScope scope;
    QGuiApplication::clipboard()->setImage(RenderConstantScale(m_document->constantScale()));
}

void TFenstereditor::ExportalsBitmpakonstanterMassstab1Click()
{
    if (!SaveDialog1) {
        SaveDialog1 = new QFileDialog(this);
        SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
        SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    SaveDialog1->setDefaultSuffix(QStringLiteral("BMP"));
    SaveDialog1->setNameFilter(QStringLiteral("Bitmap (*.BMP *.bmp)"));
    if (!m_document->documentName().isEmpty())
        SaveDialog1->selectFile(m_document->documentName());
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    m_document->setDocumentName(SaveDialog1->selectedFiles().constFirst());
    ExportConstantScale(m_document->documentName());
}

void TFenstereditor::Aktuelleeinstellungenspeichern1Click()
{
    SavePreferencesToStore();
}

void TFenstereditor::Einstellungenneuladen1Click()
{
    LoadPreferencesFromStore();
}

void TFenstereditor::Rcksetzen1Click()
{
    ApplyPreferences(ResetPreferences());
}

void TFenstereditor::OnlineHilfe1Click()
{
    const QUrl target = HelpTarget(m_programFolder, OsLanguageCode());
    if (!QDesktopServices::openUrl(target))
        ReportError(QStringLiteral("%1 kann nicht geöffnet werden.").arg(target.toDisplayString()));
}

void TFenstereditor::Fenstermodus1Click() { m_interaction->Fenstermodus1Click(); }
void TFenstereditor::Bitmapmodus1Click() { m_interaction->Bitmapmodus1Click(); }
void TFenstereditor::Masslinienmodus1Click() { m_interaction->Masslinienmodus1Click(); }
void TFenstereditor::FreiBemassungClick() { m_interaction->FreiBemassungClick(); }
void TFenstereditor::FreieBemassungmitFangen1Click() { m_interaction->FreieBemassungmitFangen1Click(); }
void TFenstereditor::FreiBemassungmitFangpunkt1Click() { m_interaction->FreiBemassungmitFangpunkt1Click(); }
void TFenstereditor::Masslinielschen1Click() { m_interaction->Masslinielschen1Click(); }
void TFenstereditor::Mazahleneinstellen1Click() { m_interaction->Mazahleneinstellen1Click(); }
void TFenstereditor::Symbollschen1Click() { m_interaction->Symbollschen1Click(); }
void TFenstereditor::Symbolvergrern1Click() { m_interaction->Symbolvergrern1Click(); }
void TFenstereditor::Symbolverkleiner1Click() { m_interaction->Symbolverkleiner1Click(); }

// ---------------------------------------------------------------------------
// Preferences

void TFenstereditor::ApplyPreferences(const Preferences& preferences)
{
    m_preferences = preferences;
    Settings() = preferences.drawing;
    QFont font(preferences.fontName);
    font.setPointSize(preferences.fontSize > 0 ? preferences.fontSize : 8);
    PaintBox1->setDrawingFont(font);
}

void TFenstereditor::LoadPreferencesFromStore()
{
    ApplyPreferences(LoadPreferences(*m_startup.preferenceStore));
    RepaintDrawing();
}

void TFenstereditor::SavePreferencesToStore()
{
    // The drawing settings may have been changed by commands since loading.
    m_preferences.drawing = Settings();
    m_preferences.fontName = PaintBox1->options().font.family();
    m_preferences.fontSize = PaintBox1->options().font.pointSize();
    SavePreferences(*m_startup.preferenceStore, m_preferences);
}

// ---------------------------------------------------------------------------
// Errors

void TFenstereditor::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        ReportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ReportError(QStringLiteral("Unbekannter Fehler"));
    }
}

void TFenstereditor::ReportError(const QString& message)
{
    LogLine(QStringLiteral("Fehler: ") + message);
    // A render-only run answers on standard error; no box ever waits there.
    if (m_host->runMode() == RunMode::RenderOnly)
        return;
    QMessageBox::critical(this, QString::fromLatin1(kApplicationTitle), message);
}

} // namespace fenster
