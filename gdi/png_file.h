// PNG pictures out, for the desktop's icons (which cannot be GIFs).
#pragma once

#include <string>

#include "gdi/picture.h"

namespace gdi {

// Writes an 8-bit RGBA PNG; black (0) is written fully transparent when
// `transparentBlack`. Deterministic. Throws vb::RuntimeError (75) on failure.
void SavePicturePng(const std::string& path, const Picture& picture, bool transparentBlack);

} // namespace gdi
