// The library's calls on a pulled device: decoding, lengths, channel states,
// samples' playbacks, streams fed by the worker, and the error codes.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "audio_world.h"

namespace {

uint32_t PlaySample(const std::string& path, uint32_t max = 1, uint32_t flags = 0) {
    const HSAMPLE sample = BASS_SampleLoad(0, path.c_str(), 0, 0, max, flags);
    EXPECT_NE(sample, 0u) << BASS_ErrorGetCode();
    const HCHANNEL channel = BASS_SampleGetChannel(sample, 0);
    EXPECT_NE(BASS_ChannelPlay(channel, 1), 0);
    return channel;
}

TEST(BassDecoding, LengthsAreBytesOfTheDecodedDataAtTheFilesOwnRate) {
    AudioWorld world;
    struct Case {
        const char* kind;
        int channels, rate;
        double seconds;
    };
    const Case cases[] = {
        {"wav", 1, 22050, 0.5}, {"wav", 2, 44100, 0.25}, {"flac", 1, 48000, 0.3},
        {"ogg", 2, 44100, 0.4}, {"aiff", 1, 8000, 1.0},
    };
    for (const Case& c : cases) {
        const std::string name = std::string("tone.") + c.kind;
        const std::string path = world.Tone(name, c.kind, c.channels, c.rate, c.seconds);
        const auto frames = static_cast<uint64_t>(std::lround(c.seconds * c.rate));
        const uint64_t bytes = frames * static_cast<uint64_t>(c.channels) * 2;
        const HSAMPLE sample = BASS_SampleLoad(0, path.c_str(), 0, 0, 1, 0);
        const HCHANNEL channel = BASS_SampleGetChannel(sample, 0);
        const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
        for (const uint32_t handle : {channel, stream}) {
            ASSERT_NE(handle, 0u) << name << " error " << BASS_ErrorGetCode();
            EXPECT_EQ(BASS_ChannelGetLength(handle), bytes) << name;
            EXPECT_FLOAT_EQ(BASS_ChannelBytes2Seconds(handle, bytes), static_cast<float>(c.seconds))
                << name;
            uint32_t frequency = 0, volume = 0;
            int32_t pan = 1;
            EXPECT_NE(BASS_ChannelGetAttributes(handle, &frequency, &volume, &pan), 0);
            EXPECT_EQ(frequency, static_cast<uint32_t>(c.rate)) << name;
            EXPECT_EQ(volume, 100u);
            EXPECT_EQ(pan, 0);
        }
        BASS_SampleFree(sample);
        BASS_StreamFree(stream);
    }
}

TEST(BassDecoding, LossyFormatsGiveTheirTone) {
    AudioWorld world;
    const std::pair<const char*, int> cases[] = {{"mp3", 44100}, {"opus", 48000}};
    for (const auto& [kind, rate] : cases) {
        const std::string path =
            world.Tone(std::string("tone.") + kind, kind, 1, rate, 0.5, 500, 10000);
        const HCHANNEL channel = PlaySample(path);
        ASSERT_NE(channel, 0u) << kind;
        EXPECT_NEAR(BASS_ChannelBytes2Seconds(channel, BASS_ChannelGetLength(channel)), 0.5, 0.06)
            << kind;
        const std::vector<int16_t> out = Side(world.Pull(kOutputRate / 4), 0);
        EXPECT_NEAR(ToneFrequency(out, kOutputRate), 500, 10) << kind;
        EXPECT_NEAR(Level(out), 10000 / std::sqrt(2.0), 700) << kind;
        BASS_ChannelStop(channel);
    }
}

TEST(BassDecoding, FloatDataBeyondFullScaleClipsRatherThanWraps) {
    AudioWorld world;
    const std::string path = world.Path("loud.wav");
    ASSERT_TRUE(WriteFloatFrames(path, 1, kOutputRate, {0.5f, 1.5f, -1.5f, -0.25f}));
    PlaySample(path);
    EXPECT_EQ(Side(world.Pull(4), 0), (std::vector<int16_t>{16384, 32767, -32768, -8192}));
}

TEST(BassDecoding, MemoryAndFileRegionsDecodeLikeTheFile) {
    AudioWorld world;
    const std::string path = world.Tone("tone.wav", "wav", 1, 22050, 0.5);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const HSAMPLE sample =
        BASS_SampleLoad(1, bytes.data(), 0, static_cast<uint32_t>(bytes.size()), 1, 0);
    const HSTREAM stream =
        BASS_StreamCreateFile(1, bytes.data(), 0, static_cast<uint32_t>(bytes.size()), 0);
    ASSERT_NE(sample, 0u);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(BASS_ChannelGetLength(BASS_SampleGetChannel(sample, 0)), 22050u);
    EXPECT_EQ(BASS_ChannelGetLength(stream), 22050u);

    // The same file behind 100 bytes of something else.
    world.dir.Write("packed.bin", std::string(100, 'x') + bytes + "tail");
    const HSTREAM packed = BASS_StreamCreateFile(0, world.Path("packed.bin").c_str(), 100,
                                                 static_cast<uint32_t>(bytes.size()), 0);
    ASSERT_NE(packed, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(packed), 22050u);
}

TEST(BassErrors, EveryFailureSetsItsCode) {
    {
        AudioWorld none(false);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
        EXPECT_EQ(BASS_StreamCreateFile(0, "x.wav", 0, 0, 0), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
        EXPECT_EQ(BASS_ChannelPlay(1, 1), 0);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    }
    AudioWorld world;
    world.dir.Write("text.wav", "this is not a sound\n");
    const std::string tone = world.Tone("tone.wav");
    const HSAMPLE sample = BASS_SampleLoad(0, tone.c_str(), 0, 0, 1, 0);
    const HCHANNEL channel = BASS_SampleGetChannel(sample, 0);
    const std::string missing = world.Path("none.wav"), text = world.Path("text.wav");
    struct Case {
        const char* what;
        std::function<bool()> fails;
        int32_t code;
    };
    const Case cases[] = {
        {"missing file", [&] { return BASS_SampleLoad(0, missing.c_str(), 0, 0, 1, 0) == 0; },
         BASS_ERROR_FILEOPEN},
        {"a folder",
         [&] { return BASS_StreamCreateFile(0, world.dir.str().c_str(), 0, 0, 0) == 0; },
         BASS_ERROR_FILEOPEN},
        {"not audio", [&] { return BASS_StreamCreateFile(0, text.c_str(), 0, 0, 0) == 0; },
         BASS_ERROR_FORMAT},
        {"not audio, whole", [&] { return BASS_SampleLoad(0, text.c_str(), 0, 0, 1, 0) == 0; },
         BASS_ERROR_FORMAT},
        {"empty memory", [&] { return BASS_SampleLoad(1, "", 0, 0, 1, 0) == 0; },
         BASS_ERROR_FILEOPEN},
        {"max 0", [&] { return BASS_SampleLoad(0, tone.c_str(), 0, 0, 0, 0) == 0; },
         BASS_ERROR_ILLPARAM},
        {"bad handle", [&] { return BASS_ChannelPlay(channel + 1000, 1) == 0; }, BASS_ERROR_HANDLE},
        {"bad handle is stopped",
         [&] { return BASS_ChannelIsActive(channel + 1000) == BASS_ACTIVE_STOPPED; },
         BASS_ERROR_HANDLE},
        {"sample as channel", [&] { return BASS_ChannelGetLength(sample) == ~uint64_t{0}; },
         BASS_ERROR_HANDLE},
        {"channel as sample", [&] { return BASS_SampleStop(channel) == 0; }, BASS_ERROR_HANDLE},
        {"sample channel as stream", [&] { return BASS_StreamFree(channel) == 0; },
         BASS_ERROR_HANDLE},
        {"seconds of handle 0", [&] { return BASS_ChannelBytes2Seconds(0, 100) < 0; },
         BASS_ERROR_HANDLE},
        {"pause when stopped", [&] { return BASS_ChannelPause(channel) == 0; }, BASS_ERROR_NOPLAY},
        {"negative frequency",
         [&] { return BASS_ChannelSetAttributes(channel, -5, -1, -101) == 0; },
         BASS_ERROR_ILLPARAM},
        {"second init", [&] { return BASS_Init(-1, 44100, 0, nullptr, nullptr) == 0; },
         BASS_ERROR_ALREADY},
        {"a success clears it", [&] { return BASS_ChannelPlay(channel, 1) != 0; }, BASS_OK},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.fails()) << c.what;
        EXPECT_EQ(BASS_ErrorGetCode(), c.code) << c.what;
    }
}

TEST(BassChannels, StatesArePlayingPausedAndStopped) {
    AudioWorld world;
    const HCHANNEL channel = PlaySample(world.Frames("ramp.wav", 1, kOutputRate, Ramp(3000, 10)));
    EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_PLAYING);
    world.Pull(1000);
    EXPECT_NE(BASS_ChannelPause(channel), 0);
    EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_PAUSED);
    EXPECT_NE(BASS_ChannelStop(channel), 0);
    EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
    EXPECT_NE(BASS_ChannelPlay(channel, 1), 0);
    world.Pull(3500); // past its end
    EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetPosition(channel), BASS_ChannelGetLength(channel));
}

TEST(BassChannels, PauseAndResumeGoOnWhereItStopped) {
    AudioWorld world;
    const HCHANNEL channel = PlaySample(world.Frames("ramp.wav", 1, kOutputRate, Ramp(3000, 10)));
    const std::vector<int16_t> first = Side(world.Pull(1000), 0);
    EXPECT_EQ(first[999], 9990);
    BASS_ChannelPause(channel);
    EXPECT_EQ(BASS_ChannelGetPosition(channel), 2000u); // 1000 mono 16-bit frames
    EXPECT_EQ(Peak(world.Pull(500)), 0);
    EXPECT_EQ(BASS_ChannelGetPosition(channel), 2000u);
    BASS_ChannelPlay(channel, 0);
    const std::vector<int16_t> after = Side(world.Pull(10), 0);
    EXPECT_EQ(after[0], 10000);
    EXPECT_EQ(after[9], 10090);
    // A stop keeps the position too; restart 1 begins again.
    BASS_ChannelStop(channel);
    BASS_ChannelPlay(channel, 0);
    EXPECT_EQ(Side(world.Pull(1), 0)[0], 10100);
    BASS_ChannelPlay(channel, 1);
    EXPECT_EQ(Side(world.Pull(1), 0)[0], 0);
}

TEST(BassSamples, PlaybacksOverlapUpToMaxThenTheLongestPlayingMakesRoom) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(40000, 1000));
    const HSAMPLE sample = BASS_SampleLoad(0, path.c_str(), 0, 0, 2, BASS_SAMPLE_OVER_POS);
    const HCHANNEL first = BASS_SampleGetChannel(sample, 0);
    BASS_ChannelPlay(first, 1);
    world.Pull(300);
    const HCHANNEL second = BASS_SampleGetChannel(sample, 0);
    EXPECT_NE(second, first);
    BASS_ChannelPlay(second, 1);
    EXPECT_EQ(Side(world.Pull(100), 0)[50], 2000);
    // Both busy: the first, playing longest, is replaced.
    const HCHANNEL third = BASS_SampleGetChannel(sample, 0);
    BASS_ChannelPlay(third, 1);
    EXPECT_EQ(BASS_ChannelIsActive(first), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE); // it is gone
    EXPECT_EQ(BASS_ChannelIsActive(second), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(Side(world.Pull(100), 0)[50], 2000);
    // A playback that is not busy is handed out again rather than a new one.
    BASS_ChannelStop(second);
    EXPECT_EQ(BASS_SampleGetChannel(sample, 0), second);
    EXPECT_NE(BASS_SampleStop(sample), 0);
    EXPECT_EQ(Peak(world.Pull(100)), 0);
}

TEST(BassSamples, WithoutReplacingAFullSampleHasNoFreeChannel) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(40000, 1000));
    const HSAMPLE sample = BASS_SampleLoad(0, path.c_str(), 0, 0, 1, 0);
    BASS_ChannelPlay(BASS_SampleGetChannel(sample, 0), 1);
    EXPECT_EQ(BASS_SampleGetChannel(sample, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOCHAN);
    EXPECT_NE(BASS_SampleFree(sample), 0);
    EXPECT_EQ(Peak(world.Pull(100)), 0);
}

TEST(BassStreams, AStreamSoundsLikeTheSampleOfTheSameFile) {
    AudioWorld world;
    // Longer than a stream's buffer, so the worker must keep feeding it.
    const std::string path = world.Tone("long.wav", "wav", 2, 44100, 1.5, 300, 12000);
    for (const int32_t frequency : {44100, 29000}) {
        const HCHANNEL sample = PlaySample(path);
        BASS_ChannelSetAttributes(sample, frequency, -1, -101);
        const std::vector<int16_t> alone = world.Pull(70000);
        BASS_ChannelStop(sample);
        const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
        BASS_ChannelSetAttributes(stream, frequency, -1, -101);
        BASS_ChannelPlay(stream, 1);
        const std::vector<int16_t> streamed = world.Pull(70000);
        // The same frames, but for rounding where a position is summed from
        // another start.
        ASSERT_EQ(streamed.size(), alone.size());
        int worst = 0;
        for (size_t i = 0; i < alone.size(); ++i) {
            worst = std::max(worst, std::abs(streamed[i] - alone[i]));
        }
        EXPECT_LE(worst, 1) << frequency;
        EXPECT_GT(Peak(streamed), 11000);
        EXPECT_NEAR(static_cast<double>(BASS_ChannelGetPosition(stream)),
                    static_cast<double>(BASS_ChannelGetPosition(sample)), 4);
        BASS_StreamFree(stream);
    }
}

TEST(BassStreams, EndLoopAndRestart) {
    AudioWorld world;
    const std::string path = world.Tone("short.wav", "wav", 1, 44100, 0.1, 441, 9000);
    const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, BASS_SAMPLE_LOOP);
    BASS_ChannelPlay(stream, 1);
    const std::vector<int16_t> looped = Side(world.Pull(4410 * 7 + 100), 0);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(BASS_ChannelGetPosition(stream), 200u); // 100 frames into the eighth round
    EXPECT_NEAR(ToneFrequency(looped, kOutputRate), 441, 10);
    EXPECT_NEAR(Level(looped), 9000 / std::sqrt(2.0), 100);

    BASS_ChannelSetFlags(stream, 0);
    world.Pull(4410 * 3);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelGetPosition(stream), BASS_ChannelGetLength(stream));
    // Played again after its end: from the start.
    BASS_ChannelPlay(stream, 0);
    const std::vector<int16_t> again = Side(world.Pull(4410), 0);
    EXPECT_NEAR(Level(again), 9000 / std::sqrt(2.0), 100);
    EXPECT_EQ(again[0], 0);
    EXPECT_GT(again[10], 0);
    EXPECT_NE(BASS_StreamFree(stream), 0);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
}

TEST(BassStreams, RestartingMidwayBeginsAgain) {
    AudioWorld world;
    const std::string path = world.Frames("ramp.wav", 1, kOutputRate, Ramp(30000, 1));
    const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
    BASS_ChannelPlay(stream, 1);
    EXPECT_EQ(Side(world.Pull(20000), 0)[19999], 19999);
    BASS_ChannelPlay(stream, 1);
    const std::vector<int16_t> again = Side(world.Pull(5), 0);
    EXPECT_EQ(again, (std::vector<int16_t>{0, 1, 2, 3, 4}));
}

} // namespace

// The game opens the device at start and plays no stream: its worker must not
// wake the machine while nothing can need decoding.
TEST(BassStreams, TheWorkerSleepsUntilAStreamNeedsDecoding) {
    AudioWorld world;
    audio::Engine& engine = audio::Engine::Get();
    // Waking every 10 ms would be 30 passes; a pass or two may still be
    // finishing what came before.
    const auto passesOver = [&](std::chrono::milliseconds time) {
        engine.WaitForStreams();
        const uint64_t before = engine.WorkerPasses();
        std::this_thread::sleep_for(time);
        return engine.WorkerPasses() - before;
    };
    EXPECT_LE(passesOver(std::chrono::milliseconds(300)), 3u) << "no stream";

    // A short stream is decoded to its end at once; then nothing is left to do.
    const std::string path = world.Tone("short.wav", "wav", 1, 44100, 0.1, 441, 9000);
    const HSTREAM stream = BASS_StreamCreateFile(0, path.c_str(), 0, 0, 0);
    EXPECT_LE(passesOver(std::chrono::milliseconds(300)), 3u) << "a stream decoded to its end";

    // Played, looped and restarted, it is fed again: the calls wake the worker.
    BASS_ChannelSetFlags(stream, BASS_SAMPLE_LOOP);
    BASS_ChannelPlay(stream, 1);
    const std::vector<int16_t> looped = Side(world.Pull(4410 * 5), 0);
    EXPECT_NEAR(Level(looped), 9000 / std::sqrt(2.0), 100);
    BASS_StreamFree(stream);
    EXPECT_LE(passesOver(std::chrono::milliseconds(300)), 3u) << "the stream freed";
}
