// Numeric conversions of the game's runtime: Long is 32-bit signed, conversions
// to Long round half to even, Int is the floor.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

namespace vb {

// Conversion to Long: nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
inline int32_t RoundEven(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

// Int(): the floor, towards minus infinity.
inline double Int(double value) {
    return std::floor(value);
}

// Int() as a whole number, for indexing and pixel positions.
inline int32_t IntL(double value) {
    return static_cast<int32_t>(std::floor(value));
}

// The runtime's Val(): leading spaces skipped, then the longest decimal number at
// the start (optional sign, digits, optional decimal point and fraction); 0 when
// there is none.
double Val(std::string_view text);

} // namespace vb
