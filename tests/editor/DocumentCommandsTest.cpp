#include "DocumentCommands.h"

#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "TestSupport.h"

#include "Description.h"
#include "DiskFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace fenster;
using fenster::test::ReadBytes;
using fenster::test::TemporaryFolder;
using fenster::test::WriteBytes;

namespace {

const QByteArray kDescription = "1400,2000,1,1400,3,600,L,F,K;800,V;600,R,F,K;";
const QByteArray kSymbols = "B:VSG.bmp,400,250,10,0,28;";
const QByteArray kDimensionLines = "M:0,1400,800,1400,100,0;\r\nM:0,0,800,0,50,0;";

// The commands over a document with hooks a test answers: the dialogs give
// what the test has put into openName / saveName, and every call is counted.
class DocumentCommandsTest : public ::testing::Test {
public:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(programFolder()));
        DocumentCommands::Hooks hooks;
        hooks.chooseFileToOpen = [this](const QString&) {
            ++opened;
            return openName;
        };
        hooks.chooseFileToSave = [this](const QString&) {
            ++saveAsked;
            return saveName;
        };
        hooks.confirm = [this](const QString& text) {
            questions << text;
            return confirmAnswer;
        };
        hooks.askUnsaved = [this] {
            ++unsavedAsked;
            return unsavedAnswer;
        };
        hooks.reportError = [this](const QString& message) { errors << message; };
        hooks.edgeDimensionsShown = [this] { return edgeDimensions; };
        hooks.setEdgeDimensionsShown = [this](bool shown) { edgeDimensions = shown; };
        hooks.switchToWindowMode = [this] { ++windowMode; };
        hooks.screenPicture = [] {
            QImage picture(30, 20, QImage::Format_RGB32);
            picture.fill(Qt::white);
            return picture;
        };
        commands = std::make_unique<DocumentCommands>(document, programFolder(), std::move(hooks));
    }

    QString programFolder() const { return folder.filePath(QStringLiteral("program")) + QLatin1Char('/'); }
    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    // A document set on disk; lists left out when null.
    QString writeSet(const char* name, const QByteArray& description, const char* symbols, const char* dimensionLines,
        const char* settings = nullptr)
    {
        const QString file = WriteBytes(path(name), description);
        const DocumentFiles files = FilesOfDocument(file);
        if (symbols)
            WriteBytes(files.symbols, symbols);
        if (dimensionLines)
            WriteBytes(files.dimensionLines, dimensionLines);
        if (settings)
            WriteBytes(files.settings, settings);
        return file;
    }

    // The document as the test saw it, to compare before and after.
    struct State {
        QString memo1, memo2, memo3, name;
        int left, bottom;
        bool edge;
        bool operator==(const State&) const = default;
    };
    State state() const
    {
        return { document.Memo1(), document.Memo2(), document.Memo3(), document.documentName(), document.leftMargin(),
            document.bottomMargin(), edgeDimensions };
    }

    TemporaryFolder folder;
    EditorDocument document;
    std::unique_ptr<DocumentCommands> commands;
    QString openName;
    QString saveName;
    bool confirmAnswer = true;
    DocumentCommands::UnsavedAnswer unsavedAnswer = DocumentCommands::UnsavedAnswer::Cancel;
    bool edgeDimensions = true;
    int opened = 0;
    int saveAsked = 0;
    int unsavedAsked = 0;
    int windowMode = 0;
    QStringList questions;
    QStringList errors;
};

TEST_F(DocumentCommandsTest, CompanionsReplaceTheExtension)
{
    struct Case {
        const char* file;
        DocumentKind kind;
        const char* symbols;
        const char* settings;
    };
    const Case cases[] = {
        { "/d/Haus.Fnt", DocumentKind::Window, "/d/Haus.fn2", "/d/Haus.fn4" },
        { "/d/Daten.2024/Haus.Fnt", DocumentKind::Window, "/d/Daten.2024/Haus.fn2", "/d/Daten.2024/Haus.fn4" },
        { "/d/Daten.2024/Haus", DocumentKind::Window, "/d/Daten.2024/Haus.fn2", "/d/Daten.2024/Haus.fn4" },
        { "/d/Eck.fenster.txt", DocumentKind::Window, "/d/Eck.fenster.fn2", "/d/Eck.fenster.fn4" },
        { "/d/Haus.STD", DocumentKind::StandardWindow, "/d/Haus.st2", "/d/Haus.st4" },
        { "/d/haus.Std", DocumentKind::StandardWindow, "/d/haus.st2", "/d/haus.st4" },
        { "/d/Haus.BMP", DocumentKind::Picture, "/d/Haus.fn2", "/d/Haus.fn4" },
        { "/d/Haus.bmp.Fnt", DocumentKind::Window, "/d/Haus.bmp.fn2", "/d/Haus.bmp.fn4" },
    };
    for (const Case& c : cases) {
        const QString file = QString::fromUtf8(c.file);
        EXPECT_EQ(KindOfFile(file), c.kind) << c.file;
        const DocumentFiles files = FilesOfDocument(file);
        EXPECT_EQ(files.description, file) << c.file;
        EXPECT_EQ(files.symbols, QString::fromUtf8(c.symbols)) << c.file;
        EXPECT_EQ(files.settings, QString::fromUtf8(c.settings)) << c.file;
    }
}

TEST_F(DocumentCommandsTest, SavingWritesTheSetByExtension)
{
    document.setMargins(1, 1);
    edgeDimensions = false;
    document.loadTexts(QString::fromLatin1(kDescription), QString::fromLatin1(kSymbols), {},
        EditorDocument::KeepDescription::No);
    const QByteArray description = document.Memo1().toLatin1();
    const QByteArray settings = "[Settings]\r\nRandlinks=1\r\nRandunten=1\r\nBemassung=0\r\n";
    QSignalSpy menuChanges(commands.get(), &DocumentCommands::standardWindowsChanged);
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, QByteArray>> files; // every file the folder holds afterwards
        int menuChanges;
    };
    const Case cases[] = {
        { "Haus.Fnt", { { "Haus.Fnt", description }, { "Haus.fn2", kSymbols }, { "Haus.fn3", "" }, { "Haus.fn4", settings } },
            0 },
        { "Haus.STD", { { "Haus.STD", description }, { "Haus.st2", kSymbols }, { "Haus.st3", "" }, { "Haus.st4", settings } },
            1 },
        { "Haus.BMP", { { "Haus.BMP", {} } }, 0 },
    };
    for (const Case& c : cases) {
        TemporaryFolder target;
        menuChanges.clear();
        ASSERT_TRUE(commands->SaveDocument(target.filePath(QString::fromLatin1(c.name)))) << c.name;
        QStringList expectedNames;
        for (const auto& [name, bytes] : c.files) {
            expectedNames << QString::fromLatin1(name);
            const QByteArray written = ReadBytes(target.filePath(QString::fromLatin1(name)));
            if (KindOfFile(QString::fromLatin1(name)) == DocumentKind::Picture)
                EXPECT_TRUE(written.startsWith("BM")) << c.name;
            else
                EXPECT_EQ(written.toStdString(), bytes.toStdString()) << c.name << ": " << name;
        }
        expectedNames.sort();
        EXPECT_EQ(QDir(target.path()).entryList(QDir::Files, QDir::Name), expectedNames) << c.name;
        EXPECT_EQ(menuChanges.size(), c.menuChanges) << c.name;
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(DocumentCommandsTest, EveryExampleSurvivesSaveLoadSaveByteForByte)
{
    const QDir examples(QStringLiteral(FENSTER_EXAMPLES));
    const QStringList names = examples.entryList({ QStringLiteral("*.Fnt") }, QDir::Files);
    ASSERT_GE(names.size(), 10);
    for (const QString& name : names) {
        ASSERT_TRUE(commands->LoadDocument(examples.filePath(name))) << name.toStdString();
        TemporaryFolder first;
        TemporaryFolder second;
        ASSERT_TRUE(commands->SaveDocument(first.filePath(name)));
        ASSERT_TRUE(commands->LoadDocument(first.filePath(name)));
        ASSERT_TRUE(commands->SaveDocument(second.filePath(name)));
        const QStringList written = QDir(first.path()).entryList(QDir::Files, QDir::Name);
        EXPECT_EQ(written.size(), 4) << name.toStdString();
        EXPECT_EQ(QDir(second.path()).entryList(QDir::Files, QDir::Name), written) << name.toStdString();
        for (const QString& file : written)
            EXPECT_EQ(ReadBytes(first.filePath(file)), ReadBytes(second.filePath(file))) << file.toStdString();
        // The lists and a canonical description come out as they went in.
        for (const char* extension : { "fn2", "fn3" }) {
            const QString original = CompanionName(examples.filePath(name), QLatin1String(extension));
            if (QFileInfo(original).isFile()) {
                EXPECT_EQ(ReadBytes(original), ReadBytes(CompanionName(first.filePath(name), QLatin1String(extension))))
                    << original.toStdString();
            }
        }
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(DocumentCommandsTest, LoadingTakesTheWholeSet)
{
    const QString file = writeSet("Haus.Fnt", kDescription, kSymbols, kDimensionLines,
        "[Settings]\r\nRandlinks=7\r\nRandunten=9\r\nBemassung=0\r\n");
    openName = file;
    document.setSelection(2, 3);
    commands->Laden1Click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(document.Memo1().toLatin1(), kDescription);
    EXPECT_EQ(document.Memo2().toLatin1(), kSymbols);
    EXPECT_EQ(document.Memo3().toLatin1(), kDimensionLines);
    EXPECT_EQ(document.documentName(), file);
    EXPECT_EQ(document.leftMargin(), 7);
    EXPECT_EQ(document.bottomMargin(), 9);
    EXPECT_FALSE(edgeDimensions);
    EXPECT_EQ(document.SelectedRow(), 1);
    EXPECT_EQ(document.SelectedField(), 1);
    EXPECT_EQ(document.model().width(), 2000);
    EXPECT_FALSE(document.isModified());

    // Loading is one step: undo gives back the window before it.
    document.undo();
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_TRUE(document.Memo2().isEmpty());
}

TEST_F(DocumentCommandsTest, ADocumentWithoutCompanionsHasEmptyLists)
{
    document.loadTexts(QString::fromLatin1(kDescription), QStringLiteral("B:alt.bmp,1,1,1,0,1;"),
        QStringLiteral("M:1,1,2,2,3,0;"), EditorDocument::KeepDescription::No);
    ASSERT_TRUE(commands->LoadDocument(writeSet("Allein.Fnt", "800,600,1,800,1,600,F;", nullptr, nullptr)));
    EXPECT_TRUE(document.Memo2().isEmpty());
    EXPECT_TRUE(document.Memo3().isEmpty());
    EXPECT_EQ(document.leftMargin(), 20);
    EXPECT_EQ(document.bottomMargin(), 20);
    EXPECT_TRUE(edgeDimensions);
}

TEST_F(DocumentCommandsTest, AnEmptyDescriptionLoadsAsTheDefaultWindow)
{
    ASSERT_TRUE(commands->LoadDocument(writeSet("Leer.Fnt", "", nullptr, nullptr)));
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
}

TEST_F(DocumentCommandsTest, ABadSetLeavesThePresentDocumentWhole)
{
    struct Case {
        const char* name;
        std::function<QString(DocumentCommandsTest&)> make; // the file to load
        const char* messagePart;
    };
    const auto huge = [](const QString& file) {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        EXPECT_TRUE(f.resize(kMaxReadFileBytes + 1));
        return file;
    };
    const Case cases[] = {
        { "description the reader refuses",
            [](DocumentCommandsTest& t) { return t.writeSet("Falsch.Fnt", "1000,abc,1;", "B:x.bmp,1,1,1,0,1;", "M:1;"); },
            "abc" },
        { "binary description",
            [](DocumentCommandsTest& t) {
                return t.writeSet("Binaer.Fnt", QByteArray("\x00\x01\xff\xfe\x00", 5), nullptr, nullptr);
            },
            "Integer" },
        { "missing description", [](DocumentCommandsTest& t) { return t.path("Fehlt.Fnt"); }, "Fehlt.Fnt" },
        { "folder in place of the symbol list",
            [](DocumentCommandsTest& t) {
                QDir().mkpath(t.path("Ordner.fn2"));
                return t.writeSet("Ordner.Fnt", "800,600,1,800,1,600,F;", nullptr, "M:1;");
            },
            "Ordner.fn2" },
        { "huge dimension line list",
            [huge](DocumentCommandsTest& t) {
                huge(t.path("Gross.fn3"));
                return t.writeSet("Gross.Fnt", "800,600,1,800,1,600,F;", "", nullptr);
            },
            "Gross.fn3" },
        { "pipe in place of the symbol list",
            [](DocumentCommandsTest& t) {
                EXPECT_EQ(mkfifo(t.path("Rohr.fn2").toLocal8Bit().constData(), 0600), 0);
                return t.writeSet("Rohr.Fnt", "800,600,1,800,1,600,F;", nullptr, nullptr);
            },
            "Rohr.fn2" },
    };
    for (const Case& c : cases) {
        errors.clear();
        document.loadTexts(QString::fromLatin1(kDescription), QString::fromLatin1(kSymbols),
            QString::fromLatin1(kDimensionLines), EditorDocument::KeepDescription::No);
        document.setDocumentName(QStringLiteral("/vorher/Haus.Fnt"));
        document.setMargins(3, 4);
        edgeDimensions = false;
        const State before = state();
        EXPECT_FALSE(commands->LoadDocument(c.make(*this))) << c.name;
        EXPECT_EQ(state(), before) << c.name;
        EXPECT_EQ(document.model().width(), 2000) << c.name << ": the model is the present window's";
        ASSERT_EQ(errors.size(), 1) << c.name;
        EXPECT_TRUE(errors[0].contains(QLatin1String(c.messagePart))) << c.name << ": " << errors[0].toUtf8().toStdString();
    }
}

TEST_F(DocumentCommandsTest, ASettingsFileThatCannotBeReadGivesTheDefaults)
{
    const struct {
        const char* name;
        const char* settings;
        bool folder;
    } cases[] = {
        { "wrong types", "[Settings]\r\nRandlinks=links\r\nRandunten=1e3\r\nBemassung=ja\r\n", false },
        { "binary", "\x01\x02\xff[Settings\x7f", false },
        { "folder", nullptr, true },
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name).replace(' ', '_');
        const QString file = WriteBytes(path((name.toLatin1() + ".Fnt").constData()), "800,600,1,800,1,600,F;");
        if (c.folder)
            QDir().mkpath(CompanionName(file, QStringLiteral("fn4")));
        else
            WriteBytes(CompanionName(file, QStringLiteral("fn4")), c.settings);
        document.setMargins(3, 4);
        edgeDimensions = false;
        EXPECT_TRUE(commands->LoadDocument(file)) << c.name;
        EXPECT_EQ(document.leftMargin(), 20) << c.name;
        EXPECT_EQ(document.bottomMargin(), 20) << c.name;
        EXPECT_TRUE(edgeDimensions) << c.name;
    }
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DocumentCommandsTest, NeuStartsAWindowWithoutAName)
{
    ASSERT_TRUE(commands->LoadDocument(writeSet("Haus.Fnt", kDescription, kSymbols, kDimensionLines)));
    const QByteArray before = ReadBytes(path("Haus.Fnt"));
    edgeDimensions = false;
    document.setSelection(2, 2);
    commands->Neu1Click();
    EXPECT_EQ(document.Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
    EXPECT_TRUE(document.Memo2().isEmpty());
    EXPECT_TRUE(document.Memo3().isEmpty());
    EXPECT_TRUE(document.documentName().isEmpty());
    EXPECT_TRUE(edgeDimensions);
    EXPECT_EQ(windowMode, 1);
    EXPECT_EQ(document.SelectedRow(), 1);

    // "&Speichern" asks for a name instead of writing over Haus.Fnt.
    EXPECT_FALSE(commands->Speichern1Click());
    EXPECT_EQ(saveAsked, 1);
    EXPECT_EQ(ReadBytes(path("Haus.Fnt")), before);

    saveName = path("Neu.Fnt");
    EXPECT_TRUE(commands->Speichern1Click());
    EXPECT_EQ(document.documentName(), saveName);
    EXPECT_EQ(ReadBytes(saveName), QByteArray("1000,500,1,1000,1,500,F;"));
    // From now on the name is known.
    EXPECT_TRUE(commands->Speichern1Click());
    EXPECT_EQ(saveAsked, 2);
}

TEST_F(DocumentCommandsTest, SavingAPictureKeepsTheDocumentName)
{
    saveName = path("Bild.bmp");
    EXPECT_TRUE(commands->Speichernunter1Click());
    EXPECT_TRUE(ReadBytes(saveName).startsWith("BM"));
    EXPECT_TRUE(document.documentName().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("Bild.fn2")));
}

TEST_F(DocumentCommandsTest, AFailedSaveKeepsTheDescriptionAndReports)
{
    const QString file = writeSet("Haus.Fnt", "800,600,1,800,1,600,F;", "alt2", "alt3", "[Settings]\r\nRandlinks=5\r\n");
    QDir().mkpath(path("Block.fn3"));
    struct Case {
        const char* name;
        std::function<void()> spoil;
        const char* target;
    };
    const Case cases[] = {
        { "folder in place of the dimension line list", [] {}, "Block.Fnt" },
        { "settings file too large to keep its lines",
            [this] {
                QFile f(path("Haus.fn4"));
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                ASSERT_TRUE(f.resize(kMaxReadFileBytes + 1));
            },
            "Haus.Fnt" },
    };
    document.loadTexts(QString::fromLatin1(kDescription), QString::fromLatin1(kSymbols), {},
        EditorDocument::KeepDescription::No);
    for (const Case& c : cases) {
        errors.clear();
        c.spoil();
        WriteBytes(path("Block.Fnt"), "alt");
        const QString target = path(c.target);
        const QByteArray description = ReadBytes(target);
        const QByteArray symbols = ReadBytes(CompanionName(target, QStringLiteral("fn2")));
        EXPECT_FALSE(commands->SaveDocument(target)) << c.name;
        EXPECT_EQ(errors.size(), 1) << c.name;
        EXPECT_EQ(ReadBytes(target), description) << c.name << ": the description is written last";
        EXPECT_EQ(ReadBytes(CompanionName(target, QStringLiteral("fn2"))), symbols) << c.name;
        EXPECT_TRUE(document.isModified()) << c.name;
    }
    EXPECT_EQ(QFileInfo(file).size(), qint64(strlen("800,600,1,800,1,600,F;")));
}

TEST_F(DocumentCommandsTest, StandardWindowsComeFromTheProgramFolder)
{
    WriteBytes(programFolder() + "Eck.fenster.std", "1200,800,1,1200,1,800,L,F");
    WriteBytes(programFolder() + "Eck.fenster.st3", "M:0,0,800,0,50,0;");
    WriteBytes(programFolder() + "Eck.fenster.st4", "[Settings]\r\nBemassung=0\r\n");
    WriteBytes(programFolder() + "Zweiter.STD", "900,900,1,900,1,900,F;");
    QMenu menu;
    menu.addAction(QStringLiteral("alt"));
    commands->BuildStandardWindowMenu(menu);
    QStringList items;
    for (const QAction* item : menu.actions())
        items << item->text() + QLatin1Char('=') + item->data().toString();
    EXPECT_EQ(items, (QStringList { "Eck=Eck.fenster.std", "Zweiter=Zweiter.STD" }));

    document.loadTexts(QString::fromLatin1(kDescription), QString::fromLatin1(kSymbols), QStringLiteral("M:alt;"),
        EditorDocument::KeepDescription::No);
    document.setDocumentName(QStringLiteral("/d/Haus.Fnt"));

    confirmAnswer = false;
    menu.actions().at(0)->trigger();
    EXPECT_EQ(questions, QStringList { QString::fromUtf8("Möchten Sie das Standardfenster laden?") });
    EXPECT_EQ(document.model().width(), 2000) << "not confirmed: nothing loaded";

    confirmAnswer = true;
    menu.actions().at(0)->trigger();
    EXPECT_EQ(document.Memo1(), QStringLiteral("1200,800,1,1200,1,800,L,F")) << "the text stays as loaded";
    EXPECT_EQ(document.model().width(), 800);
    EXPECT_EQ(document.Memo2().toLatin1(), kSymbols) << "a list without its file stays";
    EXPECT_EQ(document.Memo3(), QStringLiteral("M:0,0,800,0,50,0;"));
    EXPECT_FALSE(edgeDimensions);
    EXPECT_EQ(document.documentName(), QStringLiteral("/d/Haus.Fnt"));
    EXPECT_TRUE(errors.isEmpty());

    // Saving a standard window into the program folder announces a new menu.
    QSignalSpy menuChanges(commands.get(), &DocumentCommands::standardWindowsChanged);
    ASSERT_TRUE(commands->SaveDocument(programFolder() + "Dritter.std"));
    EXPECT_EQ(menuChanges.size(), 1);
    commands->BuildStandardWindowMenu(menu);
    EXPECT_EQ(menu.actions().size(), 3);
}

TEST_F(DocumentCommandsTest, ClosingAsksOnlyAboutUnsavedChanges)
{
    using Answer = DocumentCommands::UnsavedAnswer;
    struct Case {
        const char* name;
        bool modified;
        Answer answer;
        const char* saveAs; // what the save dialog gives; empty: cancelled
        bool mayClose;
        bool asked;
        bool saved;
    };
    const Case cases[] = {
        { "nothing changed", false, Answer::Cancel, "", true, false, false },
        { "discard", true, Answer::Discard, "", true, true, false },
        { "cancel", true, Answer::Cancel, "", false, true, false },
        { "save under a name", true, Answer::Save, "Gesichert.Fnt", true, true, true },
        { "save, dialog cancelled", true, Answer::Save, "", false, true, false },
    };
    for (const Case& c : cases) {
        commands->Neu1Click();
        if (c.modified)
            document.setMemo2(QStringLiteral("B:x.bmp,1,1,1,0,1;"));
        unsavedAsked = 0;
        unsavedAnswer = c.answer;
        saveName = *c.saveAs ? path(c.saveAs) : QString();
        QFile::remove(path("Gesichert.Fnt"));
        EXPECT_EQ(commands->mayClose(), c.mayClose) << c.name;
        EXPECT_EQ(unsavedAsked, c.asked ? 1 : 0) << c.name;
        EXPECT_EQ(QFileInfo::exists(path("Gesichert.Fnt")), c.saved) << c.name;
    }
}

} // namespace
