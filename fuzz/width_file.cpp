// A bitmap font's width file from arbitrary bytes, beside a small glyph strip
// of the fuzzer's own: the font loads, and texts are measured and drawn with
// whatever widths the file gave.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gdi/picture.h"
#include "text/clsWord.h"
#include "tools/toolkit/scratch_folder.h"

namespace {

constexpr int kCell = 8, kHeight = 12;

void Check(bool condition) {
    if (!condition) std::abort();
}

const toolkit::ScratchFolder& Folder() {
    static const toolkit::ScratchFolder folder("stompvale-fuzz");
    return folder;
}

std::string FontPath() {
    return (Folder().path() / "Fuzz").string();
}

// Each glyph inks a bar of its own colour in its cell.
void WriteStrip() {
    gdi::Picture strip{kCell * 90, kHeight, {}};
    strip.pixels.assign(static_cast<size_t>(strip.width) * kHeight, 0);
    for (int cell = 0; cell < 90; ++cell)
        for (int y = 1; y < kHeight - 1; ++y)
            for (int x = 1; x < kCell - 1; ++x)
                strip.pixels[y * strip.width + cell * kCell + x] = gdi::RGB(cell + 100, 200, 50);
    gdi::SavePictureGif(FontPath() + ".gif", strip, true);
}

const char* const kTexts[] = {"", "AB", "Hello, Words", "A b\r\nCD e", "  \r\n ", "z[\t\x80!"};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    WriteStrip();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Folder().Write("Fuzz.txt", std::string_view(reinterpret_cast<const char*>(data), size));
    clsWord word;
    word.Initialize(FontPath(), 0);
    Check(word.CellWidth() == kCell && word.LineHeight() == kHeight);
    for (const char* text : kTexts) {
        const std::array<int32_t, 3> info = word.TextInfo(text);
        Check(info[0] == 0 && info[2] >= (*text ? kHeight : 0));
    }
    const std::unique_ptr<kivSprite3> sprite = word.CreateSprite("Hello, Words");
    Check(sprite->Width() >= 1 && sprite->Height() == kHeight);
    return 0;
}
