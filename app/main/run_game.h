// What both executables do: open the window system, then run the program with
// the game form. Only the screen-size choice differs between them.
#pragma once

#include <cstdio>
#include <exception>

#include "app/modMain.h"
#include "game/frmMain.h"

inline int RunGame(ScreenSizeMode screenSize) {
    std::unique_ptr<platform::Host> window;
    try {
        window = platform::CreateSdlHost();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Gloamward: %s\n", error.what());
        return 1;
    }
    platform::SetHost(window.get());

    const int status = Main(GameProgramSetup(screenSize));
    window.reset();
    platform::SetHost(nullptr);
    return status;
}
