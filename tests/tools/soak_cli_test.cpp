// stompvale-soak as CI runs it: a short soak over a small roster passes and
// counts what happened; a monster no strike can beat, a missing data folder
// and bad arguments each fail with a clear line.
#include <gtest/gtest.h>

#include "gdi/picture.h"
#include "support/game_world.h"
#include "support/temp_dir.h"
#include "tool_files.h"
#include <cstdio>
#include <filesystem>
#include <regex>

namespace {

namespace fs = std::filesystem;

using tool_files::ToolRun;

ToolRun Soak(const std::string& arguments) {
    return tool_files::RunTool("stompvale-soak", arguments);
}

// A data folder with the shipped images and the given monsters.
void WriteData(const TempDir& dir,
               const std::vector<std::pair<std::string, gdi::Picture>>& roster) {
    fs::create_directories(dir.path() / "Monsters");
    fs::copy(tool_files::SourceFolder() / "data/images", dir.path() / "images");
    for (const auto& [name, picture] : roster)
        gdi::SavePictureGif((dir.path() / "Monsters" / name).string(), picture);
}

long Count(const std::string& out, const std::string& what) {
    std::smatch match;
    if (!std::regex_search(out, match, std::regex(what + " (\\d+)"))) return -1;
    return std::stol(match[1]);
}

// A low body with three hit points far apart on its back, and red there to
// die on.
gdi::Picture Beatable() {
    std::vector<std::string> rows(6, std::string(70, 'S'));
    rows[0] = std::string(70, '.');
    rows[0][45] = 'R';
    for (int x : {5, 25, 65}) rows[1][x] = 'W';
    return PictureFromGrid(rows);
}

} // namespace

TEST(SoakProgram, AShortSoakOverASmallRosterPassesAndCounts) {
    TempDir data;
    WriteData(data, {{"1 Block 0.gif", Beatable()}, {"2 Slab 0.gif", Beatable()}});
    const ToolRun run = Soak("--frames 4000 --warm-up 1000 --data '" + data.str() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("soak passed"), std::string::npos) << run.out;
    EXPECT_GE(Count(run.out, "defeats"), 2) << run.out;
    EXPECT_GE(Count(run.out, "deaths"), 1) << run.out;
    EXPECT_GE(Count(run.out, "new games"), 2) << run.out;
    EXPECT_GE(Count(run.out, "rounds through every monster"), 1) << run.out;
}

TEST(SoakProgram, FailuresAreSaid) {
    TempDir data;
    // All body, no hit point: no strike can defeat it.
    WriteData(data, {{"1 Wall 0.gif", SolidPicture(30, 8, world_colours::kSolid)}});
    const std::string dataArg = " --data '" + data.str() + "'";
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        {"--frames 1500 --warm-up 500" + dataArg, 1, "full-charge strikes left 1 Wall 0.gif"},
        {"--frames 100 --data /nonexistent/folder", 1, "no Monsters folder in /nonexistent"},
        {"--frames", 2, "--frames needs a value"},
        {"--frames -5", 2, "--frames: '-5' is out of range"},
        {"--seed 1x", 2, "--seed: '1x' is not a whole number"},
        {"--speed 3", 2, "unknown option --speed"},
    };
    for (const auto& [arguments, status, text] : cases) {
        const ToolRun run = Soak(arguments);
        EXPECT_EQ(run.status, status) << arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(text), std::string::npos) << arguments << "\n" << run.out;
    }
}
