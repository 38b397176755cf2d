// The view's persistent image: a raster bitmap selected into its own drawing
// context. Both hosts keep one; it survives everything but a new size.
#pragma once

#include <cstdint>

#include "gdi/raster.h"

namespace platform {

class ViewImage {
  public:
    ViewImage() = default;
    ~ViewImage() { Release(); }
    ViewImage(const ViewImage&) = delete;
    ViewImage& operator=(const ViewImage&) = delete;

    // Makes the image this size. The old image stays when its size already
    // fits; otherwise a new, cleared one replaces it. False when the bitmap
    // could not be made (the old image, if any, is kept).
    bool Resize(int32_t width, int32_t height);
    void Release();

    gdi::HDC DC() const { return mDC; }
    gdi::HBITMAP Bitmap() const { return mBitmap; }

  private:
    gdi::HDC mDC = nullptr;
    gdi::HBITMAP mBitmap = nullptr;
    gdi::HGDIOBJ mDisplaced = nullptr;
};

} // namespace platform
