// A game pad through SDL's own path, with a virtual pad on SDL's dummy video
// driver: the same moves made with keys and with the pad leave the man in
// the same place with the same strike.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "app/game_session.h"
#include "game/frmMain.h"
#include "monsters/clsMonster.h"
#include "platform_sdl/sdl_host.h"
#include "player/clsMan.h"
#include "support/game_world.h"

namespace {

struct ManSnapshot {
    double x = 0, y = 0;
    int sword = 0, recover = 0, swordLength = 0;
    bool operator==(const ManSnapshot&) const = default;
};

// A short play: walk right, then charge and strike, through `press`, which
// holds (true) or lets go (false) of one of "right", "sword" or "jump".
ManSnapshot Play(const std::function<void(const char*, bool)>& press, bool withPad) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    // The dummy driver's window never has the focus, which pad events need.
    setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
    GameWorld world;
    world.AddMonster("3 Rock 0.gif", {"SSSS"});
    platform_sdl::SdlHostSettings settings;
    settings.appPath = world.ProgramFolder();
    auto host = platform_sdl::CreateSdlHost(settings);
    platform::SetHost(host.get());
    SDL_Joystick* pad = nullptr;
    if (withPad) {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "test pad";
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(index, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(index);
        EXPECT_NE(pad, nullptr);
    }
    ManSnapshot state;
    {
        GameSession game{NewGameForm};
        game.StartPlaying(1024, 768, 7);
        auto frames = [&](int n) {
            for (int i = 0; i < n; ++i) {
                host->DoEvents();
                game.Frame();
            }
        };
        // A rock beside his way: he walks up to it and strikes it.
        clsMonster& rock = TheGameForm()->Monster(1);
        rock.mX = 10;
        rock.mY = 0;
        rock.mState = 2;
        frames(5);
        press("right", true);
        frames(30);
        press("right", false);
        press("jump", true);
        frames(3);
        press("jump", false);
        const clsMan& man = *TheGameForm()->mMan;
        state.y = man.mY; // off the ground
        frames(80);
        press("sword", true);
        frames(60);
        press("sword", false);
        frames(2);
        state.x = man.mX;
        state.sword = static_cast<int>(man.mSwordCounter);
        state.recover = static_cast<int>(man.mRecover);
        state.swordLength = static_cast<int>(man.mSwordLength);
        game.Stop();
    }
    if (pad) SDL_JoystickClose(pad);
    platform::SetHost(&world.host);
    return state;
}

void PushKey(SDL_Keycode key, SDL_Scancode scan, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = scan;
    SDL_PushEvent(&event);
}

} // namespace

TEST(Pads, AVirtualPadPlaysAsTheKeysDo) {
    const ManSnapshot keys = Play(
        [](const char* what, bool down) {
            const std::string w = what;
            if (w == "right") PushKey(SDLK_RIGHT, SDL_SCANCODE_RIGHT, down);
            if (w == "sword") PushKey(SDLK_z, SDL_SCANCODE_Z, down);
            if (w == "jump") PushKey(SDLK_SPACE, SDL_SCANCODE_SPACE, down);
        },
        false);
    for (const bool stick : {false, true}) {
        const ManSnapshot pad = Play(
            [stick](const char* what, bool down) {
                SDL_Joystick* joy = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(0));
                ASSERT_NE(joy, nullptr);
                const std::string w = what;
                if (w == "right" && stick) {
                    SDL_JoystickSetVirtualAxis(joy, SDL_CONTROLLER_AXIS_LEFTX, down ? 30000 : 0);
                } else if (w == "right") {
                    SDL_JoystickSetVirtualButton(joy, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, down);
                }
                if (w == "sword") SDL_JoystickSetVirtualButton(joy, SDL_CONTROLLER_BUTTON_X, down);
                if (w == "jump") SDL_JoystickSetVirtualButton(joy, SDL_CONTROLLER_BUTTON_A, down);
            },
            true);
        EXPECT_EQ(pad, keys) << (stick ? "stick" : "d-pad");
    }
    EXPECT_GT(keys.x, 5.0);         // he walked
    EXPECT_EQ(keys.swordLength, 3); // and struck
    EXPECT_EQ(keys.recover, 18);    // twenty frames of recovery, two gone
    EXPECT_LT(keys.y, -0.5);        // and jumped
}
