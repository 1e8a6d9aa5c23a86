// A sine for the per-sample path, within 2e-16 of the C library's sine for
// |x| below 1e6 (the library's own sine beyond that, for infinities and for
// NaN). x is taken to within an eighth of a turn of the nearest multiple of
// pi/2, where short series give the sine or the cosine, whichever that
// quarter of the circle asks for. There is no table and no branch, so the
// sines of several oscillators can be taken at once in vector registers.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "synth/lanes.h"

namespace sine_detail {

constexpr double LIMIT = 1e6;
constexpr double ROUND = 6755399441055744.0; // 1.5 * 2^52

// x = k*pi/2 + r with |r| <= pi/4, for |x| < LIMIT: r, and k modulo 4 (the
// quarter) in the two lowest bits of `quarter`. D is double, with Bits
// uint64_t, or a vector of doubles, with Bits a vector of as many uint64_t:
// every lane then takes the very steps one double takes. (Results are passed
// by reference, which carries a vector out without a call convention of its
// own.)
template <typename D, typename Bits>
__attribute__((always_inline)) inline void reduce(const D &x, D &r, Bits &quarter)
{
    // x * 2/pi + ROUND holds the nearest whole k in its low bits. pi/2 is
    // taken in three parts, the first two short enough for k times them to be
    // exact below 2^20.
    constexpr double TWO_OVER_PI = 0.63661977236758134308;
    constexpr double P1 = 1.57079632673412561417e+00;
    constexpr double P2 = 6.07710050630396597660e-11;
    constexpr double P3 = 2.02226624871116645580e-21;
    const D shifted = x * TWO_OVER_PI + ROUND;
    const D k = shifted - ROUND;
    r = ((x - k * P1) - k * P2) - k * P3;
    quarter = __builtin_bit_cast(Bits, shifted);
}

// Of the sine s and the cosine c of r: the sine of x = k*pi/2 + r. Quarters 1
// and 3 take the cosine, quarters 2 and 3 the opposite sign: chosen with
// masks of the quarter's bits. U is the unsigned integer (or vector of them)
// as wide as T.
template <typename T, typename U>
__attribute__((always_inline)) inline void by_quarter(const U &quarter, const T &s, const T &c,
                                                      T &out)
{
    constexpr int SIGN = lanes::lane_bits<T>() - 2;
    const U odd = 0 - (quarter & 1);
    const U chosen = (__builtin_bit_cast(U, s) & ~odd) | (__builtin_bit_cast(U, c) & odd);
    out = __builtin_bit_cast(T, chosen ^ ((quarter & 2) << SIGN));
}

// sine(x) for |x| < LIMIT, in `out`, of doubles or of vectors of them (as
// reduce()).
template <typename D, typename Bits>
__attribute__((always_inline)) inline void near_sine(const D &x, D &out)
{
    D r;
    Bits quarter;
    reduce(x, r, quarter);
    const D z = r * r;
    // Minimax series of the sine and the cosine over |r| <= pi/4, within
    // 2^-58 of them.
    const D s =
        r +
        z * r *
            (-1.66666666666666324348e-01 +
             z * (8.33333333332248946124e-03 +
                  z * (-1.98412698298579493134e-04 +
                       z * (2.75573137070700676789e-06 +
                            z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)))));
    const D c_tail =
        z * z *
        (4.16666666666666019037e-02 +
         z * (-1.38888888888741095749e-03 +
              z * (2.48015872894767294178e-05 +
                   z * (-2.75573143513906633035e-07 +
                        z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
    // 1 - z/2 + tail, with the rounding of 1 - z/2 carried into the tail.
    const D half_z = 0.5 * z;
    const D w = 1.0 - half_z;
    const D c = w + (((1.0 - w) - half_z) + c_tail);
    by_quarter(quarter, s, c, out);
}

// sine(x) for |x| < LIMIT to single precision, within 1e-7 of it: reduced
// in double (angles reach thousands of radians), then short series in float,
// cheaper and twice as many to a register. In two halves, so that the series
// can take the reductions of two vectors of doubles at once.

// The first half: the reduction, to single precision. F is float with FBits
// uint32_t, or vectors of as many of them as D has lanes.
template <typename D, typename Bits, typename F, typename FBits>
__attribute__((always_inline)) inline void reduce_single(const D &x, F &r, FBits &quarter)
{
    D wide_r;
    Bits wide_quarter;
    reduce(x, wide_r, wide_quarter);
    lanes::convert(wide_r, r);
    lanes::convert(wide_quarter, quarter);
}

// The second half: the series, floats or vectors of them.
template <typename F, typename FBits>
__attribute__((always_inline)) inline void single_series(const F &r, const FBits &quarter, F &out)
{
    const F z = r * r;
    const F s = r + z * r * (-1.6666654611e-1f + z * (8.3321608736e-3f + z * -1.9515295891e-4f));
    const F c = (1.0f - 0.5f * z) +
                z * z * (4.166664568298827e-2f + z * (-1.388731625493765e-3f + z * 2.443315711809948e-5f));
    by_quarter(quarter, s, c, out);
}

// For sine_beyond_half: the circle in 256 steps.
constexpr int STEPS = 256;
constexpr double INV_H = 40.74366543152521; // STEPS / (2*pi)

// For each step i of the circle, the sine over [(i - 1/2) h, (i + 1/2) h]:
// +1 all at or above 1/2, -1 all below -1/2, 0 all between, and BOTH for the
// four steps that hold one of those thresholds.
constexpr signed char BOTH = 2;
extern const std::array<signed char, STEPS> half_levels;

// The nearest whole step to x, modulo STEPS.
inline unsigned step_index(double x)
{
    return (unsigned)(__builtin_bit_cast(uint64_t, x * INV_H + ROUND) & (STEPS - 1));
}

} // namespace sine_detail

inline double sine(double x)
{
    if (!(std::fabs(x) < sine_detail::LIMIT))
        return std::sin(x);
    double s;
    sine_detail::near_sine<double, uint64_t>(x, s);
    return s;
}

// sine(x) to single precision (reduce_single, then single_series), for the
// oscillators' sine wave.
inline float sine_single(double x)
{
    if (!(std::fabs(x) < sine_detail::LIMIT))
        return (float)std::sin(x);
    float r, s;
    uint32_t quarter;
    sine_detail::reduce_single<double, uint64_t>(x, r, quarter);
    sine_detail::single_series(r, quarter, s);
    return s;
}

// +1 when sine(x) >= 0.5, -1 when sine(x) < -0.5, else 0: the same decision
// as testing sine(x), which is computed only near the two thresholds.
inline int sine_beyond_half(double x)
{
    using namespace sine_detail;
    int level = std::fabs(x) < LIMIT ? half_levels[step_index(x)] : BOTH;
    if (level == BOTH) {
        const double s = sine(x);
        level = s >= 0.5 ? 1 : s < -0.5 ? -1 : 0;
    }
    return level;
}
