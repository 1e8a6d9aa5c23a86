// Offline render speed of every demo patch and of a 32-voice reference patch:
// seconds of audio per second of processor time, and the share of the block
// period (3072 frames, 69.7 ms) that one callback takes. Run from data/.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <glob.h>
#include <string>
#include <vector>

#include "app/offline_render.h"
#include "app/render_callback.h"

namespace {

constexpr double AUDIO_SECONDS = 20.0;

double thread_cpu_seconds()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

std::vector<std::string> demo_patches()
{
    std::vector<std::string> paths;
    glob_t found;
    if (glob("QSY/*.QSY", 0, nullptr, &found) == 0)
        paths.assign(found.gl_pathv, found.gl_pathv + found.gl_pathc);
    globfree(&found);
    return paths;
}

std::string reference_patch()
{
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/') + 1) + "VOICES_32.QSY";
}

struct Figures {
    double real_time_factor;
    double mean_block_share;
    double worst_block_share;
};

bool measure(const std::string &patch, Figures &f)
{
    int status;
    if (!start_patch_offline(patch, status))
        return false;
    const int blocks = static_cast<int>(AUDIO_SECONDS * Frequency / BLOCK_FRAMES);
    const double period = static_cast<double>(BLOCK_FRAMES) / Frequency;
    std::vector<int16_t> buffer(2 * BLOCK_FRAMES);
    double total = 0.0, worst = 0.0;
    for (int b = 0; b < blocks; ++b) {
        double start = thread_cpu_seconds();
        instrument_callback(nullptr, buffer.data(), BufferSize, nullptr);
        double spent = thread_cpu_seconds() - start;
        total += spent;
        worst = std::max(worst, spent);
    }
    stop_patch_offline();
    f.real_time_factor = blocks * period / total;
    f.mean_block_share = total / blocks / period;
    f.worst_block_share = worst / period;
    return true;
}

} // namespace

int main()
{
    std::vector<std::string> patches = demo_patches();
    patches.push_back(reference_patch());

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
