// The main window's menu: every command as one line of a table, and the
// menu tree as lists of command names.

#include "Fenstereditor.h"

#include "DiskFiles.h"
#include "DocumentCommands.h"
#include "Interaction.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>

namespace fenster {

namespace {

enum class Check { None, Off, On };
using Handler = void (TFenstereditor::*)();

struct CommandEntry {
    const char* name; // the handler's name without "Click"
    const char* caption;
    const char* shortcut; // portable text, empty for none
    Check check;
    Handler handler; // null: the command is not carried out yet and stays disabled
};

// Ctrl+B belongs to "&Randbemaßung &anzeigen" alone; "Rahmen/Sprossenbreite"
// gets none, so that the shortcut is never ambiguous.
const CommandEntry kCommands[] = {
    { "Neu1", "&Neu", "Shift+F2", Check::None,
        &TFenstereditor::Neu1Click },
    { "Laden1", "&Laden", "Ctrl+O", Check::None,
        &TFenstereditor::Laden1Click },
    { "Speichern1", "&Speichern", "Ctrl+S", Check::None,
        &TFenstereditor::Speichern1Click },
    { "Speichernunter1", "Speichern &unter...", "", Check::None,
        &TFenstereditor::Speichernunter1Click },
    { "Rueckgaengig1", "Rückgängig", "Alt+Backspace", Check::None, &TFenstereditor::Rueckgaengig1Click },
    { "Wiederherstellen1", "Wiederherstellen", "Ctrl+Y", Check::None, &TFenstereditor::Wiederherstellen1Click },
    { "InZwischenablage1", "In &Zwischenablage", "Ctrl+C", Check::None, &TFenstereditor::InZwischenablage1Click },
    { "InZwischenablagekonstanterMassstab1", "In Zwischenablage konstanter Massstab", "Ctrl+Alt+C", Check::None,
        &TFenstereditor::InZwischenablagekonstanterMassstab1Click },
    { "InZwischenablagealsMeta1", "In Zwischenablage (als &Meta)", "", Check::None,
        &TFenstereditor::InZwischenablagealsMeta1Click },
    { "ExportalsBitmap1", "Export als Bitmap", "", Check::None, &TFenstereditor::ExportalsBitmap1Click },
    { "ExportalsBitmpakonstanterMassstab1", "Export als Bitmap konstanter Massstab", "Ctrl+Alt+B", Check::None,
        &TFenstereditor::ExportalsBitmpakonstanterMassstab1Click },
    { "ExportalsPDFSVG1", "Export als PDF/SVG…", "", Check::None, &TFenstereditor::ExportalsPDFSVG1Click },
    { "ExportalsDXF1", "Export als DXF…", "", Check::None, &TFenstereditor::ExportalsDXF1Click },
    { "OptimierteHhebreite1", "Optimierte Höhe/Breite", "", Check::On, &TFenstereditor::OptimierteHhebreite1Click },
    { "Druckereinrichtung1", "Drucker&einrichtung", "", Check::None, &TFenstereditor::Druckereinrichtung1Click },
    { "Fensterdrucken1", "Fenster &drucken", "Ctrl+P", Check::None, &TFenstereditor::Fensterdrucken1Click },
    { "FensterdruckenBitmap1", "Fenster drucken (als &Bitmap)", "", Check::None,
        &TFenstereditor::FensterdruckenBitmap1Click },
    { "Druckvorschau1", "Druckvorschau", "", Check::None, &TFenstereditor::Druckvorschau1Click },
    { "Aktuelleeinstellungenspeichern1", "Aktuelle Einstellungen speichern", "", Check::None,
        &TFenstereditor::Aktuelleeinstellungenspeichern1Click },
    { "Einstellungenneuladen1", "Einstellungen neu laden", "", Check::None,
        &TFenstereditor::Einstellungenneuladen1Click },
    { "Rcksetzen1", "Rücksetzen auf Voreinstellung", "", Check::None, &TFenstereditor::Rcksetzen1Click },
    { "Beenden1", "&Beenden", "", Check::None, &TFenstereditor::Beenden1Click },

    { "Fenstermodus1", "&Fenstermodus", "Ctrl+F1", Check::On, &TFenstereditor::Fenstermodus1Click },
    { "Bitmapmodus1", "&Symbolmodus", "Ctrl+F2", Check::Off, &TFenstereditor::Bitmapmodus1Click },
    { "Masslinienmodus1", "&Maßlinienmodus", "Ctrl+F3", Check::Off,
        &TFenstereditor::Masslinienmodus1Click },
    { "Hlfsvorschau1", "Hlfsvorschau", "Ctrl+H", Check::Off, &TFenstereditor::Hlfsvorschau1Click },

    { "massanzeigen", "&Randbemaßung &anzeigen", "Ctrl+B", Check::On, &TFenstereditor::massanzeigenClick },
    { "FreiBemassung", "Freie &Bemaßung", "Ctrl+F", Check::Off, &TFenstereditor::FreiBemassungClick },
    { "FreieBemassungmitFangen1", "Freie Bemaßung mit &Fangen vertitikal/horizontal", "Ctrl+Alt+F", Check::Off,
        &TFenstereditor::FreieBemassungmitFangen1Click },
    { "FreiBemassungmitFangpunkt1", "Frei Bemassung mit Fangpunkt", "", Check::Off,
        &TFenstereditor::FreiBemassungmitFangpunkt1Click },
    { "Masslinielschen1", "Maßlinie &löschen", "Ctrl+Alt+D", Check::Off,
        &TFenstereditor::Masslinielschen1Click },
    { "Mazahleneinstellen1", "Maßzahlen &einstellen", "Ctrl+Alt+E", Check::None,
        &TFenstereditor::Mazahleneinstellen1Click },

    { "Symbolmarkieren1", "Symbol markieren", "", Check::Off, &TFenstereditor::Bitmapmodus1Click },
    { "Symbollschen1", "Symbol &löschen", "", Check::None, &TFenstereditor::Symbollschen1Click },
    { "Symbolvergrern1", "Symbol vergrößern", "Ctrl+Z", Check::None, &TFenstereditor::Symbolvergrern1Click },
    { "Symbolverkleiner1", "Symbol ver&kleinern", "Ctrl+Alt+Z", Check::None,
        &TFenstereditor::Symbolverkleiner1Click },

    { "Fenstermaendern1", "&Fenstermaße ändern", "Ctrl+M", Check::None, &TFenstereditor::Berechnungen1Click },
    { "Schrift1", "Schrift", "", Check::None,
        &TFenstereditor::Schrift1Click },
    { "Zeichenfarbe1", "&Zeichenfarbe", "", Check::None,
        &TFenstereditor::Zeichenfarbe1Click },
    { "RandlinienstaerkePlus1", "Randlinienstärke +", "Ctrl+R", Check::None,
        &TFenstereditor::RandlinienstaerkePlus1Click },
    { "RandlinienstaerkeMinus1", "Randlinienstärke -", "Ctrl+Alt+R", Check::None,
        &TFenstereditor::RandlinienstaerkeMinus1Click },
    { "RandlinienstaerkeStandard1", "Randlinienstärke Standard", "", Check::None,
        &TFenstereditor::RandlinienstaerkeStandard1Click },
    { "RahmenSprossenbreite1", "Rahmen/Sprossenbreite", "", Check::None,
        &TFenstereditor::RahmenSprossenbreite1Click },
    { "Skalierungsfaktor1", "Skalierungsfaktor", "", Check::None,
        &TFenstereditor::Skalierungsfaktor1Click },

    { "Rolladenkasten1", "Rolladenkasten hinzufügen", "", Check::None, &TFenstereditor::Rolladenkastenhinzufgen1Click },
    { "Fensterbankanschlag1", "Fensterbankanschlag einfügen", "", Check::None, &TFenstereditor::Fensterbankanschlaghinzufgen1Click },
    { "SegmentbogenAnlage1", "Segmentbogen Anlage", "Ctrl+Alt+S", Check::None, &TFenstereditor::SegmentbogenAnlgae1Click },
    { "NeueZeile1", "Nue Zeile untern einfügen", "Ctrl+Ins", Check::None, &TFenstereditor::Zeileeinfgen2Click },

    { "Kippflgel2", "Kippflügel", "F1", Check::None, &TFenstereditor::Kippflgel2Click },
    { "RechtsDrehflgel1", "Rechts Drehflügel", "F2", Check::None, &TFenstereditor::RechtsDrehflgel1Click },
    { "LinksDrehflgel1", "Links Drehflügel", "F3", Check::None, &TFenstereditor::LinksDrehflgel1Click },
    { "RechtsDrehKippflgel1", "Rechts Dreh-Kippflügel", "F4", Check::None, &TFenstereditor::RechtsDrehKippflgel1Click },
    { "LinksDrehKippflgel1", "Links Dreh-Kippflügel", "F5", Check::None, &TFenstereditor::LinksDrehKippflgel1Click },
    { "Festverglast1", "Festverglast", "F6", Check::None, &TFenstereditor::Festverglast1Click },
    { "rDrehkipplinks1", "Tür Drehkipp links", "F7", Check::None, &TFenstereditor::rDrehkipplinks1Click },
    { "rDrehkiprechts1", "Tür Drehkipp rechts", "F8", Check::None, &TFenstereditor::rDrehkiprechts1Click },
    { "rlinks1", "Tür links", "F9", Check::None, &TFenstereditor::rlinks1Click },
    { "rrechts1", "Tür rechts", "F10", Check::None, &TFenstereditor::rrechts1Click },
    { "rKipp1", "Tür Kipp", "F11", Check::None, &TFenstereditor::rKipp1Click },
    { "LeerfeldWand1", "Leerfeld/Wand", "F12", Check::None, &TFenstereditor::LeerfeldWand1Click },

    { "OnlineHilfe1", "Online Hilfe", "", Check::None, &TFenstereditor::OnlineHilfe1Click },
};

// Radio groups of check marks: exactly one or none of them is checked.
struct GroupEntry {
    const char* name;
    std::initializer_list<const char*> commands;
};
const GroupEntry kGroups[] = {
    { "modeGroup", { "Fenstermodus1", "Bitmapmodus1", "Masslinienmodus1" } },
    { "freeDimensionGroup",
        { "FreiBemassung", "FreieBemassungmitFangen1", "FreiBemassungmitFangpunkt1", "Masslinielschen1" } },
};

// A menu's entries: command names, "-" for a separator, "[Caption" opens a
// submenu that "]" closes.
struct MenuEntry {
    const char* name;
    const char* caption;
    std::initializer_list<const char*> entries;
};
const MenuEntry kMenus[] = {
    { "Datei1", "&Datei",
        { "Neu1", "Laden1", "Speichern1", "Speichernunter1", "-", "InZwischenablage1",
            "InZwischenablagekonstanterMassstab1", "InZwischenablagealsMeta1", "-", "ExportalsBitmap1",
            "ExportalsBitmpakonstanterMassstab1", "ExportalsPDFSVG1", "ExportalsDXF1", "-", "OptimierteHhebreite1", "-", "Druckereinrichtung1",
            "Fensterdrucken1", "FensterdruckenBitmap1", "Druckvorschau1", "-", "[Einstellungen", "Aktuelleeinstellungenspeichern1",
            "Einstellungenneuladen1", "-", "Rcksetzen1", "]", "-", "Beenden1" } },
    { "Bearbeiten1", "B&earbeiten", { "Rueckgaengig1", "Wiederherstellen1" } },
    { "Modus1", "&Modus", { "Fenstermodus1", "Bitmapmodus1", "Masslinienmodus1", "-", "Hlfsvorschau1" } },
    { "Bemassung1", "&Bemaßung",
        { "massanzeigen", "-", "FreiBemassung", "FreieBemassungmitFangen1", "FreiBemassungmitFangpunkt1",
            "Masslinielschen1", "Mazahleneinstellen1" } },
    // The symbol pictures of the program folder follow the separator.
    { "Symbole1", "&Symbole", { "Symbolmarkieren1", "Symbollschen1", "Symbolvergrern1", "Symbolverkleiner1", "-" } },
    { "Fenstereinstellungen1", "&Fenstereinstellungen",
        { "Fenstermaendern1", "-", "Schrift1", "Zeichenfarbe1", "-", "RandlinienstaerkePlus1",
            "RandlinienstaerkeMinus1", "RandlinienstaerkeStandard1", "-", "RahmenSprossenbreite1", "-",
            "Skalierungsfaktor1" } },
    { "Makros1", "Makros",
        { "Rolladenkasten1", "Fensterbankanschlag1", "-", "SegmentbogenAnlage1", "-", "NeueZeile1" } },
    // Filled from the program folder's standard windows.
    { "Standardfenster1", "Standardfenster", {} },
    { "Standardverglasung1", "Standardverglasung",
        { "Kippflgel2", "-", "RechtsDrehflgel1", "LinksDrehflgel1", "-", "RechtsDrehKippflgel1",
            "LinksDrehKippflgel1", "-", "Festverglast1", "-", "rDrehkipplinks1", "rDrehkiprechts1", "-", "rlinks1",
            "rrechts1", "-", "rKipp1", "-", "LeerfeldWand1" } },
    { "Hilfe1", "&Hilfe", { "OnlineHilfe1" } },
};

} // namespace

void TFenstereditor::createActions()
{
    for (const CommandEntry& entry : kCommands) {
        auto* command = new QAction(QString::fromUtf8(entry.caption), this);
        command->setObjectName(QLatin1String(entry.name));
        command->setShortcut(QKeySequence::fromString(QLatin1String(entry.shortcut), QKeySequence::PortableText));
        command->setShortcutContext(Qt::WindowShortcut);
        command->setCheckable(entry.check != Check::None);
        command->setChecked(entry.check == Check::On);
        command->setEnabled(entry.handler != nullptr);
        if (const Handler handler = entry.handler)
            connect(command, &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }
    for (const GroupEntry& entry : kGroups) {
        auto* group = new QActionGroup(this);
        group->setObjectName(QLatin1String(entry.name));
        for (const char* name : entry.commands)
            group->addAction(action(QLatin1String(name)));
    }
    massanzeigen = action(QStringLiteral("massanzeigen"));
}

void TFenstereditor::createMenus()
{
    m_mainMenu = new QMenuBar(this);
    m_mainMenu->setObjectName(QStringLiteral("MainMenu1"));
    m_mainMenu->setAccessibleName(QStringLiteral("Hauptmenü"));
    for (const MenuEntry& menuEntry : kMenus) {
        QMenu* top = m_mainMenu->addMenu(QString::fromUtf8(menuEntry.caption));
        top->setObjectName(QLatin1String(menuEntry.name));
        QMenu* menu = top;
        for (const char* entry : menuEntry.entries) {
            const QLatin1String name(entry);
            if (name == QLatin1String("-"))
                menu->addSeparator();
            else if (name.startsWith(QLatin1Char('[')))
                menu = menu->addMenu(QString::fromUtf8(entry + 1));
            else if (name == QLatin1String("]"))
                menu = top;
            else
                menu->addAction(action(name));
        }
    }
    m_symbolMenu = m_mainMenu->findChild<QMenu*>(QStringLiteral("Symbole1"));
    m_standardWindowMenu = m_mainMenu->findChild<QMenu*>(QStringLiteral("Standardfenster1"));
}

QAction* TFenstereditor::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void TFenstereditor::buildSymbolMenu()
{
    for (const ProgramFolderItem& item : ListProgramFolder(m_programFolder, QStringLiteral("BMP"))) {
        auto* symbol = new QAction(item.caption, this);
        symbol->setData(item.fileName);
        symbol->setToolTip(item.fileName);
        // A picture that cannot be read leaves the item without an icon.
        QPixmap picture;
        try {
            picture.loadFromData(ReadFileBytes(m_programFolder + item.fileName));
        } catch (const FileError&) {
        }
        if (!picture.isNull())
            symbol->setIcon(QIcon(picture));
        const QString fileName = item.fileName;
        connect(symbol, &QAction::triggered, this,
            [this, fileName] { guarded([this, fileName] { m_interaction->chooseSymbol(fileName); }); });
        m_symbolMenu->addAction(symbol);
    }
}

void TFenstereditor::BuildStandardWindowMenu()
{
    m_documents->BuildStandardWindowMenu(*m_standardWindowMenu);
}

} // namespace fenster
