// Writing a 16-bit stereo PCM WAV file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WavWriter {
public:
    explicit WavWriter(int sample_rate) : rate(sample_rate) {}
    ~WavWriter();
    WavWriter(const WavWriter &) = delete;
    WavWriter &operator=(const WavWriter &) = delete;

    // Creates the file and writes a header; false when it cannot be written.
    bool open(const std::string &path);
    // Appends interleaved stereo frames (left sample first).
    bool write(const int16_t *samples, long frames);
    // Writes the final sizes into the header and closes the file.
    bool close();

private:
    bool write_header();

    int rate;
    FILE *file = nullptr;
    uint32_t data_bytes = 0;
};
