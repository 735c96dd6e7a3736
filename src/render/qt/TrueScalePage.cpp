#include "TrueScalePage.h"

#include "DiskFiles.h"
#include "QtCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>

namespace fenster {

namespace {

// The sheet's device resolution: one pixel of the engine is 1/300 inch,
// so its one-pixel lines are thin on paper and the outline's three pixels
// a quarter of a millimetre; every point lands within 0.05 mm.
constexpr int kDotsPerInch = 300;
constexpr double kPixelsPerMm = kDotsPerInch / 25.4;
constexpr double kMarginMm = 10.0;
constexpr double kCaptionGapMm = 3.0;
// Beyond this a drawing would be a dot; a sheet that cannot take it at
// such a ratio cannot take it at all.
constexpr long long kMaxFittedRatio = 100'000'000;
constexpr qsizetype kExpectedSheetBytes = qsizetype(1) << 20;

std::string lower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return result;
}

std::string paperDisplayName(Paper paper)
{
    return std::string(paper.size == PaperSize::A4 ? "A4" : "A3")
        + (paper.orientation == PaperOrientation::Landscape ? " quer" : " hoch");
}

// A sheet as a paint device, writing into a buffer.
class Sheet {
public:
    Sheet(PageFormat format, Paper paper, const std::string& title)
        : m_buffer(&m_bytes)
    {
        // Room for a full sheet, so that the buffer does not grow by small
        // steps while the writer streams into it.
        m_bytes.reserve(kExpectedSheetBytes);
        m_buffer.open(QIODevice::WriteOnly);
        const PaperMm mm = PaperDimensions(paper);
        if (format == PageFormat::Pdf) {
            auto writer = std::make_unique<QPdfWriter>(&m_buffer);
            writer->setResolution(kDotsPerInch);
            writer->setCreator(QStringLiteral("Fensterdaten"));
            writer->setTitle(QString::fromStdString(title));
            const QPageSize size(paper.size == PaperSize::A4 ? QPageSize::A4 : QPageSize::A3);
            writer->setPageLayout(QPageLayout(size,
                paper.orientation == PaperOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
            m_size = QSize(writer->width(), writer->height());
            m_device = std::move(writer);
        } else {
            auto generator = std::make_unique<QSvgGenerator>();
            generator->setOutputDevice(&m_buffer);
            generator->setResolution(kDotsPerInch);
            m_size = QSize(rnd(mm.width * kPixelsPerMm), rnd(mm.height * kPixelsPerMm));
            generator->setSize(m_size);
            generator->setViewBox(QRect(QPoint(0, 0), m_size));
            generator->setTitle(QString::fromStdString(title));
            generator->setDescription(QStringLiteral("Fensterdaten"));
            m_device = std::move(generator);
        }
    }

    QPaintDevice* device() const { return m_device.get(); }
    QSize size() const { return m_size; }
    // The file, once the painter has ended.
    QByteArray bytes()
    {
        m_device.reset();
        m_buffer.close();
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    std::unique_ptr<QPaintDevice> m_device;
    QSize m_size;
};

// A canvas that draws nothing and keeps the pixel rectangle of everything
// drawn on it, text measured as the sheet measures it.
class BoundsCanvas : public Canvas {
public:
    BoundsCanvas(const QFont& font, QPaintDevice* device)
        : m_metrics(font, device)
        , m_font(font)
        , m_dpi(device->logicalDpiY())
    {
    }

    const std::optional<QRectF>& bounds() const { return m_bounds; }

protected:
    void drawLine(PixelPoint from, PixelPoint to, const Pen& pen) override
    {
        const PixelPoint points[] = { from, to };
        drawPolyline(points, pen);
    }
    void drawPolyline(std::span<const PixelPoint> points, const Pen&) override { includePoints(points); }
    void drawPolygon(std::span<const PixelPoint> points, const Pen&, const Brush&) override { includePoints(points); }
    void drawRectangle(PixelRect rect, const Pen&, const Brush&) override
    {
        const PixelPoint corners[] = { { rect.left, rect.top }, { rect.right, rect.bottom } };
        includePoints(corners);
    }
    void drawText(PixelPoint at, std::string_view text, Escapement escapement) override
    {
        const TextSize size = measureText(text);
        // Turned text reads upward from its reference point.
        if (escapement == Escapement::Horizontal)
            include(QRectF(at.x, at.y, size.width, size.height));
        else
            include(QRectF(at.x, at.y - size.width, size.height, size.width));
    }
    TextSize measureText(std::string_view text) const override
    {
        const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
        return { m_metrics.horizontalAdvance(string), m_metrics.height() };
    }
    int characterHeight() const override
    {
        // As the Qt canvas has it on the same device.
        if (m_font.pixelSize() > 0)
            return m_font.pixelSize();
        return std::max(1, rnd(m_font.pointSizeF() * m_dpi / 72.0));
    }
    void setClipPolygon(std::span<const PixelPoint> points) override
    {
        m_clipped = true;
        m_clip.reset();
        if (points.size() < 3)
            return;
        double left = points.front().x, right = left, top = points.front().y, bottom = top;
        for (PixelPoint p : points) {
            left = std::min(left, double(p.x));
            right = std::max(right, double(p.x));
            top = std::min(top, double(p.y));
            bottom = std::max(bottom, double(p.y));
        }
        m_clip = QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    void clearClip() override { m_clipped = false; }
    void drawImageAnd(PixelRect dest, const RasterImage&) override
    {
        const PixelPoint corners[] = { { dest.left, dest.top }, { dest.right, dest.bottom } };
        includePoints(corners);
    }

private:
    void includePoints(std::span<const PixelPoint> points)
    {
        if (points.empty())
            return;
        double left = points.front().x, right = left, top = points.front().y, bottom = top;
        for (PixelPoint p : points) {
            left = std::min(left, double(p.x));
            right = std::max(right, double(p.x));
            top = std::min(top, double(p.y));
            bottom = std::max(bottom, double(p.y));
        }
        include(QRectF(QPointF(left, top), QPointF(right, bottom)));
    }
    // Rectangles may be lines (no width or no height); the clip cuts them
    // to the clip polygon's bounding box.
    void include(QRectF rect)
    {
        double left = rect.left(), top = rect.top(), right = rect.right(), bottom = rect.bottom();
        if (m_clipped) {
            if (!m_clip)
                return;
            left = std::max(left, m_clip->left());
            top = std::max(top, m_clip->top());
            right = std::min(right, m_clip->right());
            bottom = std::min(bottom, m_clip->bottom());
            if (left > right || top > bottom)
                return;
        }
        if (m_bounds) {
            left = std::min(left, m_bounds->left());
            top = std::min(top, m_bounds->top());
            right = std::max(right, m_bounds->right());
            bottom = std::max(bottom, m_bounds->bottom());
        }
        m_bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
    }

    QFontMetrics m_metrics;
    QFont m_font;
    int m_dpi;
    bool m_clipped = false;
    std::optional<QRectF> m_clip; // none: everything is clipped away
    std::optional<QRectF> m_bounds;
};

struct Placement {
    double scale = 0.0; // pixels per mm of the window
    ExportCanvas canvas;
};

Placement placementFor(const TrueScaleJob& job, long long ratio, const QFontMetrics& metrics)
{
    Placement placement;
    placement.scale = kPixelsPerMm / double(ratio);
    // The text height of "W" is the font's line height on the sheet.
    placement.canvas
        = ExportCanvasFor(job.drawing.description, placement.scale, metrics.height(), job.drawing.edgeDimensions);
    return placement;
}

void drawDrawing(Canvas& canvas, const TrueScaleJob& job, const Placement& placement, std::vector<std::string>& errors)
{
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    DrawWindow(canvas, 0, 0, placement.canvas.width, placement.canvas.height, job.drawing.description,
        job.drawing.edgeDimensions, -1, -1, placement.scale);
    DrawExportAnnotations(canvas, job.drawing, errors);
}

QFont captionFont(const QFont& font)
{
    QFont caption = font;
    if (caption.pointSizeF() > 0)
        caption.setPointSizeF(caption.pointSizeF() + 2.0);
    return caption;
}

} // namespace

PaperMm PaperDimensions(Paper paper)
{
    PaperMm mm = paper.size == PaperSize::A4 ? PaperMm { 210.0, 297.0 } : PaperMm { 297.0, 420.0 };
    if (paper.orientation == PaperOrientation::Landscape)
        std::swap(mm.width, mm.height);
    return mm;
}

Paper ParsePaper(std::string_view text)
{
    const std::string name = lower(text);
    struct Entry {
        const char* name;
        Paper paper;
    };
    static const Entry kPapers[] = {
        { "a4", { PaperSize::A4, PaperOrientation::Portrait } },
        { "a4-hoch", { PaperSize::A4, PaperOrientation::Portrait } },
        { "a4-quer", { PaperSize::A4, PaperOrientation::Landscape } },
        { "a3", { PaperSize::A3, PaperOrientation::Portrait } },
        { "a3-hoch", { PaperSize::A3, PaperOrientation::Portrait } },
        { "a3-quer", { PaperSize::A3, PaperOrientation::Landscape } },
    };
    for (const Entry& entry : kPapers)
        if (name == entry.name)
            return entry.paper;
    throw TrueScaleError("Unbekanntes Papierformat \"" + std::string(text)
        + "\": möglich sind A4, A4-hoch, A4-quer, A3, A3-hoch und A3-quer.");
}

std::string PaperName(Paper paper)
{
    return std::string(paper.size == PaperSize::A4 ? "A4" : "A3")
        + (paper.orientation == PaperOrientation::Landscape ? "-quer" : "");
}

void CheckRatio(int ratio)
{
    if (ratio < kMinRatio || ratio > kMaxRatio)
        throw TrueScaleError("Der Maßstab 1:" + std::to_string(ratio) + " ist nicht möglich: N muss zwischen "
            + std::to_string(kMinRatio) + " und " + std::to_string(kMaxRatio) + " liegen.");
}

int ParseRatio(std::string_view text)
{
    std::string_view number = text;
    if (number.starts_with("1:"))
        number.remove_prefix(2);
    long long value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (number.empty() || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw TrueScaleError("Der Maßstab \"" + std::string(text) + "\" ist keine ganze Zahl N (oder 1:N).");
    if (ec == std::errc::result_out_of_range || value < kMinRatio || value > kMaxRatio)
        throw TrueScaleError("Der Maßstab \"" + std::string(text) + "\" ist nicht möglich: N muss zwischen "
            + std::to_string(kMinRatio) + " und " + std::to_string(kMaxRatio) + " liegen.");
    return int(value);
}

std::optional<PageFormat> PageFormatForPath(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return PageFormat::Pdf;
    if (suffix == QLatin1String("svg"))
        return PageFormat::Svg;
    return std::nullopt;
}

QFont TrueScaleJob::DefaultPageFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    return font;
}

std::string TrueScaleCaption(std::string_view documentName, int ratio, int requestedRatio, Paper paper)
{
    std::string caption(documentName);
    if (!caption.empty())
        caption += "   ";
    caption += "M 1:" + std::to_string(ratio);
    if (ratio != requestedRatio)
        caption += " (verkleinert: 1:" + std::to_string(requestedRatio) + " passt nicht auf " + paperDisplayName(paper)
            + ")";
    return caption;
}

TrueScalePage RenderTrueScalePage(const TrueScaleJob& job)
{
    CheckRatio(job.ratio);
    const EngineStateGuard keepEditorState;
    Sheet sheet(job.format, job.paper, job.documentName);
    QPaintDevice* device = sheet.device();
    const QFontMetrics metrics(job.font, device);
    const QFont caption = captionFont(job.font);
    const QFontMetrics captionMetrics(caption, device);

    const QSize page = sheet.size();
    const int margin = rnd(kMarginMm * kPixelsPerMm);
    const int band = captionMetrics.height() + rnd(kCaptionGapMm * kPixelsPerMm);
    const QRect area(margin, margin, page.width() - 2 * margin, page.height() - 2 * margin - band);

    // The drawing's extent at a ratio, and whether it fits the area.
    const auto measure = [&](long long ratio) {
        BoundsCanvas bounds(job.font, device);
        std::vector<std::string> ignored;
        drawDrawing(bounds, job, placementFor(job, ratio, metrics), ignored);
        return bounds.bounds();
    };
    const auto fits = [&](const std::optional<QRectF>& bounds) {
        return !bounds || (bounds->width() <= area.width() && bounds->height() <= area.height());
    };

    // A window wider or taller than the area cannot fit at a ratio below
    // its measure over the area's: the search starts there, so that a huge
    // window is never drawn large first.
    const OverallSize overall = HeaderSize(job.drawing.description);
    const double areaWidthMm = area.width() / kPixelsPerMm;
    const double areaHeightMm = area.height() / kPixelsPerMm;
    long long ratio = job.ratio;
    if (areaWidthMm > 0.0 && areaHeightMm > 0.0)
        ratio = std::max({ ratio, (long long)std::ceil(overall.width / areaWidthMm),
            (long long)std::ceil(overall.height / areaHeightMm) });
    ratio = std::min(ratio, kMaxFittedRatio);
    std::optional<QRectF> bounds = measure(ratio);
    if (!fits(bounds)) {
        // The smallest whole N that fits: double until one does, then halve
        // the gap. The window shrinks with N, the text does not.
        long long low = ratio;
        long long high = ratio;
        std::optional<QRectF> highBounds;
        do {
            low = high;
            high = std::min(high * 2, kMaxFittedRatio);
            highBounds = measure(high);
        } while (!fits(highBounds) && high < kMaxFittedRatio);
        if (!fits(highBounds))
            throw TrueScaleError("Die Zeichnung passt in keinem Maßstab auf das Blatt " + paperDisplayName(job.paper) + ".");
        while (high - low > 1) {
            const long long middle = low + (high - low) / 2;
            std::optional<QRectF> middleBounds = measure(middle);
            if (fits(middleBounds)) {
                high = middle;
                highBounds = middleBounds;
            } else {
                low = middle;
            }
        }
        ratio = high;
        bounds = highBounds;
    }

    TrueScalePage result;
    result.ratio = int(ratio);
    result.fitted = ratio != job.ratio;
    {
        QPainter painter;
        if (!painter.begin(device))
            throw TrueScaleError("Die Seite kann nicht erzeugt werden.");
        painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
        painter.save();
        if (bounds)
            painter.translate(area.left() + (area.width() - bounds->width()) / 2.0 - bounds->left(),
                area.top() + (area.height() - bounds->height()) / 2.0 - bounds->top());
        {
            painter.setFont(job.font);
            QtCanvas canvas(painter);
            canvas.setFont(job.font);
            drawDrawing(canvas, job, placementFor(job, ratio, metrics), result.annotationErrors);
            canvas.finish();
        }
        painter.restore();
        painter.setFont(caption);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(margin, page.height() - margin - captionMetrics.descent()),
            QString::fromStdString(TrueScaleCaption(job.documentName, result.ratio, job.ratio, job.paper)));
        if (!painter.end())
            throw TrueScaleError("Die Seite kann nicht erzeugt werden.");
    }
    result.bytes = sheet.bytes();
    return result;
}

TrueScalePage WriteTrueScalePage(const TrueScaleJob& job, const QString& path)
{
    TrueScalePage page = RenderTrueScalePage(job);
    WriteFileAtomically(path, page.bytes);
    return page;
}

} // namespace fenster
