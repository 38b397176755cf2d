// SDL's keys as the game's virtual-key codes.
#pragma once

#include <cstdint>

namespace platform_sdl {

// The Windows virtual-key code for an SDL key (its key code and scan code as
// plain numbers, so callers need no SDL header); 0 for keys without one.
int VirtualKeyFromSdl(int32_t keyCode, int32_t scanCode);

} // namespace platform_sdl
