// The game's own sounds heard: a strike that cuts fur and stabs a hit point
// plays its three sets in that order through SDL's real output (the disk
// driver), and the output is not silent.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "audio/bass.h"
#include "audio/sound_enabled.h"
#include "platform_sdl/sdl_audio_device.h"
#include "sounds/game_sounds.h"
#include "support/game_world.h"
#include "support/sound_scene.h"
#include "support/temp_dir.h"
#include "world/world_globals.h"

namespace {

double Rms(const std::string& raw) {
    double sum = 0;
    const size_t n = raw.size() / 2;
    for (size_t i = 0; i < n; ++i) {
        int16_t v;
        std::memcpy(&v, raw.data() + 2 * i, 2);
        sum += double(v) * v;
    }
    return n ? std::sqrt(sum / n) : 0;
}

} // namespace

TEST(GameSounds, AStrikeThatCutsAndStabsPlaysItsSetsInOrderAndIsHeard) {
    TempDir capture;
    const std::string file = (capture.path() / "out.raw").string();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    {
        GameWorld world;
        CopySounds(world);
        world.host.AudioOpener = [](int32_t frequency) {
            return platform_sdl::OpenSdlAudioDevice(frequency);
        };
        ASSERT_NE(BASS_Init(-1, 44100, 0, nullptr, nullptr), 0);
        SoundEnabled = GameSoundsOn = true;
        StrikeIntoFur(world);
        const std::vector<GameSound> played = GameSoundsPlayed();
        // The monster rose when the game began; then the strike's three.
        ASSERT_EQ(played.size(), 4u);
        EXPECT_EQ(played[0], GameSound::Rise);
        EXPECT_EQ(played[1], GameSound::Strike);
        EXPECT_EQ(played[2], GameSound::Cut);
        EXPECT_EQ(played[3], GameSound::HitPoint);
        for (const GameSound s : {GameSound::Strike, GameSound::Cut, GameSound::HitPoint}) {
            EXPECT_GE(GameSoundPlayed(s), 1) << GameSoundName(s);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(400)); // the device plays them
        UnloadGameSounds();
        BASS_Free();
        SoundEnabled = GameSoundsOn = false;
    }
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    std::ifstream in(file, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_GT(raw.size(), 4u * 4410) << "less than a tenth of a second captured";
    EXPECT_GT(Rms(raw), 300.0) << "the captured output is silent";
}
