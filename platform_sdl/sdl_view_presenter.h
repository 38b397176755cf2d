// Ways of putting the view's image into the game window, one per
// PresentMethod. Inside platform/ only: it speaks SDL.
#pragma once

#include <SDL.h>

#include <memory>

#include "gdi/raster.h"
#include "platform_sdl/sdl_host.h"

namespace platform_sdl {

class ViewPresenter {
  public:
    virtual ~ViewPresenter() = default;
    // The view's pixels (&H00BBGGRR rows of view.w) and where they go in the
    // window; the pixels stay valid until the next Place.
    virtual void Place(const SDL_Rect& view, const gdi::COLORREF* pixels) = 0;
    // Shows the view's current pixels at `destination` (in drawable pixels),
    // scaled to it (smoothly when `smooth`), the rest of the window black.
    virtual void Present(const SDL_Rect& destination, bool smooth) = 0;
    // The drawable's size in pixels (larger than the window's on a
    // high-density display).
    virtual SDL_Point OutputSize() = 0;
};

// Throws std::runtime_error when the window cannot be drawn to that way.
std::unique_ptr<ViewPresenter> MakeViewPresenter(PresentMethod method, SDL_Window* window);

} // namespace platform_sdl
