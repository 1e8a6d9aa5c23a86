// What the module benchmarks share: a fixed signal for inputs, and the timer
// that prints "<case>: <ns> ns/module-sample". Header only: every bench/*.cpp
// is a program of its own.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "synth/mixer.h"

namespace bench {

constexpr int RATE = 44100;
constexpr int SECONDS_PER_RUN = 3;
constexpr int RUNS = 7; // the fastest run is reported: the least disturbed

// A fixed signal for inputs that need one.
struct Constant final : OUTPUT {
    explicit Constant(float v) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

// One fixed signal for every channel a mixer can take, of varied levels.
inline std::vector<std::unique_ptr<Constant>> channel_sources()
{
    std::vector<std::unique_ptr<Constant>> sources;
    for (int i = 0; i < MIXER::CHANNELS; ++i)
        sources.push_back(std::make_unique<Constant>((float)(i % 7) / 8.0f - 0.375f));
    return sources;
}

// Where the timed results go, so that the compiler keeps the work.
inline volatile float sink;

// Times `frames` (which computes `per_call` frames of `modules` modules) over
// about SECONDS_PER_RUN seconds of audio and prints the time per
// module-sample.
inline void report(const char *name, int modules, const std::function<float()> &frames,
                   int per_call = 1)
{
    const int calls = RATE * SECONDS_PER_RUN / per_call;
    double best = 1e300;
    for (int run = 0; run < RUNS; ++run) {
        float acc = 0.0f;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            acc += frames();
        const std::chrono::duration<double, std::nano> spent =
            std::chrono::steady_clock::now() - start;
        sink = acc;
        const double ns = spent.count() / calls / per_call / modules;
        if (ns < best)
            best = ns;
    }
    std::printf("%s: %.1f ns/module-sample\n", name, best);
    std::fflush(stdout);
}

} // namespace bench
