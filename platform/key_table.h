// The 256-byte key state table as Windows keeps it: bit 7 while a key is down,
// bit 0 flipped on every fresh press. The generic Shift, Ctrl and Alt codes
// are down while either side is down.
#pragma once

#include <cstdint>

namespace platform {

// Windows' virtual-key codes, by Windows' names without the VK_ prefix.
// Letters and digits are their own upper-case character.
namespace vk {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Menu = 18, Pause = 19,
              Capital = 20, Escape = 27, Space = 32, Prior = 33, Next = 34, End = 35, Home = 36,
              Left = 37, Up = 38, Right = 39, Down = 40, Snapshot = 44, Insert = 45, Delete = 46;
constexpr int A = 'A', B = 'B', C = 'C', D = 'D', E = 'E', F = 'F', G = 'G', H = 'H', I = 'I',
              J = 'J', K = 'K', L = 'L', M = 'M', N = 'N', O = 'O', P = 'P', Q = 'Q', R = 'R',
              S = 'S', T = 'T', U = 'U', V = 'V', W = 'W', X = 'X', Y = 'Y', Z = 'Z';
constexpr int LWin = 91, RWin = 92, Apps = 93, Numpad0 = 96, Multiply = 106, Add = 107,
              Subtract = 109, Decimal = 110, Divide = 111;
// F1 to F24 follow one another.
constexpr int F1 = 112, F3 = 114, F11 = 122, F12 = 123, F24 = 135;
constexpr int NumLock = 144, Scroll = 145;
constexpr int LShift = 160, RShift = 161, LControl = 162, RControl = 163, LMenu = 164, RMenu = 165;
constexpr int Oem1 = 186, OemPlus = 187, OemComma = 188, OemMinus = 189, OemPeriod = 190,
              Oem2 = 191, Oem3 = 192, Oem4 = 219, Oem5 = 220, Oem6 = 221, Oem7 = 222, Oem102 = 226;
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
