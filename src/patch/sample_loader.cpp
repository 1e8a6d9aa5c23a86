#include "patch/sample_loader.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "patch/wav_reader.h"

int load_sample(SAMPLER &sampler, const char *path)
{
    if (std::strlen(path) >= sizeof sampler.file) {
        std::printf("SAMPLER[%s] : the path [%s] is longer than %d characters, file not loaded\n",
                    sampler.name, path, (int)sizeof sampler.file - 1);
        return 0;
    }

    std::vector<int16_t> data;
    const WavReadResult result = read_wav_stereo16(path, SAMPLER::MAX_VALUES, data);
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

    sampler.samples = std::move(data);
    sampler.length = (int)(sampler.samples.size() / 2);
    sampler.position = 0.0f;
    std::strcpy(sampler.file, path);
    std::printf("Loaded WAVE file [%-32s][%d ]\n", path, sampler.length);
    return 1;
}
