#include "app/wav_writer.h"

#include <cstring>
#include <vector>

namespace {

constexpr int CHANNELS = 2;
constexpr int HEADER_BYTES = 44;
constexpr int PCM_TAG = 1, FLOAT_TAG = 3;

void put16(unsigned char *p, uint32_t v)
{
    p[0] = v & 0xff;
    p[1] = (v >> 8) & 0xff;
}

void put32(unsigned char *p, uint32_t v)
{
    put16(p, v & 0xffff);
    put16(p + 2, v >> 16);
}

} // namespace

WavWriter::~WavWriter()
{
    if (file)
        std::fclose(file);
}

bool WavWriter::open(const std::string &path)
{
    file = std::fopen(path.c_str(), "wb");
    data_bytes = 0;
    return file && write_header();
}

bool WavWriter::write_header()
{
    unsigned char h[HEADER_BYTES] = {'R', 'I', 'F', 'F', 0,   0,   0,   0, 'W', 'A', 'V',
                                     'E', 'f', 'm', 't', ' ', 0,   0,   0, 0,   0,   0,
                                     0,   0,   0,   0,   0,   0,   0,   0, 0,   0,   0,
                                     0,   0,   0,   'd', 'a', 't', 'a', 0, 0,   0,   0};
    put32(h + 4, HEADER_BYTES - 8 + data_bytes);
    const int sample_bytes = format == PCM_16 ? 2 : 4;
    put32(h + 16, 16); // fmt chunk size
    put16(h + 20, format == PCM_16 ? PCM_TAG : FLOAT_TAG);
    put16(h + 22, CHANNELS);
    put32(h + 24, rate);
    put32(h + 28, rate * CHANNELS * sample_bytes); // bytes per second
    put16(h + 32, CHANNELS * sample_bytes);        // bytes per frame
    put16(h + 34, sample_bytes * 8);
    put32(h + 40, data_bytes);
    return std::fseek(file, 0, SEEK_SET) == 0 && std::fwrite(h, sizeof h, 1, file) == 1;
}

bool WavWriter::write(const int16_t *samples, long frames)
{
    std::vector<unsigned char> bytes(frames * CHANNELS * 2);
    for (long i = 0; i < frames * CHANNELS; ++i)
        put16(&bytes[i * 2], static_cast<uint16_t>(samples[i]));
    return write_bytes(bytes);
}

bool WavWriter::write(const float *samples, long frames)
{
    std::vector<unsigned char> bytes(frames * CHANNELS * 4);
    for (long i = 0; i < frames * CHANNELS; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &samples[i], sizeof bits);
        put32(&bytes[i * 4], bits);
    }
    return write_bytes(bytes);
}

bool WavWriter::write_bytes(const std::vector<unsigned char> &bytes)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return false;
    data_bytes += static_cast<uint32_t>(bytes.size());
    return true;
}

bool WavWriter::update_header()
{
    return write_header() && std::fseek(file, 0, SEEK_END) == 0 && std::fflush(file) == 0;
}

bool WavWriter::close()
{
    bool ok = write_header() && std::fflush(file) == 0;
    ok = std::fclose(file) == 0 && ok;
    file = nullptr;
    return ok;
}
