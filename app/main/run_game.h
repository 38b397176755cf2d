// What both executables do: run the program with the game form. Only the
// screen-size choice differs between them.
#pragma once

#include "app/run_program.h"
#include "game/frmMain.h"

inline int RunGame(ScreenSizeMode screenSize, int argc, char** argv) {
    return RunProgram(argc, argv, GameProgramSetup(screenSize));
}
