// The WAV writer: a standard 44-byte header with the final sizes, then the
// frames in little-endian order.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/wav_writer.h"
#include "support/temp_dir.h"

namespace {

uint32_t u32(const std::vector<unsigned char> &b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t u16(const std::vector<unsigned char> &b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(WavWriter, HeaderSizesAndSamples)
{
    TempDir dir;
    const std::string path = dir.path("test.wav");
    {
        WavWriter wav(44100);
        ASSERT_TRUE(wav.open(path));
        const int16_t first[] = {1, -1, 32767, -32768};
        const int16_t second[] = {258, 258};
        ASSERT_TRUE(wav.write(first, 2));
        ASSERT_TRUE(wav.write(second, 1));
        ASSERT_TRUE(wav.close());
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(44u + 12u, b.size());
    EXPECT_EQ("RIFF", std::string(b.begin(), b.begin() + 4));
    EXPECT_EQ(36u + 12u, u32(b, 4));
    EXPECT_EQ("WAVEfmt ", std::string(b.begin() + 8, b.begin() + 16));
    EXPECT_EQ(16u, u32(b, 16));
    EXPECT_EQ(1, u16(b, 20)); // PCM
    EXPECT_EQ(2, u16(b, 22)); // stereo
    EXPECT_EQ(44100u, u32(b, 24));
    EXPECT_EQ(176400u, u32(b, 28));
    EXPECT_EQ(4, u16(b, 32));
    EXPECT_EQ(16, u16(b, 34));
    EXPECT_EQ("data", std::string(b.begin() + 36, b.begin() + 40));
    EXPECT_EQ(12u, u32(b, 40));
    EXPECT_EQ(1, u16(b, 44));
    EXPECT_EQ(0xffff, u16(b, 46));
    EXPECT_EQ(0x7fff, u16(b, 48));
    EXPECT_EQ(0x8000, u16(b, 50));
    EXPECT_EQ(0x0102, u16(b, 52));
    std::remove(path.c_str());
}

TEST(WavWriter, UnwritablePathIsRefused)
{
    WavWriter wav(44100);
    EXPECT_FALSE(wav.open("/nonexistent-directory/out.wav"));
}

} // namespace
