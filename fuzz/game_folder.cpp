#include "fuzz/game_folder.h"

#include "gdi/picture.h"

namespace {

const char* const kImages[] = {
    "Title_1Title.gif",      "Title_2Instructions.gif",
    "Title_3Credits.gif",    "Text_Readme.gif",
    "Text_Death.gif",        "Text_Success.gif",
    "Background_Cloud1.gif", "Background_Cloud2.gif",
    "Background_Cloud3.gif", "Background_Mountain_Range.gif",
    "Background_Bridge.gif",
};

} // namespace

GameFolder::GameFolder() {
    const gdi::Picture black{20, 10, std::vector<gdi::COLORREF>(200, 0)};
    std::filesystem::create_directories(path() / "images");
    for (const char* name : kImages) {
        gdi::SavePictureGif((path() / "images" / name).string(), black);
    }
    std::filesystem::create_directories(path() / "Monsters");
}
