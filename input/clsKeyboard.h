// Per-frame key events from the platform's key state table: Check samples the
// table once per frame, the queries compare this frame's snapshot with the
// previous one.
#pragma once

#include <cstdint>
#include <vector>

class clsKeyboard {
  public:
    void Initialize();
    void Check();

    bool KeyHold(int32_t pKeyCode) const;
    bool KeyDown(int32_t pKeyCode) const;
    bool KeyUp(int32_t pKeyCode) const;
    // Pressed since the previous Check, however briefly: a tap shorter than a
    // frame leaves the key up but its toggle bit flipped. For the comforts
    // around the game; the game itself reads KeyDown.
    bool KeyPressed(int32_t pKeyCode) const;
    bool AnyKey() const;

    // The two snapshots, for tests and tools.
    const uint8_t* KeyState() const { return mKeyState; }
    const std::vector<uint8_t>& OldState() const { return mOldState; }

  private:
    uint8_t OldByte(uint8_t code) const { return code < mOldState.size() ? mOldState[code] : 0; }

    uint8_t mKeyState[256] = {};
    // Sized 255 by Initialize and 256 after every Check: a code the old table
    // does not reach reads as 0.
    std::vector<uint8_t> mOldState;
};
