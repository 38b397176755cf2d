// stompvale-words FONT "TEXT" OUT.gif
// Lays a text out with clsWord, prints its TextInfo and writes the sprite that
// CreateSprite makes as a GIF.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "gdi/picture.h"
#include "text/clsWord.h"

namespace {

namespace fs = std::filesystem;

const char* const kHelp =
    "usage: stompvale-words FONT \"TEXT\" OUT.gif\n"
    "\n"
    "Lays TEXT out in the bitmap font FONT, prints its TextInfo (0, width,\n"
    "height in pixels) and writes the words as the GIF picture OUT.gif, black\n"
    "being transparent.\n"
    "\n"
    "  FONT  the font's path without extension: FONT.gif holds the glyphs and\n"
    "        FONT.txt their widths. A bare name such as Stompvale is also looked\n"
    "        for in the fonts folder beside this program (or, installed, in\n"
    "        ../share/stompvale/fonts).\n"
    "  TEXT  the characters ! to z are drawn, spaces part words, a line break\n"
    "        (CR, LF or CR LF) starts a new line; other characters are skipped.\n"
    "\n"
    "Exit status: 0 when the picture is written, 1 when the font cannot be\n"
    "loaded or the picture cannot be written, 2 for bad arguments.\n";

int Usage(const std::string& problem) {
    std::fprintf(stderr, "stompvale-words: %s\n", problem.c_str());
    std::fputs("usage: stompvale-words FONT \"TEXT\" OUT.gif   (--help for more)\n", stderr);
    return 2;
}

std::string FontPath(std::string font) {
    for (const char* extension : {".gif", ".txt"})
        if (font.size() > 4 && font.ends_with(extension)) font.resize(font.size() - 4);
    if (fs::exists(font + ".gif") || font.find('/') != std::string::npos) return font;
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error).parent_path();
    if (error) return font;
    // Beside the built program, or in the data of an installed one.
    for (const fs::path& folder : {program / "fonts", program / ".." / "share/stompvale/fonts"}) {
        const fs::path candidate = (folder / font).lexically_normal();
        if (fs::exists(candidate.string() + ".gif")) return candidate.string();
    }
    return font;
}

// The layout breaks lines at CR only; a typed line break is usually LF.
std::string LineBreaksAsCR(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

gdi::Picture PictureOf(kivSprite3& sprite) {
    gdi::Picture picture;
    picture.width = sprite.Width();
    picture.height = sprite.Height();
    const gdi::COLORREF* pixels = gdi::BitmapColourPixels(gdi::CurrentBitmap(sprite.MainHDC()));
    picture.pixels.assign(pixels, pixels + static_cast<size_t>(picture.width) * picture.height);
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    // TEXT may start with "-"; FONT and OUT.gif may not.
    for (const size_t i : {0, 2})
        if (i < args.size() && args[i].starts_with("-")) return Usage("unknown option " + args[i]);
    if (args.size() != 3) return Usage("expected 3 arguments, got " + std::to_string(args.size()));
    if (args[0].empty() || args[2].empty()) return Usage("FONT and OUT.gif must not be empty");

    clsWord word;
    try {
        word.Initialize(FontPath(args[0]), 0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-words: cannot load the font %s: %s\n", args[0].c_str(),
                     e.what());
        return 1;
    }
    const std::string text = LineBreaksAsCR(args[1]);
    const std::array<int32_t, 3> info = word.TextInfo(text);
    std::printf("TextInfo: %d, %d, %d (width %d, height %d)\n", info[0], info[1], info[2], info[1],
                info[2]);
    try {
        std::unique_ptr<kivSprite3> sprite = word.CreateSprite(text);
        gdi::SavePictureGif(args[2], PictureOf(*sprite), true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-words: cannot write %s: %s\n", args[2].c_str(), e.what());
        return 1;
    }
    std::printf("wrote %s\n", args[2].c_str());
    return 0;
}
