// Small drawing targets for the raster tests and a text picture of their pixels.
#pragma once

#include <string>
#include <vector>

#include "gdi/raster.h"

namespace rastertest {

// A memory context holding its own bitmap; everything released on destruction.
class Canvas {
  public:
    Canvas(int width, int height, bool mono = false) {
        dc = gdi::CreateCompatibleDC(nullptr);
        bitmap = mono ? gdi::CreateBitmap(width, height, 1, 1, nullptr)
                      : gdi::CreateCompatibleBitmap(gdi::GetDC(nullptr), width, height);
        displaced = gdi::SelectObject(dc, bitmap);
    }
    ~Canvas() {
        gdi::SelectObject(dc, displaced);
        gdi::DeleteObject(bitmap);
        gdi::DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(gdi::COLORREF c) {
        gdi::BITMAP info;
        gdi::GetObject(bitmap, info);
        for (int y = 0; y < info.bmHeight; ++y)
            for (int x = 0; x < info.bmWidth; ++x) gdi::SetPixelV(dc, x, y, c);
    }

    // One string per row: '#' where the pixel equals `ink`, '.' elsewhere.
    std::vector<std::string> Picture(gdi::COLORREF ink) const {
        gdi::BITMAP info;
        gdi::GetObject(bitmap, info);
        std::vector<std::string> rows;
        for (int y = 0; y < info.bmHeight; ++y) {
            std::string row;
            for (int x = 0; x < info.bmWidth; ++x)
                row += gdi::GetPixel(dc, x, y) == ink ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }

    gdi::HDC dc = nullptr;
    gdi::HBITMAP bitmap = nullptr;
    gdi::HGDIOBJ displaced = nullptr;
};

// Draws with a pen and brush selected for one call, released afterwards.
template <class Draw>
void WithPenAndBrush(gdi::HDC dc, gdi::HPEN pen, gdi::HBRUSH brush, Draw draw) {
    gdi::HGDIOBJ oldPen = gdi::SelectObject(dc, pen);
    gdi::HGDIOBJ oldBrush = gdi::SelectObject(dc, brush);
    draw();
    gdi::SelectObject(dc, oldPen);
    gdi::SelectObject(dc, oldBrush);
    gdi::DeleteObject(pen);
    gdi::DeleteObject(brush);
}

} // namespace rastertest
