// The screen images inside the running game: the title on the first frame of
// play, the time scale chosen from the monster's ID, the readme when every
// monster is beaten, and the death and success screens from their callers.
#include <gtest/gtest.h>

#include <string>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

namespace {

constexpr gdi::COLORREF kTitle = gdi::RGB(10, 200, 10);
constexpr gdi::COLORREF kInstructions = gdi::RGB(20, 20, 220);
constexpr gdi::COLORREF kCredits = gdi::RGB(230, 30, 30);
constexpr gdi::COLORREF kReadme = gdi::RGB(240, 240, 20);
constexpr gdi::COLORREF kDeath = gdi::RGB(200, 20, 200);
constexpr gdi::COLORREF kSuccess = gdi::RGB(20, 210, 210);

const std::vector<std::string> kCrab = {"SSSS", "SWWS", "SSSS"};

// A world whose screen images are flat colours, told apart at (7, 48).
void PaintScreens(GameWorld& world) {
    world.WriteGif("images/Title_1Title.gif", SolidPicture(30, 10, kTitle));
    world.WriteGif("images/Title_2Instructions.gif", SolidPicture(30, 10, kInstructions));
    world.WriteGif("images/Title_3Credits.gif", SolidPicture(30, 10, kCredits));
    world.WriteGif("images/Text_Readme.gif", SolidPicture(30, 10, kReadme));
    world.WriteGif("images/Text_Death.gif", SolidPicture(30, 10, kDeath));
    world.WriteGif("images/Text_Success.gif", SolidPicture(30, 10, kSuccess));
}

// The painted world with these monsters (all shaped as kCrab) and history,
// started.
void StartPainted(GameWorld& world, const std::vector<std::string>& monsters,
                  const std::string& history = "") {
    PaintScreens(world);
    for (const std::string& file : monsters) world.AddMonster(file, kCrab);
    if (!history.empty()) world.WriteHistory(history);
    world.Start();
}

gdi::COLORREF Shown(GameWorld& world) {
    return world.ViewPixel(7, 48);
}

TEST(ScreensInGame, TitleOnFrameOneThenInstructionsSevenSecondsLater) {
    GameWorld world;
    StartPainted(world, {"1 Crab 1.gif"});
    world.Frame();
    EXPECT_EQ(Shown(world), kTitle);
    EXPECT_EQ(world.ViewPixel(36, 57), kTitle); // the picture's far corner
    EXPECT_NE(world.ViewPixel(37, 48), kTitle);
    EXPECT_NE(world.ViewPixel(7, 58), kTitle);
    world.Frame(249); // frame 250, 4.98 seconds after frame 1
    EXPECT_EQ(Shown(world), kTitle);
    world.Frame(); // 5 seconds
    EXPECT_NE(Shown(world), kTitle);
    world.Frame(100); // frame 351, exactly 7 seconds after frame 1: the gap still
    EXPECT_NE(Shown(world), kInstructions);
    world.Frame();
    EXPECT_EQ(Shown(world), kInstructions);
    EXPECT_EQ(world.game().TitleStep, 2);
}

TEST(ScreensInGame, TimeScaleFollowsTheMonsterId) {
    const std::vector<std::pair<std::string, int32_t>> cases = {
        {"1 Crab 1.gif", 15}, {"2 Crab 1.gif", 15}, {"Crab Crab 1.gif", 15},
        {"3 Crab 1.gif", 1},  {"12 Crab 1.gif", 1}, {"2.5 Crab 1.gif", 1},
    };
    for (const auto& [file, scale] : cases) {
        SCOPED_TRACE(file);
        GameWorld world;
        world.AddMonster(file, kCrab);
        world.Start();
        EXPECT_EQ(world.game().TextTimeScale, scale);
    }
}

TEST(ScreensInGame, InstructionsLastTwentyFiveSecondsWithLaterMonsters) {
    GameWorld world;
    StartPainted(world, {"3 Crab 1.gif"});
    world.Frame(352);
    ASSERT_EQ(Shown(world), kInstructions);
    world.Frame(25 * 50 - 1);
    EXPECT_EQ(Shown(world), kInstructions);
    world.Frame();
    EXPECT_NE(Shown(world), kInstructions);
    world.Frame(101);
    EXPECT_EQ(Shown(world), kCredits);
}

TEST(ScreensInGame, ReadmeWhenEveryMonsterIsBeaten) {
    GameWorld world;
    StartPainted(world, {"1 Crab 1.gif", "2 Beetle 1.gif"},
                 "1 Crab 1.gif,1\r\n2 Beetle 1.gif,3\r\n");
    ASSERT_EQ(MonstersLeft, 0);
    world.Frame();
    EXPECT_EQ(Shown(world), kReadme);
    // It holds the title sequence back for 10000 seconds.
    world.host.AdvanceMilliseconds(10'000'000.0 - 3 * 20);
    world.Frame();
    EXPECT_EQ(Shown(world), kReadme);
    EXPECT_EQ(world.game().TitleStep, 0);
    world.Frame();
    EXPECT_NE(Shown(world), kReadme);
}

TEST(ScreensInGame, NoReadmeWhileSomeMonsterIsLeft) {
    GameWorld world;
    StartPainted(world, {"1 Crab 1.gif", "2 Beetle 1.gif"}, "1 Crab 1.gif,1\r\n");
    world.Frame();
    EXPECT_EQ(Shown(world), kTitle);
}

TEST(ScreensInGame, DeathReplacesTheInstructions) {
    GameWorld world;
    StartPainted(world, {"1 Crab 1.gif"});
    world.Frame(400);
    ASSERT_EQ(Shown(world), kInstructions);
    world.man().Die(2);
    world.Frame();
    EXPECT_EQ(Shown(world), kDeath);
    // Far past the instructions' 375 seconds, the death screen is still up.
    world.host.AdvanceMilliseconds(3'600'000.0);
    world.Frame();
    EXPECT_EQ(Shown(world), kDeath);
    EXPECT_EQ(world.game().TitleStep, 2);
}

TEST(ScreensInGame, SuccessWhenTheLastMonsterFalls) {
    GameWorld world;
    StartPainted(world, {"1 Crab 1.gif", "2 Beetle 1.gif"}, "1 Crab 1.gif,1\r\n");
    world.Frame();
    ASSERT_EQ(MonstersLeft, 1);
    // The beaten monster has sunk below the ground while the man lives.
    clsMonster& beetle = world.game().Monster(1);
    ASSERT_EQ(beetle.mFileName, "2 Beetle 1.gif");
    beetle.mState = 3;
    beetle.mY = 200;
    world.Frame();
    EXPECT_EQ(MonstersLeft, 0);
    EXPECT_EQ(Shown(world), kSuccess);
    world.host.AdvanceMilliseconds(9'000'000.0);
    world.Frame();
    EXPECT_EQ(Shown(world), kSuccess);
}

} // namespace
