// A large image as a grid of tiles: building, filling, painting and copying.
#include "gfx/kivSprites3.h"

#include <algorithm>

#include "gdi/uncovered.h"
#include "gfx/modGraphic.h"
#include "vb/runtime_error.h"

void kivSprites3::Build(bool pSprite, int32_t pWidth, int32_t pHeight) {
    Terminate();
    mSprite = pSprite;
    mWidth = pWidth;
    mHeight = pHeight;
    // A grid of no tiles cannot be made.
    if (pWidth < 1 || pHeight < 1) throw vb::RuntimeError(9, "Subscript out of range");
    const int32_t columns = static_cast<int32_t>(RoundUp(pWidth / double(kTileSize), 0));
    const int32_t rows = static_cast<int32_t>(RoundUp(pHeight / double(kTileSize), 0));
    mLastWidth = pWidth - columns * kTileSize + kTileSize;
    mLastHeight = pHeight - rows * kTileSize + kTileSize;
    mNumberX = columns;
    mNumberY = rows;
    mTiles.resize(static_cast<size_t>(columns) * rows);
    mFillsTaken.assign(mTiles.size(), 0);
}

void kivSprites3::Initialize(bool pSprite, int32_t pWidth, int32_t pHeight,
                             kivSprite3* pFillSprite) {
    Build(pSprite, pWidth, pHeight);
    if (pFillSprite) FillSprite(*pFillSprite, true);
}

void kivSprites3::Initialize(bool pSprite, int32_t pWidth, int32_t pHeight,
                             std::shared_ptr<kivSprite3> pFillSprite) {
    Build(pSprite, pWidth, pHeight);
    if (pFillSprite) AddFill(std::move(pFillSprite), true);
}

void kivSprites3::Terminate() {
    for (auto& tile : mTiles) {
        if (tile) tile->Terminate();
    }
    mTiles.clear();
    mFillsTaken.clear();
    mFills.clear();
    mNumberX = 0;
    mNumberY = 0;
}

int32_t kivSprites3::TilesMade() const {
    int32_t made = 0;
    for (const auto& tile : mTiles) made += tile != nullptr;
    return made;
}

kivSprite3& kivSprites3::MakeTile(int32_t i, int32_t j) {
    const size_t at = Index(i, j);
    if (!mTiles[at]) {
        // Black and, in mask mode, transparent; a tile that cannot be made
        // raises the video-memory error here.
        auto tile = std::make_unique<kivSprite3>();
        tile->Initialize(mSprite, i == mNumberX - 1 ? mLastWidth : kTileSize,
                         j == mNumberY - 1 ? mLastHeight : kTileSize, 0, "", -1);
        mTiles[at] = std::move(tile);
        mFillsTaken[at] = 0;
    }
    kivSprite3& tile = *mTiles[at];
    // Only the fills from the last that covers the whole tile leave a trace.
    size_t from = mFillsTaken[at];
    for (size_t f = mFills.size(); f-- > from;) {
        if (FillCoversTile(i, j, mFills[f])) {
            from = f;
            break;
        }
    }
    for (size_t f = from; f < mFills.size(); ++f) ApplyFill(tile, i, j, mFills[f]);
    mFillsTaken[at] = mFills.size();
    return tile;
}

// The stretch draws every pixel of the tile (and of its mask) when its
// source rectangle lies inside the source: what was there before is gone.
bool kivSprites3::FillCoversTile(int32_t i, int32_t j, const Fill& fill) const {
    if (!fill.source) return false;
    const kivSprite3& source = *fill.source;
    const int64_t sx = int64_t{i} * fill.stepX, sy = int64_t{j} * fill.stepY;
    if (fill.stepX < 1 || fill.stepY < 1) return false;
    if (sx + fill.stepX > source.Width() || sy + fill.stepY > source.Height()) return false;
    return !mSprite || source.MaskHDC() != nullptr;
}

void kivSprites3::ApplyFill(kivSprite3& tile, int32_t i, int32_t j, const Fill& fill) const {
    const int32_t sx = i * fill.stepX, sy = j * fill.stepY;
    const bool covered = FillCoversTile(i, j, fill);
    if (!covered) FillRectGdi(tile.MainHDC(), 0, 0, fill.stepX, fill.stepY, 0);
    if (fill.source) {
        gdi::StretchBlt(tile.MainHDC(), 0, 0, kTileSize, kTileSize, fill.source->MainHDC(), sx, sy,
                        fill.stepX, fill.stepY, gdi::SRCCOPY);
    }
    if (mSprite && tile.MaskHDC()) {
        if (!covered) FillRectGdi(tile.MaskHDC(), 0, 0, fill.stepX, fill.stepY, 0xFFFFFF);
        if (fill.source && fill.source->MaskHDC())
            gdi::StretchBlt(tile.MaskHDC(), 0, 0, kTileSize, kTileSize, fill.source->MaskHDC(), sx,
                            sy, fill.stepX, fill.stepY, gdi::SRCCOPY);
    }
}

void kivSprites3::FillSprite(kivSprite3& pFillSprite, bool pScale) {
    // The tiles take the picture as it is now, whenever they are first used.
    // A source without a picture only clears the tiles' corners.
    std::shared_ptr<kivSprite3> copy;
    if (pFillSprite.mMainBitmap && !mTiles.empty()) {
        copy = std::make_shared<kivSprite3>();
        const int32_t width = pFillSprite.mRawWidth, height = pFillSprite.mRawHeight;
        const bool masked = pFillSprite.MaskHDC() != nullptr;
        copy->Initialize(masked, width, height, 0, "", -1);
        gdi::BitBlt(copy->MainHDC(), 0, 0, width, height, pFillSprite.MainHDC(), 0, 0,
                    gdi::SRCCOPY);
        if (masked) {
            gdi::BitBlt(copy->MaskHDC(), 0, 0, width, height, pFillSprite.MaskHDC(), 0, 0,
                        gdi::SRCCOPY);
        }
    }
    AddFill(std::move(copy), pScale, pFillSprite.Width(), pFillSprite.Height());
}

void kivSprites3::AddFill(std::shared_ptr<kivSprite3> source, bool scale) {
    const int32_t width = source->Width(), height = source->Height();
    if (!source->mMainBitmap) source.reset();
    AddFill(std::move(source), scale, width, height);
}

void kivSprites3::AddFill(std::shared_ptr<kivSprite3> source, bool scale, int32_t sourceWidth,
                          int32_t sourceHeight) {
    Fill fill;
    fill.stepX = fill.stepY = kTileSize;
    if (scale) {
        if (sourceWidth == 0 || sourceHeight == 0) throw vb::RuntimeError(11, "Division by zero");
        fill.stepX = vb::IntL(kTileSize / (double(mWidth) / sourceWidth));
        fill.stepY = vb::IntL(kTileSize / (double(mHeight) / sourceHeight));
    }
    if (mTiles.empty()) return;
    fill.source = std::move(source);
    // A fill that covers every tile makes all the earlier ones irrelevant.
    bool coversAll = true;
    for (int32_t i = 0; i < mNumberX && coversAll; ++i) {
        for (int32_t j = 0; j < mNumberY && coversAll; ++j) {
            coversAll = FillCoversTile(i, j, fill);
        }
    }
    if (coversAll) {
        mFills.clear();
        std::fill(mFillsTaken.begin(), mFillsTaken.end(), 0);
    }
    mFills.push_back(std::move(fill));
}

void kivSprites3::DrawRectangle(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2,
                                int32_t pColor) {
    const int32_t column = vb::IntL(pX1 / double(kTileSize));
    const int32_t row = vb::IntL(pY1 / double(kTileSize));
    if (column < 0 || column >= mNumberX || row < 0 || row >= mNumberY) return;
    const int32_t x = pX1 % kTileSize, y = pY1 % kTileSize;
    UsedTile(column, row).DrawRectangle(x, y, x + pX2 - pX1, y + pY2 - pY1, pColor);
}

namespace {

// The size of the bitmap a copy goes into: it clips every copy.
gdi::SIZE TargetSize(gdi::HDC dc) {
    const gdi::HBITMAP target = dc ? gdi::CurrentBitmap(dc) : nullptr;
    return target ? gdi::SIZE{target->width, target->height} : gdi::SIZE{0, 0};
}

} // namespace

template <class Visit>
void kivSprites3::ForEachVisibleTile(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop, Visit visit) {
    const gdi::SIZE target = TargetSize(pMainHDC);
    for (int32_t i = 0; i < mNumberX; ++i) {
        for (int32_t j = 0; j < mNumberY; ++j) {
            const int32_t tileWidth = i == mNumberX - 1 ? mLastWidth : kTileSize;
            const int32_t tileHeight = j == mNumberY - 1 ? mLastHeight : kTileSize;
            int32_t x = pLeft + i * kTileSize, y = pTop + j * kTileSize;
            if (x < 1 - tileWidth || x >= target.cx || y < 1 - tileHeight || y >= target.cy)
                continue;
            int32_t sx = 0, sy = 0, width = tileWidth, height = tileHeight;
            if (x < 0) {
                sx = -x;
                x = 0;
            } else if (target.cx - x < tileWidth) {
                width = target.cx - x;
            }
            if (y < 0) {
                sy = -y;
                y = 0;
            } else if (target.cy - y < tileHeight) {
                height = target.cy - y;
            }
            visit(UsedTile(i, j), x, y, width, height, sx, sy);
        }
    }
}

void kivSprites3::BitBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop) {
    ForEachVisibleTile(pMainHDC, pLeft, pTop,
                       [&](kivSprite3& tile, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t sx, int32_t sy) {
                           tile.BitBltDeluxe(pMainHDC, pMaskHDC, x, y, width, height, sx, sy,
                                             gdi::SRCCOPY);
                       });
}

void kivSprites3::BitBltUncovered(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop,
                                  std::span<const gdi::RECT> pCovers) {
    // The covers that reach the picture at all: a frame has hundreds, a
    // picture meets a few of them.
    static thread_local std::vector<gdi::RECT> near;
    static thread_local gdi::UncoveredScratch scratch;
    near.clear();
    const gdi::SIZE target = TargetSize(pMainHDC);
    const gdi::RECT whole{std::max(pLeft, 0), std::max(pTop, 0),
                          std::min(pLeft + mWidth, int32_t{target.cx}),
                          std::min(pTop + mHeight, int32_t{target.cy})};
    for (const gdi::RECT& c : pCovers) {
        if (c.left < whole.right && c.right > whole.left && c.top < whole.bottom &&
            c.bottom > whole.top)
            near.push_back(c);
    }
    ForEachVisibleTile(pMainHDC, pLeft, pTop,
                       [&](kivSprite3& tile, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t sx, int32_t sy) {
                           const gdi::RECT placed{x, y, x + width, y + height};
                           gdi::ForEachUncovered(placed, near, scratch, [&](const gdi::RECT& r) {
                               tile.BitBltDeluxe(pMainHDC, nullptr, r.left, r.top, r.right - r.left,
                                                 r.bottom - r.top, sx + r.left - x, sy + r.top - y,
                                                 gdi::SRCCOPY);
                           });
                       });
}

void kivSprites3::OpaqueCover(gdi::HDC pMainHDC, int32_t pLeft, int32_t pTop,
                              std::vector<gdi::RECT>& pOut) {
    ForEachVisibleTile(pMainHDC, pLeft, pTop,
                       [&](kivSprite3& tile, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t sx, int32_t sy) {
                           // Tile rectangles moved to where the copy puts them, cut to
                           // the part it draws.
                           for (const gdi::RECT& r : tile.OpaqueRectangles()) {
                               const gdi::RECT placed{std::max(x, r.left - sx + x),
                                                      std::max(y, r.top - sy + y),
                                                      std::min(x + width, r.right - sx + x),
                                                      std::min(y + height, r.bottom - sy + y)};
                               if (placed.left < placed.right && placed.top < placed.bottom)
                                   pOut.push_back(placed);
                           }
                       });
}

void kivSprites3::StretchBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop,
                             int32_t pWidth, int32_t pHeight) {
    const double scaleX = double(pWidth) / mWidth, scaleY = double(pHeight) / mHeight;
    for (int32_t i = 0; i < mNumberX; ++i) {
        for (int32_t j = 0; j < mNumberY; ++j) {
            kivSprite3& tile = UsedTile(i, j);
            const int32_t height = vb::RoundEven(scaleY * tile.Height());
            const int32_t width = vb::RoundEven(scaleX * tile.Width());
            const int32_t y = vb::RoundEven(scaleY * j * kTileSize + pTop);
            const int32_t x = vb::RoundEven(scaleX * i * kTileSize + pLeft);
            tile.StretchBlt(pMainHDC, pMaskHDC, x, y, width, height);
        }
    }
}
