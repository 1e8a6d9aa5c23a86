// The sound output layer: driver lists, error codes, and the "No sound"
// stream's real-time pace.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
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
    // Arrival of the call numbered awaited.
    int awaited = 0;
    std::chrono::steady_clock::time_point awaited_at;
    std::mutex mutex;
    std::condition_variable arrived;
};

int counting_callback(FSOUND_STREAM *, void *buffer, int length, void *user)
{
    const auto now = std::chrono::steady_clock::now();
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
    std::lock_guard<std::mutex> lock(calls->mutex);
    const int number = ++calls->count;
    if (number == calls->awaited) {
        calls->awaited_at = now;
        calls->arrived.notify_all();
    }
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
    // One 3072-frame block every 69.66 ms, the first at once: the blocks never
    // come faster than that. A loaded machine may deliver them late, so the
    // test waits for them rather than counting after a fixed time.
    constexpr int BLOCKS = 15;
    const std::chrono::duration<double> period(3072.0 / 44100.0);
    Calls calls;
    calls.awaited = BLOCKS;
    ASSERT_TRUE(FSOUND_SetOutput(FSOUND_OUTPUT_NOSOUND));
    ASSERT_TRUE(FSOUND_Init(44100, 32, 0));
    FSOUND_STREAM *stream = FSOUND_Stream_Create(counting_callback, 12288, MODE, 44100, &calls);
    ASSERT_NE(nullptr, stream);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(0, FSOUND_Stream_Play(0, stream));
    bool all_came;
    {
        std::unique_lock<std::mutex> lock(calls.mutex);
        all_came = calls.arrived.wait_for(lock, 30s, [&] { return calls.count >= BLOCKS; });
    }
    FSOUND_Close();
    const int at_close = calls.count.load();
    ASSERT_TRUE(all_came) << at_close << " blocks after 30 s";
    std::this_thread::sleep_for(150ms);

    // Block k (from 0) is asked for no sooner than k periods after the start.
    EXPECT_GE(calls.awaited_at - started, (BLOCKS - 1) * period - 1us);
    EXPECT_EQ(at_close, calls.count.load()) << "called after the output was closed";
    EXPECT_EQ(0, calls.wrong_length.load());
    EXPECT_EQ(0, calls.dirty_buffer.load()) << "blocks must arrive silent";
}

} // namespace
