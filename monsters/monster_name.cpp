// The monster file-name grammar: "ID Name Code-Code-Code.ext".
#include "monsters/monster_name.h"

#include <vector>

#include "vb/numeric.h"
#include "vb/runtime_error.h"
#include "vb/strings.h"

namespace {

// Every separator counts: two in a row give an empty piece between them.
std::vector<std::string> SplitAll(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        if (at == std::string::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

// A code as a Long; a number beyond the Long range is no listed code either,
// so it is kept at the range's end instead of overflowing.
int32_t CodeFromText(const std::string& text) {
    double value = vb::Val(text);
    if (!(value > -2147483648.0)) value = -2147483648.0;
    if (value > 2147483647.0) value = 2147483647.0;
    return vb::RoundEven(value);
}

} // namespace

MonsterName ParseMonsterFileName(const std::string& fileName) {
    const size_t dot = fileName.rfind('.');
    const std::string base = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    if (base.empty()) {
        vb::RaiseObjectError(10, "Filename '" + fileName +
                                     "' retrieved from /Monsters folder makes no sense.");
    }
    const std::vector<std::string> fields = SplitAll(base, ' ');

    MonsterName name;
    name.MonsterID = vb::Trim(fields[0]);
    if (fields.size() >= 2) {
        name.MonsterName = vb::Trim(fields[1]);
        for (char& c : name.MonsterName) {
            if (c == '_') c = ' ';
        }
    } else {
        name.MonsterName = name.MonsterID;
    }
    if (fields.size() >= 3) {
        const std::string movement = vb::Trim(fields[2]);
        if (movement.empty()) {
            vb::RaiseObjectError(10, "Movement portion of Filename '" + fileName +
                                         "' retrieved from /Monsters folder makes no sense.");
        }
        const std::vector<std::string> codes = SplitAll(movement, '-');
        for (size_t i = 0; i < codes.size() && i < name.MoveCode.size(); ++i) {
            name.MoveCode[i] = CodeFromText(codes[i]);
        }
    }
    name.Flying = name.MoveCode[0] >= 40 && name.MoveCode[0] <= 49;
    return name;
}
