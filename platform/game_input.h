// The key table the game reads, made from everything the player holds: keys
// and pad inputs through the control map. A game key stays down while any
// input bound to it is held, so a key and a pad (or two pads) act as one.
#pragma once

#include <cstdint>
#include <map>
#include <set>

#include "platform/controls.h"
#include "platform/key_table.h"

namespace platform {

class GameInput {
  public:
    explicit GameInput(ControlMap map = ControlMap::Defaults()) : mMap(std::move(map)) {}

    // A keyboard key by its own virtual-key code; a second press of a key
    // already down (auto-repeat) changes nothing.
    void KeyDown(int virtualKey);
    void KeyUp(int virtualKey);
    // An input of the pad with this id.
    void PadDown(int pad, PadInput input);
    void PadUp(int pad, PadInput input);
    // The pad went away: what it held is let go.
    void PadGone(int pad);
    // Everything let go: the window lost the keyboard.
    void ReleaseAll();

    void CopyTo(uint8_t table[256]) const { mKeys.CopyTo(table); }
    // Another map from now on. What is held is let go first: its keys were
    // found through the old map, and releasing them through the new one
    // would leave some down for ever.
    void UseMap(ControlMap map) {
        ReleaseAll();
        mMap = std::move(map);
    }

  private:
    void Hold(int gameKey);
    void Unhold(int gameKey);

    ControlMap mMap;
    KeyTable mKeys;
    int mHolders[256] = {};
    std::set<int> mKeysDown;
    std::map<int, std::set<PadInput>> mPads;
};

} // namespace platform
