// Offline render speed of every demo patch and of the two 32-voice patches
// of the Pure Data comparison: seconds of audio per second of processor time,
// and the share of the block period (3072 frames, 69.7 ms) that one callback
// takes. Run from data/.
#include <algorithm>
#include <cstdio>
#include <glob.h>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include "block_timing.h"

namespace {

constexpr double AUDIO_SECONDS = 20.0;

std::vector<std::string> demo_patches()
{
    std::vector<std::string> paths;
    glob_t found;
    if (glob("QSY/*.QSY", 0, nullptr, &found) == 0)
        paths.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
    globfree(&found);
    return paths;
}

// The filters of VOICES_32 are bypassed; those of VOICES_32_ACTIVE run.
const char *const REFERENCE_PATCHES[] = {QM_SOURCE_DIR "/bench/VOICES_32.QSY",
                                         QM_SOURCE_DIR "/bench/VOICES_32_ACTIVE.QSY"};

struct Figures {
    double real_time_factor;
    double mean_block_share;
    double worst_block_share;
};

bool measure(const std::string &patch, Figures &f)
{
    const int blocks = static_cast<int>(AUDIO_SECONDS * Frequency / BLOCK_FRAMES);
    const std::vector<double> spent = bench::block_seconds(patch, blocks);
    if (spent.empty())
        return false;
    const double total = std::accumulate(spent.begin(), spent.end(), 0.0);
    f.real_time_factor = blocks * bench::BLOCK_PERIOD / total;
    f.mean_block_share = total / blocks / bench::BLOCK_PERIOD;
    f.worst_block_share = *std::max_element(spent.begin(), spent.end()) / bench::BLOCK_PERIOD;
    return true;
}

} // namespace

int main()
{
    std::vector<std::string> patches = demo_patches();
    patches.insert(patches.end(), std::begin(REFERENCE_PATCHES), std::end(REFERENCE_PATCHES));

    std::vector<Figures> figures(patches.size());
    std::vector<bool> measured(patches.size());
    for (size_t i = 0; i < patches.size(); ++i)
        measured[i] = measure(patches[i], figures[i]);

    std::printf("\nOffline render, %.0f s of audio per patch, blocks of %d frames (%.1f ms)\n",
                AUDIO_SECONDS, BLOCK_FRAMES, 1000.0 * BLOCK_FRAMES / Frequency);
    std::printf("%-40s %14s %12s %12s\n", "patch", "x real time", "block mean", "block worst");
    for (size_t i = 0; i < patches.size(); ++i) {
        std::string name = patches[i].substr(patches[i].rfind('/') + 1);
        if (!measured[i]) {
            std::printf("%-40s %14s\n", name.c_str(), "not loaded");
            continue;
        }
        std::printf("%-40s %13.1fx %11.2f%% %11.2f%%\n", name.c_str(), figures[i].real_time_factor,
                    100 * figures[i].mean_block_share, 100 * figures[i].worst_block_share);
    }
    return 0;
}
