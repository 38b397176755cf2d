// Creation, rebuild and plain properties of a surface. Drawing and copies
// live in kivSprite3_draw.cpp.
#include "gfx/kivSprite3.h"

#include <cmath>

#include "gdi/picture.h"
#include "vb/numeric.h"
#include "vb/runtime_error.h"

namespace {

const char* const kVideoMemoryText =
    "I'm sorry, your Video card does not have enough RAM to create the Monster. My inefficient "
    "code is the problem, NOT your videocard. If you lowered your desktop screen resolution (800 "
    "x 600 or less), and lowered your color quality (16-bit or less), the game might work.";

[[noreturn]] void RaiseVideoMemory() {
    vb::RaiseObjectError(2, kVideoMemoryText);
}

// The screen context for the length of a rebuild, released on every exit.
class ScreenDC {
  public:
    ScreenDC() : mDC(gdi::GetDC(nullptr)) {}
    ~ScreenDC() { gdi::ReleaseDC(nullptr, mDC); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    gdi::HDC get() const { return mDC; }

  private:
    gdi::HDC mDC;
};

// Conversion to Long: halves to even; values a Long cannot hold overflow.
int32_t ToLong(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw vb::RuntimeError(6, "Overflow");
    return static_cast<int32_t>(r);
}

} // namespace

kivSprite3::kivSprite3() {
    ScreenDC screen;
    mMainDC = gdi::CreateCompatibleDC(screen.get());
}

kivSprite3::~kivSprite3() {
    Terminate();
    gdi::DeleteDC(mMainDC);
}

void kivSprite3::Initialize(bool pSprite, int32_t pWidth, int32_t pHeight, int32_t pBackColor,
                            const std::string& pPath, int32_t pTransparentColor) {
    Terminate();
    mSprite = pSprite;
    mWidth = pWidth;
    mHeight = pHeight;
    mBackColor = pBackColor;
    mPath = pPath;
    mTransparentColor = pTransparentColor;
    Refresh(true);
}

void kivSprite3::Terminate() {
    if (mMainBitmap) {
        gdi::SelectObject(mMainDC, mMainDisplaced);
        gdi::DeleteObject(mMainBitmap);
        mMainBitmap = nullptr;
        mMainDisplaced = nullptr;
        mMainPixels = nullptr;
        mRawWidth = mRawHeight = 0;
    }
    if (mMaskDC) {
        gdi::SelectObject(mMaskDC, mMaskDisplaced);
        if (mMaskBitmap) gdi::DeleteObject(mMaskBitmap);
        gdi::DeleteDC(mMaskDC);
        mMaskDC = nullptr;
        mMaskBitmap = nullptr;
        mMaskDisplaced = nullptr;
        mMaskPixels = nullptr;
    }
}

void kivSprite3::TakeMainBitmap(gdi::HBITMAP bitmap) {
    mMainBitmap = bitmap;
    mMainDisplaced = gdi::SelectObject(mMainDC, bitmap);
    gdi::BITMAP info;
    gdi::GetObject(bitmap, info);
    mRawWidth = info.bmWidth;
    mRawHeight = info.bmHeight;
    mMainPixels = gdi::BitmapColourPixels(bitmap);
}

void kivSprite3::BuildMask(gdi::HDC screen) {
    if (!mMaskDC) {
        gdi::HBITMAP bitmap = gdi::CreateBitmap(mWidth, mHeight, 1, 1, nullptr);
        if (!bitmap) RaiseVideoMemory();
        mMaskDC = gdi::CreateCompatibleDC(screen);
        mMaskBitmap = bitmap;
        mMaskDisplaced = gdi::SelectObject(mMaskDC, bitmap);
        mMaskPixels = gdi::BitmapMonoPixels(bitmap);
    }
    // Keyed on pure black whatever TransparentColor says. The background
    // colour goes back afterwards: left black, a mask copied onto this image
    // (an animation frame, a surface without a destination mask) would turn
    // its transparent white into black and wipe what lies under it.
    const gdi::COLORREF background = gdi::SetBkColor(mMainDC, 0);
    gdi::BitBlt(mMaskDC, 0, 0, mWidth, mHeight, mMainDC, 0, 0, gdi::SRCCOPY);
    gdi::SetBkColor(mMainDC, background);
}

void kivSprite3::LoadImage() {
    const gdi::DecodedPicture picture = gdi::DecodePicture(mPath);
    mWidth = picture.width;
    mHeight = picture.height;
    // The screen's format is colour, and every pixel is written below.
    gdi::HBITMAP bitmap = gdi::CreateUnclearedColourBitmap(mWidth, mHeight);
    if (!bitmap) RaiseVideoMemory();
    TakeMainBitmap(bitmap);
    // The 1:1 copy of the decoded picture, laid out straight into the image:
    // a decoded bitmap of a giant picture's size besides it would double the peak.
    picture.ToColours(gdi::BitmapColourPixels(bitmap));
    gdi::BitmapTouched(bitmap);
}

void kivSprite3::Refresh(bool pTerminate) {
    if (pTerminate || !mPath.empty()) Terminate();
    ScreenDC screen;

    if (!mPath.empty()) {
        LoadImage();
    } else {
        bool fresh = false;
        if (!mMainBitmap) {
            gdi::HBITMAP bitmap = gdi::CreateCompatibleBitmap(screen.get(), mWidth, mHeight);
            if (!bitmap) RaiseVideoMemory();
            TakeMainBitmap(bitmap);
            fresh = true;
        }
        // A fresh bitmap is black, so a masked surface without a background
        // starts fully transparent, and filling it with black changes nothing.
        if ((!mSprite || mBackColor >= 0) && !(fresh && mBackColor == 0))
            DrawRectangle(0, 0, mWidth, mHeight, mBackColor);
    }

    if (mSprite) {
        BuildMask(screen.get());
    } else if (mMaskDC) {
        vb::RaiseObjectError(1, "Can't reverse the sprite process!");
    }
}

void kivSprite3::Cls() {
    Refresh(false);
}

void kivSprite3::LoadPicture(const std::string& pPath, bool /*pAutoSize*/) {
    mPath = pPath;
    Refresh(true);
}

void kivSprite3::Size(int32_t pWidth, int32_t pHeight) {
    mWidth = pWidth;
    mHeight = pHeight;
    Refresh(true);
}

void kivSprite3::SetWidth(int32_t value) {
    mWidth = value;
    Refresh(true);
}

void kivSprite3::SetHeight(int32_t value) {
    mHeight = value;
    Refresh(true);
}

void kivSprite3::SetSprite(bool value) {
    mSprite = value;
    Refresh(false);
}

void kivSprite3::SetPath(const std::string& value) {
    mPath = value;
    Refresh(true);
}

void kivSprite3::SetTransparentColor(int32_t value) {
    mTransparentColor = value;
    Refresh(false);
}

void kivSprite3::SetBackColor(int32_t value) {
    mBackColor = value;
    Refresh(false);
}

void kivSprite3::SetXB(double v) {
    mXB = ToLong(v);
}
void kivSprite3::SetXS(double v) {
    mXS = ToLong(v);
}
void kivSprite3::SetYB(double v) {
    mYB = ToLong(v);
}
void kivSprite3::SetYS(double v) {
    mYS = ToLong(v);
}
void kivSprite3::Setz(double v) {
    mZ = ToLong(v);
}
void kivSprite3::SetZB(double v) {
    mZB = ToLong(v);
}
void kivSprite3::SetZS(double v) {
    mZS = ToLong(v);
}

int32_t kivSprite3::WidthOne() const {
    if (NumberX == 0) throw vb::RuntimeError(11, "Division by zero");
    return mWidth / NumberX;
}

int32_t kivSprite3::HeightOne() const {
    if (NumberY == 0) throw vb::RuntimeError(11, "Division by zero");
    return mHeight / NumberY;
}
