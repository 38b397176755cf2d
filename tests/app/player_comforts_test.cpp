// The options screen, the marks over the view and the fights' times through
// the real start-up, frame loop and game form on a headless host, driven by
// scripted keys.
#include <gtest/gtest.h>

#include <map>

#include "app/modMain.h"
#include "app/player_comforts.h"
#include "app/view_overlay_host.h"
#include "monsters/clsMonster.h"
#include "platform/game_input.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"
#include "support/game_world.h"
#include "vb/numeric.h"

namespace {

namespace vk = platform::vk;

// A game with comforts whose effects are written down, and keys tapped one
// after another from a frame on, two frames each (down, then up).
struct ComfortsRun {
    explicit ComfortsRun(Settings settings = {}) {
        world.AddMonster("1 Ant.gif", {"SSSS", "SSSS"});
        ComfortsEffects effects;
        effects.applySettings = [this](const Settings& s) { applied.push_back(s); };
        effects.saveSettings = [this](const Settings& s) { saved.push_back(s); };
        effects.saveControls = [this](const platform::ControlMap& m) { controls.push_back(m); };
        effects.saveStats = [this](const std::vector<MonsterStats>& s) { stats.push_back(s); };
        comforts = std::make_unique<PlayerComforts>(settings, platform::ControlMap::Defaults(),
                                                    std::vector<MonsterStats>{}, effects);
    }

    void Keys(int fromFrame, const std::vector<int>& keys) {
        for (size_t i = 0; i < keys.size(); ++i)
            taps[fromFrame + 2 * static_cast<int>(i)] = keys[i];
    }

    // Plays until `lastFrame`, then closes the window.
    int Run(int lastFrame) {
        ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
        setup.comforts = comforts.get();
        setup.newSeed = [] { return uint64_t{77}; };
        setup.beforeGameEnds = [this](GameForm& form) { checksum = form.StateChecksum(); };
        world.host.OnDoEvents = [this, lastFrame](platform::HeadlessHost& host) {
            ++frame;
            if (onFrame) onFrame(frame);
            if (const auto up = taps.find(frame - 1); up != taps.end())
                host.SetKey(up->second, false);
            if (const auto down = taps.find(frame); down != taps.end())
                host.SetKey(down->second, true);
            if (frame == lastFrame) host.RequestClose();
        };
        if (!onShown) return Main(setup);
        // What the window is given, after the marks and before they go.
        struct Shown : platform::ForwardingHost {
            Shown(platform::Host& inner, ComfortsRun& run) : ForwardingHost(inner), mRun(run) {}
            void RefreshView() override {
                const gdi::COLORREF* view = gdi::BitmapColourPixels(gdi::CurrentBitmap(ViewDC()));
                if (view && frmMain && TheGameForm()->mMan->mDrawn)
                    mRun.onShown(view, TheGameForm()->mMan->mDrawnBlock);
            }
            ComfortsRun& mRun;
        } shown(world.host, *this);
        ViewOverlayHost overlay(shown, nullptr);
        overlay.drawOver = [this](ViewMarks& marks) { comforts->DrawOver(marks); };
        platform::SetHost(&overlay);
        const int status = Main(setup);
        platform::SetHost(&world.host);
        return status;
    }

    GameWorld world;
    std::unique_ptr<PlayerComforts> comforts;
    std::map<int, int> taps;
    std::function<void(int)> onFrame;
    // Set: every picture shown, with where the man was drawn.
    std::function<void(const gdi::COLORREF* view, const gdi::RECT& man)> onShown;
    std::vector<Settings> applied, saved;
    std::vector<platform::ControlMap> controls;
    std::vector<std::vector<MonsterStats>> stats;
    int frame = 0;
    uint64_t checksum = 0;
};

// Rows of the main page, as the screen lists them.
constexpr int kControlsRow = 7;
constexpr int kJumpRow = 4, kDefaultsRow = 11;

std::vector<int> Repeat(int key, int times) {
    return std::vector<int>(static_cast<size_t>(times), key);
}

std::vector<int> Then(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST(OptionsScreen, SoundAndVolumeChangeAtOnceAndAreKeptWhenItCloses) {
    ComfortsRun run;
    // Tab at frame 5; Enter turns the sound on; Down, Left, Left: 80 %;
    // Escape at frame 15 closes.
    run.Keys(5, {vk::Tab, vk::Return, vk::Down, vk::Left, vk::Left, vk::Escape});
    bool openWhileRaw = false;
    run.onFrame = [&](int frame) {
        if (frame == 10)
            openWhileRaw = run.comforts->Options().IsOpen() &&
                           run.world.host.ControlsAsked() == platform::ControlMap::Raw();
    };
    ASSERT_EQ(run.Run(60), 0);
    EXPECT_TRUE(openWhileRaw);
    ASSERT_EQ(run.applied.size(), 3u);
    EXPECT_TRUE(run.applied[0].sound);
    EXPECT_EQ(run.applied[2].volume, 80);
    ASSERT_EQ(run.saved.size(), 1u); // once, as it closed
    EXPECT_EQ(run.saved[0], run.applied.back());
    EXPECT_EQ(run.world.host.ControlsAsked(), platform::ControlMap::Defaults());
    // Frames 6 (opened) to 16 (closed) did not play: the game ran 60 - 11.
    EXPECT_EQ(run.comforts->Fights().RunMilliseconds(), (60 - 11) * 20);
    // Escape closed the screen without quitting the game: it ran until the
    // close at frame 60, and ended in the frame after.
    EXPECT_EQ(run.frame, 61);
}

TEST(OptionsScreen, APadMovesChangesAndGoesBack) {
    ComfortsRun run;
    using platform::PadInput;
    const auto pad = [](PadInput input) { return platform::PadInputKey(input); };
    // D-pad down to the volume, left on the D-pad and on the stick, up to
    // the sound, A turns it on, B closes.
    run.Keys(5,
             {vk::Tab, pad(PadInput::DPadDown), pad(PadInput::DPadLeft), pad(PadInput::StickLeft),
              pad(PadInput::DPadUp), pad(PadInput::A), pad(PadInput::B)});
    ASSERT_EQ(run.Run(60), 0);
    ASSERT_EQ(run.applied.size(), 3u);
    EXPECT_EQ(run.applied[1].volume, 80);
    EXPECT_TRUE(run.applied[2].sound); // A on the first line
    EXPECT_FALSE(run.comforts->Options().IsOpen());
    ASSERT_EQ(run.saved.size(), 1u);
    EXPECT_EQ(run.saved[0], run.applied.back());
}

TEST(OptionsScreen, AnActionBoundAgainWorksAndDefaultsBringBackTheOldKeys) {
    ComfortsRun run;
    // To Controls, down to Jump, Enter, J; Escape twice. Then again to
    // Controls, down to Defaults, Enter; Escape twice.
    const std::vector<int> toControls =
        Then(Then({vk::Tab}, Repeat(vk::Down, kControlsRow)), {vk::Return});
    run.Keys(5, Then(Then(toControls, Repeat(vk::Down, kJumpRow)),
                     {vk::Return, 'J', vk::Escape, vk::Escape}));
    run.Keys(60, Then(Then(toControls, Repeat(vk::Down, kDefaultsRow)),
                      {vk::Return, vk::Escape, vk::Escape}));
    platform::ControlMap between;
    run.onFrame = [&](int frame) {
        if (frame == 58) between = run.world.host.ControlsAsked();
    };
    ASSERT_EQ(run.Run(120), 0);
    ASSERT_EQ(run.controls.size(), 2u);
    const platform::ControlMap& jumpOnJ = run.controls[0];
    EXPECT_EQ(jumpOnJ.Keyboard(platform::Action::Jump), std::vector<int>{'J'});
    EXPECT_EQ(between, jumpOnJ); // the window plays with it at once
    // J now stands for the game's jump key; Space jumps no more.
    platform::GameInput input(jumpOnJ);
    uint8_t table[256];
    input.KeyDown('J');
    input.CopyTo(table);
    EXPECT_TRUE(table[vk::Space] & 0x80);
    input.KeyUp('J');
    input.KeyDown(vk::Space);
    input.CopyTo(table);
    EXPECT_FALSE(table[vk::Space] & 0x80);
    EXPECT_EQ(run.controls[1], platform::ControlMap::Defaults());
    EXPECT_EQ(run.world.host.ControlsAsked(), platform::ControlMap::Defaults());
}

TEST(OptionsScreen, EscapeWhileWaitingForAKeyKeepsTheOldOneAndKeptKeysAreRefused) {
    ComfortsRun run;
    run.Keys(5, Then(Then(Then({vk::Tab}, Repeat(vk::Down, kControlsRow)), {vk::Return}),
                     {vk::Return, vk::F12, vk::Escape, vk::Escape, vk::Escape}));
    std::string refused;
    run.onFrame = [&](int frame) {
        if (frame == 5 + 2 * 10 + 1) refused = run.comforts->Options().Notice();
    };
    ASSERT_EQ(run.Run(60), 0);
    EXPECT_EQ(refused, "F12 is kept for the game's own use");
    EXPECT_TRUE(run.controls.empty()); // nothing changed, nothing written
}

TEST(ManMarker, IsShownOverTheViewAndTheGameEndsWithTheSameChecksum) {
    auto play = [](Settings settings, int* skyFrames) {
        ComfortsRun run(settings);
        int frames = 0, sky = 0;
        run.onShown = [&](const gdi::COLORREF* view, const gdi::RECT& b) {
            ++frames;
            sky += view[static_cast<size_t>(b.top) * ViewWidth + b.left] ==
                   ManColourValue(ManColour::SkyBlue);
        };
        run.onFrame = [&](int frame) {
            run.world.host.SetKey(frame % 200 < 100 ? vk::Right : vk::Left, true);
            run.world.host.SetKey(frame % 200 < 100 ? vk::Left : vk::Right, false);
            run.world.host.SetKey(vk::Space, frame % 37 == 0);
            // After each frame the view holds the game's own red man again.
            if (frmMain && TheGameForm()->mMan->mDrawn) {
                const gdi::RECT b = TheGameForm()->mMan->mDrawnBlock;
                EXPECT_EQ(run.world.ViewPixel(b.left, b.top),
                          static_cast<gdi::COLORREF>(TheGameForm()->mMan->mDrawnColour));
            }
        };
        EXPECT_EQ(run.Run(600), 0);
        if (skyFrames) *skyFrames = sky;
        EXPECT_GT(frames, 100);
        return run.checksum;
    };
    Settings marked;
    marked.marker = MarkerChoice::Always;
    marked.manColour = ManColour::SkyBlue;
    int sky = 0;
    const uint64_t withMarks = play(marked, &sky);
    const uint64_t without = play(Settings{}, nullptr);
    EXPECT_GT(sky, 100);
    EXPECT_NE(withMarks, 0u);
    EXPECT_EQ(withMarks, without);
}

TEST(ManMarker, WhileHiddenTheRingShowsOnlyWhenNothingOfHimCanBeSeen) {
    ComfortsRun run(Settings{.marker = MarkerChoice::WhenHidden});
    // At each refresh: whether the ring's top is drawn above his block.
    std::vector<int> ringAt;
    run.onShown = [&](const gdi::COLORREF* view, const gdi::RECT& b) {
        const int x = (b.left + b.right) / 2, y = (b.top + b.bottom) / 2 - 12;
        if (view[static_cast<size_t>(y) * ViewWidth + x] == gdi::RGB(255, 0, 0))
            ringAt.push_back(run.frame + 1); // refreshed in the frame after the last DoEvents
    };
    run.onFrame = [&](int frame) {
        // A grey particle over him for frames 101 to 140.
        if (frame >= 100 && frame < 140 && frmMain) {
            const clsMan& man = *TheGameForm()->mMan;
            frmMain->Particles().Add(vb::Int(man.mX) + 0.5, vb::Int(man.mY) + 0.5, 0, 0, 3,
                                     gdi::RGB(90, 90, 90));
        }
    };
    EXPECT_EQ(run.Run(200), 0);
    ASSERT_FALSE(ringAt.empty());
    EXPECT_GE(ringAt.front(), 101);
    // The last particles drift off him within a few frames: the ring goes.
    EXPECT_LT(ringAt.back(), 170);
    EXPECT_GE(ringAt.size(), 30u);
}

TEST(FightTimes, ADefeatSetsTheBestTimeAndADeathIsCounted) {
    ComfortsRun run;
    int defeatFrame = 0;
    run.onFrame = [&](int frame) {
        if (!frmMain) return;
        clsMonster& monster = frmMain->Monster(1);
        if (frame == 10) {
            monster.mHitTotal = 0;
            monster.mState = 3;
        }
        if (frame > 10 && monster.mFileName.empty() && defeatFrame == 0) defeatFrame = frame;
    };
    ASSERT_EQ(run.Run(1500), 0);
    ASSERT_GT(defeatFrame, 10);
    const int64_t best = int64_t{defeatFrame} * 20;
    ASSERT_FALSE(run.stats.empty()); // kept at the defeat, and at the end
    EXPECT_EQ(run.stats.front(), (std::vector<MonsterStats>{{"1 Ant.gif", best, 0, 0}}));
    EXPECT_EQ(run.comforts->Fights().DefeatTimes(), "1 Ant.gif = " + std::to_string(best) + "\n");
    EXPECT_EQ(run.comforts->Fights().RunMilliseconds(), 1500 * 20);

    ComfortsRun dying;
    dying.world.AddMonster("2 Bee.gif", {"SS"});
    dying.onFrame = [&](int frame) {
        if (frame == 30 && frmMain) TheGameForm()->mMan->Die(1);
    };
    ASSERT_EQ(dying.Run(100), 0);
    ASSERT_FALSE(dying.stats.empty());
    EXPECT_EQ(dying.stats.back(), (std::vector<MonsterStats>{{"1 Ant.gif", -1, 1, 0}}));
    // The statistics page lists the monsters not met yet as well, in order.
    EXPECT_EQ(dying.comforts->RosterStats(),
              (std::vector<MonsterStats>{{"1 Ant.gif", -1, 1, 0}, {"2 Bee.gif"}}));
}
