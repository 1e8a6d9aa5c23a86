// Every demo patch and the reference patches of the render benchmark, rendered
// offline for a few seconds and compared with the recordings in
// tests/app/golden/ (16-bit mono, little-endian, the left channel; play one
// with `play -t raw -r 44100 -e signed -b 16 -c 1 FILE`). Deterministic
// patches must stay within one 16-bit step of their recording on every
// sample, and render the same twice; noise patches, whose random sequence is
// not part of the sound, must keep their level and spectrum.
//
// QM_WRITE_GOLDEN=1 records the renders anew instead of comparing: do that
// only with an engine whose sound is known to be right.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <glob.h>
#include <string>
#include <vector>

#include "app/offline_render.h"
#include "app/render_callback.h"

namespace {

constexpr long FRAMES = 3 * 44100;
const std::string GOLDEN_DIR = QM_SOURCE_DIR "/tests/app/golden/";

enum class Compare { samples, level_and_spectrum };

struct Patch {
    std::string path; // relative to data/, or absolute
    Compare compare;
};

std::vector<Patch> patches()
{
    std::vector<Patch> list;
    glob_t found;
    if (glob("QSY/*.QSY", 0, nullptr, &found) == 0)
        for (size_t i = 0; i < found.gl_pathc; ++i)
            list.push_back({found.gl_pathv[i], Compare::samples});
    globfree(&found);
    list.push_back({QM_SOURCE_DIR "/bench/VOICES_32.QSY", Compare::samples});
    list.push_back({QM_SOURCE_DIR "/bench/VOICES_32_ACTIVE.QSY", Compare::samples});
    list.push_back({GOLDEN_DIR + "NOISE.QSY", Compare::level_and_spectrum});
    return list;
}

std::string recording_of(const std::string &patch)
{
    std::string name = patch.substr(patch.rfind('/') + 1);
    return GOLDEN_DIR + name.substr(0, name.rfind('.')) + ".s16";
}

// The left channel of FRAMES frames of the patch; empty when it cannot load.
std::vector<int16_t> render(const std::string &patch)
{
    int status;
    if (!start_patch_offline(patch, status))
        return {};
    std::vector<int16_t> stereo(2 * FRAMES);
    render_frames(stereo.data(), FRAMES);
    stop_patch_offline();
    std::vector<int16_t> left(FRAMES);
    for (long i = 0; i < FRAMES; ++i)
        left[i] = stereo[2 * i];
    return left;
}

std::vector<int16_t> read_samples(const std::string &path)
{
    std::vector<int16_t> s(FRAMES);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char *>(s.data()), s.size() * sizeof s[0]);
    s.resize(in.gcount() / sizeof s[0]);
    return s;
}

bool write_samples(const std::string &path, const std::vector<int16_t> &s)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(s.data()), s.size() * sizeof s[0]);
    return out.flush().good();
}

// Mean power, in dB of full scale, of the signal and of eight bands from
// 100 Hz to 12.8 kHz (one component per octave, by Goertzel over blocks of
// 1024 samples, averaged).
std::vector<double> level_and_spectrum(const std::vector<int16_t> &s)
{
    constexpr int BLOCK = 1024;
    std::vector<double> power(9, 0.0);
    for (int16_t v : s)
        power[0] += (double)v * v / s.size();
    const int blocks = (int)s.size() / BLOCK;
    for (int band = 0; band < 8; ++band) {
        const double w = 2.0 * M_PI * 100.0 * std::pow(2.0, band) / 44100.0;
        for (int b = 0; b < blocks; ++b) {
            double s1 = 0.0, s2 = 0.0;
            for (int i = 0; i < BLOCK; ++i) {
                const double s0 = s[b * BLOCK + i] + 2.0 * std::cos(w) * s1 - s2;
                s2 = s1;
                s1 = s0;
            }
            power[1 + band] += (s1 * s1 + s2 * s2 - 2.0 * std::cos(w) * s1 * s2) / BLOCK / blocks;
        }
    }
    for (double &p : power)
        p = 10.0 * std::log10(p / (32767.0 * 32767.0) + 1e-30);
    return power;
}

} // namespace

TEST(GoldenRender, EveryPatchSoundsAsRecorded)
{
    const bool record = std::getenv("QM_WRITE_GOLDEN") != nullptr;
    for (const Patch &p : patches()) {
        SCOPED_TRACE(p.path);
        const std::vector<int16_t> now = render(p.path);
        ASSERT_EQ((long)now.size(), FRAMES) << "the patch does not load";
        const std::string file = recording_of(p.path);
        if (record) {
            ASSERT_TRUE(write_samples(file, now)) << file;
            continue;
        }
        const std::vector<int16_t> then = read_samples(file);
        ASSERT_EQ(then.size(), now.size()) << "no full recording " << file;

        if (p.compare == Compare::samples) {
            long differing = 0, worst = 0, first = -1;
            for (long i = 0; i < FRAMES; ++i) {
                const long d = std::labs((long)now[i] - then[i]);
                if (d != 0 && first < 0)
                    first = i;
                differing += d != 0;
                worst = std::max(worst, d);
            }
            EXPECT_LE(worst, 1) << differing << " samples differ, the first at frame " << first;
            if (differing)
                std::printf("%s: %ld samples differ by one step\n", p.path.c_str(), differing);
            EXPECT_TRUE(render(p.path) == now) << "a second render differs";
        } else {
            const std::vector<double> a = level_and_spectrum(now), b = level_and_spectrum(then);
            EXPECT_NEAR(a[0], b[0], 0.5) << "level in dB";
            for (size_t band = 1; band < a.size(); ++band)
                EXPECT_NEAR(a[band], b[band], 1.5) << "octave band " << band;
        }
    }
}
