// Playing a monster maker's pictures: the scratch folder each run plays from,
// what cannot be played, the command line around it, and a game that starts
// past its title screens.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/modMain.h"
#include "game/frmMain.h"
#include "gdi/picture.h"
#include "launcher/monster_trial.h"
#include "launcher/options.h"
#include "launcher/picture_watch.h"
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
        Write(maker / "0 Newt 1-2-3.gif", "newt");
        Write(maker / "1 Yak 4-5-6.GIF", "yak");
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
            EXPECT_EQ(trial.MonsterCount(), static_cast<int>(c.monsters.size())) << c.what;
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

TEST(MonsterTrial, AReloadTakesOnlyAPictureThatReadsAsOne) {
    Places places;
    const fs::path newt = places.maker / "0 Newt 1-2-3.gif";
    gdi::SavePictureGif(newt.string(), gdi::Picture{2, 1, {gdi::RGB(9, 9, 9), 0xFFFFFF}});
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
        {"half saved", newt.string(), [&] { Write(newt, first.substr(0, 12)); }, "", "0 Newt",
         false},
        {"not a picture", newt.string(), [&] { Write(newt, "words"); }, "", "0 Newt", false},
        {"not played", (places.maker / "1 Yak 4-5-6.GIF").string(), [] {}, "",
         "not one of the pictures played", false},
        {"a new picture", newt.string(),
         [&] {
             gdi::SavePictureGif(newt.string(), gdi::Picture{1, 1, {0xFFFFFF}});
         },
         "0 Newt 1-2-3.gif", "", true},
    };
    for (const Case& c : cases) {
        c.save();
        std::string problem;
        EXPECT_EQ(trial.Reload(c.source, problem), c.name) << c.what;
        EXPECT_NE(problem.find(c.problem), std::string::npos) << c.what << ": " << problem;
        std::ifstream in(copy, std::ios::binary);
        const std::string now(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(now != first, c.copied) << c.what;
    }
}
