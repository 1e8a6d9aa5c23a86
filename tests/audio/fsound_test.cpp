// The sound output layer: driver lists, error codes, and the "No sound"
// stream's real-time pace.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "audio/fsound.h"

namespace {

using namespace std::chrono_literals;

constexpr unsigned int MODE = FSOUND_16BITS | FSOUND_STEREO | FSOUND_SIGNED | FSOUND_NONBLOCKING;

struct Calls {
    std::atomic<int> count{0};
    std::atomic<int> wrong_length{0};
    std::atomic<int> dirty_buffer{0};
    int expected_length = 12288;
};

int counting_callback(FSOUND_STREAM *, void *buffer, int length, void *user)
{
    Calls *calls = static_cast<Calls *>(user);
    if (length != calls->expected_length)
        ++calls->wrong_length;
    const unsigned char *bytes = static_cast<const unsigned char *>(buffer);
    for (int i = 0; i < length; ++i)
        if (bytes[i] != 0) {
            ++calls->dirty_buffer;
            break;
        }
    // Leave something behind so that the next block shows whether the
    // buffer was cleared in between.
    std::memset(buffer, 0x55, length);
    ++calls->count;
    return 1;
}

class FsoundTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        FSOUND_Close();
        FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND);
    }
};

TEST_F(FsoundTest, NoSoundHasOneDriver)
{
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    EXPECT_EQ(FSOUND_OUTPUT_NOSOUND, FSOUND_GetOutput());
    ASSERT_EQ(1, FSOUND_GetNumDrivers());
    EXPECT_STREQ("No sound", FSOUND_GetDriverName(0));
    EXPECT_EQ(nullptr, FSOUND_GetDriverName(1));
    EXPECT_FALSE(FSOUND_SetDriver(1));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FSOUND_GetError());
    EXPECT_TRUE(FSOUND_SetDriver(0));
    EXPECT_GE(FSOUND_GetVersion(), 3.74f);
}

TEST_F(FsoundTest, CallsInTheWrongOrderReportTheirError)
{
    Calls calls;
    EXPECT_EQ(nullptr, FSOUND_Stream_Create(counting_callback, 12288, MODE, 44100, &calls));
    EXPECT_EQ(FMOD_ERR_UNINITIALIZED, FSOUND_GetError());

    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    EXPECT_FALSE(FSOUND_SetOutput(FSOUND_OUTPUT_ALSA));
    EXPECT_EQ(FMOD_ERR_BUSY, FSOUND_GetError());
    EXPECT_FALSE(FSOUND_Init(44100, 32, 0));
    EXPECT_EQ(FMOD_ERR_BUSY, FSOUND_GetError());

    EXPECT_EQ(nullptr, FSOUND_Stream_Create(counting_callback, 12288, FSOUND_16BITS | FSOUND_STEREO,
                                            44100, &calls));
    EXPECT_EQ(FMOD_ERR_INVALID_PARAM, FSOUND_GetError());
    EXPECT_EQ(nullptr, FSOUND_Stream_Create(counting_callback, 2, MODE, 44100, &calls));

    FSOUND_STREAM *stream = FSOUND_Stream_Create(counting_callback, 12288, MODE, 44100, &calls);
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(nullptr, FSOUND_Stream_Create(counting_callback, 12288, MODE, 44100, &calls));
    EXPECT_EQ(FMOD_ERR_CHANNEL_ALLOC, FSOUND_GetError());
    EXPECT_FALSE(FSOUND_Stream_Close(nullptr));
    EXPECT_EQ(-1, FSOUND_Stream_Play(0, nullptr));
    EXPECT_TRUE(FSOUND_Stream_Close(stream));
    EXPECT_EQ(0, calls.count.load());
}

TEST_F(FsoundTest, NoSoundStreamRunsAtRealTimePace)
{
    Calls calls;
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    FSOUND_STREAM *stream = FSOUND_Stream_Create(counting_callback, 12288, MODE, 44100, &calls);
    ASSERT_NE(nullptr, stream);
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(0, FSOUND_Stream_Play(0, stream));

    // One 3072-frame block every 69.66 ms, the first at once.
    std::this_thread::sleep_for(1000ms);
    int counted = calls.count.load();
    std::chrono::duration<double> elapsed_time = std::chrono::steady_clock::now() - started;
    double elapsed = elapsed_time.count();
    FSOUND_Close();
    int at_close = calls.count.load();
    std::this_thread::sleep_for(150ms);

    double expected = 1 + elapsed / (3072.0 / 44100.0);
    EXPECT_GE(counted, static_cast<int>(expected) - 2) << elapsed << " s";
    EXPECT_LE(counted, static_cast<int>(expected) + 1) << elapsed << " s";
    EXPECT_EQ(at_close, calls.count.load()) << "called after the output was closed";
    EXPECT_EQ(0, calls.wrong_length.load());
    EXPECT_EQ(0, calls.dirty_buffer.load()) << "blocks must arrive silent";
}

} // namespace
