// What both executables do: read the command line, find the data and the
// history, open the window system, and run the program.
#pragma once

#include "app/modMain.h"

// The process's exit status: 0 after a game, 1 when it could not run, 2 for a
// bad command line (the usage on stderr, no window opened).
int RunProgram(int argc, char** argv, const ProgramSetup& setup);
