// The main window as a desktop application: a document handed over by a
// file manager, as a plain path on the command line or dropped on the window.

#include "Fenstereditor.h"

#include "DocumentCommands.h"
#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "HostSession.h"
#include "Translator.h"
#include "Window.h"

#include "QtPrinting.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

class FenstereditorDesktopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath(QStringLiteral("program"));
        SetLanguageFolder(m_folder.path());
    }

    void TearDown() override { EndTranslation(); }

    QString file(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // "Haus.Fnt" with all three companions.
    void writeDocument(const QString& name = QStringLiteral("Haus.Fnt")) const
    {
        const QString base = name.left(name.lastIndexOf(QLatin1Char('.')));
        writeBytes(name, "1200,900,1,1200,1,900,L,F;");
        writeBytes(base + QStringLiteral(".fn2"), "B:VSG.bmp,400,250,10,0,28;");
        writeBytes(base + QStringLiteral(".fn3"), "M:0,1200,900,1200,100,0;");
        writeBytes(base + QStringLiteral(".fn4"), "[Settings]\r\nBemassung=0\r\n");
        // The symbol list's picture, in the symbol folder.
        if (!QFileInfo::exists(file(QStringLiteral("VSG.bmp")))) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(FENSTER_EXAMPLES "/VSG.bmp"), file(QStringLiteral("VSG.bmp"))));
        }
    }

    std::unique_ptr<TFenstereditor> showEditor(const QStringList& arguments)
    {
        EditorStartup startup;
        startup.arguments = arguments;
        startup.programFolder = file(QStringLiteral("program")) + QLatin1Char('/');
        startup.symbolFolder = m_folder.path();
        startup.preferenceStore = std::make_shared<JsonPreferenceStore>(file(QStringLiteral("config/Fenster.json")));
        auto editor = std::make_unique<TFenstereditor>(startup);
        editor->show();
        QApplication::setActiveWindow(editor.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
        QApplication::processEvents();
        QApplication::processEvents();
        return editor;
    }

    // A drop of urls on the main window, as a file manager makes it; true
    // when the window took it.
    static bool drop(TFenstereditor& editor, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = editor.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &enter);
        QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&editor, &dropped);
        QApplication::processEvents();
        QApplication::processEvents();
        return enter.isAccepted() && dropped.isAccepted();
    }

    static void expectHaus(const TFenstereditor& editor, const QString& path)
    {
        EXPECT_EQ(editor.document().documentName(), path);
        EXPECT_EQ(editor.document().model().height(), 1200);
        EXPECT_EQ(editor.document().model().width(), 900);
        EXPECT_EQ(editor.document().Memo2(), QStringLiteral("B:VSG.bmp,400,250,10,0,28;"));
        EXPECT_EQ(editor.document().Memo3(), QStringLiteral("M:0,1200,900,1200,100,0;"));
        EXPECT_FALSE(editor.edgeDimensionsShown()) << "the settings companion was read";
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Korvelan V2 2025 - ") + QFileInfo(path).fileName()
                + QStringLiteral("[*]"));
        EXPECT_FALSE(editor.isWindowModified());
    }

    QTemporaryDir m_folder;
    MessageBoxAnswerer m_boxes; // every box is answered and remembered
    QStringList& m_shown = m_boxes.texts();
};

TEST_F(FenstereditorDesktopTest, APlainPathOpensTheDocumentWithItsCompanionsInNormalMode)
{
    writeDocument();
    auto editor = showEditor({ file(QStringLiteral("Haus.Fnt")) });
    EXPECT_EQ(editor->host().runMode(), RunMode::Normal);
    expectHaus(*editor, file(QStringLiteral("Haus.Fnt")));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    EXPECT_TRUE(editor->mainMenu() != nullptr);
    EXPECT_FALSE(editor->findChild<QWidget*>(QStringLiteral("Panel4"))->isVisible()) << "no host bar";
}

TEST_F(FenstereditorDesktopTest, AMissingOrBadPlainPathIsReportedAndTheDefaultWindowStays)
{
    struct Case {
        const char* name;
        const char* file;
        QByteArray bytes; // null: the file is not written
        const char* message; // part of the box's text
    };
    const Case cases[] = {
        { "missing", "Fehlt.Fnt", QByteArray(), "Fehlt.Fnt" },
        { "not a description", "Kaputt.Fnt", QByteArray("1000,abc,1;"), "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_shown.clear();
        const QString path = file(QString::fromUtf8(c.file));
        if (!c.bytes.isNull())
            writeBytes(QString::fromUtf8(c.file), c.bytes);
        auto editor = showEditor({ path });
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_shown.isEmpty(); }, 5000)) << "the load error is shown";
        EXPECT_TRUE(m_shown.first().contains(QString::fromUtf8(c.message))) << m_shown.first().toStdString();
        EXPECT_EQ(editor->host().runMode(), RunMode::Normal);
        EXPECT_TRUE(editor->document().documentName().isEmpty());
        EXPECT_EQ(editor->document().Memo1(), QStringLiteral("1000,500,1,1000,1,500,F;"));
        EXPECT_TRUE(editor->isVisible());
    }
}

TEST_F(FenstereditorDesktopTest, TheHostFileHasPriorityOverAPlainPath)
{
    writeDocument();
    writeBytes(QStringLiteral("host.Fnt"), "800,600,1,800,1,600,F;");
    auto editor = showEditor({ QStringLiteral("-FILE:") + file(QStringLiteral("host.Fnt")), file(QStringLiteral("Haus.Fnt")) });
    EXPECT_EQ(editor->host().runMode(), RunMode::HostEdit);
    EXPECT_EQ(editor->document().documentName(), file(QStringLiteral("host.Fnt")));
    EXPECT_EQ(editor->document().Memo1(), QStringLiteral("800,600,1,800,1,600,F;"));
    EXPECT_TRUE(editor->document().Memo2().isEmpty());
}

TEST_F(FenstereditorDesktopTest, ADroppedWindowDocumentOpensLikeLaden)
{
    writeDocument(QStringLiteral("Haus.FNT"));
    auto editor = showEditor({});
    EXPECT_TRUE(drop(*editor, { QUrl::fromLocalFile(file(QStringLiteral("Haus.FNT"))) }));
    expectHaus(*editor, file(QStringLiteral("Haus.FNT")));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
}

TEST_F(FenstereditorDesktopTest, OtherDropsAreRefusedAndChangeNothing)
{
    writeDocument();
    writeBytes(QStringLiteral("Bild.bmp"), "BM");
    writeBytes(QStringLiteral("host.Fnt"), "800,600,1,800,1,600,F;");
    struct Case {
        const char* name;
        QStringList arguments;
        QList<QUrl> urls;
    };
    const Case cases[] = {
        { "a picture file", {}, { QUrl::fromLocalFile(file(QStringLiteral("Bild.bmp"))) } },
        { "a web address", {}, { QUrl(QStringLiteral("https://example.invalid/Haus.Fnt")) } },
        { "no address at all", {}, {} },
        { "a document in host edit mode", { QStringLiteral("-FILE:") + file(QStringLiteral("host.Fnt")) },
            { QUrl::fromLocalFile(file(QStringLiteral("Haus.Fnt"))) } },
        { "a document in host read-only mode",
            { QStringLiteral("-FILE:") + file(QStringLiteral("host.Fnt")), QStringLiteral("readonly") },
            { QUrl::fromLocalFile(file(QStringLiteral("Haus.Fnt"))) } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto editor = showEditor(c.arguments);
        const QString nameBefore = editor->document().documentName();
        const QString before = editor->document().Memo1();
        EXPECT_FALSE(drop(*editor, c.urls));
        EXPECT_EQ(editor->document().documentName(), nameBefore);
        EXPECT_EQ(editor->document().Memo1(), before);
        EXPECT_TRUE(editor->document().Memo2().isEmpty());
    }
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
}

TEST(DroppedDocument, IsTheFirstLocalFntFile)
{
    struct Case {
        const char* name;
        QList<QUrl> urls;
        const char* document;
    };
    const Case cases[] = {
        { "a document", { QUrl::fromLocalFile(QStringLiteral("/tmp/Haus.Fnt")) }, "/tmp/Haus.Fnt" },
        { "any letter case", { QUrl::fromLocalFile(QStringLiteral("/tmp/Haus.fNT")) }, "/tmp/Haus.fNT" },
        { "blanks in the name", { QUrl(QStringLiteral("file:///tmp/Mein%20Haus.Fnt")) }, "/tmp/Mein Haus.Fnt" },
        { "a companion is no document", { QUrl::fromLocalFile(QStringLiteral("/tmp/Haus.fn2")) }, "" },
        { "a name merely ending in fnt", { QUrl::fromLocalFile(QStringLiteral("/tmp/Hausfnt")) }, "" },
        { "the first address only",
            { QUrl::fromLocalFile(QStringLiteral("/tmp/a.bmp")), QUrl::fromLocalFile(QStringLiteral("/tmp/b.Fnt")) }, "" },
        { "no local file", { QUrl(QStringLiteral("https://example.invalid/Haus.Fnt")) }, "" },
        { "nothing", {}, "" },
    };
    for (const Case& c : cases) {
        QMimeData data;
        data.setUrls(c.urls);
        EXPECT_EQ(DroppedDocument(data), QString::fromUtf8(c.document)) << c.name;
    }
    QMimeData text;
    text.setText(QStringLiteral("/tmp/Haus.Fnt"));
    EXPECT_TRUE(DroppedDocument(text).isEmpty()) << "plain text is no address";
}

} // namespace
