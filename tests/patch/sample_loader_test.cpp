// Loading a sampler's recording: a file read whole and reported; a refused
// file says why, on the console and in words for the window, and leaves the
// recording it had.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "patch/sample_loader.h"
#include "support/temp_dir.h"
#include "support/wav_files.h"

using namespace wav_files;

namespace {

class SampleLoader : public ::testing::Test {
protected:
    void SetUp() override { std::strcpy(sampler->name, "SAMPLER_1"); }

    // Loads a file with captured console output; why it was refused.
    std::string load(const std::string &path, std::string &printed)
    {
        testing::internal::CaptureStdout();
        const std::string why = load_sample(*sampler, path.c_str());
        printed = testing::internal::GetCapturedStdout();
        return why;
    }

    std::unique_ptr<SAMPLER> sampler = std::make_unique<SAMPLER>();
    TempDir dir;
};

} // namespace

TEST_F(SampleLoader, LoadsAFileAndReportsIt)
{
    const std::string path = dir.path("mono.wav");
    ASSERT_TRUE(write_file(path, wav(1, 1, 16, {100, 200, 300})));
    std::string printed;
    ASSERT_EQ(load(path, printed), "");
    ASSERT_NE(sampler->recording(), nullptr);
    EXPECT_EQ(sampler->recording()->frames(), 3);
    EXPECT_EQ(sampler->recording()->values.size(), 6u);
    EXPECT_STREQ(sampler->file, path.c_str());
    EXPECT_NE(printed.find("Loaded WAVE file ["), std::string::npos);
}

TEST_F(SampleLoader, RefusedLoadsSayWhyAndKeepTheRecording)
{
    const std::string good = dir.path("good.wav");
    ASSERT_TRUE(write_file(good, wav(1, 2, 16, {1, 2, 3, 4})));
    std::string printed;
    ASSERT_EQ(load(good, printed), "");

    const std::string missing = dir.path("missing.wav");
    EXPECT_EQ(load(missing, printed), missing + ": no such file or directory");
    EXPECT_EQ(printed, "Error load [" + missing + "]\nError load the file\n");

    const std::string bad = dir.path("float.wav");
    ASSERT_TRUE(write_file(bad, wav(3, 2, 16, {1, 2})));
    EXPECT_EQ(load(bad, printed), bad + " is not PCM (format tag 3)");
    EXPECT_NE(printed.find(bad), std::string::npos);
    EXPECT_NE(printed.find("not PCM"), std::string::npos);

    const std::string long_path = "/tmp/" + std::string(75, 'x') + ".wav";
    EXPECT_EQ(load(long_path, printed), "a sample path is longer than 79 characters");
    EXPECT_NE(printed.find("longer than 79"), std::string::npos);

    EXPECT_STREQ(sampler->file, good.c_str());
    EXPECT_EQ(sampler->recording()->frames(), 2);
}
