// Cleaning of leaf text: blanks and line breaks as the width files and the
// callers expect them.
#include "text/modXML.h"

namespace {

bool Blank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string TrimControl(const std::string& s) {
    size_t first = 0, last = s.size();
    while (first < last && Blank(s[first])) ++first;
    while (last > first && Blank(s[last - 1])) --last;
    return s.substr(first, last - first);
}

std::string CollapseWhitespace(const std::string& s) {
    // The separator is only written before a following visible character, so
    // white space at the end goes.
    std::string out, separator;
    out.reserve(s.size());
    for (char c : s) {
        if (!Blank(c)) {
            out += separator;
            out += c;
            separator.clear();
        } else if (c == '\r' || c == '\n') {
            // A file's CR LF is two breaks: one line break, two pairs.
            if (separator != "\r\n\r\n") separator += "\r\n";
        } else if (separator.empty()) {
            separator.push_back(' ');
        }
    }
    return out;
}
