// Vectors of numbers with one lane per module, for the modules of one class
// computed side by side (filters, sine oscillators). The compiler takes each
// operation on them in the widest registers the code is built for (AVX-512,
// AVX2 or the SSE2 of every x86-64, see LANES_FOR_EACH_WIDTH),
// rounding every lane as it would round one number alone.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

// Before a function of lanes: builds it for each register width, the best
// one chosen when the program starts. The widest is x86-64-v4 (AVX-512 with
// its extensions for narrower registers, masks and 32 of each register)
// rather than bare AVX-512F, which reaches only 16 of the 256-bit registers
// the lanes of floats live in. Under the thread sanitizer, only for
// the SSE2 of every x86-64: that choice runs before the sanitizer's run time
// is ready, and crashes.
#if defined(__SANITIZE_THREAD__)
#define LANES_FOR_EACH_WIDTH
#else
#define LANES_FOR_EACH_WIDTH __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#endif

namespace lanes {

constexpr int COUNT = 8;
using Doubles = double __attribute__((vector_size(COUNT * sizeof(double))));
using Floats = float __attribute__((vector_size(COUNT * sizeof(float))));
using Bits = uint64_t __attribute__((vector_size(COUNT * sizeof(uint64_t))));
using FloatBits = uint32_t __attribute__((vector_size(COUNT * sizeof(uint32_t))));
// Two vectors of floats side by side, for the steps that take no doubles:
// one AVX-512 register.
using FloatPairs = float __attribute__((vector_size(2 * COUNT * sizeof(float))));
using FloatBitPairs = uint32_t __attribute__((vector_size(2 * COUNT * sizeof(uint32_t))));

// Whether `count` modules are worth a run in `width` lanes: every lane is
// computed, used or not, so a run that fills fewer than half of them costs
// more than computing the modules one at a time.
constexpr bool worth_lanes(int count, int width) { return 2 * count >= width; }

// How many of `count` modules, taken in groups of COUNT lanes, fall in
// group g.
constexpr int in_group(int count, int g)
{
    const int rest = count - g * COUNT;
    return rest <= 0 ? 0 : rest < COUNT ? rest : COUNT;
}

// The unsigned integers as wide as F's lanes, for F float or a vector of
// floats: what their bits are read as.
template <typename F> struct bits_of;
template <> struct bits_of<float> { using type = uint32_t; };
template <> struct bits_of<Floats> { using type = FloatBits; };

// The width in bits of a vector's lanes, or of a number.
template <typename T> constexpr int lane_bits()
{
    if constexpr (std::is_arithmetic_v<T>)
        return 8 * sizeof(T);
    else
        return 8 * sizeof(T{}[0]);
}

// A value converted to another type, numbers and vectors of numbers alike.
// (Results are passed by reference, which carries a vector in and out of an
// inlined function without a call convention of its own.)
template <typename To, typename From>
__attribute__((always_inline)) inline void convert(const From &v, To &to)
{
    if constexpr (std::is_arithmetic_v<From>)
        to = (To)v;
    else
        to = __builtin_convertvector(v, To);
}

// Two vectors of floats (or of their bits) side by side, and back.
template <typename Pair, typename T>
__attribute__((always_inline)) inline void join(const T &a, const T &b, Pair &pair)
{
    static_assert(COUNT == 8, "eight lanes");
    pair = __builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
}
template <typename Pair, typename T>
__attribute__((always_inline)) inline void split(const Pair &pair, T &a, T &b)
{
    a = __builtin_shufflevector(pair, pair, 0, 1, 2, 3, 4, 5, 6, 7);
    b = __builtin_shufflevector(pair, pair, 8, 9, 10, 11, 12, 13, 14, 15);
}

// Eight rows of eight numbers turned into eight columns: rows[i][j] becomes
// rows[j][i]. In three rounds of shuffles, pairs of rows, then pairs of
// pairs, then halves.
__attribute__((always_inline)) inline void transpose(Floats (&r)[COUNT])
{
    static_assert(COUNT == 8, "eight lanes");
    const Floats t0 = __builtin_shufflevector(r[0], r[1], 0, 8, 1, 9, 4, 12, 5, 13);
    const Floats t1 = __builtin_shufflevector(r[0], r[1], 2, 10, 3, 11, 6, 14, 7, 15);
    const Floats t2 = __builtin_shufflevector(r[2], r[3], 0, 8, 1, 9, 4, 12, 5, 13);
    const Floats t3 = __builtin_shufflevector(r[2], r[3], 2, 10, 3, 11, 6, 14, 7, 15);
    const Floats t4 = __builtin_shufflevector(r[4], r[5], 0, 8, 1, 9, 4, 12, 5, 13);
    const Floats t5 = __builtin_shufflevector(r[4], r[5], 2, 10, 3, 11, 6, 14, 7, 15);
    const Floats t6 = __builtin_shufflevector(r[6], r[7], 0, 8, 1, 9, 4, 12, 5, 13);
    const Floats t7 = __builtin_shufflevector(r[6], r[7], 2, 10, 3, 11, 6, 14, 7, 15);
    const Floats u0 = __builtin_shufflevector(t0, t2, 0, 1, 8, 9, 4, 5, 12, 13);
    const Floats u1 = __builtin_shufflevector(t0, t2, 2, 3, 10, 11, 6, 7, 14, 15);
    const Floats u2 = __builtin_shufflevector(t1, t3, 0, 1, 8, 9, 4, 5, 12, 13);
    const Floats u3 = __builtin_shufflevector(t1, t3, 2, 3, 10, 11, 6, 7, 14, 15);
    const Floats u4 = __builtin_shufflevector(t4, t6, 0, 1, 8, 9, 4, 5, 12, 13);
    const Floats u5 = __builtin_shufflevector(t4, t6, 2, 3, 10, 11, 6, 7, 14, 15);
    const Floats u6 = __builtin_shufflevector(t5, t7, 0, 1, 8, 9, 4, 5, 12, 13);
    const Floats u7 = __builtin_shufflevector(t5, t7, 2, 3, 10, 11, 6, 7, 14, 15);
    r[0] = __builtin_shufflevector(u0, u4, 0, 1, 2, 3, 8, 9, 10, 11);
    r[1] = __builtin_shufflevector(u1, u5, 0, 1, 2, 3, 8, 9, 10, 11);
    r[2] = __builtin_shufflevector(u2, u6, 0, 1, 2, 3, 8, 9, 10, 11);
    r[3] = __builtin_shufflevector(u3, u7, 0, 1, 2, 3, 8, 9, 10, 11);
    r[4] = __builtin_shufflevector(u0, u4, 4, 5, 6, 7, 12, 13, 14, 15);
    r[5] = __builtin_shufflevector(u1, u5, 4, 5, 6, 7, 12, 13, 14, 15);
    r[6] = __builtin_shufflevector(u2, u6, 4, 5, 6, 7, 12, 13, 14, 15);
    r[7] = __builtin_shufflevector(u3, u7, 4, 5, 6, 7, 12, 13, 14, 15);
}

// to[k][j] = from[j][k] for the frames k of [0, n): one array of frames per
// lane into vectors of lanes, eight frames at a time through transpose().
// Frames of ints (gates) are carried bit for bit, to be read back with
// __builtin_bit_cast.
template <typename T>
__attribute__((always_inline)) inline void gather(const T *const (&from)[COUNT], Floats *to, int n)
{
    static_assert(sizeof(T) == sizeof(float), "frames of four bytes");
    int k = 0;
    for (; k + COUNT <= n; k += COUNT) {
        Floats rows[COUNT];
        for (int j = 0; j < COUNT; ++j)
            std::memcpy(&rows[j], from[j] + k, sizeof rows[j]);
        transpose(rows);
        for (int i = 0; i < COUNT; ++i)
            to[k + i] = rows[i];
    }
    for (; k < n; ++k)
        for (int j = 0; j < COUNT; ++j)
            to[k][j] = __builtin_bit_cast(float, from[j][k]);
}

// The other way: to[j][k] = from[k][j], for the lanes j below `count`.
__attribute__((always_inline)) inline void scatter(const Floats *from, float *const (&to)[COUNT],
                                                   int count, int n)
{
    int k = 0;
    for (; k + COUNT <= n; k += COUNT) {
        Floats rows[COUNT];
        for (int i = 0; i < COUNT; ++i)
            rows[i] = from[k + i];
        transpose(rows);
        for (int j = 0; j < count && j < COUNT; ++j)
            std::memcpy(to[j] + k, &rows[j], sizeof rows[j]);
    }
    for (; k < n; ++k)
        for (int j = 0; j < count; ++j)
            to[j][k] = from[k][j];
}

} // namespace lanes
