// The monster history: which monster files exist and how often each has been
// defeated, merged from the Monsters folder and History.ini.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host.h"

struct MonsterRecord {
    std::string FileName;
    int32_t Defeats = 0;
};
extern std::vector<MonsterRecord> MonsterHistory; // index 0 holds entry 1
extern int32_t MonstersLeft;
// Until when the banner shows the monster's name.
extern platform::DateTime MonsterNameUntil;

// Builds MonsterHistory, MonstersLeft and MonsterNameUntil from the program
// folder's History.ini and Monsters folder. Raises StartUpError when the
// Monsters folder holds no file, or it or an existing History.ini cannot be
// read; a missing History.ini reads as an empty one. Files whose names hold a
// line break are left out with a warning: their line could not be kept.
void LoadHistory();
// Rewrites History.ini atomically: a temporary file in the same folder,
// flushed to disk, then renamed over the old one. Throws on failure and leaves
// the old file as it was.
void SaveHistory();
// Where LoadHistory and SaveHistory find the history: History.ini in the
// program folder unless set ("" puts it back there).
void SetHistoryFile(const std::string& path);
// The first monster file not yet defeated, or "" when there is none; starts
// the five-second name banner either way.
std::string NextMonsterFile();
// Counts a defeat of the named file; the last undefeated one brings up the
// success screen.
void RecordDefeat(const std::string& pFileName);

// --- the pieces, for tests and tools -------------------------------------------
struct HistoryLine {
    std::string Name;
    int32_t Defeats = 0;
};
// The accepted lines of a History.ini text, in file order. Accepts CR LF, LF
// or CR line ends.
std::vector<HistoryLine> ParseHistoryText(const std::string& text);
// Lower-cased (ASCII) and trimmed of spaces: how names are matched.
std::string HistoryKey(const std::string& name);
// The file text SaveHistory writes for the current MonsterHistory.
std::string HistoryText();
// Writes bytes to a file through a temporary file of a fixed name beside it
// (a leftover of a killed save is simply overwritten), fsync, rename and a
// sync of the folder. The new file keeps the old one's permission bits.
// Throws std::runtime_error naming the file on failure.
void WriteFileAtomically(const std::string& path, const std::string& bytes);

// The program cannot start a game: no monster file, or a history or Monsters
// folder that exists but cannot be read. Start-up tells the player why and
// leaves History.ini untouched, so no progress is lost.
class StartUpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
