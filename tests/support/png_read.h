// The PNG files the game writes (8-bit RGBA, rows unfiltered) read back into
// the game's colours, for tests that check what was written.
#pragma once

#include <string>

#include "gdi/picture.h"

// An empty picture when the file is not such a PNG.
gdi::Picture ReadOwnPng(const std::string& path);
