// stompvale-art [--icons] FOLDER
// Draws the game's screen images and scenery pictures and writes them as GIF
// files, or the desktop icon in its sizes as PNG files. Deterministic: the
// same bytes on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "cli/output_folder.h"
#include "cli/parser.h"
#include "gdi/picture.h"
#include "gdi/png_file.h"
#include "tools/art/pictures.h"

namespace {

size_t ColourCount(const gdi::Picture& picture) {
    return std::set<gdi::COLORREF>(picture.pixels.begin(), picture.pixels.end()).size();
}

// hicolor/<size>x<size>/apps/stompvale.png for each icon size.
void WriteIcons(const std::filesystem::path& folder) {
    for (const int size : art::kIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path apps = folder / "hicolor" / name / "apps";
        std::filesystem::create_directories(apps);
        gdi::SavePicturePng((apps / "stompvale.png").string(), art::Icon(size), true);
        std::printf("hicolor/%s/apps/stompvale.png\n", name.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    bool icons = false;
    std::string folderName;
    cli::Parser parser("stompvale-art",
                       "Draws the game's screen images and scenery pictures as GIF files into\n"
                       "FOLDER, the same bytes on every run.");
    parser.Argument("FOLDER", folderName, cli::OutputFolderHelp("the pictures go"))
        .Flag("--icons", icons,
              "draws the desktop icon instead, in its sizes, as FOLDER/hicolor/NxN/apps/"
              "stompvale.png");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    if (!cli::OutputFolderReady(parser.Program(), folderName)) return 1;
    const std::filesystem::path folder = folderName;
    try {
        if (icons) {
            WriteIcons(folder);
            return 0;
        }
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
