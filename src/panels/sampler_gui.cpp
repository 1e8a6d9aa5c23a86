#include "panels/sampler_gui.h"

SAMPLER_GUI::SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number)
    : MODULE_PANEL(sampler, x, y, number), sampler(sampler)
{
}
