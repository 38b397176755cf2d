// The command line of stompvale-sound.
#pragma once

#include <string>
#include <vector>

#include "cli/parser.h"

struct PlayerOptions {
    double volume = 100; // the sound class's units: -100 silent, 0 half, 100 full
    double pan = 0;
    double pitch = 0; // percent: 100 an octave up, -100 an octave down
    bool loop = false;
    bool stream = false;
    std::vector<std::string> paths;
};

// The options declared into `options`, which must outlive the parser.
cli::Parser PlayerCommandLine(PlayerOptions& options);
