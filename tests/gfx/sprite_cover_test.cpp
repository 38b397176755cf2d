// What a sprite set's copy covers: each pixel it claims is painted whatever
// the view held there, and the claim follows the tiles' masks.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "gfx/kivSprites3.h"
#include "gfx_support.h"

namespace {

constexpr int kViewW = 300, kViewH = 200;

struct ViewSize {
    ViewSize(int32_t w, int32_t h) : mW(ViewWidth), mH(ViewHeight) {
        ViewWidth = w;
        ViewHeight = h;
    }
    ~ViewSize() {
        ViewWidth = mW;
        ViewHeight = mH;
    }
    int32_t mW, mH;
};

// A 390 x 390 set (tiles 180, 180 and 30 across and down) enlarged 3 x 6
// from a picture with holes and a round edge.
void HoledSet(kivSprites3& set, bool masked) {
    kivSprite3 source;
    source.Initialize(true, 130, 65, -1, "", -1);
    for (int y = 0; y < 65; ++y)
        for (int x = 0; x < 130; ++x) {
            const bool hole = (x / 7 + y / 5) % 3 == 0 || (x - 65) * (x - 65) + 4 * y * y < 900;
            if (!hole) source.DrawPixel(x, y, gdi::RGB(40 + x, 90, 20 + y));
        }
    set.Initialize(masked, 390, 390, &source);
}

struct Claim {
    int covered = 0;   // pixels claimed
    int unchanged = 0; // claimed, yet the view's own colour survived
    int painted = 0;   // pixels the copy changed
};

// The set copied at (x, y) onto views of two colours; the claimed pixels
// must come out the same on both.
Claim CopyAndClaim(kivSprites3& set, int x, int y) {
    const gdi::COLORREF first = gdi::RGB(255, 0, 255), second = gdi::RGB(0, 255, 1);
    Canvas a(kViewW, kViewH, first), b(kViewW, kViewH, second);
    set.BitBlt(a.dc(), nullptr, x, y);
    set.BitBlt(b.dc(), nullptr, x, y);
    std::vector<gdi::RECT> covers;
    set.OpaqueCover(x, y, covers);
    std::vector<int> claimed(kViewW * kViewH, 0);
    Claim c;
    for (const gdi::RECT& r : covers) {
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= kViewW && r.bottom <= kViewH &&
                    r.left < r.right && r.top < r.bottom)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        for (int py = std::max(0, int(r.top)); py < std::min(kViewH, int(r.bottom)); ++py)
            for (int px = std::max(0, int(r.left)); px < std::min(kViewW, int(r.right)); ++px) {
                ++claimed[py * kViewW + px];
                c.unchanged += a.At(px, py) != b.At(px, py);
            }
    }
    for (int py = 0; py < kViewH; ++py)
        for (int px = 0; px < kViewW; ++px) {
            EXPECT_LE(claimed[py * kViewW + px], 1) << "claimed twice at " << px << "," << py;
            c.covered += claimed[py * kViewW + px] != 0;
            c.painted += a.At(px, py) == b.At(px, py);
        }
    return c;
}

} // namespace

TEST(SpriteCover, ClaimsOnlyWhatTheCopyPaintsAcrossEveryEdge) {
    ViewSize view(kViewW, kViewH);
    kivSprites3 set;
    HoledSet(set, true);
    const std::pair<int, int> places[] = {
        {20, 10},  {-100, -50}, {200, 20},    {-50, 150},   {150, -300},
        {-389, 0}, {299, 199},  {-200, -200}, {-389, -389}, {0, 0},
    };
    int covered = 0, painted = 0;
    for (const auto& [x, y] : places) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        const Claim c = CopyAndClaim(set, x, y);
        EXPECT_EQ(c.unchanged, 0);
        covered += c.covered;
        painted += c.painted;
    }
    // Runs narrower than the cover width are left to the clear, and so are
    // the tiles narrower than it; most of what the copies paint is claimed.
    EXPECT_GE(covered, painted * 7 / 10);
    EXPECT_GT(CopyAndClaim(set, -30, -40).covered, kViewW * kViewH / 4);
    EXPECT_EQ(CopyAndClaim(set, kViewW, 0).covered, 0);
    EXPECT_EQ(CopyAndClaim(set, 0, -390).covered, 0);
}

TEST(SpriteCover, FollowsATileDrawnOn) {
    ViewSize view(kViewW, kViewH);
    kivSprites3 set;
    HoledSet(set, true);
    auto claims = [&](int px, int py) {
        std::vector<gdi::RECT> covers;
        set.OpaqueCover(0, 0, covers);
        for (const gdi::RECT& r : covers)
            if (px >= r.left && px < r.right && py >= r.top && py < r.bottom) return true;
        return false;
    };
    // (30, 6) lies in the picture's pixel (10, 1), inside an opaque run of
    // the set from x 21 to 62; a transparent pixel there splits the run.
    ASSERT_TRUE(claims(30, 6));
    set.Tile(1, 1).DrawPixel(30, 6, -2);
    EXPECT_FALSE(claims(30, 6));
    EXPECT_EQ(CopyAndClaim(set, 0, 0).unchanged, 0);
    // The round hole, painted over in the first tile, is claimed.
    ASSERT_FALSE(claims(120, 0));
    set.DrawRectangle(108, 0, 180, 6, gdi::RGB(1, 1, 1));
    EXPECT_TRUE(claims(120, 0));
    EXPECT_EQ(CopyAndClaim(set, 0, 0).unchanged, 0);
}

TEST(SpriteCover, AnUnmaskedSetClaimsAllItShows) {
    ViewSize view(kViewW, kViewH);
    kivSprites3 set;
    HoledSet(set, false);
    for (const auto& [x, y] : {std::pair{-100, -50}, std::pair{200, 120}, std::pair{0, 0}}) {
        const Claim c = CopyAndClaim(set, x, y);
        EXPECT_EQ(c.unchanged, 0);
        const int shown = (std::min(kViewW, x + 390) - std::max(0, x)) *
                          (std::min(kViewH, y + 390) - std::max(0, y));
        EXPECT_EQ(c.covered, shown);
        EXPECT_EQ(c.painted, shown);
    }
}
