// Real-time voices: how many voices one callback of 3072 frames computes
// within its period (69.7 ms) on one core. A voice is the one of
// VOICES_32_ACTIVE.QSY: a sine, an envelope amplifier that one sequencer
// retriggers 8 times a second, and a running low-pass filter, into mixers of
// at most 24 channels that feed MIXER_4 (through as many levels as the count
// needs). Patches of growing voice counts are written and rendered as the
// program's --render does; a count fits when the median over runs of its
// median callback time is within the period. Run from data/.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "block_timing.h"

namespace {

constexpr int CHANNELS = 24; // a mixer's most
constexpr int RUNS = 5;
constexpr int BLOCKS = 12;
constexpr int WARM_UP = 2;
constexpr int FIRST_COUNT = 16;
constexpr int RESOLUTION = 4; // voices

std::string module_line(const char *format, int number, const std::string &fields)
{
    char name[32];
    std::snprintf(name, sizeof name, format, number);
    return name + (";" + fields) + "\n";
}

// The voices of VOICES_32_ACTIVE.QSY, the 32 of them repeated.
std::string voices_patch(int voices)
{
    std::string declared = "SEQUENCER_1;DIVIDER=8;NBR_STEP=8;\n", links;
    std::vector<std::string> outputs;
    for (int v = 0; v < voices; ++v) {
        char fields[96];
        std::snprintf(fields, sizeof fields, "TYPE=1;FREQ=%f;AMOUNT=0.80;PHASE=0;",
                      55.0 * std::pow(2.0, v % 32 / 12.0));
        declared += module_line("VCO_%d", v, fields);
        declared += module_line("VCA_%d", v, "ATTACK=5;DECAY=250;SUSTAIN=0;RELEASE=80;INVERT=0;");
        std::snprintf(fields, sizeof fields, "HICUT=%d;Q=1.500000;GAIN=0;TYPE=1;BYPASS=0;",
                      660 + 60 * (v % 32));
        declared += module_line("PCF_%d", v, fields);
        links += module_line("VCA_%d", v, "IN=VCO_" + std::to_string(v) + ";GATE=SEQUENCER_1;");
        links += module_line("PCF_%d", v, "IN=VCA_" + std::to_string(v) + ";");
        outputs.push_back("PCF_" + std::to_string(v));
    }
    // Mixers of equal shares, level after level, until one mixer takes all.
    for (int level = 0;; ++level) {
        const int mixers = (static_cast<int>(outputs.size()) + CHANNELS - 1) / CHANNELS;
        std::vector<std::string> next;
        for (int m = 0; m < mixers; ++m) {
            const std::string name =
                mixers == 1 ? std::string("MIXER_4")
                            : "MIXER_L" + std::to_string(level) + "_" + std::to_string(m);
            declared += name + ";;\n";
            links += name + ";";
            for (std::size_t i = m * outputs.size() / mixers; i < (m + 1) * outputs.size() / mixers;
                 ++i)
                links += "ADD_CHANELL=" + outputs[i] + ";";
            links += "\n";
            next.push_back(name);
        }
        if (mixers == 1)
            break;
        outputs = next;
    }
    return "#Generated_by_bench_realtime_voices\nBEGIN_OBJECTS_DECLARE\n" + declared +
           "END_OBJECTS_DECLARE\nBEGIN_LINKS_DECLARE\n" + links +
           "OUTPUT_1;MIXER_4;\nEND_LINKS_DECLARE\n";
}

// The median over runs of the median callback time of a patch of `voices`
// voices, in seconds; a negative value when the patch does not load.
double callback_seconds(int voices)
{
    const std::string path = "/tmp/qm_voices_" + std::to_string(getpid()) + ".QSY";
    FILE *f = std::fopen(path.c_str(), "w");
    if (!f)
        return -1.0;
    const std::string text = voices_patch(voices);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    std::vector<double> runs;
    for (int run = 0; run < RUNS; ++run) {
        const std::vector<double> spent = bench::block_seconds(path, BLOCKS, WARM_UP);
        if (spent.empty())
            break;
        runs.push_back(bench::median(spent));
    }
    std::remove(path.c_str());
    if (runs.size() < RUNS)
        return -1.0;
    const double seconds = bench::median(runs);
    std::printf("%7d %12.2f %11.1f%%\n", voices, 1000.0 * seconds,
                100.0 * seconds / bench::BLOCK_PERIOD);
    std::fflush(stdout);
    return seconds;
}

} // namespace

int main()
{
    std::printf("\nReal-time voices: sine + envelope + running low-pass, callbacks of %d frames "
                "(%.1f ms), median of %d runs of %d callbacks\n",
                BLOCK_FRAMES, 1000.0 * bench::BLOCK_PERIOD, RUNS, BLOCKS);
    std::printf("%7s %12s %12s\n", "voices", "callback ms", "of period");

    // Doubling until a count misses, then halving the gap between the
    // largest count that fits and the smallest that misses.
    int fits = 0, misses = 0;
    double fits_seconds = 0.0;
    auto next_count = [&] {
        return misses == 0 ? std::max(2 * fits, FIRST_COUNT) : (fits + misses) / 2;
    };
    while (misses == 0 || misses - fits > RESOLUTION) {
        const int voices = next_count();
        const double s = callback_seconds(voices);
        if (s < 0) {
            std::printf("the generated patch of %d voices did not load\n", voices);
            return 1;
        }
        if (s <= bench::BLOCK_PERIOD) {
            fits = voices;
            fits_seconds = s;
        } else {
            misses = voices;
        }
    }
    std::printf("Real-time voices: %d fit one callback on one core (%d do not)", fits, misses);
    if (fits > 0)
        std::printf(", %.1f ns per voice-sample", 1e9 * fits_seconds / fits / BLOCK_FRAMES);
    std::printf("\n");
    return 0;
}
