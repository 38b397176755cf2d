// Lines of lettering on a canvas, in a face found through fontconfig.
#pragma once

#include <string>

#include "gdi/memory_canvas.h"

namespace art {

struct FontChoice {
    std::string face = "Liberation Sans";
    int pixelHeight = 20; // character height
    bool bold = true;
};

// One line of text with its top-left corner at (left, top).
void WriteLine(gdi::MemoryCanvas& canvas, const std::string& text, const FontChoice& font, int left,
               int top, gdi::COLORREF colour);
// Width of a text line in pixels.
int LineWidth(gdi::MemoryCanvas& canvas, const std::string& text, const FontChoice& font);

} // namespace art
