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

} // namespace sine_detail

inline double sine(double x)
{
    using sine_detail::STEPS;
    using sine_detail::table;
    if (!(std::fabs(x) < 1e6))
        return std::sin(x);
    // x = k*h + r with h = 2*pi/STEPS and |r| <= h/2. Adding 1.5 * 2^52
    // rounds to the nearest k and leaves k modulo 2^51 in the low bits; h is
    // taken in two parts, the first short enough for k*H1 to be exact.
    constexpr double INV_H = 40.74366543152521;
    constexpr double ROUND = 6755399441055744.0;
    constexpr double H1 = 0.024543692357838154;
    constexpr double H2 = 2.4833210583637806e-10;
    const double shifted = x * INV_H + ROUND;
    uint64_t bits;
    std::memcpy(&bits, &shifted, sizeof bits);
    const double k = shifted - ROUND;
    const double r = (x - k * H1) - k * H2;
    const unsigned i = (unsigned)(bits & (STEPS - 1));
    // sin(a + r) = sin a + (sin a * (cos r - 1) + cos a * sin r); the series
    // are cut where the next term is below 1e-17 for |r| <= h/2.
    const double r2 = r * r;
    const double sin_r = r + r * r2 * (-1.0 / 6.0 + r2 * (1.0 / 120.0));
    const double cos_r_minus_1 = r2 * (-0.5 + r2 * (1.0 / 24.0 - r2 * (1.0 / 720.0)));
    return table[i] + (table[i] * cos_r_minus_1 + table[i + STEPS / 4] * sin_r);
}
