// A pen and a brush selected for one drawing call and released after it, so
// that no context is left holding either.
#pragma once

#include "gdi/raster.h"

namespace gdi {

// Deletes both afterwards; a stock object survives that (DeleteObject ignores it).
template <class Draw> void WithPenAndBrush(HDC dc, HPEN pen, HBRUSH brush, Draw draw) {
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    draw();
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace gdi
