// String helpers of the game's runtime.
#pragma once

#include <string>

namespace vb {

// Trim(): leading and trailing spaces removed (spaces only, not tabs).
std::string Trim(const std::string& text);

// LCase() for ASCII letters; other bytes are kept as they are.
std::string LCase(std::string text);
inline char LCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// UCase() for ASCII letters; other bytes are kept as they are.
std::string UCase(std::string text);
inline char UCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace vb
