// Reader of 16-bit PCM WAV files for the sampler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class WavStatus {
    ok,
    cannot_open, // the file does not exist or is not readable
    cannot_read, // the RIFF header cannot be read
    unsupported, // not a 16-bit PCM mono or stereo WAV file; see `problem`
};

struct WavReadResult {
    WavStatus status;
    // What is wrong: why the file cannot be opened ("no such file or
    // directory"), else words to follow its name ("is not a RIFF WAVE file").
    std::string problem;
};

// Reads the sample data of a 16-bit PCM mono or stereo WAV file as
// interleaved stereo values (a mono value is written twice, so one frame is
// always two values). The "fmt " and "data" chunks are found by walking the
// RIFF chunks. At most max_values values are kept, in whole frames; a data
// chunk that claims more bytes than the file holds gives what the file holds.
WavReadResult read_wav_stereo16(const char *path, std::size_t max_values,
                                std::vector<int16_t> &values);
