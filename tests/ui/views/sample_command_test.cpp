// A recording chosen in the window: loaded and said, or refused with the
// reason said while the sampler plays what it played.
#include <gtest/gtest.h>

#include <cstring>

#include "support/temp_dir.h"
#include "support/wav_files.h"
#include "ui/views/sample_command.h"
#include "ui/views/status_line.h"

using namespace wav_files;

TEST(SampleCommand, ARefusedFileIsSaidAndTheSamplerKeepsItsRecording)
{
    TempDir dir;
    const std::string good = dir.path("kick.wav"), bad = dir.path("float.wav");
    ASSERT_TRUE(write_file(good, wav(1, 2, 16, {1, 2, 3, 4})));
    ASSERT_TRUE(write_file(bad, wav(3, 2, 16, {1, 2})));
    SAMPLER sampler;
    std::strcpy(sampler.name, "SAMPLER_KICK");
    testing::internal::CaptureStdout();

    EXPECT_FALSE(play_recording_file(sampler, bad));
    EXPECT_EQ(status_text(), "SAMPLER_KICK stays silent: " + bad + " is not PCM (format tag 3)");
    EXPECT_EQ(sampler.recording(), nullptr);

    EXPECT_TRUE(play_recording_file(sampler, good));
    EXPECT_EQ(status_text(), "SAMPLER_KICK plays " + good);
    const RECORDING *kept = sampler.recording();
    ASSERT_NE(kept, nullptr);

    EXPECT_FALSE(play_recording_file(sampler, dir.path("missing.wav")));
    EXPECT_EQ(status_text(), "SAMPLER_KICK keeps kick.wav: " + dir.path("missing.wav") +
                                 ": no such file or directory");
    EXPECT_EQ(sampler.recording(), kept);
    EXPECT_EQ(sampler.file, good);
    testing::internal::GetCapturedStdout();
}
