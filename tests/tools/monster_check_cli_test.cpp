// stompvale-monster-check as a monster maker runs it: reports on stdout, the
// exit status says whether every monster can be beaten, a preview on request.
#include <gtest/gtest.h>

#include "gdi/picture.h"
#include "support/temp_dir.h"
#include "tool_files.h"
#include <cstdio>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using tool_files::ProgramFolder;

using tool_files::ToolRun;

ToolRun Checker(const std::string& arguments) {
    return tool_files::RunTool("stompvale-monster-check", arguments);
}

// Three hit points on the ground; with redRoof the last is caged in red.
gdi::Picture Ground(bool redRoof) {
    gdi::Picture p;
    p.width = 90;
    p.height = 40;
    p.pixels.assign(90 * 40, 0);
    for (int x : {10, 40, 70})
        for (int y : {38, 39})
            for (int i = 0; i < 3; ++i) p.pixels[y * 90 + x + i] = 0xFFFFFF;
    if (redRoof)
        for (int y = 20; y < 40; ++y)
            for (int x = 64; x < 80; ++x)
                if (y < 23 || x < 67 || x > 76) p.pixels[y * 90 + x] = gdi::RGB(255, 0, 0);
    return p;
}

TEST(MonsterCheckProgram, ExitStatusTellsWhetherEveryMonsterCanBeBeaten) {
    ASSERT_TRUE(fs::exists(ProgramFolder() / "stompvale-monster-check"));
    TempDir dir;
    const std::string good = (dir.path() / "1 Good 1-2-3.gif").string();
    const std::string caged = (dir.path() / "2 Caged 10.gif").string();
    const std::string badName = (dir.path() / "3 Crab  .gif").string();
    gdi::SavePictureGif(good, Ground(false));
    gdi::SavePictureGif(caged, Ground(true));
    gdi::SavePictureGif(badName, Ground(false));

    const ToolRun one = Checker("'" + good + "'");
    EXPECT_EQ(one.status, 0) << one.out;
    EXPECT_NE(one.out.find("ID 1, name \"Good\", codes 1-2-3, does not fly"), std::string::npos);
    EXPECT_NE(one.out.find("verdict: beatable"), std::string::npos);
    EXPECT_NE(one.out.find("1 of 1 monster can be beaten"), std::string::npos);

    const ToolRun cage = Checker("'" + good + "' '" + caged + "'");
    EXPECT_EQ(cage.status, 1) << cage.out;
    EXPECT_NE(cage.out.find("#3 at 70,38 (3 x 2, 6 pixels), place 3: OUT OF REACH"),
              std::string::npos)
        << cage.out;

    const ToolRun name = Checker("'" + badName + "'");
    EXPECT_EQ(name.status, 1);
    EXPECT_NE(name.out.find("Movement portion of Filename '3 Crab  .gif' retrieved from "
                            "/Monsters folder makes no sense."),
              std::string::npos)
        << name.out;

    // A folder is checked file by file.
    const ToolRun folder = Checker("'" + dir.str() + "'");
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.out.find("1 of 3 monsters can be beaten"), std::string::npos) << folder.out;

    EXPECT_EQ(Checker("").status, 2);
    const ToolRun bogus = Checker("--bogus x.gif");
    EXPECT_EQ(bogus.status, 2);
    EXPECT_NE(bogus.out.find("unknown option --bogus"), std::string::npos) << bogus.out;
}

TEST(MonsterCheckProgram, PreviewIsAPictureOfTheClasses) {
    TempDir dir;
    const std::string caged = (dir.path() / "2 Caged 10.gif").string();
    gdi::SavePictureGif(caged, Ground(true));
    const std::string preview = (dir.path() / "preview.gif").string();
    const ToolRun run = Checker("--preview '" + preview + "' '" + caged + "'");
    EXPECT_EQ(run.status, 1);
    ASSERT_TRUE(fs::exists(preview)) << run.out;
    const gdi::Picture p = gdi::LoadPicture(preview);
    ASSERT_EQ(p.width, 90);
    EXPECT_EQ(p.pixels[39 * 90 + 70], gdi::RGB(255, 0, 255)); // caged hit point
    EXPECT_EQ(p.pixels[39 * 90 + 10], gdi::RGB(255, 255, 255));
    EXPECT_EQ(p.pixels[20 * 90 + 64], gdi::RGB(255, 0, 0));
}

} // namespace
