// The pictures the scenery and the screens load from images/, for the
// program folders that tests, fuzzers and tools make of their own.
#pragma once

#include <array>
#include <filesystem>

#include "gdi/picture.h"

namespace toolkit {

inline constexpr std::array<const char*, 11> kGameImages = {
    "Title_1Title.gif",      "Title_2Instructions.gif",
    "Title_3Credits.gif",    "Text_Readme.gif",
    "Text_Death.gif",        "Text_Success.gif",
    "Background_Cloud1.gif", "Background_Cloud2.gif",
    "Background_Cloud3.gif", "Background_Mountain_Range.gif",
    "Background_Bridge.gif",
};

// Writes every one of them as this picture into programFolder/images/.
void WriteGameImages(const std::filesystem::path& programFolder, const gdi::Picture& picture);

} // namespace toolkit
