// Signal sources, a sine meter and WAV file builders for the module tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "synth/ports.h"

namespace module_test {

// An output whose value the test sets directly.
struct Source : OUTPUT {
    explicit Source(float v = 0.0f) : OUTPUT(v) {}
    int evolue() override { return 1; }
};

// Amplitude of the component at freq Hz in a signal sampled at 44100 Hz,
// taken over a whole number of cycles by correlation with sine and cosine.
double amplitude_at(const std::vector<float> &signal, double freq);

using Bytes = std::vector<unsigned char>;

// A RIFF chunk: id, little-endian size, body and a pad byte for an odd size.
Bytes chunk(const char *id, const Bytes &body);
// The 16-byte body of a "fmt " chunk.
Bytes fmt_body(int format_tag, int channels, int bits);
// 16-bit values in little-endian order.
Bytes pcm16(const std::vector<int16_t> &values);
// "RIFF" <size> "WAVE" followed by the given chunks.
Bytes riff_wave(const std::vector<Bytes> &chunks);
// A canonical WAV file: fmt then data.
Bytes wav(int format_tag, int channels, int bits, const std::vector<int16_t> &values);

// Returns false when the file cannot be written.
bool write_file(const std::string &path, const Bytes &bytes);

} // namespace module_test
