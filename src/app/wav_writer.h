// Writing a stereo WAV file: 16-bit PCM, or 32-bit float.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class WavWriter {
public:
    enum FORMAT { PCM_16, FLOAT_32 };

    explicit WavWriter(int sample_rate, FORMAT format = PCM_16) : rate(sample_rate), format(format)
    {
    }
    ~WavWriter();
    WavWriter(const WavWriter &) = delete;
    WavWriter &operator=(const WavWriter &) = delete;

    // Creates the file and writes a header; false when it cannot be written.
    bool open(const std::string &path);
    // Appends interleaved stereo frames (left sample first), in the file's
    // format.
    bool write(const int16_t *samples, long frames);
    bool write(const float *samples, long frames);
    // Brings the header's sizes up to date with what is written, and flushes
    // the file, so that it plays as it stands whatever happens next.
    bool update_header();
    // Writes the final sizes into the header and closes the file.
    bool close();

private:
    bool write_header();
    bool write_bytes(const std::vector<unsigned char> &bytes);

    int rate;
    FORMAT format;
    FILE *file = nullptr;
    uint32_t data_bytes = 0;
};
