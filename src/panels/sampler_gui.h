// The sampler's panel: a panel without elements (no description file), kept
// so that every module of the patch has its panel.
#pragma once

#include "engine/objet.h"
#include "synth/sampler.h"

class SAMPLER_GUI : public OBJET {
public:
    SAMPLER *sampler; // not owned

    SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number);
};
