// The monsters the page plays: the shipped ones and those the player dropped
// onto the page and the monster checker accepted, kept in the browser's
// storage. Each run plays from a folder that holds both.
#pragma once

#include <string>

namespace web {

struct RosterFolders {
    std::string shipped = "/game";       // the page's data, as the build packed it
    std::string play = "/play";          // what a run plays: shipped data, all monsters
    std::string kept = "/save/Monsters"; // the player's own monsters (IndexedDB)
};

// Makes `play` the shipped data with every kept monster beside the shipped
// ones, monsters removed since the last run gone.
void PrepareRoster(const RosterFolders& folders = {});

struct Verdict {
    bool accepted = false;
    std::string report; // the reason first when refused, then the checker's report
};

// A dropped file, already written to `path` under its own name: kept when it
// is a GIF the game plays and the man can beat; refused with the reason, and
// nothing kept changed, otherwise. A kept monster of the same name is replaced.
Verdict CheckDroppedMonster(const std::string& path, const RosterFolders& folders = {});

// Removes a kept monster by its file name; false when there is none.
bool RemoveKeptMonster(const std::string& fileName, const RosterFolders& folders = {});

} // namespace web
