// The real windowed game under a private X server with one small test
// monster: Right held for a second, then a screenshot must show the game's
// own colours, the white frame, the hit-point bar and the red man; Escape
// quits and History.ini is written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "e2e_process.h"
#include "gdi/picture.h"
#include "screenshot.h"
#include "support/game_world.h"
#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class GamePlay : public X11GameTest {
  protected:
    GamePlay() : X11GameTest({"Xvfb", "xdotool", "import"}) {}
};

} // namespace

TEST_F(GamePlay, WalkingRightShowsTheGameAndEscapeKeepsTheHistory) {
    TempDir dir;
    const fs::path bin = Env("STOMPVALE_BIN");
    const std::string name = "Stompvale_v1.6_1024x768";
    fs::copy_file(bin / name, dir.path() / name);
    fs::copy(bin / "images", dir.path() / "images", fs::copy_options::recursive);
    fs::create_directories(dir.path() / "Monsters");
    // ID 3 keeps the title sequence short; code 0 keeps the monster in place.
    gdi::SavePictureGif((dir.path() / "Monsters" / "3 Tester 0.gif").string(),
                        PictureFromGrid({"SSSSSS", "SWWSSS", "SSSSSS", "SSSSSS"}));
    dir.Write("History.ini", "");

    ChildProcess game({(dir.path() / name).string()}, GameEnvironment(), dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty()) << "no window named Gloamward appeared";
    std::this_thread::sleep_for(1500ms); // the camera settles on the man
    auto screenshot = [&](const std::string& file) {
        return TakeScreenshot(display->Environment(), (dir.path() / file).string());
    };
    const Screenshot before = screenshot("before.ppm");
    HoldKey(id, "Right", 1000ms);
    std::this_thread::sleep_for(200ms);
    const Screenshot shot = screenshot("after.ppm");
    ASSERT_EQ(shot.width, 1280);
    ASSERT_EQ(before.width, 1280);

    EXPECT_GT(shot.Count(world_colours::kBackground), 10000);
    EXPECT_GT(shot.Count(world_colours::kGround), 10000);
    EXPECT_GE(shot.Count(gdi::RGB(255, 0, 0)), 18); // the man: one 3 x 6 block

    // The white frame: a row of 1023 white pixels, six rows high, with the
    // full hit-point bar 12 rows below it from 9 to 1004.
    int frameLeft = -1, frameTop = -1;
    for (int y = 0; y + 30 < shot.height && frameTop < 0; ++y) {
        for (int x = 0; x + 1023 <= shot.width; ++x) {
            if (shot.At(x, y) != world_colours::kWhite) continue;
            int run = 0;
            while (x + run < shot.width && shot.At(x + run, y) == world_colours::kWhite) ++run;
            if (run == 1023 && shot.At(x, y + 5) == world_colours::kWhite &&
                shot.At(x + 1022, y + 767) == world_colours::kWhite) {
                frameLeft = x;
                frameTop = y;
            }
            break;
        }
    }
    ASSERT_GE(frameTop, 0) << "no white frame found";
    // The 1023 x 768 play area in the middle of the 1280 x 1024 screen.
    EXPECT_EQ(frameLeft, 128);
    EXPECT_EQ(frameTop, 128);
    EXPECT_EQ(shot.At(100, 100), gdi::RGB(0, 0, 0)); // the empty screen around it
    EXPECT_EQ(shot.At(frameLeft + 9, frameTop + 12), world_colours::kWhite);
    EXPECT_EQ(shot.At(frameLeft + 1004, frameTop + 17), world_colours::kWhite);
    EXPECT_NE(shot.At(frameLeft + 1005, frameTop + 12), world_colours::kWhite);
    EXPECT_NE(shot.At(frameLeft + 500, frameTop + 11), world_colours::kWhite);

    // Walking right, the camera's lead runs ahead of the man: he shows left
    // of where he stood.
    const int manBefore = before.FirstColumn(gdi::RGB(255, 0, 0), frameTop + 300);
    const int manAfter = shot.FirstColumn(gdi::RGB(255, 0, 0), frameTop + 300);
    // Standing, he is at the view's centre (510), give or take the lead left
    // over from settling into the middle of his column.
    EXPECT_GE(manBefore, frameLeft + 504);
    EXPECT_LE(manBefore, frameLeft + 510);
    EXPECT_GE(manAfter, frameLeft);
    EXPECT_LT(manAfter, manBefore - 10);

    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
    EXPECT_EQ(dir.Read("History.ini"), "3 Tester 0.gif,0\r\n");
}
