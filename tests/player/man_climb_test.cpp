// Holding on and climbing: the grip colours and their strict bounds.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "man_world.h"
#include "player/colour_classes.h"

using namespace keys;

TEST(Climb, OpenGroundGivesNoGrip) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame();
    EXPECT_FALSE(world.man().Attached(0.5, 0));
}

TEST(Climb, ASingleDiagonalWhitePixelIsEnough) {
    GameWorld world;
    StartWithScene(world, {"W"}, 11, -11);
    EXPECT_TRUE(world.man().Attached(10.5, -10));  // white at upper right
    EXPECT_TRUE(world.man().Attached(12.9, -9.1)); // upper left
    EXPECT_FALSE(world.man().Attached(11.5, -11)); // the pixel itself is not examined
    EXPECT_FALSE(world.man().Attached(9.5, -10));  // two columns away
}

TEST(Climb, DarkGreenDoesNotCountButGreenAndFurDo) {
    GameWorld world;
    StartWithScene(world, {"K.G.Y.S"}, 0, -11);
    EXPECT_FALSE(world.man().Attached(0.5, -10)); // dark green (value below 0.65)
    EXPECT_TRUE(world.man().Attached(2.5, -10));  // ColourGreen
    EXPECT_TRUE(world.man().Attached(4.5, -10));  // fur yellow
    EXPECT_FALSE(world.man().Attached(6.5, -10)); // plain solid grey
}

TEST(Climb, GripBoundsAreStrict) {
    ValueThreshold = 0.65;
    EXPECT_TRUE(IsGripHsv(0.219, 0.7, 0.75));
    EXPECT_FALSE(IsGripHsv(0.204, 0.7, 0.75));
    EXPECT_TRUE(IsGripHsv(0.2041, 0.7, 0.75));
    EXPECT_FALSE(IsGripHsv(0.234, 0.7, 0.75));
    EXPECT_FALSE(IsGripHsv(0.219, 0.8, 0.75));
    EXPECT_FALSE(IsGripHsv(0.219, 0.6, 0.75));
    EXPECT_TRUE(IsGripHsv(0.219, 0.7999, 0.75));
    EXPECT_FALSE(IsGripHsv(0.219, 0.7, 0.6499));
    EXPECT_TRUE(IsGripHsv(0.219, 0.7, 0.65));
    // The yellow band.
    EXPECT_TRUE(IsGripHsv(0.167, 0.68, 0.9));
    EXPECT_FALSE(IsGripHsv(0.152, 0.68, 0.9));
    EXPECT_FALSE(IsGripHsv(0.182, 0.68, 0.9));
    EXPECT_FALSE(IsGripHsv(0.167, 0.58, 0.9));
    EXPECT_FALSE(IsGripHsv(0.167, 0.78, 0.9));
    // Between the bands.
    EXPECT_FALSE(IsGripHsv(0.19, 0.7, 0.9));
    EXPECT_TRUE(IsGripColour(0xFFFFFF));
    EXPECT_TRUE(IsGripColour(148 + 190 * 256 + 57 * 65536));
}

TEST(Climb, DeadlyAndFurClasses) {
    EXPECT_TRUE(IsDeadlyColour(255));
    EXPECT_FALSE(IsDeadlyColour(128));                         // too dark
    EXPECT_FALSE(IsDeadlyColour(170 + 20 * 256 + 20 * 65536)); // saturation 0.88
    EXPECT_FALSE(IsDeadlyHsv(0.015, 1, 1));
    EXPECT_TRUE(IsDeadlyHsv(0.0149, 1, 1));
    EXPECT_TRUE(IsFurHsv(0.167, 1.0, 0.9));
    EXPECT_FALSE(IsFurHsv(0.167, 0.5, 0.9));
    EXPECT_FALSE(IsFurHsv(0.151, 0.7, 0.9));
    EXPECT_FALSE(IsFurHsv(0.181, 0.7, 0.9));
}

TEST(Climb, HoldingOnStopsGravityAndUpClimbs) {
    GameWorld world;
    StartWithScene(world, {"G", "G", "G", "G", "G", "G", "G", "G"}, 5, -10);
    world.PlaceMan(4.5, -5);
    world.man().mLanded = 0;
    world.Hold(kX);
    world.Frame();
    EXPECT_EQ(world.man().mAttachMonster, 1);
    EXPECT_EQ(world.man().mLanded, 14); // 15 from the grab, less a frame without support
    const double y = world.man().mY;
    world.Frame(10);
    EXPECT_EQ(world.man().mY, y); // no gravity while holding on
    world.Hold(kUp);
    world.Frame();
    EXPECT_NEAR(world.man().mY, y - 3 * Gravity, 1e-12);
    world.Frame(100);
    EXPECT_GE(world.man().mY, -11); // the grip ends one row above the fur
    EXPECT_LT(world.man().mY, y - 3);
    EXPECT_LT(world.man().mStrength, 100); // no support: the grip tires
}

namespace {

// The man holds on beside a column of three green pixels, X still held.
void HangOnGreenColumn(GameWorld& world) {
    StartWithScene(world, {"G", "G", "G"}, 5, -10);
    world.PlaceMan(4.5, -9);
    world.Hold(kX);
    world.Frame(3);
}

} // namespace

TEST(Climb, LettingGoDropsTheGraceFrames) {
    GameWorld world;
    HangOnGreenColumn(world);
    ASSERT_EQ(world.man().mAttachMonster, 1);
    world.Release(kX);
    world.Frame();
    EXPECT_EQ(world.man().mAttachMonster, 0);
    EXPECT_EQ(world.man().mLanded, 0);
}

TEST(Climb, JumpingOffToTheLeft) {
    GameWorld world;
    HangOnGreenColumn(world);
    world.Hold(kLeft); // X stays held: only a man holding on jumps off
    world.Hold(kSpace);
    world.Frame();
    EXPECT_EQ(world.man().mAttachMonster, 0);
    EXPECT_LT(world.man().mSX, 0);
    EXPECT_LT(world.man().mY, -9);
}
