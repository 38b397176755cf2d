// The checker's picture of the man's moves stays within what the man really
// does in the game: it never credits a higher jump, an earlier grab, or a
// climb onto a step the man cannot take.
#include <gtest/gtest.h>

#include <algorithm>

#include "monster_check/reach.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"
#include "vb/numeric.h"

namespace {

using world_colours::kGreen;
using world_colours::kSolid;

class MonsterReachModel : public ::testing::Test {
  protected:
    // A monster standing still (no codes) with its lowest row on the ground,
    // and the man settled on the ground at manX.
    void Stand(const gdi::Picture& picture, double x, double manX) {
        world.AddMonster("1 Post.gif", picture);
        world.Start();
        world.PlaceMonster(x, 1 - picture.height, 2);
        world.PlaceMan(manX, 0);
        world.Frame();
    }

    GameWorld world;
};

TEST_F(MonsterReachModel, AJumpFromTheGroundRisesNoLessThanTheCheckerAssumes) {
    Stand(SolidPicture(3, 60, kGreen), 400, 0.5);
    world.Hold(keys::kSpace);
    double top = 0;
    for (int i = 0; i < 80; ++i) {
        world.Frame();
        top = std::min(top, world.man().mY);
    }
    const int32_t risen = -vb::IntL(top);
    EXPECT_GE(risen, monster_check::kJumpRows);
    EXPECT_LE(risen, monster_check::kJumpRows + 1) << "the checker should not be far too careful";
    EXPECT_EQ(world.man().mY, 0) << "back on the ground";
}

TEST_F(MonsterReachModel, AGrabInAJumpComesNoSoonerThanTheCheckerAssumes) {
    Stand(SolidPicture(3, 60, kGreen), 10, 9.5);
    world.Hold(keys::kX);
    world.Hold(keys::kSpace);
    world.Frame(); // grabs the post and jumps off it in the same frame
    ASSERT_LT(world.man().mY, 0);
    int32_t risenAtGrab = -1;
    for (int i = 0; i < 60 && risenAtGrab < 0; ++i) {
        world.Frame();
        if (world.man().mAttachMonster == 1) risenAtGrab = -vb::IntL(world.man().mY);
    }
    ASSERT_GE(risenAtGrab, 0) << "never caught the post again";
    EXPECT_GE(risenAtGrab, monster_check::kGrabAfterRows);
    EXPECT_LE(risenAtGrab, monster_check::kGrabAfterRows + 1);
}

TEST_F(MonsterReachModel, WalkingAgainstAOneRowStepClimbsOntoIt) {
    Stand(SolidPicture(10, 1, kSolid), 100, 98.5);
    world.Hold(keys::kRight);
    world.Frame(20); // the step is 10 wide: still on it
    EXPECT_EQ(vb::IntL(world.man().mY), -1) << "standing on the step";
    EXPECT_GT(world.man().mX, 100);
    EXPECT_EQ(world.man().mState, 1);
}

} // namespace
