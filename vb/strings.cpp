#include "vb/strings.h"

namespace vb {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string LCase(std::string text) {
    for (char& c : text) c = LCase(c);
    return text;
}

std::string UCase(std::string text) {
    for (char& c : text) c = UCase(c);
    return text;
}

} // namespace vb
