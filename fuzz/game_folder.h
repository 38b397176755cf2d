// A program folder for the harnesses that run the game itself: small black
// (transparent) screen images and scenery, and an empty Monsters folder.
#pragma once

#include "tools/toolkit/scratch_folder.h"

class GameFolder : public toolkit::ScratchFolder {
  public:
    GameFolder();
};
