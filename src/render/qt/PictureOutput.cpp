#include "PictureOutput.h"

#include "DiskFiles.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <zlib.h>

#include <array>
#include <new>
#include <stdexcept>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace fenster {

namespace {

void appendBigEndian(std::string& out, std::uint32_t v)
{
    out += char(v >> 24);
    out += char(v >> 16);
    out += char(v >> 8);
    out += char(v);
}

void appendChunk(std::string& out, const char* type, const std::string& data)
{
    appendBigEndian(out, std::uint32_t(data.size()));
    std::string body(type, 4);
    body += data;
    out += body;
    appendBigEndian(out, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

// The distinct colours of the image, or an empty list when there are more
// than 256.
std::vector<std::uint32_t> paletteOf(const QImage& image, std::vector<std::uint8_t>& indices)
{
    std::vector<std::uint32_t> palette;
    std::unordered_map<std::uint32_t, std::uint8_t> index;
    indices.resize(std::size_t(image.width()) * std::size_t(image.height()));
    std::uint32_t last = 0;
    std::uint8_t lastIndex = 0;
    bool haveLast = false;
    std::size_t at = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t c = row[x] & 0xffffffu;
            if (!haveLast || c != last) {
                auto it = index.find(c);
                if (it == index.end()) {
                    if (palette.size() == 256)
                        return {};
                    it = index.emplace(c, std::uint8_t(palette.size())).first;
                    palette.push_back(c);
                }
                last = c;
                lastIndex = it->second;
                haveLast = true;
            }
            indices[at++] = lastIndex;
        }
    }
    return palette;
}

} // namespace

QByteArray EncodeFastPng(const QImage& source)
{
    const QImage image = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0)
        return {};

    std::vector<std::uint8_t> indices;
    const std::vector<std::uint32_t> palette = paletteOf(image, indices);
    const bool indexed = !palette.empty();

    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    appendBigEndian(header, std::uint32_t(width));
    appendBigEndian(header, std::uint32_t(height));
    header += char(8); // bits per sample
    header += char(indexed ? 3 : 2); // palette or RGB
    header += std::string(3, '\0'); // deflate, adaptive filtering, no interlace
    appendChunk(png, "IHDR", header);
    if (indexed) {
        std::string plte;
        for (std::uint32_t c : palette) {
            plte += char(c >> 16);
            plte += char(c >> 8);
            plte += char(c);
        }
        appendChunk(png, "PLTE", plte);
    }

    z_stream stream {};
    if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK)
        throw std::bad_alloc();
    std::string compressed;
    std::vector<unsigned char> row(1 + std::size_t(width) * (indexed ? 1 : 3));
    std::array<unsigned char, 65536> buffer;
    for (int y = 0; y < height; ++y) {
        row[0] = 0; // no filter
        if (indexed) {
            std::copy_n(indices.begin() + std::ptrdiff_t(std::size_t(y) * std::size_t(width)), width, row.begin() + 1);
        } else {
            const auto* pixels = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                row[1 + 3 * std::size_t(x)] = (unsigned char)(pixels[x] >> 16);
                row[2 + 3 * std::size_t(x)] = (unsigned char)(pixels[x] >> 8);
                row[3 + 3 * std::size_t(x)] = (unsigned char)(pixels[x]);
            }
        }
        stream.next_in = row.data();
        stream.avail_in = uInt(row.size());
        const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = uInt(buffer.size());
            if (deflate(&stream, flush) == Z_STREAM_ERROR) {
                deflateEnd(&stream);
                throw std::logic_error("the PNG compressor refused its own stream");
            }
            compressed.append(reinterpret_cast<const char*>(buffer.data()), buffer.size() - stream.avail_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", std::string());

    return QByteArray(png.data(), qsizetype(png.size()));
}

std::optional<PictureFormat> PictureFormatOf(const QString& extension)
{
    const QString e = extension.toLower();
    if (e == u"png")
        return PictureFormat::Png;
    if (e == u"bmp")
        return PictureFormat::Bmp;
    if (e == u"svg")
        return PictureFormat::Svg;
    if (e == u"pdf")
        return PictureFormat::Pdf;
    return std::nullopt;
}

void WritePicture(const QImage& image, const QString& path, PictureFormat format)
{
    if (format != PictureFormat::Png && format != PictureFormat::Bmp)
        throw std::invalid_argument("WritePicture writes bitmaps only");
    if (image.isNull())
        throw FileError(QStringLiteral("\"%1\" kann nicht geschrieben werden: das Bild ist leer.").arg(path).toStdString());
    if (format == PictureFormat::Png) {
        WriteFileAtomically(path, EncodeFastPng(image));
        return;
    }
    // QImage writes BMP with 24 bits per pixel for an opaque 32-bit image.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "BMP"))
            throw FileError(QStringLiteral("\"%1\" kann nicht geschrieben werden: das Bild lässt sich nicht als BMP "
                                           "darstellen.").arg(path).toStdString());
    }
    WriteFileAtomically(path, bytes);
}

QByteArray VectorPictureBytes(PictureFormat format, QSize size, const std::function<void(QPainter&)>& draw)
{
    if (format != PictureFormat::Svg && format != PictureFormat::Pdf)
        throw std::invalid_argument("VectorPictureBytes makes SVG and PDF only");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    const auto paint = [&](QPaintDevice& device) {
        QPainter painter;
        if (!painter.begin(&device))
            return;
        painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        draw(painter);
        painted = painter.end();
    };
    if (format == PictureFormat::Svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(96);
        generator.setTitle(QStringLiteral("Fensterdaten"));
        paint(generator);
    } else {
        QPdfWriter writer(&buffer);
        writer.setResolution(96);
        writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96.0, size.height() * 72.0 / 96.0), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QStringLiteral("Fensterdaten"));
        paint(writer);
    }
    buffer.close();
    if (!painted || bytes.isEmpty())
        throw PictureNotDrawnError();
    return bytes;
}

PictureNotDrawnError::PictureNotDrawnError()
    : std::runtime_error("Das Bild ließ sich nicht zeichnen.")
{
}

void WriteVectorPicture(const QString& path, PictureFormat format, QSize size,
    const std::function<void(QPainter&)>& draw)
{
    if (format != PictureFormat::Svg && format != PictureFormat::Pdf)
        throw std::invalid_argument("WriteVectorPicture writes SVG and PDF only");
    QByteArray bytes;
    try {
        bytes = VectorPictureBytes(format, size, draw);
    } catch (const PictureNotDrawnError&) {
        throw FileError(QStringLiteral("\"%1\" kann nicht geschrieben werden: das Bild ließ sich nicht zeichnen.")
                            .arg(path)
                            .toStdString());
    }
    WriteFileAtomically(path, bytes);
}

} // namespace fenster
