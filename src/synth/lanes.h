// Vectors of numbers with one lane per module, for the modules of one class
// computed side by side (filters, sine oscillators). The compiler takes each
// operation on them in the widest registers the code is built for (AVX-512,
// AVX2 or the SSE2 of every x86-64, see LANES_FOR_EACH_WIDTH),
// rounding every lane as it would round one number alone.
#pragma once

#include <cstdint>
#include <type_traits>

// Before a function of lanes: builds it for each register width, the best
// one chosen when the program starts. Under the thread sanitizer, only for
// the SSE2 of every x86-64: that choice runs before the sanitizer's run time
// is ready, and crashes.
#if defined(__SANITIZE_THREAD__)
#define LANES_FOR_EACH_WIDTH
#else
#define LANES_FOR_EACH_WIDTH __attribute__((target_clones("avx512f", "avx2", "default")))
#endif

namespace lanes {

constexpr int COUNT = 8;
using Doubles = double __attribute__((vector_size(COUNT * sizeof(double))));
using Floats = float __attribute__((vector_size(COUNT * sizeof(float))));
using Bits = uint64_t __attribute__((vector_size(COUNT * sizeof(uint64_t))));

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

} // namespace lanes
