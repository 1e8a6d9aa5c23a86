#include "synth/vca.h"

VCA::VCA()
    : OUTPUT(0.0f), INPUT_GATE(nullptr), INPUT(), release_time(0.0f), time(0.0f), invert(0),
      attack(1000.0f), peak(1.0f), decay(1000.0f), sustain(1.0f), release(1000.0f),
      last_level(0.0f), power(1)
{
    name[0] = '\0';
}
