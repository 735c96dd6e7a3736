// "Export als PDF/SVG…" and "Export als DXF…" in the real main window, with
// the sheet dialog and the save dialog answered by the test.

#include "VectorExportCommands.h"

#include "DocumentCommands.h"
#include "DrawingArea.h"
#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "Fenstereditor.h"

#include "DxfCanvas.h"
#include "Engine.h"
#include "Translator.h"

#include "VectorFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace fenster;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

class VectorExportCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath(QStringLiteral("program"));
        // The language file stays out of the folder the exports write to.
        QDir(m_folder.path()).mkpath(QStringLiteral("lng"));
        SetLanguageFolder(m_folder.filePath(QStringLiteral("lng")));
        Settings() = DrawingSettings {};
        EditorStartup startup;
        startup.programFolder = m_folder.filePath(QStringLiteral("program")) + QLatin1Char('/');
        startup.symbolFolder = QStringLiteral(FENSTER_EXAMPLES);
        startup.preferenceStore = std::make_shared<JsonPreferenceStore>(file("p.json"));
        m_editor = std::make_unique<TFenstereditor>(startup);
        m_editor->resize(1000, 700);
        m_editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_editor.get()));
        QApplication::processEvents();
        VectorExportCommands::Dialogs dialogs;
        dialogs.editSheet = [this](SheetChoice& choice) {
            m_offered << choice;
            if (!m_answer)
                return false;
            choice = *m_answer;
            return true;
        };
        dialogs.chooseFileToSave = [this](const QString& filter, const QString& suffix, const QString& start) {
            m_asked << suffix + QLatin1Char('|') + filter + QLatin1Char('|') + start;
            return m_fileName;
        };
        dialogs.inform = [this](const QString& text) { m_notes << text; };
        commands().setDialogs(std::move(dialogs));
    }

    void TearDown() override
    {
        m_editor.reset();
        EndTranslation();
    }

    VectorExportCommands& commands() const { return m_editor->vectorExports(); }
    QString file(const char* name) const { return m_folder.filePath(QLatin1String(name)); }

    void setWindow(const char* description)
    {
        m_editor->document().setMemo1(QString::fromUtf8(description));
        m_editor->Auswerten1Click();
        QApplication::processEvents();
    }

    // Triggers the menu item; the text of an error box it shows, if any.
    QString trigger(const char* item)
    {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        m_editor->action(QLatin1String(item))->trigger();
        QApplication::processEvents();
        return shown;
    }

    QTemporaryDir m_folder;
    std::unique_ptr<TFenstereditor> m_editor;
    std::optional<SheetChoice> m_answer;
    QList<SheetChoice> m_offered;
    QString m_fileName;
    QStringList m_asked;
    QStringList m_notes;
};

TEST_F(VectorExportCommandsTest, DialogValuesReachTheSheetAndAreRemembered)
{
    setWindow("1500,1000,1,1500,1,1000,V;");
    struct Case {
        const char* name;
        SheetChoice choice;
        const char* fileName;
        const char* pageSize; // as pdfinfo says it, or empty for an SVG
        const char* svgSize; // as an SVG says it
    };
    const Case cases[] = {
        { "A4 portrait 1:20", { QStringLiteral("A4"), false, 20 }, "a.pdf", "595 x 842 pts (A4)", "" },
        { "A3 landscape 1:50", { QStringLiteral("A3"), true, 50 }, "b.pdf", "1191 x 842 pts (A3)", "" },
        { "A4 landscape 1:25 as SVG", { QStringLiteral("A4"), true, 25 }, "c.svg", "", "width=\"297.011mm\" height=\"209.973mm\"" },
        { "A3 portrait 1:7", { QStringLiteral("A3"), false, 7 }, "d.SVG", "", "width=\"297.011mm\" height=\"420.031mm\"" },
    };
    SheetChoice remembered; // the defaults: A4 portrait at 1:20
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_offered.clear();
        m_answer = c.choice;
        m_fileName = file(c.fileName);
        EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
        ASSERT_EQ(m_offered.size(), 1);
        EXPECT_EQ(m_offered.front(), remembered) << "the dialog starts with the last values";
        remembered = c.choice;
        const Preferences preferences = m_editor->preferences();
        EXPECT_EQ(preferences.ExportPapier, c.choice.papier);
        EXPECT_EQ(preferences.ExportQuer, c.choice.quer);
        EXPECT_EQ(preferences.ExportMassstab, c.choice.massstab);
        EXPECT_TRUE(m_notes.isEmpty()) << m_notes.join(QLatin1Char('\n')).toStdString();

        const QByteArray written = ReadAll(m_fileName);
        const PageFormat format = QByteArray(c.pageSize).isEmpty() ? PageFormat::Svg : PageFormat::Pdf;
        const TrueScalePage expected = RenderTrueScalePage(commands().sheetJob(c.choice, format));
        EXPECT_EQ(expected.ratio, c.choice.massstab);
        if (format == PageFormat::Svg) {
            EXPECT_EQ(written, expected.bytes);
            EXPECT_TRUE(written.contains(c.svgSize)) << written.left(600).toStdString();
        } else {
            EXPECT_TRUE(written.startsWith("%PDF-"));
            EXPECT_TRUE(test::PdfFileInfo(m_fileName).contains(QLatin1String(c.pageSize)))
                << test::PdfFileInfo(m_fileName).toStdString();
            EXPECT_TRUE(test::PdfFileText(m_fileName).contains(QStringLiteral("M 1:%1").arg(c.choice.massstab)));
        }
    }
    ASSERT_FALSE(m_asked.isEmpty());
    EXPECT_EQ(m_asked.front(), QStringLiteral("pdf|PDF-Datei (*.pdf)|*.pdf|SVG-Datei (*.svg)|*.svg|"));

    // Written to the store with the other preferences.
    m_editor->Aktuelleeinstellungenspeichern1Click();
    JsonPreferenceStore store(file("p.json"));
    const Preferences stored = LoadPreferences(store);
    EXPECT_EQ(stored.ExportPapier, QStringLiteral("A3"));
    EXPECT_FALSE(stored.ExportQuer);
    EXPECT_EQ(stored.ExportMassstab, 7);
}

TEST_F(VectorExportCommandsTest, CancelledDialogsWriteNothing)
{
    m_answer.reset();
    m_fileName = file("x.pdf");
    EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
    EXPECT_TRUE(m_asked.isEmpty()) << "no name asked after Abbruch";
    m_answer = SheetChoice { QStringLiteral("A3"), true, 50 };
    m_fileName.clear();
    EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
    EXPECT_EQ(trigger("ExportalsDXF1"), QString());
    EXPECT_EQ(QDir(m_folder.path()).entryList({ QStringLiteral("*.pdf"), QStringLiteral("*.dxf") }), QStringList());
}

TEST_F(VectorExportCommandsTest, EveryExampleExportsToPdfSvgAndDxf)
{
    const QDir examples(QStringLiteral(FENSTER_EXAMPLES));
    const QStringList names = examples.entryList({ QStringLiteral("*.Fnt") }, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    m_answer = SheetChoice { QStringLiteral("A4"), false, 20 };
    QStringList dxfFiles;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(m_editor->documents().LoadDocument(examples.filePath(name)));
        QApplication::processEvents();
        const QString base = QFileInfo(name).completeBaseName();
        for (const char* extension : { "pdf", "svg" }) {
            m_fileName = m_folder.filePath(base + QLatin1Char('.') + QLatin1String(extension));
            EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
            const PageFormat format = QLatin1String(extension) == QLatin1String("pdf") ? PageFormat::Pdf : PageFormat::Svg;
            const TrueScaleJob job = commands().sheetJob(*m_answer, format);
            EXPECT_EQ(job.documentName, base.toStdString());
            const QByteArray written = ReadAll(m_fileName);
            if (format == PageFormat::Svg) {
                EXPECT_EQ(written, RenderTrueScalePage(job).bytes);
            } else {
                const TrueScalePage page = RenderTrueScalePage(job);
                const QString text = test::PdfFileText(m_fileName);
                EXPECT_TRUE(text.contains(QStringLiteral("M 1:%1").arg(page.ratio))) << text.toStdString();
                EXPECT_TRUE(text.contains(base)) << text.toStdString();
            }
        }
        EXPECT_TRUE(m_asked.last().endsWith(QFileInfo(name).path() + QLatin1Char('/') + base + QStringLiteral(".pdf"))
            || m_asked.last().endsWith(base + QStringLiteral(".pdf")))
            << m_asked.last().toStdString();
        m_fileName = m_folder.filePath(base + QStringLiteral(".dxf"));
        EXPECT_EQ(trigger("ExportalsDXF1"), QString());
        EXPECT_EQ(ReadAll(m_fileName), QByteArray::fromStdString(RenderDxf(commands().drawing()).text));
        dxfFiles << m_fileName;
    }
    EXPECT_TRUE(m_notes.isEmpty()) << m_notes.join(QLatin1Char('\n')).toStdString();
    const QJsonObject read = test::ReadWithEzdxf(QStringLiteral(FENSTER_CHECK_DXF), dxfFiles);
    for (const QString& path : dxfFiles) {
        const QJsonObject one = read.value(path).toObject();
        EXPECT_EQ(one.value(QStringLiteral("version")).toString(), QStringLiteral("AC1015")) << path.toStdString();
        EXPECT_EQ(one.value(QStringLiteral("audit_errors")).toInt(-1), 0) << path.toStdString();
        EXPECT_FALSE(one.value(QStringLiteral("layer_stats")).toObject().value(QStringLiteral("Umriss")).isUndefined())
            << path.toStdString();
    }
}

TEST_F(VectorExportCommandsTest, TheFilesFollowTheEdgeDimensionsAndTheLists)
{
    setWindow("1000,1000,1,1000,1,1000,V;");
    m_editor->document().setMemo3(QStringLiteral("M:0,-300,1000,-300,0,-200;"));
    QAction* edges = m_editor->action(QStringLiteral("massanzeigen"));
    for (const bool shown : { true, false }) {
        SCOPED_TRACE(shown);
        edges->setChecked(shown);
        m_editor->massanzeigenClick();
        const ExportDrawing drawing = commands().drawing();
        EXPECT_EQ(drawing.edgeDimensions, shown ? EdgeDimensions::On : EdgeDimensions::Off);
        EXPECT_EQ(drawing.dimensionLines, "M:0,-300,1000,-300,0,-200;");
        m_fileName = file("e.dxf");
        EXPECT_EQ(trigger("ExportalsDXF1"), QString());
        const QJsonObject read = test::ReadWithEzdxf(QStringLiteral(FENSTER_CHECK_DXF), { m_fileName });
        const QJsonObject layers = read.value(m_fileName).toObject().value(QStringLiteral("layer_stats")).toObject();
        EXPECT_EQ(layers.contains(QStringLiteral("Randbemassung")), shown);
        EXPECT_TRUE(layers.contains(QStringLiteral("Freie_Bemassung")));
    }
}

TEST_F(VectorExportCommandsTest, AFittedSheetTellsTheRatioUsed)
{
    setWindow("6000,9000,1,6000,1,9000,V;");
    m_answer = SheetChoice { QStringLiteral("A4"), false, 10 };
    m_fileName = file("big.pdf");
    EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
    const TrueScalePage page = RenderTrueScalePage(commands().sheetJob(*m_answer, PageFormat::Pdf));
    ASSERT_TRUE(page.fitted);
    EXPECT_GT(page.ratio, 10);
    EXPECT_EQ(m_notes, QStringList { FittedRatioNote(10, page.ratio) });
    EXPECT_TRUE(m_notes.front().contains(QStringLiteral("1:%1").arg(page.ratio)));
    EXPECT_TRUE(test::PdfFileText(m_fileName).contains(QStringLiteral("M 1:%1").arg(page.ratio)));
}

TEST_F(VectorExportCommandsTest, ErrorsAreReportedAndWriteNothing)
{
    setWindow("1000,1000,1,1000,1,1000,V;");
    const QString missingFolder = file("fehlt/x.pdf");
    struct Case {
        const char* name;
        const char* item;
        SheetChoice choice;
        QString fileName;
        const char* message; // part of the error box
        bool asksForName;
    };
    const Case cases[] = {
        { "ratio 0", "ExportalsPDFSVG1", { QStringLiteral("A4"), false, 0 }, file("r0.pdf"), "1:0", false },
        { "ratio above 10000", "ExportalsPDFSVG1", { QStringLiteral("A4"), false, 10001 }, file("r1.pdf"), "10001",
            false },
        { "paper that does not exist", "ExportalsPDFSVG1", { QStringLiteral("A5"), false, 20 }, file("a5.pdf"), "A5",
            false },
        { "unwritable folder", "ExportalsPDFSVG1", { QStringLiteral("A4"), false, 20 }, missingFolder, "fehlt",
            true },
        { "neither pdf nor svg", "ExportalsPDFSVG1", { QStringLiteral("A4"), false, 20 }, file("x.png"), "x.png",
            true },
        { "DXF into an unwritable folder", "ExportalsDXF1", {}, file("fehlt/x.dxf"), "fehlt", true },
    };
    const Preferences before = m_editor->preferences();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_asked.clear();
        m_answer = c.choice;
        m_fileName = c.fileName;
        const QString shown = trigger(c.item);
        EXPECT_TRUE(shown.contains(QLatin1String(c.message))) << shown.toStdString();
        EXPECT_EQ(m_asked.size(), c.asksForName ? 1 : 0);
        EXPECT_FALSE(QFileInfo::exists(c.fileName));
        EXPECT_TRUE(m_editor->isEnabled());
        EXPECT_TRUE(Engine().HighlightSelection);
    }
    // A sheet that cannot be drawn is not remembered.
    EXPECT_EQ(m_editor->preferences().ExportMassstab, 20);
    EXPECT_EQ(m_editor->preferences().ExportPapier, before.ExportPapier);
    QStringList written = QDir(m_folder.path()).entryList(QDir::Files);
    written.removeAll(QStringLiteral("p.json"));
    EXPECT_EQ(written, QStringList());
}

TEST_F(VectorExportCommandsTest, TheScreenStillHitsItsFieldsAfterAnExport)
{
    setWindow("1000,2000,1,1000,2,1000,L,F;1000,R,F;");
    DrawingArea& area = m_editor->drawingArea();
    area.repaint();
    const FieldRect field = area.layout().FieldRectTable[1][2];
    ASSERT_TRUE(field.valid);
    const QPoint centre((field.left + field.right) / 2, area.height() - 1 - (field.bottom + field.top) / 2);
    m_editor->document().setSelection(1, 1);
    m_answer = SheetChoice { QStringLiteral("A3"), true, 50 };
    m_fileName = file("hit.pdf");
    EXPECT_EQ(trigger("ExportalsPDFSVG1"), QString());
    m_fileName = file("hit.dxf");
    EXPECT_EQ(trigger("ExportalsDXF1"), QString());
    ASSERT_TRUE(QFileInfo::exists(file("hit.pdf")) && QFileInfo::exists(file("hit.dxf")));
    // No repaint in between: the mouse reads what the screen drew last.
    QTest::mouseClick(&area, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(m_editor->document().SelectedRow(), 1);
    EXPECT_EQ(m_editor->document().SelectedField(), 2);
}

} // namespace
