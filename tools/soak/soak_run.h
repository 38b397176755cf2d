// The soak: the real game in the headless host for a number of frames. Random
// keys most of the time; at intervals a real defeat (the man put beside each
// hit point in turn, striking with a full charge) or a death (on red, or
// crushed inside the body), each death ending in a new game in the same
// process, and after the last monster the success screen, a new game with the
// readme, and the history started over. It checks that every defeat reaches
// the history, in memory and through History.ini, and measures memory between
// games.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tools/toolkit/process_memory.h"

namespace soak {

using toolkit::ProcessMemory;

struct Options {
    int64_t frames = 180000; // one hour of play at 50 frames a second
    uint64_t seed = 1;
    std::string dataFolder;       // holds Monsters/ and images/
    int64_t warmUpFrames = 10000; // memory is compared from the first new game after these
    // Called for every new game, with the frame and memory, when set.
    std::function<void(int64_t frame, const ProcessMemory&)> onNewGame;
};

struct MemorySample {
    int64_t frame = 0;
    ProcessMemory memory;
};

struct Result {
    int64_t frames = 0;
    double seconds = 0;
    int64_t defeats = 0;              // recorded in the history
    int64_t deaths = 0;               // of the man, scripted or by random play
    int64_t restarts = 0;             // new games in the same process
    int64_t rounds = 0;               // every monster beaten, the history started over
    std::optional<MemorySample> warm; // between games, first after the warm-up
    std::optional<MemorySample> end;  // after the last game
    std::vector<std::string> problems;
};

// Plays in a temporary program folder made from the data folder; the data
// folder itself is not written. Throws std::runtime_error when the game cannot
// be set up at all.
Result Run(const Options& options);

} // namespace soak
