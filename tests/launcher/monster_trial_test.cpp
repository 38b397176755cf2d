// Playing a monster maker's pictures: the scratch folder each run plays from,
// what cannot be played, the command line around it, and a game that starts
// past its title screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "history/history.h"
#include "launcher/monster_trial.h"
#include "launcher/options.h"
#include "launcher/picture_watch.h"
#include "launcher/trial_messages.h"
#include "monsters/clsMonster.h"
#include "platform/key_table.h"
#include "support/game_world.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What the game can play needs white to strike; without it, it cannot.
const std::vector<std::string> kPlayable = {"SSS", "SWS"};
const std::vector<std::string> kNoWhite = {"SSS", "SSS"};

void SavePicture(const fs::path& path, const std::vector<std::string>& rows) {
    fs::create_directories(path.parent_path());
    gdi::SavePictureGif(path.string(), PictureFromGrid(rows));
}

// A program's data folder and a maker's folder beside it.
struct Places {
    TempDir root;
    fs::path program = root.path() / "program", maker = root.path() / "maker";
    Places() {
        Write(program / "images" / "Title_1Title.gif", "title");
        Write(program / "Sounds" / "Cut" / "Cut_1.ogg", "cut");
        Write(program / "Monsters" / "1 Mossback 1-3-5.gif", "shipped");
        Write(program / "History.ini", "1 Mossback 1-3-5.gif,3\r\n");
        Write(program / "Stompvale_v1.6_1024x768", "the program itself");
        SavePicture(maker / "0 Newt 1-2-3.gif", kPlayable);
        SavePicture(maker / "1 Yak 4-5-6.GIF", kPlayable);
        Write(maker / "notes.txt", "not a picture");
        Write(maker / "old" / "2 Old 1-1-1.gif", "in a folder of its own");
        fs::create_directory_symlink(".", maker / "loop");
        fs::create_directory(root.path() / "empty");
        Write(root.path() / "nested" / "sub" / "3 Deep 1-1-1.gif", "deep");
        fs::create_directory_symlink(".", root.path() / "nested" / "itself.gif");
    }
};

GameOptions Monster(const std::string& file) {
    GameOptions options;
    options.monsterFile = file;
    return options;
}
GameOptions MonstersIn(const std::string& folder) {
    GameOptions options;
    options.monstersFolder = folder;
    return options;
}

} // namespace

TEST(MonsterTrial, PlaysThePicturesWithTheProgramsDataAndAHistoryOfItsOwn) {
    Places places;
    struct Case {
        const char* what;
        GameOptions options;
        std::vector<std::string> monsters;
    } cases[] = {
        {"one picture",
         Monster((places.maker / "0 Newt 1-2-3.gif").string()),
         {"0 Newt 1-2-3.gif"}},
        {"a folder's own pictures, whatever the case of .gif",
         MonstersIn(places.maker.string()),
         {"0 Newt 1-2-3.gif", "1 Yak 4-5-6.GIF"}},
    };
    for (const Case& c : cases) {
        std::string folder;
        {
            const MonsterTrialFolder trial(places.program.string(), c.options);
            folder = trial.DataFolder();
            EXPECT_EQ(Names(folder), (std::vector<std::string>{"Monsters", "Sounds", "images"}))
                << c.what;
            EXPECT_EQ(Names(fs::path(folder) / "Monsters"), c.monsters) << c.what;
            EXPECT_EQ(trial.Sources().size(), c.monsters.size()) << c.what;
            EXPECT_TRUE(trial.Problems().empty()) << c.what;
            EXPECT_TRUE(fs::exists(fs::path(folder) / "Sounds" / "Cut" / "Cut_1.ogg")) << c.what;
            EXPECT_EQ(trial.HistoryFile(), folder + "/History.ini") << c.what;
            EXPECT_FALSE(fs::exists(trial.HistoryFile())) << c.what;
        }
        EXPECT_FALSE(fs::exists(folder)) << c.what << ": the folder goes with the trial";
    }
    // The program's own folder and the maker's are as they were.
    EXPECT_EQ(Names(places.program / "Monsters"), std::vector<std::string>{"1 Mossback 1-3-5.gif"});
    EXPECT_EQ(Names(places.maker), (std::vector<std::string>{"0 Newt 1-2-3.gif", "1 Yak 4-5-6.GIF",
                                                             "loop", "notes.txt", "old"}));
}

TEST(MonsterTrial, WhatCannotBePlayedIsOneLineNamingIt) {
    Places places;
    const std::string maker = places.maker.string();
    struct Case {
        const char* what;
        GameOptions options;
        std::string said;
    } cases[] = {
        {"a missing picture", Monster(maker + "/9 Gone 1-1-1.gif"),
         "9 Gone 1-1-1.gif: no such file"},
        {"a folder as the picture", Monster(maker + "/old"), "old: not a monster picture"},
        {"not a .gif", Monster(maker + "/notes.txt"), "notes.txt: not a monster picture"},
        {"a missing folder", MonstersIn(maker + "/nowhere"), "nowhere: no such folder"},
        {"a file as the folder", MonstersIn(maker + "/notes.txt"), "notes.txt: not a folder"},
        {"a folder without pictures", MonstersIn((places.root.path() / "empty").string()),
         "empty: no .gif pictures in it"},
        {"pictures only in a folder inside, and a link to itself",
         MonstersIn((places.root.path() / "nested").string()), "nested: no .gif pictures in it"},
    };
    for (const Case& c : cases) {
        try {
            MonsterTrialFolder trial(places.program.string(), c.options);
            ADD_FAILURE() << c.what << ": played";
        } catch (const MonsterTrialError& error) {
            EXPECT_NE(std::string(error.what()).find(c.said), std::string::npos)
                << c.what << ": " << error.what();
        }
    }
}

TEST(MonsterTrial, TheCommandLineTakesOnePictureOrFolderAndNoRecording) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--monster", "a.gif"}, ""},
        {{"--monsters", "dir", "--window", "--sound"}, ""},
        {{"--monster", "a.gif", "--data", "other", "--history", "h.ini"}, ""},
        {{"--monster"}, "--monster needs a value"},
        {{"--monster", "a.gif", "--watch"}, ""},
        {{"--watch", "--window"}, "--watch needs --monster or --monsters"},
        {{"--monster", "a.gif", "--monsters", "dir"},
         "--monster and --monsters exclude each other"},
        {{"--monsters", "dir", "--record", "r.sgr"}, "--monsters and --record exclude each other"},
        {{"--replay", "r.sgr", "--monster", "a.gif"}, "--monster and --replay exclude each other"},
    };
    for (const Case& c : cases) {
        const ParsedOptions parsed = ParseOptions("Stompvale_v1.6_1024x768", c.arguments);
        EXPECT_EQ(parsed.error.substr(0, c.error.size()), c.error) << c.arguments[0];
        if (c.error.empty()) {
            EXPECT_EQ(parsed.error, "") << c.arguments[0];
        }
    }
}

TEST(MonsterTrial, TheGameStartsPastItsTitleScreens) {
    for (const bool trial : {false, true}) {
        GameWorld world;
        world.AddMonster("1 Ant.gif", {"SS"});
        world.WriteGif("images/Title_1Title.gif", gdi::Picture{1, 1, {gdi::RGB(1, 2, 3)}});
        ProgramSetup setup = GameProgramSetup(ScreenSizeMode::Windowed1024x768);
        if (trial) setup.newGameForm = WithoutTitleScreens(setup.newGameForm);
        std::string shown = "not started";
        int frames = 0;
        world.host.OnDoEvents = [&](platform::HeadlessHost& host) {
            if (++frames == 5 && TheGameForm()) shown = TheGameForm()->TextFileName;
            if (frames >= 5) host.RequestClose();
        };
        EXPECT_EQ(Main(setup), 0);
        if (trial) {
            EXPECT_EQ(shown, "");
        } else {
            EXPECT_NE(shown.find("Title_1Title.gif"), std::string::npos) << shown;
        }
    }
}

TEST(MonsterTrial, TheWatchSeesAPictureSavedInPlaceOrRenamedOverIt) {
    Places places;
    const std::string newt = (places.maker / "0 Newt 1-2-3.gif").string();
    const std::string yak = (places.maker / "1 Yak 4-5-6.GIF").string();
    PictureWatch watch({newt, yak});
    ASSERT_TRUE(watch.Watching());
    EXPECT_TRUE(watch.Changed().empty());
    struct Case {
        const char* what;
        std::function<void()> save;
        std::vector<std::string> seen;
    } cases[] = {
        {"saved in place", [&] { Write(newt, "newt again"); }, {newt}},
        {"saved twice: seen once", [&] { Write(yak, "1"), Write(yak, "2"); }, {yak}},
        {"written beside and renamed over",
         [&] {
             Write(places.maker / ".newt.tmp", "newt, renamed");
             fs::rename(places.maker / ".newt.tmp", newt);
         },
         {newt}},
        {"another file of the folder", [&] { Write(places.maker / "notes.txt", "more"); }, {}},
        {"a picture of the same name in a folder inside",
         [&] { Write(places.maker / "old" / "0 Newt 1-2-3.gif", "elsewhere"); },
         {}},
        {"read only", [&] { std::ifstream(newt).get(); }, {}},
    };
    for (const Case& c : cases) {
        c.save();
        EXPECT_EQ(watch.Changed(), c.seen) << c.what;
        EXPECT_TRUE(watch.Changed().empty()) << c.what << ": seen again";
    }
}

TEST(MonsterTrial, AReloadTakesOnlyAPictureTheGameCanPlay) {
    Places places;
    const fs::path newt = places.maker / "0 Newt 1-2-3.gif";
    MonsterTrialFolder trial(places.program.string(), Monster(newt.string()));
    const fs::path copy = fs::path(trial.DataFolder()) / "Monsters" / "0 Newt 1-2-3.gif";
    const std::string first = [&] {
        std::ifstream in(copy, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    struct Case {
        const char* what;
        std::string source;
        std::function<void()> save;
        std::string name, problem;
        bool copied;
    } cases[] = {
        {"half saved", newt.string(), [&] { Write(newt, first.substr(0, 12)); }, "",
         "picture not loaded", false},
        {"not a picture", newt.string(), [&] { Write(newt, "words"); }, "", "0 Newt", false},
        {"no white", newt.string(), [&] { SavePicture(newt, kNoWhite); }, "",
         "no white (&HFFFFFF) hit points at all", false},
        {"not played", (places.maker / "1 Yak 4-5-6.GIF").string(), [] {}, "",
         "not one of the pictures played", false},
        {"a new picture", newt.string(), [&] { SavePicture(newt, {"W"}); }, "0 Newt 1-2-3.gif", "",
         true},
    };
    for (const Case& c : cases) {
        c.save();
        const MonsterTrialFolder::Reloaded taken = trial.Reload(c.source);
        EXPECT_EQ(taken.name, c.name) << c.what;
        EXPECT_NE(taken.problem.find(c.problem), std::string::npos)
            << c.what << ": " << taken.problem;
        EXPECT_FALSE(taken.joined) << c.what << ": it had a copy";
        std::ifstream in(copy, std::ios::binary);
        const std::string now(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(now != first, c.copied) << c.what;
        // The copy played before stands: nothing is said in its place.
        EXPECT_TRUE(trial.Problems().empty()) << c.what;
    }
}

TEST(MonsterTrial, WhatTheGameCannotPlayIsLeftOutWithTheCheckersReport) {
    Places places;
    SavePicture(places.maker / "2 Bare 1-1-1.gif", kNoWhite);
    SavePicture(places.maker / "4 Crab  .gif", kPlayable);
    Write(places.maker / "3 Torn 1-1-1.gif", "GIF89a");
    const MonsterTrialFolder trial(places.program.string(), MonstersIn(places.maker.string()));
    EXPECT_TRUE(trial.AnyPlayable());
    EXPECT_EQ(Names(fs::path(trial.DataFolder()) / "Monsters"),
              (std::vector<std::string>{"0 Newt 1-2-3.gif", "1 Yak 4-5-6.GIF"}));
    const std::vector<std::string> problems = trial.Problems();
    ASSERT_EQ(problems.size(), 3u);
    // In the sources' order, each the checker's report under the file's name.
    const std::pair<std::string, std::string> said[] = {
        {"2 Bare 1-1-1.gif\n", "no white (&HFFFFFF) hit points at all"},
        {"3 Torn 1-1-1.gif\n", "picture not loaded"},
        {"4 Crab  .gif\n", "NAME ERROR &H8004000A: Movement portion of Filename '4 Crab  .gif'"},
    };
    for (size_t i = 0; i < problems.size(); ++i) {
        EXPECT_TRUE(problems[i].starts_with(said[i].first)) << problems[i];
        EXPECT_NE(problems[i].find(said[i].second), std::string::npos) << problems[i];
        EXPECT_NE(problems[i].find("verdict: CANNOT BE BEATEN"), std::string::npos) << problems[i];
    }
}

namespace {

// A trial played headless as the game plays it: the program's data from a
// game world, the trial's folder as the host's, the reports over its view.
struct TrialRun {
    GameWorld program;
    TempDir maker;
    std::unique_ptr<MonsterTrialFolder> trial;
    std::unique_ptr<PictureWatch> watch;
    std::unique_ptr<platform::HeadlessHost> host;
    std::unique_ptr<TrialMessageHost> messages;
    int frames = 0;

    TrialRun(const GameOptions& options, bool watching) {
        trial = std::make_unique<MonsterTrialFolder>(program.ProgramFolder(), options);
        if (watching) watch = std::make_unique<PictureWatch>(trial->Sources());
        host = std::make_unique<platform::HeadlessHost>(trial->DataFolder());
        messages = std::make_unique<TrialMessageHost>(*host);
        platform::SetHost(messages.get());
        SetHistoryFile(trial->HistoryFile());
    }
    ~TrialRun() { SetHistoryFile(""); }

    // `onFrame` with the frame's number at each frame, the wait's or the game's.
    int Play(std::function<void(int)> onFrame) {
        host->OnDoEvents = [&, onFrame](platform::HeadlessHost&) { onFrame(++frames); };
        return PlayMonsterTrial(GameProgramSetup(ScreenSizeMode::Windowed1024x768), *trial,
                                watch.get(), *messages);
    }
    std::string Playing() const { return TheGameForm() ? TheGameForm()->Monster(1).mFileName : ""; }
};

bool Says(const std::vector<std::string>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.find(text) != std::string::npos;
    });
}

std::vector<std::string> RunNames() {
    std::vector<std::string> names;
    for (const MonsterRecord& record : MonsterHistory) names.push_back(record.FileName);
    return names;
}

} // namespace

TEST(MonsterTrial, APictureTheGameCannotPlayIsSaidInTheWindowUntilItIsSavedPlayable) {
    for (const bool watching : {false, true}) {
        SCOPED_TRACE(watching ? "with --watch" : "without --watch");
        TempDir maker;
        const fs::path newt = maker.path() / "0 Newt 1-2-3.gif";
        SavePicture(newt, kNoWhite);
        TrialRun run(Monster(newt.string()), watching);
        std::vector<std::string> shown;
        bool shownInTheWindow = false;
        std::string playing;
        const int status = run.Play([&](int frame) {
            if (frame == 5) {
                shown = run.messages->Shown();
                shownInTheWindow = run.host->WindowShown;
            }
            if (frame == 30) SavePicture(newt, kPlayable);
            if (playing.empty()) playing = run.Playing();
            if (frame == 100) run.host->SetKey(platform::vk::Escape, true);
        });
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0], "The game cannot play this picture:");
        EXPECT_TRUE(Says(shown, "0 Newt 1-2-3.gif")) << shown[1];
        EXPECT_TRUE(Says(shown, "no white (&HFFFFFF) hit points at all"));
        EXPECT_TRUE(shownInTheWindow);
        if (watching) {
            EXPECT_EQ(playing, "0 Newt 1-2-3.gif");
            EXPECT_TRUE(run.messages->Shown().empty());
            EXPECT_EQ(status, 0);
        } else {
            EXPECT_EQ(playing, "") << "played a picture the game cannot play";
            EXPECT_EQ(status, 1);
        }
    }
}

TEST(MonsterTrial, AFolderPassesOverWhatCannotBePlayedUntilItIsSavedPlayable) {
    TempDir maker;
    SavePicture(maker.path() / "0 Newt 1-2-3.gif", kPlayable);
    const fs::path yak = maker.path() / "1 Yak 4-5-6.gif";
    SavePicture(yak, kNoWhite);
    TrialRun run(MonstersIn(maker.str()), true);
    std::vector<std::string> atStart, later, runAtStart, runLater;
    std::string playing;
    const int status = run.Play([&](int frame) {
        if (frame == 5) {
            atStart = run.messages->Shown();
            playing = run.Playing();
            runAtStart = RunNames();
        }
        // The report stands for a few seconds, 20 ms a frame.
        if (frame == 500) later = run.messages->Shown();
        if (frame == 510) SavePicture(yak, kPlayable);
        if (frame == 540) runLater = RunNames();
        if (frame == 550) run.host->SetKey(platform::vk::Escape, true);
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(playing, "0 Newt 1-2-3.gif");
    EXPECT_TRUE(Says(atStart, "1 Yak 4-5-6.gif")) << atStart.size();
    EXPECT_TRUE(Says(atStart, "no white (&HFFFFFF) hit points at all"));
    EXPECT_TRUE(later.empty()) << later[0];
    EXPECT_EQ(runAtStart, std::vector<std::string>{"0 Newt 1-2-3.gif"});
    EXPECT_EQ(runLater, (std::vector<std::string>{"0 Newt 1-2-3.gif", "1 Yak 4-5-6.gif"}));
}
