// Death: both bursts, the death screen, the monster sent back to rising.
#include <gtest/gtest.h>

#include <cmath>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "man_world.h"
#include "scenery/clsParticles.h"
#include "vb/random.h"

namespace {

void CheckMonsterReset(GameWorld& world) {
    EXPECT_EQ(world.monster().mState, 1);
    EXPECT_EQ(world.monster().mSY, 0);
    EXPECT_EQ(world.monster().mMonsterMoveIndex, 1);
}

// A man who has landed once, with an empty particle ring.
void StartReadyToDie(GameWorld& world) {
    StartWithMonsterAway(world);
    world.Frame();
    world.particles().Initialize();
}

// The speeds of the first particles in the ring.
void ExpectFirstSpeeds(GameWorld& world, const double (&speeds)[3][2]) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(world.particles().Slot(i + 1).SX, speeds[i][0]) << i;
        EXPECT_DOUBLE_EQ(world.particles().Slot(i + 1).SY, speeds[i][1]) << i;
    }
}

} // namespace

TEST(Death, CrushedBurstsIntoTwoHundredFlatRedParticles) {
    GameWorld world;
    StartReadyToDie(world);
    world.monster().mMonsterMoveIndex = 3;
    world.monster().mSY = 0.5;
    world.man().Die(1);
    EXPECT_EQ(world.man().mState, 2);
    EXPECT_EQ(world.particles().AliveCount(), 200);
    for (int i = 1; i <= 200; ++i) {
        const Particle& p = world.particles().Slot(i);
        EXPECT_EQ(p.Colour, 255);
        EXPECT_LE(std::fabs(p.SY), 0.25);
        EXPECT_LE(std::fabs(p.SX), 10);
    }
    CheckMonsterReset(world);
    // The death screen stays for 10000 seconds.
    EXPECT_EQ(world.game().TextUntil, world.host.Now() + 10000 * 1000LL);
}

TEST(Death, BurntThrowsAHundredDarkRedParticlesUpward) {
    GameWorld world;
    StartReadyToDie(world);
    world.man().Die(2);
    EXPECT_EQ(world.particles().AliveCount(), 100);
    for (int i = 1; i <= 100; ++i) {
        const Particle& p = world.particles().Slot(i);
        EXPECT_EQ(p.Colour, 128);
        EXPECT_LT(p.SY, 0);
    }
    CheckMonsterReset(world);
}

TEST(Death, ADoubleDeathOverwritesOlderParticles) {
    GameWorld world;
    StartReadyToDie(world);
    world.man().Die(1);
    world.man().Die(1);
    EXPECT_EQ(world.particles().AliveCount(), 400);
    world.man().Die(2);
    EXPECT_EQ(world.particles().AliveCount(), 400);
}

TEST(Death, NothingIsDrawnAfterDeathAndTheCameraFollows) {
    GameWorld world;
    StartWithMonsterAway(world);
    world.Frame(100);
    world.man().Die(2);
    world.particles().Initialize();
    world.Hold(keys::kRight);
    world.Frame(100);
    EXPECT_GT(world.man().mX, 300);
    world.ReleaseAll();
    world.Frame(150);
    // The camera settles on the man again.
    EXPECT_NEAR(CameraX, world.man().mX * PixelWidth, 8);
    for (int y = 0; y < ViewHeight; y += 1) {
        for (int x = 0; x < ViewWidth; x += 1) {
            ASSERT_NE(world.ViewPixel(x, y), gdi::RGB(255, 0, 0)) << x << "," << y;
        }
    }
}

// Each burst particle takes its draws in the written order, then the ring
// takes one to pick its slot.
TEST(Death, BurstDrawsInTheWrittenOrder) {
    GameWorld world;
    StartReadyToDie(world);
    vb::Randomize(5);
    double crushed[3][2];
    for (auto& speed : crushed) {
        const double angle = vb::Rnd() * 6.28318530717958;
        speed[0] = std::cos(angle) * (2 * vb::Rnd() - 1);
        speed[1] = std::sin(angle) / 4;
        if (vb::Rnd() < 0.5) speed[0] *= 10;
        vb::Rnd();
    }
    vb::Randomize(5);
    world.man().Die(1);
    ExpectFirstSpeeds(world, crushed);

    world.particles().Initialize();
    vb::Randomize(6);
    double burnt[3][2];
    for (auto& speed : burnt) {
        speed[0] = vb::Rnd() * 0.5 - 0.25;
        speed[1] = -0.25 - 2 * vb::Rnd();
        if (vb::Rnd() < 0.5) {
            speed[0] /= 2;
            speed[1] *= 4;
        }
        vb::Rnd();
    }
    vb::Randomize(6);
    world.man().Die(2);
    ExpectFirstSpeeds(world, burnt);
}
