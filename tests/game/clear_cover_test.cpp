// A frame that clears only what its opaque layers leave uncovered shows the
// same view as one that clears everything, frame after frame, whatever the
// view held before: monsters across every edge, moving, sinking into the
// ground, under scenery and screen images.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

using namespace keys;

namespace {

// A monster picture with holes, a ragged outline, fur and hit points.
gdi::Picture Ragged(int width, int height) {
    using namespace world_colours;
    gdi::Picture p = SolidPicture(width, height, kSolid);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            gdi::COLORREF& c = p.pixels[static_cast<size_t>(y) * width + x];
            const int edge = (x * 7 + y * 3) % 11;
            if (x < edge / 2 || width - x <= edge / 3 || (x / 9 + y / 4) % 6 == 0)
                c = kBlack;
            else if ((x + y) % 13 == 0)
                c = kFur;
            else if (x % 17 == 5 && y % 9 == 4)
                c = kWhite;
        }
    return p;
}

// A picture of bumps and gaps: mountains, clouds, the bridge and the title.
gdi::Picture Bumpy(int width, int height, gdi::COLORREF colour) {
    gdi::Picture p = SolidPicture(width, height, 0);
    for (int x = 0; x < width; ++x) {
        const int top = (x * 5) % height / 2 + (x / 17) % 3;
        for (int y = top; y < height; ++y)
            if ((x / 23) % 4 != 3) p.pixels[static_cast<size_t>(y) * width + x] = colour + (y % 4);
    }
    return p;
}

void PaintScenery(GameWorld& world) {
    world.WriteGif("images/Background_Mountain_Range.gif", Bumpy(180, 40, gdi::RGB(90, 110, 140)));
    world.WriteGif("images/Background_Bridge.gif", Bumpy(120, 30, gdi::RGB(150, 120, 90)));
    for (int n = 1; n <= 3; ++n)
        world.WriteGif("images/Background_Cloud" + std::to_string(n) + ".gif",
                       Bumpy(30 + 10 * n, 12, gdi::RGB(240, 240, 250)));
    world.WriteGif("images/Title_1Title.gif", Bumpy(600, 175, gdi::RGB(30, 200, 60)));
}

struct Scene {
    const char* name;
    std::string monsterFile;
    bool scenery;
    std::function<void(GameWorld&)> place; // after Start
    int heldKey;                           // 0: none
    int frames;
};

// The view after each frame of a scene, as a hash of its pixels, with the
// view filled with a colour of its own before each frame; also the most
// covers a clear left.
struct Views {
    std::vector<uint64_t> views;
    size_t mostCovers = 0;
};

uint64_t Hash(const gdi::COLORREF* pixels, size_t count) {
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < count; ++i) h = (h ^ pixels[i]) * 1099511628211ull;
    return h;
}

Views Play(const Scene& scene, bool onlyUncovered) {
    GameWorld world(99);
    if (scene.scenery) PaintScenery(world);
    world.AddMonster(scene.monsterFile, Ragged(120, 60));
    world.Start();
    world.game().ClearOnlyUncovered = onlyUncovered;
    world.PlaceMan(0, 0);
    scene.place(world);
    if (scene.heldKey) world.Hold(scene.heldKey);
    Views run;
    for (int frame = 0; frame < scene.frames; ++frame) {
        gdi::FillSolidRect(world.host.ViewDC(), 0, 0, ViewWidth, ViewHeight,
                           gdi::RGB(255, 0, 255 - frame % 7));
        world.Frame();
        run.views.push_back(Hash(gdi::BitmapColourPixels(gdi::CurrentBitmap(world.host.ViewDC())),
                                 static_cast<size_t>(ViewWidth) * ViewHeight));
        run.mostCovers = std::max(run.mostCovers, world.game().ClearCovers().size());
    }
    return run;
}

} // namespace

TEST(ClearCover, SameViewAsAFullClearEveryFrame) {
    // The view shows about 170 game pixels either side of the man and 100
    // above the ground; the monster is 120 x 60.
    const Scene scenes[] = {
        {"still, across the left edge, the camera panning", "1 Block 43.gif", false,
         [](GameWorld& w) { w.PlaceMonster(-250, -80); }, kRight, 60},
        {"still, across the right edge", "1 Block 43.gif", false,
         [](GameWorld& w) { w.PlaceMonster(110, -70); }, kLeft, 60},
        {"still, across the top edge", "1 Block 43.gif", false,
         [](GameWorld& w) { w.PlaceMonster(-60, -140); }, 0, 20},
        {"flying in loops", "1 Moth 41.gif", true, [](GameWorld& w) { w.PlaceMonster(-40, -90); },
         0, 120},
        {"jumping", "1 Toad 19.gif", false, [](GameWorld& w) { w.PlaceMonster(-150, -60); }, 0,
         160},
        {"sinking into the ground", "1 Block 43.gif", true,
         [](GameWorld& w) { w.PlaceMonster(-60, -70, 3); }, 0, 110},
        {"under scenery and the title, the man walking", "1 Block 43.gif", true,
         [](GameWorld& w) { w.PlaceMonster(-200, -75); }, kRight, 120},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        const Views full = Play(scene, false);
        const Views skipping = Play(scene, true);
        ASSERT_EQ(full.views.size(), skipping.views.size());
        for (size_t f = 0; f < full.views.size(); ++f) {
            ASSERT_EQ(full.views[f], skipping.views[f]) << "frame " << f + 1;
        }
        // The frame and the ground are four and one rectangles: the monster
        // or the scenery claimed more.
        EXPECT_GT(skipping.mostCovers, 8u);
        EXPECT_TRUE(full.mostCovers == 0);
    }
}
