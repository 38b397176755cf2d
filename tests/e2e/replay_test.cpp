// Recorded games replay exactly: a scripted game that defeats a monster and
// dies once is recorded in-process on the headless host, then the real
// program replays it twice headless and once in a window, each time to the
// same checksum and the same history; other monster files are refused.
#include <gtest/gtest.h>

#include <thread>

#include "e2e_process.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "history/history.h"
#include "launcher/comforts_files.h"
#include "launcher/run_recorded.h"
#include "monsters/clsMonster.h"
#include "platform/headless_host.h"
#include "player/clsMan.h"
#include "replay/recorded_game.h"
#include "support/game_world.h"
#include "support/temp_dir.h"
#include "x11_game_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace keys;

// Walks up to the block, lowers it three times with F, strikes its hit
// point, waits for the next monster, walks into its red body and quits.
struct Script {
    int phase = 0, frames = 0, inPhase = 0;
    bool died = false, defeated = false;

    void Step(platform::HeadlessHost& host) {
        ++frames;
        ++inPhase;
        auto next = [&] {
            ++phase;
            inPhase = 0;
        };
        if (frames > 4000) host.RequestClose(); // a script gone wrong still ends
        if (!frmMain) return;
        clsMan& man = *TheGameForm()->mMan;
        clsMonster& monster = frmMain->Monster(1);
        switch (phase) {
        case 0: // walk right until beside the block
            host.SetKey(kRight, true);
            if (monster.mState == 2 && man.mX >= monster.mX - 1.5) {
                host.SetKey(kRight, false);
                next();
            }
            break;
        case 1: // F three times
            host.SetKey(kF, inPhase % 4 == 1 && inPhase < 12);
            if (inPhase == 14) next();
            break;
        case 2: // charge, then strike to the right
            host.SetKey(kZ, inPhase <= 60);
            host.SetKey(kRight, inPhase >= 60 && inPhase <= 62);
            if (inPhase == 64) next();
            break;
        case 3: // the block sinks and the next monster comes
            if (monster.mFileName == "2 Ember 0.gif" && monster.mState == 2) {
                defeated = true;
                next();
            }
            break;
        case 4: // into the red
            host.SetKey(kRight, true);
            if (man.mState == 2) {
                died = true;
                host.SetKey(kRight, false);
                next();
            }
            break;
        case 5:
            host.SetKey(kEscape, inPhase == 20);
            break;
        }
    }
};

class Replay : public X11GameTest {
  protected:
    Replay() : X11GameTest({"Xvfb", "xdotool"}) {}
};

} // namespace

TEST_F(Replay, ARecordedGameReplaysToTheSameChecksumHeadlessAndInAWindow) {
    TempDir folder;
    for (const char* name :
         {"Title_1Title.gif", "Title_2Instructions.gif", "Title_3Credits.gif", "Text_Readme.gif",
          "Text_Death.gif", "Text_Success.gif", "Background_Cloud1.gif", "Background_Cloud2.gif",
          "Background_Cloud3.gif", "Background_Mountain_Range.gif", "Background_Bridge.gif"}) {
        fs::create_directories(folder.path() / "images");
        fs::copy_file(fs::path(Env("STOMPVALE_BIN")) / "images" / name,
                      folder.path() / "images" / name);
    }
    fs::create_directories(folder.path() / "Monsters");
    gdi::SavePictureGif((folder.path() / "Monsters" / "1 Block 0.gif").string(),
                        PictureFromGrid({"SSSS", "SSSS", "WSSS"}));
    gdi::SavePictureGif((folder.path() / "Monsters" / "2 Ember 0.gif").string(),
                        PictureFromGrid({"RRR", "RRR"}));
    folder.Write("History.ini", "");

    // The recording, on a small desktop so the walks are short.
    const fs::path recording = folder.path() / "game.rec";
    Script script;
    {
        platform::HeadlessHost host(folder.str());
        host.Desktop[0] = 600;
        host.Desktop[1] = 480;
        host.OnDoEvents = [&](platform::HeadlessHost& h) { script.Step(h); };
        platform::SetHost(&host);
        SetHistoryFile((folder.path() / "History.ini").string());
        ProgramFiles files;
        files.dataFolder = folder.str();
        files.historyFile = (folder.path() / "History.ini").string();
        ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Desktop);
        const std::unique_ptr<PlayerComforts> comforts = ReplayComforts();
        setup.comforts = comforts.get(); // the times, without the player's files
        EXPECT_EQ(RunRecording(host, setup, files, {"Stompvale_v1.6_FullScreen", "1.6"},
                               recording.string()),
                  0);
        platform::SetHost(nullptr);
        SetHistoryFile("");
    }
    ASSERT_TRUE(script.defeated) << "the script did not defeat the block";
    ASSERT_TRUE(script.died) << "the script did not die";
    const std::string history = folder.Read("History.ini");
    EXPECT_EQ(history, "1 Block 0.gif,1\r\n2 Ember 0.gif,0\r\n");
    RecordedGame record;
    std::string error;
    ASSERT_TRUE(DecodeRecordedGame(folder.Read("game.rec"), record, error)) << error;
    EXPECT_LT(fs::file_size(recording), 8000u) << "a recording should be compact";
    char line[32];
    std::snprintf(line, sizeof(line), "checksum %016llx\n",
                  static_cast<unsigned long long>(record.checksum));
    // The recording carries the fight time of its defeat, which the replay
    // counts again.
    ASSERT_NE(record.times.find("1 Block 0.gif = "), std::string::npos) << record.times;
    const std::string expected = line + ("defeats (fight times in ms):\n" + record.times);

    const std::string binary =
        (fs::path(Env("STOMPVALE_BIN")) / "Stompvale_v1.6_FullScreen").string();
    auto replay = [&](const std::string& historyName, bool headless, std::string& out) {
        std::vector<std::string> argv = {binary,
                                         "--replay",
                                         recording.string(),
                                         "--data",
                                         folder.str(),
                                         "--history",
                                         (folder.path() / historyName).string()};
        if (headless) argv.push_back("--headless");
        return RunCommand(argv, GameEnvironment(), &out);
    };
    for (const char* name : {"first.ini", "second.ini"}) {
        std::string out;
        EXPECT_EQ(replay(name, true, out), 0);
        EXPECT_EQ(out, expected);
        EXPECT_EQ(folder.Read(name), history) << name;
    }
    std::string windowed;
    EXPECT_EQ(replay("window.ini", false, windowed), 0);
    EXPECT_EQ(windowed, expected);
    EXPECT_EQ(folder.Read("window.ini"), history);

    // Another monster picture: refused, naming it.
    gdi::SavePictureGif((folder.path() / "Monsters" / "1 Block 0.gif").string(),
                        PictureFromGrid({"SSSS", "SSSS", "SWSS"}));
    std::string refused;
    EXPECT_EQ(RunCommand({"sh", "-c",
                          binary + " --replay '" + recording.string() + "' --headless --data '" +
                              folder.str() + "' 2>&1"},
                         GameEnvironment(), &refused),
              1);
    EXPECT_NE(refused.find("changed: '1 Block 0.gif'"), std::string::npos) << refused;
}
