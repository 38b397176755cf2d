// Drawing the scenery: parallax placement, repetition across the screen, the
// two passes, and a golden image of the whole sky for a fixed seed and camera.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "elements_world.h"
#include "gdi/picture.h"
#include "scenery/clsElements.h"
#include "support/golden_image.h"
#include "vb/random.h"

namespace {

constexpr gdi::COLORREF kBody = gdi::RGB(90, 100, 110);
constexpr gdi::COLORREF kMarker = gdi::RGB(200, 50, 50);

// An opaque picture with a marker in its first column.
void Paint(kivSprites3& sprite, int width, int height) {
    sprite.Initialize(true, width, height, nullptr);
    for (int left = 0; left < width; left += kivSprites3::kTileSize)
        sprite.DrawRectangle(left, 0, std::min(width, left + kivSprites3::kTileSize), height,
                             kBody);
    sprite.DrawRectangle(0, 0, 1, height, kMarker);
}

// The view with the world's globals and an empty scenery to fill by hand.
class ElementsDraw : public ::testing::Test {
  protected:
    // Paints the picture and appends a living record that shows it.
    ElementRecord& AddPicture(kivSprites3& sprite, int width, int height, double x, double y,
                              double depth) {
        Paint(sprite, width, height);
        elements.mItem.push_back(LiveRecord(&sprite, x, y, depth));
        return elements.mItem.back();
    }
    // A 400 x 6 strip at the origin with the world's depth, repeated across.
    ElementRecord& AddRepeatedStrip(kivSprites3& strip) {
        ElementRecord& e = AddPicture(strip, 400, 6, 0, 0, 1);
        e.RepeatX = true;
        return e;
    }

    // The background pass seen from that camera position.
    void DrawBackground(double cameraX, double cameraY) {
        CameraX = cameraX;
        CameraY = cameraY;
        elements.Draw(false);
    }

    SceneryWorld world;
    clsElements elements;
};

TEST_F(ElementsDraw, RepeatedPictureCoversTheScreenFromBeforeItsLeftEdge) {
    kivSprites3 strip;
    AddRepeatedStrip(strip);
    // Parallax start Int(0 - 200 + 510 - 660) = -350, Mod 400 keeps -350... so
    // aim for -50: CameraX = 510 - 200 + 50.
    DrawBackground(360, 0);
    // Start -50 - 400 = -450: copies at -450, -50, 350 and 750, the fourth
    // reaching past the view's right edge.
    const int row = 384 - 3 + 1;
    for (int x = 0; x < ViewWidth; ++x) {
        const gdi::COLORREF expected = (x == 350 || x == 750) ? kMarker : kBody;
        ASSERT_EQ(world.At(x, row), expected) << "x " << x;
    }
    EXPECT_EQ(world.At(500, 384 - 3 - 1), SceneryWorld::kSky);
    EXPECT_EQ(world.At(500, 384 - 3 + 6), SceneryWorld::kSky);
}

TEST_F(ElementsDraw, RepetitionUsesTheRemainderWithTheSignOfTheStart) {
    kivSprites3 strip;
    AddRepeatedStrip(strip);
    // Start Int(-200 + 510 - CameraX): 130 for CameraX 180 -> 130 - 400 = -270;
    // -970 for CameraX 1280 -> -970 Mod 400 = -170 -> -570.
    DrawBackground(180, 0);
    EXPECT_EQ(world.At(130, 382), kMarker);
    EXPECT_EQ(world.At(530, 382), kMarker);
    EXPECT_EQ(world.At(930, 382), kMarker);
    world.Clear(SceneryWorld::kSky);
    DrawBackground(1280, 0);
    EXPECT_EQ(world.At(230, 382), kMarker);
    EXPECT_EQ(world.At(630, 382), kMarker);
    EXPECT_EQ(world.At(1022, 382), kBody);
    EXPECT_EQ(world.At(0, 382), kBody);
}

TEST_F(ElementsDraw, FarElementsMoveLessAndSitLower) {
    kivSprites3 cloud;
    AddPicture(cloud, 30, 12, 100, -20, 0.5);
    DrawBackground(200, -230.4);
    // sx = Int(100 x 0.5 x 3 - 15 + 510 - 200 x 0.5) = 545
    // sy = Int(-20 x 0.5 x 6 - 6 + 384 - 768 x 0.15 x (0.5 - 1) + 230.4 x 0.5) = 490
    EXPECT_EQ(world.At(545, 490), kMarker);
    EXPECT_EQ(world.At(546, 490), kBody);
    EXPECT_EQ(world.At(574, 501), kBody);
    EXPECT_EQ(world.At(544, 490), SceneryWorld::kSky);
    EXPECT_EQ(world.At(575, 490), SceneryWorld::kSky);
    EXPECT_EQ(world.At(545, 489), SceneryWorld::kSky);
    EXPECT_EQ(world.At(545, 502), SceneryWorld::kSky);
}

TEST_F(ElementsDraw, PicturesKeepTheirColoursWhateverTheViewTextColour) {
    kivSprites3 cloud;
    ElementRecord& e = AddPicture(cloud, 30, 12, 40, 70, 0.5);
    e.FixedX = e.FixedY = true;
    const gdi::COLORREF banner = gdi::RGB(195, 190, 130);
    gdi::SetTextColor(world.host.ViewDC(), banner);
    elements.Draw(false);
    EXPECT_EQ(world.At(40, 70), kMarker);
    EXPECT_EQ(world.At(41, 70), kBody);
    EXPECT_EQ(gdi::GetTextColor(world.host.ViewDC()), banner);
}

TEST_F(ElementsDraw, FixedPositionsIgnoreTheCamera) {
    kivSprites3 cloud;
    ElementRecord& e = AddPicture(cloud, 30, 12, 40, 70, 0.5);
    e.FixedX = true;
    e.FixedY = true;
    DrawBackground(12345, -777);
    EXPECT_EQ(world.At(40, 70), kMarker);
    EXPECT_EQ(world.At(39, 70), SceneryWorld::kSky);
}

TEST_F(ElementsDraw, EachPassDrawsOnlyItsOwnElements) {
    kivSprites3 back, front;
    AddPicture(back, 30, 12, 0, 0, 1);
    ElementRecord& frontRecord = AddPicture(front, 30, 12, 0, 0, 1);
    frontRecord.FixedX = frontRecord.FixedY = true;
    frontRecord.Foreground = true;
    ElementRecord dead = LiveRecord(&back, 0, 0, 1);
    dead.FixedX = dead.FixedY = true;
    dead.X = 200;
    dead.Alive = false;
    elements.mItem.push_back(dead);
    CameraX = 0;
    CameraY = 0;
    elements.Draw(true);
    EXPECT_EQ(world.At(0, 0), kMarker);
    EXPECT_EQ(world.At(495, 378), SceneryWorld::kSky);
    EXPECT_EQ(world.At(200, 0), SceneryWorld::kSky);
    elements.Draw(false);
    EXPECT_EQ(world.At(495, 378), kMarker);
    EXPECT_EQ(world.At(200, 0), SceneryWorld::kSky);
}

TEST_F(ElementsDraw, UnsupportedTypeIsReportedPerCopy) {
    kivSprites3 strip;
    AddRepeatedStrip(strip).Type = 2;
    DrawBackground(360, 0);
    ASSERT_EQ(world.host.Messages.size(), 4u);
    EXPECT_EQ(world.host.Messages[0], "Error:clsElements:Type '2' not covered by Case.");
    for (gdi::COLORREF c : world.View()) ASSERT_EQ(c, SceneryWorld::kSky);
}

TEST_F(ElementsDraw, TheGameScenerySitsInTheBackgroundPass) {
    vb::Randomize(11);
    elements.Initialize();
    elements.Draw(true);
    for (gdi::COLORREF c : world.View()) ASSERT_EQ(c, SceneryWorld::kSky);
    elements.Draw(false);
    int drawn = 0;
    for (gdi::COLORREF c : world.View()) drawn += c != SceneryWorld::kSky;
    EXPECT_GT(drawn, ViewWidth * ViewHeight / 20);
}

// The whole sky after five seconds of drift, for a fixed seed and camera.
// Regenerate on purpose with STOMPVALE_UPDATE_GOLDEN=1 after changing the
// scenery or its pictures.
TEST_F(ElementsDraw, GoldenSky) {
    vb::Randomize(42);
    elements.Initialize();
    for (int frame = 0; frame < 250; ++frame) elements.Move();
    DrawBackground(1500, -0.3 * ViewHeight - 120);

    gdi::Picture actual;
    actual.width = ViewWidth;
    actual.height = ViewHeight;
    actual.pixels = world.View();
    ExpectMatchesGolden(actual, "tests/scenery/golden/sky_seed42.gif");
}

} // namespace
