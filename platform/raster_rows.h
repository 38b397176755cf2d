// Whole-row kernels behind every copy and fill. Written with SSE2 where the
// compiler offers it: at -O2 gcc keeps most of these loops scalar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gdi::rows {

inline void Fill(uint32_t* d, size_t n, uint32_t v) {
    size_t i = 0;
#if defined(__SSE2__)
    __m128i vv = _mm_set1_epi32(static_cast<int>(v));
    for (; i + 8 <= n; i += 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), vv);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), vv);
    }
#endif
    for (; i < n; ++i) d[i] = v;
}

inline void Copy(uint32_t* d, const uint32_t* s, size_t n) {
    std::memmove(d, s, n * 4);
}

inline void And(uint32_t* d, const uint32_t* s, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= n; i += 4) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_and_si128(a, b));
    }
#endif
    for (; i < n; ++i) d[i] &= s[i];
}

inline void Or(uint32_t* d, const uint32_t* s, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= n; i += 4) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_or_si128(a, b));
    }
#endif
    for (; i < n; ++i) d[i] |= s[i];
}

// d = (d & (m ? one : zero)) | img: a one-bit mask (bytes 0/1) ANDed onto a
// colour row as the destination's background/text colours, then the image ORed.
inline void MaskedCopy(uint32_t* d, const uint8_t* m, const uint32_t* img, size_t n, uint32_t one,
                       uint32_t zero) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i vOne = _mm_set1_epi32(static_cast<int>(one));
    const __m128i vZero = _mm_set1_epi32(static_cast<int>(zero));
    const __m128i z = _mm_setzero_si128();
    for (; i + 16 <= n; i += 16) {
        __m128i mb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m + i));
        mb = _mm_cmpgt_epi8(mb, z); // 0xFF where the bit is set
        __m128i lo = _mm_unpacklo_epi8(mb, mb);
        __m128i hi = _mm_unpackhi_epi8(mb, mb);
        __m128i sel[4] = {_mm_unpacklo_epi16(lo, lo), _mm_unpackhi_epi16(lo, lo),
                          _mm_unpacklo_epi16(hi, hi), _mm_unpackhi_epi16(hi, hi)};
        for (int k = 0; k < 4; ++k) {
            __m128i* dp = reinterpret_cast<__m128i*>(d + i + 4 * k);
            __m128i andv =
                _mm_or_si128(_mm_and_si128(sel[k], vOne), _mm_andnot_si128(sel[k], vZero));
            __m128i iv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i + 4 * k));
            __m128i dv = _mm_loadu_si128(dp);
            _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(dv, andv), iv));
        }
    }
#endif
    for (; i < n; ++i) d[i] = (d[i] & (m[i] ? one : zero)) | img[i];
}

// Mask bytes onto a colour row by AND only (the first pass of a masked copy).
inline void AndMask(uint32_t* d, const uint8_t* m, size_t n, uint32_t one, uint32_t zero) {
    for (size_t i = 0; i < n; ++i) d[i] &= m[i] ? one : zero;
}

} // namespace gdi::rows
