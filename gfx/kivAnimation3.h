// An animation whose frames form an even grid in one masked surface (the
// strip): a current frame advanced by a fractional step per Rotate, copied
// transparently. Positions are frame indices x 10000.
#pragma once

#include <cstdint>

#include "gfx/kivSprite3.h"

class kivAnimation3 {
  public:
    kivAnimation3() = default;
    ~kivAnimation3() { Terminate(); }
    kivAnimation3(const kivAnimation3&) = delete;
    kivAnimation3& operator=(const kivAnimation3&) = delete;

    void RotateSet(int32_t pRotateX, int32_t pRotateY);
    void Rotate();
    void SpriteSet(int32_t pSpriteX, int32_t pSpriteY);
    void Refresh();
    void BitBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop);
    void StretchBlt(gdi::HDC pHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop, int32_t pWidth,
                    int32_t pHeight);
    // Takes the strip (shared with the caller, not owned).
    void Initialize(kivSprite3& pSprite);
    void Terminate() { mStrip = nullptr; }

    int32_t SpriteXLimit() const { return mSpriteXLimit; }
    int32_t SpriteYLimit() const { return mSpriteYLimit; }
    int32_t SpriteX() const { return mFramePositionX / kUnit; }
    void SetSpriteX(int32_t value);
    int32_t SpriteY() const { return mFramePositionY / kUnit; }
    void SetSpriteY(int32_t value);
    gdi::HDC MainHDC() const;
    gdi::HDC MaskHDC() const;
    int32_t Width() const { return mWidth; }
    void SetWidth(int32_t value);
    int32_t Height() const { return mHeight; }
    void SetHeight(int32_t value);
    void Size(int32_t pWidth, int32_t pHeight);

    int32_t FramePositionX() const { return mFramePositionX; }
    int32_t FramePositionY() const { return mFramePositionY; }
    int32_t FrameStepX() const { return mFrameStepX; }
    int32_t FrameStepY() const { return mFrameStepY; }

  private:
    static constexpr int32_t kUnit = 10000;

    kivSprite3* mStrip = nullptr;
    int32_t mSpriteXLimit = 0, mSpriteYLimit = 0;
    int32_t mFramePositionX = 0, mFramePositionY = 0;
    int32_t mFrameStepX = 0, mFrameStepY = 0;
    int32_t mWidth = 0, mHeight = 0;
};
