// The game's sound effects: each event's variations, made by the synthesizer.
#pragma once

#include <string>
#include <vector>

#include "tools/sound_gen/synth.h"

namespace soundgen {

struct Effect {
    std::string set;  // the event, the folder under Sounds/
    std::string name; // the file, without .ogg
    Samples samples;  // finished: faded and below full scale
};

std::vector<Effect> AllEffects();

} // namespace soundgen
