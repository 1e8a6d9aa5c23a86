#include "midi/midi_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

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

KEYBOARD *keyboard_of_channel(const std::vector<KEYBOARD *> &keyboards, int channel)
{
    if (keyboards.size() == 1)
        return keyboards[0];
    static const char *const NAMES[LAST_KEYBOARD_CHANNEL] = {"KEY_1", "KEY_2", "KEY_3"};
    if (channel < 1 || channel > LAST_KEYBOARD_CHANNEL)
        return nullptr;
    for (KEYBOARD *k : keyboards)
        if (std::strcmp(k->name, NAMES[channel - 1]) == 0)
            return k;
    return nullptr;
}

void MidiKeys::apply(const std::vector<KEYBOARD *> &keyboards, const MidiMessage &m)
{
    const int kind = m.status & 0xf0;
    if (kind != NOTE_ON && kind != NOTE_OFF)
        return;
    const int note = m.data1 & 0x7f;
    if (note - FIRST_MIDI_NOTE < 0 || note - FIRST_MIDI_NOTE >= NOTE2FREQ_SIZE)
        return;
    KEYBOARD *keyboard = keyboard_of_channel(keyboards, (m.status & 0x0f) + 1);
    Held *h = keyboard ? held_by(keyboard) : nullptr;
    if (!h)
        return;
    if (kind == NOTE_ON && m.data2 != 0)
        press(*h, note);
    else
        release(*h, note);
}

void MidiKeys::keep_only(const std::vector<KEYBOARD *> &keyboards)
{
    for (Held &h : held)
        if (h.keyboard && std::find(keyboards.begin(), keyboards.end(), h.keyboard) == keyboards.end())
            h = Held();
}

void MidiKeys::forget()
{
    for (Held &h : held)
        h = Held();
}

// The keyboard's entry, or a free one; null when all are taken.
MidiKeys::Held *MidiKeys::held_by(KEYBOARD *keyboard)
{
    Held *free = nullptr;
    for (Held &h : held) {
        if (h.keyboard == keyboard)
            return &h;
        if (!free && (h.keyboard == nullptr || h.count == 0))
            free = &h;
    }
    if (free) {
        *free = Held();
        free->keyboard = keyboard;
    }
    return free;
}

void MidiKeys::press(Held &h, int note)
{
    // A note pressed again (a second note-on without its note-off) moves to
    // the top rather than being held twice.
    uint8_t *end = std::remove(h.notes, h.notes + h.count, note);
    *end = static_cast<uint8_t>(note);
    h.count = static_cast<int>(end - h.notes) + 1;
    sound(*h.keyboard, note);
}

void MidiKeys::release(Held &h, int note)
{
    uint8_t *end = h.notes + h.count;
    uint8_t *it = std::find(h.notes, end, note);
    if (it == end)
        return;
    const bool sounding = it + 1 == end;
    std::copy(it + 1, end, it);
    --h.count;
    if (!sounding)
        return;
    if (h.count == 0)
        h.keyboard->UNTRIG();
    else
        sound(*h.keyboard, h.notes[h.count - 1]);
}
