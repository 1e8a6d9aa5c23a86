#include "synth/keyboard.h"

#include "synth/note2freq.h"

KEYBOARD::KEYBOARD() : OUTPUT(0.0f), OUTPUT_GATE(0), OUTPUT_SYNC(0), power(1), note(1), octave(4)
{
    name[0] = '\0';
}

void KEYBOARD::Touch_note(int n, int sync)
{
    note = n;
    TRIG();
    if (sync)
        TRIG_SYNC();
}

int KEYBOARD::evolue()
{
    OUTPUT_SYNC::evolue();
    // Outside the table the pitch holds its last valid value.
    int index = octave * 12 + note;
    if (index >= 0 && index < NOTE2FREQ_SIZE)
        value = (float)NOTE2FREQ[index];
    return 1;
}
