// fenster-manual: turns the user manual (Markdown, UTF-8) into the PDF that
// "Online Hilfe" opens, at build time. Usage: fenster-manual IN.md OUT.pdf
// Exit status 0 when the PDF is written, 1 with a message otherwise.

#include "DiskFiles.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>
#include <exception>

namespace {

constexpr int kDotsPerInch = 300;

QByteArray manualPdf(const QString& markdown)
{
    QTextDocument document;
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    document.setDefaultFont(font);
    document.setMarkdown(markdown);

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setTitle(QStringLiteral("Fensterdaten – Handbuch"));
        writer.setCreator(QStringLiteral("Fensterdaten"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
            QPageLayout::Millimeter));
        // Pages of the writer's size with page numbers at the foot.
        document.print(&writer);
    }
    buffer.close();
    return pdf;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fenster-manual IN.md OUT.pdf\n");
        return 1;
    }
    // Fonts need a GUI application; the build has no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    try {
        const QString markdown = QString::fromUtf8(fenster::ReadFileBytes(QString::fromLocal8Bit(argv[1])));
        if (markdown.trimmed().isEmpty()) {
            std::fprintf(stderr, "fenster-manual: %s is empty\n", argv[1]);
            return 1;
        }
        const QByteArray pdf = manualPdf(markdown);
        if (!pdf.startsWith("%PDF")) {
            std::fprintf(stderr, "fenster-manual: no PDF was made from %s\n", argv[1]);
            return 1;
        }
        fenster::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), pdf);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "fenster-manual: %s\n", error.what());
        return 1;
    }
    return 0;
}
