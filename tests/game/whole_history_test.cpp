// F and strikes defeat every monster of a history in turn: each defeat is
// recorded, the next monster rises, and after the last one the monster is
// inactive and the arrows steer a free camera.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"
#include "vb/numeric.h"

using namespace keys;

namespace {

// Beside the monster's lower left hit point, F three times, then a strike to
// the right finishes it; the man then steps away while it sinks.
void DefeatCurrentMonster(GameWorld& world) {
    clsMonster& monster = world.monster();
    const std::string name = monster.mFileName;
    world.PlaceMonster(world.man().mX + 30, 1 - monster.mHeight, 2);
    world.PlaceMan(vb::Int(world.monster().mX) - 0.5, 0);
    world.Frame();
    for (int i = 0; i < 3; ++i) world.Tap(kF);
    EXPECT_EQ(monster.mHitTotal, 0);
    EXPECT_EQ(monster.mState, 2); // F alone does not end it
    world.StrikeRight(60);
    EXPECT_EQ(monster.mState, 3);
    EXPECT_EQ(monster.mHitTotal, 0);
    world.PlaceMan(world.man().mX - 40, 0);
    ASSERT_TRUE(
        world.FrameUntil([&] { return monster.mFileName != name || monster.mState != 3; }, 400));
}

} // namespace

TEST(WholeHistory, FAndStrikesDefeatEveryMonster) {
    GameWorld world;
    const std::vector<std::string> picture = {"SSSS", "SSSS", "WSSS"};
    // Monsters without a pattern of their own, so that they wait for the strike.
    world.AddMonster("1 Ant.gif", picture);
    world.AddMonster("2 Bee 0-0-0.gif", picture);
    world.AddMonster("3 Cow 43.gif", picture);
    world.Start();
    EXPECT_EQ(MonstersLeft, 3);

    DefeatCurrentMonster(world);
    EXPECT_EQ(world.monster().mFileName, "2 Bee 0-0-0.gif");
    EXPECT_EQ(MonsterHistory[0].Defeats, 1);
    EXPECT_EQ(MonstersLeft, 2);

    DefeatCurrentMonster(world);
    EXPECT_EQ(world.monster().mFileName, "3 Cow 43.gif");
    DefeatCurrentMonster(world);
    EXPECT_EQ(world.monster().mFileName, "");
    EXPECT_EQ(MonstersLeft, 0);
    for (const MonsterRecord& record : MonsterHistory) EXPECT_EQ(record.Defeats, 1);
    EXPECT_EQ(world.man().mState, 1);

    // The free camera: no collision, no gravity, the man not drawn.
    world.Hold(kUp);
    world.Frame(10);
    EXPECT_LT(world.man().mY, -30);
    world.Frame(100); // an inactive monster neither moves nor fails
}
