#include "synth/ports.h"

void connect_modulation(MOD_SLOT &slot, OUTPUT *source)
{
    if (INPUT *in = slot)
        in->connect(source);
    else if (source)
        slot = new INPUT(source);
}

std::atomic<unsigned> wiring_changes{0};
