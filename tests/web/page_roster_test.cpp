// The page's kept monsters: what a dropped file becomes, and the folder each
// run plays from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "gdi/picture.h"
#include "replay/recorded_game.h"
#include "support/source_tree.h"
#include "support/temp_dir.h"
#include "web/page_roster.h"

namespace fs = std::filesystem;

namespace {

std::string Source(const std::string& path) {
    return (SourceFolder() / path).string();
}

struct Roster {
    TempDir folder;
    web::RosterFolders folders;
    Roster() {
        folders.shipped = folder.str() + "/game";
        folders.play = folder.str() + "/play";
        folders.kept = folder.str() + "/save/Monsters";
        fs::create_directories(folders.shipped + "/Monsters");
        fs::create_directories(folders.shipped + "/images");
        fs::copy_file(Source("data/Monsters/1 Mossback 1-3-5.gif"),
                      folders.shipped + "/Monsters/1 Mossback 1-3-5.gif");
        std::ofstream(folders.shipped + "/images/title.gif") << "shipped";
        fs::create_directories(folder.str() + "/drop");
    }
    std::string Drop(const std::string& name, const std::string& bytes) {
        const std::string path = folder.str() + "/drop/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> Names(const std::string& dir) {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(dir, error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST(PageRoster, DroppedFilesAreKeptOnlyWhenTheGameCanPlayAndTheManCanBeatThem) {
    Roster roster;
    const std::string good = roster.Read(Source("data/Monsters/2 Hopper_Toad 10-12-14.gif"));
    gdi::Picture picture = gdi::LoadPicture(Source("data/Monsters/2 Hopper_Toad 10-12-14.gif"));
    for (auto& colour : picture.pixels)
        if (colour == 0xFFFFFF) colour = gdi::RGB(200, 200, 200);
    const std::string noWhitePath = roster.folder.str() + "/white.gif";
    gdi::SavePictureGif(noWhitePath, picture);
    const std::string noWhite = roster.Read(noWhitePath);
    struct Case {
        std::string name, bytes;
        bool accepted;
        std::string said;
    } cases[] = {
        {"0 Toad 10-12-14.gif", good, true, "Accepted: 0 Toad 10-12-14.gif joins"},
        {"0 Toad 10-12-14.png", good, false, "is not a GIF picture"},
        {"0 Text 10-12-14.gif", "just some words\n", false, "Invalid picture"},
        {"0 Pale 10-12-14.gif", noWhite, false, "the man cannot beat it (0 of the 3"},
        {"0 Toad  10-12.gif", good, false, "Movement portion of Filename"},
        {"1 MOSSBACK 1-3-5.gif", good, false, "a monster of the game is called"},
        {"0 Empty 1-2-3.gif", "", false, "Invalid picture"},
    };
    for (const Case& c : cases) {
        const web::Verdict verdict =
            web::CheckDroppedMonster(roster.Drop(c.name, c.bytes), roster.folders);
        EXPECT_EQ(verdict.accepted, c.accepted) << c.name << ": " << verdict.report;
        EXPECT_NE(verdict.report.find(c.said), std::string::npos)
            << c.name << ": " << verdict.report;
    }
    // Only the good one was kept, byte for byte; the refusals changed nothing.
    EXPECT_EQ(roster.Names(roster.folders.kept), std::vector<std::string>{"0 Toad 10-12-14.gif"});
    EXPECT_EQ(roster.Read(roster.folders.kept + "/0 Toad 10-12-14.gif"), good);

    // A new picture under the same name in another case replaces the old one.
    web::CheckDroppedMonster(roster.Drop("0 TOAD 10-12-14.gif", good), roster.folders);
    EXPECT_EQ(roster.Names(roster.folders.kept), std::vector<std::string>{"0 TOAD 10-12-14.gif"});
}

TEST(PageRoster, EachRunPlaysTheShippedDataWithTheKeptMonstersAsTheyAreNow) {
    Roster roster;
    fs::create_directories(roster.folders.kept);
    std::ofstream(roster.folders.kept + "/0 Mine 1-2-3.gif") << "mine";
    web::PrepareRoster(roster.folders);
    EXPECT_EQ(roster.Names(roster.folders.play + "/Monsters"),
              (std::vector<std::string>{"0 Mine 1-2-3.gif", "1 Mossback 1-3-5.gif"}));
    EXPECT_EQ(roster.Read(roster.folders.play + "/images/title.gif"), "shipped");

    EXPECT_TRUE(web::RemoveKeptMonster("0 Mine 1-2-3.gif", roster.folders));
    struct {
        std::string name;
    } refused[] = {{"0 Mine 1-2-3.gif"}, {""}, {".."}, {"../game/Monsters/1 Mossback 1-3-5.gif"}};
    for (const auto& r : refused)
        EXPECT_FALSE(web::RemoveKeptMonster(r.name, roster.folders)) << r.name;
    web::PrepareRoster(roster.folders);
    EXPECT_EQ(roster.Names(roster.folders.play + "/Monsters"),
              std::vector<std::string>{"1 Mossback 1-3-5.gif"});
    EXPECT_TRUE(fs::exists(roster.folders.shipped + "/Monsters/1 Mossback 1-3-5.gif"));
}

TEST(PageRoster, AReplayPlaysTheKeptMonstersItsRecordingNamesAndNoOthers) {
    Roster roster;
    fs::create_directories(roster.folders.kept);
    std::ofstream(roster.folders.kept + "/0 Mine 1-2-3.gif") << "mine";
    std::ofstream(roster.folders.kept + "/0 Other 1-2-3.gif") << "other";
    RecordedGame game;
    game.program = "Stompvale_v1.6_1024x768";
    game.version = "1.6";
    game.desktopWidth = 1024;
    game.desktopHeight = 768;
    game.monsters = {{"0 Mine 1-2-3.gif", 1}, {"1 Mossback 1-3-5.gif", 2}};
    const std::string native = "1 Mossback 1-3-5.gif";
    struct Case {
        std::string what, bytes;
        std::vector<std::string> plays;
    } cases[] = {
        {"made with a kept monster", EncodeRecordedGame(game), {"0 Mine 1-2-3.gif", native}},
        {"not a recording", "words", {native}},
        {"cut short", EncodeRecordedGame(game).substr(0, 12), {native}},
    };
    for (const Case& c : cases) {
        web::PrepareReplayRoster(roster.Drop("game.sgr", c.bytes), roster.folders);
        EXPECT_EQ(roster.Names(roster.folders.play + "/Monsters"), c.plays) << c.what;
    }
    web::PrepareReplayRoster(roster.folder.str() + "/no such file.sgr", roster.folders);
    EXPECT_EQ(roster.Names(roster.folders.play + "/Monsters"), std::vector<std::string>{native});
    EXPECT_EQ(roster.Names(roster.folders.kept),
              (std::vector<std::string>{"0 Mine 1-2-3.gif", "0 Other 1-2-3.gif"}));
}
