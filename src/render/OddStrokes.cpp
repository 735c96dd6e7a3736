#include "OddStrokes.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>

namespace fenster {

std::optional<LineDirection> ReducedDirection(PixelPoint from, PixelPoint to)
{
    std::int64_t dx = std::int64_t(to.x) - from.x;
    std::int64_t dy = std::int64_t(to.y) - from.y;
    if (dx == 0 && dy == 0)
        return std::nullopt;
    const std::int64_t g = std::gcd(dx, dy);
    dx /= g;
    dy /= g;
    if (dx < 0 || (dx == 0 && dy < 0)) {
        dx = -dx;
        dy = -dy;
    }
    return LineDirection { dx, dy };
}

std::vector<OddStretch> OddStretches(const std::vector<XorStroke>& strokes)
{
    // A line is keyed by its reduced direction and its offset; positions
    // along it by the projection on the direction.
    struct LineKey {
        std::int64_t dx, dy, offset;
        int width;
        std::int32_t colour;
        PenStyle style;
        bool operator<(const LineKey& o) const
        {
            return std::tie(dx, dy, offset, width, colour, style) < std::tie(o.dx, o.dy, o.offset, o.width, o.colour, o.style);
        }
    };
    std::map<LineKey, std::vector<std::pair<std::int64_t, int>>> lines;
    for (const XorStroke& s : strokes) {
        const std::optional<LineDirection> direction = ReducedDirection(s.from, s.to);
        if (!direction)
            continue;
        const std::int64_t dx = direction->dx;
        const std::int64_t dy = direction->dy;
        const LineKey key { dx, dy, dy * s.from.x - dx * s.from.y, s.pen.width, s.pen.colour.colorRef(), s.pen.style };
        std::int64_t t0 = dx * s.from.x + dy * s.from.y;
        std::int64_t t1 = dx * s.to.x + dy * s.to.y;
        if (t0 > t1)
            std::swap(t0, t1);
        auto& events = lines[key];
        events.push_back({ t0, 1 });
        events.push_back({ t1, -1 });
    }
    std::vector<OddStretch> result;
    for (auto& entry : lines) {
        const LineKey& key = entry.first;
        auto& events = entry.second;
        std::sort(events.begin(), events.end());
        const Pen pen { Colour::fromColorRef(key.colour), key.width, key.style, PenMix::Xor };
        const std::int64_t norm = key.dx * key.dx + key.dy * key.dy;
        const auto stretch = [&](std::int64_t from, std::int64_t to) {
            return OddStretch { double(from * key.dx + key.offset * key.dy) / double(norm),
                double(from * key.dy - key.offset * key.dx) / double(norm),
                double(to * key.dx + key.offset * key.dy) / double(norm),
                double(to * key.dy - key.offset * key.dx) / double(norm), pen };
        };
        int depth = 0;
        std::int64_t start = 0;
        std::size_t i = 0;
        while (i < events.size()) {
            const std::int64_t t = events[i].first;
            const bool wasOdd = (depth & 1) != 0;
            while (i < events.size() && events[i].first == t) {
                depth += events[i].second > 0 ? 1 : -1;
                ++i;
            }
            const bool isOdd = (depth & 1) != 0;
            // Every stroke start or end flips the parity of what follows.
            if (!wasOdd && isOdd)
                start = t;
            else if (wasOdd && !isOdd && t > start)
                result.push_back(stretch(start, t));
        }
    }
    return result;
}

} // namespace fenster
