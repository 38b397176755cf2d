// The monster history: which monster files exist and how often each has been
// defeated, merged from the Monsters folder and History.ini.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/warning_list.h"

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
// read (a history larger than kHistoryMostBytes among them); a missing
// History.ini reads as an empty one. The history in memory stays as it was
// when it raises. Files whose names hold a line break are left out with a
// warning: their line could not be kept. Lines that change a count read
// before, and counts past a Long, are named on stderr.
void LoadHistory();
// Rewrites History.ini atomically (files::WriteFileAtomically): a
// temporary file in the same folder, flushed to disk, then renamed over the
// old one. Throws on failure and leaves the old file as it was; a read-only
// History.ini is never replaced.
void SaveHistory();
// Why SaveHistory would fail, found by trying before play: the file's own
// write permission and a new file beside it. A sentence naming the file, or
// "" when it can be saved.
std::string HistorySaveProblem();
// Where LoadHistory and SaveHistory find the history: History.ini in the
// program folder unless set ("" puts it back there).
void SetHistoryFile(const std::string& path);
// The first monster file not yet defeated, or "" when there is none; starts
// the five-second name banner either way.
std::string NextMonsterFile();
// Counts a defeat of the named file. True when that was the last undefeated
// one: the game then shows its success screen.
bool RecordDefeat(const std::string& pFileName);
// Called after each counted defeat ({} for none). The game saves at its end;
// a page whose tab may be closed at any moment saves here as well.
void SetDefeatRecorded(std::function<void()> afterDefeat);

// --- the pieces, for tests and tools -------------------------------------------
struct HistoryLine {
    std::string Name;
    int32_t Defeats = 0;
    int32_t Line = 0; // 1-based, in the file
};
// A history larger than this is not read: one line per monster file, a few
// dozen bytes each, never comes near it.
constexpr size_t kHistoryMostBytes = size_t{4} << 20;
// The accepted lines of a History.ini text, in file order. Accepts CR LF, LF
// or CR line ends and skips a byte-order mark. Counts past a Long, held at
// its limit, are named in `warnings` when given.
std::vector<HistoryLine> ParseHistoryText(const std::string& text,
                                          platform::WarningList* warnings = nullptr);
// Lower-cased (ASCII) and trimmed of spaces: how names are matched.
std::string HistoryKey(const std::string& name);
// MonsterHistory and MonstersLeft for the listed monster files and the
// accepted lines: each line in file order sets the count of every entry of
// its name, so of several lines for one file the last one wins; a line that
// changes a count an earlier line set is named in `warnings`.
void MergeHistory(const std::vector<std::string>& fileNames, const std::vector<HistoryLine>& lines,
                  platform::WarningList& warnings);
// The file text SaveHistory writes for the current MonsterHistory: a line
// per name, with the count of its first entry (the one a defeat counts), so
// that two files of one name cannot write two counts of which the last
// would win.
std::string HistoryText();

// The program cannot start a game: no monster file, or a history or Monsters
// folder that exists but cannot be read. Start-up tells the player why and
// leaves History.ini untouched, so no progress is lost.
class StartUpError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
