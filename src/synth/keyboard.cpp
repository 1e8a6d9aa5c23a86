#include "synth/keyboard.h"

KEYBOARD::KEYBOARD()
    : OUTPUT(0.0f), OUTPUT_GATE(0), OUTPUT_SYNC(0), power(1), note(1), octave(DEFAULT_OCTAVE)
{
    name[0] = '\0';
}

void KEYBOARD::Touch_note(int n, int sync)
{
    if (power == 0)
        return;
    note = n;
    TRIG();
    if (sync)
        TRIG_SYNC();
}
