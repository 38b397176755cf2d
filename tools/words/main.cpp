// stompvale-words FONT "TEXT" OUT.gif
// Lays a text out with clsWord, prints its TextInfo and writes the sprite that
// CreateSprite makes as a GIF.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/parser.h"
#include "gdi/picture.h"
#include "text/clsWord.h"
#include "vb/program_folder.h"

namespace {

namespace fs = std::filesystem;

std::string FontPath(std::string font) {
    for (const char* extension : {".gif", ".txt"})
        if (font.size() > 4 && font.ends_with(extension)) font.resize(font.size() - 4);
    if (fs::exists(font + ".gif") || font.find('/') != std::string::npos) return font;
    const fs::path program = vb::ProgramFolder();
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
    return gdi::BitmapPicture(gdi::CurrentBitmap(sprite.MainHDC()));
}

} // namespace

int main(int argc, char** argv) {
    std::string font, text, out;
    cli::Parser parser("stompvale-words",
                       "Lays TEXT out in the bitmap font FONT, prints its TextInfo (0, width,\n"
                       "height in pixels) and writes the words as the GIF picture OUT.gif, black\n"
                       "being transparent.");
    parser
        .Argument("FONT", font,
                  "the font's path without extension: FONT.gif holds the glyphs and FONT.txt "
                  "their widths. A bare name such as Stompvale is also looked for in the fonts "
                  "folder beside this program (or, installed, in ../share/stompvale/fonts).")
        .Argument("TEXT", text,
                  "the characters ! to z are drawn, spaces part words, a line break (CR, LF or "
                  "CR LF) starts a new line; other characters are skipped. It may start with -.")
        .TakesDashes()
        .Argument("OUT.gif", out, "the picture to write")
        .Notes("Exit status: 0 when the picture is written, 1 when the font cannot be\n"
               "loaded or the picture cannot be written, 2 for bad arguments.");
    if (const std::optional<int> status = parser.Handle(argc, argv)) return *status;
    if (font.empty() || out.empty()) return parser.Fail("FONT and OUT.gif must not be empty");

    clsWord word;
    try {
        word.Initialize(FontPath(font), 0);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-words: cannot load the font %s: %s\n", font.c_str(),
                     e.what());
        return 1;
    }
    const std::string laidOut = LineBreaksAsCR(text);
    const std::array<int32_t, 3> info = word.TextInfo(laidOut);
    std::printf("TextInfo: %d, %d, %d (width %d, height %d)\n", info[0], info[1], info[2], info[1],
                info[2]);
    try {
        std::unique_ptr<kivSprite3> sprite = word.CreateSprite(laidOut);
        gdi::SavePictureGif(out, PictureOf(*sprite), true);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "stompvale-words: cannot write %s: %s\n", out.c_str(), e.what());
        return 1;
    }
    std::printf("wrote %s\n", out.c_str());
    return 0;
}
