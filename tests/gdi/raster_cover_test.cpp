// The black rectangles of a mask and the fill that leaves rectangles alone.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

namespace {

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace

TEST(RasterCover, BlackRectanglesHoldEachLongBlackRunOnce) {
    const int w = 90, h = 50;
    std::mt19937 rng(3);
    const std::function<bool(int, int)> white[] = {
        [](int, int) { return false; },
        [&](int, int) { return rng() % 3 == 0; },
        [](int x, int y) { return (x / 3 + y / 6) % 5 == 0; },
        [](int x, int y) { return x * x + 3 * y * y > 1600; },
        [](int x, int y) { return (x / 40 + y / 7) % 2 == 0; },
    };
    for (const int minWidth : {1, 32}) {
        for (const auto& isWhite : white) {
            Canvas mask(w, h, Canvas::kOneBit);
            uint8_t* bits = BitmapMonoPixels(mask.bitmap());
            for (int i = 0; i < w * h; ++i) bits[i] = isWhite(i % w, i / w);
            BitmapTouched(mask.bitmap());
            std::vector<int> hits(w * h, 0);
            for (const RECT& r : BlackRectangles(mask.bitmap(), minWidth))
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x) ++hits[y * w + x];
            // A pixel is held once when its black run is long enough, else never.
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w;) {
                    int end = x;
                    while (end < w && bits[y * w + end] == 0) ++end;
                    for (int k = x; k < std::max(end, x + 1); ++k)
                        ASSERT_EQ(hits[y * w + k], end - x >= minWidth && k < end ? 1 : 0)
                            << k << "," << y << " min " << minWidth;
                    x = std::max(end, x + 1);
                }
        }
    }
    Canvas black(33, 21, Canvas::kOneBit);
    EXPECT_EQ(BlackRectangles(black.bitmap(), 1).size(), 1u); // rows alike stack up
    Canvas colour(4, 4);
    EXPECT_TRUE(BlackRectangles(colour.bitmap(), 1).empty());
}

TEST(RasterCover, FillOutsideLeavesExactlyTheCovers) {
    std::mt19937 rng(11);
    const int w = 70, h = 45;
    auto any = [&](int from, int span) { return from + static_cast<int32_t>(rng() % span); };
    for (int round = 0; round < 60; ++round) {
        Canvas view(w, h);
        view.Clear(RGB(1, 2, 3));
        const RECT area = round == 0 ? RECT{0, 0, w, h}
                                     : RECT{any(-10, 30), any(-5, 20), any(35, 40), any(20, 30)};
        // Overlapping, reaching past the area and the bitmap, or empty.
        std::vector<RECT> covers;
        for (int k = any(0, 12); k > 0; --k) {
            const int32_t l = any(-10, 90), t = any(-10, 60);
            covers.push_back(RECT{l, t, l + any(-2, 40), t + any(-2, 30)});
        }
        FillSolidRectOutside(view.dc(), area, covers, RGB(200, 100, 50));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool left = !Inside(area, x, y);
                for (const RECT& c : covers) left = left || Inside(c, x, y);
                ASSERT_EQ(GetPixel(view.dc(), x, y), left ? RGB(1, 2, 3) : RGB(200, 100, 50))
                    << "round " << round << " at " << x << "," << y;
            }
    }
}
