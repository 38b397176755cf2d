// Drawing the man, his strike and the guide beam towards the monster.
#include "gfx/modGraphic.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "vb/numeric.h"
#include "world/game_form_state.h"
#include "world/world_globals.h"

namespace {

constexpr int32_t kRed = 255;
constexpr int32_t kPink = 255 + 128 * 256 + 255 * 65536;
constexpr int32_t kWhite = 0xFFFFFF;

struct Block {
    int32_t left, top;
};

Block BlockAt(double gx, double gy) {
    return {vb::RoundEven(gx * PixelWidth + OffsetX), vb::RoundEven(gy * PixelHeight + OffsetY)};
}

void FillBlock(gdi::HDC dc, Block b, int32_t colour) {
    FillRectGdi(dc, b.left, b.top, vb::RoundEven(b.left + PixelWidth),
                vb::RoundEven(b.top + PixelHeight), colour);
}

} // namespace

void clsMan::Draw() {
    mDrawn = false;
    if (mState != 1 || MonstersLeft == 0) return;
    gdi::HDC dc = frmMain->picMainDC();

    const Block man = BlockAt(vb::Int(mX), vb::Int(mY));
    mDrawnColour = mRecover > 0 ? kPink : kRed;
    FillBlock(dc, man, mDrawnColour);
    mDrawn = true;
    mDrawnBlock = {man.left, man.top, vb::RoundEven(man.left + PixelWidth),
                   vb::RoundEven(man.top + PixelHeight)};

    if (mSwordLength != 0) {
        const int32_t s = SwordFrame * 10 + 150;
        const int32_t yellow = s + s * 256;
        for (int32_t i = 1; i <= mSwordLength; ++i) {
            FillBlock(dc, BlockAt(vb::Int(mX) + i * mSwordX, vb::Int(mY) + i * mSwordY), yellow);
        }
        ++SwordFrame;
        if (SwordFrame == 10) {
            mSwordLength = 0;
            mSwordX = 0;
            mSwordY = 0;
            SwordFrame = 0;
        }
    } else {
        SwordFrame = 0;
    }

    if (mLight) {
        const clsMonster& monster = frmMain->Monster(1);
        const int32_t targetX =
            vb::RoundEven(PixelWidth * monster.mX + OffsetX + PixelWidth * monster.mWidth / 2);
        const double centreY =
            PixelHeight * monster.mY + OffsetY + PixelHeight * monster.mHeight / 2;
        DrawLineGdi(dc, man.left, man.top - 1, targetX, vb::RoundEven(centreY), kWhite, 2);
        DrawLineGdi(dc, man.left, man.top - 1, targetX, vb::RoundEven(centreY - 5), kWhite, 2);
    }
}
