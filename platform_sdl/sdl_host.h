// The game's window through SDL2: a real window or full screen, the view
// scaled into it, keys, pads, the mouse cursor, and the sound output.
#pragma once

#include <memory>
#include <string>

#include "platform/controls.h"
#include "platform/host.h"

namespace platform_sdl {

// How the window shows the view: through a renderer's streaming texture
// (updated, or written while locked), or by converting it straight into the
// window's own surface. frame_bench --present times them.
enum class PresentMethod { Texture, LockedTexture, WindowSurface };
const char* PresentMethodName(PresentMethod method);

// How the game window is shown: as the game asks (covering the screen, or
// full screen in the full-screen build), in a real resizable window the size
// of the play area with the view scaled to fit it, or full screen. F11 and
// Alt+Enter switch between the real window and full screen at any time.
enum class WindowChoice { AsTheGameAsks, RealWindow, FullScreen };

struct SdlHostSettings {
    PresentMethod present = PresentMethod::Texture;
    WindowChoice window = WindowChoice::AsTheGameAsks;
    std::string appPath; // the folder the game reads from; "" = the executable's
    platform::ControlMap controls =
        platform::ControlMap::Defaults(); // keys and pads as the game's keys
};

// A real window through SDL2. Throws std::runtime_error when there is no
// display to open (the text says what to set) or SDL cannot start.
std::unique_ptr<platform::Host> CreateSdlHost(const SdlHostSettings& settings = {});

} // namespace platform_sdl
