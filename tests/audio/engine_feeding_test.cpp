// Streams fed by the worker thread and, where there are no threads, by the
// device callback itself: the same calls give the same sound.
#include <gtest/gtest.h>

#include <algorithm>

#include "audio_world.h"
#include "support/source_tree.h"

namespace {

// The engine with or without its worker for one world's life.
struct WorkerChoice {
    explicit WorkerChoice(bool worker) { audio::Engine::Get().UseWorker(worker); }
    ~WorkerChoice() { audio::Engine::Get().UseWorker(true); }
};

// Pulls as a device would. With the worker, the test waits for it before each
// block as a worker that keeps up would be; without, nothing but the
// callback feeds the streams.
struct Player {
    AudioWorld& world;
    bool worker;
    std::vector<int16_t> out;

    void Pull(int frames) {
        std::vector<int16_t> block(1024 * 2);
        for (int done = 0; done < frames; done += 1024) {
            const int n = std::min(1024, frames - done);
            if (worker) audio::Engine::Get().WaitForStreams();
            world.host.PullAudio(block.data(), n);
            out.insert(out.end(), block.begin(), block.begin() + n * 2);
        }
    }
};

std::string GameSound(const char* name) {
    return (SourceFolder() / "data" / "Sounds" / name).string();
}

struct Case {
    const char* name;
    void (*play)(Player&);
};

const Case kCases[] = {
    {"a stream longer than its buffer, to its end",
     [](Player& p) {
         const std::string path = p.world.Tone("long.wav", "wav", 1, 44100, 2.0, 441, 9000);
         BASS_ChannelPlay(BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0), 0);
         p.Pull(44100 * 5 / 2);
     }},
    {"a stereo Vorbis stream resampled, quieter and panned",
     [](Player& p) {
         const std::string path = p.world.Tone("tone.ogg", "ogg", 2, 22050, 1.5, 300, 12000);
         const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
         BASS_ChannelSetAttributes(stream, 30000, 60, -40);
         BASS_ChannelPlay(stream, 0);
         p.Pull(44100 * 2);
     }},
    {"a loop shorter than a chunk, unlooped in mid-round, looped again after its end",
     [](Player& p) {
         const std::string path = p.world.Frames("ramp.wav", 1, 44100, Ramp(1000, 20));
         const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, BASS_SAMPLE_LOOP);
         BASS_ChannelPlay(stream, 0);
         p.Pull(20500);
         BASS_ChannelSetFlags(stream, 0);
         p.Pull(3000);
         BASS_ChannelSetFlags(stream, BASS_SAMPLE_LOOP);
         BASS_ChannelPlay(stream, 0);
         p.Pull(2500);
     }},
    {"restarted, paused and resumed, freed while playing",
     [](Player& p) {
         const std::string path = p.world.Tone("a.wav", "wav", 1, 22050, 1.0, 441, 8000);
         const HSTREAM a = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
         const HSTREAM b = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
         BASS_ChannelPlay(a, 0);
         p.Pull(10000);
         BASS_ChannelPlay(b, 0);
         BASS_ChannelPlay(a, 1);
         p.Pull(3000);
         BASS_ChannelPause(a);
         p.Pull(2000);
         BASS_ChannelPlay(a, 0);
         BASS_StreamFree(b);
         p.Pull(8000);
     }},
    {"the game's own sounds as streams and samples together",
     [](Player& p) {
         const std::string rise = GameSound("Rise/Rise_1.ogg"), cut = GameSound("Cut/Cut_1.ogg");
         const HSTREAM stream = BASS_StreamCreateFile(0, rise.c_str(), 0, 0, BASS_SAMPLE_LOOP);
         const HSAMPLE sample = BASS_SampleLoad(0, cut.c_str(), 0, 0, 3, 0);
         BASS_ChannelPlay(stream, 0);
         for (int i = 0; i < 3; ++i) {
             BASS_ChannelPlay(BASS_SampleGetChannel(sample, 0), 0);
             p.Pull(7000);
         }
         BASS_ChannelSetAttributes(stream, 44100, 80, 30);
         p.Pull(60000);
     }},
};

TEST(EngineFeeding, WithoutAWorkerTheCallbackRendersTheSameSamples) {
    for (const Case& c : kCases) {
        std::vector<int16_t> rendered[2];
        uint64_t workerPasses[2] = {};
        for (const bool worker : {true, false}) {
            WorkerChoice choice(worker);
            AudioWorld world;
            Player player{world, worker, {}};
            const uint64_t before = audio::Engine::Get().WorkerPasses();
            c.play(player);
            workerPasses[worker] = audio::Engine::Get().WorkerPasses() - before;
            rendered[worker] = std::move(player.out);
        }
        const std::vector<int16_t>& with = rendered[1];
        const std::vector<int16_t>& without = rendered[0];
        EXPECT_GT(workerPasses[1], 0u) << c.name;
        EXPECT_EQ(workerPasses[0], 0u) << c.name << ": a worker ran";
        EXPECT_GT(Level(with), 500) << c.name;
        ASSERT_EQ(with.size(), without.size()) << c.name;
        const auto [w, wo] = std::mismatch(with.begin(), with.end(), without.begin());
        EXPECT_TRUE(w == with.end())
            << c.name << ": first differs at output value " << (w - with.begin()) << " of "
            << with.size() << ", " << *w << " with the worker, " << *wo << " without";
    }
}

} // namespace
