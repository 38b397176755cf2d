// The comforts around the game, as a player tries them in the real binaries:
// the command line, a real window and its scaling, full screen and back,
// pause, trying again after dying, no display, and an installed game.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

#include "e2e_process.h"
#include "gdi/picture.h"
#include "screenshot.h"
#include "support/game_world.h"
#include "support/png_read.h"
#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr gdi::COLORREF kWhite = 0xFFFFFF;

// A program folder of its own: the windowed game, the images, one monster.
struct Program {
    TempDir dir;
    fs::path binary;
    explicit Program(const std::vector<std::string>& monster = {"SSSSSS", "SWWSSS", "SSSSSS"},
                     const std::string& name = "3 Tester 0.gif") {
        const fs::path bin = Env("STOMPVALE_BIN");
        binary = dir.path() / "Stompvale_v1.6_1024x768";
        fs::copy_file(bin / "Stompvale_v1.6_1024x768", binary);
        fs::copy(bin / "images", dir.path() / "images", fs::copy_options::recursive);
        fs::create_directories(dir.path() / "Monsters");
        gdi::SavePictureGif((dir.path() / "Monsters" / name).string(), PictureFromGrid(monster));
        dir.Write("History.ini", "");
    }
};

class Comforts : public X11GameTest {
  protected:
    Comforts() : X11GameTest({"Xvfb", "xdotool", "xwininfo", "import"}) {
        // Room for the play area at twice its size.
        screenWidth = 2200;
        screenHeight = 1700;
    }

    struct Geometry {
        int x = -1, y = -1, width = -1, height = -1;
    };
    Geometry WindowGeometry(const std::string& id) const {
        const std::string info = Tool({"xwininfo", "-id", id});
        auto field = [&](const std::string& name) {
            const size_t at = info.find(name);
            return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + name.size());
        };
        return {field("Absolute upper-left X: "), field("Absolute upper-left Y: "),
                field("Width: "), field("Height: ")};
    }
    Screenshot Shot(const TempDir& dir, const std::string& name) const {
        return TakeScreenshot(display->Environment(), (dir.path() / name).string());
    }
    void Tap(const std::string& id, const std::string& key) const { HoldKey(id, key, 100ms); }
};

// The rows at the top of a picture that are white across `width` pixels from
// `left`: the view's frame, scaled.
int WhiteRowsFrom(const Screenshot& shot, int left, int top, int width) {
    int rows = 0;
    for (int y = top; y < shot.height; ++y) {
        for (int x = left; x < left + width; x += 7) {
            if (shot.At(x, y) != kWhite) return rows;
        }
        ++rows;
    }
    return rows;
}

} // namespace

TEST(CommandLine, HelpVersionAndBadOptionsOpenNoWindow) {
    const fs::path binary = fs::path(Env("STOMPVALE_BIN")) / "Stompvale_v1.6_1024x768";
    struct Case {
        std::vector<std::string> arguments;
        int status;
        const char* says; // on stdout and stderr together
    };
    const Case cases[] = {
        {{"--help"}, 0, "--history FILE"},
        {{"--version"}, 0, "Stompvale_v1.6_1024x768 1.6"},
        {{"--bogus"}, 2, "unknown option --bogus"},
        {{"--data"}, 2, "--data needs a value"},
        {{"--history="}, 2, "--history needs a value"},
        {{"--window", "--fullscreen"}, 2, "exclude each other"},
    };
    for (const Case& c : cases) {
        std::string command = "'" + binary.string() + "'";
        for (const std::string& a : c.arguments) command += " '" + a + "'";
        std::string out;
        // No display at all: an attempt to open a window would fail loudly.
        const int status = RunCommand({"sh", "-c", command + " 2>&1"},
                                      {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="}, &out);
        EXPECT_EQ(status, c.status) << command;
        EXPECT_NE(out.find(c.says), std::string::npos) << command << ":\n" << out;
        EXPECT_EQ(out.find("no display"), std::string::npos) << command;
    }
}

TEST(CommandLine, NoDisplaySaysWhatToSet) {
    Program program;
    std::string out;
    const int status = RunCommand({"sh", "-c", "'" + program.binary.string() + "' 2>&1"},
                                  {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="}, &out);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("no display"), std::string::npos) << out;
    EXPECT_NE(out.find("DISPLAY"), std::string::npos) << out;
    EXPECT_NE(out.find("SDL_VIDEODRIVER"), std::string::npos) << out;
    EXPECT_EQ(program.dir.Read("History.ini"), ""); // nothing was started
}

TEST_F(Comforts, ARealWindowScalesTheViewAndSwitchesToFullScreenAndBack) {
    Program program;
    ChildProcess game({program.binary.string(), "--window"}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(500ms);
    Geometry g = WindowGeometry(id);
    EXPECT_EQ(g.width, 1023); // the play area's size
    EXPECT_EQ(g.height, 768);

    // Twice the size: the view at factor 2, its frame twice as thick.
    Tool({"xdotool", "windowsize", id, "2046", "1536"});
    Tool({"xdotool", "windowmove", id, "0", "0"});
    std::this_thread::sleep_for(700ms);
    g = WindowGeometry(id);
    ASSERT_EQ(g.width, 2046);
    const Screenshot twice = Shot(program.dir, "twice.ppm");
    EXPECT_EQ(WhiteRowsFrom(twice, g.x, g.y, 2046), 12); // 6 rows at factor 1
    EXPECT_NE(twice.At(g.x + 2046, g.y + 5), kWhite);    // the desktop beside it

    // Smaller than the play area: shrunk to fit, not cut.
    Tool({"xdotool", "windowsize", id, "700", "700"});
    std::this_thread::sleep_for(700ms);
    g = WindowGeometry(id);
    const Screenshot shrunk = Shot(program.dir, "shrunk.ppm");
    const int letterbox = (700 - 700 * 768 / 1023) / 2; // black above the view
    EXPECT_NE(shrunk.At(g.x + 350, g.y + letterbox + 2), 0u);
    EXPECT_EQ(shrunk.At(g.x + 350, g.y + letterbox / 2), 0u);

    HoldKey(id, "F11", 100ms);
    std::this_thread::sleep_for(500ms);
    g = WindowGeometry(id);
    EXPECT_EQ(g.width, 2200);
    EXPECT_EQ(g.height, 1700);
    HoldKey(id, "alt+Return", 100ms);
    std::this_thread::sleep_for(500ms);
    g = WindowGeometry(id);
    EXPECT_EQ(g.width, 1023);
    EXPECT_EQ(g.height, 768);

    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
}

TEST_F(Comforts, PauseFreezesThePictureAndPAgainResumes) {
    Program program;
    ChildProcess game({program.binary.string(), "--window"}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(500ms);
    Tap(id, "p");
    std::this_thread::sleep_for(300ms);
    const Screenshot a = Shot(program.dir, "a.ppm");
    std::this_thread::sleep_for(1000ms);
    const Screenshot b = Shot(program.dir, "b.ppm");
    EXPECT_EQ(a.rgb, b.rgb) << "the picture moved while paused";
    Tap(id, "p");
    HoldKey(id, "Right", 800ms); // he walks again, and the clouds drift
    const Screenshot c = Shot(program.dir, "c.ppm");
    EXPECT_NE(b.rgb, c.rgb) << "nothing moved after resuming";
    // Escape quits from the pause as well.
    Tap(id, "p");
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
    EXPECT_EQ(program.dir.Read("History.ini"), "3 Tester 0.gif,0\r\n");
}

TEST_F(Comforts, RAfterDyingSavesTheHistoryAndShowsTheTitleAgain) {
    // A red monster standing right of the man: walking into it kills him.
    Program program({"RRRRRR", "RRRRRR", "RRRRRR"}, "1 Ember 0.gif");
    ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    const gdi::Picture title =
        gdi::LoadPicture((program.dir.path() / "images" / "Title_1Title.gif").string());
    const gdi::Picture death =
        gdi::LoadPicture((program.dir.path() / "images" / "Text_Death.gif").string());
    // The screen images' place: the view at (128, 128) on this screen, the
    // image 7 and 48 pixels into it.
    const int left = (2200 - 1023) / 2 + 7, top = (1700 - 768) / 2 + 48;
    // About 170 game pixels at 0.4 a frame: walk until the death screen shows
    // (a busy machine runs fewer frames a second).
    Tool({"xdotool", "mousemove", "--window", id, "200", "200"});
    Tool({"xdotool", "windowfocus", id});
    Tool({"xdotool", "keydown", "Right"});
    Screenshot dead;
    for (int second = 0; second < 40; ++second) {
        std::this_thread::sleep_for(1000ms);
        dead = Shot(program.dir, "dead.ppm");
        if (ShareShown(dead, death, left, top) > 0.95) break;
    }
    Tool({"xdotool", "keyup", "Right"});
    ASSERT_GT(ShareShown(dead, death, left, top), 0.95) << "he did not die";
    EXPECT_EQ(program.dir.Read("History.ini"), ""); // not written before the retry

    Tap(id, "r");
    std::this_thread::sleep_for(600ms);
    const Screenshot again = Shot(program.dir, "again.ppm");
    EXPECT_GT(ShareShown(again, title, left, top), 0.95) << "no title after trying again";
    EXPECT_EQ(program.dir.Read("History.ini"), "1 Ember 0.gif,0\r\n");
    EXPECT_TRUE(game.Running());
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
}

TEST_F(Comforts, AnInstalledGameRunsFromItsPrefixAndKeepsItsHistoryInTheUsersFolder) {
    const fs::path build = fs::path(Env("STOMPVALE_BIN")).parent_path();
    TempDir prefix, home;
    ASSERT_EQ(RunCommand({"cmake", "--install", build.string(), "--prefix", prefix.str()}, {}), 0);
    const fs::path binary = prefix.path() / "bin" / "Stompvale_v1.6_1024x768";
    ASSERT_TRUE(fs::exists(binary));
    EXPECT_TRUE(fs::exists(prefix.path() / "share" / "stompvale" / "Monsters"));
    EXPECT_TRUE(fs::exists(prefix.path() / "share/icons/hicolor/48x48/apps/stompvale.png"));
    const fs::path entry = prefix.path() / "share" / "applications" / "stompvale.desktop";
    if (CommandExists("desktop-file-validate")) {
        std::string out;
        EXPECT_EQ(RunCommand({"desktop-file-validate", entry.string()}, {}, &out), 0) << out;
    }
    EXPECT_NE(prefix.Read("share/applications/stompvale.desktop")
                  .find("Exec=\"" + binary.string() + "\" --window"),
              std::string::npos);

    // The program's folder cannot be written (the game runs as an ordinary
    // user for this, as root could write anyway): the history goes to the
    // user's data folder, brought along from beside the program.
    prefix.Write("bin/History.ini", "8 Colossus 15-31-29.gif,2\r\n");
    const fs::path data = home.path() / "data";
    for (const fs::path& p : {prefix.path(), home.path()}) {
        chmod(p.c_str(), 0777);
    }
    chmod((prefix.path() / "bin").c_str(), 0555);
    std::vector<std::string> env = GameEnvironment();
    env.push_back("XDG_DATA_HOME=" + data.string());
    env.push_back("HOME=" + home.str());
    std::vector<std::string> command = {binary.string()};
    if (geteuid() == 0) {
        ASSERT_TRUE(CommandExists("setpriv"));
        command = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", binary.string()};
    }
    ChildProcess game(command, env, home.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty()) << "the installed game did not open its window";
    std::this_thread::sleep_for(500ms);
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
    const std::string history = home.Read("data/stompvale/History.ini");
    EXPECT_NE(history.find("8 Colossus 15-31-29.gif,2\r\n"), std::string::npos) << history;
    EXPECT_NE(history.find("1 Mossback 1-3-5.gif,0\r\n"), std::string::npos) << history;
    EXPECT_EQ(prefix.Read("bin/History.ini"), "8 Colossus 15-31-29.gif,2\r\n"); // untouched
    chmod((prefix.path() / "bin").c_str(), 0755);
}

TEST_F(Comforts, ControlsIniRemapsJumpToJ) {
    // Monster 1 always comes from the right, away from the man.
    Program program({"SSSSSS", "SWWSSS", "SSSSSS"}, "1 Tester 0.gif");
    program.dir.Write("Controls.ini", "; jump on J only\nJump = J\n");
    ChildProcess game({program.binary.string(), "--window"}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(1500ms); // the camera settles on the man
    // How far the man is above the ground, in screen rows: from the bottom of
    // his pure red block down to the ground's colour in his column.
    auto aboveGround = [&](const std::string& name) {
        const Screenshot shot = Shot(program.dir, name);
        for (int y = shot.height - 1; y >= 0; --y) {
            for (int x = 0; x < shot.width; ++x) {
                if (shot.At(x, y) != gdi::RGB(255, 0, 0)) continue;
                int ground = y + 1;
                while (ground < shot.height && shot.At(x, ground) != world_colours::kGround) {
                    ++ground;
                }
                return ground - y - 1;
            }
        }
        return -1;
    };
    ASSERT_EQ(aboveGround("standing.ppm"), 0);
    // Each key held for a quarter second, then the game paused in mid-jump.
    auto jumpWith = [&](const std::string& key, const std::string& shot) {
        Tool({"xdotool", "mousemove", "--window", id, "200", "200"});
        Tool({"xdotool", "windowfocus", id});
        Tool({"xdotool", "keydown", key});
        std::this_thread::sleep_for(250ms);
        // P held long enough to be seen by a frame, even on a busy machine.
        Tool({"xdotool", "keydown", "p"});
        std::this_thread::sleep_for(100ms);
        Tool({"xdotool", "keyup", "p"});
        Tool({"xdotool", "keyup", key});
        std::this_thread::sleep_for(200ms);
        const int height = aboveGround(shot);
        Tap(id, "p");
        for (int wait = 0; wait < 50 && aboveGround("landed.ppm") != 0; ++wait) {
            std::this_thread::sleep_for(200ms); // back on the ground
        }
        return height;
    };
    EXPECT_GT(jumpWith("j", "j.ppm"), 12) << "J did not jump";
    EXPECT_EQ(jumpWith("space", "space.ppm"), 0) << "Space still jumps";
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);
}

TEST_F(Comforts, F12WritesTheViewAsAPngAndSaysSoForASecond) {
    Program program;
    const fs::path pictures = program.dir.path() / "my pictures";
    std::vector<std::string> environment = GameEnvironment();
    environment.push_back("HOME=" + program.dir.str());
    environment.push_back("XDG_PICTURES_DIR=" + pictures.string());
    ChildProcess game({program.binary.string()}, environment, program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(500ms);
    Tap(id, "p"); // a still picture, to hold the file against
    std::this_thread::sleep_for(300ms);
    Tap(id, "F12");
    std::this_thread::sleep_for(300ms);
    const Screenshot saying = Shot(program.dir, "saying.ppm");
    std::this_thread::sleep_for(1500ms);
    const Screenshot after = Shot(program.dir, "after.ppm");
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(pictures / "Stompvale")) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string().rfind("Stompvale ", 0), 0u) << files[0];
    EXPECT_EQ(files[0].extension(), ".png");
    const gdi::Picture view = ReadOwnPng(files[0].string());
    ASSERT_EQ(view.width, 1023);
    ASSERT_EQ(view.height, 768);
    // The windowed game shows the view 1:1 in the middle of the screen: the
    // file holds its pixels, and the notice was only on the way to the window.
    const int left = (2200 - 1023) / 2, top = (1700 - 768) / 2;
    const auto differing = [&](const Screenshot& shot) {
        int count = 0;
        for (int y = 0; y < view.height; ++y) {
            for (int x = 0; x < view.width; ++x) {
                if (shot.At(left + x, top + y) != view.pixels[y * view.width + x]) ++count;
            }
        }
        return count;
    };
    EXPECT_GT(differing(saying), 1000) << "no notice was shown";
    EXPECT_EQ(differing(after), 0) << "the file is not the view, or the notice stayed";
}

TEST_F(Comforts, TheOptionsScreenOpensOverThePausedGameAndKeepsWhatIsChosen) {
    Program program;
    ChildProcess game({program.binary.string()}, GameEnvironment(), program.dir.str());
    const std::string id = WaitForWindow(game);
    ASSERT_FALSE(id.empty());
    std::this_thread::sleep_for(500ms);
    Tap(id, "Tab");
    std::this_thread::sleep_for(300ms);
    const Screenshot open = Shot(program.dir, "open.ppm");
    std::this_thread::sleep_for(300ms);
    const Screenshot still = Shot(program.dir, "still.ppm");
    // The timer on (six rows down), then Jump on J in the controls page.
    for (int i = 0; i < 6; ++i) Tap(id, "Down");
    Tap(id, "Return");
    Tap(id, "Down");
    Tap(id, "Return");
    for (int i = 0; i < 4; ++i) Tap(id, "Down");
    Tap(id, "Return");
    Tap(id, "j");
    std::this_thread::sleep_for(200ms);
    const Screenshot controls = Shot(program.dir, "controls.ppm");
    Tap(id, "Escape");
    Tap(id, "Escape");
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(game.Running()) << "Escape on the options screen quit the game";
    HoldKey(id, "Escape", 100ms);
    EXPECT_EQ(game.WaitFor(3000ms), 0);

    // Nothing moves under the screen: two pictures of it are the same.
    int differing = 0;
    for (int y = 0; y < open.height; y += 3)
        for (int x = 0; x < open.width; x += 3) differing += open.At(x, y) != still.At(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(program.dir.Read("Settings.ini").find("Timer = on"), std::string::npos)
        << program.dir.Read("Settings.ini");
    EXPECT_NE(program.dir.Read("Controls.ini").find("Jump = J, PadA"), std::string::npos)
        << program.dir.Read("Controls.ini");
    EXPECT_GT(controls.width, 0);
}
