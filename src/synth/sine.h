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

// The sines of L values at once, each exactly sine(x[j]) below: the steps
// are taken for all lanes together, which the compiler computes in vector
// registers, and a lane beyond the table's range is taken again from the
// library.
template <int L> inline void sines(const double *x, double *out)
{
    using namespace sine_detail;
    // x = k*h + r with h = 2*pi/STEPS and |r| <= h/2; h is taken in two parts,
    // the first short enough for k*H1 to be exact.
    constexpr double H1 = 0.024543692357838154;
    constexpr double H2 = 2.4833210583637806e-10;
    double shifted[L], r[L], sin_r[L], cos_r_minus_1[L];
    unsigned i[L];
    for (int j = 0; j < L; ++j)
        shifted[j] = shifted_steps(x[j]);
    for (int j = 0; j < L; ++j) {
        const double k = shifted[j] - ROUND;
        r[j] = (x[j] - k * H1) - k * H2;
    }
    for (int j = 0; j < L; ++j)
        i[j] = step_index(shifted[j]);
    // sin(a + r) = sin a + (sin a * (cos r - 1) + cos a * sin r); the series
    // are cut where the next term is below 1e-17 for |r| <= h/2.
    for (int j = 0; j < L; ++j) {
        const double r2 = r[j] * r[j];
        sin_r[j] = r[j] + r[j] * r2 * (-1.0 / 6.0 + r2 * (1.0 / 120.0));
        cos_r_minus_1[j] = r2 * (-0.5 + r2 * (1.0 / 24.0 - r2 * (1.0 / 720.0)));
    }
    for (int j = 0; j < L; ++j)
        out[j] = table[i[j]] + (table[i[j]] * cos_r_minus_1[j] + table[i[j] + STEPS / 4] * sin_r[j]);
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
