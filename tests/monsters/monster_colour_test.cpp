// The monster's pixels: what counts as solid, painting, and drawing on whole
// game pixels.
#include <gtest/gtest.h>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "monsters/clsMonster.h"
#include "support/game_world.h"

using namespace world_colours;

namespace {

clsMonster& StartWithPicture(GameWorld& world) {
    world.AddMonster("5 Swatch 43.gif", {"BPD.W", "SSSSS"});
    world.Start();
    world.PlaceMonster(10, -5, 2);
    return world.monster();
}

} // namespace

TEST(MonsterColour, ValueThresholdDecidesWhatIsSolid) {
    GameWorld world;
    clsMonster& monster = StartWithPicture(world);
    EXPECT_EQ(monster.GetColour2(10, -5), static_cast<int32_t>(kBody)); // value 0.667
    EXPECT_EQ(monster.GetColour2(10.99, -4.01), static_cast<int32_t>(kBody));
    EXPECT_EQ(monster.GetColour2(11, -5), -2); // RGB(160, 160, 160): value 0.627
    EXPECT_EQ(monster.GetColour2(12, -5), -2); // dark
    EXPECT_EQ(monster.GetColour2(13, -5), -2); // black is transparent
    EXPECT_EQ(monster.GetColour2(14, -5), 0xFFFFFF);
    EXPECT_EQ(monster.GetColour2(14, -4), static_cast<int32_t>(kSolid));
}

TEST(MonsterColour, OutsideThePictureIsEmpty) {
    GameWorld world;
    clsMonster& monster = StartWithPicture(world);
    EXPECT_EQ(monster.GetColour2(9.99, -5), -2);
    EXPECT_EQ(monster.GetColour2(10, -5.01), -2);
    EXPECT_EQ(monster.GetColour2(15, -4), -2);
    EXPECT_EQ(monster.GetColour2(10, -3), -2);
}

TEST(MonsterColour, PaintedPixelsReadBack) {
    GameWorld world;
    clsMonster& monster = StartWithPicture(world);
    monster.SetColour2(11.5, -4.5, ColourGreen);
    EXPECT_EQ(monster.GetColour2(11, -5), ColourGreen);
    monster.SetColour2(10, -5, 96 + 96 * 256 + 96 * 65536);
    EXPECT_EQ(monster.GetColour2(10, -5), -2);
    monster.SetColour2(13, -5, 0xFFFFFF); // a transparent pixel becomes opaque
    EXPECT_EQ(monster.GetColour2(13, -5), 0xFFFFFF);
    monster.SetColour2(30, -5, 0xFFFFFF); // outside: nothing
    EXPECT_EQ(monster.GetColour2(30, -5), -2);
}

TEST(MonsterColour, TheWorldQueryAsksTheMonsterOnlyAboveTheGroundLine) {
    GameWorld world;
    world.AddMonster("5 Swatch 43.gif", {"W", "W", "W"});
    world.Start();
    world.PlaceMonster(0, -1, 2); // rows -1, 0 and 1
    EXPECT_EQ(world.game().GetColour(0, 0.99), 0xFFFFFF);
    EXPECT_EQ(world.game().GetColour(0, 1.0), 0);
    EXPECT_EQ(world.game().GetColour(0, 1.5), 0);
    EXPECT_EQ(world.game().GetColour(1, 0), -2);
}

TEST(MonsterColour, DrawnOnWholeGamePixelsWithBlackTransparent) {
    GameWorld world;
    clsMonster& monster = StartWithPicture(world);
    gdi::HDC dc = world.game().picMainDC();
    OffsetX = 100;
    OffsetY = 400;
    FillRectGdi(dc, 0, 0, ViewWidth, ViewHeight, 0x123456);
    monster.Draw();
    const gdi::Picture whole = world.ViewPicture();
    // (10, -5) -> (130, 370); each game pixel 3 x 6.
    EXPECT_EQ(world.ViewPixel(130, 370), kBody);
    EXPECT_EQ(world.ViewPixel(132, 375), kBody);
    EXPECT_EQ(world.ViewPixel(133, 370), kPale);
    EXPECT_EQ(world.ViewPixel(139, 370), 0x123456u); // black pixel: transparent
    EXPECT_EQ(world.ViewPixel(142, 370), kWhite);
    EXPECT_EQ(world.ViewPixel(129, 370), 0x123456u);

    monster.mX = 10.9;
    FillRectGdi(dc, 0, 0, ViewWidth, ViewHeight, 0x123456);
    monster.Draw();
    EXPECT_EQ(world.ViewPicture().pixels, whole.pixels);
}
