// An X server that goes away (shut down, crashed, its session ended) ends the
// process at once in Xlib's own handler, before the game could save. Watched,
// the loss is only noted, and the game ends the normal way.
#pragma once

struct SDL_Window;

namespace platform_sdl {

// Watches the display of `window` when it is an X11 one; nothing otherwise.
void WatchX11Display(SDL_Window* window);
// True once a watched display has gone away: from then on nothing may be
// drawn, destroyed or asked of it, as each call could wait for ever.
bool DisplayLost();

} // namespace platform_sdl
