// The width file of a bitmap font, written the one way clsWord::Save and the
// font generator share: CHARACTERS holding, for the codes 32 to 122, one line
// of ASCII, CHR and WIDTH each, lines ending in CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using CharacterWidths = std::array<int32_t, 91>; // index = code - 32

std::string WidthFileText(const CharacterWidths& widths);
// Replaces the file; raises runtime error 75 naming the path when it cannot
// be written.
void WriteWidthFile(const std::string& path, const CharacterWidths& widths);
