#include "gfx/kivAnimation3.h"

#include <cmath>
#include <string>

#include "gfx/compose.h"
#include "vb/runtime_error.h"

namespace {

int32_t CheckedLong(double value) {
    if (!(value >= -2147483648.0 && value <= 2147483647.0)) throw vb::RuntimeError(6, "Overflow");
    return static_cast<int32_t>(value);
}

// Steps in ten-thousandths of the whole row of frames, as frame units.
int32_t Step(int32_t rotate, int32_t limit) {
    const double scaled = std::nearbyint((rotate + 10000.0) / 20000 * 10000 * limit * 2);
    return CheckedLong(scaled - double(limit) * 10000);
}

// Into 0 <= value < period; an exact negative multiple lands on 0.
int32_t Wrap(int64_t value, int64_t period) {
    if (period == 0) throw vb::RuntimeError(11, "Division by zero");
    if (value < 0) value = period + value % period;
    if (value >= period) value %= period;
    return static_cast<int32_t>(value);
}

} // namespace

void kivAnimation3::Initialize(kivSprite3& pSprite) {
    mStrip = &pSprite;
    mSpriteXLimit = pSprite.NumberX;
    mSpriteYLimit = pSprite.NumberY;
    Refresh();
}

void kivAnimation3::Refresh() {
    if (mSpriteXLimit == 0)
        vb::RaiseObjectError(3, "Sprite passed to kivAnimation did not have NumberX initialized.");
    if (mSpriteYLimit == 0)
        vb::RaiseObjectError(3, "Sprite passed to kivAnimation did not have NumberY initialized.");
    if (!mStrip) throw vb::RuntimeError(91, "Object variable or With block variable not set");
    const int32_t width = mStrip->Width(), height = mStrip->Height();
    if (width % mSpriteXLimit != 0)
        vb::RaiseObjectError(2, "Can't divide bitmap width '" + std::to_string(width) +
                                    "' evenly into '" + std::to_string(mSpriteXLimit) +
                                    "' sprites.");
    if (height % mSpriteYLimit != 0)
        vb::RaiseObjectError(2, "Can't divide bitmap height '" + std::to_string(height) +
                                    "' evenly into '" + std::to_string(mSpriteYLimit) +
                                    "' sprites.");
    mWidth = width / mSpriteXLimit;
    mHeight = height / mSpriteYLimit;
}

void kivAnimation3::RotateSet(int32_t pRotateX, int32_t pRotateY) {
    mFrameStepX = Step(pRotateX, mSpriteXLimit);
    mFrameStepY = Step(pRotateY, mSpriteYLimit);
}

void kivAnimation3::Rotate() {
    mFramePositionX = Wrap(int64_t(mFramePositionX) + mFrameStepX, int64_t(mSpriteXLimit) * kUnit);
    mFramePositionY = Wrap(int64_t(mFramePositionY) + mFrameStepY, int64_t(mSpriteYLimit) * kUnit);
}

void kivAnimation3::SpriteSet(int32_t pSpriteX, int32_t pSpriteY) {
    SetSpriteX(pSpriteX);
    SetSpriteY(pSpriteY);
}

void kivAnimation3::SetSpriteX(int32_t value) {
    mFramePositionX = Wrap(value, mSpriteXLimit) * kUnit;
}

void kivAnimation3::SetSpriteY(int32_t value) {
    mFramePositionY = Wrap(value, mSpriteYLimit) * kUnit;
}

gdi::HDC kivAnimation3::MainHDC() const {
    return mStrip ? mStrip->MainHDC() : nullptr;
}
gdi::HDC kivAnimation3::MaskHDC() const {
    return mStrip ? mStrip->MaskHDC() : nullptr;
}

void kivAnimation3::SetWidth(int32_t value) {
    mWidth = value;
    Refresh();
}

void kivAnimation3::SetHeight(int32_t value) {
    mHeight = value;
    Refresh();
}

void kivAnimation3::Size(int32_t pWidth, int32_t pHeight) {
    mWidth = pWidth;
    mHeight = pHeight;
    Refresh();
}

// Unlike a surface copy, the mask also clears the destination image when a
// destination mask is given, so a frame composes exactly over opaque pixels.
void kivAnimation3::BitBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop) {
    if (!mStrip) return;
    const int32_t sx = SpriteX() * mWidth, sy = SpriteY() * mHeight;
    if (pMaskHDC)
        gdi::BitBlt(pMaskHDC, pLeft, pTop, mWidth, mHeight, mStrip->MaskHDC(), sx, sy, gdi::SRCAND);
    gfx::ComposeMasked(pHDC, pLeft, pTop, mWidth, mHeight, mStrip->MainHDC(), mStrip->MaskHDC(), sx,
                       sy);
}

void kivAnimation3::StretchBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop,
                               int32_t pWidth, int32_t pHeight) {
    if (!mStrip) return;
    const int32_t sx = SpriteX() * mWidth, sy = SpriteY() * mHeight;
    if (pMaskHDC)
        gdi::StretchBlt(pMaskHDC, pLeft, pTop, pWidth, pHeight, mStrip->MaskHDC(), sx, sy, mWidth,
                        mHeight, gdi::SRCAND);
    if (!pHDC) return;
    gdi::StretchBlt(pHDC, pLeft, pTop, pWidth, pHeight, mStrip->MaskHDC(), sx, sy, mWidth, mHeight,
                    gdi::SRCAND);
    gdi::StretchBlt(pHDC, pLeft, pTop, pWidth, pHeight, mStrip->MainHDC(), sx, sy, mWidth, mHeight,
                    gdi::SRCPAINT);
}
