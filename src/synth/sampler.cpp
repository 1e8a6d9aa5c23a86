#include "synth/sampler.h"

#include <cstring>
#include <utility>

#include "synth/wav_reader.h"

SAMPLER::SAMPLER()
    : VCO(1.0f, 1.0f, SIN), length(0), position(0.0f), tune(1.0f), volume(1.0f), spare(0.0f)
{
    name[0] = '\0';
    file[0] = '\0';
}

int SAMPLER::load_SAMPLE(const char *path)
{
    if (std::strlen(path) >= sizeof file) {
        std::printf("SAMPLER[%s] : the path [%s] is longer than %d characters, file not loaded\n",
                    name, path, (int)sizeof file - 1);
        return 0;
    }

    std::vector<int16_t> data;
    const WavReadResult result = read_wav_stereo16(path, MAX_VALUES, data);
    switch (result.status) {
    case WavStatus::ok:
        break;
    case WavStatus::cannot_open:
    case WavStatus::cannot_read:
        std::printf("Error load [%s]\n", path);
        std::printf("Error load the file\n");
        return 0;
    case WavStatus::unsupported:
        std::printf("Error load [%s] : the file %s\n", path, result.problem.c_str());
        return 0;
    }

    samples = std::move(data);
    length = (int)(samples.size() / 2);
    position = 0.0f;
    std::strcpy(file, path);
    std::printf("Loaded WAVE file [%-32s][%d ]\n", path, length);
    return 1;
}

int SAMPLER::evolue()
{
    if (!INPUT_GATE::source)
        return 1;
    if (*INPUT_GATE::source == 0) {
        position = 0.0f;
        value = 0.0f;
        return 1;
    }
    // Nothing loaded: silence, and the source's gate is left alone.
    if (samples.empty()) {
        value = 0.0f;
        return 1;
    }

    // A sync restarts the recording; it is not reported from the audio thread.
    if (sync_arrived())
        position = 0.0f;

    // 440 Hz plays the recording at its own rate; with no frequency input it
    // plays as if 440 Hz arrived.
    const float f = INPUT::source ? *INPUT::source : 440.0f;
    float r = f / 440.0f + tune - 1.0f;
    float v = volume;
    if (mod_amplitude && mod_amplitude->source)
        v = volume * *mod_amplitude->source + volume;
    if (mod_frequency && mod_frequency->source)
        r = r * *mod_frequency->source + tune;

    // End of the recording, when the read index reaches the end of the data
    // (or the position has become NaN): back to the start, and the source's
    // gate closes so the recording plays once, whole, per gate.
    if (!(position < (float)samples.size())) {
        position = 0.0f;
        *INPUT_GATE::source = 0;
    }
    if (position < 0.0f)
        position = 0.0f;

    // Reads the first value of the frame: the left channel.
    value = samples[(std::size_t)position] * v / 32768.0f;
    position = position + 2.0f * r;
    return 1;
}
