// Flush-to-zero and denormals-are-zero for the scope of one render. Decaying
// envelopes and filter histories fall into denormal numbers, which cost many
// times a normal operation; a value that small (below 1e-38) is far below
// one 16-bit step, so flushing it to zero changes no output sample. The
// floating-point mode of the thread is restored on leaving the scope.
// Where the processor has no such mode this does nothing.
#pragma once

#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

class FlushDenormals {
public:
#if defined(__SSE__) || defined(__x86_64__)
    // MXCSR bit 15 flushes results to zero, bit 6 reads denormal inputs as 0.
    FlushDenormals() : saved(_mm_getcsr()) { _mm_setcsr(saved | 0x8040u); }
    ~FlushDenormals() { _mm_setcsr(saved); }

private:
    unsigned int saved;
#elif defined(__aarch64__)
    // FPCR bit 24 (FZ) flushes both inputs and results.
    FlushDenormals()
    {
        __asm__ __volatile__("mrs %0, fpcr" : "=r"(saved));
        __asm__ __volatile__("msr fpcr, %0" : : "r"(saved | (1ull << 24)));
    }
    ~FlushDenormals() { __asm__ __volatile__("msr fpcr, %0" : : "r"(saved)); }

private:
    unsigned long long saved;
#else
    FlushDenormals() {}
#endif
public:
    FlushDenormals(const FlushDenormals &) = delete;
    FlushDenormals &operator=(const FlushDenormals &) = delete;
};
