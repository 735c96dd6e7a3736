#include "PixelLines.h"

namespace fenster {

void CopyLinePixels(const PixelBuffer& buffer, std::span<const PixelPoint> points, std::uint32_t rgb, PixelBounds clip)
{
    const int W = buffer.width;
    const int H = buffer.height;
    const std::uint32_t colour = 0xff000000u | rgb;
    const std::int64_t x0 = std::max<std::int64_t>(0, clip.left);
    const std::int64_t y0 = std::max<std::int64_t>(0, clip.top);
    const std::int64_t x1 = std::min<std::int64_t>(W, clip.right);
    const std::int64_t y1 = std::min<std::int64_t>(H, clip.bottom);
    WalkCentreLine(points, false, 1, W, H, [&](std::int64_t x, std::int64_t y) {
        if (x >= x0 && y >= y0 && x < x1 && y < y1)
            buffer.row(int(y))[x] = colour;
    });
}

void XorSpanFiller::fill(const PixelBuffer& buffer, std::span<const PixelPoint> points, int width, std::uint32_t rgb)
{
    const int W = buffer.width;
    const int H = buffer.height;
    if (W <= 0 || H <= 0 || width < 1)
        return;
    const std::uint32_t colour = rgb & 0xffffffu;

    // The pen's footprint: a disc of the pen's diameter around each pixel
    // of the centre line, as one span per row.
    const int low = -(width / 2);
    const int high = low + width - 1;
    const double radius = width / 2.0;
    std::vector<std::pair<int, int>> footprint; // row offset low + i: dx from, dx to
    for (int dy = low; dy <= high; ++dy) {
        int from = high + 1;
        int to = low - 1;
        for (int dx = low; dx <= high; ++dx)
            if (width <= 2 || dx * dx + dy * dy <= radius * radius + 0.25) {
                from = std::min(from, dx);
                to = std::max(to, dx);
            }
        footprint.push_back({ from, to });
    }

    // The centre line's pixels are gathered as straight runs (along a row
    // or down a column), each run widened by the footprint into one span per
    // row; the spans of the whole call are merged, so that every covered
    // pixel is inverted exactly once.
    std::vector<Span>& spans = m_spans;
    spans.clear();
    bool haveRun = false;
    std::int64_t runX0 = 0, runX1 = 0, runY0 = 0, runY1 = 0;
    const auto flush = [&] {
        if (!haveRun)
            return;
        haveRun = false;
        const std::int64_t yFirst = std::max<std::int64_t>(runY0 + low, 0);
        const std::int64_t yLast = std::min<std::int64_t>(runY1 + high, H - 1);
        for (std::int64_t y = yFirst; y <= yLast; ++y) {
            // The footprint rows of the run's centres that reach row y.
            const std::int64_t oLow = std::max<std::int64_t>(low, y - runY1);
            const std::int64_t oHigh = std::min<std::int64_t>(high, y - runY0);
            int from = high + 1;
            int to = low - 1;
            for (std::int64_t o = oLow; o <= oHigh; ++o) {
                from = std::min(from, footprint[std::size_t(o - low)].first);
                to = std::max(to, footprint[std::size_t(o - low)].second);
            }
            if (from > to)
                continue;
            const std::int64_t x0 = std::max<std::int64_t>(runX0 + from, 0);
            const std::int64_t x1 = std::min<std::int64_t>(runX1 + to, W - 1);
            if (x0 <= x1)
                spans.push_back({ int(y), int(x0), int(x1) });
        }
    };
    const auto plot = [&](std::int64_t x, std::int64_t y) {
        if (haveRun) {
            const bool horizontal = runY0 == runY1 && y == runY0 && (x == runX0 - 1 || x == runX1 + 1);
            const bool vertical = runX0 == runX1 && x == runX0 && (y == runY0 - 1 || y == runY1 + 1);
            const bool single = runX0 == runX1 && runY0 == runY1;
            if ((horizontal && (single || runX0 != runX1)) || (vertical && (single || runY0 != runY1))) {
                runX0 = std::min(runX0, x);
                runX1 = std::max(runX1, x);
                runY0 = std::min(runY0, y);
                runY1 = std::max(runY1, y);
                return;
            }
            if (x >= runX0 && x <= runX1 && y >= runY0 && y <= runY1)
                return;
        }
        flush();
        haveRun = true;
        runX0 = runX1 = x;
        runY0 = runY1 = y;
    };

    // One-pixel lines leave out their end pixel, as the platform's line
    // call does; wide pens cover their ends.
    WalkCentreLine(points, width > 1, width, W, H, plot);
    flush();

    if (spans.empty())
        return;
    // Spans by row with a counting sort (rows are few and dense), then each
    // row's few spans by their left end.
    int yMin = spans.front().y;
    int yMax = yMin;
    for (const Span& span : spans) {
        yMin = std::min(yMin, span.y);
        yMax = std::max(yMax, span.y);
    }
    std::vector<std::uint32_t>& starts = m_rowStarts;
    starts.assign(std::size_t(yMax - yMin) + 2, 0);
    for (const Span& span : spans)
        ++starts[std::size_t(span.y - yMin) + 1];
    for (std::size_t r = 1; r < starts.size(); ++r)
        starts[r] += starts[r - 1];
    std::vector<Span>& sorted = m_sortedSpans;
    sorted.resize(spans.size());
    {
        std::vector<std::uint32_t> next(starts.begin(), starts.end() - 1);
        for (const Span& span : spans)
            sorted[next[std::size_t(span.y - yMin)]++] = span;
    }

    for (std::size_t r = 0; r + 1 < starts.size(); ++r) {
        const auto begin = sorted.begin() + std::ptrdiff_t(starts[r]);
        const auto end = sorted.begin() + std::ptrdiff_t(starts[r + 1]);
        if (begin == end)
            continue;
        std::sort(begin, end);
        std::uint32_t* row = buffer.row(yMin + int(r));
        auto it = begin;
        while (it != end) {
            int x0 = it->x0;
            int x1 = it->x1;
            ++it;
            while (it != end && it->x0 <= x1 + 1) {
                x1 = std::max(x1, it->x1);
                ++it;
            }
            for (int x = x0; x <= x1; ++x)
                row[x] ^= colour;
        }
    }
}

} // namespace fenster
