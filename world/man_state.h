// The man's public members: what the monster and the game form read and
// write of him directly. The man himself (player/clsMan) adds his behaviour.
#pragma once

#include <cstdint>

struct ManState {
    double mX = 0;
    double mY = 0;
    double mSX = 0;
    double mSY = 0;
    double mRecover = 0;
    int32_t mLanded = 0;
    double mStoremY = 0;
    int32_t mAttachMonster = 0;
    int32_t mJumpKeyHeld = 0;
    int32_t mSwordX = 0;
    int32_t mSwordY = 0;
    int32_t mSwordLength = 0; // 0 stands for "empty": no strike shown
    double mSwordCounter = 0;
    double mStrength = 0;
    int32_t mState = 0;
    bool mLight = false;
};
