// stompvale-font-gen [--face FILE] FOLDER
// Draws the game's bitmap font from one font file named here, not looked up
// through fontconfig, so that the same bytes come out on every machine that
// has the file. Writes Stompvale.gif and Stompvale.txt.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

#include "cli/output_folder.h"
#include "cli/parser.h"
#include "tools/font_gen/font_strip.h"

namespace {

constexpr const char* kDefaultFace = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
constexpr const char* kFontName = "Stompvale";
constexpr int kEmPixels = 36;

} // namespace

int main(int argc, char** argv) {
    std::string face = kDefaultFace, folderName;
    cli::Parser parser(
        "stompvale-font-gen",
        "Draws the game's bitmap font, Stompvale.gif (the glyph strip) and\n"
        "Stompvale.txt (the widths), into FOLDER from one font file, not looked up\n"
        "through fontconfig, so that every machine with the file gets the same bytes.");
    parser.Argument("FOLDER", folderName, cli::OutputFolderHelp("the font goes"))
        .Value("--face", "FILE", face,
               "the font file to draw from (default: Liberation Sans Bold of fonts-liberation, " +
                   std::string(kDefaultFace) + ")");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    try {
        // Drawn first: a face that cannot be read leaves no folder behind.
        const font_gen::BitmapFont font = font_gen::DrawBitmapFont(face, kEmPixels);
        if (!cli::OutputFolderReady(parser.Program(), folderName)) return 1;
        const std::filesystem::path folder = folderName;
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
