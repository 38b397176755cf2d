// What both executables do: run the program with the game form. Only the
// screen-size choice differs between them.
#pragma once

#include "game/frmMain.h"
#include "launcher/run_program.h"

inline int RunGame(ScreenSizeMode screenSize, int argc, char** argv) {
    return RunProgram(argc, argv, GameProgramSetup(screenSize));
}
