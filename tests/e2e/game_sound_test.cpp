// The real game through SDL's disk driver: without options it opens the
// device and plays nothing over the title and the first monster's rise; with
// --sound the rise is heard.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class GameSound : public X11GameTest {
  protected:
    GameSound() : X11GameTest({"Xvfb", "xdotool"}, ": the end-to-end tests need xvfb, xdotool") {}

    // The stereo samples the game sent to the device in `time` after its
    // window appeared.
    std::vector<int16_t> Capture(const std::vector<std::string>& options,
                                 std::chrono::milliseconds time) {
        TempDir program;
        const fs::path bin = Env("STOMPVALE_BIN");
        const fs::path binary = program.path() / "Stompvale_v1.6_1024x768";
        fs::copy_file(bin / "Stompvale_v1.6_1024x768", binary);
        for (const char* folder : {"images", "Monsters", "Sounds"})
            fs::copy(bin / folder, program.path() / folder, fs::copy_options::recursive);
        program.Write("History.ini", "");
        const fs::path capture = program.path() / "capture.raw";
        std::vector<std::string> env = display->Environment();
        env.push_back("SDL_AUDIODRIVER=disk");
        env.push_back("SDL_DISKAUDIOFILE=" + capture.string());
        std::vector<std::string> argv = {binary.string()};
        argv.insert(argv.end(), options.begin(), options.end());
        ChildProcess game(argv, env, program.str());
        const std::string id = WaitForWindow(game);
        EXPECT_FALSE(id.empty());
        if (id.empty()) return {};
        std::this_thread::sleep_for(time);
        HoldKey(id, "Escape", 100ms);
        EXPECT_EQ(game.WaitFor(5000ms), 0);
        std::ifstream in(capture, std::ios::binary);
        const std::string raw((std::istreambuf_iterator<char>(in)), {});
        std::vector<int16_t> samples(raw.size() / 2);
        std::memcpy(samples.data(), raw.data(), samples.size() * 2);
        return samples;
    }
};

int Peak(const std::vector<int16_t>& samples) {
    int peak = 0;
    for (const int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    return peak;
}

TEST_F(GameSound, WithoutOptionsTheDeviceOpensAndStaysSilent) {
    const std::vector<int16_t> samples = Capture({}, 10s);
    // The disk driver writes as a real device plays: most of ten seconds.
    EXPECT_GT(samples.size(), 2u * 44100 * 8);
    EXPECT_EQ(Peak(samples), 0);
}

TEST_F(GameSound, WithSoundTheFirstMonsterIsHeardRising) {
    const std::vector<int16_t> samples = Capture({"--sound"}, 3s);
    EXPECT_GT(samples.size(), 2u * 44100 * 2);
    EXPECT_GT(Peak(samples), 1000);
}

} // namespace
