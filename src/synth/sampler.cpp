#include "synth/sampler.h"

SAMPLER::SAMPLER()
    : VCO(1.0f, 1.0f, SIN), position(0.0f), tune(DEFAULT_TUNE), volume(DEFAULT_VOLUME), spare(0.0f),
      published(nullptr), latched(nullptr)
{
    name[0] = '\0';
    file[0] = '\0';
}

SAMPLER::~SAMPLER() { delete published.load(); }

void SAMPLER::play(std::unique_ptr<const RECORDING> recording)
{
    const RECORDING *old = published.exchange(recording.release(), std::memory_order_seq_cst);
    if (old != nullptr)
        retired.emplace_back(old);
}
