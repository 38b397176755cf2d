// Pixel-for-pixel comparison with a stored picture. STOMPVALE_UPDATE_GOLDEN=1
// rewrites the picture on purpose instead (and skips the test).
#pragma once

#include <string>

#include "gdi/picture.h"

// relativePath is below the source tree, e.g. "tests/game/golden/frame_300.gif".
void ExpectMatchesGolden(const gdi::Picture& actual, const std::string& relativePath);
