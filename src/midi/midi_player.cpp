#include "midi/midi_player.h"

#include <algorithm>

#include "synth/sequencer.h"

namespace {

// The clock's one-byte messages.
constexpr uint8_t CLOCK_PULSE = 0xf8, CLOCK_START = 0xfa, CLOCK_CONTINUE = 0xfb,
                  CLOCK_STOP = 0xfc;

bool releases(const MidiMessage &m)
{
    const int kind = m.status & 0xf0;
    return kind == 0x80 || (kind == 0x90 && m.data2 == 0);
}

bool presses(const MidiMessage &m) { return (m.status & 0xf0) == 0x90 && m.data2 != 0; }

// A note of a channel: the channel in the high bits.
int channel_note(const MidiMessage &m) { return (m.status & 0x0f) << 7 | (m.data1 & 0x7f); }

} // namespace

void MIDI_PLAYER::clock(const MidiMessage &m, const std::vector<SEQUENCER *> &sequencers)
{
    if (!heard) {
        heard = true;
        set_following(sequencers);
    }
    last_clock_message = clock_time;
    if (m.status != CLOCK_PULSE)
        pulses_kept = 0; // the tempo is measured again from the next pulses on
    switch (m.status) {
    case CLOCK_PULSE: {
        // The tempo over the last beat's pulses: each is timed to the
        // sub-block only, so one interval alone would jitter by a sub-block.
        if (pulses_kept > 0 && clock_time - newest_pulse() > SILENCE)
            pulses_kept = 0; // a new clock: the old one's pulses say nothing of it
        newest = (newest + 1) % PULSES_KEPT;
        pulse_times[newest] = clock_time;
        pulses_kept = std::min(pulses_kept + 1, PULSES_KEPT);
        const long oldest = pulse_times[(newest + PULSES_KEPT - pulses_kept + 1) % PULSES_KEPT];
        if (clock_time > oldest)
            samples_per_pulse = static_cast<float>(clock_time - oldest) / (pulses_kept - 1);
        for (SEQUENCER *s : sequencers)
            s->clock_pulse(samples_per_pulse);
        return;
    }
    case CLOCK_START:
        running = true;
        for (SEQUENCER *s : sequencers)
            s->clock_start();
        return;
    case CLOCK_CONTINUE:
        running = true;
        for (SEQUENCER *s : sequencers)
            s->clock_continue();
        return;
    case CLOCK_STOP:
        running = false;
        for (SEQUENCER *s : sequencers)
            s->clock_stop();
        return;
    default:
        return;
    }
}

void MIDI_PLAYER::play(const std::vector<KEYBOARD *> &keyboards,
                       const std::vector<SEQUENCER *> &sequencers, int frames)
{
    keys.keep_only(keyboards);
    set_following(sequencers);
    MidiMessage earlier[WAITING];
    const int earlier_count = waiting_count;
    std::copy(waiting, waiting + earlier_count, earlier);
    waiting_count = 0;
    int pressed[WAITING]; // the notes pressed in this sub-block
    int pressed_count = 0;
    int next = 0;
    MidiMessage m;
    // Every message in order, the waiting ones first; once one waits, the
    // rest wait behind it, as far as there is room.
    while (next < earlier_count ? (m = earlier[next++], true)
                                : waiting_count < WAITING && queue.pop(m)) {
        const bool too_soon =
            releases(m) &&
            std::find(pressed, pressed + pressed_count, channel_note(m)) != pressed + pressed_count;
        if (waiting_count > 0 || too_soon) {
            waiting[waiting_count++] = m;
            continue;
        }
        if (m.status >= CLOCK_PULSE)
            clock(m, sequencers);
        else
            keys.apply(keyboards, m);
        if (presses(m) && pressed_count < WAITING)
            pressed[pressed_count++] = channel_note(m);
    }
    clock_time += frames;
    if (running && clock_time - last_clock_message > SILENCE)
        clock({CLOCK_STOP, 0, 0}, sequencers); // the clock went silent: Stop
    const bool pulsing = pulses_kept >= 2 && clock_time - newest_pulse() <= SILENCE;
    tempo.store(pulsing ? 60.0f * SAMPLE_RATE / (24.0f * samples_per_pulse) : 0.0f,
                std::memory_order_relaxed);
}

void MIDI_PLAYER::forget()
{
    keys.forget();
    waiting_count = 0;
}

void MIDI_PLAYER::set_following(const std::vector<SEQUENCER *> &sequencers)
{
    const bool following = heard && follow.load(std::memory_order_relaxed);
    for (SEQUENCER *s : sequencers) {
        s->following = following;
        s->clock_running = running; // a sequencer added meanwhile runs as the others
    }
}
