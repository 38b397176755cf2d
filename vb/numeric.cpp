#include "vb/numeric.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace vb {

double Val(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    std::string number(text.substr(start, i - start));
    return std::strtod(number.c_str(), nullptr);
}

} // namespace vb
