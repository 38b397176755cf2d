// The command line of stompvale-sound.
#pragma once

#include <string>
#include <vector>

struct PlayerOptions {
    double volume = 100; // the sound class's units: -100 silent, 0 half, 100 full
    double pan = 0;
    double pitch = 0; // percent: 100 an octave up, -100 an octave down
    bool loop = false;
    bool stream = false;
    bool help = false;
    std::vector<std::string> paths;
};

// False with `error` set when the command line is not understood.
bool ParsePlayerOptions(const std::vector<std::string>& args, PlayerOptions& options,
                        std::string& error);

extern const char* const kPlayerUsage;
