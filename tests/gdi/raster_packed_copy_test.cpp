// The masked copy from its kept spans against the plain AND-then-OR copy, on
// pictures of every shape its rows can take, placed across every edge, and
// after the picture or the mask has been drawn on.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;

namespace {

constexpr int kW = 97, kH = 40; // the picture
constexpr int kViewW = 120, kViewH = 60;

// Fills picture and mask; rng drives the random kinds.
using Painter = std::function<void(Canvas& image, Canvas& mask, std::mt19937& rng)>;

COLORREF Colour(std::mt19937& rng) {
    return (rng() & 0xFFFFFF) | 0x010000; // never black
}

// Mask keyed on black, as a rebuilt surface has it.
void KeyMask(Canvas& image, Canvas& mask) {
    SetBkColor(image.dc, 0);
    BitBlt(mask.dc, 0, 0, kW, kH, image.dc, 0, 0, SRCCOPY);
}

// Each column x of the picture from f(x, y); 0 is black.
void PaintPixels(Canvas& image, const std::function<COLORREF(int, int)>& f) {
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) SetPixelV(image.dc, x, y, f(x, y));
}

const std::vector<std::pair<const char*, Painter>>& Pictures() {
    static const std::vector<std::pair<const char*, Painter>> pictures = {
        {"long runs keyed on black",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             const COLORREF a = Colour(rng), b = Colour(rng);
             PaintPixels(image, [&](int x, int y) {
                 const int band = (x + 7 * y) / 23;
                 return band % 3 == 0 ? 0 : (band % 3 == 1 ? a : b + static_cast<COLORREF>(y));
             });
             KeyMask(image, mask);
         }},
        {"scattered keyed on black",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             PaintPixels(image, [&](int, int) { return rng() % 3 == 0 ? 0 : Colour(rng); });
             KeyMask(image, mask);
         }},
        {"scattered with opaque black",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             PaintPixels(image, [&](int, int) { return rng() % 3 == 0 ? 0 : Colour(rng); });
             KeyMask(image, mask);
             for (int k = 0; k < 40; ++k) SetPixelV(mask.dc, rng() % kW, rng() % kH, 0);
         }},
        {"scattered mask over a picture not black there",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             PaintPixels(image, [&](int, int) { return rng() % 4 == 0 ? 0 : Colour(rng); });
             for (int y = 0; y < kH; ++y)
                 for (int x = 0; x < kW; ++x) SetPixelV(mask.dc, x, y, rng() % 2 ? 0xFFFFFF : 0);
         }},
        {"long runs with mixed runs",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             const COLORREF c = Colour(rng);
             PaintPixels(image, [&](int x, int) { return x / 16 % 4 == 0 ? 0 : c; });
             for (int y = 0; y < kH; ++y)
                 for (int x = 0; x < kW; ++x)
                     SetPixelV(mask.dc, x, y, (x / 16 + y / 5) % 2 ? 0xFFFFFF : 0);
         }},
        {"blocks of 3 x 6 as the game enlarges them",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             std::vector<COLORREF> blocks(40 * 7);
             for (COLORREF& c : blocks) c = rng() % 3 == 0 ? 0 : Colour(rng);
             PaintPixels(image, [&](int x, int y) { return blocks[(y / 6) * 40 + x / 3]; });
             KeyMask(image, mask);
         }},
        {"rows repeating the picture but not the mask",
         [](Canvas& image, Canvas& mask, std::mt19937& rng) {
             const COLORREF c = Colour(rng);
             PaintPixels(image, [&](int x, int) { return x < 60 ? c : 0; });
             KeyMask(image, mask);
             for (int y = 1; y < kH; y += 2) FillSolidRect(mask.dc, 10 + y, y, 50, y + 1, 0xFFFFFF);
         }},
        {"rows repeating the mask but not the picture",
         [](Canvas& image, Canvas& mask, std::mt19937&) {
             PaintPixels(image, [&](int x, int y) {
                 return x < 70 ? RGB(10, 20, 30 + (y + x / 10) % 200) : 0;
             });
             KeyMask(image, mask);
         }},
        {"wholly opaque", [](Canvas& image, Canvas& mask,
                             std::mt19937& rng) { image.Fill(Colour(rng)), KeyMask(image, mask); }},
        {"wholly transparent",
         [](Canvas& image, Canvas& mask, std::mt19937&) { image.Fill(0), KeyMask(image, mask); }},
    };
    return pictures;
}

// Destination place and source rectangle of one copy.
struct Placement {
    const char* name;
    int x, y, width, height, sx, sy;
};

const Placement kPlacements[] = {
    {"whole, inside", 10, 8, kW, kH, 0, 0},
    {"across the left edge", -30, 5, kW, kH, 0, 0},
    {"across the right edge", kViewW - 40, 5, kW, kH, 0, 0},
    {"across the top edge", 4, -25, kW, kH, 0, 0},
    {"across the bottom edge", 4, kViewH - 12, kW, kH, 0, 0},
    {"across every edge", -5, -7, kViewW + 20, kViewH + 20, 0, 0},
    {"part of the picture", 3, 3, 41, 17, 29, 11},
    {"source from before its corner", 20, 20, 60, 30, -8, -5},
    {"source past its far corner", 0, 0, 80, 30, 40, 20},
    {"one column, one row", 50, 30, 1, 1, 96, 39},
};

// The view after the plain two-pass copy and after TransparentBlt, from the
// same random view.
void ExpectSameAsTwoPass(Canvas& image, Canvas& mask, const Placement& p, std::mt19937& rng,
                         const std::string& what) {
    Canvas plain(kViewW, kViewH), fused(kViewW, kViewH);
    for (int y = 0; y < kViewH; ++y)
        for (int x = 0; x < kViewW; ++x) {
            const COLORREF c = rng() & 0xFFFFFF;
            SetPixelV(plain.dc, x, y, c);
            SetPixelV(fused.dc, x, y, c);
        }
    BitBlt(plain.dc, p.x, p.y, p.width, p.height, mask.dc, p.sx, p.sy, SRCAND);
    BitBlt(plain.dc, p.x, p.y, p.width, p.height, image.dc, p.sx, p.sy, SRCPAINT);
    TransparentBlt(fused.dc, p.x, p.y, p.width, p.height, image.dc, mask.dc, p.sx, p.sy);
    ASSERT_EQ(0, std::memcmp(BitmapColourPixels(plain.bitmap), BitmapColourPixels(fused.bitmap),
                             sizeof(COLORREF) * kViewW * kViewH))
        << what;
}

// Copies that leave the pair's tables built (a pair gets them once it has
// been copied unchanged twice).
void BuildTables(Canvas& image, Canvas& mask) {
    Canvas scratch(kW, kH);
    for (int k = 0; k < 2; ++k) TransparentBlt(scratch.dc, 0, 0, kW, kH, image.dc, mask.dc, 0, 0);
}

} // namespace

TEST(RasterPackedCopy, EveryPictureAndPlacementAsTheTwoPassCopy) {
    std::mt19937 rng(77);
    for (const auto& [picture, paint] : Pictures()) {
        for (const Placement& p : kPlacements) {
            Canvas image(kW, kH), mask(kW, kH, true);
            paint(image, mask, rng);
            const std::string what = std::string(picture) + ", " + p.name;
            ExpectSameAsTwoPass(image, mask, p, rng, what + ", first copy");
            BuildTables(image, mask);
            ExpectSameAsTwoPass(image, mask, p, rng, what + ", from the tables");
        }
    }
}

TEST(RasterPackedCopy, DrawingBetweenCopiesIsSeen) {
    // Each change lands after the tables are built; the next copies (the
    // first straight, then from tables built again) must show it.
    using Change = std::function<void(Canvas & image, Canvas & mask)>;
    const std::vector<std::pair<const char*, Change>> changes = {
        {"an opaque block painted into repeated rows",
         [](Canvas& i, Canvas& m) {
             FillSolidRect(i.dc, 20, 6, 50, 12, RGB(9, 9, 200));
             FillSolidRect(m.dc, 20, 6, 50, 12, 0);
         }},
        {"one pixel of one repeated row",
         [](Canvas& i, Canvas& m) {
             SetPixelV(i.dc, 31, 13, RGB(1, 2, 3));
             SetPixelV(m.dc, 31, 13, 0);
         }},
        {"a hole cut",
         [](Canvas& i, Canvas& m) { FillSolidRect(i.dc, 0, 0, 40, 20, 0), KeyMask(i, m); }},
        {"the mask alone made transparent",
         [](Canvas&, Canvas& m) { FillSolidRect(m.dc, 5, 0, 90, 40, 0xFFFFFF); }},
        {"the picture alone recoloured",
         [](Canvas& i, Canvas&) { FillSolidRect(i.dc, 0, 0, kW, kH, RGB(0, 60, 0)); }},
    };
    std::mt19937 rng(5);
    for (const auto& [name, change] : changes) {
        for (const auto& [picture, paint] : Pictures()) {
            Canvas image(kW, kH), mask(kW, kH, true);
            paint(image, mask, rng);
            BuildTables(image, mask);
            change(image, mask);
            const std::string what = std::string(name) + " on " + picture;
            for (int copy = 0; copy < 3; ++copy) {
                ExpectSameAsTwoPass(image, mask, kPlacements[copy % 2 ? 5 : 0], rng,
                                    what + ", copy " + std::to_string(copy));
            }
        }
    }
}
