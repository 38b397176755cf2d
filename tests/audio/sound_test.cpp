// kivBassSound over the library on a pulled device.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sys/resource.h>

#include "audio/kivBassSound.h"
#include "audio/kivBassSoundm.h"
#include "audio_world.h"
#include "vb/runtime_error.h"

namespace {

constexpr int kSample = 0, kStream = 1;

struct Attributes {
    uint32_t frequency = 0, volume = 0;
    int32_t pan = 0;
};

// The process's high-water mark of resident memory.
long PeakMemoryKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

Attributes AttributesOf(const kivBassSound& sound) {
    Attributes a;
    BASS_ChannelGetAttributes(sound.BassHandle(), &a.frequency, &a.volume, &a.pan);
    return a;
}

TEST(Sound, UnitsBecomeTheLibrarysUnits) {
    AudioWorld world;
    const std::string path = world.Tone("tone.wav", "wav", 1, 22050);
    struct Case {
        double volume, pan, frequency;
        Attributes expected;
    };
    const Case cases[] = {
        {0, 0, 0, {22050, 50, 0}},          {-100, -100, 50, {33075, 0, -100}},
        {100, 100, -50, {14700, 100, 100}}, {50, 33.5, 100, {44100, 75, 34}},
        {-50, 32.5, -100, {11025, 25, 32}}, {1, -0.5, 10, {24255, 50, 0}},
    };
    for (const int typez : {kSample, kStream}) {
        kivBassSound sound;
        sound.Initialize(typez, path, 4);
        for (const Case& c : cases) {
            sound.Play(c.volume, c.pan, c.frequency, 0);
            const Attributes a = AttributesOf(sound);
            EXPECT_EQ(a.frequency, c.expected.frequency) << c.frequency;
            EXPECT_EQ(a.volume, c.expected.volume) << c.volume;
            EXPECT_EQ(a.pan, c.expected.pan) << c.pan;
        }
    }
}

TEST(Sound, VolumeIsALinearGainFromSilenceToFull) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(20000, 10000));
    const std::pair<double, int> cases[] = {{-100, 0}, {0, 5000}, {100, 10000}, {-50, 2500}};
    for (const auto& [volume, level] : cases) {
        kivBassSound sound;
        sound.Initialize(kSample, path, 1);
        sound.Play(volume, 0, 0, 0);
        const std::vector<int16_t> out = world.Pull(100);
        EXPECT_EQ(Peak(Side(out, 0)), level) << volume;
        EXPECT_EQ(Peak(Side(out, 1)), level) << volume;
    }
}

TEST(Sound, PanSilencesTheFarSideOnly) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(20000, 10000));
    const std::tuple<double, int, int> cases[] = {
        {-100, 10000, 0}, {0, 10000, 10000}, {100, 0, 10000}, {50, 5000, 10000}};
    for (const auto& [pan, left, right] : cases) {
        kivBassSound sound;
        sound.Initialize(kStream, path, 1);
        sound.Play(100, pan, 0, 0);
        const std::vector<int16_t> out = world.Pull(100);
        EXPECT_EQ(Peak(Side(out, 0)), left) << pan;
        EXPECT_EQ(Peak(Side(out, 1)), right) << pan;
    }
}

TEST(Sound, PitchMovesTheTone) {
    AudioWorld world;
    const std::string path = world.Tone("tone.ogg", "ogg", 1, 22050, 1.0, 441, 10000);
    const std::pair<double, double> cases[] = {{0, 441}, {50, 661.5}, {-50, 294}, {100, 882}};
    for (const auto& [pitch, frequency] : cases) {
        kivBassSound sound;
        sound.Initialize(kStream, path, 1);
        sound.Play(100, 0, pitch, 0);
        const std::vector<int16_t> out = Side(world.Pull(kOutputRate / 4), 0);
        EXPECT_NEAR(ToneFrequency(out, kOutputRate), frequency, frequency * 0.02) << pitch;
    }
}

TEST(Sound, LengthAndPlayingStream) {
    AudioWorld world;
    const std::string path = world.Tone("tone.flac", "flac", 2, 32000, 0.25);
    for (const int typez : {kSample, kStream}) {
        kivBassSound sound;
        sound.Initialize(typez, path, 1);
        EXPECT_EQ(sound.Typez(), typez);
        EXPECT_EQ(sound.Filename(), path);
        EXPECT_FLOAT_EQ(sound.Length(), 0.25f);
        EXPECT_FALSE(sound.PlayingStream());
        sound.Play();
        world.Pull(1000);
        EXPECT_TRUE(sound.PlayingStream());
        world.Pull(kOutputRate / 4);
        EXPECT_FALSE(sound.PlayingStream());
        EXPECT_FLOAT_EQ(BytesToSeconds(sound.BassHandle(), 64000), 0.5f);
    }
}

TEST(Sound, OmittedArgumentsKeepTheSettings) {
    AudioWorld world;
    const std::string path = world.Tone("tone.wav", "wav", 1, 22050, 0.2);
    kivBassSound sound;
    sound.Initialize(kSample, path, 2);
    sound.Play(60, -20, 50, 1);
    sound.Play();
    EXPECT_EQ(sound.Volume(), 60);
    EXPECT_EQ(sound.Pan(), -20);
    EXPECT_EQ(sound.Frequency(), 50);
    EXPECT_TRUE(sound.Loopz());
    const Attributes a = AttributesOf(sound); // the second playback's
    EXPECT_EQ(a.volume, 80u);
    EXPECT_EQ(a.pan, -20);
    EXPECT_EQ(a.frequency, 33075u);
    sound.Play(kivBassSound::kKeep, kivBassSound::kKeep, kivBassSound::kKeep, 0);
    EXPECT_FALSE(sound.Loopz());
    EXPECT_EQ(sound.Volume(), 60);
}

TEST(Sound, ChangesReachAPlayingSoundAtOnce) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(2000, 10000));
    kivBassSound sound;
    sound.Initialize(kStream, path, 1);
    sound.Play(100, 0, 0, 0);
    world.Pull(100);
    sound.SetVolume(0);
    EXPECT_EQ(Peak(world.Pull(100)), 5000);
    sound.SetPan(-100);
    EXPECT_EQ(Peak(Side(world.Pull(100), 1)), 0);
    sound.SetLoopz(true);
    world.Pull(5000); // more than twice its length
    EXPECT_TRUE(sound.PlayingStream());
    sound.SetFrequency(100);
    EXPECT_EQ(AttributesOf(sound).frequency, 88200u);
}

TEST(Sound, ThreeQuickPlaysOverlapAndStopzSilencesThemAll) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(20000, 3000));
    kivBassSound sound;
    sound.Initialize(kSample, path, 3);
    sound.Play(100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 3000);
    sound.Play();
    EXPECT_EQ(Peak(world.Pull(50)), 6000);
    sound.Play();
    EXPECT_EQ(Peak(world.Pull(50)), 9000);
    // A fourth replaces the one that has played longest: still three.
    sound.Play();
    EXPECT_EQ(Peak(world.Pull(50)), 9000);
    sound.Stopz();
    EXPECT_EQ(Peak(world.Pull(50)), 0);
    EXPECT_FALSE(sound.PlayingStream());
    sound.Play();
    EXPECT_EQ(Peak(world.Pull(50)), 3000);
}

TEST(Sound, PlayWhilePausedResumesAndIgnoresItsArguments) {
    AudioWorld world;
    const std::string path = world.Frames("ramp.wav", 1, kOutputRate, Ramp(20000, 1));
    for (const int typez : {kSample, kStream}) {
        kivBassSound sound;
        sound.Initialize(typez, path, 1);
        sound.Play(100, 0, 0, 0);
        EXPECT_EQ(Side(world.Pull(1000), 0)[999], 999);
        sound.Pause();
        EXPECT_EQ(Peak(world.Pull(100)), 0);
        EXPECT_FALSE(sound.PlayingStream());
        sound.Play(-100, 100, 100, 1);
        EXPECT_EQ(Side(world.Pull(3), 0), (std::vector<int16_t>{1000, 1001, 1002}));
        EXPECT_EQ(sound.Volume(), 100);
        EXPECT_FALSE(sound.Loopz());
        // The next fresh Play takes new settings and starts over.
        sound.Play(0, 0, 0, 0);
        EXPECT_EQ(Side(world.Pull(3), 0), (std::vector<int16_t>{0, 0, 1}));
    }
}

TEST(Sound, FailedLoadsShowTheirMessageAndLeaveTheObjectUsable) {
    AudioWorld world;
    world.dir.Write("notes.txt", "not a sound at all\n");
    const std::string text = world.Path("notes.txt"), missing = world.Path("missing.wav");
    struct Case {
        int typez;
        std::string name;
        int32_t code;
    };
    const Case cases[] = {
        {kSample, text, BASS_ERROR_FORMAT},
        {kStream, text, BASS_ERROR_FORMAT},
        {kSample, missing, BASS_ERROR_FILEOPEN},
        {kStream, missing, BASS_ERROR_FILEOPEN},
        {kSample, "WAVE::101", BASS_ERROR_FILEOPEN}, // no resources in this program
        {kStream, " MUSIC :: 7 ", BASS_ERROR_FILEOPEN},
    };
    for (const Case& c : cases) {
        world.host.Messages.clear();
        kivBassSound sound;
        sound.Initialize(c.typez, c.name, 2);
        ASSERT_EQ(world.host.Messages.size(), 1u) << c.name;
        EXPECT_EQ(world.host.Messages[0],
                  "Error: kivBassSound: Initialize: Could not initialize '" + c.name +
                      ". Bass Error Code:" + std::to_string(c.code));
        EXPECT_EQ(sound.BassHandle(), 0u);
        EXPECT_EQ(sound.Filename(), c.name);
        sound.Play(100, 0, 0, 1);
        sound.Pause();
        sound.Play();
        sound.Stopz();
        EXPECT_EQ(world.host.Messages.size(), 1u) << "later calls do nothing";
        EXPECT_EQ(sound.Length(), -1.0f);
        EXPECT_FALSE(sound.PlayingStream());
    }
    EXPECT_EQ(Peak(world.Pull(100)), 0);
}

TEST(Sound, AFailedPlayIsReported) {
    AudioWorld world;
    kivBassSound sound;
    sound.Initialize(kStream, world.Tone("tone.wav"), 1);
    sound.SetBassHandle(sound.BassHandle() + 1000); // a handle the library never gave
    sound.Play();
    ASSERT_EQ(world.host.Messages.size(), 1u);
    EXPECT_EQ(world.host.Messages[0], "Error: kivBassSound: Play: Could not play '" +
                                          world.Path("tone.wav") + "." +
                                          std::to_string(BASS_ERROR_HANDLE));
}

TEST(Sound, WithoutSoundEverythingIsSkipped) {
    AudioWorld world(false);
    ASSERT_FALSE(SoundEnabled);
    const std::string path = world.Tone("tone.wav");
    kivBassSound sound;
    sound.Initialize(kStream, path, 1);
    EXPECT_EQ(sound.Filename(), ""); // not even the name is kept
    EXPECT_EQ(sound.BassHandle(), 0u);
    sound.Play(100, 0, 0, 1);
    sound.Pause();
    sound.Stopz();
    EXPECT_EQ(sound.Length(), 0);
    EXPECT_FALSE(sound.PlayingStream());
    EXPECT_TRUE(world.host.Messages.empty());
    // The properties are still the object's own.
    sound.SetVolume(40);
    sound.SetAlive(true);
    EXPECT_EQ(sound.Volume(), 40);
    EXPECT_TRUE(sound.Alive());
}

TEST(Sound, ALoadReplacesTheSoundAndTerminateFreesAStream) {
    AudioWorld world;
    const std::string first = world.Frames("a.wav", 1, kOutputRate, Constant(20000, 1000));
    const std::string second = world.Frames("b.wav", 2, 11025, std::vector<int16_t>(400, 2000));
    kivBassSound sound;
    sound.Initialize(kSample, first, 1);
    sound.Play(100, 0, 0, 0);
    const uint32_t old = sound.BassHandle();
    sound.Initialize(kStream, second, 1);
    EXPECT_EQ(BASS_ChannelIsActive(old), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE); // released with its sample
    EXPECT_EQ(audio::Engine::Get().LoadedSamples(), 0u);
    EXPECT_FLOAT_EQ(sound.Length(), 200.0f / 11025);
    sound.Play(100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 2000);
    const uint32_t stream = sound.BassHandle();
    sound.Terminate();
    EXPECT_EQ(sound.BassHandle(), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(Peak(world.Pull(50)), 0);
    sound.Play();
    EXPECT_EQ(Peak(world.Pull(50)), 0) << "a freed stream stays silent";
}

TEST(Sound, ASampleOutlivesTerminateUntilTheObjectGoes) {
    AudioWorld world;
    const std::string path = world.Frames("a.wav", 1, kOutputRate, Constant(20000, 1000));
    {
        kivBassSound sound;
        sound.Initialize(kSample, path, 2);
        sound.Play(100, 0, 0, 0);
        sound.Terminate();
        EXPECT_EQ(sound.BassHandle(), 0u);
        EXPECT_EQ(Peak(world.Pull(50)), 0);
        sound.Play(100, 0, 0, 0);
        EXPECT_NE(sound.BassHandle(), 0u);
        EXPECT_EQ(Peak(world.Pull(50)), 1000);
        EXPECT_EQ(audio::Engine::Get().LoadedSamples(), 1u);
    }
    EXPECT_EQ(audio::Engine::Get().LoadedSamples(), 0u);
    EXPECT_EQ(Peak(world.Pull(50)), 0);

    // Loads, terminates and plays over a long run hold one sample at most.
    kivBassSound reused;
    for (int i = 0; i < 10000; ++i) {
        reused.Initialize(kSample, path, 1);
        reused.Terminate();
        if (i % 1000 == 0) reused.Play();
        kivBassSound passing;
        passing.Initialize(kSample, path, 1);
        passing.Terminate();
    }
    EXPECT_EQ(audio::Engine::Get().LoadedSamples(), 1u);
}

TEST(Sound, StopzKeepsThePauseSoPlayResumes) {
    AudioWorld world;
    const std::string path = world.Frames("ramp.wav", 1, kOutputRate, Ramp(20000, 1));
    for (const int typez : {kSample, kStream}) {
        SCOPED_TRACE(typez);
        kivBassSound sound;
        sound.Initialize(typez, path, 1);
        sound.Play(100, 0, 0, 0);
        world.Pull(1000);
        sound.Pause();
        sound.Stopz();
        EXPECT_EQ(Peak(world.Pull(100)), 0);
        sound.Play(100, 0, 0, 0);
        EXPECT_EQ(Side(world.Pull(3), 0), (std::vector<int16_t>{1000, 1001, 1002}));
    }
}

TEST(Sound, LoopingOffReachesAPlayingSound) {
    AudioWorld world;
    const std::string path = world.Frames("flat.wav", 1, kOutputRate, Constant(2000, 1000));
    for (const int typez : {kSample, kStream}) {
        SCOPED_TRACE(typez);
        kivBassSound sound;
        sound.Initialize(typez, path, 1);
        sound.Play(100, 0, 0, 1);
        world.Pull(3000); // into its second round
        EXPECT_TRUE(sound.PlayingStream());
        sound.SetLoopz(false);
        world.Pull(2000);
        EXPECT_FALSE(sound.PlayingStream());
        EXPECT_EQ(Peak(world.Pull(100)), 0);
    }
}

TEST(Sound, ANewPlaybackOfASampleLeavesTheEarlierOnesSettingsAlone) {
    AudioWorld world;
    const std::string path = world.Tone("tone.wav", "wav", 1, 22050, 0.5);
    kivBassSound sound;
    sound.Initialize(kSample, path, 2);
    sound.Play(-100, -100, 0, 0);
    const uint32_t first = sound.BassHandle();
    sound.Play(100, 100, 100, 1);
    ASSERT_NE(sound.BassHandle(), first);
    Attributes a;
    BASS_ChannelGetAttributes(first, &a.frequency, &a.volume, &a.pan);
    EXPECT_EQ(a.frequency, 22050u);
    EXPECT_EQ(a.volume, 0u);
    EXPECT_EQ(a.pan, -100);
    const Attributes b = AttributesOf(sound);
    EXPECT_EQ(b.frequency, 44100u);
    EXPECT_EQ(b.volume, 100u);
    EXPECT_EQ(b.pan, 100);
}

TEST(Sound, ASoundTooLargeForMemoryIsReportedWithCodeTen) {
    AudioWorld world;
    struct LimitGuard {
        ~LimitGuard() { audio::SetDecodedSoundLimit(audio::kMaxDecodedSoundBytes); }
    } guard;
    audio::SetDecodedSoundLimit(1000); // 500 frames of mono
    const std::string fits = world.Frames("fits.wav", 1, 22050, Constant(500, 100));
    const std::string over = world.Frames("over.wav", 1, 22050, Constant(501, 100));
    kivBassSound sound;
    sound.Initialize(kSample, fits, 1);
    EXPECT_TRUE(world.host.Messages.empty());
    EXPECT_FLOAT_EQ(sound.Length(), 500.0f / 22050);
    sound.Initialize(kSample, over, 1);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_MEM);
    ASSERT_EQ(world.host.Messages.size(), 1u);
    EXPECT_EQ(world.host.Messages[0], "Error: kivBassSound: Initialize: Could not initialize '" +
                                          over + ". Bass Error Code:10");
    EXPECT_EQ(sound.BassHandle(), 0u);
}

TEST(Sound, AFileThatOverstatesItsLengthLoadsWhatItHolds) {
    AudioWorld world;
    const std::string path = world.Tone("tone.flac", "flac", 1, 22050, 0.25);
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    // The stream information block's 36-bit sample count, set to its largest.
    ASSERT_EQ(bytes.substr(0, 4), "fLaC");
    bytes[21] = static_cast<char>(bytes[21] | 0x0F);
    for (int i = 22; i < 26; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>(0xFF);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const long peakBefore = PeakMemoryKiB();
    kivBassSound sound;
    sound.Initialize(kSample, path, 1);
    EXPECT_TRUE(world.host.Messages.empty());
    EXPECT_NEAR(sound.Length(), 0.25f, 0.01f);
    // Taking the header at its word would have zeroed gigabytes.
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 256 * 1024);
}

TEST(Sound, FailedLoadsHaveTheLibrarysFailureLength) {
    AudioWorld world;
    kivBassSound sound;
    sound.Initialize(kSample, world.Path("missing.wav"), 1);
    EXPECT_EQ(sound.Length(), -1.0f);
    EXPECT_EQ(BytesToSeconds(0, -1), -1.0f);
}

TEST(Sound, EveryErrorCodeHasItsText) {
    const std::pair<int32_t, std::string> cases[] = {
        {BASS_OK, "no error"},
        {BASS_ERROR_INIT, "the sound library is not initialised"},
        {BASS_ERROR_ALREADY, "the sound library is already initialised"},
        {BASS_ERROR_DEVICE, "no sound device"},
        {BASS_ERROR_FILEOPEN, "file cannot be opened"},
        {BASS_ERROR_FORMAT, "not a sound format that can be decoded"},
        {BASS_ERROR_HANDLE, "bad handle"},
        {BASS_ERROR_NOCHAN, "no free channel"},
        {BASS_ERROR_ILLPARAM, "an argument is out of range"},
        {BASS_ERROR_NOPLAY, "the channel is not playing"},
        {BASS_ERROR_MEM, "not enough memory"},
        {11, "unknown error"},
        {-1, "unknown error"},
    };
    for (const auto& [code, text] : cases) EXPECT_EQ(BASS_ErrorText(code), text) << code;
}

TEST(Sound, ConversionsOutsideALongRaiseOverflow) {
    AudioWorld world;
    kivBassSound sound;
    sound.Initialize(kSample, world.Tone("tone.wav"), 1);
    try {
        sound.SetPan(1e12);
        FAIL() << "no error";
    } catch (const vb::RuntimeError& error) {
        EXPECT_EQ(error.Number(), 6);
        EXPECT_EQ(error.Description(), "Overflow");
    }
}

} // namespace
