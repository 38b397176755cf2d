// Whole-row kernels behind every copy and fill. Written with SSE2 where the
// compiler offers it: at -O2 gcc keeps most of these loops scalar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gdi::rows {

// Shorter fills stay inline: a call costs more than it saves.
constexpr size_t kWideFillFrom = 64;

inline void Fill(uint32_t* d, size_t n, uint32_t v) {
    // The C library's wide fill picks the machine's widest stores at run time.
    static_assert(sizeof(wchar_t) == sizeof(uint32_t));
    if (n >= kWideFillFrom) {
        std::wmemset(reinterpret_cast<wchar_t*>(d), static_cast<wchar_t>(v), n);
        return;
    }
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

enum class Bitwise { And, Or };

// d = d op s over a row of colour pixels or mask bytes, a vector at a time.
template <Bitwise Op, class T> inline void Combine(T* d, const T* s, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    constexpr size_t kStep = 16 / sizeof(T);
    for (; i + kStep <= n; i += kStep) {
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        const __m128i a = _mm_loadu_si128(dp);
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        _mm_storeu_si128(dp, Op == Bitwise::And ? _mm_and_si128(a, b) : _mm_or_si128(a, b));
    }
#endif
    for (; i < n; ++i) d[i] = static_cast<T>(Op == Bitwise::And ? d[i] & s[i] : d[i] | s[i]);
}

inline void And(uint32_t* d, const uint32_t* s, size_t n) {
    Combine<Bitwise::And>(d, s, n);
}

inline void Or(uint32_t* d, const uint32_t* s, size_t n) {
    Combine<Bitwise::Or>(d, s, n);
}

// One-bit rows (bytes 0/1) combined bitwise.
inline void AndBytes(uint8_t* d, const uint8_t* s, size_t n) {
    Combine<Bitwise::And>(d, s, n);
}

inline void OrBytes(uint8_t* d, const uint8_t* s, size_t n) {
    Combine<Bitwise::Or>(d, s, n);
}

#if defined(__SSE2__)
// Four mask bytes (0/1) at m as four all-ones or all-zero lanes.
inline __m128i LaneMask4(const uint8_t* m) {
    int32_t packed;
    std::memcpy(&packed, m, 4);
    const __m128i z = _mm_setzero_si128();
    __m128i v = _mm_cvtsi32_si128(packed);
    v = _mm_unpacklo_epi16(_mm_unpacklo_epi8(v, z), z);
    return _mm_sub_epi32(z, v);
}

// (m ? one : zero) for four lanes.
inline __m128i Choose4(const uint8_t* m, __m128i one, __m128i zero) {
    const __m128i sel = LaneMask4(m);
    return _mm_or_si128(_mm_and_si128(sel, one), _mm_andnot_si128(sel, zero));
}
#endif

// d = (d & (m ? one : zero)) | img: a one-bit mask (bytes 0/1) ANDed onto a
// colour row as the destination's background/text colours, then the image ORed.
inline void MaskedCopy(uint32_t* d, const uint8_t* m, const uint32_t* img, size_t n, uint32_t one,
                       uint32_t zero) {
    size_t i = 0;
#if defined(__SSE2__)
    if (one == 0xFFFFFFFFu && zero == 0) {
        for (; i + 8 <= n; i += 8) {
            __m128i* dp = reinterpret_cast<__m128i*>(d + i);
            const __m128i s0 = LaneMask4(m + i), s1 = LaneMask4(m + i + 4);
            const __m128i i0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i));
            const __m128i i1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i + 4));
            const __m128i d0 = _mm_loadu_si128(dp), d1 = _mm_loadu_si128(dp + 1);
            _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(d0, s0), i0));
            _mm_storeu_si128(dp + 1, _mm_or_si128(_mm_and_si128(d1, s1), i1));
        }
    } else {
        const __m128i vOne = _mm_set1_epi32(static_cast<int>(one));
        const __m128i vZero = _mm_set1_epi32(static_cast<int>(zero));
        for (; i + 4 <= n; i += 4) {
            __m128i* dp = reinterpret_cast<__m128i*>(d + i);
            const __m128i a = Choose4(m + i, vOne, vZero);
            const __m128i iv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i));
            _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(dp), a), iv));
        }
    }
#endif
    for (; i < n; ++i) d[i] = (d[i] & (m[i] ? one : zero)) | img[i];
}

// d = img wherever img is not black: the masked copy of a row whose mask is
// transparent exactly on its black pixels.
inline void KeyedCopy(uint32_t* d, const uint32_t* img, size_t n) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8) {
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        const __m128i i0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i));
        const __m128i i1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(img + i + 4));
        const __m128i k0 = _mm_cmpeq_epi32(i0, zero), k1 = _mm_cmpeq_epi32(i1, zero);
        _mm_storeu_si128(dp, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(dp), k0), i0));
        _mm_storeu_si128(dp + 1, _mm_or_si128(_mm_and_si128(_mm_loadu_si128(dp + 1), k1), i1));
    }
#endif
    for (; i < n; ++i) {
        if (img[i] != 0) d[i] = img[i];
    }
}

// A one-bit row onto a colour row, its bits taken as the colours one and zero:
// op 0 copies, 1 ANDs, 2 ORs.
inline void FromMask(uint32_t* d, const uint8_t* m, size_t n, uint32_t one, uint32_t zero, int op) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i vOne = _mm_set1_epi32(static_cast<int>(one));
    const __m128i vZero = _mm_set1_epi32(static_cast<int>(zero));
    for (; i + 4 <= n; i += 4) {
        __m128i* dp = reinterpret_cast<__m128i*>(d + i);
        const __m128i v = Choose4(m + i, vOne, vZero);
        if (op == 0) {
            _mm_storeu_si128(dp, v);
        } else if (op == 1) {
            _mm_storeu_si128(dp, _mm_and_si128(_mm_loadu_si128(dp), v));
        } else {
            _mm_storeu_si128(dp, _mm_or_si128(_mm_loadu_si128(dp), v));
        }
    }
#endif
    for (; i < n; ++i) {
        const uint32_t v = m[i] ? one : zero;
        d[i] = op == 0 ? v : op == 1 ? (d[i] & v) : (d[i] | v);
    }
}

// 1 where the colour pixel equals key, else 0 (a colour row into one-bit).
inline void ToMask(uint8_t* d, const uint32_t* s, size_t n, uint32_t key) {
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    const __m128i ones = _mm_set1_epi8(1);
    for (; i + 16 <= n; i += 16) {
        const __m128i* sp = reinterpret_cast<const __m128i*>(s + i);
        const __m128i e0 = _mm_cmpeq_epi32(_mm_loadu_si128(sp), k);
        const __m128i e1 = _mm_cmpeq_epi32(_mm_loadu_si128(sp + 1), k);
        const __m128i e2 = _mm_cmpeq_epi32(_mm_loadu_si128(sp + 2), k);
        const __m128i e3 = _mm_cmpeq_epi32(_mm_loadu_si128(sp + 3), k);
        const __m128i w = _mm_packs_epi16(_mm_packs_epi32(e0, e1), _mm_packs_epi32(e2, e3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_and_si128(w, ones));
    }
#endif
    for (; i < n; ++i) d[i] = s[i] == key ? 1 : 0;
}

} // namespace gdi::rows
