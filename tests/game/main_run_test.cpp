// The real start-up and frame loop with the real game form on a headless
// host: a bad monster file name ends the run with its message while the
// history is still written, and a defeat in play reaches History.ini.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

namespace {

ProgramSetup GameSetup() {
    return GameProgramSetup(ScreenSizeMode::Windowed1024x768);
}

} // namespace

TEST(MainRun, ABadMonsterNameEndsTheRunWithItsMessageAndKeepsTheHistory) {
    GameWorld world; // only its program folder and host are used
    world.AddMonster("1 Ant.gif", {"SS"});
    world.AddMonster("2 Crab  .gif", {"SS"});
    world.WriteHistory("1 Ant.gif,4\r\n");
    EXPECT_EQ(Main(GameSetup()), 1);
    ASSERT_FALSE(world.host.Messages.empty());
    EXPECT_EQ(world.host.Messages.back(),
              "Run-time error '-2147221494':\n\nMovement portion of Filename '2 Crab  .gif' "
              "retrieved from /Monsters folder makes no sense.");
    EXPECT_EQ(world.folder.Read("History.ini"), "1 Ant.gif,4\r\n2 Crab  .gif,0\r\n");
    EXPECT_EQ(frmMain, nullptr);
}

TEST(MainRun, ADefeatInPlayIsWrittenAndTheSuccessScreenComes) {
    GameWorld world;
    world.AddMonster("1 Ant.gif", {"SS", "SS"});
    int frame = 0;
    platform::DateTime successUntil = 0;
    world.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        ++frame;
        if (!frmMain) return;
        clsMonster& monster = frmMain->Monster(1);
        if (frame == 10) {
            monster.mHitTotal = 0;
            monster.mState = 3;
        }
        if (frame > 10 && monster.mFileName.empty() && successUntil == 0) {
            successUntil = TheGameForm()->TextUntil - host.Now();
            host.SetKey(27, true); // Escape
        }
        if (frame > 2000) host.RequestClose();
    };
    EXPECT_EQ(Main(GameSetup()), 0);
    EXPECT_LT(frame, 2000);
    EXPECT_NEAR(static_cast<double>(successUntil), 10000 * 1000.0, 100);
    EXPECT_EQ(world.folder.Read("History.ini"), "1 Ant.gif,1\r\n");
}

TEST(MainRun, AMonsterBeyondTheMemoryBudgetEndsWithTheVideoMemoryMessage) {
    GameWorld world;
    // A picture of 1200 x 1200 needs 7 MB of its own besides the 3 MB view,
    // against a budget of 8 MB.
    world.AddMonster("1 Giant.gif", SolidPicture(1200, 1200, gdi::RGB(200, 200, 200)));
    world.AddMonster("2 Ant.gif", {"SS"});
    world.WriteHistory("2 Ant.gif,7\r\n");
    ProgramSetup setup = GameSetup();
    setup.bitmapMemoryBudget = 8 << 20;
    int frames = 0;
    world.host.OnDoEvents = [&](platform::HeadlessHost& host) {
        if (++frames > 50) host.RequestClose(); // a game that should not have started
    };
    EXPECT_EQ(Main(setup), 1);
    EXPECT_LE(frames, 1);
    ASSERT_EQ(world.host.Messages.size(), 1u);
    EXPECT_EQ(world.host.Messages[0],
              "Run-time error '-2147221502':\n\nI'm sorry, your Video card does not have enough "
              "RAM to create the Monster. My inefficient code is the problem, NOT your videocard. "
              "If you lowered your desktop screen resolution (800 x 600 or less), and lowered your "
              "color quality (16-bit or less), the game might work.");
    EXPECT_EQ(world.folder.Read("History.ini"), "1 Giant.gif,0\r\n2 Ant.gif,7\r\n");
    EXPECT_EQ(frmMain, nullptr);
    // The budget belonged to that run only.
    EXPECT_EQ(gdi::BitmapMemoryLimit(), 0u);
}
