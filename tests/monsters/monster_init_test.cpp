// Building a monster: picture size, start place and height, direction, the
// history's next file, and the errors of a bad name.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "vb/runtime_error.h"

TEST(MonsterInit, FromTheFirstUndefeatedFile) {
    GameWorld world;
    world.AddMonster("1 Ant 5.gif", {"SS"});
    world.AddMonster("2 Bee_Queen 12-41.gif", {"SSS", "SSS"});
    world.WriteHistory("1 Ant 5.gif,3\r\n");
    world.Start();
    clsMonster& monster = world.monster();
    EXPECT_EQ(monster.mFileName, "2 Bee_Queen 12-41.gif");
    EXPECT_EQ(monster.mMonsterID, "2");
    EXPECT_EQ(monster.mMonsterName, "Bee Queen");
    EXPECT_EQ(monster.MoveCode(1), 12);
    EXPECT_EQ(monster.MoveCode(2), 41);
    EXPECT_EQ(monster.MoveCode(3), 0);
    EXPECT_FALSE(monster.Flying());
    EXPECT_EQ(monster.mWidth, 3);
    EXPECT_EQ(monster.mHeight, 2);
    EXPECT_EQ(monster.Sprites()->Width(), 9);
    EXPECT_EQ(monster.Sprites()->Height(), 12);
    EXPECT_EQ(monster.mHitPoint, 400);
    EXPECT_EQ(monster.mHitTotal, 1200);
    EXPECT_EQ(monster.mState, 1);
    EXPECT_EQ(monster.mMonsterMoveIndex, 1);
    EXPECT_TRUE(monster.mDirX == 1 || monster.mDirX == -1);
    // ID 2: always at the right edge of the view.
    EXPECT_DOUBLE_EQ(monster.mX, 1024 / 6.0);
    EXPECT_EQ(monster.mY, 1);
    EXPECT_EQ(MonsterNameUntil, world.host.Now() + 5000);
}

TEST(MonsterInit, StartHeightSixHundredRisesSixHundredOneDropsIn) {
    {
        GameWorld world;
        world.AddMonster("1 Tall.gif", SolidPicture(1, 600, gdi::RGB(200, 200, 200)));
        world.Start();
        EXPECT_EQ(world.monster().mY, 1);
    }
    {
        GameWorld world;
        world.AddMonster("1 Tall.gif", SolidPicture(1, 601, gdi::RGB(200, 200, 200)));
        world.Start();
        EXPECT_DOUBLE_EQ(world.monster().mY, -601 - 768 / 6.0 - 50);
        // It becomes active in its first frame and then falls.
        world.Frame();
        EXPECT_EQ(world.monster().mState, 2);
    }
}

TEST(MonsterInit, StartPlaceByIdAndChance) {
    GameWorld world;
    world.AddMonster("7 Ox.gif", {"SSSS"});
    world.Start();
    clsMonster& monster = world.monster();
    const double a = 1024 / 6.0;
    int right = 0, left = 0, between = 0, heads = 0;
    world.man().mX = 50;
    for (int i = 0; i < 1000; ++i) {
        monster.Initialize();
        if (monster.mX == 50 + a) {
            ++right;
        } else if (monster.mX == 50 - 4 - a) {
            ++left;
        } else {
            ++between;
            EXPECT_GT(monster.mX, 50 - 4 - a);
            EXPECT_LT(monster.mX, 50 + a);
        }
        heads += monster.mDirX > 0;
    }
    EXPECT_NEAR(right, 400, 60);
    EXPECT_NEAR(left, 400, 60);
    EXPECT_NEAR(between, 200, 50);
    EXPECT_NEAR(heads, 500, 60);
}

TEST(MonsterInit, NonNumericIdCountsAsZero) {
    GameWorld world;
    world.AddMonster("Ox Ox.gif", {"SSSS"});
    world.Start();
    for (int i = 0; i < 50; ++i) {
        world.monster().Initialize();
        EXPECT_DOUBLE_EQ(world.monster().mX, world.man().mX + 1024 / 6.0);
    }
}

TEST(MonsterInit, AFileInASubfolderIsFoundByItsBareName) {
    GameWorld world;
    world.AddMonster("deep/er/4 Mole 5.gif", {"SS", "SS", "SS"});
    world.Start();
    EXPECT_EQ(world.monster().mFileName, "4 Mole 5.gif");
    EXPECT_EQ(world.monster().mHeight, 3);
}

TEST(MonsterInit, NoUndefeatedFileLeavesTheMonsterInactive) {
    GameWorld world;
    world.AddMonster("1 Ant.gif", {"SS"});
    world.WriteHistory("1 Ant.gif,1\r\n");
    world.Start();
    clsMonster& monster = world.monster();
    EXPECT_EQ(monster.mFileName, "");
    EXPECT_EQ(monster.Sprites(), nullptr);
    EXPECT_EQ(monster.GetColour2(0, 0), -2);
    world.Frame(10); // neither moves nor draws
    EXPECT_EQ(world.ViewPixel(500, 300), world_colours::kBackground);
}

TEST(MonsterInit, AnEmptyMovementPortionEndsTheGameSetUpWithItsMessage) {
    {
        GameWorld world;
        world.AddMonster("3 Crab  .gif", {"S"});
        try {
            world.Start();
            FAIL() << "no error";
        } catch (const vb::RuntimeError& error) {
            EXPECT_EQ(error.Number(), static_cast<int32_t>(0x8004000A));
            EXPECT_EQ(error.Description(), "Movement portion of Filename '3 Crab  .gif' "
                                           "retrieved from /Monsters folder makes no sense.");
        }
    }
}

// The start place takes the first draw, a place anywhere a second one only
// when it is needed, and the direction the last.
TEST(MonsterInit, RandomDrawsInOrderPlaceThenDirection) {
    GameWorld world;
    world.AddMonster("7 Ox.gif", {"SSSS"});
    world.Start();
    clsMonster& monster = world.monster();
    world.man().mX = 50;
    const double a = 1024 / 6.0;
    bool sawBetween = false;
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        vb::Randomize(seed);
        const double r = vb::Rnd();
        double x = r < 0.4 ? 50 + a : 50 - 4 - a;
        if (r >= 0.8) {
            x = 50 - 4 - a + (2 * a + 4) * vb::Rnd();
            sawBetween = true;
        }
        const double dirX = vb::Int(2 * vb::Rnd()) * 2 - 1;
        vb::Randomize(seed);
        monster.Initialize();
        EXPECT_EQ(monster.mX, x) << seed;
        EXPECT_EQ(monster.mDirX, dirX) << seed;
    }
    EXPECT_TRUE(sawBetween);
}
