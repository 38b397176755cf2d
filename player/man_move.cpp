// The man's state and his movement: keys, speeds, gravity, collisions,
// landing, the sword charge, grabbing and jumping; the free camera after death.
#include <algorithm>
#include <cmath>

#include "history/history.h"
#include "input/clsKeyboard.h"
#include "monsters/clsMonster.h"
#include "platform/key_table.h"
#include "player/clsMan.h"
#include "player/colour_classes.h"
#include "sounds/game_sounds.h"
#include "vb/numeric.h"
#include "world/game_form_state.h"
#include "world/world_globals.h"

namespace {

namespace vk = platform::vk;

bool Held(int32_t key) {
    return Keyboard->KeyHold(key);
}

double Clamp(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

// A fifth of the way back to the centre of the man's column.
double TowardsColumnCentre(double x, double divisor) {
    return (vb::Int(x) + 0.5 - x) / divisor;
}

} // namespace

void clsMan::Initialize() {
    *this = clsMan{};
    mStrength = 100;
    mState = 1;
}

void clsMan::Move() {
    if (mState == 1 && MonstersLeft != 0) {
        MovePlay();
    } else {
        MoveFreeCamera();
    }
}

void clsMan::MoveFreeCamera() {
    mSX *= 0.25;
    mSY *= 0.25;
    if (Held(vk::Left)) {
        mSX -= 3;
    } else if (Held(vk::Right)) {
        mSX += 3;
    }
    if (Held(vk::Up)) {
        mSY -= 3;
    } else if (Held(vk::Down)) {
        mSY += 3;
    }
    mSX = Clamp(mSX, -8, 8);
    mSY = Clamp(mSY, -8, 8);
    if (mY + mSY > 0) {
        mY = 0;
        mSY = 0;
    }
    mX += mSX;
    mY += mSY;
}

void clsMan::MovePlay() {
    // Crushed: something solid now occupies the man's own pixel.
    if (Blocked(frmMain->GetColour(mX, mY))) Die(1);
    if (mState != 1) return;

    if (mStoremY != 0) {
        mSY = mStoremY;
        mStoremY = 0;
    }
    mSX *= 0.75;
    mSY *= 0.99;

    GuideBeam();
    if (!mLight) ChargeSword();
    if (Keyboard->KeyDown(vk::F)) frmMain->Monster(1).mHitTotal -= 400;
    HoldOn();
    Jump();
    Walk();
    Climb();
    StayInTheWorld();
    Collide();
    LandOrFall();
    if (mRecover > 0) mRecover = std::max(mRecover - 1, 0.0);
}

bool clsMan::Blocked(int32_t colour) {
    return colour != -2;
}

// On the ground, at rest, far from the monster, Z lights the way.
void clsMan::GuideBeam() {
    const clsMonster& monster = frmMain->Monster(1);
    if (Held(vk::Z) && mRecover == 0 && mLanded == 15 && mY >= 0) {
        const bool near = monster.mX - 10 < mX && mX < monster.mX + monster.mWidth + 10 &&
                          monster.mY - 10 < mY && mY < monster.mY + monster.mHeight + 10;
        mLight = !near;
        if (mLight) mSwordCounter = 0;
    } else {
        mLight = false;
    }
}

void clsMan::ChargeSword() {
    if (mLanded <= 0) {
        mSwordCounter = std::max(mSwordCounter - 1, 0.0);
        return;
    }
    if (Keyboard->KeyUp(vk::Z)) {
        if (mSwordCounter > 50) {
            mSwordX = Held(vk::Left) ? -1 : (Held(vk::Right) ? 1 : 0);
            mSwordY = Held(vk::Up) ? -1 : (Held(vk::Down) ? 1 : 0);
            if (mSwordX == 0 && mSwordY == 0) mSwordY = 1;
            // Louder the fuller the charge.
            PlayGameSound(GameSound::Strike, mX, 0.4 + 0.6 * (mSwordCounter - 50) / 50);
            SwordHit();
        }
        mRecover = 20;
        mSwordCounter = 0;
    } else if (Held(vk::Z)) {
        mSwordCounter = std::min(mSwordCounter + 1, 100.0);
    } else {
        mSwordCounter = 0;
    }
}

void clsMan::HoldOn() {
    if (Held(vk::X) && mStrength > 0 && mSY > -0.5 && Attached(mX, mY)) {
        mSX = 0;
        mSY = 0;
        mLanded = 15;
        mAttachMonster = 1;
    } else {
        if (mAttachMonster == 1) mLanded = 0; // letting go drops the grace frames
        mAttachMonster = 0;
    }
}

void clsMan::Jump() {
    if (mJumpKeyHeld != 0 && !Held(mJumpKeyHeld)) mJumpKeyHeld = 0;
    if (!((Held(vk::Space) || Held(vk::C)) && mRecover < 5 && mLanded > 0 && mJumpKeyHeld == 0))
        return;
    clsMonster& monster = frmMain->Monster(1);
    if (Held(vk::Space)) mJumpKeyHeld = vk::Space;
    if (Held(vk::C)) mJumpKeyHeld = vk::C;
    mSY = -0.9;
    mSwordCounter = 0;
    mLanded = 0;
    if (mAttachMonster != 0) {
        if (monster.mSY < 0) mSY = monster.mSY - 0.9;
        if (Held(vk::Left)) {
            mSX = -1;
            mSY += 0.25;
        } else if (Held(vk::Right)) {
            mSX = 1;
            mSY += 0.25;
        }
    } else if (monster.GetColour2(mX, vb::Int(mY) + 1) != -2 && monster.mSY < 0) {
        // A jump from a rising monster carries its speed.
        mSY = monster.mSY - 0.9;
    }
    mAttachMonster = 0;
}

void clsMan::Walk() {
    if (!((!Held(vk::Z) || mLanded < 15) && mRecover == 0)) return;
    if (Held(vk::Left)) {
        mSX -= 0.1;
    } else if (Held(vk::Right)) {
        mSX += 0.1;
    }
    if (mAttachMonster != 0) {
        if (!Attached(mX + mSX, mY + mSY)) mSX = 0;
        return;
    }
    const int32_t c = frmMain->GetColour(mX + mSX, mY);
    if (!Blocked(c)) return;
    if (IsDeadlyColour(c)) {
        Die(2);
        return;
    }
    mSX = 0;
    // A supported man pushing against a wall creeps up it.
    if (mLanded > 0) {
        mSY -= 0.05;
        if (mSY <= -0.2) mSY = -0.2;
    }
}

// Up and down the fur while holding on; gravity otherwise.
void clsMan::Climb() {
    if (mAttachMonster == 0) {
        mSY += Gravity;
        return;
    }
    if (Held(vk::Z) || mRecover != 0) return;
    if (Held(vk::Up)) {
        mSY = -3 * Gravity;
    } else if (Held(vk::Down)) {
        mSY = 3 * Gravity;
    }
    if (!Attached(mX + mSX, mY + mSY)) mSY = 0;
}

void clsMan::StayInTheWorld() {
    if (mX + mSX < -WorldLimitX || mX + mSX > WorldLimitX) mSX = 0;
    mSX = Clamp(mSX, -1, 1);
    mSY = Clamp(mSY, -1, 1);
}

// The step would enter something: try each direction alone.
void clsMan::Collide() {
    frmMainState& game = *frmMain;
    if (!Blocked(game.GetColour(mX + mSX, mY + mSY))) return;
    const int32_t h = game.GetColour(mX + mSX, mY);
    const int32_t v = game.GetColour(mX, mY + mSY);
    if (Blocked(h) && IsDeadlyColour(h)) Die(2);
    if (Blocked(v) && IsDeadlyColour(v)) Die(2);
    if (Blocked(h) == Blocked(v)) {
        mSY = 0;
        mSX = TowardsColumnCentre(mX, 5);
    } else if (Blocked(h)) {
        mSX = TowardsColumnCentre(mX, 5);
    } else {
        mSY = 0;
    }
}

void clsMan::LandOrFall() {
    const int32_t below = frmMain->GetColour(mX + mSX, vb::Int(mY + mSY) + 1);
    if (mSY >= 0 && Blocked(below) && !IsDeadlyColour(below)) {
        if (mSY > 10 * Gravity) mRecover = 12; // hard landing
        if (mAttachMonster == 0) mStrength = std::min(mStrength + 0.3, 100.0);
        mLanded = 15;
        if (std::fabs(mSX) > 0.005) {
            mX += mSX;
        } else {
            mX += TowardsColumnCentre(mX, 10);
        }
        mY = vb::Int(mY + mSY);
        mSY = 0;
    } else {
        if (mAttachMonster != 0) mStrength = std::max(mStrength - 0.075, 0.0);
        mLanded = std::max(mLanded - 1, 0);
        mX += mSX;
        mY += mSY;
    }
}
