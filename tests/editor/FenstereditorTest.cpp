#include "Fenstereditor.h"

#include "DocumentCommands.h"
#include "DrawingArea.h"
#include "EditorTestApp.h"
#include "EditorDocument.h"
#include "HostSession.h"
#include "Engine.h"
#include "DiskFiles.h"
#include "TextFiles.h"
#include "Translator.h"
#include "Description.h"
#include "ThumbnailPanels.h"
#include "VandlBasicImage.h"

#include <QAction>
#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QClipboard>
#include <QAbstractSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace fenster;

namespace {

class FenstereditorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath(QStringLiteral("program"));
        QDir(m_folder.path()).mkpath(QStringLiteral("config"));
        SetLanguageFolder(m_folder.path());
        Settings() = DrawingSettings {};
    }

    void TearDown() override { EndTranslation(); }

    QString programFolder() const { return m_folder.filePath(QStringLiteral("program")) + QLatin1Char('/'); }
    QString file(const char* name) const { return m_folder.filePath(QLatin1String(name)); }
    QString storePath() const { return m_folder.filePath(QStringLiteral("config/Vandl/Fenster.json")); }

    std::unique_ptr<TFenstereditor> makeEditor(const QStringList& arguments)
    {
        EditorStartup startup;
        startup.arguments = arguments;
        startup.programFolder = programFolder();
        startup.symbolFolder = m_folder.path();
        startup.preferenceStore = std::make_shared<JsonPreferenceStore>(storePath());
        return std::make_unique<TFenstereditor>(startup);
    }

    // Shows the editor and lets the first-showing steps run.
    std::unique_ptr<TFenstereditor> showEditor(const QStringList& arguments)
    {
        auto editor = makeEditor(arguments);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        QApplication::processEvents();
        QApplication::processEvents();
        return editor;
    }

    // A render-only run to its end; it never shows the window.
    std::unique_ptr<TFenstereditor> runToEnd(const QStringList& arguments)
    {
        auto editor = makeEditor(arguments);
        const int code = editor->run();
        EXPECT_EQ(code, editor->host().exitCode());
        EXPECT_NE(editor->host().outcome(), RunOutcome::Running);
        return editor;
    }

    static void writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray readBytes(const QString& path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll();
    }

    QTemporaryDir m_folder;
};

// A part of the main window found by its object name.
template <class T = QWidget>
T* Part(const TFenstereditor& editor, const char* name)
{
    T* part = editor.findChild<T*>(QLatin1String(name));
    EXPECT_NE(part, nullptr) << name;
    return part;
}

// The menu as text: one entry per item, "-" for a separator, the caption
// followed by "|" and the shortcut when it has one, and "[x]" or "[ ]" for
// check items. Submenus are listed after their item with "> ".
QStringList Describe(const QMenu* menu, const QString& indent = QString())
{
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("-");
            continue;
        }
        QString line = indent + action->text();
        if (!action->shortcut().isEmpty())
            line += QStringLiteral("|") + action->shortcut().toString(QKeySequence::PortableText);
        if (action->isCheckable())
            line += action->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        lines << line;
        if (action->menu())
            lines << Describe(action->menu(), indent + QStringLiteral("> "));
    }
    return lines;
}

const QMenu* TopMenu(const TFenstereditor& editor, const QString& caption)
{
    for (const QAction* action : editor.mainMenu()->actions()) {
        if (action->text() == caption)
            return action->menu();
    }
    return nullptr;
}

TEST_F(FenstereditorTest, MenuTreeHasEveryItemWithItsShortcut)
{
    auto editor = makeEditor({});
    struct Case {
        const char* menu;
        QStringList items;
    };
    const Case cases[] = {
        { "&Datei",
            { "&Neu|Shift+F2", "&Laden|Ctrl+O", "&Speichern|Ctrl+S", "Speichern &unter...", "-", "In &Zwischenablage|Ctrl+C",
                "In Zwischenablage konstanter Massstab|Ctrl+Alt+C", "In Zwischenablage (als &Meta)", "-",
                "Export als Bitmap", "Export als Bitmap konstanter Massstab|Ctrl+Alt+B",
                QString::fromUtf8("Export als PDF/SVG…"), QString::fromUtf8("Export als DXF…"), "-",
                QString::fromUtf8("Optimierte Höhe/Breite [x]"), "-", "Drucker&einrichtung", "Fenster &drucken|Ctrl+P",
                "Fenster drucken (als &Bitmap)", "Druckvorschau", "-", "Einstellungen", "> Aktuelle Einstellungen speichern",
                "> Einstellungen neu laden", "> -", QString::fromUtf8("> Rücksetzen auf Voreinstellung"), "-",
                "&Beenden" } },
        { "B&earbeiten", { QString::fromUtf8("Rückgängig|Alt+Backspace"), "Wiederherstellen|Ctrl+Y" } },
        { "&Modus",
            { "&Fenstermodus|Ctrl+F1 [x]", "&Symbolmodus|Ctrl+F2 [ ]", QString::fromUtf8("&Maßlinienmodus|Ctrl+F3 [ ]"),
                "-", "Hlfsvorschau|Ctrl+H [ ]" } },
        { "&Bemaßung",
            { QString::fromUtf8("&Randbemaßung &anzeigen|Ctrl+B [x]"), "-", QString::fromUtf8("Freie &Bemaßung|Ctrl+F [ ]"),
                QString::fromUtf8("Freie Bemaßung mit &Fangen vertitikal/horizontal|Ctrl+Alt+F [ ]"),
                "Frei Bemassung mit Fangpunkt [ ]", QString::fromUtf8("Maßlinie &löschen|Ctrl+Alt+D [ ]"),
                QString::fromUtf8("Maßzahlen &einstellen|Ctrl+Alt+E") } },
        { "&Symbole",
            { "Symbol markieren [ ]", "Symbol &löschen", QString::fromUtf8("Symbol vergrößern|Ctrl+Z"),
                "Symbol ver&kleinern|Ctrl+Alt+Z", "-" } },
        { "&Fenstereinstellungen",
            { QString::fromUtf8("&Fenstermaße ändern|Ctrl+M"), "-", "Schrift", "&Zeichenfarbe", "-",
                QString::fromUtf8("Randlinienstärke +|Ctrl+R"), QString::fromUtf8("Randlinienstärke -|Ctrl+Alt+R"),
                QString::fromUtf8("Randlinienstärke Standard"), "-", "Rahmen/Sprossenbreite", "-",
                "Skalierungsfaktor" } },
        { "Makros",
            { QString::fromUtf8("Rolladenkasten hinzufügen"), QString::fromUtf8("Fensterbankanschlag einfügen"), "-",
                "Segmentbogen Anlage|Ctrl+Alt+S", "-", QString::fromUtf8("Nue Zeile untern einfügen|Ctrl+Ins") } },
        { "Standardfenster", {} },
        { "Standardverglasung",
            { QString::fromUtf8("Kippflügel|F1"), "-", QString::fromUtf8("Rechts Drehflügel|F2"),
                QString::fromUtf8("Links Drehflügel|F3"), "-", QString::fromUtf8("Rechts Dreh-Kippflügel|F4"),
                QString::fromUtf8("Links Dreh-Kippflügel|F5"), "-", "Festverglast|F6", "-",
                QString::fromUtf8("Tür Drehkipp links|F7"), QString::fromUtf8("Tür Drehkipp rechts|F8"), "-",
                QString::fromUtf8("Tür links|F9"), QString::fromUtf8("Tür rechts|F10"), "-",
                QString::fromUtf8("Tür Kipp|F11"), "-", "Leerfeld/Wand|F12" } },
        { "&Hilfe", { "Online Hilfe" } },
    };
    QStringList topCaptions;
    for (const QAction* action : editor->mainMenu()->actions())
        topCaptions << action->text();
    QStringList expectedTop;
    for (const Case& c : cases)
        expectedTop << QString::fromUtf8(c.menu);
    EXPECT_EQ(topCaptions, expectedTop);
    for (const Case& c : cases) {
        const QMenu* menu = TopMenu(*editor, QString::fromUtf8(c.menu));
        ASSERT_NE(menu, nullptr) << c.menu;
        EXPECT_EQ(Describe(menu), c.items) << c.menu;
    }
}

TEST_F(FenstereditorTest, RadioGroupsAreExclusive)
{
    auto editor = makeEditor({});
    const auto* modeGroup = Part<QActionGroup>(*editor, "modeGroup");
    const auto* freeDimensionGroup = Part<QActionGroup>(*editor, "freeDimensionGroup");
    ASSERT_TRUE(modeGroup && freeDimensionGroup);
    const auto commands = [&editor](std::initializer_list<const char*> names) {
        QList<QAction*> list;
        for (const char* name : names)
            list << editor->action(QLatin1String(name));
        return list;
    };
    EXPECT_EQ(modeGroup->actions(), commands({ "Fenstermodus1", "Bitmapmodus1", "Masslinienmodus1" }));
    EXPECT_TRUE(modeGroup->isExclusive());
    EXPECT_EQ(freeDimensionGroup->actions(),
        commands({ "FreiBemassung", "FreieBemassungmitFangen1", "FreiBemassungmitFangpunkt1", "Masslinielschen1" }));
    EXPECT_TRUE(freeDimensionGroup->isExclusive());
    EXPECT_EQ(freeDimensionGroup->checkedAction(), nullptr) << "no free dimension mode at start";
}

TEST_F(FenstereditorTest, EveryShortcutBelongsToOneItem)
{
    auto editor = makeEditor({});
    QMap<QString, QStringList> owners;
    for (const QAction* action : editor->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            owners[action->shortcut().toString()] << action->text();
    }
    for (auto it = owners.begin(); it != owners.end(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.key().toStdString() << ": " << it.value().join(", ").toStdString();
    EXPECT_TRUE(editor->action(QStringLiteral("RahmenSprossenbreite1"))->shortcut().isEmpty());

    // Alt and a letter opens one menu of the menu bar, never two in turn.
    QMap<QChar, QStringList> menus;
    for (const QAction* menu : editor->findChild<QMenuBar*>()->actions()) {
        const qsizetype amp = menu->text().indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < menu->text().size())
            menus[menu->text().at(amp + 1).toLower()] << menu->text();
    }
    for (auto it = menus.begin(); it != menus.end(); ++it)
        EXPECT_EQ(it.value().size(), 1) << "Alt+" << QString(it.key()).toStdString() << ": "
                                        << it.value().join(", ").toStdString();
}

TEST_F(FenstereditorTest, CtrlBTogglesTheEdgeDimensions)
{
    auto editor = showEditor({});
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    ASSERT_TRUE(editor->edgeDimensionsShown());
    QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_FALSE(editor->edgeDimensionsShown());
    QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(editor->edgeDimensionsShown());
}

TEST_F(FenstereditorTest, PresetKeysThumbnailsAndHlfsvorschauReachTheirCommands)
{
    auto editor = showEditor({});
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    auto* windows = Part<QWidget>(*editor, "PanelFensterImages");
    auto* doors = Part<QWidget>(*editor, "PanelTuerImages");
    ASSERT_TRUE(windows && doors);
    // Built on the first showing, still hidden.
    EXPECT_EQ(editor->thumbnailPanels().thumbnails().size(), 11u);
    EXPECT_FALSE(windows->isVisible());
    EXPECT_TRUE(editor->edgeDimensionsShown());

    QTest::keyClick(editor.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(windows->isVisible());
    EXPECT_TRUE(doors->isVisible());
    EXPECT_EQ(windows->width(), 155);

    QTest::keyClick(editor.get(), Qt::Key_F4);
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1000,500,1,1000,1,500,R,F,K,G;"));
    QTest::mouseClick(editor->thumbnailPanels().thumbnails().at(7), Qt::LeftButton); // "Tür links"
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("2000,500,1,1000,1,500,L,F,G,e:2000;"));
    EXPECT_TRUE(editor->runPresetForPicture(editor->thumbnailPanels().thumbnails().at(0)->bitmap()));
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1000,500,1,1000,1,500,V;"));
    EXPECT_FALSE(editor->runPresetForPicture(QImage(8, 8, QImage::Format_ARGB32)));
    QTest::keyClick(editor.get(), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1500,500,2,500,1,500,F;1000,1,500,V;"));

    QTest::keyClick(editor.get(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(windows->isVisible());
    EXPECT_FALSE(doors->isVisible());
}

TEST_F(FenstereditorTest, DoubleClickOnTheOverallSizeOpensTheResizeDialog)
{
    auto editor = showEditor({});
    auto* box = Part<QWidget>(*editor, "GB_TotalSize");
    ASSERT_NE(box, nullptr);
    QString opened;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            modal->close();
        }
    });
    poll.start(10);
    QTimer::singleShot(5000, [&] { poll.stop(); });
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    poll.stop();
    EXPECT_EQ(opened, QStringLiteral("HStrecker"));
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
}

TEST_F(FenstereditorTest, CtrlHShowsAndHidesBothThumbnailColumns)
{
    auto editor = showEditor({});
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    for (bool shown : { true, false, true }) {
        QTest::keyClick(editor.get(), Qt::Key_H, Qt::ControlModifier);
        EXPECT_EQ(editor->action(QStringLiteral("Hlfsvorschau1"))->isChecked(), shown);
        EXPECT_EQ(Part<QWidget>(*editor, "PanelTuerImages")->isVisible(), shown);
        EXPECT_EQ(Part<QWidget>(*editor, "PanelFensterImages")->isVisible(), shown);
    }
}

// While an edit of the panel has the keyboard, the menu's commands still
// take their keys; the edit keeps the keys of its own text.
TEST_F(FenstereditorTest, MenuShortcutsReachTheMenuFromAPanelEdit)
{
    auto editor = showEditor({});
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    auto* rowHeight = editor->findChild<QAbstractSpinBox*>(QStringLiteral("Teilhoeheedit"));
    ASSERT_NE(rowHeight, nullptr);
    rowHeight->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowHeight->hasFocus(); }));

    QTest::keyClick(rowHeight, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(editor->action(QStringLiteral("Hlfsvorschau1"))->isChecked());
    QTest::keyClick(rowHeight, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(editor->document().model().RowCount(), 2);
    QTest::keyClick(rowHeight, Qt::Key_F4);
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1500,500,2,500,1,500,R,F,K,G;1000,1,500,F;"));

    // Ctrl+C copies the edit's text, not the drawing.
    QApplication::clipboard()->clear();
    rowHeight->selectAll();
    QTest::keyClick(rowHeight, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), rowHeight->text());
    EXPECT_TRUE(QApplication::clipboard()->image().isNull());
}

TEST_F(FenstereditorTest, PanelEditsReachTheDrawnDescription)
{
    auto editor = showEditor({});
    auto* rows = editor->findChild<QSpinBox*>(QStringLiteral("HoehenEdit"));
    ASSERT_NE(rows, nullptr);
    rows->setValue(2);
    EXPECT_EQ(editor->document().Memo1().toStdString(), WriteDescription(editor->document().model(), 1, 1));
    EXPECT_EQ(editor->document().model().RowCount(), 2);
}

TEST_F(FenstereditorTest, NormalStartShowsTheDefaultWindow)
{
    auto editor = showEditor({});
    EXPECT_EQ(editor->host().runMode(), RunMode::Normal);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Korvelan V2 2025[*]"));
    EXPECT_FALSE(editor->isWindowModified());
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_TRUE(Part<QWidget>(*editor, "PanelEdit")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "Panel4")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "PanelTuerImages")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "PanelFensterImages")->isVisible());
    EXPECT_EQ(Part<QLabel>(*editor, "statusPrompt")->text(), QStringLiteral("Fenstermodus aktiv"));
    EXPECT_EQ(Part<QLabel>(*editor, "statusPosition")->width(), 350);
    EXPECT_EQ(Part<QLabel>(*editor, "statusPrompt")->width(), 200);
    EXPECT_EQ(Part<QWidget>(*editor, "PanelEdit")->width(), 337);
    EXPECT_EQ(editor->document().constantScale(), 5.0);
    EXPECT_TRUE(editor->edgeDimensionsShown());
}

TEST_F(FenstereditorTest, ProgramFolderFillsTheSymbolAndStandardWindowMenus)
{
    for (const char* name : { "b&c.bmp", "A.BMP", "x.Bmp", "notes.txt", "y.bmp.txt", "Eck.fenster.std",
             "Eckfenster.STD", "z.st2" })
        writeBytes(programFolder() + QLatin1String(name), "not a picture");
    QImage picture(12, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(programFolder() + QStringLiteral("Echt.bmp"), "BMP"));
    auto editor = makeEditor({});

    // Each item shows its picture as an icon, when it is one.
    QStringList symbols;
    for (const QAction* action : editor->symbolMenu()->actions().mid(5))
        symbols << action->text() + QStringLiteral("=") + action->data().toString()
                + (action->icon().isNull() ? QString() : QStringLiteral(" [icon]"));
    EXPECT_EQ(symbols, (QStringList { "A=A.BMP", "b&&c=b&c.bmp", "Echt=Echt.bmp [icon]", "x=x.Bmp" }));

    QStringList windows;
    for (const QAction* action : editor->standardWindowMenu()->actions())
        windows << action->text() + QStringLiteral("=") + action->data().toString();
    EXPECT_EQ(windows, (QStringList { "Eck=Eck.fenster.std", "Eckfenster=Eckfenster.STD" }));
}

TEST_F(FenstereditorTest, ScaleComesFromTheCommandLineOrThePreference)
{
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    writeBytes(storePath(), R"({"Skalierung":3})");
    struct Case {
        const char* argument;
        double scale;
    };
    const Case cases[] = {
        { "-MASSSTAB:250", 2.5 },
        { "-massstab:100", 1.0 },
        { "-MASSSTAB:abc", 3.0 },
        { "-MASSSTAB:2.5", 3.0 },
        { "-MASSSTAB:0", 3.0 },
        { "-MASSSTAB:-5", 3.0 },
        { "", 3.0 },
    };
    for (const Case& c : cases) {
        auto editor = showEditor({ QString::fromLatin1(c.argument) });
        EXPECT_EQ(editor->document().constantScale(), c.scale) << c.argument;
    }
}

TEST_F(FenstereditorTest, HostEditShowsTheHostBarAndWritesOnOk)
{
    const QString host = file("Haus.Fnt");
    // A byte-order mark, a header that disagrees with the rows and a final
    // line break: "OK" hands back the text as loaded, as Windows-1252.
    writeBytes(host, "\xEF\xBB\xBF" "2000,1000,1,1000,1,1000,L,F;\r\n");
    auto editor = showEditor({ QStringLiteral("-FILE:") + host });
    EXPECT_EQ(editor->host().runMode(), RunMode::HostEdit);
    EXPECT_TRUE(Part<QWidget>(*editor, "Panel4")->isVisible());
    EXPECT_FALSE(editor->edgeDimensionsShown()) << "edge dimensions are off in host mode without M";
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("2000,1000,1,1000,1,1000,L,F;"));
    EXPECT_EQ(editor->document().documentName(), host);
    EXPECT_EQ(editor->document().model().height(), 2000);

    QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(readBytes(host), "2000,1000,1,1000,1,1000,L,F;");
    EXPECT_TRUE(editor->isVisible()) << "the window stays open after OK";

    QTest::mouseClick(Part<QPushButton>(*editor, "FensterEntfernen"), Qt::LeftButton);
    EXPECT_EQ(readBytes(host), "2000,1000,1,1000,1,1000,L,F;") << "Entfernen writes nothing";
    QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(readBytes(host), " ");

    writeBytes(host, "1000,1000,1,1000,1,1000,V;");
    QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn2"), Qt::LeftButton);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(readBytes(host), "1000,1000,1,1000,1,1000,V;") << "Abbrechen writes nothing";
}

TEST_F(FenstereditorTest, HostEditWithMShowsEdgeDimensions)
{
    const QString host = file("a.Fnt");
    writeBytes(host, "1000,1000,1,1000,1,1000,V;");
    auto editor = showEditor({ QStringLiteral("-FILE:") + host, QStringLiteral("m") });
    EXPECT_TRUE(editor->edgeDimensionsShown());
}

TEST_F(FenstereditorTest, EmptyHostFileBecomesTheDefaultWindow)
{
    const QString host = file("leer.Fnt");
    writeBytes(host, "");
    auto editor = showEditor({ QStringLiteral("-FILE:") + host });
    QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(readBytes(host), "1000,500,1,1000,1,500,F;");
}

TEST_F(FenstereditorTest, ReadOnlyShowsTheDrawingOnly)
{
    const QString host = file("a.Fnt");
    writeBytes(host, "1000,1000,1,1000,1,1000,V;");
    auto editor = showEditor({ QStringLiteral("-FILE:") + host, QStringLiteral("READONLY") });
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    EXPECT_EQ(editor->host().runMode(), RunMode::HostReadOnly);
    EXPECT_EQ(editor->mainMenu(), nullptr);
    EXPECT_TRUE(editor->findChildren<QMenuBar*>().isEmpty());
    EXPECT_FALSE(Part<QWidget>(*editor, "PanelEdit")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "HoeheSpin")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "BreiteSpin")->isVisible());
    EXPECT_FALSE(Part<QWidget>(*editor, "Panel4")->isVisible());
    EXPECT_TRUE(Part<QWidget>(*editor, "PaintBox1")->isVisible());
    const bool before = editor->edgeDimensionsShown();
    QTest::keyClick(editor.get(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(editor->edgeDimensionsShown(), before) << "no shortcut works without the menu";
    editor->close();
    EXPECT_EQ(readBytes(host), "1000,1000,1,1000,1,1000,V;");
}

TEST_F(FenstereditorTest, RenderOnlyWithoutScreenEndsOnBadInput)
{
    struct Case {
        const char* name;
        const char* content; // nullptr: no host file at all
        RunOutcome outcome;
        int exitCode;
    };
    const Case cases[] = {
        { "missing host file", nullptr, RunOutcome::Failed, 2 },
        { "not a description", "1000,abc,1,1000,1,1000,V;", RunOutcome::Failed, 2 },
        { "field without width", "1000,1000,1,1000,1,F;", RunOutcome::DataFileError, 137 },
    };
    for (const Case& c : cases) {
        const QString host = file("render.Fnt");
        const QString out = file("render.bmp");
        QFile::remove(host);
        QFile::remove(out);
        if (c.content)
            writeBytes(host, c.content);
        auto editor = runToEnd({ QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + out });
        EXPECT_EQ(editor->host().outcome(), c.outcome) << c.name;
        EXPECT_EQ(editor->host().exitCode(), c.exitCode) << c.name;
        EXPECT_FALSE(editor->isVisible()) << c.name << ": the run ends instead of waiting";
        EXPECT_FALSE(QFile::exists(out)) << c.name << ": nothing is written";
    }
}

// The picture of a 24-bit BMP file, or a null image.
QImage ReadBmp24(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    if (bytes.size() < 30 || !bytes.startsWith("BM") || quint8(bytes[28]) != 24)
        return {};
    return QImage::fromData(bytes, "BMP");
}

TEST_F(FenstereditorTest, RenderOnlyWritesTheCroppedBitmapAndEnds)
{
    const QString host = file("Tuer.Fnt");
    writeBytes(host, "2000,1000,1,1000,1,1000,L,F,T:6,e:2000;");
    const QString out = file("Tuer.bmp");
    writeBytes(out, "old picture");
    auto editor = runToEnd({ QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + out });
    EXPECT_EQ(editor->host().outcome(), RunOutcome::Done);
    EXPECT_EQ(editor->host().exitCode(), 0);
    const QImage picture = ReadBmp24(out);
    ASSERT_FALSE(picture.isNull()) << "a 24-bit BMP replaces the old file";
    // 1000 x 2000 mm at 5 mm per pixel: 200 x 400 pixels of window, within
    // the canvas of 10 text heights more.
    EXPECT_GE(picture.width(), 200);
    EXPECT_LE(picture.width(), 203 + 10 * 20);
    EXPECT_GE(picture.height(), 400);
    EXPECT_LE(picture.height(), 402 + 10 * 20);
    EXPECT_EQ(readBytes(host), "2000,1000,1,1000,1,1000,L,F,T:6,e:2000;") << "the host file stays as it was";

    // Half the millimetres per pixel: twice the picture.
    auto finer = runToEnd(
        { QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + out, QStringLiteral("-MASSSTAB:250") });
    const QImage twice = ReadBmp24(out);
    EXPECT_GE(twice.width(), 400);
    EXPECT_GE(twice.height(), 800);
    EXPECT_LE(twice.height(), 802 + 10 * 20);
}

TEST_F(FenstereditorTest, ConstantScaleIgnoresTheWindowSize)
{
    auto editor = showEditor({});
    const QImage small = editor->RenderConstantScale(5.0);
    editor->resize(1400, 900);
    QApplication::processEvents();
    EXPECT_EQ(editor->RenderConstantScale(5.0), small);
    EXPECT_THROW(editor->RenderConstantScale(0.0), std::invalid_argument);
}

TEST_F(FenstereditorTest, FailedExportKeepsTheOldBitmap)
{
    auto editor = showEditor({});
    const QString out = file("Haus.bmp");
    writeBytes(out, "old picture");
    // A field width the drawing cannot read: nothing is written.
    editor->document().setMemo1(QStringLiteral("1000,1000,1,1000,1,F;"));
    EXPECT_THROW(editor->ExportConstantScale(out), DataFileError);
    EXPECT_EQ(readBytes(out), "old picture");
    EXPECT_TRUE(editor->isEnabled()) << "the window is enabled again";
    EXPECT_TRUE(Engine().HighlightSelection) << "the highlight is switched on again";
}

TEST_F(FenstereditorTest, ConstantScaleExportIsTheRenderedPicture)
{
    auto editor = showEditor({});
    editor->document().setMemo1(QStringLiteral("2000,1500,2,1000,2,700,L,F,K;800,V;1000,1,1500,R,F;"));
    editor->document().setMemo3(QStringLiteral("M:0,0,1500,0,-300,0;"));
    editor->document().setConstantScale(4.0);
    const QString out = file("Export.bmp");
    editor->ExportConstantScale(out);
    const QImage written = ReadBmp24(out);
    ASSERT_FALSE(written.isNull());
    // The export switches the highlight off; so must the reference picture.
    Engine().HighlightSelection = false;
    const QImage rendered = editor->RenderConstantScale(4.0).convertToFormat(QImage::Format_RGB888);
    Engine().HighlightSelection = true;
    ASSERT_EQ(written.size(), rendered.size());
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB888), rendered);
}

// Render-only runs end on their own, whatever goes wrong: the message goes to
// standard error and the exit code says what happened; no box ever waits.
TEST_F(FenstereditorTest, RenderOnlyErrorsEndTheRunWithoutABox)
{
    struct Case {
        const char* name;
        void (*prepare)(const QString& host, const QString& out);
        RunOutcome outcome;
        int exitCode;
    };
    const Case cases[] = {
        { "host file is a folder", [](const QString& host, const QString&) { QDir().mkpath(host); },
            RunOutcome::Failed, 2 },
        { "host file is a pipe",
            [](const QString& host, const QString&) { ASSERT_EQ(mkfifo(QFile::encodeName(host).constData(), 0600), 0); },
            RunOutcome::Failed, 2 },
        { "not a description", [](const QString& host, const QString&) { writeBytes(host, "1000,abc,1,1000,1,1000,V;"); },
            RunOutcome::Failed, 2 },
        { "field width not a number",
            [](const QString& host, const QString&) { writeBytes(host, "1000,1000,1,1000,1,x,F;"); },
            RunOutcome::DataFileError, 137 },
        { "out file is the host file",
            [](const QString& host, const QString& out) {
                writeBytes(host, "1000,1000,1,1000,1,1000,V;");
                QFile::remove(out);
                ASSERT_TRUE(QFile::link(host, out));
            },
            RunOutcome::Failed, 2 },
    };
    int boxes = 0;
    QTimer watcher;
    watcher.setInterval(1);
    QObject::connect(&watcher, &QTimer::timeout, [&boxes] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            ++boxes;
            box->close();
        }
    });
    watcher.start();
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString host = folder.filePath(QStringLiteral("render.Fnt"));
        const QString out = folder.filePath(QStringLiteral("render.bmp"));
        c.prepare(host, out);
        const QByteArray before = QFileInfo(host).isFile() ? readBytes(host) : QByteArray();
        boxes = 0;
        auto editor = runToEnd({ QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + out });
        QApplication::processEvents();
        EXPECT_EQ(editor->host().outcome(), c.outcome) << c.name;
        EXPECT_EQ(editor->host().exitCode(), c.exitCode) << c.name;
        EXPECT_EQ(boxes, 0) << c.name;
        EXPECT_FALSE(editor->isVisible()) << c.name;
        if (QFileInfo(host).isFile()) {
            EXPECT_EQ(readBytes(host), before) << c.name << ": the host file stays as it was";
        }
        if (!QFileInfo(out).isSymLink()) {
            EXPECT_FALSE(QFileInfo::exists(out)) << c.name << ": nothing is written";
        }
    }
}

TEST_F(FenstereditorTest, RenderOnlyReadsAndSavesThePreferencesWithoutShowing)
{
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    writeBytes(storePath(), R"({"Rahmen":"5","Skalierung":4})");
    const QString host = file("p.Fnt");
    writeBytes(host, "1000,1000,1,1000,1,1000,V;");
    auto editor = runToEnd({ QStringLiteral("-FILE:") + host, QStringLiteral("-OUTFILE:") + file("p.bmp") });
    EXPECT_EQ(editor->host().outcome(), RunOutcome::Done);
    EXPECT_EQ(editor->document().constantScale(), 4.0) << "the preference gives the scale";
    EXPECT_FALSE(editor->testAttribute(Qt::WA_WState_ExplicitShowHide)) << "the window was never shown";
    const QJsonObject saved = QJsonDocument::fromJson(readBytes(storePath())).object();
    // The nine drawing values and the three of the true-scale sheet.
    EXPECT_EQ(saved.size(), 12) << "the preferences are written back at the end";
    EXPECT_EQ(saved.value("Rahmen").toString(), QStringLiteral("5"));
}

// A host file that could not be read was never the user's text in the
// editor: "OK" must not replace it with the default window.
TEST_F(FenstereditorTest, OkRefusesAfterAFailedRead)
{
    struct Case {
        const char* name;
        void (*prepare)(const QString& host);
    };
    const Case cases[] = {
        { "too large", [](const QString& host) { writeBytes(host, QByteArray(kMaxReadFileBytes + 1, '1')); } },
        { "a pipe", [](const QString& host) { ASSERT_EQ(mkfifo(QFile::encodeName(host).constData(), 0600), 0); } },
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString host = folder.filePath(QStringLiteral("Haus.Fnt"));
        c.prepare(host);
        const qint64 sizeBefore = QFileInfo(host).size();
        const bool wasFile = QFileInfo(host).isFile();
        MessageBoxAnswerer boxes;
        const QStringList& shown = boxes.texts();
        auto editor = showEditor({ QStringLiteral("-FILE:") + host });
        ASSERT_TRUE(QTest::qWaitFor([&shown] { return shown.size() == 1; }, 5000)) << c.name;
        EXPECT_FALSE(editor->host().hostFileRead()) << c.name;
        QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn1"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&shown] { return shown.size() == 2; }, 5000)) << c.name;
        EXPECT_TRUE(shown[1].contains(QStringLiteral("nicht überschrieben"))) << shown[1].toStdString();
        EXPECT_EQ(QFileInfo(host).isFile(), wasFile) << c.name << ": the file is still what it was";
        EXPECT_EQ(QFileInfo(host).size(), sizeBefore) << c.name;
        EXPECT_TRUE(editor->isVisible()) << c.name;
    }
}

TEST_F(FenstereditorTest, ClosingSavesThePreferences)
{
    {
        auto editor = showEditor({});
        Settings().Rahmen = 6;
        editor->close();
    }
    QFile store(storePath());
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    const QJsonObject object = QJsonDocument::fromJson(store.readAll()).object();
    EXPECT_EQ(object.size(), 12);
    EXPECT_EQ(object.value("Rahmen").toString(), QStringLiteral("6"));
    EXPECT_EQ(object.value("ExportMassstab").toInt(), 20);
    EXPECT_EQ(object.value("Skalierung").toInt(), 5);
    EXPECT_EQ(object.value("FONTNAME").toString(), QStringLiteral("Arial"));
    EXPECT_EQ(object.value("FONTSIZE").toInt(), 8);
}

TEST_F(FenstereditorTest, PreferencesLoadAtCreationAndResetKeepsTheConstantScale)
{
    QDir().mkpath(QFileInfo(storePath()).absolutePath());
    writeBytes(storePath(), R"({"Rahmen":"7","Color":"255","Skalierung":4,"FONTNAME":"Liberation Serif","FONTSIZE":12})");
    auto editor = showEditor({});
    EXPECT_EQ(Settings().Rahmen, 7);
    EXPECT_EQ(Settings().Color, kRed);
    EXPECT_EQ(editor->drawingArea().options().font.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(editor->drawingArea().options().font.pointSize(), 12);
    EXPECT_EQ(editor->document().constantScale(), 4.0);

    editor->action(QStringLiteral("Rcksetzen1"))->trigger();
    EXPECT_EQ(Settings().Rahmen, 3);
    EXPECT_EQ(Settings().Color, kBlack);
    EXPECT_EQ(editor->drawingArea().options().font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(editor->document().constantScale(), 4.0) << "the constant scale stays until the program restarts";

    editor->action(QStringLiteral("Einstellungenneuladen1"))->trigger();
    EXPECT_EQ(Settings().Rahmen, 7);
}

TEST_F(FenstereditorTest, FailedOkReportsTheErrorAndGoesOn)
{
    const QString host = file("a.Fnt");
    writeBytes(host, "1000,1000,1,1000,1,1000,V;");
    auto editor = showEditor({ QStringLiteral("-FILE:") + host });
    // The host file's folder disappears: "OK" cannot write.
    const QString moved = file("moved");
    QDir().mkpath(moved);
    ASSERT_TRUE(QFile::rename(host, moved + QStringLiteral("/a.Fnt")));
    ASSERT_TRUE(QDir().mkpath(host)); // a folder where the file was

    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    QTest::mouseClick(Part<QPushButton>(*editor, "BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(shown.contains(QStringLiteral("a.Fnt"))) << shown.toStdString();
    EXPECT_TRUE(editor->isVisible());
}

TEST_F(FenstereditorTest, DrawingErrorsAreReportedOncePerChange)
{
    auto editor = showEditor({});
    MessageBoxAnswerer answerer;
    QStringList& boxes = answerer.texts();
    const auto repaintSeveralTimes = [&editor] {
        for (int i = 0; i < 3; ++i) {
            Part<QWidget>(*editor, "PaintBox1")->repaint();
            QTest::qWait(30);
        }
    };
    struct Case {
        const char* name;
        void (EditorDocument::*set)(const QString&);
        const char* bad;
        const char* otherBad;
    };
    const Case cases[] = {
        { "dimension line list", &EditorDocument::setMemo3, "M:1,2,x;", "M:1,y;" },
        { "description", &EditorDocument::setMemo1, "1000,1000,1,1000,1,F;", "1000,1000,1,1000,1,V;" },
    };
    for (const Case& c : cases) {
        boxes.clear();
        (editor->document().*c.set)(QString::fromLatin1(c.bad));
        repaintSeveralTimes();
        EXPECT_EQ(boxes.size(), 1) << c.name;
        (editor->document().*c.set)(QString::fromLatin1(c.otherBad));
        repaintSeveralTimes();
        (editor->document().*c.set)(QString::fromLatin1(c.bad));
        repaintSeveralTimes();
        EXPECT_EQ(boxes.size(), 3) << c.name << ": each change reports again";
        EXPECT_TRUE(editor->isVisible()) << c.name;
    }
}

TEST(HelpTarget, PrefersTheLanguageManualThenTheManualThenTheInstalledDocumentation)
{
    // An installed tree: the program folder is share/fensterdaten/, the
    // documentation share/doc/fensterdaten/.
    struct Case {
        const char* name;
        QStringList files; // below share/
        const char* code;
        const char* target; // below share/, empty: nothing to open
    };
    const Case cases[] = {
        { "nothing installed", {}, "0407", "" },
        { "the documentation alone", { "doc/fensterdaten/Handbuch.md" }, "0407",
            "doc/fensterdaten/Handbuch.md" },
        { "the manual before the documentation", { "fensterdaten/help/Handbuch.pdf", "doc/fensterdaten/Handbuch.md" },
            "0407", "fensterdaten/help/Handbuch.pdf" },
        { "the language's manual first",
            { "fensterdaten/help/Handbuch.pdf", "fensterdaten/help/Handbuch_0407.pdf", "doc/fensterdaten/Handbuch.md" },
            "0407", "fensterdaten/help/Handbuch_0407.pdf" },
        { "another language's manual is not taken", { "fensterdaten/help/Handbuch_0407.pdf" }, "0409", "" },
        { "another language falls back to the manual",
            { "fensterdaten/help/Handbuch.pdf", "fensterdaten/help/Handbuch_0407.pdf" }, "0409",
            "fensterdaten/help/Handbuch.pdf" },
        { "a folder named like the manual is no manual", { "fensterdaten/help/Handbuch.pdf/x" }, "0407", "" },
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString share = folder.path() + QStringLiteral("/share/");
        QDir().mkpath(share + QStringLiteral("fensterdaten"));
        for (const QString& name : c.files) {
            QDir().mkpath(QFileInfo(share + name).absolutePath());
            QFile made(share + name);
            ASSERT_TRUE(made.open(QIODevice::WriteOnly)) << c.name;
        }
        const QUrl target = HelpTarget(share + QStringLiteral("fensterdaten/"), QString::fromLatin1(c.code));
        if (QByteArray(c.target).isEmpty()) {
            EXPECT_TRUE(target.isEmpty()) << c.name << ": " << target.toString().toStdString();
            continue;
        }
        EXPECT_TRUE(target.isLocalFile()) << c.name;
        EXPECT_EQ(target.toLocalFile(), share + QString::fromLatin1(c.target)) << c.name;
    }
}

} // namespace

namespace {

// Answers every modal box with the button captioned answer and keeps the
// texts of each box's buttons, in name order.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QString answer)
        : m_answer(std::move(answer))
    {
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QStringList captions;
            QAbstractButton* chosen = nullptr;
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text();
                if (button->text() == m_answer)
                    chosen = button;
            }
            captions.sort();
            m_boxes << captions.join(QLatin1Char('|'));
            if (chosen)
                chosen->click();
            else
                box->reject();
        });
        m_timer.start();
    }
    const QStringList& boxes() const { return m_boxes; }

private:
    QString m_answer;
    QTimer m_timer;
    QStringList m_boxes;
};

TEST_F(FenstereditorTest, ClosingWithUnsavedChangesAsksInNormalModeOnly)
{
    struct Case {
        const char* name;
        bool host;
        bool change;
        const char* answer;
        bool closes;
        int boxes;
    };
    const Case cases[] = {
        { "nothing changed", false, false, "Abbrechen", true, 0 },
        { "changed, Abbrechen", false, true, "Abbrechen", false, 1 },
        { "changed, Verwerfen", false, true, "Verwerfen", true, 1 },
        { "host mode never asks", true, true, "Abbrechen", true, 0 },
    };
    for (const Case& c : cases) {
        const QString host = file("host.Fnt");
        writeBytes(host, "1000,1000,1,1000,1,1000,V;");
        auto editor = showEditor(c.host ? QStringList { QStringLiteral("-FILE:") + host } : QStringList {});
        if (c.change)
            editor->document().setMemo3(QStringLiteral("M:0,0,10,0,5,0;"));
        EXPECT_EQ(editor->isWindowModified(), c.change) << c.name;
        BoxAnswerer answerer(QString::fromLatin1(c.answer));
        EXPECT_EQ(editor->close(), c.closes) << c.name;
        EXPECT_EQ(answerer.boxes().size(), c.boxes) << c.name;
        if (c.boxes > 0) {
            EXPECT_EQ(answerer.boxes().constFirst(), QStringLiteral("Abbrechen|Speichern|Verwerfen")) << c.name;
        }
        EXPECT_EQ(readBytes(host), QByteArray("1000,1000,1,1000,1,1000,V;")) << c.name << ": the host file stays";
        if (editor->isVisible()) {
            BoxAnswerer discard(QStringLiteral("Verwerfen"));
            editor->close();
        }
    }
}

TEST_F(FenstereditorTest, CaptionShowsTheDocumentAndItsModifiedMarker)
{
    auto editor = showEditor({});
    const QString saved = file("Haus.Fnt");
    writeBytes(saved, "1000,1000,1,1000,1,1000,V;");
    ASSERT_TRUE(editor->documents().LoadDocument(saved));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Korvelan V2 2025 - Haus.Fnt[*]"));
    EXPECT_FALSE(editor->isWindowModified());
    EXPECT_FALSE(editor->action(QStringLiteral("Wiederherstellen1"))->isEnabled());

    editor->document().setMemo3(QStringLiteral("M:0,0,10,0,5,0;"));
    EXPECT_TRUE(editor->isWindowModified());
    ASSERT_TRUE(editor->action(QStringLiteral("Rueckgaengig1"))->isEnabled());
    // Alt+Backspace undoes; Ctrl+Z stays with the symbols.
    QTest::keyClick(editor.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(editor->document().Memo3().isEmpty());
    EXPECT_FALSE(editor->isWindowModified());
    QTest::keyClick(editor.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor->document().Memo3(), QStringLiteral("M:0,0,10,0,5,0;"));

    editor->action(QStringLiteral("Neu1"))->trigger();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Korvelan V2 2025[*]"));
    EXPECT_FALSE(editor->isWindowModified());
    BoxAnswerer discard(QStringLiteral("Verwerfen"));
    editor->close();
}

} // namespace

namespace {

TEST_F(FenstereditorTest, ABitmapExportDoesNotBecomeTheDocumentName)
{
    auto editor = showEditor({});
    const QString document = file("Haus.Fnt");
    writeBytes(document, "1000,1000,1,1000,1,1000,V;");
    ASSERT_TRUE(editor->documents().LoadDocument(document));
    const QString picture = file("Bild.bmp");
    // The shared save dialog is answered with the picture's name.
    QTimer answer;
    answer.setInterval(1);
    QObject::connect(&answer, &QTimer::timeout, [&picture] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(picture);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    answer.start();
    editor->action(QStringLiteral("ExportalsBitmpakonstanterMassstab1"))->trigger();
    answer.stop();
    EXPECT_TRUE(readBytes(picture).startsWith("BM"));
    EXPECT_EQ(editor->document().documentName(), document);

    // "&Speichern" goes on saving the window, not the picture.
    const QByteArray pictureBytes = readBytes(picture);
    editor->document().setMemo1(QStringLiteral("800,600,1,800,1,600,F;"));
    editor->action(QStringLiteral("Speichern1"))->trigger();
    EXPECT_EQ(readBytes(document), QByteArray("800,600,1,800,1,600,F;"));
    EXPECT_EQ(readBytes(picture), pictureBytes);
    EXPECT_FALSE(editor->isWindowModified());
}

} // namespace
