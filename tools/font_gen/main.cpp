// stompvale-font-gen [--face FILE] <output folder>
// Draws the game's bitmap font from one font file named here, not looked up
// through fontconfig, so that the same bytes come out on every machine that
// has the file. Writes Stompvale.gif and Stompvale.txt.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <set>
#include <string>

#include "tools/font_gen/font_strip.h"

namespace {

constexpr const char* kDefaultFace = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
constexpr const char* kFontName = "Stompvale";
constexpr int kEmPixels = 36;

int Usage() {
    std::fputs("usage: stompvale-font-gen [--face FILE] <output folder>\n"
               "  draws the bitmap font Stompvale.gif and Stompvale.txt into the folder\n"
               "  from FILE (default: Liberation Sans Bold of fonts-liberation)\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string face = kDefaultFace, folderName;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--face" && i + 1 < argc)
            face = argv[++i];
        else if (!arg.starts_with("-") && folderName.empty())
            folderName = arg;
        else
            return Usage();
    }
    if (folderName.empty()) return Usage();
    try {
        const std::filesystem::path folder = folderName;
        std::filesystem::create_directories(folder);
        const font_gen::BitmapFont font = font_gen::DrawBitmapFont(face, kEmPixels);
        const std::string base = (folder / kFontName).string();
        gdi::SavePictureGif(base + ".gif", font.strip, true);
        WriteWidthFile(base + ".txt", font.widths);
        const size_t colours =
            std::set<gdi::COLORREF>(font.strip.pixels.begin(), font.strip.pixels.end()).size();
        std::printf("%s.gif %dx%d, cells of %d, %zu colours; %s.txt\n", base.c_str(),
                    font.strip.width, font.strip.height, font.strip.width / 90, colours,
                    base.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-font-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
