// A large image held as a grid of kivSprite3 tiles of at most 180 x 180, used
// as one surface: filled from a smaller picture (each pixel becoming a block),
// read and painted per pixel, and copied to the view clipped to it. A tile is
// made and filled the first time it is drawn or read, with the same result as
// if every tile had been made at once.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gfx/kivSprite3.h"
#include "vb/numeric.h"

class kivSprites3 {
  public:
    static constexpr int32_t kTileSize = 180;

    kivSprites3() = default;
    ~kivSprites3() { Terminate(); }
    kivSprites3(const kivSprites3&) = delete;
    kivSprites3& operator=(const kivSprites3&) = delete;

    void FillSprite(kivSprite3& pFillSprite, bool pScale);
    void Initialize(bool pSprite, int32_t pWidth, int32_t pHeight, kivSprite3* pFillSprite);
    // As Initialize, taking the picture itself rather than a copy: for the
    // callers that drop their picture right after (a monster, pixel sprites).
    // The caller must not draw on it afterwards.
    void Initialize(bool pSprite, int32_t pWidth, int32_t pHeight,
                    std::shared_ptr<kivSprite3> pFillSprite);
    void Terminate();
    void DrawRectangle(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2, int32_t pColor);
    // Colour at a point of the image; -2 for transparent or outside. Inline: it
    // is the game's collision test.
    int32_t GetPixel(double pX, double pY);
    void BitBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop);
    // Appends the rectangles that BitBlt at (pLeft, pTop) onto a colour
    // destination with a black text colour paints whatever they held.
    void OpaqueCover(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop, std::vector<gdi::RECT>& pOut);
    // BitBlt onto a colour view leaving out what `pCovers` lies over: layers
    // drawn later replace it anyway.
    void BitBltUncovered(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop,
                         std::span<const gdi::RECT> pCovers);
    void StretchBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop,
                    int32_t pWidth, int32_t pHeight);

    int32_t Width() const { return mWidth; }
    int32_t Height() const { return mHeight; }
    bool Sprite() const { return mSprite; }
    int32_t NumberX() const { return mNumberX; }
    int32_t NumberY() const { return mNumberY; }
    // Tile (i, j), 1-based, column first, made and filled if it was not yet.
    kivSprite3& Tile(int32_t i, int32_t j) { return UsedTile(i - 1, j - 1); }
    // Tiles that hold a bitmap so far, for tests and benchmarks.
    int32_t TilesMade() const;

  private:
    // One FillSprite, kept until every tile has taken it: the source as it
    // was then (a copy, since callers drop theirs) and its step.
    struct Fill {
        std::shared_ptr<kivSprite3> source;
        int32_t stepX = 0, stepY = 0;
    };

    size_t Index(int32_t i, int32_t j) const { return static_cast<size_t>(i) * mNumberY + j; }
    // Tile (i, j) from 0, made and brought up to date with every fill. A
    // giant monster so holds only the tiles that have been drawn or read.
    kivSprite3& UsedTile(int32_t i, int32_t j) {
        const size_t at = Index(i, j);
        if (mTiles[at] && mFillsTaken[at] == mFills.size()) return *mTiles[at];
        return MakeTile(i, j);
    }
    kivSprite3& MakeTile(int32_t i, int32_t j);
    // visit(tile, x, y, width, height, sx, sy) for each tile that BitBlt at
    // (pLeft, pTop) draws into pMainHDC: the part of it inside the bitmap
    // selected there and where it goes.
    template <class Visit>
    void ForEachVisibleTile(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop, Visit visit);
    void Build(bool pSprite, int32_t pWidth, int32_t pHeight);
    void AddFill(std::shared_ptr<kivSprite3> source, bool scale);
    void AddFill(std::shared_ptr<kivSprite3> source, bool scale, int32_t sourceWidth,
                 int32_t sourceHeight);
    void ApplyFill(kivSprite3& tile, int32_t i, int32_t j, const Fill& fill) const;
    bool FillCoversTile(int32_t i, int32_t j, const Fill& fill) const;

    bool mSprite = false;
    int32_t mWidth = 0, mHeight = 0;
    int32_t mNumberX = 0, mNumberY = 0;
    int32_t mLastWidth = 0, mLastHeight = 0;
    std::vector<std::unique_ptr<kivSprite3>> mTiles; // column-major; null until used
    std::vector<size_t> mFillsTaken;                 // per tile: fills applied so far
    std::vector<Fill> mFills;
};

// Same result as the tile's own GetPixel at the rounded point, read straight
// from the tile's bitmaps.
inline int32_t kivSprites3::GetPixel(double pX, double pY) {
    const double column = pX / kTileSize, row = pY / kTileSize;
    if (!(column >= 0 && column < mNumberX && row >= 0 && row < mNumberY)) return -2;
    // Non-negative from here, so truncation is the floor.
    const kivSprite3& tile = UsedTile(static_cast<int32_t>(column), static_cast<int32_t>(row));
    if (!tile.mMainPixels) return -2;
    // 0 <= value < 2^31: adding and taking away 2^52 rounds half to even in the
    // default rounding mode, as RoundEven does, without a library call.
    const int32_t x = static_cast<int32_t>((pX + 0x1p52) - 0x1p52) % kTileSize;
    const int32_t y = static_cast<int32_t>((pY + 0x1p52) - 0x1p52) % kTileSize;
    const bool masked = tile.Masked();
    if (x >= tile.mRawWidth || y >= tile.mRawHeight) return masked ? -2 : -1;
    const size_t at = static_cast<size_t>(y) * tile.mRawWidth + x;
    if (masked && tile.mMaskPixels[at] != 0) return -2;
    return static_cast<int32_t>(tile.mMainPixels[at]);
}
