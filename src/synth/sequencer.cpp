#include "synth/sequencer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "synth/note2freq.h"
#include "synth/step_queue.h"

SEQUENCER::SEQUENCER()
    : OUTPUT(0.0f), OUTPUT_GATE(0), OUTPUT_SYNC(0), INPUT_SYNC(nullptr), wished_pattern(0),
      pattern(0), power(1), divider(2.0f), wished_divider(2.0f), step_count(32), current_step(0),
      time(0.0f), gate_open(0)
{
    for (int p = 0; p < PATTERNS; ++p) {
        for (int s = 0; s < STEPS; ++s) {
            length[p][s] = STEP_DEFAULTS::LENGTH;
            bypass[p][s] = STEP_DEFAULTS::SKIP;
            note[p][s] = STEP_DEFAULTS::NOTE;
            octave[p][s] = STEP_DEFAULTS::OCTAVE;
            volume[p][s] = STEP_DEFAULTS::VOLUME;
        }
    }
    set_name("");
}

void SEQUENCER::set_name(const char *n)
{
    std::snprintf(name, sizeof name, "%s", n);
    std::snprintf(step_event_text, sizeof step_event_text, "SEQ_TRIG_%s", name);
}

SEQUENCER::~SEQUENCER() { forget_queued_steps(this); }

void SEQUENCER::fire_step(int p, int s)
{
    time = 0.0f;
    const int n = octave[p][s] * 12 + note[p][s];
    if (n <= 0 || n >= NOTE2FREQ_SIZE) {
        // A rest (note number 0, or one outside the table): silence, and the
        // loop goes on.
        value = 0.0f;
    } else {
        // The interface hears of it when the main thread next posts events.
        queue_step_event(this);
        gate_open = 1;
        if (volume[p][s] == 1.0f) {
            if (bypass[p][s]) {
                value = 0.0f;
            } else {
                // A sequencer switched off keeps its place but opens no gate.
                if (power != 0)
                    TRIG();
                value = (float)NOTE2FREQ[n];
            }
        }
    }
    ++current_step;
}

void SEQUENCER::clock_pulse(float samples_per_pulse)
{
    // Six pulses make a sixteenth note, the step of divider 1.
    clock_step_samples = samples_per_pulse * 6.0f / divider;
    if (!clock_running)
        return;
    clock_pulses += divider / 6.0f;
    // A whole step counted, give or take the rounding of sixths.
    while (clock_pulses >= 1.0f - 1e-4f) {
        clock_pulses -= 1.0f;
        ++clock_due;
        clock_fresh = true;
    }
}

void SEQUENCER::clock_start()
{
    current_step = 0;
    clock_running = true;
    // The first pulse after Start is the downbeat: it plays step 0.
    clock_pulses = std::max(0.0f, 1.0f - divider / 6.0f);
    clock_due = 0;
}

void SEQUENCER::clock_stop()
{
    clock_running = false;
    clock_due = 0;
    gate_open = 0;
    UNTRIG();
}
