#include "panels/sampler_gui.h"

SAMPLER_GUI::SAMPLER_GUI(SAMPLER *sampler, int x, int y, const char *number)
    : OBJET(x, y, number), sampler(sampler)
{
}
