// Step sequencer: a loop of up to 64 steps (the panel offers 32), 32
// playable patterns, queued pattern and divider changes taken at the end of
// the loop. The arrays hold 64 patterns of 64 steps.
// Audio thread: latch_inputs(), run(), evolue(); set_name, the constructor
// and the destructor run on the main thread.
#pragma once

#include <cstdio>

#include "synth/ports.h"

class SEQUENCER : public OUTPUT, public OUTPUT_GATE, public OUTPUT_SYNC, public INPUT_SYNC {
public:
    static constexpr int PATTERNS = 64;
    static constexpr int STEPS = 64;
    // What every step of a new sequencer holds.
    struct STEP_DEFAULTS {
        static constexpr float LENGTH = 1.0f, VOLUME = 1.0f;
        static constexpr int SKIP = 0, NOTE = 10, OCTAVE = 3;
    };

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
    // event, code 1, data1 = this text, data2 = the sequencer; see
    // ui/views/step_events.h). Built by set_name so the audio thread never formats or
    // allocates it; it belongs to the sequencer and the receiver must not
    // free it.
    char step_event_text[sizeof "SEQ_TRIG_" - 1 + sizeof name];

    SEQUENCER();
    // Forgets the steps of this sequencer still queued for the interface
    // (synth/step_queue.h).
    virtual ~SEQUENCER();

    // Copies the module name (cut to the field) and rebuilds step_event_text.
    void set_name(const char *n);
    // One sample: fires a step every SAMPLE_RATE / divider samples (longer when
    // the gate is longer than a second), closes the gate after the step's
    // length, and takes a queued pattern or divider at the end of the loop.
    int evolue() override
    {
        latch_inputs(STANDALONE);
        run(0, 1);
        return 1;
    }
    // The module protocol of ports.h; latches the sync input.
    void latch_inputs(int reader) { INPUT_SYNC::latch(reader); }
    void run(int from, int to) { run_by_frames(this, from, to); }
    inline void frame(int k);
    // Its declaration line of a patch file; defined by the patch library.
    void write_desc_to_file(FILE *f);

    // Playable patterns: a queued pattern beyond them wraps to 0.
    static constexpr int PLAYABLE_PATTERNS = 32;

    // ---- Audio thread: following an outside clock (MIDI clock) ----
    // The player of the MIDI input (midi/midi_player.h) drives these at the
    // start of each sub-block. While `following`, the steps fire when the
    // clock says, not by the sequencer's own time: the divider is then the
    // steps per sixteenth note (6 clock pulses), and a step's gate lasts its
    // length times the step's time at the clock's tempo.
    bool following = false;
    bool clock_running = false;   // between Start (or Continue) and Stop
    int clock_due = 0;            // steps the clock asked for and not yet fired
    bool clock_fresh = false;     // a pulse asked for a step: the first fires at once
    float clock_pulses = 0.0f;    // pulses counted toward the next step
    float clock_step_samples = 0; // a step's time at the clock's tempo
    // One clock pulse (24 a quarter note), samples_per_pulse apart.
    void clock_pulse(float samples_per_pulse);
    // Start: from step 0 of the loop, at once. Continue: on from where it
    // stopped. Stop: halted, its gate closed.
    void clock_start();
    void clock_continue() { clock_running = true; }
    void clock_stop();

private:
    // The step of pattern p at index s fires (time is due).
    void fire_step(int p, int s);
};

// ---- Per-sample code, inline so that the generator's walk is one loop ----

#include "synth/sample_rate.h"

SYNTH_INLINE void SEQUENCER::frame(int k)
{
    constexpr float RATE = SAMPLE_RATE;

    // End of the loop: take the queued pattern and divider. The loop also ends
    // at the edge of the step arrays, whatever the step count says.
    if (current_step >= step_count || current_step >= STEPS) {
        if (wished_pattern != pattern)
            pattern = wished_pattern;
        if (wished_divider != divider)
            divider = wished_divider;
        if (pattern >= PLAYABLE_PATTERNS || pattern < 0)
            pattern = 0;
        current_step = 0;
    }

    time += 1.0f;

    if (sync_arrived(k)) {
        time = 0.0f;
        current_step = 0;
    }

    const int p = pattern;
    const int s = current_step;

    // The step that sounds now (the one before current_step) closes its gate
    // after its length; following a clock, of the clock's step time.
    const float step_time = following ? clock_step_samples : RATE / divider;
    float gate_samples = length[p][s] * step_time;
    if (gate_samples < 0.0625f)
        gate_samples = 0.0f;

    if (gate_open == 1 && time >= gate_samples - 1.0f) {
        gate_open = 0;
        UNTRIG();
    }

    if (following) {
        // Steps a pulse asks for fire one at its start, the others a step's
        // time apart (dividers above 6 play more than one step a pulse).
        if (clock_due > 0 && (clock_fresh || time >= clock_step_samples)) {
            --clock_due;
            clock_fresh = false;
            fire_step(p, s);
        }
        return;
    }
    // A gate longer than one second lengthens the step by the whole gate.
    const float step_samples = RATE / divider + (gate_samples > RATE ? gate_samples : 0.0f);
    if (time >= step_samples)
        fire_step(p, s);
}
