// Plain contexts to draw into and small GIF files for the graphics tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gdi/picture.h"
#include "gdi/raster.h"
#include "support/temp_dir.h"

// A colour (or one-bit) memory context with its own bitmap.
class Canvas {
  public:
    Canvas(int width, int height, gdi::COLORREF fill = 0, bool mono = false)
        : mWidth(width), mHeight(height) {
        mDC = gdi::CreateCompatibleDC(gdi::GetDC(nullptr));
        mBitmap = mono ? gdi::CreateBitmap(width, height, 1, 1, nullptr)
                       : gdi::CreateCompatibleBitmap(gdi::GetDC(nullptr), width, height);
        mDisplaced = gdi::SelectObject(mDC, mBitmap);
        gdi::FillSolidRect(mDC, 0, 0, width, height, fill);
    }
    ~Canvas() {
        gdi::SelectObject(mDC, mDisplaced);
        gdi::DeleteObject(mBitmap);
        gdi::DeleteDC(mDC);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    gdi::HDC dc() const { return mDC; }
    gdi::COLORREF At(int x, int y) const { return gdi::GetPixel(mDC, x, y); }
    std::vector<gdi::COLORREF> Pixels() const {
        std::vector<gdi::COLORREF> out;
        for (int y = 0; y < mHeight; ++y)
            for (int x = 0; x < mWidth; ++x) out.push_back(At(x, y));
        return out;
    }

  private:
    int mWidth, mHeight;
    gdi::HDC mDC = nullptr;
    gdi::HBITMAP mBitmap = nullptr;
    gdi::HGDIOBJ mDisplaced = nullptr;
};

// A GIF of exactly these pixels (row-major); black stays an ordinary colour.
inline std::string WriteGif(const TempDir& dir, const std::string& name, int width, int height,
                            const std::vector<gdi::COLORREF>& pixels) {
    gdi::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels = pixels;
    const std::string path = (dir.path() / name).string();
    gdi::SavePictureGif(path, picture, false);
    return path;
}

// Every pixel of a surface as its GetPixel reads it.
template <class Surface> std::vector<int32_t> SurfacePixels(Surface& s, int width, int height) {
    std::vector<int32_t> out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.push_back(s.GetPixel(x, y));
    return out;
}
