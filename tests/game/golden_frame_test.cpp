// A fixed scene, a fixed seed and a fixed key script: the view after 300
// frames must match the stored image pixel for pixel. The scenery and screen
// pictures of the test world are fully transparent, so only the game's own
// drawing shows: monster, man, sword, particles, bars, ground and frame.
//
// Regenerate on purpose with STOMPVALE_UPDATE_GOLDEN=1 after a deliberate
// change of the drawing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

using namespace keys;

namespace {

std::string SourceTree() {
    const char* folder = std::getenv("STOMPVALE_SOURCE");
    if (folder) return folder;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().string();
}

platform::Picture PlayScript() {
    GameWorld world(4242);
    world.AddMonster("1 Golem 0.gif", {
                                          "....YYYY....",
                                          "...YYYYYY...",
                                          "..YSSWWSSY..",
                                          "..YSSWWSSY..",
                                          ".GGSSSSSSGG.",
                                          "GGSSSRRSSSGG",
                                          "GSSSSSSSSSSG",
                                          "GSSWSSSSSSSG",
                                      });
    world.Start();
    world.PlaceMonster(12, -7, 2);
    world.Hold(kRight);
    world.Frame(60); // walk to the monster and creep against it
    world.Release(kRight);
    world.Hold(kX);
    world.Hold(kUp);
    world.Frame(60); // climb its green flank
    world.Release(kUp);
    world.Hold(kZ);
    world.Frame(80); // charge while holding on
    world.Hold(kRight);
    world.Release(kZ);
    world.Frame(); // strike to the right
    world.Release(kRight);
    world.Frame(99);
    EXPECT_EQ(world.host.RefreshCount, 300);
    return world.ViewPicture();
}

} // namespace

TEST(GoldenFrame, ViewAfterThreeHundredScriptedFrames) {
    const platform::Picture actual = PlayScript();
    // The same script gives the same view: nothing depends on the wall clock.
    EXPECT_EQ(PlayScript().pixels, actual.pixels);

    const std::string golden = SourceTree() + "/tests/game/golden/frame_300.gif";
    const char* update = std::getenv("STOMPVALE_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        platform::SavePictureGif(golden, actual, false);
        GTEST_SKIP() << "golden image rewritten: " << golden;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    const platform::Picture expected = platform::LoadPicture(golden);
    ASSERT_EQ(expected.width, actual.width);
    ASSERT_EQ(expected.height, actual.height);
    int differences = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i) {
        differences += expected.pixels[i] != actual.pixels[i];
    }
    EXPECT_EQ(differences, 0);
}
