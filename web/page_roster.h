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

// The same for replaying a recording: of the kept monsters only those the
// recording played, so that a game recorded here with the player's own
// monsters replays here, and a native one beside them. A recording that
// cannot be read gets the shipped data (the game then says what is wrong).
void PrepareReplayRoster(const std::string& recording, const RosterFolders& folders = {});

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
