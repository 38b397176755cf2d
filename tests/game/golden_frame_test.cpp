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
#include "support/golden_image.h"

using namespace keys;

namespace {

gdi::Picture PlayScript() {
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
    world.StrikeRight(80); // charged while holding on
    world.Frame(99);
    EXPECT_EQ(world.host.RefreshCount, 300);
    return world.ViewPicture();
}

} // namespace

TEST(GoldenFrame, ViewAfterThreeHundredScriptedFrames) {
    const gdi::Picture actual = PlayScript();
    // The same script gives the same view: nothing depends on the wall clock.
    EXPECT_EQ(PlayScript().pixels, actual.pixels);

    ExpectMatchesGolden(actual, "tests/game/golden/frame_300.gif");
}
