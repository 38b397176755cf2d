// A large image as a grid of tiles: building, filling, painting and copying.
#include "gfx/kivSprites3.h"

#include "app/modMain.h"
#include "gfx/modGraphic.h"
#include "vb/runtime_error.h"

void kivSprites3::Initialize(bool pSprite, int32_t pWidth, int32_t pHeight,
                             kivSprite3* pFillSprite) {
    Terminate();
    mSprite = pSprite;
    mWidth = pWidth;
    mHeight = pHeight;
    // A grid of no tiles cannot be made.
    if (pWidth < 1 || pHeight < 1) throw vb::RuntimeError(9, "Subscript out of range");
    const int32_t columns = static_cast<int32_t>(RoundUp(pWidth / double(kTileSize), 0));
    const int32_t rows = static_cast<int32_t>(RoundUp(pHeight / double(kTileSize), 0));
    const int32_t lastWidth = pWidth - columns * kTileSize + kTileSize;
    const int32_t lastHeight = pHeight - rows * kTileSize + kTileSize;

    mNumberX = columns;
    mNumberY = rows;
    mTiles.resize(static_cast<size_t>(columns) * rows);
    // A tile that cannot be made raises out of here; those before it stay.
    for (int32_t i = 0; i < columns; ++i) {
        for (int32_t j = 0; j < rows; ++j) {
            auto tile = std::make_unique<kivSprite3>();
            kivSprite3& made = *tile;
            mTiles[static_cast<size_t>(i) * rows + j] = std::move(tile);
            made.Initialize(mSprite, i == columns - 1 ? lastWidth : kTileSize,
                            j == rows - 1 ? lastHeight : kTileSize, 0, "", -1);
        }
    }
    if (pFillSprite) FillSprite(*pFillSprite, true);
}

void kivSprites3::Terminate() {
    for (auto& tile : mTiles) {
        if (tile) tile->Terminate();
    }
    mTiles.clear();
    mNumberX = 0;
    mNumberY = 0;
}

void kivSprites3::FillSprite(kivSprite3& pFillSprite, bool pScale) {
    int32_t stepX = kTileSize, stepY = kTileSize;
    if (pScale) {
        if (pFillSprite.Width() == 0 || pFillSprite.Height() == 0)
            throw vb::RuntimeError(11, "Division by zero");
        stepX = vb::IntL(kTileSize / (double(mWidth) / pFillSprite.Width()));
        stepY = vb::IntL(kTileSize / (double(mHeight) / pFillSprite.Height()));
    }
    for (int32_t i = 0; i < mNumberX; ++i) {
        for (int32_t j = 0; j < mNumberY; ++j) {
            kivSprite3* tile = TileAt(i, j);
            if (!tile) continue;
            const int32_t sx = i * stepX, sy = j * stepY;
            FillRectGdi(tile->MainHDC(), 0, 0, stepX, stepY, 0);
            if (pFillSprite.MainHDC())
                gdi::StretchBlt(tile->MainHDC(), 0, 0, kTileSize, kTileSize, pFillSprite.MainHDC(),
                                sx, sy, stepX, stepY, gdi::SRCCOPY);
            if (mSprite && tile->MaskHDC()) {
                FillRectGdi(tile->MaskHDC(), 0, 0, stepX, stepY, 0xFFFFFF);
                if (pFillSprite.MaskHDC())
                    gdi::StretchBlt(tile->MaskHDC(), 0, 0, kTileSize, kTileSize,
                                    pFillSprite.MaskHDC(), sx, sy, stepX, stepY, gdi::SRCCOPY);
            }
        }
    }
}

void kivSprites3::DrawRectangle(int32_t pX1, int32_t pY1, int32_t pX2, int32_t pY2,
                                int32_t pColor) {
    const int32_t column = vb::IntL(pX1 / double(kTileSize));
    const int32_t row = vb::IntL(pY1 / double(kTileSize));
    if (column < 0 || column >= mNumberX || row < 0 || row >= mNumberY) return;
    kivSprite3* tile = TileAt(column, row);
    if (!tile) return;
    const int32_t x = pX1 % kTileSize, y = pY1 % kTileSize;
    tile->DrawRectangle(x, y, x + pX2 - pX1, y + pY2 - pY1, pColor);
}

void kivSprites3::BitBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop) {
    for (int32_t i = 0; i < mNumberX; ++i) {
        for (int32_t j = 0; j < mNumberY; ++j) {
            kivSprite3* tile = TileAt(i, j);
            if (!tile) continue;
            const int32_t tileWidth = tile->Width(), tileHeight = tile->Height();
            int32_t x = pLeft + i * kTileSize, y = pTop + j * kTileSize;
            if (x < 1 - tileWidth || x >= ViewWidth || y < 1 - tileHeight || y >= ViewHeight)
                continue;
            int32_t sx = 0, sy = 0, width = tileWidth, height = tileHeight;
            if (x < 0) {
                sx = -x;
                x = 0;
            } else if (ViewWidth - x < tileWidth) {
                width = ViewWidth - x;
            }
            if (y < 0) {
                sy = -y;
                y = 0;
            } else if (ViewHeight - y < tileHeight) {
                height = ViewHeight - y;
            }
            tile->BitBltDeluxe(pMainHDC, pMaskHDC, x, y, width, height, sx, sy, gdi::SRCCOPY);
        }
    }
}

void kivSprites3::StretchBlt(gdi::HDC pMainHDC, gdi::HDC pMaskHDC, int32_t pLeft, int32_t pTop,
                             int32_t pWidth, int32_t pHeight) {
    const double scaleX = double(pWidth) / mWidth, scaleY = double(pHeight) / mHeight;
    for (int32_t i = 0; i < mNumberX; ++i) {
        for (int32_t j = 0; j < mNumberY; ++j) {
            kivSprite3* tile = TileAt(i, j);
            if (!tile) continue;
            const int32_t height = vb::RoundEven(scaleY * tile->Height());
            const int32_t width = vb::RoundEven(scaleX * tile->Width());
            const int32_t y = vb::RoundEven(scaleY * j * kTileSize + pTop);
            const int32_t x = vb::RoundEven(scaleX * i * kTileSize + pLeft);
            tile->StretchBlt(pMainHDC, pMaskHDC, x, y, width, height);
        }
    }
}
