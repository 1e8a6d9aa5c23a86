// WAV reader: chunk walking, mono to stereo, limits and refusals.
#include <gtest/gtest.h>

#include "patch/wav_reader.h"
#include "support/temp_dir.h"
#include "support/wav_files.h"

using namespace wav_files;

namespace {

class WavReader : public ::testing::Test {
protected:
    WavReadResult read(const Bytes &bytes, std::size_t max_values = 1000)
    {
        const std::string path = dir.path("test.wav");
        EXPECT_TRUE(write_file(path, bytes));
        return read_wav_stereo16(path.c_str(), max_values, values);
    }

    TempDir dir;
    std::vector<int16_t> values;
};

} // namespace

TEST_F(WavReader, ReadsStereoAsStored)
{
    ASSERT_EQ(read(wav(1, 2, 16, {1, -2, 32767, -32768})).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{1, -2, 32767, -32768}));
}

TEST_F(WavReader, DoublesMonoIntoStereoFrames)
{
    ASSERT_EQ(read(wav(1, 1, 16, {5, -6, 7})).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{5, 5, -6, -6, 7, 7}));
}

TEST_F(WavReader, WalksPastOtherChunksAndOddSizes)
{
    const Bytes odd{'a', 'b', 'c'}; // padded to an even size
    Bytes fmt = fmt_body(1, 2, 16);
    fmt.push_back(0); // an 18-byte fmt body, as some writers make it
    fmt.push_back(0);
    const Bytes file = riff_wave({chunk("LIST", odd), chunk("fmt ", fmt), chunk("fact", odd),
                                  chunk("data", pcm16({3, 4, 5, 6}))});
    ASSERT_EQ(read(file).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{3, 4, 5, 6}));
}

TEST_F(WavReader, KeepsAtMostTheLimitInWholeFrames)
{
    ASSERT_EQ(read(wav(1, 2, 16, {1, 2, 3, 4, 5, 6}), 5).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{1, 2, 3, 4}));
    ASSERT_EQ(read(wav(1, 1, 16, {1, 2, 3}), 4).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{1, 1, 2, 2}));
}

TEST_F(WavReader, DataChunkLongerThanTheFileGivesWhatTheFileHolds)
{
    Bytes file = wav(1, 2, 16, {1, 2, 3, 4, 5}); // half a frame at the end
    file[file.size() - 12] = 0x40;               // data size far too large
    ASSERT_EQ(read(file).status, WavStatus::ok);
    EXPECT_EQ(values, (std::vector<int16_t>{1, 2, 3, 4}));
}

TEST_F(WavReader, RefusesWhatItCannotPlayAndSaysWhy)
{
    struct Case {
        Bytes file;
        const char *problem;
    };
    const Case cases[] = {
        {wav(3, 2, 16, {0, 0}), "not PCM"},
        {wav(1, 2, 8, {0, 0}), "8-bit"},
        {wav(1, 2, 24, {0, 0, 0}), "24-bit"},
        {wav(1, 3, 16, {0, 0, 0}), "3 channels"},
        {wav(1, 2, 16, {}), "no sample data"},
        {riff_wave({chunk("data", pcm16({1, 2})), chunk("fmt ", fmt_body(1, 2, 16))}),
         "data chunk before its fmt"},
        {riff_wave({chunk("fmt ", fmt_body(1, 2, 16))}), "no data chunk"},
        {riff_wave({}), "no fmt chunk"},
        {riff_wave({chunk("fmt ", {1, 0, 2, 0})}), "truncated fmt"},
        {Bytes{'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, "not a RIFF WAVE"},
    };
    for (const Case &c : cases) {
        const WavReadResult r = read(c.file);
        EXPECT_EQ(r.status, WavStatus::unsupported) << c.problem;
        EXPECT_NE(r.problem.find(c.problem), std::string::npos) << r.problem;
        EXPECT_TRUE(values.empty()) << c.problem;
    }
}

TEST_F(WavReader, MissingOrTruncatedFilesCannotBeRead)
{
    EXPECT_EQ(read_wav_stereo16(dir.path("none.wav").c_str(), 10, values).status,
              WavStatus::cannot_open);
    EXPECT_EQ(read(Bytes{'R', 'I', 'F', 'F'}).status, WavStatus::cannot_read);
}
