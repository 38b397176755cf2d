// The history reader on arbitrary text: every line it accepts has a name that
// fits on a line of the file, and what the game writes back for those lines
// reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/history.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<HistoryLine> lines = ParseHistoryText(text);

    MonsterHistory.clear();
    for (const HistoryLine& line : lines) {
        Check(!line.Name.empty());
        Check(line.Name.find_first_of("\r\n") == std::string::npos);
        Check(line.Name.front() != ' ' && line.Name.back() != ' ');
        Check(HistoryKey(line.Name) == HistoryKey(HistoryKey(line.Name)));
        MonsterHistory.push_back({line.Name, line.Defeats});
    }

    const std::vector<HistoryLine> again = ParseHistoryText(HistoryText());
    Check(again.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(again[i].Name == lines[i].Name);
        Check(again[i].Defeats == lines[i].Defeats);
    }
    MonsterHistory.clear();
    return 0;
}
