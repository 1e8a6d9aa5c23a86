// What the render benchmarks share: the processor time of each callback of a
// patch rendered offline, as the sound stream would ask for it. Header only:
// every bench/*.cpp is a program of its own.
#pragma once

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "app/offline_render.h"
#include "app/render_callback.h"

namespace bench {

// The period one callback must fit into: 3072 frames, about 69.7 ms.
constexpr double BLOCK_PERIOD = static_cast<double>(BLOCK_FRAMES) / Frequency;

// Processor time of the calling thread: what the render costs, whatever else
// the machine runs meanwhile.
inline double thread_cpu_seconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Loads the patch as the program's --render does, skips `warm_up` callbacks
// (caches, first sequencer steps), then returns the processor seconds of
// each of the next `blocks` callbacks. Empty when the patch does not load.
inline std::vector<double> block_seconds(const std::string &patch, int blocks, int warm_up = 0)
{
    std::vector<double> spent;
    int status;
    if (!start_patch_offline(patch, status))
        return spent;
    std::vector<int16_t> buffer(2 * BLOCK_FRAMES);
    for (int b = 0; b < warm_up + blocks; ++b) {
        const double start = thread_cpu_seconds();
        instrument_callback(nullptr, buffer.data(), BufferSize, nullptr);
        if (b >= warm_up)
            spent.push_back(thread_cpu_seconds() - start);
    }
    stop_patch_offline();
    return spent;
}

} // namespace bench
