// Per monster file, what the player did against it, kept in Stats.ini beside
// History.ini (never in History.ini, whose format stays as it is).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MonsterStats {
    std::string FileName;          // as in the history: matched by HistoryKey
    int64_t BestMilliseconds = -1; // the fastest defeat; -1 before the first
    int64_t Deaths = 0;
    int64_t Strikes = 0; // sword strikes that reached a hit point
    bool operator==(const MonsterStats&) const = default;
};

// Stats.ini: a comment header, then per monster a line
//   FILE NAME = BEST, DEATHS, STRIKES
// BEST in seconds with two decimals ("83.42"), or "-" before the first
// defeat. The name ends at the last '=', so names may hold '='; a line
// starting with ';' or '#' is a comment. A line that cannot be read is left
// out with a warning naming the file and line, added to `warnings`; of two
// lines for one name the last wins. CR LF or LF; a byte-order mark is skipped.
std::vector<MonsterStats> ParseStatsText(const std::string& text, const std::string& fileName,
                                         std::vector<std::string>& warnings);
// The text ParseStatsText reads back: best times cut to hundredths, and
// numbers past what the file holds held at its limits. Names that cannot be
// kept on a line of their own (a line break, nothing but spaces), and a
// second entry of a name, are left out.
std::string StatsText(const std::vector<MonsterStats>& stats);

// A missing file holds no stats; one that cannot be read is named on stderr,
// as are its warnings.
std::vector<MonsterStats> LoadStats(const std::string& path);
// Writes atomically (files::WriteFileAtomically), keeping the old file's
// permission bits; throws std::runtime_error naming the file on failure.
void SaveStats(const std::vector<MonsterStats>& stats, const std::string& path);

// The entry for a file name (HistoryKey match), added at the end when
// missing: a reference into `stats`, good until it next grows.
MonsterStats& StatsFor(std::vector<MonsterStats>& stats, const std::string& fileName);

// How the game shows times, in hundredths cut short: "12.40" under a minute,
// "1:23.42", "1:02:03.00" past an hour; "-" for a negative time (no best yet).
std::string FormatGameTime(int64_t milliseconds);
