// New games in one process, as the soak plays them: each tears down all it
// built, so the heap between games stays where it was.
#include <gtest/gtest.h>

#include <malloc.h>

#include <filesystem>

#include "support/game_world.h"
#include "support/source_tree.h"

namespace {

namespace fs = std::filesystem;

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace

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
    const size_t warm = HeapInUse();
    for (int i = 0; i < 10; ++i) playOneGame();
    // Each game used to keep about 250 kB here; a few kB of noise is allowed.
    EXPECT_LT(static_cast<double>(HeapInUse()) - static_cast<double>(warm), 32 * 1024.0);
}
