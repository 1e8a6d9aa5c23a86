// A sine for the per-sample path: a table of 256 points around the circle
// and short polynomials between them, within 2e-16 of the C library's sine
// for |x| below 1e6 (the library's own sine beyond that, for infinities and
// for NaN). Several times cheaper than the library call, and its steps do not
// depend on each other, so the sines of many oscillators overlap.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sine_detail {

constexpr int STEPS = 256;
// sin(2*pi*i/STEPS) for i in 0 .. STEPS + STEPS/4: entry i + STEPS/4 is the
// cosine at i. Filled before main() runs.
extern const std::array<double, STEPS + STEPS / 4> table;

// For each step i of the circle, the sine over [(i - 1/2) h, (i + 1/2) h]:
// +1 all at or above 1/2, -1 all below -1/2, 0 all between, and BOTH for the
// four steps that hold one of those thresholds.
constexpr signed char BOTH = 2;
extern const std::array<signed char, STEPS> half_levels;

constexpr double INV_H = 40.74366543152521;  // STEPS / (2*pi)
constexpr double ROUND = 6755399441055744.0; // 1.5 * 2^52

// x * STEPS / (2*pi) + 1.5 * 2^52: the nearest whole step k is in the low
// bits of the result (modulo 2^51).
inline double shifted_steps(double x) { return x * INV_H + ROUND; }

inline unsigned step_index(double shifted)
{
    uint64_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    return (unsigned)(bits & (STEPS - 1));
}

} // namespace sine_detail

// The sines of L values at once, each exactly sine(x[j]) below: two at a
// time in the vector registers every x86-64 processor has (the same
// operations, each rounded as the one-at-a-time steps round it), and a lane
// beyond the table's range taken again from the library.
template <int L> inline void sines(const double *x, double *out)
{
    using namespace sine_detail;
    static_assert(L == 1 || L % 2 == 0, "lanes are taken two at a time");
    // x = k*h + r with h = 2*pi/STEPS and |r| <= h/2; h is taken in two parts,
    // the first short enough for k*H1 to be exact.
    constexpr double H1 = 0.024543692357838154;
    constexpr double H2 = 2.4833210583637806e-10;
#if defined(__SSE2__)
    if constexpr (L % 2 == 0) {
        for (int j = 0; j < L; j += 2) {
            const __m128d v = _mm_loadu_pd(x + j);
            const __m128d shifted =
                _mm_add_pd(_mm_mul_pd(v, _mm_set1_pd(INV_H)), _mm_set1_pd(ROUND));
            const __m128d k = _mm_sub_pd(shifted, _mm_set1_pd(ROUND));
            const __m128d r = _mm_sub_pd(_mm_sub_pd(v, _mm_mul_pd(k, _mm_set1_pd(H1))),
                                         _mm_mul_pd(k, _mm_set1_pd(H2)));
            const __m128i bits = _mm_castpd_si128(shifted);
            const unsigned i0 = (unsigned)_mm_cvtsi128_si32(bits) & (STEPS - 1);
            const unsigned i1 =
                (unsigned)_mm_cvtsi128_si32(_mm_unpackhi_epi64(bits, bits)) & (STEPS - 1);
            // As below, term by term.
            const __m128d r2 = _mm_mul_pd(r, r);
            const __m128d sin_r = _mm_add_pd(
                r, _mm_mul_pd(_mm_mul_pd(r, r2),
                              _mm_add_pd(_mm_set1_pd(-1.0 / 6.0),
                                         _mm_mul_pd(r2, _mm_set1_pd(1.0 / 120.0)))));
            const __m128d cos_r_minus_1 = _mm_mul_pd(
                r2, _mm_add_pd(_mm_set1_pd(-0.5),
                               _mm_mul_pd(r2, _mm_sub_pd(_mm_set1_pd(1.0 / 24.0),
                                                         _mm_mul_pd(r2, _mm_set1_pd(1.0 / 720.0))))));
            const __m128d sin_a = _mm_set_pd(table[i1], table[i0]);
            const __m128d cos_a = _mm_set_pd(table[i1 + STEPS / 4], table[i0 + STEPS / 4]);
            _mm_storeu_pd(out + j,
                          _mm_add_pd(sin_a, _mm_add_pd(_mm_mul_pd(sin_a, cos_r_minus_1),
                                                       _mm_mul_pd(cos_a, sin_r))));
        }
    } else
#endif
    {
        for (int j = 0; j < L; ++j) {
            const double shifted = shifted_steps(x[j]);
            const double k = shifted - ROUND;
            const double r = (x[j] - k * H1) - k * H2;
            const unsigned i = step_index(shifted);
            // sin(a + r) = sin a + (sin a * (cos r - 1) + cos a * sin r); the
            // series are cut where the next term is below 1e-17 for |r| <= h/2.
            const double r2 = r * r;
            const double sin_r = r + r * r2 * (-1.0 / 6.0 + r2 * (1.0 / 120.0));
            const double cos_r_minus_1 = r2 * (-0.5 + r2 * (1.0 / 24.0 - r2 * (1.0 / 720.0)));
            out[j] = table[i] + (table[i] * cos_r_minus_1 + table[i + STEPS / 4] * sin_r);
        }
    }
    for (int j = 0; j < L; ++j)
        if (!(std::fabs(x[j]) < 1e6))
            out[j] = std::sin(x[j]);
}

inline double sine(double x)
{
    double s;
    sines<1>(&x, &s);
    return s;
}

// +1 when sine(x) >= 0.5, -1 when sine(x) < -0.5, else 0: the same decision
// as testing sine(x), which is computed only near the two thresholds.
inline int sine_beyond_half(double x)
{
    using namespace sine_detail;
    int level = std::fabs(x) < 1e6 ? half_levels[step_index(shifted_steps(x))] : BOTH;
    if (level == BOTH) {
        const double s = sine(x);
        level = s >= 0.5 ? 1 : s < -0.5 ? -1 : 0;
    }
    return level;
}
