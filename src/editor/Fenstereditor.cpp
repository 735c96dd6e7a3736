#include "Fenstereditor.h"

#include "ConstantScaleOutput.h"
#include "DocumentCommands.h"
#include "DrawingArea.h"
#include "EditorDocument.h"
#include "FileDialogs.h"
#include "HostSession.h"
#include "Interaction.h"
#include "MacroCommands.h"
#include "MenuShortcuts.h"
#include "PresetCommands.h"
#include "ThumbnailPanels.h"
#include "Output.h"
#include "OutputScope.h"
#include "PropertyPanel.h"
#include "PreferenceCommands.h"
#include "VectorExportCommands.h"

#include "MessageBox.h"
#include "PictureLoader.h"
#include "FileRoutines.h"
#include "Log.h"
#include "ProgramFolder.h"
#include "Translator.h"

#include <QAction>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace fenster {

namespace {

// Set, the start-up benchmark learns of the first frame on screen: the
// editor prints a line to standard error then, and quits when it is "quit".
constexpr const char* kFirstPaintVariable = "FENSTER_FIRST_PAINT";

} // namespace

EditorStartup EditorStartup::fromProcess(const QStringList& arguments)
{
    EditorStartup startup;
    startup.arguments = arguments;
    startup.programFolder = ProgramFolder();
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
        // The installed program folder is <prefix>/share/fensterdaten/; its
        // documentation lies in <prefix>/share/doc/fensterdaten/.
        QDir::cleanPath(programFolder + QStringLiteral("../doc/fensterdaten/Handbuch.md")),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QUrl::fromLocalFile(QFileInfo(candidate).absoluteFilePath());
    }
    return QUrl();
}

TFenstereditor::TFenstereditor(EditorStartup startup, QWidget* parent)
    : TVANDLFORM(parent)
    , m_startup(std::move(startup))
    , m_pictures(std::make_unique<PictureFiles>(m_startup.programFolder))
{
    setObjectName(QStringLiteral("Fenstereditor"));
    m_caption = QStringLiteral("Fensterdaten erstellen");
    if (!m_startup.preferenceStore)
        m_startup.preferenceStore = JsonPreferenceStore::forCurrentUser();
    m_document = new EditorDocument(this);
    m_host = new HostSession(m_startup.arguments, *m_document, this);

    createActions();
    new MenuShortcutsFirst(this);
    createMenus();
    createPanels();
    m_interaction = new Interaction(*m_document, *PaintBox1, this);
    createStatusBar();
    m_thumbnails = new ThumbnailPanels(*PanelFensterImages, *PanelTuerImages, this);
    m_presets = new PresetCommands(*m_document, this);
    m_macros = new MacroCommands(*m_document, this, this);
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
    logProgramFolder();
    ShowModeStatus();
    m_preferenceCommands->Einstellungenneuladen1Click();
    updateDocumentState();
    setAcceptDrops(true);
}

TFenstereditor::~TFenstereditor() = default;

DocumentCommands* TFenstereditor::createDocumentCommands()
{
    DocumentCommands::Hooks hooks;
    hooks.chooseFileToOpen = [this](const QString& startName) {
        return ChooseFileToOpen(this, QStringLiteral("Fenster-Dateien|*.Fnt|Alle Dateien|*.*"), startName);
    };
    hooks.chooseFileToSave = [this](const QString& startName) {
        return m_saveDialog->ask(TranslateText(QStringLiteral(
                                     "Fenster Dateien (*.Fnt)|*.Fnt|Bitmap (*.BMP)|*.BMP|Standardfenster (*.Std)|*.Std|Alle Dateien|*.*")),
            QStringLiteral("Fnt"), startName);
    };
    hooks.confirm = [](const QString& text) { return Confirm(QString(), text) == 1; };
    hooks.askUnsaved = [this] {
        QMessageBox box(QMessageBox::Question, QString::fromLatin1(kApplicationTitle),
            TranslateText(QStringLiteral("Das Fenster wurde geändert. Möchten Sie die Änderungen speichern?")),
            QMessageBox::NoButton, this);
        QPushButton* save = box.addButton(TranslateText(QStringLiteral("Speichern")), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(TranslateText(QStringLiteral("Verwerfen")), QMessageBox::DestructiveRole);
        QPushButton* cancel = box.addButton(TranslateText(QStringLiteral("Abbrechen")), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        box.setEscapeButton(cancel);
        box.exec();
        if (box.clickedButton() == save)
            return DocumentCommands::UnsavedAnswer::Save;
        if (box.clickedButton() == discard)
            return DocumentCommands::UnsavedAnswer::Discard;
        return DocumentCommands::UnsavedAnswer::Cancel;
    };
    hooks.reportError = [this](const QString& message) { ReportError(message); };
    hooks.edgeDimensionsShown = [this] { return edgeDimensionsShown(); };
    hooks.setEdgeDimensionsShown = [this](bool shown) {
        massanzeigen->setChecked(shown);
        massanzeigenClick();
    };
    hooks.switchToWindowMode = [this] { m_interaction->Fenstermodus1Click(); };
    hooks.screenPicture = [this] {
        PaintBox1->repaint();
        return PaintBox1->grab().toImage();
    };
    return new DocumentCommands(*m_document, m_startup.programFolder, std::move(hooks), this);
}

PreferenceCommands* TFenstereditor::createPreferenceCommands()
{
    auto* commands = new PreferenceCommands(*m_document, *PaintBox1, m_startup.preferenceStore,
        PreferenceCommands::standardDialogs(this), this);
    commands->setPanelUpdating([this] { return m_panel->isUpdating(); });
    return commands;
}

VectorExportCommands* TFenstereditor::createVectorExportCommands()
{
    VectorExportCommands::Dialogs dialogs;
    dialogs.chooseFileToSave = [this](const QString& filter, const QString& suffix, const QString& startName) {
        return m_saveDialog->ask(TranslateText(filter), suffix, startName);
    };
    VectorExportCommands::Memory memory;
    memory.read = [this] { return m_preferenceCommands->sheetChoice(); };
    memory.write = [this](const SheetChoice& choice) { m_preferenceCommands->setSheetChoice(choice); };
    return new VectorExportCommands(
        *m_document, *PaintBox1, *m_pictures, *this, std::move(dialogs), std::move(memory), this);
}

void TFenstereditor::connectParts()
{
    m_saveDialog = std::make_unique<SaveDialog>(this);
    m_documents = createDocumentCommands();
    m_output = new Output(*m_document, *PaintBox1, *m_pictures,
        [this](const QString& filter, const QString& suffix, const QString& startName) {
            return m_saveDialog->ask(TranslateText(filter), suffix, startName);
        },
        *this, this);
    m_preferenceCommands = createPreferenceCommands();
    m_vectorExports = createVectorExportCommands();
    connect(m_preferenceCommands, &PreferenceCommands::repaintDrawing, this, &TFenstereditor::RepaintDrawing);
    connect(m_documents, &DocumentCommands::standardWindowsChanged, this, &TFenstereditor::BuildStandardWindowMenu);
    connect(m_document, &EditorDocument::historyChanged, this, &TFenstereditor::updateDocumentState);
    connect(m_document, &EditorDocument::documentNameChanged, this, &TFenstereditor::updateDocumentState);
    // Typing into one edit field is one undo step.
    m_document->setMergeKeySource([this]() -> QString {
        QWidget* focus = QApplication::focusWidget();
        if (!focus || !isAncestorOf(focus))
            return {};
        if (!qobject_cast<QLineEdit*>(focus) && !qobject_cast<QAbstractSpinBox*>(focus))
            return {};
        return focus->objectName().isEmpty() ? QString::number(quintptr(focus), 16) : focus->objectName();
    });
    // The panel refreshes itself on the same announcement.
    connect(m_document, &EditorDocument::changed, this, &TFenstereditor::RepaintDrawing);
    connect(m_panel, &PropertyPanel::totalSizeDoubleClicked, this,
        [this] { guarded([this] { Berechnungen1Click(); }); });
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
    // The drag carries the screen copy the clipboard would get.
    m_interaction->setDragPictureSource([this] {
        OutputScope scope(this);
        return m_output->CopyDrawingToBitmap();
    });
    connect(m_interaction, &Interaction::panelRefreshRequested, this, &TFenstereditor::RefreshPanel);

    if (qEnvironmentVariableIsSet(kFirstPaintVariable))
        PaintBox1->installEventFilter(this);
    connect(m_thumbnails, &ThumbnailPanels::presetChosen, this,
        [this](PresetId preset) { guarded([this, preset] { runPreset(preset); }); });
    // A thumbnail dropped on a field runs its preset there.
    m_interaction->setDropPresetHook([this](const QImage& picture) { return runPresetForPicture(picture); });
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
    m_caption = QString::fromLatin1(kApplicationTitle);
    updateDocumentState();
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
    m_panel->LockRowControls(locked);
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
    m_panel->RefreshPanel();
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
    return m_output->RenderConstantScale(mmPerPixel);
}

void TFenstereditor::ExportConstantScale(const QString& fileName)
{
    m_output->ExportConstantScale(fileName);
}

bool TFenstereditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PaintBox1 && event->type() == QEvent::Paint) {
        PaintBox1->removeEventFilter(this);
        // The frame reaches the screen once this paint and its flush are done.
        QTimer::singleShot(0, this, [] {
            std::fputs("first paint\n", stderr);
            if (qEnvironmentVariable(kFirstPaintVariable) == QLatin1String("quit"))
                QCoreApplication::quit();
        });
    }
    return TVANDLFORM::eventFilter(watched, event);
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

void TFenstereditor::updateDocumentState()
{
    QString title = m_caption;
    if (!m_document->documentName().isEmpty())
        title += QStringLiteral(" - ") + QFileInfo(m_document->documentName()).fileName();
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(m_document->isModified());
    if (QAction* undo = action(QStringLiteral("Rueckgaengig1")))
        undo->setEnabled(m_document->canUndo());
    if (QAction* redo = action(QStringLiteral("Wiederherstellen1")))
        redo->setEnabled(m_document->canRedo());
}

Preferences TFenstereditor::preferences() const
{
    return m_preferenceCommands->preferences();
}

void TFenstereditor::FirstShow()
{
    m_caption = QString::fromLatin1(kApplicationTitle);
    updateDocumentState();
    buildThumbnails();
    applyCommandLine();
    if (!m_host->hostFile().isEmpty()) {
        if (m_host->runMode() == RunMode::HostReadOnly)
            showReadOnly();
        else
            Panel4->show();
        m_host->openHostFile();
        // The host file is the starting point; the host decides what is kept.
        m_document->resetHistory();
    } else if (const QString document = m_host->documentToOpen(); !document.isEmpty()) {
        // "fensterdaten Haus.Fnt": the document opens as "&Laden" opens it,
        // and is where the run starts.
        if (m_documents->OpenDocument(document))
            m_document->resetHistory();
    }
    RefreshPanel();
}

void TFenstereditor::buildThumbnails()
{
    // The thumbnails draw with the engine's own settings switched for them;
    // the screen drawing gets its edge dimensions back afterwards.
    m_thumbnails->build(PaintBox1->options().font);
    massanzeigen->setChecked(true);
    massanzeigenClick();
}

void TFenstereditor::applyCommandLine()
{
    m_document->setConstantScale(m_host->constantScaleAsked().value_or(preferences().Skalierung));
    if (!m_host->hostFile().isEmpty()) {
        massanzeigen->setChecked(m_host->edgeDimensionsAsked());
        massanzeigenClick();
    }
}

void TFenstereditor::showReadOnly()
{
    // The arrow pairs lie on the panel and go with it.
    PanelEdit->hide();
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
    // The host modes end through the host bar and never ask.
    bool mayClose = true;
    if (m_host->runMode() == RunMode::Normal && !m_firstShowPending)
        guarded([this, &mayClose] { mayClose = m_documents->mayClose(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    m_preferenceCommands->Aktuelleeinstellungenspeichern1Click();
    TVANDLFORM::closeEvent(event);
}

void TFenstereditor::logProgramFolder()
{
    // Where an installed program found its own files, for whoever reads
    // the log after a menu came up empty.
    const QList<QAction*> symbolItems = m_symbolMenu->actions();
    const auto symbols = std::count_if(symbolItems.begin(), symbolItems.end(),
        [](const QAction* item) { return !item->data().toString().isEmpty(); });
    LogLine(QStringLiteral("Programmordner: %1 (%2 Symbole, %3 Standardfenster)")
                .arg(m_programFolder)
                .arg(symbols)
                .arg(m_standardWindowMenu->actions().size()));
}

bool TFenstereditor::acceptsDroppedDocument(const QMimeData* data) const
{
    return data && m_host->runMode() == RunMode::Normal && !DroppedDocument(*data).isEmpty();
}

void TFenstereditor::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsDroppedDocument(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TFenstereditor::dragMoveEvent(QDragMoveEvent* event)
{
    if (!acceptsDroppedDocument(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TFenstereditor::dropEvent(QDropEvent* event)
{
    if (!acceptsDroppedDocument(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QString document = DroppedDocument(*event->mimeData());
    // The file manager waits for the drop to end: the document (and any
    // error box about it) comes once the event loop is back.
    QTimer::singleShot(0, this, [this, document] { guarded([this, document] { m_documents->OpenDocument(document); }); });
}

// ---------------------------------------------------------------------------
// Commands

void TFenstereditor::Neu1Click()
{
    m_documents->Neu1Click();
}

void TFenstereditor::Laden1Click()
{
    m_documents->Laden1Click();
}

void TFenstereditor::Speichern1Click()
{
    m_documents->Speichern1Click();
}

void TFenstereditor::Speichernunter1Click()
{
    m_documents->Speichernunter1Click();
}

void TFenstereditor::Rueckgaengig1Click()
{
    m_document->undo();
}

void TFenstereditor::Wiederherstellen1Click()
{
    m_document->redo();
}

void TFenstereditor::Schrift1Click()
{
    m_preferenceCommands->Schrift1Click();
}

void TFenstereditor::Zeichenfarbe1Click()
{
    m_preferenceCommands->Zeichenfarbe1Click();
}

void TFenstereditor::RandlinienstaerkePlus1Click()
{
    m_preferenceCommands->RandlinienstaerkePlus1Click();
}

void TFenstereditor::RandlinienstaerkeMinus1Click()
{
    m_preferenceCommands->RandlinienstaerkeMinus1Click();
}

void TFenstereditor::RandlinienstaerkeStandard1Click()
{
    m_preferenceCommands->RandlinienstaerkeStandard1Click();
}

void TFenstereditor::RahmenSprossenbreite1Click()
{
    m_preferenceCommands->RahmenSprossenbreite1Click();
}

void TFenstereditor::Skalierungsfaktor1Click()
{
    m_preferenceCommands->Skalierungsfaktor1Click();
}

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

void TFenstereditor::InZwischenablage1Click()
{
    m_output->InZwischenablage1Click();
}

void TFenstereditor::InZwischenablagekonstanterMassstab1Click()
{
    m_output->InZwischenablagekonstanterMassstab1Click();
}

void TFenstereditor::InZwischenablagealsMeta1Click()
{
    m_output->InZwischenablagealsMeta1Click();
}

void TFenstereditor::ExportalsBitmap1Click()
{
    m_output->ExportalsBitmap1Click();
}

void TFenstereditor::ExportalsBitmpakonstanterMassstab1Click()
{
    m_output->ExportalsBitmpakonstanterMassstab1Click();
}

void TFenstereditor::ExportalsPDFSVG1Click()
{
    m_vectorExports->ExportalsPDFSVG1Click();
}

void TFenstereditor::ExportalsDXF1Click()
{
    m_vectorExports->ExportalsDXF1Click();
}

void TFenstereditor::OptimierteHhebreite1Click()
{
    // The action has already toggled its own check mark.
    m_output->OptimierteHhebreite1Click(action(QStringLiteral("OptimierteHhebreite1"))->isChecked());
}

void TFenstereditor::Druckereinrichtung1Click()
{
    m_output->Druckereinrichtung1Click();
}

void TFenstereditor::Fensterdrucken1Click()
{
    m_output->Fensterdrucken1Click();
}

void TFenstereditor::FensterdruckenBitmap1Click()
{
    m_output->FensterdruckenBitmap1Click();
}

void TFenstereditor::Druckvorschau1Click()
{
    m_output->Druckvorschau1Click();
}

void TFenstereditor::Aktuelleeinstellungenspeichern1Click()
{
    m_preferenceCommands->Aktuelleeinstellungenspeichern1Click();
}

void TFenstereditor::Einstellungenneuladen1Click()
{
    m_preferenceCommands->Einstellungenneuladen1Click();
}

void TFenstereditor::Rcksetzen1Click()
{
    m_preferenceCommands->Rcksetzen1Click();
}

void TFenstereditor::OnlineHilfe1Click()
{
    const QUrl target = HelpTarget(m_programFolder, OsLanguageCode());
    if (target.isEmpty()) {
        ReportError(TranslateFormat(QStringLiteral("Das Handbuch ist nicht installiert (%s)."), { m_programFolder }));
        return;
    }
    if (!QDesktopServices::openUrl(target))
        ReportError(TranslateFormat(QStringLiteral("%s kann nicht geöffnet werden."), { target.toDisplayString() }));
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
void TFenstereditor::Hlfsvorschau1Click()
{
    // The action has already toggled its own check mark.
    m_thumbnails->setPanelsVisible(action(QStringLiteral("Hlfsvorschau1"))->isChecked());
}

// ---------------------------------------------------------------------------
// Presets and macros

void TFenstereditor::runPreset(PresetId preset)
{
    if (const auto error = m_presets->run(preset))
        ReportError(*error);
}

bool TFenstereditor::runPresetForPicture(const QImage& picture)
{
    const auto preset = m_thumbnails->presetForPicture(picture);
    if (preset)
        guarded([this, preset] { runPreset(*preset); });
    return preset.has_value();
}

void TFenstereditor::Kippflgel2Click() { runPreset(PresetId::Kippfluegel); }
void TFenstereditor::RechtsDrehflgel1Click() { runPreset(PresetId::RechtsDrehfluegel); }
void TFenstereditor::LinksDrehflgel1Click() { runPreset(PresetId::LinksDrehfluegel); }
void TFenstereditor::RechtsDrehKippflgel1Click() { runPreset(PresetId::RechtsDrehKippfluegel); }
void TFenstereditor::LinksDrehKippflgel1Click() { runPreset(PresetId::LinksDrehKippfluegel); }
void TFenstereditor::Festverglast1Click() { runPreset(PresetId::Festverglast); }
void TFenstereditor::rDrehkipplinks1Click() { runPreset(PresetId::TuerDrehkippLinks); }
void TFenstereditor::rDrehkiprechts1Click() { runPreset(PresetId::TuerDrehkippRechts); }
void TFenstereditor::rlinks1Click() { runPreset(PresetId::TuerLinks); }
void TFenstereditor::rrechts1Click() { runPreset(PresetId::TuerRechts); }
void TFenstereditor::rKipp1Click() { runPreset(PresetId::TuerKipp); }
void TFenstereditor::LeerfeldWand1Click() { runPreset(PresetId::LeerfeldWand); }

void TFenstereditor::Rolladenkastenhinzufgen1Click() { m_macros->Rolladenkastenhinzufgen1Click(); }
void TFenstereditor::Fensterbankanschlaghinzufgen1Click() { m_macros->Fensterbankanschlaghinzufgen1Click(); }
void TFenstereditor::SegmentbogenAnlgae1Click() { m_macros->SegmentbogenAnlgae1Click(); }
void TFenstereditor::Zeileeinfgen2Click() { m_macros->Zeileeinfgen2Click(); }
void TFenstereditor::Berechnungen1Click() { m_macros->Berechnungen1Click(); }

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
