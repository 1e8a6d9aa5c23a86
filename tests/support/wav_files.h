// WAV files built byte by byte, for the tests of the WAV reader and of the
// samplers that play them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wav_files {

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

} // namespace wav_files
