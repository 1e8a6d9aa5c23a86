#include "synth/sampler.h"

SAMPLER::SAMPLER()
    : VCO(1.0f, 1.0f, SIN), length(0), position(0.0f), tune(1.0f), volume(1.0f), spare(0.0f)
{
    name[0] = '\0';
    file[0] = '\0';
}
