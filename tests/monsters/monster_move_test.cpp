// The monster's motion: rising, landing, the movement codes, flying,
// carrying the man, sinking and the next monster.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "support/game_world.h"
#include "vb/numeric.h"
#include "vb/random.h"

namespace {

// A world whose monster (4 x 2, the given codes) stands on the ground at x.
clsMonster& StartStanding(GameWorld& world, const std::string& fileName, double x) {
    world.AddMonster(fileName, {"SSSS", "SSSS"});
    world.Start();
    world.PlaceMonster(x, -1, 2);
    return world.monster();
}

// A still flying monster (code 43) with the given picture at (5, -10).
clsMonster& StartStill(GameWorld& world, const std::vector<std::string>& rows) {
    world.AddMonster("5 Scene 43.gif", rows);
    world.Start();
    world.PlaceMonster(5, -10, 2);
    return world.monster();
}

// Two monsters in the history; the first stands in play.
void StartAntThenBee(GameWorld& world) {
    world.AddMonster("1 Ant.gif", {"SSSS", "SSSS"});
    world.AddMonster("2 Bee.gif", {"SSS"});
    world.Start();
    world.PlaceMonster(50, -1, 2);
}

} // namespace

TEST(MonsterMove, RisesOutOfTheGroundThenLandsAndStands) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS"});
    world.Start();
    clsMonster& monster = world.monster();
    world.man().mX = -500; // out of the way
    int frames = 0;
    while (monster.mState == 1 && frames < 1000) {
        monster.Move();
        ++frames;
        EXPECT_LE(monster.mSY, 0);
    }
    ASSERT_EQ(monster.mState, 2);
    EXPECT_LT(vb::Int(monster.mY) + monster.mSY + 2, 0);
    for (int i = 0; i < 300; ++i) monster.Move();
    EXPECT_EQ(vb::Int(monster.mY), -1); // lowest row on the ground line
    EXPECT_EQ(monster.mSY, 0);
    EXPECT_EQ(monster.mSX, 0);
}

TEST(MonsterMove, CodeNineteenJumpsAfterSeventyOneFramesOnTheGround) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Hop 19.gif", 200);
    monster.mDirX = 1;
    for (int i = 0; i < 70; ++i) monster.Move();
    EXPECT_EQ(monster.mMoveCounter, 70);
    EXPECT_EQ(monster.mY, -1);
    EXPECT_EQ(monster.mSY, 0);
    monster.Move();
    EXPECT_EQ(monster.mMoveCounter, 71);
    EXPECT_NEAR(monster.mSY, -1.0 + Gravity, 1e-12);
    EXPECT_EQ(monster.mSX, 1.0);
    EXPECT_EQ(monster.mDirX, -1);
    EXPECT_EQ(monster.mX, 201);
    monster.Move();
    EXPECT_EQ(monster.mMoveCounter, 0); // in the air the count restarts
}

TEST(MonsterMove, WalkersTurnAtTheEdges) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Walk 5.gif", 995.8);
    monster.mDirX = 1;
    monster.MonsterMotion(); // 995.8 + 0.1 is not past 996
    EXPECT_EQ(monster.mDirX, 1);
    monster.mX = 995.95;
    monster.mSX = 0;
    monster.MonsterMotion();
    EXPECT_EQ(monster.mDirX, -1);
    EXPECT_NEAR(monster.mSX, 0.1, 1e-12); // only the direction turns
    monster.mX = -999.95;
    monster.mSX = 0;
    monster.MonsterMotion(); // -999.95 - 0.1 passes -1000
    EXPECT_EQ(monster.mDirX, 1);
}

TEST(MonsterMove, WalkingSpeedOfCodeFive) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Walk 5.gif", 0);
    monster.mDirX = -1;
    for (int i = 0; i < 200; ++i) monster.Move();
    // 0.1 a frame against the damping 0.99, reset by each landing: the
    // walker creeps a tenth of a pixel per frame.
    EXPECT_NEAR(monster.mX, -20, 1e-9);
}

TEST(MonsterMove, FlyersHaveNoGravityAndCodeFortyThreeOnlyDrifts) {
    GameWorld world;
    world.AddMonster("5 Bat 43.gif", {"SSSS"});
    world.Start();
    EXPECT_TRUE(world.monster().Flying());
    world.PlaceMonster(0, -50, 2);
    clsMonster& monster = world.monster();
    monster.mSX = 0.5;
    for (int i = 0; i < 100; ++i) monster.Move();
    EXPECT_EQ(monster.mY, -50);
    EXPECT_EQ(monster.mSY, 0);
    EXPECT_NEAR(monster.mSX, 0.5 * std::pow(0.99, 100), 1e-12);
}

TEST(MonsterMove, AFlyerRisesUntilEightyFivePercentIsStillBelow) {
    GameWorld world;
    world.AddMonster("5 Bat 41-40.gif", SolidPicture(2, 100, gdi::RGB(200, 200, 200)));
    world.Start();
    clsMonster& monster = world.monster();
    while (monster.mState == 1) monster.Move();
    EXPECT_LT(vb::Int(monster.mY) + monster.mSY + 15, 0);
    EXPECT_GT(monster.mY, -20);
}

TEST(MonsterMove, CodeFortyOneLoops) {
    GameWorld world;
    world.AddMonster("5 Bat 41-40.gif", {"SSSS"});
    world.Start();
    world.PlaceMonster(0, -50, 2);
    clsMonster& monster = world.monster();
    monster.Move();
    EXPECT_NEAR(monster.mSX, std::cos(1 / 125.0) / 300, 1e-12);
    EXPECT_NEAR(monster.mSY, std::sin(1 / 125.0) / 200, 1e-12);
    for (int i = 1; i < 786; ++i) monster.Move();
    EXPECT_LT(monster.mMoveCounter, 2); // wrapped after a full turn
}

TEST(MonsterMove, HeavingWithAManAttachedEndsTheLiftRarely) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Heave 30.gif", 300);
    world.man().mAttachMonster = 1;
    world.man().mX = -5000;
    int ends = 0;
    for (int trial = 0; trial < 400; ++trial) {
        monster.mMoveCounter = 392;
        monster.mMoveCounter2 = 0;
        monster.MonsterMotion();
        ends += monster.mMoveCounter2 == 1;
        EXPECT_NEAR(monster.mMoveCounter, 393 - 392.6990816987238, 1e-9);
    }
    EXPECT_NEAR(ends, 80, 30);
    world.man().mAttachMonster = 0;
    monster.mMoveCounter = 392;
    monster.mMoveCounter2 = 0;
    monster.MonsterMotion();
    EXPECT_EQ(monster.mMoveCounter2, 1);
}

TEST(MonsterMove, AnIndexBeyondTheThirdStageHasNoMotion) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Walk 5-5-5.gif", 0);
    monster.mMonsterMoveIndex = 4;
    EXPECT_EQ(monster.CodeInForce(), 0);
    monster.MonsterMotion();
    EXPECT_EQ(monster.mSX, 0);
    EXPECT_EQ(monster.mMoveCounter, 0);
    monster.mMonsterMoveIndex = 0;
    EXPECT_EQ(monster.CodeInForce(), 0);
}

TEST(MonsterMove, AnAngryMonsterShakesOnePixelAtATime) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Block.gif", 0);
    monster.mAngryCounter = 40;
    for (int i = 0; i < 40; ++i) {
        const double before = monster.mX;
        monster.Move();
        EXPECT_LE(std::fabs(monster.mX - before), 1.0);
    }
    EXPECT_EQ(monster.mAngryCounter, 0);
}

TEST(MonsterMove, AnUnknownStateIsReportedAndTheFrameGoesOn) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Block.gif", 0);
    monster.mState = 7;
    monster.Move();
    ASSERT_EQ(world.host.Messages.size(), 1u);
    EXPECT_EQ(world.host.Messages[0], "Error:clsMonster:mState not taken into account!");
}

TEST(MonsterMove, AnAttachedManIsCarriedOneWholePixelAtATime) {
    GameWorld world;
    clsMonster& monster = StartStill(world, {"G", "G", "G"});
    clsMan& man = world.man();
    man.mX = 4.5;
    man.mY = -9;
    man.mAttachMonster = 1;
    monster.mSX = 0.6;
    monster.Move(); // 5.594: still column 5
    EXPECT_EQ(man.mX, 4.5);
    monster.Move(); // past 6
    EXPECT_EQ(man.mX, 5.5);
    // Not attached and in free space: left behind.
    man.mAttachMonster = 0;
    monster.mSX = 1;
    monster.Move();
    EXPECT_EQ(man.mX, 5.5);
}

TEST(MonsterMove, AManInsideTheMonsterIsPushedOut) {
    GameWorld world;
    clsMonster& monster = StartStill(world, {"SS", "SS"});
    clsMan& man = world.man();
    man.mX = 6.5;
    man.mY = -11; // above it
    monster.mSY = -1;
    monster.Move(); // rises into the man's pixel and lifts him
    EXPECT_EQ(man.mY, -12);
}

namespace {

void DefeatAndSink(GameWorld& world) {
    clsMonster& monster = world.monster();
    monster.mHitTotal = 0;
    monster.mState = 3;
    int frames = 0;
    world.particles().Initialize();
    while (monster.mState == 3 && frames < 1000) {
        const double y = monster.mY;
        monster.Move();
        if (monster.mState == 3) {
            EXPECT_EQ(monster.mY, y + 1);
            EXPECT_GT(world.particles().AliveCount(), 0); // dust
        }
        ++frames;
    }
    EXPECT_EQ(frames, 101); // Int(mY) + mSY passes 100 when mY reaches 100
}

} // namespace

TEST(MonsterMove, ASunkMonsterIsCountedAndTheNextOneComes) {
    GameWorld world;
    StartAntThenBee(world);
    DefeatAndSink(world);
    EXPECT_EQ(world.monster().mFileName, "2 Bee.gif");
    EXPECT_EQ(world.monster().mState, 1);
    EXPECT_EQ(world.monster().mHitTotal, 1200);
    EXPECT_EQ(MonsterHistory[0].Defeats, 1);
    EXPECT_EQ(MonstersLeft, 1);
}

TEST(MonsterMove, WithTheManDeadTheDefeatIsNotCounted) {
    GameWorld world;
    StartAntThenBee(world);
    world.man().mState = 2;
    DefeatAndSink(world);
    EXPECT_EQ(world.monster().mFileName, "1 Ant.gif");
    EXPECT_EQ(MonsterHistory[0].Defeats, 0);
    EXPECT_EQ(MonstersLeft, 2);
}

// Each dust particle takes four draws (place, height, X and Y speed) before
// the ring's own; the shake comes after both particles.
TEST(MonsterMove, SinkingDustDrawsInOrderThenTheShake) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Block.gif", 30);
    monster.mState = 3;
    monster.mSX = 0;
    monster.mAngryCounter = 0;
    world.particles().Initialize();
    vb::Randomize(11);
    double expected[2][4];
    for (auto& particle : expected) {
        const double r1 = vb::Rnd(), r2 = vb::Rnd(), r3 = vb::Rnd(), r4 = vb::Rnd();
        particle[0] = 30 + 4 / 6.0 + (4 - 4 / 3.0) * r1;
        particle[1] = 2 * r2 - 1;
        particle[2] = 2 * r3 - 1;
        particle[3] = -2 * r4;
        vb::Rnd(); // the ring's skipping draw
    }
    const double kick = vb::Int(2 * vb::Rnd()) * 2 - 1;
    vb::Randomize(11);
    monster.Move();
    for (int i = 0; i < 2; ++i) {
        const Particle& p = world.particles().Slot(i + 1);
        EXPECT_DOUBLE_EQ(p.X, expected[i][0]) << i;
        EXPECT_DOUBLE_EQ(p.Y, expected[i][1]);
        EXPECT_DOUBLE_EQ(p.SX, expected[i][2]);
        EXPECT_DOUBLE_EQ(p.SY, expected[i][3]);
        EXPECT_EQ(p.Colour, 0);
    }
    EXPECT_DOUBLE_EQ(monster.mSX, kick);
    EXPECT_EQ(monster.mX, 30 + kick);
}

TEST(MonsterMove, OnItsLandingFrameAWalkerLosesBothSpeeds) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Block.gif", 0);
    world.man().mX = -500;
    monster.mY = -3.5;
    monster.mSY = 1;
    int frame = 0;
    for (; frame < 10 && monster.mSY != 0; ++frame) {
        monster.mSX = 0.3; // still moving sideways until it lands
        monster.Move();
    }
    ASSERT_LT(frame, 10);
    EXPECT_EQ(monster.mSX, 0);
    EXPECT_EQ(monster.mSY, 0);
    EXPECT_EQ(vb::Int(monster.mY), -1); // its lowest row on the ground
    EXPECT_EQ(monster.mY, -0.5);        // the fraction is kept
}

TEST(MonsterMove, OneFrameOfEachPattern) {
    // MonsterMotion alone, from a given counter and position, direction +1.
    struct Case {
        const char* file;
        double y, sy;
        int32_t counter, counter2;
        double sx, syAfter;
        int32_t counterAfter, counter2After;
    };
    const double jumpY = -((25 - 20) / 15.0 + 0.4), jumpX = (25 - 20) / 30.0 + 0.4;
    const Case cases[] = {
        // 20-29 on the ground before the count passes 450 - 10c: walks.
        {"3 Hop 25.gif", -1, 0, 0, 0, (25 - 19) / 100.0 * 2, 0, 1, 0},
        // ... and when it passes: jumps (the random turn only flips mDirX).
        {"3 Hop 25.gif", -1, 0, 200, 0, jumpX, jumpY, 201, 0},
        // In the air the count starts again and nothing else happens.
        {"3 Hop 25.gif", -10, -0.5, 120, 0, 0, -0.5, 0, 0},
        // 42: lifting below 350 frames, with its own gravity above -5.
        {"3 Dive 42.gif", -20, 0.1, 0, 0, std::cos(1 / 125.0) / 400, 0.1 * 0.99 - 0.033 + 0.02, 1,
         1},
        // 42 between 350 and 700: no lift; near the ground no gravity.
        {"3 Dive 42.gif", -3, 0.1, 0, 400, std::cos(1 / 125.0) / 400, 0.1 * 0.99, 1, 401},
        // 42 past 700: the cycle starts again.
        {"3 Dive 42.gif", -3, 0, 0, 700, std::cos(1 / 125.0) / 400, 0, 1, 0},
        // 30, lifting: sways and floats up.
        {"3 Heave 30.gif", -1, 0, 0, 0, std::cos(1 / 125.0) / 100, -0.024, 1, 0},
        // 31, falling, low enough: the lift starts again.
        {"3 Heave 31.gif", -4, 0, 0, 1, std::cos(1 / 125.0) / 75, 0, 1, 0},
        // 30 at the half period, the man not attached: the lift always ends.
        {"3 Heave 30.gif", -30, 0, 392, 0, std::cos(393 / 125.0) / 100, -0.024, 0, 1},
    };
    for (const Case& c : cases) {
        GameWorld world;
        clsMonster& monster = StartStanding(world, c.file, 100);
        world.man().mX = -5000;
        world.man().mAttachMonster = 0;
        monster.mY = c.y;
        monster.mSX = 0;
        monster.mSY = c.sy;
        monster.mDirX = 1;
        monster.mMoveCounter = c.counter;
        monster.mMoveCounter2 = c.counter2;
        monster.MonsterMotion();
        EXPECT_NEAR(monster.mSX, c.sx, 1e-12) << c.file << " from " << c.counter;
        EXPECT_NEAR(monster.mSY, c.syAfter, 1e-12) << c.file << " from " << c.counter;
        EXPECT_NEAR(monster.mMoveCounter, c.counterAfter, 1) << c.file << " from " << c.counter;
        EXPECT_EQ(monster.mMoveCounter2, c.counter2After) << c.file << " from " << c.counter;
    }
}

TEST(MonsterMove, WalkersTurnAtRandomAfterTwoHundredFiftyFrames) {
    GameWorld world;
    clsMonster& monster = StartStanding(world, "3 Walk 5.gif", 0);
    int turns = 0;
    for (int trial = 0; trial < 1000; ++trial) {
        monster.mX = 0;
        monster.mDirX = 1;
        monster.mMoveCounter = 250;
        monster.MonsterMotion();
        EXPECT_EQ(monster.mMoveCounter, 0);
        turns += monster.mDirX == -1;
        // Before the 251st frame there is never a turn.
        monster.mDirX = 1;
        monster.mMoveCounter = 249;
        monster.MonsterMotion();
        EXPECT_EQ(monster.mDirX, 1);
        EXPECT_EQ(monster.mMoveCounter, 250);
    }
    EXPECT_NEAR(turns, 200, 50); // one in five
}
