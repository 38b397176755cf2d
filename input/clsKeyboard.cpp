#include "input/clsKeyboard.h"

#include <algorithm>

#include "platform/host.h"

void clsKeyboard::Initialize() {
    mOldState.assign(255, 0);
    std::fill(std::begin(mKeyState), std::end(mKeyState), 0);
    Check();
}

void clsKeyboard::Check() {
    mOldState.assign(std::begin(mKeyState), std::end(mKeyState));
    platform::host().GetKeyboardState(mKeyState);
}

bool clsKeyboard::KeyHold(int32_t pKeyCode) const {
    return (mKeyState[static_cast<uint8_t>(pKeyCode)] & 0x80) != 0;
}

bool clsKeyboard::KeyDown(int32_t pKeyCode) const {
    const auto code = static_cast<uint8_t>(pKeyCode);
    return (mKeyState[code] & 0x80) != 0 && mKeyState[code] != OldByte(code);
}

bool clsKeyboard::KeyUp(int32_t pKeyCode) const {
    const auto code = static_cast<uint8_t>(pKeyCode);
    return (mKeyState[code] & 0x80) == 0 && mKeyState[code] != OldByte(code);
}

bool clsKeyboard::KeyPressed(int32_t pKeyCode) const {
    const auto code = static_cast<uint8_t>(pKeyCode);
    return KeyDown(pKeyCode) || ((mKeyState[code] ^ OldByte(code)) & 0x01) != 0;
}

bool clsKeyboard::AnyKey() const {
    for (int32_t code = 0; code <= 192; ++code) {
        if (KeyDown(code)) return true;
    }
    return false;
}
