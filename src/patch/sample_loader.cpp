#include "patch/sample_loader.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "patch/wav_reader.h"

std::string load_sample(SAMPLER &sampler, const char *path)
{
    if (std::strlen(path) >= sizeof sampler.file) {
        std::printf("SAMPLER[%s] : the path [%s] is longer than %d characters, file not loaded\n",
                    sampler.name, path, (int)sizeof sampler.file - 1);
        return "a sample path is longer than " + std::to_string(sizeof sampler.file - 1) +
               " characters";
    }

    auto recording = std::make_unique<RECORDING>();
    const WavReadResult result = read_wav_stereo16(path, SAMPLER::MAX_VALUES, recording->values);
    switch (result.status) {
    case WavStatus::ok:
        break;
    case WavStatus::cannot_open:
    case WavStatus::cannot_read:
        std::printf("Error load [%s]\n", path);
        std::printf("Error load the file\n");
        return std::string(path) + (result.status == WavStatus::cannot_open ? ": " : " ") +
               result.problem;
    case WavStatus::unsupported:
        std::printf("Error load [%s] : the file %s\n", path, result.problem.c_str());
        return std::string(path) + " " + result.problem;
    }

    const int frames = recording->frames();
    sampler.play(std::move(recording));
    std::strcpy(sampler.file, path);
    std::printf("Loaded WAVE file [%-32s][%d ]\n", path, frames);
    return {};
}
