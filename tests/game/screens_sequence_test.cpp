// The screen images over the game: the title sequence on the wall clock, its
// two-second gaps and time scale, and a long screen (death, readme, success)
// holding the sequence back.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "platform/headless_host.h"
#include "support/temp_dir.h"

namespace {

constexpr gdi::COLORREF kSky = gdi::RGB(213, 210, 190);

// Each screen image is a flat colour of its own with a black (transparent)
// right half, so the view tells which one is up.
const std::map<std::string, gdi::COLORREF> kImages = {
    {"Title_1Title.gif", gdi::RGB(10, 200, 10)},
    {"Title_2Instructions.gif", gdi::RGB(20, 20, 220)},
    {"Title_3Credits.gif", gdi::RGB(230, 30, 30)},
    {"Text_Readme.gif", gdi::RGB(240, 240, 20)},
    {"Text_Death.gif", gdi::RGB(200, 20, 200)},
    {"Text_Success.gif", gdi::RGB(20, 210, 210)},
};

class ScreenImages : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& [name, colour] : kImages) {
            gdi::Picture picture;
            picture.width = 40;
            picture.height = 12;
            picture.pixels.assign(40 * 12, colour);
            for (int y = 0; y < 12; ++y)
                for (int x = 20; x < 40; ++x) picture.pixels[y * 40 + x] = 0;
            std::filesystem::create_directories(folder.path() / "images");
            gdi::SavePictureGif((folder.path() / "images" / name).string(), picture, true);
        }
        host = std::make_unique<platform::HeadlessHost>(folder.str());
        platform::SetHost(host.get());
        SetWorldGlobals(1024, 768);
        host->CreateGameWindow("Gloamward", false);
        host->PlaceView(0, 0, ViewWidth, ViewHeight);
        form = std::make_unique<frmMainForm>();
        // What game set-up does for the screens.
        form->TextUntil = platform::AddSeconds(host->Now(), -86400);
        form->TextSprites.Initialize(true, 600, 175, nullptr);
        form->TextTimeScale = 15;
        start = host->Now();
    }
    void TearDown() override {
        form.reset();
        host->DestroyGameWindow();
        platform::SetHost(nullptr);
    }

    std::string Path(const std::string& name) { return folder.str() + "/images/" + name; }

    // One frame of the screen step on a cleared view, then 20 ms pass. Returns
    // the name of the image drawn, or "" for none.
    std::string Frame() {
        gdi::FillSolidRect(host->ViewDC(), 0, 0, ViewWidth, ViewHeight, kSky);
        form->ScreenImageStep();
        std::string shown;
        const gdi::COLORREF at = gdi::GetPixel(host->ViewDC(), 7, 48);
        for (const auto& [name, colour] : kImages)
            if (at == colour) shown = name;
        if (!shown.empty()) {
            // Placed at (7, 48) exactly, black parts left transparent.
            EXPECT_EQ(gdi::GetPixel(host->ViewDC(), 6, 48), kSky);
            EXPECT_EQ(gdi::GetPixel(host->ViewDC(), 7, 47), kSky);
            EXPECT_EQ(gdi::GetPixel(host->ViewDC(), 26, 59), at);
            EXPECT_EQ(gdi::GetPixel(host->ViewDC(), 27, 48), kSky);
        } else {
            EXPECT_EQ(at, kSky);
        }
        host->AdvanceMilliseconds(20);
        return shown;
    }
    // Milliseconds since the first frame.
    int64_t Elapsed() { return host->Now() - start; }
    // Runs frames until the shown image changes; returns the new one.
    std::string RunUntilChange(int maxFrames = 100000) {
        const std::string before = last;
        for (int n = 0; n < maxFrames; ++n) {
            changedAt = Elapsed();
            last = Frame();
            if (last != before) return last;
        }
        return last;
    }

    TempDir folder;
    std::unique_ptr<platform::HeadlessHost> host;
    std::unique_ptr<frmMainForm> form;
    platform::DateTime start = 0;
    std::string last;
    int64_t changedAt = 0;
};

TEST_F(ScreenImages, TitleInstructionsAndCreditsWithTwoSecondGaps) {
    EXPECT_EQ(Frame(), "Title_1Title.gif"); // frame 1
    EXPECT_EQ(form->TitleStep, 1);
    last = "Title_1Title.gif";
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 5000);
    // Exactly 7 seconds after the start nothing shows yet; one frame later the
    // instructions do.
    EXPECT_EQ(RunUntilChange(), "Title_2Instructions.gif");
    EXPECT_EQ(changedAt, 7020);
    EXPECT_EQ(form->TitleStep, 2);
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 7020 + 375000); // 25 x 15 seconds
    EXPECT_EQ(RunUntilChange(), "Title_3Credits.gif");
    EXPECT_EQ(changedAt, 7020 + 375000 + 2020);
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 7020 + 375000 + 2020 + 150000); // 10 x 15 seconds
    // The sequence is over: nothing more, ever.
    for (int n = 0; n < 500; ++n) ASSERT_EQ(Frame(), "");
    host->AdvanceMilliseconds(86'400'000.0);
    EXPECT_EQ(Frame(), "");
    EXPECT_EQ(form->TitleStep, 4);
}

TEST_F(ScreenImages, TimeScaleOneShortensInstructionsAndCredits) {
    form->TextTimeScale = 1;
    last = Frame();
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(RunUntilChange(), "Title_2Instructions.gif");
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 7020 + 25000);
    EXPECT_EQ(RunUntilChange(), "Title_3Credits.gif");
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 7020 + 25000 + 2020 + 10000);
}

TEST_F(ScreenImages, DeathDuringInstructionsHoldsTheSequenceBack) {
    last = Frame();
    RunUntilChange();
    EXPECT_EQ(RunUntilChange(), "Title_2Instructions.gif");
    for (int n = 0; n < 100; ++n) Frame();
    // The man dies two seconds into the instructions.
    const int64_t deathAt = Elapsed();
    form->TextChange(Path("Text_Death.gif"), 10000);
    last = Frame();
    EXPECT_EQ(last, "Text_Death.gif"); // replaced at once
    EXPECT_EQ(form->TitleStep, 2);
    // Ten thousand seconds later, in large steps of the clock.
    host->AdvanceMilliseconds(10'000'000.0 - 20 - 1000);
    EXPECT_EQ(Frame(), "Text_Death.gif");
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt - deathAt, 10'000'000);
    EXPECT_EQ(RunUntilChange(), "Title_3Credits.gif");
    EXPECT_EQ(changedAt - deathAt, 10'002'020);
}

TEST_F(ScreenImages, ANewImageReplacesTheShownOneWhateverItsTimeLeft) {
    form->TextChange(Path("Text_Readme.gif"), 10000);
    EXPECT_EQ(Frame(), "Text_Readme.gif");
    EXPECT_EQ(form->TitleStep, 0); // the readme at set-up holds the title back
    form->TextChange(Path("Text_Success.gif"), 1);
    EXPECT_EQ(Frame(), "Text_Success.gif");
    last = "Text_Success.gif";
    EXPECT_EQ(RunUntilChange(), "");
    EXPECT_EQ(changedAt, 1020); // one second after it was put up at 20 ms
    EXPECT_EQ(RunUntilChange(), "Title_1Title.gif");
    EXPECT_EQ(changedAt, 3040);
}

TEST_F(ScreenImages, TimingFollowsTheWallClockNotTheFrameCount) {
    // Ten frames a second: the title still lasts five seconds.
    int framesWithTitle = 0;
    for (int n = 0; n < 100; ++n) {
        const int64_t at = Elapsed();
        const std::string shown = Frame();
        host->AdvanceMilliseconds(80);
        if (shown == "Title_1Title.gif") {
            ++framesWithTitle;
            EXPECT_LT(at, 5000);
        } else if (at < 5000) {
            ADD_FAILURE() << "title missing at " << at;
        }
    }
    EXPECT_EQ(framesWithTitle, 50);
}

// The monster banner leaves its text colour on the view; the image still
// shows in its own colours, and the view keeps the banner's colour after.
TEST_F(ScreenImages, ImageKeepsItsColoursWhateverTheViewTextColour) {
    const gdi::COLORREF banner = gdi::RGB(195, 190, 130);
    gdi::SetTextColor(host->ViewDC(), banner);
    EXPECT_EQ(Frame(), "Title_1Title.gif");
    EXPECT_EQ(gdi::GetTextColor(host->ViewDC()), banner);
}

TEST_F(ScreenImages, AMissingImageFailsLoudly) {
    EXPECT_ANY_THROW(form->TextChange(Path("Nothing_Here.gif"), 5));
}

} // namespace
