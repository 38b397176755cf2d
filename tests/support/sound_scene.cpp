#include "support/sound_scene.h"

#include <filesystem>

#include "game/frmMain.h"
#include "support/source_tree.h"

uint64_t StrikeIntoFur(GameWorld& world) {
    world.AddMonster("5 Scene 43.gif", {"SSSS", "YWSS"});
    world.Start();
    world.PlaceMonster(1, -1, 2);
    world.PlaceMan(0.5, 0);
    world.Frame();
    world.StrikeRight(60);
    world.Frame(5);
    return world.game().StateChecksum();
}

void CopySounds(GameWorld& world) {
    namespace fs = std::filesystem;
    fs::copy(SourceFolder() / "data" / "Sounds", fs::path(world.ProgramFolder()) / "Sounds",
             fs::copy_options::recursive);
}
