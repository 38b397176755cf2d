#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

#include "raster_test_canvas.h"

using namespace gdi;
using rastertest::Canvas;
using rastertest::InkRows;
using rastertest::WithPenAndBrush;

namespace {

void Put(HDC dc, const std::vector<std::string>& rows, COLORREF ink, COLORREF paper) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            SetPixelV(dc, static_cast<int>(x), static_cast<int>(y),
                      rows[y][x] == '#' ? ink : paper);
}

using Rows = std::vector<std::string>;

} // namespace

TEST(RasterBitBlt, ColourToOneBitMarksTheSourceBackground) {
    Canvas src(3, 2), mask(3, 2, Canvas::kOneBit);
    SetPixelV(src.dc(), 1, 0, RGB(0, 0, 1));
    SetPixelV(src.dc(), 2, 1, RGB(10, 20, 30));
    SetBkColor(src.dc(), 0); // black becomes 1
    ASSERT_TRUE(BitBlt(mask.dc(), 0, 0, 3, 2, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(InkRows(mask, 0xFFFFFF), (Rows{"#.#", "##."}));
    SetBkColor(src.dc(), RGB(10, 20, 30));
    BitBlt(mask.dc(), 0, 0, 3, 2, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(InkRows(mask, 0xFFFFFF), (Rows{"...", "..#"}));
}

TEST(RasterBitBlt, WideRowsConvertBothWays) {
    // Rows long enough for the whole-row kernels, with odd tails.
    const int w = 53;
    Canvas src(w, 2), mask(w, 2, Canvas::kOneBit), back(w, 2);
    std::string pattern;
    for (int x = 0; x < w; ++x) pattern += (x % 3 == 0 || x > 40) ? '#' : '.';
    Put(src.dc(), {pattern, pattern}, 0, RGB(0, 0, 1));
    SetBkColor(src.dc(), 0);
    BitBlt(mask.dc(), 0, 0, w, 2, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(InkRows(mask, 0xFFFFFF), (Rows{pattern, pattern}));
    Canvas other(w, 2, Canvas::kOneBit);
    BitBlt(other.dc(), 0, 0, w, 2, nullptr, 0, 0, WHITENESS);
    BitBlt(other.dc(), 0, 0, w, 2, mask.dc(), 0, 0, SRCAND);
    EXPECT_EQ(InkRows(other, 0xFFFFFF), (Rows{pattern, pattern}));
    BitBlt(other.dc(), 0, 0, w, 2, nullptr, 0, 0, BLACKNESS);
    BitBlt(other.dc(), 0, 0, w, 2, mask.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(InkRows(other, 0xFFFFFF), (Rows{pattern, pattern}));
    SetBkColor(back.dc(), RGB(1, 2, 3));
    SetTextColor(back.dc(), RGB(7, 8, 9));
    BitBlt(back.dc(), 0, 0, w, 2, mask.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(InkRows(back, RGB(1, 2, 3)), (Rows{pattern, pattern}));
    EXPECT_EQ(GetPixel(back.dc(), 1, 1), RGB(7, 8, 9));
    back.Clear(RGB(255, 255, 255));
    SetBkColor(back.dc(), 0xFFFFFF);
    SetTextColor(back.dc(), 0);
    BitBlt(back.dc(), 0, 0, w, 2, mask.dc(), 0, 0, SRCAND);
    EXPECT_EQ(InkRows(back, 0xFFFFFF), (Rows{pattern, pattern}));
    back.Clear(RGB(0, 0, 8));
    BitBlt(back.dc(), 0, 0, w, 2, mask.dc(), 0, 0, SRCPAINT);
    std::string inverse = pattern;
    for (char& ch : inverse) ch = ch == '#' ? '.' : '#';
    EXPECT_EQ(InkRows(back, RGB(0, 0, 8)), (Rows{inverse, inverse}));
    EXPECT_EQ(GetPixel(back.dc(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(GetPixel(back.dc(), 1, 0), RGB(0, 0, 8));
}

TEST(RasterBitBlt, OneBitToColourUsesDestinationColours) {
    Canvas mask(3, 1, Canvas::kOneBit), dst(3, 1);
    Put(mask.dc(), {"#.#"}, 0xFFFFFF, 0);
    BitBlt(dst.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), 0xFFFFFFu); // defaults: white and black
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), 0u);
    SetBkColor(dst.dc(), RGB(1, 2, 3));
    SetTextColor(dst.dc(), RGB(4, 5, 6));
    SetBkColor(mask.dc(), RGB(7, 7, 7)); // the source's colours play no part
    BitBlt(dst.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), RGB(4, 5, 6));
    EXPECT_EQ(GetPixel(dst.dc(), 2, 0), RGB(1, 2, 3));
}

TEST(RasterBitBlt, RasterOperationsOnColourAndOneBit) {
    Canvas a(2, 1), b(2, 1);
    SetPixelV(a.dc(), 0, 0, 0x00F0F0F0);
    SetPixelV(a.dc(), 1, 0, 0x000F0F0F);
    SetPixelV(b.dc(), 0, 0, 0x00FF00FF);
    SetPixelV(b.dc(), 1, 0, 0x00FF00FF);
    BitBlt(b.dc(), 0, 0, 2, 1, a.dc(), 0, 0, SRCAND);
    EXPECT_EQ(GetPixel(b.dc(), 0, 0), 0x00F000F0u);
    EXPECT_EQ(GetPixel(b.dc(), 1, 0), 0x000F000Fu);
    BitBlt(b.dc(), 0, 0, 2, 1, a.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(GetPixel(b.dc(), 0, 0), 0x00F0F0F0u);
    EXPECT_EQ(GetPixel(b.dc(), 1, 0), 0x000F0F0Fu);
    BitBlt(b.dc(), 1, 0, 5, 5, nullptr, 0, 0, BLACKNESS);
    EXPECT_EQ(GetPixel(b.dc(), 0, 0), 0x00F0F0F0u);
    EXPECT_EQ(GetPixel(b.dc(), 1, 0), 0u);
    BitBlt(b.dc(), 0, 0, 1, 1, nullptr, 0, 0, WHITENESS);
    EXPECT_EQ(GetPixel(b.dc(), 0, 0), 0xFFFFFFu);

    Canvas m1(4, 1, Canvas::kOneBit), m2(4, 1, Canvas::kOneBit);
    Put(m1.dc(), {"##.."}, 0xFFFFFF, 0);
    Put(m2.dc(), {"#.#."}, 0xFFFFFF, 0);
    BitBlt(m2.dc(), 0, 0, 4, 1, m1.dc(), 0, 0, SRCAND);
    EXPECT_EQ(InkRows(m2, 0xFFFFFF), (Rows{"#..."}));
    Put(m2.dc(), {"#.#."}, 0xFFFFFF, 0);
    BitBlt(m2.dc(), 0, 0, 4, 1, m1.dc(), 0, 0, SRCPAINT);
    EXPECT_EQ(InkRows(m2, 0xFFFFFF), (Rows{"###."}));
    BitBlt(m2.dc(), 1, 0, 2, 1, nullptr, 0, 0, BLACKNESS);
    EXPECT_EQ(InkRows(m2, 0xFFFFFF), (Rows{"#..."}));
    // Colour SRCAND onto one-bit: the source becomes bits first.
    Canvas c(4, 1);
    Put(c.dc(), {"#.#."}, 0xFFFFFF, RGB(5, 5, 5));
    Put(m2.dc(), {"####"}, 0xFFFFFF, 0);
    SetBkColor(c.dc(), 0xFFFFFF);
    BitBlt(m2.dc(), 0, 0, 4, 1, c.dc(), 0, 0, SRCAND);
    EXPECT_EQ(InkRows(m2, 0xFFFFFF), (Rows{"#.#."}));
}

TEST(RasterBitBlt, ClipsSourceAndDestination) {
    Canvas src(3, 3), dst(5, 5);
    src.Clear(RGB(9, 9, 9));
    dst.Clear(RGB(1, 1, 1));
    // Source rectangle hangs off the source's top-left: only its inside lands.
    BitBlt(dst.dc(), 1, 1, 4, 4, src.dc(), -1, -1, SRCCOPY);
    EXPECT_EQ(InkRows(dst, RGB(9, 9, 9)), (Rows{".....", ".....", "..###", "..###", "..###"}));
    dst.Clear(RGB(1, 1, 1));
    // Off the destination's left edge, and past the source's right edge.
    BitBlt(dst.dc(), -1, 0, 5, 1, src.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(InkRows(dst, RGB(9, 9, 9))[0], "##...");
    EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 0, 3, src.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, -2, 3, src.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(InkRows(dst, RGB(9, 9, 9))[1], ".....");
}

TEST(RasterBitBlt, OverlappingCopyWithinOneBitmap) {
    Canvas c(5, 1);
    for (int x = 0; x < 5; ++x) SetPixelV(c.dc(), x, 0, static_cast<COLORREF>(x + 1));
    BitBlt(c.dc(), 1, 0, 4, 1, c.dc(), 0, 0, SRCCOPY);
    const COLORREF expected[5] = {1, 1, 2, 3, 4};
    for (int x = 0; x < 5; ++x) EXPECT_EQ(GetPixel(c.dc(), x, 0), expected[x]);
}

TEST(RasterStretchBlt, IntegerEnlargementRepeatsPixels) {
    Canvas src(60, 30), dst(180, 180);
    std::mt19937 rng(7);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) SetPixelV(src.dc(), x, y, rng() & 0xFFFFFF);
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 180, 180, src.dc(), 0, 0, 60, 30, SRCCOPY));
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 180; ++x)
            ASSERT_EQ(GetPixel(dst.dc(), x, y), GetPixel(src.dc(), x / 3, y / 6)) << x << "," << y;
}

TEST(RasterStretchBlt, ShrinkClipAndConvert) {
    Canvas src(4, 1), dst(3, 2);
    for (int x = 0; x < 4; ++x) SetPixelV(src.dc(), x, 0, static_cast<COLORREF>(10 + x));
    // 4 -> 3: columns floor(i * 4 / 3) = 0, 1, 2.
    StretchBlt(dst.dc(), 0, 0, 3, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), 10u);
    EXPECT_EQ(GetPixel(dst.dc(), 1, 0), 11u);
    EXPECT_EQ(GetPixel(dst.dc(), 2, 0), 12u);
    // Samples that fall left of the source are skipped.
    dst.Clear(7);
    StretchBlt(dst.dc(), 0, 1, 3, 1, src.dc(), -2, 0, 2, 1, SRCCOPY); // cols -2,-2,-1,... skipped
    EXPECT_EQ(InkRows(dst, 7)[1], "###");
    StretchBlt(dst.dc(), 0, 1, 3, 1, src.dc(), -1, 0, 2, 1, SRCCOPY); // -1, -1?, 0
    EXPECT_EQ(GetPixel(dst.dc(), 2, 1), 10u);
    // Colour to one-bit, doubled.
    Canvas mask(4, 2, Canvas::kOneBit);
    SetBkColor(src.dc(), 11);
    StretchBlt(mask.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(InkRows(mask, 0xFFFFFF), (Rows{"..##", "..##"}));
    // One-bit to colour, tripled: 1 is the destination's background colour.
    Canvas wide(6, 2);
    SetBkColor(wide.dc(), RGB(0, 50, 0));
    StretchBlt(wide.dc(), 0, 0, 6, 2, mask.dc(), 1, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(InkRows(wide, RGB(0, 50, 0)), (Rows{"...###", "...###"}));
}

TEST(RasterTransparentBlt, EqualsTheTwoPassCopy) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 20);
        Canvas image(w, h), mask(w, h, Canvas::kOneBit), a(80, 30), b(80, 30);
        const int density = static_cast<int>(rng() % 4);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // Mixtures of long runs and scattered pixels, black and not.
                const bool transparent =
                    density == 0 ? (x / 13 + y) % 2 == 0 : rng() % (density + 1) == 0;
                const COLORREF c = rng() % 3 == 0 ? 0 : (rng() & 0xFFFFFF);
                SetPixelV(image.dc(), x, y, c);
                SetPixelV(mask.dc(), x, y, transparent ? 0xFFFFFF : 0);
            }
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 80; ++x) {
                const COLORREF c = rng() & 0xFFFFFF;
                SetPixelV(a.dc(), x, y, c);
                SetPixelV(b.dc(), x, y, c);
            }
        const int dx = static_cast<int>(rng() % 90) - 10, dy = static_cast<int>(rng() % 40) - 10;
        const int sx = static_cast<int>(rng() % 10) - 3, sy = static_cast<int>(rng() % 6) - 2;
        const int cw = static_cast<int>(rng() % 80), ch = static_cast<int>(rng() % 25);
        BitBlt(a.dc(), dx, dy, cw, ch, mask.dc(), sx, sy, SRCAND);
        BitBlt(a.dc(), dx, dy, cw, ch, image.dc(), sx, sy, SRCPAINT);
        // Odd rounds copy with the pair's run table built (a pair gets one
        // once it has been copied unchanged twice), even rounds straight.
        if (round % 2 == 1) {
            Canvas scratch(80, 30);
            TransparentBlt(scratch.dc(), 0, 0, 80, 30, image.dc(), mask.dc(), 0, 0);
            TransparentBlt(scratch.dc(), 0, 0, 80, 30, image.dc(), mask.dc(), 0, 0);
        }
        TransparentBlt(b.dc(), dx, dy, cw, ch, image.dc(), mask.dc(), sx, sy);
        ASSERT_EQ(0, std::memcmp(BitmapColourPixels(a.bitmap()), BitmapColourPixels(b.bitmap()),
                                 80 * 30 * 4))
            << "round " << round;
    }
}

TEST(RasterTransparentBlt, EveryWriteToThePictureOrMaskIsSeen) {
    // Each writer runs after the pair's run table is built; a writer that
    // failed to mark its bitmap changed would leave the copy with old runs.
    using Writer = std::function<void(Canvas & image, Canvas & mask)>;
    const std::vector<std::pair<const char*, Writer>> writers = {
        {"SetPixelV", [](Canvas& i, Canvas&) { SetPixelV(i.dc(), 30, 1, RGB(0, 9, 0)); }},
        {"FillSolidRect",
         [](Canvas& i, Canvas&) { FillSolidRect(i.dc(), 2, 0, 36, 2, RGB(0, 0, 200)); }},
        {"BLACKNESS into the mask",
         [](Canvas&, Canvas& m) { BitBlt(m.dc(), 0, 0, 30, 3, nullptr, 0, 0, BLACKNESS); }},
        {"BitBlt into the mask",
         [](Canvas& i, Canvas& m) {
             SetBkColor(i.dc(), RGB(7, 7, 7));
             BitBlt(m.dc(), 0, 0, 40, 3, i.dc(), 0, 0, SRCCOPY);
         }},
        {"StretchBlt into the picture",
         [](Canvas& i, Canvas&) {
             Canvas src(2, 1);
             src.Clear(RGB(1, 1, 1));
             StretchBlt(i.dc(), 0, 0, 40, 3, src.dc(), 0, 0, 2, 1, SRCCOPY);
         }},
        {"Rectangle",
         [](Canvas& i, Canvas&) {
             WithPenAndBrush(i.dc(), CreatePen(PS_SOLID, 1, RGB(3, 3, 3)),
                             CreateSolidBrush(RGB(4, 4, 4)),
                             [&] { Rectangle(i.dc(), 5, 0, 35, 3); });
         }},
        {"Ellipse",
         [](Canvas& i, Canvas&) {
             WithPenAndBrush(i.dc(), CreatePen(PS_SOLID, 1, RGB(3, 3, 3)),
                             CreateSolidBrush(RGB(4, 4, 4)), [&] { Ellipse(i.dc(), 5, 0, 35, 3); });
         }},
        {"Polygon",
         [](Canvas& i, Canvas&) {
             const POINT pts[] = {{0, 0}, {39, 0}, {39, 2}};
             WithPenAndBrush(i.dc(), CreatePen(PS_SOLID, 1, RGB(3, 3, 3)),
                             CreateSolidBrush(RGB(4, 4, 4)), [&] { Polygon(i.dc(), pts, 3); });
         }},
        {"LineTo",
         [](Canvas&, Canvas& m) {
             HGDIOBJ old = SelectObject(m.dc(), CreatePen(PS_SOLID, 1, 0));
             MoveToEx(m.dc(), 0, 1, nullptr);
             LineTo(m.dc(), 40, 1);
             DeleteObject(SelectObject(m.dc(), old));
         }},
        {"direct write with BitmapTouched",
         [](Canvas& i, Canvas&) {
             BitmapColourPixels(i.bitmap())[52] = RGB(0, 0, 1);
             BitmapTouched(i.bitmap());
         }},
    };
    for (const auto& [name, write] : writers) {
        Canvas image(40, 3), mask(40, 3, Canvas::kOneBit), a(40, 3), b(40, 3);
        for (int y = 0; y < 3; ++y) {
            Put(mask.dc(), {std::string(20, '#') + std::string(20, '.')}, 0xFFFFFF, 0);
            BitBlt(mask.dc(), 0, y, 40, 1, mask.dc(), 0, 0, SRCCOPY);
        }
        FillSolidRect(image.dc(), 20, 0, 40, 3, RGB(90, 0, 0));
        for (int k = 0; k < 2; ++k)
            TransparentBlt(b.dc(), 0, 0, 40, 3, image.dc(), mask.dc(), 0, 0);
        write(image, mask);
        a.Clear(RGB(5, 5, 5));
        b.Clear(RGB(5, 5, 5));
        BitBlt(a.dc(), 0, 0, 40, 3, mask.dc(), 0, 0, SRCAND);
        BitBlt(a.dc(), 0, 0, 40, 3, image.dc(), 0, 0, SRCPAINT);
        TransparentBlt(b.dc(), 0, 0, 40, 3, image.dc(), mask.dc(), 0, 0);
        EXPECT_EQ(0, std::memcmp(BitmapColourPixels(a.bitmap()), BitmapColourPixels(b.bitmap()),
                                 40 * 3 * 4))
            << name;
    }
}

TEST(RasterTransparentBlt, LongRunsSkipAndCopy) {
    Canvas image(40, 1), mask(40, 1, Canvas::kOneBit), dst(40, 1);
    Put(mask.dc(), {std::string(20, '#') + std::string(20, '.')}, 0xFFFFFF, 0);
    FillSolidRect(image.dc(), 30, 0, 40, 1, RGB(0, 0, 7));
    SetPixelV(image.dc(), 15, 0, RGB(0, 9, 0)); // white in the mask but not black: ORed
    for (int k = 0; k < 3; ++k) {
        dst.Clear(RGB(5, 5, 5));
        TransparentBlt(dst.dc(), 0, 0, 40, 1, image.dc(), mask.dc(), 0, 0);
        EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(5, 5, 5));
        EXPECT_EQ(GetPixel(dst.dc(), 15, 0), RGB(5, 13, 5));
        EXPECT_EQ(GetPixel(dst.dc(), 25, 0), 0u);
        EXPECT_EQ(GetPixel(dst.dc(), 35, 0), RGB(0, 0, 7));
    }
    // A part of the picture, placed across the destination's left edge.
    dst.Clear(RGB(5, 5, 5));
    TransparentBlt(dst.dc(), -5, 0, 30, 1, image.dc(), mask.dc(), 12, 0);
    // Destination column X shows source column X + 17; the source ends at 39.
    EXPECT_EQ(GetPixel(dst.dc(), 0, 0), RGB(5, 5, 5));
    EXPECT_EQ(GetPixel(dst.dc(), 8, 0), 0u);
    EXPECT_EQ(GetPixel(dst.dc(), 13, 0), RGB(0, 0, 7));
    EXPECT_EQ(GetPixel(dst.dc(), 22, 0), RGB(0, 0, 7));
    EXPECT_EQ(GetPixel(dst.dc(), 23, 0), RGB(5, 5, 5));
}

TEST(RasterTransparentBlt, DeletedPicturesTakeTheirRunTablesAlong) {
    // A table is kept for a pair copied unchanged; once either bitmap is gone
    // its serial never returns, so the table must go too (each new game's
    // tiles used to leave theirs behind, some 380 kB a game).
    const size_t before = TransparentCopyTablesHeld();
    Canvas dst(40, 4), keptImage(40, 4);
    for (int round = 0; round < 50; ++round) {
        Canvas image(40, 4), mask(40, 4, Canvas::kOneBit);
        FillSolidRect(image.dc(), 0, 0, 20, 4, RGB(0, 0, 7));
        for (int k = 0; k < 3; ++k) {
            TransparentBlt(dst.dc(), 0, 0, 40, 4, image.dc(), mask.dc(), 0, 0);
            TransparentBlt(dst.dc(), 0, 0, 40, 4, keptImage.dc(), mask.dc(), 0, 0);
        }
        EXPECT_EQ(TransparentCopyTablesHeld(), before + 2);
    }
    EXPECT_EQ(TransparentCopyTablesHeld(), before);
}

TEST(RasterTransparentBlt, HonoursChangedDestinationColours) {
    Canvas image(4, 1), mask(4, 1, Canvas::kOneBit), a(4, 1), b(4, 1);
    Put(mask.dc(), {"#.#."}, 0xFFFFFF, 0);
    Put(image.dc(), {"..##"}, RGB(0, 0, 16), 0);
    for (Canvas* c : {&a, &b}) {
        c->Clear(RGB(255, 255, 0));
        SetTextColor(c->dc(), RGB(15, 0, 0)); // left behind by a text call
    }
    BitBlt(a.dc(), 0, 0, 4, 1, mask.dc(), 0, 0, SRCAND);
    BitBlt(a.dc(), 0, 0, 4, 1, image.dc(), 0, 0, SRCPAINT);
    TransparentBlt(b.dc(), 0, 0, 4, 1, image.dc(), mask.dc(), 0, 0);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(GetPixel(b.dc(), x, 0), GetPixel(a.dc(), x, 0)) << x;
    EXPECT_EQ(GetPixel(b.dc(), 1, 0), RGB(15, 0, 0));
}

TEST(RasterOperations, EveryNamedOperationGivesGdisResult) {
    // Pattern (the destination's brush), source and destination as bit
    // patterns that cover all eight combinations in every channel.
    const COLORREF P = 0x00F0F0F0, S = 0x00CCCCCC, D = 0x00AAAAAA, kBits = 0x00FFFFFF;
    struct Case {
        const char* name;
        DWORD rop;
        COLORREF expected;
    };
    const Case cases[] = {
        {"SRCCOPY", SRCCOPY, S},
        {"SRCAND", SRCAND, S & D},
        {"SRCPAINT", SRCPAINT, S | D},
        {"BLACKNESS", BLACKNESS, 0},
        {"WHITENESS", WHITENESS, kBits},
        {"SRCINVERT", SRCINVERT, S ^ D},
        {"SRCERASE", SRCERASE, S & ~D & kBits},
        {"NOTSRCCOPY", NOTSRCCOPY, ~S & kBits},
        {"NOTSRCERASE", NOTSRCERASE, ~(S | D) & kBits},
        {"MERGECOPY", MERGECOPY, P & S},
        {"MERGEPAINT", MERGEPAINT, (~S | D) & kBits},
        {"PATCOPY", PATCOPY, P},
        {"PATPAINT", PATPAINT, (P | ~S | D) & kBits},
        {"PATINVERT", PATINVERT, P ^ D},
        {"DSTINVERT", DSTINVERT, ~D & kBits},
    };
    Canvas src(2, 2);
    src.Clear(S);
    for (const Case& c : cases) {
        for (bool stretched : {false, true}) {
            Canvas dst(4, 4);
            dst.Clear(D);
            WithPenAndBrush(dst.dc(), CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(P), [&] {
                if (stretched) {
                    EXPECT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 4, src.dc(), 0, 0, 2, 2, c.rop));
                } else {
                    EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 2, src.dc(), 0, 0, c.rop));
                }
            });
            EXPECT_EQ(GetPixel(dst.dc(), 1, 1), c.expected) << c.name << " stretched " << stretched;
            EXPECT_EQ(GetPixel(dst.dc(), 3, 3), stretched ? c.expected : D) << c.name;
        }
    }
}

TEST(RasterOperations, OneBitBitmapsAndTheNullBrush) {
    // On one-bit bitmaps the same truth tables over single bits.
    Canvas src(4, 1, Canvas::kOneBit), dst(4, 1, Canvas::kOneBit);
    Put(src.dc(), {"##.."}, 0xFFFFFF, 0);
    Put(dst.dc(), {"#.#."}, 0xFFFFFF, 0);
    BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, SRCINVERT);
    EXPECT_EQ(InkRows(dst, 0xFFFFFF), (Rows{".##."}));
    BitBlt(dst.dc(), 0, 0, 4, 1, nullptr, 0, 0, DSTINVERT); // no source needed
    EXPECT_EQ(InkRows(dst, 0xFFFFFF), (Rows{"#..#"}));
    BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, MERGEPAINT); // ~S | D
    EXPECT_EQ(InkRows(dst, 0xFFFFFF), (Rows{"#.##"}));
    // A white brush is 1 on a one-bit bitmap.
    WithPenAndBrush(dst.dc(), CreatePen(PS_SOLID, 1, 0), CreateSolidBrush(0xFFFFFF),
                    [&] { BitBlt(dst.dc(), 1, 0, 2, 1, nullptr, 0, 0, PATCOPY); });
    EXPECT_EQ(InkRows(dst, 0xFFFFFF), (Rows{"####"}));

    // The null brush paints nothing, whatever the operation makes of it.
    Canvas colour(2, 1);
    colour.Clear(RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(colour.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(BitBlt(colour.dc(), 0, 0, 2, 1, nullptr, 0, 0, PATCOPY));
    EXPECT_TRUE(BitBlt(colour.dc(), 0, 0, 2, 1, nullptr, 0, 0, PATINVERT));
    SelectObject(colour.dc(), old);
    EXPECT_EQ(GetPixel(colour.dc(), 0, 0), RGB(1, 2, 3));
    // An operation that reads a source needs one.
    EXPECT_FALSE(BitBlt(colour.dc(), 0, 0, 2, 1, nullptr, 0, 0, SRCINVERT));
}

TEST(RasterStretchBlt, ShrinkingCombinesTheEliminatedPixelsWithAnd) {
    // A mask row shrunk to half keeps each pair's opaque (0) pixel.
    Canvas mask(4, 1, Canvas::kOneBit), half(2, 1, Canvas::kOneBit);
    Put(mask.dc(), {"#.##"}, 0xFFFFFF, 0);
    ASSERT_TRUE(StretchBlt(half.dc(), 0, 0, 2, 1, mask.dc(), 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(InkRows(half, 0xFFFFFF), (Rows{".#"}));
    // Colours likewise, across rows as well as columns.
    Canvas src(2, 2), one(1, 1);
    SetPixelV(src.dc(), 0, 0, 0x00F0F0F0);
    SetPixelV(src.dc(), 1, 0, 0x00FFFF0F);
    SetPixelV(src.dc(), 0, 1, 0x00FF0FFF);
    SetPixelV(src.dc(), 1, 1, 0x000FFFFF);
    StretchBlt(one.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(GetPixel(one.dc(), 0, 0), 0x00000000u);
    // Shrinking one axis while enlarging the other: columns ANDed, rows repeated.
    Canvas tall(1, 4);
    StretchBlt(tall.dc(), 0, 0, 1, 4, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(GetPixel(tall.dc(), 0, 1), 0x00F0F000u);
    EXPECT_EQ(GetPixel(tall.dc(), 0, 2), 0x000F0FFFu);
}

TEST(RasterStretchBlt, NegativeLengthsMirror) {
    Canvas src(4, 2), dst(4, 2);
    for (int x = 0; x < 4; ++x) {
        SetPixelV(src.dc(), x, 0, static_cast<COLORREF>(10 + x));
        SetPixelV(src.dc(), x, 1, static_cast<COLORREF>(20 + x));
    }
    auto row = [&](int y) {
        std::vector<COLORREF> r;
        for (int x = 0; x < 4; ++x) r.push_back(GetPixel(dst.dc(), x, y));
        return r;
    };
    using V = std::vector<COLORREF>;
    // The destination runs left from x = 4: the picture is mirrored.
    StretchBlt(dst.dc(), 4, 0, -4, 2, src.dc(), 0, 0, 4, 2, SRCCOPY);
    EXPECT_EQ(row(0), (V{13, 12, 11, 10}));
    EXPECT_EQ(row(1), (V{23, 22, 21, 20}));
    // Both negative: the same rectangles, not mirrored.
    StretchBlt(dst.dc(), 4, 0, -4, 2, src.dc(), 4, 0, -4, 2, SRCCOPY);
    EXPECT_EQ(row(0), (V{10, 11, 12, 13}));
    // Upside down, enlarged twice across.
    StretchBlt(dst.dc(), 0, 2, 4, -2, src.dc(), 0, 0, 2, 2, SRCCOPY);
    EXPECT_EQ(row(0), (V{20, 20, 21, 21}));
    EXPECT_EQ(row(1), (V{10, 10, 11, 11}));
}
