// New games in one process, as the soak plays them: each tears down all it
// built, so the heap between games stays where it was, and a start that fails
// leaves no half-made game behind.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "platform/forms.h"
#include "support/game_world.h"
#include "support/source_tree.h"
#include "tools/toolkit/process_memory.h"
#include "vb/runtime_error.h"

namespace fs = std::filesystem;

TEST(NewGame, ManyGamesInOneProcessKeepNoMemory) {
    GameWorld world;
    // The shipped screen images and scenery: their tiles are what a game copies.
    for (const fs::directory_entry& file : fs::directory_iterator(SourceFolder() / "data/images"))
        fs::copy_file(file.path(), world.folder.path() / "images" / file.path().filename(),
                      fs::copy_options::overwrite_existing);
    world.AddMonster("3 Crab 1.gif", {"SSYS", "SWYS", "YYWS"});
    const auto playOneGame = [&] {
        world.Start();
        world.Frame(5);
    };
    for (int i = 0; i < 3; ++i) playOneGame(); // caches of fonts and glyphs fill up
    const size_t warm = toolkit::HeapBytes();
    for (int i = 0; i < 10; ++i) playOneGame();
    // Each game used to keep about 250 kB here; a few kB of noise is allowed.
    EXPECT_LT(static_cast<double>(toolkit::HeapBytes()) - static_cast<double>(warm), 32 * 1024.0);
}

TEST(NewGame, AFailedStartLeavesNoGameBehind) {
    struct Case {
        const char* fileName;
        std::string bytes; // empty: a good picture
    };
    const std::vector<Case> cases = {
        {"3 Crab  .gif", ""},                       // a movement portion that makes no sense
        {"3 Crab 1.gif", "GIF89a\x01\x00\x01\x00"}, // a picture cut short
        {"3 Crab 1.gif", "not a picture"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileName + (" / " + c.bytes));
        GameWorld world;
        if (c.bytes.empty()) {
            world.AddMonster(c.fileName, {"SW"});
        } else {
            world.folder.Write(std::string("Monsters/") + c.fileName, c.bytes);
        }
        EXPECT_THROW(world.Start(), vb::RuntimeError);
        EXPECT_FALSE(world.Started());
        EXPECT_EQ(frmMain, nullptr);
        for (const platform::Form* form : platform::Forms()) EXPECT_NE(form->Name(), "frmMain");

        // Put right, the next start plays.
        std::filesystem::remove_all(world.folder.path() / "Monsters");
        world.AddMonster("4 Ant 1.gif", {"SW"});
        world.Start();
        EXPECT_EQ(world.monster().mFileName, "4 Ant 1.gif");
        world.Frame(3);
    }
}
