// Which font file a face name stands for: natively what fontconfig picks
// (the game's "Arial" is Liberation Sans on Debian); in the browser, which has
// no fontconfig, the same Liberation files shipped with the page.
#pragma once

#include <string>

namespace gdi::fonts {

struct FontFile {
    std::string file;                  // empty when there is no font at all
    int index = 0;                     // the face within the file
    bool bold = false, italic = false; // what the file itself is
};

FontFile FindFontFile(const std::string& faceName, bool bold, bool italic);

} // namespace gdi::fonts
