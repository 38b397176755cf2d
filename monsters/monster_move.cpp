// The monster's motion: the state machine, the movement patterns of its
// codes, carrying the man, and the next monster after a defeat.
#include <algorithm>
#include <cmath>

#include "history/history.h"
#include "monsters/clsMonster.h"
#include "platform/host.h"
#include "scenery/clsParticles.h"
#include "sounds/game_sounds.h"
#include "vb/numeric.h"
#include "vb/random.h"
#include "world/game_form_state.h"
#include "world/man_state.h"
#include "world/world_globals.h"

namespace {

// A jumping or heaving monster coming down hard is heard, the louder the
// nearer the man is.
void HeavyLandingSound(const clsMonster& monster, double fallSpeed) {
    const int32_t code = monster.CodeInForce();
    if (code < 10 || code > 31 || fallSpeed < 0.2 || !frmMain || !frmMain->Man()) return;
    const double centre = monster.mX + monster.mWidth / 2.0;
    const double distance = std::fabs(frmMain->Man()->mX - centre);
    PlayGameSound(GameSound::Land, centre, std::clamp(1.0 - distance / 400.0, 0.15, 1.0));
}

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kHalfPeriod = 392.6990816987238; // 125 x kPi
constexpr double kFullPeriod = 785.3981633974475; // 125 x kTwoPi

double Clamp1(double value) {
    return std::min(std::max(value, -1.0), 1.0);
}

} // namespace

int32_t clsMonster::CodeInForce() const {
    if (mMonsterMoveIndex < 1 || mMonsterMoveIndex > 3) return 0;
    return mMoveCode[mMonsterMoveIndex - 1];
}

// One more or one less in X, at random.
void clsMonster::Shake() {
    mSX += vb::Int(2 * vb::Rnd()) * 2 - 1;
}

void clsMonster::MonsterMotion() {
    if (mState != 2) return;
    const int32_t c = CodeInForce();
    double t = mMoveCounter;
    if (c >= 1 && c <= 9) {
        Walk(c, t);
    } else if (c >= 10 && c <= 19) {
        Hop(c, t);
    } else if (c >= 20 && c <= 29) {
        Bound(c, t);
    } else if (c == 30 || c == 31) {
        Rise(c, t);
    } else if (c == 40 || c == 41) {
        Circle(c, t);
    } else if (c == 42) {
        Hover(t);
    } else {
        return; // no motion of its own
    }
    mMoveCounter = t;
}

bool clsMonster::OnGround() const {
    return vb::Int(mY) + mHeight > 0 && mSY >= 0;
}

void clsMonster::TurnAtTheEdge() {
    if (mX + mSX > 1000 - mWidth) {
        mDirX = -1;
    } else if (mX + mSX < -1000) {
        mDirX = 1;
    }
}

void clsMonster::Walk(int32_t c, double& t) {
    mSX += (c / 100.0 * 2) * mDirX;
    t += 1;
    if (t > 250) {
        t = 0;
        if (vb::Rnd() < 0.2) mDirX = -mDirX;
    }
    TurnAtTheEdge();
}

void clsMonster::Hop(int32_t c, double& t) {
    if (!OnGround()) {
        t = 0;
        return;
    }
    t += 1;
    if (t > 450 - 20 * c) {
        const double k = (c - 10) / 15.0 + 0.4;
        mSY = -k;
        mSX = k * mDirX;
        mDirX = -mDirX;
    }
}

void clsMonster::Bound(int32_t c, double& t) {
    if (!OnGround()) {
        t = 0;
        return;
    }
    t += 1;
    if (t > 450 - 10 * c) {
        mSY = -((c - 20) / 15.0 + 0.4);
        mSX = ((c - 20) / 30.0 + 0.4) * mDirX;
        if (vb::Rnd() < 0.25) mDirX = -mDirX;
    } else {
        mSX += ((c - 19) / 100.0 * 2) * mDirX;
        TurnAtTheEdge();
    }
}

void clsMonster::Rise(int32_t c, double& t) {
    t += 1;
    mSX += std::cos(t / 125) / (c == 30 ? 100.0 : 75.0);
    if (mMoveCounter2 == 0) {
        mSY -= c == 30 ? 0.024 : 0.028;
    } else if (mHeight + mY >= -5) {
        mMoveCounter2 = 0;
    }
    if (t / 125 > kPi) {
        t -= kHalfPeriod;
        // A man on its back mostly keeps it rising another half period.
        if (frmMain->Man()->mAttachMonster == 0) {
            mMoveCounter2 = 1;
        } else if (vb::Rnd() < 0.2) {
            mMoveCounter2 = 1;
        }
    }
}

void clsMonster::Circle(int32_t c, double& t) {
    t += 1;
    const double a = c == 40 ? 400.0 : 300.0;
    const double b = c == 40 ? 400.0 : 200.0;
    mSX += std::cos(t / 125) / a;
    mSY += std::sin(t / 125) / b;
    if (t / 125 > kTwoPi) t -= kFullPeriod;
}

void clsMonster::Hover(double& t) {
    mSY *= 0.99;
    mMoveCounter2 += 1;
    if (mMoveCounter2 < 350) mSY -= 0.033;
    if (mMoveCounter2 > 700) mMoveCounter2 = 0;
    if (mY < -5) mSY += Gravity;
    t += 1;
    mSX += std::cos(t / 125) / 400;
    if (t / 125 > kTwoPi) t -= kFullPeriod;
}

void clsMonster::Move() {
    if (mFileName.empty()) return;
    Accelerate();
    const double oldX = mX, oldY = mY;
    const bool landed = Step();
    CarryTheMan(oldX, oldY);
    if (landed) {
        mSX = 0;
        mSY = 0;
    }
    if (vb::Int(mY) + mSY > 100 && mState == 3) {
        if (frmMain->Man()->mState == 1 && RecordDefeat(mFileName)) {
            frmMain->TextChange(platform::host().AppPath() + "/images/Text_Success.gif", 10000);
        }
        Initialize();
    }
}

// The speeds of this frame: rising, its own motion, or sinking in dust.
void clsMonster::Accelerate() {
    mSX *= 0.99;
    mSY *= 0.99;
    switch (mState) {
    case 1:
        mSY -= 0.025;
        break;
    case 2:
        MonsterMotion();
        break;
    case 3:
        for (int i = 0; i < 2; ++i) {
            const double r1 = vb::Rnd(), r2 = vb::Rnd(), r3 = vb::Rnd(), r4 = vb::Rnd();
            frmMain->Particles().Add(mX + mWidth / 6.0 + (mWidth - mWidth / 3.0) * r1, 2 * r2 - 1,
                                     2 * r3 - 1, -2 * r4, 1, 0);
        }
        Shake();
        mSY += 0.05;
        break;
    default:
        break;
    }
    if (!mFlying) mSY += Gravity;
    if (mAngryCounter > 0) {
        Shake();
        mAngryCounter = std::max(mAngryCounter - 1, 0);
    }
    mSX = Clamp1(mSX);
    mSY = Clamp1(mSY);
}

// Moves by the speeds; true when it came down on the ground this frame.
bool clsMonster::Step() {
    mX += mSX;
    bool landed = false;
    switch (mState) {
    case 1: {
        mY += mSY;
        const double h = mFlying ? mHeight * 0.15 : mHeight;
        if (vb::Int(mY) + mSY + h < 0) mState = 2;
        break;
    }
    case 2:
        if (!mFlying && vb::Int(mY) + mSY + mHeight > 0 && mSY >= 0) {
            landed = true;
            HeavyLandingSound(*this, mSY);
            mSY = (1 - mHeight) - vb::Int(mY); // puts the lowest row on the ground
        }
        mY += mSY;
        break;
    case 3:
        mY += 1;
        break;
    default:
        platform::host().MessageBox("Error:clsMonster:mState not taken into account!", "");
        break;
    }
    return landed;
}

// The man is carried along when the monster moves under or into him.
void clsMonster::CarryTheMan(double oldX, double oldY) {
    frmMainState& game = *frmMain;
    ManState& man = *game.Man();
    if (man.mState != 1) return;
    const int32_t c = game.GetColour(man.mX, man.mY);
    if (c == -2 && man.mAttachMonster == 0) return;
    int32_t dx = 0, dy = 0;
    if (vb::Int(mX) != vb::Int(oldX)) dx = oldX > mX ? -1 : 1;
    if (vb::Int(mY) != vb::Int(oldY)) dy = oldY > mY ? -1 : 1;
    if (game.GetColour(man.mX + dx, man.mY + dy) == -2) {
        man.mX += dx;
        man.mY += dy;
    } else if (game.GetColour(man.mX + dx, man.mY) == -2) {
        man.mX += dx;
    } else if (game.GetColour(man.mX, man.mY + dy) == -2) {
        man.mY += dy;
    }
}
