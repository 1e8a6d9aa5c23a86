#include "midi/midi_keys.h"

#include <algorithm>
#include <cstdio>

#include "synth/generator.h"
#include "synth/note2freq.h"

namespace {

constexpr int NOTE_OFF = 0x80;
constexpr int NOTE_ON = 0x90;
// MIDI note 11 plays entry 0 of NOTE2FREQ.
constexpr int FIRST_MIDI_NOTE = 11;
constexpr int LAST_KEYBOARD_CHANNEL = 3;

// The keyboard's octave is its player's setting, saved with the patch: a
// MIDI note leaves it and takes the note that reaches the entry from it.
void sound(KEYBOARD &k, int midi_note)
{
    const int entry = midi_note - FIRST_MIDI_NOTE;
    k.Touch_note(entry - 12 * k.octave, 1);
}

} // namespace

KEYBOARD *keyboard_of_channel(GENERATOR &patch, int channel)
{
    if (patch.keyboards.size() == 1)
        return patch.keyboards[0];
    if (channel < 1 || channel > LAST_KEYBOARD_CHANNEL)
        return nullptr;
    char name[8];
    std::snprintf(name, sizeof name, "KEY_%d", channel);
    return patch.get_KEYBOARD_by_name(name);
}

void MidiKeys::apply(GENERATOR &target, const MidiMessage &m)
{
    const int kind = m.status & 0xf0;
    if (kind != NOTE_ON && kind != NOTE_OFF)
        return;
    const int note = m.data1 & 0x7f;
    if (note - FIRST_MIDI_NOTE < 0 || note - FIRST_MIDI_NOTE >= NOTE2FREQ_SIZE)
        return;
    KEYBOARD *keyboard = keyboard_of_channel(target, (m.status & 0x0f) + 1);
    if (!keyboard)
        return;
    if (kind == NOTE_ON && m.data2 != 0)
        press(held_by(keyboard), note);
    else
        release(held_by(keyboard), note);
}

void MidiKeys::forget(const KEYBOARD *keyboard)
{
    held.erase(std::remove_if(held.begin(), held.end(),
                              [keyboard](const Held &h) { return h.keyboard == keyboard; }),
               held.end());
}

MidiKeys::Held &MidiKeys::held_by(KEYBOARD *keyboard)
{
    for (Held &h : held)
        if (h.keyboard == keyboard)
            return h;
    held.push_back({keyboard, {}});
    return held.back();
}

void MidiKeys::press(Held &h, int note)
{
    // A note pressed again (a second note-on without its note-off) moves to
    // the top rather than being held twice.
    h.notes.erase(std::remove(h.notes.begin(), h.notes.end(), note), h.notes.end());
    h.notes.push_back(note);
    sound(*h.keyboard, note);
}

void MidiKeys::release(Held &h, int note)
{
    auto it = std::find(h.notes.begin(), h.notes.end(), note);
    if (it == h.notes.end())
        return;
    const bool sounding = it + 1 == h.notes.end();
    h.notes.erase(it);
    if (!sounding)
        return;
    if (h.notes.empty())
        h.keyboard->UNTRIG();
    else
        sound(*h.keyboard, h.notes.back());
}
