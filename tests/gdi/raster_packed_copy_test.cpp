// The masked copy from its kept spans against the plain AND-then-OR copy, on
// pictures of every kind of row, placed across every edge, and after the
// picture or its mask has been drawn on.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

namespace {

constexpr int kW = 97, kH = 40, kViewW = 120, kViewH = 60;

uint32_t Noise(uint32_t x, uint32_t y, uint32_t seed) {
    const uint32_t h = x * 73856093u ^ y * 19349663u ^ seed * 83492791u;
    return (h ^ (h >> 13)) * 0x5bd1e995u;
}

// A pixel's colour (never black unless 0) and whether its mask bit is white.
using Kind = std::function<std::pair<COLORREF, bool>(uint32_t, uint32_t)>;
std::pair<COLORREF, bool> Keyed(bool black, uint32_t n) {
    return {black ? 0 : (n & 0xFFFFFF) | 0x100, black};
}
const std::pair<const char*, Kind> kKinds[] = {
    {"long runs", [](uint32_t x, uint32_t y) { return Keyed((x + 7 * y) / 23 % 3 == 0, y / 3); }},
    {"scattered", [](uint32_t x, uint32_t y) { return Keyed(Noise(x, y, 1) % 3 == 0, x ^ y); }},
    {"blocks of 3 x 6",
     [](uint32_t x, uint32_t y) {
         return Keyed(Noise(x / 3, y / 6, 4) % 3 == 0, Noise(x / 3, y / 6, 5));
     }},
    {"scattered with opaque black",
     [](uint32_t x, uint32_t y) {
         const bool black = Noise(x, y, 1) % 3 == 0;
         return std::pair{black ? 0 : x | 0x100, black && Noise(x, y, 3) % 5 != 0};
     }},
    {"mask over pixels not black",
     [](uint32_t x, uint32_t y) {
         return std::pair{0x100 + x * y, (x / 16 + y / 5) % 2 == 1};
     }},
    {"rows alike, masks not",
     [](uint32_t x, uint32_t y) {
         return std::pair{x < 60 ? 0x100u : 0, x >= 60 || (y % 2 && x > 9 + y)};
     }},
};
// Destination x, y, width, height, then the source's x, y.
const int kPlacements[][6] = {
    {10, 8, kW, kH, 0, 0},  {-30, 5, kW, kH, 0, 0},         {kViewW - 40, 5, kW, kH, 0, 0},
    {4, -25, kW, kH, 0, 0}, {4, kViewH - 12, kW, kH, 0, 0}, {-5, -7, 200, 200, 0, 0},
    {3, 3, 41, 17, 29, 11}, {20, 20, 60, 30, -8, -5},       {50, 30, 1, 1, 96, 39},
};

void ExpectSameAsTwoPass(Canvas& image, Canvas& mask, const int (&p)[6], const std::string& what) {
    Canvas plain(kViewW, kViewH), fused(kViewW, kViewH);
    for (Canvas* c : {&plain, &fused})
        for (int y = 0; y < kViewH; ++y)
            for (int x = 0; x < kViewW; ++x) SetPixelV(c->dc(), x, y, Noise(x, y, 9) & 0xFFFFFF);
    BitBlt(plain.dc(), p[0], p[1], p[2], p[3], mask.dc(), p[4], p[5], SRCAND);
    BitBlt(plain.dc(), p[0], p[1], p[2], p[3], image.dc(), p[4], p[5], SRCPAINT);
    TransparentBlt(fused.dc(), p[0], p[1], p[2], p[3], image.dc(), mask.dc(), p[4], p[5]);
    ASSERT_EQ(0, std::memcmp(BitmapColourPixels(plain.bitmap()), BitmapColourPixels(fused.bitmap()),
                             sizeof(COLORREF) * kViewW * kViewH))
        << what;
}

} // namespace

TEST(RasterPackedCopy, EveryKindAndPlacementAsTheTwoPassCopy) {
    for (const auto& [name, kind] : kKinds) {
        for (const auto& p : kPlacements) {
            Canvas image(kW, kH), mask(kW, kH, Canvas::kOneBit);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    SetPixelV(image.dc(), x, y, kind(x, y).first);
                    SetPixelV(mask.dc(), x, y, kind(x, y).second ? 0xFFFFFF : 0);
                }
            const std::string what = std::string(name) + " at " + std::to_string(p[0]) + "," +
                                     std::to_string(p[1]) + " copy ";
            // The pair gets its tables once it has been copied unchanged twice;
            // drawn on, it is copied straight once, then from new tables.
            for (int copy = 0; copy < 6; ++copy) {
                ExpectSameAsTwoPass(image, mask, p, what + std::to_string(copy));
                if (copy == 2) {
                    FillSolidRect(image.dc(), 20, 6, 50, 12, RGB(9, 9, 200));
                    FillSolidRect(mask.dc(), 20, 6, 50, 12, 0);
                    FillSolidRect(mask.dc(), 60, 13, 90, 14, 0xFFFFFF);
                }
            }
        }
    }
}

TEST(RasterPackedCopy, SpansLongerThanATileAsTheTwoPassCopy) {
    // Opaque runs of 257 to 700 pixels, copied whole and cut at both ends.
    constexpr int kWide = 720, kRows = 4;
    const int runEnds[kRows] = {700, 257, 263, 519};
    Canvas image(kWide, kRows), mask(kWide, kRows, Canvas::kOneBit);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kWide; ++x) {
            const bool opaque = x >= 3 && x < runEnds[y];
            SetPixelV(image.dc(), x, y, opaque ? (Noise(x, y, 2) & 0xFFFFFF) | 0x100 : 0);
            SetPixelV(mask.dc(), x, y, opaque ? 0 : 0xFFFFFF);
        }
    // Destination x, width, source x.
    const int kCuts[][3] = {{0, kWide, 0}, {5, 600, 1}, {2, 300, 9}, {0, 270, 4}};
    for (const auto& cut : kCuts) {
        Canvas plain(kWide + 8, kRows), fused(kWide + 8, kRows);
        for (Canvas* c : {&plain, &fused})
            for (int y = 0; y < kRows; ++y)
                for (int x = 0; x < kWide + 8; ++x)
                    SetPixelV(c->dc(), x, y, Noise(x, y, 9) & 0xFFFFFF);
        BitBlt(plain.dc(), cut[0], 0, cut[1], kRows, mask.dc(), cut[2], 0, SRCAND);
        BitBlt(plain.dc(), cut[0], 0, cut[1], kRows, image.dc(), cut[2], 0, SRCPAINT);
        // The third copy is the first from the kept spans.
        for (int copy = 0; copy < 3; ++copy)
            TransparentBlt(fused.dc(), cut[0], 0, cut[1], kRows, image.dc(), mask.dc(), cut[2], 0);
        ASSERT_EQ(0, std::memcmp(BitmapColourPixels(plain.bitmap()),
                                 BitmapColourPixels(fused.bitmap()),
                                 sizeof(COLORREF) * (kWide + 8) * kRows))
            << "cut at " << cut[0] << ", " << cut[1] << " wide from " << cut[2];
    }
}
