// Small drawing targets for the raster tests and a text picture of their pixels.
#pragma once

#include <string>
#include <vector>

#include "gdi/memory_canvas.h"
#include "gdi/pen_and_brush.h"
#include "gdi/raster.h"

namespace rastertest {

using Canvas = gdi::MemoryCanvas;

// One string per row: '#' where the pixel equals `ink`, '.' elsewhere.
inline std::vector<std::string> InkRows(const Canvas& canvas, gdi::COLORREF ink) {
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x) row += canvas.At(x, y) == ink ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

using gdi::WithPenAndBrush;

} // namespace rastertest
