// The game's own sounds: without --sound, with --mute, without a device or
// without the Sounds folder the game plays exactly the same.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "app/modMain.h"
#include "audio/bass.h"
#include "audio/sound_enabled.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "platform/audio_device.h"
#include "player/clsMan.h"
#include "sounds/game_sounds.h"
#include "support/game_world.h"
#include "support/sound_scene.h"
#include "support/source_tree.h"

namespace {

namespace fs = std::filesystem;
using namespace keys;

} // namespace

TEST(GameSounds, MutedOrWithoutSoundsTheGamePlaysTheSame) {
    // The game's state after the same strike, with sounds and without them.
    uint64_t withSounds = 0;
    {
        GameWorld world;
        CopySounds(world);
        ASSERT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0); // the pulled device
        SoundEnabled = GameSoundsOn = true;
        withSounds = StrikeIntoFur(world);
        EXPECT_EQ(GameSoundPlays(GameSound::HitPoint), 1);
        UnloadGameSounds();
        BASS_Free();
    }
    struct Case {
        const char* what;
        bool sounds, enabled, asked;
    };
    for (const Case& c :
         {Case{"muted", true, false, true}, Case{"no Sounds folder", false, true, true},
          Case{"not asked for", true, true, false}}) {
        GameWorld world;
        if (c.sounds) CopySounds(world);
        SoundEnabled = c.enabled;
        GameSoundsOn = c.asked;
        if (c.enabled) BASS_Init(-1, 44100, 0, nullptr, nullptr);
        EXPECT_EQ(StrikeIntoFur(world), withSounds) << c.what;
        EXPECT_TRUE(GameSoundsPlayed().empty()) << c.what;
        UnloadGameSounds();
        if (c.enabled) BASS_Free();
        SoundEnabled = GameSoundsOn = false;
    }
}

TEST(GameSounds, OnlySoundOnTheCommandLinePlaysThemAndMuteWins) {
    struct Case {
        bool sound, mute;
        int rises;
        bool enabled;
    };
    const Case cases[] = {
        {false, false, 0, true}, // the device is open, the game silent
        {true, false, 1, true},
        {true, true, 0, false},
        {false, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sound " << c.sound << " mute " << c.mute);
        GameWorld world;
        CopySounds(world);
        world.AddMonster("1 Ant.gif", {"SS"});
        int risesSeen = -1;
        world.host.OnDoEvents = [&](platform::HeadlessHost& host) {
            if (risesSeen < 0) risesSeen = GameSoundPlays(GameSound::Rise); // the first frame
            host.RequestClose();
        };
        ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
        setup.sound = c.sound;
        setup.mute = c.mute;
        EXPECT_EQ(Main(setup), 0);
        EXPECT_EQ(risesSeen, c.rises);
        EXPECT_EQ(SoundEnabled, c.enabled);
        EXPECT_EQ(GameSoundsOn, c.sound && !c.mute);
        BASS_Free();
        SoundEnabled = GameSoundsOn = false;
    }
}

TEST(GameSounds, ADeathSoundsOnceThoughTheRedStopsHimTwiceInItsFrame) {
    // Walking into red on the ground: the step and the move that follows
    // both meet the red in the same frame.
    GameWorld world;
    CopySounds(world);
    ASSERT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0); // the pulled device
    SoundEnabled = GameSoundsOn = true;
    world.AddMonster("5 Ember 43.gif", {"RR", "RR"});
    world.Start();
    world.PlaceMonster(2, -1);
    world.PlaceMan(0.5, 0);
    world.Hold(kRight);
    EXPECT_TRUE(world.FrameUntil([&] { return world.game().mMan->mState == 2; }, 100));
    world.Frame(5);
    EXPECT_EQ(GameSoundPlays(GameSound::Death), 1);
    UnloadGameSounds();
    BASS_Free();
    SoundEnabled = GameSoundsOn = false;
}
