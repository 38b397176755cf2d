#include "platform/view_image.h"

namespace platform {
namespace {
// Bitmaps are objects of the raster; the handle types do not show it.
gdi::HGDIOBJ AsObject(gdi::HBITMAP bitmap) {
    return reinterpret_cast<gdi::HGDIOBJ>(bitmap);
}
} // namespace

bool ViewImage::Resize(int32_t width, int32_t height) {
    if (mDC && mBitmap) {
        gdi::BITMAP info;
        gdi::GetObject(mBitmap, info);
        if (info.bmWidth == width && info.bmHeight == height) return true;
    }
    if (!mDC) mDC = gdi::CreateCompatibleDC(gdi::GetDC(nullptr));
    gdi::HBITMAP bitmap = gdi::CreateCompatibleBitmap(gdi::GetDC(nullptr), width, height);
    if (!bitmap) return false;
    gdi::HGDIOBJ displaced = gdi::SelectObject(mDC, AsObject(bitmap));
    if (mBitmap) {
        gdi::DeleteObject(AsObject(mBitmap));
    } else {
        mDisplaced = displaced;
    }
    mBitmap = bitmap;
    return true;
}

void ViewImage::Release() {
    if (mDC) {
        gdi::SelectObject(mDC, mDisplaced);
        if (mBitmap) gdi::DeleteObject(AsObject(mBitmap));
        gdi::DeleteDC(mDC);
    }
    mDC = nullptr;
    mBitmap = nullptr;
    mDisplaced = nullptr;
}

} // namespace platform
