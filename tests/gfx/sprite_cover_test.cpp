// What a sprite set's copy covers: each pixel it claims is painted whatever
// the view held there, and the claim follows the tiles' masks.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "gfx/kivSprites3.h"
#include "gfx_support.h"

namespace {

constexpr int kViewW = 300, kViewH = 200;

// A 390 x 390 set (tiles 180, 180 and 30 across and down) enlarged 3 x 6
// from a picture with holes and a round edge.
void HoledSet(kivSprites3& set, bool masked) {
    kivSprite3 source;
    source.Initialize(true, 130, 65, -1, "", -1);
    for (int y = 0; y < 65; ++y)
        for (int x = 0; x < 130; ++x)
            if ((x / 7 + y / 5) % 3 != 0 && (x - 65) * (x - 65) + 4 * y * y >= 900)
                source.DrawPixel(x, y, gdi::RGB(40 + x, 90, 20 + y));
    set.Initialize(masked, 390, 390, &source);
}

struct Claim {
    int claimed = 0, painted = 0, wrong = 0; // wrong: claimed, yet not painted
};

// The set copied at (x, y) onto views of two colours: a claimed pixel must
// come out the same on both.
Claim CopyAndClaim(kivSprites3& set, int x, int y) {
    Canvas a(kViewW, kViewH, gdi::RGB(255, 0, 255)), b(kViewW, kViewH, gdi::RGB(0, 255, 1));
    set.BitBlt(a.dc(), nullptr, x, y);
    set.BitBlt(b.dc(), nullptr, x, y);
    std::vector<gdi::RECT> covers;
    set.OpaqueCover(a.dc(), x, y, covers);
    std::vector<int> times(kViewW * kViewH, 0);
    for (const gdi::RECT& r : covers) {
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kViewW && r.bottom <= kViewH);
        for (int py = r.top; py < r.bottom; ++py)
            for (int px = r.left; px < r.right; ++px) ++times[py * kViewW + px];
    }
    Claim c;
    for (int py = 0; py < kViewH; ++py)
        for (int px = 0; px < kViewW; ++px) {
            const bool painted = a.At(px, py) == b.At(px, py);
            EXPECT_LE(times[py * kViewW + px], 1);
            c.claimed += times[py * kViewW + px] != 0;
            c.painted += painted;
            c.wrong += times[py * kViewW + px] != 0 && !painted;
        }
    return c;
}

} // namespace

TEST(SpriteCover, ClaimsOnlyWhatTheCopyPaintsAcrossEveryEdge) {
    for (const bool masked : {true, false}) {
        kivSprites3 set;
        HoledSet(set, masked);
        int claimed = 0, painted = 0;
        const std::pair<int, int> places[] = {{20, 10},    {-100, -50}, {200, 20},  {-50, 150},
                                              {150, -300}, {-389, 0},   {299, 199}, {-389, -389}};
        for (const auto& [x, y] : places) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            const Claim c = CopyAndClaim(set, x, y);
            EXPECT_EQ(c.wrong, 0);
            if (!masked) {
                EXPECT_EQ(c.claimed, c.painted); // all it shows
            }
            claimed += c.claimed;
            painted += c.painted;
        }
        // Runs and tiles narrower than the cover width are left to the clear.
        EXPECT_GE(claimed, painted * 7 / 10);
        EXPECT_EQ(CopyAndClaim(set, kViewW, 0).claimed, 0);
    }
    // Drawing on a tile moves the claim: (30, 6) lies in an opaque run from
    // x 21 to 62 that a transparent pixel splits; the round hole at (120, 0)
    // painted over in the first tile is claimed.
    kivSprites3 set;
    HoledSet(set, true);
    auto claims = [&](int px, int py) {
        std::vector<gdi::RECT> covers;
        Canvas view(kViewW, kViewH, 0);
        set.OpaqueCover(view.dc(), 0, 0, covers);
        for (const gdi::RECT& r : covers)
            if (px >= r.left && px < r.right && py >= r.top && py < r.bottom) return true;
        return false;
    };
    ASSERT_TRUE(claims(30, 6));
    ASSERT_FALSE(claims(120, 0));
    set.Tile(1, 1).DrawPixel(30, 6, -2);
    set.DrawRectangle(108, 0, 180, 6, gdi::RGB(1, 1, 1));
    EXPECT_FALSE(claims(30, 6));
    EXPECT_TRUE(claims(120, 0));
    EXPECT_EQ(CopyAndClaim(set, 0, 0).wrong, 0);
}
