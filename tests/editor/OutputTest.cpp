#include "Output.h"

#include "DrawingArea.h"
#include "EditorDocument.h"
#include "EditorTestApp.h"
#include "Fenstereditor.h"
#include "OutputScope.h"

#include "DiskFiles.h"
#include "Engine.h"
#include "Measures.h"
#include "PictureLoader.h"
#include "Translator.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QPrinterInfo>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace fenster;

namespace {

// The shared save dialog's stand-in: answers with a prepared name and
// records what it was asked.
struct ScriptedSaveDialog {
    QString answer;
    QStringList shown;
    Output::ChooseFileToSave chooser()
    {
        return [this](const QString& filter, const QString& defaultExtension, const QString& startName) {
            shown << defaultExtension + QLatin1Char('|') + filter + QLatin1Char('|') + startName;
            return answer;
        };
    }
};

// The bounding box of the pixels darker than 250, in image coordinates.
QRect InkBox(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((qRed(row[x]) + qGreen(row[x]) + qBlue(row[x])) / 3 < 250) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

int CountPixels(const QImage& image, QRgb colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            count += (row[x] & 0xffffffu) == (colour & 0xffffffu);
    }
    return count;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

class OutputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureEditorTestApplication(); }

    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        QDir(m_folder.path()).mkpath(QStringLiteral("program"));
        SetLanguageFolder(m_folder.path());
        Settings() = DrawingSettings {};
        Engine().HighlightSelection = true;
        EditorStartup startup;
        startup.programFolder = m_folder.filePath(QStringLiteral("program")) + QLatin1Char('/');
        startup.symbolFolder = m_folder.path();
        startup.preferenceStore = std::make_shared<JsonPreferenceStore>(m_folder.filePath(QStringLiteral("p.json")));
        m_editor = std::make_unique<TFenstereditor>(startup);
        m_editor->resize(1000, 700);
        m_editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_editor.get()));
        QApplication::processEvents();
        m_output = std::make_unique<Output>(
            m_editor->document(), m_editor->drawingArea(), m_pictures, m_dialog.chooser(), *m_editor);
        m_output->setSurroundings({ [this](std::unique_ptr<QMimeData> data) { m_clipboard = std::move(data); },
            [this](const QString&, const QString& text) {
                m_questions << text;
                return m_answerYes;
            } });
    }

    void TearDown() override
    {
        m_output.reset();
        m_editor.reset();
        EndTranslation();
    }

    void setWindow(const char* description)
    {
        m_editor->document().setMemo1(QString::fromUtf8(description));
        m_editor->Auswerten1Click();
        QApplication::processEvents();
    }

    QString file(const char* name) const { return m_folder.filePath(QLatin1String(name)); }
    QImage clipboardImage() const
    {
        return m_clipboard ? qvariant_cast<QImage>(m_clipboard->imageData()) : QImage();
    }

    QTemporaryDir m_folder;
    PictureFiles m_pictures { QString() };
    ScriptedSaveDialog m_dialog;
    std::unique_ptr<TFenstereditor> m_editor;
    std::unique_ptr<Output> m_output;
    std::unique_ptr<QMimeData> m_clipboard;
    QStringList m_questions;
    bool m_answerYes = false;
};

TEST_F(OutputTest, ScreenCopyIsTheAreaWithoutHighlightAndCroppedWhileOptimized)
{
    setWindow("1000,2000,1,1000,2,1000,L,F;1000,R,F;");
    m_editor->document().setSelection(1, 1);
    const QSize area = m_editor->drawingArea().size();
    // The screen itself highlights the selected field in blue.
    ASSERT_GT(CountPixels(m_editor->drawingArea().grab().toImage(), qRgb(0, 0, 255)), 0);

    m_output->setOptimizedSize(false);
    m_output->InZwischenablage1Click();
    const QImage full = clipboardImage();
    EXPECT_EQ(full.size(), area) << "unchecked: exactly as large as the drawing area";
    EXPECT_EQ(CountPixels(full, qRgb(0, 0, 255)), 0) << "no highlighted field in the copy";
    EXPECT_TRUE(Engine().HighlightSelection);
    EXPECT_TRUE(m_editor->isEnabled());

    m_output->setOptimizedSize(true);
    m_output->InZwischenablage1Click();
    const QImage cropped = clipboardImage();
    const QRect ink = InkBox(full);
    EXPECT_LT(cropped.width(), area.width());
    EXPECT_LT(cropped.height(), area.height());
    EXPECT_EQ(cropped.height(), ink.height()) << "cropped to the drawn lines";
    EXPECT_EQ(cropped, full.copy(ink.left(), ink.top(), cropped.width(), cropped.height()));
}

TEST_F(OutputTest, OptimizedSizeFollowsItsMenuCheckMark)
{
    QAction* optimized = m_editor->action(QStringLiteral("OptimierteHhebreite1"));
    ASSERT_TRUE(optimized->isChecked());
    EXPECT_TRUE(m_editor->output().optimizedSize());
    optimized->trigger();
    EXPECT_FALSE(m_editor->output().optimizedSize());
    optimized->trigger();
    EXPECT_TRUE(m_editor->output().optimizedSize());
}

TEST_F(OutputTest, EveryCommandRestoresHighlightAndWindowOnError)
{
    struct Case {
        const char* name;
        void (Output::*command)();
        bool refusingClipboard; // else: an undrawable description
    };
    const Case cases[] = {
        { "screen copy, clipboard refuses", &Output::InZwischenablage1Click, true },
        { "constant scale, clipboard refuses", &Output::InZwischenablagekonstanterMassstab1Click, true },
        { "vector copy, clipboard refuses", &Output::InZwischenablagealsMeta1Click, true },
        { "constant scale, bad description", &Output::InZwischenablagekonstanterMassstab1Click, false },
        { "vector copy, bad description", &Output::InZwischenablagealsMeta1Click, false },
    };
    setWindow("1000,1000,1,1000,1,1000,L,F;");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A field width the drawing cannot read; set without the editor's
        // own rebuild, which would report it in a box of its own.
        if (!c.refusingClipboard)
            m_editor->document().setMemo1(QStringLiteral("1000,1000,1,1000,1,F;"));
        m_output->setSurroundings({ [&](std::unique_ptr<QMimeData>) {
                                       if (c.refusingClipboard)
                                           throw std::runtime_error("refused");
                                       ADD_FAILURE() << "nothing undrawable may reach the clipboard";
                                   },
            {} });
        EXPECT_ANY_THROW((m_output.get()->*c.command)());
        EXPECT_TRUE(Engine().HighlightSelection);
        EXPECT_TRUE(m_editor->isEnabled());
    }
}

TEST_F(OutputTest, ExportsWriteAtomicallyAndReportUnwritableFiles)
{
    setWindow("1000,1000,1,1000,1,1000,L,F;");
    struct Case {
        const char* name;
        void (Output::*exporter)(const QString&);
    };
    const Case cases[] = {
        { "screen", &Output::ExportScreenBitmap },
        { "constant scale", &Output::ExportConstantScale },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString out = file("Bild.bmp");
        (m_output.get()->*c.exporter)(out);
        QImageReader reader(out, "BMP");
        const QImage written = reader.read();
        ASSERT_FALSE(written.isNull()) << reader.errorString().toStdString();
        EXPECT_GT(CountPixels(written, qRgb(0, 0, 0)), 0);
        // Into a folder that does not exist: an error, not silence.
        EXPECT_THROW((m_output.get()->*c.exporter)(file("fehlt/Bild.bmp")), FileError);
        EXPECT_FALSE(QFile::exists(file("fehlt/Bild.bmp")));
        EXPECT_TRUE(Engine().HighlightSelection);
        EXPECT_TRUE(m_editor->isEnabled());
    }
}

TEST_F(OutputTest, BitmapExportsAskTheSharedDialogAndKeepTheDocumentName)
{
    setWindow("1000,1000,1,1000,1,1000,L,F;");
    m_editor->document().setDocumentName(file("Haus.Fnt"));
    struct Case {
        const char* name;
        void (Output::*command)();
    };
    const Case cases[] = {
        { "screen", &Output::ExportalsBitmap1Click },
        { "constant scale", &Output::ExportalsBitmpakonstanterMassstab1Click },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_dialog.shown.clear();
        m_dialog.answer.clear();
        QFile::remove(file("Haus.BMP"));
        (m_output.get()->*c.command)();
        EXPECT_EQ(m_dialog.shown, QStringList { "BMP|Bitmap (*.BMP)|*.BMP|" + file("Haus.Fnt") });
        EXPECT_FALSE(QFile::exists(file("Haus.BMP"))) << "cancel ends the command";

        m_dialog.answer = file("Haus.BMP");
        (m_output.get()->*c.command)();
        EXPECT_TRUE(ReadAll(m_dialog.answer).startsWith("BM"));
        EXPECT_EQ(m_editor->document().documentName(), file("Haus.Fnt")) << "the picture is no document";
    }
}

TEST_F(OutputTest, VectorCopyOffersSvgPdfAndTheSamePicture)
{
    // A tall window: full area height, width in proportion plus 70.
    setWindow("2000,1000,1,2000,1,1000,L,F;");
    m_editor->document().setSelection(1, 1);
    m_output->InZwischenablagealsMeta1Click();
    ASSERT_TRUE(m_clipboard);
    const QSize area = m_editor->drawingArea().size();
    const OutputSize expected = VectorCopySize(area.width(), area.height(), 2000, 1000);
    const QImage picture = clipboardImage();
    EXPECT_EQ(picture.size(), QSize(expected.width, expected.height));
    EXPECT_EQ(CountPixels(picture, qRgb(0, 0, 255)), 0) << "no selection in the vector copy";

    QSvgRenderer svg(m_clipboard->data(QStringLiteral("image/svg+xml")));
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox().size(), picture.size());
    QImage fromSvg(picture.size(), QImage::Format_RGB32);
    fromSvg.fill(Qt::white);
    {
        QPainter painter(&fromSvg);
        svg.render(&painter);
    }
    // The same drawing: its lines in the same place, within antialiasing.
    const QRect svgInk = InkBox(fromSvg);
    const QRect pngInk = InkBox(picture);
    EXPECT_NEAR(svgInk.left(), pngInk.left(), 2);
    EXPECT_NEAR(svgInk.right(), pngInk.right(), 2);
    EXPECT_NEAR(svgInk.top(), pngInk.top(), 2);
    EXPECT_NEAR(svgInk.bottom(), pngInk.bottom(), 2);
    EXPECT_TRUE(m_clipboard->data(QStringLiteral("application/pdf")).startsWith("%PDF-"));
    EXPECT_TRUE(Engine().HighlightSelection);
}

TEST_F(OutputTest, PrintedPageKeepsMarginsAndProportions)
{
    struct Case {
        const char* name;
        const char* description;
        int height, width;
    };
    const Case cases[] = {
        { "slender", "2000,1000,1,2000,1,1000,L,F;", 2000, 1000 },
        { "wide", "1000,2000,1,1000,2,1000,L,F;1000,R,F;", 1000, 2000 },
    };
    const OutputSize page { 1240, 1754 }; // A4 at 150 dpi
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setWindow(c.description);
        QImage sheet(page.width, page.height, QImage::Format_RGB32);
        sheet.setDotsPerMeterX(5906);
        sheet.setDotsPerMeterY(5906);
        sheet.fill(Qt::white);
        {
            QPainter painter(&sheet);
            PaintVectorPage(painter, page, OutputDrawing::of(m_editor->document(), QString(), m_pictures));
        }
        const QRect ink = InkBox(sheet);
        ASSERT_TRUE(ink.isValid());
        const PrintLayout layout = PrintLayoutFor(page.width, page.height, c.height, c.width);
        // The window's frame, in page pixels: row 1 from its first to its
        // last field (y upward from the box's bottom edge).
        const double s = Engine().DrawingScale;
        const FieldRect& first = Engine().FieldRectTable[1][1];
        const int fields = c.width > c.height ? 2 : 1;
        const FieldRect& last = Engine().FieldRectTable[1][fields];
        ASSERT_TRUE(first.valid && last.valid);
        const int frameWidth = last.right - first.left;
        const int frameHeight = first.top - first.bottom;
        EXPECT_NEAR(first.left, layout.leftMargin, s + 1) << "the window starts at the 10 % margin";
        EXPECT_NEAR(double(frameHeight) / frameWidth, double(c.height) / c.width, 0.01) << "proportions kept";
        EXPECT_LE(ink.bottom(), layout.box.height) << "nothing in the bottom margin";
        EXPECT_LE(ink.bottom(), page.height - layout.bottomMargin);
        EXPECT_LT(ink.right(), page.width);
        // Fitted: the window fills most of the box one way.
        EXPECT_GT(std::max(double(frameHeight) / layout.box.height, double(frameWidth) / (layout.box.width - layout.leftMargin)), 0.6);
    }
}

TEST_F(OutputTest, BitmapPrintoutIsTheScreenShiftedAndOnHalfThePage)
{
    QImage screen(200, 100, QImage::Format_RGB32);
    screen.fill(Qt::white);
    for (int y = 0; y < 100; ++y)
        screen.setPixel(0, y, qRgb(0, 0, 0));
    const QImage shifted = ShiftedScreenCopy(screen);
    ASSERT_EQ(shifted.size(), screen.size());
    EXPECT_EQ(InkBox(shifted), QRect(20, 0, 1, 100)) << "the first column lands at x = 20";

    QImage sheet(1000, 1400, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QImage black(200, 100, QImage::Format_RGB32);
    black.fill(Qt::black);
    {
        QPainter painter(&sheet);
        PaintBitmapPage(painter, { 1000, 1400 }, black);
    }
    EXPECT_EQ(InkBox(sheet), QRect(20, 20, 500 + 70, 700));
}

TEST_F(OutputTest, WithoutPrinterPrintingOffersAPdfFile)
{
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed here";
    setWindow("1000,1000,1,1000,1,1000,L,F;");
    m_editor->document().setDocumentName(file("Haus.Fnt"));
    m_answerYes = false;
    m_dialog.answer = file("Haus.pdf");
    m_output->Fensterdrucken1Click();
    EXPECT_EQ(m_questions.size(), 1) << "it says so";
    EXPECT_TRUE(m_dialog.shown.isEmpty()) << "declined: nothing asked, nothing written";
    EXPECT_FALSE(QFile::exists(m_dialog.answer));

    m_answerYes = true;
    m_output->Fensterdrucken1Click();
    EXPECT_EQ(m_dialog.shown, QStringList { "pdf|PDF-Datei (*.pdf)|*.pdf|" + file("Haus.pdf") });
    EXPECT_TRUE(ReadAll(m_dialog.answer).startsWith("%PDF-"));
    EXPECT_EQ(m_editor->document().documentName(), file("Haus.Fnt")) << "the document keeps its name";

    EXPECT_THROW(m_output->FensterdruckenBitmap1Click(), std::runtime_error) << "no silent success";
}

} // namespace
