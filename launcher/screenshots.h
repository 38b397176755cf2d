// F12's screenshots: the view's own pixels (not the scaled window) as a PNG
// in the user's pictures folder, named by the date and time.
#pragma once

#include <ctime>
#include <string>

#include "gdi/picture.h"

// What the machine says, passed in so that the rules can be tried anywhere.
struct PicturesPlace {
    std::string home;           // $HOME
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME ("" when unset)
    std::string xdgPicturesDir; // $XDG_PICTURES_DIR ("" when unset)
    std::string userDirsText;   // the user-dirs.dirs file ("" when there is none)
};

// $XDG_PICTURES_DIR/Stompvale, that folder as the environment or the user's
// folders file (user-dirs.dirs) names it, else ~/Pictures/Stompvale.
std::string ScreenshotFolder(const PicturesPlace& place);

// This process's place: the environment and the user's folders file.
PicturesPlace ThisPicturesPlace();

// Writes "Stompvale YYYY-MM-DD HH-MM-SS.png" (then " 2", " 3" ... for more
// in one second) into `folder`, made when missing. Returns the notice:
// "Screenshot: NAME" or why there is none.
std::string SaveScreenshot(const gdi::Picture& view, const std::string& folder, std::time_t when);
