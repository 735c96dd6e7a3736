#include "Fenstereditor.h"

#include "DrawingArea.h"
#include "TextFiles.h"

#include "AnnotationLists.h"
#include "ConstantScale.h"
#include "Description.h"
#include "Engine.h"
#include "PictureLoader.h"
#include "QtCanvas.h"
#include "RecordingCanvas.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "Log.h"
#include "Translator.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace fenster {

namespace {

constexpr int kPanelEditWidth = 337;
constexpr int kHostBarHeight = 44;
constexpr const char* kMakerWebSite = "https://www.vandl.de/";

QString Utf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string Utf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

// A description made of blanks (the host's removal marker) or nothing is not
// drawn: the drawing area stays empty.
bool IsBlankText(const QString& text)
{
    return text.trimmed().isEmpty();
}

// False when the drawing engine rejects the description (a field width
// that is not a number).
bool DrawingAccepts(const QString& description)
{
    RecordingCanvas canvas;
    try {
        DrawWindow(canvas, 0, 0, 100, 100, Utf8(description), EdgeDimensions::Off, -1, -1, 0);
    } catch (const DataFileError&) {
        return false;
    }
    return true;
}

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
    , m_model(std::make_unique<TFenster>())
    , m_pictures(std::make_unique<PictureFiles>(m_startup.programFolder))
{
    setObjectName(QStringLiteral("Fenstereditor"));
    setWindowTitle(QStringLiteral("Fensterdaten erstellen"));
    if (!m_startup.preferenceStore)
        m_startup.preferenceStore = JsonPreferenceStore::forCurrentUser();
    m_runMode = DecideRunMode(m_startup.arguments);

    createActions();
    createMenus();
    createPanels();
    createStatusBar();

    resize(1084, 744);
    setMinimumSize(640, 542);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // Screen fitting and the translation of every caption.
    FormCreate();

    m_programFolder = m_startup.programFolder;
    LogLine(QStringLiteral("OS Sprache: ") + OsLanguageCode());
    m_symbolFolder = m_startup.symbolFolder;
    SelectedRow = 1;
    SelectedField = 1;
    m_memo1 = Utf8(WriteDescription(*m_model, SelectedRow, SelectedField));
    RepaintDrawing();
    buildSymbolMenu();
    BuildStandardWindowMenu();
    ShowModeStatus();
    LoadPreferencesFromStore();
}

TFenstereditor::~TFenstereditor() = default;

int TFenstereditor::exitCode() const
{
    switch (m_outcome) {
    case RunOutcome::Failed:
        return 2;
    case RunOutcome::DataFileError:
        return 137;
    case RunOutcome::Running:
    case RunOutcome::Done:
        break;
    }
    return 0;
}

bool TFenstereditor::edgeDimensionsShown() const
{
    return massanzeigen->isChecked();
}

// ---------------------------------------------------------------------------
// Layout

void TFenstereditor::createActions()
{
    // Every command that this program does not carry out yet stays disabled,
    // so that nothing pretends to work.
    const auto make = [this](const char* objectName, const char* caption, QKeySequence shortcut = {}) {
        auto* action = new QAction(QString::fromUtf8(caption), this);
        action->setObjectName(QLatin1String(objectName));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        return action;
    };
    const auto enable = [this](QAction* action, void (TFenstereditor::*handler)()) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };

    Neu1 = make("Neu1", "&Neu", QKeySequence(Qt::SHIFT | Qt::Key_F2));
    Laden1 = make("Laden1", "&Laden", QKeySequence(Qt::CTRL | Qt::Key_O));
    Speichern1 = make("Speichern1", "&Speichern", QKeySequence(Qt::CTRL | Qt::Key_S));
    Speichernunter1 = make("Speichernunter1", "Speichern &unter...");
    InZwischenablage1 = make("InZwischenablage1", "In &Zwischenablage", QKeySequence(Qt::CTRL | Qt::Key_C));
    InZwischenablagekonstanterMassstab1 = make("InZwischenablagekonstanterMassstab1",
        "In Zwischenablage konstanter Massstab", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    InZwischenablagealsMeta1 = make("InZwischenablagealsMeta1", "In Zwischenablage (als &Meta)");
    ExportalsBitmap1 = make("ExportalsBitmap1", "Export als Bitmap");
    ExportalsBitmpakonstanterMassstab1 = make("ExportalsBitmpakonstanterMassstab1",
        "Export als Bitmap konstanter Massstab", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_B));
    OptimierteHhebreite1 = make("OptimierteHhebreite1", "Optimierte Höhe/Breite");
    OptimierteHhebreite1->setCheckable(true);
    OptimierteHhebreite1->setChecked(true);
    Druckereinrichtung1 = make("Druckereinrichtung1", "Drucker&einrichtung");
    Fensterdrucken1 = make("Fensterdrucken1", "Fenster &drucken", QKeySequence(Qt::CTRL | Qt::Key_P));
    FensterdruckenBitmap1 = make("FensterdruckenBitmap1", "Fenster drucken (als &Bitmap)");
    Aktuelleeinstellungenspeichern1 = make("Aktuelleeinstellungenspeichern1", "Aktuelle Einstellungen speichern");
    Einstellungenneuladen1 = make("Einstellungenneuladen1", "Einstellungen neu laden");
    Rcksetzen1 = make("Rcksetzen1", "Rücksetzen auf Voreinstellung");
    Beenden1 = make("Beenden1", "&Beenden");

    Fenstermodus1 = make("Fenstermodus1", "&Fenstermodus", QKeySequence(Qt::CTRL | Qt::Key_F1));
    Bitmapmodus1 = make("Bitmapmodus1", "&Symbolmodus", QKeySequence(Qt::CTRL | Qt::Key_F2));
    Masslinienmodus1 = make("Masslinienmodus1", "&Maßlinienmodus", QKeySequence(Qt::CTRL | Qt::Key_F3));
    modeGroup = new QActionGroup(this);
    for (QAction* action : { Fenstermodus1, Bitmapmodus1, Masslinienmodus1 }) {
        action->setCheckable(true);
        modeGroup->addAction(action);
    }
    Fenstermodus1->setChecked(true);
    Hlfsvorschau1 = make("Hlfsvorschau1", "Hlfsvorschau", QKeySequence(Qt::CTRL | Qt::Key_H));
    Hlfsvorschau1->setCheckable(true);

    // Ctrl+B belongs to this item alone; "Rahmen/Sprossenbreite" gets none,
    // so that the shortcut is never ambiguous.
    massanzeigen = make("massanzeigen", "&Randbemaßung &anzeigen", QKeySequence(Qt::CTRL | Qt::Key_B));
    massanzeigen->setCheckable(true);
    massanzeigen->setChecked(true);
    FreiBemassung = make("FreiBemassung", "Freie &Bemaßung", QKeySequence(Qt::CTRL | Qt::Key_F));
    FreieBemassungmitFangen1 = make("FreieBemassungmitFangen1", "Freie Bemaßung mit &Fangen vertitikal/horizontal",
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F));
    FreiBemassungmitFangpunkt1 = make("FreiBemassungmitFangpunkt1", "Frei Bemassung mit Fangpunkt");
    Masslinielschen1 = make("Masslinielschen1", "Maßlinie &löschen", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_D));
    freeDimensionGroup = new QActionGroup(this);
    for (QAction* action : { FreiBemassung, FreieBemassungmitFangen1, FreiBemassungmitFangpunkt1, Masslinielschen1 }) {
        action->setCheckable(true);
        freeDimensionGroup->addAction(action);
    }
    Mazahleneinstellen1
        = make("Mazahleneinstellen1", "Maßzahlen &einstellen", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));

    Symbolmarkieren1 = make("Symbolmarkieren1", "Symbol markieren");
    Symbolmarkieren1->setCheckable(true);
    Symbollschen1 = make("Symbollschen1", "Symbol &löschen");
    Symbolvergrern1 = make("Symbolvergrern1", "Symbol vergrößern", QKeySequence(Qt::CTRL | Qt::Key_Z));
    Symbolverkleiner1
        = make("Symbolverkleiner1", "Symbol ver&kleinern", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));

    Fenstermaendern1 = make("Fenstermaendern1", "&Fenstermaße ändern", QKeySequence(Qt::CTRL | Qt::Key_M));
    Schrift1 = make("Schrift1", "Schrift");
    Zeichenfarbe1 = make("Zeichenfarbe1", "&Zeichenfarbe");
    RandlinienstaerkePlus1
        = make("RandlinienstaerkePlus1", "Randlinienstärke +", QKeySequence(Qt::CTRL | Qt::Key_R));
    RandlinienstaerkeMinus1
        = make("RandlinienstaerkeMinus1", "Randlinienstärke -", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    RandlinienstaerkeStandard1 = make("RandlinienstaerkeStandard1", "Randlinienstärke Standard");
    RahmenSprossenbreite1 = make("RahmenSprossenbreite1", "Rahmen/Sprossenbreite");
    Skalierungsfaktor1 = make("Skalierungsfaktor1", "Skalierungsfaktor");

    Rolladenkasten1 = make("Rolladenkasten1", "Rolladenkasten hinzufügen");
    Fensterbankanschlag1 = make("Fensterbankanschlag1", "Fensterbankanschlag einfügen");
    SegmentbogenAnlage1
        = make("SegmentbogenAnlage1", "Segmentbogen Anlage", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    NeueZeile1 = make("NeueZeile1", "Nue Zeile untern einfügen", QKeySequence(Qt::CTRL | Qt::Key_Insert));

    const struct {
        const char* caption;
        Qt::Key key;
    } glazing[] = {
        { "Kippflügel", Qt::Key_F1 },
        { "Rechts Drehflügel", Qt::Key_F2 },
        { "Links Drehflügel", Qt::Key_F3 },
        { "Rechts Dreh-Kippflügel", Qt::Key_F4 },
        { "Links Dreh-Kippflügel", Qt::Key_F5 },
        { "Festverglast", Qt::Key_F6 },
        { "Tür Drehkipp links", Qt::Key_F7 },
        { "Tür Drehkipp rechts", Qt::Key_F8 },
        { "Tür links", Qt::Key_F9 },
        { "Tür rechts", Qt::Key_F10 },
        { "Tür Kipp", Qt::Key_F11 },
        { "Leerfeld/Wand", Qt::Key_F12 },
    };
    for (const auto& preset : glazing)
        Standardverglasung.append(make("", preset.caption, QKeySequence(preset.key)));

    OnlineHilfe1 = make("OnlineHilfe1", "Online Hilfe");

    enable(InZwischenablagekonstanterMassstab1, &TFenstereditor::InZwischenablagekonstanterMassstab1Click);
    enable(ExportalsBitmpakonstanterMassstab1, &TFenstereditor::ExportalsBitmpakonstanterMassstab1Click);
    enable(OptimierteHhebreite1, &TFenstereditor::OptimierteHhebreite1Click);
    enable(Aktuelleeinstellungenspeichern1, &TFenstereditor::Aktuelleeinstellungenspeichern1Click);
    enable(Einstellungenneuladen1, &TFenstereditor::Einstellungenneuladen1Click);
    enable(Rcksetzen1, &TFenstereditor::Rcksetzen1Click);
    enable(Beenden1, &TFenstereditor::Beenden1Click);
    enable(massanzeigen, &TFenstereditor::massanzeigenClick);
    enable(OnlineHilfe1, &TFenstereditor::OnlineHilfe1Click);
}

void TFenstereditor::createMenus()
{
    m_mainMenu = new QMenuBar(this);
    m_mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    const auto menu = [this](const char* caption) {
        return m_mainMenu->addMenu(QString::fromUtf8(caption));
    };

    QMenu* datei = menu("&Datei");
    datei->addActions({ Neu1, Laden1, Speichern1, Speichernunter1 });
    datei->addSeparator();
    datei->addActions({ InZwischenablage1, InZwischenablagekonstanterMassstab1, InZwischenablagealsMeta1 });
    datei->addSeparator();
    datei->addActions({ ExportalsBitmap1, ExportalsBitmpakonstanterMassstab1 });
    datei->addSeparator();
    datei->addAction(OptimierteHhebreite1);
    datei->addSeparator();
    datei->addActions({ Druckereinrichtung1, Fensterdrucken1, FensterdruckenBitmap1 });
    datei->addSeparator();
    QMenu* einstellungen = datei->addMenu(QStringLiteral("Einstellungen"));
    einstellungen->addActions({ Aktuelleeinstellungenspeichern1, Einstellungenneuladen1 });
    einstellungen->addSeparator();
    einstellungen->addAction(Rcksetzen1);
    datei->addSeparator();
    datei->addAction(Beenden1);

    QMenu* modus = menu("&Modus");
    modus->addActions({ Fenstermodus1, Bitmapmodus1, Masslinienmodus1 });
    modus->addSeparator();
    modus->addAction(Hlfsvorschau1);

    QMenu* bemassung = menu("&Bemaßung");
    bemassung->addAction(massanzeigen);
    bemassung->addSeparator();
    bemassung->addActions(
        { FreiBemassung, FreieBemassungmitFangen1, FreiBemassungmitFangpunkt1, Masslinielschen1, Mazahleneinstellen1 });

    m_symbolMenu = menu("&Symbole");
    m_symbolMenu->addActions({ Symbolmarkieren1, Symbollschen1, Symbolvergrern1, Symbolverkleiner1 });
    m_symbolMenu->addSeparator();

    QMenu* fenstereinstellungen = menu("&Fenstereinstellungen");
    fenstereinstellungen->addAction(Fenstermaendern1);
    fenstereinstellungen->addSeparator();
    fenstereinstellungen->addActions({ Schrift1, Zeichenfarbe1 });
    fenstereinstellungen->addSeparator();
    fenstereinstellungen->addActions({ RandlinienstaerkePlus1, RandlinienstaerkeMinus1, RandlinienstaerkeStandard1 });
    fenstereinstellungen->addSeparator();
    fenstereinstellungen->addAction(RahmenSprossenbreite1);
    fenstereinstellungen->addSeparator();
    fenstereinstellungen->addAction(Skalierungsfaktor1);

    QMenu* makros = menu("Makros");
    makros->addActions({ Rolladenkasten1, Fensterbankanschlag1 });
    makros->addSeparator();
    makros->addAction(SegmentbogenAnlage1);
    makros->addSeparator();
    makros->addAction(NeueZeile1);

    m_standardWindowMenu = menu("Standardfenster");

    QMenu* verglasung = menu("Standardverglasung");
    // Separators after "Kippflügel", the two turn sashes, the two tilt-and-turn
    // sashes, fixed glazing, the two tilt-and-turn doors, the two doors and
    // the tilting door.
    for (int i = 0; i < Standardverglasung.size(); ++i) {
        verglasung->addAction(Standardverglasung[i]);
        if (i == 0 || i == 2 || i == 4 || i == 5 || i == 7 || i == 9 || i == 10)
            verglasung->addSeparator();
    }

    QMenu* hilfe = menu("&Hilfe");
    hilfe->addAction(OnlineHilfe1);
}

void TFenstereditor::createPanels()
{
    m_rootLayout = new QVBoxLayout(this);
    m_rootLayout->setContentsMargins(0, 0, 0, 0);
    m_rootLayout->setSpacing(0);
    m_rootLayout->setMenuBar(m_mainMenu);

    auto* centre = new QHBoxLayout;
    centre->setContentsMargins(0, 0, 0, 0);
    centre->setSpacing(0);

    // FIXME: the property panel's controls (overall size, row and field
    // groups, properties) are not built yet; the panel keeps its place.
    PanelEdit = new QFrame(this);
    PanelEdit->setObjectName(QStringLiteral("PanelEdit"));
    PanelEdit->setFixedWidth(kPanelEditWidth);
    PanelEdit->setFrameShape(QFrame::StyledPanel);
    BreiteSpin = new TArrowPair(PanelEdit);
    BreiteSpin->setObjectName(QStringLiteral("BreiteSpin"));
    BreiteSpin->move(kPanelEditWidth - 25, 300);
    BreiteSpin->setEnabled(false);

    PanelTuerImages = new QFrame(this);
    PanelTuerImages->setObjectName(QStringLiteral("PanelTuerImages"));
    PanelTuerImages->setFixedWidth(90);
    PanelTuerImages->hide();

    PanelPaintbox = new QFrame(this);
    PanelPaintbox->setObjectName(QStringLiteral("PanelPaintbox"));
    PanelPaintbox->setAutoFillBackground(true);
    auto* paintLayout = new QVBoxLayout(PanelPaintbox);
    paintLayout->setContentsMargins(0, 0, 0, 0);
    PaintBox1 = new TPaintBox(PanelPaintbox);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setPaintRoutine([this](QPainter& painter) { DrawScreen(painter); });
    paintLayout->addWidget(PaintBox1);

    PanelFensterImages = new QFrame(this);
    PanelFensterImages->setObjectName(QStringLiteral("PanelFensterImages"));
    PanelFensterImages->setFixedWidth(90);
    PanelFensterImages->hide();

    centre->addWidget(PanelEdit);
    centre->addWidget(PanelTuerImages);
    centre->addWidget(PanelPaintbox, 1);
    centre->addWidget(PanelFensterImages);
    m_rootLayout->addLayout(centre, 1);

    // The host bar: fixed button places, so that a host's scripts find them.
    Panel4 = new QFrame(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedHeight(kHostBarHeight);
    auto* hostLayout = new QHBoxLayout(Panel4);
    hostLayout->setContentsMargins(8, 8, 8, 8);
    hostLayout->setSpacing(6);
    const auto button = [this](const char* objectName, const char* caption, QStyle::StandardPixmap glyph) {
        auto* b = new QPushButton(style()->standardIcon(glyph), QString::fromUtf8(caption), Panel4);
        b->setObjectName(QLatin1String(objectName));
        b->setFixedSize(90, 28);
        b->setAutoDefault(false);
        return b;
    };
    BitBtn1 = button("BitBtn1", "OK", QStyle::SP_DialogOkButton);
    FensterEntfernen = button("FensterEntfernen", "Entfernen", QStyle::SP_DialogNoButton);
    BitBtn2 = button("BitBtn2", "Abbrechen", QStyle::SP_DialogCancelButton);
    hostLayout->addWidget(BitBtn1);
    hostLayout->addWidget(FensterEntfernen);
    hostLayout->addStretch(1);
    hostLayout->addWidget(BitBtn2);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn1Click(); }); });
    connect(FensterEntfernen, &QPushButton::clicked, this, [this] { guarded([this] { FensterEntfernenClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { guarded([this] { BitBtn2Click(); }); });
    Panel4->hide();
    m_rootLayout->addWidget(Panel4);

    // The row arrows lie on the main window itself, over the panel's row group.
    HoeheSpin = new TArrowPair(this);
    HoeheSpin->setObjectName(QStringLiteral("HoeheSpin"));
    HoeheSpin->setEnabled(false);
    HoeheSpin->raise();
}

void TFenstereditor::createStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(20);
    statusPosition = new QLabel(StatusBar1);
    statusPosition->setFixedWidth(350);
    statusPrompt = new QLabel(StatusBar1);
    statusPrompt->setFixedWidth(200);
    StatusBar1->addWidget(statusPosition);
    StatusBar1->addWidget(statusPrompt);
    m_rootLayout->addWidget(StatusBar1);
}

void TFenstereditor::resizeEvent(QResizeEvent* event)
{
    TVANDLFORM::resizeEvent(event);
    // FIXME: the arrows follow the row group box once the property panel has
    // it (its top plus the arrows' height minus 17); until then they keep
    // the place the group box will have.
    if (HoeheSpin && PanelEdit)
        HoeheSpin->move(PanelEdit->x() + kPanelEditWidth - 25, PanelEdit->y() + 120 + HoeheSpin->height() - 17);
}

void TFenstereditor::buildSymbolMenu()
{
    for (const ProgramFolderItem& item : ListProgramFolder(m_programFolder, QStringLiteral("BMP"))) {
        auto* action = new QAction(item.caption, this);
        action->setData(item.fileName);
        action->setToolTip(item.fileName);
        const QPixmap picture(m_programFolder + item.fileName);
        if (!picture.isNull())
            action->setIcon(QIcon(picture));
        // FIXME: placing the chosen symbol with the mouse is not built yet.
        action->setEnabled(false);
        m_symbolMenu->addAction(action);
    }
}

void TFenstereditor::BuildStandardWindowMenu()
{
    m_standardWindowMenu->clear();
    for (const ProgramFolderItem& item : ListProgramFolder(m_programFolder, QStringLiteral("std"))) {
        QAction* action = m_standardWindowMenu->addAction(item.caption);
        action->setData(item.fileName);
        // FIXME: loading a standard window is not built yet.
        action->setEnabled(false);
    }
}

void TFenstereditor::ShowModeStatus()
{
    QString prompt;
    switch (m_mouseMode) {
    case 0:
        prompt = QStringLiteral("Fenstermodus aktiv");
        break;
    case 1:
        prompt = QStringLiteral("Bitte wählen sie die Position aus, an der das Symbol eingefügt werden soll!");
        break;
    case 2:
        prompt = QStringLiteral("Freie Bemaßung - Bitte geben Sie den ersten Maßpunkt an!");
        break;
    case 3:
        prompt = QStringLiteral("Freie Bemaßung - Bitte geben Sie den zweiten Maßpunkt an!");
        break;
    case 6:
        prompt = QStringLiteral("Freie Bemaßung - Bitte geben Sie den Punkt für die Bemaßung an!");
        break;
    case 10:
        prompt = QStringLiteral("Bitmapmodus aktiv");
        break;
    case 20:
        prompt = QStringLiteral("Maßlinienmodus aktiv");
        break;
    default:
        break;
    }
    statusPrompt->setText(prompt.isEmpty() ? prompt : TranslateText(prompt));
}

// ---------------------------------------------------------------------------
// Document texts and the round trip

void TFenstereditor::setMemo1(const QString& text)
{
    m_memo1 = text;
    if (m_memo1.isEmpty()) {
        m_model = std::make_unique<TFenster>();
        SelectedRow = 1;
        SelectedField = 1;
        m_memo1 = Utf8(WriteDescription(*m_model, SelectedRow, SelectedField));
    }
}

void TFenstereditor::SelectField()
{
    PositionCursors(*m_model, SelectedRow, SelectedField);
}

void TFenstereditor::RepaintDrawing()
{
    QPalette palette = PanelPaintbox->palette();
    palette.setColor(QPalette::Window, Qt::white);
    PanelPaintbox->setPalette(palette);
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
    setMemo1(Utf8(WriteDescription(*m_model, SelectedRow, SelectedField)));
    RepaintDrawing();
    RefreshPanel();
}

void TFenstereditor::DrawScreen(QPainter& painter)
{
    m_leftMargin = 1;
    m_bottomMargin = 1;
    painter.fillRect(PaintBox1->rect(), Qt::white);
    if (IsBlankText(m_memo1))
        return;
    const std::string description = Utf8(m_memo1);
    QtCanvas canvas(painter);
    canvas.setFont(m_drawingFont);
    canvas.setPen(Pen {});
    try {
        DrawWindow(canvas, 1, 1, PaintBox1->width() - 2, PaintBox1->height() - 2, description,
            edgeDimensionsShown() ? EdgeDimensions::On : EdgeDimensions::Off, SelectedField, SelectedRow, 0);
        m_reportedDescriptionError.clear();
    } catch (const std::exception& error) {
        // The lists are placed relative to the window; without it they are not drawn.
        reportDrawingError(m_reportedDescriptionError, m_memo1, QString::fromUtf8(error.what()));
        return;
    }
    try {
        DrawDimensionList(canvas, Utf8(m_memo3));
        m_reportedDimensionListError.clear();
    } catch (const std::exception& error) {
        reportDrawingError(m_reportedDimensionListError, m_memo3, QString::fromUtf8(error.what()));
    }
    try {
        DrawSymbolList(canvas, Utf8(m_memo2), Utf8(m_symbolFolder), SelectedSymbol, *m_pictures);
        m_reportedSymbolListError.clear();
    } catch (const std::exception& error) {
        reportDrawingError(m_reportedSymbolListError, m_memo2, QString::fromUtf8(error.what()));
    }
}

QImage TFenstereditor::RenderConstantScale(double mmPerPixel)
{
    if (!(mmPerPixel > 0))
        throw std::invalid_argument("Der Skalierungsfaktor muss größer als 0 sein.");
    const std::string description = Utf8(m_memo1);
    const std::string symbols = Utf8(m_memo2);
    const std::string dimensionLines = Utf8(m_memo3);
    const std::string symbolFolder = Utf8(m_symbolFolder);
    ConstantScaleJob job;
    job.description = description;
    job.mmPerPixel = mmPerPixel;
    job.overallHeight = m_model->height();
    job.overallWidth = m_model->width();
    job.leftMargin = m_leftMargin;
    job.bottomMargin = m_bottomMargin;
    job.edgeDimensions = edgeDimensionsShown() ? EdgeDimensions::On : EdgeDimensions::Off;
    job.selectedField = SelectedField;
    job.selectedRow = SelectedRow;
    job.annotations = [&](Canvas& canvas) {
        DrawDimensionList(canvas, dimensionLines);
        DrawSymbolList(canvas, symbols, symbolFolder, SelectedSymbol, *m_pictures);
    };
    return fenster::RenderConstantScale(m_drawingFont, std::move(job)).image;
}

void TFenstereditor::ExportConstantScale(const QString& fileName)
{
    Engine().HighlightSelection = false;
    setEnabled(false);
    struct Restore {
        TFenstereditor* window;
        ~Restore()
        {
            Engine().HighlightSelection = true;
            window->setEnabled(true);
        }
    } restore { this };
    const QImage picture = RenderConstantScale(m_constantScale).convertToFormat(QImage::Format_RGB888);
    WriteFileAtomically(fileName, [&picture](QIODevice& device) { return picture.save(&device, "BMP"); });
}

// ---------------------------------------------------------------------------
// Start-up and host mode

void TFenstereditor::FormShow()
{
    TVANDLFORM::FormShow();
    if (!m_firstShowPending)
        return;
    m_firstShowPending = false;
    // The first-showing steps run from the event loop, so that a render-only
    // run can end the loop by closing the window.
    QTimer::singleShot(0, this, [this] { guarded([this] { FirstShow(); }); });
}

void TFenstereditor::FirstShow()
{
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    // FIXME: the preset thumbnail panels are built here once they exist.

    const QString scale = ParamValue(m_startup.arguments, QStringLiteral("-MASSSTAB:"));
    const QByteArray scaleBytes = scale.toLatin1();
    const auto hundredths = StrictToInt(std::string_view(scaleBytes.constData(), std::size_t(scaleBytes.size())));
    // A scale of zero or below would give no picture at all; it counts as
    // missing, like a value that is not a number.
    m_constantScale = (hundredths && *hundredths > 0) ? *hundredths / 100.0 : m_preferences.Skalierung;

    m_hostFile = ParamValue(m_startup.arguments, QStringLiteral("-FILE:"));
    if (!m_hostFile.isEmpty()) {
        massanzeigen->setChecked(ParamPresent(m_startup.arguments, QStringLiteral("M")));
        if (ParamPresent(m_startup.arguments, QStringLiteral("readonly"))) {
            PanelEdit->hide();
            BreiteSpin->hide();
            HoeheSpin->hide();
            // Without the main menu no shortcut is left either.
            for (QAction* action : findChildren<QAction*>())
                action->setShortcut(QKeySequence());
            m_rootLayout->setMenuBar(nullptr);
            delete m_mainMenu;
            m_mainMenu = nullptr;
        } else {
            Panel4->show();
        }
        if (!openHostFile())
            return;
        QCoreApplication::processEvents();
        if (PaintBox1->isVisible())
            PaintBox1->repaint();

        const QString outFile = ParamValue(m_startup.arguments, QStringLiteral("-OUTFILE:"));
        if (!outFile.isEmpty()) {
            try {
                ExportConstantScale(outFile);
            } catch (const DataFileError& error) {
                finishRenderOnly(RunOutcome::DataFileError, QString::fromUtf8(error.what()));
                return;
            } catch (const std::exception& error) {
                finishRenderOnly(RunOutcome::Failed, QString::fromUtf8(error.what()));
                return;
            }
            finishRenderOnly(RunOutcome::Done, QString());
            return;
        }
        RepaintDrawing();
    }
    RefreshPanel();
}

bool TFenstereditor::openHostFile()
{
    QString text;
    try {
        text = ReadTextFile(m_hostFile);
    } catch (const FileError& error) {
        if (m_runMode == RunMode::RenderOnly && headless())
            finishRenderOnly(RunOutcome::Failed, QString::fromUtf8(error.what()));
        else
            ReportError(QString::fromUtf8(error.what()));
        return false;
    }
    setMemo1(text);
    m_documentName = m_hostFile;
    ReadResult result = ReadDescription(Utf8(m_memo1));
    m_model = std::move(result.model);
    if (result.error) {
        // Host programs rely on code 137 for a field width the drawing cannot
        // read, so the drawing's verdict on the text comes first.
        if (m_runMode == RunMode::RenderOnly && !DrawingAccepts(m_memo1)) {
            finishRenderOnly(RunOutcome::DataFileError, QStringLiteral("Fehler in Datendatei!"));
            return false;
        }
        if (m_runMode == RunMode::RenderOnly && headless())
            finishRenderOnly(RunOutcome::Failed, Utf8(*result.error));
        else
            ReportError(Utf8(*result.error));
        return false;
    }
    RepaintDrawing();
    RefreshPanel();
    return true;
}

void TFenstereditor::finishRenderOnly(RunOutcome outcome, const QString& message)
{
    if (outcome == RunOutcome::DataFileError) {
        // Host programs rely on this line on standard output and on code 137.
        std::fputs("Fehler in Datendatei!\n", stdout);
        std::fflush(stdout);
    } else if (outcome == RunOutcome::Failed) {
        if (!headless()) {
            // With a screen the user sees the error and the editor stays open.
            ReportError(message);
            return;
        }
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    m_outcome = outcome;
    LogLine(QStringLiteral("Ausgabe: ") + (message.isEmpty() ? QStringLiteral("fertig") : message));
    close();
}

bool TFenstereditor::headless() const
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void TFenstereditor::BitBtn1Click()
{
    if (!m_hostFile.isEmpty())
        WriteTextFile(m_hostFile, m_memo1);
}

void TFenstereditor::FensterEntfernenClick()
{
    // Only the text changes; "OK" then hands the host a single blank.
    m_memo1 = QStringLiteral(" ");
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
    RepaintDrawing();
}

void TFenstereditor::OptimierteHhebreite1Click()
{
    // The check mark is read by the next screen copy.
}

void TFenstereditor::InZwischenablagekonstanterMassstab1Click()
{
    Engine().HighlightSelection = false;
    struct Restore {
        ~Restore() { Engine().HighlightSelection = true; }
    } restore;
    QGuiApplication::clipboard()->setImage(RenderConstantScale(m_constantScale));
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
    if (!m_documentName.isEmpty())
        SaveDialog1->selectFile(m_documentName);
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    m_documentName = SaveDialog1->selectedFiles().constFirst();
    ExportConstantScale(m_documentName);
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

// ---------------------------------------------------------------------------
// Preferences

void TFenstereditor::ApplyPreferences(const Preferences& preferences)
{
    m_preferences = preferences;
    Settings() = preferences.drawing;
    m_drawingFont = QFont(preferences.fontName);
    m_drawingFont.setPointSize(preferences.fontSize > 0 ? preferences.fontSize : 8);
    PaintBox1->setFont(m_drawingFont);
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
    m_preferences.fontName = m_drawingFont.family();
    m_preferences.fontSize = m_drawingFont.pointSize();
    SavePreferences(*m_startup.preferenceStore, m_preferences);
}

// ---------------------------------------------------------------------------
// Errors

template <class Command>
void TFenstereditor::guarded(Command&& command)
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
    QMessageBox::critical(this, QString::fromLatin1(kApplicationTitle), message);
}

void TFenstereditor::reportDrawingError(QString& lastReported, const QString& cause, const QString& message)
{
    if (lastReported == cause)
        return;
    lastReported = cause;
    if (m_runMode == RunMode::RenderOnly)
        return; // the export meets the same error and ends the run with it
    // Never from inside a paint event: the box would paint over a half-drawn window.
    QTimer::singleShot(0, this, [this, message] { ReportError(message); });
}

} // namespace fenster
