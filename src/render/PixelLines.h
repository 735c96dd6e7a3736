#pragma once

#include "Geometry.h"
#include "PixelBuffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace fenster {

// Walks the pixels of the centre line of a polyline, segment by segment,
// each from its start pixel to its end pixel (included when withEnd), and
// calls plot(x, y) for each. Steps whose major coordinate lies further than
// margin outside the W x H image are skipped, so that any coordinates cost
// at most the image's size per segment.
template<typename Plot>
void WalkCentreLine(std::span<const PixelPoint> points, bool withEnd, std::int64_t margin, int W, int H, Plot&& plot)
{
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::int64_t x0 = points[i].x, y0 = points[i].y;
        const std::int64_t x1 = points[i + 1].x, y1 = points[i + 1].y;
        // A segment wholly beside the image costs nothing.
        if (std::max(x0, x1) < -margin || std::min(x0, x1) > W + margin || std::max(y0, y1) < -margin
            || std::min(y0, y1) > H + margin)
            continue;
        const std::int64_t adx = std::llabs(x1 - x0), ady = std::llabs(y1 - y0);
        if (adx == 0 && ady == 0) {
            if (withEnd)
                plot(x0, y0);
            continue;
        }
        const bool xMajor = adx >= ady;
        const std::int64_t major0 = xMajor ? x0 : y0;
        const std::int64_t major1 = xMajor ? x1 : y1;
        const std::int64_t minor0 = xMajor ? y0 : x0;
        const std::int64_t minor1 = xMajor ? y1 : x1;
        const std::int64_t length = xMajor ? adx : ady;
        const std::int64_t extent = xMajor ? W : H;
        const std::int64_t sign = major1 >= major0 ? 1 : -1;
        // Only the steps whose major coordinate lies on the image.
        std::int64_t kFirst = 0;
        std::int64_t kLast = withEnd ? length : length - 1;
        if (sign > 0) {
            kFirst = std::max(kFirst, -margin - major0);
            kLast = std::min(kLast, extent + margin - major0);
        } else {
            kFirst = std::max(kFirst, major0 - (extent + margin));
            kLast = std::min(kLast, major0 + margin);
        }
        if (minor1 == minor0) {
            // Upright and level lines (meshes, bars, frames): no slope to follow.
            for (std::int64_t k = kFirst; k <= kLast; ++k) {
                if (xMajor)
                    plot(major0 + sign * k, minor0);
                else
                    plot(minor0, major0 + sign * k);
            }
            continue;
        }
        const double slope = double(minor1 - minor0) / double(length);
        for (std::int64_t k = kFirst; k <= kLast; ++k) {
            const std::int64_t major = major0 + sign * k;
            // floor without the library call: truncate, then step down for negatives.
            const double t = double(k) * slope + 0.5;
            std::int64_t offset = std::int64_t(t);
            if (t < double(offset))
                --offset;
            const std::int64_t minor = minor0 + offset;
            if (xMajor)
                plot(major, minor);
            else
                plot(minor, major);
        }
    }
}

// An area of pixels, left and top included, right and bottom not.
struct PixelBounds {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

// A one-pixel polyline in the opaque colour rgb (0xRRGGBB), each segment
// leaving out its end pixel like the platform's line call; only pixels
// inside the buffer and inside clip are set.
void CopyLinePixels(const PixelBuffer& buffer, std::span<const PixelPoint> points, std::uint32_t rgb, PixelBounds clip);

// Inverts the pixels a solid pen of the given width covers along a polyline:
// rgb (0xRRGGBB) is exclusive-ored into each covered pixel exactly once per
// call, however often the pen passes over it. One-pixel pens leave out each
// segment's end pixel; wide pens are discs that cover the ends. Keeps its
// scratch lists between calls.
class XorSpanFiller {
public:
    void fill(const PixelBuffer& buffer, std::span<const PixelPoint> points, int width, std::uint32_t rgb);

private:
    // A run of pixels on one row, both ends included.
    struct Span {
        int y;
        int x0;
        int x1;
        bool operator<(const Span& o) const { return y != o.y ? y < o.y : x0 < o.x0; }
    };
    std::vector<Span> m_spans;
    std::vector<Span> m_sortedSpans;
    std::vector<std::uint32_t> m_rowStarts;
};

} // namespace fenster
