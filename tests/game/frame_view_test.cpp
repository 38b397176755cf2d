// One frame of play as it reaches the view: background, ground, frame, bars,
// the man, the camera, the banner.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

using namespace world_colours;

TEST(FrameView, FirstFramesShowBackgroundGroundFrameAndMan) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS"});
    world.Start();
    world.Frame(60);
    EXPECT_EQ(world.ViewPixel(500, 200), kBackground);
    EXPECT_EQ(world.ViewPixel(0, 0), kWhite);
    EXPECT_EQ(world.ViewPixel(1022, 767), kWhite);
    EXPECT_EQ(world.ViewPixel(500, 700), kGround);
    EXPECT_EQ(world.man().mState, 1);
}
