#include "fuzz/game_folder.h"

#include "gdi/picture.h"
#include "tools/toolkit/game_images.h"

GameFolder::GameFolder() : toolkit::ScratchFolder("stompvale-fuzz") {
    toolkit::WriteGameImages(path(), gdi::Picture{20, 10, std::vector<gdi::COLORREF>(200, 0)});
    std::filesystem::create_directories(path() / "Monsters");
}
