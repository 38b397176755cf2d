// The parts of a rectangle that none of a list of rectangles reaches: what a
// frame must still draw when later opaque layers replace the rest anyway.
#pragma once

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

#include "gdi/raster.h"

namespace gdi {

// visit(RECT) for the parts of `area` outside every one of `covers`, down the
// area in bands where the same covers apply, left to right in each band.
// `scratch` keeps its memory between calls.
struct UncoveredScratch {
    std::vector<RECT> pending, active;
};

template <class Visit>
void ForEachUncovered(const RECT& area, std::span<const RECT> covers, UncoveredScratch& scratch,
                      Visit visit) {
    if (area.left >= area.right || area.top >= area.bottom) return;
    std::vector<RECT>& pending = scratch.pending;
    std::vector<RECT>& active = scratch.active;
    pending.clear();
    active.clear();
    for (const RECT& c : covers) {
        const RECT r{std::max(c.left, area.left), std::max(c.top, area.top),
                     std::min(c.right, area.right), std::min(c.bottom, area.bottom)};
        if (r.left < r.right && r.top < r.bottom) pending.push_back(r);
    }
    if (pending.empty()) {
        visit(area);
        return;
    }
    std::sort(pending.begin(), pending.end(),
              [](const RECT& p, const RECT& q) { return p.top < q.top; });
    size_t next = 0;
    for (int y = area.top; y < area.bottom;) {
        for (; next < pending.size() && pending[next].top <= y; ++next) {
            const RECT& r = pending[next];
            active.insert(
                std::upper_bound(active.begin(), active.end(), r,
                                 [](const RECT& p, const RECT& q) { return p.left < q.left; }),
                r);
        }
        std::erase_if(active, [y](const RECT& r) { return r.bottom <= y; });
        int until = area.bottom;
        if (next < pending.size()) until = std::min(until, static_cast<int>(pending[next].top));
        for (const RECT& r : active) until = std::min(until, static_cast<int>(r.bottom));
        int cursor = area.left;
        for (const RECT& r : active) {
            if (r.left > cursor) visit(RECT{cursor, y, r.left, until});
            cursor = std::max(cursor, static_cast<int>(r.right));
        }
        if (cursor < area.right) visit(RECT{cursor, y, area.right, until});
        y = until;
    }
}

} // namespace gdi
