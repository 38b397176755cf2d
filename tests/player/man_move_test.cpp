// The man's movement: landing, walking, jumping, the sword charge, recovery,
// deadly colours, crushing, the world limit and the free camera.
#include <gtest/gtest.h>

#include <cmath>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "man_world.h"
#include "scenery/clsParticles.h"

using namespace keys;

TEST(ManMove, NewManLandsInTheFirstFrameAtTheOrigin) {
    GameWorld world;
    StartWithMonsterAway(world);
    EXPECT_EQ(world.man().mLanded, 0);
    world.Frame();
    EXPECT_EQ(world.man().mLanded, 15);
    EXPECT_EQ(world.man().mY, 0);
    EXPECT_NEAR(world.man().mX, 0.05, 1e-12); // settling towards the column centre
    EXPECT_EQ(world.man().mState, 1);
}

TEST(ManMove, WalkingSpeedSettlesAtFourTenthsPerFrame) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Hold(kRight);
    world.Frame(80);
    const double before = world.man().mX;
    world.Frame();
    EXPECT_NEAR(world.man().mSX, 0.4, 1e-9);
    EXPECT_NEAR(world.man().mX - before, 0.4, 1e-9);
    EXPECT_EQ(world.man().mY, 0);

    // Left wins when both are held.
    world.Hold(kLeft);
    world.Frame(80);
    EXPECT_NEAR(world.man().mSX, -0.4, 1e-9);
}

TEST(ManMove, OneJumpPerPressFirstFrameRisesPoint88) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame(5);
    world.Hold(kSpace);
    world.Frame();
    EXPECT_NEAR(world.man().mY, -0.88, 1e-12);
    EXPECT_NEAR(world.man().mSY, -0.88, 1e-12);
    EXPECT_EQ(world.man().mJumpKeyHeld, kSpace);
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mY == 0; }, 500));
    // Still holding Space: no second jump.
    world.Frame(100);
    EXPECT_EQ(world.man().mY, 0);
    // Released and pressed again: jumps; C works the same.
    world.Release(kSpace);
    world.Frame();
    EXPECT_EQ(world.man().mJumpKeyHeld, 0);
    world.Hold(kC);
    world.Frame();
    EXPECT_LT(world.man().mY, 0);
    EXPECT_EQ(world.man().mJumpKeyHeld, kC);
}

namespace {

// Walks the man off the right end of a floating platform; returns with the
// man in his first frame without support (mLanded 14).
void WalkOffPlatform(GameWorld& world) {
    StartWithScene(world, {"SSSSSSSSSS"}, 20, -20);
    world.PlaceMan(27.5, -21);
    world.Frame();
    ASSERT_EQ(world.man().mLanded, 15);
    world.Hold(kRight);
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mLanded < 15; }, 200));
    world.Release(kRight);
    ASSERT_EQ(world.man().mLanded, 14);
    ASSERT_GE(world.man().mX, 30);
}

} // namespace

TEST(ManMove, JumpPossibleInTheFifteenthFrameAfterLeavingSupport) {
    GameWorld world;
    WalkOffPlatform(world);
    world.Frame(13); // fourteen frames in the air
    EXPECT_EQ(world.man().mLanded, 1);
    const double sy = world.man().mSY;
    EXPECT_GT(sy, 0);
    world.Hold(kSpace);
    world.Frame();
    EXPECT_NEAR(world.man().mSY, -0.88, 1e-12);
}

TEST(ManMove, NoJumpInTheSixteenthFrameAfterLeavingSupport) {
    GameWorld world;
    WalkOffPlatform(world);
    world.Frame(14);
    EXPECT_EQ(world.man().mLanded, 0);
    world.Hold(kSpace);
    world.Frame();
    EXPECT_GT(world.man().mSY, 0);
}

namespace {

// The man on the ground right beside a monster, so Z charges the sword
// instead of showing the guide beam.
void StartBesideMonster(GameWorld& world) {
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS", "SSSS"});
    world.Start();
    world.PlaceMonster(10, -2, 2);
    world.PlaceMan(8.5, 0);
    world.Frame();
}

} // namespace

TEST(ManMove, ReleasingZAtFiftyCostsRecoveryButDoesNotStrike) {
    GameWorld world;
    StartBesideMonster(world);
    world.Hold(kZ);
    world.Frame(50);
    EXPECT_EQ(world.man().mSwordCounter, 50);
    EXPECT_FALSE(world.man().mLight);
    world.Release(kZ);
    world.Frame();
    EXPECT_EQ(world.man().mSwordLength, 0);
    EXPECT_EQ(world.man().mSwordCounter, 0);
    EXPECT_EQ(world.man().mRecover, 19); // 20, less this frame's one
}

TEST(ManMove, ReleasingZAtFiftyOneStrikesStraightDown) {
    GameWorld world;
    StartBesideMonster(world);
    world.Hold(kZ);
    world.Frame(51);
    world.Release(kZ);
    world.Frame();
    EXPECT_EQ(world.man().mSwordLength, 3);
    EXPECT_EQ(world.man().mSwordX, 0);
    EXPECT_EQ(world.man().mSwordY, 1);
    EXPECT_EQ(world.man().mRecover, 19);
}

TEST(ManMove, ChargeStopsAtOneHundredAndHoldingZPreventsWalking) {
    GameWorld world;
    StartBesideMonster(world);
    world.Hold(kZ);
    world.Hold(kLeft);
    const double x = world.man().mX;
    world.Frame(150);
    EXPECT_EQ(world.man().mSwordCounter, 100);
    EXPECT_NEAR(world.man().mX, x, 0.5);
}

TEST(ManMove, HardLandingGivesTwelveFramesOfRecovery) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.PlaceMan(0.5, -40);
    world.man().mLanded = 0;
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mLanded == 15; }, 500));
    EXPECT_EQ(world.man().mY, 0);
    EXPECT_EQ(world.man().mRecover, 11);

    // No walking while recovering; the jump waits until mRecover is below 5.
    world.Hold(kSpace);
    world.Hold(kRight);
    int frames = 0;
    while (world.man().mY == 0 && frames < 50) {
        world.Frame();
        ++frames;
    }
    EXPECT_EQ(frames, 8); // starts of frame 11, 10, ..., 4
}

TEST(ManMove, SoftLandingNeedsNoRecovery) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.PlaceMan(0.5, -0.5);
    world.man().mLanded = 0;
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mLanded == 15; }, 100));
    EXPECT_EQ(world.man().mRecover, 0);
}

TEST(ManMove, CrushedWhenTheMonsterOccupiesHisPixel) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame();
    world.PlaceMonster(-1, -1, 2); // its lower row now covers (0, 0)
    world.Frame();
    EXPECT_EQ(world.man().mState, 2);
    EXPECT_EQ(CountParticles(world, 255), 200);
}

TEST(ManMove, WalkingIntoDeadlyRedKills) {
    GameWorld world;
    StartWithScene(world, {"R"}, 3, 0);
    world.Hold(kRight);
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mState != 1; }, 100));
    EXPECT_LT(world.man().mX, 3);
    const int darkRed = CountParticles(world, 128);
    EXPECT_GE(darkRed, 100);
    EXPECT_EQ(darkRed % 100, 0);
}

TEST(ManMove, WalkingIntoASolidWallStopsAndCreepsUp) {
    GameWorld world;
    StartWithScene(world, {"S", "S", "S", "S", "S", "S"}, 3, -5);
    world.Hold(kRight);
    world.Frame(60);
    EXPECT_LT(world.man().mX, 3);
    EXPECT_EQ(world.man().mState, 1);
}

TEST(ManMove, LandingOnDeadlyRedKillsAndGivesNoSupport) {
    GameWorld world;
    StartWithScene(world, {"RRR"}, -1, -3);
    world.PlaceMan(0.5, -10);
    world.man().mLanded = 0;
    ASSERT_TRUE(world.FrameUntil([&] { return world.man().mState != 1; }, 300));
    EXPECT_LT(world.man().mY, -3);
}

TEST(ManMove, OwnSpeedNeverCarriesHimPastTheWorldLimit) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.PlaceMonster(-5000, -1, 2);
    world.PlaceMan(20495.5, 0);
    world.Hold(kRight);
    double furthest = 0;
    for (int i = 0; i < 200; ++i) {
        world.Frame();
        furthest = std::max(furthest, world.man().mX);
    }
    EXPECT_GT(furthest, 20499.5);
    EXPECT_LE(furthest, 20500.5);
}

TEST(ManMove, AfterDeathTheArrowsMoveAFreeCameraAboveTheGround) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame();
    world.man().Die(2);
    world.Hold(kDown);
    world.Frame(10);
    EXPECT_EQ(world.man().mY, 0);
    world.Release(kDown);
    world.Hold(kUp);
    world.Hold(kRight);
    world.Frame(30);
    EXPECT_NEAR(world.man().mSY, -4, 1e-9); // 0.25 x s - 3 settles at -4
    EXPECT_NEAR(world.man().mSX, 4, 1e-9);
    const double x = world.man().mX;
    world.Frame();
    EXPECT_NEAR(world.man().mX - x, 4, 1e-9);
}

TEST(ManMove, FreeCameraPassesThroughTheMonster) {
    GameWorld world;
    StartWithScene(world, {"SSSSSSSSSS"}, 5, 0);
    world.Frame();
    world.man().Die(2);
    world.Hold(kRight);
    world.Frame(10);
    EXPECT_GT(world.man().mX, 16);
}

TEST(ManMove, FLowersTheMonsterTotalByFourHundredPerPress) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Tap(kF);
    EXPECT_EQ(world.monster().mHitTotal, 800);
    world.Hold(kF);
    world.Frame(10); // held: one press only
    EXPECT_EQ(world.monster().mHitTotal, 400);
}

TEST(ManMove, GuideBeamFarFromTheMonsterKeepsTheChargeAtZero) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame();
    world.Hold(kZ);
    world.Frame(30);
    EXPECT_TRUE(world.man().mLight);
    EXPECT_EQ(world.man().mSwordCounter, 0);
    world.Release(kZ);
    world.Frame();
    EXPECT_FALSE(world.man().mLight);
    EXPECT_EQ(world.man().mRecover, 19); // a release always costs recovery
}

TEST(ManMove, HoldingZStillSteersInTheAir) {
    // Z stops walking only while he stands: in the air the arrows steer.
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame(5);
    world.Hold(kSpace);
    world.Frame();
    world.Release(kSpace);
    world.Hold(kZ);
    world.Hold(kRight);
    const double x = world.man().mX;
    world.Frame(10);
    EXPECT_LT(world.man().mLanded, 15);
    EXPECT_GT(world.man().mSX, 0.3);
    EXPECT_GT(world.man().mX - x, 1.5);
}
