// The monster file-name grammar: "ID Name Code-Code-Code.ext". Shared by the
// monster and the monster checker so both read a name the same way.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct MonsterName {
    std::string MonsterID;   // field 1, trimmed
    std::string MonsterName; // field 2 trimmed with '_' as spaces, else the ID
    std::array<int32_t, 3> MoveCode{0, 0, 0};
    bool Flying = false; // MoveCode[0] in 40..49
};

// Parses a file name (without folder). Raises vb::RuntimeError &H8004000A with
// the game's own message for an empty base or an empty movement portion.
MonsterName ParseMonsterFileName(const std::string& fileName);
