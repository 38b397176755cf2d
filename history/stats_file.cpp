#include "history/stats_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <unordered_map>

#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "history/history.h"
#include "platform/setting_lines.h"
#include "platform/warning_list.h"
#include "vb/strings.h"

namespace {

constexpr int64_t kMostCount = 2147483647;
constexpr int64_t kMostBestMilliseconds = int64_t{1000000000} * 1000;

// A whole number of digits only (no sign), at most `most`.
bool ReadWhole(std::string_view text, int64_t most, int64_t& out) {
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    int64_t n = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, n);
    if (error != std::errc() || at != end || n > most) return false;
    out = n;
    return true;
}

// "-", or seconds with at most three decimals.
bool ReadBest(const std::string& text, int64_t& out) {
    if (text == "-") {
        out = -1;
        return true;
    }
    const size_t point = text.find('.');
    const std::string_view whole = std::string_view(text).substr(0, point);
    const std::string_view decimals =
        point == std::string::npos ? "" : std::string_view(text).substr(point + 1);
    int64_t seconds = 0, fraction = 0;
    if (!ReadWhole(whole, kMostBestMilliseconds / 1000, seconds)) return false;
    if (point != std::string::npos) {
        if (decimals.size() > 3 || !ReadWhole(decimals, 999, fraction)) return false;
        for (size_t i = decimals.size(); i < 3; ++i) fraction *= 10;
    }
    const int64_t milliseconds = seconds * 1000 + fraction;
    if (milliseconds > kMostBestMilliseconds) return false;
    out = milliseconds;
    return true;
}

// Takes one line's numbers into `stats`: "" when they read, or why not.
std::string ReadNumbers(const std::string& numbers, MonsterStats& stats) {
    std::vector<std::string> fields;
    for (size_t at = 0;;) {
        const size_t comma = numbers.find(',', at);
        fields.push_back(platform::TrimSetting(numbers.substr(at, comma - at)));
        if (comma == std::string::npos) break;
        at = comma + 1;
    }
    if (fields.size() != 3) return "expected BEST, DEATHS, STRIKES after '='";
    if (!ReadBest(fields[0], stats.BestMilliseconds)) {
        return "the best time " + platform::QuoteForWarning(fields[0]) +
               " is not '-' or seconds from 0 to " + std::to_string(kMostBestMilliseconds / 1000);
    }
    const char* const names[] = {"deaths", "strikes"};
    int64_t* const counts[] = {&stats.Deaths, &stats.Strikes};
    for (size_t i = 0; i < 2; ++i) {
        if (!ReadWhole(fields[i + 1], kMostCount, *counts[i])) {
            return "the " + std::string(names[i]) + " " + platform::QuoteForWarning(fields[i + 1]) +
                   " are not a whole number from 0 to " + std::to_string(kMostCount);
        }
    }
    return "";
}

// "83.42": seconds, hundredths cut short.
std::string Seconds(int64_t milliseconds) {
    const int64_t hundredths = milliseconds / 10;
    const int64_t part = hundredths % 100;
    return std::to_string(hundredths / 100) + (part < 10 ? ".0" : ".") + std::to_string(part);
}

} // namespace

std::vector<MonsterStats> ParseStatsText(const std::string& fileText, const std::string& fileName,
                                         std::vector<std::string>& warnings) {
    platform::WarningList problems(fileName);
    const std::string_view text = vb::WithoutByteOrderMark(fileText);
    std::vector<MonsterStats> stats;
    std::unordered_map<std::string, size_t> entryOf;
    vb::ForEachLine(text, [&](std::string_view read, int lineNumber) {
        const std::string line(read);
        // Only a comment's first character may be its mark: names may hold them.
        if (line.empty() || line[0] == ';' || line[0] == '#') return;
        if (platform::TrimSetting(line).empty()) return;

        const auto warn = [&](const std::string& why) {
            problems.Add(lineNumber, why + " (line ignored)");
        };
        const size_t equals = line.rfind('=');
        if (equals == std::string::npos) {
            warn("expected FILE NAME = BEST, DEATHS, STRIKES");
            return;
        }
        MonsterStats entry{vb::Trim(line.substr(0, equals))};
        if (entry.FileName.empty()) {
            warn("no file name before '='");
            return;
        }
        const std::string why = ReadNumbers(line.substr(equals + 1), entry);
        if (!why.empty()) {
            warn(why);
            return;
        }
        const auto [at, added] = entryOf.emplace(HistoryKey(entry.FileName), stats.size());
        if (added) {
            stats.push_back(std::move(entry));
        } else {
            stats[at->second] = std::move(entry);
        }
    });
    for (std::string& warning : problems.Lines()) warnings.push_back(std::move(warning));
    return stats;
}

std::string StatsText(const std::vector<MonsterStats>& stats) {
    std::string text = "; Stompvale stats, per monster file: FILE NAME = BEST, DEATHS, STRIKES\n"
                       "; (the best defeat in seconds, - before the first)\n";
    std::set<std::string> written;
    for (const MonsterStats& entry : stats) {
        const std::string key = HistoryKey(entry.FileName);
        if (key.empty() || entry.FileName.find_first_of("\r\n") != std::string::npos) continue;
        if (!written.insert(key).second) continue;
        // A name that starts as a comment does is kept by a space, which the
        // name's match ignores.
        const char first = vb::Trim(entry.FileName)[0];
        if (first == ';' || first == '#') text += ' ';
        text += entry.FileName + " = ";
        text += entry.BestMilliseconds < 0
                    ? "-"
                    : Seconds(std::min(entry.BestMilliseconds, kMostBestMilliseconds));
        text += ", " + std::to_string(std::clamp<int64_t>(entry.Deaths, 0, kMostCount));
        text += ", " + std::to_string(std::clamp<int64_t>(entry.Strikes, 0, kMostCount)) + "\n";
    }
    return text;
}

std::vector<MonsterStats> LoadStats(const std::string& path) {
    std::string text;
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kHistoryMostBytes, text);
    if (outcome.kind == files::ReadOutcome::Missing) return {};
    if (outcome.kind != files::ReadOutcome::Read) {
        std::fprintf(stderr, "%s: %s; the stats are not read\n", path.c_str(),
                     files::ReadProblem(outcome, kHistoryMostBytes).c_str());
        return {};
    }
    std::vector<std::string> warnings;
    std::vector<MonsterStats> stats = ParseStatsText(text, path, warnings);
    for (const std::string& warning : warnings) std::fprintf(stderr, "%s\n", warning.c_str());
    return stats;
}

void SaveStats(const std::vector<MonsterStats>& stats, const std::string& path) {
    files::WriteFileAtomically(path, StatsText(stats));
}

MonsterStats& StatsFor(std::vector<MonsterStats>& stats, const std::string& fileName) {
    const std::string key = HistoryKey(fileName);
    for (MonsterStats& entry : stats) {
        if (HistoryKey(entry.FileName) == key) return entry;
    }
    stats.push_back(MonsterStats{fileName});
    return stats.back();
}

std::string FormatGameTime(int64_t milliseconds) {
    if (milliseconds < 0) return "-";
    const int64_t seconds = milliseconds / 1000;
    const std::string fraction = Seconds(milliseconds % 60000);
    const auto twoDigits = [](int64_t n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    if (seconds < 60) return fraction;
    const std::string secondsPart = (seconds % 60 < 10 ? "0" : "") + fraction;
    if (seconds < 3600) return std::to_string(seconds / 60) + ":" + secondsPart;
    return std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) + ":" + secondsPart;
}
