#include "tools/toolkit/game_images.h"

namespace toolkit {

void WriteGameImages(const std::filesystem::path& programFolder, const gdi::Picture& picture) {
    const std::filesystem::path images = programFolder / "images";
    std::filesystem::create_directories(images);
    for (const char* name : kGameImages) gdi::SavePictureGif((images / name).string(), picture);
}

} // namespace toolkit
