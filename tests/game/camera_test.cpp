// The camera: lead that grows with the man's steps and decays, the floor
// 30 % of the view above the ground line, the snapped offsets.
#include <gtest/gtest.h>

#include <cmath>

#include "app/modMain.h"
#include "game/camera.h"
#include "player/clsMan.h"
#include "support/game_world.h"

namespace {

void WindowedView() {
    SetWorldGlobals(1024, 768); // view 1023 x 768, centre (510, 384)
    CameraX = CameraY = CameraSpeedX = CameraSpeedY = CameraLeadX = CameraLeadY = 0;
}

} // namespace

TEST(Camera, LeadDecaysByItsFactorsWhenTheManStandsStill) {
    WindowedView();
    CameraLeadX = 100;
    CameraLeadY = 100;
    CameraStep(true, 5, -5, 5, -5);
    EXPECT_DOUBLE_EQ(CameraLeadX, 98.3);
    EXPECT_DOUBLE_EQ(CameraLeadY, 97.5);
    CameraStep(true, 5, -5, 5, -5);
    EXPECT_DOUBLE_EQ(CameraLeadX, 100 * 0.983 * 0.983);
    EXPECT_DOUBLE_EQ(CameraLeadY, 100 * 0.975 * 0.975);
}

TEST(Camera, LeadGrowsWithTheStepOnlyWhenAllowed) {
    WindowedView();
    CameraStep(true, 0, 0, 1, -2);
    EXPECT_DOUBLE_EQ(CameraLeadX, 1023.0 / 1280 * 10 * 0.983);
    EXPECT_DOUBLE_EQ(CameraLeadY, 768.0 / 1024 * 15 * -2 * 0.975);
    WindowedView();
    CameraStep(false, 0, 0, 1, -2);
    EXPECT_EQ(CameraLeadX, 0);
    EXPECT_EQ(CameraLeadY, 0);
}

TEST(Camera, ApproachesTheTargetAndKeepsAboveTheFloor) {
    WindowedView();
    CameraStep(false, 0, 0, 100, 0);
    // Target 300: a 47.95th of the distance, on top of 30 % of the old speed.
    EXPECT_DOUBLE_EQ(CameraX, 300 / (1023.0 / 1280 * 60));
    EXPECT_DOUBLE_EQ(CameraY, -0.3 * 768);
    EXPECT_EQ(CameraSpeedY, 0);
    EXPECT_EQ(OffsetX, std::floor(510 - CameraX));
    EXPECT_EQ(OffsetY, std::floor(384 + 0.3 * 768));
    for (int i = 0; i < 500; ++i) CameraStep(false, 100, 0, 100, 0);
    EXPECT_NEAR(CameraX, 300, 1e-3);
    // High above, the camera follows the man up.
    for (int i = 0; i < 500; ++i) CameraStep(false, 100, -200, 100, -200);
    EXPECT_NEAR(CameraY, -1200, 1e-3);
}

TEST(Camera, AfterDeathTheLeadOnlyDecays) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS"});
    world.Start();
    world.PlaceMonster(5000, -1, 2);
    world.Hold(keys::kRight);
    world.Frame(50);
    const double lead = CameraLeadX;
    EXPECT_GT(lead, 3);
    world.man().Die(2);
    world.Frame();
    EXPECT_DOUBLE_EQ(CameraLeadX, lead * 0.983);
}
