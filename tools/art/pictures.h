// The pictures the generator makes, each written as a GIF into a folder.
#pragma once

#include <string>
#include <vector>

#include "gdi/picture.h"

namespace art {

using Colour = gdi::COLORREF;

struct NamedPicture {
    std::string fileName;
    gdi::Picture picture;
};

// Title_1Title.gif ... Text_Success.gif: 600 x 175 screen pixels at most.
std::vector<NamedPicture> ScreenImages();
// Background_*.gif, in game pixels.
std::vector<NamedPicture> SceneryPictures();
// The desktop icon at size x size pixels; black is transparent.
gdi::Picture Icon(int size);
// The icon sizes written for the desktop's icon theme.
inline const std::vector<int> kIconSizes = {16, 24, 32, 48, 64, 128, 256};

} // namespace art
