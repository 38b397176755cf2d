// The module routines: fills, lines, colour classes, rounding, loading.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/modMain.h"
#include "gfx/kivSprite3.h"
#include "gfx/kivSprites3.h"
#include "gfx/modGraphic.h"
#include "gfx_support.h"

namespace {

int CountColour(const Canvas& c, gdi::COLORREF colour) {
    int n = 0;
    for (auto p : c.Pixels()) n += p == colour;
    return n;
}

} // namespace

TEST(GraphicHelpers, FillRectFillsExactlyTheHalfOpenBox) {
    Canvas c(10, 10, 0);
    FillRectGdi(c.dc(), 0, 0, 3, 6, 0x0000FF);
    EXPECT_EQ(CountColour(c, 0x0000FF), 18);
    EXPECT_EQ(c.At(2, 5), 0x0000FFu);
    EXPECT_EQ(c.At(3, 5), 0u);
    EXPECT_EQ(c.At(2, 6), 0u);

    Canvas empty(10, 10, 0);
    FillRectGdi(empty.dc(), 4, 4, 4, 9, 0x0000FF);
    FillRectGdi(empty.dc(), 4, 4, 9, 4, 0x0000FF);
    EXPECT_EQ(CountColour(empty, 0x0000FF), 0);

    // Same pixels as the null-pen rectangle, reversed boxes and edges included.
    const int boxes[][4] = {{2, 3, 7, 8}, {7, 8, 2, 3}, {5, 5, 4, 9}, {-3, -2, 4, 20},
                            {9, 2, 1, 6}, {3, 3, 3, 3}, {6, 1, 5, 0}};
    for (const auto& b : boxes) {
        Canvas fast(12, 12, 0x222222), slow(12, 12, 0x222222);
        FillRectGdi(fast.dc(), b[0], b[1], b[2], b[3], 0x00FF00);
        NullPenRectangle(slow.dc(), b[0], b[1], b[2] + 1, b[3] + 1, 0x00FF00);
        EXPECT_EQ(fast.Pixels(), slow.Pixels())
            << b[0] << "," << b[1] << "," << b[2] << "," << b[3];
    }
}

TEST(GraphicHelpers, FillRectOnAMaskMapsWhiteAndBlack) {
    Canvas mask(6, 6, 0, Canvas::kOneBit);
    FillRectGdi(mask.dc(), 1, 1, 3, 3, 0xFFFFFF);
    EXPECT_EQ(mask.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(mask.At(3, 3), 0u);
}

TEST(GraphicHelpers, LineIncludesStartAndExcludesEnd) {
    Canvas c(10, 4, 0);
    DrawLineGdi(c.dc(), 1, 1, 6, 1, 0x00FF00, 1);
    EXPECT_EQ(CountColour(c, 0x00FF00), 5);
    EXPECT_EQ(c.At(1, 1), 0x00FF00u);
    EXPECT_EQ(c.At(6, 1), 0u);
}

TEST(GraphicHelpers, SplitRgbTakesTheThreeBytes) {
    double r = -1, g = -1, b = -1;
    SplitRgb(0x804020, r, g, b);
    EXPECT_EQ(r, 32);
    EXPECT_EQ(g, 64);
    EXPECT_EQ(b, 128);
    SplitRgb(0x00FFFFFF, r, g, b);
    EXPECT_EQ(r + g + b, 765);
}

TEST(GraphicHelpers, RgbToHsvClassifiesColours) {
    double h, s, v;
    RgbToHsv(255, 255, 0, h, s, v);
    EXPECT_DOUBLE_EQ(h, 1.0 / 6);
    EXPECT_DOUBLE_EQ(s, 1);
    EXPECT_DOUBLE_EQ(v, 1);
    RgbToHsv(128, 128, 128, h, s, v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
    EXPECT_DOUBLE_EQ(v, 128.0 / 255);
    RgbToHsv(0, 255, 0, h, s, v);
    EXPECT_DOUBLE_EQ(h, 1.0 / 3);
    RgbToHsv(0, 0, 255, h, s, v);
    EXPECT_DOUBLE_EQ(h, 2.0 / 3);
    RgbToHsv(255, 0, 128, h, s, v); // magenta side: wraps below 1
    EXPECT_GT(h, 0.9);
    EXPECT_LT(h, 1.0);

    double h2, s2, v2;
    RgbToHsv(300, -5, 0, h, s, v);
    RgbToHsv(255, 0, 0, h2, s2, v2);
    EXPECT_EQ(h, h2);
    EXPECT_EQ(s, s2);
    EXPECT_EQ(v, v2);
    EXPECT_EQ(h, 0);
    RgbToHsv(std::numeric_limits<double>::quiet_NaN(), 0, 255, h, s, v);
    RgbToHsv(0, 0, 255, h2, s2, v2);
    EXPECT_EQ(h, h2);
    EXPECT_EQ(s, s2);
    // Nearly grey: below the tolerance the hue is 0.
    RgbToHsv(100, 100, 100.001, h, s, v);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 0);
}

TEST(GraphicHelpers, RoundUpGoesTowardPlusInfinity) {
    EXPECT_EQ(RoundUp(2.0001, 0), 3);
    EXPECT_EQ(RoundUp(2, 0), 2);
    EXPECT_EQ(RoundUp(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(RoundUp(1.231, 2), 1.24);
    EXPECT_EQ(RoundUp(361.0 / 180, 0), 3);
}

TEST(GraphicHelpers, LoadPixelSpritesEnlargesByThePixelSize) {
    ASSERT_EQ(PixelWidth, 3.0);
    ASSERT_EQ(PixelHeight, 6.0);
    TempDir dir;
    std::vector<gdi::COLORREF> pixels(100 * 50);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 100; ++x)
            pixels[y * 100 + x] = (x + y) % 5 == 0 ? 0 : gdi::RGB(x % 8 * 30, y % 8 * 30, 7);
    const std::string path = WriteGif(dir, "scene.gif", 100, 50, pixels);

    auto set = LoadPixelSprites(path);
    EXPECT_EQ(set->Width(), 300);
    EXPECT_EQ(set->Height(), 300);
    EXPECT_EQ(set->NumberX(), 2);
    EXPECT_EQ(set->NumberY(), 2);
    EXPECT_EQ(set->Tile(2, 1).Width(), 120);
    EXPECT_EQ(set->Tile(1, 1).Width(), 180);
    EXPECT_EQ(set->Tile(1, 2).Height(), 120);
    EXPECT_TRUE(set->Sprite());
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 300; ++x) {
            const gdi::COLORREF p = pixels[(y / 6) * 100 + x / 3];
            ASSERT_EQ(set->GetPixel(x, y), p == 0 ? -2 : int32_t(p)) << x << "," << y;
        }
    }

    auto sprite = LoadSprite(path);
    EXPECT_EQ(sprite->Width(), 100);
    EXPECT_EQ(sprite->Height(), 50);
    EXPECT_TRUE(sprite->Sprite());
    EXPECT_EQ(sprite->GetPixel(0, 0), -2);
    EXPECT_EQ(sprite->GetPixel(1, 0), int32_t(gdi::RGB(30, 0, 7)));
}
