#include "patch/wav_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "patch/error_words.h"

namespace {

constexpr uint16_t FORMAT_PCM = 1;

struct FileCloser {
    void operator()(FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

uint16_t le16(const unsigned char *b) { return (uint16_t)(b[0] | b[1] << 8); }
uint32_t le32(const unsigned char *b)
{
    return (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
}

WavReadResult refuse(std::string problem) { return {WavStatus::unsupported, std::move(problem)}; }

// Skips a chunk body; chunks are padded to an even size.
bool skip_chunk(FILE *f, uint32_t size)
{
    return std::fseek(f, (long)size + (size & 1), SEEK_CUR) == 0;
}

struct Format {
    uint16_t tag;
    uint16_t channels;
    uint16_t bits;
};

// Reads the body of the data chunk, converting to stereo frames.
void read_frames(FILE *f, uint32_t data_size, int channels, std::size_t max_values,
                 std::vector<int16_t> &values)
{
    const std::size_t max_frames = max_values / 2;
    const std::size_t frame_bytes = 2 * (std::size_t)channels;
    std::size_t frames = data_size / frame_bytes;
    if (frames > max_frames)
        frames = max_frames;

    std::vector<unsigned char> bytes(frames * frame_bytes);
    frames = std::fread(bytes.data(), frame_bytes, frames, f);

    values.resize(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const unsigned char *frame = &bytes[i * frame_bytes];
        const int16_t left = (int16_t)le16(frame);
        values[2 * i] = left;
        values[2 * i + 1] = channels == 2 ? (int16_t)le16(frame + 2) : left;
    }
}

} // namespace

WavReadResult read_wav_stereo16(const char *path, std::size_t max_values,
                                std::vector<int16_t> &values)
{
    values.clear();
    File f(std::fopen(path, "rb"));
    if (!f)
        return {WavStatus::cannot_open, error_words(errno)};

    unsigned char riff[12];
    if (std::fread(riff, 1, sizeof riff, f.get()) != sizeof riff)
        return {WavStatus::cannot_read, "is too short for a RIFF header"};
    if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return refuse("is not a RIFF WAVE file");

    bool have_format = false;
    Format format{};
    unsigned char header[8];
    while (std::fread(header, 1, sizeof header, f.get()) == sizeof header) {
        const uint32_t size = le32(header + 4);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            unsigned char body[16];
            if (size < sizeof body || std::fread(body, 1, sizeof body, f.get()) != sizeof body)
                return refuse("has a truncated fmt chunk");
            format = {le16(body), le16(body + 2), le16(body + 14)};
            have_format = true;
            if (!skip_chunk(f.get(), size - (uint32_t)sizeof body))
                return refuse("has a truncated fmt chunk");
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!have_format)
                return refuse("has its data chunk before its fmt chunk");
            if (format.tag != FORMAT_PCM)
                return refuse("is not PCM (format tag " + std::to_string(format.tag) + ")");
            if (format.bits != 16)
                return refuse("has " + std::to_string(format.bits) + "-bit samples, not 16-bit");
            if (format.channels != 1 && format.channels != 2)
                return refuse("has " + std::to_string(format.channels) +
                              " channels, not mono or stereo");
            read_frames(f.get(), size, format.channels, max_values, values);
            if (values.empty())
                return refuse("holds no sample data");
            return {WavStatus::ok, ""};
        } else if (!skip_chunk(f.get(), size)) {
            break;
        }
    }
    return refuse(have_format ? "has no data chunk" : "has no fmt chunk");
}
