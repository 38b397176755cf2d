// A frame that clears only what its opaque layers leave uncovered, and draws
// the scenery behind the action only where later layers leave it showing,
// shows the same view as one that clears and draws everything, frame after
// frame, whatever the view held before: monsters across the edges, moving,
// sinking into the ground, under scenery and a screen image.
#include <gtest/gtest.h>

#include <functional>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "support/game_world.h"

using namespace keys;

namespace {

// Bumps and gaps: a ragged monster, or scenery in a colour.
gdi::Picture Ragged(int width, int height, gdi::COLORREF colour) {
    gdi::Picture p = SolidPicture(width, height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (y >= (x * 5) % height / 3 && (x / 9 + y / 4) % 6 != 0 && (x / 23) % 5 != 4)
                p.pixels[static_cast<size_t>(y) * width + x] = colour + (x + y) % 13 * 0x10000;
    return p;
}

struct Scene {
    const char* name;
    const char* monster; // its movement code picks the motion
    double x, y;
    int32_t state, key, frames;
    bool scenery;
};

// A hash of the view after each frame, the view filled with a colour of its
// own before each; and the most rectangles a clear left to later layers.
std::pair<std::vector<uint64_t>, size_t> Play(const Scene& scene, bool onlyUncovered) {
    GameWorld world(99);
    if (scene.scenery) {
        world.WriteGif("images/Background_Mountain_Range.gif", Ragged(180, 40, 0x8C6E5A));
        world.WriteGif("images/Background_Bridge.gif", Ragged(120, 30, 0x5A7896));
        for (const char* n : {"1", "2", "3"})
            world.WriteGif(std::string("images/Background_Cloud") + n + ".gif",
                           Ragged(40, 12, 0xF0F0F0));
        world.WriteGif("images/Title_1Title.gif", Ragged(600, 175, 0x3CC81E));
    }
    world.AddMonster(scene.monster, Ragged(120, 60, gdi::RGB(200, 200, 200)));
    world.Start();
    world.game().ClearOnlyUncovered = onlyUncovered;
    world.PlaceMan(0, 0);
    world.PlaceMonster(scene.x, scene.y, scene.state);
    if (scene.key) world.Hold(scene.key);
    std::vector<uint64_t> views;
    size_t most = 0;
    for (int frame = 0; frame < scene.frames; ++frame) {
        gdi::FillSolidRect(world.host.ViewDC(), 0, 0, ViewWidth, ViewHeight, 0xFF00FF - frame);
        world.Frame();
        const gdi::COLORREF* px = gdi::BitmapColourPixels(gdi::CurrentBitmap(world.host.ViewDC()));
        uint64_t h = 1469598103934665603ull;
        for (int i = 0; i < ViewWidth * ViewHeight; ++i) h = (h ^ px[i]) * 1099511628211ull;
        views.push_back(h);
        most = std::max(most, world.game().ClearCovers().size());
    }
    return {views, most};
}

} // namespace

TEST(ClearCover, SameViewAsAFullClearEveryFrame) {
    // The view shows about 170 game pixels either side of the man and 100
    // above the ground; the monster is 120 x 60.
    const Scene scenes[] = {
        {"across the left edge, the camera panning", "1 Block 43.gif", -250, -80, 2, kRight, 60,
         false},
        {"across the right edge", "1 Block 43.gif", 110, -70, 2, kLeft, 60, false},
        {"across the top edge", "1 Block 43.gif", -60, -140, 2, 0, 20, false},
        {"flying in loops", "1 Moth 41.gif", -40, -90, 2, 0, 120, true},
        {"jumping", "1 Toad 19.gif", -150, -60, 2, 0, 160, false},
        {"sinking into the ground", "1 Block 43.gif", -60, -70, 3, 0, 110, true},
        {"under scenery and the title, the man walking", "1 Block 43.gif", -200, -75, 2, kRight,
         120, true},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        const auto [full, fullCovers] = Play(scene, false);
        const auto [skipping, covers] = Play(scene, true);
        for (size_t f = 0; f < full.size(); ++f)
            ASSERT_EQ(full[f], skipping[f]) << "frame " << f + 1;
        // Beyond the frame's four rectangles and the ground's one, the
        // monster or the scenery claimed some.
        EXPECT_GT(covers, 8u);
        EXPECT_EQ(fullCovers, 0u);
    }
}
