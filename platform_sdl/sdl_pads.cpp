#include "platform_sdl/sdl_pads.h"

namespace platform_sdl {

// The backend implements the platform's interfaces in their own terms.
using namespace platform;
namespace {

// A quarter of the stick's travel: resting sticks drift, and a light touch
// should not walk.
constexpr int kDeadZone = 8192;

bool PadInputOf(uint8_t button, PadInput& out) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        out = PadInput::A;
        return true;
    case SDL_CONTROLLER_BUTTON_B:
        out = PadInput::B;
        return true;
    case SDL_CONTROLLER_BUTTON_X:
        out = PadInput::X;
        return true;
    case SDL_CONTROLLER_BUTTON_Y:
        out = PadInput::Y;
        return true;
    case SDL_CONTROLLER_BUTTON_BACK:
        out = PadInput::Back;
        return true;
    case SDL_CONTROLLER_BUTTON_START:
        out = PadInput::Start;
        return true;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        out = PadInput::LeftShoulder;
        return true;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        out = PadInput::RightShoulder;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        out = PadInput::DPadUp;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        out = PadInput::DPadDown;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        out = PadInput::DPadLeft;
        return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        out = PadInput::DPadRight;
        return true;
    default:
        return false;
    }
}

// One stick axis moving between its three states.
void MoveStick(int& state, int value, PadInput negative, PadInput positive, int pad,
               platform::GameInput& input) {
    const int now = value < -kDeadZone ? -1 : value > kDeadZone ? 1 : 0;
    if (now == state) return;
    if (state != 0) input.PadUp(pad, state < 0 ? negative : positive);
    if (now != 0) input.PadDown(pad, now < 0 ? negative : positive);
    state = now;
}

} // namespace

SdlPads::~SdlPads() {
    for (auto& [id, pad] : mPads) SDL_GameControllerClose(pad.controller);
}

void SdlPads::Add(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (mPads.count(id)) {
        SDL_GameControllerClose(controller); // opened already: one reference is enough
        return;
    }
    mPads[id].controller = controller;
}

void SdlPads::Remove(SDL_JoystickID id, platform::GameInput& input) {
    auto it = mPads.find(id);
    if (it == mPads.end()) return;
    input.PadGone(id);
    SDL_GameControllerClose(it->second.controller);
    mPads.erase(it);
}

void SdlPads::Button(const SDL_ControllerButtonEvent& event, platform::GameInput& input) {
    PadInput which;
    if (!mPads.count(event.which) || !PadInputOf(event.button, which)) return;
    if (event.state == SDL_PRESSED) {
        input.PadDown(event.which, which);
    } else {
        input.PadUp(event.which, which);
    }
}

void SdlPads::Axis(const SDL_ControllerAxisEvent& event, platform::GameInput& input) {
    auto it = mPads.find(event.which);
    if (it == mPads.end()) return;
    if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        MoveStick(it->second.stickX, event.value, PadInput::StickLeft, PadInput::StickRight,
                  event.which, input);
    } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        MoveStick(it->second.stickY, event.value, PadInput::StickUp, PadInput::StickDown,
                  event.which, input);
    }
}

} // namespace platform_sdl
