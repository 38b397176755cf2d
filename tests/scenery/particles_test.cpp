// The particle ring: slots, the skipping rule, falling and drawing.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "scenery/clsParticles.h"
#include "support/game_world.h"
#include "vb/random.h"

namespace {

// A ring whose 400 slots are all alive, slot i in colour i.
void FillRing(clsParticles& particles, uint64_t seed) {
    vb::Randomize(seed);
    particles.Initialize();
    for (int i = 1; i <= 400; ++i) particles.Add(0, 0, 0, 0, 1, i);
}

} // namespace

TEST(Particles, SlotsAreUsedInTurnAndWrap) {
    vb::Randomize(1);
    clsParticles particles;
    particles.Initialize();
    EXPECT_EQ(particles.NextSlot, 0);
    particles.Add(1, 2, 3, 4, 1, 77);
    EXPECT_EQ(particles.NextSlot, 1);
    EXPECT_TRUE(particles.Slot(1).Alive);
    EXPECT_EQ(particles.Slot(1).Colour, 77);
    EXPECT_EQ(particles.Slot(1).SY, 4);
    particles.Add(0, 0, 0, 0, 1, 78);
    EXPECT_EQ(particles.NextSlot, 2);
    for (int i = 3; i <= 400; ++i) particles.Add(0, 0, 0, 0, 1, i);
    EXPECT_EQ(particles.NextSlot, 400);
    EXPECT_EQ(particles.AliveCount(), 400);
}

TEST(Particles, AFullRingSkipsLiveSlotsAQuarterOfTheTime) {
    clsParticles particles;
    FillRing(particles, 7);
    int skips = 0;
    for (int n = 0; n < 4000; ++n) {
        const int32_t before = particles.NextSlot;
        particles.Add(0, 0, 0, 0, 1, -1);
        skips += (particles.NextSlot - before + 400) % 400 - 1;
    }
    // Skips per add follow a geometric law with mean 1/3.
    EXPECT_NEAR(skips / 4000.0, 1.0 / 3, 0.05);
    EXPECT_EQ(particles.AliveCount(), 400);
}

TEST(Particles, AFreeSlotIsAlwaysTaken) {
    clsParticles particles;
    FillRing(particles, 3);
    particles.Slot(1).Alive = false;
    particles.NextSlot = 400;
    particles.Add(0, 0, 0, 0, 1, 999);
    EXPECT_EQ(particles.NextSlot, 1);
    EXPECT_EQ(particles.Slot(1).Colour, 999);
}

TEST(Particles, FallWithGravityAndDieBelowThreeHundred) {
    Gravity = 0.02;
    clsParticles particles;
    particles.Initialize();
    particles.Add(5, 0, 0.5, 0, 1, 1);
    particles.Move();
    EXPECT_NEAR(particles.Slot(1).Y, 0.02, 1e-12);
    EXPECT_NEAR(particles.Slot(1).X, 5.5, 1e-12);
    particles.Move();
    EXPECT_NEAR(particles.Slot(1).Y, 0.06, 1e-12);
    particles.Move();
    EXPECT_NEAR(particles.Slot(1).Y, 0.12, 1e-12);
    int frames = 3;
    while (particles.Slot(1).Alive) {
        const double y = particles.Slot(1).Y;
        particles.Move();
        ++frames;
        if (particles.Slot(1).Alive) {
            EXPECT_LE(particles.Slot(1).Y, 300);
        } else {
            EXPECT_LE(y, 300);
            EXPECT_GT(particles.Slot(1).Y, 300);
        }
    }
    EXPECT_EQ(frames, 173); // 0.01 n (n + 1) first exceeds 300 at n = 173
}

TEST(Particles, DrawnAsOneGamePixelBlockAtItsCorner) {
    GameWorld world;
    world.AddMonster("1 Ant.gif", {"S"});
    world.Start();
    OffsetX = 10;
    OffsetY = 300;
    FillRectGdi(world.game().picMainDC(), 0, 0, ViewWidth, ViewHeight, 0x123456);
    clsParticles particles;
    particles.Initialize();
    particles.Add(20.5, -10.25, 0, 0, 1, 0x0000FF);
    particles.Draw();
    // left RoundEven(20.5 x 3 + 10) = 72 (71.5 to even), top RoundEven(-61.5 + 300) = 238
    EXPECT_EQ(world.ViewPixel(72, 238), 0x0000FFu);
    EXPECT_EQ(world.ViewPixel(74, 243), 0x0000FFu);
    EXPECT_EQ(world.ViewPixel(71, 238), 0x123456u);
    EXPECT_EQ(world.ViewPixel(75, 238), 0x123456u);
    EXPECT_EQ(world.ViewPixel(72, 244), 0x123456u);
    EXPECT_EQ(world.ViewPixel(72, 237), 0x123456u);
}

// Every examined slot takes a fresh draw: below 0.25 a live slot is passed.
TEST(Particles, EachSkipTakesAFreshDraw) {
    clsParticles particles;
    FillRing(particles, 4);
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        particles.NextSlot = 0;
        vb::Randomize(seed);
        int32_t slot = 1;
        while (vb::Rnd() < 0.25) ++slot;
        vb::Randomize(seed);
        particles.Add(0, 0, 0, 0, 1, -7);
        EXPECT_EQ(particles.NextSlot, slot) << seed;
        EXPECT_EQ(particles.Slot(slot).Colour, -7);
        particles.Slot(slot).Colour = slot;
    }
}
