// stompvale-art <output folder>
// Draws the game's screen images and scenery pictures and writes them as GIF
// files. Deterministic: the same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>

#include "gdi/picture.h"
#include "tools/art/pictures.h"

namespace {

size_t ColourCount(const gdi::Picture& picture) {
    return std::set<gdi::COLORREF>(picture.pixels.begin(), picture.pixels.end()).size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        std::vector<art::NamedPicture> all = art::ScreenImages();
        for (art::NamedPicture& p : art::SceneryPictures()) all.push_back(std::move(p));
        for (const art::NamedPicture& p : all) {
            const size_t colours = ColourCount(p.picture);
            if (colours > 256) {
                std::fprintf(stderr, "%s: %zu colours, a GIF holds 256\n", p.fileName.c_str(),
                             colours);
                return 1;
            }
            gdi::SavePictureGif((folder / p.fileName).string(), p.picture, true);
            std::printf("%s %dx%d, %zu colours\n", p.fileName.c_str(), p.picture.width,
                        p.picture.height, colours);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-art: %s\n", e.what());
        return 1;
    }
    return 0;
}
