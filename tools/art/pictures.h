// The pictures the generator makes, each written as a GIF into a folder.
#pragma once

#include <string>
#include <vector>

#include "gdi/picture.h"

namespace art {

struct NamedPicture {
    std::string fileName;
    gdi::Picture picture;
};

// Title_1Title.gif ... Text_Success.gif: 600 x 175 screen pixels at most.
std::vector<NamedPicture> ScreenImages();
// Background_*.gif, in game pixels.
std::vector<NamedPicture> SceneryPictures();

} // namespace art
