// stompvale-sound through SDL's real output path: the disk driver captures
// what it plays. And the game and the player on a machine without a sound
// card: no device, a clear word from the player, nothing from ALSA.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "e2e_process.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr int kDeviceRate = 44100;

std::string Player() {
    return (fs::path(Env("STOMPVALE_BIN")) / "stompvale-sound").string();
}

// Runs the player; its exit status, and stdout and stderr together.
int RunPlayer(const std::vector<std::string>& args, const std::vector<std::string>& env,
              std::string* output) {
    std::vector<std::string> argv = {"sh", "-c", "exec \"$0\" \"$@\" 2>&1", Player()};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, env, output);
}

std::vector<int16_t> ReadCapture(const fs::path& path) {
    const std::string raw = [&] {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }();
    std::vector<int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
}

// ALSA's default device on a card that does not exist, and SDL told to use
// ALSA: a machine without sound, whatever this one has.
struct NoSoundCard {
    TempDir dir;
    std::vector<std::string> env;
    NoSoundCard() {
        dir.Write("asound.conf", "pcm.!default { type hw card \"nosuchcard\" }\n");
        env = {"SDL_AUDIODRIVER=alsa", "ALSA_CONFIG_PATH=" + (dir.path() / "asound.conf").string()};
    }
};

class SoundPlayer : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(fs::exists(Player())) << Player(); }

    // Plays through the disk driver; the captured stereo frames.
    std::vector<int16_t> Capture(const std::vector<std::string>& args, std::string* output) {
        const fs::path capture = dir.path() / "capture.raw";
        fs::remove(capture);
        const int status = RunPlayer(
            args, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture.string()}, output);
        EXPECT_EQ(status, 0) << *output;
        return ReadCapture(capture);
    }

    TempDir dir;
};

TEST_F(SoundPlayer, PlaysAWavFileAtItsLevelAndPitch) {
    const std::string wav = (dir.path() / "tone.wav").string();
    ASSERT_TRUE(WriteTone(wav, "wav", 1, 22050, 0.6, 440, 12000));
    std::string output;
    const std::vector<int16_t> captured = Capture({wav}, &output);
    EXPECT_NE(output.find("tone.wav  0.60 / 0.60 s"), std::string::npos) << output;
    const std::vector<int16_t> left = Audible(Side(captured, 0));
    const std::vector<int16_t> right = Audible(Side(captured, 1));
    EXPECT_NEAR(left.size() / double(kDeviceRate), 0.6, 0.01);
    EXPECT_NEAR(Peak(left), 12000, 100);
    EXPECT_NEAR(Level(right), 12000 / std::sqrt(2.0), 150);
    EXPECT_NEAR(ToneFrequency(left, kDeviceRate), 440, 6);
}

TEST_F(SoundPlayer, StreamsAnOggFileWithVolumePanAndPitch) {
    const std::string ogg = (dir.path() / "tone.ogg").string();
    ASSERT_TRUE(WriteTone(ogg, "ogg", 2, 44100, 0.8, 330, 16000));
    std::string output;
    const std::vector<int16_t> captured =
        Capture({"--stream", "--volume", "0", "--pan", "50", "--pitch", "100", ogg}, &output);
    // Twice the rate: an octave up, over in half the time. Half volume; half
    // of that again on the left, which the pan turns away from.
    const std::vector<int16_t> left = Audible(Side(captured, 0));
    const std::vector<int16_t> right = Audible(Side(captured, 1));
    EXPECT_NEAR(right.size() / double(kDeviceRate), 0.4, 0.02);
    EXPECT_NEAR(ToneFrequency(right, kDeviceRate), 660, 10);
    EXPECT_NEAR(Level(right), 8000 / std::sqrt(2.0), 400);
    EXPECT_NEAR(Level(left), 4000 / std::sqrt(2.0), 200);
}

TEST_F(SoundPlayer, AFolderIsASoundSet) {
    fs::create_directories(dir.path() / "set" / "x");
    ASSERT_TRUE(WriteTone((dir.path() / "set" / "x" / "only.flac").string(), "flac", 1, 48000, 0.3,
                          600, 9000));
    std::string output;
    const std::vector<int16_t> left =
        Audible(Side(Capture({(dir.path() / "set").string()}, &output), 0));
    EXPECT_NE(output.find("only.flac"), std::string::npos) << output;
    EXPECT_NEAR(ToneFrequency(left, kDeviceRate), 600, 8);
}

TEST_F(SoundPlayer, SaysWhatCannotBePlayed) {
    dir.Write("notes.txt", "not a sound\n");
    std::string output;
    const int status = RunPlayer(
        {(dir.path() / "notes.txt").string(), (dir.path() / "gone.wav").string()},
        {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + (dir.path() / "c.raw").string()}, &output);
    EXPECT_EQ(status, 1);
    EXPECT_NE(output.find("notes.txt: cannot be played: not a sound format"), std::string::npos)
        << output;
    EXPECT_NE(output.find("gone.wav: cannot be played: file cannot be opened"), std::string::npos)
        << output;
}

TEST_F(SoundPlayer, LoopsUntilCtrlC) {
    const std::string wav = (dir.path() / "short.wav").string();
    ASSERT_TRUE(WriteTone(wav, "wav", 1, 44100, 0.1, 440, 12000));
    const fs::path capture = dir.path() / "loop.raw";
    ChildProcess player({Player(), "--loop", wav},
                        {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + capture.string()});
    std::this_thread::sleep_for(800ms);
    ASSERT_TRUE(player.Running()) << "a looping sound went on for 0.8 s";
    kill(player.Pid(), SIGINT);
    EXPECT_EQ(player.WaitFor(3000ms), 130);
    // Several rounds of the 0.1 s sound were played.
    EXPECT_GT(Audible(Side(ReadCapture(capture), 0)).size(), 0.4 * kDeviceRate);
}

TEST_F(SoundPlayer, UsageAndHelp) {
    std::string output;
    EXPECT_EQ(RunPlayer({"--help"}, {}, &output), 0);
    EXPECT_NE(output.find("usage: stompvale-sound"), std::string::npos);
    EXPECT_NE(output.find("--stream"), std::string::npos);
    EXPECT_EQ(RunPlayer({}, {}, &output), 2);
    EXPECT_NE(output.find("missing FILE|FOLDER"), std::string::npos) << output;
    EXPECT_EQ(RunPlayer({"--volume", "loud", "x.wav"}, {}, &output), 2);
    EXPECT_NE(output.find("--volume: 'loud' is not a number"), std::string::npos) << output;
    EXPECT_EQ(RunPlayer({"--pan", "200", "x.wav"}, {}, &output), 2);
    EXPECT_EQ(RunPlayer({"--bogus", "x.wav"}, {}, &output), 2);
}

TEST_F(SoundPlayer, NoSoundCardIsSaidInOneLineWithoutAlsaNoise) {
    NoSoundCard machine;
    const std::string wav = (dir.path() / "tone.wav").string();
    ASSERT_TRUE(WriteTone(wav, "wav", 1, 22050, 0.2, 440, 12000));
    std::string output;
    EXPECT_EQ(RunPlayer({wav}, machine.env, &output), 1);
    EXPECT_EQ(output.rfind("stompvale-sound: no sound device", 0), 0u) << output;
    EXPECT_EQ(output.find("ALSA lib"), std::string::npos) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
}

class SilentGame : public X11GameTest {
  protected:
    SilentGame() : X11GameTest({"Xvfb", "xdotool"}, ": the end-to-end tests need xvfb, xdotool") {}
};

TEST_F(SilentGame, StartsAndQuitsWithoutAWordOnStderr) {
    NoSoundCard machine;
    TempDir program;
    const fs::path bin = Env("STOMPVALE_BIN");
    const fs::path binary = program.path() / "Stompvale_v1.6_1024x768";
    fs::copy_file(bin / "Stompvale_v1.6_1024x768", binary);
    fs::copy(bin / "images", program.path() / "images", fs::copy_options::recursive);
    fs::copy(bin / "Monsters", program.path() / "Monsters", fs::copy_options::recursive);
    program.Write("History.ini", "");
    std::vector<std::string> env = display->Environment();
    env.insert(env.end(), machine.env.begin(), machine.env.end());
    const std::string errors = (program.path() / "stderr.txt").string();
    ChildProcess game({"sh", "-c", "exec \"$0\" 2>\"$1\"", binary.string(), errors}, env,
                      program.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty()) << program.Read("stderr.txt");
    std::this_thread::sleep_for(300ms);
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
    EXPECT_EQ(program.Read("stderr.txt"), "");
}

} // namespace
