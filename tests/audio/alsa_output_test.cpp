// The real ALSA path without a sound card: a test-local ALSA configuration
// defines the devices, among them one that writes what it plays into a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "audio/fsound.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// Left sample counts up from 1 frame after frame, right is its negation.
int ramp_callback(FSOUND_STREAM *, void *buffer, int length, void *user)
{
    int *next = static_cast<int *>(user);
    int16_t *samples = static_cast<int16_t *>(buffer);
    for (int f = 0; f < length / 4; ++f) {
        int16_t v = static_cast<int16_t>(*next % 30000 + 1);
        samples[2 * f] = v;
        samples[2 * f + 1] = static_cast<int16_t>(-v);
        ++*next;
    }
    return 1;
}

std::vector<int16_t> read_samples(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<int16_t> s(static_cast<size_t>(in.tellg()) / sizeof(int16_t));
    in.seekg(0);
    in.read(reinterpret_cast<char *>(s.data()), s.size() * sizeof(int16_t));
    return s;
}

class AlsaOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        // PortAudio's ALSA device list expects a "default" device beside
        // the others, as every system configuration has one.
        std::ofstream c(conf);
        c << "pcm.default { type null }\n"
             "pcm.qm_pulse_like { type null }\n"
             "pcm.qm_file_out {\n"
             "    type file\n"
             "    slave.pcm { type null }\n"
             "    file \""
          << raw
          << "\"\n"
             "    format \"raw\"\n"
             "}\n";
        c.close();
        setenv("ALSA_CONFIG_PATH", conf.c_str(), 1);
    }
    void TearDown() override
    {
        FSOUND_Close();
        FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND);
        unsetenv("ALSA_CONFIG_PATH");
    }
    std::vector<std::string> driver_names()
    {
        std::vector<std::string> names;
        for (int i = 0; i < FSOUND_GetNumDrivers(); ++i)
            names.push_back(FSOUND_GetDriverName(i));
        return names;
    }

    TempDir dir;
    const std::string conf = dir.path("alsa.conf");
    const std::string raw = dir.path("played.raw");
};

TEST_F(AlsaOutput, SoundDaemonListsOnlyDevicesOfASoundServer)
{
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_ALSA));
    std::vector<std::string> all = driver_names();
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), "qm_file_out"));
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), "qm_pulse_like"));

    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_ESD));
    EXPECT_EQ(std::vector<std::string>{"qm_pulse_like"}, driver_names());
}

TEST_F(AlsaOutput, PlaysThroughAFileDevice)
{
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_ALSA));
    std::vector<std::string> names = driver_names();
    auto device = std::find(names.begin(), names.end(), "qm_file_out");
    ASSERT_NE(names.end(), device) << "the test device is not listed";
    ASSERT_TRUE(FSOUND_SetDriver(static_cast<int>(device - names.begin())));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0)) << FSOUND_GetError();

    int next = 0;
    FSOUND_STREAM *stream = FSOUND_Stream_Create(
        ramp_callback, 12288, FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED, 44100, &next);
    ASSERT_NE(nullptr, stream) << FSOUND_GetError();
    ASSERT_EQ(0, FSOUND_Stream_Play(0, stream));
    // The null device behind the file takes blocks as fast as they come.
    std::this_thread::sleep_for(100ms);
    FSOUND_Stream_Close(stream);
    FSOUND_Close();

    // The device may be primed with silence before the first block.
    std::vector<int16_t> s = read_samples(raw);
    size_t start = 0;
    while (start < s.size() && s[start] == 0)
        start += 2;
    ASSERT_GE(s.size(), start + 2 * 3072) << "less than one block reached the device";
    size_t frames = std::min<size_t>((s.size() - start) / 2, 100000);
    for (size_t f = 0; f < frames; ++f) {
        ASSERT_EQ(static_cast<int16_t>(f % 30000 + 1), s[start + 2 * f]) << "frame " << f;
        ASSERT_EQ(-s[start + 2 * f], s[start + 2 * f + 1]) << "frame " << f;
    }
}

} // namespace
