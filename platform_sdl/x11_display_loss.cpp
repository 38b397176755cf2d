#include "platform_sdl/x11_display_loss.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <atomic>
#include <dlfcn.h>

namespace platform_sdl {
namespace {

std::atomic<bool> gLost{false};

#ifndef __EMSCRIPTEN__
// Both of Xlib's hooks must return: the first one's default ends the
// process, and so does the second's, which libX11 1.7 added for exactly this.
int NoteLoss(Display*) {
    gLost = true;
    return 0;
}

void NoteLossAndGoOn(Display*, void*) {
    gLost = true;
}
#endif

} // namespace

#ifdef __EMSCRIPTEN__
// The page has no X server to lose.
void WatchX11Display(SDL_Window*) {}
#else
void WatchX11Display(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    // SDL loads Xlib itself; the game does not link it.
    void* xlib = dlopen("libX11.so.6", RTLD_NOW | RTLD_NOLOAD);
    if (!xlib) return;
    using IOHandler = int (*)(Display*);
    using ExitHandler = void (*)(Display*, void*);
    auto setHandler = reinterpret_cast<IOHandler (*)(IOHandler)>(dlsym(xlib, "XSetIOErrorHandler"));
    auto setExitHandler = reinterpret_cast<void (*)(Display*, ExitHandler, void*)>(
        dlsym(xlib, "XSetIOErrorExitHandler"));
    // Without the second hook (an Xlib before 1.7) the loss still ends the
    // process: then the first one is left as it was.
    if (setHandler && setExitHandler) {
        setHandler(NoteLoss);
        setExitHandler(info.info.x11.display, NoteLossAndGoOn, nullptr);
    }
    dlclose(xlib);
}
#endif

bool DisplayLost() {
    return gLost;
}

} // namespace platform_sdl
