#include "panels/note_keys.h"

#include <cstddef>

#include "synth/generator.h"

namespace {

struct NOTE_KEY {
    SDLKey key;
    const char *keyboard;
    int note;
};

const NOTE_KEY NOTE_KEYS[] = {
    {SDLK_z, "KEY_1", 1}, {SDLK_x, "KEY_1", 2}, {SDLK_c, "KEY_1", 3}, {SDLK_v, "KEY_1", 4},
    {SDLK_b, "KEY_1", 5}, {SDLK_n, "KEY_1", 6}, {SDLK_a, "KEY_2", 1}, {SDLK_s, "KEY_2", 2},
    {SDLK_d, "KEY_2", 3}, {SDLK_f, "KEY_2", 4}, {SDLK_g, "KEY_2", 5}, {SDLK_h, "KEY_2", 6},
    {SDLK_q, "KEY_3", 1}, {SDLK_w, "KEY_3", 2}, {SDLK_e, "KEY_3", 3}, {SDLK_r, "KEY_3", 4},
    {SDLK_t, "KEY_3", 5}, {SDLK_y, "KEY_3", 6},
};
constexpr size_t COUNT = sizeof NOTE_KEYS / sizeof NOTE_KEYS[0];

// Which keys played a note that their release has not ended yet.
bool held[COUNT];

// The index of a letter key; COUNT for any other key.
size_t index_of(SDLKey key)
{
    size_t i = 0;
    while (i < COUNT && NOTE_KEYS[i].key != key)
        i++;
    return i;
}

// The keyboard a letter key plays, looked up at each key, as the patch may
// have been replaced since the last one; null when the patch has none.
KEYBOARD *keyboard_of(size_t i)
{
    return gen != nullptr ? gen->get_KEYBOARD_by_name(NOTE_KEYS[i].keyboard) : nullptr;
}

void release(size_t i)
{
    held[i] = false;
    if (KEYBOARD *keyboard = keyboard_of(i))
        keyboard->UNTRIG();
}

} // namespace

void press_note_key(SDLKey key)
{
    const size_t i = index_of(key);
    if (i == COUNT)
        return;
    if (KEYBOARD *keyboard = keyboard_of(i)) {
        keyboard->Touch_note(NOTE_KEYS[i].note, NOTE_KEYS[i].note);
        held[i] = true;
    }
}

void release_note_key(SDLKey key)
{
    const size_t i = index_of(key);
    if (i < COUNT)
        release(i);
}

void release_held_note_keys()
{
    for (size_t i = 0; i < COUNT; i++)
        if (held[i])
            release(i);
}
