// Numbers read from a command line, strictly: all of the text is the number,
// in decimal, with no sign but a leading '-', no spaces and nothing after it,
// within a range. "abc", "12x", "" and "99999999999999999999" are refused.
#pragma once

#include <charconv>
#include <cmath>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

namespace cli {

template <class T>
concept CommandLineNumber =
    std::is_arithmetic_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>;

// "least .. most" as a message shows it.
template <CommandLineNumber T> std::string RangeText(T least, T most) {
    std::ostringstream out;
    out << +least << " .. " << +most;
    return out.str();
}

// Empty when `text` is a number within least .. most (then stored in `out`);
// otherwise why not, e.g. "'12x' is not a whole number", and `out` is kept.
template <CommandLineNumber T>
std::string ParseNumber(std::string_view text, T least, T most, T& out) {
    constexpr bool kWhole = std::is_integral_v<T>;
    const std::string quoted = "'" + std::string(text) + "'";
    const std::string notNumber = quoted + (kWhole ? " is not a whole number" : " is not a number");
    const std::string outside = quoted + " is out of range " + RangeText(least, most);
    const char* first = text.data();
    const char* last = first + text.size();
    if (text.empty()) return notNumber;
    // from_chars takes no '-' for unsigned types; such a number is below
    // the range, not malformed.
    if (std::is_unsigned_v<T> && text[0] == '-') {
        unsigned long long magnitude = 0;
        const auto [end, error] = std::from_chars(first + 1, last, magnitude);
        if (end != last || end == first + 1 || error == std::errc::invalid_argument)
            return notNumber;
        if (magnitude != 0 || least != 0) return outside;
        out = 0;
        return "";
    }
    T value{};
    std::from_chars_result result{};
    if constexpr (kWhole) {
        result = std::from_chars(first, last, value);
    } else {
        // Neither "inf" nor "nan" is a number to count with.
        for (const char c : text)
            if (c == 'i' || c == 'I' || c == 'n' || c == 'N') return notNumber;
        result = std::from_chars(first, last, value, std::chars_format::general);
    }
    if (result.ptr != last || result.ec == std::errc::invalid_argument) return notNumber;
    if (result.ec == std::errc::result_out_of_range || value < least || value > most)
        return outside;
    if constexpr (!kWhole) {
        if (!std::isfinite(value)) return outside;
    }
    out = value;
    return "";
}

} // namespace cli
