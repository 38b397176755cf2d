// A bitmap font drawn from a font file: the strip of the glyphs 33 to 122 in
// equal cells and the advance widths of the codes 32 to 122.
#pragma once

#include <string>

#include "gdi/picture.h"
#include "text/width_file.h"

namespace font_gen {

struct BitmapFont {
    gdi::Picture strip; // 90 cells in one row, black transparent
    CharacterWidths widths{};
};

// Throws std::runtime_error when the face file cannot be used.
BitmapFont DrawBitmapFont(const std::string& faceFile, int emPixels);

} // namespace font_gen
