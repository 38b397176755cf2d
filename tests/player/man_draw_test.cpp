// The man's block, the sword's growing yellow, and the guide beam.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "man_world.h"

namespace {

constexpr gdi::COLORREF kRed = gdi::RGB(255, 0, 0);

void ClearView() {
    FillRectGdi(frmMain->picMainDC(), 0, 0, ViewWidth, ViewHeight, 0x123456);
}

// The man at (100.5, -40), whose block lands at screen (307, 260).
clsMan& StartManInView(GameWorld& world) {
    StartWithMonsterAway(world);
    world.PlaceMan(100.5, -40);
    OffsetX = 7;
    OffsetY = 500;
    return world.man();
}

} // namespace

TEST(ManDraw, RedBlockOrPinkWhileRecovering) {
    GameWorld world;
    StartManInView(world);
    ClearView();
    world.man().Draw();
    const int x = 307, y = 260; // 100 x 3 + 7, -40 x 6 + 500
    EXPECT_EQ(world.ViewPixel(x, y), kRed);
    EXPECT_EQ(world.ViewPixel(x + 2, y + 5), kRed);
    EXPECT_NE(world.ViewPixel(x + 3, y), kRed);
    EXPECT_NE(world.ViewPixel(x, y + 6), kRed);
    EXPECT_NE(world.ViewPixel(x - 1, y), kRed);

    world.man().mRecover = 5;
    world.man().Draw();
    EXPECT_EQ(world.ViewPixel(x, y), gdi::RGB(255, 128, 255));
}

TEST(ManDraw, SwordOfReachThreeDownGrowsBrighterForTenFrames) {
    GameWorld world;
    clsMan& man = StartManInView(world);
    man.mSwordLength = 3;
    man.mSwordX = 0;
    man.mSwordY = 1;
    for (int frame = 0; frame < 10; ++frame) {
        ClearView();
        man.Draw();
        const int s = frame * 10 + 150;
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(world.ViewPixel(307, 260 + 6 * i), gdi::RGB(s, s, 0)) << frame;
        }
        EXPECT_NE(world.ViewPixel(307, 260 + 6 * 4), gdi::RGB(s, s, 0));
    }
    EXPECT_EQ(man.mSwordLength, 0);
    EXPECT_EQ(man.mSwordX, 0);
    EXPECT_EQ(man.mSwordY, 0);
}

TEST(ManDraw, NoSwordWithoutLength) {
    GameWorld world;
    StartManInView(world);
    world.man().mSwordX = 1;
    ClearView();
    world.man().Draw();
    EXPECT_EQ(world.ViewPixel(310, 260), 0x123456u);
}

TEST(ManDraw, GuideBeamRunsToTheMonsterCentre) {
    GameWorld world;
    StartManInView(world);
    world.PlaceMonster(120, -20, 2); // 4 x 2: centre (122, -19)
    world.man().mLight = true;
    ClearView();
    world.man().Draw();
    // From (307, 259) to (373, 386) and to (373, 381).
    int white = 0;
    for (int y = 259; y <= 386; ++y) {
        for (int x = 300; x <= 380; ++x) white += world.ViewPixel(x, y) == 0xFFFFFFu;
    }
    EXPECT_GT(white, 2 * 127);
    EXPECT_EQ(world.ViewPixel(373, 390), 0x123456u);
}

TEST(ManDraw, NothingWhenDeadOrNoMonsterLeft) {
    GameWorld world;
    StartManInView(world);
    world.man().mState = 2;
    ClearView();
    world.man().Draw();
    EXPECT_EQ(world.ViewPixel(307, 260), 0x123456u);
    world.man().mState = 1;
    MonstersLeft = 0;
    world.man().Draw();
    EXPECT_EQ(world.ViewPixel(307, 260), 0x123456u);
}
