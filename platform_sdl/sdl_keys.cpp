#include "platform_sdl/sdl_keys.h"

#include "platform/key_table.h"

namespace platform_sdl {

namespace vk = platform::vk;

namespace {

// SDL key codes of keys without a character are their scan code with bit 30.
constexpr int32_t kScanCodeMask = 1 << 30;

// Scan codes (USB HID usage ids, as SDL numbers them).
int VirtualKeyFromScanCode(int32_t scan) {
    if (scan >= 4 && scan <= 29) return 'A' + (scan - 4);   // a..z
    if (scan >= 30 && scan <= 38) return '1' + (scan - 30); // 1..9
    if (scan == 39) return '0';
    if (scan >= 58 && scan <= 69) return 112 + (scan - 58);    // F1..F12
    if (scan >= 104 && scan <= 115) return 124 + (scan - 104); // F13..F24
    if (scan >= 89 && scan <= 97) return 97 + (scan - 89);     // keypad 1..9
    switch (scan) {
    case 40:
        return 13; // Return
    case 41:
        return 27; // Escape
    case 42:
        return 8; // Backspace
    case 43:
        return 9; // Tab
    case 44:
        return 32; // Space
    case 45:
        return 189; // -
    case 46:
        return 187; // =
    case 47:
        return 219; // [
    case 48:
        return 221; // ]
    case 49:
        return 220; // backslash
    case 51:
        return 186; // ;
    case 52:
        return 222; // '
    case 53:
        return 192; // `
    case 54:
        return 188; // ,
    case 55:
        return 190; // .
    case 56:
        return 191; // /
    case 57:
        return 20; // Caps Lock
    case 70:
        return 44; // Print Screen
    case 71:
        return 145; // Scroll Lock
    case 72:
        return 19; // Pause
    case 73:
        return 45; // Insert
    case 74:
        return 36; // Home
    case 75:
        return 33; // Page Up
    case 76:
        return 46; // Delete
    case 77:
        return 35; // End
    case 78:
        return 34; // Page Down
    case 79:
        return 39; // Right
    case 80:
        return 37; // Left
    case 81:
        return 40; // Down
    case 82:
        return 38; // Up
    case 83:
        return 144; // Num Lock
    case 84:
        return 111; // keypad /
    case 85:
        return 106; // keypad *
    case 86:
        return 109; // keypad -
    case 87:
        return 107; // keypad +
    case 88:
        return 13; // keypad Enter
    case 98:
        return 96; // keypad 0
    case 99:
        return 110; // keypad .
    case 100:
        return 226; // the extra key beside left Shift
    case 101:
        return 93; // Application
    case 224:
        return vk::LControl;
    case 225:
        return vk::LShift;
    case 226:
        return vk::LMenu;
    case 227:
        return 91; // left Windows key
    case 228:
        return vk::RControl;
    case 229:
        return vk::RShift;
    case 230:
        return vk::RMenu;
    case 231:
        return 92; // right Windows key
    default:
        return 0;
    }
}

} // namespace

int VirtualKeyFromSdl(int32_t keyCode, int32_t scanCode) {
    // Letters and digits follow the layout, as Windows' codes do; everything
    // else, and letters of non-Latin layouts, go by position.
    if (keyCode >= 'a' && keyCode <= 'z') return 'A' + (keyCode - 'a');
    if (keyCode >= '0' && keyCode <= '9' && !(scanCode >= 89 && scanCode <= 98)) return keyCode;
    if ((keyCode & kScanCodeMask) == 0 && keyCode >= 'A' && keyCode <= 'Z') return keyCode;
    return VirtualKeyFromScanCode(scanCode);
}

} // namespace platform_sdl
