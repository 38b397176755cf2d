#include "history/history.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <set>
#include <unordered_map>
#include <utility>

#include "files/atomic_write.h"
#include "files/bounded_read.h"
#include "files/clsFiles.h"
#include "platform/host.h"
#include "vb/numeric.h"
#include "vb/strings.h"

std::vector<MonsterRecord> MonsterHistory;
int32_t MonstersLeft = 0;
platform::DateTime MonsterNameUntil = 0;

namespace {

std::string gHistoryFile;
std::function<void()> gDefeatRecorded;

std::string HistoryPath() {
    return gHistoryFile.empty() ? platform::host().AppPath() + "/History.ini" : gHistoryFile;
}

[[noreturn]] void CannotRead(const std::string& path, const std::string& why) {
    throw StartUpError("Cannot read " + path + ": " + why +
                       ". Nothing was changed; fix it and start again.");
}

// The history's bytes; a missing history is an empty one, but one that exists
// and cannot be read must not be taken for empty and overwritten at the end.
std::string ReadHistoryFile(const std::string& path) {
    std::string bytes;
    const files::ReadOutcome outcome = files::ReadBoundedFile(path, kHistoryMostBytes, bytes);
    if (outcome.kind == files::ReadOutcome::Missing) return "";
    if (outcome.kind != files::ReadOutcome::Read) {
        CannotRead(path, files::ReadProblem(outcome, kHistoryMostBytes));
    }
    return bytes;
}

// A folder that exists but cannot be opened says why, rather than looking empty.
void CheckReadableFolder(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir) {
        closedir(dir);
        return;
    }
    if (errno != ENOENT) CannotRead(folder, std::strerror(errno));
}

} // namespace

std::string HistoryKey(const std::string& name) {
    return vb::LCase(vb::Trim(name));
}

std::vector<HistoryLine> ParseHistoryText(const std::string& fileText,
                                          platform::WarningList* warnings) {
    const std::string_view text = vb::WithoutByteOrderMark(fileText);
    std::vector<HistoryLine> lines;
    vb::ForEachLine(text, [&](std::string_view read, int lineNumber) {
        const std::string line(read);
        // The count follows the last comma, so a file name may hold commas.
        const size_t comma = line.rfind(',');
        if (comma == std::string::npos) return;
        const std::string name = vb::Trim(line.substr(0, comma));
        const std::string count = vb::Trim(line.substr(comma + 1));
        if (name.empty() || count.empty()) return;
        // A count beyond a Long is held at its limit: reading it as 0 would
        // make a defeated monster new again.
        const double value = vb::Val(count);
        const double held = std::clamp(value, -2147483648.0, 2147483647.0);
        if (held != value && warnings) {
            warnings->Add(lineNumber, "the count " + platform::QuoteForWarning(count) + " of " +
                                          platform::QuoteForWarning(name) +
                                          " is past what a count holds; it counts " +
                                          std::to_string(vb::RoundEven(held)));
        }
        lines.push_back({name, vb::RoundEven(held), lineNumber});
    });
    return lines;
}

void MergeHistory(const std::vector<std::string>& fileNames, const std::vector<HistoryLine>& lines,
                  platform::WarningList& warnings) {
    std::vector<MonsterRecord> history;
    std::unordered_map<std::string, std::vector<size_t>> entriesOf;
    for (const std::string& name : fileNames) {
        entriesOf[HistoryKey(name)].push_back(history.size());
        history.push_back(MonsterRecord{name, 0});
    }
    // The line that last set each name's count, to say when another changes it.
    std::unordered_map<std::string, const HistoryLine*> setBy;
    for (const HistoryLine& line : lines) {
        const std::string key = HistoryKey(line.Name);
        const auto entries = entriesOf.find(key);
        if (entries == entriesOf.end()) continue;
        const HistoryLine*& before = setBy[key];
        if (before && before->Defeats != line.Defeats) {
            warnings.Add(line.Line, platform::QuoteForWarning(line.Name) +
                                        " is named again: its count " +
                                        std::to_string(line.Defeats) + " replaces " +
                                        std::to_string(before->Defeats) + " of line " +
                                        std::to_string(before->Line) + " (the last line counts)");
        }
        before = &line;
        for (const size_t i : entries->second) history[i].Defeats = line.Defeats;
    }
    MonsterHistory = std::move(history);
    MonstersLeft = 0;
    for (const MonsterRecord& record : MonsterHistory) {
        if (record.Defeats == 0) ++MonstersLeft;
    }
}

std::string HistoryText() {
    std::string text;
    std::set<std::string> written;
    for (const MonsterRecord& record : MonsterHistory) {
        if (!written.insert(HistoryKey(record.FileName)).second) continue;
        text += record.FileName + "," + std::to_string(record.Defeats) + "\r\n";
    }
    // A first name that starts as a byte-order mark does would lose it on
    // reading: one more mark in front keeps it.
    const std::string_view mark = "\xEF\xBB\xBF";
    if (text.starts_with(mark)) text.insert(0, mark);
    return text;
}

void LoadHistory() {
    const std::string path = HistoryPath();
    platform::WarningList historyWarnings(path);
    const std::vector<HistoryLine> lines =
        ParseHistoryText(ReadHistoryFile(path), &historyWarnings);

    const std::string monstersFolder = platform::host().AppPath() + "/Monsters";
    CheckReadableFolder(monstersFolder);
    clsFiles files;
    files.Initialize(monstersFolder);

    platform::WarningList folderWarnings(monstersFolder);
    std::vector<std::string> names;
    for (int32_t i = 1; i <= files.Count(); ++i) {
        const std::string name = files.Filename(i);
        if (name.find_first_of("\r\n") != std::string::npos) {
            folderWarnings.Add(0, "not taken as a monster, its name holds a line break: " +
                                      platform::QuoteForWarning(files.FileNamePath(i)));
            continue;
        }
        names.push_back(name);
    }
    folderWarnings.Print(stderr);
    if (names.empty()) {
        throw StartUpError("No monster pictures found in the folder " + monstersFolder +
                           ". Put at least one monster GIF file there.");
    }
    MergeHistory(names, lines, historyWarnings);
    historyWarnings.Print(stderr);
    MonsterNameUntil = platform::host().Now() - platform::kMillisecondsPerDay;
}

void SetHistoryFile(const std::string& path) {
    gHistoryFile = path;
}

void SaveHistory() {
    files::WriteFileAtomically(HistoryPath(), HistoryText());
}

std::string HistorySaveProblem() {
    const std::string path = HistoryPath();
    const std::string problem = files::ReplaceProblem(path);
    return problem.empty() ? "" : "The history " + path + " cannot be saved: " + problem;
}

std::string NextMonsterFile() {
    MonsterNameUntil = platform::AddSeconds(platform::host().Now(), 5);
    for (const MonsterRecord& record : MonsterHistory) {
        if (record.Defeats == 0) return record.FileName;
    }
    return "";
}

bool RecordDefeat(const std::string& pFileName) {
    const std::string wanted = vb::LCase(pFileName);
    for (MonsterRecord& record : MonsterHistory) {
        if (HistoryKey(record.FileName) != wanted) continue;
        if (record.Defeats < INT32_MAX) ++record.Defeats;
        const bool last = --MonstersLeft == 0;
        if (gDefeatRecorded) gDefeatRecorded();
        return last;
    }
    return false;
}

void SetDefeatRecorded(std::function<void()> afterDefeat) {
    gDefeatRecorded = std::move(afterDefeat);
}
