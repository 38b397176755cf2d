// The real game binaries under a private X server: window, Escape, history.
#include <gtest/gtest.h>

#include <csignal>
#include <gif_lib.h>
#include <thread>

#include "e2e_process.h"
#include "replay/recorded_game.h"
#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A small monster picture: black (transparent) around a yellow furry body
// with a white hit point.
void WriteMonsterGif(const fs::path& path) {
    fs::create_directories(path.parent_path());
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    ASSERT_NE(gif, nullptr) << path;
    GifColorType colours[4] = {{0, 0, 0}, {255, 255, 255}, {250, 225, 40}, {120, 80, 40}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    const int width = 24, height = 12;
    ASSERT_EQ(EGifPutScreenDesc(gif, width, height, 2, 0, map), GIF_OK);
    ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), GIF_OK);
    for (int y = 0; y < height; ++y) {
        GifPixelType row[width];
        for (int x = 0; x < width; ++x) {
            const bool body = x >= 2 && x < width - 2 && y >= 2;
            row[x] = body ? ((x >= 10 && x < 13 && y >= 5 && y < 8) ? 1 : (y < 4 ? 2 : 3)) : 0;
        }
        ASSERT_EQ(EGifPutLine(gif, row, width), GIF_OK);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

// A program folder of its own: the binary, the pictures, three monsters.
struct ProgramFolder {
    TempDir dir;
    fs::path binary;

    explicit ProgramFolder(const std::string& binaryName) {
        const fs::path bin = Env("STOMPVALE_BIN");
        fs::copy_file(bin / binaryName, dir.path() / binaryName);
        binary = dir.path() / binaryName;
        if (fs::exists(bin / "images")) {
            fs::copy(bin / "images", dir.path() / "images", fs::copy_options::recursive);
        }
        WriteMonsterGif(dir.path() / "Monsters" / "2 Beta 2-11-21.gif");
        WriteMonsterGif(dir.path() / "Monsters" / "1 Alpha 1-10-20.gif");
        WriteMonsterGif(dir.path() / "Monsters" / "more" / "3 Gamma 3-12-22.gif");
        dir.Write("History.ini", "");
    }
};

class GameWindow : public X11GameTest {
  protected:
    GameWindow()
        : X11GameTest({"Xvfb", "xdotool", "xwininfo"},
                      ": the end-to-end tests need xvfb, xdotool and x11-utils") {}

    void Geometry(const std::string& id, int& width, int& height) const {
        const std::string info = Tool({"xwininfo", "-id", id});
        auto field = [&](const std::string& name) {
            const size_t at = info.find(name);
            return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + name.size());
        };
        width = field("Width: ");
        height = field("Height: ");
    }

    // Escape held for about 100 ms with the pointer over the window.
    void PressEscape(const std::string& id) const { HoldKey(id, "Escape", 100ms); }

    // A few frames of play, then Escape: the game must quit cleanly within 2 s.
    void PlayThenEscape(const std::string& id, ChildProcess& game) const {
        std::this_thread::sleep_for(300ms);
        PressEscape(id);
        EXPECT_EQ(game.WaitFor(2000ms), 0) << "the game did not quit cleanly within 2 s";
    }
};

// The three monsters of a program folder, none defeated, in listing order.
const char* const kFreshHistory = "1 Alpha 1-10-20.gif,0\r\n"
                                  "2 Beta 2-11-21.gif,0\r\n"
                                  "3 Gamma 3-12-22.gif,0\r\n";

TEST_F(GameWindow, WindowedGameShowsItsWindowAndQuitsOnEscape) {
    ProgramFolder program("Stompvale_v1.6_1024x768");
    {
        ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
        const std::string id = WaitForWindow(game);
        ASSERT_FALSE(id.empty()) << "no window named Gloamward appeared";
        EXPECT_EQ(Tool({"xdotool", "getwindowname", id}), "Gloamward");
        int width = 0, height = 0;
        Geometry(id, width, height);
        // The window covers the whole 1280 x 1024 screen, as the full-screen
        // build's does; the play area sits in its middle.
        EXPECT_EQ(width, 1280);
        EXPECT_EQ(height, 1024);

        PlayThenEscape(id, game);
    }
    EXPECT_EQ(program.dir.Read("History.ini"), kFreshHistory);

    // A second run keeps a count written in other letter case and with spaces.
    program.dir.Write("History.ini", "  2 BETA 2-11-21.GIF  ,  4  \r\n");
    {
        ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
        const std::string id = WaitForWindow(game);
        ASSERT_FALSE(id.empty());
        PlayThenEscape(id, game);
    }
    EXPECT_EQ(program.dir.Read("History.ini"), "1 Alpha 1-10-20.gif,0\r\n"
                                               "2 Beta 2-11-21.gif,4\r\n"
                                               "3 Gamma 3-12-22.gif,0\r\n");
}

TEST_F(GameWindow, FullScreenGameCoversTheDesktopAndQuitsOnEscape) {
    ProgramFolder program("Stompvale_v1.6_FullScreen");
    ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty()) << "no window named Gloamward appeared";
    int width = 0, height = 0;
    Geometry(id, width, height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 1024);
    PlayThenEscape(id, game);
    EXPECT_EQ(program.dir.Read("History.ini"), kFreshHistory);
}

TEST_F(GameWindow, TerminationRequestQuitsCleanlyAndWritesTheHistory) {
    ProgramFolder program("Stompvale_v1.6_1024x768");
    ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
    ASSERT_FALSE(WaitForWindow(game).empty());
    std::this_thread::sleep_for(200ms);
    // SIGTERM arrives as a close request, like the window's close button.
    kill(game.Pid(), SIGTERM);
    EXPECT_EQ(game.WaitFor(2000ms), 0);
    EXPECT_EQ(program.dir.Read("History.ini"), kFreshHistory);
}

TEST_F(GameWindow, EmptyMonstersFolderEndsWithAnErrorAndKeepsTheHistory) {
    ProgramFolder program("Stompvale_v1.6_1024x768");
    fs::remove_all(program.dir.path() / "Monsters");
    fs::create_directories(program.dir.path() / "Monsters");
    program.dir.Write("History.ini", "1 Alpha 1-10-20.gif,2\r\n");
    // The message box holds the program until its OK button is pressed.
    ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
    int status = -1;
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (status == -1 && std::chrono::steady_clock::now() < end) {
        // The box's name is UTF-8 only, which xdotool's name search skips.
        const std::string tree = Tool({"xwininfo", "-root", "-tree"});
        const size_t named = tree.find("\"Gloamward\"");
        if (named != std::string::npos) {
            const size_t line = tree.rfind('\n', named) + 1;
            const std::string id = tree.substr(tree.find_first_not_of(' ', line), 10);
            Tool({"xdotool", "windowfocus", id.substr(0, id.find(' '))});
            Tool({"xdotool", "key", "Return"});
        }
        status = game.WaitFor(300ms);
    }
    EXPECT_NE(status, 0);
    EXPECT_NE(status, -1);
    EXPECT_EQ(program.dir.Read("History.ini"), "1 Alpha 1-10-20.gif,2\r\n");
}

} // namespace

namespace {

// Every way the system ends a game saves as Escape does: the history, and a
// recording that replays to its end. A closed terminal or ended session
// (SIGHUP), Ctrl-\ (SIGQUIT, which still ends as SIGQUIT does), Ctrl-C, a
// termination request, and an X server that goes away.
TEST_F(GameWindow, EveryWayOfEndingSavesTheHistoryAndTheRecording) {
    struct Case {
        const char* what;
        int signal; // 0: the X server is killed
        int status;
    };
    const Case cases[] = {
        {"SIGHUP", SIGHUP, 0},   {"SIGQUIT", SIGQUIT, 128 + SIGQUIT}, {"SIGINT", SIGINT, 0},
        {"SIGTERM", SIGTERM, 0}, {"the X server going away", 0, 0},
    };
    for (const Case& c : cases) {
        if (!display) display = std::make_unique<VirtualDisplay>(screenWidth, screenHeight);
        ASSERT_FALSE(display->Name().empty());
        ProgramFolder program("Stompvale_v1.6_1024x768");
        const std::string recording = (program.dir.path() / "game.rec").string();
        ChildProcess game({program.binary.string(), "--record", recording}, GameEnvironment(),
                          program.dir.str());
        ASSERT_FALSE(WaitForWindow(game).empty()) << c.what;
        std::this_thread::sleep_for(300ms);
        if (c.signal != 0) {
            kill(game.Pid(), c.signal);
        } else {
            display.reset();
        }
        EXPECT_EQ(game.WaitFor(5000ms), c.status) << c.what;
        EXPECT_EQ(program.dir.Read("History.ini"), kFreshHistory) << c.what;
        const std::string bytes = program.dir.Read("game.rec");
        RecordedGame record;
        std::string error;
        EXPECT_TRUE(DecodeRecordedGame(bytes, record, error)) << c.what << ": " << error;
        // The end was recorded as a close, so the replay ends where the game did.
        EXPECT_FALSE(record.events.empty()) << c.what;
        if (!record.events.empty()) {
            EXPECT_EQ(record.events.back(), '\1') << c.what;
        }
    }
}

} // namespace
