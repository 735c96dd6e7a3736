#pragma once

// Vector files read from outside: PDF pages turned into pixels by pdftoppm
// at 254 dpi (10 pixels per mm) and into text by pdftotext, the window's
// outline measured on those pixels, and DXF files read by ezdxf through
// tests/render/check_dxf.py.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace fenster::test {

inline constexpr double kSheetPixelsPerMm = 10.0; // 254 dpi

// The standard output of a tool that must succeed.
inline QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// A test's scratch copy of bytes (not the program's output).
inline QString ScratchFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
    return path;
}

// The first page of a PDF file in pixels at 10 per mm.
inline QImage PdfFilePixels(const QString& path, const QString& folder)
{
    const QString prefix = QDir(folder).filePath(QStringLiteral("pixels"));
    RunTool(QStringLiteral("pdftoppm"), { QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                            QStringLiteral("-singlefile"), path, prefix });
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

inline QImage PdfPixels(const QByteArray& pdf, const QString& folder)
{
    return PdfFilePixels(ScratchFile(folder, QStringLiteral("page.pdf"), pdf), folder);
}

inline QString PdfFileText(const QString& path)
{
    return QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), { path, QStringLiteral("-") }));
}

inline QString PdfText(const QByteArray& pdf, const QString& folder)
{
    return PdfFileText(ScratchFile(folder, QStringLiteral("text.pdf"), pdf));
}

// What pdfinfo says of a PDF file, e.g. "Page size:       1190.55 x 841.89 pts (A3)".
inline QString PdfFileInfo(const QString& path)
{
    return QString::fromUtf8(RunTool(QStringLiteral("pdfinfo"), { path }));
}

inline bool IsDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

struct DarkSpan {
    double first = 0; // centre of the first dark run
    double last = 0; // centre of the last dark run
};

// Centres of the first and the last run of dark pixels along a row or a
// column: for a window drawn alone, the two sides of its outline.
inline std::optional<DarkSpan> OutlineSpan(const QImage& image, int index, bool alongRow)
{
    const int length = alongRow ? image.width() : image.height();
    const auto isDark = [&](int i) { return IsDark(alongRow ? image.pixel(i, index) : image.pixel(index, i)); };
    int a = 0;
    while (a < length && !isDark(a))
        ++a;
    if (a == length)
        return std::nullopt;
    int b = a;
    while (b < length && isDark(b))
        ++b;
    int d = length - 1;
    while (!isDark(d))
        --d;
    int c = d;
    while (isDark(c))
        --c;
    return DarkSpan { (a + b - 1) / 2.0, (c + 1 + d) / 2.0 };
}

struct DarkBox {
    int left = 0, top = 0, right = -1, bottom = -1;
};

// The box of dark pixels above a row (the caption lies below it).
inline DarkBox DarkBoxAbove(const QImage& image, int aboveRow)
{
    DarkBox box { image.width(), image.height(), -1, -1 };
    for (int y = 0; y < std::min(aboveRow, image.height()); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsDark(image.pixel(x, y))) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// Width and height of the window's outline in pixels at 10 per mm.
struct Outline {
    double width = 0;
    double height = 0;
    DarkBox box;
};

inline Outline MeasureOutline(const QImage& image)
{
    // The caption stands in the lowest 25 mm of the sheet.
    const DarkBox box = DarkBoxAbove(image, image.height() - int(25 * kSheetPixelsPerMm));
    EXPECT_GE(box.right, box.left) << "nothing drawn";
    Outline outline;
    outline.box = box;
    const std::optional<DarkSpan> across = OutlineSpan(image, (box.top + box.bottom) / 2, true);
    const std::optional<DarkSpan> down = OutlineSpan(image, (box.left + box.right) / 2, false);
    if (across)
        outline.width = across->last - across->first;
    if (down) {
        // Down the middle column the caption's letters may be met below.
        const std::optional<DarkSpan> inside
            = OutlineSpan(image.copy(0, 0, image.width(), box.bottom + 2), (box.left + box.right) / 2, false);
        outline.height = inside ? inside->last - inside->first : 0;
    }
    return outline;
}

// What ezdxf finds in each DXF file, by path (see check_dxf.py); one
// reader for all of them.
inline QJsonObject ReadWithEzdxf(const QString& checkScript, const QStringList& paths)
{
    QProcess process;
    process.start(QStringLiteral("/usr/bin/python3"), QStringList { checkScript } + paths);
    EXPECT_TRUE(process.waitForFinished(120000)) << "check_dxf.py did not finish";
    const QByteArray err = process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 0) << err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(process.readAllStandardOutput(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << err.toStdString();
    return document.object();
}

} // namespace fenster::test
