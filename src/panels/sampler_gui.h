// The sampler's panel: a panel without elements (no description file), kept
// so that every module of the patch has its panel.
#pragma once

#include "panels/module_panel.h"
#include "synth/sampler.h"

class SAMPLER_GUI : public MODULE_PANEL {
public:
    SAMPLER *sampler; // not owned

    SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number);
};
