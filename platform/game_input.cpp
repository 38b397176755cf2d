#include "platform/game_input.h"

namespace platform {

void GameInput::Hold(int gameKey) {
    gameKey &= 0xFF;
    if (mHolders[gameKey]++ == 0) mKeys.Press(gameKey);
}

void GameInput::Unhold(int gameKey) {
    gameKey &= 0xFF;
    if (mHolders[gameKey] > 0 && --mHolders[gameKey] == 0) mKeys.Release(gameKey);
}

void GameInput::KeyDown(int virtualKey) {
    if (virtualKey == 0 || !mKeysDown.insert(virtualKey).second) return;
    for (int key : mMap.KeysForKeyboard(virtualKey)) Hold(key);
}

void GameInput::KeyUp(int virtualKey) {
    if (mKeysDown.erase(virtualKey) == 0) return;
    for (int key : mMap.KeysForKeyboard(virtualKey)) Unhold(key);
}

void GameInput::PadDown(int pad, PadInput input) {
    if (!mPads[pad].insert(input).second) return;
    for (int key : mMap.KeysForPad(input)) Hold(key);
}

void GameInput::PadUp(int pad, PadInput input) {
    auto it = mPads.find(pad);
    if (it == mPads.end() || it->second.erase(input) == 0) return;
    for (int key : mMap.KeysForPad(input)) Unhold(key);
}

void GameInput::PadGone(int pad) {
    auto it = mPads.find(pad);
    if (it == mPads.end()) return;
    for (PadInput input : it->second) {
        for (int key : mMap.KeysForPad(input)) Unhold(key);
    }
    mPads.erase(it);
}

void GameInput::ReleaseAll() {
    mKeys.ReleaseAll();
    for (int& n : mHolders) n = 0;
    mKeysDown.clear();
    mPads.clear();
}

} // namespace platform
