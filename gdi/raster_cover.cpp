// What opaque layers will cover, and a fill that leaves it alone: a frame
// need not clear the pixels that a later copy or fill replaces anyway.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "gdi/raster_objects.h"
#include "gdi/uncovered.h"

namespace gdi {

namespace {

// The runs of 0 bytes of a one-bit row at least minWidth long, left to right.
void BlackRuns(const uint8_t* row, int width, int minWidth, std::vector<std::pair<int, int>>& out) {
    out.clear();
    int x = 0;
    while (x < width) {
        const auto* black = static_cast<const uint8_t*>(std::memchr(row + x, 0, width - x));
        if (!black) return;
        const int start = static_cast<int>(black - row);
        const auto* white = static_cast<const uint8_t*>(std::memchr(black, 1, width - start));
        const int end = white ? static_cast<int>(white - row) : width;
        if (end - start >= minWidth) out.emplace_back(start, end);
        x = end;
    }
}

RECT Intersection(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

bool Empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

} // namespace

std::vector<RECT> BlackRectangles(HBITMAP mask, int minWidth) {
    std::vector<RECT> out;
    if (!mask || !mask->mono) return out;
    minWidth = std::max(minWidth, 1);
    struct Open {
        int left, right, top;
    };
    std::vector<Open> open, next;
    std::vector<std::pair<int, int>> runs;
    auto close = [&](const Open& o, int bottom) {
        out.push_back(RECT{o.left, o.top, o.right, bottom});
    };
    for (int y = 0; y <= mask->height; ++y) {
        if (y < mask->height) {
            BlackRuns(mask->monoRow(y), mask->width, minWidth, runs);
        } else {
            runs.clear();
        }
        // Both lists run left to right: a rectangle goes on while a run of
        // this row has exactly its columns.
        next.clear();
        size_t k = 0;
        for (const auto& [start, end] : runs) {
            while (k < open.size() && open[k].left < start) close(open[k++], y);
            if (k < open.size() && open[k].left == start && open[k].right == end) {
                next.push_back(open[k++]);
            } else {
                next.push_back(Open{start, end, y});
            }
        }
        while (k < open.size()) close(open[k++], y);
        std::swap(open, next);
    }
    return out;
}

void FillSolidRectOutside(HDC dc, const RECT& area, const std::vector<RECT>& covers,
                          COLORREF colour) {
    Bitmap* b = detail::Target(dc);
    if (!b) return;
    const RECT all = Intersection(area, RECT{0, 0, b->width, b->height});
    if (Empty(all)) return;
    static thread_local UncoveredScratch scratch;
    ForEachUncovered(all, covers, scratch, [&](const RECT& r) {
        for (int row = r.top; row < r.bottom; ++row) {
            detail::FillSpan(*b, row, r.left, r.right, colour);
        }
    });
    b->touch();
}

} // namespace gdi
