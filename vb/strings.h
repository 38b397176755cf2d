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

// The lines of a text file, ended by CR LF, LF or a lone CR, each with its
// number from 1; a last line without an end counts too.
template <class OnLine> void ForEachLine(std::string_view text, OnLine&& onLine) {
    size_t start = 0;
    int lineNumber = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
        onLine(line, ++lineNumber);
    }
}

} // namespace vb
