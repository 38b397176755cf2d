#include <cctype>

#include "gdi/font_files.h"

namespace gdi::fonts {

// The page's file system holds the Liberation families where Debian keeps
// them, so a face resolves to the very file fontconfig gives the native game.
// Face names that fontconfig would alias go to the family they stand for;
// anything else is sans-serif, as fontconfig's default is.
FontFile FindFontFile(const std::string& faceName, bool bold, bool italic) {
    std::string name;
    for (char c : faceName) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string family = "Sans";
    if (name == "times new roman" || name == "times" || name == "serif" ||
        name == "liberation serif") {
        family = "Serif";
    } else if (name == "courier new" || name == "courier" || name == "monospace" ||
               name == "liberation mono") {
        family = "Mono";
    }
    const char* style = bold && italic ? "BoldItalic"
                        : bold         ? "Bold"
                        : italic       ? "Italic"
                                       : "Regular";
    FontFile file;
    file.file = "/usr/share/fonts/truetype/liberation/Liberation" + family + "-" + style + ".ttf";
    file.bold = bold;
    file.italic = italic;
    return file;
}

} // namespace gdi::fonts
