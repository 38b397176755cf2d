#include "platform/key_table.h"

namespace platform {

void SetKeyByte(uint8_t& key, bool down) {
    const bool wasDown = (key & 0x80) != 0;
    if (down == wasDown) return;
    if (down) key ^= 0x01;
    key = static_cast<uint8_t>(down ? (key | 0x80) : (key & ~0x80));
}

void KeyTable::SetDown(int virtualKey, bool down) {
    SetKeyByte(mKeys[virtualKey & 0xFF], down);
}

void KeyTable::UpdateGeneric(int generic, int left, int right) {
    SetDown(generic, ((mKeys[left] | mKeys[right]) & 0x80) != 0);
}

void KeyTable::Press(int virtualKey) {
    virtualKey &= 0xFF;
    if (virtualKey == 0) return;
    SetDown(virtualKey, true);
    UpdateGeneric(vk::Shift, vk::LShift, vk::RShift);
    UpdateGeneric(vk::Control, vk::LControl, vk::RControl);
    UpdateGeneric(vk::Menu, vk::LMenu, vk::RMenu);
}

void KeyTable::Release(int virtualKey) {
    virtualKey &= 0xFF;
    if (virtualKey == 0) return;
    SetDown(virtualKey, false);
    UpdateGeneric(vk::Shift, vk::LShift, vk::RShift);
    UpdateGeneric(vk::Control, vk::LControl, vk::RControl);
    UpdateGeneric(vk::Menu, vk::LMenu, vk::RMenu);
}

void KeyTable::ReleaseAll() {
    for (int code = 0; code < 256; ++code) SetDown(code, false);
}

void KeyTable::CopyTo(uint8_t table[256]) const {
    for (int i = 0; i < 256; ++i) table[i] = mKeys[i];
}

} // namespace platform
