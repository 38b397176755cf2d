// The 256-byte key state table as Windows keeps it: bit 7 while a key is down,
// bit 0 flipped on every fresh press. The generic Shift, Ctrl and Alt codes
// are down while either side is down.
#pragma once

#include <cstdint>

namespace platform {

namespace vk {
constexpr int Shift = 16, Control = 17, Menu = 18;
constexpr int LShift = 160, RShift = 161, LControl = 162, RControl = 163, LMenu = 164, RMenu = 165;
} // namespace vk

// One key's byte going down or up: a fresh press flips bit 0 and sets bit 7,
// a release clears bit 7; a press of a key already down changes nothing.
void SetKeyByte(uint8_t& key, bool down);

class KeyTable {
  public:
    // A press of a key that is already down (auto-repeat) changes nothing.
    void Press(int virtualKey);
    void Release(int virtualKey);
    // Every key up, toggles kept: the window lost the keyboard.
    void ReleaseAll();
    void CopyTo(uint8_t table[256]) const;
    uint8_t operator[](int virtualKey) const { return mKeys[virtualKey & 0xFF]; }

  private:
    void SetDown(int virtualKey, bool down);
    void UpdateGeneric(int generic, int left, int right);

    uint8_t mKeys[256] = {};
};

} // namespace platform
