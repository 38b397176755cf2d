// Ternary raster operations: any code evaluated from its truth table over
// pattern (the selected brush), source and destination, with whole-row fast
// paths for the operations the game's copies use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gdi/raster.h"
#include "gdi/raster_rows.h"

namespace gdi::detail {

// The operation's index byte: bit (P << 2 | S << 1 | D) is the result for
// that combination of pattern, source and destination bits.
struct RasterOp {
    uint8_t code;

    explicit RasterOp(DWORD rop) : code(static_cast<uint8_t>(rop >> 16)) {}

    bool UsesPattern() const { return ((code >> 4) & 0x0F) != (code & 0x0F); }
    bool UsesSource() const { return ((code >> 2) & 0x33) != (code & 0x33); }
    bool UsesDestination() const { return ((code >> 1) & 0x55) != (code & 0x55); }

    // Bit by bit, the union of the truth table's true rows.
    template <class T> T Value(T p, T s, T d) const {
        T r = 0;
        for (int m = 0; m < 8; ++m) {
            if (!((code >> m) & 1)) continue;
            r |= static_cast<T>((m & 4 ? p : ~p) & (m & 2 ? s : ~s) & (m & 1 ? d : ~d));
        }
        return r;
    }

    // d[i] = op(pattern, s[i], d[i]) over a row; s may be null when the
    // operation does not read it. `bits` are the pixel's meaningful bits.
    template <class T> void ApplyRow(T* d, const T* s, size_t n, T pattern, T bits) const {
        switch (code) {
        case 0xCC: // SRCCOPY
            std::memmove(d, s, n * sizeof(T));
            return;
        case 0x88: // SRCAND
            rows::Combine<rows::Bitwise::And>(d, s, n);
            return;
        case 0xEE: // SRCPAINT
            rows::Combine<rows::Bitwise::Or>(d, s, n);
            return;
        case 0x00: // BLACKNESS
            Fill(d, n, T{0});
            return;
        case 0xFF: // WHITENESS
            Fill(d, n, bits);
            return;
        case 0xF0: // PATCOPY
            Fill(d, n, pattern);
            return;
        default:
            for (size_t i = 0; i < n; ++i) {
                d[i] = static_cast<T>(Value<T>(pattern, s ? s[i] : T{0}, d[i]) & bits);
            }
        }
    }

  private:
    template <class T> static void Fill(T* d, size_t n, T v) {
        if constexpr (sizeof(T) == 4) {
            rows::Fill(d, n, v);
        } else {
            std::memset(d, v, n);
        }
    }
};

} // namespace gdi::detail
