// One number for a game's whole state: the man, the monster, the particles,
// the history and the view's pixels, so that a replay can show it played the
// game exactly as it was recorded.
#include <cstring>

#include "game/frmMain.h"
#include "history/history.h"
#include "monsters/clsMonster.h"
#include "player/clsMan.h"
#include "scenery/clsParticles.h"

namespace {

// FNV-1a over the bytes of each value, in a fixed order.
class Checksum {
  public:
    void Bytes(const void* data, size_t n) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < n; ++i) mHash = (mHash ^ p[i]) * 0x100000001B3ull;
    }
    template <class T> void Add(const T& value) { Bytes(&value, sizeof(value)); }
    void Add(const std::string& text) {
        Add(static_cast<uint64_t>(text.size())); // one width on every machine
        Bytes(text.data(), text.size());
    }
    uint64_t Value() const { return mHash; }

  private:
    uint64_t mHash = 0xCBF29CE484222325ull;
};

} // namespace

uint64_t frmMainForm::StateChecksum() const {
    Checksum sum;
    if (mMan) {
        const clsMan& m = *mMan;
        for (double v :
             {m.mX, m.mY, m.mSX, m.mSY, m.mRecover, m.mStoremY, m.mSwordCounter, m.mStrength}) {
            sum.Add(v);
        }
        for (int32_t v : {m.mLanded, m.mAttachMonster, m.mJumpKeyHeld, m.mSwordX, m.mSwordY,
                          m.mSwordLength, m.mState}) {
            sum.Add(v);
        }
        sum.Add(m.mLight);
    }
    for (const auto& monster : mMonsters) {
        const clsMonster& m = *monster;
        for (double v : {m.mX, m.mY, m.mSX, m.mSY, m.mDirX, m.mMoveCounter, m.mMoveCounter2}) {
            sum.Add(v);
        }
        for (int32_t v : {m.mState, m.mHitPoint, m.mHitTotal, m.mMonsterMoveIndex, m.mWidth,
                          m.mHeight, m.mAngryCounter}) {
            sum.Add(v);
        }
        sum.Add(m.mFileName);
    }
    if (mParticles) {
        for (int32_t i = 1; i <= clsParticles::kSlots; ++i) {
            const Particle& p = mParticles->Slot(i);
            sum.Add(p.Alive);
            if (!p.Alive) continue;
            for (double v : {p.X, p.Y, p.SX, p.SY, p.Size}) sum.Add(v);
            sum.Add(p.Colour);
        }
    }
    for (const MonsterRecord& record : MonsterHistory) {
        sum.Add(record.FileName);
        sum.Add(record.Defeats);
    }
    sum.Add(MonstersLeft);
    sum.Add(TextUntil);
    sum.Add(TitleStep);
    const gdi::HBITMAP view = gdi::CurrentBitmap(platform::host().ViewDC());
    if (const gdi::COLORREF* pixels = gdi::BitmapColourPixels(view)) {
        gdi::BITMAP info{};
        gdi::GetObject(view, info);
        sum.Bytes(pixels,
                  static_cast<size_t>(info.bmWidth) * info.bmHeight * sizeof(gdi::COLORREF));
    }
    return sum.Value();
}
