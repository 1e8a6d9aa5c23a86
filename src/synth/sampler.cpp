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
