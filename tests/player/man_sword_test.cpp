// Strikes: fur cutting, damage, splashes, shoves, destroyed hit points and
// the end of a monster.
#include <gtest/gtest.h>

#include <map>

#include "app/modMain.h"
#include "man_world.h"
#include "scenery/clsParticles.h"
#include "vb/random.h"

using namespace keys;

namespace {

constexpr int32_t kGrey = 128 + 128 * 256 + 128 * 65536;

// The man stands on a white hit point of a still monster, ready to strike
// down with the given charge; no particles and no monster speed yet.
void StandOnHitPoint(GameWorld& world, double charge) {
    StartWithScene(world,
                   {
                       "SSSSSWWWSSSSS",
                       "SSSSSWWWSSSSS",
                       "SSSSSSSSSSSSS",
                   },
                   -6, -5);
    world.PlaceMan(0.5, -6);
    world.man().mSwordCounter = charge;
    world.man().mSwordX = 0;
    world.man().mSwordY = 1;
    world.particles().Initialize();
    world.monster().mSY = 0;
}

// The man just left of a scene whose top row is his, striking right with a
// full charge.
void StrikeRightInto(GameWorld& world, const std::vector<std::string>& rows) {
    StartWithScene(world, rows, 1, -1);
    world.PlaceMan(0.5, -1);
    world.particles().Initialize();
    world.man().mSwordCounter = 100;
    world.man().mSwordX = 1;
    world.man().mSwordY = 0;
    world.man().SwordHit();
}

} // namespace

TEST(Sword, FullChargeIntoAFreshHitPoint) {
    GameWorld world;
    StandOnHitPoint(world, 100);
    clsMonster& monster = world.monster();
    world.man().SwordHit();
    EXPECT_EQ(monster.mHitPoint, 300);
    EXPECT_EQ(monster.mHitTotal, 1100);
    EXPECT_EQ(CountParticles(world, kGrey), 9);
    EXPECT_EQ(world.particles().AliveCount(), 9);
    EXPECT_NEAR(monster.mSY, -0.75, 1e-12);
    EXPECT_EQ(monster.mAngryCounter, 40);
    EXPECT_EQ(monster.mMonsterMoveIndex, 1);
    EXPECT_EQ(world.man().mSwordLength, 3);
    EXPECT_EQ(monster.GetColour2(0, -5), ColourWhite); // still a hit point
}

TEST(Sword, SixtyIntoThirtyEndsTheStage) {
    GameWorld world;
    StandOnHitPoint(world, 60);
    clsMonster& monster = world.monster();
    monster.mHitPoint = 30;
    world.man().SwordHit();
    EXPECT_EQ(world.man().mSwordCounter, 30);
    EXPECT_EQ(monster.mHitPoint, 400);
    EXPECT_EQ(monster.mHitTotal, 1170);
    EXPECT_EQ(monster.mMonsterMoveIndex, 2);
    EXPECT_EQ(CountParticles(world, 0), 25);
    // L = 0: five shoves of 0.1, then 0.7.
    EXPECT_NEAR(monster.mSY, -0.5 - 0.7, 1e-12);
    EXPECT_EQ(monster.mAngryCounter, 40);
    // The white patch turned green: climbable, but no hit point any more.
    for (double x = -1; x <= 1; ++x) {
        EXPECT_EQ(monster.GetColour2(x, -5), ColourGreen);
        EXPECT_EQ(monster.GetColour2(x, -4), ColourGreen);
    }
    EXPECT_EQ(monster.GetColour2(-6, -5), gdi::RGB(200, 200, 200));
}

TEST(Sword, FurInFrontIsCutToEmptyGreyWithParticles) {
    GameWorld world;
    StrikeRightInto(world, {"YYW", "SSS"});
    clsMonster& monster = world.monster();
    EXPECT_EQ(monster.GetColour2(1, -1), -2); // cut: too dark to count
    EXPECT_EQ(monster.GetColour2(2, -1), -2);
    EXPECT_EQ(CountParticles(world, gdi::RGB(220, 220, 70)), 2);
    // The white pixel behind the fur is struck.
    EXPECT_EQ(monster.mHitPoint, 300);
}

TEST(Sword, SolidNonFurStopsTheCutButNotTheSearch) {
    GameWorld world;
    StrikeRightInto(world, {"SYW"});
    EXPECT_EQ(world.monster().GetColour2(2, -1), gdi::RGB(220, 220, 70)); // not cut
    EXPECT_EQ(world.monster().mHitPoint, 300);
}

TEST(Sword, NoWhiteWithinReachChangesNothing) {
    GameWorld world;
    StrikeRightInto(world, {"SSSW"});
    EXPECT_EQ(world.monster().mHitPoint, 400);
    EXPECT_EQ(world.monster().mHitTotal, 1200);
    EXPECT_EQ(world.monster().mAngryCounter, 0);
    EXPECT_EQ(world.man().mSwordLength, 3);
}

TEST(Sword, TotalStopsAtZeroAndDefeats) {
    GameWorld world;
    StandOnHitPoint(world, 100);
    world.monster().mHitTotal = 50;
    world.man().SwordHit();
    EXPECT_EQ(world.monster().mHitTotal, 0);
    EXPECT_EQ(world.monster().mState, 3);
    EXPECT_EQ(world.monster().mHitPoint, 300); // hit points may remain in the picture
}

TEST(Sword, AStrikeThroughTheKeysDrawsThreeBlocksForTenFrames) {
    GameWorld world;
    StandOnHitPoint(world, 0);
    world.Frame();
    world.Hold(kZ);
    world.Frame(100);
    world.Release(kZ);
    world.Frame();
    EXPECT_EQ(world.monster().mHitPoint, 300);
    EXPECT_EQ(world.man().mSwordLength, 3);
    EXPECT_EQ(world.man().SwordFrameForTest(), 1);
    world.Frame(8);
    EXPECT_EQ(world.man().mSwordLength, 3);
    world.Frame();
    EXPECT_EQ(world.man().mSwordLength, 0);
    EXPECT_EQ(world.man().mSwordY, 0);
}

// Cut fur and splash particles take the X speed's draw first, then the Y
// speed's, then the ring's own.
TEST(Sword, ParticleSpeedsDrawXFirst) {
    GameWorld world;
    StartWithScene(world, {"YW"}, 1, -1);
    world.PlaceMan(0.5, -1);
    world.particles().Initialize();
    world.man().mSwordCounter = 100;
    world.man().mSwordX = 1;
    world.man().mSwordY = 0;
    world.monster().mSY = 0;
    vb::Randomize(9);
    const double furX = vb::Rnd() * 0.5 - 0.25 + 0.25;
    const double furY = vb::Rnd() * 0.5 - 0.75;
    vb::Rnd();
    const double splashX = 2 * vb::Rnd() - 1;
    const double splashY = 2 * vb::Rnd() - 1;
    vb::Randomize(9);
    world.man().SwordHit();
    const Particle& fur = world.particles().Slot(1);
    EXPECT_EQ(fur.Colour, gdi::RGB(220, 220, 70));
    EXPECT_EQ(fur.X, 1);
    EXPECT_EQ(fur.Y, -1);
    EXPECT_DOUBLE_EQ(fur.SX, furX);
    EXPECT_DOUBLE_EQ(fur.SY, furY);
    const Particle& splash = world.particles().Slot(2);
    EXPECT_EQ(splash.Colour, kGrey);
    EXPECT_EQ(splash.X, 2);
    EXPECT_DOUBLE_EQ(splash.SX, splashX);
    EXPECT_DOUBLE_EQ(splash.SY, splashY);
    EXPECT_EQ(world.monster().mHitPoint, 300);
}

TEST(Sword, DarkPixelsReadAsEmptyAndDoNotStopTheCut) {
    // Striking right from x = 0 into cells 1, 2, 3 of the scene's top row;
    // `after` is what the monster reports there afterwards ('.' empty).
    struct Case {
        const char* row;
        const char* after;
        int furParticles;
        int32_t hitPoint;
    };
    const Case cases[] = {
        {"DYW", "..W", 1, 300}, // dark reads as empty: the fur behind it is cut
        {"DDW", "..W", 0, 300}, // nothing to cut, the hit point is found
        {"DSY", ".SY", 0, 400}, // solid stops the cut; no hit point in reach
        {"SYW", "SYW", 0, 300}, // solid first: nothing cut, still a hit
    };
    const std::map<char, int32_t> reported = {
        {'.', -2}, {'S', world_colours::kSolid}, {'Y', world_colours::kFur}, {'W', ColourWhite}};
    for (const Case& c : cases) {
        GameWorld world;
        StrikeRightInto(world, {c.row, "SSS"});
        for (int cell = 1; cell <= 3; ++cell) {
            EXPECT_EQ(world.monster().GetColour2(cell, -1), reported.at(c.after[cell - 1]))
                << c.row << " cell " << cell;
        }
        EXPECT_EQ(CountParticles(world, world_colours::kFur), c.furParticles) << c.row;
        EXPECT_EQ(world.monster().mHitPoint, c.hitPoint) << c.row;
    }
}
