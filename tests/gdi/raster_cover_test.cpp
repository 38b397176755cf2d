// The black rectangles of a mask and the fill that leaves rectangles alone.
#include <gtest/gtest.h>

#include <random>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

namespace {

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Masks of several kinds, 0 black and 1 white.
std::vector<std::vector<uint8_t>> Masks(int w, int h) {
    std::mt19937 rng(3);
    std::vector<std::vector<uint8_t>> masks;
    auto make = [&](auto bit) {
        std::vector<uint8_t> m(static_cast<size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) m[static_cast<size_t>(y) * w + x] = bit(x, y) ? 1 : 0;
        masks.push_back(m);
    };
    make([](int, int) { return false; });                            // all black
    make([](int, int) { return true; });                             // all white
    make([&](int, int) { return rng() % 3 == 0; });                  // scattered
    make([&](int x, int y) { return (x / 3 + y / 6) % 5 == 0; });    // game blocks
    make([&](int x, int y) { return x * x + 3 * y * y > 40 * 40; }); // a round edge
    make([&](int x, int y) { return (x / 40 + y / 7) % 2 == 0; });   // wide bands
    return masks;
}

} // namespace

TEST(RasterCover, BlackRectanglesAreBlackAndHoldEveryLongBlackRun) {
    const int w = 90, h = 50;
    for (const int minWidth : {1, 8, 32}) {
        for (const std::vector<uint8_t>& bits : Masks(w, h)) {
            Canvas mask(w, h, true);
            std::copy(bits.begin(), bits.end(), BitmapMonoPixels(mask.bitmap));
            BitmapTouched(mask.bitmap);
            const std::vector<RECT> rects = BlackRectangles(mask.bitmap, minWidth);
            std::vector<int> hits(bits.size(), 0);
            for (const RECT& r : rects) {
                ASSERT_GE(r.right - r.left, minWidth);
                for (int y = r.top; y < r.bottom; ++y)
                    for (int x = r.left; x < r.right; ++x) {
                        ASSERT_EQ(bits[static_cast<size_t>(y) * w + x], 0) << x << "," << y;
                        ++hits[static_cast<size_t>(y) * w + x];
                    }
            }
            // Every pixel of a black run at least minWidth long, exactly once.
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w;) {
                    int end = x;
                    while (end < w && bits[static_cast<size_t>(y) * w + end] == 0) ++end;
                    for (int k = x; k < end; ++k) {
                        ASSERT_EQ(hits[static_cast<size_t>(y) * w + k], end - x >= minWidth ? 1 : 0)
                            << k << "," << y << " min " << minWidth;
                    }
                    x = std::max(end, x + 1);
                }
            }
        }
    }
    // Rows alike make one rectangle.
    Canvas black(33, 21, true);
    const std::vector<RECT> one = BlackRectangles(black.bitmap, 1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].right, 33);
    EXPECT_EQ(one[0].bottom, 21);
    // Not a mask: nothing.
    Canvas colour(4, 4);
    EXPECT_TRUE(BlackRectangles(colour.bitmap, 1).empty());
    EXPECT_TRUE(BlackRectangles(nullptr, 1).empty());
}

TEST(RasterCover, FillOutsideLeavesExactlyTheCovers) {
    std::mt19937 rng(11);
    const int w = 70, h = 45;
    const COLORREF before = RGB(1, 2, 3), fill = RGB(200, 100, 50);
    for (int round = 0; round < 60; ++round) {
        Canvas view(w, h);
        view.Fill(before);
        RECT area{static_cast<int32_t>(rng() % 30) - 10, static_cast<int32_t>(rng() % 20) - 5,
                  static_cast<int32_t>(rng() % 40) + 35, static_cast<int32_t>(rng() % 30) + 20};
        if (round == 0) area = RECT{0, 0, w, h};
        std::vector<RECT> covers;
        const int n = static_cast<int>(rng() % 12);
        for (int k = 0; k < n; ++k) {
            // Overlapping, reaching out of the area and the bitmap, or empty.
            const int32_t l = static_cast<int32_t>(rng() % 90) - 10;
            const int32_t t = static_cast<int32_t>(rng() % 60) - 10;
            covers.push_back(RECT{l, t, l + static_cast<int32_t>(rng() % 40) - 2,
                                  t + static_cast<int32_t>(rng() % 30) - 2});
        }
        FillSolidRectOutside(view.dc, area, covers, fill);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                bool covered = !Inside(area, x, y);
                for (const RECT& c : covers) covered = covered || Inside(c, x, y);
                ASSERT_EQ(GetPixel(view.dc, x, y), covered ? before : fill)
                    << "round " << round << " at " << x << "," << y;
            }
    }
}
