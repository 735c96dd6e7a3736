#include "ConstantScale.h"

#include "EngineReader.h"
#include "QtCanvas.h"
#include "Raster.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#ifdef __linux__
#include <sys/mman.h>
#endif
#include <cmath>
#include <stdexcept>

namespace fenster {

namespace {

constexpr int kDotsPerMetreAt96Dpi = 3780;

double sideBeforeLimits(double v)
{
    return v >= 1.0 ? std::nearbyint(v) : 1.0;
}

QString pixelCount(double v)
{
    return QLocale(QLocale::German).toString(v, 'f', 0);
}

int limitedSide(double v)
{
    if (!(v >= 1.0))
        return 1;
    return std::min(rnd(v), kMaxPictureSide);
}

} // namespace

CanvasSize ConstantScaleCanvasSize(int overallHeight, int overallWidth, double mmPerPixel, int textHeight, int bottomMargin)
{
    if (!(mmPerPixel > 0.0) || !std::isfinite(mmPerPixel))
        throw std::invalid_argument("the scale must be a number of millimetres per pixel above 0");
    CanvasSize size { limitedSide(overallWidth / mmPerPixel + 10.0 * textHeight + bottomMargin + 2.0),
        limitedSide(overallHeight / mmPerPixel + 10.0 * textHeight + 2.0) };
    // Keep the area bounded too: the height gives way, as the window's
    // bottom edge is what stays in place.
    if ((long long)size.width * size.height > kMaxPicturePixels)
        size.height = int(std::max(1LL, kMaxPicturePixels / size.width));
    return size;
}

PictureTooLargeError::PictureTooLargeError(double w, double h)
    : std::runtime_error(QStringLiteral("Das Bild wäre %1 × %2 Pixel groß; möglich sind höchstens %3 Pixel je Seite "
                                        "und %4 Pixel insgesamt. Bitte einen größeren Maßstab wählen.")
                             .arg(pixelCount(w), pixelCount(h), pixelCount(kMaxPictureSide),
                                 pixelCount(double(kMaxPicturePixels)))
                             .toStdString())
    , width(w)
    , height(h)
{
}

void CheckConstantScaleCanvasSize(int overallHeight, int overallWidth, double mmPerPixel, int textHeight,
    int bottomMargin)
{
    if (!(mmPerPixel > 0.0) || !std::isfinite(mmPerPixel))
        throw std::invalid_argument("the scale must be a number of millimetres per pixel above 0");
    const double w = sideBeforeLimits(overallWidth / mmPerPixel + 10.0 * textHeight + bottomMargin + 2.0);
    const double h = sideBeforeLimits(overallHeight / mmPerPixel + 10.0 * textHeight + 2.0);
    if (w > kMaxPictureSide || h > kMaxPictureSide || w * h > double(kMaxPicturePixels))
        throw PictureTooLargeError(w, h);
}

void ResolveOverallSize(ConstantScaleJob& job)
{
    if (job.overallHeight >= 0 && job.overallWidth >= 0)
        return;
    DescriptionReader reader(job.description);
    const int H = reader.nextNumber();
    const int W = reader.nextNumber();
    if (job.overallHeight < 0)
        job.overallHeight = H;
    if (job.overallWidth < 0)
        job.overallWidth = W;
}

void DrawConstantScale(Canvas& canvas, const ConstantScaleJob& job, CanvasSize size)
{
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    DrawWindow(canvas, job.leftMargin, 0, size.width, size.height, job.description, job.edgeDimensions,
        job.selectedField, job.selectedRow, 1.0 / job.mmPerPixel);
    if (job.annotations)
        job.annotations(canvas);
}

int TextHeightOfW(const QFont& font)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    probe.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    probe.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    return QFontMetrics(font, &probe).height();
}

namespace {

void freePicture(void* data)
{
    std::free(data);
}

// A bitmap buffer of whole huge pages where the system offers them: a fresh
// canvas of a few megabytes otherwise costs a page fault per 4 KiB, which
// on some machines outweighs the drawing itself.
QImage allocatePicture(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
#ifdef __linux__
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    if (bytes >= kHugePage) {
        const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
        if (void* data = std::aligned_alloc(kHugePage, rounded)) {
            madvise(data, rounded, MADV_HUGEPAGE);
            return QImage(static_cast<uchar*>(data), width, height, bytesPerLine, QImage::Format_RGB32, freePicture, data);
        }
    }
#endif
    return QImage(width, height, QImage::Format_RGB32);
}

} // namespace

QImage WhitePicture(CanvasSize size)
{
    QImage image = allocatePicture(std::clamp(size.width, 1, kMaxPictureSide), std::clamp(size.height, 1, kMaxPictureSide));
    image.setDotsPerMeterX(kDotsPerMetreAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMetreAt96Dpi);
    image.fill(Qt::white);
    return image;
}

ConstantScaleCanvas RenderConstantScaleCanvas(const QFont& font, ConstantScaleJob job)
{
    ResolveOverallSize(job);
    ConstantScaleCanvas result;
    CheckConstantScaleCanvasSize(job.overallHeight, job.overallWidth, job.mmPerPixel, TextHeightOfW(font),
        job.bottomMargin);
    result.canvas = ConstantScaleCanvasSize(job.overallHeight, job.overallWidth, job.mmPerPixel, TextHeightOfW(font),
        job.bottomMargin);
    result.canvasImage = WhitePicture(result.canvas);
    {
        QPainter painter(&result.canvasImage);
        painter.setFont(font);
        QtCanvas canvas(painter);
        canvas.setFont(font);
        DrawConstantScale(canvas, job, result.canvas);
    }
    // The bitmap is RGB32, opaque: its rows serve the crop as they are.
    const QImage& image = result.canvasImage;
    result.crop = ContentRect(reinterpret_cast<const std::uint32_t*>(image.constBits()), image.width(), image.height(),
        image.bytesPerLine() / 4, 250, ContentIs::Darker);
    return result;
}

ConstantScalePicture RenderConstantScale(const QFont& font, ConstantScaleJob job)
{
    ConstantScaleCanvas canvas = RenderConstantScaleCanvas(font, std::move(job));
    ConstantScalePicture picture;
    picture.canvas = canvas.canvas;
    picture.crop = canvas.crop;
    picture.image = canvas.canvasImage.copy(canvas.crop.left, canvas.crop.top, canvas.crop.width(), canvas.crop.height());
    return picture;
}

QImage RenderFitted(const QFont& font, std::string_view description, CanvasSize box, EdgeDimensions edgeDimensions,
    const std::function<void(Canvas&)>& annotations)
{
    QImage image = WhitePicture(box);
    QPainter painter(&image);
    painter.setFont(font);
    QtCanvas canvas(painter);
    canvas.setFont(font);
    canvas.setPen(Pen { kBlack, 1, PenStyle::Solid, PenMix::Copy });
    DrawWindow(canvas, 1, 1, image.width() - 2, image.height() - 2, description, edgeDimensions, -1, -1, 0.0);
    if (annotations)
        annotations(canvas);
    canvas.finish();
    painter.end();
    return image;
}

} // namespace fenster
