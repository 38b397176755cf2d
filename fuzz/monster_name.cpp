// The monster file-name grammar on arbitrary names: a name is either read or
// refused with the game's own error, never anything else.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "monsters/monster_name.h"
#include "vb/runtime_error.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string fileName(reinterpret_cast<const char*>(data), size);
    try {
        const MonsterName name = ParseMonsterFileName(fileName);
        Check(name.Flying == (name.MoveCode[0] >= 40 && name.MoveCode[0] <= 49));
        Check(name.MonsterID.empty() ||
              (name.MonsterID.front() != ' ' && name.MonsterID.back() != ' '));
        // The name field's "_" are spaces; an ID standing in for it keeps them.
        Check(name.MonsterName.find('_') == std::string::npos ||
              name.MonsterName == name.MonsterID);
        Check(fileName.size() >= name.MonsterID.size());
    } catch (const vb::RuntimeError& error) {
        Check(error.Number() == vb::kObjectErrorBase + 10);
        const std::string& text = error.Description();
        Check(StartsWith(text, "Filename '" + fileName + "'") ||
              StartsWith(text, "Movement portion of Filename '" + fileName + "'"));
    }
    return 0;
}
