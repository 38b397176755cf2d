// String helpers of the game's runtime.
#pragma once

#include <string>
#include <string_view>

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

// The text after a UTF-8 byte-order mark, which some editors put before the
// first line of a text file; the text itself when there is none.
inline std::string_view WithoutByteOrderMark(std::string_view text) {
    return text.substr(0, 3) == "\xEF\xBB\xBF" ? text.substr(3) : text;
}

} // namespace vb
