// Computer-keyboard note source: pitch, gate and sync from key presses.
// Audio thread: run(), evolue(); Touch_note, set_note and set_octave run on
// the main thread.
#pragma once

#include <cstdio>

#include "synth/ports.h"

class KEYBOARD : public OUTPUT, public OUTPUT_GATE, public OUTPUT_SYNC {
public:
    int power;
    int note;
    int octave;
    static constexpr int DEFAULT_OCTAVE = 4;
    char name[800];

    KEYBOARD();
    virtual ~KEYBOARD() = default;

    void set_note(int n) { note = n; }
    void set_octave(int o) { octave = o; }
    // A key press: sets the note, opens the gate and, when sync is non-zero,
    // asks for a sync pulse at the next evaluation. Switched off (power 0),
    // a keyboard takes no notes.
    void Touch_note(int n, int sync);

    int evolue() override
    {
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; a keyboard has no inputs to latch.
    void latch_inputs(int) {}
    void run(int from, int to) { run_by_frames(this, from, to); }
    inline void frame(int k);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include "synth/note2freq.h"

SYNTH_INLINE void KEYBOARD::frame(int)
{
    OUTPUT_SYNC::evolue();
    // Outside the table the pitch holds its last valid value.
    const int index = octave * 12 + note;
    if (index >= 0 && index < NOTE2FREQ_SIZE)
        value = (float)NOTE2FREQ[index];
}
