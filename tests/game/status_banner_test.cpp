// The status bars, the ground band, the white frame and the monster banner.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "support/game_world.h"

using namespace world_colours;

namespace {

constexpr gdi::COLORREF kBannerColour = gdi::RGB(195, 190, 130);

void StartParked(GameWorld& world) {
    world.Start();
    world.PlaceMonster(5000, -1, 2);
}

// Monsters of one block each and a history, started, parked and one frame run.
void StartWithMonsters(GameWorld& world, const std::vector<std::string>& monsters,
                       const std::string& history = "") {
    for (const std::string& file : monsters) world.AddMonster(file, {"SSSS"});
    if (!history.empty()) world.WriteHistory(history);
    StartParked(world);
    world.Frame();
}

// Pixels of the banner colour inside a box of the view.
int BannerPixels(GameWorld& world, int left, int top, int width, int height) {
    int count = 0;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) count += world.ViewPixel(x, y) == kBannerColour;
    }
    return count;
}

// Redraws one banner text over the background it was drawn on and checks
// that the view comes out the same: the game drew exactly this text there.
void ExpectBannerText(GameWorld& world, const std::string& text, double size, int left, int top,
                      int width) {
    const gdi::Picture before = world.ViewPicture();
    gdi::HDC dc = world.game().picMainDC();
    FillRectGdi(dc, left - 40, top - 3, left + width + 10, top + 28, kBackground);
    DrawTextGdi(dc, text, "Arial", size, true, false, left + 1, top + 1, width, 25,
                gdi::RGB(128, 128, 128), 2, 0, 0, 0, 0, 0, false);
    DrawTextGdi(dc, text, "Arial", size, true, false, left, top, width, 25, kBannerColour, 2, 0, 0,
                0, 0, 0, false);
    const gdi::Picture after = world.ViewPicture();
    int differences = 0;
    for (int y = top - 3; y < top + 28; ++y) {
        for (int x = left - 40; x < left + width + 10; ++x) {
            differences += before.pixels[y * before.width + x] != after.pixels[y * after.width + x];
        }
    }
    EXPECT_EQ(differences, 0) << text;
    EXPECT_GT(BannerPixels(world, left - 40, top, width + 40, 30), 0) << text;
}

} // namespace

TEST(StatusBars, FullBarsEndAt1005OnA1023View) {
    GameWorld world;
    StartWithMonsters(world, {"3 Block.gif"});
    // Hit points: rows 12..17; strength: rows 24..29; from x 9 to 1004.
    for (int y : {12, 17, 24, 29}) {
        EXPECT_EQ(world.ViewPixel(9, y), kWhite) << y;
        EXPECT_EQ(world.ViewPixel(1004, y), kWhite) << y;
        EXPECT_EQ(world.ViewPixel(1005, y), kBackground) << y;
        EXPECT_EQ(world.ViewPixel(8, y), kBackground) << y;
    }
    EXPECT_EQ(world.ViewPixel(500, 11), kBackground);
    EXPECT_EQ(world.ViewPixel(500, 18), kBackground);
    EXPECT_EQ(world.ViewPixel(500, 36), kBackground); // no charge: no sword bar
}

TEST(StatusBars, ColoursAndLengthsFollowTheirValues) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS"});
    StartParked(world);
    world.monster().mHitTotal = 299;
    world.man().mStrength = 20; // below 25
    world.Frame();
    // 299 / 1200 of 1005: RoundEven(250.41) = 250.
    EXPECT_EQ(world.ViewPixel(249, 12), gdi::RGB(255, 255, 0));
    EXPECT_EQ(world.ViewPixel(250, 12), kBackground);
    const double strength = world.man().mStrength; // after this frame's rest
    const int end = vb::RoundEven(1005 * strength / 100);
    EXPECT_EQ(world.ViewPixel(end - 1, 24), gdi::RGB(128, 128, 192));
    EXPECT_EQ(world.ViewPixel(end, 24), kBackground);

    world.monster().mHitTotal = 0;
    world.man().mSwordCounter = 51;
    world.man().mStrength = 0;
    world.Frame();
    EXPECT_EQ(world.ViewPixel(10, 12), kBackground);
}

TEST(StatusBars, NoHitPointBarOnceTheTotalIsBelowZero) {
    // A fourth F takes the total to -400: the bar must not reappear as a
    // sliver running left from its start.
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS"});
    StartParked(world);
    world.monster().mHitTotal = -400;
    world.Frame();
    ASSERT_EQ(world.monster().mHitTotal, -400);
    for (int y : {12, 17}) {
        for (int x : {3, 5, 8, 9, 500})
            EXPECT_EQ(world.ViewPixel(x, y), kBackground) << x << "," << y;
    }
    world.monster().mHitTotal = 12;
    world.Frame();
    EXPECT_EQ(world.ViewPixel(9, 12), gdi::RGB(255, 255, 0)); // RoundEven(1005 x 12 / 1200) = 10
    EXPECT_EQ(world.ViewPixel(10, 12), kBackground);
}

TEST(StatusBars, SwordBarTurnsRedAboveFifty) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS", "SSSS", "SSSS"});
    world.Start();
    world.PlaceMonster(10, -2, 2);
    world.PlaceMan(8.5, 0);
    world.Hold(keys::kZ);
    world.Frame(50);
    EXPECT_EQ(world.ViewPixel(9, 36), kWhite);
    EXPECT_EQ(world.ViewPixel(vb::RoundEven(1005 * 0.5) - 1, 41), kWhite);
    world.Frame();
    EXPECT_EQ(world.ViewPixel(9, 36), gdi::RGB(192, 128, 128));
}

TEST(StatusBars, GroundBandAndWhiteFrame) {
    GameWorld world;
    world.AddMonster("3 Block.gif", {"SSSS"});
    StartParked(world);
    world.Frame(100);
    const int groundTop = vb::RoundEven(PixelHeight + OffsetY);
    EXPECT_LT(groundTop, ViewHeight - 5);
    EXPECT_EQ(world.ViewPixel(500, groundTop), kGround);
    EXPECT_EQ(world.ViewPixel(500, groundTop - 1), kBackground);
    EXPECT_EQ(world.ViewPixel(500, 761), kGround);
    EXPECT_EQ(world.ViewPixel(500, 762), kWhite); // the frame's bottom, 6 high
    EXPECT_EQ(world.ViewPixel(3, 700), kGround);
    EXPECT_EQ(world.ViewPixel(2, 700), kWhite);
    EXPECT_EQ(world.ViewPixel(1019, 700), kGround);
    EXPECT_EQ(world.ViewPixel(1020, 700), kWhite);
    EXPECT_EQ(world.ViewPixel(3, 400), kBackground);
    EXPECT_EQ(world.ViewPixel(500, 5), kWhite);
    EXPECT_EQ(world.ViewPixel(500, 6), kBackground);
}

TEST(Banner, AFreshHistoryShowsOnlyTheName) {
    GameWorld world;
    StartWithMonsters(world, {"1 Mud_Crab.gif", "2 Imp.gif"});
    ExpectBannerText(world, "Mud Crab", 30, 1023 - 425, 71, 400);
    EXPECT_EQ(BannerPixels(world, 700, 121, 323, 60), 0);
}

TEST(Banner, AfterOneDefeatShowsMonstersLeftAndDefeated) {
    GameWorld world;
    StartWithMonsters(world, {"1 Mud_Crab.gif", "2 Imp.gif", "3 Ogre.gif"}, "1 Mud_Crab.gif,1\r\n");
    ExpectBannerText(world, "Imp", 30, 1023 - 425, 71, 400);
    ExpectBannerText(world, "2 Monsters Left", 20, 1023 - 225, 121, 200);
    ExpectBannerText(world, "1 Defeated", 20, 1023 - 225, 151, 200);
}

TEST(Banner, OneMonsterLeftAndTheBannerEndsAfterFiveSeconds) {
    GameWorld world;
    StartWithMonsters(world, {"1 Mud_Crab.gif", "2 Imp.gif"}, "1 Mud_Crab.gif,1\r\n");
    ExpectBannerText(world, "1 Monster Left", 20, 1023 - 225, 121, 200);
    ExpectBannerText(world, "1 Defeated", 20, 1023 - 225, 151, 200);
    world.Frame(249); // 5.0 seconds after the monster was built
    EXPECT_EQ(BannerPixels(world, 500, 60, 523, 130), 0);
}

TEST(GameSetUp, TimeScaleByMonsterId) {
    for (const auto& [file, scale] : std::vector<std::pair<std::string, int>>{
             {"3 Ox.gif", 1}, {"2 Ox.gif", 15}, {"1 Ox.gif", 15}, {"Ox Ox.gif", 15}}) {
        GameWorld world;
        world.AddMonster(file, {"S"});
        world.Start();
        EXPECT_EQ(world.game().TextTimeScale, scale) << file;
    }
}

TEST(GameSetUp, AllDefeatedStartsWithTheReadmeAndNoMonster) {
    GameWorld world;
    world.AddMonster("1 Ox.gif", {"S"});
    world.WriteHistory("1 Ox.gif,2\r\n");
    world.Start();
    EXPECT_EQ(world.game().TextUntil, world.host.Now() + 10000 * 1000LL);
    EXPECT_EQ(world.monster().mFileName, "");
    world.Hold(keys::kLeft);
    world.Frame(20);
    EXPECT_LT(world.man().mX, -40); // the free camera
    EXPECT_EQ(CameraLeadX, 0);      // and no lead
    // No status bar and no banner.
    EXPECT_EQ(world.ViewPixel(500, 12), kBackground);
    EXPECT_EQ(world.ViewPixel(500, 24), kBackground);
}

TEST(GameSetUp, WindowCoversTheScreenWithTheViewInItsMiddle) {
    // The windowed build's 1023 x 768 play area on desktops of several sizes.
    struct Case {
        int32_t desktopWidth, desktopHeight, viewLeft, viewTop;
    };
    for (const Case& c : {Case{1024, 768, 0, 0}, Case{1280, 1024, 128, 128},
                          Case{1920, 1080, 448, 156}, Case{1025, 770, 1, 1}}) {
        GameWorld world;
        world.host.Desktop[0] = c.desktopWidth;
        world.host.Desktop[1] = c.desktopHeight;
        world.AddMonster("1 Ox.gif", {"S"});
        world.Start();
        const int32_t window[4] = {0, 0, c.desktopWidth, c.desktopHeight};
        const int32_t view[4] = {c.viewLeft, c.viewTop, 1023, 768};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(world.host.WindowRect[i], window[i]) << c.desktopWidth << " field " << i;
            EXPECT_EQ(world.host.ViewRect[i], view[i]) << c.desktopWidth << " field " << i;
        }
    }
}

TEST(GameFrame, EscapeAsksToQuitAndTheFrameStillRuns) {
    GameWorld world;
    world.AddMonster("1 Ox.gif", {"S"});
    world.Start();
    world.Frame();
    const int refreshes = world.host.RefreshCount;
    world.Hold(keys::kEscape);
    world.Frame();
    EXPECT_EQ(NextGameState, 2);
    EXPECT_EQ(world.host.RefreshCount, refreshes + 1);
}

TEST(GameFrame, ClosingTheFormAsksToQuit) {
    GameWorld world;
    world.AddMonster("1 Ox.gif", {"S"});
    world.Start();
    world.game().Unload();
    EXPECT_EQ(NextGameState, 2);
}
