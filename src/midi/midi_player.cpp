#include "midi/midi_player.h"

#include <algorithm>

namespace {

bool releases(const MidiMessage &m)
{
    const int kind = m.status & 0xf0;
    return kind == 0x80 || (kind == 0x90 && m.data2 == 0);
}

bool presses(const MidiMessage &m) { return (m.status & 0xf0) == 0x90 && m.data2 != 0; }

// A note of a channel: the channel in the high bits.
int channel_note(const MidiMessage &m) { return (m.status & 0x0f) << 7 | (m.data1 & 0x7f); }

} // namespace

void MIDI_PLAYER::play(const std::vector<KEYBOARD *> &keyboards)
{
    keys.keep_only(keyboards);
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
        keys.apply(keyboards, m);
        if (presses(m) && pressed_count < WAITING)
            pressed[pressed_count++] = channel_note(m);
    }
}

void MIDI_PLAYER::forget()
{
    keys.forget();
    waiting_count = 0;
}
