// kivBassSound over the library on a pulled device.
#include <gtest/gtest.h>

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
        EXPECT_EQ(sound.Length(), 0);
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

TEST(Sound, TerminateReleasesAndALoadReplacesTheSound) {
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
    EXPECT_FLOAT_EQ(sound.Length(), 200.0f / 11025);
    sound.Play(100, 0, 0, 0);
    EXPECT_EQ(Peak(world.Pull(50)), 2000);
    const uint32_t stream = sound.BassHandle();
    sound.Terminate();
    EXPECT_EQ(sound.BassHandle(), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(Peak(world.Pull(50)), 0);
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
