// Game controllers through SDL: plugged in and out while the game runs, their
// buttons and left stick handed to the game's input as pad inputs. Inside
// platform/ only.
#pragma once

#include <SDL.h>

#include <map>

#include "platform/game_input.h"

namespace platform_sdl {

class SdlPads {
  public:
    ~SdlPads();
    void Add(int deviceIndex);
    void Remove(SDL_JoystickID id, platform::GameInput& input);
    void Button(const SDL_ControllerButtonEvent& event, platform::GameInput& input);
    void Axis(const SDL_ControllerAxisEvent& event, platform::GameInput& input);

  private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        int stickX = 0, stickY = 0; // -1, 0 or 1 outside the dead zone
    };
    std::map<SDL_JoystickID, Pad> mPads;
};

} // namespace platform_sdl
