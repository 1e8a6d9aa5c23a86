#include "synth/sfx_delay.h"

int SFX_DELAY::evolue()
{
    value = INPUT::source ? *INPUT::source : 0.0f;
    return 1;
}
