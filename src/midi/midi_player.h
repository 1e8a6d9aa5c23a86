// The notes of the MIDI input played where the sound is computed: at the
// start of every sub-block the render callback takes the messages queued
// since, in order, and plays them on the patch's keyboards (midi_keys.h). A
// note is then heard at most one block and one sub-block after it arrived,
// whatever the main thread is busy with.
//
// A note's gate stays open for one sub-block at least: a note-off that
// finds its note-on in the same sub-block waits for the next one (and the
// messages after it with it, so that the order holds), so that a note too
// short for the sound is still heard.
//
// The MIDI clock (24 pulses a quarter note, Start, Continue, Stop) gives its
// tempo, and while `follow` is set the sequencers step on it (synth/
// sequencer.h): a step fires at the start of the sub-block after its pulse.
// Until a clock is heard they keep their own time, so a patch started to
// follow a clock that never comes still plays; a clock silent for two
// seconds counts as Stop.
#pragma once

#include <atomic>
#include <vector>

#include "midi/midi_keys.h"
#include "midi/midi_queue.h"
#include "synth/generator.h"
#include "synth/sample_rate.h"

class SEQUENCER;

class MIDI_PLAYER {
public:
    // Messages that wait for the next sub-block, at most.
    static constexpr int WAITING = 256;

    // The MIDI library's thread queues here.
    MidiQueue queue;

    // Whether the sequencers follow the clock (any thread sets it).
    std::atomic<bool> follow{false};
    // The clock's tempo in beats a minute, 0 before any clock or after it
    // stopped coming (written at each sub-block).
    std::atomic<float> tempo{0.0f};

    // Audio thread, at the start of a sub-block: plays the messages waiting
    // and queued on the keyboards and sequencers of the patch (the lists it
    // walks), forgetting the notes held on keyboards no longer in it. The
    // sub-block that follows is so many frames long.
    void play(const std::vector<KEYBOARD *> &keyboards,
              const std::vector<SEQUENCER *> &sequencers, int frames = GENERATOR::SUB_BLOCK);
    // Forgets every held and waiting note. Only while no callback plays.
    void forget();

private:
    MidiKeys keys;
    // The clock, as the audio thread follows it.
    // A clock silent this long (frames) has stopped.
    static constexpr long SILENCE = 2L * SAMPLE_RATE;
    // The tempo is measured over the last beat: 24 pulse intervals.
    static constexpr int PULSES_KEPT = 25;
    bool heard = false; // a clock came since the program started
    bool running = false;
    long clock_time = 0;         // frames played since the program started
    long last_clock_message = 0; // when the last clock message was played
    long pulse_times[PULSES_KEPT] = {};
    int pulses_kept = 0, newest = 0; // how many, and the ring's newest
    float samples_per_pulse = SAMPLE_RATE * 60.0f / (24 * 120); // until measured: 120 BPM
    long newest_pulse() const { return pulse_times[newest]; }

    void clock(const MidiMessage &m, const std::vector<SEQUENCER *> &sequencers);
    // Tells the sequencers whether they follow the clock and whether it runs.
    void set_following(const std::vector<SEQUENCER *> &sequencers);
    MidiMessage waiting[WAITING];
    int waiting_count = 0;
};
