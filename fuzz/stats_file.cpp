// Stats.ini on arbitrary text: the warnings stay a screenful of short,
// printable lines; every entry read has a name that fits on a line, one entry
// per history name, and numbers in the file's ranges; and what is written
// back reads back the same, best times cut to hundredths, without a warning.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "fuzz/warning_checks.h"
#include "history/history.h"
#include "history/stats_file.h"

namespace {

constexpr int64_t kMostCount = 2147483647;
constexpr int64_t kMostBest = int64_t{1000000000} * 1000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> warnings;
    std::vector<MonsterStats> stats = ParseStatsText(text, "Stats.ini", warnings);

    CheckWarningsReadable(warnings);
    std::set<std::string> keys;
    for (const MonsterStats& entry : stats) {
        Check(!entry.FileName.empty());
        Check(entry.FileName.find_first_of("\r\n") == std::string::npos);
        Check(entry.FileName.front() != ' ' && entry.FileName.back() != ' ');
        Check(keys.insert(HistoryKey(entry.FileName)).second);
        Check(entry.BestMilliseconds >= -1 && entry.BestMilliseconds <= kMostBest);
        Check(entry.Deaths >= 0 && entry.Deaths <= kMostCount);
        Check(entry.Strikes >= 0 && entry.Strikes <= kMostCount);
        Check(!FormatGameTime(entry.BestMilliseconds).empty());
    }

    std::vector<std::string> again;
    const std::vector<MonsterStats> readBack = ParseStatsText(StatsText(stats), "Stats.ini", again);
    Check(again.empty());
    Check(readBack.size() == stats.size());
    for (size_t i = 0; i < stats.size(); ++i) {
        MonsterStats expected = stats[i];
        if (expected.BestMilliseconds > 0)
            expected.BestMilliseconds -= expected.BestMilliseconds % 10;
        Check(readBack[i] == expected);
    }

    // Every name finds its own entry; a new one goes at the end.
    const size_t count = stats.size();
    for (size_t i = 0; i < count; ++i) Check(&StatsFor(stats, stats[i].FileName) == &stats[i]);
    Check(stats.size() == count);
    return 0;
}
