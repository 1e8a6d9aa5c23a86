// Step sequencer: a loop of up to 64 steps (the panel offers 32), 32
// playable patterns, queued pattern and divider changes taken at the end of
// the loop. The arrays hold 64 patterns of 64 steps.
#pragma once

#include <cstdio>

#include "synth/ports.h"

class SEQUENCER : public OUTPUT, public OUTPUT_GATE, public OUTPUT_SYNC, public INPUT_SYNC {
public:
    static constexpr int PATTERNS = 64;
    static constexpr int STEPS = 64;

    int wished_pattern;
    int pattern;
    int power;
    float divider; // steps per second (SAMPLE_RATE samples)
    float wished_divider;
    int step_count;
    int current_step;
    float length[PATTERNS][STEPS];
    int bypass[PATTERNS][STEPS];
    int note[PATTERNS][STEPS];
    int octave[PATTERNS][STEPS];
    float volume[PATTERNS][STEPS];
    float time;
    char name[800];
    int gate_open;
    // "SEQ_TRIG_<name>", the text handed with every step event (SDL user
    // event, code 1, data1 = this text, data2 = the sequencer). Built by
    // set_name so the audio thread never formats or allocates it; it belongs
    // to the sequencer and the receiver must not free it.
    char step_event_text[sizeof "SEQ_TRIG_" - 1 + sizeof name];

    SEQUENCER();
    virtual ~SEQUENCER() = default;

    // Copies the module name (cut to the field) and rebuilds step_event_text.
    void set_name(const char *n);
    // One sample: fires a step every SAMPLE_RATE / divider samples (longer when
    // the gate is longer than a second), closes the gate after the step's
    // length, and takes a queued pattern or divider at the end of the loop.
    int evolue() override;
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

private:
    void push_step_event();
};
