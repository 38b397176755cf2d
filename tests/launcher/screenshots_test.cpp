// F12: where the screenshots go, the PNG that holds the view's own pixels,
// and the overlay that says so without leaving a mark in the game's view.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/view_overlay_host.h"
#include "gdi/raster.h"
#include "launcher/screenshots.h"
#include "platform/headless_host.h"
#include "platform/key_table.h"
#include "support/png_read.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// What reached the window at each refresh.
class ShownFrames final : public platform::ForwardingHost {
  public:
    using ForwardingHost::ForwardingHost;
    void RefreshView() override {
        const gdi::HBITMAP bitmap = gdi::CurrentBitmap(ViewDC());
        gdi::BITMAP size;
        gdi::GetObject(bitmap, size);
        const gdi::COLORREF* pixels = gdi::BitmapColourPixels(bitmap);
        shown.assign(pixels, pixels + static_cast<size_t>(size.bmWidth) * size.bmHeight);
        mInner.RefreshView();
    }
    std::vector<gdi::COLORREF> shown;
};

} // namespace

TEST(Screenshots, GoToThePicturesFolderTheUserNames) {
    struct Case {
        const char* what;
        PicturesPlace place;
        std::string folder;
    } cases[] = {
        {"nothing said", {"/home/ann", "", "", ""}, "/home/ann/Pictures/Stompvale"},
        {"the folders file",
         {"/home/ann", "", "", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"},
         "/home/ann/Bilder/Stompvale"},
        {"an absolute path, the last line counting",
         {"/home/ann", "", "",
          "# comment\nXDG_PICTURES_DIR=\"$HOME/A\"\nXDG_PICTURES_DIR=\"/data/pics\"\n"},
         "/data/pics/Stompvale"},
        {"a relative path is not allowed",
         {"/home/ann", "", "", "XDG_PICTURES_DIR=\"pics\"\n"},
         "/home/ann/Pictures/Stompvale"},
        {"the home itself means none",
         {"/home/ann", "", "", "XDG_PICTURES_DIR=\"$HOME/\"\n"},
         "/home/ann/Pictures/Stompvale"},
        {"an unclosed quote",
         {"/home/ann", "", "", "XDG_PICTURES_DIR=\"$HOME/B\n"},
         "/home/ann/Pictures/Stompvale"},
        {"the environment wins",
         {"/home/ann", "", "/mnt/shots", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"},
         "/mnt/shots/Stompvale"},
        {"a relative environment is ignored",
         {"/home/ann", "", "shots", "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"},
         "/home/ann/Bilder/Stompvale"},
    };
    for (const Case& c : cases) EXPECT_EQ(ScreenshotFolder(c.place), c.folder) << c.what;
}

TEST(Screenshots, APngOfTheViewsOwnPixelsNamedByTheTime) {
    TempDir dir;
    const gdi::Picture view{3, 2, {gdi::RGB(1, 2, 3), 0, 0xFFFFFF, gdi::RGB(200, 0, 9), 5, 7}};
    const std::string folder = (dir.path() / "Pictures" / "Stompvale").string();
    const std::time_t when = 1796900000;
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H-%M-%S", &local);
    const std::string first = std::string("Stompvale ") + stamp + ".png";
    const std::string second = std::string("Stompvale ") + stamp + " 2.png";
    EXPECT_EQ(SaveScreenshot(view, folder, when), "Screenshot: " + first);
    EXPECT_EQ(SaveScreenshot(view, folder, when), "Screenshot: " + second);
    for (const std::string& name : {first, second}) {
        const gdi::Picture read = ReadOwnPng((fs::path(folder) / name).string());
        EXPECT_EQ(read.width, 3) << name;
        EXPECT_EQ(read.height, 2) << name;
        EXPECT_EQ(read.pixels, view.pixels) << name;
    }
    // A file where the folder should be: said, and nothing written.
    std::ofstream(dir.path() / "blocked") << "a file";
    const std::string said = SaveScreenshot(view, (dir.path() / "blocked" / "x").string(), when);
    EXPECT_EQ(said.rfind("No screenshot: ", 0), 0u) << said;
}

TEST(Screenshots, TheOverlayReachesTheWindowButNotTheGamesView) {
    TempDir dir;
    platform::HeadlessHost headless(dir.str());
    headless.CreateGameWindow("Gloamward", false);
    headless.PlaceView(0, 0, 400, 60);
    ShownFrames window(headless);
    std::vector<gdi::Picture> taken;
    ViewOverlayHost overlay(window, [&](const gdi::Picture& view) {
        taken.push_back(view);
        return std::string("Screenshot: test.png");
    });
    ViewOverlayHost::Clock::time_point clock{};
    overlay.now = [&] { return clock; };
    const gdi::HBITMAP bitmap = gdi::CurrentBitmap(overlay.ViewDC());
    gdi::COLORREF* view = gdi::BitmapColourPixels(bitmap);
    ASSERT_NE(view, nullptr);
    std::fill_n(view, 400 * 60, gdi::RGB(10, 120, 30));
    const std::vector<gdi::COLORREF> drawn(view, view + 400 * 60);

    // One frame: the keys with F3 and F12 as given, 20 ms on the clock (40
    // for a late one), the game's drawing, then the refresh.
    const auto frame = [&](bool f3, bool f12, int milliseconds = 20) {
        headless.SetKey(platform::vk::F3, f3);
        headless.SetKey(platform::vk::F12, f12);
        uint8_t keys[256];
        overlay.GetKeyboardState(keys);
        clock += std::chrono::milliseconds(milliseconds);
        overlay.RefreshView();
    };
    struct Step {
        const char* what;
        bool f3, f12;
        int milliseconds;
        size_t lines;
        std::string first;
        size_t taken;
    } steps[] = {
        {"nothing asked", false, false, 20, 0, "", 0},
        {"F12 goes down", false, true, 20, 1, "Screenshot: test.png", 1},
        {"F12 held: no second one", false, true, 20, 1, "Screenshot: test.png", 1},
        {"F3 goes down", true, false, 20, 2, "Screenshot: test.png", 1},
        {"a late frame", false, false, 40, 2, "Screenshot: test.png", 1},
        {"the notice's second is over", false, false, 1000, 1, "frame 1000.00 ms, 1 late", 1},
        {"F3 again: nothing", true, false, 20, 0, "", 1},
    };
    for (const Step& step : steps) {
        frame(step.f3, step.f12, step.milliseconds);
        const std::vector<std::string> lines = overlay.OverlayLines();
        ASSERT_EQ(lines.size(), step.lines) << step.what;
        if (step.lines > 0) {
            EXPECT_EQ(lines.front().substr(0, step.first.size()), step.first) << step.what;
        }
        EXPECT_EQ(taken.size(), step.taken) << step.what;
        // The game's view is as it drew it; the window saw the overlay when
        // there was one.
        EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), view)) << step.what;
        EXPECT_EQ(window.shown != drawn, step.lines > 0) << step.what;
    }
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].width, 400);
    EXPECT_EQ(taken[0].pixels, drawn);
}
