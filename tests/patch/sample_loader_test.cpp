// Loading a sampler's recording: a file read whole and reported; a refused
// file says why and leaves the recording it had.
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

    // Loads a file with captured console output.
    int load(const std::string &path, std::string &printed)
    {
        testing::internal::CaptureStdout();
        const int ok = load_sample(*sampler, path.c_str());
        printed = testing::internal::GetCapturedStdout();
        return ok;
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
    ASSERT_EQ(load(path, printed), 1);
    EXPECT_EQ(sampler->length, 3);
    EXPECT_EQ(sampler->samples.size(), 6u);
    EXPECT_STREQ(sampler->file, path.c_str());
    EXPECT_NE(printed.find("Loaded WAVE file ["), std::string::npos);
}

TEST_F(SampleLoader, RefusedLoadsSayWhyAndKeepTheRecording)
{
    const std::string good = dir.path("good.wav");
    ASSERT_TRUE(write_file(good, wav(1, 2, 16, {1, 2, 3, 4})));
    std::string printed;
    ASSERT_EQ(load(good, printed), 1);

    const std::string missing = dir.path("missing.wav");
    EXPECT_EQ(load(missing, printed), 0);
    EXPECT_EQ(printed, "Error load [" + missing + "]\nError load the file\n");

    const std::string bad = dir.path("float.wav");
    ASSERT_TRUE(write_file(bad, wav(3, 2, 16, {1, 2})));
    EXPECT_EQ(load(bad, printed), 0);
    EXPECT_NE(printed.find(bad), std::string::npos);
    EXPECT_NE(printed.find("not PCM"), std::string::npos);

    const std::string long_path = "/tmp/" + std::string(75, 'x') + ".wav";
    EXPECT_EQ(load(long_path, printed), 0);
    EXPECT_NE(printed.find("longer than 79"), std::string::npos);

    EXPECT_STREQ(sampler->file, good.c_str());
    EXPECT_EQ(sampler->length, 2);
}
