// What every player file's fuzzer asks of the warnings about it: a
// screenful at most, of short lines of printable bytes.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/warning_list.h"

inline void Check(bool condition) {
    if (!condition) std::abort();
}

inline void CheckWarningsReadable(const std::vector<std::string>& warnings) {
    Check(warnings.size() <= platform::WarningList::kMostShown + 1);
    for (const std::string& warning : warnings) {
        // A quote shows at most 80 characters of four bytes each, escaped.
        Check(warning.size() < 600);
        for (const char c : warning) {
            const auto byte = static_cast<unsigned char>(c);
            Check(byte >= 0x20 && byte != 0x7F);
        }
    }
}
