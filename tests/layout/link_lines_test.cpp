// What the built programs link, read from the programs themselves: the game
// and the tools that drive a real window or sound card need SDL; the
// headless tools and the unit tests do not, and must not carry it.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The shared libraries a program asks for, from its dynamic section.
std::vector<std::string> NeededLibraries(const fs::path& program) {
    std::vector<std::string> needed;
    const std::string command = "readelf -d '" + program.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return needed;
    std::array<char, 512> line{};
    while (std::fgets(line.data(), line.size(), pipe)) {
        const std::string text = line.data();
        const size_t open = text.find("(NEEDED)");
        const size_t from = text.find('[');
        if (open == std::string::npos || from == std::string::npos) continue;
        needed.push_back(text.substr(from + 1, text.find(']', from) - from - 1));
    }
    pclose(pipe);
    return needed;
}

bool NeedsSdl(const std::vector<std::string>& libraries) {
    for (const std::string& library : libraries) {
        if (library.starts_with("libSDL2")) return true;
    }
    return false;
}

TEST(LinkLines, OnlyTheLauncherAndTheDeviceToolsLinkSdl) {
    const char* bin = std::getenv("STOMPVALE_BIN");
    ASSERT_NE(bin, nullptr);
    struct Case {
        fs::path program;
        bool sdl;
    };
    const fs::path tests = fs::current_path(); // the test programs' folder
    const std::vector<Case> cases = {
        {fs::path(bin) / "Stompvale_v1.6_1024x768", true},
        {fs::path(bin) / "Stompvale_v1.6_FullScreen", true},
        {fs::path(bin) / "present_bench", true},
        {fs::path(bin) / "stompvale-sound", true},
        {fs::path(bin) / "frame_bench", false},
        {fs::path(bin) / "stompvale-soak", false},
        {fs::path(bin) / "stompvale-monster-check", false},
        {fs::path(bin) / "stompvale-art", false},
        {tests / "test_game", false},
        {tests / "test_app", false},
        {tests / "test_player", false},
        {tests / "test_launcher", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(fs::exists(c.program)) << c.program;
        const std::vector<std::string> needed = NeededLibraries(c.program);
        // Every program asks for the C library: an empty list means readelf
        // did not answer, and the check would prove nothing.
        ASSERT_FALSE(needed.empty()) << c.program;
        EXPECT_EQ(NeedsSdl(needed), c.sdl) << c.program;
    }
}

} // namespace
