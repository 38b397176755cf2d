// Tiles of a large image: sizes, filling, reading, painting and clipped copies.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/kivSprites3.h"
#include "gfx_support.h"
#include "vb/numeric.h"
#include "vb/runtime_error.h"

namespace {

std::vector<int32_t> ColumnWidths(kivSprites3& set) {
    std::vector<int32_t> widths;
    for (int32_t i = 1; i <= set.NumberX(); ++i) widths.push_back(set.Tile(i, 1).Width());
    return widths;
}

// A masked source whose pixel (x, y) has its own colour; every 7th is transparent.
void PatternSource(kivSprite3& s, int w, int h) {
    s.Initialize(true, w, h, -1, "", -1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x + 3 * y) % 7 != 0) s.DrawPixel(x, y, gdi::RGB(10 + x, 20 + y, 99));
}

int32_t PatternAt(int x, int y) {
    return (x + 3 * y) % 7 == 0 ? -2 : int32_t(gdi::RGB(10 + x, 20 + y, 99));
}

} // namespace

TEST(SpriteSet, TileGridSizes) {
    kivSprites3 set;
    set.Initialize(true, 361, 180, nullptr);
    EXPECT_EQ(set.NumberX(), 3);
    EXPECT_EQ(set.NumberY(), 1);
    EXPECT_EQ(ColumnWidths(set), (std::vector<int32_t>{180, 180, 1}));
    EXPECT_EQ(set.Tile(3, 1).Height(), 180);
    EXPECT_EQ(set.GetPixel(360, 179), -2);

    set.Initialize(true, 600, 175, nullptr);
    EXPECT_EQ(set.NumberX(), 4);
    EXPECT_EQ(set.NumberY(), 1);
    EXPECT_EQ(ColumnWidths(set), (std::vector<int32_t>{180, 180, 180, 60}));
    EXPECT_EQ(set.Tile(4, 1).Height(), 175);
    EXPECT_EQ(set.Width(), 600);
    EXPECT_TRUE(set.Tile(2, 1).Sprite());

    set.Initialize(false, 181, 361, nullptr);
    EXPECT_EQ(set.NumberY(), 3);
    EXPECT_EQ(set.Tile(2, 3).Width(), 1);
    EXPECT_EQ(set.Tile(2, 3).Height(), 1);
    EXPECT_EQ(set.GetPixel(180, 360), 0); // unmasked tiles start black and opaque

    set.Terminate();
    EXPECT_EQ(set.NumberX(), 0);
    EXPECT_EQ(set.GetPixel(0, 0), -2);
    try {
        set.Initialize(true, 0, 10, nullptr);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        EXPECT_EQ(e.Number(), 9);
    }
}

TEST(SpriteSet, CopyIsClippedToTheBitmapItDrawsInto) {
    kivSprites3 set;
    set.Initialize(true, 180, 180, nullptr);
    set.DrawRectangle(0, 0, 180, 180, 0x0000FF);
    struct Case {
        int x, y;
        std::vector<std::pair<int, int>> red, untouched;
    };
    const Case cases[] = {
        {-179, 0, {{0, 0}, {0, 179}}, {{1, 0}}},
        {-180, 0, {}, {{0, 0}}},
        {299, 0, {{299, 0}}, {{298, 0}}},
        {300, 0, {}, {{299, 0}}},
        {0, -179, {{0, 0}, {179, 0}}, {{0, 1}}},
        {0, -180, {}, {{0, 0}}},
        {0, 199, {{0, 199}}, {{0, 198}}},
        {0, 200, {}, {{0, 199}}},
        {-100, -50, {{79, 129}, {0, 0}}, {{80, 0}, {0, 130}}},
    };
    for (const Case& c : cases) {
        Canvas canvas(300, 200, 0xFFFFFF);
        set.BitBlt(canvas.dc(), nullptr, c.x, c.y);
        for (auto [x, y] : c.red) EXPECT_EQ(canvas.At(x, y), 0x0000FFu) << c.x << "," << c.y;
        for (auto [x, y] : c.untouched)
            EXPECT_EQ(canvas.At(x, y), 0xFFFFFFu) << c.x << "," << c.y << " at " << x << "," << y;
    }
}

TEST(SpriteSet, GetPixelFindsTheTileAndRounds) {
    kivSprites3 set;
    set.Initialize(true, 361, 200, nullptr);
    set.DrawRectangle(0, 0, 180, 180, 0x0000FF);
    EXPECT_EQ(set.GetPixel(-0.4, 10), -2);
    EXPECT_EQ(set.GetPixel(0.4, 10), 0x0000FF);
    EXPECT_EQ(set.GetPixel(10, -0.1), -2);
    EXPECT_EQ(set.GetPixel(361.0, 10), -2);
    EXPECT_EQ(set.GetPixel(10, 1e12), -2);
    EXPECT_EQ(set.GetPixel(std::nan(""), 10), -2);
    // Rounds within the tile of the unrounded point: 179.6 reads x 0 of tile 1.
    set.Tile(1, 1).DrawPixel(0, 5, 0x00FF00);
    EXPECT_EQ(set.GetPixel(179.6, 5), 0x00FF00);
    EXPECT_EQ(set.GetPixel(2.5, 5.5), 0x0000FF);
}

TEST(SpriteSet, GetPixelAgreesWithTheTilesOwnReading) {
    kivSprite3 source;
    PatternSource(source, 130, 70);
    for (bool masked : {true, false}) {
        kivSprites3 set;
        set.Initialize(masked, 390, 420, &source);
        for (double y = -3.3; y < 430; y += 4.7) {
            for (double x = -2.6; x < 400; x += 3.1) {
                int32_t expected = -2;
                const int32_t column = vb::IntL(x / 180) + 1, row = vb::IntL(y / 180) + 1;
                if (column >= 1 && column <= set.NumberX() && row >= 1 && row <= set.NumberY())
                    expected = set.Tile(column, row)
                                   .GetPixel(vb::RoundEven(x) % 180, vb::RoundEven(y) % 180);
                ASSERT_EQ(set.GetPixel(x, y), expected) << masked << " " << x << "," << y;
            }
        }
    }
}

TEST(SpriteSet, DrawRectangleStaysInTheTileOfItsCorner) {
    kivSprites3 set;
    set.Initialize(true, 361, 180, nullptr);
    set.DrawRectangle(178, 10, 184, 16, 0x00FF00);
    EXPECT_EQ(set.GetPixel(178, 10), 0x00FF00);
    EXPECT_EQ(set.GetPixel(179, 15), 0x00FF00);
    for (int x = 180; x < 185; ++x) EXPECT_EQ(set.GetPixel(x, 12), -2) << x;
    EXPECT_EQ(set.GetPixel(177, 12), -2);
    set.DrawRectangle(-1, 0, 5, 5, 0x00FF00); // no tile: nothing
    set.DrawRectangle(400, 0, 405, 5, 0x00FF00);
    EXPECT_EQ(set.GetPixel(0, 0), -2);
    set.DrawRectangle(360, 179, 361, 180, 0x0000FF);
    EXPECT_EQ(set.GetPixel(360, 179), 0x0000FF);
}

TEST(SpriteSet, ScaledFillEnlargesEachSourcePixel) {
    kivSprite3 source;
    PatternSource(source, 20, 10);
    kivSprites3 set;
    set.Initialize(true, 60, 60, &source); // steps 60 x 30: 3 x 6 blocks
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(set.GetPixel(x, y), PatternAt(x / 3, y / 6)) << x << "," << y;

    // Across several tiles: every tile shows its own part of the source.
    kivSprite3 big;
    PatternSource(big, 130, 70);
    kivSprites3 large;
    large.Initialize(true, 390, 420, &big);
    for (int y = 0; y < 420; y += 7)
        for (int x = 0; x < 390; x += 5)
            ASSERT_EQ(large.GetPixel(x, y), PatternAt(x / 3, y / 6)) << x << "," << y;
}

TEST(SpriteSet, UnscaledRefillCopiesTheSourceMask) {
    kivSprite3 source;
    PatternSource(source, 200, 20);
    source.DrawPixel(190, 10, 0); // opaque black: the set keeps it opaque
    kivSprites3 set;
    set.Initialize(true, 200, 20, nullptr);
    set.FillSprite(source, false);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 200; ++x)
            if (!(x == 190 && y == 10)) {
                ASSERT_EQ(set.GetPixel(x, y), PatternAt(x, y));
            }
    EXPECT_EQ(set.GetPixel(190, 10), 0);

    // A second refill replaces the first completely.
    kivSprite3 other;
    other.Initialize(true, 200, 20, 0x0000FF, "", -1);
    other.DrawPixel(0, 0, -2);
    set.FillSprite(other, false);
    EXPECT_EQ(set.GetPixel(0, 0), -2);
    EXPECT_EQ(set.GetPixel(190, 10), 0x0000FF);
    EXPECT_EQ(set.GetPixel(199, 19), 0x0000FF);
}

TEST(SpriteSet, StretchPlacesEachTileByTheSetRatio) {
    kivSprite3 red;
    red.Initialize(true, 200, 10, 0x0000FF, "", -1);
    kivSprites3 set;
    set.Initialize(true, 200, 10, nullptr);
    set.FillSprite(red, false);
    Canvas canvas(120, 20, 0xFFFFFF);
    set.StretchBlt(canvas.dc(), nullptr, 5, 5, 100, 5);
    for (int x = 0; x < 120; ++x) {
        const bool inside = x >= 5 && x < 105;
        EXPECT_EQ(canvas.At(x, 7), inside ? 0x0000FFu : 0xFFFFFFu) << x;
    }
    EXPECT_EQ(canvas.At(50, 4), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(50, 9), 0x0000FFu);
    EXPECT_EQ(canvas.At(50, 10), 0xFFFFFFu);
}

TEST(SpriteSet, TilesAreMadeWhenFirstUsedAndMemoryRunsOutThere) {
    kivSprites3 set;
    set.Initialize(true, 540, 100, nullptr);
    EXPECT_EQ(set.NumberX(), 3);
    EXPECT_EQ(set.TilesMade(), 0); // nothing held before it is used
    Canvas canvas(540, 100, 0x123456);
    gdi::SetBitmapMemoryLimit(gdi::BitmapMemoryInUse() + 2 * 180 * 100 * 5 + 100);
    try {
        set.BitBlt(canvas.dc(), nullptr, 0, 0);
        gdi::SetBitmapMemoryLimit(0);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& e) {
        gdi::SetBitmapMemoryLimit(0);
        EXPECT_EQ(e.Number(), static_cast<int32_t>(0x80040002u));
    }
    EXPECT_EQ(set.TilesMade(), 2);           // the tiles made before the failure stay
    EXPECT_EQ(canvas.At(10, 10), 0x123456u); // transparent tiles left the canvas as it was
    // With memory again the third tile is made on its first use.
    EXPECT_EQ(set.GetPixel(500, 10), -2);
    EXPECT_EQ(set.TilesMade(), 3);
    set.Terminate();
    EXPECT_EQ(set.NumberX(), 0);
    EXPECT_EQ(set.TilesMade(), 0);
}

TEST(SpriteSet, InitializeAgainEmptiesTheSet) {
    kivSprites3 set;
    set.Initialize(true, 361, 200, nullptr);
    set.DrawRectangle(0, 0, 361, 200, gdi::RGB(1, 2, 3));
    ASSERT_EQ(set.GetPixel(10, 10), int32_t(gdi::RGB(1, 2, 3))); // the corner's tile
    set.Initialize(true, 200, 100, nullptr);
    EXPECT_EQ(set.NumberX(), 2);
    EXPECT_EQ(set.NumberY(), 1);
    EXPECT_EQ(set.Tile(1, 1).Height(), 100);
    // Every tile new: black and transparent, nothing of the old picture.
    for (int y = 0; y < 100; y += 9)
        for (int x = 0; x < 200; x += 9) EXPECT_EQ(set.GetPixel(x, y), -2) << x << "," << y;
    EXPECT_EQ(set.GetPixel(300, 150), -2); // outside the new set
}

TEST(SpriteSet, TilesMadeLateEqualTilesMadeAtOnce) {
    // The same operations on two sets; one has every tile made after each
    // step, the other none until the end. Refills that cover only part of the
    // grid, a source dropped after its fill, and paint in between.
    for (bool masked : {true, false}) {
        kivSprites3 eager, late;
        auto everyTile = [](kivSprites3& set) {
            for (int32_t i = 1; i <= set.NumberX(); ++i)
                for (int32_t j = 1; j <= set.NumberY(); ++j) set.Tile(i, j);
        };
        auto both = [&](const std::function<void(kivSprites3&)>& step) {
            step(eager);
            everyTile(eager);
            step(late);
        };
        {
            kivSprite3 picture;
            PatternSource(picture, 70, 40);
            both([&](kivSprites3& s) { s.Initialize(masked, 390, 240, &picture); });
        } // the picture is gone before the late set is used
        both([](kivSprites3& s) { s.DrawRectangle(175, 20, 200, 30, gdi::RGB(1, 200, 3)); });
        {
            kivSprite3 smaller;
            PatternSource(smaller, 200, 100); // covers part of the grid only
            both([&](kivSprites3& s) { s.FillSprite(smaller, false); });
            kivSprite3 scaled;
            PatternSource(scaled, 30, 20);
            both([&](kivSprites3& s) { s.FillSprite(scaled, true); });
        }
        EXPECT_EQ(late.TilesMade(), 1); // only the painted one
        for (int y = 0; y < 240; y += 3)
            for (int x = 0; x < 390; x += 3)
                ASSERT_EQ(late.GetPixel(x, y), eager.GetPixel(x, y))
                    << "masked " << masked << " at " << x << "," << y;
        Canvas a(400, 400, 0x445566), b(400, 400, 0x445566);
        eager.BitBlt(a.dc(), nullptr, -7, 5);
        late.BitBlt(b.dc(), nullptr, -7, 5);
        EXPECT_EQ(a.Pixels(), b.Pixels()) << "masked " << masked;
    }
}
