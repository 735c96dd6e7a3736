// The editor's render-only run and fensterdaten-cli render at the same
// constant scale draw the same picture of every example.

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

using fenster::test::ProcessOptions;
using fenster::test::RunProgram;

// The smallest rectangle holding every pixel that is not white.
QRect contentBox(const QImage& image)
{
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffffu) != 0xffffffu) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

TEST(RenderOnly, EveryExampleMatchesTheCommandLinePicture)
{
    const QStringList examples = QDir(QStringLiteral(FENSTER_EXAMPLES)).entryList({ QStringLiteral("*.Fnt") });
    ASSERT_FALSE(examples.isEmpty());
    fenster::test::TemporaryFolder folder;
    QDir(folder.path()).mkdir("config");
    // The render-only run reads no lists: the command line gets empty ones.
    const QString noList = fenster::test::WriteBytes(folder.filePath("leer.txt"), "");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("FENSTER_CONFIG_DIR", folder.filePath("config"));
    ProcessOptions editorOptions;
    editorOptions.environment = environment;
    struct Case {
        const char* name;
        QStringList editorOptions;
        QStringList cliOptions;
    };
    const Case cases[] = {
        { "without edge dimensions", {}, {} },
        { "with edge dimensions", { "M" }, { "--dimensions" } },
    };
    for (const QString& name : examples) {
        // A copy, so that no companion of the example is read.
        const QString input = folder.filePath(name);
        QFile::remove(input);
        ASSERT_TRUE(QFile::copy(QStringLiteral(FENSTER_EXAMPLES "/") + name, input));
        for (const Case& c : cases) {
            SCOPED_TRACE(name.toStdString() + ", " + c.name);
            const QString editorPicture = folder.filePath("editor.bmp");
            const QString cliPicture = folder.filePath("cli.bmp");
            QFile::remove(editorPicture);
            QFile::remove(cliPicture);
            const auto editor = RunProgram(QStringLiteral(FENSTER_EDITOR),
                QStringList { "-FILE:" + input, "-OUTFILE:" + editorPicture, "-MASSSTAB:500" } + c.editorOptions,
                editorOptions);
            ASSERT_EQ(editor.status, 0) << editor.err;
            const auto cli = RunProgram(QStringLiteral(FENSTER_CLI),
                QStringList { "render", input, "-o", cliPicture, "--scale", "5", "--symbols", noList, "--dimlines",
                    noList }
                    + c.cliOptions);
            ASSERT_EQ(cli.status, 0) << cli.err;
            const QImage fromEditor(editorPicture);
            const QImage fromCli(cliPicture);
            ASSERT_FALSE(fromEditor.isNull());
            ASSERT_FALSE(fromCli.isNull());
            const QRect editorBox = contentBox(fromEditor);
            const QRect cliBox = contentBox(fromCli);
            ASSERT_FALSE(editorBox.isEmpty());
            // The editor draws with a left margin of 1 pixel, so a pen's
            // outer pixel left of the window's edge may fall off the canvas:
            // the drawings are compared from their right and bottom edges.
            ASSERT_EQ(editorBox.height(), cliBox.height());
            ASSERT_LE(std::abs(editorBox.width() - cliBox.width()), 1);
            // Whole windows, not a strip: at 5 mm per pixel the drawing is
            // at least as large as the window's overall size.
            const QList<QByteArray> header = fenster::test::ReadBytes(input).split(',');
            ASSERT_GE(header.size(), 2);
            EXPECT_GE(editorBox.height(), header[0].toInt() / 5);
            EXPECT_GE(editorBox.width(), header[1].toInt() / 5);
            const int width = std::min(editorBox.width(), cliBox.width());
            const QImage a = fromEditor.copy(editorBox.right() + 1 - width, editorBox.top(), width, editorBox.height())
                                 .convertToFormat(QImage::Format_RGB32);
            const QImage b = fromCli.copy(cliBox.right() + 1 - width, cliBox.top(), width, cliBox.height())
                                 .convertToFormat(QImage::Format_RGB32);
            EXPECT_TRUE(a == b) << "the drawings differ";
        }
    }
}

} // namespace
