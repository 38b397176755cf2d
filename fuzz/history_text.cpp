// The history on arbitrary text, with the game's own lookup: every line it
// accepts has a name that fits on a line of the file; merged with a list of
// monster files (before a NUL byte, one a line; a fixed list without one),
// each file gets the count of the last line of its name; defeats go to the
// first file of a name; and what the game writes back reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "history/history.h"
#include "platform/headless_host.h"
#include "vb/strings.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr size_t kMostFiles = 64;

// The file names before the first NUL byte, as LoadHistory lists them: no
// empty names, none with a line break.
std::vector<std::string> FileNames(const std::string& text) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= text.size() && names.size() < kMostFiles) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string name = text.substr(start, end - start);
        if (!name.empty() && name.find('\r') == std::string::npos) names.push_back(name);
        start = end + 1;
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static platform::HeadlessHost host(".");
    platform::SetHost(&host);
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t nul = input.find('\0');
    const std::string text = nul == std::string::npos ? input : input.substr(nul + 1);
    std::vector<std::string> names =
        nul == std::string::npos ? std::vector<std::string>{"a.gif", "B.gif", " b.gif", "c d.gif"}
                                 : FileNames(input.substr(0, nul));

    platform::WarningList warnings("History.ini");
    const std::vector<HistoryLine> lines = ParseHistoryText(text, &warnings);
    for (const HistoryLine& line : lines) {
        Check(!line.Name.empty());
        Check(line.Name.find_first_of("\r\n") == std::string::npos);
        Check(line.Name.front() != ' ' && line.Name.back() != ' ');
        Check(HistoryKey(line.Name) == HistoryKey(HistoryKey(line.Name)));
    }

    // The lookup as the history's own rules say it: each line, in file order,
    // sets every entry of its name.
    MergeHistory(names, lines, warnings);
    Check(MonsterHistory.size() == names.size());
    int32_t undefeated = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        int32_t expected = 0;
        for (const HistoryLine& line : lines) {
            if (HistoryKey(line.Name) == HistoryKey(names[i])) expected = line.Defeats;
        }
        Check(MonsterHistory[i].FileName == names[i]);
        Check(MonsterHistory[i].Defeats == expected);
        undefeated += expected == 0;
    }
    Check(MonstersLeft == undefeated);
    Check(warnings.Lines().size() <= platform::WarningList::kMostShown + 1);

    for (int i = 0; i < 3; ++i) {
        const std::string next = NextMonsterFile();
        const int32_t left = MonstersLeft;
        RecordDefeat(next);
        // The name a defeat gives is not trimmed: a file whose name starts or
        // ends with a space is never counted, as the history's rules say.
        Check(next.empty() || MonstersLeft == left - 1 || HistoryKey(next) != vb::LCase(next));
    }

    // Written back and read again, every file has its first namesake's count.
    const std::vector<MonsterRecord> before = MonsterHistory;
    MergeHistory(names, ParseHistoryText(HistoryText()), warnings);
    for (size_t i = 0; i < before.size(); ++i) {
        size_t first = 0;
        while (HistoryKey(before[first].FileName) != HistoryKey(before[i].FileName)) ++first;
        Check(MonsterHistory[i].Defeats == before[first].Defeats);
    }
    MonsterHistory.clear();
    return 0;
}
