// The roster: every monster of the game, in the order of play.
#pragma once

#include <string>
#include <vector>

#include "gdi/picture.h"

namespace monster_gen {

struct RosterEntry {
    std::string fileName; // "ID Name Codes.gif"
    gdi::Picture (*paint)();
};

const std::vector<RosterEntry>& Roster();

// Paints every monster and writes it into the folder, which must exist;
// returns the paths written.
std::vector<std::string> WriteRoster(const std::string& folder);

} // namespace monster_gen
